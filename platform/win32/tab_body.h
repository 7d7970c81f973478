// The body of a dialog's tab control behind the controls that stand on it. Those controls are
// the dialog's own children, not a page dialog's, so the system gives them the dialog's colour;
// where the theme draws the tab a body of its own, they show that body instead, as the controls
// of a property page do. Where it draws none (the classic theme, high contrast), nothing changes.
#pragma once

#include <functional>

#include "platform/win32/handles.h"
#include "platform/win32/win32.h"

class CTabBody {
 public:
  // Finds the dialog's tab control; its controls exist by now.
  void Attach(HWND dialog);
  // The background for WM_CTLCOLORSTATIC and WM_CTLCOLORBTN from `control`: the tab's body,
  // lined up with it, where the control stands on it; null elsewhere.
  HBRUSH ControlBackground(HDC dc, HWND control);
  // WM_ERASEBKGND, also as a control asks its parent for what lies behind it: the dialog's own
  // erase (`eraseDialog`) around the tab's page area, the tab's body on it. False, having done
  // nothing, where the tab has no body of its own.
  bool Erase(HDC dc, const std::function<void()>& eraseDialog);
  // The theme or the system's colours changed: what the body looks like is asked again.
  void Forget();

 private:
  // Whether the tab has a body of its own, drawn at its present size.
  bool Ready();
  // The tab's page area and client origin, in the dialog's client coordinates.
  RECT PageArea() const;
  POINT TabOrigin() const;
  // Lines the body up in `dc` with the tab's client origin at `origin` (logical coordinates).
  void LineUp(HDC dc, POINT origin) const;

  HWND m_dialog = nullptr;
  HWND m_tab = nullptr;
  bool m_drawing = false;  // the tab is being drawn into the body's picture
  bool m_checked = false;  // whether the tab has a body was asked since the last change
  bool m_hasBody = false;
  RECT m_client{};  // the tab's client area and page area the picture was taken at
  RECT m_page{};
  CUniqueBitmap m_picture;  // the tab as it draws itself, and the brush that paints with it
  CUniqueGdiObject<HBRUSH> m_brush;
};
