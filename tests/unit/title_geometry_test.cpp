// Retitling and the Enter key, and the position and size page.
#include "ops/geometry.h"
#include "unit/glazier_fixture.h"

namespace {

class TitleTest : public GlazierTest {
 protected:
  void SetUp() override {
    AddUsualWindows();
    Start();
    Select(0);
  }
};

TEST_F(TitleTest, ButtonAndEnterRetitleThenRefreshTheList) {
  EXPECT_EQ(Text(IDC_TITLE_EDIT), "メモ帳");
  host.UserSetText(IDC_TITLE_EDIT, "新しい題");
  Forget();
  host.Click(IDC_TITLE_APPLY);
  EXPECT_TRUE(InOrder(windows.Log(), {"GetWindowText(" + H(notepad) + ",32768)",
                                      "SetWindowText(" + H(notepad) + ",新しい題)"}));
  EXPECT_EQ(Count(windows.Log(), "EnumWindows"), 1);
  EXPECT_EQ(Rows().front(), "新しい題");
  EXPECT_EQ(dialog.SelectedRow(), -1);
  EXPECT_EQ(Text(IDC_TITLE_EDIT), "新しい題");

  Select(1);
  host.UserSetText(IDC_TITLE_EDIT, "");
  host.SetFocusTo(IDC_TITLE_EDIT);
  host.PressEnter();
  EXPECT_EQ(windows.Window(calc).title, "");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"新しい題", "ペイント"}));
  EXPECT_FALSE(host.EndDialogResult().has_value());
}

TEST_F(TitleTest, ALateTitleIsListedOnceTheWindowHasIt) {
  windows.Hold(notepad);
  host.UserSetText(IDC_TITLE_EDIT, "遅い題");
  host.Click(IDC_TITLE_APPLY);
  EXPECT_EQ(dialog.SelectedRow(), -1);  // refreshed at once all the same
  EXPECT_EQ(Rows().front(), "メモ帳");
  windows.Release(notepad);
  EXPECT_EQ(Rows().front(), "遅い題");

  // Unless a row has been selected meanwhile: that selection is left alone.
  windows.Hold(calc);
  Select(1);
  host.UserSetText(IDC_TITLE_EDIT, "電卓");
  host.Click(IDC_TITLE_APPLY);
  Select(0);
  windows.Release(calc);
  EXPECT_EQ(dialog.SelectedRow(), 0);
  EXPECT_EQ(windows.Window(calc).title, "電卓");
}

TEST_F(TitleTest, EnterWithoutSelectionShowsTheMessageAndDoesNotRefresh) {
  host.Control(IDC_WINDOW_LIST).curSel = -1;
  host.SetFocusTo(IDC_TITLE_EDIT);
  host.PressEnter();
  EXPECT_EQ(host.MessageBoxes(), std::vector<std::string>{msg::kSelectToRetitle});
  EXPECT_EQ(Count(host.Log(), "ListSetCurSel"), 0);  // every refresh clears the selection
  EXPECT_TRUE(windows.Log().empty());
}

TEST_F(TitleTest, EnterElsewhereDoesNothingAndNeverCloses) {
  for (int id : {IDC_WINDOW_LIST, IDC_TAB, IDC_X_EDIT, IDC_HEIGHT_EDIT}) {
    host.SetFocusTo(id);
    host.PressEnter();
  }
  EXPECT_TRUE(windows.Log().empty());
  EXPECT_TRUE(host.MessageBoxes().empty());
  EXPECT_EQ(dialog.SelectedRow(), 0);
  EXPECT_FALSE(host.EndDialogResult().has_value());
  EXPECT_FALSE(host.ExitStatus().has_value());
}

TEST(EditNumber, ReadsLikeAtoi) {
  const std::pair<const char*, int> kCases[] = {
      {"  120", 120}, {"12ab", 12},  {"ab12", 0}, {"", 0},    {"-8", -8},
      {"+7", 7},      {"\t\n 5", 5}, {"- 5", 0},  {"--5", 0}, {"0800", 800},
  };
  for (const auto& [text, value] : kCases) EXPECT_EQ(ReadEditNumber(text), value) << text;
}

TEST(EditNumber, HalvingTruncatesTowardZeroAndDoublingShifts) {
  EXPECT_EQ(HalveExtent(801), 400);
  EXPECT_EQ(HalveExtent(1), 0);
  EXPECT_EQ(HalveExtent(-7), -3);
  EXPECT_EQ(DoubleExtent(0), 0);
  EXPECT_EQ(DoubleExtent(-7), -14);
}

TEST(FrameMargins, OnlyATrustedFrameInsideTheRectangleGivesMargins) {
  constexpr Rect kWindow{93, 50, 907, 657};
  constexpr std::uint32_t kNormal = wm::kSwShowNormal;
  const FrameMargins kBorder{7, 0, 7, 7};
  const std::tuple<const char*, std::optional<Rect>, std::uint32_t, FrameMargins> kCases[] = {
      {"Windows 10's border", Rect{100, 50, 900, 650}, kNormal, kBorder},
      {"no answer from DWM", std::nullopt, kNormal, {}},
      {"the frame is the rectangle", kWindow, kNormal, {}},
      {"maximized", Rect{100, 50, 900, 650}, wm::kSwShowMaximized, {}},
      {"minimized", Rect{100, 50, 900, 650}, wm::kSwShowMinimized, {}},
      {"drawn past the rectangle", Rect{90, 50, 900, 650}, kNormal, {}},
      {"empty", Rect{500, 50, 500, 650}, kNormal, {}},
  };
  for (const auto& [what, frame, show, margins] : kCases) {
    EXPECT_EQ(MarginsBetween(kWindow, frame, show), margins) << what;
  }
  // The frame shown, and the window placed to show it again, give back the rectangle.
  EXPECT_EQ(VisibleFrame(kWindow, kBorder), (Rect{100, 50, 900, 650}));
  EXPECT_EQ(WindowBoxFor({100, 50, 800, 600}, kBorder), (PlaceBox{93, 50, 814, 607}));
  EXPECT_EQ(WindowBoxFor({0, 0, 0x7FFFFFFF, -5}, kBorder), (PlaceBox{-7, 0, 0x7FFFFFFF, 2}));
}

// Windows 10 and 11: the page works with the frame the user sees, without the invisible border.
TEST_F(GlazierTest, ThePagePlacesTheVisibleFrame) {
  AddUsualWindows();
  Start();
  windows.Window(notepad).dwmBorder = Rect{7, 0, 7, 7};
  const Rect window = windows.Window(notepad).rect;
  for (int i = 0; i < 3; ++i) host.SelectRow(0);
  EXPECT_EQ(windows.Window(notepad).rect, window);
  EXPECT_EQ(Text(IDC_X_EDIT) + "," + Text(IDC_WIDTH_EDIT) + "," + Text(IDC_HEIGHT_EDIT),
            "107,786,593");
  host.Click(IDC_DOUBLE);
  EXPECT_EQ(windows.Window(notepad).rect, (Rect{100, 50, 1686, 1243}));
  host.Click(IDC_ORIGIN);
  EXPECT_EQ(windows.Window(notepad).rect, (Rect{-7, 0, 1579, 1193}));
  // Minimized, no margin is trusted: the numbers are the window's own.
  windows.Window(notepad).minimized = true;
  host.UserSetText(IDC_X_EDIT, "40");
  EXPECT_EQ(windows.Window(notepad).rect.left, 40);
}

class GeometryTest : public GlazierTest {
 protected:
  void SetUp() override {
    AddUsualWindows();
    Start();
  }

  std::string Pos(int x, int y, int cx, int cy) {
    return "SetWindowPos(" + H(notepad) + ",0," + std::to_string(x) + "," + std::to_string(y) +
           "," + std::to_string(cx) + "," + std::to_string(cy) + ",0x10)";
  }

  std::vector<std::string> Edits() {
    return {Text(IDC_X_EDIT), Text(IDC_Y_EDIT), Text(IDC_WIDTH_EDIT), Text(IDC_HEIGHT_EDIT)};
  }
};

TEST(GeometrySpins, BoundIsTheWorkAreasFarEdgeNotItsExtent) {
  CFakeWindowManager windows;
  windows.SetWorkArea({0, 30, 1280, 1014});
  CGlazierDlg dialog(windows);
  CFakePanelHost host(dialog.Template());
  host.Create(dialog);
  EXPECT_EQ(host.Control(IDC_Y_SPIN).upper, 1014);
  EXPECT_EQ(host.Control(IDC_WIDTH_SPIN).upper, 1280);
}

TEST_F(GeometryTest, SelectingLoadsTheRowAndReappliesItsGeometryOnce) {
  Forget();
  host.SelectRow(0);
  EXPECT_EQ(Text(IDC_TITLE_EDIT), "メモ帳");
  EXPECT_EQ(Edits(), (std::vector<std::string>{"100", "50", "800", "600"}));
  EXPECT_EQ(Count(windows.Log(), Pos(100, 50, 800, 600)), 1);
  EXPECT_EQ(Count(windows.Log(), "SetWindowPos"), 1);
  EXPECT_TRUE(host.MessageBoxes().empty());

  host.SelectRow(1);  // comes to the top without being moved
  EXPECT_EQ(windows.ZOrder().front(), calc);
  EXPECT_EQ(windows.Window(calc).rect, (Rect{300, 200, 560, 480}));
}

TEST_F(GeometryTest, EveryChangeOfAnEditAppliesAllFour) {
  Select(0);
  host.UserSetText(IDC_WIDTH_EDIT, "");
  host.TypeChars(IDC_WIDTH_EDIT, "640");
  host.StepUpDown(IDC_WIDTH_SPIN, 1);
  // Dragged elsewhere meanwhile: the other edits still hold the old place.
  windows.Window(notepad).rect = {500, 400, 1141, 1000};
  host.UserSetText(IDC_HEIGHT_EDIT, "5000");
  host.UserSetText(IDC_X_EDIT, "-20");
  EXPECT_EQ(PlacesGiven(), (Calls{Pos(100, 50, 0, 600), Pos(100, 50, 6, 600), Pos(100, 50, 64, 600),
                                  Pos(100, 50, 640, 600), Pos(100, 50, 641, 600),
                                  Pos(100, 50, 641, 5000), Pos(-20, 50, 641, 5000)}));
}

TEST_F(GeometryTest, DoubleReappliesAfterEachWriteAndShowsWhatTheWindowTook) {
  Select(0);
  windows.Window(notepad).maxWidth = 1000;
  windows.Window(notepad).maxHeight = 700;
  host.Click(IDC_DOUBLE);
  EXPECT_EQ(PlacesGiven(),
            (Calls{Pos(100, 50, 1600, 1200), Pos(100, 50, 800, 600), Pos(100, 50, 800, 600),
                   Pos(100, 50, 1000, 600), Pos(100, 50, 1000, 700)}));
  EXPECT_EQ(Edits(), (std::vector<std::string>{"100", "50", "1000", "700"}));
  EXPECT_EQ(windows.Window(notepad).rect, (Rect{100, 50, 1100, 750}));
}

TEST_F(GeometryTest, LateRectanglesArriveInOrderAndNeverOverwriteWhatCameAfter) {
  // The window answers late: its rectangle reaches the edits once it has answered.
  windows.Hold(notepad);
  host.SelectRow(0);
  EXPECT_EQ(Edits(), (std::vector<std::string>{"0", "0", "0", "0"}));
  windows.Release(notepad);
  EXPECT_EQ(Edits(), (std::vector<std::string>{"100", "50", "800", "600"}));

  // "× 2", then a typed X before the answer: X goes as typed, onto the doubled size.
  windows.Hold(notepad);
  host.Click(IDC_DOUBLE);
  host.UserSetText(IDC_X_EDIT, "40");
  windows.Release(notepad);
  EXPECT_EQ(windows.Window(notepad).rect, (Rect{40, 50, 1640, 1250}));
  EXPECT_EQ(Edits(), (std::vector<std::string>{"40", "50", "1600", "1200"}));

  // Another row selected before the answer: the old window's rectangle stays out of the edits.
  windows.Hold(notepad);
  host.SelectRow(0);
  host.SelectRow(1);
  windows.Release(notepad);
  EXPECT_EQ(Edits(), (std::vector<std::string>{"300", "200", "260", "280"}));
  EXPECT_TRUE(host.MessageBoxes().empty());
}

TEST_F(GeometryTest, CommandsBeforeAnAnswerWorkFromWhatItWillLeave) {
  // Pressed one after another while the window has not answered, not even the selection: each
  // works from what the ones before it leave, and the edits show where the window ends.
  const std::pair<std::vector<int>, Rect> kCases[] = {
      {{IDC_DOUBLE, IDC_HALVE}, {100, 50, 900, 650}},
      {{IDC_DOUBLE, IDC_DOUBLE}, {100, 50, 3300, 2450}},
      {{IDC_ORIGIN, IDC_DOUBLE}, {0, 0, 1600, 1200}},
      {{IDC_HALVE, IDC_ORIGIN, IDC_HALVE}, {0, 0, 200, 150}},
  };
  for (const auto& [buttons, ends] : kCases) {
    windows.Window(notepad).rect = {100, 50, 900, 650};
    windows.Hold(notepad);
    host.SelectRow(0);
    for (int button : buttons) host.Click(button);
    windows.Release(notepad);
    EXPECT_EQ(windows.Window(notepad).rect, ends);
    EXPECT_EQ(Edits(), (std::vector<std::string>{
                           std::to_string(ends.left), std::to_string(ends.top),
                           std::to_string(ends.Width()), std::to_string(ends.Height())}));
  }
}

TEST_F(GeometryTest, HalveTruncatesAndDoubleOfZeroStaysZero) {
  Select(0);
  const std::tuple<int, const char*, const char*, std::string> kCases[] = {
      {IDC_HALVE, "801", "1", Pos(100, 50, 400, 0)},
      {IDC_HALVE, "-7", "-7", Pos(100, 50, -3, -3)},
      {IDC_DOUBLE, "0", "0", Pos(100, 50, 0, 0)},
  };
  for (const auto& [button, width, height, first] : kCases) {
    host.UserSetText(IDC_WIDTH_EDIT, width);
    host.UserSetText(IDC_HEIGHT_EDIT, height);
    Forget();
    host.Click(button);
    EXPECT_EQ(PlacesGiven().front(), first);
  }
}

TEST_F(GeometryTest, MoveToOriginWritesOnlyXAndY) {
  Select(0);
  host.Click(IDC_ORIGIN);
  EXPECT_EQ(PlacesGiven(), (Calls{Pos(0, 0, 800, 600), Pos(0, 50, 800, 600), Pos(0, 0, 800, 600)}));
  EXPECT_EQ(Edits(), (std::vector<std::string>{"0", "0", "800", "600"}));
}

TEST_F(GeometryTest, WithoutSelectionEveryChangeShowsTheMessage) {
  host.TypeChars(IDC_X_EDIT, "5");
  host.StepUpDown(IDC_Y_SPIN, 1);
  EXPECT_EQ(host.MessageBoxes(),
            (std::vector<std::string>{msg::kSelectToResize, msg::kSelectToResize}));
  EXPECT_EQ(Count(windows.Log(), "SetWindowPos"), 0);
}

TEST_F(GeometryTest, HiddenButtonsApplyOrOnlyCheckTheSelection) {
  Select(0);
  host.Click(IDC_SPARE);
  EXPECT_TRUE(windows.Log().empty());
  host.Click(IDC_GEOMETRY_APPLY);
  EXPECT_EQ(PlacesGiven(), (Calls{Pos(100, 50, 800, 600)}));
  EXPECT_TRUE(host.MessageBoxes().empty());
}

}  // namespace
