#include "platform/win32/dialog_face.h"

#include <cstdint>
#include <iterator>
#include <map>
#include <vector>

#include "platform/win32/handles.h"
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
