// Placement of aligned and anchored children inside a parent's client rectangle. Pure geometry,
// so that the rules hold the same wherever windows live.
#pragma once
#include <vector>

#include "platform/ui/enum_info.h"

namespace ui {

UI_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom)
UI_ENUM(TAnchorKind, akLeft, akTop, akRight, akBottom)
using TAnchors = SetOf<TAnchorKind>;

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    friend bool operator==(const Rect& a, const Rect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    friend bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }
};

struct SizeConstraints {
    int min_width = 0, min_height = 0, max_width = 0, max_height = 0;  // 0: no limit
    int clamp_width(int w) const;
    int clamp_height(int h) const;
};

struct LayoutChild {
    TAlign align = TAlign::alNone;
    TAnchors anchors{TAnchorKind::akLeft, TAnchorKind::akTop};
    bool visible = true;
    Rect bounds;             // current bounds in the parent's client coordinates
    // Distances kept by anchors, measured when the child was placed: right and bottom margins
    // from the client edges of that time.
    int anchor_right = 0, anchor_bottom = 0;
    SizeConstraints constraints;
};

// Computes the new bounds of every child in `children` (given in z-order). Aligned children take
// the client space in the order top, bottom, left, right, client; within one alignment in the
// order of their current places (z-order breaks ties). Anchored (alNone) ones keep the margins
// of their right/bottom anchors, stretching when anchored on both sides.
std::vector<Rect> align_children(const Rect& client, const std::vector<LayoutChild>& children);

} // namespace ui
