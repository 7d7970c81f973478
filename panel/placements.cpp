#include "panel/placements.h"

#include "res/resource.h"

namespace {

constexpr Placement kPlacements[] = {
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

constexpr int kBottomAnchored[] = {
    IDC_TAB,
    IDC_SHOW_GROUP,
    IDC_MINIMIZE,
    IDC_SHOW,
    IDC_TOPMOST,
    IDC_NOTOPMOST,
    IDC_SHAPE_GROUP,
    IDC_CIRCLE,
    IDC_STAR,
    IDC_PLAIN_SHAPE,
    IDC_RESIZABLE,
    IDC_LOCK_GROUP,
    IDC_UNLOCK,
    IDC_LOCK,
    IDC_ALPHA_GROUP,
    IDC_TRANSPARENT_LABEL,
    IDC_ALPHA_SLIDER,
    IDC_OPAQUE_LABEL,
    IDC_ALPHA_EDIT,
    IDC_ALPHA_APPLY,
    IDC_FLASH,
    IDC_TITLE_GROUP,
    IDC_TITLE_EDIT,
    IDC_TITLE_APPLY,
    IDC_GEOMETRY_GROUP,
    IDC_X_LABEL,
    IDC_X_EDIT,
    IDC_X_SPIN,
    IDC_Y_LABEL,
    IDC_Y_EDIT,
    IDC_Y_SPIN,
    IDC_WIDTH_LABEL,
    IDC_WIDTH_EDIT,
    IDC_WIDTH_SPIN,
    IDC_HEIGHT_LABEL,
    IDC_HEIGHT_EDIT,
    IDC_HEIGHT_SPIN,
    IDC_HALVE,
    IDC_DOUBLE,
    IDC_ORIGIN,
};

}  // namespace

std::span<const Placement> PanelPlacements() {
  return kPlacements;
}

std::span<const int> BottomAnchoredControls() {
  return kBottomAnchored;
}

int ScaleForDpi(int value, int dpi) {
  const long long product = static_cast<long long>(value) * dpi;
  const long long half = kDefaultDpi / 2;
  return static_cast<int>(product >= 0 ? (product + half) / kDefaultDpi
                                       : (product - half) / kDefaultDpi);
}

Point IconOrigin(int clientWidth, int clientHeight, int iconWidth, int iconHeight) {
  // C++ division truncates toward zero, which is what the icon placement relies on.
  return {(clientWidth - iconWidth + 1) / 2, (clientHeight - iconHeight + 1) / 2};
}
