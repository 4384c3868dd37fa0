#include "platform/ui/align_layout.h"

#include <algorithm>

namespace ui {

int SizeConstraints::clamp_width(int w) const {
    if (max_width > 0) w = std::min(w, max_width);
    return std::max(w, min_width);
}

int SizeConstraints::clamp_height(int h) const {
    if (max_height > 0) h = std::min(h, max_height);
    return std::max(h, min_height);
}

std::vector<Rect> align_children(const Rect& client, const std::vector<LayoutChild>& children) {
    std::vector<Rect> out;
    out.reserve(children.size());
    for (const LayoutChild& c : children) out.push_back(c.bounds);

    Rect space = client;
    const TAlign order[] = {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient};
    for (TAlign pass : order) {
        // Children of one alignment keep the order of their places (the top-most alTop first,
        // the bottom-most alBottom first...), ties in z-order: a layout stays as it was laid out.
        std::vector<std::size_t> turn;
        for (std::size_t i = 0; i < children.size(); ++i)
            if (children[i].visible && children[i].align == pass) turn.push_back(i);
        auto key = [&](std::size_t i) {
            const Rect& b = children[i].bounds;
            switch (pass) {
            case TAlign::alTop: return b.top;
            case TAlign::alBottom: return -b.bottom;
            case TAlign::alLeft: return b.left;
            case TAlign::alRight: return -b.right;
            default: return 0;
            }
        };
        std::stable_sort(turn.begin(), turn.end(), [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
        for (std::size_t i : turn) {
            const LayoutChild& c = children[i];
            Rect r = c.bounds;
            int w = c.constraints.clamp_width(r.width());
            int h = c.constraints.clamp_height(r.height());
            switch (pass) {
            case TAlign::alTop:
                r = {space.left, space.top, space.right, space.top + h};
                space.top = std::min(space.bottom, r.bottom);
                break;
            case TAlign::alBottom:
                r = {space.left, space.bottom - h, space.right, space.bottom};
                space.bottom = std::max(space.top, r.top);
                break;
            case TAlign::alLeft:
                r = {space.left, space.top, space.left + w, space.bottom};
                space.left = std::min(space.right, r.right);
                break;
            case TAlign::alRight:
                r = {space.right - w, space.top, space.right, space.bottom};
                space.right = std::max(space.left, r.left);
                break;
            default:
                r = space;
                r.right = r.left + c.constraints.clamp_width(std::max(0, space.width()));
                r.bottom = r.top + c.constraints.clamp_height(std::max(0, space.height()));
                break;
            }
            out[i] = r;
        }
    }

    for (std::size_t i = 0; i < children.size(); ++i) {
        const LayoutChild& c = children[i];
        if (!c.visible || c.align != TAlign::alNone) continue;
        Rect r = c.bounds;
        if (c.anchors.has(TAnchorKind::akRight)) {
            int new_right = client.right - c.anchor_right;
            if (c.anchors.has(TAnchorKind::akLeft)) r.right = r.left + c.constraints.clamp_width(std::max(0, new_right - r.left));
            else {
                int w = r.width();
                r.right = new_right;
                r.left = new_right - w;
            }
        }
        if (c.anchors.has(TAnchorKind::akBottom)) {
            int new_bottom = client.bottom - c.anchor_bottom;
            if (c.anchors.has(TAnchorKind::akTop)) r.bottom = r.top + c.constraints.clamp_height(std::max(0, new_bottom - r.top));
            else {
                int h = r.height();
                r.bottom = new_bottom;
                r.top = new_bottom - h;
            }
        }
        out[i] = r;
    }
    return out;
}

} // namespace ui
