#include "platform/win32/tab_body.h"

#include <cwchar>

#include "platform/win32/system_library.h"

namespace {

bool IsTabControl(HWND window) {
  wchar_t name[32] = {};
  ::GetClassNameW(window, name, 32);
  return std::wcscmp(name, WC_TABCONTROLW) == 0;
}

// High contrast asks for the system's own colours on every control, whatever the theme draws.
bool HighContrast() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof(contrast);
  return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool Encloses(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// A brush origin within one repetition of a pattern `size` long.
int Wrapped(int origin, int size) {
  return size > 0 ? ((origin % size) + size) % size : 0;
}

}  // namespace

void CTabBody::Attach(HWND dialog) {
  m_dialog = dialog;
  m_tab = nullptr;
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child && !m_tab;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (IsTabControl(child)) m_tab = child;
  }
  Forget();
}

void CTabBody::Forget() {
  m_checked = false;
  m_brush.reset();
  m_picture.reset();
}

RECT CTabBody::PageArea() const {
  RECT page = m_page;
  const POINT origin = TabOrigin();
  ::OffsetRect(&page, origin.x, origin.y);
  return page;
}

POINT CTabBody::TabOrigin() const {
  POINT origin{0, 0};
  ::MapWindowPoints(m_tab, m_dialog, &origin, 1);
  return origin;
}

// The body is what the tab draws of itself, taken once for each size of the tab: a themed body
// may shade from edge to edge, so no single colour would do.
bool CTabBody::Ready() {
  if (!m_tab || m_drawing) return false;
  if (!m_checked) {
    m_checked = true;
    // Looked up at use: nothing of the theme library is imported.
    using GetWindowThemeFn = HANDLE(WINAPI*)(HWND);
    static const auto getWindowTheme =
        LoadedOnFirstUse<GetWindowThemeFn>(L"uxtheme.dll", "GetWindowTheme");
    m_hasBody = getWindowTheme && getWindowTheme(m_tab) != nullptr && !HighContrast();
  }
  if (!m_hasBody) return false;
  RECT client{};
  ::GetClientRect(m_tab, &client);
  RECT page = client;
  ::SendMessageW(m_tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
  if (m_brush && ::EqualRect(&client, &m_client) && ::EqualRect(&page, &m_page)) return true;

  m_brush.reset();
  const CWindowDC screen(m_tab);
  const CUniqueMemoryDC memory(::CreateCompatibleDC(screen.get()));
  CUniqueBitmap picture(::CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
  if (!memory || !picture) return false;
  {
    const CSelection selected(memory.get(), picture.get());
    // The tab asks the dialog for what lies behind its edges while it draws: the dialog's colour.
    m_drawing = true;
    ::SendMessageW(m_tab, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()),
                   PRF_CLIENT | PRF_ERASEBKGND);
    m_drawing = false;
  }
  m_brush.reset(::CreatePatternBrush(picture.get()));
  m_picture = std::move(picture);
  m_client = client;
  m_page = page;
  return static_cast<bool>(m_brush);
}

void CTabBody::LineUp(HDC dc, POINT origin) const {
  // The brush origin is in device units: a control drawing into a buffer of its own places its
  // logical origin elsewhere in it.
  ::LPtoDP(dc, &origin, 1);
  ::SetBrushOrgEx(dc, Wrapped(origin.x, m_client.right), Wrapped(origin.y, m_client.bottom),
                  nullptr);
}

HBRUSH CTabBody::ControlBackground(HDC dc, HWND control) {
  if (!Ready()) return nullptr;
  RECT rect{};
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, m_dialog, reinterpret_cast<POINT*>(&rect), 2);
  if (!Encloses(PageArea(), rect)) return nullptr;
  const POINT tab = TabOrigin();
  LineUp(dc, {tab.x - rect.left, tab.y - rect.top});
  // Texts are drawn over the body, not in boxes of the dialog's colour.
  ::SetBkMode(dc, TRANSPARENT);
  return m_brush.get();
}

bool CTabBody::Erase(HDC dc, const std::function<void()>& eraseDialog) {
  if (!Ready()) return false;
  const RECT page = PageArea();
  // Each pixel is painted once: no flash of the dialog's colour where the body then goes.
  const int saved = ::SaveDC(dc);
  ::ExcludeClipRect(dc, page.left, page.top, page.right, page.bottom);
  eraseDialog();
  ::RestoreDC(dc, saved);
  LineUp(dc, TabOrigin());
  ::FillRect(dc, &page, m_brush.get());
  return true;
}
