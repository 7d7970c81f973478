// The main dialog: its controls, its dispatch table and every handler, one class over several
// files by concern: glazier_dlg.cpp (the list, the commands, the pages), glazier_dlg_opacity.cpp
// (opacity and flashing), glazier_dlg_geometry.cpp (position and size) and glazier_dlg_restore.cpp
// ("元に戻す": the list's menu, Ctrl+Z, putting windows back). The layout, the flashing, what a
// failed command says and the memory of the windows changed are small objects it owns.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ops/geometry.h"
#include "ops/window_memory.h"
#include "panel/command.h"
#include "panel/failure_reports.h"
#include "panel/flashing.h"
#include "panel/later_setup.h"
#include "panel/one_box.h"
#include "panel/panel_layout.h"
#include "platform/dialog.h"
#include "platform/window_manager.h"
#include "res/resource.h"
#include "targets/window_list.h"

class CGlazierDlg : public CDialog {
 public:
  static constexpr unsigned FLASH_TIMER = 1;
  static constexpr unsigned REFRESH_TIMER = 2;
  static constexpr std::size_t kMaxTargets = CListedWindows::kMaxRows;

  // `firstWalk`, when given, walks the windows for the first list while the panel is built.
  explicit CGlazierDlg(IWindowManager& windows, CWalkAhead* firstWalk = nullptr);

  bool OnInitDialog() override;
  bool OnIdle() override;
  bool PreTranslateMessage(const PlatformMessage& message) override;
  bool OnCommand(int id, int code) override;
  bool OnNotify(int id, int code, std::intptr_t* result) override;
  bool OnTimer(unsigned id) override;
  bool OnSize(unsigned type, int cx, int cy) override;
  bool OnPaint() override;
  IconHandle OnQueryDragIcon() override;
  bool OnDpiChanged(int dpi, const Rect& suggested) override;
  bool OnContextMenu(WindowHandle window, std::optional<Point> screen) override;

  // Read by tests only, but for SelectedRow, which the dialog reads as well.
  int SelectedRow() const { return m_list.GetCurSel(); }
  WindowHandle TargetAt(int row) const { return m_listed.WindowAt(row); }
  int TargetCount() const { return m_list.GetCount(); }
  WindowHandle FlashedWindow() const { return m_flash.Window(); }
  Aspects KeptAspects(WindowHandle window) const { return m_memories.Kept(window); }
  bool IsFlashing() const { return m_flash.IsOn(); }

 protected:
  void DoDataExchange() override;
  void OnOK() override;
  void OnCancel() override;

 private:
  // One row of the dispatch table: a notification from a control (or a menu command) and the
  // member that handles it. The table is the dialog's wiring diagram.
  enum class Signal { Command, Notify };
  struct DispatchRow {
    Signal signal;
    int code;
    int id;
    void (CGlazierDlg::*handler)();
  };
  static const DispatchRow kDispatch[];
  bool Dispatch(Signal signal, int id, int code);

  // Window list and selection.
  void RefreshWindowList();
  void OnRefreshTimer();

  // Show state, z-order, lock and frame.
  void OnMinimize();
  void OnShow();
  void OnTopmost();
  void OnNoTopmost();
  void OnResizable();
  void OnLock();
  void OnUnlock();

  // Shapes.
  void OnCircle();
  void OnStar();
  void OnPlainShape();

  // Opacity and flashing.
  void InitOpacitySlider();
  void OnOpacitySliderReleased();
  void ApplyOpacity();
  void OnFlashToggle();
  void StopFlashing();
  void OnFlashTimer();

  // Title.
  void ApplyTitle();

  // Position and size.
  void InitGeometrySpins();
  void ApplyGeometry();
  void OnDoubleSize();
  void OnHalveSize();
  void OnMoveToOrigin();
  void OnSpareButton();
  void OnXEditChange();
  void OnYEditChange();
  void OnWidthEditChange();
  void OnHeightEditChange();
  void OnGeometryEditChange(GeometryEdit edit);
  void OnWindowListSelChange();

  // Panel: pages.
  void OnTabSelChange();
  bool OnPageKey(const KeyPress& key);
  void FocusFirstControlOf(std::span<const int> page);
  // What the first input does not need waits for the panel's first idle moment or its first need
  // (m_later): the places of the hidden pages' controls (keyed by the page's index), the opacity
  // page's trackbar, the position and size page's up-downs, the tooltips.
  enum LaterStep : int { kLaterOpacitySlider = 100, kLaterGeometrySpins, kLaterTooltips };
  void AddLaterSetUp();
  void NeedPage(int index);

  // "元に戻す" (glazier_dlg_restore.cpp): the list's shortcut menu, its items and Ctrl+Z.
  void OnRestore();
  void OnRestoreAll();
  // Ctrl+Z: "元に戻す" for the selected row outside the edits; for Glazier's own window wherever
  // the focus is, while it cannot be seen. Whether the key was taken.
  bool OnRestoreKey(const KeyPress& key);
  void Restore(WindowHandle target);
  // The list and, for the window still selected, the edits, as the window is now.
  void ShowAsItIsNow(WindowHandle target);
  // One notice for what cannot be put back, which is forgotten.
  void SayLost(Aspects lost);
  bool OwnWindowInvisible();
  bool EditHasFocus();
  // Selects a row as a click does.
  void SelectRow(int row);
  void StopFlashingOn(WindowHandle window);

  // Application commands.
  void OnExit();
  void OnHelpOnline();
  void OnHelpVersion();
  void OnCdTrayOpen();
  void OnCdTrayClose();

  // The selection rule: the selected row's target, or the message box and nothing.
  std::optional<WindowHandle> SelectedTarget(const char* message);
  // Every box of the panel, one at a time; whether it was shown.
  bool ShowBox(const char* text);

  // Every command goes through RunCommand, which says its failure.
  void RunCommand(WindowHandle target, Command command);
  // The selection rule, then the command on the selected window.
  void RunOnSelected(const char* message, Command command);
  void RunOnSelected(const char* message, Operation operation);
  // Says what stopped a command on `target`, if it is still the window the user is at; under an
  // open box, once that box has closed. A closed window is forgotten at once, and leaves the list
  // (a refresh) once its box has been shown.
  void ReportFailure(WindowHandle target, CallFailure failure, const Command& command);
  // Whether the selected row still stands for the window: a result that comes back late is for
  // the selection it was asked for.
  bool StillSelected(WindowHandle target) const;
  // A command of the position and size page: its step works on the edits as the commands before
  // it on the window left them, and the edits show them once the last command asked is back.
  using GeometryStep = std::function<void(IWindowManager&, WindowHandle, GeometryTexts&)>;
  void RunOnEdits(WhenToSay whenToSay, GeometryStep step);
  void RunOnDraft(WindowHandle target, Command command, GeometryStep step);
  void StartDraft(WindowHandle target);
  void ShowGeometryTexts(const GeometryTexts& texts);
  void SetupTooltips();
  // Clips the selected window to a region made from its client rectangle.
  using ShapeOfClient = RegionHandle (*)(IWindowManager& windows, const Rect& client);
  void ReshapeSelected(ShapeOfClient shape);

  IWindowManager& m_windows;

  CTabCtrl m_tab;
  CListBox m_list;
  CSliderCtrl m_slider;
  CToolTipCtrl m_tip;
  IconHandle m_hIcon = 0;

  CListedWindows m_listed;  // what the list box shows and the windows its rows stand for
  CWalkAhead* m_firstWalk;  // taken by the first refresh

  CFlashing m_flash;

  bool m_geometryLive = false;  // the position and size edits apply as they change
  bool m_writingEdits = false;  // their changes are the panel's own, which apply nothing
  CFailureReports m_reports;
  COneBox m_box;
  CWindowMemories m_memories;  // of the windows changed, for "元に戻す"
  // The position and size edits of the latest selection, as its window's jobs leave them, and
  // the count of those jobs asked, so that only the last one's answer reaches the edits.
  std::shared_ptr<GeometryTexts> m_geometryDraft;
  WindowHandle m_draftWindow = 0;
  std::shared_ptr<WindowIds> m_draftIds;  // of the window the draft was started on
  unsigned m_geometryAsked = 0;

  CPanelLayout m_layout;
  CLaterSetUp m_later;
};
