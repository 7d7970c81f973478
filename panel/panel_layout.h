// The panel's layout: the template it starts from, the arrangement, the fit to the font, the
// hidden pages' places and the reflow on a size or DPI change. The dialog owns one and forwards
// to it; it is handed the panel host per call, since a size event comes before the dialog's
// initialisation.
#pragma once

#include <map>
#include <vector>

#include "panel/fit_to_font.h"
#include "platform/dialog_template.h"
#include "platform/panel_host.h"
#include "platform/types.h"

class CPanelLayout {
 public:
  // The main template as the panel is created from it.
  static const DialogTemplate& StartTemplate();

  // Stacks the page controls at `dpi` and fits them to the font; the controls of the hidden
  // pages keep their places for PlaceHiddenPages. The tab captions are in already.
  void Arrange(IPanelHost& host, int dpi);
  // The controls of a hidden page go to their places before the page is first shown, or when the
  // panel is first idle; every hidden page's before a reflow.
  void PlaceHiddenPage(IPanelHost& host, int page);
  void PlaceHiddenPages(IPanelHost& host);
  bool OnSize(IPanelHost& host, int cx, int cy);
  bool OnDpiChanged(IPanelHost& host, int dpi, const Rect& suggested);

 private:
  // The changes that fit the panel to its font; the rectangles in `arranged` stand for the
  // controls' own where given.
  FitResult FitToFont(IPanelHost& host, const std::map<int, Rect>& arranged = {});
  // A resize of the panel's own making: it reflows nothing, and the client size it ends with is
  // where the user's next resize is measured from.
  void ResizeItself(IPanelHost& host, const Rect& outer, unsigned flags);
  int Scaled(int pixels) const;
  void ScaleTabItems(IPanelHost& host) const;

  int m_lastCx = 0;
  int m_lastCy = 0;
  int m_sizeEvents = 0;

  // The layout's pixel distances are for 96 DPI and scale with the dialog's DPI.
  int m_dpi = 96;
  bool m_resizingItself = false;  // a resize of the panel's own arrangement is no user resize
  std::vector<FitResult::Change> m_hiddenPlaces;  // where the hidden pages' controls go
};
