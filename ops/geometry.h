// Reading and scaling the position and size edits, and the calls the page makes on its window.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
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

// How far a window's rectangle reaches past the frame its user sees, on each side: the resize
// border that the desktop window manager of Windows 10 and 11 draws invisible (about 7 px left,
// right and bottom, none on top). The page shows and places that frame, as the system snaps and
// aligns it.
struct FrameMargins {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  bool operator==(const FrameMargins&) const = default;
};

// The margins between a window's rectangle and the frame bounds DWM reports for it, shown with
// `showCommand` (GetWindowPlacement's). None where the answer cannot be trusted: no answer; a
// minimized window (its frame is the icon's, far off screen); a maximized one (its border hangs
// past the monitor on all four sides and is gone once it is moved as a normal window); a frame
// that is empty or not inside the rectangle (a window that draws its own frame).
FrameMargins MarginsBetween(const Rect& window, const std::optional<Rect>& frame,
                            std::uint32_t showCommand);
// A position and size as SetWindowPos takes them.
struct PlaceBox {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t cx = 0;
  std::int32_t cy = 0;
  bool operator==(const PlaceBox&) const = default;
};
// The frame a window of that rectangle shows, and the window that shows a frame there; the
// 32-bit ends saturate rather than wrap.
Rect VisibleFrame(const Rect& window, const FrameMargins& margins);
PlaceBox WindowBoxFor(const PlaceBox& frame, const FrameMargins& margins);

// The four position and size edits by their place: left, top, width, height.
enum GeometryEdit { kLeftEdit, kTopEdit, kWidthEdit, kHeightEdit, kGeometryEdits };

// What the four edits hold, as text: the visible frame of the window, where DWM reports one. The
// commands on a window work on a copy of it that only that window's jobs touch, in their order:
// each command starts from what the commands before it left, however late the window answers them,
// and the panel shows the copy once the last has answered.
using GeometryTexts = std::array<std::string, kGeometryEdits>;

// SetWindowPos with the frame the four edits describe, turned into a window rectangle by the
// margins read from the window at that moment, raising the window without activating it.
void ApplyGeometryTexts(IWindowManager& windows, WindowHandle target, const GeometryTexts& texts);
// One edit changes, and the four apply: the live edits' rule.
void WriteGeometryText(IWindowManager& windows, WindowHandle target, GeometryTexts& texts,
                       GeometryEdit edit, std::string text);
// The window's visible frame into the edits, and its rectangle applied once as read; false, with
// the edits left as they were, when it cannot be read.
bool LoadGeometryTexts(IWindowManager& windows, WindowHandle target, GeometryTexts& texts);
// Double or halve the visible size in place; the edits then take the frame the window took, one
// at a time, each applied as it comes.
void ScaleGeometry(IWindowManager& windows, WindowHandle target, GeometryTexts& texts,
                   bool doubling);
// The visible corner to the screen's (0, 0); the left and top edits then read 0, each applied.
void MoveGeometryToOrigin(IWindowManager& windows, WindowHandle target, GeometryTexts& texts);
