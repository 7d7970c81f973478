#include "panel/fit_to_font.h"

#include <algorithm>
#include <map>

#include "panel/placements.h"

namespace {

// Pixels at 96 DPI.
constexpr int kButtonEdges = 6;    // a push button's frame and padding around its text
constexpr int kFrameCaption = 16;  // a group box's frame before and after its caption
constexpr int kRowSpread = 10;     // controls whose tops are this close stand in one row
constexpr int kEditGap = 4;        // between a shortened edit and the control it made room for
constexpr int kInset = 5;          // between what grew and the frame around it

struct Fitter {
  int dpi;
  std::map<int, Rect> rects;  // the new rectangle of every control seen

  int Px(int pixels) const { return ScaleForDpi(pixels, dpi); }

  static void Shift(Rect& rect, int dx, int dy) {
    rect = {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
  }

  // Rows of controls by their tops, top row first, each from left to right.
  std::vector<std::vector<FitControl>> Rows(std::vector<FitControl> controls) const {
    std::sort(controls.begin(), controls.end(),
              [](const FitControl& a, const FitControl& b) { return a.rect.top < b.rect.top; });
    std::vector<std::vector<FitControl>> rows;
    for (const FitControl& control : controls) {
      if (rows.empty() || control.rect.top - rows.back().front().rect.top > Px(kRowSpread)) {
        rows.emplace_back();
      }
      rows.back().push_back(control);
    }
    for (auto& row : rows) {
      std::sort(row.begin(), row.end(),
                [](const FitControl& a, const FitControl& b) { return a.rect.left < b.rect.left; });
    }
    return rows;
  }

  // A row laid out again from the left: texts get their width, an edit or a label running into
  // its right neighbour gives up the width it can spare, and what is still too wide moves the
  // rest of the row right.
  void FitRow(std::vector<FitControl>& row) const {
    int carry = 0;
    for (std::size_t i = 0; i < row.size(); ++i) {
      Rect& rect = row[i].rect;
      Shift(rect, carry, 0);
      const int need = NeededWidth(row[i], dpi);
      if (need > rect.Width()) rect.right = rect.left + need;
      if (i + 1 == row.size()) break;
      const int nextLeft = row[i + 1].rect.left + carry;
      if (rect.right <= nextLeft) continue;
      if (row[i].kind == FitKind::Edit) {
        const int shortest = (rect.Width() + 1) / 2;
        rect.right = rect.left + std::max(nextLeft - Px(kEditGap) - rect.left, shortest);
      } else if (row[i].kind == FitKind::Label && nextLeft - rect.left >= need) {
        rect.right = nextLeft;
      }
      carry += std::max(rect.right - nextLeft, 0);
    }
  }

  // Rows lower down move down as far as the row above now reaches into them.
  static void FitRows(std::vector<std::vector<FitControl>>& rows) {
    int carry = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
      for (FitControl& control : rows[r]) Shift(control.rect, 0, carry);
      if (r + 1 == rows.size()) break;
      int bottom = rows[r].front().rect.bottom;
      for (const FitControl& control : rows[r]) bottom = std::max(bottom, control.rect.bottom);
      int top = rows[r + 1].front().rect.top + carry;
      for (const FitControl& control : rows[r + 1]) {
        top = std::min(top, control.rect.top + carry);
      }
      carry += std::max(bottom - top, 0);
    }
  }

  // Lays out one page's controls; returns how far right and down what changed now reaches.
  Point FitPage(const std::vector<FitControl>& controls) {
    auto rows = Rows(controls);
    FitRows(rows);
    for (auto& row : rows) FitRow(row);
    Point reach{0, 0};
    for (const auto& row : rows) {
      for (const FitControl& control : row) {
        const Rect& was = Original(controls, control.id);
        rects[control.id] = control.rect;
        if (control.rect.right > was.right) reach.x = std::max(reach.x, control.rect.right);
        if (control.rect.bottom > was.bottom) reach.y = std::max(reach.y, control.rect.bottom);
      }
    }
    return reach;
  }

  static const Rect& Original(const std::vector<FitControl>& controls, int id) {
    return std::find_if(controls.begin(), controls.end(),
                        [id](const FitControl& c) { return c.id == id; })
        ->rect;
  }
};

// How far `inner` grew past `outer`, so that `outer` grows as much and keeps its margin.
int Overrun(int innerNow, int innerWas, int outerEdge) {
  if (innerNow <= innerWas) return 0;
  return std::max(innerNow + std::max(outerEdge - innerWas, 0) - outerEdge, 0);
}

}  // namespace

int NeededWidth(const FitControl& control, int dpi) {
  if (control.textWidth <= 0) return 0;
  switch (control.kind) {
    case FitKind::Button:
      return control.textWidth + ScaleForDpi(kButtonEdges, dpi);
    case FitKind::Frame:
      return control.textWidth + ScaleForDpi(kFrameCaption, dpi);
    case FitKind::Label:
      return control.textWidth;
    default:
      return 0;
  }
}

FitResult FitPanel(const FitInput& input) {
  Fitter fitter{input.dpi, {}};
  FitResult result;
  if (input.pages.empty() || input.pages.front().empty()) return result;

  // One frame for all pages, so that switching pages does not change the panel's shape.
  const Rect frameWas = input.pages.front().front().rect;
  Rect frame = frameWas;
  for (const auto& page : input.pages) {
    frame.right = std::max(frame.right, frame.left + NeededWidth(page.front(), input.dpi));
    const Point reach = fitter.FitPage({page.begin() + 1, page.end()});
    frame.right = std::max(frame.right, reach.x + fitter.Px(kInset));
    frame.bottom = std::max(frame.bottom, reach.y + fitter.Px(kInset));
  }

  const Rect& tabWas = input.tab.rect;
  Rect tab = tabWas;
  tab.right += Overrun(frame.right, frameWas.right, tabWas.right);
  tab.bottom += Overrun(frame.bottom, frameWas.bottom, tabWas.bottom);
  tab.right = std::max(tab.right, tab.left + input.tabStripWidth);

  // The header row: the list's caption and the refresh button.
  std::vector<FitControl> header = input.header;
  fitter.FitRow(header);
  int headerRight = 0;
  for (std::size_t i = 0; i < header.size(); ++i) {
    fitter.rects[header[i].id] = header[i].rect;
    if (header[i].rect.right > input.header[i].rect.right) {
      headerRight = std::max(headerRight, header[i].rect.right + fitter.Px(kInset));
    }
  }

  result.grow = {std::max(Overrun(tab.right, tabWas.right, input.client.right),
                          std::max(headerRight - input.client.right, 0)),
                 Overrun(tab.bottom, tabWas.bottom, input.client.bottom)};

  for (const auto& page : input.pages) fitter.rects[page.front().id] = frame;
  auto note = [&](int id, const Rect& was, const Rect& now) {
    if (!(was == now)) result.changes.push_back({id, now});
  };
  for (const auto& page : input.pages) {
    for (const FitControl& control : page) {
      note(control.id, control.rect, fitter.rects[control.id]);
    }
  }
  for (const FitControl& control : input.header) {
    note(control.id, control.rect, fitter.rects[control.id]);
  }
  note(input.tab.id, tabWas, tab);
  return result;
}
