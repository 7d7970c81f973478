#include "panel/version_dlg.h"

#include "res/resource.h"
#include "res/templates.h"

CVersionDlg::CVersionDlg(IWindowManager& windows)
    : CDialog(VersionDialogTemplate()), m_windows(windows) {}

bool CVersionDlg::OnCommand(int id, int code) {
  if (id == IDC_HOMEPAGE && code == wm::kBnClicked) {
    OnHomePage();
    return true;
  }
  return CDialog::OnCommand(id, code);
}

void CVersionDlg::OnHomePage() {
  m_windows.ShellExecute("open", kHomePageUrl, wm::kSwShowNormal);
}
