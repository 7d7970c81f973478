// Glazier in a prefix as a user has it, whatever font stands in for the dialogs' face: the
// Japanese texts drawn in glyphs, the six tabs without scroll arrows, every page and the version
// box whole, the menu reachable by its mnemonics. register.cmake runs this case in the prepared
// prefix and in three fresh ones; the screenshots are named by GLAZIER_FACE_TAG.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "glazier.h"
#include "platform/win32/dialog_face.h"
#include "res/resource.h"
#include "res/templates.h"
#include "tests/common/harness.h"

using namespace e2e;

namespace {

// Sets a control's text and returns how it then looks, once the picture holds still and differs
// from `before`; empty when it never did.
std::vector<BYTE> ShownWithText(Glazier& glazier, int id, std::string_view text,
                                const std::vector<BYTE>& before) {
  glazier.SetText(id, text);
  std::vector<BYTE> previous;
  std::vector<BYTE> shown;
  WaitFor([&] {
    std::vector<BYTE> now = ScreenPixels(OuterRect(glazier.Item(id)));
    const bool settled = now == previous && now != before;
    previous = std::move(now);
    if (settled) shown = previous;
    return settled;
  });
  return shown;
}

// The visible children of a dialog that reach out of its client area.
std::string OutsideClient(HWND dialog) {
  RECT client = {};
  GetClientRect(dialog, &client);
  std::string outside;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsWindowVisible(child) && !Encloses(client, RectInParent(child))) {
      outside += "\n        " + DescribeControl(child);
    }
  }
  return outside;
}

}  // namespace

CASE(panel_is_whole_in_any_face) {
  BecomeDpiAware();
  const char* tagSet = std::getenv("GLAZIER_FACE_TAG");
  const std::string tag = tagSet ? tagSet : "prepared";
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  Log(Format("  prefix \"%s\": code page %u, %d DPI; the face for \"%s\" is \"%s\"", tag.c_str(),
             GetACP(), dpi, MainDialogTemplate().font,
             DialogFace(MainDialogTemplate().font).c_str()));

  Glazier glazier;
  Require(BringToFront(glazier.Dialog()), "the dialog is in front");
  glazier.OpenPage(kTitlePage);
  const std::vector<BYTE> empty = ShownWithText(glazier, IDC_TITLE_EDIT, "", {});
  const std::vector<BYTE> first = ShownWithText(glazier, IDC_TITLE_EDIT, "表示設定", empty);
  Require(!first.empty(), "\"表示設定\" shows in the title edit");
  const std::vector<BYTE> second = ShownWithText(glazier, IDC_TITLE_EDIT, "変形透明", first);
  Check(!second.empty(), "\"変形透明\" looks different from \"表示設定\": glyphs, not boxes");
  glazier.SetText(IDC_TITLE_EDIT, "");

  HWND tab = glazier.Item(IDC_TAB);
  HWND arrows = FindWindowExW(tab, nullptr, UPDOWN_CLASSW, nullptr);
  Check(arrows == nullptr || !IsWindowVisible(arrows), "the six tabs show without scroll arrows");

  RECT client = {};
  GetClientRect(glazier.Dialog(), &client);
  for (int page = 0; page < 6; ++page) {
    Require(glazier.ShowPage(page), Format("a click on tab %d selects it", page));
    const std::span<const int> controls = TabPages()[page].controls;
    const RECT frame = RectInParent(glazier.Item(controls.front()));
    std::string outside;
    for (int id : controls) {
      const RECT rect = RectInParent(glazier.Item(id));
      if (!Encloses(client, rect) || (id != controls.front() && !Encloses(frame, rect))) {
        outside += "\n        " + DescribeControl(glazier.Item(id));
      }
    }
    Check(outside.empty(),
          Format("page %d: its controls lie inside its frame and the dialog", page) + outside);
    std::string overlaps;
    for (const Overlap& overlap : OverlappingControls(glazier.Dialog())) {
      overlaps +=
          "\n        " + DescribeControl(overlap.first) + " and " + DescribeControl(overlap.second);
    }
    Check(overlaps.empty(), Format("page %d: no two controls overlap", page) + overlaps);
    CheckTextsFit(glazier.Dialog(), Format("page %d: every text fits its control", page));
    RECT shot = {};
    GetWindowRect(glazier.Dialog(), &shot);
    Screenshot(Format("face-%s-page-%d", tag.c_str(), page), shot);
  }

  // The menu, by its mnemonics, as a user opens it.
  Require(BringToFront(glazier.Dialog()), "the dialog is in front");
  PressKeyWith(VK_MENU, 'H');
  const HWND popup = WaitPopupMenu();
  Require(popup != nullptr, "Alt+H opens \"ﾍﾙﾌﾟ (&H)\"");
  RECT dialogRect = {};
  RECT popupRect = {};
  RECT both = {};
  GetWindowRect(glazier.Dialog(), &dialogRect);
  GetWindowRect(popup, &popupRect);
  UnionRect(&both, &dialogRect, &popupRect);
  Screenshot(Format("face-%s-menu", tag.c_str()), both);
  PressKey('V');
  HWND box = WaitVersionBox();
  Require(box != nullptr, "and V the version box");
  const std::string outside = OutsideClient(box);
  Check(outside.empty(), "the version box holds all its controls" + outside);
  CheckTextsFit(box, "every text of the version box fits its control");
  RECT shot = {};
  GetWindowRect(box, &shot);
  Screenshot(Format("face-%s-version", tag.c_str()), shot);
  PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  Check(WaitFor([&] { return !IsWindow(box); }), "OK closes it");
}
