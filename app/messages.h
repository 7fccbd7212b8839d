// The program's private window messages: the only way a worker thread reaches the user-interface thread.
#pragma once

#include <windows.h>

namespace torvane {

// Posted by an output pump to the main window when its sink turns from empty to holding text, or when the pump
// has ended. wParam: 0. lParam: the OutputSink*, which stays alive while the main window lists it; a sink the
// window no longer lists is ignored. Nothing travels in the message itself, so nothing is to be freed.
inline constexpr UINT WM_APP_OUTPUT_READY = WM_APP + 1;

// Posted by the main window to itself while text waits to be appended to the run box, so that each slice is
// appended after the messages already queued (the user's input among them). wParam, lParam: 0.
inline constexpr UINT WM_APP_OUTPUT_FLUSH = WM_APP + 2;

}  // namespace torvane
