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

int Read(const GeometryTexts& texts, GeometryEdit edit) {
  return ReadEditNumber(texts[edit]);
}

// A rectangle as the edits show it, each number written with "%d".
GeometryTexts TextsOf(const Rect& rect) {
  return {std::to_string(rect.left), std::to_string(rect.top),
          std::to_string(Extent(rect.left, rect.right)),
          std::to_string(Extent(rect.top, rect.bottom))};
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

void ApplyGeometryTexts(IWindowManager& windows, WindowHandle target, const GeometryTexts& texts) {
  windows.SetWindowPos(target, wm::kHwndTop, Read(texts, kLeftEdit), Read(texts, kTopEdit),
                       Read(texts, kWidthEdit), Read(texts, kHeightEdit), wm::kSwpNoActivate);
}

void WriteGeometryText(IWindowManager& windows, WindowHandle target, GeometryTexts& texts,
                       GeometryEdit edit, std::string text) {
  texts[edit] = std::move(text);
  ApplyGeometryTexts(windows, target, texts);
}

bool LoadGeometryTexts(IWindowManager& windows, WindowHandle target, GeometryTexts& texts) {
  Rect rect;
  if (!windows.GetWindowRect(target, rect)) return false;
  texts = TextsOf(rect);
  ApplyGeometryTexts(windows, target, texts);
  return true;
}

void ScaleGeometry(IWindowManager& windows, WindowHandle target, GeometryTexts& texts,
                   bool doubling) {
  const auto scale = doubling ? DoubleExtent : HalveExtent;
  windows.SetWindowPos(target, wm::kHwndTop, Read(texts, kLeftEdit), Read(texts, kTopEdit),
                       scale(Read(texts, kWidthEdit)), scale(Read(texts, kHeightEdit)),
                       wm::kSwpNoActivate);
  // What the window really took; a window that is gone leaves the edits as they were.
  Rect rect;
  if (!windows.GetWindowRect(target, rect)) return;
  GeometryTexts taken = TextsOf(rect);
  for (int edit = 0; edit < kGeometryEdits; ++edit) {
    WriteGeometryText(windows, target, texts, static_cast<GeometryEdit>(edit),
                      std::move(taken[edit]));
  }
}

void MoveGeometryToOrigin(IWindowManager& windows, WindowHandle target, GeometryTexts& texts) {
  windows.SetWindowPos(target, wm::kHwndTop, 0, 0, Read(texts, kWidthEdit),
                       Read(texts, kHeightEdit), wm::kSwpNoActivate);
  WriteGeometryText(windows, target, texts, kLeftEdit, "0");
  WriteGeometryText(windows, target, texts, kTopEdit, "0");
}
