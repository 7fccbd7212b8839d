#include "app/app_state.h"

#include <vector>

namespace torvane {

namespace {

AppState* g_app = nullptr;
std::vector<void (*)()> g_exitRoutines;
Text g_programFolder;
HWND g_ownerWindow = nullptr;

}  // namespace

AppState& App() { return *g_app; }

void InitAppState() { g_app = new AppState(); }

void FreeAppState() {
    delete g_app;
    g_app = nullptr;
    // The end-to-end tests watch for this line to see that the exit routine ran, and ran once.
    OutputDebugStringA("torvane: FreeAppState\n");
}

void RegisterExitRoutine(void (*routine)()) {
    for (auto r : g_exitRoutines)
        if (r == routine) return;
    g_exitRoutines.push_back(routine);
}

void RunExitRoutines() {
    auto routines = std::move(g_exitRoutines);
    g_exitRoutines.clear();
    for (auto r : routines) r();
}

const Text& ProgramFolder() { return g_programFolder; }
void SetProgramFolder(Text folder) { g_programFolder = std::move(folder); }

HWND OwnerWindow() { return g_ownerWindow; }
void SetOwnerWindow(HWND owner) { g_ownerWindow = owner; }

}  // namespace torvane
