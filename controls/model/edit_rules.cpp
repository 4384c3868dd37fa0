#include "controls/model/edit_rules.h"

#include <algorithm>
#include <cstdlib>

namespace ec {

ui::TColor edit_state_color(const EditColors& colors, const EditFlags& state) {
    if (!state.enabled) return colors.disabled;
    if (state.focused) return state.read_only && colors.read_only_on_focus ? colors.read_only : colors.focus;
    return state.read_only ? colors.read_only : colors.normal;
}

void take_outside_color(EditColors& colors, ui::TColor color) {
    if (colors.focus == colors.normal) colors.focus = color;
    colors.normal = color;
}

bool caret_column_reachable(int column, int line_length) { return column >= 1 && column <= line_length + 1; }

int caret_line_index(int line, int line_count) {
    if (line_count <= 0) return 0;
    return std::clamp(line, 1, line_count) - 1;
}

WheelScroll memo_wheel_scroll(int wheel_delta, unsigned scroll_lines) {
    WheelScroll s;
    const int notches = wheel_delta / 120;
    s.up = notches > 0;
    const bool page = scroll_lines == 0xFFFFFFFFu || scroll_lines == 65535u;
    s.page = page;
    // A setting beyond any screen of lines is bounded, so that one notch sends a bounded number of messages.
    const long long lines = page ? 1 : std::min<unsigned>(scroll_lines, 1000u);
    s.steps = static_cast<int>(std::llabs(static_cast<long long>(notches) * lines));
    return s;
}

} // namespace ec
