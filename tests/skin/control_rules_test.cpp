// Which control gets which skin: the class table, every Skin3rd kind, the window-class rules for
// controls without an object, the system button styles, the button faces and the bitmap
// button's layout.
#include <gtest/gtest.h>

#include "skin/control_rules.h"

namespace {

using namespace skin;
using CT = TSkinControlType;
using K = ControlSkinKind;
using Offer = ChildOffer;
constexpr unsigned long WS_TABSTOP_FOR_TEST = 0x00010000;

TSkinControlTypes All() {
    TSkinControlTypes all;
    for (int i = 0; i <= static_cast<int>(CT::xcFastReport); ++i) all.include(static_cast<CT>(i));
    return all;
}

TSkinControlTypes AllBut(CT gone) {
    TSkinControlTypes s = All();
    s.exclude(gone);
    return s;
}

ControlFacts Facts(std::string name, std::vector<std::string> lineage = {}) {
    ControlFacts f;
    f.class_name = std::move(name);
    f.lineage = std::move(lineage);
    return f;
}

ControlRulesContext Context(TSkinControlTypes controls = All(), std::vector<std::string> skin3rd = {}) {
    ControlRulesContext c;
    c.controls = controls;
    c.skin3rd = std::move(skin3rd);
    c.has_tabs = true;
    return c;
}

std::string Describe(const SkinPick& p) {
    std::string s = ControlSkinKindName(p.kind);
    if (p.object_kind) s += " kind " + std::to_string(p.object_kind);
    if (p.container) s += " container";
    return s;
}

struct TableRow {
    const char* what;
    ControlFacts facts;
    CT gate;  // the SkinControls value the rule needs; xcFastReport where none
    SkinPick skin;
    Offer children = Offer::kNone;
};

// Every row of the class table, with its gate closed too: a rule whose gate is shut leaves the
// control as it is and ends the search.
TEST(ControlRules, ClassTableRowByRow) {
    ControlFacts scroll_styled = Facts("TSomeGrid", {"TWinControl"});
    scroll_styled.scroll_style = true;
    ControlFacts up_down_picker = Facts("TDateTimePicker", {"TWinControl"});
    up_down_picker.date_mode = "dmUpDown";
    ControlFacts time_picker = Facts("TEcDateTimePicker", {"TDateTimePicker"});
    time_picker.kind = "dtkTime";
    ControlFacts dc_combo = Facts("TDCEdit", {"TCustomControl"});
    dc_combo.num_buttons = 1;
    ControlFacts dc_edit = Facts("TDCDBEdit", {"TCustomControl"});
    dc_edit.num_buttons = 0;
    const std::vector<TableRow> rows = {
        {"tab set", Facts("TTabSet"), CT::xcTab, {K::kTab31}},
        {"tabbed notebook", Facts("TTabbedNotebook"), CT::xcTab, {K::kTab}},
        {"mvc panel", Facts("TMvcPanel", {"TCustomPanel"}), CT::xcFastReport, {K::kNone}, Offer::kChildrenAfter},
        {"check box", Facts("TCheckBox", {"TCustomCheckBox"}), CT::xcCheckBox, {K::kCheckBox}},
        {"up-down", Facts("TUpDown", {"TCustomUpDown"}), CT::xcSpin, {K::kUpDown}},
        {"spin button", Facts("TSpinButton"), CT::xcSpin, {K::kUpDown}},
        {"media player", Facts("TMediaPlayer"), CT::xcButton, {K::kMediaPlayer}},
        {"db navigator", Facts("TDBNavigator", {"TCustomPanel"}), CT::xcPanel, {K::kBox, 0, true}, Offer::kChildrenNoForm},
        {"control-set check box", Facts("TEcCheckBox", {"TEcCustomCheckBox"}), CT::xcCheckBox, {K::kObjImage, 1, true}},
        {"control-set db check box", Facts("TEcDBCheckBox"), CT::xcCheckBox, {K::kObjImage, 1, true}},
        {"control-set radio button", Facts("TEcRadioButton"), CT::xcRadioButton, {K::kObjImage, 2, true}},
        {"control-set db radio button", Facts("TEcDBRadioButton"), CT::xcRadioButton, {K::kObjImage, 2, true}},
        {"other check box", Facts("TcxCheckBox"), CT::xcCheckBox, {K::kObjImage, 3, true}},
        {"other db check box", Facts("TcxDBCheckBox"), CT::xcCheckBox, {K::kObjImage, 3, true}},
        {"status bar", Facts("TStatusBar", {"TCustomStatusBar"}), CT::xcStatusBar, {K::kStatusBar}},
        {"unicode combo", Facts("TTntComboBox"), CT::xcCombo, {K::kComboBox}},
        {"combo box", Facts("TEcComboBox", {"TEcCustomComboBox", "TComboBox", "TCustomComboBox"}), CT::xcCombo, {K::kComboBox}},
        {"drop-down picker", Facts("TDateTimePicker", {"TWinControl"}), CT::xcEdit, {K::kDateTime}},
        {"up-down picker", up_down_picker, CT::xcEdit, {K::kEdit}},
        {"time picker", time_picker, CT::xcEdit, {K::kEdit}},
        {"rich edit", Facts("TRichEdit", {"TCustomMemo"}), CT::xcScrollbar, {K::kScrollbar}},
        {"ww rich edit", Facts("TwwDBRichEdit"), CT::xcScrollbar, {K::kScrollbar}},
        {"dx memo", Facts("TdxDBMemo"), CT::xcScrollbar, {K::kScrollbar}},
        {"panel", Facts("TEcPanel", {"TEcCustomPanel", "TPanel", "TCustomPanel"}), CT::xcPanel, {K::kBox, 0, true}, Offer::kChildrenFirst},
        {"tree list", Facts("TdxTreeList"), CT::xcScrollbar, {K::kScrollbar}},
        {"db tree list", Facts("TdxDBTreeList"), CT::xcScrollbar, {K::kScrollbar}},
        {"dx grid", Facts("TdxDBGrid"), CT::xcScrollbar, {K::kScrollbar}},
        {"list view", Facts("TEcListView", {"TEcCustomListView", "TListView", "TCustomListView"}), CT::xcScrollbar, {K::kListView}},
        {"memo", Facts("TEcMemo", {"TMemo", "TCustomMemo", "TCustomEdit"}), CT::xcScrollbar, {K::kScrollbar}},
        {"scroll style", scroll_styled, CT::xcScrollbar, {K::kScrollbar}},
        {"list box", Facts("TEcListBox", {"TListBox", "TCustomListBox"}), CT::xcScrollbar, {K::kScrollbar}},
        {"scroll box", Facts("TScrollBox", {"TScrollingWinControl"}), CT::xcScrollbar, {K::kScrollbar}},
        {"button", Facts("TButton", {"TWinControl"}), CT::xcButton, {K::kButton}},
        {"edit", Facts("TEcEdit", {"TEcCustomEdit", "TCustomEdit"}), CT::xcEdit, {K::kEdit}},
        {"frame", Facts("TMyFrame", {"TFrame", "TCustomFrame"}), CT::xcFastReport, {K::kNone}, Offer::kSkinControlsOf},
        {"form", Facts("TForm", {"TCustomForm"}), CT::xcFastReport, {K::kBox, 0, true}, Offer::kSkinControlsOf},
        {"dc edit with a button", dc_combo, CT::xcCombo, {K::kComboBox}},
        {"dc edit without", dc_edit, CT::xcEdit, {K::kEdit}},
        {"a label", Facts("TLabel", {"TCustomLabel"}), CT::xcFastReport, {K::kNone}},
    };
    for (const TableRow& row : rows) {
        SCOPED_TRACE(row.what);
        const ControlSkinChoice open = ChooseControlSkin(row.facts, Context());
        EXPECT_EQ(Describe(open.skin), Describe(row.skin));
        EXPECT_TRUE(open.skin == row.skin);
        EXPECT_EQ(open.children, row.children);
        EXPECT_FALSE(open.skin3rd);
        if (row.gate != CT::xcFastReport) {
            const ControlSkinChoice shut = ChooseControlSkin(row.facts, Context(AllBut(row.gate)));
            EXPECT_EQ(shut.skin.kind, K::kNone);
            EXPECT_EQ(shut.children, Offer::kNone);
        }
    }
    const ControlSkinChoice by_handle = ChooseControlSkin(dc_edit, Context());
    EXPECT_TRUE(by_handle.by_handle);
    // Tab rules need the skin's Tabs element too.
    ControlRulesContext no_tabs = Context();
    no_tabs.has_tabs = false;
    EXPECT_EQ(ChooseControlSkin(Facts("TTabSet"), no_tabs).skin.kind, K::kNone);
    // Left alone by name, whatever they descend from.
    for (const char* name : {"TDBComboBoxEh", "TfrDesignerPage", "TfrPBox"})
        EXPECT_EQ(ChooseControlSkin(Facts(name, {"TCustomComboBox", "TCustomPanel"}), Context()).skin.kind, K::kNone) << name;
}

struct ThirdRow {
    const char* kind;
    CT gate;
    SkinPick skin;
    Offer children = Offer::kNone;
    const char* glyph = "";
    bool transparent = false;
};

TEST(ControlRules, EverySkin3rdKind) {
    const std::vector<ThirdRow> rows = {
        {"nil", CT::xcFastReport, {K::kNone}},
        {"combobox", CT::xcCombo, {K::kComboBox}},
        {"comboboxex", CT::xcCombo, {K::kComboBoxEx}},
        {"edit", CT::xcEdit, {K::kEdit}},
        {"radiobutton", CT::xcRadioButton, {K::kRadioButton}},
        {"panel", CT::xcPanel, {K::kBox, 0, true}, Offer::kNone, "", true},
        {"trackbar", CT::xcButton, {K::kTrackBar}, Offer::kNone, "", true},
        {"button", CT::xcButton, {K::kButton}},
        {"datetimepicker", CT::xcCombo, {K::kDateTime}},
        {"mediaplayer", CT::xcButton, {K::kMediaPlayer}},
        {"bitbtn", CT::xcButton, {K::kBitButton}},
        {"pngbitbtn", CT::xcButton, {K::kBitButton}, Offer::kNone, "PngImage"},
        {"pngspeedbutton", CT::xcButton, {K::kSpeedButton}, Offer::kNone, "PngImage"},
        {"menubtn", CT::xcButton, {K::kMenuButton}},
        {"speedbutton", CT::xcSpeedButton, {K::kSpeedButton}},
        {"tab", CT::xcTab, {K::kTab}},
        {"progress", CT::xcProgress, {K::kProgress}},
        {"scrollbar", CT::xcScrollbar, {K::kScrollbar}, Offer::kChildrenAfter},
        {"singlescrollbar", CT::xcScrollbar, {K::kSingleScrollbar}},
        {"embedscrollbar", CT::xcScrollbar, {K::kNone}, Offer::kScrollChildren},
        {"container", CT::xcFastReport, {K::kNone}, Offer::kChildrenAfter},
        {"groupbox", CT::xcGroupBox, {K::kGroupBox, 0, true}},
        {"advpagecontrol", CT::xcTab, {K::kAdvPage, 0, true}},
        {"radiogroup", CT::xcGroupBox, {K::kGroupBox, 0, true}, Offer::kGroupChildren},
        {"checkgroup", CT::xcPanel, {K::kGroupBox, 0, true}, Offer::kGroupChildren},
        {"checkbox", CT::xcCheckBox, {K::kCheckBox}},
        {"no such kind", CT::xcFastReport, {K::kNone}},
    };
    for (const ThirdRow& row : rows) {
        SCOPED_TRACE(row.kind);
        // A class the table would give a push-button skin: the line always wins.
        ControlFacts f = Facts("TThirdParty", {"TButton"});
        f.has_border = true;
        const std::vector<std::string> lines = {"tthirdparty=" + std::string(row.kind)};
        const ControlSkinChoice open = ChooseControlSkin(f, Context(All(), lines));
        EXPECT_TRUE(open.skin3rd);
        EXPECT_EQ(Describe(open.skin), Describe(row.skin));
        EXPECT_EQ(open.children, row.children);
        EXPECT_EQ(open.glyph_property, row.glyph);
        EXPECT_EQ(open.set_transparent, row.transparent);
        if (row.gate != CT::xcFastReport) {
            const ControlSkinChoice shut = ChooseControlSkin(f, Context(AllBut(row.gate), lines));
            EXPECT_TRUE(shut.skin3rd) << "the line ends the rules even with its gate shut";
            EXPECT_EQ(shut.skin.kind, K::kNone);
        }
    }
}

TEST(ControlRules, Skin3rdLookupAndEdgeCases) {
    const std::vector<std::string> lines = {"TEcButtonEdit=Edit", "TEcRadioGroup=radiogroup", "TTwice=Button",
                                            "ttwice=nil", "TEcCheckGroup=checkgroup", "TcxButton=bitbtn",
                                            "TNilled=nil", "TLong=" + std::string(80, 'x')};
    EXPECT_EQ(Skin3rdKind(lines, "TECBUTTONEDIT"), "edit") << "case of class and kind ignored";
    EXPECT_EQ(Skin3rdKind(lines, "TTwice"), "button") << "the first line of a class";
    EXPECT_EQ(Skin3rdKind(lines, "TEcButton"), std::nullopt) << "a prefix of a listed name is not listed";
    EXPECT_EQ(Skin3rdKind(lines, "TLong")->size(), 50u);
    EXPECT_EQ(Skin3rdKind({}, "TButton"), std::nullopt);

    // A control named "nil" keeps its own look even where a class rule would match.
    EXPECT_EQ(ChooseControlSkin(Facts("TNilled", {"TButton"}), Context(All(), lines)).skin.kind, K::kNone);
    // The button edit of the control set is an edit only with a border.
    ControlFacts edit = Facts("TEcButtonEdit", {"TEcCustomButtonEdit", "TEcEdit", "TCustomEdit"});
    EXPECT_EQ(ChooseControlSkin(edit, Context(All(), lines)).skin.kind, K::kNone);
    edit.has_border = true;
    EXPECT_EQ(ChooseControlSkin(edit, Context(All(), lines)).skin.kind, K::kEdit);
    // The other library's button with a drop-down kind is a menu button.
    ControlFacts cx = Facts("TcxButton");
    EXPECT_EQ(ChooseControlSkin(cx, Context(All(), lines)).skin.kind, K::kBitButton);
    cx.kind = "cxbkDropDownButton";
    EXPECT_EQ(ChooseControlSkin(cx, Context(All(), lines)).skin.kind, K::kMenuButton);

    // Groups: the control set's children get the custom-glyph strips, others the plain skins;
    // without xcRadioButton the children are left alone.
    const ControlSkinChoice radio = ChooseControlSkin(Facts("TEcRadioGroup"), Context(All(), lines));
    EXPECT_TRUE(radio.child == (SkinPick{K::kObjImage, 2, true}));
    const ControlSkinChoice check = ChooseControlSkin(Facts("TEcCheckGroup"), Context(All(), lines));
    EXPECT_TRUE(check.child == (SkinPick{K::kObjImage, 1, true}));
    const std::vector<std::string> other = {"TOtherRadioGroup=radiogroup", "TOtherCheckGroup=checkgroup"};
    EXPECT_EQ(ChooseControlSkin(Facts("TOtherRadioGroup"), Context(All(), other)).child.kind, K::kRadioButton);
    EXPECT_EQ(ChooseControlSkin(Facts("TOtherCheckGroup"), Context(All(), other)).child.kind, K::kCheckBox);
    const ControlSkinChoice no_radio = ChooseControlSkin(Facts("TEcRadioGroup"), Context(AllBut(CT::xcRadioButton), lines));
    EXPECT_EQ(no_radio.children, Offer::kNone);
    EXPECT_EQ(no_radio.skin.kind, K::kGroupBox);
    const ControlSkinChoice check_no_box = ChooseControlSkin(Facts("TEcCheckGroup"), Context(AllBut(CT::xcGroupBox), lines));
    EXPECT_EQ(check_no_box.skin.kind, K::kNone);
    EXPECT_EQ(check_no_box.children, Offer::kGroupChildren);

    // DisableTag: nothing, and a radio or check group with children passes it on.
    ControlRulesContext tagged = Context(All(), lines);
    tagged.disable_tag = 42;
    ControlFacts group = Facts("TEcRadioGroup");
    group.tag = 42;
    group.has_children = true;
    const ControlSkinChoice off = ChooseControlSkin(group, tagged);
    EXPECT_EQ(off.skin.kind, K::kNone);
    EXPECT_TRUE(off.disable_children);
    group.has_children = false;
    EXPECT_FALSE(ChooseControlSkin(group, tagged).disable_children);
    ControlFacts button = Facts("TButton");
    button.tag = 42;
    const ControlSkinChoice plain = ChooseControlSkin(button, tagged);
    EXPECT_EQ(plain.skin.kind, K::kNone);
    EXPECT_FALSE(plain.disable_children);

    // Without xcScrollbar list views and memos keep the system's scroll bars.
    for (const ControlFacts& f : {Facts("TListView", {"TCustomListView"}), Facts("TMemo", {"TCustomMemo"})})
        EXPECT_EQ(ChooseControlSkin(f, Context(AllBut(CT::xcScrollbar))).skin.kind, K::kNone) << f.class_name;
    // A frame present when the window is skinned: no skin of its own, its components offered.
    EXPECT_EQ(ChooseControlSkin(Facts("TFrame", {"TCustomFrame"}), Context()).children, Offer::kSkinControlsOf);
}

TEST(ControlRules, ChildWindowsByClass) {
    struct Row {
        const char* cls;
        unsigned long style;
        CT gate;
        K kind;
        bool children = false, first_child = false, face = false;
    };
    const std::vector<Row> rows = {
        {"Button", 0x0, CT::xcButton, K::kButton},
        {"BUTTON", 0x3, CT::xcCheckBox, K::kCheckBox},
        {"button", 0x9, CT::xcRadioButton, K::kRadioButton},
        {"button", 0x7, CT::xcFastReport, K::kNone},
        {"ComboBox", 0x2, CT::xcCombo, K::kComboBox},
        {"ComboBox", 0x1, CT::xcFastReport, K::kNone},  // a simple combo box
        {"ComboBoxEx32", 0, CT::xcCombo, K::kComboBox, false, true},
        {"ScrollBar", 0x4, CT::xcFastReport, K::kSizer},
        {"ScrollBar", WS_TABSTOP_FOR_TEST, CT::xcFastReport, K::kNone},
        {"SysTreeView32", 0, CT::xcFastReport, K::kNone},
        {"#32770", 0, CT::xcFastReport, K::kBoxH, true},
        {"#32770", WS_TABSTOP_FOR_TEST, CT::xcFastReport, K::kNone},
        {"TPanel", 0, CT::xcFastReport, K::kNone, true, false, true},
        {"TTntPanel.UnicodeClass", 0, CT::xcFastReport, K::kNone, true, false, true},
        {"TTntSilentPaintPanel.UnicodeClass", 0, CT::xcFastReport, K::kNone, true, false, true},
        {"TCheckBox", 0, CT::xcCheckBox, K::kCheckBox},
        {"TComboBox", 0, CT::xcCombo, K::kComboBox},
        {"TButton", 0, CT::xcButton, K::kButton},
        {"TProgressBar", 0, CT::xcFastReport, K::kProgress},
        {"TSilentPaintPanel", 0, CT::xcFastReport, K::kNone, false, false, true},
        {"SysTabControl32", 0, CT::xcTab, K::kTab},
        {"SysTabControl32", 0x2000, CT::xcFastReport, K::kNone},
        {"ToolbarWindow32", 0, CT::xcFastReport, K::kBoxH},
        {"Edit", 0, CT::xcEdit, K::kEdit},
        {"SomethingElse", 0, CT::xcFastReport, K::kNone},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.cls) + " " + std::to_string(row.style));
        const ChildWindowChoice c = ChooseChildWindowSkin(row.cls, row.style, All());
        EXPECT_EQ(ControlSkinKindName(c.skin.kind), std::string(ControlSkinKindName(row.kind)));
        EXPECT_EQ(c.offer_children, row.children);
        EXPECT_EQ(c.first_child, row.first_child);
        EXPECT_EQ(c.face_colour, row.face);
        if (row.gate != CT::xcFastReport) {
            EXPECT_EQ(ChooseChildWindowSkin(row.cls, row.style, AllBut(row.gate)).skin.kind, K::kNone);
        }
    }
}

// The type decides: the classic types as before, push boxes, split buttons and command links
// get nothing (the bit tests took them for check and radio boxes).
TEST(ControlRules, ButtonStylesByType) {
    const K expected[16] = {K::kButton,      K::kButton,   K::kCheckBox, K::kCheckBox, K::kRadioButton, K::kCheckBox,
                            K::kCheckBox,    K::kNone,     K::kButton,   K::kRadioButton, K::kNone,     K::kNone,
                            K::kNone,        K::kNone,     K::kNone,     K::kNone};
    for (unsigned long type = 0; type < 16; ++type) {
        SCOPED_TRACE(type);
        EXPECT_EQ(ButtonStyleSkin(type), expected[type]);
        EXPECT_EQ(ButtonStyleSkin(type | 0x20 /* BS_LEFTTEXT */ | 0x50000000), expected[type]);
        EXPECT_EQ(ButtonStyleSkin(type | 0x80 /* BS_BITMAP */), K::kNone);
    }
}

TEST(ControlRules, ButtonFrames) {
    struct Row {
        ButtonFaceState s;
        int push, menu, glyph_property;
    };
    const std::vector<Row> rows = {
        {{}, 1, 1, 1},
        {{true}, 2, 2, 2},
        {{false, true}, 4, 4, 4},
        {{true, true}, 2, 2, 2},
        {{false, false, true}, 5, 4, 5},
        {{false, false, false, true}, 5, 1, 1},  // default: the glyph-property variant has none
        {{false, true, true, true}, 4, 4, 4},
        {{false, false, false, true, true}, 3, 3, 3},  // a disabled default button shows frame 3
        {{true, true, true, true, true}, 3, 3, 3},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ButtonFrameIndex(ButtonFaceKind::kPush, rows[i].s), rows[i].push);
        EXPECT_EQ(ButtonFrameIndex(ButtonFaceKind::kMenu, rows[i].s), rows[i].menu);
        EXPECT_EQ(ButtonFrameIndex(ButtonFaceKind::kGlyphProperty, rows[i].s), rows[i].glyph_property);
    }
    ButtonFaceState down;
    down.down = true;
    down.disabled = true;
    EXPECT_EQ(ButtonFrameIndex(ButtonFaceKind::kSpeed, down), 2);
    EXPECT_EQ(ButtonFrameIndex(ButtonFaceKind::kSpeed, {false, true}), 4);
    EXPECT_EQ(ButtonFrameIndex(ButtonFaceKind::kSpeed, {false, false, false, false, true}), 3);

    EXPECT_EQ(GlyphFrameIndex(true, false, 4), 3);
    EXPECT_EQ(GlyphFrameIndex(false, true, 4), 2);
    EXPECT_EQ(GlyphFrameIndex(false, false, 4), 1);
    EXPECT_EQ(GlyphFrameIndex(true, false, 2), 1) << "beyond the glyph's frames";
    EXPECT_EQ(GlyphFrameIndex(false, true, 1), 1);
    EXPECT_EQ(GlyphFrameIndex(false, true, -1), 1);
}

TEST(ControlRules, BitButtonLayout) {
    struct Row {
        const char* what;
        int w, h, gw, gh, tw, th;
        GlyphLayout layout;
        int margin, spacing;
        bool centre;
        BitButtonLayout want;
    };
    const std::vector<Row> rows = {
        {"both worked out", 100, 30, 16, 16, 40, 13, GlyphLayout::kLeft, -1, -1, false, {14, 7, 44, 9, 14, 14}},
        {"given spacing", 100, 30, 16, 16, 40, 13, GlyphLayout::kLeft, -1, 4, false, {20, 7, 40, 9, 20, 4}},
        {"given margin", 100, 30, 16, 16, 40, 13, GlyphLayout::kLeft, 4, -1, false, {4, 7, 40, 9, 4, 20}},
        {"centred overrides a margin", 100, 30, 16, 16, 40, 13, GlyphLayout::kLeft, 4, -1, true, {14, 7, 44, 9, 14, 14}},
        {"right", 100, 30, 16, 16, 40, 13, GlyphLayout::kRight, 4, 4, false, {80, 7, 36, 9, 4, 4}},
        {"top", 80, 60, 16, 16, 40, 13, GlyphLayout::kTop, -1, -1, false, {32, 10, 20, 36, 10, 10}},
        {"bottom", 80, 60, 16, 16, 40, 13, GlyphLayout::kBottom, 2, 3, false, {32, 42, 20, 26, 2, 3}},
        {"no text: no spacing", 100, 30, 16, 16, 0, 0, GlyphLayout::kLeft, -1, 5, false, {42, 7, 58, 15, 42, 0}},
        {"truncated toward zero", 10, 10, 16, 16, 40, 13, GlyphLayout::kLeft, -1, -1, false, {-15, -2, -14, -1, -15, -15}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const BitButtonLayout got = LayOutBitButton(r.w, r.h, r.gw, r.gh, r.tw, r.th, r.layout, r.margin, r.spacing, r.centre);
        EXPECT_EQ(got.glyph_x, r.want.glyph_x);
        EXPECT_EQ(got.glyph_y, r.want.glyph_y);
        EXPECT_EQ(got.text_x, r.want.text_x);
        EXPECT_EQ(got.text_y, r.want.text_y);
        EXPECT_EQ(got.margin, r.want.margin);
        EXPECT_EQ(got.spacing, r.want.spacing);
    }
    EXPECT_EQ(GlyphLayoutOf("blGlyphRight"), GlyphLayout::kRight);
    EXPECT_EQ(GlyphLayoutOf("blglyphtop"), GlyphLayout::kTop);
    EXPECT_EQ(GlyphLayoutOf("BLGLYPHBOTTOM"), GlyphLayout::kBottom);
    EXPECT_EQ(GlyphLayoutOf(""), GlyphLayout::kLeft);
}

TEST(ControlRules, CaptionLineBreakForThePaint) {
    EXPECT_EQ(PaintedCaption(std::string("Save||all")), "Save\r\nall");
    EXPECT_EQ(PaintedCaption(std::string("a||b||c")), "a\r\nb||c") << "only the first";
    EXPECT_EQ(PaintedCaption(std::string("plain")), "plain");
    EXPECT_EQ(PaintedCaption(std::wstring(L"||")), L"\r\n");
    const std::string many(10000, '|');
    EXPECT_EQ(PaintedCaption(many).size(), many.size());
}

}  // namespace
