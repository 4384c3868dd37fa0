// Where a radio group puts its buttons: columns filled top to bottom, left to right, either
// evenly wide or each as wide as its widest caption; mirrored for right-to-left reading.
#pragma once
#include <vector>

#include "platform/ui/align_layout.h"

namespace ec {

constexpr int kMinRadioColumns = 1, kMaxRadioColumns = 16;
int clamp_radio_columns(int columns);
// An item index inside -1 .. count - 1.
int clamp_radio_item_index(int index, int count);

struct RadioGroupMetrics {
    int columns = 1;
    int width = 0;         // the group's Width
    int client_width = 0;  // its ClientWidth
    int client_top = 0;    // the top of the client area after the caption and borders
    int border_width = 0;
    int start_x = 8, start_y = 2;
    int item_height = 17, vertical_spacing = 3;
    int glyph_width = 13;
    bool space_evenly = false;
    bool right_to_left = false;
};

// One rectangle per button; `caption_widths` are the captions measured in the item font
// without their accelerator marks (unused when spacing evenly).
std::vector<ui::Rect> radio_group_layout(const RadioGroupMetrics& m, const std::vector<int>& caption_widths);

// The values a radio group scales with its form; StartXPos does not scale.
struct RadioGroupScaled {
    int vertical_spacing, item_height, start_y, item_font_height;
};
RadioGroupScaled scale_radio_group(const RadioGroupScaled& values, int multiplier, int divider, bool item_font_own);

} // namespace ec
