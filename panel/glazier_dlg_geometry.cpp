// The position and size page of the main dialog: the four live edits, halving, doubling and the
// move to the screen's corner, and what a selection loads into the edits.
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "ops/geometry.h"
#include "panel/glazier_dlg.h"
#include "res/messages.h"

namespace {

constexpr int kEditIds[kGeometryEdits] = {IDC_X_EDIT, IDC_Y_EDIT, IDC_WIDTH_EDIT, IDC_HEIGHT_EDIT};

}  // namespace

// --- Position and size -------------------------------------------------------------------

void CGlazierDlg::InitGeometrySpins() {
  Rect work;
  m_windows.GetWorkArea(work);
  struct Spin {
    int spin;
    int edit;
    bool horizontal;
  };
  constexpr Spin kSpins[] = {{IDC_X_SPIN, IDC_X_EDIT, true},
                             {IDC_WIDTH_SPIN, IDC_WIDTH_EDIT, true},
                             {IDC_Y_SPIN, IDC_Y_EDIT, false},
                             {IDC_HEIGHT_SPIN, IDC_HEIGHT_EDIT, false}};
  for (const Spin& spin : kSpins) {
    Host().UpDownSetBase(spin.spin, 10);
    Host().UpDownSetBuddy(spin.spin, Host().GetDlgItem(spin.edit));
    Host().UpDownSetRange(spin.spin, 0, spin.horizontal ? work.right : work.bottom);
    Host().UpDownSetPos(spin.spin, 0);
  }
}

void CGlazierDlg::ApplyGeometry() {
  // The edits apply at every keystroke and step: a refusal is said once per selection.
  RunOnEdits(WhenToSay::OncePerSelection, ApplyGeometryTexts);
}

void CGlazierDlg::RunOnEdits(WhenToSay whenToSay, GeometryStep step) {
  const std::optional<WindowHandle> target = SelectedTarget(msg::kSelectToResize);
  if (!target) return;
  if (!m_geometryDraft || m_draftWindow != *target) StartDraft(*target);
  Command command;
  command.operation.changes = aspect::kGeometry;
  command.report.whenToSay = whenToSay;
  RunOnDraft(*target, std::move(command), std::move(step));
}

// A window that answers late still takes its commands in the order they were given, each on its
// worker after the one before: the step sees the edits as the steps before it left them, rather
// than what the edits showed when the button was pressed.
void CGlazierDlg::RunOnDraft(WindowHandle target, Command command, GeometryStep step) {
  auto draft = m_geometryDraft;
  auto shown = std::make_shared<GeometryTexts>();
  const unsigned asked = ++m_geometryAsked;
  command.operation.sameWindowAs = m_draftIds;
  command.operation.calls = [draft, shown, step = std::move(step)](IWindowManager& windows,
                                                                   WindowHandle target) {
    step(windows, target, *draft);
    *shown = *draft;
  };
  // Only the answer of the last step asked is shown: the ones before it are on their way to it,
  // and what was typed meanwhile is in it already. A window that is gone has left the list.
  command.report.done = [this, draft, shown, asked](CallFailure failure, const SayFailure& say) {
    say(failure);
    if (failure == CallFailure::Closed || asked != m_geometryAsked || draft != m_geometryDraft) {
      return;
    }
    ShowGeometryTexts(*shown);
  };
  RunCommand(target, std::move(command));
}

void CGlazierDlg::StartDraft(WindowHandle target) {
  // The up-downs write their first "0" into the edits before any window's place.
  m_later.Need(kLaterGeometrySpins);
  GeometryTexts texts;
  for (int edit = 0; edit < kGeometryEdits; ++edit) {
    texts[edit] = Host().GetDlgItemText(kEditIds[edit]);
  }
  m_geometryDraft = std::make_shared<GeometryTexts>(std::move(texts));
  m_draftWindow = target;
  m_draftIds = std::make_shared<WindowIds>();
}

void CGlazierDlg::ShowGeometryTexts(const GeometryTexts& texts) {
  // The window has had every one of these applied already. An edit that shows its text is left
  // alone, so that typing in it goes on where it was.
  const bool writing = std::exchange(m_writingEdits, true);
  for (int edit = 0; edit < kGeometryEdits; ++edit) {
    const int id = kEditIds[edit];
    if (Host().GetDlgItemText(id) != texts[edit]) Host().SetDlgItemText(id, texts[edit]);
  }
  m_writingEdits = writing;
}

void CGlazierDlg::OnDoubleSize() {
  RunOnEdits(WhenToSay::Always,
             [](IWindowManager& windows, WindowHandle target, GeometryTexts& texts) {
               ScaleGeometry(windows, target, texts, true);
             });
}

void CGlazierDlg::OnHalveSize() {
  RunOnEdits(WhenToSay::Always,
             [](IWindowManager& windows, WindowHandle target, GeometryTexts& texts) {
               ScaleGeometry(windows, target, texts, false);
             });
}

void CGlazierDlg::OnMoveToOrigin() {
  RunOnEdits(WhenToSay::Always, MoveGeometryToOrigin);
}

void CGlazierDlg::OnSpareButton() {
  SelectedTarget(msg::kSelectTarget);
}

void CGlazierDlg::OnXEditChange() {
  OnGeometryEditChange(kLeftEdit);
}

void CGlazierDlg::OnYEditChange() {
  OnGeometryEditChange(kTopEdit);
}

void CGlazierDlg::OnWidthEditChange() {
  OnGeometryEditChange(kWidthEdit);
}

void CGlazierDlg::OnHeightEditChange() {
  OnGeometryEditChange(kHeightEdit);
}

void CGlazierDlg::OnGeometryEditChange(GeometryEdit edit) {
  if (!m_geometryLive || m_writingEdits) return;
  // What was typed goes to the window as typed, with the other edits as the steps before it
  // leave them.
  RunOnEdits(WhenToSay::OncePerSelection,
             [edit, text = Host().GetDlgItemText(kEditIds[edit])](
                 IWindowManager& windows, WindowHandle target, GeometryTexts& texts) {
               WriteGeometryText(windows, target, texts, edit, text);
             });
}

void CGlazierDlg::OnWindowListSelChange() {
  const int row = SelectedRow();
  if (row < 0) return;  // the list reports a change to no selection too
  Host().SetDlgItemText(IDC_TITLE_EDIT, m_list.GetText(row));

  const WindowHandle target = m_listed.WindowAt(row);
  m_reports.NewSelection();
  StartDraft(target);
  // Walking the list must not raise a box for every window run as administrator: only a window
  // that has closed is said. The window is put where it already is: nothing to keep for
  // "元に戻す".
  Command load;
  load.report.whenToSay = WhenToSay::ClosedOnly;
  RunOnDraft(target, std::move(load),
             [](IWindowManager& windows, WindowHandle target, GeometryTexts& texts) {
               LoadGeometryTexts(windows, target, texts);
             });
}
