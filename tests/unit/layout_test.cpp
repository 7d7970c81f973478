// The layout: the pages stacked onto the first page's group box at start-up, and the controls
// following the dialog's edges on every resize.
#include <map>
#include <vector>

#include "panel/fit_to_font.h"
#include "panel/pages.h"
#include "panel/placements.h"
#include "unit/glazier_fixture.h"

namespace {

// The tab control, then every page's controls page by page: the order a resize moves them down.
const std::vector<int> kFollowBottom = [] {
  std::vector<int> ids = {IDC_TAB};
  for (const TabPage& page : TabPages())
    ids.insert(ids.end(), page.controls.begin(), page.controls.end());
  return ids;
}();

class LayoutTest : public GlazierTest {
 protected:
  void SetUp() override {
    template_ = Snapshot();  // the template positions, before start-up moves anything
    Start();
    anchor = host.Control(IDC_SHOW_GROUP).rect;
    started = Snapshot();
    Forget();
  }

  std::map<int, Rect> Snapshot() {
    std::map<int, Rect> rects;
    for (const ControlTemplate& t : MainDialogTemplate().controls) {
      rects[t.id] = host.Control(t.id).rect;
    }
    return rects;
  }

  // Resizes the dialog by the given change of its client area.
  void Grow(int dx, int dy) {
    Rect outer = host.OuterRect();
    host.ResizeOuter(outer.Width() + dx, outer.Height() + dy);
  }

  static Rect Moved(Rect r, int dx, int dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
  }

  std::map<int, Rect> template_, started;
  Rect anchor;
};

TEST_F(LayoutTest, StartUpShrinksTheDialogAroundTheAnchor) {
  EXPECT_EQ(anchor, template_[IDC_SHOW_GROUP]);
  EXPECT_EQ(host.OuterRect().Width(), anchor.right + 20);
  EXPECT_EQ(host.OuterRect().Height(), anchor.bottom + 60);
}

TEST_F(LayoutTest, StartUpStacksEveryPageOnTheAnchor) {
  for (const Placement& p : PanelPlacements()) {
    const Rect was = template_[p.controlId];
    EXPECT_EQ(started[p.controlId],
              Moved(was, anchor.left + p.dx - was.left, anchor.top + p.dy - was.top))
        << p.controlId;
  }
  // Every page control but the anchor is placed once, and nothing else; each page's group box
  // lands on the anchor.
  std::map<int, int> placed;
  for (const Placement& p : PanelPlacements()) ++placed[p.controlId];
  for (const TabPage& page : TabPages()) {
    EXPECT_EQ(started[page.controls.front()], anchor) << page.caption;
    for (int id : page.controls) EXPECT_EQ(placed[id], id == IDC_SHOW_GROUP ? 0 : 1) << id;
  }
  EXPECT_EQ(PanelPlacements().size(), kFollowBottom.size() - 2);  // not the tab, not the anchor
  for (int id : {IDC_WINDOW_LIST, IDC_REFRESH, IDC_EXIT, IDC_TAB, IDC_SHOW_GROUP,
                 IDC_GEOMETRY_APPLY, -1, IDC_SPARE}) {
    EXPECT_EQ(started[id], template_[id]) << id;
  }
  // The Exit button stays below the shrunken client area.
  EXPECT_GT(started[IDC_EXIT].top, host.ClientSize().bottom);
}

TEST_F(LayoutTest, StartUpPutsPlacedControlsLastInZOrder) {
  std::vector<int> expected = {IDC_WINDOW_LIST, IDC_REFRESH,        IDC_EXIT, IDC_TAB,
                               IDC_SHOW_GROUP,  IDC_GEOMETRY_APPLY, -1,       IDC_SPARE};
  for (const Placement& p : PanelPlacements()) expected.push_back(p.controlId);
  EXPECT_EQ(host.ZOrder(), expected);
}

TEST_F(LayoutTest, WiderDialogStretchesTheListAndMovesRefreshRight) {
  Grow(40, 0);
  EXPECT_EQ(host.Control(IDC_WINDOW_LIST).rect.Width(), started[IDC_WINDOW_LIST].Width() + 40);
  EXPECT_EQ(host.Control(IDC_WINDOW_LIST).rect.Height(), started[IDC_WINDOW_LIST].Height());
  EXPECT_EQ(host.Control(IDC_REFRESH).rect, Moved(started[IDC_REFRESH], 40, 0));
  for (int id : kFollowBottom) EXPECT_EQ(host.Control(id).rect, started[id]) << id;
  EXPECT_EQ(host.Log().back(), "InvalidateDialog(1)");
}

TEST_F(LayoutTest, TallerDialogMovesTabAndAllPagesDown) {
  Grow(0, 30);
  const Rect list = host.Control(IDC_WINDOW_LIST).rect;
  EXPECT_EQ(list, (Rect{started[IDC_WINDOW_LIST].left, started[IDC_WINDOW_LIST].top,
                        started[IDC_WINDOW_LIST].right, started[IDC_WINDOW_LIST].bottom + 30}));
  EXPECT_EQ(host.Control(IDC_REFRESH).rect, started[IDC_REFRESH]);
  for (int id : kFollowBottom) EXPECT_EQ(host.Control(id).rect, Moved(started[id], 0, 30)) << id;
  for (int id : {IDC_EXIT, IDC_GEOMETRY_APPLY, -1, IDC_SPARE}) {
    EXPECT_EQ(host.Control(id).rect, started[id]) << id;
  }
  EXPECT_FALSE(host.Control(IDC_GEOMETRY_APPLY).visible);

  // One call per control, each also sending it to the bottom of the z-order.
  Calls placements;
  for (const std::string& call : host.Log()) {
    if (call.rfind("SetWindowPos(", 0) == 0) placements.push_back(call);
  }
  ASSERT_EQ(placements.size(), 42u);
  EXPECT_EQ(placements[0], "SetWindowPos(1002,1,0,0," + std::to_string(list.Width()) + "," +
                               std::to_string(list.Height()) + ",0x2)");
  std::vector<int> order = {IDC_EXIT,  IDC_GEOMETRY_APPLY, -1,
                            IDC_SPARE, IDC_WINDOW_LIST,    IDC_REFRESH};
  order.insert(order.end(), kFollowBottom.begin(), kFollowBottom.end());
  EXPECT_EQ(host.ZOrder(), order);
}

TEST_F(LayoutTest, AResizeBeforeTheFirstIdleMovesThePagesFromTheirPlaces) {
  CFakeWindowManager otherWindows;
  CGlazierDlg early{otherWindows};
  CFakePanelHost earlyHost{early.Template()};
  earlyHost.Create(early, /*idle=*/false);
  const Rect outer = earlyHost.OuterRect();
  earlyHost.ResizeOuter(outer.Width(), outer.Height() + 30);
  earlyHost.Idle();
  for (int id : kFollowBottom) {
    EXPECT_EQ(earlyHost.Control(id).rect, Moved(started[id], 0, 30)) << id;
  }
}

TEST_F(LayoutTest, MinimizeIsIgnoredAndRestoreRepaintsInPlace) {
  host.Minimize();
  EXPECT_TRUE(host.Log().back().rfind("OnSize(1,0,0)", 0) == 0);
  EXPECT_EQ(Count(host.Log(), "SetWindowPos"), 0);
  host.Restore();
  EXPECT_EQ(Count(host.Log(), "SetWindowPos"), 42);
  EXPECT_EQ(Snapshot(), started);
  EXPECT_EQ(host.Invalidations(), 1);
}

TEST_F(LayoutTest, LowDialogIsIgnoredAndTheNextMoveCountsFromTheLastAcceptedSize) {
  const int lastCy = host.ClientSize().bottom;
  Grow(0, 149 - host.ClientSize().bottom);
  ASSERT_EQ(host.ClientSize().bottom, 149);
  EXPECT_EQ(Snapshot(), started);
  EXPECT_EQ(host.Invalidations(), 0);

  Grow(0, lastCy + 30 - 149);
  EXPECT_EQ(host.Control(IDC_TAB).rect, Moved(started[IDC_TAB], 0, 30));
}

// A face standing in for the dialog face: what its texts need grows, the rest of the row and the
// rows below move along, an edit under its button is shortened, and the frame, the tab control
// and the dialog grow around what grew by as much, keeping their margins.
TEST(PanelFit, GrowsTheLeastThatKeepsEveryTextWholeAndNothingUnderAnother) {
  FitInput input;
  input.pages = {{
      {50, FitKind::Frame, {10, 100, 210, 160}, 50},
      {1, FitKind::Label, {20, 115, 60, 131}, 30},  // fits, touching its edit
      {2, FitKind::Edit, {60, 115, 120, 139}},
      {3, FitKind::Button, {130, 115, 180, 145}, 70},  // needs 76, and reaches into the next row
      {4, FitKind::Edit, {20, 140, 150, 164}},         // 5 pixels under its button
      {5, FitKind::Button, {145, 140, 195, 164}, 20},
  }};
  input.header = {{-1, FitKind::Label, {5, 5, 60, 20}, 70},
                  {7, FitKind::Button, {100, 0, 200, 24}, 40}};
  input.tab = {99, FitKind::Fixed, {5, 80, 215, 170}};
  input.tabStripWidth = 150;
  input.client = {0, 0, 220, 190};

  const FitResult fit = FitPanel(input);
  std::map<int, Rect> changed;
  for (const auto& change : fit.changes) changed[change.id] = change.rect;
  const std::map<int, Rect> expected = {
      {3, {130, 115, 206, 145}}, {4, {20, 145, 141, 169}}, {5, {145, 145, 195, 169}},
      {50, {10, 100, 211, 174}}, {99, {5, 80, 216, 184}},  {-1, {5, 5, 75, 20}},
  };
  EXPECT_EQ(changed, expected);
  EXPECT_EQ(fit.grow, (Point{1, 14}));

  // Tabs wider than the tab control widen it, and the dialog as much.
  input.tabStripWidth = 240;
  EXPECT_EQ(FitPanel(input).grow.x, 30);
}

// The fitting is measured on the dialog itself: a text wider than its button at start-up.
TEST_F(GlazierTest, StartUpGrowsAButtonForItsTextAndTheDialogAroundIt) {
  host.textWidths[IDC_ORIGIN] = 100;
  Start();
  const Rect origin = host.Control(IDC_ORIGIN).rect;
  EXPECT_EQ(origin.Width(), 106);
  EXPECT_EQ(host.Control(IDC_GEOMETRY_GROUP).rect.right, origin.right + 5);
  EXPECT_EQ(host.Control(IDC_SHOW_GROUP).rect, host.Control(IDC_GEOMETRY_GROUP).rect);
  EXPECT_GE(host.ClientSize().right, host.Control(IDC_TAB).rect.right);
}

}  // namespace
