#include "fakes/fake_panel_host.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <utility>

#include "fakes/call_log.h"
#include "res/resource.h"

using fake::Call;

namespace {

constexpr unsigned kSizeRestored = 0;
constexpr unsigned kSizeMinimized = 1;

// Dialog units to pixels, rounded the way MulDiv rounds.
int MulDiv(int value, int numerator, int denominator) {
  return static_cast<int>(std::lround(static_cast<double>(value) * numerator / denominator));
}

// The characters of a UTF-8 text: every byte but the continuation bytes.
int CodePoints(const std::string& text) {
  return static_cast<int>(
      std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

int ClampTo(int value, int bound1, int bound2) {
  return std::clamp(value, std::min(bound1, bound2), std::max(bound1, bound2));
}

}  // namespace

CFakePanelHost::CFakePanelHost(const DialogTemplate& dialog, WindowHandle dialogHandle, int dpi)
    : m_template(dialog), m_handle(dialogHandle), m_dpi(dpi) {
  WindowHandle next = dialogHandle + 1;
  for (const ControlTemplate& t : dialog.controls) {
    FakeControl control;
    control.id = t.id;
    control.handle = next++;
    control.className = t.className;
    control.text = t.text;
    control.style = t.style;
    control.visible = (t.style & wm::kWsVisible) != 0;
    const int left = MulDiv(t.x, Px(kBaseUnitX), 4);
    const int top = MulDiv(t.y, Px(kBaseUnitY), 8);
    control.rect = {left, top, left + MulDiv(t.cx, Px(kBaseUnitX), 4),
                    top + MulDiv(t.cy, Px(kBaseUnitY), 8)};
    // An auto-buddy up-down takes the control created just before it; it writes nothing yet.
    if ((t.style & wm::kUdsAutoBuddy) && !m_controls.empty())
      control.buddy = m_controls.back().handle;
    m_controls.push_back(control);
    m_zorder.push_back(control.handle);
  }
  m_outer = {0, 0, MulDiv(dialog.cx, Px(kBaseUnitX), 4) + 2 * Px(kFrame),
             MulDiv(dialog.cy, Px(kBaseUnitY), 8) + NonClientHeight()};
}

int CFakePanelHost::Px(int pixelsAt96) const {
  return MulDiv(pixelsAt96, m_dpi, 96);
}

int CFakePanelHost::NonClientHeight() const {
  return Px(2 * kFrame + kCaption + (m_template.menuId ? kMenuBar : 0));
}

Rect CFakePanelHost::ClientSize() const {
  if (m_minimized) return m_iconicClient;
  return {0, 0, std::max(m_outer.Width() - 2 * Px(kFrame), 0),
          std::max(m_outer.Height() - NonClientHeight(), 0)};
}

void CFakePanelHost::Create(CDialog& dialog, bool idle) {
  m_dialog = &dialog;
  dialog.Attach(this);
  const Rect client = ClientSize();
  DeliverSize(kSizeRestored, client.right, client.bottom);
  Record("OnInitDialog");
  dialog.OnInitDialog();
  if (idle) Idle();
}

void CFakePanelHost::Idle() {
  Record("OnIdle");
  while (m_dialog->OnIdle()) {
  }
}

FakeControl* CFakePanelHost::Find(int id) {
  auto it = std::find_if(m_controls.begin(), m_controls.end(),
                         [id](const FakeControl& c) { return c.id == id; });
  return it == m_controls.end() ? nullptr : &*it;
}

FakeControl* CFakePanelHost::FindByHandle(WindowHandle handle) {
  auto it = std::find_if(m_controls.begin(), m_controls.end(),
                         [handle](const FakeControl& c) { return c.handle == handle; });
  return it == m_controls.end() ? nullptr : &*it;
}

FakeControl& CFakePanelHost::Control(int id) {
  FakeControl* control = Find(id);
  if (!control) throw std::out_of_range("no control " + std::to_string(id));
  return *control;
}

std::vector<int> CFakePanelHost::ZOrder() {
  std::vector<int> ids;
  for (WindowHandle handle : m_zorder) ids.push_back(FindByHandle(handle)->id);
  return ids;
}

// --- what the user and the platform do --------------------------------------------------

void CFakePanelHost::DeliverSize(unsigned type, int cx, int cy) {
  Record(Call("OnSize", type, cx, cy));
  if (m_dialog) m_dialog->OnSize(type, cx, cy);
}

void CFakePanelHost::Command(int id, int code) {
  Record(Call("OnCommand", id, code));
  m_dialog->OnCommand(id, code);
}

void CFakePanelHost::Notify(int id, int code) {
  std::intptr_t result = 0;
  Record(Call("OnNotify", id, code));
  m_dialog->OnNotify(id, code, &result);
}

void CFakePanelHost::SelectRow(int row) {
  Control(IDC_WINDOW_LIST).curSel = row;
  Control(IDC_WINDOW_LIST).caret = row;
  Command(IDC_WINDOW_LIST, wm::kLbnSelChange);
}

void CFakePanelHost::ContextMenuOnList(std::optional<int> row) {
  const FakeControl& list = Control(IDC_WINDOW_LIST);
  std::optional<Point> at;
  if (row) at = Point{list.rect.left + 2, list.rect.top + *row * kRowHeight + kRowHeight / 2};
  Record(Call("OnContextMenu", row.value_or(-1)));
  m_dialog->OnContextMenu(list.handle, at);
}

void CFakePanelHost::PointAt(int id) {
  m_pointing = &id;
  m_dialog->PreTranslateMessage(PlatformMessage{&id});
  m_pointing = nullptr;
}

void CFakePanelHost::TooltipRelayEvent(const PlatformMessage& message) {
  ++m_tooltip.relayed;
  if (IsPointerMessage(message)) m_tooltip.pointedAt = *m_pointing;
}

bool CFakePanelHost::PressKey(KeyPress key) {
  m_pressing = &key;
  const bool taken = m_dialog->PreTranslateMessage(PlatformMessage{&key});
  m_pressing = nullptr;
  return taken;
}

void CFakePanelHost::ClickTab(int index) {
  Control(IDC_TAB).curSel = index;
  Notify(IDC_TAB, wm::kTcnSelChange);
}

void CFakePanelHost::TabSelectAsUser(int id, int index) {
  Record(Call("TabSelectAsUser", id, index));
  if (Control(id).curSel == index) return;
  Control(id).curSel = index;
  Notify(id, wm::kTcnSelChange);
}

void CFakePanelHost::ReleaseTrackbar(int position) {
  FakeControl& slider = Control(IDC_ALPHA_SLIDER);
  slider.pos = ClampTo(position, slider.rangeMin, slider.rangeMax);
  Notify(IDC_ALPHA_SLIDER, wm::kNmReleasedCapture);
}

void CFakePanelHost::TypeChars(int id, const std::string& chars) {
  FakeControl& edit = Control(id);
  for (char c : chars) WriteText(edit, edit.text + c);
}

void CFakePanelHost::StepUpDown(int id, int delta) {
  FakeControl& upDown = Control(id);
  // Each step starts from the number the buddy shows, when it shows one.
  if (FakeControl* buddy = FindByHandle(upDown.buddy)) {
    char* end = nullptr;
    const long shown = std::strtol(buddy->text.c_str(), &end, upDown.base);
    if (!buddy->text.empty() && *end == '\0') upDown.upDownPos = static_cast<int>(shown);
  }
  const int next = ClampTo(upDown.upDownPos + delta, upDown.lower, upDown.upper);
  if (next == upDown.upDownPos) return;
  upDown.upDownPos = next;
  WriteBuddy(upDown);
}

bool CFakePanelHost::Tick(unsigned timerId) {
  if (!m_timers.count(timerId)) return false;
  Record(Call("OnTimer", timerId));
  m_dialog->OnTimer(timerId);
  return true;
}

void CFakePanelHost::ResizeOuter(int width, int height) {
  const Rect before = ClientSize();
  m_outer.right = m_outer.left + std::max(width, 0);
  m_outer.bottom = m_outer.top + std::max(height, 0);
  const Rect after = ClientSize();
  if (!m_minimized && after != before) DeliverSize(kSizeRestored, after.right, after.bottom);
}

void CFakePanelHost::Minimize() {
  if (m_minimized) return;
  m_minimized = true;
  DeliverSize(kSizeMinimized, 0, 0);
}

void CFakePanelHost::Restore() {
  if (!m_minimized) return;
  m_minimized = false;
  const Rect client = ClientSize();
  DeliverSize(kSizeRestored, client.right, client.bottom);
}

void CFakePanelHost::WriteText(FakeControl& control, const std::string& text) {
  control.text = text;
  if (control.className == "EDIT" && m_dialog) Command(control.id, wm::kEnChange);
}

void CFakePanelHost::WriteBuddy(FakeControl& upDown) {
  FakeControl* buddy = FindByHandle(upDown.buddy);
  if (!buddy || !(upDown.style & wm::kUdsSetBuddyInt)) return;
  const std::string text = std::to_string(upDown.upDownPos);
  if (buddy->text != text) WriteText(*buddy, text);
}

// --- IPanelHost ---------------------------------------------------------------------------

WindowHandle CFakePanelHost::GetDlgItem(int id) {
  FakeControl* control = Find(id);
  return control ? control->handle : 0;
}

std::string CFakePanelHost::GetDlgItemText(int id) {
  FakeControl* control = Find(id);
  return control ? control->text : std::string();
}

void CFakePanelHost::SetDlgItemText(int id, const std::string& text) {
  Record(Call("SetDlgItemText", id, text));
  if (FakeControl* control = Find(id)) WriteText(*control, text);
}

bool CFakePanelHost::ShowWindow(WindowHandle window, int command) {
  FakeControl* control = FindByHandle(window);
  if (!control) return false;
  Record(Call("ShowWindow", control->id, command));
  return std::exchange(control->visible, command != wm::kSwHide);
}

bool CFakePanelHost::GetWindowPlacement(WindowHandle window, Rect& normalPosition) {
  FakeControl* control = FindByHandle(window);
  if (window != m_handle && !control) return false;
  normalPosition = control ? control->rect : m_outer;
  return true;
}

bool CFakePanelHost::SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y,
                                  int cx, int cy, unsigned flags) {
  FakeControl* control = FindByHandle(window);
  const std::string who = window == m_handle ? "dialog" : control ? fake::Text(control->id) : "?";
  Record(Call("SetWindowPos", who, fake::After(insertAfter), x, y, cx, cy, fake::Hex(flags)));
  if (window == m_handle) {
    if (!(flags & wm::kSwpNoMove)) m_outer = {x, y, x + m_outer.Width(), y + m_outer.Height()};
    if (!(flags & wm::kSwpNoSize)) ResizeOuter(cx, cy);  // delivers OnSize before returning
    return true;
  }
  if (!control) return false;
  Rect& r = control->rect;
  if (!(flags & wm::kSwpNoSize))
    r = {r.left, r.top, r.left + std::max(cx, 0), r.top + std::max(cy, 0)};
  if (!(flags & wm::kSwpNoMove)) r = {x, y, x + r.Width(), y + r.Height()};
  if (flags & wm::kSwpNoZOrder) return true;
  std::erase(m_zorder, window);
  if (insertAfter == wm::kHwndBottom) {
    m_zorder.push_back(window);
  } else {
    auto after = std::find(m_zorder.begin(), m_zorder.end(), insertAfter);
    m_zorder.insert(after == m_zorder.end() ? m_zorder.begin() : after + 1, window);
  }
  return true;
}

void CFakePanelHost::ScaleControls(int fromDpi, int toDpi) {
  Record(Call("ScaleControls", fromDpi, toDpi));
  for (FakeControl& control : m_controls) {
    const Rect& r = control.rect;
    control.rect = {MulDiv(r.left, toDpi, fromDpi), MulDiv(r.top, toDpi, fromDpi),
                    MulDiv(r.right, toDpi, fromDpi), MulDiv(r.bottom, toDpi, fromDpi)};
  }
  m_dpi = toDpi;
}

Point CFakePanelHost::TemplateSize(int id, int dpi) {
  const ControlTemplate* t = m_template.Find(id);
  if (!t) return {};
  return {MulDiv(t->cx, MulDiv(kBaseUnitX, dpi, 96), 4),
          MulDiv(t->cy, MulDiv(kBaseUnitY, dpi, 96), 8)};
}

int CFakePanelHost::TextWidth(int id) {
  const auto set = textWidths.find(id);
  if (set != textWidths.end()) return set->second;
  return CodePoints(Control(id).text) * Px(kBaseUnitX);
}

int CFakePanelHost::TabStripWidth(int id) {
  int width = 0;
  for (const std::string& tab : Control(id).tabs)
    width += CodePoints(tab) * Px(kBaseUnitX) + Px(12);
  return width;
}

void CFakePanelHost::InvalidateDialog(bool erase) {
  Record(Call("InvalidateDialog", erase));
  ++m_invalidations;
}

void CFakePanelHost::ListResetContent(int id) {
  Record(Call("ListResetContent", id));
  Control(id).rows.clear();
  Control(id).curSel = -1;
  Control(id).caret = 0;
  Control(id).topIndex = 0;
}

void CFakePanelHost::ListSetTopIndex(int id, int index) {
  FakeControl& list = Control(id);
  if (index < 0 || index >= static_cast<int>(list.rows.size())) return;  // LB_ERR, unchanged
  list.topIndex = index;
}

void CFakePanelHost::ListInitStorage(int id, int items, int /*bytes*/) {
  Control(id).reservedRows = items;
}

void CFakePanelHost::ListSetRedraw(int id, bool redraw) {
  Record(Call("ListSetRedraw", id, redraw));
  Control(id).redraw = redraw;
}

int CFakePanelHost::ListInsertString(int id, int row, const std::string& text) {
  Record(Call("ListInsertString", id, row, text));
  FakeControl& list = Control(id);
  if (row < 0 || row > static_cast<int>(list.rows.size())) return -1;  // LB_ERR
  if (list.rows.size() >= list.rowLimit) return -2;                    // LB_ERRSPACE
  list.rows.insert(list.rows.begin() + row, text);
  if (list.curSel >= row) ++list.curSel;
  return row;
}

void CFakePanelHost::ListDeleteString(int id, int row) {
  Record(Call("ListDeleteString", id, row));
  FakeControl& list = Control(id);
  if (row < 0 || row >= static_cast<int>(list.rows.size())) return;
  list.rows.erase(list.rows.begin() + row);
  if (list.curSel == row) {
    list.curSel = -1;
  } else if (list.curSel > row) {
    --list.curSel;
  }
  const int last = std::max(static_cast<int>(list.rows.size()) - 1, 0);
  list.topIndex = std::min(list.topIndex, last);
  list.caret = std::min(list.caret, last);
}

void CFakePanelHost::ListSetCaretIndex(int id, int row) {
  Record(Call("ListSetCaretIndex", id, row));
  FakeControl& list = Control(id);
  if (row >= 0 && row < static_cast<int>(list.rows.size())) list.caret = row;
}

void CFakePanelHost::ListSetCurSel(int id, int row) {
  Record(Call("ListSetCurSel", id, row));
  FakeControl& list = Control(id);
  list.curSel = row >= 0 && row < static_cast<int>(list.rows.size()) ? row : -1;
}

std::string CFakePanelHost::ListGetText(int id, int row) {
  const std::vector<std::string>& rows = Control(id).rows;
  return row < 0 || row >= static_cast<int>(rows.size()) ? std::string()
                                                         : rows[static_cast<std::size_t>(row)];
}

void CFakePanelHost::TabInsertItem(int id, int index, const std::string& text) {
  Record(Call("TabInsertItem", id, index, text));
  FakeControl& tab = Control(id);
  index = std::clamp(index, 0, static_cast<int>(tab.tabs.size()));
  tab.tabs.insert(tab.tabs.begin() + index, text);
  if (tab.tabs.size() == 1) tab.curSel = 0;  // the first item becomes the current tab
}

int CFakePanelHost::TabGetCurSel(int id) {
  Record(Call("TabGetCurSel", id));
  return Control(id).curSel;
}

// The fake's items take their text and 12 pixels at any DPI, scaled (TabStripWidth).
void CFakePanelHost::TabSetItemMetrics(int id, Point padding, int leastWidth) {
  Record(Call("TabSetItemMetrics", id, padding.x, padding.y, leastWidth));
}

void CFakePanelHost::TrackbarSetRangeMin(int id, bool redraw, int minimum) {
  Record(Call("TrackbarSetRangeMin", id, redraw, minimum));
  Control(id).rangeMin = minimum;
}

void CFakePanelHost::TrackbarSetRangeMax(int id, bool redraw, int maximum) {
  Record(Call("TrackbarSetRangeMax", id, redraw, maximum));
  Control(id).rangeMax = maximum;
}

void CFakePanelHost::TrackbarSetPos(int id, bool redraw, int position) {
  Record(Call("TrackbarSetPos", id, redraw, position));
  FakeControl& slider = Control(id);
  slider.pos = ClampTo(position, slider.rangeMin, slider.rangeMax);
}

void CFakePanelHost::UpDownSetBase(int id, int base) {
  Record(Call("UpDownSetBase", id, base));
  Control(id).base = base;
}

void CFakePanelHost::UpDownSetBuddy(int id, WindowHandle buddy) {
  const FakeControl* edit = FindByHandle(buddy);
  Record(Call("UpDownSetBuddy", id, edit ? fake::Text(edit->id) : "?"));
  Control(id).buddy = buddy;
}

void CFakePanelHost::UpDownSetRange(int id, int lower, int upper) {
  Record(Call("UpDownSetRange", id, lower, upper));
  // The 16-bit message carries each bound in one word.
  Control(id).lower = static_cast<std::int16_t>(lower);
  Control(id).upper = static_cast<std::int16_t>(upper);
}

void CFakePanelHost::UpDownSetPos(int id, int position) {
  Record(Call("UpDownSetPos", id, position));
  FakeControl& upDown = Control(id);
  upDown.upDownPos = ClampTo(position, upDown.lower, upDown.upper);
  WriteBuddy(upDown);
}

void CFakePanelHost::TooltipCreate() {
  Record("TooltipCreate");
  m_tooltip.created = true;
}

void CFakePanelHost::TooltipActivate(bool active) {
  Record(Call("TooltipActivate", active));
  m_tooltip.active = active;
}

void CFakePanelHost::SetTimer(unsigned id, unsigned milliseconds) {
  Record(Call("SetTimer", id, milliseconds));
  m_timers.insert(id);
}

void CFakePanelHost::KillTimer(unsigned id) {
  Record(Call("KillTimer", id));
  m_timers.erase(id);
}

void CFakePanelHost::SetIcon(IconHandle icon, bool big) {
  Record(Call("SetIcon", big ? "big" : "small", icon));
}

int CFakePanelHost::GetSystemMetrics(int index) {
  return index == wm::kSmCxIcon || index == wm::kSmCyIcon ? kIconSize : 0;
}

bool CFakePanelHost::GetClientRect(Rect& rect) {
  rect = ClientSize();
  return true;
}

PaintContext CFakePanelHost::BeginPaint() {
  Record("BeginPaint");
  return 77;
}

void CFakePanelHost::EraseIconBackground(PaintContext dc) {
  Record(Call("EraseIconBackground", dc));
}

void CFakePanelHost::DrawIcon(PaintContext dc, int x, int y, IconHandle icon) {
  Record(Call("DrawIcon", dc, x, y, icon));
}

void CFakePanelHost::EndPaint(PaintContext dc) {
  Record(Call("EndPaint", dc));
}

int CFakePanelHost::ListItemFromPoint(int id, Point screen) {
  const FakeControl& list = Control(id);
  if (screen.x < list.rect.left || screen.x >= list.rect.right || screen.y < list.rect.top) {
    return -1;
  }
  const int row = list.topIndex + (screen.y - list.rect.top) / kRowHeight;
  return row < static_cast<int>(list.rows.size()) ? row : -1;
}

Point CFakePanelHost::ListMenuPoint(int id, int row) {
  const FakeControl& list = Control(id);
  if (row < 0) return {list.rect.left, list.rect.top};
  return {list.rect.left, list.rect.top + (row - list.topIndex + 1) * kRowHeight};
}

int CFakePanelHost::TrackPopupMenu(int id, const std::vector<MenuItem>& items, Point screen) {
  Record(Call("TrackPopupMenu", id, static_cast<int>(items.size())));
  m_menus.push_back({items, screen});
  if (!onMenu) return 0;
  auto modalLoop = onMenu;  // the loop may replace the hook
  return modalLoop(items);
}

std::optional<KeyPress> CFakePanelHost::KeyPressOf(const PlatformMessage& message) {
  if (!m_pressing || message.native != m_pressing) return std::nullopt;
  return *m_pressing;
}

void CFakePanelHost::MessageBox(const std::string& text) {
  Record(Call("MessageBox", text));
  m_messageBoxes.push_back(text);
  if (onMessageBox) {
    auto modalLoop = onMessageBox;  // the loop may replace the hook
    modalLoop();
  }
}

int CFakePanelHost::RunModal(CDialog& dialog) {
  Record(Call("RunModal", dialog.TemplateId()));
  m_modalRuns.push_back(dialog.TemplateId());
  const bool version = dialog.TemplateId() == VersionDialogTemplate().id;
  CFakePanelHost child(version ? VersionDialogTemplate() : MainDialogTemplate(), m_handle + 1000);
  child.Create(dialog);
  return onModal ? onModal(dialog, child) : wm::kIdOk;
}

void CFakePanelHost::EndDialog(int result) {
  Record(Call("EndDialog", result));
  m_endResult = result;
}

void CFakePanelHost::Exit(int status) {
  Record(Call("Exit", status));
  m_exitStatus = status;
}
