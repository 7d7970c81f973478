// The main dialog on a fake desktop, started the way the platform starts it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/call_log.h"
#include "fakes/fake_panel_host.h"
#include "fakes/fake_window_manager.h"
#include "panel/glazier_dlg.h"
#include "res/messages.h"
#include "res/resource.h"
#include "res/templates.h"

using Calls = std::vector<std::string>;

class GlazierTest : public ::testing::Test {
 protected:
  // Three listed windows, top first, with an untitled and a hidden window among them.
  void AddUsualWindows() {
    notepad = windows.AddWindow("メモ帳", true, {100, 50, 900, 650}, 784, 553);
    windows.AddWindow("", true);
    calc = windows.AddWindow("電卓", true, {300, 200, 560, 480}, 254, 251);
    windows.AddWindow("Hidden tool", false);
    paint = windows.AddWindow("ペイント", true, {0, 0, 640, 480}, 624, 421);
  }

  void Start() { host.Create(dialog); }

  // Selects a row the way the user does and forgets the calls the selection made.
  void Select(int row) {
    host.SelectRow(row);
    Forget();
  }

  void Forget() {
    windows.ClearLog();
    host.ClearLog();
  }

  // The places the windows were given, in order: what a user sees of the position and size
  // page's commands.
  Calls PlacesGiven() {
    Calls calls;
    for (const std::string& call : windows.Log()) {
      if (call.rfind("SetWindowPos", 0) == 0) calls.push_back(call);
    }
    return calls;
  }

  std::vector<std::string> Rows() { return host.Control(IDC_WINDOW_LIST).rows; }
  std::string Text(int id) { return host.Control(id).text; }

  CFakeWindowManager windows;
  CGlazierDlg dialog{windows};
  CFakePanelHost host{dialog.Template()};  // the template the platform creates it from
  WindowHandle notepad = 0, calc = 0, paint = 0;
};

using fake::H;  // "h=101": how the fake window manager's log names a window

// Whether `expected` appears in `log` in order, other entries allowed in between.
inline ::testing::AssertionResult InOrder(const Calls& log, const Calls& expected) {
  std::size_t next = 0;
  for (const std::string& entry : log) {
    if (next < expected.size() && entry == expected[next]) ++next;
  }
  if (next == expected.size()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "missing, in order from: " << expected[next];
}

inline int Count(const Calls& log, const std::string& prefix) {
  int n = 0;
  for (const std::string& entry : log) n += entry.rfind(prefix, 0) == 0 ? 1 : 0;
  return n;
}
