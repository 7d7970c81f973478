// SetLayeredWindowAttributes is looked up by name at each use, in a library loaded for the call
// and released right after.
#pragma once

#include <utility>

#include "platform/unique_resource.h"
#include "platform/window_manager.h"

inline constexpr const char* kLayeredLibrary = "user32";
inline constexpr const char* kLayeredFunction = "SetLayeredWindowAttributes";

// Makes the window layered, or no longer layered, keeping the rest of its extended style.
inline void SetLayeredStyle(IWindowManager& windows, WindowHandle window, bool layered) {
  const auto exStyle = static_cast<std::uint32_t>(windows.GetWindowLong(window, wm::kGwlExStyle));
  windows.SetWindowLong(window, wm::kGwlExStyle,
                        static_cast<std::int32_t>(layered ? exStyle | wm::kWsExLayered
                                                          : exStyle & ~wm::kWsExLayered));
}

struct FreeLibraryWith {
  IWindowManager* windows = nullptr;
  void operator()(ModuleHandle module) const { windows->FreeLibrary(module); }
};

class CScopedLayeredFunction {
 public:
  explicit CScopedLayeredFunction(IWindowManager& windows)
      : m_windows(&windows),
        m_module(windows.LoadLibrary(kLayeredLibrary), FreeLibraryWith{&windows}) {
    if (m_module) m_proc = windows.GetProcAddress(m_module.get(), kLayeredFunction);
  }
  CScopedLayeredFunction(CScopedLayeredFunction&& other) noexcept
      : m_windows(other.m_windows),
        m_module(std::move(other.m_module)),
        m_proc(std::exchange(other.m_proc, 0)) {}
  CScopedLayeredFunction& operator=(CScopedLayeredFunction&& other) noexcept {
    m_windows = other.m_windows;
    m_module = std::move(other.m_module);
    m_proc = std::exchange(other.m_proc, 0);
    return *this;
  }

  bool Found() const { return m_proc != 0; }
  // Gives the whole window the alpha (0 transparent, 255 opaque). Only when Found().
  void SetAlpha(WindowHandle window, std::uint8_t alpha) {
    SetAttributes(window, {0, alpha, wm::kLwaAlpha});
  }
  void SetAttributes(WindowHandle window, const LayeredAttributes& attributes) {
    m_windows->CallSetLayeredWindowAttributes(m_proc, window, attributes.colorKey, attributes.alpha,
                                              attributes.flags);
  }

 private:
  IWindowManager* m_windows;
  CUniqueResource<ModuleHandle, FreeLibraryWith> m_module;
  ProcHandle m_proc = 0;
};
