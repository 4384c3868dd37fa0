// The track bar's thumb pictures, drawn by our own code: each style's shape as a grid of roles
// (edges, face, accent), turned for vertical bars, and the design colour each role takes in the
// thumb, the hot thumb and the disabled thumb. The design colours are those the track bar's
// colour map replaces, so the pictures follow the desktop and the bar's own colours.
#pragma once
#include <string>
#include <vector>

#include "controls/model/track_geometry.h"

namespace ec {

// Roles: '.' outside the shape, 'W' outer light edge, 'L' inner light edge, 'F' face,
// 'S' inner dark edge, 'D' outer dark edge, 'A' accent.
struct ThumbArt {
    std::vector<std::string> rows;
    int width() const { return rows.empty() ? 0 : static_cast<int>(rows.front().size()); }
    int height() const { return static_cast<int>(rows.size()); }
};

// The shape of a style (tsCustom has none of its own; the Win95 pointer is shaped as the
// standard one); vertical bars take it turned.
ThumbArt thumb_art(TThumbStyle style, TOrientation orientation);

enum class ThumbImage { Normal, Hot, Disabled };
// The design colour of a role; outside the shape black, so that OR-ing the picture over the
// masked background leaves the background.
ui::TColor thumb_design_color(char role, ThumbImage image);
// The XP styles are shown in colours of their own, not mapped.
ui::TColor xp_thumb_color(char role, ThumbImage image);
// White outside the shape, black inside.
ui::TColor thumb_mask_color(char role);

} // namespace ec
