#include "platform/dialog.h"

bool CDialog::OnInitDialog() {
  DoDataExchange();
  return true;
}

bool CDialog::PreTranslateMessage(const PlatformMessage& message) {
  return Host().PreTranslateDialogMessage(message);
}

bool CDialog::OnCommand(int id, int /*code*/) {
  if (id == wm::kIdOk) {
    OnOK();
    return true;
  }
  if (id == wm::kIdCancel) {
    OnCancel();
    return true;
  }
  return false;
}

bool CDialog::OnNotify(int /*id*/, int /*code*/, std::intptr_t* /*result*/) {
  return false;
}

void CDialog::OnOK() {
  Host().EndDialog(wm::kIdOk);
}

void CDialog::OnCancel() {
  Host().EndDialog(wm::kIdCancel);
}
