// What the panel must show, written out once for the unit tests and the end-to-end driver.
#pragma once

#include <vector>

#include "res/resource.h"

// The six pages as the user sees them, group box first.
inline const std::vector<std::vector<int>> kExpectedPages = {
    {IDC_SHOW_GROUP, IDC_MINIMIZE, IDC_SHOW, IDC_TOPMOST, IDC_NOTOPMOST},
    {IDC_SHAPE_GROUP, IDC_CIRCLE, IDC_STAR, IDC_PLAIN_SHAPE, IDC_RESIZABLE},
    {IDC_LOCK_GROUP, IDC_UNLOCK, IDC_LOCK},
    {IDC_ALPHA_GROUP, IDC_TRANSPARENT_LABEL, IDC_ALPHA_SLIDER, IDC_OPAQUE_LABEL, IDC_ALPHA_EDIT,
     IDC_ALPHA_APPLY, IDC_FLASH},
    {IDC_TITLE_GROUP, IDC_TITLE_EDIT, IDC_TITLE_APPLY},
    {IDC_GEOMETRY_GROUP, IDC_X_LABEL, IDC_X_EDIT, IDC_X_SPIN, IDC_Y_LABEL, IDC_Y_EDIT, IDC_Y_SPIN,
     IDC_WIDTH_LABEL, IDC_WIDTH_EDIT, IDC_WIDTH_SPIN, IDC_HEIGHT_LABEL, IDC_HEIGHT_EDIT,
     IDC_HEIGHT_SPIN, IDC_HALVE, IDC_DOUBLE, IDC_ORIGIN},
};

// The tooltips, one tool per control, in the order they are added.
struct ExpectedTool {
  int id;
  const char* text;
};
inline constexpr ExpectedTool kExpectedTooltips[] = {
    {IDC_WINDOW_LIST, "現在稼働中のウィンドウが表示されています、変更対象を選ぶことができます。"},
    {IDC_REFRESH, "ウィンドウリストの一覧を更新します。"},
    {IDC_MINIMIZE, "選択したウィンドウを最小化します。"},
    {IDC_SHOW, "選択したウィンドウを表示します。"},
    {IDC_TOPMOST, "選択したウィンドウを、常に最前面に表示します。"},
    {IDC_NOTOPMOST, "選択したウィンドウを、常に最前面に表示しないようにします。"},
    {IDC_FLASH, "選択したウィンドウが、透過表示・不透過表示を繰り返します。"},
    {IDC_CIRCLE, "選択したウィンドウを円形に変更します。"},
    {IDC_STAR, "選択したウィンドウを★形に変更します。"},
    {IDC_PLAIN_SHAPE, "選択したウィンドウを四角形に変更します。"},
    {IDC_RESIZABLE,
     "選択したウィンドウにおいて、ウィンドウサイズの変更を可能にします（変更が効かないウィンドウ"
     "もあります）"},
    {IDC_ALPHA_SLIDER, "透明度を指定します（透明 <---> 不透明）"},
    {IDC_ALPHA_EDIT, "透明度値を直接入力できます（ 0 から 255 の範囲まで）"},
    {IDC_ALPHA_APPLY, "選択したウィンドウに、透明度を反映させます。"},
    {IDC_TITLE_EDIT, "新しいウィンドウタイトルを入力します。"},
    {IDC_TITLE_APPLY, "選択したウィンドウのタイトルを変更します。"},
    {IDC_UNLOCK, "入力を受け付けないウィンドウに入力を行えるようになります。"},
    {IDC_LOCK, "一切の入力を受け付けなくなります。　ウィンドウの移動等も行えなくなります。"},
    {IDC_X_EDIT, "ウィンドウの左端座標を指定します。"},
    {IDC_X_SPIN, "ウィンドウの左端座標を指定します。"},
    {IDC_WIDTH_EDIT, "ウィンドウの横幅を指定します。"},
    {IDC_WIDTH_SPIN, "ウィンドウの横幅を指定します。"},
    {IDC_Y_EDIT, "ウィンドウの上端座標を指定します。"},
    {IDC_Y_SPIN, "ウィンドウの上端座標を指定します。"},
    {IDC_HEIGHT_EDIT, "ウィンドウの縦幅を指定します。"},
    {IDC_HEIGHT_SPIN, "ウィンドウの縦幅を指定します。"},
    {IDC_HALVE, "ウィンドウの大きさを、現在の大きさの半分に設定します。"},
    {IDC_DOUBLE, "ウィンドウの大きさを、現在の大きさの二倍に設定します。"},
    {IDC_ORIGIN, "ウィンドウの座標を、画面左上に設定します。"},
};

// Where start-up puts each page control, in pixels at 96 DPI from the top-left corner of the
// first page's group box, in the order of the placements.
struct ExpectedPlacement {
  int id;
  int dx;
  int dy;
};
inline constexpr ExpectedPlacement kExpectedPlacements[] = {
    {IDC_MINIMIZE, 10, 15},      {IDC_SHOW, 10, 40},
    {IDC_TOPMOST, 130, 15},      {IDC_NOTOPMOST, 130, 40},
    {IDC_SHAPE_GROUP, 0, 0},     {IDC_CIRCLE, 10, 15},
    {IDC_STAR, 10, 40},          {IDC_PLAIN_SHAPE, 130, 15},
    {IDC_RESIZABLE, 130, 40},    {IDC_LOCK_GROUP, 0, 0},
    {IDC_LOCK, 10, 15},          {IDC_UNLOCK, 10, 40},
    {IDC_ALPHA_GROUP, 0, 0},     {IDC_TRANSPARENT_LABEL, 10, 15},
    {IDC_OPAQUE_LABEL, 290, 15}, {IDC_ALPHA_SLIDER, 40, 15},
    {IDC_ALPHA_EDIT, 190, 40},   {IDC_ALPHA_APPLY, 240, 40},
    {IDC_FLASH, 40, 40},         {IDC_TITLE_GROUP, 0, 0},
    {IDC_TITLE_EDIT, 10, 20},    {IDC_TITLE_APPLY, 250, 20},
    {IDC_GEOMETRY_GROUP, 0, 0},  {IDC_X_LABEL, 10, 20},
    {IDC_X_EDIT, 70, 15},        {IDC_X_SPIN, 105, 15},
    {IDC_Y_LABEL, 10, 45},       {IDC_Y_EDIT, 70, 40},
    {IDC_Y_SPIN, 105, 40},       {IDC_WIDTH_LABEL, 130, 20},
    {IDC_WIDTH_EDIT, 160, 15},   {IDC_WIDTH_SPIN, 195, 15},
    {IDC_HEIGHT_LABEL, 130, 45}, {IDC_HEIGHT_EDIT, 160, 40},
    {IDC_HEIGHT_SPIN, 195, 40},  {IDC_HALVE, 215, 15},
    {IDC_DOUBLE, 215, 40},       {IDC_ORIGIN, 260, 15},
};
