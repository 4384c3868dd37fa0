// The faces of the skinned edits, combo boxes, date-time arrow buttons and up-down controls,
// painted into a device context from the skin's pictures and colours and the places worked out
// in skin/entry_geometry.h. The skins read their windows; these only draw what they are given,
// so that they are checked in memory bitmaps.
#pragma once
#include <windows.h>

#include <array>

#include "platform/ui/win/graphics.h"
#include "skin/entry_geometry.h"
#include "skin/skin_elements.h"

namespace skin {

// Frames `rect` with a one-pixel line of `colour`.
void FrameColour(HDC dc, const Rect& rect, ui::TColor colour);

// The skinned edit border: the window rectangle framed in the shadow colour and the two rings
// inside it in white.
void PaintEditRings(HDC dc, const Rect& window, ui::TColor shadow);
// The thin border of an edit printed into a device context: the ring just inside the window
// rectangle framed with the device context's current brush, the outer ring in the shadow colour.
void PaintPrintBorder(HDC dc, const Rect& window, ui::TColor shadow);
// The date-time picker's border: the window rectangle framed in the shadow colour and the
// ring inside it in white.
void PaintPickerBorder(HDC dc, const Rect& window, ui::TColor shadow);

// A picture and its element; `frames` is the element's frame count.
struct EntryPicture {
    const TDataSkinObject* element = nullptr;
    const ui::Bitmap* picture = nullptr;
    bool usable() const { return element && picture && !picture->empty() && element->frame > 0; }
};

struct ComboPaint {
    int look = 0;              // the ComboButton element's Style: 1 flat, 2 one frame over the window
    bool left = false;         // the button on the left (WS_EX_LEFTSCROLLBAR)
    bool extended = false;     // the extended-combo mode
    int index = 1;             // EntryFrameIndex
    int cx = 17, cy = 17;      // the system's scroll-arrow width and thumb height
    EntryPicture button;       // ComboButton
    const ui::Bitmap* button_mirrored = nullptr;  // its mirrored copy, for a button on the left
    EntryPicture sunk;         // SunkEdge (may be absent)
    EntryPicture extra;        // ExtraImages (may be absent)
    const ui::Bitmap* arrow = nullptr;  // the ComboxArrow strip (may be absent or hold no frames)
    int arrow_frames = 0;
    Rect arrow_rect;           // extended mode: where the arrow picture goes
    ui::TColor face = ui::clBtnFace, shadow = ui::clBtnShadow;
};
// Paints the combo box over `window`; returns the button rectangle drawn (empty when none).
Rect PaintCombo(HDC dc, const Rect& window, const ComboPaint& p);

// The date-time picker's arrow button: the face colour, then frame 4 (hot) or 1 of the arrow
// strip stretched over it; no arrow when the strip holds no frames.
void PaintArrowButton(HDC dc, const Rect& client, const ui::Bitmap* arrow, int frames, bool hot, ui::TColor face);

struct SpinPaint {
    EntryPicture strip;                 // UpDown.Vert or UpDown.Horz; unusable for the plain look
    const ui::Bitmap* glyphs = nullptr;  // its GlyphImage strip of the same frames, or null
    ui::TColor face = ui::clBtnFace, shadow = ui::clBtnShadow, dark_shadow = ui::cl3DDkShadow;
};
// Both halves of an up-down control over `area`: strip frames and glyphs, or the plain look of
// outlined halves with small arrows. Returns the halves drawn.
std::array<SpinHalf, 2> PaintSpin(HDC dc, const Rect& area, const SpinFacts& facts, const SpinPaint& p);

} // namespace skin
