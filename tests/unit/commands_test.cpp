// The selection rule of every command, the show-state, z-order, lock and frame commands, and the
// window shapes.
#include "ops/layered.h"
#include "ops/shapes.h"
#include "unit/glazier_fixture.h"

namespace {

using CommandsTest = GlazierTest;

TEST_F(CommandsTest, EveryCommandWithoutSelectionShowsOnlyItsMessage) {
  const std::pair<int, std::string> kCommands[] = {
      {IDC_MINIMIZE, "最小化するウィンドウを選択してください。"},
      {IDC_SHOW, "表示するウィンドウを選択してください。"},
      {IDC_TOPMOST, "対象となるウィンドウを選択してください。"},
      {IDC_NOTOPMOST, "対象となるウィンドウを選択してください。"},
      {IDC_RESIZABLE, "対象となるウィンドウを選択してください。"},
      {IDC_LOCK, "対象となるウィンドウを選択してください。"},
      {IDC_UNLOCK, "対象となるウィンドウを選択してください。"},
      {IDC_CIRCLE, "変更対象となるウィンドウを選択してください。"},
      {IDC_STAR, "変更対象となるウィンドウを選択してください。"},
      {IDC_PLAIN_SHAPE, "変更対象となるウィンドウを選択してください。"},
      {IDC_ALPHA_APPLY, "透明化するウィンドウを選択してください。"},
      {IDC_FLASH, "Flashするウィンドウを選択してください。"},
      {IDC_TITLE_APPLY, "タイトル文字列を変更するウィンドウを選択してください。"},
      {IDC_GEOMETRY_APPLY, "サイズ変更を行うウィンドウを選択してください。"},
      {IDC_DOUBLE, "サイズ変更を行うウィンドウを選択してください。"},
      {IDC_HALVE, "サイズ変更を行うウィンドウを選択してください。"},
      {IDC_ORIGIN, "サイズ変更を行うウィンドウを選択してください。"},
      {IDC_SPARE, "対象となるウィンドウを選択してください。"},
  };
  AddUsualWindows();
  Start();
  host.UserSetText(IDC_ALPHA_EDIT, "77");
  Forget();
  for (const auto& [button, text] : kCommands) {
    host.Click(button);
    EXPECT_EQ(host.MessageBoxes().back(), text) << button;
  }
  EXPECT_EQ(host.MessageBoxes().size(), std::size(kCommands));
  EXPECT_TRUE(windows.Log().empty());
  EXPECT_EQ(windows.LiveRegions(), 0);
  EXPECT_EQ(Text(IDC_ALPHA_EDIT), "77");
  EXPECT_EQ(Text(IDC_X_EDIT), "0");
  EXPECT_FALSE(dialog.IsFlashing());
}

TEST_F(CommandsTest, ShowLockAndFrameCommandsLeaveTheirWindowAsAsked) {
  AddUsualWindows();
  Start();
  Select(0);
  // Always on top, lock and unlock show a minimized window normal on their way.
  const std::pair<int, std::function<bool(const FakeWindow&)>> kCommands[] = {
      {IDC_MINIMIZE, [](const FakeWindow& w) { return w.minimized; }},
      {IDC_SHOW, [](const FakeWindow& w) { return !w.minimized && w.visible; }},
      {IDC_MINIMIZE, [](const FakeWindow& w) { return w.minimized; }},
      {IDC_TOPMOST, [](const FakeWindow& w) { return w.topmost && !w.minimized; }},
      {IDC_NOTOPMOST, [](const FakeWindow& w) { return !w.topmost; }},
      {IDC_RESIZABLE,
       [](const FakeWindow& w) {
         return (static_cast<std::uint32_t>(w.style) & wm::kWsOverlappedWindow) ==
                wm::kWsOverlappedWindow;
       }},
      {IDC_MINIMIZE, [](const FakeWindow& w) { return w.minimized; }},
      {IDC_LOCK, [](const FakeWindow& w) { return !w.enabled && !w.minimized; }},
      {IDC_UNLOCK, [](const FakeWindow& w) { return w.enabled; }},
  };
  for (const auto& [button, done] : kCommands) {
    host.Click(button);
    EXPECT_TRUE(done(windows.Window(notepad))) << button;
  }
  EXPECT_EQ(windows.ZOrder().front(), notepad);
  EXPECT_TRUE(host.MessageBoxes().empty());
}

TEST(ShapeMath, CircleBoxTruncatesTheScaledClientSize) {
  EXPECT_EQ(CircleBox({0, 0, 400, 300}), (Rect{0, 0, 409, 320}));
  EXPECT_EQ(CircleBox({0, 0, 40, 1000}), (Rect{0, 0, 41, 1067}));
  EXPECT_EQ(CircleBox({0, 0, 1000, 300}), (Rect{0, 0, 1025, 320}));
  EXPECT_EQ(CircleBox({0, 0, 0, 0}), (Rect{0, 0, 0, 0}));
}

TEST(ShapeMath, StarPointsDrawAPentagramFromTheClientSize) {
  using P = std::array<Point, 5>;
  EXPECT_EQ(StarPoints({0, 0, 300, 300}),
            (P{{{0, 300}, {150, 0}, {300, 300}, {0, 100}, {300, 100}}}));
  EXPECT_EQ(StarPoints({0, 0, 301, 301}),
            (P{{{0, 301}, {150, 0}, {301, 301}, {0, 100}, {301, 100}}}));
  EXPECT_EQ(StarPoints({0, 0, 0, 0}), P{});
  EXPECT_EQ(StarPoints({0, 0, 300, 90}), (P{{{0, 90}, {150, 0}, {300, 90}, {0, 30}, {300, 30}}}));
}

class ShapeTest : public GlazierTest {
 protected:
  void SetUp() override {
    target = windows.AddWindow("形", true, {10, 10, 418, 336}, 400, 300);
    Start();
    Select(0);
  }
  WindowHandle target = 0;
};

TEST_F(ShapeTest, CircleClipsToTheScaledBoxFromTheWindowCorner) {
  host.Click(IDC_CIRCLE);
  EXPECT_EQ(windows.Window(target).region.value_or(""), "ellipse(0,0,409,320)");
  // Only the copy of what the circle left, kept for "元に戻す", is still Glazier's.
  EXPECT_EQ(windows.LiveRegions(), 1);
  EXPECT_EQ(windows.BadRegionDeletes(), 0);
}

TEST_F(ShapeTest, StarIsASolidPentagramAndPlainShapeRemovesTheRegion) {
  windows.Window(target).clientWidth = 300;
  host.Click(IDC_STAR);
  EXPECT_EQ(windows.Window(target).region.value_or(""),
            "polygon((0,300),(150,0),(300,300),(0,100),(300,100),mode=2)");

  windows.SetWorkArea({0, 30, 1280, 984});  // a bar docked at the top cuts nothing away
  Forget();
  host.Click(IDC_PLAIN_SHAPE);
  // The star is kept for "元に戻す": its copy read back is freed.
  EXPECT_FALSE(windows.Window(target).region.has_value());
  EXPECT_EQ(windows.LiveRegions(), 0);
}

TEST_F(ShapeTest, RefusedRegionsAreFreedAndSaidOnce) {
  windows.SetRegionRefused(true);
  host.Click(IDC_CIRCLE);
  host.Click(IDC_STAR);
  host.Click(IDC_PLAIN_SHAPE);
  windows.SetRegionRefused(false);
  windows.Close(target);
  host.Click(IDC_CIRCLE);

  EXPECT_EQ(windows.LiveRegions(), 0);
  EXPECT_EQ(windows.BadRegionDeletes(), 0);
  EXPECT_FALSE(windows.Window(target).region.has_value());
  EXPECT_EQ(host.MessageBoxes(),
            (std::vector<std::string>{msg::kChangeFailed, msg::kChangeFailed, msg::kChangeFailed,
                                      msg::kWindowClosed}));
}

TEST_F(ShapeTest, OwnersMovedAlongFreeTheirHandleOnce) {
  Forget();
  {
    CUniqueRegion first(windows, windows.CreateRectRgn(0, 0, 1, 1));
    CUniqueRegion second = std::move(first);
    first = std::move(second);
    CScopedLayeredFunction layered(windows);
    CScopedLayeredFunction moved = std::move(layered);
    EXPECT_TRUE(moved.Found());
  }
  EXPECT_EQ(windows.LiveRegions(), 0);
  EXPECT_EQ(windows.BadRegionDeletes(), 0);
  EXPECT_EQ(Count(windows.Log(), "FreeLibrary"), 1);
}

}  // namespace
