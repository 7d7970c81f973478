// Position and size: the edits loaded on selection, live typing and up-down steps, double,
// halve and move to the origin; and every kind of command on a window that answers slowly.
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "glazier.h"
#include "res/resource.h"
#include "tests/common/harness.h"

using namespace e2e;

namespace {

// What the four edits hold, as a rectangle.
RECT EditsRect(const Glazier& glazier) {
  const int x = std::atoi(glazier.Text(IDC_X_EDIT).c_str());
  const int y = std::atoi(glazier.Text(IDC_Y_EDIT).c_str());
  const int width = std::atoi(glazier.Text(IDC_WIDTH_EDIT).c_str());
  const int height = std::atoi(glazier.Text(IDC_HEIGHT_EDIT).c_str());
  return {x, y, x + width, y + height};
}

bool EditsShow(const Glazier& glazier, const RECT& rect) {
  const RECT edits = EditsRect(glazier);
  return EqualRect(&edits, &rect) != FALSE;
}

// The window stands at `rect` and the edits show it: where a command of the page ends once all
// its calls are done, which may be after the panel has stopped waiting for them.
bool EndsAt(const Glazier& glazier, HWND hwnd, const RECT& rect) {
  const RECT now = OuterRect(hwnd);
  return EqualRect(&now, &rect) != FALSE && EditsShow(glazier, rect);
}

// The rectangle of that corner and size.
RECT Sized(const RECT& corner, int width, int height) {
  return {corner.left, corner.top, corner.left + width, corner.top + height};
}

// What a command leaves once all its calls have reached a slow window, whatever it passes
// through on the way: within 8 s the state comes and then holds for a second.
bool EndsAs(const std::function<bool()>& state) {
  const ULONGLONG deadline = GetTickCount64() + 8000;
  for (ULONGLONG now = GetTickCount64(); now < deadline; now = GetTickCount64()) {
    if (WaitFor(state, static_cast<DWORD>(deadline - now)) && HoldsFor(state, 1000)) return true;
  }
  return false;
}

}  // namespace

CASE(selecting_a_row_loads_its_rectangle) {
  const std::string title = UniqueTitle("E2E 位置");
  Target target = StartTarget(title, 300, 150, 30, 40);
  Glazier glazier;
  bool zeros = true;
  for (int id : {IDC_X_EDIT, IDC_Y_EDIT, IDC_WIDTH_EDIT, IDC_HEIGHT_EDIT}) {
    zeros = zeros && glazier.Text(id) == "0";
  }
  Check(zeros, "after start-up the four edits read \"0\"");
  Check(glazier.WaitMessageBox(300).hwnd == nullptr, "and no message box came up");

  const RECT before = OuterRect(target.hwnd);
  glazier.Select(title);
  Check(EditsShow(glazier, before),
        "selecting the row fills the edits with its rectangle " + Describe(before));
  CheckEqual(glazier.Text(IDC_TITLE_EDIT), title, "and the title edit with its title");
  const RECT after = OuterRect(target.hwnd);
  Check(EqualRect(&before, &after) != FALSE, "the window stays where it was");
  HWND top = nullptr;
  for (const ListedWindow& window : VisibleTitledWindows()) {
    if (!HasExStyle(window.hwnd, WS_EX_TOPMOST)) {
      top = window.hwnd;
      break;
    }
  }
  Check(top == target.hwnd, "it comes to the top of the z-order");
  Check(GetForegroundWindow() == glazier.Dialog(), "without being activated");
}

CASE(typing_and_up_down_steps_apply_at_once) {
  const std::string title = UniqueTitle("E2E 位置");
  Target target = StartTarget(title, 300, 150, 30, 40);
  Glazier glazier;
  glazier.SelectOnPage(title, kGeometryPage);
  const RECT before = OuterRect(target.hwnd);

  Require(glazier.TypeInto(IDC_WIDTH_EDIT, "420"), "typed 420 into the width edit");
  Check(WaitFor([&] { return OuterRect(target.hwnd).right - OuterRect(target.hwnd).left == 420; }),
        "the window is 420 wide at once");
  Require(glazier.TypeInto(IDC_X_EDIT, "60"), "typed 60 into the X edit");
  Check(WaitFor([&] { return OuterRect(target.hwnd).left == 60; }), "its left edge moves to 60");
  const RECT typed = OuterRect(target.hwnd);
  CheckEqual(typed.top, before.top, "its top stays");
  CheckEqual(typed.bottom - typed.top, before.bottom - before.top, "its height stays");

  // A click on the upper half of the height up-down steps the height by one.
  const RECT spin = ClientOnScreen(glazier.Item(IDC_HEIGHT_SPIN));
  const POINT up = {(spin.left + spin.right) / 2, spin.top + (spin.bottom - spin.top) / 4};
  const int height = typed.bottom - typed.top;
  Require(glazier.Click(
              up, [&] { return glazier.Text(IDC_HEIGHT_EDIT) == std::to_string(height + 1); }),
          "a click on the up arrow writes the next height into the edit");
  Check(WaitFor([&] {
          const RECT now = OuterRect(target.hwnd);
          return now.bottom - now.top == height + 1;
        }),
        "and the window follows");
}

CASE(double_halve_and_move_to_origin) {
  const std::string title = UniqueTitle("E2E 倍");
  Target target = StartTarget(title, 300, 150, 30, 40);
  Glazier glazier;
  glazier.SelectOnPage(title, kGeometryPage);
  const RECT before = OuterRect(target.hwnd);
  const int width = before.right - before.left;
  const int height = before.bottom - before.top;

  glazier.Press(IDC_DOUBLE);
  const bool doubled =
      WaitFor([&] { return EndsAt(glazier, target.hwnd, Sized(before, 2 * width, 2 * height)); });
  Check(doubled, "\"× 2\" doubles the size in place, the edits showing the rectangle read back: " +
                     Describe(OuterRect(target.hwnd)));

  glazier.Press(IDC_HALVE);
  const bool halved = WaitFor([&] { return EndsAt(glazier, target.hwnd, before); });
  Check(halved, "\"1 / 2\" gives the old size back, the edits showing it: " +
                    Describe(OuterRect(target.hwnd)));

  glazier.Press(IDC_ORIGIN);
  const bool moved = WaitFor([&] { return EndsAt(glazier, target.hwnd, {0, 0, width, height}); });
  Check(moved, "\"座標(0,0)\" puts the outer corner at the screen's (0, 0): " +
                   Describe(OuterRect(target.hwnd)));
  Check(glazier.Text(IDC_X_EDIT) == "0" && glazier.Text(IDC_Y_EDIT) == "0", "X and Y read \"0\"");
  Check(glazier.Text(IDC_WIDTH_EDIT) == std::to_string(width) &&
            glazier.Text(IDC_HEIGHT_EDIT) == std::to_string(height),
        "width and height are left alone");
}

CASE(double_shows_what_the_window_took) {
  const std::string title = UniqueTitle("E2E 上限");
  // The target refuses to grow beyond 500 x 260.
  Target target = StartTarget(title, 300, 150, 30, 40, L"--max-size 500x260");
  Glazier glazier;
  glazier.SelectOnPage(title, kGeometryPage);
  const RECT before = OuterRect(target.hwnd);
  glazier.Press(IDC_DOUBLE);
  const bool took = WaitFor([&] { return EndsAt(glazier, target.hwnd, Sized(before, 500, 260)); });
  Check(took, "the window took its largest size, not twice its own, and the edits show it: " +
                  Describe(OuterRect(target.hwnd)));
  glazier.Press(IDC_HALVE);
  const bool halved =
      WaitFor([&] { return EndsAt(glazier, target.hwnd, Sized(before, 250, 130)); });
  Check(halved, Format("halving that gives 250 x 130, not the old %ld x %ld",
                       before.right - before.left, before.bottom - before.top));
}

// Windows 10 and 11 put an invisible resize border of 7 px left, right and bottom around a
// window: a stand-in for the system's DWM library, which a copy of glazier.exe loads, reports that
// frame for every window whose title holds "(frame)". The page works with the frame seen.
CASE(the_page_places_the_visible_frame) {
  const std::wstring exe = GlazierWithStandInDwmapi(L"glazier_frames.exe");
  const std::string title = UniqueTitle("E2E 枠 (frame)");
  Target target = StartTarget(title, 300, 150, 60, 60);
  Glazier glazier(exe);
  const RECT before = OuterRect(target.hwnd);
  const int width = before.right - before.left;
  const int height = before.bottom - before.top;
  const auto visible = [&](const RECT& window) {
    return RECT{window.left + 7, window.top, window.right - 7, window.bottom - 7};
  };
  const auto framedAt = [&](const RECT& frame) {
    return [&glazier, &target, &visible, frame] {
      const RECT now = visible(OuterRect(target.hwnd));
      return EqualRect(&now, &frame) != FALSE && EditsShow(glazier, frame);
    };
  };

  const auto unmoved = [&] {
    const RECT now = OuterRect(target.hwnd);
    return EqualRect(&now, &before) != FALSE;
  };

  glazier.SelectOnPage(title, kGeometryPage);
  for (int again = 0; again < 2; ++again) glazier.ClickRow(glazier.RowOf(title));
  // Each selection puts the window where it is: nothing to wait for but a second of no change.
  Check(WaitFor(framedAt(visible(before))) && HoldsFor(unmoved, 1000),
        "three selections show the visible frame " + Describe(visible(before)) +
            " and leave the window where it was");

  glazier.Press(IDC_ORIGIN);
  Check(WaitFor(framedAt({0, 0, width - 14, height - 7})),
        "\"座標(0,0)\" puts the visible corner at the screen's (0, 0): window " +
            Describe(OuterRect(target.hwnd)));
  Screenshot("visible-frame-origin", {0, 0, width + 40, height + 40});
  Require(glazier.TypeInto(IDC_X_EDIT, "100"), "typed 100 into the X edit");
  Check(WaitFor(framedAt({100, 0, width + 86, height - 7})), "the visible left edge goes to 100");

  const RECT doubled = {100, 0, 100 + 2 * (width - 14), 2 * (height - 7)};
  glazier.Press(IDC_DOUBLE);
  Check(WaitFor(framedAt(doubled)), "\"× 2\" doubles the visible size, not the border: window " +
                                        Describe(OuterRect(target.hwnd)));
  glazier.Press(IDC_HALVE);
  Check(WaitFor(framedAt({100, 0, width + 86, height - 7})), "\"1 / 2\" halves it back");

  Require(glazier.Focus(IDC_WINDOW_LIST), "the list has the focus");
  PressKeyWith(VK_CONTROL, 'Z');
  Check(WaitFor(unmoved), "\"元に戻す\" puts back the rectangle it read, exactly: " +
                              Describe(OuterRect(target.hwnd)));
}

// A program that answers only every 150 ms (busy, not hung): every command still ends in the
// state asked for, in the order of its calls.
CASE(busy_target_every_command_ends_as_asked) {
  const std::string title = UniqueTitle("E2E 多忙");
  Target busy = StartTarget(title, 400, 300, 30, 40, L"--slow 150");
  Glazier glazier;
  glazier.Select(title);
  const HWND hwnd = busy.hwnd;

  glazier.OpenPage(kOpacityPage);
  glazier.SetText(IDC_ALPHA_EDIT, "100");
  glazier.Press(IDC_ALPHA_APPLY);
  const bool translucent = EndsAs([&] { return WindowAlpha(hwnd) == 100; });
  Check(translucent,
        Format("opacity 100 ends layered at alpha 100: alpha %d (-1: layered without one)",
               WindowAlpha(hwnd)));
  glazier.SetText(IDC_ALPHA_EDIT, "255");
  glazier.Press(IDC_ALPHA_APPLY);
  Check(EndsAs([&] { return !HasExStyle(hwnd, WS_EX_LAYERED); }), "255 ends opaque, not layered");

  glazier.OpenPage(kGeometryPage);
  const RECT first = OuterRect(hwnd);
  const RECT doubled = Sized(first, 2 * (first.right - first.left), 2 * (first.bottom - first.top));
  glazier.Press(IDC_DOUBLE);
  const auto shows = [&](const RECT& rect) { return EndsAt(glazier, hwnd, rect); };
  const bool stays = EndsAs([&] { return shows(doubled); });
  Check(stays, "\"× 2\" stays doubled, the edits showing it: window " + Describe(OuterRect(hwnd)) +
                   ", edits " + Describe(EditsRect(glazier)));
  glazier.Press(IDC_HALVE);
  const bool returns = EndsAs([&] { return shows(first); });
  Check(returns, "\"1 / 2\" returns to the first size: window " + Describe(OuterRect(hwnd)) +
                     ", edits " + Describe(EditsRect(glazier)));
  // Back to back, each press read once the one before has been: the halving works from the
  // doubled size that the window has not answered yet.
  glazier.Press(IDC_DOUBLE);
  glazier.Press(IDC_HALVE);
  const bool backToBack = EndsAs([&] { return shows(first); });
  Check(backToBack, "\"× 2\" then \"1 / 2\" back to back end at the first size: window " +
                        Describe(OuterRect(hwnd)) + ", edits " + Describe(EditsRect(glazier)));

  glazier.OpenPage(kShapePage);
  glazier.Press(IDC_CIRCLE);
  const auto circled = [&] {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    RECT box = {};
    const bool has = GetWindowRgn(hwnd, region) != ERROR && GetRgnBox(region, &box) != ERROR;
    DeleteObject(region);
    // The ellipse's box of a 400 x 300 client area is (0, 0)-(409, 320).
    return has && box.right > 400 && box.right <= 409 && box.bottom > 300 && box.bottom <= 320;
  };
  Check(EndsAs(circled), "\"●形ウィンドウ\" ends with the circle");

  glazier.OpenPage(kShowPage);
  glazier.Press(IDC_MINIMIZE);
  Check(EndsAs([&] { return IsIconic(hwnd) != FALSE; }), "minimize ends minimized");
  glazier.Press(IDC_TOPMOST);
  Check(EndsAs([&] { return !IsIconic(hwnd) && HasExStyle(hwnd, WS_EX_TOPMOST); }),
        "always on top ends restored and topmost");
  glazier.Press(IDC_NOTOPMOST);
  Check(EndsAs([&] { return !HasExStyle(hwnd, WS_EX_TOPMOST); }), "its cancellation ends it");

  glazier.OpenPage(kTitlePage);
  const std::string retitled = UniqueTitle("E2E 多忙 改題");
  glazier.SetText(IDC_TITLE_EDIT, retitled);
  glazier.Press(IDC_TITLE_APPLY);
  Require(WaitFor([&] { return WindowText(hwnd) == retitled; }), "the window takes the title");
  const ULONGLONG answered = GetTickCount64();
  const bool listed = glazier.WaitRow(retitled, 3000);
  Check(listed && GetTickCount64() - answered < 1300,
        Format("the list shows it %llu ms after the window took it",
               static_cast<unsigned long long>(GetTickCount64() - answered)));
}
