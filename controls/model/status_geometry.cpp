#include "controls/model/status_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace ec {

using ui::Rect;

Rect size_grip_rect(int width, int height) { return {width - kSizeGripWidth, 0, width, height}; }

bool in_size_grip(int x, int y, int width, int height) {
    const Rect g = size_grip_rect(width, height);
    return x >= g.left && x < g.right && y >= g.top && y < g.bottom;
}

std::array<Rect, 12> size_grip_squares(const Rect& r) {
    // Offsets from the bottom-right corner of each square's top-left pixel.
    static constexpr int kAt[6][2] = {{5, 12}, {5, 8}, {5, 4}, {9, 8}, {9, 4}, {13, 4}};
    std::array<Rect, 12> out{};
    for (int i = 0; i < 6; ++i) {
        const int x = r.right - kAt[i][0], y = r.bottom - kAt[i][1];
        out[static_cast<std::size_t>(i)] = {x, y, x + 2, y + 2};
        out[static_cast<std::size_t>(i + 6)] = {x - 1, y - 1, x + 1, y + 1};
    }
    return out;
}

Rect status_bar_client_rect(Rect r, bool theme_library, bool simple_status) {
    if (!theme_library) {
        r.bottom += 1;
        if (simple_status) {
            r.top = 2;
        } else {
            r.top = 1;
            r.left -= 1;
            r.right += 1;
        }
    } else if (simple_status) {
        r.left += 1;
        r.top += 1;
        r.right -= 1;
    }
    return r;
}

int scaled_pane_width(int pane_width, int change, int previous_width) {
    if (previous_width <= 0 || change == 0) return pane_width;
    const float share = static_cast<float>(pane_width) / static_cast<float>(previous_width);
    const double grown = std::nearbyint(static_cast<double>(change) * static_cast<double>(share));
    return std::max(0, pane_width + static_cast<int>(grown));
}

int status_frame_inset(TFrameStyle style, int border_width) {
    switch (style) {
    case TFrameStyle::fsNone: return border_width;
    case TFrameStyle::fsFlat:
    case TFrameStyle::fsStatus:
    case TFrameStyle::fsPopup: return border_width + 1;
    default: return border_width + 2;  // groove to button-up and the bold flat frame
    }
}

namespace {

// The glyph's extra room beside the caption, or 0 when none is shown.
int glyph_room(const PaneGlyph& g) { return g.glyph_pane && g.show ? g.width + g.offset : 0; }

bool glyph_on_left(const PaneGlyph& g, bool right_to_left) {
    return (g.alignment == TGlyphAlignment::gaLeft) != right_to_left;
}

} // namespace

int status_pane_auto_width(bool has_caption, int caption_width, const PaneMetrics& m, const PaneGlyph& g) {
    int w = has_caption ? 2 * m.border_width + caption_width + m.caption_offset + 6 : m.default_width;
    if (g.glyph_pane) w += g.offset + (g.show ? g.width : 0);
    return w;
}

Rect status_caption_rect(const Rect& client, const PaneMetrics& m, const PaneGlyph& g) {
    const int inset = status_frame_inset(m.frame_style, m.border_width);
    Rect r{client.left + inset, client.top + inset, client.right - inset, client.bottom - inset};
    const int room = glyph_room(g);
    if (glyph_on_left(g, m.right_to_left)) r.left += room;
    else r.right -= room;
    return r;
}

CaptionAnchor status_caption_anchor(const Rect& r, TextAnchor alignment, bool right_to_left, int caption_offset,
                                    int text_height) {
    if (right_to_left && alignment != TextAnchor::Center)
        alignment = alignment == TextAnchor::Left ? TextAnchor::Right : TextAnchor::Left;
    CaptionAnchor a;
    a.anchor = alignment;
    a.y = r.top + (r.bottom - r.top - text_height) / 2;
    switch (alignment) {
    case TextAnchor::Left: a.x = r.left + caption_offset + 1; break;
    case TextAnchor::Right: a.x = r.right - caption_offset - 1; break;
    case TextAnchor::Center: a.x = r.left + (r.right - r.left) / 2; break;
    }
    return a;
}

Rect status_glyph_rect(int width, int height, const PaneMetrics& m, const PaneGlyph& g) {
    const Rect caption = status_caption_rect({0, 0, width, height}, m, g);
    const int gh = std::min(g.height, std::max(0, caption.height()));
    const int frame = status_frame_inset(m.frame_style, 0);
    int x = glyph_on_left(g, m.right_to_left) ? g.offset + m.border_width
                                              : width - g.width - g.offset - m.border_width - 2;
    x += frame;
    const int y = m.border_width + std::abs(height - gh - m.border_width - 1) / 2;
    return {x, y, x + g.width, y + gh};
}

bool in_grip_pass_through(int pane_right, int bar_client_right, int x) {
    return pane_right >= bar_client_right && x >= bar_client_right - 12 && x < bar_client_right;
}

} // namespace ec
