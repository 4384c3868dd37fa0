// Skins of edits, combo boxes, date-time pickers and up-down controls on live windows: the
// edit's rings and its spin child, the combo's button on either side, its hot button and
// dropped state, the up-down faces per state, the date arrow opening the calendar, a
// control-set picker under the combo skin, a switch to the contrast skin, and pictures of a
// form with all of them in both of the programs' own skins.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "controls/ec_dtp.h"
#include "platform/ui/win/comctl_controls.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/std_controls.h"
#include "platform/ui/win/subclass.h"
#include "skin/entry_geometry.h"
#include "skin/win/entry_painters.h"
#include "skin/win/skin_attach.h"
#include "skin/win/skin_bitmaps.h"
#include "skin/win/skin_combo.h"
#include "skin/win/skin_combo_scroll.h"
#include "skin/win/skin_datetime.h"
#include "skin/win/skin_edit.h"
#include "skin/win/skin_scrolled.h"
#include "skin/win/skin_updown.h"
#include "tests/skin/win/skinned_fixture.h"
#include "tests/support/window_test/window_test.h"

namespace {

using namespace skinned_test;
using skin::TSkinData;
using skin::TWinSkinForm;

class SkinnedEntry : public SkinnedTest {};

// The screen over the window, so that a dropped list shows too.
void SaveScreen(HWND window, const std::string& name) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    window_test::pump(0);
    const RECT r = WindowRectOf(window);
    ui::Bitmap picture(r.right - r.left, r.bottom - r.top + 120);
    HDC screen = GetDC(nullptr);
    BitBlt(picture.dc(), 0, 0, picture.width(), picture.height(), screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    window_test::save_picture(picture, "skinned_entry", name);
}

std::uint32_t Pixel(ui::TColor c) { return skin::PixelFromColor(c); }

struct Main {
    explicit Main(const std::string& caption = "Skinned entry") : w(caption, 560, 330) {}
    template <class C>
    C* Add(int x, int y, int width, int height) {
        auto* c = new C(w.form.get());
        c->set_parent(w.form.get());
        c->set_bounds(x, y, width, height);
        return c;
    }
    // The skin component loaded after the controls were placed, so that the rules skin them.
    TSkinData* Skin(ui::Component* owner, const char* path) {
        TSkinData* data = LoadedData(owner, path);
        Activate(w.handle());
        return data;
    }
    MainWindow w;
};

template <class S>
S* SkinOfControl(TWinSkinForm* form, ui::Control* c) {
    return dynamic_cast<S*>(form->FindControlSkin(c));
}

TEST_F(SkinnedEntry, EditRingsBorderlessAndThePrintedBorder) {
    Main m;
    auto* edit = m.Add<ui::Edit>(10, 10, 120, 24);
    auto* flat = m.Add<ui::Edit>(10, 50, 120, 24);
    flat->set_border_style(ui::TBorderStyle::bsNone);
    TSkinData* data = m.Skin(owner_.get(), kDefaultSkin);
    ASSERT_TRUE(WaitSkinned(m.w.handle()));
    TWinSkinForm* form = SkinOf(m.w.handle());
    auto* skin = SkinOfControl<skin::TSkinEdit>(form, edit);
    auto* flat_skin = SkinOfControl<skin::TSkinEdit>(form, flat);
    ASSERT_NE(skin, nullptr);
    ASSERT_NE(flat_skin, nullptr);
    const std::uint32_t shadow = Pixel(data->Skin()->colours[skin::kButtonShadow]), white = 0x00FFFFFF;

    // Painted into a memory bitmap over a known ground: the shadow line and two white rings;
    // the edit without a border gets nothing.
    const RECT r = WindowRectOf(edit->handle());
    const int w = r.right - r.left, h = r.bottom - r.top;
    for (skin::TSkinEdit* s : {skin, flat_skin}) {
        ui::Bitmap target(w, h);
        skin::FillColorRect(target.dc(), {0, 0, w, h}, ui::clLime);
        s->PaintSkinWindow(target.dc());
        const skin::Image32 got = skin::ImageFromBitmap(target);
        const std::uint32_t lime = Pixel(ui::clLime);
        if (s == skin) {
            for (const auto& [x, y, want] : std::vector<std::tuple<int, int, std::uint32_t>>{
                     {0, 0, shadow}, {w - 1, h - 1, shadow}, {1, 1, white}, {2, 2, white}, {w / 2, 2, white},
                     {3, 3, lime}, {w - 3, h / 2, white}, {w - 4, h / 2, lime}})
                EXPECT_EQ(got.at(x, y), want) << x << "," << y;
        } else {
            EXPECT_EQ(got.at(0, 0), lime);
            EXPECT_EQ(got.at(1, 1), lime);
        }
    }
    // The live window shows the same border.
    const skin::Image32 shown = Capture(edit->handle());
    EXPECT_EQ(shown.at(0, 0), shadow);
    EXPECT_EQ(shown.at(1, 1), white);

    // WM_PRINTCLIENT: the thin border with the device context's brush inside the shadow line.
    ui::Bitmap printed(w, h);
    const ui::GdiObject<HBRUSH> brush(CreateSolidBrush(RGB(0, 0, 255)));
    const HGDIOBJ old = SelectObject(printed.dc(), brush.get());
    SendMessageW(edit->handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.dc()), PRF_CLIENT);
    SelectObject(printed.dc(), old);
    const skin::Image32 p = skin::ImageFromBitmap(printed);
    EXPECT_EQ(p.at(0, 0), shadow);
    EXPECT_EQ(p.at(1, h / 2), 0x000000FFu);

    // The paint-into message answers its magic and has the edit paint into the given DC.
    ui::Bitmap into(w, h);
    EXPECT_EQ(SendMessageW(edit->handle(), skin::kMsgPaintClientInto, reinterpret_cast<WPARAM>(into.dc()), skin::kSkinMagic),
              skin::kSkinMagic);
    EXPECT_EQ(SendMessageW(edit->handle(), skin::kMsgPaintClientInto, 0, skin::kSkinMagic), skin::kSkinMagic);
    window_test::save_screenshot(m.w.handle(), "skinned_entry", "edits");
}

TEST_F(SkinnedEntry, AnEditsSpinChildIsSkinnedEmbedded) {
    for (const bool with_spin : {true, false}) {
        SCOPED_TRACE(with_spin);
        Main m;
        auto* picker = m.Add<ui::DateTimePicker>(10, 10, 140, 24);
        picker->set_date_mode(ui::TDTDateMode::dmUpDown);
        auto* data = new skin::TSkinData(owner_.get());
        if (!with_spin) {
            auto controls = data->SkinControls();
            controls.exclude(skin::TSkinControlType::xcSpin);
            data->SetSkinControls(controls);
        }
        data->SetActive(true);
        data->SetStoredArchive(ReadStored(kDefaultSkin));
        static_cast<ui::Component*>(data)->loaded();
        Activate(m.w.handle());
        ASSERT_TRUE(WaitSkinned(m.w.handle()));
        TWinSkinForm* form = SkinOf(m.w.handle());
        auto* skin = SkinOfControl<skin::TSkinEdit>(form, picker);
        ASSERT_NE(skin, nullptr);
        HWND spin = FindWindowExW(picker->handle(), nullptr, UPDOWN_CLASSW, nullptr);
        ASSERT_NE(spin, nullptr);
        const skin::Image32 shown = Capture(picker->handle());
        if (!with_spin) {
            EXPECT_EQ(skin->spin(), nullptr);
            EXPECT_EQ(form->FindWindowSkin(spin), nullptr);
            continue;
        }
        ASSERT_NE(skin->spin(), nullptr);
        EXPECT_TRUE(skin->spin()->embedded());
        EXPECT_EQ(form->FindWindowSkin(spin), skin->spin());
        // The drawing keeps 3 pixels from the edit's edges: where the spin is closer, the
        // rows and columns left out show the white ground.
        const RECT s = WindowRectOf(spin), e = WindowRectOf(picker->handle());
        const skin::Rect rel{s.left - e.left, s.top - e.top, s.right - e.left, s.bottom - e.top};
        const skin::Rect drawn = skin::EmbeddedSpinRect(rel, e.right - e.left, e.bottom - e.top);
        EXPECT_EQ(skin->spin()->drawn(), drawn);
        const skin::Image32 spin_shown = Capture(spin);
        if (drawn.right < rel.width()) {
            EXPECT_EQ(spin_shown.at(rel.width() - 1, rel.height() / 2), 0x00FFFFFFu);
        }
        if (drawn.top > 0) {
            EXPECT_EQ(spin_shown.at(rel.width() / 2, 0), 0x00FFFFFFu);
        }
        EXPECT_NE(spin_shown.at(drawn.left + 1, drawn.top + 1), 0x00FFFFFFu);
        window_test::save_screenshot(m.w.handle(), "skinned_entry", "picker_spin");
        (void)shown;
    }
}

// The whole half as the strip frame and its centred glyph compose it, when the half is the
// frame's size.
void ExpectHalf(const skin::Image32& shown, const skin::SpinHalf& half, const skin::TDataSkinBorder& element) {
    const int fw = element.bitmap.width() / 8, fh = element.bitmap.height();
    ASSERT_EQ(half.rect.width(), fw);
    ASSERT_EQ(half.rect.height(), fh);
    const int gw = element.bitmap2.width() / 8, gh = element.bitmap2.height();
    const int gx = (fw - gw) / 2, gy = (fh - gh) / 2;
    for (int y = 0; y < fh; ++y)
        for (int x = 0; x < fw; ++x) {
            std::uint32_t want = element.bitmap.at((half.frame - 1) * fw + x, y);
            if (x >= gx && x < gx + gw && y >= gy && y < gy + gh) {
                const std::uint32_t g = element.bitmap2.at((half.frame - 1) * gw + x - gx, y - gy);
                if (g != skin::kKeyPixel) want = g;
            }
            if (want == skin::kKeyPixel) continue;
            if (shown.at(half.rect.left + x, half.rect.top + y) != want) {
                ADD_FAILURE() << "frame " << half.frame << " differs at " << x << "," << y;
                return;
            }
        }
}

TEST_F(SkinnedEntry, UpDownShowsTheFrameOfEachHalfsState) {
    Main m;
    TSkinData* data = m.Skin(owner_.get(), kDefaultSkin);
    ASSERT_TRUE(WaitSkinned(m.w.handle()));
    TWinSkinForm* form = SkinOf(m.w.handle());
    const skin::TDataSkinBorder& vert = *data->Skin()->up_down_vert;
    const int fw = vert.bitmap.width() / 8, fh = vert.bitmap.height();
    auto* spin = m.Add<ui::UpDown>(40, 40, fw, 2 * fh);
    auto* skin = new skin::TSkinUpDown(spin);
    skin->AttachControl(form, data, false);
    ASSERT_TRUE(skin->attached());
    HWND h = spin->handle();
    auto centre_of = [&](int half) {
        const RECT r = WindowRectOf(h);
        return POINT{r.left + fw / 2, r.top + (half == 0 ? fh / 2 : fh + fh / 2)};
    };
    auto move_to = [&](int half) {
        const POINT p = half < 0 ? POINT{5, 5} : centre_of(half);
        SetCursorPos(p.x, p.y);
        if (half < 0) return;  // no move reaches the control
        POINT c{p.x, p.y};
        ScreenToClient(h, &c);
        SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(c.x, c.y));
    };
    struct Case {
        const char* name;
        const char* file;
        int cursor;  // the half under the cursor, -1 away
        bool press, enabled;
        int up, down;  // frames of the vertical strip
    };
    const Case cases[] = {
        {"normal", "normal", -1, false, true, 1, 5},
        {"hot up", "hot_up", 0, false, true, 4, 5},
        {"hot down", "hot_down", 1, false, true, 1, 8},
        {"pressed up", "pressed_up", 0, true, true, 2, 5},
        {"pressed down", "pressed_down", 1, true, true, 1, 6},
        {"disabled", "disabled", -1, false, false, 3, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        spin->set_enabled(c.enabled);
        SendMessageW(h, WM_MOUSELEAVE, 0, 0);
        move_to(c.cursor);
        if (c.press) {
            POINT p = centre_of(c.cursor);
            ScreenToClient(h, &p);
            SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
            EXPECT_TRUE(skin->pressed());
        }
        const skin::Image32 shown = Capture(h);
        EXPECT_EQ(skin->halves()[0].frame, c.up);
        EXPECT_EQ(skin->halves()[1].frame, c.down);
        ExpectHalf(shown, skin->halves()[0], vert);
        ExpectHalf(shown, skin->halves()[1], vert);
        window_test::save_screenshot(m.w.handle(), "skinned_entry", std::string("updown_") + c.file);
        if (c.press) {
            SendMessageW(h, WM_LBUTTONUP, 0, 0);
            EXPECT_FALSE(skin->pressed());
        }
    }
    SetCursorPos(5, 5);
}

TEST_F(SkinnedEntry, ComboButtonOnEitherSideAndOnlyTheButtonGetsHot) {
    Main m;
    auto* right = m.Add<ui::ComboBox>(10, 10, 150, 24);
    auto* left = m.Add<ui::ComboBox>(10, 60, 150, 24);
    for (auto* c : {right, left}) c->items().add("First"), c->items().add("Second");
    left->handle_needed();
    SetWindowLongPtrW(left->handle(), GWL_EXSTYLE, GetWindowLongPtrW(left->handle(), GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
    TSkinData* data = m.Skin(owner_.get(), kDefaultSkin);
    ASSERT_TRUE(WaitSkinned(m.w.handle()));
    TWinSkinForm* form = SkinOf(m.w.handle());
    const int cx = GetSystemMetrics(SM_CXHSCROLL);
    for (auto* c : {right, left}) {
        const bool on_left = c == left;
        SCOPED_TRACE(on_left ? "left" : "right");
        auto* skin = SkinOfControl<skin::TSkinComBox>(form, c);
        ASSERT_NE(skin, nullptr);
        EXPECT_TRUE(skin->has_combo_info());
        // The edit child is followed, whatever kind of window the combo is.
        ASSERT_NE(skin->edit_child(), nullptr);
        EXPECT_EQ(skin->edit_child(), c->edit_handle());
        const auto layers = ui::WindowSubclass::layers(skin->edit_child());
        EXPECT_NE(std::find(layers.begin(), layers.end(), skin::TSkinControl::kLayerName), layers.end());

        const skin::Image32 shown = Capture(c->handle());
        const skin::Rect whole{0, 0, shown.width(), shown.height()};
        const skin::Rect button = skin::LayOutCombo(whole, cx, on_left).button;
        EXPECT_EQ(skin->button_rect(), button);
        // Where the skin's look paints (the same look painted over a black and a white ground
        // agrees), the combo shows it: the whole frame from the skin's pictures, mirrored on the
        // left.
        const skin::SkinDescription& sk = *data->Skin();
        ui::Bitmap strip, mirrored, sunk;
        skin::AssignImage(strip, sk.combo_button->bitmap);
        skin::AssignImage(mirrored, sk.combo_button->bitmap2);
        skin::AssignImage(sunk, sk.sunk_edge->bitmap);
        skin::ComboPaint p;
        p.look = sk.combo_button->style;
        p.left = on_left;
        p.index = skin->FrameIndex();
        p.cx = cx;
        p.button = {&*sk.combo_button, &strip};
        p.button_mirrored = &mirrored;
        p.sunk = {&*sk.sunk_edge, &sunk};
        skin::Image32 grounds[2];
        for (int g = 0; g < 2; ++g) {
            ui::Bitmap reference(shown.width(), shown.height());
            skin::FillColorRect(reference.dc(), whole, g ? ui::clWhite : ui::clBlack);
            skin::PaintCombo(reference.dc(), whole, p);
            grounds[g] = skin::ImageFromBitmap(reference);
        }
        int compared = 0, differing = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                if (grounds[0].at(x, y) != grounds[1].at(x, y)) continue;
                ++compared;
                if (shown.at(x, y) != grounds[0].at(x, y)) ++differing;
            }
        EXPECT_GT(compared, shown.width() * 2);
        EXPECT_EQ(differing, 0);

        // Over the edit part the combo stays cold; over the button it gets hot, and leaving
        // the button cools it again.
        SendMessageW(c->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(whole.width() / 2, whole.height() / 2));
        EXPECT_FALSE(skin->hot());
        SendMessageW(c->handle(), WM_MOUSEMOVE, 0, MAKELPARAM((button.left + button.right) / 2, whole.height() / 2));
        EXPECT_TRUE(skin->hot());
        SetFocus(m.w.handle());
        EXPECT_EQ(skin->FrameIndex(), 4);
        SendMessageW(c->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(whole.width() / 2, whole.height() / 2));
        EXPECT_FALSE(skin->hot());
        EXPECT_EQ(skin->FrameIndex(), 1);
    }
    window_test::save_screenshot(m.w.handle(), "skinned_entry", "combo_sides");
}

TEST_F(SkinnedEntry, DropDownAndCloseUpSetAndClearTheDroppedState) {
    Main m;
    auto* combo = m.Add<ui::ComboBox>(10, 10, 150, 24);
    for (const char* t : {"One", "Two", "Three"}) combo->items().add(t);
    m.Skin(owner_.get(), kDefaultSkin);
    ASSERT_TRUE(WaitSkinned(m.w.handle()));
    auto* skin = SkinOfControl<skin::TSkinComBox>(SkinOf(m.w.handle()), combo);
    ASSERT_NE(skin, nullptr);
    EXPECT_NE(skin->list_window(), nullptr);
    EXPECT_FALSE(skin->dropped());
    for (int cycle = 0; cycle < 2; ++cycle) {
        combo->set_dropped_down(true);
        EXPECT_TRUE(window_test::pump_until([&] { return skin->dropped(); }, 3000));
        combo->set_dropped_down(false);
        EXPECT_TRUE(window_test::pump_until([&] { return !skin->dropped(); }, 3000));
    }
}

// The combo's lists take the scroll-bar skins: the drop-down list its bar painted in its frame,
// the list of a simple combo the panels of a bare window; both go with the combo's skin.
TEST_F(SkinnedEntry, ComboListsGetTheirScrollBarSkins) {
    Main m;
    auto* drop = m.Add<ui::ComboBox>(10, 10, 150, 24);
    auto* simple = m.Add<ui::ComboBox>(200, 10, 150, 90);
    simple->set_style(ui::TComboBoxStyle::csSimple);
    for (auto* c : {drop, simple})
        for (int i = 0; i < 30; ++i) c->items().add("Item " + std::to_string(i));
    m.Skin(owner_.get(), kDefaultSkin);
    ASSERT_TRUE(WaitSkinned(m.w.handle()));
    TWinSkinForm* form = SkinOf(m.w.handle());
    struct Case {
        ui::ComboBox* combo;
        bool drop_down;
    };
    for (const Case& c : {Case{drop, true}, Case{simple, false}}) {
        SCOPED_TRACE(c.drop_down ? "drop-down" : "simple");
        auto* skin = SkinOfControl<skin::TSkinComBox>(form, c.combo);
        ASSERT_NE(skin, nullptr);
        skin::TSkinControl* list_skin = skin->list_skin();
        ASSERT_NE(list_skin, nullptr);
        EXPECT_EQ(list_skin->window(), skin->list_window());
        if (c.drop_down) EXPECT_NE(dynamic_cast<skin::TComboxScrollBar*>(list_skin), nullptr);
        else EXPECT_NE(dynamic_cast<skin::TSkinScrollbarH*>(list_skin), nullptr);
    }
    drop->set_dropped_down(true);
    ASSERT_TRUE(window_test::pump_until([&] { return drop->dropped_down(); }, 3000));
    SaveScreen(m.w.handle(), "combo_lists_skinned");
    // The list as it opened shows the bar as the skin paints it.
    HWND list = SkinOfControl<skin::TSkinComBox>(form, drop)->list_window();
    auto grab = [list] {
        window_test::pump(0);
        const RECT r = WindowRectOf(list);
        ui::Bitmap picture(r.right - r.left, r.bottom - r.top);
        HDC dc = GetWindowDC(list);
        BitBlt(picture.dc(), 0, 0, picture.width(), picture.height(), dc, 0, 0, SRCCOPY);
        ReleaseDC(list, dc);
        return skin::ImageFromBitmap(picture);
    };
    const skin::Image32 shown = grab();
    auto* bar = dynamic_cast<skin::TComboxScrollBar*>(SkinOfControl<skin::TSkinComBox>(form, drop)->list_skin());
    ASSERT_NE(bar, nullptr);
    bar->PaintBar();
    EXPECT_TRUE(grab() == shown);
    drop->set_dropped_down(false);
    ASSERT_TRUE(window_test::pump_until([&] { return !drop->dropped_down(); }, 3000));
    for (ui::ComboBox* combo : {drop, simple}) {
        auto* skin = SkinOfControl<skin::TSkinComBox>(form, combo);
        skin->Unskin();
        EXPECT_EQ(skin->list_skin(), nullptr);
    }
}

TEST_F(SkinnedEntry, TheDateArrowOpensTheCalendarAndLeavesTheFocusInThePicker) {
    Main m;
    auto* picker = m.Add<ui::DateTimePicker>(10, 10, 160, 24);
    auto* other = m.Add<ui::Edit>(10, 60, 100, 24);
    m.Skin(owner_.get(), kDefaultSkin);
    ASSERT_TRUE(WaitSkinned(m.w.handle()));
    auto* skin = SkinOfControl<skin::TSkinDateTime>(SkinOf(m.w.handle()), picker);
    ASSERT_NE(skin, nullptr);
    skin::TArrowButton* arrow = skin->arrow();
    ASSERT_NE(arrow, nullptr);
    EXPECT_FALSE(arrow->tab_stop());
    const RECT r = WindowRectOf(picker->handle());
    EXPECT_EQ((skin::Rect{arrow->left(), arrow->top(), arrow->left() + arrow->width(), arrow->top() + arrow->height()}),
              skin::DateArrowButtonRect(r.right - r.left, r.bottom - r.top, GetSystemMetrics(SM_CXHSCROLL), false));
    EXPECT_EQ(GetParent(arrow->handle()), picker->handle());
    EXPECT_TRUE(GetWindowLongPtrW(picker->handle(), GWL_STYLE) & WS_CLIPCHILDREN);
    window_test::save_screenshot(m.w.handle(), "skinned_entry", "date_arrow");

    SetFocus(other->handle());
    const LPARAM at = MAKELPARAM(arrow->width() / 2, arrow->height() / 2);
    SendMessageW(arrow->handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(arrow->handle(), WM_LBUTTONUP, 0, at);
    // The system's calendar may exist while hidden; it is open once it shows.
    auto calendar_shown = [&] {
        HWND cal = picker->calendar_handle();
        return cal && IsWindowVisible(cal);
    };
    ASSERT_TRUE(window_test::pump_until(calendar_shown, 3000));
    // The focus stays with the picker and its calendar (which this system's picker gives the
    // keyboard while it shows), never on the drawn button or where it was before.
    HWND focus = GetFocus();
    EXPECT_TRUE(focus == picker->handle() || focus == picker->calendar_handle());
    EXPECT_NE(focus, arrow->handle());
    EXPECT_NE(focus, other->handle());
    SaveScreen(m.w.handle(), "date_calendar_open");
    // A second press on the arrow closes it again.
    SendMessageW(arrow->handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(arrow->handle(), WM_LBUTTONUP, 0, at);
    EXPECT_TRUE(window_test::pump_until([&] { return !calendar_shown(); }, 3000));
}

TEST_F(SkinnedEntry, AControlSetTimePickerPaintsUnderTheComboSkin) {
    Main m;
    auto* picker = m.Add<ec::TEcDateTimePicker>(10, 10, 160, 24);
    picker->set_kind(ui::TDateTimeKind::dtkTime);
    auto* updown = m.Add<ec::TEcDateTimePicker>(10, 50, 160, 24);
    updown->set_date_mode(ui::TDTDateMode::dmUpDown);
    m.Skin(owner_.get(), kDefaultSkin);
    ASSERT_TRUE(WaitSkinned(m.w.handle()));
    for (auto* p : {picker, updown}) {
        auto* skin = SkinOfControl<skin::TSkinComBox>(SkinOf(m.w.handle()), p);
        ASSERT_NE(skin, nullptr);
        Capture(p->handle());
        // The system gives no combo information for a picker: no list, no edit child, and the
        // picture still composes.
        EXPECT_FALSE(skin->has_combo_info());
        EXPECT_EQ(skin->list_window(), nullptr);
        EXPECT_EQ(skin->edit_child(), nullptr);
        EXPECT_GT(skin->button_rect().width(), 0);
    }
    window_test::save_screenshot(m.w.handle(), "skinned_entry", "control_set_pickers");
}

TEST_F(SkinnedEntry, SwitchingToTheContrastSkinRepaintsEditsAndCombos) {
    Main m;
    auto* edit = m.Add<ui::Edit>(10, 10, 120, 24);
    auto* combo = m.Add<ui::ComboBox>(10, 50, 150, 24);
    TSkinData* data = m.Skin(owner_.get(), kDefaultSkin);
    ASSERT_TRUE(WaitSkinned(m.w.handle()));
    const std::uint32_t default_shadow = Pixel(data->Skin()->colours[skin::kButtonShadow]);
    EXPECT_EQ(Capture(edit->handle()).at(0, 0), default_shadow);
    const skin::Image32 combo_before = Capture(combo->handle());
    data->SetStoredArchive(ReadStored(kContrastSkin));
    ASSERT_TRUE(WaitSkinned(m.w.handle()));
    const std::uint32_t contrast_shadow = Pixel(data->Skin()->colours[skin::kButtonShadow]);
    ASSERT_NE(contrast_shadow, default_shadow);
    EXPECT_TRUE(window_test::pump_until([&] { return Capture(edit->handle()).at(0, 0) == contrast_shadow; }, 3000));
    const skin::Image32 combo_after = Capture(combo->handle());
    const int bx = combo_after.width() - 4, by = combo_after.height() / 2;
    EXPECT_NE(combo_after.at(bx, by), combo_before.at(bx, by));
    EXPECT_NE(SkinOfControl<skin::TSkinComBox>(SkinOf(m.w.handle()), combo), nullptr);
}

TEST_F(SkinnedEntry, PicturesOfAFormInBothOwnSkins) {
    for (const char* path : {kDefaultSkin, kContrastSkin}) {
        const std::string name = path == kDefaultSkin ? "default" : "contrast";
        Main m("Text entry");
        auto* memo = m.Add<ui::Memo>(10, 10, 160, 80);
        memo->set_text("A memo\r\nof two lines");
        auto* edit = m.Add<ui::Edit>(10, 100, 160, 24);
        edit->set_text("An edit");
        auto* flat = m.Add<ui::Edit>(10, 130, 160, 24);
        flat->set_border_style(ui::TBorderStyle::bsNone);
        flat->set_text("Without a border");
        auto* drop = m.Add<ui::ComboBox>(190, 10, 160, 24);
        auto* list = m.Add<ui::ComboBox>(190, 50, 160, 24);
        list->set_style(ui::TComboBoxStyle::csDropDownList);
        auto* simple = m.Add<ui::ComboBox>(190, 90, 160, 90);
        simple->set_style(ui::TComboBoxStyle::csSimple);
        for (auto* c : {drop, list, simple})
            for (const char* t : {"Alpha", "Beta", "Gamma", "Delta"}) c->items().add(t);
        list->set_item_index(1);
        auto* date = m.Add<ui::DateTimePicker>(370, 10, 170, 24);
        auto* time = m.Add<ui::DateTimePicker>(370, 50, 170, 24);
        time->set_kind(ui::TDateTimeKind::dtkTime);
        auto* ec_date = m.Add<ec::TEcDateTimePicker>(370, 90, 170, 24);
        auto* spin = m.Add<ui::UpDown>(370, 130, 20, 40);
        auto* across = m.Add<ui::UpDown>(400, 140, 40, 20);
        across->set_orientation(ui::TUDOrientation::udHorizontal);
        m.Skin(owner_.get(), path);
        ASSERT_TRUE(WaitSkinned(m.w.handle()));
        TWinSkinForm* form = SkinOf(m.w.handle());
        EXPECT_NE(SkinOfControl<skin::TSkinEdit>(form, edit), nullptr);
        EXPECT_NE(SkinOfControl<skin::TSkinComBox>(form, drop), nullptr);
        EXPECT_NE(SkinOfControl<skin::TSkinComBox>(form, simple), nullptr);
        EXPECT_NE(SkinOfControl<skin::TSkinDateTime>(form, date), nullptr);
        EXPECT_NE(SkinOfControl<skin::TSkinEdit>(form, time), nullptr);
        EXPECT_NE(SkinOfControl<skin::TSkinComBox>(form, ec_date), nullptr);
        EXPECT_NE(SkinOfControl<skin::TSkinUpDown>(form, spin), nullptr);
        EXPECT_NE(SkinOfControl<skin::TSkinUpDown>(form, across), nullptr);
        window_test::save_screenshot(m.w.handle(), "skinned_entry", "form_" + name);
        drop->set_dropped_down(true);
        ASSERT_TRUE(window_test::pump_until([&] { return drop->dropped_down(); }, 3000));
        SaveScreen(m.w.handle(), "form_dropped_" + name);
        drop->set_dropped_down(false);
        window_test::pump_until([&] { return !drop->dropped_down(); }, 3000);
    }
}

// Windows without a control, as in a system dialog: an edit and combos of the system classes
// get their skins by window class; a drop-down list has no edit child; the edit child is given
// back on unskinning, and destroyed windows leave dead skins that the window's skin drops.
TEST_F(SkinnedEntry, BareWindowsOfTheSystemClasses) {
    Main m;
    m.Skin(owner_.get(), kDefaultSkin);
    ASSERT_TRUE(WaitSkinned(m.w.handle()));
    TWinSkinForm* form = SkinOf(m.w.handle());
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"bare", WS_CHILD | WS_VISIBLE, 10, 10, 120, 24, m.w.handle(),
                                nullptr, instance, nullptr);
    HWND drop = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 10, 50, 150, 120, m.w.handle(),
                                nullptr, instance, nullptr);
    HWND list = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 90, 150, 120,
                                m.w.handle(), nullptr, instance, nullptr);
    for (HWND h : {edit, drop, list}) skin::SkinChildWindow(*form, h);
    auto* edit_skin = dynamic_cast<skin::TSkinEdit*>(form->FindWindowSkin(edit));
    auto* drop_skin = dynamic_cast<skin::TSkinComBox*>(form->FindWindowSkin(drop));
    auto* list_skin = dynamic_cast<skin::TSkinComBox*>(form->FindWindowSkin(list));
    ASSERT_NE(edit_skin, nullptr);
    ASSERT_NE(drop_skin, nullptr);
    ASSERT_NE(list_skin, nullptr);
    const std::uint32_t shadow = Pixel(form->data()->Skin()->colours[skin::kButtonShadow]);
    EXPECT_EQ(Capture(edit).at(0, 0), shadow);
    Capture(drop);
    Capture(list);
    EXPECT_NE(drop_skin->edit_child(), nullptr);
    EXPECT_EQ(list_skin->edit_child(), nullptr);
    EXPECT_GT(list_skin->button_rect().width(), 0);
    window_test::save_screenshot(m.w.handle(), "skinned_entry", "bare_windows");

    HWND child = drop_skin->edit_child();
    drop_skin->Unskin();
    const auto layers = ui::WindowSubclass::layers(child);
    EXPECT_EQ(std::find(layers.begin(), layers.end(), skin::TSkinControl::kLayerName), layers.end());
    for (HWND h : {edit, drop, list}) DestroyWindow(h);
    EXPECT_TRUE(edit_skin->dead() && list_skin->dead());
    form->DropDeadControlSkins();
    EXPECT_EQ(form->FindWindowSkin(edit), nullptr);
    EXPECT_EQ(form->FindWindowSkin(list), nullptr);
}

} // namespace
