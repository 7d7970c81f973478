#include "panel/restore_flow.h"

#include <algorithm>
#include <string>

#include "res/messages.h"
#include "res/resource.h"

namespace {

// A text with the names of `aspects` in place of its "%s".
std::string Named(const char* text, Aspects aspects) {
  std::string named = text;
  named.replace(named.find("%s"), 2, AspectNames(aspects));
  return named;
}

}  // namespace

std::shared_ptr<CWindowMemory> CRestoreFlow::MemoryOf(WindowHandle window) {
  std::shared_ptr<CWindowMemory>& memory = m_memories[window];
  if (!memory) memory = std::make_shared<CWindowMemory>();
  return memory;
}

std::shared_ptr<CWindowMemory> CRestoreFlow::KeptMemoryOf(WindowHandle window) const {
  const auto found = m_memories.find(window);
  return found == m_memories.end() ? nullptr : found->second;
}

Aspects CRestoreFlow::Kept(WindowHandle window) const {
  const std::shared_ptr<CWindowMemory> memory = KeptMemoryOf(window);
  return memory ? memory->Kept() : 0;
}

void CRestoreFlow::ForgetAllBut(const std::vector<WindowHandle>& existing) {
  std::erase_if(m_memories, [&existing](const auto& entry) {
    return std::find(existing.begin(), existing.end(), entry.first) == existing.end();
  });
}

void CRestoreFlow::OnContextMenu(std::optional<Point> screen) {
  IPanelHost& host = m_panel.PanelHost();
  int row = m_panel.SelectedRow();
  Point at;
  if (screen) {
    at = *screen;
    // A right-click selects its row, as a click does; below the last row it leaves the selection
    // as it is, and the menu is for no window.
    row = host.ListItemFromPoint(IDC_WINDOW_LIST, *screen);
    if (row >= 0 && row != m_panel.SelectedRow()) m_panel.SelectRow(row);
  } else {
    at = host.ListMenuPoint(IDC_WINDOW_LIST, row);
  }
  const Aspects kept = row >= 0 ? Kept(m_panel.TargetAt(row)) : 0;
  const std::string restore = kept != 0 ? Named(msg::kRestoreNamed, kept) : msg::kRestore;
  const bool anyKept = std::any_of(m_memories.begin(), m_memories.end(),
                                   [](const auto& entry) { return entry.second->Kept() != 0; });
  const std::vector<MenuItem> items = {
      {ID_RESTORE, restore, kept == 0},
      {ID_RESTORE_ALL, msg::kRestoreAll, !anyKept},
  };
  int chosen = 0;
  m_box.Open([&] { chosen = host.TrackPopupMenu(IDC_WINDOW_LIST, items, at); });
  if (chosen == ID_RESTORE) OnRestore();
  if (chosen == ID_RESTORE_ALL) OnRestoreAll();
}

bool CRestoreFlow::OnKey(const KeyPress& key, bool inEdit) {
  if (key.key != 'Z' || !key.ctrl || key.alt || key.shift) return false;
  // A panel that cannot be seen has no list to click: Ctrl+Z brings it back from anywhere.
  if (OwnWindowInvisible()) {
    Restore(m_panel.PanelHost().DialogWindow());
    return true;
  }
  // In an edit it still undoes the typing.
  if (inEdit) return false;
  OnRestore();
  return true;
}

bool CRestoreFlow::OwnWindowInvisible() {
  const WindowHandle own = m_panel.PanelHost().DialogWindow();
  // Only Glazier makes its own window transparent.
  if (!(Kept(own) & aspect::kOpacity)) return false;
  const auto exStyle = static_cast<std::uint32_t>(m_windows.GetWindowLong(own, wm::kGwlExStyle));
  LayeredAttributes attributes;
  return (exStyle & wm::kWsExLayered) && m_windows.GetLayeredWindowAttributes(own, attributes) &&
         (attributes.flags & wm::kLwaAlpha) && attributes.alpha == 0;
}

void CRestoreFlow::OnRestore() {
  const std::optional<WindowHandle> target = m_panel.SelectedTarget(msg::kSelectTarget);
  if (target) Restore(*target);
}

void CRestoreFlow::OnRestoreAll() {
  std::vector<WindowHandle> kept;
  for (const auto& [window, memory] : m_memories) {
    if (memory->Kept() != 0) kept.push_back(window);
  }
  for (const WindowHandle window : kept) Restore(window);
}

void CRestoreFlow::Restore(WindowHandle target) {
  // A window whose first change is still on its way has a memory already: the restore's job
  // runs after that change's.
  const std::shared_ptr<CWindowMemory> memory = KeptMemoryOf(target);
  if (!memory) return;
  m_panel.StopFlashingOn(target);
  auto result = std::make_shared<CWindowMemory::Result>();
  Command restore;
  restore.calls = [memory, result](IWindowManager& windows, WindowHandle target) {
    *result = memory->PutBack(windows, target);
  };
  restore.tookEffect = [result](IWindowManager&, WindowHandle) { return result->took; };
  restore.done = [this, target, result](CallFailure failure, const SayFailure& say) {
    say(failure);
    if (result->lost != 0) SayLost(result->lost);
    if (failure == CallFailure::None && result->putBack != 0) ShowAsItIsNow(target);
  };
  m_panel.RunCommand(target, std::move(restore));
}

void CRestoreFlow::SayLost(Aspects lost) {
  const std::string text = Named(msg::kCannotRestore, lost);
  m_box.OpenOrWait(text, [this, text] { m_panel.PanelHost().MessageBox(text); });
}

void CRestoreFlow::ShowAsItIsNow(WindowHandle target) {
  // The user has moved on to another row, or reads a box: the list is left as it is.
  const bool selected = m_panel.StillSelected(target);
  if ((!selected && m_panel.SelectedRow() != -1) || m_box.IsOpen()) return;
  m_panel.RefreshWindowList();
  if (!selected) return;
  const int row = m_panel.RowOf(target);
  if (row >= 0) m_panel.SelectRow(row);
}
