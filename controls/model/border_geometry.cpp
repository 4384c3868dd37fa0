#include "controls/model/border_geometry.h"

namespace ec {

namespace {

ui::Rect inset_sides(ui::Rect r, int by, TSides sides) {
    if (sides.has(TSide::sdLeft)) r.left += by;
    if (sides.has(TSide::sdTop)) r.top += by;
    if (sides.has(TSide::sdRight)) r.right -= by;
    if (sides.has(TSide::sdBottom)) r.bottom -= by;
    return r;
}

} // namespace

int frame_thickness(TFrameStyleEx style, int bevel_width) {
    switch (style) {
    case TFrameStyleEx::fsNone: return 0;
    case TFrameStyleEx::fsFlat: return 1;
    case TFrameStyleEx::fsStatus:
    case TFrameStyleEx::fsPopup: return bevel_width;
    default: return 2;
    }
}

int frame_thickness_for_auto_size(TFrameStyleEx style, int bevel_width) {
    if (style == TFrameStyleEx::fsFlatBold || style == TFrameStyleEx::fsFlatRounded) return 0;
    return frame_thickness(style, bevel_width);
}

ui::Rect border_client_rect(const ui::Rect& bounds, const BorderLayers& layers) {
    ui::Rect r = inset_sides(bounds, layers.width, kAllSides);
    r = inset_sides(r, frame_thickness(layers.outer, layers.bevel_width), layers.sides);
    r = inset_sides(r, frame_thickness(layers.inner, layers.bevel_width), layers.sides);
    if (r.right < r.left || r.bottom < r.top) return {};
    return r;
}

} // namespace ec
