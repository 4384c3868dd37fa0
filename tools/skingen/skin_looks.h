// The two skins the programs carry: the default look and a contrasting one with other
// colours, border widths, caption height and caption button places.
#pragma once
#include <cstdint>
#include <string>

namespace skingen {

struct SkinLook {
    std::string name;
    // 0x00RRGGBB
    std::uint32_t face, light, shadow, dark, text, highlight, highlight_text;
    std::uint32_t caption_from, caption_to, caption_inactive_from, caption_inactive_to, caption_text, caption_inactive_text;
    std::uint32_t frame_outer;
    // The plate behind the title text, active and inactive: it must set the caption text off,
    // whatever the caption's gradient does there.
    std::uint32_t title_plate, title_plate_inactive;
    int border_width;   // left, right and bottom borders
    int caption_height; // the top border, caption included
    int button_size;    // caption buttons are square
    int button_gap;     // between caption buttons
    int button_top;     // from the window's top
    int font_height;
};

SkinLook DefaultLook();
SkinLook ContrastingLook();

} // namespace skingen
