#include "glazier.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

#include "panel/placements.h"
#include "platform/win32/dialog_face.h"
#include "res/resource.h"
#include "res/templates.h"
#include "targets/window_list.h"
#include "tests/common/harness.h"

namespace e2e {
namespace {

constexpr DWORD kReplyMs = 10000;

LRESULT Ask(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_NORMAL, kReplyMs, &result)) {
    return -1;
  }
  return static_cast<LRESULT>(result);
}

DWORD ThreadOf(HWND hwnd) {
  return GetWindowThreadProcessId(hwnd, nullptr);
}

HWND CaptureOf(HWND hwnd) {
  return GuiThreadInfo(ThreadOf(hwnd)).hwndCapture;
}

HWND FocusOf(HWND hwnd) {
  return GuiThreadInfo(ThreadOf(hwnd)).hwndFocus;
}

std::wstring Quoted(const std::wstring& path) {
  std::wstring quoted;
  quoted += L'"';
  quoted += path;
  quoted += L'"';
  return quoted;
}

// A pointer resting on the dialog would bring up a tooltip over the controls a case clicks; a user
// starting the program has the pointer elsewhere.
Process ParkPointerThenStart(const std::wstring& exe) {
  MoveMouse({GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1});
  return Process(Quoted(exe));
}

}  // namespace

Glazier::Glazier(const std::wstring& exe, bool untilIdle) : m_process(ParkPointerThenStart(exe)) {
  Require(m_process.Started(),
          "started " + Narrow(exe) +
              (m_process.Started() ? "" : Format(" (error %lu)", m_process.StartError())));
  m_dialog = WaitForWindow(m_process.Id(), L"#32770", "Glazier", 20000);
  Require(m_dialog != nullptr, "Glazier's dialog \"Glazier\" appeared");
  // Start-up ends when the dialog reads its first message.
  Ask(m_dialog, WM_NULL, 0, 0);
  if (!untilIdle) return;
  // What the panel sets up once idle (the hidden pages' places, then the tooltips, the last) is in
  // place once its tooltip holds every tool. As long as a start-up, for a loaded machine.
  Require(WaitFor(
              [this] {
                HWND tip = Tooltip();
                return tip != nullptr && SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0) ==
                                             static_cast<LRESULT>(Tooltips().size());
              },
              20000),
          "Glazier's panel has set up what waits for it to be idle");
}

HWND Glazier::Tooltip() const {
  for (HWND hwnd : TopLevelWindows()) {
    if (ClassName(hwnd) == "tooltips_class32" && GetWindow(hwnd, GW_OWNER) == m_dialog) return hwnd;
  }
  return nullptr;
}

std::vector<std::string> Glazier::Rows() const {
  std::vector<std::string> rows;
  const LRESULT count = Ask(List(), LB_GETCOUNT, 0, 0);
  for (LRESULT row = 0; row < count; ++row) {
    const std::optional<std::wstring> text = RowText(static_cast<int>(row));
    if (!text) break;
    rows.push_back(Narrow(*text));
  }
  return rows;
}

std::optional<std::wstring> Glazier::RowText(int row) const {
  const LRESULT length = Ask(List(), LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
  if (length < 0) return std::nullopt;
  // LB_GETTEXT takes no size, and a refresh may give the row a longer title between the two
  // questions: room for the longest title Glazier lists, whatever the length said.
  const auto room =
      std::max(static_cast<std::size_t>(length), static_cast<std::size_t>(kTitleBufferChars));
  std::wstring text(room + 1, L'\0');
  const LRESULT copied =
      Ask(List(), LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
  if (copied < 0 || static_cast<std::size_t>(copied) >= text.size()) return std::nullopt;
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

int Glazier::Selection() const {
  return static_cast<int>(Ask(List(), LB_GETCURSEL, 0, 0));
}

int Glazier::RowOf(std::string_view title) const {
  const std::vector<std::string> rows = Rows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i] == title) return static_cast<int>(i);
  }
  return -1;
}

bool Glazier::RowsMatchDesktop(DWORD ms) const {
  std::vector<std::string> rows;
  std::vector<std::string> expected;
  const bool same = WaitFor(
      [&] {
        expected = Titles(VisibleTitledWindows());
        rows = Rows();
        return rows == expected;
      },
      ms);
  std::string report =
      Format("the %zu rows are the visible titled windows in z-order", expected.size());
  if (!same) {
    report += "\n        rows:";
    for (const std::string& row : rows) report += "\n          " + row;
    report += "\n        desktop, top first:";
    for (const std::string& title : expected) report += "\n          " + title;
  }
  return Check(same, report);
}

bool Glazier::WaitRow(std::string_view title, DWORD ms) const {
  return WaitFor([&] { return RowOf(title) >= 0; }, ms);
}

// The middle of a row on the screen, scrolled into view; nothing for no such row.
std::optional<POINT> Glazier::RowCenter(int row) const {
  Ask(List(), LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
  RECT item = {};
  if (Ask(List(), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) ==
      LB_ERR) {
    return std::nullopt;
  }
  POINT center = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  ClientToScreen(List(), &center);
  return center;
}

bool Glazier::ClickRow(int row) {
  const std::optional<POINT> center = RowCenter(row);
  return center && Click(*center, [&] { return Selection() == row; });
}

HWND Glazier::RightClickRow(int row) {
  const std::optional<POINT> center = RowCenter(row);
  HWND menu = nullptr;
  const auto opened = [&] { return (menu = WaitPopupMenu(0)) != nullptr; };
  return center && Click(*center, opened, true) ? menu : nullptr;
}

bool Glazier::Reach(POINT screen) const {
  BringToFront(m_dialog);
  MoveMouse(screen);
  // A tooltip shown near the pointer may cover the spot until it hides.
  if (WaitFor([&] { return GetAncestor(WindowFromPoint(screen), GA_ROOT) == m_dialog; }, 8000)) {
    return true;
  }
  Log("  the spot to click is covered by \"" + WindowText(WindowFromPoint(screen)) + "\"");
  return false;
}

bool Glazier::Click(POINT screen, const std::function<bool()>& effect, bool right) {
  // Under Wine a click now and then goes nowhere while the dialog is being activated; a user
  // would click again, and so does this, once.
  for (int attempt = 1; attempt <= 2; ++attempt) {
    if (!Reach(screen)) return false;
    ClickAt(screen, right);
    if (WaitFor(effect, 3000)) {
      if (right) return true;
      // A list box holds the mouse from press to release: let the release land before anything
      // else moves the pointer, or the list would follow the pointer and select another row.
      // The list gives the mouse back before it tells the dialog of the new selection; a message
      // sent to the dialog is answered only once that handler has returned.
      return WaitFor([&] { return CaptureOf(m_dialog) == nullptr; }, 3000) &&
             Ask(m_dialog, WM_NULL, 0, 0) == 0;
    }
    const HWND under = WindowFromPoint(screen);
    Log(Format("  (the click at (%ld, %ld) had no effect; under it: %s \"", screen.x, screen.y,
               ClassName(under).c_str()) +
        WindowText(under) + "\")");
  }
  return false;
}

void Glazier::Select(std::string_view title) {
  // While nothing is selected the list is rebuilt every second, so the row can move between
  // finding it and clicking it; once a row is selected the list holds still. A user who hit the
  // wrong row would look again and click again.
  for (int attempt = 1;; ++attempt) {
    Require(WaitRow(title),
            Format("\"%.*s\" is listed", static_cast<int>(title.size()), title.data()));
    const int row = RowOf(title);
    Require(ClickRow(row), Format("a click selects its row (%d)", row));
    if (Selection() == RowOf(title)) return;
    Require(attempt < 3, "the row stayed where it was clicked");
    Log("  (the list was rebuilt under the click: again)");
  }
}

std::string Glazier::Text(int id) const {
  // GetWindowText does not ask another process's edit for its text: WM_GETTEXT does.
  const LRESULT length = Ask(Item(id), WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = Ask(Item(id), WM_GETTEXT, static_cast<WPARAM>(length) + 1,
                             reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return Narrow(text);
}

void Glazier::SetText(int id, std::string_view text) const {
  const std::wstring wide = Widen(text);
  Ask(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

bool Glazier::TypeInto(int id, std::string_view text) {
  const RECT rect = ClientOnScreen(Item(id));
  const POINT center = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  if (!Click(center, [&] { return FocusOf(m_dialog) == Item(id); })) return false;
  Ask(Item(id), EM_SETSEL, 0, -1);
  TypeText(text);
  return WaitFor([&] { return Text(id) == text; }, 3000);
}

void Glazier::Press(int buttonId) const {
  Ask(Item(buttonId), BM_CLICK, 0, 0);
}

void Glazier::PressLater(int buttonId) const {
  PostMessageW(Item(buttonId), BM_CLICK, 0, 0);
}

void Glazier::Command(int commandId) const {
  Ask(m_dialog, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

void Glazier::CommandLater(int commandId) const {
  PostMessageW(m_dialog, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

bool Glazier::Focus(int id) const {
  HWND control = Item(id);
  Ask(m_dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  return WaitFor([&] { return FocusOf(m_dialog) == control; }, 3000);
}

bool Glazier::HasFocus(int id) const {
  return FocusOf(m_dialog) == Item(id);
}

MessageBoxSeen Glazier::WaitMessageBox(DWORD ms) const {
  MessageBoxSeen box;
  WaitFor(
      [&] {
        for (HWND hwnd : TopLevelWindows()) {
          if (hwnd != m_dialog && GetWindow(hwnd, GW_OWNER) == m_dialog && IsWindowVisible(hwnd) &&
              ClassName(hwnd) == "#32770") {
            box.hwnd = hwnd;
            return true;
          }
        }
        return false;
      },
      ms);
  if (box.hwnd == nullptr) return box;
  box.caption = WindowText(box.hwnd);
  for (HWND child = GetWindow(box.hwnd, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const bool isStatic = ClassName(child) == "Static";
    const bool isIcon = (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
    if (isStatic && !isIcon && box.text.empty()) box.text = WindowText(child);
    if (isStatic && isIcon && IsWindowVisible(child)) box.icon = true;
  }
  return box;
}

bool Glazier::CloseMessageBox(const MessageBoxSeen& box) const {
  PostMessageW(GetDlgItem(box.hwnd, IDOK), BM_CLICK, 0, 0);
  return WaitFor([&] { return !IsWindow(box.hwnd); });
}

int Glazier::PageCount() const {
  return static_cast<int>(Ask(Item(kTabId), TCM_GETITEMCOUNT, 0, 0));
}

std::string Glazier::PageCaption(int index) const {
  constexpr int kChars = 256;
  RemoteMemory memory(m_process.Handle(), sizeof(TCITEMW) + kChars * sizeof(wchar_t));
  TCITEMW item = {};
  item.mask = TCIF_TEXT;
  item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(memory.Address()) + sizeof(item));
  item.cchTextMax = kChars;
  if (!memory.Write(&item, sizeof(item))) return {};
  if (Ask(Item(kTabId), TCM_GETITEMW, static_cast<WPARAM>(index), memory.AsLParam()) <= 0) {
    return {};
  }
  wchar_t text[kChars] = L"";
  memory.Read(text, sizeof(text), sizeof(item));
  text[kChars - 1] = L'\0';
  return Narrow(text);
}

RECT Glazier::TabItemRect(int index) const {
  RemoteMemory memory(m_process.Handle(), sizeof(RECT));
  RECT rect = {};
  if (Ask(Item(kTabId), TCM_GETITEMRECT, static_cast<WPARAM>(index), memory.AsLParam()) > 0) {
    memory.Read(&rect, sizeof(rect));
  }
  return rect;
}

RECT Glazier::TabPageArea() const {
  HWND tab = Item(kTabId);
  RECT area = {};
  GetClientRect(tab, &area);
  RemoteMemory memory(m_process.Handle(), sizeof(area));
  if (memory.Write(&area, sizeof(area)) &&
      Ask(tab, TCM_ADJUSTRECT, FALSE, memory.AsLParam()) >= 0) {
    memory.Read(&area, sizeof(area));
  }
  MapWindowPoints(tab, m_dialog, reinterpret_cast<POINT*>(&area), 2);
  return area;
}

void Glazier::OpenPage(int index) {
  Require(ShowPage(index), "page \"" + PageCaption(index) + "\" is shown");
}

void Glazier::SelectOnPage(std::string_view title, int page) {
  Select(title);
  OpenPage(page);
}

bool Glazier::ShowPage(int index) {
  HWND tab = Item(kTabId);
  // When the tabs do not fit, the strip shows scroll arrows over its right end: scroll with them
  // until the tab can be clicked, as a user would.
  for (int attempt = 0; attempt < 8; ++attempt) {
    const RECT item = TabItemRect(index);
    RECT visible = {};
    GetClientRect(tab, &visible);
    HWND arrows = FindWindowExW(tab, nullptr, UPDOWN_CLASSW, nullptr);
    RECT arrowRect = {};
    if (arrows != nullptr && IsWindowVisible(arrows)) {
      arrowRect = RectInParent(arrows);
      visible.right = std::min(visible.right, arrowRect.left);
    }
    if (item.left + 4 < visible.right && item.right > visible.left + 4) {
      POINT point = {(std::max(item.left, visible.left) + std::min(item.right, visible.right)) / 2,
                     (item.top + item.bottom) / 2};
      ClientToScreen(tab, &point);
      return Click(point, [&] { return Ask(tab, TCM_GETCURSEL, 0, 0) == index; });
    }
    if (arrows == nullptr) return false;
    const bool forward = item.left + 4 >= visible.right;
    const int quarter = (arrowRect.right - arrowRect.left) / 4;
    POINT point = {forward ? arrowRect.right - quarter : arrowRect.left + quarter,
                   (arrowRect.top + arrowRect.bottom) / 2};
    ClientToScreen(tab, &point);
    Click(point, [&] { return TabItemRect(index).left != item.left; });
  }
  return false;
}

int Scaled(int pixels, int dpi) {
  return MulDiv(pixels, dpi, USER_DEFAULT_SCREEN_DPI);
}

bool PlacedAt(const Glazier& glazier, int dpi, int slack) {
  const RECT anchor = RectInParent(glazier.Item(IDC_SHOW_GROUP));
  int wrong = 0;
  for (const Placement& place : PanelPlacements()) {
    const RECT rect = RectInParent(glazier.Item(place.controlId));
    const int dx = rect.left - anchor.left - Scaled(place.dx, dpi);
    const int dy = rect.top - anchor.top - Scaled(place.dy, dpi);
    if (std::abs(dx) > slack || std::abs(dy) > slack) {
      Check(false,
            Format("control %d is at %s, expected its corner at (L + %d, T + %d)", place.controlId,
                   Describe(rect).c_str(), Scaled(place.dx, dpi), Scaled(place.dy, dpi)));
      ++wrong;
    }
  }
  return wrong == 0;
}

void CheckStackedOnTheAnchor(const Glazier& glazier, int dpi) {
  const RECT anchor = RectInParent(glazier.Item(IDC_SHOW_GROUP));
  Log("  anchor (the group box of \"表示\"): " + Describe(anchor));
  Check(PlacedAt(glazier, dpi), Format("all %zu page controls stand at their offsets at %d DPI",
                                       PanelPlacements().size(), dpi));
  const RECT opaque = RectInParent(glazier.Item(IDC_OPAQUE_LABEL));
  const RECT slider = RectInParent(glazier.Item(IDC_ALPHA_SLIDER));
  const int right = Scaled(290, dpi);
  const int below = Scaled(15, dpi);
  Check(opaque.left - anchor.left == right && opaque.top - anchor.top == below,
        Format("on \"透明化\" the label \"不透明\" is %d pixels right of the anchor, %d below its "
               "top",
               right, below));
  Check(slider.left - anchor.left == Scaled(40, dpi) && slider.top - anchor.top == below,
        Format("and the trackbar %d pixels right of it, %d below its top", Scaled(40, dpi), below));
}

bool NeverShown(int id) {
  return id == IDC_GEOMETRY_APPLY || id == IDC_SPARE;
}

Target StartTarget(std::string_view title, int clientWidth, int clientHeight, int x, int y,
                   std::wstring_view extraOptions) {
  Target target;
  const std::wstring commandLine =
      Quoted(ExeDir() + L"\\glazier_target.exe") + L" --title \"" + Widen(title) + L"\" --client " +
      Widen(Format("%dx%d --pos %d,%d ", clientWidth, clientHeight, x, y)) +
      std::wstring(extraOptions);
  target.process = Process(commandLine);
  Require(target.process.Started(), "started our target program");
  target.hwnd = WaitForWindow(target.process.Id(), L"GlazierTarget", title);
  Require(target.hwnd != nullptr,
          Format("target \"%.*s\" appeared", static_cast<int>(title.size()), title.data()));
  return target;
}

Notepad StartNotepad(int x, int y, int width, int height) {
  Notepad notepad;
  notepad.process = Process(L"notepad.exe");
  Require(notepad.process.Started(), "started notepad");
  WaitFor([&] {
    for (HWND hwnd : TopLevelWindows()) {
      DWORD owner = 0;
      GetWindowThreadProcessId(hwnd, &owner);
      if (owner == notepad.process.Id() && IsWindowVisible(hwnd) && ClassName(hwnd) == "Notepad") {
        notepad.hwnd = hwnd;
        return true;
      }
    }
    return false;
  });
  Require(notepad.hwnd != nullptr, "notepad's window appeared");
  SetWindowPos(notepad.hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  WaitFor([&] {
    RECT rect = {};
    GetWindowRect(notepad.hwnd, &rect);
    return rect.left == x && rect.top == y;
  });
  return notepad;
}

std::wstring GlazierWithStandInDwmapi(const wchar_t* fileName) {
  const std::wstring exe = ExeDir() + L"\\" + fileName;
  Require(
      CopyFileW((ExeDir() + L"\\glazier.exe").c_str(), exe.c_str(), FALSE) &&
          drive::UseStandInDwmapi(fileName),
      "a copy of glazier.exe, " + Narrow(fileName) + ", loads the stand-in library from System32");
  return exe;
}

std::string UniqueTitle(std::string_view stem) {
  static int counter = 0;
  return Format("%.*s %lu-%d", static_cast<int>(stem.size()), stem.data(), GetCurrentProcessId(),
                ++counter);
}

HWND WaitVersionBox() {
  HWND box = nullptr;
  WaitFor([&] {
    for (HWND hwnd : TopLevelWindows()) {
      if (IsWindowVisible(hwnd) && WindowText(hwnd) == "ﾊﾞｰｼﾞｮﾝ情報") box = hwnd;
    }
    return box != nullptr;
  });
  return box;
}

void BecomeDpiAware() {
  if (!SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
  }
  Require(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()) ==
              DPI_AWARENESS_PER_MONITOR_AWARE,
          "the driver is per-monitor DPI aware: it reads real pixels");
}

std::vector<std::string> TextsCutOff(HWND dialog) {
  std::vector<std::string> cut;
  HDC screen = GetDC(nullptr);
  const int height = -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72);
  HFONT font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE,
                           Widen(DialogFace(MainDialogTemplate().font)).c_str());
  HGDIOBJ old = SelectObject(screen, font);
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const std::string className = ClassName(child);
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    const std::string text = WindowText(child);
    if (!IsWindowVisible(child) || text.empty()) continue;
    // Room for the text: a push button's edges, a group box's frame before its caption.
    int margin = 0;
    if (className == "Button")
      margin = (style & BS_TYPEMASK) == BS_GROUPBOX ? 16 : 6;
    else if (className != "Static" || (style & SS_TYPEMASK) == SS_ICON)
      continue;
    const std::wstring wide = Widen(text);
    SIZE size = {};
    GetTextExtentPoint32W(screen, wide.c_str(), static_cast<int>(wide.size()), &size);
    const RECT rect = RectInParent(child);
    const int room = rect.right - rect.left - margin;
    if (size.cx > room) {
      cut.push_back(Format("\"%s\" needs %ld pixels, has %d", text.c_str(), size.cx, room));
    }
  }
  SelectObject(screen, old);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  return cut;
}

void CheckTextsFit(HWND dialog, const std::string& what) {
  std::string cut;
  for (const std::string& text : TextsCutOff(dialog)) cut += "\n        " + text;
  Check(cut.empty(), what + cut);
}

void CheckTabRowSpans(const Glazier& glazier, const std::string& when) {
  RECT tab = {};
  GetClientRect(glazier.Item(IDC_TAB), &tab);
  const RECT last = glazier.TabItemRect(glazier.PageCount() - 1);
  Check(last.right <= tab.right && tab.right - last.right <= tab.right / 10,
        Format("%s the last tab ends at %ld of the tab control's %ld pixels", when.c_str(),
               last.right, tab.right));
}

RECT ClientOnScreen(HWND hwnd) {
  RECT rect = {};
  GetClientRect(hwnd, &rect);
  MapWindowPoints(hwnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool Encloses(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

std::vector<Overlap> OverlappingControls(HWND dialog) {
  struct Control {
    HWND hwnd;
    RECT rect;
    bool container;
  };
  std::vector<Control> controls;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    const std::string className = ClassName(child);
    const bool groupBox =
        className == "Button" && (GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
    controls.push_back({child, RectInParent(child), groupBox || className == WC_TABCONTROLA});
  }
  std::vector<Overlap> overlaps;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      const Control& a = controls[i];
      const Control& b = controls[j];
      RECT common = {};
      if (!IntersectRect(&common, &a.rect, &b.rect)) continue;
      if ((a.container && Encloses(a.rect, b.rect)) || (b.container && Encloses(b.rect, a.rect))) {
        continue;
      }
      overlaps.push_back({a.hwnd, b.hwnd, common});
    }
  }
  return overlaps;
}

std::string DescribeControl(HWND control) {
  return Format("%d \"%s\" %s", GetDlgCtrlID(control), WindowText(control).c_str(),
                Describe(RectInParent(control)).c_str());
}

}  // namespace e2e
