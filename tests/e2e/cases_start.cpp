// Start-up (also beside planted libraries), the window list, the exits, the menu, the message box
// caption, the controls and the tooltips of the main dialog.
#include <windows.h>

// commctrl.h and psapi.h (whose functions are kernel32's) build on windows.h.
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <string>
#include <vector>

#include "glazier.h"
#include "res/messages.h"
#include "res/resource.h"
#include "res/templates.h"
#include "tests/common/harness.h"

using namespace e2e;

namespace {

bool CaseInsensitiveEqual(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

void CheckEndsWithCode0(Glazier& glazier, const char* how) {
  const auto code = glazier.App().WaitExit(5000);
  Check(code.has_value(), Format("%s ends the process", how));
  if (code) CheckEqual(static_cast<long long>(*code), 0, "exit status");
}

// The folder a process loaded the module of that file name from; empty when it has none.
std::wstring FolderOfModule(HANDLE process, const std::wstring& file) {
  HMODULE modules[512] = {};
  DWORD bytes = 0;
  if (!EnumProcessModules(process, modules, sizeof modules, &bytes)) return {};
  for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i) {
    wchar_t path[MAX_PATH] = L"";
    const std::wstring loaded(path, GetModuleFileNameExW(process, modules[i], path, MAX_PATH));
    const std::size_t slash = loaded.find_last_of(L'\\');
    if (slash != std::wstring::npos && _wcsicmp(loaded.c_str() + slash + 1, file.c_str()) == 0) {
      return loaded.substr(0, slash);
    }
  }
  return {};
}

}  // namespace

CASE(rows_follow_the_z_order) {
  Notepad notepad = StartNotepad(20, 620, 420, 300);
  const std::string twin = UniqueTitle("E2E 同じ題名");
  Target first = StartTarget(twin, 280, 100, 20, 20);
  Target second = StartTarget(twin, 280, 100, 20, 180);
  const std::string lower = UniqueTitle("E2E 下の窓");
  const std::string upper = UniqueTitle("E2E 上の窓");
  Target lowerTarget = StartTarget(lower, 280, 100, 20, 340);
  Target upperTarget = StartTarget(upper, 280, 100, 20, 480);
  Glazier glazier;

  glazier.RowsMatchDesktop();
  const std::vector<std::string> rows = glazier.Rows();
  CheckEqual(std::count(rows.begin(), rows.end(), twin), 2,
             "rows for the two windows with one title");
  Check(glazier.RowOf(WindowText(notepad.hwnd)) >= 0,
        "notepad is listed: " + WindowText(notepad.hwnd));
  Check(glazier.RowOf(upper) < glazier.RowOf(lower), "the later window is above the earlier one");

  // Raising a window changes the order at the next refresh, with no row selected.
  Require(BringToFront(lowerTarget.hwnd), Format("raised \"%s\"", lower.c_str()));
  if (!Check(WaitFor([&] { return glazier.RowOf(lower) < glazier.RowOf(upper); }, 3000),
             "a second later the raised window's row is above the other")) {
    for (const ListedWindow& w : VisibleTitledWindows()) Log("    desktop: " + w.title);
    for (const std::string& r : glazier.Rows()) Log("    row: " + r);
  }
  glazier.RowsMatchDesktop();
}

CASE(own_dialog_is_listed_a_second_after_start) {
  Target target = StartTarget(UniqueTitle("E2E 窓"), 280, 100, 20, 20);
  Glazier glazier;
  const ULONGLONG seen = GetTickCount64();
  const std::vector<std::string> first = glazier.Rows();
  const ULONGLONG readAfter = GetTickCount64() - seen;
  if (readAfter < 800) {
    Check(std::find(first.begin(), first.end(), "Glazier") == first.end(),
          "the first fill, made before the dialog was shown, lacks \"Glazier\"");
  } else {
    Log("  (first read came too late to see the first fill)");
  }
  Check(glazier.WaitRow("Glazier", 3000), "\"Glazier\" is listed after the first tick");
  const ULONGLONG elapsed = GetTickCount64() - seen;
  Check(elapsed <= 2500, Format("it took %llu ms after the dialog appeared", elapsed));
  glazier.RowsMatchDesktop();
}

CASE(refresh_button_and_tick_rebuild_the_list) {
  const std::string a = UniqueTitle("E2E 窓A");
  Target targetA = StartTarget(a, 280, 100, 20, 20);
  Glazier glazier;
  Require(glazier.WaitRow(a), Format("\"%s\" is listed", a.c_str()));
  const int row = glazier.RowOf(a);
  Require(glazier.ClickRow(row), Format("a click selects row %d", row));

  const std::string b = UniqueTitle("E2E 窓B");
  Target targetB = StartTarget(b, 280, 100, 20, 180);
  Check(HoldsFor([&] { return glazier.RowOf(b) < 0 && glazier.Selection() == row; }, 2500),
        "with a row selected the ticks leave the list alone for 2.5 s");

  glazier.Press(IDC_REFRESH);
  Check(glazier.RowOf(b) >= 0, "\"一覧を更新\" lists the new window");
  CheckEqual(glazier.Selection(), -1, "selection after the refresh");
  glazier.RowsMatchDesktop();

  const std::string c = UniqueTitle("E2E 窓C");
  Target targetC = StartTarget(c, 280, 100, 20, 340);
  Check(glazier.WaitRow(c, 3000), "with nothing selected the tick lists a new window");
  PostMessageW(targetC.hwnd, WM_CLOSE, 0, 0);
  Check(WaitFor([&] { return glazier.RowOf(c) < 0; }, 3000), "and drops it once it has closed");
}

CASE(esc_ends_the_process) {
  Glazier glazier;
  Require(BringToFront(glazier.Dialog()), "the dialog is in front");
  PressKey(VK_ESCAPE);
  CheckEndsWithCode0(glazier, "Esc");
}

CASE(enter_never_closes_the_dialog) {
  Target target = StartTarget(UniqueTitle("E2E 窓"), 280, 100, 20, 20);
  Glazier glazier;
  Require(BringToFront(glazier.Dialog()), "the dialog is in front");
  Require(glazier.Focus(IDC_WINDOW_LIST), "the list has the focus");
  PressKey(VK_RETURN);
  // Keys are handled in order: once Down has moved the selection, Enter has been handled.
  PressKey(VK_DOWN);
  Check(WaitFor([&] { return glazier.Selection() == 0; }, 3000),
        "the key after Enter reached the list");
  Check(glazier.App().Running() && IsWindowVisible(glazier.Dialog()),
        "Enter on the list leaves the dialog open");

  Require(glazier.Focus(IDC_REFRESH), "the refresh button has the focus");
  PressKey(VK_RETURN);
  Check(WaitFor([&] { return glazier.Selection() == -1; }, 3000),
        "Enter on the refresh button presses it (the selection is gone)");
  Check(glazier.App().Running() && IsWindowVisible(glazier.Dialog()), "the dialog is still open");
}

CASE(exit_button_ends_the_process) {
  Glazier glazier;
  glazier.PressLater(IDC_EXIT);
  CheckEndsWithCode0(glazier, "\"終了\"");
}

CASE(exit_menu_item_ends_the_process) {
  Glazier glazier;
  Require(BringToFront(glazier.Dialog()), "the dialog is in front");
  PressKeyWith(VK_MENU, 'F');
  const bool menuOpen = WaitFor([] {
    for (HWND hwnd : TopLevelWindows()) {
      if (ClassName(hwnd) == "#32768" && IsWindowVisible(hwnd)) return true;
    }
    return false;
  });
  Check(menuOpen, "Alt+F opens the menu \"ﾌｧｲﾙ (&F)\"");
  PressKey('X');
  CheckEndsWithCode0(glazier, "\"終了 (&X)\"");
}

CASE(close_box_ends_the_process) {
  Glazier glazier;
  PostMessageW(glazier.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
  CheckEndsWithCode0(glazier, "the close box");
}

CASE(message_box_caption_is_the_exe_name) {
  struct Run {
    std::wstring exe;
    const char* caption;
  };
  const std::wstring renamedDir = ExeDir() + L"\\renamed";
  CreateDirectoryW(renamedDir.c_str(), nullptr);
  const std::wstring renamed = renamedDir + L"\\" + Widen("ガラス工房") + L".exe";
  Require(CopyFileW((ExeDir() + L"\\glazier.exe").c_str(), renamed.c_str(), FALSE),
          "copied glazier.exe to renamed\\ガラス工房.exe");

  for (const Run& run : {Run{ExeDir() + L"\\glazier.exe", "glazier"}, Run{renamed, "ガラス工房"}}) {
    Glazier glazier(run.exe);
    glazier.PressLater(IDC_MINIMIZE);  // nothing is selected
    const MessageBoxSeen box = glazier.WaitMessageBox();
    Require(box.hwnd != nullptr, "\"ウィンドウを最小化\" with no row selected shows a message box");
    CheckEqual(box.caption, run.caption, "its caption");
    CheckEqual(box.text, msg::kSelectToMinimize, "its text");
    Check(box.icon, "it shows an icon");
    Check(GetWindow(box.hwnd, GW_OWNER) == glazier.Dialog(), "the dialog owns it");
    Check(glazier.CloseMessageBox(box), "OK closes it");
    Check(glazier.App().Running(), "Glazier keeps running");
  }
}

// Started from a folder that also holds libraries named like the system's, each leaving a mark
// beside itself when it is loaded (tests/e2e/planted_library.cpp), and with Wine told to prefer a
// native copy of each for it, as Windows' search order does, Glazier loads none of them: not at
// start-up, not at the refreshes that ask DWM, not at the CD-tray command. It loads the system's
// from System32.
CASE(libraries_beside_the_exe_are_not_loaded) {
  const std::wstring dir = ExeDir() + L"\\planted";
  const std::wstring exe = dir + L"\\glazier_planted.exe";
  const std::initializer_list<const wchar_t*> planted = {L"dwmapi", L"uxtheme", L"winmm"};
  Require(CopyFileW((ExeDir() + L"\\glazier.exe").c_str(), exe.c_str(), FALSE) &&
              drive::PreferNativeLibraries(L"glazier_planted.exe", planted),
          "glazier.exe copied beside planted dwmapi.dll, uxtheme.dll and winmm.dll, which Wine "
          "prefers for it");
  const auto mark = [&](const wchar_t* library) { return dir + L"\\" + library + L".dll.loaded"; };
  for (const wchar_t* library : planted) DeleteFileW(mark(library).c_str());

  const std::string title = UniqueTitle("E2E 窓");
  Target target = StartTarget(title, 280, 100, 20, 20);
  Glazier glazier(exe);
  Check(glazier.WaitRow(title), "it starts and lists the windows");
  glazier.Press(IDC_REFRESH);
  Check(glazier.RowOf(title) >= 0, "\"一覧を更新\" lists them again");
  glazier.Command(ID_CDTRAY_OPEN);
  Check(glazier.App().Running(), "it runs the CD-tray command and goes on");
  wchar_t system[MAX_PATH] = L"";
  GetSystemDirectoryW(system, MAX_PATH);
  for (const wchar_t* library : planted) {
    const std::string name = Narrow(library) + ".dll";
    Check(GetFileAttributesW(mark(library).c_str()) == INVALID_FILE_ATTRIBUTES,
          "the planted " + name + " was not loaded");
    CheckEqual(Narrow(FolderOfModule(glazier.App().Handle(), library + std::wstring(L".dll"))),
               Narrow(system), "Glazier's " + name + " comes from System32");
  }
}

CASE(menu_bar) {
  struct Item {
    const char* text;
    int id;
  };
  struct Popup {
    const char* text;
    std::vector<Item> items;
  };
  const std::vector<Popup> expected = {
      {"ﾌｧｲﾙ (&F)", {{"終了 (&X)", ID_APP_EXIT_CMD}}},
      {"ﾍﾙﾌﾟ (&H)", {{"ｵﾝﾗｲﾝ ﾍﾙﾌﾟ (&O)", ID_HELP_ONLINE}, {"ﾊﾞｰｼﾞｮﾝ情報 (&V)", ID_HELP_VERSION}}},
  };
  Glazier glazier;
  Check(GetMenu(glazier.Dialog()) != nullptr, "the dialog has a menu bar");
  // Menus cannot be read from another process under Wine: read menu 131 from the executable
  // that is running, and let the exit case drive the bar with the keyboard.
  HMODULE exe = LoadLibraryExW((ExeDir() + L"\\glazier.exe").c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  Require(exe != nullptr, "glazier.exe can be read");
  HMENU bar = LoadMenuW(exe, MAKEINTRESOURCEW(IDM_MAIN));
  Require(bar != nullptr, "it holds menu 131");
  auto text = [](HMENU menu, int position) {
    wchar_t buffer[256] = L"";
    GetMenuStringW(menu, static_cast<UINT>(position), buffer, 256, MF_BYPOSITION);
    return Narrow(buffer);
  };
  CheckEqual(GetMenuItemCount(bar), static_cast<long long>(expected.size()), "popups on the bar");
  for (std::size_t p = 0; p < expected.size(); ++p) {
    const int position = static_cast<int>(p);
    CheckEqual(text(bar, position), expected[p].text, Format("popup %d", position));
    HMENU popup = GetSubMenu(bar, position);
    if (!Check(popup != nullptr, "it opens a popup")) continue;
    CheckEqual(GetMenuItemCount(popup), static_cast<long long>(expected[p].items.size()),
               "items in it");
    for (std::size_t i = 0; i < expected[p].items.size(); ++i) {
      const int at = static_cast<int>(i);
      CheckEqual(text(popup, at), expected[p].items[i].text, Format("item %d", at));
      CheckEqual(static_cast<int>(GetMenuItemID(popup, at)), expected[p].items[i].id,
                 "its command id");
    }
  }
  DestroyMenu(bar);
  FreeLibrary(exe);
}

CASE(controls_and_pages) {
  Glazier glazier;
  const DialogTemplate& dialog = MainDialogTemplate();
  int children = 0;
  for (HWND child = GetWindow(glazier.Dialog(), GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    ++children;
  }
  CheckEqual(children, static_cast<long long>(dialog.controls.size()), "controls in the dialog");

  const int page = static_cast<int>(SendMessageW(glazier.Item(IDC_TAB), TCM_GETCURSEL, 0, 0));
  Log(Format("  current tab page: %d", page));
  int wrong = 0;
  for (const ControlTemplate& control : dialog.controls) {
    if (control.id == -1) continue;
    HWND hwnd = glazier.Item(control.id);
    if (!Check(hwnd != nullptr, Format("control %d exists", control.id))) continue;
    const std::string className = ClassName(hwnd);
    if (!CaseInsensitiveEqual(className, control.className)) {
      Check(false, Format("control %d is a %s, not a %s", control.id, className.c_str(),
                          control.className));
      ++wrong;
    }
    const bool textShown = CaseInsensitiveEqual(control.className, "BUTTON") ||
                           CaseInsensitiveEqual(control.className, "STATIC");
    if (textShown && WindowText(hwnd) != control.text) {
      CheckEqual(WindowText(hwnd), control.text, Format("text of control %d", control.id));
      ++wrong;
    }
    const int controlPage = PageOf(control.id);
    const bool never = NeverShown(control.id);
    const bool shouldShow = !never && (controlPage == -1 || controlPage == page);
    if ((IsWindowVisible(hwnd) != FALSE) != shouldShow) {
      Check(false, Format("control %d (page %d) is %s", control.id, controlPage,
                          shouldShow ? "hidden" : "shown"));
      ++wrong;
    }
  }
  Check(wrong == 0, "every control has its class and text, and only the current page is shown");
  HWND label = nullptr;
  for (HWND child = GetWindow(glazier.Dialog(), GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (WindowText(child) == "稼働中のウィンドウ一覧") label = child;
  }
  Check(label != nullptr && IsWindowVisible(label),
        "the label \"稼働中のウィンドウ一覧\" is shown");
}

// What the panel sets up once idle is there where a user first meets it, however early: the first
// hover of a control on a page not yet visited shows its tip, and each page shows its controls,
// the first time, where they stand once the panel has been idle.
CASE(first_showing) {
  std::vector<RECT> settled;
  {
    Glazier glazier;
    for (int page = 1; page < glazier.PageCount(); ++page) {
      glazier.OpenPage(page);
      for (int id : TabPages()[page].controls) settled.push_back(RectInParent(glazier.Item(id)));
    }
  }
  Glazier glazier(ExeDir() + L"\\glazier.exe", /*untilIdle=*/false);
  glazier.OpenPage(kOpacityPage);
  Require(BringToFront(glazier.Dialog()), "the dialog is in front");
  const RECT button = ClientOnScreen(glazier.Item(IDC_FLASH));
  // A hover, as a hand makes it: the pointer comes to rest over the button.
  for (int step : {0, 1}) {
    MoveMouse({(button.left + button.right) / 2 + step, (button.top + button.bottom) / 2 + step});
  }
  Check(WaitFor([&] { return glazier.Tooltip() && IsWindowVisible(glazier.Tooltip()); }, 5000),
        "the first hover of \"フラッシュ開始\" shows its tip");
  MoveMouse({GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1});
  std::size_t next = 0;
  for (int page = 1; page < glazier.PageCount(); ++page) {
    glazier.OpenPage(page);
    for (int id : TabPages()[page].controls) {
      const RECT shown = RectInParent(glazier.Item(id));
      const RECT& expected = settled[next++];
      Check(EqualRect(&shown, &expected) != FALSE,
            Format("control %d on its page's first showing: %s, settled %s", id,
                   Describe(shown).c_str(), Describe(expected).c_str()));
    }
  }
}

CASE(tooltips) {
  const std::span<const TooltipEntry> expected = Tooltips();
  Glazier glazier;
  HWND tip = glazier.Tooltip();
  Require(tip != nullptr, "the dialog owns a tooltip window");
  CheckEqual(static_cast<long long>(SendMessageW(tip, TTM_GETTIPBKCOLOR, 0, 0)), 0x00FF0000,
             "background colour (blue)");
  CheckEqual(static_cast<long long>(SendMessageW(tip, TTM_GETTIPTEXTCOLOR, 0, 0)), 0x00FFFFFF,
             "text colour (white)");
  CheckEqual(static_cast<long long>(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0)),
             static_cast<long long>(expected.size()), "tools");

  // The tools in order, read through memory in Glazier's process.
  constexpr int kChars = 256;
  RemoteMemory memory(glazier.App().Handle(), sizeof(TTTOOLINFOW) + kChars * sizeof(wchar_t));
  int wrong = 0;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    TTTOOLINFOW info = {};
    info.cbSize = sizeof(info);
    info.lpszText = reinterpret_cast<wchar_t*>(static_cast<char*>(memory.Address()) + sizeof(info));
    wchar_t text[kChars] = L"";
    memory.Write(&info, sizeof(info));
    memory.Write(text, sizeof(text), sizeof(info));
    if (!SendMessageW(tip, TTM_ENUMTOOLSW, i, memory.AsLParam())) {
      Check(false, Format("tool %zu can be read", i + 1));
      ++wrong;
      continue;
    }
    memory.Read(&info, sizeof(info));
    memory.Read(text, sizeof(text), sizeof(info));
    text[kChars - 1] = L'\0';
    const HWND control = glazier.Item(expected[i].controlId);
    const bool sameTool = reinterpret_cast<HWND>(info.uId) == control &&
                          (info.uFlags & TTF_IDISHWND) != 0 && info.hwnd == glazier.Dialog();
    if (!sameTool || Narrow(text) != expected[i].text) {
      Check(false, Format("tool %zu: control %d, \"%s\"; read \"%s\"", i + 1, expected[i].controlId,
                          expected[i].text, Narrow(text).c_str()));
      ++wrong;
    }
  }
  Check(wrong == 0, "the tools are the controls with their texts, in order");

  // Pointing at the refresh button shows its tip: the dialog relays the mouse to the tooltip.
  Require(BringToFront(glazier.Dialog()), "the dialog is in front");
  const RECT button = ClientOnScreen(glazier.Item(IDC_REFRESH));
  MoveMouse({(button.left + button.right) / 2, (button.top + button.bottom) / 2});
  Check(WaitFor([&] { return IsWindowVisible(tip) != FALSE; }, 5000),
        "pointing at \"一覧を更新\" shows a tip");
  RECT shown = {};
  GetWindowRect(tip, &shown);
  RECT area = {};
  GetWindowRect(glazier.Dialog(), &area);
  UnionRect(&area, &area, &shown);
  Screenshot("tooltip", area);
}

CASE(panel_screenshot) {
  Notepad notepad = StartNotepad(20, 620, 420, 300);
  Target target = StartTarget(UniqueTitle("E2E 窓"), 300, 160, 20, 20);
  Glazier glazier;
  Require(glazier.WaitRow("Glazier", 3000), "Glazier lists its own dialog");
  glazier.RowsMatchDesktop();
  RECT rect = {};
  GetWindowRect(glazier.Dialog(), &rect);
  Check(Screenshot("main", rect), "saved the panel as main.png");
}
