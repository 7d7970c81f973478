// The one box the panel shows at a time.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <utility>

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
