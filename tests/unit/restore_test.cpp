// Putting windows back as they were before Glazier changed them: what is remembered, the list's
// shortcut menu and Ctrl+Z.
#include <functional>
#include <ostream>
#include <tuple>

#include "unit/glazier_fixture.h"

namespace {

constexpr KeyPress kCtrlZ{'Z', true, false, false};

// What the user does to a window: types into an edit, then presses a button (either may be
// missing), or clicks an up-down's arrow `steps` times.
struct Step {
  int button;
  int edit = 0;
  const char* text = "";
  int spin = 0;
  int steps = 0;
};

class RestoreTest : public GlazierTest {
 protected:
  // A window as every command can change it; `dressed`: clipped and layered already.
  void SetUpTarget(bool dressed) {
    AddUsualWindows();
    target = windows.AddWindow("対象", true, {100, 100, 500, 400}, 384, 277);
    if (dressed) {
      windows.Window(target).region = "ellipse(0,0,9,9)";
      windows.Window(target).exStyle = static_cast<std::int32_t>(wm::kWsExLayered);
      windows.Window(target).layeredAlpha = 200;
    }
    Start();
    SelectTarget();
  }

  int TargetRow() {
    for (int row = 0; row < dialog.TargetCount(); ++row) {
      if (dialog.TargetAt(row) == target) return row;
    }
    ADD_FAILURE() << "no row for the target";
    return -1;
  }
  void SelectTarget() { Select(TargetRow()); }

  // Everything a command may change, and what it must leave alone.
  auto Look() {
    const FakeWindow& w = windows.Window(target);
    return std::make_tuple(w.style, w.exStyle, w.region, w.layeredAlpha, w.title, w.rect.left,
                           w.rect.top, w.rect.right, w.rect.bottom, w.enabled, w.topmost);
  }

  // The names of the changes logged since the last Forget, up to the list's refresh.
  Calls ChangeNames() {
    Calls names;
    for (const std::string& call : windows.Log()) {
      if (call == "EnumWindows") break;
      const std::string name = call.substr(0, call.find('('));
      if (name.rfind("Set", 0) == 0 || name == "EnableWindow" || name == "ShowWindow")
        names.push_back(name);
    }
    return names;
  }

  // Flashing ticks on after each step; where a retitle's refresh has ended the selection, the
  // user selects the target again.
  void Do(const std::vector<Step>& steps) {
    for (const Step& step : steps) {
      if (step.edit) host.UserSetText(step.edit, step.text);
      if (step.button) host.Click(step.button);
      for (int n = 0; n < step.steps; ++n) host.StepUpDown(step.spin, 1);
      for (int tick = 0; tick < 3; ++tick) host.Tick(CGlazierDlg::FLASH_TIMER);
      if (dialog.SelectedRow() == -1) SelectTarget();
    }
  }

  // The menu as the user last saw it: each item's text, and whether it could be chosen.
  std::vector<std::pair<std::string, bool>> LastMenu() {
    std::vector<std::pair<std::string, bool>> items;
    for (const MenuItem& item : host.Menus().back().items)
      items.emplace_back(item.text, !item.grayed);
    return items;
  }

  WindowHandle target = 0;
};

// A failing parameterized case names its parameter by what it is.
template <typename Param>
requires requires(const Param& param) {
  param.what;
}
void PrintTo(const Param& param, std::ostream* out) {
  *out << param.what;
}

struct Change {
  const char* what;
  std::vector<Step> steps;  // twice where it can be: the first state counts
  Aspects kept;
  Calls restoreChanges;  // on a plain window: only what was changed is touched
};

const Change kChanges[] = {
    {"topmost", {{IDC_TOPMOST}}, aspect::kZOrder, {"SetWindowPos"}},
    {"frame", {{IDC_RESIZABLE}}, aspect::kFrame, {"SetWindowLong", "SetWindowPos"}},
    {"lock", {{IDC_LOCK}, {IDC_LOCK}}, aspect::kLock, {"EnableWindow"}},
    {"shapes", {{IDC_CIRCLE}, {IDC_STAR}}, aspect::kShape, {"SetWindowRgn"}},
    {"plain_shape", {{IDC_PLAIN_SHAPE}, {IDC_CIRCLE}}, aspect::kShape, {"SetWindowRgn"}},
    {"opacity",
     {{IDC_ALPHA_APPLY, IDC_ALPHA_EDIT, "255"}, {IDC_ALPHA_APPLY, IDC_ALPHA_EDIT, "77"}},
     aspect::kOpacity,
     {"SetWindowLong"}},
    {"flashing", {{IDC_FLASH}}, aspect::kOpacity, {"SetWindowLong"}},
    {"title",
     {{IDC_TITLE_APPLY, IDC_TITLE_EDIT, "一"}, {IDC_TITLE_APPLY, IDC_TITLE_EDIT, "二"}},
     aspect::kTitle,
     {"SetWindowText"}},
    {"size",
     {{IDC_DOUBLE}, {IDC_ORIGIN}, {0, IDC_HEIGHT_EDIT, "77"}},
     aspect::kGeometry,
     {"SetWindowPos"}},
    {"typed_digits",
     {{0, IDC_X_EDIT, "110"}, {0, IDC_X_EDIT, "120"}},
     aspect::kGeometry,
     {"SetWindowPos"}},
    {"one_pixel_steps", {{0, 0, "", IDC_Y_SPIN, 3}}, aspect::kGeometry, {"SetWindowPos"}},
};

// Each change on a plain window and on one clipped and layered already.
class RestoreEachChange : public RestoreTest,
                          public ::testing::WithParamInterface<std::tuple<Change, bool>> {};

TEST_P(RestoreEachChange, IsUndoneFromItsFirstStateTouchingNothingElse) {
  const auto& [change, dressed] = GetParam();
  SetUpTarget(dressed);
  const auto before = Look();

  Do(change.steps);
  EXPECT_NE(Look(), before);
  EXPECT_EQ(dialog.KeptAspects(target), change.kept);
  Forget();
  EXPECT_TRUE(host.PressKey(kCtrlZ));
  EXPECT_EQ(Look(), before);
  if (!dressed) {
    EXPECT_EQ(ChangeNames(), change.restoreChanges);
  }
  EXPECT_FALSE(dialog.IsFlashing());
  EXPECT_EQ(dialog.KeptAspects(target), 0u);
  EXPECT_TRUE(host.MessageBoxes().empty());
  EXPECT_EQ(windows.LiveRegions(), 0);
  EXPECT_EQ(windows.BadRegionDeletes(), 0);
}

INSTANTIATE_TEST_SUITE_P(Commands, RestoreEachChange,
                         ::testing::Combine(::testing::ValuesIn(kChanges), ::testing::Bool()),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).what) +
                                  (std::get<1>(info.param) ? "_dressed" : "_plain");
                         });

// What became of a window between Glazier's change and "元に戻す", and what the restore leaves.
struct Since {
  const char* what;
  std::function<void(CFakeWindowManager&, WindowHandle)> before;  // the window as Glazier finds it
  std::vector<Step> steps;
  std::function<void(FakeWindow&)> meanwhile;  // what its program (or the system) did since
  std::function<void(const FakeWindow&)> check;
  Aspects stillKept = 0;
  std::vector<std::string> boxes = {};
};

// Maximized on a second monitor, right of the first, whose work area starts 100 px in (a taskbar
// on its left); the normal place is given in coordinates of that work area.
void MaximizedOnTheSecondMonitor(CFakeWindowManager& windows, WindowHandle h) {
  windows.AddMonitor({1280, 0, 2560, 1024}, {1380, 0, 2560, 1024});
  windows.Window(h).rect = {1500, 100, 1900, 400};
  windows.ShowWindow(h, wm::kSwShowMaximized);
}
void BackMaximizedOnTheSecondMonitor(const FakeWindow& w) {
  EXPECT_TRUE(w.maximized);
  EXPECT_EQ(w.normal, (Rect{1500, 100, 1900, 400}));
}

// Disabled by its program's own dialog, which is up when Glazier unlocks it.
void DisabledBehindItsDialog(CFakeWindowManager& windows, WindowHandle h) {
  windows.Window(h).enabled = false;
  windows.Window(h).ownsEnabledPopup = true;
}

const Since kSinces[] = {
    {"title_changed_by_its_program",
     nullptr,
     {{IDC_TITLE_APPLY, IDC_TITLE_EDIT, "一"}},
     [](FakeWindow& w) { w.title = "プログラムの題"; },
     [](const FakeWindow& w) { EXPECT_EQ(w.title, "プログラムの題"); }},
    {"unlocked_behind_its_own_dialog_still_up",
     DisabledBehindItsDialog,
     {{IDC_UNLOCK}},
     nullptr,
     [](const FakeWindow& w) { EXPECT_FALSE(w.enabled); }},
    {"unlocked_behind_its_own_dialog_closed_since",
     DisabledBehindItsDialog,
     {{IDC_UNLOCK}},
     [](FakeWindow& w) { w.ownsEnabledPopup = false; },
     [](const FakeWindow& w) { EXPECT_TRUE(w.enabled); }},
    {"another_window_under_the_handle",
     nullptr,
     {{IDC_TOPMOST}, {IDC_CIRCLE}},
     [](FakeWindow& w) { ++w.process; },
     [](const FakeWindow& w) {
       EXPECT_TRUE(w.topmost);
       EXPECT_TRUE(w.region.has_value());
     }},
    {"moved_by_its_program_after_glaziers_move",
     nullptr,
     {{IDC_TOPMOST}, {0, IDC_X_EDIT, "400"}},
     [](FakeWindow& w) {
       w.rect = {420, 100, 820, 400};
     },
     [](const FakeWindow& w) {
       EXPECT_EQ(w.rect, (Rect{420, 100, 820, 400}));
       EXPECT_FALSE(w.topmost);
     }},
    {"locked_then_its_program_opened_a_dialog",
     nullptr,
     {{IDC_LOCK}},
     [](FakeWindow& w) { w.ownsEnabledPopup = true; },
     [](const FakeWindow& w) { EXPECT_FALSE(w.enabled); },
     aspect::kLock},
    {"moved_by_the_window_manager_as_it_became_layered",
     [](CFakeWindowManager& windows, WindowHandle h) {
       windows.Window(h).movedByRestyle = {3, 22};
     },
     {{IDC_ALPHA_APPLY, IDC_ALPHA_EDIT, "60"}},
     nullptr,
     [](const FakeWindow& w) {
       EXPECT_EQ(w.rect, (Rect{100, 100, 500, 400}));
       EXPECT_EQ(w.exStyle, 0);
     }},
    {"doubled_and_answered_late_by_the_window_manager",
     [](CFakeWindowManager& windows, WindowHandle h) {
       windows.Window(h).lateAnswer = Rect{100, 100, 900, 650};
     },
     {{IDC_DOUBLE}},
     nullptr,
     [](const FakeWindow& w) {
       EXPECT_EQ(w.rect, (Rect{100, 100, 500, 400}));
     }},
    {"drawing_its_own_transparency",
     [](CFakeWindowManager& windows, WindowHandle h) {
       windows.Window(h).exStyle = static_cast<std::int32_t>(wm::kWsExLayered);
     },
     {{IDC_TITLE_APPLY, IDC_TITLE_EDIT, "一"}, {IDC_ALPHA_APPLY, IDC_ALPHA_EDIT, "100"}},
     nullptr,
     [](const FakeWindow& w) { EXPECT_EQ(w.title, "対象"); },
     0,
     {"このウィンドウの透明度は元に戻せません。"}},
    {"maximized_on_a_second_monitor",
     MaximizedOnTheSecondMonitor,
     {{IDC_TOPMOST}},
     nullptr,
     BackMaximizedOnTheSecondMonitor},
    {"maximized_tool_window_on_a_second_monitor",
     [](CFakeWindowManager& windows, WindowHandle h) {
       windows.Window(h).exStyle = static_cast<std::int32_t>(wm::kWsExToolWindow);
       MaximizedOnTheSecondMonitor(windows, h);
     },
     {{IDC_TOPMOST}},
     nullptr,
     BackMaximizedOnTheSecondMonitor},
    {"maximized_comes_back_maximized",
     [](CFakeWindowManager& windows, WindowHandle h) {
       windows.ShowWindow(h, wm::kSwShowMaximized);
     },
     {{IDC_TOPMOST}},
     nullptr,
     [](const FakeWindow& w) {
       EXPECT_TRUE(w.maximized);
       EXPECT_FALSE(w.topmost);
       EXPECT_EQ(w.normal, (Rect{100, 100, 500, 400}));
     }},
    {"maximized_back_over_a_late_answer_to_always_on_top",
     [](CFakeWindowManager& windows, WindowHandle h) {
       windows.ShowWindow(h, wm::kSwShowMaximized);
     },
     {{IDC_TOPMOST}},
     [](FakeWindow& w) {
       // The manager's answer to 常に手前に表示 comes after the window is maximized again.
       w.staleAnswer = [](FakeWindow& late) {
         late.maximized = false;
         late.topmost = true;
         late.rect = *late.normal;
       };
     },
     [](const FakeWindow& w) {
       EXPECT_TRUE(w.maximized);
       EXPECT_FALSE(w.topmost);
     }},
    {"minimized_comes_back_to_its_normal_place",
     [](CFakeWindowManager& windows, WindowHandle h) { windows.ShowWindow(h, wm::kSwMinimize); },
     {{IDC_LOCK}},
     nullptr,
     [](const FakeWindow& w) {
       EXPECT_EQ(w.rect, (Rect{100, 100, 500, 400}));
       EXPECT_TRUE(w.enabled);
     }},
};

class RestoreSince : public RestoreTest, public ::testing::WithParamInterface<Since> {};

TEST_P(RestoreSince, PutsBackOnlyWhatIsStillGlaziers) {
  const Since& since = GetParam();
  AddUsualWindows();
  target = windows.AddWindow("対象", true, {100, 100, 500, 400}, 384, 277);
  if (since.before) since.before(windows, target);
  Start();
  SelectTarget();
  Do(since.steps);
  if (since.meanwhile) since.meanwhile(windows.Window(target));
  // The panel has the activation, and keeps it.
  const WindowHandle panel = host.DialogWindow();
  windows.Activate(panel);
  EXPECT_TRUE(host.PressKey(kCtrlZ));
  since.check(windows.Window(target));
  EXPECT_EQ(windows.Active(), panel);
  EXPECT_EQ(dialog.KeptAspects(target), since.stillKept);
  EXPECT_EQ(host.MessageBoxes(), since.boxes);
}

INSTANTIATE_TEST_SUITE_P(Windows, RestoreSince, ::testing::ValuesIn(kSinces),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(RestoreTest, TheMenuNamesWhatItPutsBackAndRestoresOneOrEveryWindow) {
  SetUpTarget(false);
  const auto before = Look();
  host.ContextMenuOnList(std::nullopt);  // Shift+F10: nothing changed yet
  EXPECT_EQ(LastMenu(),
            (std::vector<std::pair<std::string, bool>>{
                {"元に戻す(&U)", false}, {"変更したすべてのウィンドウを元に戻す(&A)", false}}));

  Do({{IDC_TOPMOST},
      {IDC_CIRCLE},
      {IDC_ALPHA_APPLY, IDC_ALPHA_EDIT, "30"},
      {IDC_TITLE_APPLY, IDC_TITLE_EDIT, "新"}});
  // A right-click selects its row: the menu is for that window.
  host.ContextMenuOnList(TargetRow());
  EXPECT_EQ(dialog.TargetAt(dialog.SelectedRow()), target);
  EXPECT_EQ(LastMenu(), (std::vector<std::pair<std::string, bool>>{
                            {"元に戻す（手前に表示・形・透明度・タイトル）(&U)", true},
                            {"変更したすべてのウィンドウを元に戻す(&A)", true}}));

  // Below the last row: the selection stays, and the menu is for no window.
  host.ContextMenuOnList(50);
  EXPECT_EQ(dialog.TargetAt(dialog.SelectedRow()), target);
  EXPECT_EQ(LastMenu()[0], (std::pair<std::string, bool>{"元に戻す(&U)", false}));

  Select(0);
  host.Click(IDC_HALVE);
  host.ContextMenuOnList(1);  // a window never changed
  EXPECT_EQ(LastMenu()[0], (std::pair<std::string, bool>{"元に戻す(&U)", false}));
  host.onMenu = [](const std::vector<MenuItem>&) { return ID_RESTORE_ALL; };
  host.ContextMenuOnList(std::nullopt);
  EXPECT_EQ(Look(), before);
  EXPECT_EQ(windows.Window(notepad).rect, (Rect{100, 50, 900, 650}));
  EXPECT_EQ(dialog.KeptAspects(notepad) | dialog.KeptAspects(target), 0u);
  EXPECT_TRUE(host.MessageBoxes().empty());
}

TEST_F(RestoreTest, AChangeOnItsWayCountsForTheMenuAndForEveryWindow) {
  SetUpTarget(false);
  windows.Hold(target);
  host.Click(IDC_CIRCLE);
  host.ContextMenuOnList(std::nullopt);
  EXPECT_EQ(LastMenu()[0], (std::pair<std::string, bool>{"元に戻す（形）(&U)", true}));
  host.onMenu = [](const std::vector<MenuItem>&) { return ID_RESTORE_ALL; };
  host.ContextMenuOnList(std::nullopt);
  windows.Release(target);
  EXPECT_EQ(windows.Window(target).region, std::nullopt);
}

TEST_F(RestoreTest, FlashingAndLiveEditsStopAtAnotherProgramsWindowUnderTheHandle) {
  SetUpTarget(false);
  host.Click(IDC_FLASH);
  host.UserSetText(IDC_X_EDIT, "110");
  ++windows.Window(target).process;
  host.Tick(CGlazierDlg::FLASH_TIMER);
  EXPECT_FALSE(dialog.IsFlashing());
  host.UserSetText(IDC_X_EDIT, "120");
  EXPECT_EQ(windows.Window(target).rect.left, 110);
  EXPECT_EQ(host.MessageBoxes(), Calls{msg::kWindowClosed});
}

TEST_F(RestoreTest, CtrlZIsTheEditsOwnThereAndNeedsARowElsewhere) {
  SetUpTarget(false);
  host.Click(IDC_TOPMOST);
  host.SetFocusTo(IDC_TITLE_EDIT);
  EXPECT_FALSE(host.PressKey(kCtrlZ));  // the edit undoes its typing
  EXPECT_TRUE(windows.Window(target).topmost);

  host.SetFocusTo(IDC_WINDOW_LIST);
  host.Click(IDC_REFRESH);
  EXPECT_TRUE(host.PressKey(kCtrlZ));
  EXPECT_EQ(host.MessageBoxes(), Calls{msg::kSelectTarget});
  EXPECT_TRUE(windows.Window(target).topmost);
}

TEST_F(RestoreTest, ARestoreThatFailsSaysSoOnceAndKeepsWhatItCouldNotPutBack) {
  SetUpTarget(false);
  Do({{IDC_TITLE_APPLY, IDC_TITLE_EDIT, "新"}});
  windows.Refuse(target);
  host.PressKey(kCtrlZ);
  EXPECT_EQ(host.MessageBoxes(), Calls{msg::kChangeDenied});
  EXPECT_EQ(dialog.KeptAspects(target), aspect::kTitle);

  windows.Close(target);
  host.PressKey(kCtrlZ);
  EXPECT_EQ(host.MessageBoxes(), (Calls{msg::kChangeDenied, msg::kWindowClosed}));
  EXPECT_EQ(dialog.KeptAspects(target), 0u);
  EXPECT_EQ(dialog.SelectedRow(), -1);
}

}  // namespace
