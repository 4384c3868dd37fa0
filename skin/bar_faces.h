// Where the skinned progress bars and track bars put their pieces: the filled length of a bar,
// the chunks of the chunk look and the three pieces of a track bar's channel, as plain
// functions so that the painters only draw what they are given.
#pragma once
#include <cstdint>
#include <vector>

#include "skin/frame_geometry.h"
#include "skin/image32.h"

namespace skin {

// Windows' MulDiv for the lengths here: a * b / c rounded half away from zero; 0 when c is 0.
int MulDivRounded(int a, int b, int c);

// The bar look: how much of a bar `length` pixels long is filled at `pos` of low..high. Filled
// only when high > low and pos > low; never longer than the bar (positions past the range or a
// reversed range fill nothing or all of it, never more).
int ProgressFillLength(int length, int low, int high, int pos);

// The chunk look reads only the high limit: pos / high of the bar, nothing unless both are
// positive, never longer than the bar.
int ProgressChunkLength(int length, int high, int pos);

// The chunk look's copies into a horizontal bar of `bar_width` x `bar_height` filled `filled`
// pixels, from a chunk picture of `chunk_width` x `chunk_height` with the left margin
// `chunk_left`. Tiled: copies at the chunk's own size from x = chunk_left + 2, centred
// vertically, the last one cut where the filled strip ends. Not tiled: the chunk stretched as a
// three-piece bar into the bar shrunk by 2 on every side, `filled` long. Nothing outside the
// bar.
std::vector<Blit> ProgressChunkBlits(int bar_width, int bar_height, int filled, int chunk_width, int chunk_height,
                                     const Margins& chunk_margins, bool tile);

// A whole progress bar as the skin paints it. The bar look: the face colour, frame 1 of the
// "Progress" strip in nine slices over everything and frame 2 over the filled part. The chunk
// look: the whole picture over everything and the chunks over it. Magenta leaves what lies
// below. A vertical bar is laid out horizontally and turned counter-clockwise, so it fills from
// the bottom. Empty without a picture (or, for the chunk look, without a chunk).
struct ProgressLook {
    const Image32* bar = nullptr;  // "Progress"
    Margins bar_margins;
    bool bar_tile = false;
    bool chunk_look = false;          // the element's Style 1
    const Image32* chunk = nullptr;   // "Progress.Chunk"
    Margins chunk_margins;
    bool chunk_tile = false;
    std::uint32_t face = 0;  // 0x00RRGGBB
    int low = 0, high = 100, pos = 0;
    bool vertical = false;
};
Image32 ProgressPicture(int width, int height, const ProgressLook& look);

// A track bar's channel as the control reported it, in the vertical form for a vertical bar:
// a rectangle taller than wide is taken as it is, any other has its axes exchanged.
Rect VerticalChannelRect(const Rect& reported);

// The three pieces of the channel picture (`picture_width` x `picture_height`) in `channel`.
// Horizontal: left L and right R columns at their width, the middle stretched, the picture's
// height centred when it is lower than the channel. Vertical: top T and bottom B rows, the
// middle stretched, the picture's width centred when it is narrower. Pieces of no size are left
// out, so a channel 1 pixel long draws no piece wider than itself.
std::vector<Blit> ChannelBlits(const Rect& channel, int picture_width, int picture_height, const Margins& margins,
                               bool vertical);

} // namespace skin
