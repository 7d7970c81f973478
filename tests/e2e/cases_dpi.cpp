// Glazier on a screen of 144 DPI (150 %). These cases run in a prefix of their own whose
// LogPixels is 144 (register.cmake): the layout distances are those of 96 DPI times 1.5, the six
// pages are clean, the geometry edits show real pixels, and the dialog follows a DPI change.
// Also the version resource and the icon sizes of glazier.exe.
#include <windows.h>

#include <commctrl.h>
#include <winver.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <set>
#include <string>
#include <vector>

#include "glazier.h"
#include "panel/placements.h"
#include "res/resource.h"
#include "res/templates.h"
#include "tests/common/harness.h"

using namespace e2e;

namespace {

constexpr int kDpi = 144;

// The dialog font's base units at `dpi` as the dialog manager derives them for dialog units:
// the average width of the 52 letters, rounded, and the height.
SIZE DialogBaseUnits(int dpi) {
  const DialogTemplate& dialog = MainDialogTemplate();
  HDC screen = GetDC(nullptr);
  HFONT font =
      CreateFontW(-MulDiv(dialog.pointSize, dpi, 72), 0, 0, 0, dialog.weight, dialog.italic, FALSE,
                  FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                  DEFAULT_PITCH | FF_DONTCARE, Widen(dialog.font).c_str());
  HGDIOBJ old = SelectObject(screen, font);
  TEXTMETRICW metrics = {};
  GetTextMetricsW(screen, &metrics);
  const wchar_t letters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE extent = {};
  GetTextExtentPoint32W(screen, letters, 52, &extent);
  SelectObject(screen, old);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  return {(extent.cx / 26 + 1) / 2, metrics.tmHeight};
}

// A control's size from the template, in pixels at these base units.
SIZE TemplateSize(int id, SIZE base) {
  const ControlTemplate* control = MainDialogTemplate().Find(id);
  if (control == nullptr) return {};
  return {MulDiv(control->cx, base.cx, 4), MulDiv(control->cy, base.cy, 8)};
}

// How far two rectangles overlap: the thinner side of their common part, 0 when they do not.
int Thickness(const RECT& common) {
  return std::max(0L, std::min(common.right - common.left, common.bottom - common.top));
}

// The page controls as the 96-DPI layout has them, relative to the anchor: the placement table's
// corners and the template's sizes at 96 DPI. The reference a page at another DPI is held to.
class Layout96 {
 public:
  Layout96() : m_base(DialogBaseUnits(USER_DEFAULT_SCREEN_DPI)) {}

  // How far two controls overlap at 96 DPI; 0 when either is no page control.
  int Overlap(int first, int second) const {
    RECT a = {};
    RECT b = {};
    RECT common = {};
    if (!Rect(first, a) || !Rect(second, b) || !IntersectRect(&common, &a, &b)) return 0;
    return Thickness(common);
  }

 private:
  bool Rect(int id, RECT& rect) const {
    POINT corner = {-1, -1};
    if (id == IDC_SHOW_GROUP) corner = {0, 0};
    for (const Placement& place : PanelPlacements()) {
      if (place.controlId == id) corner = {place.dx, place.dy};
    }
    if (corner.x < 0) return false;
    const SIZE size = TemplateSize(id, m_base);
    rect = {corner.x, corner.y, corner.x + size.cx, corner.y + size.cy};
    return true;
  }

  SIZE m_base;
};

// Shows each page of the dialog, now at `dpi`, and checks that the page's controls stand inside
// the tab control's page area, that its visible controls overlap no more than in the 96-DPI
// layout, and, when `textsAtScreenDpi`, that every text fits; `shot` names the screenshots.
void CheckPagesClean(Glazier& glazier, int dpi, const std::string& shot, bool textsAtScreenDpi) {
  const Layout96 reference;
  const RECT area = glazier.TabPageArea();
  RECT client = {};
  GetClientRect(glazier.Dialog(), &client);
  Log("  the tab control's page area: " + Describe(area));
  CheckTabRowSpans(glazier, Format("at %d DPI", dpi));
  for (int page = 0; page < 6; ++page) {
    Require(glazier.ShowPage(page), Format("a click on tab %d selects it", page));
    std::string outside;
    for (int id : TabPages()[page].controls) {
      const RECT rect = RectInParent(glazier.Item(id));
      if (!Encloses(area, rect) || !Encloses(client, rect)) {
        outside += Format("\n        control %d %s", id, Describe(rect).c_str());
      }
    }
    Check(outside.empty(),
          Format("page %d: its controls stand inside the page area", page) + outside);
    // Frames of neighbours may meet (a pixel of 96 DPI, scaled); controls that overlap in the
    // 96-DPI layout may overlap as much here, scaled, and a pixel more for the rounding.
    std::string overlaps;
    for (const Overlap& overlap : OverlappingControls(glazier.Dialog())) {
      const int allowed = Scaled(
          reference.Overlap(GetDlgCtrlID(overlap.first), GetDlgCtrlID(overlap.second)) + 1, dpi);
      if (Thickness(overlap.common) > allowed) {
        overlaps +=
            Format("\n        %s and %s overlap by %d pixels (at most %d)",
                   DescribeControl(overlap.first).c_str(), DescribeControl(overlap.second).c_str(),
                   Thickness(overlap.common), allowed);
      }
    }
    Check(overlaps.empty(),
          Format("page %d: no two visible controls overlap more than at 96 DPI", page) + overlaps);
    if (textsAtScreenDpi) {
      CheckTextsFit(glazier.Dialog(), Format("page %d: every text fits its control", page));
    }
    Screenshot(Format("%s-%d", shot.c_str(), page), OuterRect(glazier.Dialog()));
  }
}

// Sends WM_DPICHANGED as the system does when the dialog moves to a monitor of `dpi`, with the
// window rectangle it suggests there (Wine 8 never sends it: its monitors share one DPI).
bool SendDpiChanged(Glazier& glazier, int dpi, const RECT& suggested) {
  RemoteMemory memory(glazier.App().Handle(), sizeof(suggested));
  DWORD_PTR result = 0;
  return memory.Write(&suggested, sizeof(suggested)) &&
         SendMessageTimeoutW(glazier.Dialog(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                             memory.AsLParam(), SMTO_NORMAL, 10000, &result) != 0;
}

// The window rectangle the system suggests for a move from `from` to `to` DPI: the same corner
// and the client area scaled. Wine keeps drawing the frame, caption and menu at the screen's DPI
// whatever the message says, so the suggestion keeps them as they are.
RECT SuggestedRect(HWND dialog, int from, int to) {
  RECT outer = {};
  RECT client = {};
  GetWindowRect(dialog, &outer);
  GetClientRect(dialog, &client);
  const int frameWidth = (outer.right - outer.left) - client.right;
  const int frameHeight = (outer.bottom - outer.top) - client.bottom;
  return {outer.left, outer.top, outer.left + frameWidth + MulDiv(client.right, to, from),
          outer.top + frameHeight + MulDiv(client.bottom, to, from)};
}

// Resizes the dialog by dx x dy as a drag on its frame would, and checks that the list grows by
// that, the refresh button follows the right edge and the tab control the bottom.
void CheckResizeReflows(Glazier& glazier, int dx, int dy) {
  const RECT list = RectInParent(glazier.List());
  const RECT refresh = RectInParent(glazier.Item(IDC_REFRESH));
  const RECT tab = RectInParent(glazier.Item(IDC_TAB));
  const RECT outer = OuterRect(glazier.Dialog());
  SetWindowPos(glazier.Dialog(), nullptr, 0, 0, outer.right - outer.left + dx,
               outer.bottom - outer.top + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Require(WaitFor([&] { return RectInParent(glazier.List()).right != list.right; }),
          "the dialog reflowed after the resize");
  const RECT newList = RectInParent(glazier.List());
  const RECT newRefresh = RectInParent(glazier.Item(IDC_REFRESH));
  const RECT newTab = RectInParent(glazier.Item(IDC_TAB));
  Check(newList.right - list.right == dx && newList.bottom - list.bottom == dy,
        Format("the list grows by %d x %d: %s", dx, dy, Describe(newList).c_str()));
  Check(newRefresh.left - refresh.left == dx && newRefresh.top == refresh.top,
        Format("the refresh button moves %d right", dx));
  Check(newTab.top - tab.top == dy && newTab.left == tab.left,
        Format("the tab control moves %d down", dy));
}

}  // namespace

CASE(dpi144_glazier_runs_at_the_screen_dpi) {
  BecomeDpiAware();
  HDC screen = GetDC(nullptr);
  const int logPixels = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  CheckEqual(logPixels, kDpi, "the screen's LOGPIXELSY (LogPixels of this prefix)");
  CheckEqual(GetDpiForSystem(), kDpi, "GetDpiForSystem");
  Glazier glazier;
  CheckEqual(GetDpiForWindow(glazier.Dialog()), kDpi, "GetDpiForWindow of Glazier's dialog");
  const DPI_AWARENESS awareness =
      GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(glazier.Dialog()));
  if (GetAwarenessFromDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) !=
      DPI_AWARENESS_INVALID) {
    Check(awareness == DPI_AWARENESS_PER_MONITOR_AWARE,
          "the dialog is per-monitor DPI aware, as the manifest declares");
  } else {
    // Wine 8 knows "PerMonitorV2" by name only: the manifest's list stops there and leaves the
    // program unaware, which Wine 8 does not scale either (its windows get the screen's DPI).
    Log(Format("  (no per-monitor v2 here: the dialog's awareness is %d, not checked)",
               static_cast<int>(awareness)));
  }
}

CASE(dpi144_layout_distances_are_scaled) {
  BecomeDpiAware();
  Glazier glazier;
  CheckStackedOnTheAnchor(glazier, kDpi);
  const RECT anchor = RectInParent(glazier.Item(IDC_SHOW_GROUP));

  // The dialog's outer size: the anchor's right edge + 20 x 1.5, its bottom + 60 x 1.5.
  const RECT outer = OuterRect(glazier.Dialog());
  CheckEqual(outer.right - outer.left, anchor.right + 30, "the dialog's width (R + 30)");
  CheckEqual(outer.bottom - outer.top, anchor.bottom + 90, "the dialog's height (B + 90)");

  // Client heights under 150 x 1.5 = 225 are no reflow: 200 moves nothing, and the next resize
  // moves the controls by what it adds to the last height that counted.
  RECT client = {};
  GetClientRect(glazier.Dialog(), &client);
  const int frame = (outer.bottom - outer.top) - client.bottom;
  const RECT tab = RectInParent(glazier.Item(IDC_TAB));
  SetWindowPos(glazier.Dialog(), nullptr, 0, 0, outer.right - outer.left, 200 + frame,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Require(WaitFor([&] {
            RECT now = {};
            GetClientRect(glazier.Dialog(), &now);
            return now.bottom == 200;
          }),
          "the dialog's client area is 200 pixels high");
  const RECT shrunk = RectInParent(glazier.Item(IDC_TAB));
  Check(EqualRect(&shrunk, &tab) != FALSE,
        "at a client height of 200 (under 225) the tab control stays: " + Describe(shrunk));
  SetWindowPos(glazier.Dialog(), nullptr, 0, 0, outer.right - outer.left,
               outer.bottom - outer.top + 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Check(WaitFor([&] { return RectInParent(glazier.Item(IDC_TAB)).top == tab.top + 30; }),
        "30 pixels taller than at first, the tab control is 30 pixels lower than at first");
}

CASE(dpi144_pages_are_clean) {
  BecomeDpiAware();
  Target target = StartTarget(UniqueTitle("E2E 高DPI"), 280, 100, 20, 20);
  Glazier glazier;
  // The driver derives dialog units as the dialog does (the reference layout depends on it).
  const SIZE base96 = DialogBaseUnits(USER_DEFAULT_SCREEN_DPI);
  const SIZE base = DialogBaseUnits(kDpi);
  Log(Format("  the dialog font's base units: %ld x %ld at 96 DPI, %ld x %ld at 144 DPI", base96.cx,
             base96.cy, base.cx, base.cy));
  const SIZE refresh = TemplateSize(IDC_REFRESH, base);
  const RECT button = RectInParent(glazier.Item(IDC_REFRESH));
  Require(button.right - button.left == refresh.cx && button.bottom - button.top == refresh.cy,
          Format("the refresh button is its template size at 144 DPI, %ld x %ld", refresh.cx,
                 refresh.cy));
  CheckPagesClean(glazier, kDpi, "dpi144-page", true);
}

CASE(dpi144_geometry_edits_show_real_pixels) {
  BecomeDpiAware();
  const std::string title = UniqueTitle("E2E 高DPI 位置");
  Target target = StartTarget(title, 300, 150, 30, 40);
  // Real pixels: the driver is per-monitor aware.
  const RECT real = OuterRect(target.hwnd);
  Glazier glazier;
  glazier.Select(title);
  CheckEqual(glazier.Text(IDC_X_EDIT), std::to_string(real.left), "X edit");
  CheckEqual(glazier.Text(IDC_Y_EDIT), std::to_string(real.top), "Y edit");
  CheckEqual(glazier.Text(IDC_WIDTH_EDIT), std::to_string(real.right - real.left), "width edit");
  CheckEqual(glazier.Text(IDC_HEIGHT_EDIT), std::to_string(real.bottom - real.top), "height edit");

  glazier.OpenPage(kGeometryPage);
  Require(glazier.TypeInto(IDC_WIDTH_EDIT, "600"), "typed 600 into the width edit");
  Check(WaitFor([&] {
          const RECT now = OuterRect(target.hwnd);
          return now.right - now.left == 600 && now.left == real.left;
        }),
        "the window is 600 real pixels wide: " + Describe(OuterRect(target.hwnd)));
  glazier.Press(IDC_DOUBLE);
  const bool doubled = WaitFor([&] {
    const RECT now = OuterRect(target.hwnd);
    return now.right - now.left == 1200 && glazier.Text(IDC_WIDTH_EDIT) == "1200";
  });
  Check(doubled, "\"× 2\" makes it 1200 real pixels wide, and the width edit shows what it took: " +
                     Describe(OuterRect(target.hwnd)));
}

CASE(dpi144_dialog_follows_a_dpi_change) {
  BecomeDpiAware();
  Target target = StartTarget(UniqueTitle("E2E 高DPI"), 280, 100, 20, 20);
  Glazier glazier;
  Require(PlacedAt(glazier, kDpi, 0), "at start the page controls stand at their 144-DPI places");
  // The list's row height follows the font the controls get.
  auto rowHeight = [&] {
    DWORD_PTR height = 0;
    SendMessageTimeoutW(glazier.List(), LB_GETITEMHEIGHT, 0, 0, SMTO_NORMAL, 10000, &height);
    return static_cast<int>(height);
  };
  const int rowsAtStart = rowHeight();

  // Moved to a monitor at 100 %: the layout of 96 DPI, in the suggested rectangle.
  RECT suggested = SuggestedRect(glazier.Dialog(), kDpi, USER_DEFAULT_SCREEN_DPI);
  Require(SendDpiChanged(glazier, USER_DEFAULT_SCREEN_DPI, suggested),
          "the dialog took WM_DPICHANGED for 96 DPI");
  RECT outer = OuterRect(glazier.Dialog());
  Check(EqualRect(&outer, &suggested) != FALSE,
        "it takes the suggested rectangle " + Describe(suggested) + ": " + Describe(outer));
  Check(PlacedAt(glazier, USER_DEFAULT_SCREEN_DPI, 1),
        "the page controls stand at their 96-DPI places, give or take a pixel");
  Check(std::abs(rowHeight() - MulDiv(rowsAtStart, USER_DEFAULT_SCREEN_DPI, kDpi)) <= 1,
        Format("the font is two thirds as high: the list's rows are %d pixels high, were %d",
               rowHeight(), rowsAtStart));
  CheckPagesClean(glazier, USER_DEFAULT_SCREEN_DPI, "dpi-changed-96-page", false);
  // The resize that followed the change is the new base of the reflow.
  CheckResizeReflows(glazier, 40, 30);

  // And back at 150 %.
  suggested = SuggestedRect(glazier.Dialog(), USER_DEFAULT_SCREEN_DPI, kDpi);
  Require(SendDpiChanged(glazier, kDpi, suggested), "the dialog took WM_DPICHANGED for 144 DPI");
  outer = OuterRect(glazier.Dialog());
  Check(EqualRect(&outer, &suggested) != FALSE,
        "it takes the suggested rectangle " + Describe(suggested) + ": " + Describe(outer));
  Check(PlacedAt(glazier, kDpi, 1),
        "the page controls stand at their 144-DPI places again, give or take a pixel");
  CheckEqual(rowHeight(), rowsAtStart,
             "the font is the one of 144 DPI again: the list's row height as at start");
  CheckPagesClean(glazier, kDpi, "dpi-changed-144-page", true);
  CheckResizeReflows(glazier, -40, -30);
}

CASE(version_resource_and_icon_sizes) {
  const std::wstring exe = ExeDir() + L"\\glazier.exe";
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
  Require(size > 0, "glazier.exe has a version resource");
  std::vector<char> info(size);
  Require(GetFileVersionInfoW(exe.c_str(), 0, size, info.data()) != FALSE, "read it");

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  Require(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) &&
              length >= sizeof(*fixed),
          "its fixed part");
  CheckEqual(HIWORD(fixed->dwFileVersionMS), 2, "file version, major");
  CheckEqual(LOWORD(fixed->dwFileVersionMS), 10, "file version, minor");
  CheckEqual(HIWORD(fixed->dwProductVersionMS), 2, "product version, major");
  CheckEqual(LOWORD(fixed->dwProductVersionMS), 10, "product version, minor");

  struct Translation {
    WORD language;
    WORD codePage;
  };
  Translation* translations = nullptr;
  Require(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                         reinterpret_cast<void**>(&translations), &length) &&
              length >= sizeof(Translation),
          "its translation");
  auto text = [&](const wchar_t* name) {
    wchar_t path[128];
    std::swprintf(path, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translations->language,
                  translations->codePage, name);
    wchar_t* value = nullptr;
    UINT chars = 0;
    if (!VerQueryValueW(info.data(), path, reinterpret_cast<void**>(&value), &chars) || !value) {
      return std::string();
    }
    return Narrow(value);
  };
  CheckEqual(text(L"ProductName"), "Glazier", "ProductName");
  CheckEqual(text(L"FileVersion"), "2.10", "FileVersion");
  CheckEqual(text(L"ProductVersion"), "2.10", "ProductVersion");
  Check(!text(L"FileDescription").empty(), "FileDescription: \"" + text(L"FileDescription") + "\"");
  const std::string copyright = text(L"LegalCopyright");
  Check(copyright.find("Glazier") != std::string::npos,
        "LegalCopyright is our own line: \"" + copyright + "\"");

  // The sizes of the program icon: 16, 32 and 48 for 100 %, and larger ones for denser screens.
  HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  Require(module != nullptr, "loaded glazier.exe's resources");
  std::set<int> sizes;
  if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDI_APP), RT_GROUP_ICON)) {
    const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    const DWORD bytes = SizeofResource(module, found);
    // A group header of three WORDs, then 14-byte entries whose first byte is the width.
    const int count = bytes >= 6 ? group[4] | (group[5] << 8) : 0;
    for (int i = 0; i < count && 6 + 14 * (i + 1) <= static_cast<int>(bytes); ++i) {
      const int width = group[6 + 14 * i];
      sizes.insert(width == 0 ? 256 : width);
    }
  }
  FreeLibrary(module);
  std::string listed;
  for (int size : sizes) listed += Format(" %d", size);
  Check(sizes.count(16) && sizes.count(32) && sizes.count(48),
        "the icon has 16, 32 and 48 pixels:" + listed);
  Check(!sizes.empty() && *sizes.rbegin() >= 64,
        "and 64 or more, the large icon at 200 %:" + listed);
}
