// Skins of check boxes, radio buttons, group boxes, status bars, containers, dialogs and size
// grips on live windows: the box shown per state, the glyph strips handed to control-set boxes
// and taken back, the pixels of the group box and the status bar, and pictures of every kind in
// its states in both of the programs' own skins.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "controls/ec_rad_chk.h"
#include "platform/ui/win/comctl_controls.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/std_controls.h"
#include "skin/control_faces.h"
#include "skin/win/skin_bitmaps.h"
#include "skin/win/skin_boxes.h"
#include "skin/win/skin_messages.h"
#include "skin/win/skin_toggles.h"
#include "tests/skin/win/skinned_fixture.h"
#include "tests/support/window_test/window_test.h"

namespace {

using namespace skinned_test;
using skin::TSkinData;
using skin::TWinSkinForm;

class SkinnedKinds : public SkinnedTest {};

struct Main {
    Main(TSkinData*& data, ui::Component* owner, const char* skin_path) {
        data = LoadedData(owner, skin_path);
        Activate(w.handle());
    }
    template <class C>
    C* Add(int x, int y, int width, int height, const std::string& caption = {}) {
        auto* c = new C(w.form.get());
        c->set_parent(w.form.get());
        c->set_bounds(x, y, width, height);
        if (!caption.empty()) ui::set_property_text(*c, "Caption", caption);
        return c;
    }
    MainWindow w{"Skinned controls", 560, 330};
};

// The box pixels of frame `index` of the strip: where the strip is not magenta, the control
// shows exactly that frame at the box's place.
void ExpectBox(HWND control, const skin::Image32& strip, int frames, int index, bool left_text, bool radio) {
    const skin::Image32 shown = Capture(control);
    const skin::Size2 box = skin::StripFrameSize(strip.width(), strip.height(), frames);
    const skin::ToggleLayout l = skin::LayoutToggle({0, 0, shown.width(), shown.height()}, box.width, box.height, left_text, radio);
    int compared = 0;
    for (int y = 0; y < box.height; ++y)
        for (int x = 0; x < box.width; ++x) {
            const std::uint32_t want = strip.at((index - 1) * box.width + x, y);
            if (want == skin::kKeyPixel) continue;
            ++compared;
            if (shown.at(l.box.left + x, l.box.top + y) != want) {
                ADD_FAILURE() << "frame " << index << " differs at " << x << "," << y;
                return;
            }
        }
    EXPECT_GT(compared, 0);
}

TEST_F(SkinnedKinds, CheckBoxesAndRadioButtonsShowTheFrameOfTheirState) {
    TSkinData* data = nullptr;
    Main m(data, owner_.get(), kDefaultSkin);
    ASSERT_TRUE(WaitSkinned(m.w.handle()));
    TWinSkinForm* form = SkinOf(m.w.handle());
    form->ReleaseControlSkins();
    const skin::TDataSkinButton& buttons = *data->Skin()->buttons;
    ASSERT_EQ(buttons.check_frame, 8);

    auto* check = m.Add<ui::CheckBox>(10, 10, 150, 20, "Check");
    auto* left = m.Add<ui::CheckBox>(10, 40, 150, 20, "Left text");
    left->set_alignment(ui::TLeftRight::taLeftJustify);
    auto* radio = m.Add<ui::RadioButton>(10, 70, 150, 20, "Radio");
    auto* check_skin = new skin::TSkinCheckBox(check);
    check_skin->AttachControl(form, data, true);
    auto* left_skin = new skin::TSkinCheckBox(left);
    left_skin->AttachControl(form, data, true);
    auto* radio_skin = new skin::TSkinRadioButton(radio);
    radio_skin->AttachControl(form, data, true);
    EXPECT_EQ(check_skin->option(), 1);
    EXPECT_EQ(SendMessageW(check->handle(), skin::kMsgIsSkinned, 0, 0), 1);

    struct Case {
        const char* name;
        ui::TCheckBoxState state;
        bool enabled, hot, pressed;
        int frame;  // of the eight-frame strip
    };
    const Case cases[] = {
        {"unchecked", ui::TCheckBoxState::cbUnchecked, true, false, false, 1},
        {"checked", ui::TCheckBoxState::cbChecked, true, false, false, 5},
        {"grayed", ui::TCheckBoxState::cbGrayed, true, false, false, 8},
        // The boxes have no hot or pressed faces: the mouse over them and a press change nothing.
        {"hot", ui::TCheckBoxState::cbUnchecked, true, true, false, 1},
        {"pressed", ui::TCheckBoxState::cbChecked, true, true, true, 5},
        {"disabled", ui::TCheckBoxState::cbUnchecked, false, false, false, 4},
        {"disabled_checked", ui::TCheckBoxState::cbChecked, false, false, false, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (ui::CheckBox* box : {check, left}) {
            box->set_state(c.state);
            box->set_enabled(c.enabled);
            SendMessageW(box->handle(), WM_MOUSELEAVE, 0, 0);
            if (c.hot) SendMessageW(box->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
            SendMessageW(box->handle(), BM_SETSTATE, c.pressed, 0);
        }
        EXPECT_EQ(check_skin->FrameIndex(), c.frame);
        ExpectBox(check->handle(), buttons.check_bitmap, 8, c.frame, false, false);
        ExpectBox(left->handle(), buttons.check_bitmap, 8, c.frame, true, false);
        window_test::save_screenshot(m.w.handle(), "skinned_kinds", std::string("check_") + c.name);
        for (ui::CheckBox* box : {check, left}) SendMessageW(box->handle(), BM_SETSTATE, FALSE, 0);
    }
    for (const bool checked : {false, true})
        for (const bool enabled : {true, false}) {
            radio->set_checked(checked);
            radio->set_enabled(enabled);
            const int frame = (checked ? 5 : 1) + (enabled ? 0 : 3);
            EXPECT_EQ(radio_skin->FrameIndex(), frame);
            ExpectBox(radio->handle(), buttons.radio_bitmap, 8, frame, false, true);
        }

    // A bare check box of the system class: the system paints it, then the skin's box goes over
    // the system's; the last BM_SETCHECK decides with a data field only, so the state shows.
    HWND bare = CreateWindowExW(0, L"BUTTON", L"Bare", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 200, 10, 120, 20,
                                m.w.handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    auto* bare_skin = static_cast<skin::TSkinCheckBox*>(form->OwnWindowSkin(std::make_unique<skin::TSkinCheckBox>(nullptr)));
    bare_skin->AttachWindow(bare, data, form);
    EXPECT_EQ(bare_skin->option(), 0);
    SendMessageW(bare, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(bare_skin->last_check(), 2);
    EXPECT_EQ(bare_skin->FrameIndex(), 5);
    ExpectBox(bare, buttons.check_bitmap, 8, 5, false, false);
    window_test::save_screenshot(m.w.handle(), "skinned_kinds", "check_bare");

    // Switched off, the controls paint themselves; on again, the skin paints at once.
    SendMessageW(check->handle(), skin::kMsgSkinSwitch, 0, 0);
    EXPECT_FALSE(check_skin->active());
    SendMessageW(check->handle(), skin::kMsgSkinSwitch, 1, 0);
    EXPECT_TRUE(check_skin->active());
}

TEST_F(SkinnedKinds, GlyphStripsAreHandedToControlSetBoxesAndTakenBack) {
    TSkinData* data = nullptr;
    Main m(data, owner_.get(), kDefaultSkin);
    ASSERT_TRUE(WaitSkinned(m.w.handle()));
    TWinSkinForm* form = SkinOf(m.w.handle());
    form->ReleaseControlSkins();
    const skin::TDataSkinButton& buttons = *data->Skin()->buttons;

    auto* own = m.Add<ec::TEcCheckBox>(10, 10, 150, 20, "Own glyphs");
    auto* plain = m.Add<ec::TEcCheckBox>(10, 40, 150, 20, "Plain");
    auto* radio = m.Add<ec::TEcRadioButton>(10, 70, 150, 20, "Radio");
    const skin::Image32 own_strip(9 * 12, 12, 0x00336699);
    skin::AssignImage(own->custom_glyphs(), own_strip);
    own->set_use_custom_glyphs(true);
    own->set_transparent_color(ui::clLime);
    window_test::save_screenshot(m.w.handle(), "skinned_kinds", "glyphs_before");

    for (int cycle = 0; cycle < 2; ++cycle) {
        SCOPED_TRACE(cycle);
        auto* own_skin = new skin::TSkinObjImage(own, 1);
        own_skin->AttachControl(form, data, true);
        auto* plain_skin = new skin::TSkinObjImage(plain, 1);
        plain_skin->AttachControl(form, data, true);
        auto* radio_skin = new skin::TSkinObjImage(radio, 2);
        radio_skin->AttachControl(form, data, true);
        ASSERT_TRUE(own_skin->handed() && plain_skin->handed() && radio_skin->handed());

        EXPECT_EQ(skin::ImageFromBitmap(own->custom_glyphs()), skin::BuildGlyphStrip(1, buttons.check_bitmap, buttons.check_frame));
        EXPECT_EQ(skin::ImageFromBitmap(radio->custom_glyphs()), skin::BuildGlyphStrip(2, buttons.radio_bitmap, buttons.radio_frame));
        EXPECT_TRUE(own->use_custom_glyphs() && plain->use_custom_glyphs() && radio->use_custom_glyphs());
        EXPECT_EQ(own->transparent_color(), ui::clFuchsia);
        if (cycle == 0) window_test::save_screenshot(m.w.handle(), "skinned_kinds", "glyphs_skinned");

        own_skin->Unskin();
        plain_skin->Unskin();
        radio_skin->Unskin();
        EXPECT_EQ(skin::ImageFromBitmap(own->custom_glyphs()), own_strip);
        EXPECT_TRUE(own->use_custom_glyphs());
        EXPECT_EQ(own->transparent_color(), ui::clLime);
        EXPECT_TRUE(plain->custom_glyphs().empty());
        EXPECT_FALSE(plain->use_custom_glyphs());
        EXPECT_FALSE(radio->use_custom_glyphs());
        delete own_skin;
        delete plain_skin;
        delete radio_skin;
        EXPECT_EQ(own->window_proc.names(), plain->window_proc.names());
    }
    window_test::save_screenshot(m.w.handle(), "skinned_kinds", "glyphs_after");
}

TEST_F(SkinnedKinds, GroupBoxAndStatusBarPixels) {
    TSkinData* data = nullptr;
    Main m(data, owner_.get(), kDefaultSkin);
    ASSERT_TRUE(WaitSkinned(m.w.handle()));
    TWinSkinForm* form = SkinOf(m.w.handle());
    form->ReleaseControlSkins();
    const skin::SkinDescription& sk = *data->Skin();

    auto* group = m.Add<ui::GroupBox>(10, 10, 200, 80, "Group");
    auto* bar = m.Add<ui::StatusBar>(0, 0, 10, 22);
    bar->set_align(ui::TAlign::alBottom);
    for (const char* text : {"First", "Second"}) {
        auto* panel = bar->panels().add_item();
        panel->set_text(text);
        panel->set_width(120);
    }
    bar->panels().at(1)->set_bevel(ui::TStatusPanelBevel::pbRaised);
    (new skin::TSkinGroupBox(group))->AttachControl(form, data, true);
    (new skin::TSkinStatusBar(bar))->AttachControl(form, data, true);

    // The group box: the skin's shadow line along the top, gone under the caption.
    const skin::Image32 g = Capture(group->handle());
    HDC dc = GetDC(group->handle());
    const ui::GdiObject<HFONT> font = ui::create_font(group->font());
    const HGDIOBJ old_font = SelectObject(dc, font.get());
    SIZE zero{};
    GetTextExtentPoint32W(dc, L"0", 1, &zero);
    SelectObject(dc, old_font);
    ReleaseDC(group->handle(), dc);
    const int top = zero.cy / 2 - 1;
    const std::uint32_t shadow = skin::PixelFromColor(sk.colours[skin::kButtonShadow]);
    const std::uint32_t face = skin::PixelFromColor(sk.colours[skin::kButtonFace]);
    EXPECT_EQ(g.at(5, top), shadow);
    EXPECT_EQ(g.at(150, top), shadow);
    EXPECT_NE(g.at(9, top), shadow);
    EXPECT_EQ(g.at(100, 40), face);
    EXPECT_EQ(g.at(1, 40), shadow);

    // The status bar: the lowered and raised frames of the skin's edges, and the grip.
    const skin::Image32 s = Capture(bar->handle());
    const skin::TDataSkinObject& edges = *sk.status_bar_edges;
    const int ew = edges.bitmap.width() / 3;
    RECT first{}, second{};
    SendMessageW(bar->handle(), SB_GETRECT, 0, reinterpret_cast<LPARAM>(&first));
    SendMessageW(bar->handle(), SB_GETRECT, 1, reinterpret_cast<LPARAM>(&second));
    ASSERT_EQ(edges.trans, 0);
    EXPECT_EQ(s.at(first.left, first.top), edges.bitmap.at(0, 0));      // lowered: frame 1
    EXPECT_EQ(s.at(first.right + 1, first.top), edges.bitmap.at(ew - 1, 0));  // 2 pixels wider
    EXPECT_EQ(s.at(second.left + 2, first.top), edges.bitmap.at(ew, 0));  // raised: frame 2
    const skin::Image32& extra = sk.extra_images->bitmap;
    const int gw = extra.width() / sk.extra_images->frame, gh = extra.height();
    const skin::Rect grip = skin::SizeGripRect(s.width(), s.height(), gw, gh);
    int grip_pixels = 0;
    for (int y = 0; y < gh; ++y)
        for (int x = 0; x < gw; ++x) {
            const std::uint32_t want = extra.at(4 * gw + x, y);
            if (want == skin::kKeyPixel) continue;
            ++grip_pixels;
            EXPECT_EQ(s.at(grip.left + x, grip.top + y), want);
        }
    EXPECT_GT(grip_pixels, 0);
    window_test::save_screenshot(m.w.handle(), "skinned_kinds", "group_and_status");

    bar->set_simple_panel(true);
    bar->set_simple_text("Simple text");
    EXPECT_EQ(Capture(bar->handle()).at(0, 0), edges.bitmap.at(0, 0));  // one bevel over the whole bar
    window_test::save_screenshot(m.w.handle(), "skinned_kinds", "status_simple");
}

TEST_F(SkinnedKinds, ContainersDialogsAndGripsTakeTheFaceColour) {
    TSkinData* data = nullptr;
    Main m(data, owner_.get(), kContrastSkin);
    ASSERT_TRUE(WaitSkinned(m.w.handle()));
    TWinSkinForm* form = SkinOf(m.w.handle());
    form->ReleaseControlSkins();
    const ui::TColor face = data->Skin()->colours[skin::kButtonFace];

    auto* panel = m.Add<ui::Panel>(10, 10, 120, 60);
    panel->set_color(ui::clWindow);
    auto* box = new skin::TSkinBox(panel);
    box->AttachControl(form, data, true);
    EXPECT_EQ(panel->color(), face);
    box->Unskin();
    EXPECT_EQ(panel->color(), ui::TColor(ui::clWindow));
    delete box;

    HWND grip = CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 300, 200, 18, 18,
                                m.w.handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    auto* sizer = static_cast<skin::TSkinSizer*>(form->OwnWindowSkin(std::make_unique<skin::TSkinSizer>(nullptr)));
    sizer->AttachWindow(grip, data, form);
    EXPECT_EQ(Capture(grip).at(9, 9), skin::PixelFromColor(face));

    const HWND dialog = CreateProgramDialog(L"Program dialog", WS_VISIBLE);
    DestroyWindowOnExit dialog_end{dialog};
    ASSERT_TRUE(dialog);
    HWND label = CreateWindowExW(0, L"STATIC", L"A static text", WS_CHILD | WS_VISIBLE, 10, 10, 150, 20, dialog,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    TWinSkinForm* dialog_form = SkinOf(dialog);
    ASSERT_TRUE(WaitSkinned(dialog));
    dialog_form = SkinOf(dialog);
    ASSERT_NE(dialog_form, nullptr);
    auto* ground = static_cast<skin::TSkinBoxH*>(dialog_form->OwnWindowSkin(std::make_unique<skin::TSkinBoxH>(nullptr)));
    ground->AttachWindow(dialog, data, dialog_form);
    RECT client{};
    GetClientRect(dialog, &client);
    const skin::Image32 shown = Capture(label);
    EXPECT_EQ(shown.at(shown.width() - 2, shown.height() - 2), skin::PixelFromColor(face));
    window_test::save_screenshot(dialog, "skinned_kinds", "dialog_contrast");
    window_test::save_screenshot(m.w.handle(), "skinned_kinds", "grip_contrast");
}

TEST_F(SkinnedKinds, BadInputNoCrashNoPaintOutsideNoLeak) {
    TSkinData* data = nullptr;
    Main m(data, owner_.get(), kDefaultSkin);
    ASSERT_TRUE(WaitSkinned(m.w.handle()));
    TWinSkinForm* form = SkinOf(m.w.handle());
    form->ReleaseControlSkins();
    const HANDLE process = GetCurrentProcess();
    window_test::pump(50);
    const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS), user = GetGuiResources(process, GR_USEROBJECTS);
    const long long live = ui::gdi_tally().live();  // Wine reports no counts of its own
    for (int i = 0; i < 20; ++i) {
        auto* tiny = m.Add<ui::CheckBox>(10, 10, 0, 0, std::string(10000, 'x'));
        auto* radio = m.Add<ui::RadioButton>(10, 40, 60, 20, "a||b||c||d");
        auto* bar = m.Add<ui::StatusBar>(0, 0, 0, 0);
        auto* group = m.Add<ui::GroupBox>(10, 80, 0, 0, "Group");
        (new skin::TSkinCheckBox(tiny))->AttachControl(form, data, true);
        (new skin::TSkinRadioButton(radio))->AttachControl(form, data, true);
        (new skin::TSkinStatusBar(bar))->AttachControl(form, data, true);
        (new skin::TSkinGroupBox(group))->AttachControl(form, data, true);
        for (ui::WinControl* c : std::initializer_list<ui::WinControl*>{tiny, radio, bar, group})
            RedrawWindow(c->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        SendMessageW(radio->handle(), skin::kMsgSkinSwitch, static_cast<WPARAM>(-5), 0);
        SendMessageW(radio->handle(), skin::kMsgSkinSwitch, 7, 0);
        delete tiny;
        delete radio;
        delete bar;
        delete group;
    }
    window_test::pump(50);
    EXPECT_LE(GetGuiResources(process, GR_GDIOBJECTS), gdi + 4);
    EXPECT_LE(GetGuiResources(process, GR_USEROBJECTS), user + 4);
    EXPECT_LE(ui::gdi_tally().live(), live);
    EXPECT_TRUE(window_test::errors().empty());
}

// Every kind in its states in both own skins, for review.
TEST_F(SkinnedKinds, PicturesInBothSkins) {
    for (const char* path : {kDefaultSkin, kContrastSkin}) {
        const std::string name = path == kDefaultSkin ? "default" : "contrast";
        TSkinData* data = nullptr;
        Main m(data, owner_.get(), path);
        ASSERT_TRUE(WaitSkinned(m.w.handle()));
        TWinSkinForm* form = SkinOf(m.w.handle());
        form->ReleaseControlSkins();
        const char* labels[] = {"Unchecked", "Checked", "Grayed", "Disabled", "Disabled on", "Focused"};
        for (int i = 0; i < 6; ++i) {
            auto* c = m.Add<ui::CheckBox>(10, 10 + 24 * i, 130, 20, labels[i]);
            c->set_allow_grayed(true);
            c->set_state(i == 1 || i == 4 ? ui::TCheckBoxState::cbChecked
                                          : i == 2 ? ui::TCheckBoxState::cbGrayed : ui::TCheckBoxState::cbUnchecked);
            c->set_enabled(i != 3 && i != 4);
            if (i == 5) c->set_alignment(ui::TLeftRight::taLeftJustify);
            (new skin::TSkinCheckBox(c))->AttachControl(form, data, true);
            if (i == 5) SetFocus(c->handle());
            auto* r = m.Add<ui::RadioButton>(150, 10 + 24 * i, 130, 20, labels[i]);
            if (i == 4) {
                // A group of its own, so that it stays checked beside the checked one above.
                auto* own = m.Add<ui::Panel>(150, 10 + 24 * i, 130, 20);
                own->set_bevel_outer(ui::TBevelCut::bvNone);
                (new skin::TSkinBox(own))->AttachControl(form, data, true);
                r->set_parent(own);
                r->set_bounds(0, 0, 130, 20);
            }
            r->set_enabled(i != 3 && i != 4);
            if (i == 1 || i == 4) r->set_checked(true);
            (new skin::TSkinRadioButton(r))->AttachControl(form, data, true);
        }
        auto* group = m.Add<ui::GroupBox>(300, 10, 240, 100, "Group box");
        (new skin::TSkinGroupBox(group))->AttachControl(form, data, true);
        auto* panel = m.Add<ui::Panel>(300, 120, 240, 60, "Panel");
        (new skin::TSkinBox(panel))->AttachControl(form, data, true);
        auto* bar = m.Add<ui::StatusBar>(0, 0, 10, 22);
        bar->set_align(ui::TAlign::alBottom);
        for (const char* text : {"Lowered", "Raised", "None"}) bar->panels().add_item()->set_text(text);
        bar->panels().at(1)->set_bevel(ui::TStatusPanelBevel::pbRaised);
        bar->panels().at(2)->set_bevel(ui::TStatusPanelBevel::pbNone);
        bar->panels().at(1)->set_alignment(ui::TAlignment::taCenter);
        for (int i = 0; i < 3; ++i) bar->panels().at(i)->set_width(140);
        (new skin::TSkinStatusBar(bar))->AttachControl(form, data, true);
        window_test::pump(50);
        EXPECT_TRUE(window_test::save_screenshot(m.w.handle(), "skinned_kinds", "all_" + name));
    }
}

} // namespace
