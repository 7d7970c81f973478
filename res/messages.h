// Every text the program reports or shows on its own, in one place.
#pragma once

namespace msg {
// Selection rule: one text per command when no row is selected.
inline constexpr const char* kSelectToMinimize = "最小化するウィンドウを選択してください。";
inline constexpr const char* kSelectToShow = "表示するウィンドウを選択してください。";
inline constexpr const char* kSelectTarget = "対象となるウィンドウを選択してください。";
inline constexpr const char* kSelectToReshape = "変更対象となるウィンドウを選択してください。";
inline constexpr const char* kSelectForOpacity = "透明化するウィンドウを選択してください。";
inline constexpr const char* kSelectToFlash = "Flashするウィンドウを選択してください。";
inline constexpr const char* kSelectToRetitle =
    "タイトル文字列を変更するウィンドウを選択してください。";
inline constexpr const char* kSelectToResize = "サイズ変更を行うウィンドウを選択してください。";

// Opacity input.
inline constexpr const char* kOpacityEmpty = "透明度を指定してください。";
inline constexpr const char* kOpacityNotNumber = "透明度には 0 から 255 の数値を指定してください。";
inline constexpr const char* kOpacityOutOfRange = "透明度は 0 から 255 の間で指定してください。";
inline constexpr const char* kOpacityUnsupported =
    "このOSではダイアログの透明化がサポートされておりません。\n"
    "（サポートされているOSは　Windows 2000/XP となっています。）";
inline constexpr const char* kOpacityReset = "255";

// A command whose calls on its window failed.
inline constexpr const char* kWindowClosed =
    "選択したウィンドウは既に閉じられています。一覧を更新します。";
inline constexpr const char* kChangeDenied =
    "このウィンドウは変更できませんでした。管理者として実行されているプログラムのウィンドウを変更"
    "するには、Glazier も管理者として実行してください。";
inline constexpr const char* kChangeFailed = "このウィンドウは変更できませんでした。";
// Locking the panel itself would leave nothing to unlock it with.
inline constexpr const char* kCannotLockSelf =
    "Glazier 自身をロックすると操作できなくなるため、ロックできません。";

// The list's shortcut menu. The first item names what it puts back: "元に戻す（形・タイトル）(&U)".
inline constexpr const char* kRestore = "元に戻す(&U)";
inline constexpr const char* kRestoreNamed = "元に戻す（%s）(&U)";
inline constexpr const char* kRestoreAll = "変更したすべてのウィンドウを元に戻す(&A)";
// What "元に戻す" cannot put back (a window that draws its own transparency, say), named as the
// menu names it: "このウィンドウの透明度は元に戻せません。".
inline constexpr const char* kCannotRestore = "このウィンドウの%sは元に戻せません。";
// The aspects that "元に戻す" names, in the order of their bits (always on top first).
inline constexpr const char* kAspectNames[] = {"手前に表示", "ロック",   "枠",          "形",
                                               "透明度",     "タイトル", "位置とサイズ"};

// Flash button captions.
inline constexpr const char* kFlashStart = "フラッシュ開始";
inline constexpr const char* kFlashStop = "フラッシュ停止";

// MCI commands of the CD-tray commands.
inline constexpr const char* kCdTrayOpen = "set cdaudio door open";
inline constexpr const char* kCdTrayClose = "set cdaudio door closed";
}  // namespace msg
