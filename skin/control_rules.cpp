#include "skin/control_rules.h"

#include <algorithm>
#include <cctype>

namespace skin {
namespace {

using CT = TSkinControlType;
using K = ControlSkinKind;

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

SkinPick Pick(K kind, bool container = false, int object_kind = 0) { return {kind, object_kind, container}; }

class Rules {
public:
    Rules(const ControlFacts& facts, const ControlRulesContext& context)
        : f_(facts), c_(context), upper_(Upper(facts.class_name)) {}

    bool Is(std::string_view class_name) const {
        const std::string wanted = Upper(class_name);
        if (upper_ == wanted) return true;
        return std::any_of(f_.lineage.begin(), f_.lineage.end(), [&](const std::string& n) { return Upper(n) == wanted; });
    }
    bool Named(std::initializer_list<const char*> names) const {
        return std::any_of(names.begin(), names.end(), [&](const char* n) { return upper_ == n; });
    }
    bool Has(CT t) const { return c_.controls.has(t); }

    ControlSkinChoice Skin3rd(const std::string& kind) const;
    ControlSkinChoice Table() const;
    const std::string& upper() const { return upper_; }

private:
    ControlSkinChoice Gate(bool open, SkinPick pick, ChildOffer children = ChildOffer::kNone) const {
        ControlSkinChoice out;
        if (!open) return out;
        out.skin = pick;
        out.children = children;
        return out;
    }
    const ControlFacts& f_;
    const ControlRulesContext& c_;
    std::string upper_;
};

ControlSkinChoice Rules::Skin3rd(const std::string& kind) const {
    ControlSkinChoice out;
    out.skin3rd = true;
    auto set = [&](bool open, SkinPick pick, ChildOffer children = ChildOffer::kNone) {
        if (!open) return;
        out.skin = pick;
        out.children = children;
    };
    if (kind == "combobox") set(Has(CT::xcCombo), Pick(K::kComboBox));
    else if (kind == "comboboxex") set(Has(CT::xcCombo), Pick(K::kComboBoxEx));
    else if (kind == "edit") set(Has(CT::xcEdit) && f_.has_border, Pick(K::kEdit));
    else if (kind == "radiobutton") set(Has(CT::xcRadioButton), Pick(K::kRadioButton));
    else if (kind == "panel") {
        set(Has(CT::xcPanel), Pick(K::kBox, true));
        out.set_transparent = Has(CT::xcPanel);
    } else if (kind == "trackbar") {
        set(Has(CT::xcButton), Pick(K::kTrackBar));
        out.set_transparent = Has(CT::xcButton);
    } else if (kind == "button") set(Has(CT::xcButton), Pick(K::kButton));
    else if (kind == "datetimepicker") set(Has(CT::xcCombo), Pick(K::kDateTime));
    else if (kind == "mediaplayer") set(Has(CT::xcButton), Pick(K::kMediaPlayer));
    else if (kind == "bitbtn") {
        const bool menu = upper_ == "TCXBUTTON" && Lower(f_.kind) == "cxbkdropdownbutton";
        set(Has(CT::xcButton), Pick(menu ? K::kMenuButton : K::kBitButton));
    } else if (kind == "pngbitbtn") {
        set(Has(CT::xcButton), Pick(K::kBitButton));
        if (Has(CT::xcButton)) out.glyph_property = "PngImage";
    } else if (kind == "pngspeedbutton") {
        set(Has(CT::xcButton), Pick(K::kSpeedButton));
        if (Has(CT::xcButton)) out.glyph_property = "PngImage";
    } else if (kind == "menubtn") set(Has(CT::xcButton), Pick(K::kMenuButton));
    else if (kind == "speedbutton") set(Has(CT::xcSpeedButton), Pick(K::kSpeedButton));
    else if (kind == "tab") set(Has(CT::xcTab) && c_.has_tabs, Pick(K::kTab));
    else if (kind == "progress") set(Has(CT::xcProgress), Pick(K::kProgress));
    else if (kind == "scrollbar") set(Has(CT::xcScrollbar), Pick(K::kScrollbar), ChildOffer::kChildrenAfter);
    else if (kind == "singlescrollbar") set(Has(CT::xcScrollbar), Pick(K::kSingleScrollbar));
    else if (kind == "embedscrollbar") set(Has(CT::xcScrollbar), Pick(K::kNone), ChildOffer::kScrollChildren);
    else if (kind == "container") set(true, Pick(K::kNone), ChildOffer::kChildrenAfter);
    else if (kind == "groupbox") set(Has(CT::xcGroupBox), Pick(K::kGroupBox, true));
    else if (kind == "advpagecontrol") set(Has(CT::xcTab), Pick(K::kAdvPage, true));
    else if (kind == "radiogroup") {
        if (Has(CT::xcGroupBox)) {
            out.skin = Pick(K::kGroupBox, true);
            if (Has(CT::xcRadioButton)) {
                out.children = ChildOffer::kGroupChildren;
                out.child = Contains(upper_, "TEC") ? Pick(K::kObjImage, true, 2) : Pick(K::kRadioButton);
            }
        }
    } else if (kind == "checkgroup") {
        if (Has(CT::xcPanel)) {
            if (Has(CT::xcRadioButton)) {
                out.children = ChildOffer::kGroupChildren;
                out.child = Contains(upper_, "TEC") ? Pick(K::kObjImage, true, 1) : Pick(K::kCheckBox);
            }
            if (Has(CT::xcGroupBox)) out.skin = Pick(K::kGroupBox, true);
        }
    } else if (kind == "checkbox") set(Has(CT::xcCheckBox), Pick(K::kCheckBox));
    // "nil" and any other kind: no skin, and the line still ends the rules.
    return out;
}

ControlSkinChoice Rules::Table() const {
    const bool tabs = Has(CT::xcTab) && c_.has_tabs;
    if (Named({"TTABSET"})) return Gate(tabs, Pick(K::kTab31));
    if (Named({"TTABBEDNOTEBOOK"})) return Gate(tabs, Pick(K::kTab));
    if (Named({"TMVCPANEL"})) return Gate(true, Pick(K::kNone), ChildOffer::kChildrenAfter);
    if (Is("TCustomCheckBox")) return Gate(Has(CT::xcCheckBox), Pick(K::kCheckBox));
    if (Named({"TUPDOWN", "TSPINBUTTON"})) return Gate(Has(CT::xcSpin), Pick(K::kUpDown));
    if (Named({"TMEDIAPLAYER"})) return Gate(Has(CT::xcButton), Pick(K::kMediaPlayer));
    if (Named({"TDBNAVIGATOR"})) return Gate(Has(CT::xcPanel), Pick(K::kBox, true), ChildOffer::kChildrenNoForm);
    if (Named({"TECDBCHECKBOX", "TECCHECKBOX"})) return Gate(Has(CT::xcCheckBox), Pick(K::kObjImage, true, 1));
    if (Named({"TECRADIOBUTTON", "TECDBRADIOBUTTON"})) return Gate(Has(CT::xcRadioButton), Pick(K::kObjImage, true, 2));
    if (Named({"TCXDBCHECKBOX", "TCXCHECKBOX"})) return Gate(Has(CT::xcCheckBox), Pick(K::kObjImage, true, 3));
    if (Is("TCustomStatusBar")) return Gate(Has(CT::xcStatusBar), Pick(K::kStatusBar));
    if (Named({"TTNTCOMBOBOX"}) || Is("TCustomComboBox")) return Gate(Has(CT::xcCombo), Pick(K::kComboBox));
    if (Is("TDateTimePicker")) {
        const bool edit = Lower(f_.date_mode) == "dmupdown" || Lower(f_.kind) == "dtktime";
        return Gate(Has(CT::xcEdit), Pick(edit ? K::kEdit : K::kDateTime));
    }
    if (Named({"TRICHEDIT", "TWWDBRICHEDIT", "TDXDBMEMO"})) return Gate(Has(CT::xcScrollbar), Pick(K::kScrollbar));
    if (Is("TCustomPanel")) return Gate(Has(CT::xcPanel), Pick(K::kBox, true), ChildOffer::kChildrenFirst);
    if (Named({"TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"})) return Gate(Has(CT::xcScrollbar), Pick(K::kScrollbar));
    if (Is("TCustomListView")) return Gate(Has(CT::xcScrollbar), Pick(K::kListView));
    if (Is("TCustomMemo")) return Gate(Has(CT::xcScrollbar), Pick(K::kScrollbar));
    if ((f_.windowed && f_.scroll_style) || Is("TMemo") || Is("TCustomListBox") || Is("TScrollBox"))
        return Gate(Has(CT::xcScrollbar), Pick(K::kScrollbar));
    if (Is("TButton")) return Gate(Has(CT::xcButton), Pick(K::kButton));
    if (Is("TCustomEdit")) return Gate(Has(CT::xcEdit), Pick(K::kEdit));
    const bool dc_edit = Named({"TDCEDIT", "TDCDBEDIT"});
    if (!dc_edit && Is("TCustomFrame")) return Gate(true, Pick(K::kNone), ChildOffer::kSkinControlsOf);
    if (!dc_edit && Is("TCustomForm")) return Gate(true, Pick(K::kBox, true), ChildOffer::kSkinControlsOf);
    if (dc_edit) {
        if (f_.num_buttons == 1) return Gate(Has(CT::xcCombo), Pick(K::kComboBox));
        if (f_.num_buttons == 0) {
            ControlSkinChoice out = Gate(Has(CT::xcEdit), Pick(K::kEdit));
            out.by_handle = out.skin.kind == K::kEdit;
            return out;
        }
    }
    return {};
}

} // namespace

const char* ControlSkinKindName(ControlSkinKind kind) {
    switch (kind) {
    case K::kNone: return "none";
    case K::kButton: return "TSkinButton";
    case K::kBitButton: return "TSkinBitButton";
    case K::kMenuButton: return "TSkinMenuButton";
    case K::kSpeedButton: return "TSkinSpeedButton";
    case K::kMediaPlayer: return "TSkinMP";
    case K::kCheckBox: return "TSkinCheckBox";
    case K::kRadioButton: return "TSkinRadioButton";
    case K::kObjImage: return "TSkinObjImage";
    case K::kBox: return "TSkinBox";
    case K::kBoxH: return "TSkinBoxH";
    case K::kGroupBox: return "TSkinGroupBox";
    case K::kStatusBar: return "TSkinStatusBar";
    case K::kSizer: return "TSkinSizer";
    case K::kComboBox: return "TSkinComBox";
    case K::kComboBoxEx: return "TSkinComBox (extended)";
    case K::kEdit: return "TSkinEdit";
    case K::kDateTime: return "TSkinDateTime";
    case K::kUpDown: return "TSkinUpDown";
    case K::kScrollbar: return "TSkinScrollbar";
    case K::kSingleScrollbar: return "TSkinScrollbar (single)";
    case K::kListView: return "TSkinListView";
    case K::kTab: return "TSkinTab";
    case K::kTab31: return "TSkinTab31";
    case K::kAdvPage: return "TSkinAdvPage";
    case K::kProgress: return "TSkinProgress";
    case K::kTrackBar: return "TSkinTrackBar";
    }
    return "?";
}

std::optional<std::string> Skin3rdKind(const std::vector<std::string>& lines, std::string_view class_name) {
    const std::string key = Lower(class_name) + "=";
    for (const std::string& line : lines) {
        const std::string lower = Lower(line);
        if (lower.compare(0, key.size(), key) != 0) continue;
        return lower.substr(key.size(), 50);
    }
    return std::nullopt;
}

ControlSkinChoice ChooseControlSkin(const ControlFacts& facts, const ControlRulesContext& context) {
    Rules rules(facts, context);
    if (facts.tag == context.disable_tag) {
        ControlSkinChoice out;
        const std::string lower = Lower(facts.class_name);
        out.disable_children = facts.has_children && (Contains(lower, "radiogroup") || Contains(lower, "checkgroup"));
        return out;
    }
    if (const auto kind = Skin3rdKind(context.skin3rd, facts.class_name)) return rules.Skin3rd(*kind);
    if (rules.Named({"TDBCOMBOBOXEH", "TFRDESIGNERPAGE", "TFRPBOX"})) return {};
    return rules.Table();
}

ChildWindowChoice ChooseChildWindowSkin(std::string_view window_class, unsigned long style, TSkinControlTypes controls) {
    constexpr unsigned long kTabStop = 0x00010000L, kSimpleCombo = 0x0001L, kOwnerDrawTabs = 0x2000L;
    const std::string c = Lower(window_class);
    ChildWindowChoice out;
    auto gate = [&](bool open, K kind) {
        if (open) out.skin = Pick(kind);
    };
    if (c == "button") {
        const K kind = ButtonStyleSkin(style);
        gate(kind == K::kCheckBox ? controls.has(CT::xcCheckBox)
             : kind == K::kRadioButton ? controls.has(CT::xcRadioButton)
                                       : controls.has(CT::xcButton),
             kind);
    } else if (c == "combobox") {
        gate(controls.has(CT::xcCombo) && (style & 3) != kSimpleCombo, K::kComboBox);
    } else if (c == "comboboxex32") {
        gate(controls.has(CT::xcCombo), K::kComboBox);
        out.first_child = out.skin.kind != K::kNone;
    } else if (c == "scrollbar") {
        gate(!(style & kTabStop), K::kSizer);
    } else if (c == "#32770") {
        if (!(style & kTabStop)) {
            out.offer_children = true;
            out.skin = Pick(K::kBoxH);
        }
    } else if (c == "tpanel" || c == "ttntpanel.unicodeclass" || c == "ttntsilentpaintpanel.unicodeclass") {
        out.offer_children = true;
        out.face_colour = true;
    } else if (c == "tcheckbox") {
        gate(controls.has(CT::xcCheckBox), K::kCheckBox);
    } else if (c == "tcombobox") {
        gate(controls.has(CT::xcCombo), K::kComboBox);
    } else if (c == "tbutton") {
        gate(controls.has(CT::xcButton), K::kButton);
    } else if (c == "tprogressbar") {
        out.skin = Pick(K::kProgress);
    } else if (c == "tsilentpaintpanel") {
        out.face_colour = true;
    } else if (c == "systabcontrol32") {
        gate(controls.has(CT::xcTab) && !(style & kOwnerDrawTabs), K::kTab);
    } else if (c == "toolbarwindow32") {
        out.skin = Pick(K::kBoxH);
    } else if (c == "edit") {
        gate(controls.has(CT::xcEdit), K::kEdit);
    }
    return out;
}

ControlSkinKind ButtonStyleSkin(unsigned long style) {
    constexpr unsigned long kBitmap = 0x80;
    if (style & kBitmap) return K::kNone;
    switch (style & 0xF) {
    case 0x0:  // push button
    case 0x1:  // default push button
    case 0x8: return K::kButton;  // user button
    case 0x2:
    case 0x3:
    case 0x5:
    case 0x6: return K::kCheckBox;
    case 0x4:
    case 0x9: return K::kRadioButton;
    default: return K::kNone;  // group box, owner-drawn, push box, split buttons, command links
    }
}

int ButtonFrameIndex(ButtonFaceKind kind, const ButtonFaceState& s) {
    switch (kind) {
    case ButtonFaceKind::kSpeed:
        if (s.down) return 2;
        if (s.disabled) return 3;
        return s.pressed ? 2 : s.hot ? 4 : 1;
    case ButtonFaceKind::kMenu:
        if (s.disabled) return 3;
        return s.pressed ? 2 : (s.hot || s.focused) ? 4 : 1;
    case ButtonFaceKind::kGlyphProperty:
        if (s.disabled) return 3;
        return s.pressed ? 2 : s.hot ? 4 : s.focused ? 5 : 1;
    case ButtonFaceKind::kPush:
    default:
        if (s.disabled) return 3;
        return s.pressed ? 2 : s.hot ? 4 : (s.focused || s.is_default) ? 5 : 1;
    }
}

int GlyphFrameIndex(bool pressed, bool disabled, int num_glyphs) {
    const int k = pressed ? 3 : disabled ? 2 : 1;
    return k > std::max(num_glyphs, 1) ? 1 : k;
}

GlyphLayout GlyphLayoutOf(std::string_view name) {
    const std::string n = Lower(name);
    if (n == "blglyphright") return GlyphLayout::kRight;
    if (n == "blglyphtop") return GlyphLayout::kTop;
    if (n == "blglyphbottom") return GlyphLayout::kBottom;
    return GlyphLayout::kLeft;
}

BitButtonLayout LayOutBitButton(int width, int height, int glyph_w, int glyph_h, int text_w, int text_h,
                                GlyphLayout layout, int margin, int spacing, bool centre) {
    BitButtonLayout out;
    const bool across = layout == GlyphLayout::kLeft || layout == GlyphLayout::kRight;
    // Across the layout axis both are centred.
    if (across) {
        out.glyph_y = (height - glyph_h + 1) / 2;
        out.text_y = (height - text_h + 1) / 2;
    } else {
        out.glyph_x = (width - glyph_w + 1) / 2;
        out.text_x = (width - text_w + 1) / 2;
    }
    if (text_w == 0 || glyph_w == 0) spacing = 0;
    const int length = across ? width : height;
    const int g = across ? glyph_w : glyph_h, t = across ? text_w : text_h;
    if (margin == -1 || centre) {
        if (spacing == -1) {
            margin = (length - g - t) / 3;
            spacing = margin;
        } else {
            margin = (length - g - spacing - t) / 2;
        }
    } else if (spacing == -1) {
        spacing = (length - margin - g - t) / 2;
    }
    out.margin = margin;
    out.spacing = spacing;
    switch (layout) {
    case GlyphLayout::kLeft:
        out.glyph_x = margin;
        out.text_x = margin + g + spacing;
        break;
    case GlyphLayout::kRight:
        out.glyph_x = width - margin - g;
        out.text_x = out.glyph_x - spacing - t;
        break;
    case GlyphLayout::kTop:
        out.glyph_y = margin;
        out.text_y = margin + g + spacing;
        break;
    case GlyphLayout::kBottom:
        out.glyph_y = height - margin - g;
        out.text_y = out.glyph_y - spacing - t;
        break;
    }
    return out;
}

std::string PaintedCaption(std::string_view caption) {
    std::string out(caption);
    const auto at = out.find("||");
    if (at != std::string::npos) out.replace(at, 2, "\r\n");
    return out;
}

std::wstring PaintedCaption(std::wstring_view caption) {
    std::wstring out(caption);
    const auto at = out.find(L"||");
    if (at != std::wstring::npos) out.replace(at, 2, L"\r\n");
    return out;
}

} // namespace skin
