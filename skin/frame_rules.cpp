#include "skin/frame_rules.h"

#include <algorithm>

namespace skin {

FrameKind ChooseFrameKind(unsigned style, unsigned ex_style, bool dialog_class) {
    using namespace style_bits;
    if (dialog_class) return FrameKind::kDialog;
    if ((style & kCaption) != kCaption) return FrameKind::kNoCaption;
    if ((style & kModalFrame) || (ex_style & kExDlgModalFrame)) return FrameKind::kDialog;
    if (style & kThickFrame) return FrameKind::kSizable;
    return FrameKind::kFixed;
}

SkinFrame SkinFrameOf(const SkinDescription& skin, bool has_caption) {
    SkinFrame f;
    if (!has_caption) return f;
    auto across = [&](BorderSide side) {
        const TDataSkinObject& b = skin.borders[side];
        return b.frame > 0 ? b.bitmap.width() / b.frame : 0;
    };
    auto down = [&](BorderSide side) {
        const TDataSkinObject& b = skin.borders[side];
        return b.frame > 0 ? b.bitmap.height() / b.frame : 0;
    };
    f.top = down(kTopBorder);
    f.left = across(kLeftBorder);
    f.right = across(kRightBorder);
    f.bottom = down(kBottomBorder);
    return f;
}

bool KeepsSysMenuStyle(int major, int minor, bool app_window, bool has_owner, bool mdi_child) {
    return major > 4 && minor == 0 && (app_window || (!has_owner && !mdi_child));
}

Rect ClientOfWindow(const Rect& w, const SkinFrame& f) {
    Rect c{w.left + f.left, w.top + f.top + f.menu_bar, w.right - f.right, w.bottom - f.bottom};
    c.left = std::min(c.left, w.right);
    c.top = std::min(c.top, w.bottom);
    c.right = std::max(c.right, c.left);
    c.bottom = std::max(c.bottom, c.top);
    return c;
}

std::pair<int, int> OuterSize(int client_width, int client_height, const SkinFrame& f) {
    return {client_width + f.left + f.right, client_height + f.top + f.bottom + f.menu_bar};
}

std::pair<int, int> UnskinnedSize(int width, int height, int system_width, int system_height, const SkinFrame& f) {
    return {width + system_width - (f.left + f.right), height + system_height - (f.top + f.bottom + f.menu_bar)};
}

DialogWidening WidenDialog(int width, int caption_needs) {
    if (width >= caption_needs) return {width, 0};
    return {caption_needs, (caption_needs - width) / 2};
}

int SkinHitTest(int system_answer, int /*x*/, int y, const SkinFrame& f) {
    if (system_answer != kHtNowhere && system_answer != kHtCaption) return system_answer;
    int answer = system_answer;
    if (y > 3) answer = kHtCaption;
    if (f.menu_bar > 0 && y >= f.top) answer = kHtMenu;
    return answer;
}

bool VisibilityAllows(int code, bool second, const CaptionState& w) {
    const bool min_or_max = w.minimize_box || w.maximize_box;
    switch (code) {
    case 0: return true;
    case 1: return w.maximised;
    case 2: return !w.maximised;
    case 3: return w.active;
    case 4: return !w.active;
    case 6:
    case 8: return second ? min_or_max : min_or_max && w.window_menu;
    case 7: return !w.maximize_box;
    case 9: return !w.minimize_box;
    case 10: return second ? w.context_help : w.context_help && !w.minimize_box && !w.maximize_box;
    case 100: return w.child_maximised_in_menu_bar;
    case 200: return !second && w.dialog_frame && !w.dialog_class;
    default: break;
    }
    if (code >= 201 && code <= 999) return !second;
    return false;
}

namespace {

bool AllowedBy(int code, bool second, int action, const CaptionState& w, const AskButtonShown& ask) {
    if (code >= 1000 && code <= 2000) return !second && ask && ask(code, action);
    return VisibilityAllows(code, second, w);
}

} // namespace

ButtonLook CaptionButtonLook(const TDataSkinSysButton& b, const CaptionState& w, const AskButtonShown& ask) {
    ButtonLook look;
    look.visible = AllowedBy(b.visibility, false, b.action, w, ask) && AllowedBy(b.visibility1, true, b.action, w, ask);
    switch (b.action) {
    case 0: look.visible = look.visible && w.window_menu; break;
    case 1: look.enabled = w.maximize_box && w.window_menu; break;
    case 2: look.enabled = w.minimize_box && w.window_menu; break;
    case 3:
    case 11:
    case 12: look.visible = look.visible && !w.dialog_frame; break;
    default: break;
    }
    return look;
}

std::pair<int, int> CaptionButtonOrigin(const TDataSkinSysButton& b, int w, int h, const CaptionPlaces& p) {
    switch (b.align) {
    case 1: return {p.window_width - b.x, b.y};
    case 2:
    case 8: return {p.text_left - w - b.x, b.y};
    case 3:
    case 9: return {p.text_right + b.x, b.y};
    case 100:
        return {p.window_width - b.x - p.right_border - p.menu_bar_left_width, p.top_border + (p.menu_bar - h) / 2};
    default: return {b.x, b.y};
    }
}

CaptionAction ActionOf(int action) {
    switch (action) {
    case 0: return CaptionAction::kClose;
    case 1:
    case 22: return CaptionAction::kMaximise;
    case 2:
    case 23: return CaptionAction::kMinimise;
    case 3:
    case 11:
    case 12: return CaptionAction::kWindowMenu;
    case 4: return CaptionAction::kHelp;
    case 7:
    case 60: return CaptionAction::kChildMinimise;
    case 8:
    case 61: return CaptionAction::kChildRestore;
    case 9:
    case 62: return CaptionAction::kChildClose;
    default: return CaptionAction::kPost;
    }
}

bool IsIconAction(int action) { return action == 3 || action == 11; }

std::string CaptionHintOf(int action) {
    switch (ActionOf(action)) {
    case CaptionAction::kClose:
    case CaptionAction::kChildClose: return "Close";
    case CaptionAction::kMaximise: return "Maximize";
    case CaptionAction::kMinimise:
    case CaptionAction::kChildMinimise: return "Minimize";
    case CaptionAction::kChildRestore: return "Restore";
    default: return {};
    }
}

int TitleButtonFrame(int frames, bool active, bool enabled) { return frames < 4 || (active && enabled) ? 1 : 4; }

int StateButtonFrame(int frames, int state, bool enabled, bool in_menu_bar) {
    if (!enabled) return frames > 3 ? 4 : 1;
    if (in_menu_bar && state == 3) return 4;
    return state;
}

} // namespace skin
