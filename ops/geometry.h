// Reading and scaling the position and size edits, and the calls the page makes on its window.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/types.h"
#include "platform/window_manager.h"

// Reads a number the way the C runtime's atoi does: leading white space, one optional sign,
// decimal digits up to the first other character, 0 when there are none. Values beyond the
// 32-bit range saturate at its ends instead of overflowing.
std::int32_t ReadEditNumber(std::string_view text);

// Halving truncates toward zero (801 -> 400, -7 -> -3); doubling saturates at the 32-bit ends.
std::int32_t HalveExtent(std::int32_t value);
std::int32_t DoubleExtent(std::int32_t value);

// The four position and size edits by their place: left, top, width, height.
enum GeometryEdit { kLeftEdit, kTopEdit, kWidthEdit, kHeightEdit, kGeometryEdits };

// What the four edits hold, as text. The commands on a window work on a copy of it that only
// that window's jobs touch, in their order: each command starts from what the commands before it
// left, however late the window answers them, and the panel shows the copy once the last has
// answered.
using GeometryTexts = std::array<std::string, kGeometryEdits>;

// SetWindowPos with the four edits as read, raising the window without activating it.
void ApplyGeometryTexts(IWindowManager& windows, WindowHandle target, const GeometryTexts& texts);
// One edit changes, and the four apply: the live edits' rule.
void WriteGeometryText(IWindowManager& windows, WindowHandle target, GeometryTexts& texts,
                       GeometryEdit edit, std::string text);
// The window's rectangle into the edits, applied once; false, with the edits left as they were,
// when it cannot be read.
bool LoadGeometryTexts(IWindowManager& windows, WindowHandle target, GeometryTexts& texts);
// Double or halve the size in place; the edits then take the rectangle the window took, one
// at a time, each applied as it comes.
void ScaleGeometry(IWindowManager& windows, WindowHandle target, GeometryTexts& texts,
                   bool doubling);
// The outer corner to the screen's (0, 0); the left and top edits then read 0, each applied.
void MoveGeometryToOrigin(IWindowManager& windows, WindowHandle target, GeometryTexts& texts);
