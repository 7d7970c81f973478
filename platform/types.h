// Plain types shared by the core and the platform seams. Nothing here includes <windows.h>:
// handles are opaque integers, rectangles and points are the window manager's shapes.
#pragma once

#include <cstdint>

using WindowHandle = std::uintptr_t;  // a top-level window or control, 0 for none
using RegionHandle = std::uintptr_t;  // a region the program created, 0 for none
using ModuleHandle = std::uintptr_t;  // a loaded library, 0 for none
using ProcHandle = std::uintptr_t;    // an exported function, 0 when the lookup failed
using IconHandle = std::uintptr_t;    // an icon, 0 for none
using PaintContext = std::uintptr_t;  // a device context between BeginPaint and EndPaint

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  std::int32_t Width() const { return right - left; }
  std::int32_t Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool operator==(const Point&) const = default;
};

// Values of the window manager's own constants that the core passes through the seams. They are
// the documented Win32 numbers, so the Win32 implementation hands them on unchanged.
namespace wm {
inline constexpr WindowHandle kHwndTop = 0;
inline constexpr WindowHandle kHwndBottom = 1;
inline constexpr WindowHandle kHwndTopmost = static_cast<WindowHandle>(-1);
inline constexpr WindowHandle kHwndNoTopmost = static_cast<WindowHandle>(-2);

inline constexpr int kSwHide = 0;
inline constexpr int kSwShowNormal = 1;
inline constexpr int kSwShow = 5;
inline constexpr int kSwMinimize = 6;

inline constexpr unsigned kSwpNoSize = 0x0001;
inline constexpr unsigned kSwpNoMove = 0x0002;
inline constexpr unsigned kSwpNoZOrder = 0x0004;
inline constexpr unsigned kSwpNoActivate = 0x0010;
inline constexpr unsigned kSwpFrameChanged = 0x0020;
inline constexpr unsigned kSwpShowWindow = 0x0040;

inline constexpr int kGwlStyle = -16;
inline constexpr int kGwlExStyle = -20;
inline constexpr std::uint32_t kWsOverlappedWindow = 0x00CF0000;
inline constexpr std::uint32_t kWsExLayered = 0x00080000;

inline constexpr int kWinding = 2;
inline constexpr std::uint32_t kLwaAlpha = 2;

inline constexpr unsigned kMbOk = 0x0;
inline constexpr unsigned kMbIconExclamation = 0x30;

// Notification codes carried by WM_COMMAND and WM_NOTIFY.
inline constexpr int kBnClicked = 0;
inline constexpr int kLbnSelChange = 1;
inline constexpr int kEnChange = 0x0300;
inline constexpr int kNmReleasedCapture = -16;
inline constexpr int kTcnSelChange = -551;

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
}  // namespace wm
