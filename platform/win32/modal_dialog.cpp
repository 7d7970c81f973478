#include "platform/win32/modal_dialog.h"

#include <windowsx.h>

#include <cwchar>
#include <vector>

#include "platform/win32/dialog_template.h"
#include "platform/win32/handles.h"
#include "platform/win32/owner_drawn_menu.h"
#include "platform/win32/panel_host.h"
#include "platform/win32/tab_body.h"

namespace {

std::wstring ModuleFileName() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), size);
    if (length < size) return std::wstring(buffer.data(), length);
    buffer.resize(buffer.size() * 2);  // the path was cut: try a larger buffer
  }
}

// A dialog window made from its dialog's template, with its host, run by our own loop.
class CModalDialog {
 public:
  // `owner` is disabled while the dialog runs; null for the main dialog.
  CModalDialog(CDialog& dialog, HWND owner);
  CModalDialog(const CModalDialog&) = delete;
  CModalDialog& operator=(const CModalDialog&) = delete;

  // Creates the dialog, runs it until End and destroys it. Returns End's result, or -1 when the
  // dialog could not be created or was destroyed without End.
  int Run();
  void End(int result);

 private:
  bool Create();
  void Attach(HWND window);
  void Detach();
  void MessageLoop();
  void RunIdleSteps();
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
  CWin32PanelHost m_host;
  COwnerDrawnMenu m_menu;
  CTabBody m_tabBody;
  HWND m_window = nullptr;
  WNDPROC m_defaultProc = nullptr;
  bool m_ended = false;
  bool m_idleStepsLeft = true;
  int m_result = -1;
};

CDialog* g_mainDialog = nullptr;
// The dialog whose window CreateDialogIndirectParamW is about to create.
CModalDialog* g_creating = nullptr;
HHOOK g_creationHook = nullptr;

bool IsDialogClass(HWND window) {
  wchar_t name[16] = {};
  ::GetClassNameW(window, name, 16);
  return std::wcscmp(name, L"#32770") == 0;
}

void RemoveCreationHook() {
  if (g_creationHook) ::UnhookWindowsHookEx(g_creationHook);
  g_creationHook = nullptr;
  g_creating = nullptr;
}

Rect WorkAreaOf(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info);
  return FromRect(info.rcWork);
}

Rect WindowRectOf(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return FromRect(rect);
}

// CenterWindow of the framework: over the owner when it is visible and not minimized, else on
// the work area of the main window's monitor; always kept inside the work area.
void CenterWindow(HWND window) {
  HWND center = ::GetWindow(window, GW_OWNER);
  if (center) {
    const LONG style = ::GetWindowLongW(center, GWL_STYLE);
    if (!(style & WS_VISIBLE) || (style & WS_MINIMIZE)) center = nullptr;
  }
  Rect centerRect;
  Rect area;
  if (center) {
    centerRect = WindowRectOf(center);
    area = WorkAreaOf(center);
  } else {
    HWND main = g_mainDialog && g_mainDialog->IsAttached()
                    ? ToHwnd(g_mainDialog->Host().DialogWindow())
                    : window;
    area = WorkAreaOf(main);
    centerRect = area;
  }
  const Point origin = CenteredOrigin(WindowRectOf(window), centerRect, area);
  ::SetWindowPos(window, nullptr, origin.x, origin.y, -1, -1,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// From Windows 10 1703 on, the dialog manager re-lays a dialog out from its template when the
// DPI changes, which would undo the panel's own arrangement; the dialog scales itself instead.
void DisableDialogDpiScaling(HWND window) {
  using SetBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
  constexpr int kDisableAll = 0x0001;  // DDC_DISABLE_ALL
  static const auto setBehavior = reinterpret_cast<SetBehaviorFn>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"user32"), "SetDialogDpiChangeBehavior")));
  if (setBehavior) setBehavior(window, kDisableAll, kDisableAll);
}

}  // namespace

void SetMainDialog(CDialog* dialog) {
  g_mainDialog = dialog;
}

Point CenteredOrigin(const Rect& window, const Rect& center, const Rect& area) {
  const int width = window.Width();
  const int height = window.Height();
  int x = (center.left + center.right) / 2 - width / 2;
  int y = (center.top + center.bottom) / 2 - height / 2;
  if (x + width > area.right) x = area.right - width;
  if (x < area.left) x = area.left;
  if (y + height > area.bottom) y = area.bottom - height;
  if (y < area.top) y = area.top;
  return {x, y};
}

CModalDialog::CModalDialog(CDialog& dialog, HWND owner)
    : m_dialog(dialog),
      m_owner(owner),
      m_host(dialog.Template(), {[this](int result) { End(result); }, &RunModalDialog, &m_menu}) {}

int RunModalDialog(CDialog& dialog, HWND owner) {
  return CModalDialog(dialog, owner).Run();
}

int CModalDialog::Run() {
  const bool disableOwner = m_owner && ::IsWindowEnabled(m_owner);
  if (disableOwner) ::EnableWindow(m_owner, FALSE);
  if (Create()) {
    // A template without WS_VISIBLE is shown by the modal run itself, unless OnInitDialog
    // already ended it.
    if (!m_ended && !::IsWindowVisible(m_window)) ::ShowWindow(m_window, SW_SHOWNORMAL);
    MessageLoop();
  }
  if (m_window) {
    // Hidden before the owner gets its input back, so that activation returns to the owner.
    ::SetWindowPos(m_window, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  }
  if (disableOwner) ::EnableWindow(m_owner, TRUE);
  if (m_window) {
    if (m_owner && ::GetActiveWindow() == m_window) ::SetActiveWindow(m_owner);
    ::DestroyWindow(m_window);
  }
  return m_result;
}

void CModalDialog::End(int result) {
  m_result = result;
  m_ended = true;
}

bool CModalDialog::Create() {
  const std::vector<std::uint16_t> words = BuildDialogTemplate(m_dialog.Template());

  // The dialog is attached from the creation of its window on, before WM_INITDIALOG, so that
  // it also sees the size event of its creation. Only a CBT hook reaches the window that early.
  g_creating = this;
  g_creationHook =
      ::SetWindowsHookExW(WH_CBT, &CModalDialog::CreationHook, nullptr, ::GetCurrentThreadId());
  HWND window = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr),
                                             reinterpret_cast<LPCDLGTEMPLATEW>(words.data()),
                                             m_owner, &CModalDialog::DialogProc, 0);
  RemoveCreationHook();  // in case the dialog window was never created
  return window && window == m_window;
}

LRESULT CALLBACK CModalDialog::CreationHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (code == HCBT_CREATEWND && g_creating) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (IsDialogClass(window)) {
      CModalDialog* dialog = g_creating;
      RemoveCreationHook();
      dialog->Attach(window);
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void CModalDialog::Attach(HWND window) {
  m_window = window;
  m_host.SetWindow(window);
  m_dialog.Attach(&m_host);
  ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  m_defaultProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
      window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CModalDialog::WindowProc)));
  DisableDialogDpiScaling(window);
}

void CModalDialog::Detach() {
  ::SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_defaultProc));
  ::SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
  m_dialog.Attach(nullptr);
  m_host.SetWindow(nullptr);
  m_window = nullptr;
  m_ended = true;
}

// Every message is handled by WindowProc; the dialog manager only needs a procedure to exist.
INT_PTR CALLBACK CModalDialog::DialogProc(HWND, UINT, WPARAM, LPARAM) noexcept {
  return FALSE;
}

LRESULT CALLBACK CModalDialog::WindowProc(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam) noexcept {
  auto* self = reinterpret_cast<CModalDialog*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return ::DefDlgProcW(window, message, wParam, lParam);
  try {
    return self->OnMessage(message, wParam, lParam);
  } catch (...) {
    // Nothing may unwind through the system's frames; the message gets its default handling.
    return self->Default(message, wParam, lParam);
  }
}

LRESULT CModalDialog::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcW(m_defaultProc, m_window, message, wParam, lParam);
}

LRESULT CModalDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT drawn = 0;
  if (m_menu.OnMessage(message, wParam, lParam, drawn)) return drawn;
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND:
      if (m_dialog.OnCommand(LOWORD(wParam), HIWORD(wParam))) return 0;
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      std::intptr_t result = 0;
      if (header && m_dialog.OnNotify(static_cast<int>(header->idFrom),
                                      static_cast<int>(header->code), &result)) {
        return result;
      }
      break;
    }
    case WM_TIMER:
      if (m_dialog.OnTimer(static_cast<unsigned>(wParam))) return 0;
      break;
    case WM_SIZE:
      if (m_dialog.OnSize(static_cast<unsigned>(wParam), LOWORD(lParam), HIWORD(lParam))) {
        return 0;
      }
      break;
    case WM_PAINT:
      if (m_dialog.OnPaint()) return 0;
      break;
    case WM_DPICHANGED: {
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      if (suggested && m_dialog.OnDpiChanged(HIWORD(wParam), FromRect(*suggested))) return 0;
      break;
    }
    case WM_CONTEXTMENU: {
      // x = y = -1 for a menu asked for from the keyboard.
      const bool fromKeyboard = GET_X_LPARAM(lParam) == -1 && GET_Y_LPARAM(lParam) == -1;
      const Point screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (m_dialog.OnContextMenu(FromHwnd(reinterpret_cast<HWND>(wParam)),
                                 fromKeyboard ? std::nullopt : std::optional<Point>(screen))) {
        return 0;
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // The standard answer first: it sets the text colour that stays.
      const LRESULT standard = Default(message, wParam, lParam);
      const HBRUSH body = m_tabBody.ControlBackground(reinterpret_cast<HDC>(wParam),
                                                      reinterpret_cast<HWND>(lParam));
      return body ? reinterpret_cast<LRESULT>(body) : standard;
    }
    case WM_ERASEBKGND:
      if (m_tabBody.Erase(reinterpret_cast<HDC>(wParam),
                          [&] { Default(message, wParam, lParam); })) {
        return TRUE;
      }
      break;
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      m_tabBody.Forget();
      break;
    case WM_QUERYDRAGICON:
      if (IconHandle icon = m_dialog.OnQueryDragIcon()) return static_cast<LRESULT>(icon);
      break;
    case WM_NCDESTROY: {
      const LRESULT result = Default(message, wParam, lParam);
      Detach();
      return result;
    }
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

LRESULT CModalDialog::OnInitDialog() {
  m_menu.Attach(m_window);
  m_tabBody.Attach(m_window);
  RECT before{};
  ::GetWindowRect(m_window, &before);
  const LONG styleBefore = ::GetWindowLongW(m_window, GWL_STYLE);
  const bool focusByDialogManager = m_dialog.OnInitDialog();
  if (m_window) CenterIfUnplaced(before, styleBefore);
  return focusByDialogManager ? TRUE : FALSE;
}

// The framework centres a modal dialog once OnInitDialog has returned, when the dialog was
// hidden until then, is no child window, was not moved by OnInitDialog, is not owned by an
// enabled window and does not centre itself (DS_CENTER).
void CModalDialog::CenterIfUnplaced(const RECT& before, LONG styleBefore) {
  if (styleBefore & WS_VISIBLE) return;
  const LONG style = ::GetWindowLongW(m_window, GWL_STYLE);
  if (style & (WS_VISIBLE | WS_CHILD | DS_CENTER)) return;
  RECT now{};
  ::GetWindowRect(m_window, &now);
  if (now.left != before.left || now.top != before.top) return;
  HWND owner = ::GetWindow(m_window, GW_OWNER);
  if (owner && ::IsWindowEnabled(owner)) return;
  CenterWindow(m_window);
}

// The dialog's idle steps run while its queue is empty: a message sent from another thread is
// answered between two steps, and a message posted, an input or a paint waiting ends the round,
// so that input is read no later than one step after it came. The first frame is painted as any
// dialog's is, from the loop: an input already waiting comes first, and the idle steps after. A
// timer's tick may wait for a step: a refresh of thousands of windows takes longer than the
// refresh timer's period, and would otherwise keep the steps waiting for good.
void CModalDialog::RunIdleSteps() {
  auto waiting = [] {
    MSG sent{};
    ::PeekMessageW(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // answers them
    return HIWORD(::GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_PAINT)) != 0;
  };
  while (m_idleStepsLeft && !m_ended && !waiting()) {
    try {
      m_idleStepsLeft = m_dialog.OnIdle();
    } catch (...) {
      m_idleStepsLeft = false;  // what the dialog does when idle is extra; it runs without it
    }
  }
}

void CModalDialog::MessageLoop() {
  MSG message{};
  while (!m_ended) {
    RunIdleSteps();
    if (m_ended) break;
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      // Somebody asked the thread to quit: leave the loop and pass the request on.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (PreTranslate(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

bool CModalDialog::PreTranslate(const MSG& message) {
  const PlatformMessage platformMessage{&message};
  try {
    if (m_dialog.IsAttached() && m_dialog.PreTranslateMessage(platformMessage)) return true;
    CDialog* main = g_mainDialog;
    return main && main != &m_dialog && main->IsAttached() &&
           main->PreTranslateMessage(platformMessage);
  } catch (...) {
    return false;  // a failed pre-translation leaves the message to the usual dispatch
  }
}

std::wstring AppTitleFromPath(std::wstring_view path) {
  const std::size_t slash = path.find_last_of(L"\\/:");
  std::wstring_view name = slash == std::wstring_view::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.rfind(L'.');
  if (dot != std::wstring_view::npos) name = name.substr(0, dot);
  return std::wstring(name);
}

const std::wstring& AppTitle() {
  static const std::wstring title = AppTitleFromPath(ModuleFileName());
  return title;
}
