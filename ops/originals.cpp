#include "ops/originals.h"

#include <algorithm>
#include <utility>

#include "ops/layered.h"

namespace {

// Titles longer than any a list row shows are still put back whole.
constexpr int kOriginalTitleChars = 32768;

constexpr const char* kAspectNames[] = {"手前に表示", "ロック",   "枠",          "形",
                                        "透明度",     "タイトル", "位置とサイズ"};

std::uint32_t Style(IWindowManager& windows, WindowHandle window, int index) {
  return static_cast<std::uint32_t>(windows.GetWindowLong(window, index));
}

}  // namespace

void SetFrameStyle(IWindowManager& windows, WindowHandle window, std::uint32_t frameBits) {
  const std::uint32_t style = Style(windows, window, wm::kGwlStyle);
  windows.SetWindowLong(window, wm::kGwlStyle,
                        static_cast<std::int32_t>((style & ~wm::kWsOverlappedWindow) | frameBits));
}

bool IsEnabledAs(IWindowManager& windows, WindowHandle window, bool enabled) {
  return windows.IsWindowEnabled(window) == enabled;
}

std::string AspectNames(Aspects aspects) {
  std::string names;
  for (std::size_t i = 0; i < std::size(kAspectNames); ++i) {
    if (!(aspects & (1u << i))) continue;
    if (!names.empty()) names += "・";
    names += kAspectNames[i];
  }
  return names;
}

WindowOriginals ReadOriginals(IWindowManager& windows, WindowHandle window, Aspects wanted) {
  WindowOriginals read;
  if (wanted & (aspect::kZOrder | aspect::kOpacity)) {
    const std::uint32_t exStyle = Style(windows, window, wm::kGwlExStyle);
    read.topmost = (exStyle & wm::kWsExTopmost) != 0;
    read.layered = (exStyle & wm::kWsExLayered) != 0;
    LayeredAttributes attributes;
    if ((wanted & aspect::kOpacity) && read.layered &&
        windows.GetLayeredWindowAttributes(window, attributes)) {
      read.layeredAttributes = attributes;
    }
  }
  if (wanted & aspect::kLock) read.enabled = windows.IsWindowEnabled(window);
  if (wanted & aspect::kFrame) {
    read.frameStyle = Style(windows, window, wm::kGwlStyle) & wm::kWsOverlappedWindow;
  }
  if (wanted & aspect::kShape) {
    if (const RegionHandle region = windows.GetWindowRgn(window))
      read.region.emplace(windows, region);
  }
  if (wanted & aspect::kTitle) windows.GetWindowText(window, read.title, kOriginalTitleChars);
  read.kept = wanted;
  if ((wanted & aspect::kGeometry) && !windows.GetWindowRect(window, read.rect)) {
    read.kept &= ~aspect::kGeometry;
  }
  return read;
}

void PutBackOriginals(IWindowManager& windows, WindowHandle window,
                      const WindowOriginals& originals) {
  const Aspects kept = originals.kept;
  if (kept & aspect::kZOrder) {
    windows.SetWindowPos(window, originals.topmost ? wm::kHwndTopmost : wm::kHwndNoTopmost, 0, 0, 0,
                         0, wm::kSwpNoMove | wm::kSwpNoSize | wm::kSwpNoActivate);
  }
  if (kept & aspect::kLock) windows.EnableWindow(window, originals.enabled);
  if (kept & aspect::kFrame) {
    SetFrameStyle(windows, window, originals.frameStyle);
    // The frame is recalculated now, not at the window's next move.
    windows.SetWindowPos(window, 0, 0, 0, 0, 0,
                         wm::kSwpNoMove | wm::kSwpNoSize | wm::kSwpNoZOrder | wm::kSwpNoActivate |
                             wm::kSwpFrameChanged);
  }
  if (kept & aspect::kShape) {
    SetWindowShape(windows, window,
                   originals.region ? windows.CopyRegion(originals.region->get()) : 0);
  }
  if (kept & aspect::kOpacity) {
    SetLayeredStyle(windows, window, originals.layered);
    if (originals.layered && originals.layeredAttributes) {
      CScopedLayeredFunction layered(windows);
      if (layered.Found()) layered.SetAttributes(window, *originals.layeredAttributes);
    }
  }
  if (kept & aspect::kTitle) windows.SetWindowText(window, originals.title);
  if (kept & aspect::kGeometry) {
    const Rect& rect = originals.rect;
    windows.SetWindowPos(window, 0, rect.left, rect.top, rect.Width(), rect.Height(),
                         wm::kSwpNoZOrder | wm::kSwpNoActivate);
  }
}

Aspects COriginals::Kept(WindowHandle window) const {
  const auto found = m_windows.find(window);
  return found == m_windows.end() ? 0 : found->second.kept;
}

void COriginals::Keep(WindowHandle window, WindowOriginals read) {
  if (read.kept == 0) return;
  WindowOriginals& kept = m_windows[window];
  const Aspects fresh = read.kept & ~kept.kept;
  if (fresh & aspect::kZOrder) kept.topmost = read.topmost;
  if (fresh & aspect::kLock) kept.enabled = read.enabled;
  if (fresh & aspect::kFrame) kept.frameStyle = read.frameStyle;
  if (fresh & aspect::kShape) kept.region = std::move(read.region);
  if (fresh & aspect::kOpacity) {
    kept.layered = read.layered;
    kept.layeredAttributes = read.layeredAttributes;
  }
  if (fresh & aspect::kTitle) kept.title = std::move(read.title);
  if (fresh & aspect::kGeometry) kept.rect = read.rect;
  kept.kept |= fresh;
}

std::optional<WindowOriginals> COriginals::Take(WindowHandle window) {
  auto node = m_windows.extract(window);
  if (node.empty()) return std::nullopt;
  return std::move(node.mapped());
}

void COriginals::Forget(WindowHandle window) {
  m_windows.erase(window);
}

void COriginals::ForgetAllBut(const std::vector<WindowHandle>& existing) {
  std::erase_if(m_windows, [&existing](const auto& entry) {
    return std::find(existing.begin(), existing.end(), entry.first) == existing.end();
  });
}

std::vector<WindowHandle> COriginals::Windows() const {
  std::vector<WindowHandle> windows;
  for (const auto& entry : m_windows) windows.push_back(entry.first);
  return windows;
}
