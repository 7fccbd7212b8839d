// What every subsystem shares on the Win32 side: notices, the clipboard, fatal errors, component texts.
#pragma once

#include <windows.h>

#include <vector>

#include "common/text.h"

namespace torvane {

// A notice: caption "信息：", one OK button, no icon, task-modal.
void ShowInfoBox(std::string_view text);

// Puts the text on the clipboard as CF_TEXT. Failures are silent: a clipboard held elsewhere keeps its content.
void CopyToClipboard(std::string_view text);

// Shows the error box and ends the process with exit code -1. No window event runs from its start on, so
// nothing is saved.
[[noreturn]] void ReportFatalError(const FatalError& error);

// True once ReportFatalError has started; window procedures then only hand messages to the default procedure.
bool FatalErrorRaised();

// Places of fatal errors in the box's last line: the unit of the program, then the site in it.
enum FatalUnit { kUnitApp = 1, kUnitJobs = 2, kUnitConsole = 3, kUnitLink = 4, kUnitMemory = 9 };

Text ReadWindowText(HWND hwnd);
void WriteWindowText(HWND hwnd, std::string_view text);

// A top-level window a modal window disabled, and whether it was enabled before.
struct NotedWindow {
    HWND hwnd;
    bool enabled;
};

// Notes and disables the top-level windows of this thread for which `take` holds, for a modal window's time.
std::vector<NotedWindow> DisableTopLevelWindows(bool (*take)(HWND));
// Gives each noted window that still exists its enabled state back, and empties the list.
void RestoreWindows(std::vector<NotedWindow>& noted);

// Keyboard handling every window of the program gives before a key reaches the focused component: Esc closes
// the top-level window, Tab and Shift+Tab move among tab stops. Returns true when the message was used.
bool HandleWindowKeys(MSG& msg);

// Marks a top-level window as one whose keys HandleWindowKeys looks after.
void AdoptWindowKeys(HWND topLevel);

}  // namespace torvane
