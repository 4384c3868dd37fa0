#include "controls/model/radio_group_layout.h"

#include <algorithm>

namespace ec {

int clamp_radio_columns(int columns) { return std::clamp(columns, kMinRadioColumns, kMaxRadioColumns); }

int clamp_radio_item_index(int index, int count) { return std::clamp(index, -1, count - 1); }

std::vector<ui::Rect> radio_group_layout(const RadioGroupMetrics& m, const std::vector<int>& caption_widths) {
    const int count = static_cast<int>(caption_widths.size());
    std::vector<ui::Rect> places(caption_widths.size());
    if (count == 0) return places;
    const int columns = clamp_radio_columns(m.columns);
    const int rows = (count + columns - 1) / columns;
    const int used_columns = (count + rows - 1) / rows;

    // Left edge (before mirroring) and width of each column.
    std::vector<int> column_left(static_cast<std::size_t>(used_columns)), column_width(column_left.size());
    if (m.space_evenly) {
        const int w = (m.width - m.start_x - 2 * m.border_width - 10) / columns;
        for (int c = 0; c < used_columns; ++c) {
            column_left[c] = c * w;
            column_width[c] = w;
        }
    } else {
        int sum = 0;
        for (int c = 0; c < used_columns; ++c) {
            int widest = 0;
            for (int i = c * rows; i < std::min(count, (c + 1) * rows); ++i)
                widest = std::max(widest, caption_widths[i] + m.glyph_width + 12);
            column_left[c] = sum;
            column_width[c] = widest;
            sum += widest;
        }
    }

    for (int i = 0; i < count; ++i) {
        const int c = i / rows, row = i % rows;
        const int top = m.client_top + m.start_y + row * (m.item_height + m.vertical_spacing);
        int left = 0, width = 0;
        if (m.space_evenly) {
            width = column_width[c];
            left = m.right_to_left ? m.client_width - column_left[c] - width - m.start_x : column_left[c] + m.start_x;
        } else {
            width = column_width[c] - 4;
            left = m.right_to_left ? m.client_width - column_left[c] - column_width[c] + 4 - m.start_x
                                   : column_left[c] + m.start_x;
        }
        places[i] = {left, top, left + width, top + m.item_height};
    }
    return places;
}

RadioGroupScaled scale_radio_group(const RadioGroupScaled& v, int multiplier, int divider, bool item_font_own) {
    const auto scale = [&](int x) { return divider == 0 ? x : x * multiplier / divider; };
    return {scale(v.vertical_spacing), scale(v.item_height), scale(v.start_y),
            item_font_own ? scale(v.item_font_height) : v.item_font_height};
}

} // namespace ec
