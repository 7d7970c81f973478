// What the test programs built for Windows read off a real window, in the terms the checks use:
// texts in UTF-8, rectangles in pixels.
#pragma once

#include <windows.h>

#include <string>

namespace harness {

// The title or text, as UTF-16 units however long, and in UTF-8.
std::wstring WideWindowText(HWND hwnd);
std::string WindowText(HWND hwnd);
std::string ClassName(HWND hwnd);

// The window's outer rectangle on the screen.
RECT OuterRect(HWND hwnd);
// The window's rectangle in its parent's client coordinates (screen coordinates for a top-level).
RECT RectInParent(HWND hwnd);
// The work area of the monitor the window is on (the primary one when it is on none).
RECT WorkAreaOf(HWND hwnd);

bool HasExStyle(HWND hwnd, DWORD bits);

}  // namespace harness
