// Drawing one frame of a skin element's bitmap strip into a rectangle: nine slices, bars,
// stretched and centred frames, and copies that leave the key colour out. Destinations that
// are inverted, empty or huge, and frames outside the strip, draw nothing.
#pragma once
#include <memory>

#include "platform/ui/win/graphics.h"
#include "skin/frame_geometry.h"

namespace skin {

// A new bitmap of the destination's size holding the frame in nine slices; null when nothing
// can be drawn.
std::unique_ptr<ui::Bitmap> StretchSkinFrame(const Rect& dest, const ui::Bitmap& element, const Margins& margins,
                                             bool vertical, bool tile, int count, int index);
void DrawSkinFrame(HDC dc, const Rect& dest, const ui::Bitmap& element, const Margins& margins, int index, int count,
                   bool transparent, bool tile, bool vertical);
// Two caps and a repeated middle; Left and Right of the margins are used.
void DrawSkinBar(ui::Canvas& canvas, const Rect& dest, const ui::Bitmap& element, const Margins& margins,
                 bool vertical, bool transparent, int count, int index);
// Three stretched pieces straight into the device context, opaque.
void StretchSkinBar(HDC dc, const Rect& dest, const ui::Bitmap& element, const Margins& margins, bool vertical,
                    int count, int index);
// Frames of a horizontal strip: stretched into the rectangle, or at their own size centred.
void DrawFrameStretched(HDC dc, const Rect& dest, const ui::Bitmap& element, bool transparent, int count, int index);
void DrawFrameCentered(HDC dc, const Rect& dest, const ui::Bitmap& element, bool transparent, int count, int index);

// Copies the top-left part of `bitmap` of the rectangle's size (clipped to the bitmap) to the
// rectangle, leaving the destination where the bitmap holds `key`.
void TransparentBlit(HDC dc, const Rect& dest, const ui::Bitmap& bitmap, ui::TColor key);

} // namespace skin
