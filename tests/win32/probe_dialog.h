// A dialog for the tests: it records what reaches it and runs the test's code at its steps.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/win32/handles.h"
#include "platform/win32/modal_dialog.h"
#include "platform/win32/win32.h"

class ProbeDialog : public CDialog {
 public:
  explicit ProbeDialog(const DialogTemplate& dialogTemplate) : CDialog(dialogTemplate) {}

  std::function<void(ProbeDialog&)> onInit;
  // Sees every message of the loop first; true consumes it.
  std::function<bool(ProbeDialog&, const MSG&)> onMessage;
  std::function<void(ProbeDialog&, unsigned)> onTimer;
  // What reached the dialog, in order: "size", "init", "command <id> <code>", "notify <id>",
  // "timer <id>", "ok", "cancel".
  std::vector<std::string> events;

  HWND Window() { return ToHwnd(Host().DialogWindow()); }
  HWND Item(int id) { return ::GetDlgItem(Window(), id); }
  bool Saw(const std::string& event) const;
  int Count(const std::string& event) const;

  bool OnInitDialog() override;
  bool PreTranslateMessage(const PlatformMessage& message) override;
  bool OnCommand(int id, int code) override;
  bool OnNotify(int id, int code, std::intptr_t* result) override;
  bool OnTimer(unsigned id) override;
  bool OnSize(unsigned type, int cx, int cy) override;

 protected:
  void OnOK() override;
  void OnCancel() override;
};

// Where the dialog manager puts a control of the template, in the dialog's client pixels: it
// converts the position and the size each on its own.
Rect DialogUnitsToPixels(HWND dialog, const ControlTemplate& control);

// Runs the dialog modally with a watchdog that ends it after `seconds`, reporting a failure.
int RunProbe(ProbeDialog& dialog, HWND owner = nullptr, unsigned seconds = 10);
