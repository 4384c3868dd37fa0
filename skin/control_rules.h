// Which skin a control gets, decided from what is known about it without a window: its class
// name and the classes it descends from, its style, Tag and a few published properties, the
// skin component's SkinControls and Skin3rd lines, and the elements the skin has. Also the
// decoding of a system button's style, the face index of a button and the layout of a button's
// glyph and text.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/align_layout.h"
#include "skin/skin_settings.h"

namespace skin {

// The control skins by kind. Attaching one is left to the factory registered for the kind.
enum class ControlSkinKind {
    kNone,
    kButton, kBitButton, kMenuButton, kSpeedButton, kMediaPlayer,
    kCheckBox, kRadioButton,
    kObjImage,  // a control-set check or radio control handed a custom-glyph strip
    kBox, kBoxH, kGroupBox, kStatusBar, kSizer,
    kComboBox, kComboBoxEx, kEdit, kDateTime, kUpDown,
    kScrollbar, kSingleScrollbar, kListView,
    kTab, kTab31, kAdvPage, kProgress, kTrackBar,
};
const char* ControlSkinKindName(ControlSkinKind kind);

// What is offered to the rules besides the control's own skin.
enum class ChildOffer {
    kNone,
    kChildrenFirst,  // the child controls are offered before the control is skinned
    kChildrenAfter,  // after
    kChildrenNoForm, // after, with no form
    kSkinControlsOf, // the control's owned components, as for a window (frames and forms)
    kScrollChildren, // each child control with scroll bars gets a scroll-bar skin
    kGroupChildren,  // each child control gets `child` (radio and check groups)
};

// One skin to attach.
struct SkinPick {
    ControlSkinKind kind = ControlSkinKind::kNone;
    int object_kind = 0;     // kObjImage: 1 check box, 2 radio button, 3 the other library's check box
    bool container = false;  // attached with the container flag
    friend bool operator==(const SkinPick& a, const SkinPick& b) {
        return a.kind == b.kind && a.object_kind == b.object_kind && a.container == b.container;
    }
};

struct ControlSkinChoice {
    SkinPick skin;
    ChildOffer children = ChildOffer::kNone;
    SkinPick child;                // for kGroupChildren
    std::string glyph_property;    // "PngImage" for the glyph-property variants
    bool by_handle = false;        // attached by window handle (an edit of the "TDCEDIT" kind)
    bool set_transparent = false;  // the control's Transparent is set to "True" first
    bool disable_children = false; // the child controls' Tag becomes DisableTag
    bool skin3rd = false;          // decided by a Skin3rd line
};

// What the rules read of a control.
struct ControlFacts {
    std::string class_name;
    std::vector<std::string> lineage;  // the class and every base, for the "and descendants" tests
    bool windowed = true;
    bool scroll_style = false;  // WS_VSCROLL or WS_HSCROLL
    bool has_children = false;
    bool has_border = false;    // the window rectangle differs in size from the client's
    long long tag = 0;
    std::string date_mode, kind;  // published DateMode and Kind ("dmUpDown", "dtkTime", "cxbkDropDownButton")
    long long num_buttons = -1;   // published NumButtons, -1 when absent
};

struct ControlRulesContext {
    TSkinControlTypes controls;
    int disable_tag = 99;
    std::vector<std::string> skin3rd;
    bool has_tabs = false;  // the skin has its Tabs element
};

// The Skin3rd kind of `class_name`, lower case; nothing when no line names the class.
std::optional<std::string> Skin3rdKind(const std::vector<std::string>& lines, std::string_view class_name);

// The whole choice for a control of the window class library (without the program's own
// OnSkinControl event, which the caller asks first, and without the checks that need the
// window: a parent, being skinned already).
ControlSkinChoice ChooseControlSkin(const ControlFacts& facts, const ControlRulesContext& context);

// ---- Windows without a control, by window class ----

struct ChildWindowChoice {
    SkinPick skin;
    bool offer_children = false;  // the child windows are offered first
    bool first_child = false;     // the skin goes to the window's first child ("comboboxex32")
    bool face_colour = false;     // the window's control takes the skin's button face as Color
};
ChildWindowChoice ChooseChildWindowSkin(std::string_view window_class, unsigned long style, TSkinControlTypes controls);

// A system button's skin by its style. The type (style & 0xF) decides: group boxes, owner-drawn
// and bitmap buttons, push boxes, split buttons and command links get none.
ControlSkinKind ButtonStyleSkin(unsigned long style);

// ---- Button faces ----

enum class ButtonFaceKind { kPush, kMenu, kSpeed, kGlyphProperty };
struct ButtonFaceState {
    bool pressed = false, hot = false, focused = false, is_default = false, disabled = false, down = false;
};
// The frame of the five-frame Buttons strip: 1 normal, 2 pressed, 3 disabled, 4 hot, 5 focused
// or default.
int ButtonFrameIndex(ButtonFaceKind kind, const ButtonFaceState& state);
// The frame of a glyph of `num_glyphs` frames: 3 pressed, 2 disabled, else 1; one beyond the
// glyph's frames gives 1.
int GlyphFrameIndex(bool pressed, bool disabled, int num_glyphs);

// Glyph layouts as the Layout property names them.
enum class GlyphLayout { kLeft, kRight, kTop, kBottom };
GlyphLayout GlyphLayoutOf(std::string_view name);

struct BitButtonLayout {
    int glyph_x = 0, glyph_y = 0, text_x = 0, text_y = 0;
    int margin = 0, spacing = 0;
};
// Glyph and text of a bitmap button in a client of `width` x `height`. Margin and Spacing -1
// are worked out; `centre` is an Alignment of taCenter.
BitButtonLayout LayOutBitButton(int width, int height, int glyph_w, int glyph_h, int text_w, int text_h,
                                GlyphLayout layout, int margin, int spacing, bool centre);

// A caption for painting: the first "||" becomes a line break.
std::string PaintedCaption(std::string_view caption);
std::wstring PaintedCaption(std::wstring_view caption);

} // namespace skin
