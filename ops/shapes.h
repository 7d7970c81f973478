// The window shapes, in the target window's own coordinates (origin at its outer top-left).
#pragma once

#include <array>
#include <utility>

#include "platform/types.h"
#include "platform/window_manager.h"

// The ellipse's box: the client width times 1.025 and height times 1.067, truncated.
Rect CircleBox(const Rect& client);

// The five points of the star in drawing order; filled with WINDING the pentagram is solid.
std::array<Point, 5> StarPoints(const Rect& client);

// The circle's and the star's regions for a window of that client rectangle.
RegionHandle CreateCircleRegion(IWindowManager& windows, const Rect& client);
RegionHandle CreateStarRegion(IWindowManager& windows, const Rect& client);

// A region the program still owns; handed over with release() once the window manager took it.
class CUniqueRegion {
 public:
  CUniqueRegion(IWindowManager& windows, RegionHandle region)
      : m_windows(&windows), m_region(region) {}
  ~CUniqueRegion() { reset(); }
  CUniqueRegion(const CUniqueRegion&) = delete;
  CUniqueRegion& operator=(const CUniqueRegion&) = delete;
  CUniqueRegion(CUniqueRegion&& other) noexcept
      : m_windows(other.m_windows), m_region(other.release()) {}
  CUniqueRegion& operator=(CUniqueRegion&& other) noexcept {
    if (this != &other) {
      reset();
      m_windows = other.m_windows;
      m_region = other.release();
    }
    return *this;
  }

  RegionHandle get() const { return m_region; }
  RegionHandle release() { return std::exchange(m_region, 0); }
  void reset() {
    if (m_region) m_windows->DeleteRegion(release());
  }

 private:
  IWindowManager* m_windows;
  RegionHandle m_region;
};

// Clips the window to the region; the region is freed here if the window manager refused it.
void SetWindowShape(IWindowManager& windows, WindowHandle window, RegionHandle region);
