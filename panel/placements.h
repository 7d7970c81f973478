// The panel's layout: where CPanelLayout::Arrange stacks the page controls, which controls follow
// the dialog's edges on a resize, and the minimized icon's position.
#pragma once

#include <span>

#include "platform/types.h"

struct Placement {
  int controlId;
  int dx;  // pixels right of the anchor's left edge
  int dy;  // pixels below the anchor's top edge
};

// The 38 placements of CPanelLayout::Arrange, in call order, relative to the anchor group box.
std::span<const Placement> PanelPlacements();

// The tab control and the 39 page controls, in the order a reflow moves them down.
std::span<const int> BottomAnchoredControls();

inline constexpr int kMinReflowHeight = 150;   // smaller client heights are ignored
inline constexpr int kDialogExtraWidth = 20;   // outer width = anchor right + this
inline constexpr int kDialogExtraHeight = 60;  // outer height = anchor bottom + this

inline constexpr int kDefaultDpi = 96;

// The tab items at 96 DPI as the tab control makes them in the dialog face: the room around
// each caption, and the least width of an item.
inline constexpr Point kTabItemPadding{6, 3};
inline constexpr int kTabItemLeastWidth = 54;

// A layout distance in pixels at 96 DPI, scaled to `dpi`: value x dpi / 96, rounded half away
// from zero as MulDiv rounds. Exact at 96 DPI.
int ScaleForDpi(int value, int dpi);

// Where the icon goes in a minimized client area of w x h: centred, truncating toward zero.
Point IconOrigin(int clientWidth, int clientHeight, int iconWidth, int iconHeight);
