#include "panel/panel_layout.h"

#include <algorithm>
#include <string_view>

#include "panel/pages.h"
#include "panel/placements.h"
#include "res/resource.h"
#include "res/templates.h"

namespace {

// The caption above the window list has no id of its own.
constexpr int kListCaptionId = -1;

// What the panel may do to a control to fit it to the font, by its kind.
FitKind FitKindOf(const DialogTemplate& dialog, int id) {
  const ControlTemplate* control = dialog.Find(id);
  if (control == nullptr) return FitKind::Fixed;
  const std::string_view name = control->className;
  if (name == wm::kButtonClass) {
    return (control->style & wm::kBsTypeMask) == wm::kBsGroupBox ? FitKind::Frame : FitKind::Button;
  }
  if (name == wm::kStaticClass) {
    return (control->style & wm::kSsTypeMask) == wm::kSsIcon ? FitKind::Fixed : FitKind::Label;
  }
  if (name == wm::kEditClass) return FitKind::Edit;
  return FitKind::Fixed;
}

bool GetControlRect(IPanelHost& host, int id, Rect* rect) {
  const WindowHandle control = host.GetDlgItem(id);
  if (control == 0 || rect == nullptr) return false;
  Rect normal;
  if (!host.GetWindowPlacement(control, normal)) return false;
  *rect = normal;
  return true;
}

void PlaceControl(IPanelHost& host, int id, int x, int y) {
  host.SetWindowPos(host.GetDlgItem(id), wm::kHwndBottom, x, y, 0, 0, wm::kSwpNoSize);
}

void MoveControlBy(IPanelHost& host, int id, int dx, int dy) {
  Rect rect;
  GetControlRect(host, id, &rect);
  PlaceControl(host, id, rect.left + dx, rect.top + dy);
}

// Moves and sizes a control as the layout asks, without restacking it.
void PutControl(IPanelHost& host, const FitResult::Change& place) {
  const Rect& r = place.rect;
  const WindowHandle control = host.GetDlgItem(place.id);
  Rect now;
  if (GetControlRect(host, place.id, &now) && now.Width() == r.Width() &&
      now.Height() == r.Height()) {
    host.SetWindowPos(control, wm::kHwndTop, r.left, r.top, 0, 0,
                      wm::kSwpNoSize | wm::kSwpNoZOrder);
  } else {
    host.SetWindowPos(control, wm::kHwndTop, r.left, r.top, r.Width(), r.Height(),
                      wm::kSwpNoZOrder);
  }
}

}  // namespace

// The main template as the panel is created from it. The controls of every page but the first
// are created hidden: start-up hides them all the same (the dialog's page switch), and hiding a
// control that is hidden already costs nothing, where hiding a shown one costs the system a round
// of messages. And the controls come in the z-order that arranging the panel leaves them in, the
// placed ones last and in the order they are placed, so that placing them need not restack them
// one by one; the tab order the user sees is the same.
const DialogTemplate& CPanelLayout::StartTemplate() {
  static const std::vector<ControlTemplate> controls = [] {
    const DialogTemplate& main = MainDialogTemplate();
    auto placed = [](int id) {
      const auto placements = PanelPlacements();
      return std::any_of(placements.begin(), placements.end(),
                         [id](const Placement& place) { return place.controlId == id; });
    };
    std::vector<ControlTemplate> created;
    for (const ControlTemplate& control : main.controls) {
      if (!placed(control.id)) created.push_back(control);
    }
    for (const Placement& place : PanelPlacements()) created.push_back(*main.Find(place.controlId));
    for (ControlTemplate& control : created) {
      if (PageOf(control.id) > 0) control.style &= ~wm::kWsVisible;
    }
    return created;
  }();
  static const DialogTemplate start = [] {
    DialogTemplate dialog = MainDialogTemplate();
    dialog.controls = controls;
    return dialog;
  }();
  return start;
}

void CPanelLayout::Arrange(IPanelHost& host, int dpi) {
  m_dpi = dpi;
  ScaleTabItems(host);
  Rect anchor;
  GetControlRect(host, IDC_SHOW_GROUP, &anchor);
  // The panel is created in the z-order this arrangement ends with (StartTemplate), and the
  // dialog comes to the top when it is shown and activated: nothing here needs restacking, which
  // would cost the system a round of messages per window.
  host.SetWindowPos(host.DialogWindow(), wm::kHwndTop, 0, 0,
                    anchor.right + Scaled(kDialogExtraWidth),
                    anchor.bottom + Scaled(kDialogExtraHeight), wm::kSwpNoMove | wm::kSwpNoZOrder);
  std::map<int, Rect> arranged;
  for (const Placement& place : PanelPlacements()) {
    const int x = anchor.left + Scaled(place.dx);
    const int y = anchor.top + Scaled(place.dy);
    Rect now;
    GetControlRect(host, place.controlId, &now);
    Point size{now.Width(), now.Height()};
    if (m_dpi != kDefaultDpi && !IsPageFrame(place.controlId)) {
      // Off 96 DPI the font's dialog units do not grow exactly as DPI / 96 does, so a control
      // kept at its template size would grow into the scaled gap after it. Its size is its
      // 96-DPI size scaled the same way as the distances. The group boxes keep the anchor's
      // size.
      const Point template96 = host.TemplateSize(place.controlId, kDefaultDpi);
      size = {Scaled(template96.x), Scaled(template96.y)};
    }
    arranged[place.controlId] = {x, y, x + size.x, y + size.y};
  }
  const FitResult fit = FitToFont(host, arranged);
  for (const FitResult::Change& change : fit.changes) arranged[change.id] = change.rect;
  // What the first frame shows goes to its place now; the hidden pages later (PlaceHiddenPage).
  m_hiddenPlaces.clear();
  for (const auto& [id, rect] : arranged) {
    if (PageOf(id) > 0) {
      m_hiddenPlaces.push_back({id, rect});
    } else {
      PutControl(host, {id, rect});
    }
  }
  if (fit.grow.x > 0 || fit.grow.y > 0) {
    ResizeItself(host,
                 {0, 0, anchor.right + Scaled(kDialogExtraWidth) + fit.grow.x,
                  anchor.bottom + Scaled(kDialogExtraHeight) + fit.grow.y},
                 wm::kSwpNoMove | wm::kSwpNoZOrder);
  }
}

void CPanelLayout::PlaceHiddenPage(IPanelHost& host, int page) {
  std::erase_if(m_hiddenPlaces, [&](const FitResult::Change& place) {
    if (PageOf(place.id) != page) return false;
    PutControl(host, place);
    return true;
  });
}

void CPanelLayout::PlaceHiddenPages(IPanelHost& host) {
  for (const FitResult::Change& place : m_hiddenPlaces) PutControl(host, place);
  m_hiddenPlaces.clear();
}

// The distances and sizes above are the dialog face's. A face standing in for it may draw the
// texts wider or taller: what does not fit then grows, in place, and the dialog with it. With
// the dialog face nothing changes.
FitResult CPanelLayout::FitToFont(IPanelHost& host, const std::map<int, Rect>& arranged) {
  auto measure = [&host, &arranged](int id) {
    FitControl control{id, FitKindOf(StartTemplate(), id), {}, 0};
    const auto place = arranged.find(id);
    if (place != arranged.end()) {
      control.rect = place->second;
    } else {
      GetControlRect(host, id, &control.rect);
    }
    if (control.kind != FitKind::Fixed && control.kind != FitKind::Edit) {
      control.textWidth = host.TextWidth(id);
    }
    return control;
  };
  FitInput input;
  for (const TabPage& page : TabPages()) {
    auto& controls = input.pages.emplace_back();
    for (int id : page.controls) controls.push_back(measure(id));
  }
  input.header = {measure(kListCaptionId), measure(IDC_REFRESH)};
  input.tab = measure(IDC_TAB);
  input.tabStripWidth = host.TabStripWidth(IDC_TAB);
  host.GetClientRect(input.client);
  input.dpi = m_dpi;
  return FitPanel(input);
}

// A resize of the panel's own making: it reflows nothing, and the client size it ends with is
// where the user's next resize is measured from.
void CPanelLayout::ResizeItself(IPanelHost& host, const Rect& outer, unsigned flags) {
  m_resizingItself = true;
  host.SetWindowPos(host.DialogWindow(), wm::kHwndTop, outer.left, outer.top, outer.Width(),
                    outer.Height(), flags);
  m_resizingItself = false;
  Rect client;
  if (host.GetClientRect(client) && client.Height() >= Scaled(kMinReflowHeight)) {
    m_lastCx = client.Width();
    m_lastCy = client.Height();
  }
}

bool CPanelLayout::OnSize(IPanelHost& host, int cx, int cy) {
  if (cy < Scaled(kMinReflowHeight)) return false;
  if (m_resizingItself) return true;  // ResizeItself records the size it ends with
  if (m_sizeEvents < 2) {
    ++m_sizeEvents;
    m_lastCx = cx;
    m_lastCy = cy;
    return true;
  }
  const int dx = cx - m_lastCx;
  const int dy = cy - m_lastCy;
  PlaceHiddenPages(host);  // a reflow moves every page from where the layout put it

  Rect list;
  GetControlRect(host, IDC_WINDOW_LIST, &list);
  host.SetWindowPos(host.GetDlgItem(IDC_WINDOW_LIST), wm::kHwndBottom, 0, 0, list.Width() + dx,
                    list.Height() + dy, wm::kSwpNoMove);
  MoveControlBy(host, IDC_REFRESH, dx, 0);
  for (int id : BottomAnchoredControls()) MoveControlBy(host, id, 0, dy);

  m_lastCx = cx;
  m_lastCy = cy;
  host.InvalidateDialog(true);
  return true;
}

int CPanelLayout::Scaled(int pixels) const {
  return ScaleForDpi(pixels, m_dpi);
}

// The tab control's own padding and least width are pixels that do not grow with the DPI (nor
// does the font's average width that the least width derives from under Wine): off 96 DPI the row
// of tabs would no longer span the panel.
void CPanelLayout::ScaleTabItems(IPanelHost& host) const {
  host.TabSetItemMetrics(IDC_TAB, {Scaled(kTabItemPadding.x), Scaled(kTabItemPadding.y)},
                         Scaled(kTabItemLeastWidth));
}

bool CPanelLayout::OnDpiChanged(IPanelHost& host, int dpi, const Rect& suggested) {
  if (dpi <= 0 || dpi == m_dpi) return true;
  PlaceHiddenPages(host);
  // Every control keeps its place relative to the others, in the new DPI's pixels; the resize
  // to the suggested rectangle then only records the new client size.
  host.ScaleControls(m_dpi, dpi);
  m_dpi = dpi;
  ScaleTabItems(host);
  constexpr unsigned kFlags = wm::kSwpNoZOrder | wm::kSwpNoActivate;
  ResizeItself(host, suggested, kFlags);
  // The font at the new size may round differently from the rectangles.
  const FitResult fit = FitToFont(host);
  for (const FitResult::Change& change : fit.changes) PutControl(host, change);
  if (fit.grow.x > 0 || fit.grow.y > 0) {
    ResizeItself(host,
                 {suggested.left, suggested.top, suggested.right + fit.grow.x,
                  suggested.bottom + fit.grow.y},
                 kFlags | wm::kSwpNoMove);
  }
  return true;
}
