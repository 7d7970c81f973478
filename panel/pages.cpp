#include "panel/pages.h"

#include <iterator>

#include "res/resource.h"

namespace {

constexpr int kShowPage[] = {IDC_SHOW_GROUP, IDC_MINIMIZE, IDC_SHOW, IDC_TOPMOST, IDC_NOTOPMOST};
constexpr int kShapePage[] = {IDC_SHAPE_GROUP, IDC_CIRCLE, IDC_STAR, IDC_PLAIN_SHAPE,
                              IDC_RESIZABLE};
constexpr int kLockPage[] = {IDC_LOCK_GROUP, IDC_UNLOCK, IDC_LOCK};
constexpr int kAlphaPage[] = {IDC_ALPHA_GROUP,  IDC_TRANSPARENT_LABEL, IDC_ALPHA_SLIDER,
                              IDC_OPAQUE_LABEL, IDC_ALPHA_EDIT,        IDC_ALPHA_APPLY,
                              IDC_FLASH};
constexpr int kTitlePage[] = {IDC_TITLE_GROUP, IDC_TITLE_EDIT, IDC_TITLE_APPLY};
constexpr int kGeometryPage[] = {
    IDC_GEOMETRY_GROUP, IDC_X_LABEL,    IDC_X_EDIT,       IDC_X_SPIN,
    IDC_Y_LABEL,        IDC_Y_EDIT,     IDC_Y_SPIN,       IDC_WIDTH_LABEL,
    IDC_WIDTH_EDIT,     IDC_WIDTH_SPIN, IDC_HEIGHT_LABEL, IDC_HEIGHT_EDIT,
    IDC_HEIGHT_SPIN,    IDC_HALVE,      IDC_DOUBLE,       IDC_ORIGIN};

constexpr TabPage kPages[] = {
    {"表示", kShowPage},    {"変形", kShapePage},     {"ロック", kLockPage},
    {"透明化", kAlphaPage}, {"タイトル", kTitlePage}, {"位置・サイズ", kGeometryPage},
};

constexpr TooltipEntry kTooltips[] = {
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

}  // namespace

std::span<const TabPage> TabPages() {
  return kPages;
}

bool IsPageFrame(int controlId) {
  for (const TabPage& page : kPages) {
    if (page.controls.front() == controlId) return true;
  }
  return false;
}

int PageOf(int controlId) {
  for (std::size_t page = 0; page < std::size(kPages); ++page) {
    for (int id : kPages[page].controls) {
      if (id == controlId) return static_cast<int>(page);
    }
  }
  return -1;
}

std::span<const TooltipEntry> Tooltips() {
  return kTooltips;
}
