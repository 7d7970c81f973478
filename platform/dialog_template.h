// A dialog's template as data: its window, font and controls, in dialog units. The application
// writes its dialogs in these types; the platform builds whatever template a dialog carries.
#pragma once

#include <cstdint>
#include <span>

// The window and control style bits that templates are written with, as the platform defines
// them.
namespace wm {

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

}  // namespace wm

struct ControlTemplate {
  int id;
  const char* className;  // a system class name
  const char* text;       // UTF-8; for an icon static, the empty string (see iconResource)
  int x, y, cx, cy;       // dialog units
  std::uint32_t style;    // WS_CHILD and WS_VISIBLE included where the control has them
  std::uint32_t exStyle;
  int iconResource = 0;  // for an SS_ICON static: the icon resource it shows
};

struct DialogTemplate {
  int id;
  const char* caption;
  int x, y, cx, cy;
  std::uint32_t style;
  std::uint32_t exStyle;
  int menuId;  // 0 for none
  int pointSize;
  const char* font;
  int weight;
  bool italic;
  int charset;
  std::span<const ControlTemplate> controls;

  const ControlTemplate* Find(int controlId) const;
};
