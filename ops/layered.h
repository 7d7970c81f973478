// SetLayeredWindowAttributes is looked up by name at each use, in a library loaded for the call
// and released right after.
#pragma once

#include "platform/window_manager.h"

inline constexpr const char* kLayeredLibrary = "user32";
inline constexpr const char* kLayeredFunction = "SetLayeredWindowAttributes";

class ScopedLayeredFunction {
 public:
  explicit ScopedLayeredFunction(IWindowManager& windows)
      : m_windows(windows), m_module(windows.LoadLibrary(kLayeredLibrary)) {
    if (m_module) m_proc = windows.GetProcAddress(m_module, kLayeredFunction);
  }
  ~ScopedLayeredFunction() {
    if (m_module) m_windows.FreeLibrary(m_module);
  }
  ScopedLayeredFunction(const ScopedLayeredFunction&) = delete;
  ScopedLayeredFunction& operator=(const ScopedLayeredFunction&) = delete;

  bool Found() const { return m_proc != 0; }
  // Gives the whole window the alpha (0 transparent, 255 opaque). Only when Found().
  void SetAlpha(WindowHandle window, std::uint8_t alpha) {
    m_windows.CallSetLayeredWindowAttributes(m_proc, window, 0, alpha, wm::kLwaAlpha);
  }

 private:
  IWindowManager& m_windows;
  ModuleHandle m_module;
  ProcHandle m_proc = 0;
};
