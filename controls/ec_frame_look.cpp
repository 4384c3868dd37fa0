#include "controls/ec_frame_look.h"

namespace ec {

void FrameLook::paint_frame(HWND window, ui::TColor color, bool hot) const {
    RECT r{};
    GetWindowRect(window, &r);
    ui::WindowDC dc(window);
    ui::Canvas canvas(dc.get());
    const bool use_hot = hot && frame_hot_track;
    paint_non_client_frame(canvas, r.right - r.left, r.bottom - r.top, use_hot ? frame_hot_style : frame_style, color,
                           use_hot ? frame_hot_color : frame_color, frame_sides);
}

} // namespace ec
