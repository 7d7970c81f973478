// Glazier and our target program as the end-to-end cases see them: started, found, read and
// driven from outside.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "desktop.h"
#include "panel/pages.h"

namespace e2e {

// A message box of Glazier: the window and what it says.
struct MessageBoxSeen {
  HWND hwnd = nullptr;
  std::string caption;
  std::string text;
  bool icon = false;
};

// The tab pages, by index.
inline constexpr int kShowPage = 0;
inline constexpr int kShapePage = 1;
inline constexpr int kLockPage = 2;
inline constexpr int kOpacityPage = 3;
inline constexpr int kTitlePage = 4;
inline constexpr int kGeometryPage = 5;

class Glazier {
 public:
  // Starts the executable (glazier.exe beside the driver unless given) and waits for its dialog
  // and, unless `untilIdle` is false, for what the panel sets up once idle.
  explicit Glazier(const std::wstring& exe = ExeDir() + L"\\glazier.exe", bool untilIdle = true);

  Process& App() { return m_process; }
  HWND Dialog() const { return m_dialog; }
  HWND Item(int id) const { return GetDlgItem(m_dialog, id); }
  HWND List() const { return Item(kListId); }
  // The tooltip window the dialog owns; null before it has one.
  HWND Tooltip() const;

  // The list box rows, read with LB_GETTEXT.
  std::vector<std::string> Rows() const;
  // One row as the list holds it, UTF-16 units unconverted; nothing when it cannot be read.
  std::optional<std::wstring> RowText(int row) const;
  int Selection() const;
  int RowOf(std::string_view title) const;
  // Waits until the rows are the desktop's visible titled windows in z-order (the list is
  // rebuilt every second while nothing is selected); prints both on failure.
  bool RowsMatchDesktop(DWORD ms = 5000) const;
  bool WaitRow(std::string_view title, DWORD ms = 5000) const;

  // Selects a row the way a user does: a click on it.
  bool ClickRow(int row);
  // A real right-click on a row, which selects it and opens the list's shortcut menu; the menu,
  // null when none came.
  HWND RightClickRow(int row);
  // Waits for the window's row and clicks it; the case stops if that fails.
  void Select(std::string_view title);

  // A control's text, and setting it as a program would (WM_SETTEXT, which notifies the dialog).
  std::string Text(int id) const;
  void SetText(int id, std::string_view text) const;
  // Clicks into an edit, selects its text and types over it, key by key.
  bool TypeInto(int id, std::string_view text);
  // A real click on the dialog, once the spot is the dialog's; true once `effect` holds and the
  // dialog has taken the release. A right-click's effect is awaited alone: an open menu holds the
  // mouse.
  bool Click(POINT screen, const std::function<bool()>& effect, bool right = false);
  // A button click that returns once the handler has run (BM_CLICK).
  void Press(int buttonId) const;
  // A button click that does not wait, for handlers that open a modal box.
  void PressLater(int buttonId) const;
  // Sends a command (a menu item's or another id) and returns once the handler has run.
  void Command(int commandId) const;
  // The same without waiting.
  void CommandLater(int commandId) const;
  // Moves the keyboard focus to a control, as the dialog does for Tab.
  bool Focus(int id) const;
  bool HasFocus(int id) const;

  // The message box owned by the dialog, waited for; empty when none came.
  MessageBoxSeen WaitMessageBox(DWORD ms = 5000) const;
  // Presses its OK button and waits for it to go.
  bool CloseMessageBox(const MessageBoxSeen& box) const;

  // Selects a tab page with a click on its tab.
  bool ShowPage(int index);
  // The same; the case stops if that fails.
  void OpenPage(int index);
  // The usual opening of a case: the window's row selected, then a page shown.
  void SelectOnPage(std::string_view title, int page);
  int PageCount() const;
  std::string PageCaption(int index) const;
  // A tab item's rectangle in the tab control, and the tab control's page area in the dialog.
  RECT TabItemRect(int index) const;
  RECT TabPageArea() const;

 private:
  static constexpr int kListId = 1002;
  std::optional<POINT> RowCenter(int row) const;
  // Brings the dialog to the front and the pointer to `screen`; whether the spot is the dialog's.
  bool Reach(POINT screen) const;
  static constexpr int kTabId = 1026;

  Process m_process;
  HWND m_dialog = nullptr;
};

// The two buttons that nothing ever shows.
bool NeverShown(int id);

// Our target program; see target.cpp for its options.
struct Target {
  Process process;
  HWND hwnd = nullptr;
};
Target StartTarget(std::string_view title, int clientWidth, int clientHeight, int x, int y,
                   std::wstring_view extraOptions = L"");

// Wine's notepad, moved out of the way.
struct Notepad {
  Process process;
  HWND hwnd = nullptr;
};
Notepad StartNotepad(int x, int y, int width, int height);

// A copy of glazier.exe under that file name, which loads the stand-in for the system's DWM
// library (tests/e2e/stand_in_dwmapi.cpp) from System32; its path. The case stops if it cannot.
std::wstring GlazierWithStandInDwmapi(const wchar_t* fileName);

// A title no other window has, for windows started by one case.
std::string UniqueTitle(std::string_view stem);

// Glazier's version box once it shows; null when it did not come.
HWND WaitVersionBox();

// The driver reads rectangles and clicks in real pixels, as Glazier works: it becomes per-monitor
// DPI aware before it looks at any window. Wine 8 knows no per-monitor v2 and takes v1 instead.
void BecomeDpiAware();

// A distance of the 96-DPI layout at `dpi`, rounded half away from zero as MulDiv rounds.
int Scaled(int pixels, int dpi);
// Each page control's corner against its place in the layout at `dpi`, give or take `slack`
// pixels (a DPI change scales rectangles that were rounded already); prints the ones off.
bool PlacedAt(const Glazier& glazier, int dpi, int slack = 0);
// Checks the pages stacked on the anchor, the first page's group box, at `dpi`: every page
// control at its place, and on "透明化" the label "不透明" and the trackbar where a user measures
// them.
void CheckStackedOnTheAnchor(const Glazier& glazier, int dpi);

// The controls of a dialog of Glazier whose text is wider than the control shows, measured with
// the dialog's font (9 point, in the face Glazier chooses in this prefix); empty when all fit.
std::vector<std::string> TextsCutOff(HWND dialog);
// Checks that every text of a dialog fits its control, listing those that do not.
void CheckTextsFit(HWND dialog, const std::string& what);

// Checks that the row of tabs spans the tab control: the last item ends within a tenth of the
// control's width from its right edge.
void CheckTabRowSpans(const Glazier& glazier, const std::string& when);

// The client rectangle of a window in screen coordinates.
RECT ClientOnScreen(HWND hwnd);

// Whether `inner` lies wholly within `outer`.
bool Encloses(const RECT& outer, const RECT& inner);

// Two visible controls of a dialog whose rectangles overlap, and their common part (in the
// dialog's client coordinates).
struct Overlap {
  HWND first;
  HWND second;
  RECT common;
};
// The overlapping pairs of visible controls of a dialog. A group box or the tab control holding a
// control whole is containment, not overlap.
std::vector<Overlap> OverlappingControls(HWND dialog);
// A control for messages: its id, its text and its rectangle in its parent.
std::string DescribeControl(HWND control);

}  // namespace e2e
