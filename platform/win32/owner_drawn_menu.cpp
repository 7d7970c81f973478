#include "platform/win32/owner_drawn_menu.h"

#include <algorithm>
#include <cwctype>

#include "platform/win32/dialog_face.h"
#include "platform/win32/handles.h"

namespace {

// While a shortcut menu owned by a control is open, the control hands the drawing of the menu's
// items to the dialog's menus.
struct MenuOwner {
  WNDPROC proc = nullptr;
  COwnerDrawnMenu* menus = nullptr;
};
thread_local MenuOwner t_menuOwner;

LRESULT CALLBACK DrawingMenuOwnerProc(HWND hwnd, UINT message, WPARAM wParam,
                                      LPARAM lParam) noexcept {
  LRESULT result = 0;
  if (t_menuOwner.menus && t_menuOwner.menus->OnMessage(message, wParam, lParam, result)) {
    return result;
  }
  return ::CallWindowProcW(t_menuOwner.proc, hwnd, message, wParam, lParam);
}

constexpr int kBarPadding = 6;     // each side of a menu bar item's text, at 96 DPI
constexpr int kPopupPadding = 20;  // each side of a popup item's text, where the marks go

HFONT DialogFont(HWND window) {
  return reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
}

bool MenuFontDrawsJapanese() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return true;
  const CUniqueFont font(::CreateFontIndirectW(&metrics.lfMenuFont));
  return DrawsJapanese(font.get());
}

// The mnemonic of a menu text: the letter after its single '&'.
wchar_t Mnemonic(const std::wstring& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == L'&') {
      if (text[i + 1] != L'&') return static_cast<wchar_t>(std::towupper(text[i + 1]));
      ++i;
    }
  }
  return 0;
}

}  // namespace

void COwnerDrawnMenu::Attach(HWND window) {
  m_window = window;
  HMENU bar = ::GetMenu(window);
  if (!bar || MenuFontDrawsJapanese()) return;
  TakeOver(bar, true);
  m_barItems = m_items.size();
  ::DrawMenuBar(window);
}

bool COwnerDrawnMenu::TakeOverPopup(HMENU popup) {
  if (m_barItems == 0) return false;
  TakeOver(popup, false);
  return true;
}

void COwnerDrawnMenu::ForgetPopup() {
  m_items.resize(m_barItems);
}

void COwnerDrawnMenu::TakeOver(HMENU menu, bool bar) {
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = 255;
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if (info.hSubMenu) TakeOver(info.hSubMenu, false);
    if (info.fType & MFT_SEPARATOR) continue;
    m_items.push_back(std::make_unique<Item>(Item{text, bar}));
    MENUITEMINFOW drawn{};
    drawn.cbSize = sizeof(drawn);
    drawn.fMask = MIIM_FTYPE | MIIM_DATA;
    drawn.fType = info.fType | MFT_OWNERDRAW;
    drawn.dwItemData = reinterpret_cast<ULONG_PTR>(m_items.back().get());
    ::SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &drawn);
  }
}

SIZE COwnerDrawnMenu::Measure(const Item& item) {
  const CWindowDC dc(m_window);
  RECT rect{};
  {
    const CSelection font(dc.get(), DialogFont(m_window));
    ::DrawTextW(dc.get(), item.text.c_str(), -1, &rect, DT_SINGLELINE | DT_CALCRECT);
  }
  const int dpi = ::GetDeviceCaps(dc.get(), LOGPIXELSX);
  const int padding = ::MulDiv(item.inBar ? kBarPadding : kPopupPadding, dpi, 96);
  const int height = ::GetSystemMetrics(SM_CYMENU);
  return {rect.right + 2 * padding,
          item.inBar ? height - 1 : std::max<LONG>(rect.bottom + padding / 2, height)};
}

void COwnerDrawnMenu::Draw(const DRAWITEMSTRUCT& draw) {
  const auto* item = reinterpret_cast<const Item*>(draw.itemData);
  const bool chosen = (draw.itemState & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
  ::FillRect(draw.hDC, &draw.rcItem, ::GetSysColorBrush(chosen ? COLOR_HIGHLIGHT : COLOR_MENU));
  const int text = (draw.itemState & (ODS_GRAYED | ODS_DISABLED)) ? COLOR_GRAYTEXT
                   : chosen                                       ? COLOR_HIGHLIGHTTEXT
                                                                  : COLOR_MENUTEXT;
  ::SetTextColor(draw.hDC, ::GetSysColor(text));
  ::SetBkMode(draw.hDC, TRANSPARENT);
  const CSelection font(draw.hDC, DialogFont(m_window));
  RECT rect = draw.rcItem;
  UINT format = DT_SINGLELINE | DT_VCENTER;
  if (item->inBar) {
    format |= DT_CENTER;
  } else {
    rect.left += ::MulDiv(kPopupPadding, ::GetDeviceCaps(draw.hDC, LOGPIXELSX), 96);
  }
  if (draw.itemState & ODS_NOACCEL) format |= DT_HIDEPREFIX;
  ::DrawTextW(draw.hDC, item->text.c_str(), -1, &rect, format);
}

// The system knows no mnemonics of owner-drawn items: the letter typed is looked up here.
LRESULT COwnerDrawnMenu::MenuChar(wchar_t key, HMENU menu) {
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) || !info.dwItemData) continue;
    const auto* item = reinterpret_cast<const Item*>(info.dwItemData);
    if (Mnemonic(item->text) == static_cast<wchar_t>(std::towupper(key))) {
      return MAKELRESULT(i, MNC_EXECUTE);
    }
  }
  return MAKELRESULT(0, MNC_IGNORE);
}

bool COwnerDrawnMenu::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (m_items.empty()) return false;
  switch (message) {
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (measure->CtlType != ODT_MENU || !measure->itemData) return false;
      const SIZE size = Measure(*reinterpret_cast<const Item*>(measure->itemData));
      measure->itemWidth = static_cast<UINT>(size.cx);
      measure->itemHeight = static_cast<UINT>(size.cy);
      result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (draw->CtlType != ODT_MENU || !draw->itemData) return false;
      Draw(*draw);
      result = TRUE;
      return true;
    }
    case WM_MENUCHAR:
      result = MenuChar(static_cast<wchar_t>(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam));
      return true;
    default:
      return false;
  }
}

int TrackShortcutMenu(COwnerDrawnMenu* menus, HMENU popup, HWND owner, POINT screen) {
  const bool drawn = menus && menus->TakeOverPopup(popup);
  if (drawn) {
    t_menuOwner = {reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
                       owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DrawingMenuOwnerProc))),
                   menus};
  }
  const BOOL chosen = ::TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN,
                                       screen.x, screen.y, 0, owner, nullptr);
  if (drawn) {
    ::SetWindowLongPtrW(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(t_menuOwner.proc));
    t_menuOwner = {};
    menus->ForgetPopup();
  }
  return static_cast<int>(chosen);
}
