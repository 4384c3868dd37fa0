// The colour tables behind frames and edges, the desktop's XP colour schemes and the colour
// sets derived from them for selections, bars and panels.
#pragma once
#include <string_view>

#include "controls/model/ec_enums.h"
#include "controls/model/hsl_color.h"

namespace ec {

struct SideColors {
    TColor upper_left = ui::clNone;
    TColor lower_right = ui::clNone;
};

// Two rings, outer first.
struct EdgeColors {
    SideColors outer;
    SideColors inner;
};

// Upper-left and lower-right colours of the one-ring, two-ring and etched styles; the edge
// styles (lowered, raised, button down and up) and fsFlatRounded use other tables and give
// clNone here.
SideColors frame_style_colors(TFrameStyleEx style);
EdgeColors edge_3d_colors(bool lowered);
EdgeColors push_button_edge_colors(bool down);
EdgeColors tinted_button_edge_colors(TColor face, bool down);

// How a tinted frame style is drawn from a face colour.
enum class FrameShape { Nothing, OneRing, TwoRings, Etched, ButtonEdge };
struct TintedFrame {
    FrameShape shape = FrameShape::Nothing;
    EdgeColors colors;  // one ring and etched: outer only
};
TintedFrame tinted_frame_colors(TColor face, TFrameStyle style);

// The three desktop colour schemes: 0 blue, 1 olive, 2 silver.
constexpr int kXpSchemeCount = 3;
constexpr int kXpSchemeColorCount = 6;
// Out-of-range schemes read as scheme 0; an index outside 0..5 gives clNone.
TColor xp_scheme_color(int scheme, int index);
// The scheme of a theme's colour name, in any letter case.
int xp_scheme_from_name(std::string_view color_name);

// What the derived colours depend on: set once at start-up from the screen and the desktop.
struct DisplayTraits {
    int xp_scheme = 0;
    bool full_color = true;
};
const DisplayTraits& display_traits();
void set_display_traits(const DisplayTraits& traits);

struct SelectionColorSet {
    TColor frame, start, stop;
};
struct GradientPair {
    TColor start, stop;
};
struct PanelColorSet {
    TColor stop, start, frame;
};
// `themes_active`: whether desktop visual styles draw the controls right now.
SelectionColorSet selection_colors(TEcGradientColorStyle style, bool themes_active, const DisplayTraits& traits);
GradientPair bar_gradient_colors(TEcGradientColorStyle style, bool themes_active, const DisplayTraits& traits);
TColor bar_frame_color(TEcGradientColorStyle style, bool themes_active, const DisplayTraits& traits);
PanelColorSet panel_gradient_colors(TEcGradientColorStyle style, bool themes_active, const DisplayTraits& traits);

} // namespace ec
