// Conversions between the core's opaque handles and the Win32 ones, and owners of the handles
// the program makes for itself.
#pragma once

#include <utility>

#include "platform/win32/win32.h"

#include "platform/types.h"

inline HWND ToHwnd(WindowHandle window) {
  return reinterpret_cast<HWND>(window);
}
inline WindowHandle FromHwnd(HWND window) {
  return reinterpret_cast<WindowHandle>(window);
}

inline Rect FromRect(const RECT& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

// A move-only owner of one handle, closed by `Close` when the owner goes: GDI objects, memory
// DCs. A handle handed over to the system leaves with release().
template <typename Handle, auto Close>
class CUniqueHandle {
 public:
  CUniqueHandle() = default;
  explicit CUniqueHandle(Handle handle) : m_handle(handle) {}
  ~CUniqueHandle() { reset(); }
  CUniqueHandle(const CUniqueHandle&) = delete;
  CUniqueHandle& operator=(const CUniqueHandle&) = delete;
  CUniqueHandle(CUniqueHandle&& other) noexcept : m_handle(other.release()) {}
  CUniqueHandle& operator=(CUniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  Handle get() const { return m_handle; }
  explicit operator bool() const { return m_handle != nullptr; }
  Handle release() { return std::exchange(m_handle, nullptr); }
  void reset(Handle handle = nullptr) {
    if (Handle old = std::exchange(m_handle, handle)) Close(old);
  }

 private:
  Handle m_handle = nullptr;
};

template <typename Object>
void DeleteGdiObject(Object object) {
  ::DeleteObject(object);
}
template <typename Object>
using CUniqueGdiObject = CUniqueHandle<Object, &DeleteGdiObject<Object>>;
using CUniqueFont = CUniqueGdiObject<HFONT>;
using CUniqueBitmap = CUniqueGdiObject<HBITMAP>;
using CUniqueMemoryDC = CUniqueHandle<HDC, &::DeleteDC>;
using CUniqueMenu = CUniqueHandle<HMENU, &::DestroyMenu>;

// A window's DC (the screen's for a null window), released when the owner goes.
class CWindowDC {
 public:
  explicit CWindowDC(HWND window) : m_window(window), m_dc(::GetDC(window)) {}
  ~CWindowDC() {
    if (m_dc) ::ReleaseDC(m_window, m_dc);
  }
  CWindowDC(const CWindowDC&) = delete;
  CWindowDC& operator=(const CWindowDC&) = delete;
  CWindowDC(CWindowDC&& other) noexcept
      : m_window(other.m_window), m_dc(std::exchange(other.m_dc, nullptr)) {}
  CWindowDC& operator=(CWindowDC&&) = delete;

  HDC get() const { return m_dc; }

 private:
  HWND m_window;
  HDC m_dc;
};

// An object selected into a DC for a scope; the DC's previous object is selected back after.
// A null object selects nothing.
class CSelection {
 public:
  CSelection(HDC dc, HGDIOBJ object)
      : m_dc(dc), m_previous(dc && object ? ::SelectObject(dc, object) : nullptr) {}
  ~CSelection() {
    if (m_previous) ::SelectObject(m_dc, m_previous);
  }
  CSelection(const CSelection&) = delete;
  CSelection& operator=(const CSelection&) = delete;

 private:
  HDC m_dc;
  HGDIOBJ m_previous;
};
