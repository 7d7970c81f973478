// The six tab pages and the tooltips of the main panel.
#pragma once

#include <array>
#include <span>

struct TabPage {
  const char* caption;
  std::span<const int> controls;  // group box first, in the order they are shown
};

// The pages in tab order; every page control belongs to exactly one page.
std::span<const TabPage> TabPages();

// Whether the control is the group box that frames a page.
bool IsPageFrame(int controlId);
// The index of the page the control belongs to, -1 for a control on no page.
int PageOf(int controlId);

struct TooltipEntry {
  int controlId;
  const char* text;
};

// One tool per control, in the order they are added.
std::span<const TooltipEntry> Tooltips();

inline constexpr unsigned kTooltipBkColor = 0x00FF0000;    // blue, as a 0x00BBGGRR value
inline constexpr unsigned kTooltipTextColor = 0x00FFFFFF;  // white
