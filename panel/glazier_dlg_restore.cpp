// "元に戻す" on the main dialog: the list's shortcut menu, Ctrl+Z, putting windows back from the
// memory of what Glazier changed, and showing them as they are afterwards.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "panel/glazier_dlg.h"
#include "res/messages.h"
#include "res/resource.h"

namespace {

// A text with the names of `aspects`, in the order of the aspects, joined by "・", in place of its
// "%s".
std::string Named(const char* text, Aspects aspects) {
  std::string names;
  for (std::size_t i = 0; i < std::size(msg::kAspectNames); ++i) {
    if (!(aspects & (1u << i))) continue;
    if (!names.empty()) names += "・";
    names += msg::kAspectNames[i];
  }
  std::string named = text;
  named.replace(named.find("%s"), 2, names);
  return named;
}

}  // namespace

bool CGlazierDlg::OnContextMenu(WindowHandle window, std::optional<Point> screen) {
  if (window != Host().GetDlgItem(IDC_WINDOW_LIST)) return false;
  int row = SelectedRow();
  Point at;
  if (screen) {
    at = *screen;
    // A right-click selects its row, as a click does; below the last row it leaves the selection
    // as it is, and the menu is for no window.
    row = Host().ListItemFromPoint(IDC_WINDOW_LIST, *screen);
    if (row >= 0 && row != SelectedRow()) SelectRow(row);
  } else {
    at = Host().ListMenuPoint(IDC_WINDOW_LIST, row);
  }
  const Aspects kept = row >= 0 ? m_memories.Kept(TargetAt(row)) : 0;
  const std::string restore = kept != 0 ? Named(msg::kRestoreNamed, kept) : msg::kRestore;
  const std::vector<MenuItem> items = {
      {ID_RESTORE, restore, kept == 0},
      {ID_RESTORE_ALL, msg::kRestoreAll, !m_memories.AnyKept()},
  };
  int chosen = 0;
  m_box.Open([&] { chosen = Host().TrackPopupMenu(IDC_WINDOW_LIST, items, at); });
  if (chosen == ID_RESTORE) OnRestore();
  if (chosen == ID_RESTORE_ALL) OnRestoreAll();
  return true;
}

bool CGlazierDlg::OnRestoreKey(const KeyPress& key) {
  if (key.key != 'Z' || !key.ctrl || key.alt || key.shift) return false;
  // A panel that cannot be seen has no list to click: Ctrl+Z brings it back from anywhere.
  if (OwnWindowInvisible()) {
    Restore(Host().DialogWindow());
    return true;
  }
  // In an edit it still undoes the typing.
  if (EditHasFocus()) return false;
  OnRestore();
  return true;
}

bool CGlazierDlg::OwnWindowInvisible() {
  const WindowHandle own = Host().DialogWindow();
  // Only Glazier makes its own window transparent.
  if (!(m_memories.Kept(own) & aspect::kOpacity)) return false;
  const auto exStyle = static_cast<std::uint32_t>(m_windows.GetWindowLong(own, wm::kGwlExStyle));
  LayeredAttributes attributes;
  return (exStyle & wm::kWsExLayered) && m_windows.GetLayeredWindowAttributes(own, attributes) &&
         (attributes.flags & wm::kLwaAlpha) && attributes.alpha == 0;
}

void CGlazierDlg::OnRestore() {
  const std::optional<WindowHandle> target = SelectedTarget(msg::kSelectTarget);
  if (target) Restore(*target);
}

void CGlazierDlg::OnRestoreAll() {
  for (const WindowHandle window : m_memories.WindowsWithKept()) Restore(window);
}

void CGlazierDlg::Restore(WindowHandle target) {
  // A window whose first change is still on its way has a memory already: the restore's job
  // runs after that change's.
  const std::shared_ptr<CWindowMemory> memory = m_memories.Find(target);
  if (!memory) return;
  StopFlashingOn(target);
  auto result = std::make_shared<CWindowMemory::Result>();
  Command restore;
  restore.operation.calls = [memory, result](IWindowManager& windows, WindowHandle target) {
    *result = memory->PutBack(windows, target);
  };
  restore.operation.tookEffect = [result](IWindowManager&, WindowHandle) { return result->took; };
  restore.report.done = [this, target, result](CallFailure failure, const SayFailure& say) {
    say(failure);
    if (result->lost != 0) SayLost(result->lost);
    if (failure == CallFailure::None && result->putBack != 0) ShowAsItIsNow(target);
  };
  RunCommand(target, std::move(restore));
}

void CGlazierDlg::SayLost(Aspects lost) {
  const std::string text = Named(msg::kCannotRestore, lost);
  m_box.OpenOrWait(text, [this, text] { Host().MessageBox(text); });
}

void CGlazierDlg::ShowAsItIsNow(WindowHandle target) {
  // The user has moved on to another row, or reads a box: the list is left as it is.
  const bool selected = StillSelected(target);
  if ((!selected && SelectedRow() != -1) || m_box.IsOpen()) return;
  RefreshWindowList();
  if (!selected) return;
  const int row = m_listed.RowOf(target);
  if (row >= 0) SelectRow(row);
}
