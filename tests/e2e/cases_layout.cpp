// The six tab pages stacked on the first page's place, and the controls following the dialog's
// edges when it is resized.
#include <windows.h>

#include <map>
#include <vector>

#include "glazier.h"
#include "res/resource.h"
#include "res/templates.h"
#include "tests/common/harness.h"

using namespace e2e;

namespace {

std::map<int, RECT> ControlRects(const Glazier& glazier) {
  std::map<int, RECT> rects;
  for (const ControlTemplate& control : MainDialogTemplate().controls) {
    if (control.id != -1) rects[control.id] = RectInParent(glazier.Item(control.id));
  }
  return rects;
}

bool SameRects(const std::map<int, RECT>& a, const std::map<int, RECT>& b) {
  if (a.size() != b.size()) return false;
  for (const auto& [id, rect] : a) {
    const auto other = b.find(id);
    if (other == b.end() || !EqualRect(&rect, &other->second)) return false;
  }
  return true;
}

}  // namespace

CASE(pages_are_stacked_on_the_first_page) {
  Glazier glazier;
  CheckStackedOnTheAnchor(glazier, USER_DEFAULT_SCREEN_DPI);
  CheckEqual(glazier.PageCount(), 6, "tabs");
  const char* captions[] = {"表示", "変形", "ロック", "透明化", "タイトル", "位置・サイズ"};
  for (int page = 0; page < 6; ++page) {
    CheckEqual(glazier.PageCaption(page), captions[page], Format("tab %d", page));
  }
}

CASE(each_page_shows_only_its_own_controls) {
  Target target = StartTarget(UniqueTitle("E2E 窓"), 280, 100, 20, 20);
  Glazier glazier;
  const RECT tab = RectInParent(glazier.Item(IDC_TAB));
  RECT client = {};
  GetClientRect(glazier.Dialog(), &client);
  for (int page = 0; page < 6; ++page) {
    Require(glazier.ShowPage(page), Format("a click on tab %d selects it", page));
    int wrong = 0;
    for (const ControlTemplate& control : MainDialogTemplate().controls) {
      if (control.id == -1) continue;
      const int controlPage = PageOf(control.id);
      const bool shouldShow = !NeverShown(control.id) && (controlPage == -1 || controlPage == page);
      const bool shown = IsWindowVisible(glazier.Item(control.id)) != FALSE;
      if (shown != shouldShow) {
        Check(false, Format("control %d is %s", control.id, shown ? "shown" : "hidden"));
        ++wrong;
      }
      if (controlPage == page) {
        const RECT rect = RectInParent(glazier.Item(control.id));
        if (!Encloses(tab, rect) || !Encloses(client, rect)) {
          Check(false, Format("control %d %s reaches out of the tab control %s", control.id,
                              Describe(rect).c_str(), Describe(tab).c_str()));
          ++wrong;
        }
      }
    }
    Check(wrong == 0, Format("page %d shows its %zu controls, inside the tab control, and no other "
                             "page control",
                             page, TabPages()[page].controls.size()));
    CheckTextsFit(glazier.Dialog(), "every text on it fits its control");
    RECT shot = {};
    GetWindowRect(glazier.Dialog(), &shot);
    Screenshot(Format("page-%d", page), shot);
  }
}

CASE(resizing_moves_the_controls_with_the_edges) {
  Glazier glazier;
  const std::map<int, RECT> before = ControlRects(glazier);
  RECT outer = {};
  GetWindowRect(glazier.Dialog(), &outer);
  // Thirty pixels taller and forty wider, as a drag on the frame would make it.
  SetWindowPos(glazier.Dialog(), nullptr, 0, 0, outer.right - outer.left + 40,
               outer.bottom - outer.top + 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const bool reflowed = WaitFor([&] {
    const RECT list = RectInParent(glazier.List());
    return list.right != before.at(IDC_WINDOW_LIST).right;
  });
  Require(reflowed, "the dialog reflowed after the resize");

  const std::map<int, RECT> after = ControlRects(glazier);
  auto moved = [&](int id, int dx, int dy, int dw, int dh) {
    const RECT& b = before.at(id);
    const RECT& a = after.at(id);
    return a.left == b.left + dx && a.top == b.top + dy &&
           a.right - a.left == b.right - b.left + dw && a.bottom - a.top == b.bottom - b.top + dh;
  };
  Check(moved(IDC_WINDOW_LIST, 0, 0, 40, 30), "the list keeps its corner and grows by 40 x 30");
  Check(moved(IDC_REFRESH, 40, 0, 0, 0), "the refresh button moves 40 right, not down");
  int wrong = 0;
  for (const auto& [id, rect] : before) {
    if (id == IDC_WINDOW_LIST || id == IDC_REFRESH) continue;
    const bool followsBottom = id == IDC_TAB || PageOf(id) >= 0;
    if (!moved(id, 0, followsBottom ? 30 : 0, 0, 0)) {
      Check(false, Format("control %d went from %s to %s", id, Describe(rect).c_str(),
                          Describe(after.at(id)).c_str()));
      ++wrong;
    }
  }
  Check(wrong == 0,
        "the tab control and all 39 page controls move 30 down; the exit button and the hidden "
        "buttons stay");

  // Minimized, the dialog's client area is empty; restored, it reports its old size again.
  ShowWindow(glazier.Dialog(), SW_MINIMIZE);
  Require(WaitFor([&] { return IsIconic(glazier.Dialog()) != FALSE; }), "minimized the dialog");
  ShowWindow(glazier.Dialog(), SW_RESTORE);
  Require(WaitFor([&] { return !IsIconic(glazier.Dialog()); }), "restored it");
  Check(WaitFor([&] { return SameRects(ControlRects(glazier), after); }, 2000),
        "after minimize and restore every control is where it was");
}

// The labels and the trackbar stand on the tab's body as the tab control draws it, in no box of
// the dialog's colour, and the caption above the list keeps that colour; the tabs span the tab.
CASE(pages_stand_on_the_tab_body) {
  Glazier glazier;
  Require(BringToFront(glazier.Dialog()), "the dialog is in front");
  CheckTabRowSpans(glazier, "at 96 DPI");
  auto bottomRow = [](RECT rect) {
    rect.top = rect.bottom - 1;
    return rect;
  };
  // The colour a row of the screen shows most, waited for until it is `expected`.
  auto shows = [](const RECT& row, COLORREF expected, const std::string& what) {
    COLORREF seen = CLR_INVALID;
    WaitFor([&] { return (seen = MostCommonColour(row)) == expected; });
    Check(seen == expected,
          Format("%s: %06lx, expected %06lx (0xBBGGRR)", what.c_str(), seen, expected));
  };
  HWND caption = glazier.Item(-1);
  Require(WindowText(caption) == "稼働中のウィンドウ一覧", "found the list's caption");
  shows(bottomRow(OuterRect(caption)), GetSysColor(COLOR_3DFACE),
        "the list's caption shows the dialog's colour");
  const std::pair<int, std::vector<int>> kPages[] = {
      {kOpacityPage, {IDC_TRANSPARENT_LABEL, IDC_OPAQUE_LABEL, IDC_ALPHA_SLIDER}},
      {kGeometryPage, {IDC_X_LABEL, IDC_Y_LABEL, IDC_WIDTH_LABEL, IDC_HEIGHT_LABEL}},
  };
  for (const auto& [page, ids] : kPages) {
    glazier.OpenPage(page);
    RECT area = glazier.TabPageArea();
    MapWindowPoints(glazier.Dialog(), nullptr, reinterpret_cast<POINT*>(&area), 2);
    const COLORREF body = MostCommonColour(bottomRow(area));
    for (int id : ids) {
      shows(bottomRow(OuterRect(glazier.Item(id))), body,
            Format("page %d: control %d shows the tab's body along its bottom", page, id));
    }
  }
}
