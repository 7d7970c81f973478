// The title command and the Enter key, pressed for real on the focused control.
#include <windows.h>

#include <string>

#include "glazier.h"
#include "res/messages.h"
#include "res/resource.h"
#include "tests/common/harness.h"

using namespace e2e;

namespace {

// Types a new title into the title edit and presses Enter there.
void RetitleWithEnter(Glazier& glazier, const std::string& title) {
  glazier.OpenPage(kTitlePage);
  Require(glazier.TypeInto(IDC_TITLE_EDIT, title), "typed the new title");
  PressKey(VK_RETURN);
}

}  // namespace

CASE(enter_in_the_title_edit_retitles) {
  const std::string title = UniqueTitle("E2E 題名");
  Target target = StartTarget(title, 300, 150, 20, 20);
  Notepad notepad = StartNotepad(20, 620, 420, 300);
  Glazier glazier;

  // With nothing selected, Enter in the title edit shows the selection message.
  RetitleWithEnter(glazier, "x");
  const MessageBoxSeen box = glazier.WaitMessageBox();
  Check(box.hwnd != nullptr, "Enter with no row selected shows a message box");
  CheckEqual(box.text, msg::kSelectToRetitle, "its text");
  if (box.hwnd) glazier.CloseMessageBox(box);

  for (HWND window : {target.hwnd, notepad.hwnd}) {
    glazier.Select(WindowText(window));
    CheckEqual(glazier.Text(IDC_TITLE_EDIT), WindowText(window), "the title edit holds its title");
    const std::string renamed = UniqueTitle("新しい題名 ✓ Ünïcödé");
    RetitleWithEnter(glazier, renamed);
    Check(WaitFor([&] { return WindowText(window) == renamed; }),
          "Enter in the title edit retitles the window: \"" + WindowText(window) + "\"");
    Check(WaitFor([&] { return glazier.RowOf(renamed) >= 0; }), "the list shows the new title");
    CheckEqual(glazier.Selection(), -1, "selection after the retitle");
    CheckEqual(glazier.Text(IDC_TITLE_EDIT), renamed, "the edit keeps the applied text");
    Check(glazier.App().Running() && IsWindowVisible(glazier.Dialog()), "the dialog stays open");
  }
}

CASE(enter_in_the_opacity_edit_and_on_the_trackbar) {
  const std::string title = UniqueTitle("E2E 透明");
  Target target = StartTarget(title, 300, 150, 20, 20);
  Glazier glazier;
  glazier.SelectOnPage(title, kOpacityPage);
  Require(glazier.TypeInto(IDC_ALPHA_EDIT, "90"), "typed 90 into the opacity edit");
  PressKey(VK_RETURN);
  Check(WaitFor([&] { return WindowAlpha(target.hwnd) == 90; }), "Enter there applies 90");

  glazier.SetText(IDC_ALPHA_EDIT, "60");
  Require(glazier.Focus(IDC_ALPHA_SLIDER), "the trackbar has the focus");
  PressKey(VK_RETURN);
  Check(WaitFor([&] { return WindowAlpha(target.hwnd) == 60; }),
        "Enter on the trackbar applies the edit's 60, not the trackbar's position");
  Check(glazier.App().Running() && IsWindowVisible(glazier.Dialog()), "the dialog stays open");
}

CASE(retitling_the_own_dialog) {
  Glazier glazier;
  Require(glazier.WaitRow("Glazier", 3000), "Glazier lists its own dialog");
  glazier.Select("Glazier");
  RetitleWithEnter(glazier, "ガラス職人");
  Check(WaitFor([&] { return WindowText(glazier.Dialog()) == "ガラス職人"; }),
        "the dialog's own caption changes");
  Check(glazier.WaitRow("ガラス職人"), "and its row");
}
