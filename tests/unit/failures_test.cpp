// What the panel says when a command's calls on its window fail, and the window it never locks.
#include "unit/glazier_fixture.h"

namespace {

class FailuresTest : public GlazierTest {
 protected:
  // A new listed window, refusing every change if asked, selected the way the user selects it.
  WindowHandle SelectNew(const std::string& title, bool refusing = false) {
    const WindowHandle window = windows.AddWindow(title);
    if (refusing) windows.Refuse(window);
    host.Click(IDC_REFRESH);
    Select(static_cast<int>(Rows().size()) - 1);
    return window;
  }
  // The boxes shown since the last call.
  std::vector<std::string> NewBoxes() {
    std::vector<std::string> boxes(host.MessageBoxes().begin() + static_cast<long>(m_seen),
                                   host.MessageBoxes().end());
    m_seen = host.MessageBoxes().size();
    return boxes;
  }
  using Boxes = std::vector<std::string>;

 private:
  std::size_t m_seen = 0;
};

TEST_F(FailuresTest, EveryCommandSaysOnceThatItsWindowClosedOrRefused) {
  struct Command {
    int button;
    const char* alpha;  // the opacity edit's text, for the opacity command
    bool refusalSaid;   // false: unlocking a window that takes input already is as asked
    bool closedSaid;    // false: flashing ends with its window silently, at its start too
  };
  const Command kCommands[] = {
      {IDC_MINIMIZE, "", true, true},      {IDC_SHOW, "", true, true},
      {IDC_TOPMOST, "", true, true},       {IDC_NOTOPMOST, "", true, true},
      {IDC_RESIZABLE, "", true, true},     {IDC_LOCK, "", true, true},
      {IDC_UNLOCK, "", false, true},       {IDC_CIRCLE, "", true, true},
      {IDC_STAR, "", true, true},          {IDC_PLAIN_SHAPE, "", true, true},
      {IDC_ALPHA_APPLY, "77", true, true}, {IDC_ALPHA_APPLY, "255", true, true},
      {IDC_FLASH, "", true, false},        {IDC_TITLE_APPLY, "", true, true},
      {IDC_DOUBLE, "", true, true},        {IDC_HALVE, "", true, true},
      {IDC_ORIGIN, "", true, true},
  };
  Start();
  for (const Command& command : kCommands) {
    // A window run as administrator: selecting it says nothing, the command says why, also where
    // its calls cannot tell a refusal (minimize, lock: their state is read back).
    SelectNew("管理者", true);
    EXPECT_EQ(NewBoxes(), Boxes{}) << command.button;
    host.UserSetText(IDC_ALPHA_EDIT, command.alpha);
    NewBoxes();  // the live edits are not under test here
    host.Click(command.button);
    EXPECT_EQ(NewBoxes(), command.refusalSaid ? Boxes{msg::kChangeDenied} : Boxes{})
        << command.button;
    EXPECT_FALSE(dialog.IsFlashing());

    // A window closed since it was selected: one box, and the list without its row.
    const WindowHandle gone = SelectNew("閉じる");
    const std::size_t rows = Rows().size();
    windows.Close(gone);
    host.Click(command.button);
    EXPECT_EQ(NewBoxes(), command.closedSaid ? Boxes{msg::kWindowClosed} : Boxes{})
        << command.button;
    if (!command.closedSaid) host.Click(IDC_REFRESH);
    EXPECT_EQ(Rows().size(), rows - 1) << command.button;
    EXPECT_EQ(dialog.SelectedRow(), -1);
    EXPECT_FALSE(dialog.IsFlashing());
  }
}

TEST_F(FailuresTest, LiveEditsSayARefusalOncePerSelectionAndTheSelectionOnlyAClosedWindow) {
  const WindowHandle first = windows.AddWindow("管理者");
  windows.Refuse(first);
  windows.Refuse(windows.AddWindow("管理者 2"));
  Start();
  for (const int row : {1, 0}) {
    Select(row);
    EXPECT_EQ(NewBoxes(), Boxes{});
    for (const char* x : {"1", "12", "123"}) host.UserSetText(IDC_X_EDIT, x);
    host.Click(IDC_GEOMETRY_APPLY);
    EXPECT_EQ(NewBoxes(), Boxes{msg::kChangeDenied});
  }

  // A row whose window has closed says so as soon as it is selected.
  windows.Close(first);
  host.SelectRow(0);
  EXPECT_EQ(NewBoxes(), Boxes{msg::kWindowClosed});
  EXPECT_EQ(Rows(), Boxes{"管理者 2"});
}

TEST_F(FailuresTest, LateResultsSpeakOnlyForTheRowStillSelected) {
  AddUsualWindows();
  Start();
  Select(0);
  windows.Hold(notepad);
  host.Click(IDC_CIRCLE);
  windows.Close(notepad);
  Select(1);
  windows.Release(notepad);
  EXPECT_EQ(NewBoxes(), Boxes{});

  windows.Hold(calc);  // a window that never answers: nothing comes back, nothing is said
  windows.Refuse(calc);
  host.Click(IDC_STAR);
  EXPECT_EQ(NewBoxes(), Boxes{});
  windows.Release(calc);
  EXPECT_EQ(NewBoxes(), Boxes{msg::kChangeDenied});

  // A late retitle has refreshed the list, which ends the selection: its failure is still said.
  windows.Hold(calc);
  host.Click(IDC_TITLE_APPLY);
  ASSERT_EQ(dialog.SelectedRow(), -1);
  windows.Release(calc);
  EXPECT_EQ(NewBoxes(), Boxes{msg::kChangeDenied});
}

TEST_F(FailuresTest, ALateFailureUnderAnOpenBoxWaitsForItAndIsSaidOnce) {
  AddUsualWindows();
  Start();
  const WindowHandle refusing = SelectNew("管理者", true);
  windows.Hold(refusing);
  host.UserSetText(IDC_X_EDIT, "5");  // the live edits: a refusal is said once per selection
  host.UserSetText(IDC_X_EDIT, "7");
  // The user reads another box when both refusals come back: the first is said once it is
  // closed, the second not at all.
  host.onMessageBox = [this, refusing] { windows.Release(refusing); };
  host.UserSetText(IDC_ALPHA_EDIT, "");
  host.Click(IDC_ALPHA_APPLY);
  host.onMessageBox = nullptr;
  EXPECT_EQ(NewBoxes(), (Boxes{msg::kOpacityEmpty, msg::kChangeDenied}));
  EXPECT_EQ(dialog.SelectedRow(), static_cast<int>(Rows().size()) - 1);
  host.UserSetText(IDC_X_EDIT, "6");
  EXPECT_EQ(NewBoxes(), Boxes{});

  // Under the shortcut menu as well.
  windows.Close(refusing);
  host.onMenu = [this](const std::vector<MenuItem>&) {
    host.UserSetText(IDC_Y_EDIT, "1");
    return 0;
  };
  host.ContextMenuOnList(std::nullopt);
  EXPECT_EQ(NewBoxes(), Boxes{msg::kWindowClosed});
}

TEST_F(FailuresTest, FlashingEndsSilentlyWithItsWindowAndOnceSaidOnARefusal) {
  AddUsualWindows();
  Start();
  for (const bool closing : {true, false}) {
    Select(closing ? 0 : 1);
    const WindowHandle window = closing ? notepad : calc;
    host.Click(IDC_FLASH);
    host.Tick(CGlazierDlg::FLASH_TIMER);
    ASSERT_TRUE(dialog.IsFlashing());
    closing ? windows.Close(window) : windows.Refuse(window);
    for (int tick = 0; tick < 3; ++tick) host.Tick(CGlazierDlg::FLASH_TIMER);
    EXPECT_FALSE(dialog.IsFlashing());
    EXPECT_EQ(Text(IDC_FLASH), msg::kFlashStart);
    EXPECT_EQ(host.Timers().count(CGlazierDlg::FLASH_TIMER), 0u);
    EXPECT_EQ(NewBoxes(), closing ? Boxes{} : Boxes{msg::kChangeDenied});
  }
}

TEST_F(FailuresTest, ThePanelNeverLocksItselfButAWindowOfTheSameTitleIsLocked) {
  const WindowHandle namesake = windows.AddWindow("Glazier");
  const WindowHandle self = windows.AddWindow("Glazier");
  CFakePanelHost own{dialog.Template(), self};
  own.Create(dialog);
  for (const int row : {1, 0}) {
    own.SelectRow(row);
    windows.ClearLog();
    own.Click(IDC_LOCK);
  }
  EXPECT_EQ(own.MessageBoxes(), Boxes{msg::kCannotLockSelf});
  EXPECT_EQ(Count(windows.Log(), "EnableWindow("), 1);
  EXPECT_EQ(Count(windows.Log(), "EnableWindow(" + H(namesake)), 1);
  EXPECT_TRUE(windows.Window(self).enabled);
  EXPECT_FALSE(windows.Window(namesake).enabled);
}

}  // namespace
