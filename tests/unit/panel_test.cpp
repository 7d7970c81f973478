// The main panel: start-up, pages, tooltips, icons, the exits and the menu commands, and the
// version box.
#include <algorithm>
#include <map>
#include <set>
#include <span>
#include <tuple>

#include "panel/pages.h"
#include "panel/placements.h"
#include "panel/version_dlg.h"
#include "unit/glazier_fixture.h"

namespace {

using PanelTest = GlazierTest;

const std::vector<int> kAlwaysShown = {-1, IDC_WINDOW_LIST, IDC_REFRESH, IDC_TAB, IDC_EXIT};

std::vector<int> VisibleIds(CFakePanelHost& host) {
  std::vector<int> ids;
  for (const ControlTemplate& t : MainDialogTemplate().controls) {
    if (host.Control(t.id).visible) ids.push_back(t.id);
  }
  std::sort(ids.begin(), ids.end());
  return ids;
}

std::vector<int> Sorted(std::vector<int> a, std::span<const int> b) {
  a.insert(a.end(), b.begin(), b.end());
  std::sort(a.begin(), a.end());
  return a;
}

TEST_F(PanelTest, StartUpRunsItsStepsInOrder) {
  AddUsualWindows();
  Start();
  const std::string icon = std::to_string(dialog.OnQueryDragIcon());
  Calls steps = {"OnSize(0,311,816)", "OnInitDialog", "SetIcon(big," + icon + ")",
                 "SetIcon(small," + icon + ")", "SetTimer(2,1000)", "TabInsertItem(1026,0,表示)",
                 "TabInsertItem(1026,5,位置・サイズ)", "SetWindowPos(dialog,0,0,0,320,427,0x6)",
                 "SetWindowPos(1013,0,145,334,0,0,0x5)", "ListInsertString(1002,0,メモ帳)",
                 "ListInsertString(1002,2,ペイント)", "TabGetCurSel(1026)", "ShowWindow(1027,5)",
                 // Once the panel is idle: the controls of the hidden pages, then the tooltips.
                 "OnIdle", "SetWindowPos(1041,0,275,309,0,0,0x5)", "TrackbarSetRangeMin(1008,1,0)",
                 "TrackbarSetRangeMax(1008,1,255)", "TrackbarSetPos(1008,1,150)",
                 "SetDlgItemText(1007,150)"};
  // The up-downs X, width, Y, height, bounded by the work area's right or bottom edge.
  for (auto [spin, edit, bound] :
       {std::tuple{1044, 1030, 1280}, {1045, 1037, 1280}, {1046, 1036, 984}, {1047, 1038, 984}}) {
    const std::string id = std::to_string(spin) + ",";
    steps.insert(
        steps.end(),
        {"UpDownSetBase(" + id + "10)", "UpDownSetBuddy(" + id + std::to_string(edit) + ")",
         "UpDownSetRange(" + id + "0," + std::to_string(bound) + ")", "UpDownSetPos(" + id + "0)"});
  }
  steps.insert(steps.end(), {"TooltipCreate", "TooltipActivate(1)"});
  EXPECT_TRUE(InOrder(host.Log(), steps));
  EXPECT_EQ(
      host.Control(IDC_TAB).tabs,
      (std::vector<std::string>{"表示", "変形", "ロック", "透明化", "タイトル", "位置・サイズ"}));
}

TEST_F(PanelTest, StartUpLeavesEverythingIdle) {
  AddUsualWindows();
  Start();
  for (int id : {IDC_X_EDIT, IDC_Y_EDIT, IDC_WIDTH_EDIT, IDC_HEIGHT_EDIT}) EXPECT_EQ(Text(id), "0");
  EXPECT_EQ(Text(IDC_ALPHA_EDIT), "150");
  EXPECT_EQ(host.Control(IDC_ALPHA_SLIDER).pos, 150);
  EXPECT_EQ(Text(IDC_FLASH), "フラッシュ開始");
  EXPECT_TRUE(host.MessageBoxes().empty());
  EXPECT_FALSE(dialog.IsFlashing());
  for (const std::string& call : windows.Log()) {
    EXPECT_TRUE(call.rfind("Get", 0) == 0 || call.rfind("IsWindow", 0) == 0 ||
                call.rfind("HasVisibleStyle", 0) == 0 || call.rfind("IsTooltip", 0) == 0 ||
                call == "EnumWindows")
        << call;
  }
}

TEST_F(PanelTest, StartUpShowsOnlyTheFirstPage) {
  Start();
  EXPECT_EQ(host.Control(IDC_TAB).curSel, 0);
  EXPECT_EQ(VisibleIds(host), Sorted(kAlwaysShown, TabPages()[0].controls));
}

TEST_F(PanelTest, TabsShowExactlyTheirPage) {
  Start();
  for (int page = 5; page >= 0; --page) {
    host.ClickTab(page);
    EXPECT_EQ(VisibleIds(host),
              Sorted(kAlwaysShown, TabPages()[static_cast<std::size_t>(page)].controls))
        << "page " << page;
    EXPECT_FALSE(host.Control(IDC_GEOMETRY_APPLY).visible);
    EXPECT_FALSE(host.Control(IDC_SPARE).visible);
  }
}

// A control of the main template shows on exactly one page, behind its page's group box, unless
// it shows on every page or never.
TEST(PanelPages, EveryControlIsOnOnePageBehindItsGroupBoxOrOnNone) {
  const std::set<int> everyPage(kAlwaysShown.begin(), kAlwaysShown.end());
  std::map<int, int> pageOf;
  for (std::size_t page = 0; page < TabPages().size(); ++page) {
    const std::span<const int> controls = TabPages()[page].controls;
    for (int id : controls) {
      const ControlTemplate* control = MainDialogTemplate().Find(id);
      ASSERT_NE(control, nullptr) << id;
      const bool groupBox = (control->style & wm::kBsTypeMask) == wm::kBsGroupBox &&
                            std::string(control->className) == wm::kButtonClass;
      EXPECT_EQ(groupBox, id == controls.front()) << id;
      EXPECT_EQ(IsPageFrame(id), id == controls.front()) << id;
      EXPECT_TRUE(pageOf.emplace(id, static_cast<int>(page)).second) << id << " is on two pages";
      EXPECT_EQ(PageOf(id), static_cast<int>(page)) << id;
    }
  }
  for (const ControlTemplate& control : MainDialogTemplate().controls) {
    const bool shown = (control.style & wm::kWsVisible) != 0;
    const bool onAPage = pageOf.count(control.id) > 0;
    EXPECT_EQ(onAPage, shown && !everyPage.count(control.id)) << control.id;
    if (!onAPage) {
      EXPECT_EQ(PageOf(control.id), -1) << control.id;
    }
  }
}

// The list, the refresh button and every page control a user operates (not a group box, not a
// label) have a tip of their own.
TEST(PanelTooltips, EveryOperatedControlHasOneTip) {
  std::multiset<int> expected = {IDC_WINDOW_LIST, IDC_REFRESH};
  for (const TabPage& page : TabPages()) {
    for (int id : page.controls.subspan(1)) {
      if (std::string(MainDialogTemplate().Find(id)->className) != wm::kStaticClass) {
        expected.insert(id);
      }
    }
  }
  std::multiset<int> tipped;
  for (const TooltipEntry& tool : Tooltips()) {
    tipped.insert(tool.controlId);
    EXPECT_GT(std::string(tool.text).size(), 0u) << tool.controlId;
  }
  EXPECT_EQ(tipped, expected);
}

TEST_F(PanelTest, TooltipsCoverTheOperatingControlsInWhiteOnBlue) {
  Start();
  const std::span<const TooltipEntry> expected = Tooltips();
  const FakeTooltip& tip = host.Tooltip();
  EXPECT_TRUE(tip.created);
  EXPECT_TRUE(tip.active);
  EXPECT_EQ(tip.bkColor, 0x00FF0000u);
  EXPECT_EQ(tip.textColor, 0x00FFFFFFu);
  ASSERT_EQ(tip.tools.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(host.ControlByHandle(tip.tools[i].first)->id, expected[i].controlId) << i;
    EXPECT_EQ(tip.tools[i].second, expected[i].text) << i;
  }

  PlatformMessage message;
  dialog.PreTranslateMessage(message);
  dialog.PreTranslateMessage(message);
  EXPECT_EQ(host.Tooltip().relayed, 2);
}

// Input that comes before the panel was ever idle finds what it reaches set up as it would be
// after: a page not yet visited shows its controls in their places, with their ranges and first
// texts, and the first hover of one of its controls finds every tool.
TEST_F(PanelTest, WhatWaitsForIdleIsSetUpWhereItIsFirstReached) {
  Start();
  auto state = [](const FakeControl& c) {
    return std::tuple{c.rect, c.text,  c.visible, c.rangeMin,  c.rangeMax, c.pos,
                      c.base, c.lower, c.upper,   c.upDownPos, c.buddy};
  };
  for (int page = 1; page < 6; ++page) {
    CGlazierDlg early{windows};
    CFakePanelHost earlyHost{early.Template()};
    earlyHost.Create(early, /*idle=*/false);
    host.ClickTab(page);
    earlyHost.ClickTab(page);
    for (int id : TabPages()[static_cast<std::size_t>(page)].controls) {
      EXPECT_EQ(state(earlyHost.Control(id)), state(host.Control(id))) << id;
    }
    EXPECT_FALSE(earlyHost.Tooltip().created);
    const std::span<const TooltipEntry> tools = Tooltips();
    const int id = std::find_if(tools.begin(), tools.end(), [page](const TooltipEntry& tool) {
                     return PageOf(tool.controlId) == page;
                   })->controlId;
    earlyHost.PointAt(id);
    EXPECT_EQ(earlyHost.Tooltip().tools, host.Tooltip().tools);
    EXPECT_TRUE(earlyHost.Tooltip().active);
    EXPECT_EQ(earlyHost.Tooltip().pointedAt, id);
  }
}

TEST_F(PanelTest, MinimizedDialogDrawsItsIconCentred) {
  Start();
  EXPECT_FALSE(dialog.OnPaint());  // the platform paints a normal dialog
  const std::string icon = std::to_string(dialog.OnQueryDragIcon());
  host.Minimize();
  for (auto [width, x] : {std::pair{36, 2}, {35, 2}, {20, -5}}) {
    host.SetIconicClientSize(width, 36);
    host.ClearLog();
    EXPECT_TRUE(dialog.OnPaint());
    EXPECT_EQ(host.Log(),
              (Calls{"BeginPaint", "EraseIconBackground(77)",
                     "DrawIcon(77," + std::to_string(x) + ",2," + icon + ")", "EndPaint(77)"}));
  }
  EXPECT_EQ(IconOrigin(20, 20, 32, 32), (Point{-5, -5}));
}

TEST_F(PanelTest, ExitButtonMenuItemAndCancelAllExitWithZero) {
  AddUsualWindows();
  Start();
  Select(0);
  host.Click(IDC_FLASH);
  host.Tick(CGlazierDlg::FLASH_TIMER);
  Forget();

  host.Click(IDC_EXIT);
  host.Click(ID_APP_EXIT_CMD);
  host.PressEscape();
  EXPECT_EQ(Count(host.Log(), "Exit(0)"), 3);
  EXPECT_EQ(Count(host.Log(), "EndDialog"), 0);
  EXPECT_EQ(Count(host.Log(), "KillTimer"), 0);
  EXPECT_TRUE(windows.Log().empty());  // the flashed window is left as it is
  EXPECT_EQ(windows.Window(notepad).layeredAlpha, 0);
}

TEST_F(PanelTest, MenuOpensTheProductPageAndCdTrayCommandsSendMci) {
  Start();
  Forget();
  host.Click(ID_HELP_ONLINE);
  host.Click(ID_CDTRAY_OPEN);
  host.Click(ID_CDTRAY_CLOSE);
  const std::string self = H(host.DialogWindow());
  EXPECT_EQ(windows.Log(), (Calls{std::string("ShellExecute(open,") + kProductPageUrl + ",1)",
                                  "MciSendString(set cdaudio door open," + self + ")",
                                  "MciSendString(set cdaudio door closed," + self + ")"}));
}

TEST_F(PanelTest, VersionBoxOpensTheHomePageAndTheMainTimersKeepRunning) {
  AddUsualWindows();
  Start();
  windows.AddWindow("あとから");
  Forget();
  host.onModal = [this](CDialog&, CFakePanelHost& box) {
    box.Click(IDC_HOMEPAGE);
    box.Click(IDC_HOMEPAGE);
    host.Tick(CGlazierDlg::REFRESH_TIMER);
    box.PressEnter();
    EXPECT_EQ(box.EndDialogResult(), wm::kIdOk);
    return wm::kIdOk;
  };
  host.Click(ID_HELP_VERSION);

  EXPECT_EQ(host.ModalRuns(), std::vector<int>{IDD_VERSION});
  EXPECT_EQ(Count(windows.Log(), std::string("ShellExecute(open,") + kHomePageUrl + ",1)"), 2);
  EXPECT_EQ(Rows().size(), 4u);
}

TEST(VersionTemplate, HoldsNameVersionDateAndLink) {
  const DialogTemplate& box = VersionDialogTemplate();
  EXPECT_EQ(
      std::tuple(box.id, std::string(box.caption), box.cx, box.cy, std::string(box.font)),
      std::tuple(IDD_VERSION, std::string("ﾊﾞｰｼﾞｮﾝ情報"), 149, 85, std::string("ＭＳ Ｐゴシック")));
  using Row = std::tuple<int, std::string, std::string, int, int, int, int>;
  const std::vector<Row> expected = {{1, "BUTTON", "OK", 94, 66, 50, 14},
                                     {-1, "STATIC", "Glazier", 34, 7, 28, 10},
                                     {-1, "STATIC", "Version 2.10", 64, 7, 44, 8},
                                     {IDC_HOMEPAGE, "BUTTON", kHomePageUrl, 20, 47, 112, 12},
                                     {-1, "STATIC", "最新版、サポート等は", 20, 35, 72, 8},
                                     {-1, "STATIC", "Maked 2003/07/25", 78, 20, 68, 8},
                                     {-1, "STATIC", "", 11, 7, 20, 20}};
  std::vector<Row> actual;
  for (const ControlTemplate& c : box.controls) {
    actual.emplace_back(c.id, c.className, c.text, c.x, c.y, c.cx, c.cy);
  }
  EXPECT_EQ(actual, expected);
  EXPECT_EQ(box.controls.back().iconResource, IDI_APP);
}

}  // namespace
