// The version box, opened from the menu with the keyboard.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "glazier.h"
#include "res/resource.h"
#include "res/templates.h"
#include "tests/common/harness.h"

using namespace e2e;

namespace {

HWND OpenVersionBox(Glazier& glazier) {
  Require(BringToFront(glazier.Dialog()), "the dialog is in front");
  PressKeyWith(VK_MENU, 'H');
  PressKey('V');
  return WaitVersionBox();
}

}  // namespace

CASE(version_box) {
  Glazier glazier;
  HWND box = OpenVersionBox(glazier);
  Require(box != nullptr, "\"ﾍﾙﾌﾟ (&H)\" > \"ﾊﾞｰｼﾞｮﾝ情報 (&V)\" opens \"ﾊﾞｰｼﾞｮﾝ情報\"");
  Check(GetWindow(box, GW_OWNER) == glazier.Dialog(), "the main dialog owns it");
  Check(!IsWindowEnabled(glazier.Dialog()), "the main dialog takes no input meanwhile");

  std::vector<std::string> texts;
  bool icon = false;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    texts.push_back(WindowText(child));
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        ClassName(child) == "Static") {
      icon = true;
    }
  }
  for (const char* text : {"OK", "Glazier", "Version 2.10", "Maked 2003/07/25",
                           "最新版、サポート等は", kHomePageUrl}) {
    Check(std::find(texts.begin(), texts.end(), text) != texts.end(),
          "it shows \"" + std::string(text) + "\"");
  }
  Check(icon, "and the icon");
  CheckTextsFit(box, "every text fits its control");
  CheckEqual(WindowText(GetDlgItem(box, IDC_HOMEPAGE)), kHomePageUrl, "the link button");

  // The main dialog's timers keep running: a window opened now is listed.
  const std::string title = UniqueTitle("E2E 版");
  Target target = StartTarget(title, 280, 100, 20, 20);
  Check(glazier.WaitRow(title, 3000), "the list refreshes while the box is open");
  RECT rect = {};
  GetWindowRect(box, &rect);
  Screenshot("version", rect);

  PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  Check(WaitFor([&] { return !IsWindow(box); }), "OK closes it");
  Check(WaitFor([&] { return IsWindowEnabled(glazier.Dialog()) != FALSE; }),
        "the main dialog takes input again");

  box = OpenVersionBox(glazier);
  Require(box != nullptr, "opened it again");
  Require(BringToFront(box), "the box is in front");
  PressKey(VK_ESCAPE);
  Check(WaitFor([&] { return !IsWindow(box); }), "Esc closes it");
  Check(glazier.App().Running(), "and Glazier keeps running");
}
