// "元に戻す": what the panel remembers of the windows it changed, the list's shortcut menu, Ctrl+Z,
// putting windows back and showing them as they are afterwards.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "ops/originals.h"
#include "panel/command.h"
#include "panel/failure_reports.h"
#include "platform/panel_host.h"
#include "platform/window_manager.h"

class CRestoreFlow {
 public:
  // What the flow needs of the panel.
  class IPanel {
   public:
    virtual IPanelHost& PanelHost() = 0;
    virtual int SelectedRow() const = 0;
    virtual WindowHandle TargetAt(int row) const = 0;
    virtual int RowOf(WindowHandle window) const = 0;
    // Whether the selected row still stands for the window.
    virtual bool StillSelected(WindowHandle window) const = 0;
    // Selects a row as a click does.
    virtual void SelectRow(int row) = 0;
    virtual void RefreshWindowList() = 0;
    // The selection rule: the selected row's window, or the box with `message` and nothing.
    virtual std::optional<WindowHandle> SelectedTarget(const char* message) = 0;
    virtual void RunCommand(WindowHandle target, Command command) = 0;
    virtual void StopFlashingOn(WindowHandle window) = 0;

   protected:
    ~IPanel() = default;
  };

  CRestoreFlow(IPanel& panel, IWindowManager& windows, COneBox& box)
      : m_panel(panel), m_windows(windows), m_box(box) {}

  // The memory a command on `window` keeps its states in.
  std::shared_ptr<CWindowMemory> MemoryOf(WindowHandle window);
  // The memory of a window kept already; null for one never changed.
  std::shared_ptr<CWindowMemory> KeptMemoryOf(WindowHandle window) const;
  Aspects Kept(WindowHandle window) const;
  void Forget(WindowHandle window) { m_memories.erase(window); }
  // Forgets the windows that are not among `existing` (every top-level window there is).
  void ForgetAllBut(const std::vector<WindowHandle>& existing);

  // The list's shortcut menu, at a right-click's point or, from the keyboard, at the selection.
  void OnContextMenu(std::optional<Point> screen);
  // Ctrl+Z: "元に戻す" for the selected row outside the edits; for Glazier's own window wherever
  // the focus is, while it cannot be seen. Whether the key was taken.
  bool OnKey(const KeyPress& key, bool inEdit);
  void OnRestore();
  void OnRestoreAll();

 private:
  void Restore(WindowHandle target);
  // The list and, for the window still selected, the edits, as the window is now.
  void ShowAsItIsNow(WindowHandle target);
  // One notice for what cannot be put back, which is forgotten.
  void SayLost(Aspects lost);
  bool OwnWindowInvisible();

  IPanel& m_panel;
  IWindowManager& m_windows;
  COneBox& m_box;
  std::map<WindowHandle, std::shared_ptr<CWindowMemory>> m_memories;
};
