// The button edit without windows: its button kinds, where the pair of buttons and each button
// sit inside the edit, the text margins they leave, and which button a key's shortcut clicks.
#pragma once
#include <cstdint>

#include "platform/ui/align_layout.h"
#include "platform/ui/enum_info.h"
#include "platform/ui/shortcut.h"

namespace ec {

UI_ENUM(TButtonKind, bkCustom, bkLookup, bkDropDown, bkCalendar, bkAccept, bkReject, bkFolder, bkFind, bkSearch)

// The width a pair button asks for, and the width it is given: desktop themes draw narrower
// buttons.
constexpr int kPairButtonWidth = 17;
constexpr int kThemedPairButtonWidth = 15;
int applied_pair_button_width(int requested, bool themed);

struct ButtonEditShape {
    int width = 121, height = 21;  // the edit's window
    bool framed = true;            // FrameVisible or Ctl3D: the buttons sit inside a 2-pixel border
    bool right_to_left = false;
    bool button_visible = true, alt_visible = false;
    int button_width = kPairButtonWidth, alt_width = kPairButtonWidth;  // as applied
    bool read_only = false, hide_on_read_only = true;
};

struct ButtonEditLayout {
    ui::Rect pair;               // in the edit's client area
    ui::Rect button, alt;        // in the pair; empty when hidden
    bool pair_visible = true;
    int left_margin = 0, right_margin = 0;  // of the text
};
ButtonEditLayout button_edit_layout(const ButtonEditShape& shape);

// A key with the Shift, Ctrl and Alt states as a shortcut value.
ui::TShortCut key_shortcut(std::uint16_t key, bool shift, bool ctrl, bool alt);

enum class ShortcutTarget { None, Button, AltBtn };
// The main button first; a button takes its shortcut only while visible and enabled, and a
// shortcut of 0 is none.
struct PairButtonKeys {
    bool usable = true;
    ui::TShortCut shortcut = 0;
};
ShortcutTarget shortcut_target(ui::TShortCut pressed, const PairButtonKeys& button, const PairButtonKeys& alt);

} // namespace ec
