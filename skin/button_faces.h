// Where the skinned menu buttons, speed buttons and the media player's button bar put their
// pieces and which pictures they show: plain functions next to the push and bitmap buttons'
// rules (control_rules.h).
#pragma once
#include <array>
#include <bitset>
#include <string>
#include <string_view>
#include <vector>

#include "skin/image32.h"

namespace skin {

// ---- Menu buttons: glyph, caption and the drop-down arrow ----

struct MenuButtonLayout {
    int margin = 0, spacing = 0;
    int glyph_x = 0, glyph_y = 0, text_x = 0, text_y = 0;
    // The arrow: a filled triangle with its tip at (tip_x, tip_y) and its base 3 pixels to
    // either side at base_y.
    int tip_x = 0, tip_y = 0, base_y = 0;
};
// The rectangle the caption is measured in: as wide as the button less the glyph and the
// arrow's 8 pixels, shrunk by 2.
Rect MenuButtonTextBounds(int width, int height, int glyph_width);
// Margin and Spacing -1 are worked out from the room left beside glyph, text and arrow.
MenuButtonLayout LayOutMenuButton(int width, int height, int glyph_w, int glyph_h, int text_w, int text_h, int margin,
                                  int spacing);
// The arrow's pixels, row by row from its base: the triangle as filled.
std::vector<Rect> MenuArrowRows(const MenuButtonLayout& layout);

// ---- Speed buttons ----

// Whether the face picture is drawn: a flat speed button shows only its background while idle
// (frame 1 or 3).
bool SpeedFaceShown(int frame, bool flat);
// The glyph frame: 4 when Down, 3 pressed, 2 disabled, else 1; one beyond the glyph's frames
// gives 1.
int SpeedGlyphFrame(bool pressed, bool disabled, bool down, int num_glyphs);

// ---- The media player's button bar ----

constexpr int kMediaButtons = 9;    // btPlay .. btEject
constexpr int kNoMediaButton = 9;   // no button under the mouse
// The button type names of the player's sets, in the order of the type.
extern const std::array<const char*, kMediaButtons> kMediaButtonNames;
// The resource names of the three pictures of each button: "EN_MPPLAY", "DI_MPPLAY", ...
enum class MediaPicture { kEnabled, kDisabled, kColoured };
std::string MediaPictureName(MediaPicture picture, int button);
// The buttons named in a published set ("[btPlay,btStop]"); names compared without case.
std::bitset<kMediaButtons> MediaButtonSet(std::string_view text);

struct MediaBar {
    int button_width = 0;
    std::vector<int> visible;  // the visible buttons from left to right
    // The button's rectangle in a bar `height` high; empty when it is not shown.
    Rect ButtonRect(int button, int height) const;
};
MediaBar LayOutMediaBar(int width, std::bitset<kMediaButtons> visible);
// The button under x: the first visible one whose [start, start + width] holds x, else none.
int MediaButtonAt(const MediaBar& bar, int x);
// The face of a button: 3 when not enabled, 2 for the pressed one while the mouse is down,
// else 1.
int MediaFaceFrame(bool enabled, bool is_pressed_button, bool mouse_down);
MediaPicture MediaPictureOf(bool enabled, bool coloured);
// Whether a release reaches the player: over the same button as the press.
bool MediaReleaseReachesPlayer(int pressed_button, int released_button);

} // namespace skin
