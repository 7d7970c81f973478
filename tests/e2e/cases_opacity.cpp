// Opacity from the edit and the trackbar, the input checks, and the flashing.
#include <windows.h>

// commctrl.h builds on windows.h.
#include <commctrl.h>

#include <set>
#include <string>

#include "glazier.h"
#include "res/messages.h"
#include "res/resource.h"
#include "tests/common/harness.h"

using namespace e2e;

namespace {

int SliderPosition(const Glazier& glazier) {
  return static_cast<int>(SendMessageW(glazier.Item(IDC_ALPHA_SLIDER), TBM_GETPOS, 0, 0));
}

}  // namespace

CASE(opacity_from_the_edit) {
  const std::string title = UniqueTitle("E2E 透明");
  Target target = StartTarget(title, 300, 150, 20, 20);
  Glazier glazier;
  CheckEqual(SliderPosition(glazier), 150, "after start-up the trackbar");
  CheckEqual(glazier.Text(IDC_ALPHA_EDIT), "150", "and the opacity edit");
  Check(!HasExStyle(target.hwnd, WS_EX_LAYERED), "no window has been changed");

  glazier.SelectOnPage(title, kOpacityPage);
  struct Step {
    const char* text;
    int alpha;
  };
  for (const Step& step : {Step{"128", 128}, Step{"000", 0}, Step{"007", 7}, Step{"0255", 255},
                           Step{"254", 254}, Step{"255", 255}}) {
    glazier.SetText(IDC_ALPHA_EDIT, step.text);
    glazier.Press(IDC_ALPHA_APPLY);
    // The window takes each change in order, after the window manager's answer to the one before.
    int alpha = -1;
    WaitFor([&] { return (alpha = WindowAlpha(target.hwnd)) == step.alpha; });
    CheckEqual(alpha, step.alpha, Format("alpha after \"実行\" with \"%s\"", step.text));
    CheckEqual(glazier.Text(IDC_ALPHA_EDIT), step.text, "the edit keeps what was typed");
  }
  Check(WaitFor([&] { return !HasExStyle(target.hwnd, WS_EX_LAYERED); }),
        "255 clears WS_EX_LAYERED");
}

CASE(rejected_opacity_texts) {
  const std::string title = UniqueTitle("E2E 透明");
  Target target = StartTarget(title, 300, 150, 20, 20);
  Glazier glazier;
  glazier.SelectOnPage(title, kOpacityPage);
  struct Input {
    std::string text;
    const char* message;
  };
  const Input inputs[] = {
      {"", msg::kOpacityEmpty},
      {"-1", msg::kOpacityNotNumber},
      {" 12", msg::kOpacityNotNumber},
      {"1.5", msg::kOpacityNotNumber},
      {"１２", msg::kOpacityNotNumber},
      {"256", msg::kOpacityOutOfRange},
      {"1000", msg::kOpacityOutOfRange},
      {"99999999999999999999999999", msg::kOpacityOutOfRange},
      {std::string(300, '7'), msg::kOpacityOutOfRange},
  };
  for (const Input& input : inputs) {
    glazier.SetText(IDC_ALPHA_EDIT, input.text);
    glazier.PressLater(IDC_ALPHA_APPLY);
    const MessageBoxSeen box = glazier.WaitMessageBox();
    const std::string shown = input.text.size() > 30 ? Format("%zu digits", input.text.size())
                                                     : Format("\"%s\"", input.text.c_str());
    if (!Check(box.hwnd != nullptr, shown + " is rejected with a message box")) continue;
    CheckEqual(box.text, input.message, "its text");
    glazier.CloseMessageBox(box);
    CheckEqual(glazier.Text(IDC_ALPHA_EDIT), msg::kOpacityReset, "the edit then reads");
  }
  Check(!HasExStyle(target.hwnd, WS_EX_LAYERED), "the target was never touched");
}

CASE(flashing_pulses_until_stopped) {
  const std::string title = UniqueTitle("E2E 点滅");
  Target target = StartTarget(title, 300, 150, 20, 20);
  const std::string otherTitle = UniqueTitle("E2E 点滅 隣");
  Target other = StartTarget(otherTitle, 300, 150, 20, 400);
  Glazier glazier;
  glazier.SelectOnPage(title, kOpacityPage);
  glazier.Press(IDC_FLASH);
  CheckEqual(glazier.Text(IDC_FLASH), msg::kFlashStop, "the button then reads");

  // A refresh that gives the flashed window's row to another window: the flashing stays with
  // the window it was started on.
  const int row = glazier.RowOf(title);
  SetWindowPos(other.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  glazier.Press(IDC_REFRESH);
  Require(glazier.RowOf(title) > row, "the refresh moves the flashed window's row down");
  bool othersOpaque = true;

  // Watch the alpha for a little more than one period of 48 ticks.
  std::set<int> seen;
  int changes = 0;
  int last = WindowAlpha(target.hwnd);
  const ULONGLONG start = GetTickCount64();
  while (GetTickCount64() - start < 5500) {
    // -1: layered, but the first tick has not set an alpha yet.
    const int alpha = WindowAlpha(target.hwnd);
    if (alpha != last && alpha != -1) ++changes;
    last = alpha;
    if (alpha != -1) seen.insert(alpha);
    othersOpaque =
        othersOpaque && WindowAlpha(other.hwnd) == 255 && WindowAlpha(glazier.Dialog()) == 255;
    Sleep(5);
  }
  std::string values;
  bool allowed = true;
  for (int alpha : seen) {
    values += Format(" %d", alpha);
    allowed = allowed && (alpha == 0 || (alpha >= 16 && alpha <= 246 && alpha % 10 == 6));
  }
  Check(allowed, "every alpha seen is 0 or one of 16, 26, ..., 246:" + values);
  Check(seen.count(0) == 1 && seen.count(16) == 1, "the flashing reaches both 0 and 16");
  Log(Format("  measured: %d alpha changes in 5.5 s, %.1f ticks per second", changes,
             changes / 5.5));
  Check(changes >= 30, "the window pulses (at least 30 steps in 5.5 s)");
  Check(othersOpaque, "and no other window does, neither the one now in its row nor Glazier");

  glazier.Press(IDC_FLASH);
  CheckEqual(glazier.Text(IDC_FLASH), msg::kFlashStart, "after stopping the button reads");
  const int stopped = WindowAlpha(target.hwnd);
  Check(HoldsFor([&] { return WindowAlpha(target.hwnd) == stopped; }, 600),
        Format("the window stays layered at the last alpha (%d)", stopped));
}

CASE(trackbar_release_applies_and_keys_do_not) {
  const std::string title = UniqueTitle("E2E 透明");
  Target target = StartTarget(title, 300, 150, 20, 20);
  Glazier glazier;
  glazier.SelectOnPage(title, kOpacityPage);

  // A click on the channel left of the thumb moves it a page towards the click; the release
  // copies the position into the edit and applies it.
  RECT channel = {};
  RemoteMemory memory(glazier.App().Handle(), sizeof(RECT));
  SendMessageW(glazier.Item(IDC_ALPHA_SLIDER), TBM_GETCHANNELRECT, 0, memory.AsLParam());
  memory.Read(&channel, sizeof(channel));
  POINT point = {channel.left + (channel.right - channel.left) / 8,
                 (channel.top + channel.bottom) / 2};
  ClientToScreen(glazier.Item(IDC_ALPHA_SLIDER), &point);
  Require(glazier.Click(point, [&] { return SliderPosition(glazier) < 150; }),
          "a click on the channel moves the thumb");
  const int position = SliderPosition(glazier);
  Check(WaitFor([&] { return glazier.Text(IDC_ALPHA_EDIT) == std::to_string(position); }),
        Format("the release writes the position %d into the edit", position));
  Check(WaitFor([&] { return WindowAlpha(target.hwnd) == position; }),
        "and applies it to the window");

  // The keyboard moves the thumb without a release notification: nothing follows.
  Require(glazier.Focus(IDC_ALPHA_SLIDER), "the trackbar has the focus");
  PressKey(VK_RIGHT);
  PressKey(VK_RIGHT);
  Require(WaitFor([&] { return SliderPosition(glazier) == position + 2; }),
          "two Right keys move the thumb by 2");
  Check(HoldsFor(
            [&] {
              return glazier.Text(IDC_ALPHA_EDIT) == std::to_string(position) &&
                     WindowAlpha(target.hwnd) == position;
            },
            600),
        "neither the edit nor the window follows a position changed from the keyboard");
}
