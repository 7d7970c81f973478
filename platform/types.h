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

// A layered window's attributes, as SetLayeredWindowAttributes takes them.
struct LayeredAttributes {
  std::uint32_t colorKey = 0;
  std::uint8_t alpha = 255;
  std::uint32_t flags = 0;
};

// How a window is shown and where it stands when it is neither minimized nor maximized, as
// GetWindowPlacement gives it (the normal rectangle in workspace coordinates).
struct WindowPlacement {
  std::uint32_t flags = 0;
  std::uint32_t showCommand = 0;
  Point minPosition;
  Point maxPosition;
  Rect normal;
};

// Values of the window manager's own constants, all of them in this one place, that the core passes
// through the seams. They are the documented Win32 numbers, so the Win32 implementation hands them
// on unchanged.
namespace wm {
inline constexpr WindowHandle kHwndTop = 0;
inline constexpr WindowHandle kHwndBottom = 1;
inline constexpr WindowHandle kHwndTopmost = static_cast<WindowHandle>(-1);
inline constexpr WindowHandle kHwndNoTopmost = static_cast<WindowHandle>(-2);

inline constexpr int kSwHide = 0;
inline constexpr int kSwShowNormal = 1;
inline constexpr int kSwShowMinimized = 2;
inline constexpr int kSwShowMaximized = 3;
inline constexpr int kSwShowNoActivate = 4;
inline constexpr int kSwShow = 5;
inline constexpr int kSwMinimize = 6;
inline constexpr int kSwShowMinNoActive = 7;
inline constexpr std::uint32_t kWpfRestoreToMaximized = 0x2;

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
inline constexpr std::uint32_t kWsExTopmost = 0x00000008;
inline constexpr std::uint32_t kWsExToolWindow = 0x00000080;

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

// Virtual keys.
inline constexpr unsigned kVkTab = 0x09;
inline constexpr unsigned kVkPageUp = 0x21;    // VK_PRIOR
inline constexpr unsigned kVkPageDown = 0x22;  // VK_NEXT

// The window and control style bits that templates are written with, as the platform defines
// them.
inline constexpr std::uint32_t kWsPopup = 0x80000000;
inline constexpr std::uint32_t kWsChild = 0x40000000;
inline constexpr std::uint32_t kWsVisible = 0x10000000;
inline constexpr std::uint32_t kWsCaption = 0x00C00000;
inline constexpr std::uint32_t kWsBorder = 0x00800000;
inline constexpr std::uint32_t kWsVScroll = 0x00200000;
inline constexpr std::uint32_t kWsSysMenu = 0x00080000;
inline constexpr std::uint32_t kWsThickFrame = 0x00040000;
inline constexpr std::uint32_t kWsGroup = 0x00020000;
inline constexpr std::uint32_t kWsMinimizeBox = 0x00020000;
inline constexpr std::uint32_t kWsTabStop = 0x00010000;
inline constexpr std::uint32_t kDsModalFrame = 0x80;
inline constexpr std::uint32_t kDsSetFont = 0x40;
inline constexpr std::uint32_t kWsExAppWindow = 0x00040000;
inline constexpr std::uint32_t kWsExRight = 0x1000;
inline constexpr std::uint32_t kWsExTransparent = 0x20;
inline constexpr std::uint32_t kEsAutoHScroll = 0x80;
inline constexpr std::uint32_t kBsPushButton = 0x0;
inline constexpr std::uint32_t kBsDefPushButton = 0x1;
inline constexpr std::uint32_t kBsGroupBox = 0x7;
inline constexpr std::uint32_t kSsLeft = 0x0;
inline constexpr std::uint32_t kSsIcon = 0x3;
inline constexpr std::uint32_t kLbsNotify = 0x1;
inline constexpr std::uint32_t kLbsNoIntegralHeight = 0x100;
inline constexpr std::uint32_t kUdsSetBuddyInt = 0x2;
inline constexpr std::uint32_t kUdsAutoBuddy = 0x10;
inline constexpr std::uint32_t kUdsArrowKeys = 0x20;
// Positions of 1000 and more go into the buddy edits as plain digits, which is what the
// geometry reading expects.
inline constexpr std::uint32_t kUdsNoThousands = 0x80;
inline constexpr std::uint32_t kTbsBoth = 0x8;
inline constexpr std::uint32_t kTbsNoTicks = 0x10;

// The system classes of the controls, and the part of a button's or a static's style that says
// its kind.
inline constexpr const char* kEditClass = "EDIT";
inline constexpr const char* kButtonClass = "BUTTON";
inline constexpr const char* kStaticClass = "STATIC";
inline constexpr std::uint32_t kBsTypeMask = 0xF;
inline constexpr std::uint32_t kSsTypeMask = 0x1F;

// System metric indices used by the minimized painting.
inline constexpr int kSmCxIcon = 11;
inline constexpr int kSmCyIcon = 12;
}  // namespace wm
