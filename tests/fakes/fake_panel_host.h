// A fake dialog for the unit tests, built from the same template data as the real one. It models
// the controls and the platform behaviour that the logic depends on, and nothing more:
// - an edit raises EN_CHANGE synchronously whenever its text is set, by the program or the user;
// - an up-down writes its position as plain decimal into its buddy edit, and (as comctl32 does)
//   only when the buddy's text would change; at creation it writes nothing;
// - setting a trackbar's position or a list box's content or selection from code notifies nobody;
// - a list box keeps its selection on the same row when rows are inserted or deleted around it;
// - the first tab item inserted becomes the current tab; a tab selected as by the user notifies
//   the dialog as a click does;
// - resizing the dialog delivers OnSize synchronously with the new client size;
// - a placement without SWP_NOZORDER moves a control in its siblings' z-order;
// - a message box and a shortcut menu run a modal loop in which a test can deliver timer ticks;
// - the list box's rows are kRowHeight pixels tall from its top, and the dialog's client area
//   stands at the screen's origin;
// - a key press and the pointer's moves reach the dialog's PreTranslateMessage first, as from the
//   message loop;
// - the dialog's idle steps run once it is shown, until none remain, as an empty queue runs them.
// Texts are measured one base unit a character, and each tab item takes its text and 12 pixels.
// Dialog units become pixels with fixed base units of 6 x 13 (x * 6 / 4, y * 13 / 8, rounded as
// MulDiv rounds); the dialog's frame, caption and menu bar have fixed sizes (below).
// The log holds the calls that change something and the events delivered to the dialog.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/panel_host.h"
#include "res/templates.h"

struct FakeControl {
  int id = 0;
  WindowHandle handle = 0;
  std::string className, text;
  bool visible = true;
  Rect rect;  // pixels, the dialog's client coordinates
  std::uint32_t style = 0;
  std::vector<std::string> rows;              // list box
  std::vector<std::string> tabs;              // tab control
  int curSel = -1;                            // list box and tab control
  int caret = 0;                              // list box: the row with the focus rectangle
  int topIndex = 0;                           // list box: first visible row
  bool redraw = true;                         // list box: drawing not suspended
  int reservedRows = 0;                       // list box: LB_INITSTORAGE
  std::size_t rowLimit = SIZE_MAX;            // list box: refuses rows beyond (out of memory)
  int rangeMin = 0, rangeMax = 100, pos = 0;  // trackbar
  // Up-down, with the defaults of a new control.
  int base = 10, lower = 100, upper = 0, upDownPos = 0;
  WindowHandle buddy = 0;
};

struct FakeTooltip {
  bool created = false, active = false;
  std::uint32_t bkColor = 0, textColor = 0;
  std::vector<std::pair<WindowHandle, std::string>> tools;
  int relayed = 0;
  int pointedAt = 0;  // the control under the last pointer move the tooltip was told of
};

class CFakePanelHost : public IPanelHost {
 public:
  static constexpr int kBaseUnitX = 6, kBaseUnitY = 13;
  static constexpr int kFrame = 4;      // each side of the sizing frame
  static constexpr int kCaption = 19;   // caption bar height
  static constexpr int kMenuBar = 19;   // menu bar height, for templates with a menu
  static constexpr int kIconSize = 32;  // SM_CXICON and SM_CYICON
  static constexpr int kRowHeight = 13;

  // At a `dpi` other than 96 the base units and the frame scale with it, as the platform's do.
  explicit CFakePanelHost(const DialogTemplate& dialog, WindowHandle dialogHandle = 8000,
                          int dpi = 96);

  // Like the platform: the first size event reaches the dialog before OnInitDialog. The dialog is
  // then idle unless `idle` is false (input came before the queue was ever empty): Idle() runs
  // the idle steps later.
  void Create(CDialog& dialog, bool idle = true);
  void Idle();

  // The user's actions and the platform's events.
  void Click(int id) { Command(id, wm::kBnClicked); }  // also a menu command
  void PressEnter() { Command(wm::kIdOk, wm::kBnClicked); }
  void PressEscape() { Command(wm::kIdCancel, wm::kBnClicked); }
  void SelectRow(int row);
  // A right-click on row `row` of the list (the list's empty space below the rows for a row past
  // the last), or Shift+F10 with the list focused for nothing.
  void ContextMenuOnList(std::optional<int> row);
  // A key pressed in the dialog; whether the dialog took it before the focused control.
  bool PressKey(KeyPress key);
  // The pointer moves over control `id`.
  void PointAt(int id);
  void ClickTab(int index);
  void ReleaseTrackbar(int position);
  void UserSetText(int id, const std::string& text) { WriteText(Control(id), text); }
  void TypeChars(int id, const std::string& chars);  // one EN_CHANGE per character
  void StepUpDown(int id, int delta);                // an arrow click of an up-down
  void SetFocusTo(int id) { m_focus = Control(id).handle; }
  bool Tick(unsigned timerId);              // false when the timer is not running
  void ResizeOuter(int width, int height);  // the user drags the frame
  void Minimize();
  void Restore();
  void SetIconicClientSize(int width, int height) { m_iconicClient = {0, 0, width, height}; }

  // What the dialog did.
  FakeControl& Control(int id);
  const FakeControl* ControlByHandle(WindowHandle handle) { return FindByHandle(handle); }
  std::vector<int> ZOrder();  // ids of the controls, top first
  Rect OuterRect() const { return m_outer; }
  Rect ClientSize() const;
  const std::vector<std::string>& Log() const { return m_log; }
  void ClearLog() { m_log.clear(); }
  const std::vector<std::string>& MessageBoxes() const { return m_messageBoxes; }
  // Every shortcut menu opened, with where it opened.
  struct PopupMenu {
    std::vector<MenuItem> items;
    Point at;
  };
  const std::vector<PopupMenu>& Menus() const { return m_menus; }
  const std::set<unsigned>& Timers() const { return m_timers; }
  const FakeTooltip& Tooltip() const { return m_tooltip; }
  int Invalidations() const { return m_invalidations; }
  std::optional<int> ExitStatus() const { return m_exitStatus; }
  std::optional<int> EndDialogResult() const { return m_endResult; }
  const std::vector<int>& ModalRuns() const { return m_modalRuns; }

  // The dialog face draws every character one base unit wide, so that every text fits; a test
  // sets another width for a control's text here, as a face standing in for it would draw it.
  std::map<int, int> textWidths;

  // Run inside the message box's modal loop, and inside RunModal while the child is open.
  std::function<void()> onMessageBox;
  std::function<int(CDialog&, CFakePanelHost&)> onModal;
  // Run while a shortcut menu is open; the item the user chooses (0: the menu is dismissed).
  std::function<int(const std::vector<MenuItem>&)> onMenu;

  // IPanelHost
  WindowHandle DialogWindow() override { return m_handle; }
  WindowHandle GetDlgItem(int id) override;
  std::string GetDlgItemText(int id) override;
  void SetDlgItemText(int id, const std::string& text) override;
  WindowHandle GetFocus() override { return m_focus; }
  void FocusControl(WindowHandle control) override { m_focus = control; }
  bool ShowWindow(WindowHandle window, int command) override;
  bool GetWindowPlacement(WindowHandle window, Rect& normalPosition) override;
  bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                    unsigned flags) override;
  void InvalidateDialog(bool erase) override;
  int GetDpi() override { return m_dpi; }
  void ScaleControls(int fromDpi, int toDpi) override;
  Point TemplateSize(int id, int dpi) override;
  int TextWidth(int id) override;
  int TabStripWidth(int id) override;
  void ListResetContent(int id) override;
  int ListInsertString(int id, int row, const std::string& text) override;
  void ListDeleteString(int id, int row) override;
  int ListGetCurSel(int id) override { return Control(id).curSel; }
  void ListSetCurSel(int id, int row) override;
  int ListGetCaretIndex(int id) override { return Control(id).caret; }
  void ListSetCaretIndex(int id, int row) override;
  int ListGetCount(int id) override { return static_cast<int>(Control(id).rows.size()); }
  std::string ListGetText(int id, int row) override;
  int ListGetTopIndex(int id) override { return Control(id).topIndex; }
  void ListSetTopIndex(int id, int index) override;
  void ListInitStorage(int id, int items, int bytes) override;
  void ListSetRedraw(int id, bool redraw) override;
  int ListItemFromPoint(int id, Point screen) override;
  Point ListMenuPoint(int id, int row) override;
  void TabInsertItem(int id, int index, const std::string& text) override;
  int TabGetCurSel(int id) override;
  void TabSelectAsUser(int id, int index) override;
  void TabSetItemMetrics(int id, Point padding, int leastWidth) override;
  void TrackbarSetRangeMin(int id, bool redraw, int minimum) override;
  void TrackbarSetRangeMax(int id, bool redraw, int maximum) override;
  void TrackbarSetPos(int id, bool redraw, int position) override;
  int TrackbarGetPos(int id) override { return Control(id).pos; }
  void UpDownSetBase(int id, int base) override;
  void UpDownSetBuddy(int id, WindowHandle buddy) override;
  void UpDownSetRange(int id, int lower, int upper) override;
  void UpDownSetPos(int id, int position) override;
  void TooltipCreate() override;
  void TooltipSetBkColor(std::uint32_t color) override { m_tooltip.bkColor = color; }
  void TooltipSetTextColor(std::uint32_t color) override { m_tooltip.textColor = color; }
  void TooltipAddTool(WindowHandle control, const std::string& text) override {
    m_tooltip.tools.emplace_back(control, text);
  }
  void TooltipActivate(bool active) override;
  void TooltipRelayEvent(const PlatformMessage& message) override;
  void SetTimer(unsigned id, unsigned milliseconds) override;
  void KillTimer(unsigned id) override;
  IconHandle LoadIcon(int resourceId) override {
    return 3000 + static_cast<IconHandle>(resourceId);
  }
  void SetIcon(IconHandle icon, bool big) override;
  bool IsIconic() override { return m_minimized; }
  int GetSystemMetrics(int index) override;
  bool GetClientRect(Rect& rect) override;
  PaintContext BeginPaint() override;
  void EraseIconBackground(PaintContext dc) override;
  void DrawIcon(PaintContext dc, int x, int y, IconHandle icon) override;
  void EndPaint(PaintContext dc) override;
  int TrackPopupMenu(int id, const std::vector<MenuItem>& items, Point screen) override;
  std::optional<KeyPress> KeyPressOf(const PlatformMessage& message) override;
  bool IsPointerMessage(const PlatformMessage& message) override {
    return message.native && message.native == m_pointing;
  }
  bool PreTranslateDialogMessage(const PlatformMessage&) override { return false; }
  void MessageBox(const std::string& text) override;
  int RunModal(CDialog& dialog) override;
  void EndDialog(int result) override;
  void Exit(int status) override;

 private:
  FakeControl* Find(int id);
  FakeControl* FindByHandle(WindowHandle handle);
  void Command(int id, int code);
  void Notify(int id, int code);
  void WriteText(FakeControl& control, const std::string& text);
  void WriteBuddy(FakeControl& upDown);
  void DeliverSize(unsigned type, int cx, int cy);
  void Record(std::string entry) { m_log.push_back(std::move(entry)); }
  int NonClientHeight() const;
  int Px(int pixelsAt96) const;

  const DialogTemplate& m_template;
  WindowHandle m_handle;
  int m_dpi;
  CDialog* m_dialog = nullptr;
  std::vector<FakeControl> m_controls;  // template order
  std::vector<WindowHandle> m_zorder;   // top first
  Rect m_outer, m_iconicClient;
  bool m_minimized = false;
  WindowHandle m_focus = 0;

  std::vector<std::string> m_log, m_messageBoxes;
  std::vector<PopupMenu> m_menus;
  const KeyPress* m_pressing = nullptr;  // the key press being delivered
  const int* m_pointing = nullptr;       // the pointer's move being delivered: over this control
  std::set<unsigned> m_timers;
  FakeTooltip m_tooltip;
  int m_invalidations = 0;
  std::optional<int> m_exitStatus, m_endResult;
  std::vector<int> m_modalRuns;
};
