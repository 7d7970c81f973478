// What the panel says when a command's calls on its window failed, and when it keeps quiet.
#pragma once

#include "platform/window_manager.h"

// When a failure is worth a box: for every command; once per selection for the live edits, which
// apply at every keystroke; and only for a closed window while a selection loads the edits, so
// that a user who walks the list meets no box for every window run as administrator.
enum class WhenToSay { Always, OncePerSelection, ClosedOnly };

class CFailureReports {
 public:
  // A new row is selected: its refusal has not been said yet.
  void NewSelection() { m_refusalSaid = false; }
  // Whether a failure of a command on the selected window is worth its box, as `whenToSay` asks.
  // It only asks: nothing counts as said until NoteSaid.
  bool WorthSaying(CallFailure failure, WhenToSay whenToSay) const;
  // The failure's box has been shown: a refusal now counts as said for this selection.
  void NoteSaid(CallFailure failure);
  // The box's text for a failure.
  static const char* TextOf(CallFailure failure);

 private:
  bool m_refusalSaid = false;  // a refusal has been said for this selection
};
