// Frames, edges, glyphs and the desktop colour scheme of the control set. Every border
// painter draws with one-pixel lines (a line from A to B sets the pixels up to B, not B) and
// returns the rectangle left inside what it drew; an empty or inverted rectangle is drawn
// nothing and returned as it is.
#pragma once
#include <functional>
#include <optional>
#include <string>

#include "controls/model/blink_list.h"
#include "controls/model/ec_enums.h"
#include "controls/model/frame_colors.h"
#include "controls/model/hsl_color.h"
#include "platform/ui/win/application.h"
#include "platform/ui/win/graphics.h"
#include "platform/ui/win/std_controls.h"

namespace ec {

using ui::Rect;

// Border primitives.
Rect paint_side_lines(ui::Canvas& canvas, const Rect& bounds, TColor ul, TColor lr, TSides sides);
Rect paint_bevel_rings(ui::Canvas& canvas, const Rect& bounds, TColor ul, TColor lr, int count, TSides sides);
Rect paint_3d_edge_sides(ui::Canvas& canvas, const Rect& bounds, bool lowered, TSides sides);
Rect paint_push_button_edge(ui::Canvas& canvas, const Rect& bounds, bool down);
Rect paint_push_button_edge_sides(ui::Canvas& canvas, const Rect& bounds, bool down, TSides sides);
Rect paint_tinted_button_edge(ui::Canvas& canvas, const Rect& bounds, TColor face, bool down);
Rect paint_tinted_button_edge_sides(ui::Canvas& canvas, const Rect& bounds, TColor face, bool down, TSides sides);
Rect paint_frame_style(ui::Canvas& canvas, const Rect& bounds, TFrameStyleEx style);
Rect paint_frame_style_sides(ui::Canvas& canvas, const Rect& bounds, TFrameStyleEx style, TSides sides);
Rect paint_tinted_frame_style(ui::Canvas& canvas, const Rect& bounds, TColor face, TFrameStyle style);
Rect paint_tinted_frame_style_sides(ui::Canvas& canvas, const Rect& bounds, TColor face, TFrameStyle style, TSides sides);
Rect paint_box_outline(ui::Canvas& canvas, const Rect& bounds, TColor line);
Rect paint_box_corner_marks(ui::Canvas& canvas, const Rect& bounds, TColor line, int corner_width);
Rect paint_dotted_focus_frame(ui::Canvas& canvas, const Rect& bounds);
Rect paint_cut_corner_frame(ui::Canvas& canvas, const Rect& bounds, TColor color, TSides sides);

// The border of panels, labels and the border control: outer border, a band, inner border.
struct LayeredBorders {
    TFrameStyleEx outer = TFrameStyleEx::fsNone;
    TFrameStyleEx inner = TFrameStyleEx::fsNone;
    int width = 0;            // the band between the two
    TSides sides = kAllSides;
    int bevel_width = 1;
    TColor border_color = ui::clBtnFace;
    TColor highlight = ui::clBtnHighlight;
    TColor shadow = ui::clBtnShadow;
    TColor flat_color = ui::clBtnShadow;
    int flat_color_adjustment = 0;
    TColor color = ui::clBtnFace;         // the control's own colour
    TColor parent_color = ui::clBtnFace;  // shows in the cut corners of rounded frames
    bool transparent = false;
};
Rect paint_layered_borders(ui::Canvas& canvas, const Rect& bounds, const LayeredBorders& borders);

// The two-pixel frame of the framed edit family, drawn into the window's non-client area.
void paint_non_client_frame(ui::Canvas& canvas, int width, int height, TFrameStyle style, TColor color,
                            TColor frame_color, TSides sides);

// Glyphs. Direction: 0 up, 1 down, 2 left, 3 right.
void paint_drop_arrow(ui::Canvas& canvas, const Rect& rect, bool themed, bool pressed, bool enabled);
void paint_direction_arrow(ui::Canvas& canvas, const Rect& rect, bool themed, int direction, bool pressed, bool enabled);
void paint_close_cross(ui::Canvas& canvas, const Rect& rect, bool themed, bool pressed, bool enabled);
// A two-pixel gradient ring inside `bounds`, on a full-colour display only.
void paint_hot_gradient_box(ui::Canvas& canvas, const Rect& bounds, TGradientDirection direction, TColor start,
                            TColor stop);

// The colours and state of a check box square or radio circle.
struct GlyphLook {
    GlyphDrawState state = GlyphDrawState::Normal;
    bool focused = false;
    TEcButtonHotTrackStyle hot_style = TEcButtonHotTrackStyle::htsInterior;
    TColor frame = ui::clBtnShadow;
    TColor mark = ui::clBtnText;  // the tick, the grey square or the radio dot
    TColor fill = ui::clWindow;
    TColor focus = ui::clWindow;
    TColor disabled = ui::clBtnFace;
    TColor hot_light = ui::clWhite;
    TColor hot_dark = ui::clBtnShadow;
    bool read_only = false;
    bool read_only_color_on_focus = false;
    TColor read_only_color = ui::clInfoBk;
};
void paint_check_glyph(ui::Canvas& canvas, const Rect& bounds, ui::TCheckBoxState state, const GlyphLook& look);
// 13 x 13; the corners outside the circle take `back` (or `transparent_color` when transparent).
void paint_radio_glyph(ui::Canvas& canvas, const Rect& rect, bool checked, const GlyphLook& look, TColor back,
                       bool transparent, TColor transparent_color);

// The desktop: whether the screen shows more than 256 colours, which XP colour scheme is chosen
// (read through a replaceable reader of the theme manager's "ColorName"), and colours of the
// visual style's elements (clBtnFace without themes).
bool has_full_color_display();
using ThemeColorNameReader = std::function<std::string()>;
void set_theme_color_name_reader(ThemeColorNameReader reader);  // nullptr: the registry again
int detect_xp_color_scheme();
TColor theme_element_color(int kind);
bool themes_active();

// Fonts: a copy turned by `angle` degrees (the caller owns it), whether the face is TrueType,
// the line height (text height + 2) and the average width of the 52 Latin letters.
ui::GdiObject<HFONT> create_rotated_font(const ui::Font& font, int angle);
// The same turned by tenths of a degree, as text laid along an arc needs.
ui::GdiObject<HFONT> create_escaped_font(const ui::Font& font, int tenths);
bool is_true_type_face(const ui::Font& font);
int font_line_height(const ui::Font& font);
int average_char_width(const ui::Font& font);

// Repaints the non-client area of a window that is at least partly visible.
void refresh_window_frame(HWND window, const Rect& rect);
// Invalidates the children whose published Transparent is true, so that they show the new
// background of their container.
void refresh_transparent_children(ui::WinControl& container);

// The work area (the screen less task bars) of the monitor nearest to the window; the monitor
// whose bounds hold the point, if any.
Rect active_work_area(HWND window);
int active_work_area_width(HWND window);
std::optional<ui::MonitorInfo> monitor_at_point(POINT point);

// The process's blink list on a window timer, created when absent.
BlinkingControlsList& acquire_window_blink_list();

// Sets the full-colour flag and the XP scheme on first use; later calls only count.
void start_control_set();
void stop_control_set();

} // namespace ec
