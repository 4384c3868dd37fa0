#include "controls/model/button_edit_layout.h"

#include <algorithm>

namespace ec {

int applied_pair_button_width(int requested, bool themed) { return themed ? kThemedPairButtonWidth : std::max(0, requested); }

ButtonEditLayout button_edit_layout(const ButtonEditShape& s) {
    ButtonEditLayout l;
    const int w_button = s.button_visible ? s.button_width : 0;
    const int w_alt = s.alt_visible ? s.alt_width : 0;
    const int w = w_button + w_alt;
    const int h = std::max(0, s.height - 3);
    if (s.right_to_left) l.pair = {0, 0, w, h};
    else if (s.framed) l.pair = {s.width - w - 4, 0, s.width - 4, h};
    else l.pair = {s.width - w - 1, 1, s.width - 1, 1 + h};
    // The main button at the pair's left edge, the alternate one after it; a lone button at the edge.
    const int bh = std::max(0, h - 1);
    if (s.button_visible) l.button = {0, 0, w_button, bh};
    if (s.alt_visible) l.alt = {w_button, 0, w_button + w_alt, bh};
    l.pair_visible = !(s.read_only && s.hide_on_read_only);
    if (l.pair_visible) {
        const int margin = w + 2;
        (s.right_to_left ? l.left_margin : l.right_margin) = margin;
    }
    return l;
}

ui::TShortCut key_shortcut(std::uint16_t key, bool shift, bool ctrl, bool alt) {
    auto value = static_cast<ui::TShortCut>(key & 0xFF);
    if (shift) value |= ui::scShift;
    if (ctrl) value |= ui::scCtrl;
    if (alt) value |= ui::scAlt;
    return value;
}

ShortcutTarget shortcut_target(ui::TShortCut pressed, const PairButtonKeys& button, const PairButtonKeys& alt) {
    if (pressed == 0) return ShortcutTarget::None;
    if (button.usable && button.shortcut != 0 && button.shortcut == pressed) return ShortcutTarget::Button;
    if (alt.usable && alt.shortcut != 0 && alt.shortcut == pressed) return ShortcutTarget::AltBtn;
    return ShortcutTarget::None;
}

} // namespace ec
