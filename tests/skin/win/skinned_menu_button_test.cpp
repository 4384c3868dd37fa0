// The menu button's skin on a live button: the face of each state, the drop-down arrow where
// the layout puts it, and pictures in both of the programs' own skins.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/ui/win/std_controls.h"
#include "skin/button_faces.h"
#include "skin/win/skin_bitmaps.h"
#include "skin/win/skin_frames.h"
#include "skin/win/skin_menu_button.h"
#include "tests/skin/win/skinned_fixture.h"
#include "tests/support/window_test/window_test.h"

namespace {

using namespace skinned_test;
using skin::Image32;
using skin::TSkinData;
using skin::TWinSkinForm;

class SkinnedMenuButton : public SkinnedTest {};

Image32 ClientPicture(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    window_test::pump(0);
    const SIZE size = ClientSize(window);
    ui::Bitmap picture(size.cx, size.cy);
    HDC dc = GetDC(window);
    BitBlt(picture.dc(), 0, 0, size.cx, size.cy, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    return skin::ImageFromBitmap(picture);
}

TEST_F(SkinnedMenuButton, FacesAndArrowPerState) {
    for (const char* path : {kDefaultSkin, kContrastSkin}) {
        SCOPED_TRACE(path);
        const std::string skin_name = path == kDefaultSkin ? "default" : "contrast";
        TSkinData* data = LoadedData(owner_.get(), path);
        MainWindow w("Skinned menu buttons", 360, 160);
        Activate(w.handle());
        ASSERT_TRUE(WaitSkinned(w.handle()));
        TWinSkinForm* form = SkinOf(w.handle());
        form->ReleaseControlSkins();
        auto* plain = new ui::Button(w.form.get());
        plain->set_parent(w.form.get());
        plain->set_bounds(10, 10, 60, 24);
        auto* captioned = new ui::Button(w.form.get());
        captioned->set_parent(w.form.get());
        captioned->set_bounds(90, 10, 120, 28);
        captioned->set_caption("Options");
        auto* other = new ui::Button(w.form.get());
        other->set_parent(w.form.get());
        other->set_bounds(230, 10, 80, 24);
        std::vector<skin::TSkinMenuButton*> skins;
        for (ui::Button* b : {plain, captioned}) {
            auto* s = new skin::TSkinMenuButton(b);
            s->AttachControl(form, data, true);
            ASSERT_TRUE(s->attached());
            skins.push_back(s);
        }
        const skin::TDataSkinButton& buttons = *data->Skin()->buttons;
        ui::Bitmap strip;
        skin::AssignImage(strip, buttons.bitmap);

        struct Case {
            const char* name;
            bool hot, pressed, focused, enabled;
            int frame;
        };
        const Case cases[] = {
            {"normal", false, false, false, true, 1}, {"hot", true, false, false, true, 4},
            {"pressed", true, true, false, true, 2},  {"focused", false, false, true, true, 4},
            {"disabled", false, false, false, false, 3},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            for (std::size_t i = 0; i < skins.size(); ++i) {
                ui::Button* b = i == 0 ? plain : captioned;
                b->set_enabled(c.enabled);
                if (c.focused) SetFocus(b->handle());
                else SetFocus(other->handle());
                skins[i]->ShowFaceState(c.hot, c.pressed);
                EXPECT_EQ(skins[i]->FrameIndex(), c.frame);
            }
            const Image32 shown = ClientPicture(plain->handle());
            // The face: the strip's frame in nine slices, seen in the left part of the button.
            const auto face = skin::StretchSkinFrame({0, 0, shown.width(), shown.height()}, strip,
                                                     {buttons.left_width, buttons.top_height, buttons.right_width,
                                                      buttons.bottom_height},
                                                     false, buttons.tile != 0, 5, c.frame);
            ASSERT_TRUE(face);
            const Image32 want = skin::ImageFromBitmap(*face);
            if (buttons.trans != 1) {
                for (const auto& p : {std::pair{3, shown.height() / 2}, std::pair{shown.width() / 2, 1}})
                    EXPECT_EQ(shown.at(p.first, p.second), want.at(p.first, p.second));
            }
            // The arrow of an empty caption: margins and spacing a quarter of the room each.
            const skin::MenuButtonLayout at = skin::LayOutMenuButton(shown.width(), shown.height(), 0, 0, 0, 0, -1, -1);
            const std::uint32_t arrow = skin::PixelFromColor(c.enabled ? ui::clWindowText : ui::clBtnShadow);
            for (const skin::Rect& row : skin::MenuArrowRows(at))
                for (int x = row.left; x < row.right; ++x) EXPECT_EQ(shown.at(x, row.top), arrow) << x << "," << row.top;
            // Just above the arrow's base, the face.
            EXPECT_NE(shown.at(at.tip_x, at.base_y - 1), arrow);
            window_test::save_screenshot(w.handle(), "skinned_menu_button", skin_name + "_" + c.name);
        }
        for (ui::Button* b : {plain, captioned}) b->set_enabled(true);
    }
}

} // namespace
