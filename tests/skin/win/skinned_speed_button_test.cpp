// The speed button's skin on a windowless button: attached by the class table, the face of each
// state drawn into the paint its parent gives it, one click per press with the mouse, and the
// button's own paint back once the skin goes; pictures in both of the programs' own skins.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/ui/win/control.h"
#include "skin/button_faces.h"
#include "skin/win/skin_attach.h"
#include "skin/win/skin_bitmaps.h"
#include "skin/win/skin_frames.h"
#include "skin/win/skin_speed_button.h"
#include "tests/skin/win/skinned_fixture.h"
#include "tests/support/window_test/window_test.h"

namespace {

using namespace skinned_test;
using skin::Image32;
using skin::TSkinData;
using skin::TWinSkinForm;

// A speed button of another family: windowless, it publishes what the skin reads and paints
// itself green.
class TestSpeedButton : public ui::GraphicControl {
    UI_CLASS_IDENTITY()
public:
    using ui::GraphicControl::GraphicControl;
    bool down = false, flat = false;
    int clicks = 0;
    ui::Bitmap glyph;
    std::int64_t num_glyphs = 1;
    void click() override {
        ++clicks;
        ui::GraphicControl::click();
    }

protected:
    void paint(ui::Canvas& canvas) override {
        canvas.brush().color = ui::clLime;
        canvas.fill_rect({0, 0, width(), height()});
    }
};

ui::ClassInfo& TestSpeedButton::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TRxSpeedButton", &ui::GraphicControl::static_class());
        ui::PropBuilder<TestSpeedButton>(c)
            .string("Caption", [](const TestSpeedButton& b) { return b.text(); },
                    [](TestSpeedButton& b, const std::string& v) { b.set_text(v); })
            .boolean("Down", [](const TestSpeedButton& b) { return b.down; }, [](TestSpeedButton& b, bool v) { b.down = v; })
            .boolean("Flat", [](const TestSpeedButton& b) { return b.flat; }, [](TestSpeedButton& b, bool v) { b.flat = v; })
            .object("Glyph", ui::PropKind::Object, "TBitmap", [](TestSpeedButton& b) -> ui::Persistent* { return &b.glyph; })
            .integer("NumGlyphs", [](const TestSpeedButton& b) { return b.num_glyphs; },
                     [](TestSpeedButton& b, std::int64_t v) { b.num_glyphs = v; });
        return c;
    }();
    return info;
}

class SkinnedSpeedButton : public SkinnedTest {};

// The button as its parent paints it: WM_PAINT with a memory DC through its message entry.
Image32 Painted(ui::Control& button) {
    ui::Bitmap picture(button.width(), button.height());
    PatBlt(picture.dc(), 0, 0, button.width(), button.height(), BLACKNESS);
    button.perform(WM_PAINT, reinterpret_cast<WPARAM>(picture.dc()));
    return skin::ImageFromBitmap(picture);
}

TestSpeedButton* AddButton(ui::Form& parent, int x, const char* caption) {
    auto* b = new TestSpeedButton(&parent);
    b->set_parent(&parent);
    b->set_bounds(x, 10, 64, 26);
    b->set_caption(caption);
    return b;
}

TEST_F(SkinnedSpeedButton, FacesPerState) {
    for (const char* path : {kDefaultSkin, kContrastSkin}) {
        SCOPED_TRACE(path);
        const std::string skin_name = path == kDefaultSkin ? "default" : "contrast";
        TSkinData* data = LoadedData(owner_.get(), path);
        MainWindow w("Skinned speed buttons", 580, 60);
        Activate(w.handle());
        ASSERT_TRUE(WaitSkinned(w.handle()));
        TWinSkinForm* form = SkinOf(w.handle());
        form->ReleaseControlSkins();
        const skin::TDataSkinButton& buttons = *data->Skin()->buttons;
        ui::Bitmap strip;
        skin::AssignImage(strip, buttons.bitmap);

        struct Case {
            const char* name;
            bool hot, pressed, down, enabled, flat;
            int frame;
            bool face;
            bool glyph_property = false;  // the variant whose glyph is a named property
        };
        const Case cases[] = {
            {"normal", false, false, false, true, false, 1, true},   {"hot", true, false, false, true, false, 4, true},
            {"pressed", true, true, false, true, false, 2, true},    {"down", false, false, true, true, false, 2, true},
            {"disabled", false, false, false, false, false, 3, true}, {"flat_idle", false, false, false, true, true, 1, false},
            {"flat_hot", true, false, false, true, true, 4, true},
            // Painted as the bit button's variant: the face always, and Down is no state of it.
            {"var_flat", false, false, false, true, true, 1, true, true},
            {"var_down", false, false, true, true, false, 1, true, true},
        };
        int x = 4;
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            TestSpeedButton* b = AddButton(*w.form, x, c.name);
            x += 62;
            b->down = c.down, b->flat = c.flat;
            b->set_enabled(c.enabled);
            skin::SkinControl(*form, b, w.form.get());
            auto* s = dynamic_cast<skin::TSkinSpeedButton*>(form->FindControlSkin(b));
            ASSERT_NE(s, nullptr);
            if (c.glyph_property) s->set_glyph_property("Glyph");
            s->ShowFaceState(c.hot, c.pressed);
            EXPECT_EQ(s->FrameIndex(), c.frame);
            const Image32 shown = Painted(*b);
            const auto face = skin::StretchSkinFrame({0, 0, shown.width(), shown.height()}, strip,
                                                     {buttons.left_width, buttons.top_height, buttons.right_width,
                                                      buttons.bottom_height},
                                                     false, buttons.tile != 0, 5, c.frame);
            ASSERT_TRUE(face);
            const Image32 want = skin::ImageFromBitmap(*face);
            const std::uint32_t background = skin::PixelFromColor(skin::FaceColour(*s));
            const std::uint32_t see_through = skin::PixelFromColor(ui::clFuchsia);
            // The band of 3 pixels round the edge, where no caption reaches: the face's pixels, or
            // the background where the face is see-through or not shown.
            int wrong = 0, face_differs = 0;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x) {
                    if (x >= 3 && x < shown.width() - 3 && y >= 3 && y < shown.height() - 3) continue;
                    const std::uint32_t f = want.at(x, y);
                    const bool face_here = f != see_through || buttons.trans != 1;
                    const std::uint32_t expected = c.face && face_here ? f : background;
                    if (shown.at(x, y) != expected) ++wrong;
                    if (face_here && f != background) ++face_differs;
                }
            EXPECT_EQ(wrong, 0);
            // Where the face would show, it shows something else than the background.
            EXPECT_GT(face_differs, 0);
            // Never the button's own green.
            EXPECT_NE(shown.at(shown.width() / 2, shown.height() / 2), skin::PixelFromColor(ui::clLime));
        }
        w.form->show();
        window_test::pump(0);
        window_test::save_screenshot(w.handle(), "skinned_speed_button", skin_name);

    }
}

TEST_F(SkinnedSpeedButton, OneClickPerPressAndUnskinningGivesThePaintBack) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    MainWindow w("Skinned speed button clicks", 300, 60);
    Activate(w.handle());
    ASSERT_TRUE(WaitSkinned(w.handle()));
    TWinSkinForm* form = SkinOf(w.handle());
    form->ReleaseControlSkins();
    TestSpeedButton* b = AddButton(*w.form, 20, "Go");
    skin::SkinControl(*form, b, w.form.get());
    auto* s = dynamic_cast<skin::TSkinSpeedButton*>(form->FindControlSkin(b));
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(data->Skin()->buttons);
    HWND h = w.handle();
    const LPARAM over = MAKELPARAM(40, 20), away = MAKELPARAM(250, 50);
    for (int press = 1; press <= 3; ++press) {
        SCOPED_TRACE(press);
        SendMessageW(h, WM_MOUSEMOVE, 0, over);
        EXPECT_TRUE(s->hot());
        EXPECT_EQ(s->FrameIndex(), 4);
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, over);
        EXPECT_TRUE(s->pressed());
        EXPECT_EQ(s->FrameIndex(), 2);
        SendMessageW(h, WM_LBUTTONUP, 0, over);
        EXPECT_FALSE(s->pressed());
        EXPECT_EQ(b->clicks, press);
        SendMessageW(h, WM_MOUSEMOVE, 0, away);
        EXPECT_FALSE(s->hot());
    }
    // A press let go away from the button is no click.
    SendMessageW(h, WM_MOUSEMOVE, 0, over);
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, over);
    SendMessageW(h, WM_LBUTTONUP, 0, away);
    EXPECT_EQ(b->clicks, 3);
    EXPECT_FALSE(s->pressed());

    const std::uint32_t green = skin::PixelFromColor(ui::clLime);
    EXPECT_NE(Painted(*b).at(32, 13), green);
    s->Unskin();
    EXPECT_EQ(Painted(*b).at(32, 13), green);
    delete s;  // the filter goes with the skin
    EXPECT_EQ(form->FindControlSkin(b), nullptr);
    EXPECT_EQ(Painted(*b).at(32, 13), green);
    EXPECT_TRUE(b->window_proc.names().empty());
}

// The glyph frame of each state: 1 normal, 3 pressed, 2 disabled, 4 down; drawn where the
// bitmap button's layout puts it, its bottom-left colour left out.
TEST_F(SkinnedSpeedButton, GlyphFramePerState) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    MainWindow w("Skinned speed button glyphs", 300, 60);
    Activate(w.handle());
    ASSERT_TRUE(WaitSkinned(w.handle()));
    TWinSkinForm* form = SkinOf(w.handle());
    form->ReleaseControlSkins();
    ASSERT_TRUE(data->Skin()->buttons);
    TestSpeedButton* b = AddButton(*w.form, 20, "");
    // Four 8 x 8 frames over a row of the key colour.
    const COLORREF frames[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
    b->glyph.set_size(32, 9);
    for (int k = 0; k < 4; ++k) {
        const ui::GdiObject<HBRUSH> brush(CreateSolidBrush(frames[k]));
        RECT r{k * 8, 0, k * 8 + 8, 8};
        FillRect(b->glyph.dc(), &r, brush.get());
    }
    const ui::GdiObject<HBRUSH> key(CreateSolidBrush(RGB(128, 128, 0)));
    RECT bottom{0, 8, 32, 9};
    FillRect(b->glyph.dc(), &bottom, key.get());
    b->num_glyphs = 4;
    skin::SkinControl(*form, b, w.form.get());
    auto* s = dynamic_cast<skin::TSkinSpeedButton*>(form->FindControlSkin(b));
    ASSERT_NE(s, nullptr);
    const skin::BitButtonLayout at =
        skin::LayOutBitButton(b->width(), b->height(), 8, 9, 0, 0, skin::GlyphLayout::kLeft, -1, -1, false);
    struct Case {
        const char* name;
        bool pressed, down, enabled;
        int frame;
    };
    const Case cases[] = {
        {"normal", false, false, true, 1}, {"pressed", true, false, true, 3},
        {"disabled", false, false, false, 2}, {"down", false, true, true, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        b->down = c.down;
        b->set_enabled(c.enabled);
        s->ShowFaceState(false, c.pressed);
        const Image32 shown = Painted(*b);
        const COLORREF want = frames[c.frame - 1];
        EXPECT_EQ(shown.at(at.glyph_x + 4, at.glyph_y + 4), skin::PixelFromColor(static_cast<ui::TColor>(want)));
        // The key row is left out.
        EXPECT_NE(shown.at(at.glyph_x + 4, at.glyph_y + 8), skin::PixelFromColor(ui::TColor(RGB(128, 128, 0))));
    }
}

// A windowed control is no speed button: the skin does not attach to it.
TEST_F(SkinnedSpeedButton, NoAttachmentToAWindowedControl) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    MainWindow w("Skinned speed button kinds", 200, 60);
    auto* panel = new ui::WinControl(w.form.get());
    panel->set_parent(w.form.get());
    auto* s = new skin::TSkinSpeedButton(panel);
    s->AttachControl(nullptr, data, false);
    EXPECT_FALSE(s->attached());
}

} // namespace
