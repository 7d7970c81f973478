// The opacity page of the main dialog: the opacity typed or slid, and the flashing.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "ops/layered.h"
#include "ops/opacity.h"
#include "panel/glazier_dlg.h"
#include "res/messages.h"

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
  opacity.operation.changes = aspect::kOpacity;
  if (input.value == kOpaque) {
    opacity.operation.calls = [](IWindowManager& windows, WindowHandle target) {
      SetLayeredStyle(windows, target, false);
    };
    RunCommand(*target, std::move(opacity));
    return;
  }
  // The library stays loaded until a missing function has been reported, here on the panel.
  const auto alpha = static_cast<std::uint8_t>(input.value);
  auto layered = std::make_shared<std::optional<CScopedLayeredFunction>>();
  opacity.operation.calls = [alpha, layered](IWindowManager& windows, WindowHandle target) {
    SetLayeredStyle(windows, target, true);
    layered->emplace(windows);
    if ((*layered)->Found()) (*layered)->SetAlpha(target, alpha);
  };
  opacity.report.done = [this, target = *target, layered](CallFailure failure,
                                                          const SayFailure& say) {
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
  start.operation.changes = aspect::kOpacity;
  start.operation.sameWindowAs = m_flash.Ids();
  start.operation.calls = [](IWindowManager& windows, WindowHandle target) {
    SetLayeredStyle(windows, target, true);
  };
  // As with a tick: flashing goes on past any other failure, ends silently with its window, and
  // ends with a refusal, which is said.
  start.report.done = [this, target = *target](CallFailure failure, const SayFailure& say) {
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
  const std::shared_ptr<CWindowMemory> memory = m_memories.Of(tick->window);
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
