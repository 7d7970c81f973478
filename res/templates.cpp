#include "res/templates.h"

#include "res/resource.h"

namespace {

constexpr std::uint32_t kChild = wm::kWsChild | wm::kWsVisible;
constexpr std::uint32_t kEdit = kChild | wm::kWsBorder | wm::kWsTabStop | wm::kEsAutoHScroll;
constexpr std::uint32_t kSpin =
    kChild | wm::kUdsArrowKeys | wm::kUdsAutoBuddy | wm::kUdsSetBuddyInt | wm::kUdsNoThousands;
constexpr std::uint32_t kButton = kChild | wm::kWsTabStop | wm::kBsPushButton;
constexpr std::uint32_t kGroup = kChild | wm::kBsGroupBox;
constexpr std::uint32_t kLabel = kChild | wm::kWsGroup | wm::kSsLeft;
constexpr std::uint32_t kTransparentRight = wm::kWsExRight | wm::kWsExTransparent;

using wm::kButtonClass;
using wm::kEditClass;
using wm::kStaticClass;
constexpr const char* kUpDownClass = "msctls_updown32";

constexpr ControlTemplate kMainControls[] = {
    {IDC_Y_EDIT, kEditClass, "", 50, 455, 20, 15, kEdit, kTransparentRight},
    {IDC_Y_SPIN, kUpDownClass, "Spin1", 70, 455, 9, 15, kSpin, 0},
    {IDC_HEIGHT_EDIT, kEditClass, "", 100, 455, 20, 15, kEdit, kTransparentRight},
    {IDC_HEIGHT_SPIN, kUpDownClass, "Spin1", 120, 455, 9, 15, kSpin, 0},
    {IDC_WIDTH_EDIT, kEditClass, "", 100, 440, 20, 15, kEdit, kTransparentRight},
    {IDC_WIDTH_SPIN, kUpDownClass, "Spin1", 120, 440, 9, 15, kSpin, 0},
    {IDC_X_EDIT, kEditClass, "", 50, 440, 20, 15, kEdit, kTransparentRight},
    {IDC_X_SPIN, kUpDownClass, "Spin1", 70, 440, 9, 15, kSpin, 0},
    {IDC_WINDOW_LIST, "LISTBOX", "", 0, 15, 205, 145,
     kChild | wm::kWsBorder | wm::kWsVScroll | wm::kWsTabStop | wm::kLbsNotify |
         wm::kLbsNoIntegralHeight,
     0},
    {IDC_REFRESH, kButtonClass, "一覧を更新", 140, 0, 65, 15, kButton, 0},
    {IDC_MINIMIZE, kButtonClass, "ウィンドウを最小化", 15, 191, 65, 15, kButton,
     wm::kWsExTransparent},
    {IDC_SHOW, kButtonClass, "ウィンドウを表示", 15, 206, 65, 15, kButton, wm::kWsExTransparent},
    {IDC_TOPMOST, kButtonClass, "常に手前に表示", 85, 191, 65, 15, kButton, wm::kWsExTransparent},
    {IDC_NOTOPMOST, kButtonClass, "手前に表示の解除", 85, 206, 65, 15, kButton,
     wm::kWsExTransparent},
    {IDC_FLASH, kButtonClass, "フラッシュ開始", 30, 355, 64, 14, kButton, 0},
    {IDC_CIRCLE, kButtonClass, "●形ウィンドウ", 15, 241, 65, 15, kButton, wm::kWsExTransparent},
    {IDC_STAR, kButtonClass, "★形ウィンドウ", 15, 255, 65, 15, kButton, wm::kWsExTransparent},
    {IDC_PLAIN_SHAPE, kButtonClass, "通常ウィンドウ", 85, 241, 65, 15, kButton,
     wm::kWsExTransparent},
    {IDC_RESIZABLE, kButtonClass, "可変ウィンドウ", 85, 255, 65, 15, kButton, wm::kWsExTransparent},
    {IDC_ALPHA_SLIDER, "msctls_trackbar32", "Slider2", 30, 341, 136, 15,
     kChild | wm::kWsGroup | wm::kWsTabStop | wm::kTbsBoth | wm::kTbsNoTicks, wm::kWsExTransparent},
    {IDC_ALPHA_EDIT, kEditClass, "", 105, 355, 25, 15, kEdit | wm::kWsGroup, kTransparentRight},
    {IDC_ALPHA_APPLY, kButtonClass, "実行", 135, 355, 35, 15, kButton | wm::kWsGroup,
     wm::kWsExTransparent},
    {IDC_TITLE_EDIT, kEditClass, "", 15, 401, 140, 15, kEdit, wm::kWsExTransparent},
    {IDC_TITLE_APPLY, kButtonClass, "実行", 160, 401, 35, 15, kButton, wm::kWsExTransparent},
    {IDC_EXIT, kButtonClass, "終了", 40, 485, 64, 13, kButton, 0},
    {IDC_ALPHA_GROUP, kButtonClass, "ウィンドウの透明化", 10, 331, 190, 45, kGroup | wm::kWsGroup,
     wm::kWsExTransparent},
    {IDC_TITLE_GROUP, kButtonClass, "ウィンドウタイトルの変更", 10, 385, 190, 45, kGroup,
     wm::kWsExTransparent},
    {IDC_TRANSPARENT_LABEL, kStaticClass, "透明", 15, 347, 15, 9, kLabel, wm::kWsExTransparent},
    {IDC_OPAQUE_LABEL, kStaticClass, "不透明", 170, 345, 22, 9, kLabel, wm::kWsExTransparent},
    {IDC_UNLOCK, kButtonClass, "ロックを解除", 15, 305, 65, 15, kButton, wm::kWsExTransparent},
    {IDC_LOCK, kButtonClass, "ウィンドウをロック", 15, 290, 65, 15, kButton, wm::kWsExTransparent},
    {IDC_TAB, "SysTabControl32", "Tab1", 5, 165, 200, 65, kChild, 0},
    {IDC_SHOW_GROUP, kButtonClass, "ウィンドウの表示設定", 10, 181, 190, 45, kGroup | wm::kWsGroup,
     wm::kWsExTransparent},
    {IDC_SHAPE_GROUP, kButtonClass, "ウィンドウの変形", 10, 231, 190, 45, kGroup,
     wm::kWsExTransparent},
    {IDC_LOCK_GROUP, kButtonClass, "ウィンドウのロック・ロック解除", 10, 281, 190, 45,
     kGroup | wm::kWsGroup, wm::kWsExTransparent},
    {IDC_Y_LABEL, kStaticClass, "左上Y座標", 15, 461, 35, 10, kLabel, wm::kWsExTransparent},
    {IDC_GEOMETRY_GROUP, kButtonClass, "ウィンドウサイズの変更", 10, 431, 190, 45,
     kGroup | wm::kWsGroup, wm::kWsExTransparent},
    {IDC_X_LABEL, kStaticClass, "左上X座標", 15, 445, 35, 10, kLabel, wm::kWsExTransparent},
    {IDC_WIDTH_LABEL, kStaticClass, "横幅", 85, 445, 15, 10, kLabel, wm::kWsExTransparent},
    {IDC_HEIGHT_LABEL, kStaticClass, "高さ", 85, 460, 15, 10, kLabel, wm::kWsExTransparent},
    {IDC_GEOMETRY_APPLY, kButtonClass, "サイズ変更", 155, 455, 40, 15,
     wm::kWsChild | wm::kWsTabStop | wm::kBsPushButton, wm::kWsExTransparent},
    {IDC_DOUBLE, kButtonClass, "× 2", 130, 455, 25, 15, kButton, wm::kWsExTransparent},
    {IDC_ORIGIN, kButtonClass, "座標(0,0)", 155, 440, 40, 15, kButton, wm::kWsExTransparent},
    {-1, kStaticClass, "稼働中のウィンドウ一覧", 5, 5, 70, 8, kLabel, 0},
    {IDC_HALVE, kButtonClass, "1 / 2", 130, 440, 25, 15, kButton, wm::kWsExTransparent},
    {IDC_SPARE, kButtonClass, "Button1", 85, 0, 50, 15,
     wm::kWsChild | wm::kWsTabStop | wm::kBsPushButton, 0},
};

constexpr const char* kDialogFont = "ＭＳ Ｐゴシック";

constexpr DialogTemplate kMainDialog = {
    IDD_MAIN,
    "Glazier",
    0,
    0,
    207,
    502,
    wm::kWsPopup | wm::kWsVisible | wm::kWsCaption | wm::kWsSysMenu | wm::kWsThickFrame |
        wm::kWsMinimizeBox | wm::kDsSetFont,
    wm::kWsExAppWindow,
    IDM_MAIN,
    9,
    kDialogFont,
    0,
    false,
    1,
    kMainControls,
};

constexpr ControlTemplate kVersionControls[] = {
    {1, kButtonClass, "OK", 94, 66, 50, 14, kChild | wm::kWsTabStop | wm::kBsDefPushButton, 0},
    {-1, kStaticClass, "Glazier", 34, 7, 28, 10, kChild | wm::kSsLeft, 0},
    // Three texts are a few units wider than their first layout: fonts standing in for the
    // dialog face draw Latin letters, and some draw the Japanese punctuation, wider than it does,
    // and the texts must show in full.
    {-1, kStaticClass, "Version 2.10", 64, 7, 44, 8, kChild | wm::kSsLeft, 0},
    {IDC_HOMEPAGE, kButtonClass, kHomePageUrl, 20, 47, 112, 12, kButton, 0},
    {-1, kStaticClass, "最新版、サポート等は", 20, 35, 72, 8, kChild | wm::kSsLeft, 0},
    {-1, kStaticClass, "Maked 2003/07/25", 78, 20, 68, 8, kChild | wm::kSsLeft, 0},
    {-1, kStaticClass, "", 11, 7, 20, 20, kChild | wm::kSsIcon, 0, IDI_APP},
};

constexpr DialogTemplate kVersionDialog = {
    IDD_VERSION,
    "ﾊﾞｰｼﾞｮﾝ情報",
    0,
    0,
    149,
    85,
    wm::kWsPopup | wm::kWsCaption | wm::kWsSysMenu | wm::kDsModalFrame | wm::kDsSetFont,
    0,
    0,
    9,
    kDialogFont,
    0,
    false,
    1,
    kVersionControls,
};

}  // namespace

const DialogTemplate& MainDialogTemplate() {
  return kMainDialog;
}

const DialogTemplate& VersionDialogTemplate() {
  return kVersionDialog;
}
