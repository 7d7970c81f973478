// The panel's operations on a window, each the calls of one command, made in that window's job.
// Where the calls cannot tell a failure (ShowWindow, EnableWindow), the state they ask is read
// back after them: a window that still exists but does not have it refused.
#pragma once

#include <cstdint>

#include "platform/window_manager.h"

// 最小化: minimized, and whether it is.
void Minimize(IWindowManager& windows, WindowHandle window);
bool IsMinimized(IWindowManager& windows, WindowHandle window);

// 表示: shown normal at the top of the z-order, its frame drawn anew.
void ShowOnTop(IWindowManager& windows, WindowHandle window);

// 常に手前に表示, and its cancellation. A maximized window is made normal on the way.
void MakeTopmost(IWindowManager& windows, WindowHandle window);
void CancelTopmost(IWindowManager& windows, WindowHandle window);

// The resizable frame: the style bits of `frameBits`, the rest of the style kept.
void SetFrameStyle(IWindowManager& windows, WindowHandle window, std::uint32_t frameBits);
void GiveResizableFrame(IWindowManager& windows, WindowHandle window);

// ロック and its release: the window refuses all input, or takes it again, shown normal.
void Lock(IWindowManager& windows, WindowHandle window);
void Unlock(IWindowManager& windows, WindowHandle window);
bool IsLocked(IWindowManager& windows, WindowHandle window);
bool IsUnlocked(IWindowManager& windows, WindowHandle window);
