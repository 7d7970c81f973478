#include "platform/win32/panel_host.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/win32/dialog_face.h"
#include "platform/win32/handles.h"
#include "platform/win32/modal_dialog.h"
#include "platform/win32/system_library.h"
#include "platform/win32/text.h"

namespace {

bool IsInputMessage(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

}  // namespace

// GetDlgItem lists all the dialog's children on every call, under Wine a round trip to the
// server; a refresh talks to the list box once per listed window. The controls live as long as
// the dialog, so each is looked up once.
HWND CWin32PanelHost::Item(int id) {
  const auto found = m_items.find(id);
  if (found != m_items.end()) return found->second;
  HWND item = ::GetDlgItem(m_window, id);
  if (item) m_items.emplace(id, item);
  return item;
}

LRESULT CWin32PanelHost::SendItem(int id, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND item = Item(id);
  return item ? ::SendMessageW(item, message, wParam, lParam) : 0;
}

WindowHandle CWin32PanelHost::DialogWindow() {
  return FromHwnd(m_window);
}

WindowHandle CWin32PanelHost::GetDlgItem(int id) {
  return FromHwnd(Item(id));
}

std::string CWin32PanelHost::GetDlgItemText(int id) {
  HWND item = Item(id);
  if (!item) return {};
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(item)) + 1, L'\0');
  const int length = ::GetWindowTextW(item, text.data(), static_cast<int>(text.size()));
  text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return Narrow(text);
}

void CWin32PanelHost::SetDlgItemText(int id, const std::string& text) {
  if (HWND item = Item(id)) ::SetWindowTextW(item, Widen(text).c_str());
}

WindowHandle CWin32PanelHost::GetFocus() {
  return FromHwnd(::GetFocus());
}

void CWin32PanelHost::FocusControl(WindowHandle control) {
  ::SendMessageW(m_window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(ToHwnd(control)), TRUE);
}

bool CWin32PanelHost::ShowWindow(WindowHandle window, int command) {
  return ::ShowWindow(ToHwnd(window), command) != FALSE;
}

bool CWin32PanelHost::GetWindowPlacement(WindowHandle window, Rect& normalPosition) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (!::GetWindowPlacement(ToHwnd(window), &placement)) return false;
  normalPosition = FromRect(placement.rcNormalPosition);
  return true;
}

bool CWin32PanelHost::SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y,
                                   int cx, int cy, unsigned flags) {
  // Placing the dialog or a control while the dialog is still hidden (the layout at start-up)
  // would activate the hidden dialog: Wine then moves the focus into it, and every control
  // placed after that costs several times as much. Showing the dialog activates it anyway.
  if (!::IsWindowVisible(m_window)) flags |= SWP_NOACTIVATE;
  return ::SetWindowPos(ToHwnd(window), ToHwnd(insertAfter), x, y, cx, cy, flags) != FALSE;
}

void CWin32PanelHost::InvalidateDialog(bool erase) {
  ::InvalidateRect(m_window, nullptr, erase ? TRUE : FALSE);
}

void CWin32PanelHost::ListResetContent(int id) {
  SendItem(id, LB_RESETCONTENT, 0, 0);
}

int CWin32PanelHost::ListInsertString(int id, int row, const std::string& text) {
  // Called once per new row, a whole list's worth at start-up: the conversion buffer is reused.
  WidenInto(text, m_rowText);
  return static_cast<int>(SendItem(id, LB_INSERTSTRING, static_cast<WPARAM>(row),
                                   reinterpret_cast<LPARAM>(m_rowText.c_str())));
}

void CWin32PanelHost::ListDeleteString(int id, int row) {
  SendItem(id, LB_DELETESTRING, static_cast<WPARAM>(row), 0);
}

int CWin32PanelHost::ListGetCurSel(int id) {
  return static_cast<int>(SendItem(id, LB_GETCURSEL, 0, 0));
}

void CWin32PanelHost::ListSetCurSel(int id, int row) {
  SendItem(id, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

int CWin32PanelHost::ListGetCaretIndex(int id) {
  return static_cast<int>(SendItem(id, LB_GETCARETINDEX, 0, 0));
}

void CWin32PanelHost::ListSetCaretIndex(int id, int row) {
  SendItem(id, LB_SETCARETINDEX, static_cast<WPARAM>(row), FALSE);
}

int CWin32PanelHost::ListGetCount(int id) {
  return static_cast<int>(SendItem(id, LB_GETCOUNT, 0, 0));
}

std::string CWin32PanelHost::ListGetText(int id, int row) {
  const LRESULT length = SendItem(id, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      SendItem(id, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
  if (copied == LB_ERR) return {};
  text.resize(static_cast<std::size_t>(copied));
  return Narrow(text);
}

int CWin32PanelHost::ListGetTopIndex(int id) {
  return static_cast<int>(SendItem(id, LB_GETTOPINDEX, 0, 0));
}

void CWin32PanelHost::ListSetTopIndex(int id, int index) {
  SendItem(id, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

void CWin32PanelHost::ListInitStorage(int id, int items, int bytes) {
  SendItem(id, LB_INITSTORAGE, static_cast<WPARAM>(items), static_cast<LPARAM>(bytes));
}

void CWin32PanelHost::ListSetRedraw(int id, bool redraw) {
  SendItem(id, WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
  if (redraw) ::InvalidateRect(Item(id), nullptr, TRUE);
}

int CWin32PanelHost::ListItemFromPoint(int id, Point screen) {
  POINT point{screen.x, screen.y};
  const HWND list = Item(id);
  if (!list || !::ScreenToClient(list, &point)) return -1;
  const LRESULT found = SendItem(id, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
  // The high word says the point lies outside every row: below the last one, say.
  if (HIWORD(found) != 0) return -1;
  return static_cast<int>(LOWORD(found));
}

Point CWin32PanelHost::ListMenuPoint(int id, int row) {
  const HWND list = Item(id);
  RECT client{};
  ::GetClientRect(list, &client);
  RECT rect{};
  if (row < 0 || SendItem(id, LB_GETITEMRECT, static_cast<WPARAM>(row),
                          reinterpret_cast<LPARAM>(&rect)) == LB_ERR) {
    rect = {};
  }
  // Below the row's text, kept inside the list when the row is scrolled out of view.
  POINT point{rect.left, row < 0 ? rect.top : rect.bottom};
  point.x = std::clamp(point.x, client.left, std::max(client.left, client.right - 1));
  point.y = std::clamp(point.y, client.top, std::max(client.top, client.bottom - 1));
  ::ClientToScreen(list, &point);
  return {point.x, point.y};
}

void CWin32PanelHost::TabInsertItem(int id, int index, const std::string& text) {
  std::wstring wide = Widen(text);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = wide.data();
  SendItem(id, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

int CWin32PanelHost::TabGetCurSel(int id) {
  return static_cast<int>(SendItem(id, TCM_GETCURSEL, 0, 0));
}

void CWin32PanelHost::TabSelectAsUser(int id, int index) {
  // The notifications of a click, from the tab control, around TCM_SETCURSEL, which tells no one
  // but keeps the tabs' drawn state in step. (TCM_SETCURFOCUS notifies by itself, but in Wine
  // leaves the tab clicked last marked pressed, and the next click on a tab then goes unheeded.)
  const HWND tab = Item(id);
  if (!tab) return;
  NMHDR header{tab, static_cast<UINT_PTR>(id), static_cast<UINT>(TCN_SELCHANGING)};
  if (::SendMessageW(m_window, WM_NOTIFY, static_cast<WPARAM>(id),
                     reinterpret_cast<LPARAM>(&header))) {
    return;  // the change was refused
  }
  ::SendMessageW(tab, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  header.code = static_cast<UINT>(TCN_SELCHANGE);
  ::SendMessageW(m_window, WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&header));
}

void CWin32PanelHost::TabSetItemMetrics(int id, Point padding, int leastWidth) {
  SendItem(id, TCM_SETPADDING, 0, MAKELPARAM(padding.x, padding.y));
  // Setting the least width lays the items out again, with the new padding too.
  SendItem(id, TCM_SETMINTABWIDTH, 0, leastWidth);
}

void CWin32PanelHost::TrackbarSetRangeMin(int id, bool redraw, int minimum) {
  SendItem(id, TBM_SETRANGEMIN, redraw ? TRUE : FALSE, minimum);
}

void CWin32PanelHost::TrackbarSetRangeMax(int id, bool redraw, int maximum) {
  SendItem(id, TBM_SETRANGEMAX, redraw ? TRUE : FALSE, maximum);
}

void CWin32PanelHost::TrackbarSetPos(int id, bool redraw, int position) {
  SendItem(id, TBM_SETPOS, redraw ? TRUE : FALSE, position);
}

int CWin32PanelHost::TrackbarGetPos(int id) {
  return static_cast<int>(SendItem(id, TBM_GETPOS, 0, 0));
}

void CWin32PanelHost::UpDownSetBase(int id, int base) {
  SendItem(id, UDM_SETBASE, static_cast<WPARAM>(base), 0);
}

void CWin32PanelHost::UpDownSetBuddy(int id, WindowHandle buddy) {
  SendItem(id, UDM_SETBUDDY, reinterpret_cast<WPARAM>(ToHwnd(buddy)), 0);
}

void CWin32PanelHost::UpDownSetRange(int id, int lower, int upper) {
  SendItem(id, UDM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(upper), static_cast<WORD>(lower)));
}

void CWin32PanelHost::UpDownSetPos(int id, int position) {
  SendItem(id, UDM_SETPOS, 0, MAKELPARAM(static_cast<WORD>(position), 0));
}

void CWin32PanelHost::TooltipCreate() {
  m_tooltip = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, m_window, nullptr,
                                ::GetModuleHandleW(nullptr), nullptr);
  if (!m_tooltip) return;
  // A themed tooltip ignores the colours we give it; ours are part of the look.
  using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  static const auto setWindowTheme =
      LoadedOnFirstUse<SetWindowThemeFn>(L"uxtheme.dll", "SetWindowTheme");
  if (setWindowTheme) setWindowTheme(m_tooltip, L"", L"");
  // Where the system's tooltip font has no Japanese glyphs, the tips take the dialog's font.
  if (!DrawsJapanese(reinterpret_cast<HFONT>(::SendMessageW(m_tooltip, WM_GETFONT, 0, 0)))) {
    ::SendMessageW(m_tooltip, WM_SETFONT, ::SendMessageW(m_window, WM_GETFONT, 0, 0), FALSE);
  }
}

void CWin32PanelHost::TooltipSetBkColor(std::uint32_t color) {
  if (m_tooltip) ::SendMessageW(m_tooltip, TTM_SETTIPBKCOLOR, color, 0);
}

void CWin32PanelHost::TooltipSetTextColor(std::uint32_t color) {
  if (m_tooltip) ::SendMessageW(m_tooltip, TTM_SETTIPTEXTCOLOR, color, 0);
}

void CWin32PanelHost::TooltipAddTool(WindowHandle control, const std::string& text) {
  if (!m_tooltip) return;
  std::wstring wide = Widen(text);  // the tooltip keeps its own copy
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = m_window;
  tool.uId = reinterpret_cast<UINT_PTR>(ToHwnd(control));
  tool.lpszText = wide.data();
  ::SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CWin32PanelHost::TooltipActivate(bool active) {
  if (m_tooltip) ::SendMessageW(m_tooltip, TTM_ACTIVATE, active ? TRUE : FALSE, 0);
}

void CWin32PanelHost::TooltipRelayEvent(const PlatformMessage& message) {
  if (!m_tooltip || !message.native) return;
  ::SendMessageW(m_tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(message.native));
}

void CWin32PanelHost::SetTimer(unsigned id, unsigned milliseconds) {
  ::SetTimer(m_window, id, milliseconds, nullptr);
}

void CWin32PanelHost::KillTimer(unsigned id) {
  ::KillTimer(m_window, id);
}

IconHandle CWin32PanelHost::LoadIcon(int resourceId) {
  return reinterpret_cast<IconHandle>(
      ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId)));
}

void CWin32PanelHost::SetIcon(IconHandle icon, bool big) {
  ::SendMessageW(m_window, WM_SETICON, big ? ICON_BIG : ICON_SMALL, static_cast<LPARAM>(icon));
}

bool CWin32PanelHost::IsIconic() {
  return ::IsIconic(m_window) != FALSE;
}

int CWin32PanelHost::GetSystemMetrics(int index) {
  return ::GetSystemMetrics(index);
}

bool CWin32PanelHost::GetClientRect(Rect& rect) {
  RECT client{};
  if (!::GetClientRect(m_window, &client)) return false;
  rect = FromRect(client);
  return true;
}

PaintContext CWin32PanelHost::BeginPaint() {
  return reinterpret_cast<PaintContext>(::BeginPaint(m_window, &m_paint));
}

void CWin32PanelHost::EraseIconBackground(PaintContext dc) {
  ::SendMessageW(m_window, WM_ICONERASEBKGND, static_cast<WPARAM>(dc), 0);
}

void CWin32PanelHost::DrawIcon(PaintContext dc, int x, int y, IconHandle icon) {
  ::DrawIcon(reinterpret_cast<HDC>(dc), x, y, reinterpret_cast<HICON>(icon));
}

void CWin32PanelHost::EndPaint(PaintContext /*dc*/) {
  ::EndPaint(m_window, &m_paint);
}

// The dialog keyboard interface takes keyboard and mouse input only, as the framework's does;
// every other message goes on to TranslateMessage and DispatchMessage.
bool CWin32PanelHost::PreTranslateDialogMessage(const PlatformMessage& message) {
  const auto* native = static_cast<const MSG*>(message.native);
  if (!native || !m_window || !IsInputMessage(native->message)) return false;
  return ::IsDialogMessageW(m_window, const_cast<MSG*>(native)) != FALSE;
}

int CWin32PanelHost::TrackPopupMenu(int id, const std::vector<MenuItem>& items, Point screen) {
  const CUniqueMenu menu(::CreatePopupMenu());
  const HWND owner = Item(id);
  if (!menu || !owner) return 0;
  UINT position = 0;
  for (const MenuItem& item : items) {
    const UINT state = item.grayed ? MF_GRAYED : MF_ENABLED;
    ::InsertMenuW(menu.get(), position++, MF_BYPOSITION | MF_STRING | state,
                  static_cast<UINT_PTR>(item.id), Widen(item.text).c_str());
  }
  // The control owns the menu, not the dialog: a window manager that gives the focus to whatever
  // lies under the pointer takes it from the dialog as the menu opens there, and the system then
  // cancels the modes of the dialog (WM_CANCELMODE), which would close a menu the dialog owned.
  // The dialog is the foreground window already, as the menu needs.
  return TrackShortcutMenu(m_runner.menus, menu.get(), owner, {screen.x, screen.y});
}

std::optional<KeyPress> CWin32PanelHost::KeyPressOf(const PlatformMessage& message) {
  const auto* native = static_cast<const MSG*>(message.native);
  if (!native || !m_window || (native->message != WM_KEYDOWN && native->message != WM_SYSKEYDOWN)) {
    return std::nullopt;
  }
  // Keys pressed in another dialog (the version box) are that dialog's.
  if (native->hwnd != m_window && !::IsChild(m_window, native->hwnd)) return std::nullopt;
  const auto down = [](int key) { return (::GetKeyState(key) & 0x8000) != 0; };
  return KeyPress{static_cast<unsigned>(native->wParam), down(VK_CONTROL), down(VK_SHIFT),
                  down(VK_MENU)};
}

bool CWin32PanelHost::IsPointerMessage(const PlatformMessage& message) {
  const auto* native = static_cast<const MSG*>(message.native);
  return native && native->message >= WM_MOUSEFIRST && native->message <= WM_MOUSELAST;
}

void CWin32PanelHost::MessageBox(const std::string& text) {
  ::MessageBoxW(m_window, Widen(text).c_str(), AppTitle().c_str(), MB_OK | MB_ICONEXCLAMATION);
}

int CWin32PanelHost::RunModal(CDialog& dialog) {
  return m_runner.runModal(dialog, m_window);
}

void CWin32PanelHost::EndDialog(int result) {
  m_runner.end(result);
}

// The runtime's normal exit: exit-time destructors run, the dialog is not closed first.
void CWin32PanelHost::Exit(int status) {
  std::exit(status);
}
