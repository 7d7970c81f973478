#include "ops/shapes.h"

#include <algorithm>
#include <limits>

namespace {

// The products are computed in double precision and truncated toward zero, so that 400 gives
// 409 (the product is 409.99999999999994), not 410. Clamped so the conversion stays defined.
std::int32_t ScaleTruncated(std::int32_t value, double factor) {
  const double product = static_cast<double>(value) * factor;
  const double clamped = std::clamp(product, double{std::numeric_limits<std::int32_t>::min()},
                                    double{std::numeric_limits<std::int32_t>::max()});
  return static_cast<std::int32_t>(clamped);
}

}  // namespace

Rect CircleBox(const Rect& client) {
  return {client.left, client.top, ScaleTruncated(client.right, 1.025),
          ScaleTruncated(client.bottom, 1.067)};
}

std::array<Point, 5> StarPoints(const Rect& client) {
  const std::int32_t width = client.right - client.left;
  const std::int32_t height = client.bottom - client.top;
  return {{
      {client.left, client.bottom},
      {width / 2, client.top},
      {client.right, client.bottom},
      {client.left, height / 3},
      {client.right, height / 3},
  }};
}

RegionHandle CreateCircleRegion(IWindowManager& windows, const Rect& client) {
  const Rect box = CircleBox(client);
  return windows.CreateEllipticRgn(box.left, box.top, box.right, box.bottom);
}

RegionHandle CreateStarRegion(IWindowManager& windows, const Rect& client) {
  const auto points = StarPoints(client);
  return windows.CreatePolygonRgn(points.data(), static_cast<int>(points.size()), wm::kWinding);
}

void SetWindowShape(IWindowManager& windows, WindowHandle window, RegionHandle region) {
  CUniqueRegion owned(windows, region);
  if (windows.SetWindowRgn(window, owned.get(), true)) owned.release();
}
