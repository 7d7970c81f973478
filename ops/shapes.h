// The window shapes, in the target window's own coordinates (origin at its outer top-left).
#pragma once

#include <array>
#include <utility>

#include "platform/types.h"
#include "platform/unique_resource.h"
#include "platform/window_manager.h"

// The ellipse's box: the client width times 1.025 and height times 1.067, truncated.
Rect CircleBox(const Rect& client);

// The five points of the star in drawing order; filled with WINDING the pentagram is solid.
std::array<Point, 5> StarPoints(const Rect& client);

// The circle's and the star's regions for a window of that client rectangle.
RegionHandle CreateCircleRegion(IWindowManager& windows, const Rect& client);
RegionHandle CreateStarRegion(IWindowManager& windows, const Rect& client);

// A region the program still owns; handed over with release() once the window manager took it.
struct DeleteRegionWith {
  IWindowManager* windows = nullptr;
  void operator()(RegionHandle region) const { windows->DeleteRegion(region); }
};
class CUniqueRegion : public CUniqueResource<RegionHandle, DeleteRegionWith> {
 public:
  CUniqueRegion(IWindowManager& windows, RegionHandle region)
      : CUniqueResource(region, DeleteRegionWith{&windows}) {}
};

// Clips the window to the region; the region is freed here if the window manager refused it.
void SetWindowShape(IWindowManager& windows, WindowHandle window, RegionHandle region);
