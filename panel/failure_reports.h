// What the panel says when a command's calls on its window failed, and when it keeps quiet; and
// the one box the panel shows at a time.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <utility>

#include "platform/window_manager.h"

// When a failure is worth a box: for every command; once per selection for the live edits, which
// apply at every keystroke; and only for a closed window while a selection loads the edits, so
// that a user who walks the list meets no box for every window run as administrator.
enum class Telling { Always, OncePerSelection, ClosedOnly };

class CFailureReports {
 public:
  // A new row is selected: its refusal has not been said yet.
  void NewSelection() { m_refusalSaid = false; }
  // Whether a failure of a command on the selected window is worth its box, as `telling` asks.
  // It only asks: nothing counts as said until Said.
  bool Due(CallFailure failure, Telling telling) const;
  // The failure's box has been shown: a refusal now counts as said for this selection.
  void Said(CallFailure failure);
  // The box's text for a failure.
  static const char* TextOf(CallFailure failure);

 private:
  bool m_refusalSaid = false;  // a refusal has been said for this selection
};

// Every box of the panel goes through one guard: while one is open (its modal loop runs timer
// ticks and late results), another is not opened.
class COneBox {
 public:
  bool IsOpen() const { return m_open; }
  // Runs `show`, which shows a modal box and returns once it is closed, unless a box is open
  // already; whether it ran.
  template <typename Show>
  bool Open(Show&& show) {
    if (m_open) return false;
    {
      const Opened opened(m_open);
      std::forward<Show>(show)();
    }
    ShowWaiting();
    return true;
  }
  // A notice that must not be lost: shown at once, or once the box open now has closed. A notice
  // of the same text waiting already is not added again.
  void OpenOrWait(const std::string& text, std::function<void()> show);

 private:
  void ShowWaiting();

  struct Opened {
    explicit Opened(bool& open) : m_open(open) { m_open = true; }
    ~Opened() { m_open = false; }
    Opened(const Opened&) = delete;
    Opened& operator=(const Opened&) = delete;
    bool& m_open;
  };
  bool m_open = false;
  std::deque<std::pair<std::string, std::function<void()>>> m_waiting;
};
