// The panel on high-DPI screens: the layout's pixel distances scale with the dialog's DPI, and a
// DPI change while the panel is open keeps the arrangement and the user's size.
#include "panel/placements.h"
#include "unit/glazier_fixture.h"

namespace {

TEST(DpiScaling, ScalesLikeMulDivAndIsExactAt96) {
  struct Case {
    int value, dpi, expected;
  };
  constexpr Case kCases[] = {
      {290, 96, 290},  {15, 96, 15},    {150, 96, 150},  {-7, 96, -7},    {290, 120, 363},
      {15, 120, 19},   {150, 120, 188}, {10, 120, 13},   {290, 144, 435}, {15, 144, 23},
      {45, 144, 68},   {150, 144, 225}, {290, 192, 580}, {15, 192, 30},   {-15, 120, -19},
      {-15, 144, -23}, {0, 144, 0},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(ScaleForDpi(c.value, c.dpi), c.expected) << c.value << " at " << c.dpi;
  }
}

class HighDpiTest : public ::testing::Test {
 protected:
  explicit HighDpiTest(int dpi = 144) : host(dialog.Template(), 8000, dpi) {}
  CFakeWindowManager windows;
  CGlazierDlg dialog{windows};
  CFakePanelHost host;
};

TEST_F(HighDpiTest, StartUpPlacesThePagesWithScaledOffsets) {
  host.Create(dialog);
  const Rect anchor = host.Control(IDC_SHOW_GROUP).rect;
  const Rect opaque = host.Control(IDC_OPAQUE_LABEL).rect;
  const Rect slider = host.Control(IDC_ALPHA_SLIDER).rect;
  EXPECT_EQ(opaque.left - anchor.left, 435);
  EXPECT_EQ(opaque.top - anchor.top, 23);
  EXPECT_EQ(slider.left - anchor.left, 60);
  EXPECT_EQ(host.Control(IDC_ALPHA_EDIT).rect.top - anchor.top, 60);
  EXPECT_EQ(host.Control(IDC_LOCK_GROUP).rect.left, anchor.left);

  // The dialog units grow by 20 / 13 in height here, the distances by 1.5: placed controls get
  // their 96-DPI size scaled by 1.5 too, so the title edit stays clear of its button.
  for (int id : {IDC_TITLE_EDIT, IDC_X_LABEL, IDC_OPAQUE_LABEL}) {
    const Point at96 = host.TemplateSize(id, 96);
    EXPECT_EQ(host.Control(id).rect.Width(), ScaleForDpi(at96.x, 144)) << id;
    EXPECT_EQ(host.Control(id).rect.Height(), ScaleForDpi(at96.y, 144)) << id;
  }
  EXPECT_LE(host.Control(IDC_TITLE_EDIT).rect.right, host.Control(IDC_TITLE_APPLY).rect.left);
  // The anchor keeps the size the dialog manager gave it, and every page's frame matches it.
  EXPECT_EQ(anchor.Height(), host.TemplateSize(IDC_SHOW_GROUP, 144).y);
  EXPECT_EQ(host.Control(IDC_TITLE_GROUP).rect, anchor);
}

TEST_F(HighDpiTest, TheLowHeightThresholdScalesToo) {
  host.Create(dialog);
  const Rect before = host.Control(IDC_TAB).rect;
  // 200 pixels of client height is below 150 x 1.5: ignored, nothing recorded.
  host.ResizeOuter(500, 200 + host.OuterRect().Height() - host.ClientSize().Height());
  EXPECT_EQ(host.Control(IDC_TAB).rect, before);
}

TEST_F(HighDpiTest, DpiChangeKeepsTheArrangementAndTheNextResizeReflowsFromIt) {
  host.Create(dialog);
  const Rect anchor = host.Control(IDC_SHOW_GROUP).rect;
  const Rect opaque = host.Control(IDC_OPAQUE_LABEL).rect;
  const Rect outer = host.OuterRect();

  // Moved to a 96-DPI monitor: the system suggests two thirds of the size.
  const Rect suggested{100, 100, 100 + outer.Width() * 2 / 3, 100 + outer.Height() * 2 / 3};
  EXPECT_TRUE(dialog.OnDpiChanged(96, suggested));
  EXPECT_EQ(host.OuterRect(), suggested);
  const Rect newAnchor = host.Control(IDC_SHOW_GROUP).rect;
  EXPECT_EQ(newAnchor.left, anchor.left * 2 / 3);
  EXPECT_EQ(host.Control(IDC_OPAQUE_LABEL).rect.left - newAnchor.left,
            (opaque.left - anchor.left) * 2 / 3);

  // The user's next resize moves the bottom-anchored controls by exactly its own change.
  const Rect tab = host.Control(IDC_TAB).rect;
  host.ResizeOuter(suggested.Width(), suggested.Height() + 30);
  EXPECT_EQ(host.Control(IDC_TAB).rect.top, tab.top + 30);
}

}  // namespace
