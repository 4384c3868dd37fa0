// The LED display's dot-matrix picture: its 5 x 7 font, the size of a dot and of a character
// cell for a client height, and where the blank cells and the caption's cells fall while the
// caption stands still or scrolls. Coordinates are relative to the client rectangle.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "controls/model/ec_enums.h"

namespace ec {

// One byte per dot column, left to right; bit 7 the top row, bit 1 the bottom one.
using LedGlyph = std::array<std::uint8_t, 5>;
// Codes below 32 show the block of code 127.
LedGlyph led_glyph(unsigned char code);
constexpr int kLedColumns = 6;  // the sixth column is the gap between characters, always off
constexpr int kLedRows = 7;
bool led_dot_lit(unsigned char code, int row, int column);

struct LedDots {
    int size = 2;
    int gap = 0;
    int pitch() const { return size + gap; }
    int cell_width() const { return pitch() * kLedColumns; }
    int cell_height() const { return size * kLedRows + gap * (kLedRows - 1); }
};
LedDots led_dots_for_height(int client_height);

// How far one scrolling pass travels: the caption's width plus the control's.
int led_steps(const LedDots& dots, int caption_length, int control_width);
// One scroll tick: true when the pass is complete and the step wrapped to 0.
bool led_advance(int& current_step, const LedDots& dots, int steps);

enum class LedAlign { Left, Right, Center };

struct LedLayoutInput {
    LedDots dots;
    int client_width = 0;
    int caption_length = 0;
    LedAlign align = LedAlign::Left;
    bool scrolling = false;
    TEcScrollType scroll_type = TEcScrollType::stRightToLeft;
    int current_step = 0;
};

// The left edges of the blank cells behind the text, on the text's grid, covering the width.
std::vector<int> led_blank_cells(const LedLayoutInput& in);
// The left edge of each caption character's cell, first character first.
std::vector<int> led_text_cells(const LedLayoutInput& in);

} // namespace ec
