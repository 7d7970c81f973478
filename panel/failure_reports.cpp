#include "panel/failure_reports.h"

#include <algorithm>

#include "res/messages.h"

bool CFailureReports::Due(CallFailure failure, Telling telling) const {
  if (failure == CallFailure::None) return false;
  if (failure == CallFailure::Closed) return true;
  // Walking the list says no refusal; the live edits say one once per selection.
  if (telling == Telling::ClosedOnly) return false;
  return telling == Telling::Always || !m_refusalSaid;
}

void CFailureReports::Said(CallFailure failure) {
  if (failure != CallFailure::Closed) m_refusalSaid = true;
}

const char* CFailureReports::TextOf(CallFailure failure) {
  return failure == CallFailure::Closed   ? msg::kWindowClosed
         : failure == CallFailure::Denied ? msg::kChangeDenied
                                          : msg::kChangeFailed;
}

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
