#include "panel/failure_reports.h"

#include <utility>

#include "res/messages.h"

bool CFailureReports::Report(IPanelHost& host, CallFailure failure, Telling telling) {
  if (failure == CallFailure::None) return false;
  if (failure != CallFailure::Closed) {
    // Once a refusal has been said for this selection, the live edits need not say it again.
    if (telling == Telling::ClosedOnly) return false;
    if (std::exchange(m_refusalTold, true) && telling == Telling::OncePerSelection) return false;
  }
  return Tell(host, failure);
}

bool CFailureReports::Tell(IPanelHost& host, CallFailure failure) {
  if (m_open) return false;
  m_open = true;
  host.MessageBox(failure == CallFailure::Closed   ? msg::kWindowClosed
                  : failure == CallFailure::Denied ? msg::kChangeDenied
                                                   : msg::kChangeFailed);
  m_open = false;
  return true;
}
