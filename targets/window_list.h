// The window list: the visible, titled top-level windows in z-order, topmost first.
#pragma once

#include <span>
#include <string>

#include "platform/dialog.h"
#include "platform/window_manager.h"

inline constexpr int kTitleBufferChars = 2048;

// Empties the list and appends one row per qualifying window, storing each row's handle at the
// same index of `targets`. Stops when `targets` is full, so every row has its handle; entries
// beyond the new row count are left as they were. `title` is scratch storage reused across
// calls. Returns the row count.
int FillWindowList(IWindowManager& windows, CListBox& list, std::span<WindowHandle> targets,
                   std::string& title);
