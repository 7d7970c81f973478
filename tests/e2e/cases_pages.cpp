// The pages turned from the keyboard with the focus following them, and a list that holds still
// under a resting pointer.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "glazier.h"
#include "res/resource.h"
#include "tests/common/harness.h"

using namespace e2e;

namespace {

struct PageKey {
  const char* name;
  bool shift;
  WORD key;
  int step;
};
constexpr PageKey kPageKeys[] = {{"Ctrl+Tab", false, VK_TAB, 1},
                                 {"Ctrl+PageDown", false, VK_NEXT, 1},
                                 {"Ctrl+Shift+Tab", true, VK_TAB, -1},
                                 {"Ctrl+PageUp", false, VK_PRIOR, -1}};

void Press(const PageKey& key) {
  if (key.shift) {
    PressKeyWith({VK_CONTROL, VK_SHIFT}, key.key);
  } else {
    PressKeyWith(VK_CONTROL, key.key);
  }
}

// The tab shows `page`, and only that page's controls are visible.
bool OnPage(const Glazier& glazier, int page) {
  if (SendMessageW(glazier.Item(IDC_TAB), TCM_GETCURSEL, 0, 0) != page) return false;
  for (std::size_t other = 0; other < TabPages().size(); ++other) {
    for (int id : TabPages()[other].controls) {
      if ((IsWindowVisible(glazier.Item(id)) != FALSE) != (static_cast<int>(other) == page)) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

CASE(page_keys_turn_the_pages_round_both_ends) {
  Glazier glazier;
  Require(BringToFront(glazier.Dialog()), "the dialog is in front");
  const int pages = static_cast<int>(TabPages().size());
  for (const PageKey& key : kPageKeys) {
    // From the list, which every page shows: once round, past the end the key goes to.
    Require(glazier.Focus(IDC_WINDOW_LIST), "the list has the focus");
    int page = static_cast<int>(SendMessageW(glazier.Item(IDC_TAB), TCM_GETCURSEL, 0, 0));
    for (int press = 0; press < pages; ++press) {
      page = (page + key.step + pages) % pages;
      Press(key);
      Check(WaitFor([&] { return OnPage(glazier, page); }) && glazier.HasFocus(IDC_WINDOW_LIST),
            Format("%s on the list shows page %d, and the list keeps the focus", key.name, page));
    }
    // From the title edit, the focus goes along to the first control of the page shown.
    glazier.OpenPage(kTitlePage);
    Require(glazier.Focus(IDC_TITLE_EDIT), "the title edit has the focus");
    Press(key);
    const int first = key.step > 0 ? IDC_X_EDIT : IDC_ALPHA_SLIDER;
    Check(
        WaitFor([&] { return OnPage(glazier, kTitlePage + key.step) && glazier.HasFocus(first); }),
        Format("%s in the title edit shows page %d, the focus on control %d", key.name,
               kTitlePage + key.step, first));
  }
}

CASE(the_rows_hold_still_under_the_lists_tooltip) {
  Glazier glazier;
  Require(glazier.WaitRow("Glazier", 3000), "Glazier lists its own dialog");
  Require(BringToFront(glazier.Dialog()), "the dialog is in front");
  Require(glazier.RowsMatchDesktop(), "the rows are the desktop's");
  const std::vector<std::string> before = glazier.Rows();

  const RECT list = ClientOnScreen(glazier.List());
  MoveMouse({(list.left + list.right) / 2, (list.top + list.bottom) / 2});
  HWND tip = nullptr;
  Require(WaitFor([&] { return (tip = glazier.Tooltip()) && IsWindowVisible(tip); }),
          "the pointer resting on the list brings up its tooltip");
  // The list is rebuilt every second while nothing is selected.
  Check(HoldsFor([&] { return glazier.Rows() == before; }, 2500),
        "the rows stay as they were under the tooltip");
  Check(IsWindowVisible(tip) != FALSE, "with the tooltip up all the while");
}
