#include "panel/failure_reports.h"

#include "res/messages.h"

bool CFailureReports::WorthSaying(CallFailure failure, WhenToSay whenToSay) const {
  if (failure == CallFailure::None) return false;
  if (failure == CallFailure::Closed) return true;
  // Walking the list says no refusal; the live edits say one once per selection.
  if (whenToSay == WhenToSay::ClosedOnly) return false;
  return whenToSay == WhenToSay::Always || !m_refusalSaid;
}

void CFailureReports::NoteSaid(CallFailure failure) {
  if (failure != CallFailure::Closed) m_refusalSaid = true;
}

const char* CFailureReports::TextOf(CallFailure failure) {
  return failure == CallFailure::Closed   ? msg::kWindowClosed
         : failure == CallFailure::Denied ? msg::kChangeDenied
                                          : msg::kChangeFailed;
}
