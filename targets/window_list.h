// The window list: the visible, titled top-level windows in z-order, topmost first.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/dialog.h"
#include "platform/kept_answers.h"
#include "platform/window_manager.h"

inline constexpr int kTitleBufferChars = 2048;

// The list box's rows as the last refresh left them, and the buffer the next walk fills. The
// list is refreshed every second while nothing is selected, mostly over a desktop that has not
// changed: a refresh walks the windows and then touches only the rows that differ, so an
// unchanged desktop costs the walk and a comparison. Both buffers keep their storage.
class CListedWindows {
 public:
  static constexpr std::size_t kMaxRows = 10000;  // the most rows the list shows

  // Brings the list to one row per qualifying window, at most kMaxRows: the rows, their order
  // and their windows are those of a list emptied and filled afresh. Leaves nothing selected, the
  // focus rectangle on the first row and the first visible row where the user scrolled it.
  // Returns the row count.
  int Refresh(IWindowManager& windows, CListBox& list);
  // Walks the windows and touches no list box: the next Refresh brings the list to this walk
  // rather than walking again.
  void WalkAhead(IWindowManager& windows);
  // The window row `row` stands for; 0 for no row.
  WindowHandle WindowAt(int row) const;
  // The row that stands for `window`; -1 for none.
  int RowOf(WindowHandle window) const;
  // Every top-level window the last refresh found, listed or not.
  const std::vector<WindowHandle>& TopLevelWindows() const { return m_topLevel; }

 private:
  struct Row {
    WindowHandle window = 0;
    std::string title;
  };

  std::size_t Walk(IWindowManager& windows, std::size_t limit);
  // Replaces the rows that differ between the list and the walk; returns the walk's row count,
  // less the rows the list box refused.
  std::size_t Update(CListBox& list, std::size_t walked, bool listInStep);

  std::vector<Row> m_shown;   // the first m_shownCount are the list box's rows and their windows
  std::vector<Row> m_walked;  // the first rows hold the walk in progress
  std::vector<WindowHandle> m_topLevel;  // every top-level window, as the walk found them
  CKeptAnswers m_tooltips;  // whether each window is a tooltip: a window's class never changes
  std::size_t m_shownCount = 0;
  std::optional<std::size_t> m_walkedAhead;  // the rows of a walk no refresh has used yet
};

// The panel's first walk, made on a thread of its own while the panel is being built: under Wine,
// creating the dialog takes about as long as walking a thousand windows, and the first frame then
// waits only for its rows to be inserted. The window manager it walks through must never wait for
// the thread that waits in Take (the Win32 one sends no window a message during a walk).
class CWalkAhead {
 public:
  CWalkAhead() = default;
  CWalkAhead(const CWalkAhead&) = delete;
  CWalkAhead& operator=(const CWalkAhead&) = delete;
  ~CWalkAhead();

  // Starts the walk through `windows`, a manager nothing else uses until Take, and returns once it
  // has begun. Where no thread can be started, Take has nothing and the panel walks itself.
  void Start(IWindowManager& windows);
  // Waits for the walk and hands it over, once.
  std::optional<CListedWindows> Take();

 private:
  CListedWindows m_walked;
  std::thread m_thread;
};
