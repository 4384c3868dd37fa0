// Where the pieces of a skin frame go: nine slices, bars and whole frames as lists of copies
// from the element bitmap to the destination, so the rules are tested without a screen and
// the same lists drive the GDI drawing.
#pragma once
#include <optional>
#include <vector>

#include "skin/image32.h"

namespace skin {

// Widths of a frame's fixed borders.
struct Margins {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// One copy, stretched when the sizes differ.
struct Blit {
    Rect src, dst;
    friend bool operator==(const Blit& a, const Blit& b) { return a.src == b.src && a.dst == b.dst; }
};

// Frame `index` (from 1) of `count` equal frames side by side, or stacked when `vertical`;
// nothing when the count is below 1, the index outside 1..count or the frame empty.
std::optional<Rect> FrameRect(int bitmap_width, int bitmap_height, int count, int index, bool vertical);

// Destinations above this size are not drawn at all.
constexpr int kMaxDrawSide = 32767;

// Nine slices of `frame` into a width x height destination at (0, 0). Margins that do not fit
// the destination are dropped pairwise; a tiled centre repeats the piece at its own size,
// its overflow covered by the right and bottom pieces that follow.
std::vector<Blit> NineSliceBlits(int width, int height, const Rect& frame, Margins m, bool tile);

// A bar into width x height at (0, 0): the left and right caps stretched to the height and the
// middle repeated between them. A frame no wider than its caps is stretched whole.
std::vector<Blit> BarBlits(int width, int height, const Rect& frame, int left, int right);

// A bar into `dest` of three stretched pieces, or the whole frame when it is wider than `dest`.
std::vector<Blit> StretchedBarBlits(const Rect& dest, const Rect& frame, int left, int right);

// The top-left corner of a frame of `frame_width` x `frame_height` centred in `dest`, the
// halves truncated toward zero, so a larger frame sticks out equally on both sides.
std::pair<int, int> CenteredOrigin(const Rect& dest, int frame_width, int frame_height);

inline bool Inverted(const Rect& r) { return r.right < r.left || r.bottom < r.top; }
// A destination the routines draw into: not inverted, not empty and not huge.
bool Drawable(const Rect& dest);

// Runs the copies from `source` onto `target`, each clipped.
void DrawBlits(const Image32& source, const std::vector<Blit>& blits, Image32& target);

} // namespace skin
