// The window list: which windows are listed, in which order, with which handle per row, and
// when the list is rebuilt.
#include <functional>
#include <memory>
#include <utility>

#include "unit/glazier_fixture.h"

namespace {

using WindowListTest = GlazierTest;

TEST_F(WindowListTest, ListsVisibleTitledWindowsTopFirstWithTheirHandles) {
  AddUsualWindows();
  const WindowHandle untitled = notepad + 1;
  const WindowHandle hidden = calc + 1;
  windows.Cloak(windows.AddWindow("設定"));  // visible by its style, drawn nowhere
  // A tooltip up for a moment, Glazier's own or another program's.
  windows.Window(windows.AddWindow("現在稼働中のウィンドウが表示されています")).tooltip = true;
  Start();

  EXPECT_EQ(Rows(), (std::vector<std::string>{"メモ帳", "電卓", "ペイント"}));
  EXPECT_EQ(dialog.TargetAt(0), notepad);
  EXPECT_EQ(dialog.TargetAt(1), calc);
  EXPECT_EQ(dialog.TargetAt(2), paint);
  EXPECT_EQ(dialog.SelectedRow(), -1);
  // Titles are read only of visible windows, into 2048 characters, all in one enumeration.
  EXPECT_EQ(Count(windows.Log(), "GetWindowText(" + H(hidden) + ","), 0);
  EXPECT_EQ(Count(windows.Log(), "GetWindowText(" + H(untitled) + ",2048)"), 1);
  EXPECT_EQ(Count(windows.Log(), "GetWindowText(" + H(notepad) + ",2048)"), 1);
  EXPECT_EQ(Count(windows.Log(), "EnumWindows"), 1);
  // The cloak is asked only of visible titled windows.
  EXPECT_EQ(Count(windows.Log(), "IsWindowCloaked"), 4);
}

TEST_F(WindowListTest, DuplicateTitlesKeepTheirOwnHandles) {
  WindowHandle first = windows.AddWindow("同じ名前");
  WindowHandle second = windows.AddWindow("同じ名前");
  Start();
  ASSERT_EQ(Rows(), (std::vector<std::string>{"同じ名前", "同じ名前"}));

  Select(1);
  host.Click(IDC_MINIMIZE);
  EXPECT_EQ(windows.Log(),
            (Calls{"ShowWindow(" + H(second) + ",6)", "IsIconic(" + H(second) + ")"}));
  EXPECT_FALSE(windows.Window(first).minimized);
}

TEST_F(WindowListTest, OrderChangesOnlyAtTheNextRefresh) {
  AddUsualWindows();
  Start();
  windows.SetWindowPos(paint, wm::kHwndTop, 0, 0, 0, 0, wm::kSwpNoMove | wm::kSwpNoSize);
  EXPECT_EQ(Rows().front(), "メモ帳");

  host.Click(IDC_REFRESH);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"ペイント", "メモ帳", "電卓"}));
  EXPECT_EQ(dialog.TargetAt(0), paint);
}

TEST_F(WindowListTest, RefreshDropsTheHandlesBeyondTheNewRowCount) {
  AddUsualWindows();
  Start();
  windows.Close(calc);
  windows.Close(paint);
  host.Click(IDC_REFRESH);

  EXPECT_EQ(Rows(), std::vector<std::string>{"メモ帳"});
  EXPECT_EQ(dialog.TargetAt(1), 0u);
  EXPECT_EQ(dialog.TargetAt(2), 0u);
}

TEST_F(WindowListTest, TimerRebuildsOnlyWhileNothingIsSelected) {
  AddUsualWindows();
  // The dialog itself is listed once the dialog manager has shown it.
  WindowHandle self = windows.AddWindow("Glazier", false);
  Start();
  EXPECT_EQ(Rows().size(), 3u);
  EXPECT_EQ(host.Timers(), std::set<unsigned>{CGlazierDlg::REFRESH_TIMER});

  windows.Window(self).visible = true;
  Select(0);
  EXPECT_TRUE(host.Tick(CGlazierDlg::REFRESH_TIMER));
  EXPECT_EQ(Rows().size(), 3u);
  EXPECT_EQ(dialog.SelectedRow(), 0);
  EXPECT_TRUE(windows.Log().empty());

  host.Click(IDC_REFRESH);
  EXPECT_EQ(Rows().back(), "Glazier");
  EXPECT_EQ(dialog.SelectedRow(), -1);

  WindowHandle later = windows.AddWindow("あとから");
  host.Tick(CGlazierDlg::REFRESH_TIMER);
  EXPECT_EQ(Rows().back(), "あとから");
  EXPECT_EQ(dialog.TargetAt(4), later);
}

// The first list is the walk a thread of its own made while the panel was built: the desktop is
// walked once at start-up, and the next refresh walks it anew.
TEST_F(WindowListTest, TheFirstListIsTheWalkMadeWhileThePanelWasBuilt) {
  AddUsualWindows();
  CWalkAhead firstWalk;
  firstWalk.Start(windows);
  CGlazierDlg panel(windows, &firstWalk);
  CFakePanelHost panelHost(panel.Template());
  panelHost.Create(panel);

  EXPECT_EQ(panelHost.Control(IDC_WINDOW_LIST).rows,
            (std::vector<std::string>{"メモ帳", "電卓", "ペイント"}));
  EXPECT_EQ(panel.TargetAt(2), paint);
  EXPECT_EQ(Count(windows.Log(), "EnumWindows"), 1);

  const WindowHandle later = windows.AddWindow("あとから");
  panelHost.Tick(CGlazierDlg::REFRESH_TIMER);
  EXPECT_EQ(panelHost.Control(IDC_WINDOW_LIST).rows.back(), "あとから");
  EXPECT_EQ(panel.TargetAt(3), later);
}

TEST_F(WindowListTest, RefreshTicksRunWhileTheSelectionMessageIsOpen) {
  AddUsualWindows();
  Start();
  windows.AddWindow("あとから");
  host.onMessageBox = [this] { host.Tick(CGlazierDlg::REFRESH_TIMER); };

  host.Click(IDC_MINIMIZE);
  EXPECT_EQ(host.MessageBoxes(), std::vector<std::string>{msg::kSelectToMinimize});
  EXPECT_EQ(Rows().size(), 4u);
  EXPECT_EQ(Count(windows.Log(), "ShowWindow"), 0);
}

TEST_F(WindowListTest, StopsAtTenThousandRowsWithEveryRowsHandle) {
  std::vector<WindowHandle> all;
  for (int i = 0; i < 10003; ++i) all.push_back(windows.AddWindow("w" + std::to_string(i)));
  Start();

  ASSERT_EQ(Rows().size(), CGlazierDlg::kMaxTargets);
  EXPECT_EQ(Rows().back(), "w9999");
  EXPECT_EQ(dialog.TargetAt(0), all[0]);
  EXPECT_EQ(dialog.TargetAt(9999), all[9999]);

  Select(9999);
  host.Click(IDC_MINIMIZE);
  EXPECT_EQ(windows.Log(),
            (Calls{"ShowWindow(" + H(all[9999]) + ",6)", "IsIconic(" + H(all[9999]) + ")"}));
}

TEST_F(WindowListTest, ChangesKeepTheScrollPositionWithoutDrawingInBetween) {
  std::vector<WindowHandle> all;
  for (int i = 0; i < 40; ++i) all.push_back(windows.AddWindow("w" + std::to_string(i)));
  Start();
  EXPECT_EQ(host.Control(IDC_WINDOW_LIST).reservedRows, 40);
  host.ListSetTopIndex(IDC_WINDOW_LIST, 25);
  Forget();

  // An unchanged desktop leaves the list box alone: nothing to redraw.
  host.Tick(CGlazierDlg::REFRESH_TIMER);
  EXPECT_EQ(host.Log(), Calls{"OnTimer(2)"});

  // Only the rows that differ change, with drawing off from the first change to the last.
  windows.SetWindowText(all[30], "w30 改");
  windows.Close(all[31]);
  Forget();
  host.Tick(CGlazierDlg::REFRESH_TIMER);
  EXPECT_EQ(host.Log(), (Calls{"OnTimer(2)", "ListSetRedraw(1002,0)", "ListDeleteString(1002,31)",
                               "ListDeleteString(1002,30)", "ListInsertString(1002,30,w30 改)",
                               "ListSetCaretIndex(1002,0)", "ListSetRedraw(1002,1)"}));
  EXPECT_EQ(host.Control(IDC_WINDOW_LIST).topIndex, 25);
  EXPECT_TRUE(host.Control(IDC_WINDOW_LIST).redraw);

  // A shorter list keeps as much of the position as it can.
  for (int i = 10; i < 40; ++i) windows.Close(all[static_cast<std::size_t>(i)]);
  host.Tick(CGlazierDlg::REFRESH_TIMER);
  EXPECT_EQ(Rows().size(), 10u);
  EXPECT_EQ(host.Control(IDC_WINDOW_LIST).topIndex, 9);
  EXPECT_EQ(dialog.TargetAt(9), all[9]);
}

// Whatever changed on the desktop, every refresh leaves the rows, their order and their handles
// of a list filled afresh, and nothing selected.
TEST_F(WindowListTest, EveryRefreshEqualsAFreshFill) {
  AddUsualWindows();
  const WindowHandle hidden = calc + 1;
  const WindowHandle twin = windows.AddWindow("同じ名前");
  const WindowHandle otherTwin = windows.AddWindow("同じ名前");
  Start();
  const auto toTop = [this](WindowHandle window) {
    windows.SetWindowPos(window, wm::kHwndTop, 0, 0, 0, 0, wm::kSwpNoMove | wm::kSwpNoSize);
  };
  const auto expectFreshFill = [this](const std::string& change) {
    CFakePanelHost freshHost{MainDialogTemplate()};
    auto fresh = std::make_unique<CGlazierDlg>(windows);
    freshHost.Create(*fresh);
    ASSERT_EQ(Rows(), freshHost.Control(IDC_WINDOW_LIST).rows) << change;
    for (int row = 0; row < fresh->TargetCount(); ++row) {
      EXPECT_EQ(dialog.TargetAt(row), fresh->TargetAt(row)) << change << ", row " << row;
    }
    EXPECT_EQ(dialog.SelectedRow(), -1) << change;
    EXPECT_EQ(host.Control(IDC_WINDOW_LIST).caret, 0) << change;
  };

  // The last row held selected, as a click leaves it (without the selection handler, which
  // would raise its window).
  FakeControl& list = host.Control(IDC_WINDOW_LIST);
  const auto holdSelection = [&list] {
    list.curSel = list.caret = static_cast<int>(list.rows.size()) - 1;
  };

  // Nothing changed: the selection goes and the focus rectangle returns to the first row; no
  // row is touched.
  holdSelection();
  Forget();
  host.Click(IDC_REFRESH);
  EXPECT_EQ(host.Log(),
            (Calls{"OnCommand(1003,0)", "ListSetCurSel(1002,-1)", "ListSetRedraw(1002,0)",
                   "ListSetCaretIndex(1002,0)", "ListSetRedraw(1002,1)"}));
  expectFreshFill("nothing");

  const std::pair<const char*, std::function<void()>> kChanges[] = {
      {"a new window on top", [&] { toTop(windows.AddWindow("新しい")); }},
      {"a window in the middle closes", [&] { windows.Close(calc); }},
      {"a retitle", [&] { windows.SetWindowText(paint, "ペイント 2"); }},
      {"the bottom window comes to the top", [&] { toTop(otherTwin); }},
      {"a window comes to the top above its namesake", [&] { toTop(twin); }},
      {"a hidden window shows", [&] { windows.Window(hidden).visible = true; }},
      {"every window closes",
       [&] {
         for (WindowHandle window : std::vector<WindowHandle>(windows.ZOrder())) {
           windows.Close(window);
         }
       }},
      {"windows open again", [&] { AddUsualWindows(); }},
  };
  for (const auto& [change, apply] : kChanges) {
    holdSelection();
    apply();
    host.Click(IDC_REFRESH);
    expectFreshFill(change);
  }

  // A row the list box refuses is left out together with its handle, until there is room.
  list.rowLimit = list.rows.size();
  toTop(windows.AddWindow("入らない"));
  host.Click(IDC_REFRESH);
  ASSERT_EQ(Rows(), (std::vector<std::string>{"メモ帳", "電卓", "ペイント"}));
  EXPECT_EQ(dialog.TargetAt(0), notepad);
  list.rowLimit = SIZE_MAX;
  host.Click(IDC_REFRESH);
  expectFreshFill("room again");
}

}  // namespace
