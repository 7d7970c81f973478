// Opacity from the edit and the trackbar, and the flashing.
#include "ops/opacity.h"
#include "unit/glazier_fixture.h"

namespace {

TEST(OpacityText, AcceptsOnlyPlainDigitsUpTo255) {
  EXPECT_EQ(CheckOpacityText("").check, OpacityCheck::Empty);
  for (const char* text : {"+5", "-5", " 5", "5 ", "1 2", "1.5", "１２", "300a", "0x10"}) {
    EXPECT_EQ(CheckOpacityText(text).check, OpacityCheck::NotNumber) << text;
  }
  for (const char* text : {"256", "1000", "99999999999999999999999"}) {
    EXPECT_EQ(CheckOpacityText(text).check, OpacityCheck::OutOfRange) << text;
  }
  for (auto [text, value] : {std::pair{"0255", 255}, {"000", 0}, {"007", 7}, {"255", 255}}) {
    const OpacityInput input = CheckOpacityText(text);
    EXPECT_EQ(input.check, OpacityCheck::Ok) << text;
    EXPECT_EQ(input.value, value) << text;
  }
}

TEST(FlashCycle, TurnsAtTwentyAndTwoHundredFifty) {
  EXPECT_EQ(NextFlash({30, -10}).step, 10);
  EXPECT_EQ(NextFlash({31, -10}).step, -10);
  EXPECT_EQ(NextFlash({240, 10}).step, -10);
  EXPECT_EQ(NextFlash({239, 10}).step, 10);
}

class OpacityTest : public GlazierTest {
 protected:
  void SetUp() override {
    AddUsualWindows();
    Start();
    Select(0);
  }

  void Apply(const std::string& text) {
    host.UserSetText(IDC_ALPHA_EDIT, text);
    Forget();
    host.Click(IDC_ALPHA_APPLY);
  }

  std::optional<int> Alpha(WindowHandle window) { return windows.Window(window).layeredAlpha; }
  bool Layered(WindowHandle window) {
    return (static_cast<std::uint32_t>(windows.Window(window).exStyle) & wm::kWsExLayered) != 0;
  }
};

TEST_F(OpacityTest, RejectedInputIsReportedAndResetTo255) {
  const std::pair<const char*, const char*> kRejected[] = {
      {"", "透明度を指定してください。"},
      {"-1", "透明度には 0 から 255 の数値を指定してください。"},
      {" 12", "透明度には 0 から 255 の数値を指定してください。"},
      {"1.5", "透明度には 0 から 255 の数値を指定してください。"},
      {"１２", "透明度には 0 から 255 の数値を指定してください。"},
      {"256", "透明度は 0 から 255 の間で指定してください。"},
      {"00001000", "透明度は 0 から 255 の間で指定してください。"},
  };
  for (const auto& [text, message] : kRejected) {
    Apply(text);
    EXPECT_EQ(host.MessageBoxes().back(), message) << text;
    EXPECT_EQ(Text(IDC_ALPHA_EDIT), "255") << text;
    EXPECT_TRUE(windows.Log().empty()) << text;
  }
}

TEST_F(OpacityTest, ValuesBelow255MakeTheWindowLayeredAnd255ClearsIt) {
  Apply("007");
  EXPECT_EQ(Text(IDC_ALPHA_EDIT), "007");
  EXPECT_TRUE(Layered(notepad));
  EXPECT_EQ(Alpha(notepad), 7);

  Apply("000");
  EXPECT_EQ(Alpha(notepad), 0);
  EXPECT_EQ(windows.LoadedModules(), 0);
  EXPECT_TRUE(host.MessageBoxes().empty());

  Apply("0255");
  EXPECT_EQ(windows.LoadedModules(), 0);
  EXPECT_FALSE(Layered(notepad));
  EXPECT_FALSE(Alpha(notepad).has_value());
  EXPECT_EQ(Text(IDC_ALPHA_EDIT), "0255");
}

TEST_F(OpacityTest, MissingFunctionIsReportedOverTheTarget) {
  windows.SetLayeredFunctionMissing(true);
  Apply("123");
  ASSERT_EQ(windows.MessageBoxes().size(), 1u);
  EXPECT_EQ(windows.MessageBoxes()[0].owner, notepad);
  EXPECT_EQ(windows.MessageBoxes()[0].type, 0u);
  EXPECT_EQ(windows.MessageBoxes()[0].text,
            "このOSではダイアログの透明化がサポートされておりません。\n"
            "（サポートされているOSは　Windows 2000/XP となっています。）");
  EXPECT_TRUE(host.MessageBoxes().empty());
  EXPECT_TRUE(Layered(notepad));
  EXPECT_EQ(windows.LoadedModules(), 0);
}

TEST_F(OpacityTest, ReleasingTheTrackbarCopiesItsPositionAndApplies) {
  host.ReleaseTrackbar(0);
  EXPECT_EQ(Text(IDC_ALPHA_EDIT), "0");
  EXPECT_EQ(Alpha(notepad), 0);
  host.ReleaseTrackbar(255);
  EXPECT_FALSE(Layered(notepad));

  host.Click(IDC_REFRESH);  // no selection: only the edit follows
  Forget();
  host.ReleaseTrackbar(40);
  EXPECT_EQ(Text(IDC_ALPHA_EDIT), "40");
  EXPECT_TRUE(host.MessageBoxes().empty());
  EXPECT_TRUE(windows.Log().empty());
}

TEST_F(OpacityTest, EnterOnEditOrTrackbarAppliesTheEditText) {
  host.Control(IDC_ALPHA_SLIDER).pos = 30;  // moved with the keyboard: no notification
  host.UserSetText(IDC_ALPHA_EDIT, "90");
  host.SetFocusTo(IDC_ALPHA_SLIDER);
  host.PressEnter();
  EXPECT_EQ(Alpha(notepad), 90);
  host.UserSetText(IDC_ALPHA_EDIT, "91");
  host.SetFocusTo(IDC_ALPHA_EDIT);
  host.PressEnter();
  EXPECT_EQ(Alpha(notepad), 91);
}

class FlashTest : public OpacityTest {
 protected:
  // Ticks until the n-th tick since the first start, and returns that tick's alpha.
  std::optional<int> AlphaAtTick(int n) {
    while (ticks < n) {
      host.Tick(CGlazierDlg::FLASH_TIMER);
      ++ticks;
    }
    return Alpha(dialog.FlashedWindow());
  }
  int ticks = 0;
};

TEST_F(FlashTest, StartMakesLayeredWithoutAlphaAndPulsesEvery48Ticks) {
  host.Click(IDC_FLASH);
  EXPECT_TRUE(windows.Window(notepad).exStyle & wm::kWsExLayered);
  EXPECT_EQ(Alpha(notepad), std::nullopt);
  EXPECT_EQ(Text(IDC_FLASH), "フラッシュ停止");
  EXPECT_EQ(host.Log().back(), "SetTimer(1,100)");

  EXPECT_EQ(AlphaAtTick(1), 0);
  EXPECT_EQ(AlphaAtTick(2), 246);
  EXPECT_EQ(AlphaAtTick(3), 236);
  EXPECT_EQ(AlphaAtTick(25), 16);
  EXPECT_EQ(AlphaAtTick(26), 26);
  EXPECT_EQ(AlphaAtTick(48), 246);
  EXPECT_EQ(AlphaAtTick(49), 0);
  EXPECT_EQ(AlphaAtTick(50), 246);
  EXPECT_EQ(AlphaAtTick(97), 0);
  EXPECT_EQ(windows.LoadedModules(), 0);
}

TEST_F(FlashTest, StopKeepsTheAlphaAndARestartContinuesTheCycle) {
  host.Click(IDC_FLASH);
  AlphaAtTick(3);
  host.Click(IDC_REFRESH);  // stopping needs no selection
  host.Click(IDC_FLASH);
  EXPECT_FALSE(dialog.IsFlashing());
  EXPECT_EQ(Text(IDC_FLASH), "フラッシュ開始");
  EXPECT_EQ(host.Timers().count(CGlazierDlg::FLASH_TIMER), 0u);
  EXPECT_TRUE(host.MessageBoxes().empty());
  EXPECT_EQ(Alpha(notepad), 236);

  Select(1);
  host.Click(IDC_FLASH);
  host.Tick(CGlazierDlg::FLASH_TIMER);
  EXPECT_EQ(Alpha(calc), 226);
  EXPECT_EQ(Alpha(notepad), 236);
}

TEST_F(FlashTest, KeepsToItsWindowAcrossRefreshesAndSkipsTicksWhileItIsBusy) {
  host.Click(IDC_FLASH);
  windows.SetWindowPos(paint, wm::kHwndTop, 0, 0, 0, 0, wm::kSwpNoMove | wm::kSwpNoSize);
  host.Click(IDC_REFRESH);  // paint now holds the row notepad was started from
  Forget();
  host.Tick(CGlazierDlg::FLASH_TIMER);
  EXPECT_EQ(Count(windows.Log(), "SetLayeredWindowAttributes(" + H(notepad) + ",0,0,2)"), 1);
  EXPECT_EQ(Count(windows.Log(), "SetLayeredWindowAttributes(" + H(paint)), 0);

  // A window that has not finished a tick misses the next ones; the rhythm goes on.
  windows.Hold(notepad);
  for (int tick = 0; tick < 5; ++tick) host.Tick(CGlazierDlg::FLASH_TIMER);
  windows.Release(notepad);
  EXPECT_EQ(Count(windows.Log(), "SetLayeredWindowAttributes(" + H(notepad)), 2);
  EXPECT_EQ(Alpha(notepad), 246);
  host.Tick(CGlazierDlg::FLASH_TIMER);
  EXPECT_EQ(Alpha(notepad), 196);  // five ticks on from 246
}

TEST_F(FlashTest, Applying255DuringFlashingKeepsTheWindowOpaque) {
  host.Click(IDC_FLASH);
  AlphaAtTick(2);
  Apply("255");
  AlphaAtTick(5);
  EXPECT_FALSE(Layered(notepad));
  EXPECT_FALSE(Alpha(notepad).has_value());
  EXPECT_TRUE(dialog.IsFlashing());
}

TEST_F(FlashTest, TicksGoOnWhileAMessageIsOpenAndSkipAMissingFunction) {
  host.Click(IDC_FLASH);
  host.onMessageBox = [this] { AlphaAtTick(2); };
  Apply("");
  EXPECT_EQ(Alpha(notepad), 246);

  host.onMessageBox = nullptr;
  windows.SetLayeredFunctionMissing(true);
  Forget();
  AlphaAtTick(4);
  EXPECT_EQ(Count(windows.Log(), "SetLayeredWindowAttributes"), 0);
  EXPECT_EQ(Count(windows.Log(), "FreeLibrary"), 2);
  EXPECT_TRUE(windows.MessageBoxes().empty());
  EXPECT_EQ(host.MessageBoxes().size(), 1u);
}

}  // namespace
