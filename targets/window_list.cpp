#include "targets/window_list.h"

#include <algorithm>
#include <cstddef>
#include <future>
#include <optional>
#include <utility>

namespace {

// Room reserved per row before many rows are inserted at once; titles are mostly shorter.
constexpr int kReservedBytesPerRow = 64;

}  // namespace

int CListedWindows::Refresh(IWindowManager& windows, CListBox& list) {
  // A refresh leaves nothing selected, also when no row changes.
  if (list.GetCurSel() != -1) list.SetCurSel(-1);
  // The list box holds the rows of the last refresh, unless something else has changed it.
  const bool listInStep = list.GetCount() == static_cast<int>(m_shownCount);
  const std::size_t walked =
      m_walkedAhead ? *std::exchange(m_walkedAhead, std::nullopt) : Walk(windows, kMaxRows);
  const std::size_t rows = Update(list, walked, listInStep);
  std::swap(m_shown, m_walked);
  m_shownCount = rows;
  return static_cast<int>(rows);
}

void CListedWindows::WalkAhead(IWindowManager& windows) {
  m_walkedAhead = Walk(windows, kMaxRows);
}

WindowHandle CListedWindows::WindowAt(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= m_shownCount) return 0;
  return m_shown[static_cast<std::size_t>(row)].window;
}

int CListedWindows::RowOf(WindowHandle window) const {
  const auto end = m_shown.begin() + static_cast<std::ptrdiff_t>(m_shownCount);
  const auto found =
      std::find_if(m_shown.begin(), end, [window](const Row& row) { return row.window == window; });
  return found == end ? -1 : static_cast<int>(found - m_shown.begin());
}

// Under Wine every call on another program's window is a round trip to the system, so the walk
// asks as little as it can: the whole z-order at once, the visibility before the title (a desktop
// has many hidden titled windows, whose titles are never read), and the class and the cloak last,
// each asked once for a window that stays listed.
std::size_t CListedWindows::Walk(IWindowManager& windows, std::size_t limit) {
  windows.EnumTopLevelWindows(m_topLevel);
  m_tooltips.NewRefresh();
  std::size_t rows = 0;
  for (const WindowHandle window : m_topLevel) {
    if (rows == limit) break;
    if (!windows.HasVisibleStyle(window)) continue;
    if (rows == m_walked.size()) m_walked.emplace_back();
    Row& row = m_walked[rows];
    windows.GetWindowText(window, row.title, kTitleBufferChars);
    if (row.title.empty()) continue;
    // A tooltip shows for a moment under the pointer, and nobody means to change it: a row for it
    // would push every row below it down under the user's pointer.
    if (m_tooltips.Answer(window, [&] { return std::optional(windows.IsTooltip(window)); })) {
      continue;
    }
    // A cloaked window is visible by its style but drawn nowhere: the taskbar leaves it out too.
    if (windows.IsWindowCloaked(window)) continue;
    row.window = window;
    ++rows;
  }
  return rows;
}

std::size_t CListedWindows::Update(CListBox& list, std::size_t walked, bool listInStep) {
  // The rows that match at both ends stay; only the range between them is replaced. A handle
  // that changed under the same title needs no change to the list box, only to the targets.
  const std::size_t shown = listInStep ? m_shownCount : 0;
  const auto same = [this](std::size_t shownRow, std::size_t walkedRow) {
    return m_shown[shownRow].title == m_walked[walkedRow].title;
  };
  std::size_t first = 0;
  while (first < shown && first < walked && same(first, first)) ++first;
  std::size_t shownEnd = shown;
  std::size_t walkedEnd = walked;
  while (shownEnd > first && walkedEnd > first && same(shownEnd - 1, walkedEnd - 1)) {
    --shownEnd;
    --walkedEnd;
  }
  // A list filled afresh has its focus rectangle on the first row, where the arrow keys start.
  const bool caretHome = list.GetCaretIndex() <= 0;
  if (listInStep && caretHome && first == shownEnd && first == walkedEnd) return walked;

  // Drawing is suspended only while rows change, so the list does not flicker, and the first
  // visible row is put back where the user scrolled it.
  const int topRow = list.GetTopIndex();
  list.SetRedraw(false);
  if (!listInStep) list.ResetContent();
  for (std::size_t row = shownEnd; row > first; --row) list.DeleteString(static_cast<int>(row - 1));
  const int inserts = static_cast<int>(walkedEnd - first);
  if (inserts > 1) list.InitStorage(inserts, inserts * kReservedBytesPerRow);
  for (std::size_t row = first; row < walkedEnd;) {
    if (list.InsertString(static_cast<int>(row), m_walked[row].title) >= 0) {
      ++row;
      continue;
    }
    // A row the list box refused gets no handle, so rows and handles stay in step.
    const auto at = m_walked.begin() + static_cast<std::ptrdiff_t>(row);
    std::rotate(at, at + 1, m_walked.begin() + static_cast<std::ptrdiff_t>(walked));
    --walked;
    --walkedEnd;
  }
  if (walked > 0) {
    list.SetCaretIndex(0);
    list.SetTopIndex(std::clamp(topRow, 0, static_cast<int>(walked) - 1));
  }
  list.SetRedraw(true);
  return walked;
}

CWalkAhead::~CWalkAhead() {
  if (m_thread.joinable()) m_thread.join();
}

void CWalkAhead::Start(IWindowManager& windows) {
  if (m_thread.joinable()) return;
  try {
    std::promise<void> begun;
    std::future<void> walking = begun.get_future();
    m_thread = std::thread([this, &windows, begun = std::move(begun)]() mutable {
      begun.set_value();
      try {
        m_walked.WalkAhead(windows);
      } catch (...) {
        m_walked = CListedWindows();  // out of memory: the panel walks itself
      }
    });
    // A new thread's start-up waits for any library being loaded: the walk begins before the
    // panel is built, which may load some.
    walking.wait();
  } catch (...) {
    // No thread: nothing walks ahead.
  }
}

std::optional<CListedWindows> CWalkAhead::Take() {
  if (!m_thread.joinable()) return std::nullopt;
  m_thread.join();
  return std::move(m_walked);
}
