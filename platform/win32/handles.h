// Conversions between the core's opaque handles and the Win32 ones, and owners of the handles
// the program makes for itself.
#pragma once

#include <utility>

#include "platform/win32/win32.h"

#include "platform/types.h"
#include "platform/unique_resource.h"

inline HWND ToHwnd(WindowHandle window) {
  return reinterpret_cast<HWND>(window);
}
inline WindowHandle FromHwnd(HWND window) {
  return reinterpret_cast<WindowHandle>(window);
}

inline Rect FromRect(const RECT& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

// Owners of the handles the program makes: GDI objects, memory DCs, menus. A handle handed over
// to the system leaves with release().
template <typename Handle, auto Close>
using CUniqueHandle = CUniqueResource<Handle, CallOn<Close>>;

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
struct ReleaseDcOf {
  HWND window = nullptr;
  void operator()(HDC dc) const { ::ReleaseDC(window, dc); }
};
class CWindowDC : public CUniqueResource<HDC, ReleaseDcOf> {
 public:
  explicit CWindowDC(HWND window) : CUniqueResource(::GetDC(window), ReleaseDcOf{window}) {}
};

// An object selected into a DC for a scope; the DC's previous object is selected back after.
// A null object selects nothing.
struct SelectBackInto {
  HDC dc = nullptr;
  void operator()(HGDIOBJ previous) const { ::SelectObject(dc, previous); }
};
class CSelection : public CUniqueResource<HGDIOBJ, SelectBackInto> {
 public:
  CSelection(HDC dc, HGDIOBJ object)
      : CUniqueResource(dc && object ? ::SelectObject(dc, object) : nullptr, SelectBackInto{dc}) {}
};
