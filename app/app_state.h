// The one program-wide record, and the program folder.
#pragma once

#include <windows.h>

#include "common/text.h"

namespace torvane {

struct AppState {
    Text tsPath;         // derived when an MP4 is opened
    TextList nameParts;  // the pieces of the TS file name
    Text lastCommand;    // the command either job launched last
    SECURITY_ATTRIBUTES stdinPipeAttrs{};
    SECURITY_ATTRIBUTES stdoutPipeAttrs{};
    // The launcher's pipe ends. Each is held here only while the launcher owns it; once closed or handed to an
    // output pump the field is null again.
    HANDLE stdinRead = nullptr;
    HANDLE stdinWrite = nullptr;
    HANDLE stdoutRead = nullptr;
    HANDLE stdoutWrite = nullptr;
    STARTUPINFOA childStartup{};
    PROCESS_INFORMATION childProcess{};
};

// Only valid between InitAppState and FreeAppState, and only on the user-interface thread.
AppState& App();

void InitAppState();
void FreeAppState();

// Routines run once, in the order registered, at the normal end of the program.
void RegisterExitRoutine(void (*routine)());
void RunExitRoutines();

// The folder of the program's executable, never ending in a backslash. Set once at start-up.
const Text& ProgramFolder();
void SetProgramFolder(Text folder);

// The hidden window that owns the program's modal windows, so they get no taskbar button of their own.
HWND OwnerWindow();
void SetOwnerWindow(HWND owner);

}  // namespace torvane
