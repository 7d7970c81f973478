#include "tests/win32/probe_dialog.h"

#include <algorithm>

#include "tests/common/harness.h"

namespace {

std::vector<ProbeDialog*> g_running;

void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD) {
  if (g_running.empty()) return;
  harness::Check(false, "the dialog did not end in time");
  g_running.back()->Host().EndDialog(-2);
}

}  // namespace

bool ProbeDialog::Saw(const std::string& event) const {
  return Count(event) > 0;
}

int ProbeDialog::Count(const std::string& event) const {
  return static_cast<int>(std::count(events.begin(), events.end(), event));
}

bool ProbeDialog::OnInitDialog() {
  events.push_back("init");
  CDialog::OnInitDialog();
  if (onInit) onInit(*this);
  return true;
}

bool ProbeDialog::PreTranslateMessage(const PlatformMessage& message) {
  if (onMessage && onMessage(*this, *static_cast<const MSG*>(message.native))) return true;
  return CDialog::PreTranslateMessage(message);
}

bool ProbeDialog::OnCommand(int id, int code) {
  events.push_back("command " + std::to_string(id) + " " + std::to_string(code));
  return CDialog::OnCommand(id, code);
}

bool ProbeDialog::OnNotify(int id, int code, std::intptr_t* result) {
  events.push_back("notify " + std::to_string(id));
  return CDialog::OnNotify(id, code, result);
}

bool ProbeDialog::OnTimer(unsigned id) {
  events.push_back("timer " + std::to_string(id));
  if (onTimer) onTimer(*this, id);
  return true;
}

bool ProbeDialog::OnSize(unsigned, int, int) {
  events.push_back("size");
  return false;
}

void ProbeDialog::OnOK() {
  events.push_back("ok");
  CDialog::OnOK();
}

void ProbeDialog::OnCancel() {
  events.push_back("cancel");
  CDialog::OnCancel();
}

Rect DialogUnitsToPixels(HWND dialog, const ControlTemplate& control) {
  RECT units{control.x, control.y, control.cx, control.cy};
  ::MapDialogRect(dialog, &units);
  return {units.left, units.top, units.left + units.right, units.top + units.bottom};
}

int RunProbe(ProbeDialog& dialog, HWND owner, unsigned seconds) {
  g_running.push_back(&dialog);
  const UINT_PTR watchdog = ::SetTimer(nullptr, 0, seconds * 1000, &Watchdog);
  const int result = RunModalDialog(dialog, owner);
  ::KillTimer(nullptr, watchdog);
  g_running.pop_back();
  return result;
}
