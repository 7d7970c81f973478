// Fitting the arranged panel to the font it is drawn with. The layout's distances are pixels
// chosen for the dialog face; a face standing in for it may draw the texts wider or taller. This
// computes the least change that keeps every text whole and no control under another: grow a
// text's control, shorten an edit, move the rest of a row or the rows below along, and grow the
// pages' frame, the tab control and the dialog around what grew.
#pragma once

#include <vector>

#include "platform/types.h"

enum class FitKind { Fixed, Button, Label, Edit, Frame };

struct FitControl {
  int id;
  FitKind kind;
  Rect rect;          // as arranged, in the dialog's client pixels
  int textWidth = 0;  // the width of its text in the dialog font; 0 when it shows none
};

struct FitInput {
  // Every page: its frame (group box) first, then its controls. The frames share one place.
  std::vector<std::vector<FitControl>> pages;
  std::vector<FitControl> header;  // the row above the tab control, shown on every page
  FitControl tab;                  // the tab control
  int tabStripWidth = 0;           // what the tab control's items need side by side
  Rect client;                     // the dialog's client area
  int dpi = 96;
};

struct FitResult {
  struct Change {
    int id;
    Rect rect;
  };
  std::vector<Change> changes;  // the controls that move or change size, with their new rectangle
  Point grow;                   // by how much the dialog grows, in pixels
};

FitResult FitPanel(const FitInput& input);

// The width a control needs to show its text whole: the text and the control's own edges.
int NeededWidth(const FitControl& control, int dpi);
