// Start-up and shutdown.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include "app/app_state.h"
#include "app/main_window.h"
#include "common/ui.h"
#include "link/link_window.h"

namespace torvane {

namespace {

constexpr const char* kOwnerClass = "TorvaneOwner";

Text FindProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    Text folder = path;
    size_t cut = 0;
    for (size_t i = 0; i < folder.size(); i += CharLength(folder, i))
        if (folder[i] == '\\') cut = i;
    folder.resize(cut);
    return folder;
}

HWND CreateOwnerWindow(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = kOwnerClass;
    RegisterClassExA(&wc);
    return CreateWindowExA(WS_EX_TOOLWINDOW, kOwnerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                           nullptr);
}

void RunMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (HandleWindowKeys(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void StartProgram() {
    InitAppState();
    RegisterExitRoutine(FreeAppState);
    MainWindow* main = MainWindow::Open();
    if (!main) ReportFatalError({false, 0, "载入启动窗口失败", kUnitApp, 1});
    if (IsWindow(main->hwnd())) RunMessageLoop();
}

}  // namespace

}  // namespace torvane

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace torvane;
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    SetProgramFolder(FindProgramFolder());
    SetCurrentDirectoryA(ProgramFolder().c_str());
    SetOwnerWindow(CreateOwnerWindow(instance));
    if (!RegisterMainWindowClass(instance) || !RegisterLinkWindowClass(instance))
        ReportFatalError({false, 0, "载入启动窗口失败", kUnitApp, 2});

    StartProgram();

    RunExitRoutines();
    DestroyWindow(OwnerWindow());
    OleUninitialize();
    return 0;
}
