// The panel host seam: a dialog's own window and its controls. The core reaches its controls by
// id through this interface; the Win32 implementation talks to the real dialog, the test fake
// models the controls and the platform behaviour the logic depends on.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"

class CDialog;

// A message taken from the message loop, passed through to the platform untouched.
struct PlatformMessage {
  const void* native = nullptr;
};

// A key pressed in the dialog, as the message loop takes it.
struct KeyPress {
  unsigned key = 0;  // the virtual key: 'A' to 'Z' for the letters
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
};

// An item of a shortcut menu.
struct MenuItem {
  int id = 0;
  std::string text;  // with the mnemonic after '&'
  bool grayed = false;
};

class IPanelHost {
 public:
  virtual ~IPanelHost() = default;

  // The dialog window and its controls.
  virtual WindowHandle DialogWindow() = 0;
  virtual WindowHandle GetDlgItem(int id) = 0;     // 0 when the dialog has no such control
  virtual std::string GetDlgItemText(int id) = 0;  // the whole text, whatever its length
  // Edits raise EN_CHANGE synchronously, as on the platform.
  virtual void SetDlgItemText(int id, const std::string& text) = 0;
  virtual WindowHandle GetFocus() = 0;
  // Gives the focus to a control as the dialog does for Tab (an edit's text comes selected).
  virtual void FocusControl(WindowHandle control) = 0;

  // Placement of the dialog and its controls.
  virtual bool ShowWindow(WindowHandle window, int command) = 0;
  virtual bool GetWindowPlacement(WindowHandle window, Rect& normalPosition) = 0;
  virtual bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx,
                            int cy, unsigned flags) = 0;
  virtual void InvalidateDialog(bool erase) = 0;

  // The dialog's DPI (96 at 100 %), and the scaling of its controls' rectangles and font when
  // the dialog moves to a monitor of another DPI.
  virtual int GetDpi() = 0;
  virtual void ScaleControls(int fromDpi, int toDpi) = 0;
  // The pixel size that control `id`'s template size (dialog units) has with the dialog font at
  // `dpi`, as the dialog manager would create it there.
  virtual Point TemplateSize(int id, int dpi) = 0;
  // Measured with the font the controls are drawn in: the width of control `id`'s text (0 when
  // it has none), and the width the items of tab control `id` take side by side.
  virtual int TextWidth(int id) = 0;
  virtual int TabStripWidth(int id) = 0;

  // List box. Inserting at the row count appends; a refused row (out of memory) returns a
  // negative number and leaves the list as it was.
  virtual void ListResetContent(int id) = 0;
  virtual int ListInsertString(int id, int row, const std::string& text) = 0;
  virtual void ListDeleteString(int id, int row) = 0;
  virtual int ListGetCurSel(int id) = 0;
  virtual void ListSetCurSel(int id, int row) = 0;  // -1 selects nothing; notifies nobody
  // The row with the focus rectangle, where the arrow keys start from; setting it scrolls the
  // row into view.
  virtual int ListGetCaretIndex(int id) = 0;
  virtual void ListSetCaretIndex(int id, int row) = 0;
  virtual int ListGetCount(int id) = 0;
  virtual std::string ListGetText(int id, int row) = 0;
  virtual int ListGetTopIndex(int id) = 0;
  virtual void ListSetTopIndex(int id, int index) = 0;
  // Reserves room for `items` more rows of `bytes` text in all before they are inserted.
  virtual void ListInitStorage(int id, int items, int bytes) = 0;
  // Suspends drawing while the list changes; turning it back on repaints the list once.
  virtual void ListSetRedraw(int id, bool redraw) = 0;

  // The row at a point on the screen; -1 where there is none.
  virtual int ListItemFromPoint(int id, Point screen) = 0;
  // Where a shortcut menu asked for from the keyboard opens for `row`: below its text, on the
  // screen; at the list's corner for no row.
  virtual Point ListMenuPoint(int id, int row) = 0;

  // Tab control.
  virtual void TabInsertItem(int id, int index, const std::string& text) = 0;
  virtual int TabGetCurSel(int id) = 0;
  // Selects item `index` as a click on its tab does, telling the dialog as the click does
  // (TCN_SELCHANGING, then TCN_SELCHANGE).
  virtual void TabSelectAsUser(int id, int index) = 0;
  // The room tab control `id` leaves around each item's text, and the least width of an item,
  // in pixels; the items are laid out again with them.
  virtual void TabSetItemMetrics(int id, Point padding, int leastWidth) = 0;

  // Trackbar. Setting the position from code notifies nobody.
  virtual void TrackbarSetRangeMin(int id, bool redraw, int minimum) = 0;
  virtual void TrackbarSetRangeMax(int id, bool redraw, int maximum) = 0;
  virtual void TrackbarSetPos(int id, bool redraw, int position) = 0;
  virtual int TrackbarGetPos(int id) = 0;

  // Up-down control. Setting the position writes it into the buddy edit.
  virtual void UpDownSetBase(int id, int base) = 0;
  virtual void UpDownSetBuddy(int id, WindowHandle buddy) = 0;
  virtual void UpDownSetRange(int id, int lower, int upper) = 0;  // the 16-bit UDM_SETRANGE
  virtual void UpDownSetPos(int id, int position) = 0;

  // Tooltip control owned by the dialog.
  virtual void TooltipCreate() = 0;
  virtual void TooltipSetBkColor(std::uint32_t color) = 0;
  virtual void TooltipSetTextColor(std::uint32_t color) = 0;
  virtual void TooltipAddTool(WindowHandle control, const std::string& text) = 0;
  virtual void TooltipActivate(bool active) = 0;
  virtual void TooltipRelayEvent(const PlatformMessage& message) = 0;

  // Timers, icons and painting.
  virtual void SetTimer(unsigned id, unsigned milliseconds) = 0;
  virtual void KillTimer(unsigned id) = 0;
  virtual IconHandle LoadIcon(int resourceId) = 0;
  virtual void SetIcon(IconHandle icon, bool big) = 0;
  virtual bool IsIconic() = 0;
  virtual int GetSystemMetrics(int index) = 0;
  virtual bool GetClientRect(Rect& rect) = 0;
  virtual PaintContext BeginPaint() = 0;
  virtual void EraseIconBackground(PaintContext dc) = 0;  // WM_ICONERASEBKGND to the dialog
  virtual void DrawIcon(PaintContext dc, int x, int y, IconHandle icon) = 0;
  virtual void EndPaint(PaintContext dc) = 0;

  // The shortcut menu of control `id` at a point on the screen, run until the user chooses or
  // dismisses it; the chosen item's id, 0 for none. Timers keep ticking while it is open.
  virtual int TrackPopupMenu(int id, const std::vector<MenuItem>& items, Point screen) = 0;
  // The key that a message taken from the loop presses in this dialog or one of its controls;
  // nothing for any other message.
  virtual std::optional<KeyPress> KeyPressOf(const PlatformMessage& message) = 0;
  // Whether a message taken from the loop is the mouse's over a window of the thread.
  virtual bool IsPointerMessage(const PlatformMessage& message) = 0;

  // The dialog keyboard interface (Tab, arrows, Enter to OnOK, Esc to OnCancel).
  virtual bool PreTranslateDialogMessage(const PlatformMessage& message) = 0;

  // The framework's message box: the text, an OK button and the exclamation-mark icon, the
  // executable's base name as caption, the dialog as owner. Timers keep ticking while it shows.
  virtual void MessageBox(const std::string& text) = 0;

  // Runs another dialog modally with this one as its owner; returns its end code.
  virtual int RunModal(CDialog& dialog) = 0;
  virtual void EndDialog(int result) = 0;
  // Ends the process through the runtime's normal exit, from inside the current handler.
  virtual void Exit(int status) = 0;
};
