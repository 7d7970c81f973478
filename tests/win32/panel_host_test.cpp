// The panel host on a real dialog: controls, tooltip, message box.
#include <string>

#include "platform/win32/panel_host.h"
#include "res/resource.h"
#include "res/templates.h"
#include "tests/common/harness.h"
#include "tests/common/window_info.h"
#include "tests/win32/probe_dialog.h"

using namespace harness;

namespace {

constexpr int kEnChange = 0x0300;

std::string ChangeOf(int id) {
  return "command " + std::to_string(id) + " " + std::to_string(kEnChange);
}

// Runs the main template with `body` as its start-up, then ends it.
template <typename Body>
void WithMainDialog(Body body) {
  ProbeDialog probe(MainDialogTemplate());
  probe.onInit = [&body](ProbeDialog& dialog) {
    body(dialog, dialog.Host());
    dialog.Host().EndDialog(0);
  };
  RunProbe(probe);
}

// The message box shown while a test runs: its window, caption and owner, taken when it is
// activated.
struct MessageBoxSpy {
  static inline HHOOK hook = nullptr;
  static inline HWND dialog = nullptr;
  static inline HWND box = nullptr;
  static inline std::string caption;
  static inline HWND owner = nullptr;

  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && window != dialog && !box) {
      box = window;
      caption = WindowText(window);
      owner = ::GetWindow(window, GW_OWNER);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }
  explicit MessageBoxSpy(HWND ownerDialog) {
    dialog = ownerDialog;
    box = nullptr;
    caption.clear();
    owner = nullptr;
    hook = ::SetWindowsHookExW(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
  }
  ~MessageBoxSpy() { ::UnhookWindowsHookEx(hook); }
};

}  // namespace

CASE(EditTextChangesNotifySynchronously) {
  WithMainDialog([](ProbeDialog& dialog, IPanelHost& host) {
    host.SetDlgItemText(IDC_X_EDIT, "123");
    CHECK(dialog.Saw(ChangeOf(IDC_X_EDIT)));  // before SetDlgItemText returned
    CHECK_EQ(host.GetDlgItemText(IDC_X_EDIT), "123");
    // The whole text, however long.
    std::string title;
    for (int i = 0; i < 1000; ++i) title += "ガラス";
    host.SetDlgItemText(IDC_TITLE_EDIT, title);
    CHECK_EQ(host.GetDlgItemText(IDC_TITLE_EDIT), title);
    CHECK_EQ(host.GetDlgItemText(12345), "");  // no such control
  });
}

CASE(UpDownWritesItsPositionIntoTheBuddy) {
  WithMainDialog([](ProbeDialog& dialog, IPanelHost& host) {
    host.UpDownSetBuddy(IDC_WIDTH_SPIN, host.GetDlgItem(IDC_WIDTH_EDIT));
    host.UpDownSetBase(IDC_WIDTH_SPIN, 10);
    host.UpDownSetRange(IDC_WIDTH_SPIN, -32000, 32000);
    const int changesBefore = dialog.Count(ChangeOf(IDC_WIDTH_EDIT));
    host.UpDownSetPos(IDC_WIDTH_SPIN, 1234);
    CHECK_EQ(host.GetDlgItemText(IDC_WIDTH_EDIT), "1234");  // no separators
    CHECK(dialog.Count(ChangeOf(IDC_WIDTH_EDIT)) > changesBefore);
    host.UpDownSetPos(IDC_WIDTH_SPIN, -5);
    CHECK_EQ(host.GetDlgItemText(IDC_WIDTH_EDIT), "-5");
    const LRESULT range = ::SendMessageW(dialog.Item(IDC_WIDTH_SPIN), UDM_GETRANGE, 0, 0);
    CHECK_EQ(static_cast<short>(HIWORD(range)), -32000);
    CHECK_EQ(static_cast<short>(LOWORD(range)), 32000);
  });
}

CASE(TrackbarPositionFromCodeNotifiesNobody) {
  WithMainDialog([](ProbeDialog& dialog, IPanelHost& host) {
    host.TrackbarSetRangeMin(IDC_ALPHA_SLIDER, false, 0);
    host.TrackbarSetRangeMax(IDC_ALPHA_SLIDER, false, 255);
    const std::size_t before = dialog.events.size();
    host.TrackbarSetPos(IDC_ALPHA_SLIDER, true, 200);
    CHECK_EQ(host.TrackbarGetPos(IDC_ALPHA_SLIDER), 200);
    CHECK_EQ(dialog.events.size(), before);
  });
}

CASE(ListBoxKeepsRowsWhereTheyAreInserted) {
  WithMainDialog([](ProbeDialog& dialog, IPanelHost& host) {
    CHECK_EQ(host.ListInsertString(IDC_WINDOW_LIST, 0, "b"), 0);
    CHECK_EQ(host.ListInsertString(IDC_WINDOW_LIST, 1, "a"), 1);
    CHECK_EQ(host.ListInsertString(IDC_WINDOW_LIST, 1, "無題 - メモ帳"), 1);
    CHECK_EQ(host.ListGetCount(IDC_WINDOW_LIST), 3);
    CHECK_EQ(host.ListGetText(IDC_WINDOW_LIST, 0), "b");
    CHECK_EQ(host.ListGetText(IDC_WINDOW_LIST, 1), "無題 - メモ帳");
    CHECK_EQ(host.ListGetText(IDC_WINDOW_LIST, 2), "a");
    CHECK_EQ(host.ListGetText(IDC_WINDOW_LIST, 3), "");
    CHECK_EQ(host.ListGetCurSel(IDC_WINDOW_LIST), -1);
    // A selection set and cleared from code notifies nobody.
    const std::size_t before = dialog.events.size();
    host.ListSetCurSel(IDC_WINDOW_LIST, 2);
    CHECK_EQ(host.ListGetCurSel(IDC_WINDOW_LIST), 2);
    host.ListDeleteString(IDC_WINDOW_LIST, 1);
    CHECK_EQ(host.ListGetText(IDC_WINDOW_LIST, 1), "a");
    CHECK_EQ(host.ListGetCurSel(IDC_WINDOW_LIST), 1);
    host.ListSetCurSel(IDC_WINDOW_LIST, -1);
    CHECK_EQ(host.ListGetCurSel(IDC_WINDOW_LIST), -1);
    CHECK_EQ(host.ListGetCaretIndex(IDC_WINDOW_LIST), 1);  // the focus stays on the row
    host.ListSetCaretIndex(IDC_WINDOW_LIST, 0);
    CHECK_EQ(host.ListGetCaretIndex(IDC_WINDOW_LIST), 0);
    CHECK_EQ(dialog.events.size(), before);
    host.ListResetContent(IDC_WINDOW_LIST);
    CHECK_EQ(host.ListGetCount(IDC_WINDOW_LIST), 0);
  });
}

CASE(TabControlTakesTextItems) {
  WithMainDialog([](ProbeDialog& dialog, IPanelHost& host) {
    CHECK_EQ(host.TabGetCurSel(IDC_TAB), -1);
    const char* captions[] = {"表示", "変形", "ロック", "透明化", "タイトル", "位置・サイズ"};
    for (int i = 0; i < 6; ++i) host.TabInsertItem(IDC_TAB, i, captions[i]);
    CHECK_EQ(::SendMessageW(dialog.Item(IDC_TAB), TCM_GETITEMCOUNT, 0, 0), 6);
    CHECK_EQ(host.TabGetCurSel(IDC_TAB), 0);
    wchar_t text[32] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 32;
    ::SendMessageW(dialog.Item(IDC_TAB), TCM_GETITEMW, 5, reinterpret_cast<LPARAM>(&item));
    CHECK_EQ(text, L"位置・サイズ");
  });
}

CASE(TooltipIsOwnedByTheDialogAndKnowsEachTool) {
  ProbeDialog probe(MainDialogTemplate());
  HWND tip = nullptr;
  probe.onInit = [&tip](ProbeDialog& dialog) {
    IPanelHost& host = dialog.Host();
    host.TooltipCreate();
    tip = static_cast<CWin32PanelHost&>(host).TooltipWindow();
    CHECK(tip != nullptr);
    if (!tip) return dialog.Host().EndDialog(0);
    CHECK_EQ(ClassName(tip), "tooltips_class32");
    CHECK(::GetWindow(tip, GW_OWNER) == dialog.Window());
    CHECK(::GetWindowLongW(tip, GWL_STYLE) & WS_POPUP);

    host.TooltipSetBkColor(0x00FF0000);
    host.TooltipSetTextColor(0x00FFFFFF);
    CHECK_EQ(::SendMessageW(tip, TTM_GETTIPBKCOLOR, 0, 0), 0x00FF0000);
    CHECK_EQ(::SendMessageW(tip, TTM_GETTIPTEXTCOLOR, 0, 0), 0x00FFFFFF);

    host.TooltipAddTool(host.GetDlgItem(IDC_REFRESH), "ウィンドウリストの一覧を更新します。");
    host.TooltipAddTool(host.GetDlgItem(IDC_X_EDIT), "ウィンドウの左端座標を指定します。");
    host.TooltipActivate(true);
    CHECK_EQ(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 2);

    wchar_t text[128] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = dialog.Window();
    tool.uId = reinterpret_cast<UINT_PTR>(dialog.Item(IDC_REFRESH));
    tool.lpszText = text;
    CHECK(::SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)));
    CHECK_EQ(text, L"ウィンドウリストの一覧を更新します。");
    CHECK_EQ(tool.uFlags & (TTF_IDISHWND | TTF_SUBCLASS), static_cast<UINT>(TTF_IDISHWND));

    MSG move{dialog.Item(IDC_REFRESH), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), 0, {}};
    host.TooltipRelayEvent(PlatformMessage{&move});
    dialog.Host().EndDialog(0);
  };
  RunProbe(probe);
  CHECK(!::IsWindow(tip));  // gone with its owner
}

CASE(ControlPlacementIsInClientCoordinates) {
  WithMainDialog([](ProbeDialog& dialog, IPanelHost& host) {
    const Rect expected =
        DialogUnitsToPixels(dialog.Window(), *MainDialogTemplate().Find(IDC_SHOW_GROUP));
    Rect placement;
    CHECK(host.GetWindowPlacement(host.GetDlgItem(IDC_SHOW_GROUP), placement));
    CHECK_EQ(placement, expected);
    // Moved with HWND_BOTTOM and SWP_NOSIZE, the way the layout moves it.
    host.SetWindowPos(host.GetDlgItem(IDC_SHOW_GROUP), wm::kHwndBottom, 12, 34, 0, 0,
                      wm::kSwpNoSize);
    CHECK(host.GetWindowPlacement(host.GetDlgItem(IDC_SHOW_GROUP), placement));
    CHECK_EQ(placement.left, 12);
    CHECK_EQ(placement.top, 34);
    CHECK_EQ(placement.Width(), expected.Width());
    CHECK(::GetWindow(dialog.Window(), GW_CHILD) != dialog.Item(IDC_SHOW_GROUP));
    CHECK(::GetWindow(dialog.Item(IDC_SHOW_GROUP), GW_HWNDNEXT) == nullptr);
  });
}

CASE(IconsAndSizeEventsReachTheDialog) {
  WithMainDialog([](ProbeDialog& dialog, IPanelHost& host) {
    const IconHandle icon = host.LoadIcon(IDI_APP);
    CHECK(icon != 0);
    host.SetIcon(icon, true);
    host.SetIcon(icon, false);
    CHECK_EQ(::SendMessageW(dialog.Window(), WM_GETICON, ICON_BIG, 0), static_cast<LRESULT>(icon));
    CHECK_EQ(::SendMessageW(dialog.Window(), WM_GETICON, ICON_SMALL, 0),
             static_cast<LRESULT>(icon));
    const int sizes = dialog.Count("size");
    host.SetWindowPos(host.DialogWindow(), wm::kHwndBottom, 0, 0, 300, 400, wm::kSwpNoMove);
    CHECK_EQ(dialog.Count("size"), sizes + 1);      // delivered before SetWindowPos returned
    CHECK(::GetActiveWindow() != dialog.Window());  // hidden still: showing it activates it
    Rect client;
    CHECK(host.GetClientRect(client));
    CHECK(client.Width() > 0 && client.Width() < 300);
    CHECK(!host.IsIconic());
  });
}

CASE(MessageBoxHasTheAppTitleAndLetsTimersTick) {
  ProbeDialog probe(MainDialogTemplate());
  int ticksDuringBox = 0;
  probe.onInit = [](ProbeDialog& dialog) { ::PostMessageW(dialog.Window(), WM_APP, 0, 0); };
  probe.onMessage = [&](ProbeDialog& dialog, const MSG& message) {
    if (message.message != WM_APP) return false;
    MessageBoxSpy spy(dialog.Window());
    dialog.Host().SetTimer(9, 20);
    dialog.Host().MessageBox("対象となるウィンドウを選択してください。");
    dialog.Host().KillTimer(9);
    CHECK_EQ(MessageBoxSpy::caption, "glazier_win32_tests");
    CHECK(MessageBoxSpy::owner == dialog.Window());
    dialog.Host().EndDialog(0);
    return true;
  };
  probe.onTimer = [&](ProbeDialog&, unsigned id) {
    if (id != 9 || !MessageBoxSpy::box) return;
    if (++ticksDuringBox == 3) ::PostMessageW(MessageBoxSpy::box, WM_COMMAND, IDOK, 0);
  };
  RunProbe(probe);
  CHECK(ticksDuringBox >= 3);
}
