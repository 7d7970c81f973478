// Our modal dialog: created from its template with CreateDialogIndirectParamW and run by our own
// message loop, so that the dialog's PreTranslateMessage sees every message before it is
// dispatched.
#pragma once

#include "platform/dialog.h"
#include "platform/win32/owner_drawn_menu.h"
#include "platform/win32/panel_host.h"
#include "platform/win32/win32.h"

class ModalDialog {
 public:
  int TemplateId() const { return m_dialog.TemplateId(); }
  // `owner` is disabled while the dialog runs; null for the main dialog.
  ModalDialog(CDialog& dialog, HWND owner);
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

  // Creates the dialog, runs it until End and destroys it. Returns End's result, or -1 when the
  // dialog could not be created or was destroyed without End.
  int Run();
  void End(int result);

 private:
  bool Create();
  void Attach(HWND window);
  void Detach();
  void MessageLoop();
  bool PreTranslate(const MSG& message);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnInitDialog();
  void CenterIfUnplaced(const RECT& before, LONG styleBefore);

  static LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) noexcept;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept;
  static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM) noexcept;

  CDialog& m_dialog;
  HWND m_owner;
  Win32PanelHost m_host;
  OwnerDrawnMenu m_menu;
  HWND m_window = nullptr;
  WNDPROC m_defaultProc = nullptr;
  bool m_ended = false;
  int m_result = -1;
};

// The application's main dialog. Like the framework's main window, it pre-translates every
// message of every modal loop, also while a child dialog runs.
void SetMainDialog(CDialog* dialog);

// Where CenterWindow puts a window of `window`'s size: centred on `center`, then pushed inside
// `area`.
Point CenteredOrigin(const Rect& window, const Rect& center, const Rect& area);
