#include "controls/model/spin_value.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <locale>
#include <sstream>

namespace ec {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::string with_separator(std::string text, char separator) {
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

std::ostringstream classic_stream() {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    return out;
}

bool is_sign(char c) { return c == '+' || c == '-'; }

} // namespace

long double SpinRange::clamp(long double x) const {
    if (!clamps()) return x;
    if (x < min) return min;
    if (x > max) return max;
    return x;
}

void SpinRange::set_min(long double x) {
    min = x;
    if (x > max) max = x;
}

void SpinRange::set_max(long double x) {
    max = x;
    if (x < min) min = x;
}

std::optional<long double> parse_spin_text(const std::string& text, char separator) {
    std::size_t b = text.find_first_not_of(' ');
    if (b == std::string::npos) return std::nullopt;
    const std::size_t e = text.find_last_not_of(' ') + 1;
    std::string plain;  // the number in the classic notation
    std::size_t i = b;
    if (is_sign(text[i])) plain += text[i++];
    int digits = 0;
    bool point = false;
    for (; i < e; ++i) {
        const char c = text[i];
        if (is_digit(c)) {
            plain += c;
            ++digits;
        } else if (c == separator && !point) {
            plain += '.';
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0) return std::nullopt;
    if (i < e && (text[i] == 'e' || text[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < e && is_sign(text[i])) plain += text[i++];
        int exponent_digits = 0;
        for (; i < e && is_digit(text[i]); ++i, ++exponent_digits) plain += text[i];
        if (exponent_digits == 0) return std::nullopt;
    }
    if (i != e) return std::nullopt;
    std::istringstream in(plain);
    in.imbue(std::locale::classic());
    long double v = 0;
    in >> v;
    if (in.fail() || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::string format_spin_value(long double x, int decimals, char separator) {
    decimals = std::clamp(decimals, 0, kMaxSpinDecimals);
    std::ostringstream out = classic_stream();
    if (std::fabs(x) >= 1e18L) {
        out << std::scientific << std::uppercase << std::setprecision(kMaxSpinDecimals - 1) << x;
        return with_separator(out.str(), separator);
    }
    out << std::fixed << std::setprecision(decimals) << x;
    std::string text = out.str();
    if (text[0] == '-' && text.find_first_of("123456789") == std::string::npos) text.erase(0, 1);
    return with_separator(text, separator);
}

std::string format_spin_general(long double x, char separator) {
    std::ostringstream out = classic_stream();
    out << std::setprecision(15) << x;
    return with_separator(out.str(), separator);
}

SpinRead read_spin_value(const SpinText& t, const SpinRange& range, char separator) {
    SpinRead r;
    if (t.text.empty()) {
        if (t.allow_blank) {
            r.value = t.blank_value;
            return r;
        }
        r.new_text = format_spin_general(range.min, separator);
        r.value = range.clamp(parse_spin_text(*r.new_text, separator).value_or(range.min));
        return r;
    }
    r.value = range.clamp(parse_spin_text(t.text, separator).value_or(range.min));
    return r;
}

bool spin_char_valid(wchar_t ch, const SpinCharContext& c) {
    if (ch < 32) {
        if (ch == L'\r') return false;
        // Without key editing only the control characters stay, and Backspace is editing.
        return c.allow_key_edit || ch != L'\b';
    }
    if (!c.allow_key_edit) return false;
    const bool separator = !c.integers_only && ch == static_cast<unsigned char>(c.separator);
    if (!(ch >= L'0' && ch <= L'9') && ch != L'+' && ch != L'-' && !separator) return false;
    const auto start = static_cast<std::size_t>(std::clamp(c.sel_start, 0, static_cast<int>(c.text.size())));
    const auto length =
        static_cast<std::size_t>(std::clamp(c.sel_length, 0, static_cast<int>(c.text.size() - start)));
    if (separator) {
        const std::size_t held = c.text.find(c.separator);
        return held == std::string::npos || (length > 0 && held >= start && held < start + length);
    }
    if (ch == L'+' || ch == L'-') {
        if (start == 0 && length == c.text.size()) return true;
        return start == 0 && c.text.find_first_of("+-") == std::string::npos;
    }
    return true;
}

int spin_caret_after_write(int caret, int old_length, int new_length) {
    if (new_length > old_length) ++caret;
    else if (new_length < old_length) --caret;
    return std::clamp(caret, 0, new_length);
}

ui::Rect spin_edit_buttons_rect(const SpinEditGeometry& g) {
    const int bw = g.buttons_width;
    if (g.right_to_left) return {0, 0, bw, g.height - 4};
    if (g.framed) {
        const int t = g.themed ? 1 : 0;
        const int left = g.width - bw - 4 + t;
        return {left, -t, left + bw, -t + g.height - 4 + 2 * t};
    }
    return {g.width - bw - 1, 1, g.width - 1, g.height - 1};
}

SpinMargins spin_edit_margins(int buttons_width, bool read_only, bool right_to_left) {
    if (read_only) return {};
    if (right_to_left) return {buttons_width + 2, 0};
    return {0, buttons_width + 2};
}

int spin_buttons_width(int button_width, TOrientation orientation) {
    const int w = std::max(0, button_width);
    return orientation == TOrientation::orHorizontal ? 2 * w : w;
}

SpinButtonRects spin_button_rects(int width, int height, TOrientation orientation) {
    if (orientation == TOrientation::orVertical) {
        const int half = height / 2;
        return {{0, 0, width, half}, {0, half, width, height}};
    }
    const int half = width / 2;
    return {{half, 0, width, height}, {0, 0, half, height}};
}

} // namespace ec
