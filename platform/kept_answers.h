// What the system said of each window, kept between refreshes of the list: asking costs a call
// into the system for every window at every refresh, and what is kept changes only with an event
// the system sends for the window (its cloak), after which it is asked again, or never (its
// class).
#pragma once

#include <cstddef>
#include <optional>
#include <unordered_map>
#include <utility>

#include "platform/types.h"

class CKeptAnswers {
 public:
  // The answer kept for the window, else what `ask` gets from the system (nullopt: the call
  // failed), kept only when the system answered, so that a failed call (DWM restarting, a window
  // gone) is asked again at the next refresh rather than kept as "no" until an event that may
  // never come. A failed call counts as "no".
  template <typename Ask>
  bool Answer(WindowHandle window, Ask&& ask) {
    if (const std::optional<bool> kept = Find(window)) return *kept;
    const std::optional<bool> answer = std::forward<Ask>(ask)();
    if (answer) m_kept[window] = {*answer, m_refresh};
    return answer.value_or(false);
  }
  // The system says what was asked of the window has changed.
  void Forget(WindowHandle window) { m_kept.erase(window); }
  // A refresh begins: what the last one did not ask for (windows gone, hidden or untitled) goes,
  // so that a handle given to a new window is asked afresh.
  void NewRefresh() {
    ++m_refresh;
    std::erase_if(m_kept,
                  [this](const auto& entry) { return entry.second.refresh + 1 < m_refresh; });
  }
  std::size_t Size() const { return m_kept.size(); }

 private:
  // The answer kept for the window; it counts as asked in this refresh.
  std::optional<bool> Find(WindowHandle window) {
    const auto found = m_kept.find(window);
    if (found == m_kept.end()) return std::nullopt;
    found->second.refresh = m_refresh;
    return found->second.answer;
  }

  struct Kept {
    bool answer;
    unsigned refresh;  // the last refresh that asked
  };
  std::unordered_map<WindowHandle, Kept> m_kept;
  unsigned m_refresh = 0;
};
