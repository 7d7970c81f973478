// What the panel says when a command's calls on its window failed, and when it keeps quiet.
#pragma once

#include "platform/panel_host.h"
#include "platform/window_manager.h"

// When a failure is worth a box: for every command; once per selection for the live edits, which
// apply at every keystroke; and only for a closed window while a selection loads the edits, so
// that a user who walks the list meets no box for every window run as administrator.
enum class Telling { Always, OncePerSelection, ClosedOnly };

class CFailureReports {
 public:
  // A new row is selected: its refusal has not been said yet.
  void NewSelection() { m_refusalTold = false; }
  // Shows the box for a failure of a command on the selected window, unless `telling` keeps it
  // unsaid; whether a box was shown.
  bool Report(IPanelHost& host, CallFailure failure, Telling telling);
  // The failure's box, unless one is open already (results that come back while the user reads
  // it wait for no second one); whether it was shown.
  bool Tell(IPanelHost& host, CallFailure failure);

 private:
  bool m_refusalTold = false;  // a refusal has been said for this selection
  bool m_open = false;         // a failure's box is open
};
