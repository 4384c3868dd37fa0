// The faces of the skinned check boxes, radio buttons, group boxes and status bars, painted
// into a device context from the skin's pictures and the facts the skins read from their
// controls. Nothing is painted outside the given rectangle, and every GDI object made for a
// paint is gone when the painter returns.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/ui/win/control.h"
#include "platform/ui/win/graphics.h"
#include "skin/control_faces.h"
#include "skin/frame_geometry.h"

namespace skin {

// The colour of a control's text on the skin's face: the control's Font colour, except that
// the system's text colours (the font's defaults) become the skin's window text, so that text
// stays readable on a dark skin.
ui::TColor SkinTextColour(ui::TColor font_colour, ui::TColor skin_text);

// Fills `rect` with a solid colour.
void FillColour(HDC dc, const Rect& rect, ui::TColor colour);

// Text as the skins draw their captions: measured with tab expansion, centred vertically one
// pixel high, and placed left (0), centred (1) or right (2); drawn transparent.
void DrawCaptionText(HDC dc, const Rect& rect, const std::wstring& text, int alignment, ui::TColor colour,
                     UINT extra_flags = 0);

struct TogglePaint {
    bool radio = false;
    int frame = 1;  // CheckFrameIndex or RadioFrameIndex
    bool left_text = false;
    bool right_to_left = false;
    bool fill = true;  // a face-coloured ground; off for transparent boxes
    ui::TColor face = ui::clBtnFace;
    std::wstring text;
    HFONT font = nullptr;
    ui::TColor text_colour = ui::clBtnText;  // the font's, or the button shadow when disabled
    bool focus = false;                      // a focus rectangle around a non-empty caption
};
// A check box or radio button over `bounds` with frame `p.frame` of a strip of `frames`;
// false, with nothing painted, when the strip has no such frame.
bool PaintToggle(HDC dc, const Rect& bounds, const ui::Bitmap& strip, int frames, const TogglePaint& p);

struct GroupBoxPaint {
    std::wstring caption;
    HFONT font = nullptr;
    ui::TColor text_colour = ui::clWindowText;
    ui::TColor face = ui::clBtnFace;
    ui::TColor shadow = ui::clBtnShadow;
    bool fill = true;          // a control's group box: the whole face is filled
    bool right_aligned = false;  // WS_EX_RIGHT
    bool right_to_left = false;
};
// The rounded frame and the caption, which stands on the face colour over the frame's line.
// Without `fill` the system's frame is erased by two face-coloured rings first.
void PaintGroupBox(HDC dc, const Rect& bounds, const GroupBoxPaint& p);

struct StatusPanelPaint {
    Rect rect;  // as the control gives it (SB_GETRECT)
    Bevel bevel = Bevel::kLowered;
    bool text_panel = true;
    std::wstring text;
    int alignment = 0;  // 0 left, 1 right, 2 centre
    bool right_to_left = false;
};

struct StatusBarPaint {
    const ui::Bitmap* edges = nullptr;  // "StatusBarEdges", three frames; null for the 1-pixel bevels
    Margins edge_margins;
    bool edge_tile = false, edge_trans = false;
    ui::TColor face = ui::clBtnFace;
    ui::TColor text_colour = ui::clBtnText;
    HFONT font = nullptr;
    bool simple = false;  // SimplePanel, or no panels
    std::wstring simple_text;
    bool right_to_left = false;
    std::vector<StatusPanelPaint> panels;
    bool size_grip = false;             // SBARS_SIZEGRIP
    const ui::Bitmap* grip = nullptr;   // "ExtraImages"; frame 5 is the grip
    int grip_frames = 0;
};
// The whole bar of `width` x `height` at (0, 0), built in a bitmap and copied at once.
void PaintStatusBar(HDC dc, int width, int height, const StatusBarPaint& p);
// One bevel: nine slices of the edges' frame, or the 1-pixel 3D frame without a picture.
void PaintStatusBevel(HDC dc, const Rect& rect, Bevel bevel, const StatusBarPaint& p);

} // namespace skin
