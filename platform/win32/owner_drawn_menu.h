// A dialog's menu drawn by the dialog in its own font. Where the system's menu font has no
// Japanese glyphs (a system without the dialog face, in another language), the menu's texts
// would show as boxes; there the dialog takes over their drawing. Elsewhere it changes nothing.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/win32.h"

class COwnerDrawnMenu {
 public:
  // Takes over the drawing of `window`'s menu when the system's menu font cannot draw it.
  void Attach(HWND window);
  // A shortcut menu of the window, drawn as its menu bar is while it is open: until ForgetPopup.
  // Whether it is drawn here.
  bool TakeOverPopup(HMENU popup);
  void ForgetPopup();
  // The messages of owner-drawn menu items; true when handled, with the result to return.
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  struct Item {
    std::wstring text;
    bool inBar;
  };
  void TakeOver(HMENU menu, bool bar);
  SIZE Measure(const Item& item);
  void Draw(const DRAWITEMSTRUCT& draw);
  LRESULT MenuChar(wchar_t key, HMENU menu);

  HWND m_window = nullptr;
  std::vector<std::unique_ptr<Item>> m_items;  // their addresses are the items' data
  std::size_t m_barItems = 0;                  // those of the bar, before a popup's
};

// Shows `popup` as a shortcut menu owned by the control `owner` at a point of the screen, its
// items drawn by `menus` (when given) as the dialog's menu bar is; the chosen item's id, or 0.
int TrackShortcutMenu(COwnerDrawnMenu* menus, HMENU popup, HWND owner, POINT screen);
