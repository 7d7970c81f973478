#include "ops/geometry.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();

bool IsSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// Right minus left and bottom minus top without signed overflow on absurd rectangles.
int Extent(std::int32_t low, std::int32_t high) {
  return static_cast<int>(static_cast<std::uint32_t>(high) - static_cast<std::uint32_t>(low));
}

std::int32_t Saturated(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp(value, kMin, kMax));
}

int Read(const GeometryTexts& texts, GeometryEdit edit) {
  return ReadEditNumber(texts[edit]);
}

// A rectangle as the edits show it, each number written with "%d".
GeometryTexts TextsOf(const Rect& rect) {
  return {std::to_string(rect.left), std::to_string(rect.top),
          std::to_string(Extent(rect.left, rect.right)),
          std::to_string(Extent(rect.top, rect.bottom))};
}

// Read at each use: the border differs by the window's style and by the DPI of its monitor, and
// changes as the window goes from one monitor to another. Where DWM gives no answer (no
// composition, Wine) the rectangle is not read at all.
FrameMargins MarginsNow(IWindowManager& windows, WindowHandle target) {
  Rect frame;
  WindowPlacement placement;
  Rect rect;
  if (!windows.GetExtendedFrameBounds(target, frame) ||
      !windows.GetWindowPlacement(target, placement) || !windows.GetWindowRect(target, rect)) {
    return {};
  }
  return MarginsBetween(rect, frame, placement.showCommand);
}

// The window's rectangle and its visible frame now; false when the rectangle cannot be read.
bool ReadPlace(IWindowManager& windows, WindowHandle target, Rect& rect, Rect& frame) {
  if (!windows.GetWindowRect(target, rect)) return false;
  frame = VisibleFrame(rect, MarginsNow(windows, target));
  return true;
}

// The window placed so that its visible frame stands at `frame`.
void PlaceFrame(IWindowManager& windows, WindowHandle target, const PlaceBox& frame) {
  const PlaceBox box = WindowBoxFor(frame, MarginsNow(windows, target));
  windows.SetWindowPos(target, wm::kHwndTop, box.x, box.y, box.cx, box.cy, wm::kSwpNoActivate);
}

}  // namespace

std::int32_t ReadEditNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    // Stop growing once past the range; the remaining digits still belong to the number.
    magnitude = std::min<std::int64_t>(magnitude * 10 + (text[i] - '0'), kMax + 1);
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  return static_cast<std::int32_t>(std::clamp(value, kMin, kMax));
}

std::int32_t HalveExtent(std::int32_t value) {
  return value / 2;
}

std::int32_t DoubleExtent(std::int32_t value) {
  return static_cast<std::int32_t>(std::clamp(std::int64_t{value} * 2, kMin, kMax));
}

FrameMargins MarginsBetween(const Rect& window, const std::optional<Rect>& frame,
                            std::uint32_t showCommand) {
  if (!frame || showCommand != static_cast<std::uint32_t>(wm::kSwShowNormal)) return {};
  const bool inside = frame->left >= window.left && frame->top >= window.top &&
                      frame->right <= window.right && frame->bottom <= window.bottom;
  const bool empty = frame->left >= frame->right || frame->top >= frame->bottom;
  if (!inside || empty) return {};
  return {frame->left - window.left, frame->top - window.top, window.right - frame->right,
          window.bottom - frame->bottom};
}

Rect VisibleFrame(const Rect& window, const FrameMargins& margins) {
  return {Saturated(std::int64_t{window.left} + margins.left),
          Saturated(std::int64_t{window.top} + margins.top),
          Saturated(std::int64_t{window.right} - margins.right),
          Saturated(std::int64_t{window.bottom} - margins.bottom)};
}

PlaceBox WindowBoxFor(const PlaceBox& frame, const FrameMargins& margins) {
  return {Saturated(std::int64_t{frame.x} - margins.left),
          Saturated(std::int64_t{frame.y} - margins.top),
          Saturated(std::int64_t{frame.cx} + margins.left + margins.right),
          Saturated(std::int64_t{frame.cy} + margins.top + margins.bottom)};
}

void ApplyGeometryTexts(IWindowManager& windows, WindowHandle target, const GeometryTexts& texts) {
  PlaceFrame(windows, target,
             {Read(texts, kLeftEdit), Read(texts, kTopEdit), Read(texts, kWidthEdit),
              Read(texts, kHeightEdit)});
}

void WriteGeometryText(IWindowManager& windows, WindowHandle target, GeometryTexts& texts,
                       GeometryEdit edit, std::string text) {
  texts[edit] = std::move(text);
  ApplyGeometryTexts(windows, target, texts);
}

bool LoadGeometryTexts(IWindowManager& windows, WindowHandle target, GeometryTexts& texts) {
  Rect rect;
  Rect frame;
  if (!ReadPlace(windows, target, rect, frame)) return false;
  texts = TextsOf(frame);
  // The rectangle as read, not the edits turned back: selecting a window never moves it.
  windows.SetWindowPos(target, wm::kHwndTop, rect.left, rect.top, Extent(rect.left, rect.right),
                       Extent(rect.top, rect.bottom), wm::kSwpNoActivate);
  return true;
}

void ScaleGeometry(IWindowManager& windows, WindowHandle target, GeometryTexts& texts,
                   bool doubling) {
  const auto scale = doubling ? DoubleExtent : HalveExtent;
  PlaceFrame(windows, target,
             {Read(texts, kLeftEdit), Read(texts, kTopEdit), scale(Read(texts, kWidthEdit)),
              scale(Read(texts, kHeightEdit))});
  // What the window really took; a window that is gone leaves the edits as they were.
  Rect rect;
  Rect frame;
  if (!ReadPlace(windows, target, rect, frame)) return;
  GeometryTexts taken = TextsOf(frame);
  for (int edit = 0; edit < kGeometryEdits; ++edit) {
    WriteGeometryText(windows, target, texts, static_cast<GeometryEdit>(edit),
                      std::move(taken[edit]));
  }
}

void MoveGeometryToOrigin(IWindowManager& windows, WindowHandle target, GeometryTexts& texts) {
  PlaceFrame(windows, target, {0, 0, Read(texts, kWidthEdit), Read(texts, kHeightEdit)});
  WriteGeometryText(windows, target, texts, kLeftEdit, "0");
  WriteGeometryText(windows, target, texts, kTopEdit, "0");
}
