// The spin edit's number: its range and clamping, the text it shows and reads back (with the
// locale's decimal separator passed in), which typed characters it takes, where the caret goes
// after a write, and where its buttons and margins sit.
#pragma once
#include <optional>
#include <string>

#include "controls/model/ec_enums.h"
#include "platform/ui/align_layout.h"

namespace ec {

UI_ENUM(TSpinDirection, sdUpDown, sdLeftRight)
UI_ENUM(TSpinButtonType, sbUp, sbDown)

constexpr int kMaxSpinDecimals = 18;

struct SpinRange {
    long double min = 0, max = 100;
    bool check_range = false;

    // Min = Max leaves values alone unless CheckRange asks for the range anyway.
    bool clamps() const { return max != min || check_range; }
    long double clamp(long double x) const;
    // Each end drags the other along rather than leaving an empty range.
    void set_min(long double x);
    void set_max(long double x);
};

// The platform's string-to-float conversion: optional spaces, a sign, digits with at most one
// separator, an optional exponent; nothing when the text is no number.
std::optional<long double> parse_spin_text(const std::string& text, char separator);
// Fixed-point with `decimals` digits (at most 18); values beyond 18 integer digits go to
// scientific notation. A value that rounds to zero shows no minus sign.
std::string format_spin_value(long double x, int decimals, char separator);
// The platform's default float text (15 significant digits, no trailing zeros).
std::string format_spin_general(long double x, char separator);

struct SpinText {
    std::string text;
    bool allow_blank = false;
    long double blank_value = 0;
};
struct SpinRead {
    long double value = 0;
    std::optional<std::string> new_text;  // the text the edit must take (an empty text filled in)
};
// Reading Value: the text converted (Min when it is no number) and clamped, so that a dialog
// closed before the edit lost the focus still reads a number in range; an empty text is
// BlankValue with AllowBlank, else Min written into the edit.
SpinRead read_spin_value(const SpinText& t, const SpinRange& range, char separator);

struct SpinCharContext {
    std::string text;
    int sel_start = 0, sel_length = 0;  // in bytes of `text`
    bool integers_only = true;
    bool allow_key_edit = false;
    char separator = '.';
};
bool spin_char_valid(wchar_t ch, const SpinCharContext& c);

// The caret after Value rewrote the text, when nothing was selected: it keeps its place, one
// further right when the text grew and one further left when it shrank.
int spin_caret_after_write(int caret, int old_length, int new_length);

// Where the spin edit's buttons sit inside it (client coordinates of the edit).
struct SpinEditGeometry {
    int width = 0, height = 0;
    int buttons_width = 17;
    bool framed = false;  // FrameVisible or Ctl3D
    bool themed = false;
    bool right_to_left = false;
};
ui::Rect spin_edit_buttons_rect(const SpinEditGeometry& g);
struct SpinMargins {
    int left = 0, right = 0;
    friend bool operator==(const SpinMargins& a, const SpinMargins& b) {
        return a.left == b.left && a.right == b.right;
    }
};
SpinMargins spin_edit_margins(int buttons_width, bool read_only, bool right_to_left);
// The spin buttons' width for a ButtonWidth (below 0 counts as 0): doubled when horizontal.
int spin_buttons_width(int button_width, TOrientation orientation);

// The two arrow buttons inside the spin buttons control.
struct SpinButtonRects {
    ui::Rect up_right, down_left;
};
SpinButtonRects spin_button_rects(int width, int height, TOrientation orientation);

} // namespace ec
