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
#include "panel/layout.h"
#include "panel/pages.h"
#include "panel/panel_layout.h"
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

CGlazierDlg::CGlazierDlg(IWindowManager& windows)
    : CDialog(CPanelLayout::StartTemplate()), m_windows(windows) {}

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
  if (key && (OnPageKey(*key) || m_restore.OnKey(*key, EditHasFocus()))) return true;
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
  m_listed.Refresh(m_windows, m_list);
  // A window gone from the desktop is forgotten before its handle can be given to another.
  m_restore.ForgetAllBut(m_listed.TopLevelWindows());
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
  std::shared_ptr<CWindowMemory> memory = command.changes ? m_restore.MemoryOf(target) : nullptr;
  if (memory) memory->Expect(command.changes);
  auto shared = std::make_shared<Command>(std::move(command));
  m_windows.RunJob(
      target,
      [target, memory, tookEffect, replaced, shared](IWindowManager& windows) {
        const Command& command = *shared;
        if (command.sameWindowAs && !StillTheWindow(windows, target, *command.sameWindowAs)) {
          *replaced = true;
          if (memory) memory->JobRan();
          return;
        }
        if (memory) memory->BeforeChange(windows, target, command.changes);
        command.calls(windows, target);
        if (memory) memory->AfterChange(windows, target, command.changes);
        if (command.tookEffect) *tookEffect = command.tookEffect(windows, target);
      },
      [this, target, tookEffect, replaced, shared](CallFailure failure) {
        if (!*tookEffect) failure = std::max(failure, CallFailure::Denied);
        if (*replaced) failure = CallFailure::Closed;
        const SayFailure say = [this, target, shared](CallFailure unsaid) {
          ReportFailure(target, unsaid, *shared);
        };
        if (shared->done) {
          shared->done(failure, say);
        } else {
          say(failure);
        }
      });
}

void CGlazierDlg::RunOnSelected(const char* message, Command command) {
  const std::optional<WindowHandle> target = SelectedTarget(message);
  if (target) RunCommand(*target, std::move(command));
}

void CGlazierDlg::RunOnSelected(const char* message, CallsOnTarget calls, Aspects changes) {
  Command command;
  command.calls = std::move(calls);
  command.changes = changes;
  RunOnSelected(message, std::move(command));
}

void CGlazierDlg::ReportFailure(WindowHandle target, CallFailure failure, const Command& command) {
  if (failure == CallFailure::Closed) m_restore.Forget(target);
  // A late result is for the selection it was asked for.
  const bool atTarget =
      StillSelected(target) || (command.saidUnlessReselected && SelectedRow() == -1);
  if (!atTarget || !m_reports.Due(failure, command.telling)) return;
  // Under another box or the menu it waits for that to close, and is said once.
  m_box.OpenOrWait(CFailureReports::TextOf(failure), [this, failure, telling = command.telling] {
    if (!m_reports.Due(failure, telling)) return;
    Host().MessageBox(CFailureReports::TextOf(failure));
    m_reports.Said(failure);
    if (failure == CallFailure::Closed) RefreshWindowList();
  });
}

// --- Show state, z-order, lock and frame --------------------------------------------------

void CGlazierDlg::OnMinimize() {
  Command minimize;
  minimize.calls = [](IWindowManager& windows, WindowHandle target) {
    windows.ShowWindow(target, wm::kSwMinimize);
  };
  minimize.tookEffect = [](IWindowManager& windows, WindowHandle target) {
    return windows.IsIconic(target);
  };
  RunOnSelected(msg::kSelectToMinimize, std::move(minimize));
}

void CGlazierDlg::OnShow() {
  RunOnSelected(
      msg::kSelectToShow,
      [](IWindowManager& windows, WindowHandle target) {
        windows.ShowWindow(target, wm::kSwShowNormal);
        windows.SetWindowPos(
            target, wm::kHwndTop, 0, 0, 0, 0,
            wm::kSwpNoSize | wm::kSwpNoMove | wm::kSwpFrameChanged | wm::kSwpShowWindow);
      },
      0);
}

void CGlazierDlg::OnTopmost() {
  RunOnSelected(
      msg::kSelectTarget,
      [](IWindowManager& windows, WindowHandle target) {
        windows.ShowWindow(target, wm::kSwShowNormal);
        windows.SetWindowPos(target, wm::kHwndTopmost, 0, 0, 0, 0, wm::kSwpNoSize | wm::kSwpNoMove);
      },
      // A maximized window is made normal on the way: "元に戻す" maximizes it again.
      aspect::kZOrder | aspect::kGeometry);
}

void CGlazierDlg::OnNoTopmost() {
  RunOnSelected(
      msg::kSelectTarget,
      [](IWindowManager& windows, WindowHandle target) {
        windows.SetWindowPos(target, wm::kHwndNoTopmost, 0, 0, 0, 0,
                             wm::kSwpNoSize | wm::kSwpNoMove);
      },
      aspect::kZOrder);
}

void CGlazierDlg::OnResizable() {
  RunOnSelected(
      msg::kSelectTarget,
      [](IWindowManager& windows, WindowHandle target) {
        SetFrameStyle(windows, target, wm::kWsOverlappedWindow);
      },
      aspect::kFrame);
}

// Lock and unlock: EnableWindow, whose result is the previous state, read back.
Command CGlazierDlg::SetEnabledCommand(bool enabled) {
  Command command;
  command.calls = [enabled](IWindowManager& windows, WindowHandle target) {
    windows.EnableWindow(target, enabled);
    windows.ShowWindow(target, wm::kSwShowNormal);
  };
  // Shown normal on the way, as always on top is.
  command.changes = aspect::kLock | aspect::kGeometry;
  command.tookEffect = [enabled](IWindowManager& windows, WindowHandle target) {
    return IsEnabledAs(windows, target, enabled);
  };
  return command;
}

void CGlazierDlg::OnLock() {
  const std::optional<WindowHandle> target = SelectedTarget(msg::kSelectTarget);
  if (!target) return;
  // A disabled panel takes no input at all: nothing could unlock it again.
  if (*target == Host().DialogWindow()) {
    ShowBox(msg::kCannotLockSelf);
    return;
  }
  RunCommand(*target, SetEnabledCommand(false));
}

void CGlazierDlg::OnUnlock() {
  RunOnSelected(msg::kSelectTarget, SetEnabledCommand(true));
}

// --- Shapes ------------------------------------------------------------------------------

void CGlazierDlg::ReshapeSelected(ShapeOfClient shape) {
  RunOnSelected(
      msg::kSelectToReshape,
      [shape](IWindowManager& windows, WindowHandle target) {
        Rect client;
        windows.GetClientRect(target, client);
        SetWindowShape(windows, target, shape(windows, client));
      },
      aspect::kShape);
}

void CGlazierDlg::OnCircle() {
  ReshapeSelected(&CreateCircleRegion);
}

void CGlazierDlg::OnStar() {
  ReshapeSelected(&CreateStarRegion);
}

void CGlazierDlg::OnPlainShape() {
  // No region at all: the window's whole shape, however large and wherever the work area lies.
  RunOnSelected(
      msg::kSelectToReshape,
      [](IWindowManager& windows, WindowHandle target) { SetWindowShape(windows, target, 0); },
      aspect::kShape);
}

// --- Opacity and flashing ----------------------------------------------------------------

void CGlazierDlg::InitOpacitySlider() {
  constexpr int kStartOpacity = 150;
  m_slider.SetRangeMin(0, true);
  m_slider.SetRangeMax(kOpaque, true);
  m_slider.SetPos(kStartOpacity);
  Host().SetDlgItemText(IDC_ALPHA_EDIT, std::to_string(kStartOpacity));
}

void CGlazierDlg::OnOpacitySliderReleased() {
  m_later.Need(kLaterOpacitySlider);
  Host().SetDlgItemText(IDC_ALPHA_EDIT, std::to_string(m_slider.GetPos()));
  if (SelectedRow() != -1) ApplyOpacity();
}

void CGlazierDlg::ApplyOpacity() {
  m_later.Need(kLaterOpacitySlider);  // the edit's first text
  const std::optional<WindowHandle> target = SelectedTarget(msg::kSelectForOpacity);
  if (!target) return;

  const OpacityInput input = CheckOpacityText(Host().GetDlgItemText(IDC_ALPHA_EDIT));
  const char* rejection = nullptr;
  switch (input.check) {
    case OpacityCheck::Empty:
      rejection = msg::kOpacityEmpty;
      break;
    case OpacityCheck::NotNumber:
      rejection = msg::kOpacityNotNumber;
      break;
    case OpacityCheck::OutOfRange:
      rejection = msg::kOpacityOutOfRange;
      break;
    case OpacityCheck::Ok:
      break;
  }
  if (rejection) {
    ShowBox(rejection);
    Host().SetDlgItemText(IDC_ALPHA_EDIT, msg::kOpacityReset);
    return;
  }

  Command opacity;
  opacity.changes = aspect::kOpacity;
  if (input.value == kOpaque) {
    opacity.calls = [](IWindowManager& windows, WindowHandle target) {
      SetLayeredStyle(windows, target, false);
    };
    RunCommand(*target, std::move(opacity));
    return;
  }
  // The library stays loaded until a missing function has been reported, here on the panel.
  const auto alpha = static_cast<std::uint8_t>(input.value);
  auto layered = std::make_shared<std::optional<CScopedLayeredFunction>>();
  opacity.calls = [alpha, layered](IWindowManager& windows, WindowHandle target) {
    SetLayeredStyle(windows, target, true);
    layered->emplace(windows);
    if ((*layered)->Found()) (*layered)->SetAlpha(target, alpha);
  };
  opacity.done = [this, target = *target, layered](CallFailure failure, const SayFailure& say) {
    // One box: a closed window first, then a missing function, then a refusal.
    const bool missing = layered->has_value() && !(*layered)->Found();
    if (missing && failure != CallFailure::Closed) {
      m_box.Open([&] { m_windows.MessageBox(target, msg::kOpacityUnsupported, wm::kMbOk); });
      failure = CallFailure::None;
    }
    layered->reset();
    say(failure);
  };
  RunCommand(*target, std::move(opacity));
}

void CGlazierDlg::OnFlashToggle() {
  if (m_flash.IsOn()) {
    StopFlashing();
    return;
  }
  const std::optional<WindowHandle> target = SelectedTarget(msg::kSelectToFlash);
  if (!target) return;
  m_flash.Start(*target);
  Host().SetDlgItemText(IDC_FLASH, msg::kFlashStop);
  Host().SetTimer(FLASH_TIMER, 100);
  Command start;
  start.changes = aspect::kOpacity;
  start.sameWindowAs = m_flash.Ids();
  start.calls = [](IWindowManager& windows, WindowHandle target) {
    SetLayeredStyle(windows, target, true);
  };
  // As with a tick: flashing goes on past any other failure, ends silently with its window, and
  // ends with a refusal, which is said.
  start.done = [this, target = *target](CallFailure failure, const SayFailure& say) {
    if (failure == CallFailure::None || failure == CallFailure::Other) return;
    if (m_flash.KeepsTo(target)) StopFlashing();
    if (failure == CallFailure::Denied) say(failure);
  };
  RunCommand(*target, std::move(start));
}

void CGlazierDlg::StopFlashing() {
  Host().SetDlgItemText(IDC_FLASH, msg::kFlashStart);
  m_flash.Stop();
  Host().KillTimer(FLASH_TIMER);
}

void CGlazierDlg::OnFlashTimer() {
  const std::optional<CFlashing::Tick> tick = m_flash.NextTick();
  if (!tick) return;
  const std::shared_ptr<CWindowMemory> memory = m_restore.MemoryOf(tick->window);
  memory->Expect(aspect::kOpacity);
  auto replaced = std::make_shared<bool>(false);
  m_windows.RunJob(
      tick->window,
      [tick = *tick, memory, replaced](IWindowManager& windows) {
        // Flashing ends with its window, also where another program's window has its handle now.
        if (!StillTheWindow(windows, tick.window, *tick.ids)) {
          *replaced = true;
          memory->JobRan();
          return;
        }
        // Each tick changes the opacity as a command does: "元に戻す" puts the first one back.
        memory->BeforeChange(windows, tick.window, aspect::kOpacity);
        CScopedLayeredFunction layered(windows);
        if (layered.Found()) layered.SetAlpha(tick.window, tick.alpha);
        memory->AfterChange(windows, tick.window, aspect::kOpacity);
      },
      [this, window = tick->window, replaced](CallFailure failure) {
        if (*replaced) failure = CallFailure::Closed;
        if (!m_flash.TickDone(window, failure)) return;
        // A refusal is said once; while another box is open, a later tick says it.
        if (failure == CallFailure::Denied && m_box.IsOpen()) return;
        StopFlashing();
        if (failure == CallFailure::Denied) ShowBox(CFailureReports::TextOf(failure));
      });
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
  retitle.changes = aspect::kTitle;
  retitle.saidUnlessReselected = true;
  retitle.calls = [text = Host().GetDlgItemText(IDC_TITLE_EDIT)](IWindowManager& windows,
                                                                 WindowHandle target) {
    windows.SetWindowText(target, text);
  };
  retitle.done = [this, stage](CallFailure failure, const SayFailure& say) {
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

bool CGlazierDlg::OnContextMenu(WindowHandle window, std::optional<Point> screen) {
  if (window != Host().GetDlgItem(IDC_WINDOW_LIST)) return false;
  m_restore.OnContextMenu(screen);
  return true;
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
