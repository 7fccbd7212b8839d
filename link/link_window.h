// The window that composes the CDN link of a playlist and copies it.
#pragma once

#include <windows.h>

namespace torvane {

// Opens the link window modal for the whole program and returns once it has closed. While it is open, a second
// request restores or activates it.
void OpenLinkWindow();

// Click of 按钮1: composes the link from the three boxes and copies it; silent when a box is empty.
void CopyCdnLink(HWND linkWindow);

bool RegisterLinkWindowClass(HINSTANCE instance);

}  // namespace torvane
