// The panel host on Win32: one dialog window and its controls.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/dialog_template.h"
#include "platform/panel_host.h"
#include "platform/win32/handles.h"
#include "platform/win32/owner_drawn_menu.h"
#include "platform/win32/win32.h"

class CWin32PanelHost : public IPanelHost {
 public:
  // What the host asks of whoever runs its dialog.
  struct Runner {
    std::function<void(int result)> end;  // ends the dialog's modal run with `result`
    // Runs another dialog modally, owned by `owner`; returns its end code.
    std::function<int(CDialog& dialog, HWND owner)> runModal;
    // Draws the dialog's menus where the system's menu font cannot; none for a dialog without.
    COwnerDrawnMenu* menus = nullptr;
  };
  CWin32PanelHost(const DialogTemplate& dialogTemplate, Runner runner)
      : m_template(dialogTemplate), m_runner(std::move(runner)) {}
  void SetWindow(HWND window) {
    m_window = window;
    m_items.clear();
  }

  WindowHandle DialogWindow() override;
  WindowHandle GetDlgItem(int id) override;
  std::string GetDlgItemText(int id) override;
  void SetDlgItemText(int id, const std::string& text) override;
  WindowHandle GetFocus() override;
  void FocusControl(WindowHandle control) override;

  bool ShowWindow(WindowHandle window, int command) override;
  bool GetWindowPlacement(WindowHandle window, Rect& normalPosition) override;
  bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                    unsigned flags) override;
  void InvalidateDialog(bool erase) override;
  int GetDpi() override;
  void ScaleControls(int fromDpi, int toDpi) override;
  Point TemplateSize(int id, int dpi) override;
  int TextWidth(int id) override;
  int TabStripWidth(int id) override;

  void ListResetContent(int id) override;
  int ListInsertString(int id, int row, const std::string& text) override;
  void ListDeleteString(int id, int row) override;
  int ListGetCurSel(int id) override;
  void ListSetCurSel(int id, int row) override;
  int ListGetCaretIndex(int id) override;
  void ListSetCaretIndex(int id, int row) override;
  int ListGetCount(int id) override;
  std::string ListGetText(int id, int row) override;
  int ListGetTopIndex(int id) override;
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
  int TrackbarGetPos(int id) override;

  void UpDownSetBase(int id, int base) override;
  void UpDownSetBuddy(int id, WindowHandle buddy) override;
  void UpDownSetRange(int id, int lower, int upper) override;
  void UpDownSetPos(int id, int position) override;

  void TooltipCreate() override;
  void TooltipSetBkColor(std::uint32_t color) override;
  void TooltipSetTextColor(std::uint32_t color) override;
  void TooltipAddTool(WindowHandle control, const std::string& text) override;
  void TooltipActivate(bool active) override;
  void TooltipRelayEvent(const PlatformMessage& message) override;

  void SetTimer(unsigned id, unsigned milliseconds) override;
  void KillTimer(unsigned id) override;
  IconHandle LoadIcon(int resourceId) override;
  void SetIcon(IconHandle icon, bool big) override;
  bool IsIconic() override;
  int GetSystemMetrics(int index) override;
  bool GetClientRect(Rect& rect) override;
  PaintContext BeginPaint() override;
  void EraseIconBackground(PaintContext dc) override;
  void DrawIcon(PaintContext dc, int x, int y, IconHandle icon) override;
  void EndPaint(PaintContext dc) override;

  int TrackPopupMenu(int id, const std::vector<MenuItem>& items, Point screen) override;
  std::optional<KeyPress> KeyPressOf(const PlatformMessage& message) override;
  bool IsPointerMessage(const PlatformMessage& message) override;
  bool PreTranslateDialogMessage(const PlatformMessage& message) override;
  void MessageBox(const std::string& text) override;
  int RunModal(CDialog& dialog) override;
  void EndDialog(int result) override;
  [[noreturn]] void Exit(int status) override;

  HWND TooltipWindow() const { return m_tooltip; }

 private:
  HWND Item(int id);
  // The dialog font's base units (average width, height) at a DPI, as the dialog manager
  // measures them; the last answer is kept.
  Point BaseUnits(int dpi);
  LRESULT SendItem(int id, UINT message, WPARAM wParam, LPARAM lParam);

  const DialogTemplate& m_template;
  Runner m_runner;
  HWND m_window = nullptr;
  HWND m_tooltip = nullptr;
  PAINTSTRUCT m_paint{};
  CUniqueMemoryDC m_measuring;  // where texts are measured
  std::wstring m_rowText;
  int m_baseUnitsDpi = 0;
  Point m_baseUnits;
  std::unordered_map<int, HWND> m_items;  // the controls found so far, by id
  CUniqueFont m_scaledFont;               // after a DPI change
};
