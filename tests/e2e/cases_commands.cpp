// The show-state, always-on-top, frame and lock commands, on our target program and on notepad.
#include <windows.h>

#include "glazier.h"
#include "res/messages.h"
#include "res/resource.h"
#include "tests/common/harness.h"

using namespace e2e;

namespace {

bool Minimized(HWND hwnd) {
  return WaitFor([&] { return IsIconic(hwnd) != FALSE; });
}

bool Restored(HWND hwnd) {
  return WaitFor([&] { return !IsIconic(hwnd) && IsWindowVisible(hwnd); });
}

// Minimize, show, always on top and its cancellation on one window.
void ShowCommandsOn(Glazier& glazier, HWND target, const std::string& name) {
  glazier.SelectOnPage(WindowText(target), kShowPage);
  glazier.Press(IDC_MINIMIZE);
  Check(Minimized(target), "\"ウィンドウを最小化\" minimizes " + name);
  glazier.Press(IDC_SHOW);
  Check(Restored(target), "\"ウィンドウを表示\" restores " + name);

  glazier.Press(IDC_TOPMOST);
  Check(WaitFor([&] { return HasExStyle(target, WS_EX_TOPMOST); }),
        "\"常に手前に表示\" makes " + name + " topmost");
  glazier.Press(IDC_NOTOPMOST);
  Check(WaitFor([&] { return !HasExStyle(target, WS_EX_TOPMOST); }),
        "\"手前に表示の解除\" clears it again");

  glazier.Press(IDC_MINIMIZE);
  Require(Minimized(target), "minimized " + name + " again");
  glazier.Press(IDC_TOPMOST);
  Check(Restored(target) && WaitFor([&] { return HasExStyle(target, WS_EX_TOPMOST); }),
        "\"常に手前に表示\" on a minimized window restores it and makes it topmost");
  glazier.Press(IDC_NOTOPMOST);
  WaitFor([&] { return !HasExStyle(target, WS_EX_TOPMOST); });
}

}  // namespace

CASE(show_state_and_always_on_top) {
  const std::string title = UniqueTitle("E2E 表示");
  Target target = StartTarget(title, 300, 150, 20, 20);
  Notepad notepad = StartNotepad(20, 620, 420, 300);
  Glazier glazier;
  ShowCommandsOn(glazier, target.hwnd, "our target");
  ShowCommandsOn(glazier, notepad.hwnd, "notepad");
}

CASE(resizable_frame) {
  Target target = StartTarget(UniqueTitle("E2E 枠"), 300, 150, 20, 20);
  Glazier glazier;
  const LONG before = GetWindowLongW(target.hwnd, GWL_STYLE);
  Check((before & WS_THICKFRAME) == 0, "the target starts without a sizing frame");
  RECT outerBefore = {};
  GetWindowRect(target.hwnd, &outerBefore);

  glazier.SelectOnPage(WindowText(target.hwnd), kShapePage);
  glazier.Press(IDC_RESIZABLE);
  const LONG after = GetWindowLongW(target.hwnd, GWL_STYLE);
  Check((after & 0xCF0000) == 0xCF0000,
        Format("\"可変ウィンドウ\" adds 0xCF0000: style %08lx", static_cast<unsigned long>(after)));
  Check((after & before) == before, "and keeps every bit it had");
  glazier.Press(IDC_RESIZABLE);
  CheckEqual(GetWindowLongW(target.hwnd, GWL_STYLE), after, "the second press changes nothing");

  // The new frame shows once the window recomputes it: "ウィンドウを表示" asks for that.
  glazier.OpenPage(kShowPage);
  glazier.Press(IDC_SHOW);
  const bool framed = WaitFor([&] {
    RECT outer = {};
    RECT client = {};
    GetWindowRect(target.hwnd, &outer);
    GetClientRect(target.hwnd, &client);
    RECT expected = client;
    AdjustWindowRectEx(&expected, static_cast<DWORD>(after), FALSE, 0);
    return outer.right - outer.left == expected.right - expected.left &&
           outer.bottom - outer.top == expected.bottom - expected.top;
  });
  Check(framed, "after \"ウィンドウを表示\" the window's frame is the sizing frame");
}

CASE(lock_and_unlock) {
  Target target = StartTarget(UniqueTitle("E2E 錠"), 300, 150, 20, 20);
  Notepad notepad = StartNotepad(20, 620, 420, 300);
  Glazier glazier;
  for (HWND window : {target.hwnd, notepad.hwnd}) {
    const std::string title = WindowText(window);
    glazier.SelectOnPage(title, kLockPage);
    glazier.Press(IDC_LOCK);
    Check(WaitFor([&] { return !IsWindowEnabled(window); }),
          "\"ウィンドウをロック\" disables \"" + title + "\"");
    glazier.Press(IDC_UNLOCK);
    Check(WaitFor([&] { return IsWindowEnabled(window) != FALSE; }), "\"ロックを解除\" enables it");
  }
  // Glazier's own row: a locked panel could never be unlocked again, so the lock says so.
  glazier.Press(IDC_REFRESH);  // the list is refreshed only while nothing is selected
  glazier.SelectOnPage("Glazier", kLockPage);
  glazier.PressLater(IDC_LOCK);
  const MessageBoxSeen box = glazier.WaitMessageBox();
  CheckEqual(box.text, msg::kCannotLockSelf, "\"ウィンドウをロック\" on Glazier's own row says");
  glazier.CloseMessageBox(box);
  DWORD_PTR answer = 0;
  Check(IsWindowEnabled(glazier.Dialog()) &&
            SendMessageTimeoutW(glazier.Dialog(), WM_NULL, 0, 0, SMTO_NORMAL, 2000, &answer),
        "the panel stays enabled and answers");
}

CASE(unlock_enables_a_window_behind_a_modal_box) {
  const std::string title = UniqueTitle("E2E モーダル");
  Target target = StartTarget(title, 300, 150, 20, 20, L"--modal");
  Require(WaitFor([&] { return !IsWindowEnabled(target.hwnd); }),
          "our target disabled its own window behind its modal box");
  Glazier glazier;
  glazier.SelectOnPage(title, kLockPage);
  glazier.Press(IDC_UNLOCK);
  Check(WaitFor([&] { return IsWindowEnabled(target.hwnd) != FALSE; }),
        "\"ロックを解除\" enables the window its program had disabled");
}

CASE(each_command_without_a_selection_shows_its_message) {
  struct Case {
    int page;
    int button;
    const char* text;
  };
  const Case cases[] = {
      {kShowPage, IDC_MINIMIZE, msg::kSelectToMinimize},
      {kShowPage, IDC_SHOW, msg::kSelectToShow},
      {kShowPage, IDC_TOPMOST, msg::kSelectTarget},
      {kShapePage, IDC_RESIZABLE, msg::kSelectTarget},
      {kShapePage, IDC_CIRCLE, msg::kSelectToReshape},
      {kLockPage, IDC_LOCK, msg::kSelectTarget},
  };
  Glazier glazier;
  for (const Case& c : cases) {
    glazier.OpenPage(c.page);
    glazier.PressLater(c.button);
    const MessageBoxSeen box = glazier.WaitMessageBox();
    if (!Check(box.hwnd != nullptr, Format("button %d shows a message box", c.button))) continue;
    CheckEqual(box.text, c.text, "its text");
    glazier.CloseMessageBox(box);
  }
}
