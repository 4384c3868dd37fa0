// How much room the layered borders of borders, LED displays and labels take, and what is left
// inside them for the picture or the text.
#pragma once
#include "controls/model/ec_enums.h"
#include "platform/ui/align_layout.h"

namespace ec {

struct BorderLayers {
    TFrameStyleEx outer = TFrameStyleEx::fsNone;
    TFrameStyleEx inner = TFrameStyleEx::fsNone;
    int width = 0;  // the band between the two, on all four sides
    TSides sides = kAllSides;
    int bevel_width = 1;
};

// The pixels one side of a frame style takes. Auto-sizing labels count nothing for the bold
// and rounded flat frames, as their stored descriptions were laid out that way.
int frame_thickness(TFrameStyleEx style, int bevel_width);
int frame_thickness_for_auto_size(TFrameStyleEx style, int bevel_width);

// The rectangle inside the borders; an inverted result is the empty rectangle (0, 0, 0, 0).
ui::Rect border_client_rect(const ui::Rect& bounds, const BorderLayers& layers);

} // namespace ec
