// Window shapes on our target program with a client area of 400 x 300.
#include <windows.h>

#include <string>

#include "glazier.h"
#include "res/resource.h"
#include "tests/common/harness.h"

using namespace e2e;

namespace {

// The window's region, owned by the caller; null when it has none.
HRGN RegionOf(HWND hwnd) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  if (GetWindowRgn(hwnd, region) == ERROR) {
    DeleteObject(region);
    return nullptr;
  }
  return region;
}

// Whether two regions cover the same pixels, however each is cut into rectangles.
bool SameArea(HRGN a, HRGN b) {
  HRGN difference = CreateRectRgn(0, 0, 0, 0);
  const int kind = CombineRgn(difference, a, b, RGN_XOR);
  DeleteObject(difference);
  return kind == NULLREGION;
}

struct Shaped {
  HWND hwnd;
  RECT box = {};
  HRGN region = nullptr;
  ~Shaped() {
    if (region) DeleteObject(region);
  }
  bool Contains(int x, int y) const { return region && PtInRegion(region, x, y); }
};

// Presses a shape button and reads the region the window then has.
void Shape(Glazier& glazier, int button, Shaped& shaped) {
  RECT before = {};
  HRGN old = RegionOf(shaped.hwnd);
  if (old) GetRgnBox(old, &before);
  glazier.Press(button);
  WaitFor([&] {
    if (shaped.region) DeleteObject(shaped.region);
    shaped.region = RegionOf(shaped.hwnd);
    return shaped.region && GetRgnBox(shaped.region, &shaped.box) != ERROR &&
           !EqualRect(&shaped.box, &before);
  });
  if (old) DeleteObject(old);
}

void SaveShape(HWND hwnd, const char* name) {
  RECT rect = {};
  GetWindowRect(hwnd, &rect);
  InflateRect(&rect, 20, 20);
  Screenshot(name, rect);
}

}  // namespace

CASE(circle_star_and_plain_shapes) {
  const std::string title = UniqueTitle("E2E 形");
  Target target = StartTarget(title, 400, 300, 20, 20);
  Glazier glazier;
  glazier.SelectOnPage(title, kShapePage);
  Shaped shaped{target.hwnd};

  Shape(glazier, IDC_CIRCLE, shaped);
  Require(shaped.region != nullptr, "\"●形ウィンドウ\" gives the window a region");
  // The same pixels as CreateEllipticRgn(0, 0, 409, 320) (whose box, as GetRgnBox reports it,
  // ends a pixel inside those numbers).
  HRGN expected = CreateEllipticRgn(0, 0, 409, 320);
  Check(SameArea(shaped.region, expected),
        "it is the ellipse in the box (0, 0)-(409, 320); region box " + Describe(shaped.box));
  DeleteObject(expected);
  SaveShape(target.hwnd, "shape-circle");

  // The star, in the window's own coordinates: (0, 300), (200, 0), (400, 300), (0, 100),
  // (400, 100).
  Shape(glazier, IDC_STAR, shaped);
  Require(shaped.region != nullptr, "\"★形ウィンドウ\" gives the window a region");
  Check(shaped.Contains(200, 150) && shaped.Contains(200, 180),
        "points of the inner pentagon are in it: the star is solid");
  Check(shaped.Contains(200, 40) && shaped.Contains(30, 110) && shaped.Contains(370, 110),
        "and the points of its spikes");
  const RECT client = ClientOnScreen(target.hwnd);
  RECT outer = {};
  GetWindowRect(target.hwnd, &outer);
  const int left = client.left - outer.left;
  const int top = client.top - outer.top;
  const int right = left + (client.right - client.left) - 1;
  const int bottom = top + (client.bottom - client.top) - 1;
  Check(!shaped.Contains(left, top) && !shaped.Contains(right, top) &&
            !shaped.Contains(left, bottom) && !shaped.Contains(right, bottom),
        "the corners of the client area are not");
  SaveShape(target.hwnd, "shape-star");

  // The plain shape gives back the whole window, also one larger than the work area.
  const RECT work = WorkAreaOf(target.hwnd);
  SetWindowPos(target.hwnd, nullptr, work.left, work.top, work.right - work.left + 40,
               work.bottom - work.top + 40, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT large = {};
  GetWindowRect(target.hwnd, &large);
  glazier.Press(IDC_PLAIN_SHAPE);
  Check(WaitFor([&] {
          HRGN region = RegionOf(target.hwnd);
          if (region) DeleteObject(region);
          return region == nullptr;
        }),
        "\"通常ウィンドウ\" leaves the window with no region: the whole of it, " + Describe(large) +
            ", is shown");
  SaveShape(target.hwnd, "shape-plain");
}
