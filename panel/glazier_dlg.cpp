#include "panel/glazier_dlg.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "ops/layered.h"
#include "ops/opacity.h"
#include "ops/shapes.h"
#include "ops/window_ops.h"
#include "panel/pages.h"
#include "panel/panel_layout.h"
#include "panel/placements.h"
#include "panel/version_dlg.h"
#include "res/messages.h"
#include "res/templates.h"

const CGlazierDlg::DispatchRow CGlazierDlg::kDispatch[] = {
    {Signal::Command, wm::kBnClicked, IDC_REFRESH, &CGlazierDlg::RefreshWindowList},
    {Signal::Command, wm::kLbnSelChange, IDC_WINDOW_LIST, &CGlazierDlg::OnWindowListSelChange},
    {Signal::Command, wm::kBnClicked, IDC_MINIMIZE, &CGlazierDlg::OnMinimize},
    {Signal::Command, wm::kBnClicked, IDC_SHOW, &CGlazierDlg::OnShow},
    {Signal::Command, wm::kBnClicked, IDC_TOPMOST, &CGlazierDlg::OnTopmost},
    {Signal::Command, wm::kBnClicked, IDC_NOTOPMOST, &CGlazierDlg::OnNoTopmost},
    {Signal::Command, wm::kBnClicked, IDC_CIRCLE, &CGlazierDlg::OnCircle},
    {Signal::Command, wm::kBnClicked, IDC_STAR, &CGlazierDlg::OnStar},
    {Signal::Command, wm::kBnClicked, IDC_PLAIN_SHAPE, &CGlazierDlg::OnPlainShape},
    {Signal::Command, wm::kBnClicked, IDC_RESIZABLE, &CGlazierDlg::OnResizable},
    {Signal::Command, wm::kBnClicked, IDC_LOCK, &CGlazierDlg::OnLock},
    {Signal::Command, wm::kBnClicked, IDC_UNLOCK, &CGlazierDlg::OnUnlock},
    {Signal::Command, wm::kBnClicked, IDC_ALPHA_APPLY, &CGlazierDlg::ApplyOpacity},
    {Signal::Command, wm::kBnClicked, IDC_FLASH, &CGlazierDlg::OnFlashToggle},
    {Signal::Command, wm::kBnClicked, IDC_TITLE_APPLY, &CGlazierDlg::ApplyTitle},
    {Signal::Command, wm::kBnClicked, IDC_GEOMETRY_APPLY, &CGlazierDlg::ApplyGeometry},
    {Signal::Command, wm::kBnClicked, IDC_DOUBLE, &CGlazierDlg::OnDoubleSize},
    {Signal::Command, wm::kBnClicked, IDC_HALVE, &CGlazierDlg::OnHalveSize},
    {Signal::Command, wm::kBnClicked, IDC_ORIGIN, &CGlazierDlg::OnMoveToOrigin},
    {Signal::Command, wm::kBnClicked, IDC_SPARE, &CGlazierDlg::OnSpareButton},
    {Signal::Command, wm::kEnChange, IDC_X_EDIT, &CGlazierDlg::OnXEditChange},
    {Signal::Command, wm::kEnChange, IDC_Y_EDIT, &CGlazierDlg::OnYEditChange},
    {Signal::Command, wm::kEnChange, IDC_WIDTH_EDIT, &CGlazierDlg::OnWidthEditChange},
    {Signal::Command, wm::kEnChange, IDC_HEIGHT_EDIT, &CGlazierDlg::OnHeightEditChange},
    {Signal::Command, wm::kBnClicked, IDC_EXIT, &CGlazierDlg::OnExit},
    {Signal::Command, 0, ID_APP_EXIT_CMD, &CGlazierDlg::OnExit},
    {Signal::Command, 0, ID_HELP_ONLINE, &CGlazierDlg::OnHelpOnline},
    {Signal::Command, 0, ID_HELP_VERSION, &CGlazierDlg::OnHelpVersion},
    {Signal::Command, 0, ID_CDTRAY_OPEN, &CGlazierDlg::OnCdTrayOpen},
    {Signal::Command, 0, ID_CDTRAY_CLOSE, &CGlazierDlg::OnCdTrayClose},
    {Signal::Command, 0, ID_RESTORE, &CGlazierDlg::OnRestore},
    {Signal::Command, 0, ID_RESTORE_ALL, &CGlazierDlg::OnRestoreAll},
    {Signal::Notify, wm::kNmReleasedCapture, IDC_ALPHA_SLIDER,
     &CGlazierDlg::OnOpacitySliderReleased},
    {Signal::Notify, wm::kTcnSelChange, IDC_TAB, &CGlazierDlg::OnTabSelChange},
};

bool CGlazierDlg::Dispatch(Signal signal, int id, int code) {
  for (const DispatchRow& row : kDispatch) {
    if (row.signal == signal && row.id == id && row.code == code) {
      (this->*row.handler)();
      return true;
    }
  }
  return false;
}

CGlazierDlg::CGlazierDlg(IWindowManager& windows, CWalkAhead* firstWalk)
    : CDialog(CPanelLayout::StartTemplate()), m_windows(windows), m_firstWalk(firstWalk) {}

void CGlazierDlg::DoDataExchange() {
  m_tab.Bind(Host(), IDC_TAB);
  m_list.Bind(Host(), IDC_WINDOW_LIST);
  m_slider.Bind(Host(), IDC_ALPHA_SLIDER);
}

bool CGlazierDlg::OnInitDialog() {
  CDialog::OnInitDialog();

  m_flash.Reset();

  // The icon comes from the module the host was created from, so it is loaded here rather
  // than in the constructor.
  m_hIcon = Host().LoadIcon(IDI_APP);
  Host().SetIcon(m_hIcon, true);
  Host().SetIcon(m_hIcon, false);

  Host().SetTimer(REFRESH_TIMER, 1000);
  const int dpi = Host().GetDpi();
  const auto pages = TabPages();
  for (std::size_t i = 0; i < pages.size(); ++i) {
    m_tab.InsertItem(static_cast<int>(i), pages[i].caption);
  }
  m_layout.Arrange(Host(), dpi);
  RefreshWindowList();
  AddLaterSetUp();
  OnTabSelChange();
  return true;
}

// What neither the first frame nor the first click needs: the places of the hidden pages'
// controls, their trackbar and up-downs, the tooltips with their 29 tools. Together they cost a
// start-up about as much as a dozen controls, so they wait until the panel is idle, or until the
// user first reaches them, whichever comes first.
void CGlazierDlg::AddLaterSetUp() {
  for (int page = 1; page < static_cast<int>(TabPages().size()); ++page) {
    m_later.Add(page, [this, page] { m_layout.PlaceHiddenPage(Host(), page); });
  }
  m_later.Add(kLaterOpacitySlider, [this] { InitOpacitySlider(); });
  m_later.Add(kLaterGeometrySpins, [this] {
    InitGeometrySpins();
    // Live only now: the up-down set-up writes "0" into the four edits, which must not reach
    // ApplyGeometry.
    m_geometryLive = true;
  });
  m_later.Add(kLaterTooltips, [this] { SetupTooltips(); });
}

bool CGlazierDlg::OnIdle() {
  return m_later.RunNext();
}

bool CGlazierDlg::PreTranslateMessage(const PlatformMessage& message) {
  // A tooltip counts the pointer's rest from the first move it is told of.
  if (Host().IsPointerMessage(message)) m_later.Need(kLaterTooltips);
  m_tip.RelayEvent(message);
  const std::optional<KeyPress> key = Host().KeyPressOf(message);
  if (key && (OnPageKey(*key) || OnRestoreKey(*key))) return true;
  return CDialog::PreTranslateMessage(message);
}

bool CGlazierDlg::OnCommand(int id, int code) {
  return Dispatch(Signal::Command, id, code) || CDialog::OnCommand(id, code);
}

bool CGlazierDlg::OnNotify(int id, int code, std::intptr_t* /*result*/) {
  return Dispatch(Signal::Notify, id, code);
}

bool CGlazierDlg::OnSize(unsigned /*type*/, int cx, int cy) {
  return m_layout.OnSize(Host(), cx, cy);
}

bool CGlazierDlg::OnDpiChanged(int dpi, const Rect& suggested) {
  return m_layout.OnDpiChanged(Host(), dpi, suggested);
}

bool CGlazierDlg::OnTimer(unsigned id) {
  if (id == FLASH_TIMER) OnFlashTimer();
  if (id == REFRESH_TIMER) OnRefreshTimer();
  return true;
}

// --- Window list -------------------------------------------------------------------------

void CGlazierDlg::RefreshWindowList() {
  if (m_firstWalk) {
    if (std::optional<CListedWindows> walked = m_firstWalk->Take()) m_listed = std::move(*walked);
    m_firstWalk = nullptr;
  }
  m_listed.Refresh(m_windows, m_list);
  // A window gone from the desktop is forgotten before its handle can be given to another.
  m_memories.ForgetAllBut(m_listed.TopLevelWindows());
}

void CGlazierDlg::OnRefreshTimer() {
  if (m_list.GetCurSel() == -1) RefreshWindowList();
}

std::optional<WindowHandle> CGlazierDlg::SelectedTarget(const char* message) {
  const WindowHandle target = m_listed.WindowAt(SelectedRow());
  if (target == 0) {
    ShowBox(message);
    return std::nullopt;
  }
  return target;
}

bool CGlazierDlg::ShowBox(const char* text) {
  return m_box.Open([this, text] { Host().MessageBox(text); });
}

bool CGlazierDlg::StillSelected(WindowHandle target) const {
  return target != 0 && m_listed.WindowAt(SelectedRow()) == target;
}

// --- Commands ----------------------------------------------------------------------------

void CGlazierDlg::RunCommand(WindowHandle target, Command command) {
  // What the job finds goes to the panel only with its result. The memory of what the window was
  // is written by the jobs on that window alone, one after another.
  auto tookEffect = std::make_shared<bool>(true);
  auto replaced = std::make_shared<bool>(false);
  std::shared_ptr<CWindowMemory> memory =
      command.operation.changes ? m_memories.Of(target) : nullptr;
  if (memory) memory->Expect(command.operation.changes);
  auto shared = std::make_shared<Command>(std::move(command));
  m_windows.RunJob(
      target,
      [target, memory, tookEffect, replaced, shared](IWindowManager& windows) {
        const Operation& operation = shared->operation;
        if (operation.sameWindowAs && !StillTheWindow(windows, target, *operation.sameWindowAs)) {
          *replaced = true;
          if (memory) memory->JobRan();
          return;
        }
        if (memory) memory->BeforeChange(windows, target, operation.changes);
        operation.calls(windows, target);
        if (memory) memory->AfterChange(windows, target, operation.changes);
        if (operation.tookEffect) *tookEffect = operation.tookEffect(windows, target);
      },
      [this, target, tookEffect, replaced, shared](CallFailure failure) {
        if (!*tookEffect) failure = std::max(failure, CallFailure::Denied);
        if (*replaced) failure = CallFailure::Closed;
        const SayFailure say = [this, target, shared](CallFailure unsaid) {
          ReportFailure(target, unsaid, *shared);
        };
        if (shared->report.done) {
          shared->report.done(failure, say);
        } else {
          say(failure);
        }
      });
}

void CGlazierDlg::RunOnSelected(const char* message, Command command) {
  const std::optional<WindowHandle> target = SelectedTarget(message);
  if (target) RunCommand(*target, std::move(command));
}

void CGlazierDlg::RunOnSelected(const char* message, Operation operation) {
  RunOnSelected(message, Command{std::move(operation), {}});
}

void CGlazierDlg::ReportFailure(WindowHandle target, CallFailure failure, const Command& command) {
  if (failure == CallFailure::Closed) m_memories.Forget(target);
  // A late result is for the selection it was asked for.
  const bool atTarget =
      StillSelected(target) || (command.report.sayAfterOwnRefresh && SelectedRow() == -1);
  if (!atTarget || !m_reports.WorthSaying(failure, command.report.whenToSay)) return;
  // Under another box or the menu it waits for that to close, and is said once.
  m_box.OpenOrWait(CFailureReports::TextOf(failure),
                   [this, failure, whenToSay = command.report.whenToSay] {
                     if (!m_reports.WorthSaying(failure, whenToSay)) return;
                     Host().MessageBox(CFailureReports::TextOf(failure));
                     m_reports.NoteSaid(failure);
                     if (failure == CallFailure::Closed) RefreshWindowList();
                   });
}

// --- Show state, z-order, lock and frame --------------------------------------------------

// Each says which operation runs on the selection, what it changes for "元に戻す" and, where its
// calls cannot tell a failure, what is read back.
void CGlazierDlg::OnMinimize() {
  RunOnSelected(msg::kSelectToMinimize, {Minimize, 0, IsMinimized});
}

void CGlazierDlg::OnShow() {
  RunOnSelected(msg::kSelectToShow, {ShowOnTop, 0});
}

void CGlazierDlg::OnTopmost() {
  // A maximized window is made normal on the way: "元に戻す" maximizes it again.
  RunOnSelected(msg::kSelectTarget, {MakeTopmost, aspect::kZOrder | aspect::kGeometry});
}

void CGlazierDlg::OnNoTopmost() {
  RunOnSelected(msg::kSelectTarget, {CancelTopmost, aspect::kZOrder});
}

void CGlazierDlg::OnResizable() {
  RunOnSelected(msg::kSelectTarget, {GiveResizableFrame, aspect::kFrame});
}

// Shown normal on the way, as always on top is.
void CGlazierDlg::OnLock() {
  const std::optional<WindowHandle> target = SelectedTarget(msg::kSelectTarget);
  if (!target) return;
  // A disabled panel takes no input at all: nothing could unlock it again.
  if (*target == Host().DialogWindow()) {
    ShowBox(msg::kCannotLockSelf);
    return;
  }
  RunCommand(*target, {{Lock, aspect::kLock | aspect::kGeometry, IsLocked}, {}});
}

void CGlazierDlg::OnUnlock() {
  RunOnSelected(msg::kSelectTarget, {Unlock, aspect::kLock | aspect::kGeometry, IsUnlocked});
}

// --- Shapes ------------------------------------------------------------------------------

void CGlazierDlg::ReshapeSelected(ShapeOfClient shape) {
  const auto reshape = [shape](IWindowManager& windows, WindowHandle target) {
    Rect client;
    windows.GetClientRect(target, client);
    SetWindowShape(windows, target, shape(windows, client));
  };
  RunOnSelected(msg::kSelectToReshape, {reshape, aspect::kShape});
}

void CGlazierDlg::OnCircle() {
  ReshapeSelected(&CreateCircleRegion);
}

void CGlazierDlg::OnStar() {
  ReshapeSelected(&CreateStarRegion);
}

void CGlazierDlg::OnPlainShape() {
  // No region at all: the window's whole shape, however large and wherever the work area lies.
  const auto unshape = [](IWindowManager& windows, WindowHandle target) {
    SetWindowShape(windows, target, 0);
  };
  RunOnSelected(msg::kSelectToReshape, {unshape, aspect::kShape});
}

// --- Title -------------------------------------------------------------------------------

void CGlazierDlg::ApplyTitle() {
  const std::optional<WindowHandle> target = SelectedTarget(msg::kSelectToRetitle);
  if (!target) return;
  // The list is refreshed once the window has its title. A window slower than the panel's wait
  // gets a refresh at once as well, which ends the selection as the command always does; its
  // failure is still said when it comes, and the late refresh follows, unless a row has been
  // selected since.
  enum class Stage { Asked, Late, Done };
  auto stage = std::make_shared<Stage>(Stage::Asked);
  Command retitle;
  retitle.operation.changes = aspect::kTitle;
  retitle.report.sayAfterOwnRefresh = true;
  retitle.operation.calls = [text = Host().GetDlgItemText(IDC_TITLE_EDIT)](IWindowManager& windows,
                                                                           WindowHandle target) {
    windows.SetWindowText(target, text);
  };
  retitle.report.done = [this, stage](CallFailure failure, const SayFailure& say) {
    say(failure);
    // Not under a box the user is reading: the timer refreshes the list once it is closed.
    if (*stage == Stage::Asked || (SelectedRow() == -1 && !m_box.IsOpen())) RefreshWindowList();
    *stage = Stage::Done;
  };
  RunCommand(*target, std::move(retitle));
  if (*stage == Stage::Asked) {
    *stage = Stage::Late;
    RefreshWindowList();
  }
}

void CGlazierDlg::OnOK() {
  // Enter applies what the focused control is about and never closes the dialog.
  if (Host().GetFocus() == Host().GetDlgItem(IDC_TITLE_EDIT)) {
    ApplyTitle();
    return;
  }
  if (Host().GetFocus() == Host().GetDlgItem(IDC_ALPHA_EDIT)) {
    ApplyOpacity();
    return;
  }
  if (Host().GetFocus() == Host().GetDlgItem(IDC_ALPHA_SLIDER)) ApplyOpacity();
}

// --- Pages -------------------------------------------------------------------------------

// The controls of every other page are hidden, then the selected page's shown; a control of the
// selected page is never hidden on the way, so nothing flickers and a page shown already costs
// nothing. The focus does not stay behind on a hidden control, where keys would go unseen.
void CGlazierDlg::OnTabSelChange() {
  const int index = m_tab.GetCurSel();
  const auto pages = TabPages();
  // Read before the hiding, which may hand the focus to the dialog itself.
  const WindowHandle focus = Host().GetFocus();
  bool focusHidden = false;
  for (std::size_t page = 0; page < pages.size(); ++page) {
    if (static_cast<int>(page) == index) continue;
    for (int id : pages[page].controls) {
      const WindowHandle control = Host().GetDlgItem(id);
      focusHidden = focusHidden || control == focus;
      Host().ShowWindow(control, wm::kSwHide);
    }
  }
  if (index < 0 || static_cast<std::size_t>(index) >= pages.size()) return;
  NeedPage(index);
  const std::span<const int> shown = pages[static_cast<std::size_t>(index)].controls;
  for (int id : shown) Host().ShowWindow(Host().GetDlgItem(id), wm::kSwShow);
  if (focusHidden) FocusFirstControlOf(shown);
}

// The first control of the page as it reads, from the top left, among those that take the focus.
void CGlazierDlg::FocusFirstControlOf(std::span<const int> page) {
  WindowHandle first = 0;
  Rect firstRect;
  for (int id : page) {
    const ControlTemplate* control = Template().Find(id);
    if (!control || !(control->style & wm::kWsTabStop)) continue;
    const WindowHandle window = Host().GetDlgItem(id);
    Rect rect;
    if (!Host().GetWindowPlacement(window, rect)) continue;
    if (first == 0 || std::pair(rect.top, rect.left) < std::pair(firstRect.top, firstRect.left)) {
      first = window;
      firstRect = rect;
    }
  }
  if (first != 0) Host().FocusControl(first);
}

namespace {

// Ctrl+Tab and Ctrl+PageDown: the next page; Ctrl+Shift+Tab and Ctrl+PageUp: the one before. 0
// for any other key.
int PageStepOf(const KeyPress& key) {
  if (!key.ctrl || key.alt) return 0;
  if (key.key == wm::kVkTab) return key.shift ? -1 : 1;
  if (key.key == wm::kVkPageDown) return 1;
  if (key.key == wm::kVkPageUp) return -1;
  return 0;
}

}  // namespace

// The pages turn from the keyboard as in the system's own tabbed dialogs, round at both ends and
// wherever the focus is: taken before the focused control and the dialog manager (for which
// Ctrl+Tab is Tab) see the key. The tab control is told as its own keys tell it, so the page
// changes exactly as for a click on its tab.
bool CGlazierDlg::OnPageKey(const KeyPress& key) {
  const int step = PageStepOf(key);
  if (step == 0) return false;
  const int count = static_cast<int>(TabPages().size());
  m_tab.SelectAsUser((m_tab.GetCurSel() + step + count) % count);
  return true;
}

// A page shows its controls in their places and set up, the first time as every time.
void CGlazierDlg::NeedPage(int index) {
  m_later.Need(index);
  if (index == PageOf(IDC_ALPHA_SLIDER)) m_later.Need(kLaterOpacitySlider);
  if (index == PageOf(IDC_X_SPIN)) m_later.Need(kLaterGeometrySpins);
}

void CGlazierDlg::SetupTooltips() {
  m_tip.Create(Host());
  m_tip.SetTipBkColor(kTooltipBkColor);
  m_tip.SetTipTextColor(kTooltipTextColor);
  for (const TooltipEntry& tool : Tooltips()) {
    m_tip.AddTool(Host().GetDlgItem(tool.controlId), tool.text);
  }
  m_tip.Activate(true);
}

// --- Putting windows back ----------------------------------------------------------------

bool CGlazierDlg::EditHasFocus() {
  static constexpr int kEdits[] = {IDC_TITLE_EDIT, IDC_ALPHA_EDIT, IDC_X_EDIT,
                                   IDC_Y_EDIT,     IDC_WIDTH_EDIT, IDC_HEIGHT_EDIT};
  const WindowHandle focus = Host().GetFocus();
  return focus != 0 && std::any_of(std::begin(kEdits), std::end(kEdits),
                                   [&](int id) { return Host().GetDlgItem(id) == focus; });
}

void CGlazierDlg::SelectRow(int row) {
  m_list.SetCurSel(row);
  OnWindowListSelChange();
}

void CGlazierDlg::StopFlashingOn(WindowHandle window) {
  if (m_flash.KeepsTo(window)) StopFlashing();
}

// --- Painting ----------------------------------------------------------------------------

bool CGlazierDlg::OnPaint() {
  if (!Host().IsIconic()) return false;
  const PaintContext dc = Host().BeginPaint();
  Host().EraseIconBackground(dc);
  const int iconWidth = Host().GetSystemMetrics(wm::kSmCxIcon);
  const int iconHeight = Host().GetSystemMetrics(wm::kSmCyIcon);
  Rect client;
  Host().GetClientRect(client);
  const Point origin = IconOrigin(client.Width(), client.Height(), iconWidth, iconHeight);
  Host().DrawIcon(dc, origin.x, origin.y, m_hIcon);
  Host().EndPaint(dc);
  return true;
}

IconHandle CGlazierDlg::OnQueryDragIcon() {
  return m_hIcon;
}

// --- Application commands ----------------------------------------------------------------

void CGlazierDlg::OnExit() {
  Host().Exit(0);
}

void CGlazierDlg::OnCancel() {
  OnExit();
}

void CGlazierDlg::OnHelpOnline() {
  m_windows.ShellExecute("open", kProductPageUrl, wm::kSwShowNormal);
}

void CGlazierDlg::OnHelpVersion() {
  CVersionDlg version(m_windows);
  m_box.Open([&] { Host().RunModal(version); });
}

void CGlazierDlg::OnCdTrayOpen() {
  m_windows.MciSendString(msg::kCdTrayOpen, Host().DialogWindow());
}

void CGlazierDlg::OnCdTrayClose() {
  m_windows.MciSendString(msg::kCdTrayClose, Host().DialogWindow());
}
