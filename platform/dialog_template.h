// A dialog's template as data: its window, font and controls, in dialog units. The application
// writes its dialogs in these types; the platform builds whatever template a dialog carries.
#pragma once

#include <cstdint>
#include <span>

#include "platform/types.h"

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
