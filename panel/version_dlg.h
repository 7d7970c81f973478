// The version box: name, version, build date and a button that opens the home page.
#pragma once

#include "platform/dialog.h"
#include "platform/window_manager.h"

class CVersionDlg : public CDialog {
 public:
  explicit CVersionDlg(IWindowManager& windows);
  bool OnCommand(int id, int code) override;

  void OnHomePage();

 private:
  IWindowManager& m_windows;
};
