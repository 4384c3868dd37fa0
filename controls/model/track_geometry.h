// The track bar's arithmetic: range rules, where the track, the thumb and the ticks fall, the
// position under the mouse and the colours its thumb pictures are drawn in. Values and pixel
// products are 64-bit: a playback slider counts milliseconds.
#pragma once
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "controls/model/ec_enums.h"
#include "platform/ui/align_layout.h"
#include "platform/ui/color.h"

namespace ec {

UI_ENUM(TThumbStyle, tsBox, tsCustom, tsMixer, tsPointer, tsFlat, tsXPPointer, tsXPBox)
UI_ENUM(TPointerType, ptStandard, ptWin95)
UI_ENUM(TTickStyle, tkStandard, tkOwnerDraw)

constexpr int kTrackInset = 4;  // free pixels at both ends of the travel

// Max not above Min becomes Min + 1; Min not below Max becomes Max - 1.
int fixed_track_max(int max, int min);
int fixed_track_min(int min, int max);
int clamp_track_position(int position, int min, int max);

struct TrackLayout {
    int width = 200;
    int height = 35;
    TOrientation orientation = TOrientation::orHorizontal;
    int thumb_width = 0;   // along the travel
    int thumb_height = 0;  // across it
    int track_offset = 20;
    int track_width = 8;
    int min = 0;
    int max = 10;
    TThumbStyle style = TThumbStyle::tsPointer;
    TPointerType pointer = TPointerType::ptStandard;

    int half_thumb() const { return thumb_width / 2; }
    // The pixels the thumb's left (or bottom) edge travels over.
    int span() const;
};

TOrientation orientation_for_size(int width, int height);
ui::Rect track_rect(const TrackLayout& t);
ui::Rect thumb_rect(const TrackLayout& t, int position);
// The thumb's offset along the travel for paging: from the left, or from the top when vertical.
int thumb_travel_offset(const TrackLayout& t, int position);
// Whether a press at (x, y) on the track asks for higher values.
bool press_pages_up(const TrackLayout& t, int position, int x, int y);

// Distances from the travel's start of every tick, ascending and without repeats. Dense ticks
// are found per pixel column, so a range of millions costs what the width costs.
std::vector<int> tick_offsets(const TrackLayout& t, int tick_step);

// The position for a slide `offset` pixels along a track `length` long, halves to even and
// clamped; none when the track has no length.
std::optional<int> position_for_offset(double offset, int length, int min, int max);

// The thirteen design colours of the thumb pictures and what each is drawn in.
struct ThumbColors {
    ui::TColor highlight = ui::clHighlight;
    ui::TColor hot_track = ui::rgb(240, 155, 20);
    TEcHotTrackColorType hot_type = TEcHotTrackColorType::htctActual;
};
std::vector<std::pair<ui::TColor, ui::TColor>> thumb_color_map(const ThumbColors& colors);

} // namespace ec
