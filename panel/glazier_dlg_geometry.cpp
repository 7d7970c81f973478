// The position and size page of the main dialog: the four live edits, halving, doubling and the
// move to the screen's corner, and what a selection loads into the edits.
#include <memory>
#include <optional>
#include <string>

#include "ops/geometry.h"
#include "panel/glazier_dlg.h"
#include "res/messages.h"

namespace {

// Right minus left and bottom minus top without signed overflow on absurd rectangles.
int Extent(std::int32_t low, std::int32_t high) {
  return static_cast<int>(static_cast<std::uint32_t>(high) - static_cast<std::uint32_t>(low));
}

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
  ApplyGeometryEdits(Telling::OncePerSelection, aspect::kGeometry);
}

void CGlazierDlg::ApplyGeometryEdits(Telling telling, Aspects changes) {
  const EditGeometry edits = ReadGeometryEdits();
  Command apply;
  apply.calls = [edits](IWindowManager& windows, WindowHandle target) {
    windows.SetWindowPos(target, wm::kHwndTop, edits.x, edits.y, edits.width, edits.height,
                         wm::kSwpNoActivate);
  };
  apply.changes = changes;
  apply.telling = telling;
  RunOnSelected(msg::kSelectToResize, std::move(apply));
}

CGlazierDlg::EditGeometry CGlazierDlg::ReadGeometryEdits() {
  EditGeometry edits{};
  edits.x = ReadEditNumber(Host().GetDlgItemText(IDC_X_EDIT));
  edits.y = ReadEditNumber(Host().GetDlgItemText(IDC_Y_EDIT));
  edits.width = ReadEditNumber(Host().GetDlgItemText(IDC_WIDTH_EDIT));
  edits.height = ReadEditNumber(Host().GetDlgItemText(IDC_HEIGHT_EDIT));
  return edits;
}

unsigned CGlazierDlg::AskForEdits() {
  return ++m_geometryChanges;
}

bool CGlazierDlg::EditsWaitFor(unsigned asked, WindowHandle target) const {
  return asked == m_geometryChanges && StillSelected(target);
}

void CGlazierDlg::SetEditNumber(int id, int value) {
  Host().SetDlgItemText(id, std::to_string(value));
}

void CGlazierDlg::WriteRectToEdits(const Rect& rect) {
  SetEditNumber(IDC_X_EDIT, rect.left);
  SetEditNumber(IDC_Y_EDIT, rect.top);
  SetEditNumber(IDC_WIDTH_EDIT, Extent(rect.left, rect.right));
  SetEditNumber(IDC_HEIGHT_EDIT, Extent(rect.top, rect.bottom));
}

void CGlazierDlg::ScaleSelected(bool doubling) {
  const std::optional<WindowHandle> target = SelectedTarget(msg::kSelectToResize);
  if (!target) return;
  const EditGeometry edits = ReadGeometryEdits();
  const auto scale = doubling ? DoubleExtent : HalveExtent;
  const int x = edits.x;
  const int y = edits.y;
  const int cx = scale(edits.width);
  const int cy = scale(edits.height);
  auto taken = std::make_shared<std::optional<Rect>>();
  const unsigned asked = AskForEdits();
  Command command;
  command.changes = aspect::kGeometry;
  command.calls = [x, y, cx, cy, taken](IWindowManager& windows, WindowHandle target) {
    windows.SetWindowPos(target, wm::kHwndTop, x, y, cx, cy, wm::kSwpNoActivate);
    Rect rect;
    if (windows.GetWindowRect(target, rect)) *taken = rect;
  };
  // Said first, so that the edits' own apply need not say it again. Then the edits show what the
  // window really took; a window that is gone leaves the edits as they were, and so does a late
  // answer once the edits or the selection have moved on.
  command.done = [this, target = *target, taken, asked](CallFailure failure,
                                                        const SayFailure& say) {
    say(failure);
    if (*taken && EditsWaitFor(asked, target)) WriteRectToEdits(**taken);
  };
  RunCommand(*target, std::move(command));
}

void CGlazierDlg::OnDoubleSize() {
  ScaleSelected(true);
}

void CGlazierDlg::OnHalveSize() {
  ScaleSelected(false);
}

void CGlazierDlg::OnMoveToOrigin() {
  const std::optional<WindowHandle> target = SelectedTarget(msg::kSelectToResize);
  if (!target) return;
  const int width = ReadEditNumber(Host().GetDlgItemText(IDC_WIDTH_EDIT));
  const int height = ReadEditNumber(Host().GetDlgItemText(IDC_HEIGHT_EDIT));
  Command move;
  move.changes = aspect::kGeometry;
  move.calls = [width, height](IWindowManager& windows, WindowHandle target) {
    windows.SetWindowPos(target, wm::kHwndTop, 0, 0, width, height, wm::kSwpNoActivate);
  };
  RunCommand(*target, std::move(move));
  // A window found closed has left the list: its edits are not for anything any more.
  if (!StillSelected(*target)) return;
  Host().SetDlgItemText(IDC_X_EDIT, "0");
  Host().SetDlgItemText(IDC_Y_EDIT, "0");
}

void CGlazierDlg::OnSpareButton() {
  SelectedTarget(msg::kSelectTarget);
}

void CGlazierDlg::OnGeometryEditChange() {
  ++m_geometryChanges;
  if (m_geometryLive) ApplyGeometry();
}

void CGlazierDlg::OnWindowListSelChange() {
  const int row = SelectedRow();
  if (row < 0) return;  // the list reports a change to no selection too
  Host().SetDlgItemText(IDC_TITLE_EDIT, m_list.GetText(row));

  const WindowHandle target = m_listed.WindowAt(row);
  m_reports.NewSelection();
  auto rect = std::make_shared<Rect>();
  const unsigned asked = AskForEdits();
  Command read;
  read.calls = [rect](IWindowManager& windows, WindowHandle target) {
    windows.GetWindowRect(target, *rect);
  };
  // Walking the list must not raise a box for every window run as administrator: only a window
  // that has closed is said.
  read.telling = Telling::ClosedOnly;
  read.done = [this, target, rect, asked](CallFailure failure, const SayFailure& say) {
    say(failure);
    // A late rectangle is dropped once another row is selected or the edits have changed.
    if (failure != CallFailure::None || !EditsWaitFor(asked, target)) return;
    m_geometryLive = false;
    WriteRectToEdits(*rect);
    m_geometryLive = true;
    // The window is put where it already is: nothing to keep for "元に戻す".
    ApplyGeometryEdits(Telling::ClosedOnly, 0);
  };
  RunCommand(target, std::move(read));
}
