#include "panel/glazier_dlg.h"

#include <functional>
#include <memory>
#include <optional>
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
    {Signal::Command, wm::kEnChange, IDC_X_EDIT, &CGlazierDlg::OnGeometryEditChange},
    {Signal::Command, wm::kEnChange, IDC_Y_EDIT, &CGlazierDlg::OnGeometryEditChange},
    {Signal::Command, wm::kEnChange, IDC_WIDTH_EDIT, &CGlazierDlg::OnGeometryEditChange},
    {Signal::Command, wm::kEnChange, IDC_HEIGHT_EDIT, &CGlazierDlg::OnGeometryEditChange},
    {Signal::Command, wm::kBnClicked, IDC_EXIT, &CGlazierDlg::OnExit},
    {Signal::Command, 0, ID_APP_EXIT_CMD, &CGlazierDlg::OnExit},
    {Signal::Command, 0, ID_HELP_ONLINE, &CGlazierDlg::OnHelpOnline},
    {Signal::Command, 0, ID_HELP_VERSION, &CGlazierDlg::OnHelpVersion},
    {Signal::Command, 0, ID_CDTRAY_OPEN, &CGlazierDlg::OnCdTrayOpen},
    {Signal::Command, 0, ID_CDTRAY_CLOSE, &CGlazierDlg::OnCdTrayClose},
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
  OnTabSelChange();
  return true;
}

// What the first frame does not show is set up once that frame is on screen, before the first
// input is read: the places of the hidden pages' controls, their opacity and geometry controls,
// and the tooltips with their 29 tools. Together they cost a start-up about as much as a dozen
// controls.
void CGlazierDlg::OnShown() {
  m_layout.PlaceHiddenPages(Host());
  InitOpacitySlider();
  OnOpacitySliderReleased();
  InitGeometrySpins();
  // Live only now: the up-down set-up writes "0" into the four edits, which must not reach
  // ApplyGeometry.
  m_geometryLive = true;
  SetupTooltips();
}

bool CGlazierDlg::PreTranslateMessage(const PlatformMessage& message) {
  m_tip.RelayEvent(message);
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
}

void CGlazierDlg::OnRefreshTimer() {
  if (m_list.GetCurSel() == -1) RefreshWindowList();
}

std::optional<WindowHandle> CGlazierDlg::SelectedTarget(const char* message) {
  const WindowHandle target = m_listed.WindowAt(SelectedRow());
  if (target == 0) {
    Host().MessageBox(message);
    return std::nullopt;
  }
  return target;
}

bool CGlazierDlg::StillSelected(WindowHandle target) const {
  return target != 0 && m_listed.WindowAt(SelectedRow()) == target;
}

// --- Show state, z-order, lock and frame --------------------------------------------------

void CGlazierDlg::RunOnSelected(const char* message, CallsOnTarget calls) {
  const std::optional<WindowHandle> target = SelectedTarget(message);
  if (target) RunCommand(*target, std::move(calls), Telling::Always);
}

void CGlazierDlg::RunCommand(WindowHandle target, CallsOnTarget calls, Telling telling) {
  m_windows.RunJob(
      target,
      [target, calls = std::move(calls)](IWindowManager& windows) { calls(windows, target); },
      [this, target, telling](CallFailure failure) { ReportFailure(target, failure, telling); });
}

void CGlazierDlg::ReportFailure(WindowHandle target, CallFailure failure, Telling telling) {
  // A late result is for the selection it was asked for.
  if (!StillSelected(target)) return;
  if (m_reports.Report(Host(), failure, telling) && failure == CallFailure::Closed) {
    RefreshWindowList();
  }
}

void CGlazierDlg::OnMinimize() {
  RunOnSelected(msg::kSelectToMinimize, [](IWindowManager& windows, WindowHandle target) {
    windows.ShowWindow(target, wm::kSwMinimize);
  });
}

void CGlazierDlg::OnShow() {
  RunOnSelected(msg::kSelectToShow, [](IWindowManager& windows, WindowHandle target) {
    windows.ShowWindow(target, wm::kSwShowNormal);
    windows.SetWindowPos(
        target, wm::kHwndTop, 0, 0, 0, 0,
        wm::kSwpNoSize | wm::kSwpNoMove | wm::kSwpFrameChanged | wm::kSwpShowWindow);
  });
}

void CGlazierDlg::OnTopmost() {
  RunOnSelected(msg::kSelectTarget, [](IWindowManager& windows, WindowHandle target) {
    windows.ShowWindow(target, wm::kSwShowNormal);
    windows.SetWindowPos(target, wm::kHwndTopmost, 0, 0, 0, 0, wm::kSwpNoSize | wm::kSwpNoMove);
  });
}

void CGlazierDlg::OnNoTopmost() {
  RunOnSelected(msg::kSelectTarget, [](IWindowManager& windows, WindowHandle target) {
    windows.SetWindowPos(target, wm::kHwndNoTopmost, 0, 0, 0, 0, wm::kSwpNoSize | wm::kSwpNoMove);
  });
}

void CGlazierDlg::OnResizable() {
  RunOnSelected(msg::kSelectTarget, [](IWindowManager& windows, WindowHandle target) {
    const std::int32_t style = windows.GetWindowLong(target, wm::kGwlStyle);
    windows.SetWindowLong(
        target, wm::kGwlStyle,
        static_cast<std::int32_t>(static_cast<std::uint32_t>(style) | wm::kWsOverlappedWindow));
  });
}

void CGlazierDlg::OnLock() {
  const std::optional<WindowHandle> target = SelectedTarget(msg::kSelectTarget);
  if (!target) return;
  // A disabled panel takes no input at all: nothing could unlock it again.
  if (*target == Host().DialogWindow()) {
    Host().MessageBox(msg::kCannotLockSelf);
    return;
  }
  RunCommand(
      *target,
      [](IWindowManager& windows, WindowHandle target) {
        windows.EnableWindow(target, false);
        windows.ShowWindow(target, wm::kSwShowNormal);
      },
      Telling::Always);
}

void CGlazierDlg::OnUnlock() {
  RunOnSelected(msg::kSelectTarget, [](IWindowManager& windows, WindowHandle target) {
    windows.EnableWindow(target, true);
    windows.ShowWindow(target, wm::kSwShowNormal);
  });
}

// --- Shapes ------------------------------------------------------------------------------

void CGlazierDlg::ReshapeSelected(ShapeOfClient shape) {
  RunOnSelected(msg::kSelectToReshape, [shape](IWindowManager& windows, WindowHandle target) {
    Rect client;
    windows.GetClientRect(target, client);
    SetWindowShape(windows, target, shape(windows, client));
  });
}

void CGlazierDlg::OnCircle() {
  ReshapeSelected(&CreateCircleRegion);
}

void CGlazierDlg::OnStar() {
  ReshapeSelected(&CreateStarRegion);
}

void CGlazierDlg::OnPlainShape() {
  // No region at all: the window's whole shape, however large and wherever the work area lies.
  RunOnSelected(msg::kSelectToReshape, [](IWindowManager& windows, WindowHandle target) {
    SetWindowShape(windows, target, 0);
  });
}

// --- Opacity and flashing ----------------------------------------------------------------

void CGlazierDlg::InitOpacitySlider() {
  m_slider.SetRangeMin(0, true);
  m_slider.SetRangeMax(kOpaque, true);
  m_slider.SetPos(150);
}

void CGlazierDlg::OnOpacitySliderReleased() {
  Host().SetDlgItemText(IDC_ALPHA_EDIT, std::to_string(m_slider.GetPos()));
  if (SelectedRow() != -1) ApplyOpacity();
}

void CGlazierDlg::ApplyOpacity() {
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
    Host().MessageBox(rejection);
    Host().SetDlgItemText(IDC_ALPHA_EDIT, msg::kOpacityReset);
    return;
  }

  if (input.value == kOpaque) {
    RunCommand(
        *target,
        [](IWindowManager& windows, WindowHandle target) {
          const auto exStyle =
              static_cast<std::uint32_t>(windows.GetWindowLong(target, wm::kGwlExStyle));
          windows.SetWindowLong(target, wm::kGwlExStyle,
                                static_cast<std::int32_t>(exStyle & ~wm::kWsExLayered));
        },
        Telling::Always);
    return;
  }
  // The library stays loaded until a missing function has been reported, here on the panel.
  const auto alpha = static_cast<std::uint8_t>(input.value);
  auto layered = std::make_shared<std::optional<CScopedLayeredFunction>>();
  m_windows.RunJob(
      *target,
      [target = *target, alpha, layered](IWindowManager& windows) {
        const auto exStyle =
            static_cast<std::uint32_t>(windows.GetWindowLong(target, wm::kGwlExStyle));
        windows.SetWindowLong(target, wm::kGwlExStyle,
                              static_cast<std::int32_t>(exStyle | wm::kWsExLayered));
        layered->emplace(windows);
        if ((*layered)->Found()) (*layered)->SetAlpha(target, alpha);
      },
      [this, target = *target, layered](CallFailure failure) {
        // One box: a closed window first, then a missing function, then a refusal.
        const bool missing = layered->has_value() && !(*layered)->Found();
        if (missing && failure != CallFailure::Closed) {
          m_windows.MessageBox(target, msg::kOpacityUnsupported, wm::kMbOk);
        } else {
          ReportFailure(target, failure, Telling::Always);
        }
        layered->reset();
      });
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
  m_windows.RunJob(
      *target,
      [target = *target](IWindowManager& windows) {
        const auto exStyle =
            static_cast<std::uint32_t>(windows.GetWindowLong(target, wm::kGwlExStyle));
        windows.SetWindowLong(target, wm::kGwlExStyle,
                              static_cast<std::int32_t>(exStyle | wm::kWsExLayered));
      },
      [this, target = *target](CallFailure failure) {
        if (failure == CallFailure::None) return;
        if (m_flash.KeepsTo(target)) StopFlashing();
        ReportFailure(target, failure, Telling::Always);
      });
}

void CGlazierDlg::StopFlashing() {
  Host().SetDlgItemText(IDC_FLASH, msg::kFlashStart);
  m_flash.Stop();
  Host().KillTimer(FLASH_TIMER);
}

void CGlazierDlg::OnFlashTimer() {
  const std::optional<CFlashing::Tick> tick = m_flash.NextTick();
  if (!tick) return;
  m_windows.RunJob(
      tick->window,
      [tick = *tick](IWindowManager& windows) {
        CScopedLayeredFunction layered(windows);
        if (layered.Found()) layered.SetAlpha(tick.window, tick.alpha);
      },
      [this, window = tick->window](CallFailure failure) {
        // A refusal that ends the flashing is said once.
        if (!m_flash.TickDone(window, failure)) return;
        StopFlashing();
        if (failure == CallFailure::Denied) m_reports.Tell(Host(), failure);
      });
}

// --- Title -------------------------------------------------------------------------------

void CGlazierDlg::ApplyTitle() {
  const std::optional<WindowHandle> target = SelectedTarget(msg::kSelectToRetitle);
  if (!target) return;
  // The list is refreshed once the window has its title. A window slower than the panel's wait
  // gets a refresh at once as well, which ends the selection as the command always does; the
  // late one follows unless a row has been selected since.
  enum class Stage { Asked, Late, Done };
  auto stage = std::make_shared<Stage>(Stage::Asked);
  m_windows.RunJob(
      *target,
      [target = *target, text = Host().GetDlgItemText(IDC_TITLE_EDIT)](IWindowManager& windows) {
        windows.SetWindowText(target, text);
      },
      [this, target = *target, stage](CallFailure failure) {
        ReportFailure(target, failure, Telling::Always);
        if (*stage == Stage::Asked || SelectedRow() == -1) RefreshWindowList();
        *stage = Stage::Done;
      });
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
// nothing.
void CGlazierDlg::OnTabSelChange() {
  const int index = m_tab.GetCurSel();
  const auto pages = TabPages();
  for (std::size_t page = 0; page < pages.size(); ++page) {
    if (static_cast<int>(page) == index) continue;
    for (int id : pages[page].controls) Host().ShowWindow(Host().GetDlgItem(id), wm::kSwHide);
  }
  if (index < 0 || static_cast<std::size_t>(index) >= pages.size()) return;
  for (int id : pages[static_cast<std::size_t>(index)].controls) {
    Host().ShowWindow(Host().GetDlgItem(id), wm::kSwShow);
  }
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
  Host().RunModal(version);
}

void CGlazierDlg::OnCdTrayOpen() {
  m_windows.MciSendString(msg::kCdTrayOpen, Host().DialogWindow());
}

void CGlazierDlg::OnCdTrayClose() {
  m_windows.MciSendString(msg::kCdTrayClose, Host().DialogWindow());
}
