#include "tools/skingen/skin_looks.h"

namespace skingen {

SkinLook DefaultLook() {
    SkinLook look;
    look.name = "Velquist";
    look.face = 0xE4E8EE;
    look.light = 0xFFFFFF;
    look.shadow = 0x9AA4B2;
    look.dark = 0x4A5668;
    look.text = 0x1A1E24;
    look.highlight = 0x2F6FB8;
    look.highlight_text = 0xFFFFFF;
    look.caption_from = 0x3C7CC4;
    look.caption_to = 0x1F4F8C;
    look.caption_inactive_from = 0xB4BECC;
    look.caption_inactive_to = 0x8E9AAA;
    look.caption_text = 0xFFFFFF;
    look.caption_inactive_text = 0xEEF0F4;
    look.frame_outer = 0x1C3050;
    look.title_plate = 0x183E6E;
    look.title_plate_inactive = 0x5E6A7C;
    look.border_width = 4;
    look.caption_height = 26;
    look.button_size = 16;
    look.button_gap = 2;
    look.button_top = 5;
    look.font_height = 14;
    return look;
}

SkinLook ContrastingLook() {
    SkinLook look;
    look.name = "Velquist Contrast";
    look.face = 0x2E2A26;
    look.light = 0x6A625A;
    look.shadow = 0x141210;
    look.dark = 0x000000;
    look.text = 0xF4E8C8;
    look.highlight = 0xE0A020;
    look.highlight_text = 0x000000;
    look.caption_from = 0xC86414;
    look.caption_to = 0x7A3A08;
    look.caption_inactive_from = 0x5A5048;
    look.caption_inactive_to = 0x3A342E;
    look.caption_text = 0x000000;
    look.caption_inactive_text = 0xC8C0B4;
    look.frame_outer = 0xF0B040;
    look.title_plate = 0xF0C060;
    look.title_plate_inactive = 0x2A2622;
    look.border_width = 7;
    look.caption_height = 32;
    look.button_size = 20;
    look.button_gap = 6;
    look.button_top = 7;
    look.font_height = 17;
    return look;
}

} // namespace skingen
