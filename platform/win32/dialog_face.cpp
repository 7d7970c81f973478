#include "platform/win32/dialog_face.h"

#include <cstdint>
#include <iterator>
#include <map>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/panel_host.h"
#include "platform/win32/text.h"
#include "platform/win32/win32.h"

namespace {

// Faces that draw Japanese text for a dialog, those closest to the dialog face's metrics first:
// the Windows faces, then the free ones drawn to the same metrics, then faces of other metrics.
constexpr const wchar_t* kJapaneseFaces[] = {
    L"MS PGothic", L"MS UI Gothic", L"IPAPGothic", L"VL PGothic",       L"TakaoPGothic",
    L"Meiryo UI",  L"Yu Gothic UI", L"メイリオ",   L"Noto Sans CJK JP", L"Source Han Sans JP",
};

// Characters of the dialogs' texts that a face without Japanese glyphs lacks.
constexpr wchar_t kSample[] = L"表示ウィンドウの透明化";

// Whether the font selected into `dc` has glyphs for the sample.
bool HasJapaneseGlyphs(HDC dc) {
  constexpr int kCount = static_cast<int>(std::size(kSample)) - 1;
  WORD glyphs[kCount] = {};
  if (::GetGlyphIndicesW(dc, kSample, kCount, glyphs, GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR) {
    return false;
  }
  for (WORD glyph : glyphs) {
    if (glyph == 0xFFFF) return false;
  }
  return true;
}

// A font of `face` selected into the screen's DC.
CUniqueFont FontOf(const std::wstring& face) {
  LOGFONTW font{};
  font.lfHeight = -12;
  font.lfCharSet = DEFAULT_CHARSET;
  face.copy(font.lfFaceName, LF_FACESIZE - 1);
  return CUniqueFont(::CreateFontIndirectW(&font));
}

class CScreenFont {
 public:
  explicit CScreenFont(const std::wstring& face)
      : m_font(FontOf(face)), m_screen(nullptr), m_selected(m_screen.get(), m_font.get()) {}

  std::wstring Face() const {
    wchar_t face[LF_FACESIZE] = {};
    const int length = ::GetTextFaceW(m_screen.get(), LF_FACESIZE, face);
    return std::wstring(face, length > 0 ? static_cast<std::size_t>(length - 1) : 0);
  }
  bool HasGlyphs() const { return HasJapaneseGlyphs(m_screen.get()); }

 private:
  CUniqueFont m_font;
  CWindowDC m_screen;
  CSelection m_selected;
};

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM faces) {
  // Faces named with '@' are the vertical forms.
  if (font->lfFaceName[0] != L'@') {
    reinterpret_cast<std::vector<std::wstring>*>(faces)->push_back(font->lfFaceName);
  }
  return 1;
}

bool Enumerated(const std::wstring& face) {
  LOGFONTW font{};
  font.lfCharSet = DEFAULT_CHARSET;
  face.copy(font.lfFaceName, LF_FACESIZE - 1);
  bool found = false;
  ::EnumFontFamiliesExW(CWindowDC(nullptr).get(), &font, &NoteFound,
                        reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

// Whether the system draws `face` as itself, with the Japanese glyphs: installed under that name,
// or mapped to a font by the system's own substitution, whose name a font of it then reports.
bool Usable(const std::wstring& face) {
  const CScreenFont font(face);
  if (!font.HasGlyphs()) return false;
  return ::lstrcmpiW(font.Face().c_str(), face.c_str()) == 0 || Enumerated(face);
}

std::vector<std::wstring> JapaneseCharsetFaces() {
  LOGFONTW font{};
  font.lfCharSet = SHIFTJIS_CHARSET;
  std::vector<std::wstring> faces;
  ::EnumFontFamiliesExW(CWindowDC(nullptr).get(), &font, &CollectFace,
                        reinterpret_cast<LPARAM>(&faces), 0);
  return faces;
}

std::wstring ChooseFace(const std::wstring& wanted) {
  if (Usable(wanted)) return wanted;
  for (const wchar_t* face : kJapaneseFaces) {
    if (Usable(face)) return face;
  }
  for (const std::wstring& face : JapaneseCharsetFaces()) {
    if (CScreenFont(face).HasGlyphs()) return face;
  }
  return wanted;
}

// What `text` looks like drawn in `font`, black on white.
std::vector<std::uint32_t> Drawn(HFONT font, const wchar_t* text) {
  constexpr int kWidth = 96, kHeight = 32;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const CUniqueMemoryDC memory(::CreateCompatibleDC(nullptr));
  const HDC dc = memory.get();
  const CUniqueBitmap bitmap(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  std::vector<std::uint32_t> pixels;
  if (dc && bitmap && bits) {
    const CSelection drawnOn(dc, bitmap.get());
    const CSelection drawnIn(dc, font);
    RECT all{0, 0, kWidth, kHeight};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkMode(dc, TRANSPARENT);
    ::TextOutW(dc, 0, 0, text, static_cast<int>(std::char_traits<wchar_t>::length(text)));
    ::GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    pixels.assign(first, first + kWidth * kHeight);
  }
  return pixels;
}

}  // namespace

// Drawn rather than looked up: the system may draw the glyphs from a font linked to this one.
// A font without them draws the same box for every character.
bool DrawsJapanese(HFONT font) {
  // The menu's and the tooltip's fonts are often one and the same: each font is drawn once.
  LOGFONTW described{};  // all zero for no font: the DC's own font is drawn then
  if (font) ::GetObjectW(font, sizeof(described), &described);
  const std::wstring key =
      std::wstring(described.lfFaceName) + L"/" + std::to_wstring(described.lfHeight) + L"/" +
      std::to_wstring(described.lfWeight) + L"/" + std::to_wstring(described.lfCharSet);
  static std::map<std::wstring, bool> seen;  // the dialogs run on one thread
  auto found = seen.find(key);
  if (found == seen.end()) {
    found = seen.emplace(key, Drawn(font, L"表示変形") != Drawn(font, L"透明位置")).first;
  }
  return found->second;
}

const std::string& DialogFace(const std::string& wanted) {
  static std::map<std::string, std::string> chosen;  // the dialogs run on one thread
  auto found = chosen.find(wanted);
  if (found == chosen.end()) {
    found = chosen.emplace(wanted, Narrow(ChooseFace(Widen(wanted)))).first;
  }
  return found->second;
}

// The panel host's measures: its DPI, the controls scaled to a new one, and the sizes of texts
// and templates in the dialog's font.

int CWin32PanelHost::GetDpi() {
  // GetDpiForWindow exists from Windows 10 1607 on; before it, the screen's DPI is the dialog's.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32"), "GetDpiForWindow")));
  if (getDpiForWindow) {
    if (const UINT dpi = getDpiForWindow(m_window)) return static_cast<int>(dpi);
  }
  const int dpi = ::GetDeviceCaps(CWindowDC(nullptr).get(), LOGPIXELSY);
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

void CWin32PanelHost::ScaleControls(int fromDpi, int toDpi) {
  if (fromDpi <= 0 || toDpi <= 0) return;
  // The dialog font at the new size, shared by the dialog and every control. It is made from the
  // font of the last change, if any: the dialog keeps answering WM_GETFONT with its template font.
  LOGFONTW font{};
  const auto current = m_scaledFont
                           ? m_scaledFont.get()
                           : reinterpret_cast<HFONT>(::SendMessageW(m_window, WM_GETFONT, 0, 0));
  // The font the controls use now goes only once they have the new one.
  const auto previous = std::move(m_scaledFont);
  if (current && ::GetObjectW(current, sizeof(font), &font)) {
    font.lfHeight = ::MulDiv(font.lfHeight, toDpi, fromDpi);
    if (HFONT scaled = ::CreateFontIndirectW(&font)) {
      ::SendMessageW(m_window, WM_SETFONT, reinterpret_cast<WPARAM>(scaled), FALSE);
      m_scaledFont.reset(scaled);
    }
  }
  const auto fontHandle = reinterpret_cast<WPARAM>(m_scaledFont.get());
  for (HWND child = ::GetWindow(m_window, GW_CHILD); child;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, m_window, reinterpret_cast<POINT*>(&rect), 2);
    const int left = ::MulDiv(rect.left, toDpi, fromDpi);
    const int top = ::MulDiv(rect.top, toDpi, fromDpi);
    ::SetWindowPos(child, nullptr, left, top, ::MulDiv(rect.right, toDpi, fromDpi) - left,
                   ::MulDiv(rect.bottom, toDpi, fromDpi) - top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (fontHandle) ::SendMessageW(child, WM_SETFONT, fontHandle, TRUE);
  }
}

Point CWin32PanelHost::BaseUnits(int dpi) {
  if (dpi == m_baseUnitsDpi) return m_baseUnits;
  LOGFONTW face{};
  face.lfHeight = -::MulDiv(m_template.pointSize, dpi, 72);
  face.lfWeight = m_template.weight;
  face.lfItalic = m_template.italic ? TRUE : FALSE;
  face.lfCharSet = static_cast<BYTE>(m_template.charset);
  const std::wstring name = Widen(DialogFace(m_template.font));
  name.copy(face.lfFaceName, LF_FACESIZE - 1);
  const CUniqueFont font(::CreateFontIndirectW(&face));
  if (!font) return {};
  const CWindowDC screen(nullptr);
  const CSelection selected(screen.get(), font.get());
  TEXTMETRICW metrics{};
  SIZE alphabet{};
  ::GetTextMetricsW(screen.get(), &metrics);
  ::GetTextExtentPoint32W(screen.get(), L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52,
                          &alphabet);
  m_baseUnitsDpi = dpi;
  m_baseUnits = {(alphabet.cx / 26 + 1) / 2, metrics.tmHeight};
  return m_baseUnits;
}

Point CWin32PanelHost::TemplateSize(int id, int dpi) {
  const ControlTemplate* control = m_template.Find(id);
  if (!control) return {};
  const Point units = BaseUnits(dpi);
  return {::MulDiv(control->cx, units.x, 4), ::MulDiv(control->cy, units.y, 8)};
}

int CWin32PanelHost::TextWidth(int id) {
  HWND item = Item(id);
  const int length = item ? ::GetWindowTextLengthW(item) : 0;
  if (length <= 0) return 0;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(item, text.data(), length + 1);
  // One memory DC serves every measure: a window's DC costs a round trip to the system each time,
  // and the panel measures every text at start-up.
  if (!m_measuring) m_measuring.reset(::CreateCompatibleDC(nullptr));
  const CSelection font(m_measuring.get(),
                        reinterpret_cast<HGDIOBJ>(::SendMessageW(item, WM_GETFONT, 0, 0)));
  SIZE size{};
  ::GetTextExtentPoint32W(m_measuring.get(), text.c_str(), copied, &size);
  return static_cast<int>(size.cx);
}

int CWin32PanelHost::TabStripWidth(int id) {
  const auto count = static_cast<int>(SendItem(id, TCM_GETITEMCOUNT, 0, 0));
  RECT last{};
  if (count <= 0 || !SendItem(id, TCM_GETITEMRECT, static_cast<WPARAM>(count - 1),
                              reinterpret_cast<LPARAM>(&last))) {
    return 0;
  }
  // The current tab is drawn a little wider than its item: two pixels to each side.
  return static_cast<int>(last.right) + 2;
}
