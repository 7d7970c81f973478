// Our dialog framework: the templates as the dialog manager builds them, and the modal run.
#include <algorithm>
#include <stdexcept>

#include "platform/win32/text.h"
#include "res/resource.h"
#include "res/templates.h"
#include "tests/common/harness.h"
#include "tests/common/window_info.h"
#include "tests/win32/probe_dialog.h"

using namespace harness;

namespace {

Rect WindowRect(HWND window) {
  return FromRect(OuterRect(window));
}

std::string MenuText(HMENU menu, UINT position) {
  wchar_t text[128] = {};
  ::GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
  return Narrow(text);
}

constexpr UINT kMarker = WM_APP + 1;

// Checks every control of a dialog against its template, in creation order.
void CheckControls(HWND dialog, const DialogTemplate& layout) {
  HWND child = ::GetWindow(dialog, GW_CHILD);
  for (const ControlTemplate& control : layout.controls) {
    CHECK(child != nullptr);
    if (!child) return;
    const std::string where = Format("control %d: ", control.id);
    CHECK_EQ(::GetDlgCtrlID(child), control.id);
    Check(::lstrcmpiA(ClassName(child).c_str(), control.className) == 0,
          where + "class " + ClassName(child));
    const auto style = static_cast<std::uint32_t>(::GetWindowLongW(child, GWL_STYLE));
    // The control's own style bits and visibility; the dialog manager may turn WS_BORDER into a
    // client edge.
    constexpr std::uint32_t kMask = 0xFFFF | WS_VISIBLE | WS_TABSTOP | WS_GROUP;
    CheckEqual(style & kMask, control.style & kMask, where + "style");
    if (control.iconResource != 0) {
      CHECK(::SendMessageW(child, STM_GETICON, 0, 0) != 0);
    } else {
      CheckEqual(WindowText(child), control.text, where + "text");
      CheckEqual(FromRect(RectInParent(child)), DialogUnitsToPixels(dialog, control),
                 where + "position");
    }
    child = ::GetWindow(child, GW_HWNDNEXT);
  }
  CHECK(child == nullptr);  // no control beyond the template's
}

}  // namespace

CASE(MainDialogIsBuiltFromItsTemplate) {
  ProbeDialog probe(MainDialogTemplate());
  probe.onInit = [](ProbeDialog& dialog) {
    HWND window = dialog.Window();
    const DialogTemplate& layout = MainDialogTemplate();
    CHECK_EQ(ClassName(window), "#32770");
    CHECK_EQ(WindowText(window), "Glazier");
    const auto style = static_cast<std::uint32_t>(::GetWindowLongW(window, GWL_STYLE));
    constexpr std::uint32_t kFrame =
        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    CHECK_EQ(style & kFrame, layout.style & kFrame);
    CHECK(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    CHECK(::GetWindow(window, GW_OWNER) == nullptr);

    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)), sizeof(font),
                 &font);
    CHECK_EQ(font.lfFaceName, L"ＭＳ Ｐゴシック");
    HDC screen = ::GetDC(nullptr);
    CHECK_EQ(font.lfHeight, -::MulDiv(9, ::GetDeviceCaps(screen, LOGPIXELSY), 72));
    ::ReleaseDC(nullptr, screen);
    CHECK_EQ(static_cast<int>(font.lfCharSet), DEFAULT_CHARSET);

    CheckControls(window, layout);
    dialog.Host().EndDialog(0);
  };
  CHECK_EQ(RunProbe(probe), 0);
}

CASE(MainDialogCarriesTheMenu) {
  ProbeDialog probe(MainDialogTemplate());
  probe.onInit = [](ProbeDialog& dialog) {
    HMENU bar = ::GetMenu(dialog.Window());
    CHECK(bar != nullptr);
    CHECK_EQ(::GetMenuItemCount(bar), 2);
    CHECK_EQ(MenuText(bar, 0), "ﾌｧｲﾙ (&F)");
    CHECK_EQ(MenuText(bar, 1), "ﾍﾙﾌﾟ (&H)");
    HMENU file = ::GetSubMenu(bar, 0);
    HMENU help = ::GetSubMenu(bar, 1);
    CHECK_EQ(::GetMenuItemCount(file), 1);
    CHECK_EQ(::GetMenuItemID(file, 0), static_cast<UINT>(ID_APP_EXIT_CMD));
    CHECK_EQ(MenuText(file, 0), "終了 (&X)");
    CHECK_EQ(::GetMenuItemCount(help), 2);
    CHECK_EQ(::GetMenuItemID(help, 0), static_cast<UINT>(ID_HELP_ONLINE));
    CHECK_EQ(MenuText(help, 0), "ｵﾝﾗｲﾝ ﾍﾙﾌﾟ (&O)");
    CHECK_EQ(::GetMenuItemID(help, 1), static_cast<UINT>(ID_HELP_VERSION));
    CHECK_EQ(MenuText(help, 1), "ﾊﾞｰｼﾞｮﾝ情報 (&V)");
    dialog.Host().EndDialog(0);
  };
  RunProbe(probe);
}

CASE(VersionDialogIsBuiltFromItsTemplate) {
  ProbeDialog probe(VersionDialogTemplate());
  probe.onInit = [](ProbeDialog& dialog) {
    CHECK_EQ(WindowText(dialog.Window()), "ﾊﾞｰｼﾞｮﾝ情報");
    CHECK(::GetMenu(dialog.Window()) == nullptr);
    CheckControls(dialog.Window(), VersionDialogTemplate());
    dialog.Host().EndDialog(0);
  };
  RunProbe(probe);
}

CASE(DialogIsAttachedBeforeItsCreationSizeEvent) {
  ProbeDialog probe(MainDialogTemplate());
  probe.onInit = [](ProbeDialog& dialog) { dialog.Host().EndDialog(0); };
  RunProbe(probe);
  CHECK(probe.events.size() >= 2);
  if (probe.events.size() >= 2) {
    CHECK_EQ(probe.events[0], "size");
    CHECK_EQ(probe.events[1], "init");
  }
  CHECK(!probe.IsAttached());  // detached when its window went away
}

CASE(UnownedDialogIsCentredOnTheWorkAreaAfterInit) {
  Rect duringInit;
  Rect afterInit;
  ProbeDialog probe(MainDialogTemplate());
  probe.onInit = [&](ProbeDialog& dialog) {
    duringInit = WindowRect(dialog.Window());
    ::PostMessageW(dialog.Window(), kMarker, 0, 0);
  };
  probe.onMessage = [&](ProbeDialog& dialog, const MSG& message) {
    if (message.message != kMarker) return false;
    afterInit = WindowRect(dialog.Window());
    const Rect area = FromRect(WorkAreaOf(dialog.Window()));
    const Point origin = CenteredOrigin(afterInit, area, area);
    CHECK_EQ((Point{afterInit.left, afterInit.top}), origin);
    dialog.Host().EndDialog(0);
    return true;
  };
  RunProbe(probe);
  CHECK_EQ((Point{duringInit.left, duringInit.top}), (Point{0, 0}));
  CHECK_EQ(afterInit.Width(), duringInit.Width());
}

CASE(DialogMovedByInitIsNotCentred) {
  ProbeDialog probe(MainDialogTemplate());
  probe.onInit = [](ProbeDialog& dialog) {
    ::SetWindowPos(dialog.Window(), nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::PostMessageW(dialog.Window(), kMarker, 0, 0);
  };
  probe.onMessage = [](ProbeDialog& dialog, const MSG& message) {
    if (message.message != kMarker) return false;
    const Rect rect = WindowRect(dialog.Window());
    CHECK_EQ((Point{rect.left, rect.top}), (Point{30, 40}));
    dialog.Host().EndDialog(0);
    return true;
  };
  RunProbe(probe);
}

CASE(EnterReachesOnOkAndEscAndCloseReachOnCancel) {
  struct Case {
    UINT message;
    WPARAM key;
    int result;
    const char* event;
  };
  const Case cases[] = {
      {WM_KEYDOWN, VK_RETURN, IDOK, "ok"},
      {WM_KEYDOWN, VK_ESCAPE, IDCANCEL, "cancel"},
      {WM_CLOSE, 0, IDCANCEL, "cancel"},
  };
  for (const Case& c : cases) {
    ProbeDialog probe(MainDialogTemplate());
    probe.onInit = [&c](ProbeDialog& dialog) {
      // Keys go to a control, as the keyboard would send them; the close request to the dialog.
      HWND target = c.message == WM_KEYDOWN ? dialog.Item(IDC_TITLE_EDIT) : dialog.Window();
      ::PostMessageW(target, c.message, c.key, 0);
    };
    CHECK_EQ(RunProbe(probe), c.result);
    CHECK(probe.Saw(c.event));
    CHECK(probe.Saw("command " + std::to_string(c.result) + " 0"));
  }
}

CASE(PreTranslateMessageSeesEveryMessageOfTheLoop) {
  std::vector<UINT> seen;
  ProbeDialog probe(MainDialogTemplate());
  probe.onInit = [](ProbeDialog& dialog) {
    ::PostMessageW(dialog.Window(), WM_APP + 10, 0, 0);
    ::PostMessageW(dialog.Item(IDC_X_EDIT), WM_APP + 11, 0, 0);
    ::PostThreadMessageW(::GetCurrentThreadId(), WM_APP + 12, 0, 0);
    ::SetTimer(dialog.Window(), 5, 10, nullptr);
  };
  probe.onMessage = [&seen](ProbeDialog&, const MSG& message) {
    seen.push_back(message.message);
    return false;  // not consumed: dispatched as usual
  };
  probe.onTimer = [](ProbeDialog& dialog, unsigned) {
    ::KillTimer(dialog.Window(), 5);
    dialog.Host().EndDialog(0);
  };
  RunProbe(probe);
  for (UINT message : {UINT{WM_APP + 10}, UINT{WM_APP + 11}, UINT{WM_APP + 12}, UINT{WM_TIMER}}) {
    CHECK(std::find(seen.begin(), seen.end(), message) != seen.end());
  }
  CHECK(probe.Saw("timer 5"));  // the timer was pre-translated and still dispatched
}

CASE(ChildDialogDisablesItsOwnerWhileItRuns) {
  ProbeDialog main(MainDialogTemplate());
  ProbeDialog child(VersionDialogTemplate());
  std::vector<UINT> seenByMain;
  int childResult = 0;
  SetMainDialog(&main);
  main.onInit = [](ProbeDialog& dialog) { ::PostMessageW(dialog.Window(), kMarker, 0, 0); };
  main.onMessage = [&](ProbeDialog& dialog, const MSG& message) {
    seenByMain.push_back(message.message);
    if (message.message != kMarker) return false;
    childResult = dialog.Host().RunModal(child);
    CHECK(::IsWindowEnabled(dialog.Window()));
    dialog.Host().EndDialog(0);
    return true;
  };
  child.onInit = [&](ProbeDialog& dialog) {
    CHECK(::GetWindow(dialog.Window(), GW_OWNER) == main.Window());
    CHECK(!::IsWindowEnabled(main.Window()));
    ::PostMessageW(dialog.Window(), WM_APP + 21, 0, 0);
    ::PostMessageW(dialog.Window(), WM_APP + 20, 0, 0);
  };
  child.onMessage = [&](ProbeDialog& dialog, const MSG& message) {
    if (message.message != WM_APP + 20) return false;
    CHECK(::IsWindowVisible(dialog.Window()));
    // Centred over its owner, inside the work area.
    const Rect rect = WindowRect(dialog.Window());
    const Point origin =
        CenteredOrigin(rect, WindowRect(main.Window()), FromRect(WorkAreaOf(main.Window())));
    CHECK_EQ((Point{rect.left, rect.top}), origin);
    dialog.Host().EndDialog(7);
    return true;
  };
  RunProbe(main);
  SetMainDialog(nullptr);
  CHECK_EQ(childResult, 7);
  CHECK(!child.IsAttached());
  // The main dialog pre-translates the child's messages too, unless the child consumed them.
  CHECK(std::find(seenByMain.begin(), seenByMain.end(), WM_APP + 21) != seenByMain.end());
  CHECK(std::find(seenByMain.begin(), seenByMain.end(), WM_APP + 20) == seenByMain.end());
}

CASE(ExceptionInAHandlerStopsAtTheWindowProcedure) {
  int ticks = 0;
  ProbeDialog probe(MainDialogTemplate());
  probe.onInit = [](ProbeDialog& dialog) { ::SetTimer(dialog.Window(), 3, 10, nullptr); };
  probe.onTimer = [&ticks](ProbeDialog& dialog, unsigned) {
    if (++ticks == 1) throw std::runtime_error("handler failed");
    ::KillTimer(dialog.Window(), 3);
    dialog.Host().EndDialog(0);
  };
  CHECK_EQ(RunProbe(probe), 0);
  CHECK_EQ(ticks, 2);
}
