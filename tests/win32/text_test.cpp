// Text conversion, the application title and the centring arithmetic.
#include "platform/win32/text.h"
#include "platform/win32/modal_dialog.h"
#include "platform/win32/panel_host.h"
#include "tests/common/harness.h"

CASE(Utf8RoundTripsThroughUtf16) {
  // The panel's own texts: the multiplication sign, the katakana middle dot, the ideographic
  // space and full-width parentheses; and a character outside the BMP.
  const char* samples[] = {"",
                           "Glazier",
                           "× 2",
                           "位置・サイズ",
                           "一切の入力を受け付けなくなります。　ウィンドウの移動等も",
                           "（変更が効かないウィンドウもあります）",
                           "ﾊﾞｰｼﾞｮﾝ情報",
                           "🪟"};
  for (const char* sample : samples) CHECK_EQ(Narrow(Widen(sample)), std::string(sample));
  CHECK_EQ(Widen("× 2"), L"\u00D7 2");
  CHECK_EQ(Widen("🪟").size(), 2u);  // a surrogate pair
}

CASE(NarrowIntoReplacesTheOldContents) {
  std::string out = "a much longer previous title";
  NarrowInto(L"新しい", out);
  CHECK_EQ(out, "新しい");
  NarrowInto(L"", out);
  CHECK(out.empty());
}

CASE(AppTitleIsTheFileNameWithoutDirectoryAndExtension) {
  CHECK_EQ(AppTitleFromPath(L"C:\\Program Files\\Glazier\\glazier.exe"), L"glazier");
  CHECK_EQ(AppTitleFromPath(L"C:\\tools.d\\renamed.exe"), L"renamed");
  CHECK_EQ(AppTitleFromPath(L"C:\\x\\my.tool.exe"), L"my.tool");
  CHECK_EQ(AppTitleFromPath(L"D:\\tools\\noextension"), L"noextension");
  CHECK_EQ(AppTitleFromPath(L"\\\\server\\share\\ガラス.exe"), L"ガラス");
  CHECK_EQ(AppTitleFromPath(L"glazier.exe"), L"glazier");
  // This executable's own title follows its file name.
  CHECK_EQ(AppTitle(), L"glazier_win32_tests");
}

CASE(CenteredOriginStaysInsideTheWorkArea) {
  const Rect area{0, 0, 1280, 994};
  // Centred; odd sizes round as the framework does.
  CHECK_EQ(CenteredOrigin({0, 0, 371, 456}, area, area), (Point{455, 269}));
  // Centred over an owner, then pushed back inside at the right and bottom edges.
  CHECK_EQ(CenteredOrigin({0, 0, 200, 100}, {1200, 900, 1400, 1000}, area), (Point{1080, 894}));
  // And at the left and top edges.
  CHECK_EQ(CenteredOrigin({0, 0, 200, 100}, {-300, -300, -100, -100}, area), (Point{0, 0}));
  // A window larger than the area keeps its top-left corner inside.
  CHECK_EQ(CenteredOrigin({0, 0, 1500, 1200}, area, area), (Point{0, 0}));
  // The work area need not start at 0, 0 (a task bar at the top or left).
  CHECK_EQ(CenteredOrigin({0, 0, 100, 100}, {40, 30, 1280, 1024}, {40, 30, 1280, 1024}),
           (Point{610, 477}));
}
