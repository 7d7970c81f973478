#include "res/templates.h"

#include "res/resource.h"

namespace {

// Window and control style bits, as the platform defines them.
constexpr std::uint32_t WS_POPUP = 0x80000000;
constexpr std::uint32_t WS_CHILD = 0x40000000;
constexpr std::uint32_t WS_VISIBLE = 0x10000000;
constexpr std::uint32_t WS_CAPTION = 0x00C00000;
constexpr std::uint32_t WS_BORDER = 0x00800000;
constexpr std::uint32_t WS_VSCROLL = 0x00200000;
constexpr std::uint32_t WS_SYSMENU = 0x00080000;
constexpr std::uint32_t WS_THICKFRAME = 0x00040000;
constexpr std::uint32_t WS_GROUP = 0x00020000;
constexpr std::uint32_t WS_MINIMIZEBOX = 0x00020000;
constexpr std::uint32_t WS_TABSTOP = 0x00010000;
constexpr std::uint32_t DS_MODALFRAME = 0x80;
constexpr std::uint32_t DS_SETFONT = 0x40;
constexpr std::uint32_t WS_EX_APPWINDOW = 0x00040000;
constexpr std::uint32_t WS_EX_RIGHT = 0x1000;
constexpr std::uint32_t WS_EX_TRANSPARENT = 0x20;
constexpr std::uint32_t ES_AUTOHSCROLL = 0x80;
constexpr std::uint32_t BS_PUSHBUTTON = 0x0;
constexpr std::uint32_t BS_DEFPUSHBUTTON = 0x1;
constexpr std::uint32_t BS_GROUPBOX = 0x7;
constexpr std::uint32_t SS_LEFT = 0x0;
constexpr std::uint32_t SS_ICON = 0x3;
constexpr std::uint32_t LBS_NOTIFY = 0x1;
constexpr std::uint32_t LBS_NOINTEGRALHEIGHT = 0x100;
constexpr std::uint32_t UDS_SETBUDDYINT = 0x2;
constexpr std::uint32_t UDS_AUTOBUDDY = 0x10;
constexpr std::uint32_t UDS_ARROWKEYS = 0x20;
// Positions of 1000 and more go into the buddy edits as plain digits, which is what the
// geometry reading expects.
constexpr std::uint32_t UDS_NOTHOUSANDS = 0x80;
constexpr std::uint32_t TBS_BOTH = 0x8;
constexpr std::uint32_t TBS_NOTICKS = 0x10;

constexpr std::uint32_t kChild = WS_CHILD | WS_VISIBLE;
constexpr std::uint32_t kEdit = kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr std::uint32_t kSpin =
    kChild | UDS_ARROWKEYS | UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_NOTHOUSANDS;
constexpr std::uint32_t kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;
constexpr std::uint32_t kGroup = kChild | BS_GROUPBOX;
constexpr std::uint32_t kLabel = kChild | WS_GROUP | SS_LEFT;
constexpr std::uint32_t kTransparentRight = WS_EX_RIGHT | WS_EX_TRANSPARENT;

constexpr const char* kEditClass = "EDIT";
constexpr const char* kButtonClass = "BUTTON";
constexpr const char* kStaticClass = "STATIC";
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
     kChild | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0},
    {IDC_REFRESH, kButtonClass, "一覧を更新", 140, 0, 65, 15, kButton, 0},
    {IDC_MINIMIZE, kButtonClass, "ウィンドウを最小化", 15, 191, 65, 15, kButton, WS_EX_TRANSPARENT},
    {IDC_SHOW, kButtonClass, "ウィンドウを表示", 15, 206, 65, 15, kButton, WS_EX_TRANSPARENT},
    {IDC_TOPMOST, kButtonClass, "常に手前に表示", 85, 191, 65, 15, kButton, WS_EX_TRANSPARENT},
    {IDC_NOTOPMOST, kButtonClass, "手前に表示の解除", 85, 206, 65, 15, kButton, WS_EX_TRANSPARENT},
    {IDC_FLASH, kButtonClass, "フラッシュ開始", 30, 355, 64, 14, kButton, 0},
    {IDC_CIRCLE, kButtonClass, "●形ウィンドウ", 15, 241, 65, 15, kButton, WS_EX_TRANSPARENT},
    {IDC_STAR, kButtonClass, "★形ウィンドウ", 15, 255, 65, 15, kButton, WS_EX_TRANSPARENT},
    {IDC_PLAIN_SHAPE, kButtonClass, "通常ウィンドウ", 85, 241, 65, 15, kButton, WS_EX_TRANSPARENT},
    {IDC_RESIZABLE, kButtonClass, "可変ウィンドウ", 85, 255, 65, 15, kButton, WS_EX_TRANSPARENT},
    {IDC_ALPHA_SLIDER, "msctls_trackbar32", "Slider2", 30, 341, 136, 15,
     kChild | WS_GROUP | WS_TABSTOP | TBS_BOTH | TBS_NOTICKS, WS_EX_TRANSPARENT},
    {IDC_ALPHA_EDIT, kEditClass, "", 105, 355, 25, 15, kEdit | WS_GROUP, kTransparentRight},
    {IDC_ALPHA_APPLY, kButtonClass, "実行", 135, 355, 35, 15, kButton | WS_GROUP,
     WS_EX_TRANSPARENT},
    {IDC_TITLE_EDIT, kEditClass, "", 15, 401, 140, 15, kEdit, WS_EX_TRANSPARENT},
    {IDC_TITLE_APPLY, kButtonClass, "実行", 160, 401, 35, 15, kButton, WS_EX_TRANSPARENT},
    {IDC_EXIT, kButtonClass, "終了", 40, 485, 64, 13, kButton, 0},
    {IDC_ALPHA_GROUP, kButtonClass, "ウィンドウの透明化", 10, 331, 190, 45, kGroup | WS_GROUP,
     WS_EX_TRANSPARENT},
    {IDC_TITLE_GROUP, kButtonClass, "ウィンドウタイトルの変更", 10, 385, 190, 45, kGroup,
     WS_EX_TRANSPARENT},
    {IDC_TRANSPARENT_LABEL, kStaticClass, "透明", 15, 347, 15, 9, kLabel, WS_EX_TRANSPARENT},
    {IDC_OPAQUE_LABEL, kStaticClass, "不透明", 170, 345, 22, 9, kLabel, WS_EX_TRANSPARENT},
    {IDC_UNLOCK, kButtonClass, "ロックを解除", 15, 305, 65, 15, kButton, WS_EX_TRANSPARENT},
    {IDC_LOCK, kButtonClass, "ウィンドウをロック", 15, 290, 65, 15, kButton, WS_EX_TRANSPARENT},
    {IDC_TAB, "SysTabControl32", "Tab1", 5, 165, 200, 65, kChild, 0},
    {IDC_SHOW_GROUP, kButtonClass, "ウィンドウの表示設定", 10, 181, 190, 45, kGroup | WS_GROUP,
     WS_EX_TRANSPARENT},
    {IDC_SHAPE_GROUP, kButtonClass, "ウィンドウの変形", 10, 231, 190, 45, kGroup,
     WS_EX_TRANSPARENT},
    {IDC_LOCK_GROUP, kButtonClass, "ウィンドウのロック・ロック解除", 10, 281, 190, 45,
     kGroup | WS_GROUP, WS_EX_TRANSPARENT},
    {IDC_Y_LABEL, kStaticClass, "左上Y座標", 15, 461, 35, 10, kLabel, WS_EX_TRANSPARENT},
    {IDC_GEOMETRY_GROUP, kButtonClass, "ウィンドウサイズの変更", 10, 431, 190, 45,
     kGroup | WS_GROUP, WS_EX_TRANSPARENT},
    {IDC_X_LABEL, kStaticClass, "左上X座標", 15, 445, 35, 10, kLabel, WS_EX_TRANSPARENT},
    {IDC_WIDTH_LABEL, kStaticClass, "横幅", 85, 445, 15, 10, kLabel, WS_EX_TRANSPARENT},
    {IDC_HEIGHT_LABEL, kStaticClass, "高さ", 85, 460, 15, 10, kLabel, WS_EX_TRANSPARENT},
    {IDC_GEOMETRY_APPLY, kButtonClass, "サイズ変更", 155, 455, 40, 15,
     WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, WS_EX_TRANSPARENT},
    {IDC_DOUBLE, kButtonClass, "× 2", 130, 455, 25, 15, kButton, WS_EX_TRANSPARENT},
    {IDC_ORIGIN, kButtonClass, "座標(0,0)", 155, 440, 40, 15, kButton, WS_EX_TRANSPARENT},
    {-1, kStaticClass, "稼働中のウィンドウ一覧", 5, 5, 70, 8, kLabel, 0},
    {IDC_HALVE, kButtonClass, "1 / 2", 130, 440, 25, 15, kButton, WS_EX_TRANSPARENT},
    {IDC_SPARE, kButtonClass, "Button1", 85, 0, 50, 15, WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, 0},
};

constexpr const char* kDialogFont = "ＭＳ Ｐゴシック";

constexpr DialogTemplate kMainDialog = {
    IDD_MAIN,
    "Glazier",
    0,
    0,
    207,
    502,
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | DS_SETFONT,
    WS_EX_APPWINDOW,
    IDM_MAIN,
    9,
    kDialogFont,
    0,
    false,
    1,
    kMainControls,
};

constexpr ControlTemplate kVersionControls[] = {
    {1, kButtonClass, "OK", 94, 66, 50, 14, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
    {-1, kStaticClass, "Glazier", 34, 7, 28, 10, kChild | SS_LEFT, 0},
    // Three texts are a few units wider than their first layout: fonts standing in for the
    // dialog face draw Latin letters, and some draw the Japanese punctuation, wider than it does,
    // and the texts must show in full.
    {-1, kStaticClass, "Version 2.10", 64, 7, 44, 8, kChild | SS_LEFT, 0},
    {IDC_HOMEPAGE, kButtonClass, kHomePageUrl, 20, 47, 112, 12, kButton, 0},
    {-1, kStaticClass, "最新版、サポート等は", 20, 35, 72, 8, kChild | SS_LEFT, 0},
    {-1, kStaticClass, "Maked 2003/07/25", 78, 20, 68, 8, kChild | SS_LEFT, 0},
    {-1, kStaticClass, "", 11, 7, 20, 20, kChild | SS_ICON, 0, IDI_APP},
};

constexpr DialogTemplate kVersionDialog = {
    IDD_VERSION,
    "ﾊﾞｰｼﾞｮﾝ情報",
    0,
    0,
    149,
    85,
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
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
