#include "panel/one_box.h"

#include <algorithm>

void COneBox::OpenOrWait(const std::string& text, std::function<void()> show) {
  if (!m_open) {
    Open(show);
    return;
  }
  const bool waiting = std::any_of(m_waiting.begin(), m_waiting.end(),
                                   [&](const auto& notice) { return notice.first == text; });
  if (!waiting) m_waiting.emplace_back(text, std::move(show));
}

void COneBox::ShowWaiting() {
  while (!m_open && !m_waiting.empty()) {
    std::function<void()> show = std::move(m_waiting.front().second);
    m_waiting.pop_front();
    const Opened opened(m_open);
    show();
  }
}
