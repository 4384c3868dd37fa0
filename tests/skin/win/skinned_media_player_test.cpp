// The media player's skin on a small player class that publishes its three button sets: the
// panel laid over it by the attach rules, the faces and pictures of each state, and a press and
// release reaching the player only over the same button. Pictures in both of our own skins.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/button_faces.h"
#include "skin/win/skin_attach.h"
#include "skin/win/skin_bitmaps.h"
#include "skin/win/skin_frames.h"
#include "skin/win/skin_media_player.h"
#include "tests/skin/win/skinned_fixture.h"
#include "tests/support/window_test/window_test.h"

namespace {

using namespace skinned_test;
using skin::Image32;
using skin::TSkinData;
using skin::TWinSkinForm;

// A player that publishes the sets the skin reads and counts the presses and releases it gets.
class TestMediaPlayer : public ui::CustomControl {
    UI_CLASS_IDENTITY()
public:
    using ui::CustomControl::CustomControl;
    std::string visible = "[btPlay,btPause,btStop,btNext,btPrev,btStep,btBack,btRecord,btEject]";
    std::string enabled = visible, coloured;
    int downs = 0, ups = 0;

protected:
    void wnd_proc(ui::Message& m) override {
        if (m.msg == WM_LBUTTONDOWN) ++downs;
        if (m.msg == WM_LBUTTONUP) ++ups;
        ui::CustomControl::wnd_proc(m);
    }
};

ui::ClassInfo& TestMediaPlayer::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TMediaPlayer", &ui::CustomControl::static_class());
        using P = TestMediaPlayer;
        ui::PropBuilder<P>(c)
            .string("VisibleButtons", [](const P& p) { return p.visible; }, [](P& p, const std::string& v) { p.visible = v; })
            .string("EnabledButtons", [](const P& p) { return p.enabled; }, [](P& p, const std::string& v) { p.enabled = v; })
            .string("ColoredButtons", [](const P& p) { return p.coloured; }, [](P& p, const std::string& v) { p.coloured = v; });
        return c;
    }();
    return info;
}

class SkinnedMediaPlayer : public SkinnedTest {};

Image32 ClientPicture(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    window_test::pump(0);
    const SIZE size = ClientSize(window);
    ui::Bitmap picture(size.cx, size.cy);
    HDC dc = GetDC(window);
    BitBlt(picture.dc(), 0, 0, size.cx, size.cy, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    return skin::ImageFromBitmap(picture);
}

Image32 ResourcePicture(skin::MediaPicture picture, int button) {
    const std::string name = skin::MediaPictureName(picture, button);
    ui::Bitmap bitmap;
    EXPECT_TRUE(bitmap.load_from_resource(GetModuleHandleW(nullptr), std::wstring(name.begin(), name.end()).c_str())) << name;
    return skin::ImageFromBitmap(bitmap);
}

// Every pixel of the picture that is not the transparent olive, found in `shown` at (x, y).
int PictureMisses(const Image32& shown, const Image32& picture, int x, int y) {
    const std::uint32_t key = skin::PixelFromColor(ui::clOlive);
    int misses = 0, drawn = 0;
    for (int py = 0; py < picture.height(); ++py)
        for (int px = 0; px < picture.width(); ++px) {
            if (picture.at(px, py) == key) continue;
            ++drawn;
            if (shown.at(x + px, y + py) != picture.at(px, py)) ++misses;
        }
    return drawn == 0 ? -1 : misses;
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

TEST_F(SkinnedMediaPlayer, FacesPicturesAndClicks) {
    for (const char* path : {kDefaultSkin, kContrastSkin}) {
        SCOPED_TRACE(path);
        const std::string skin_name = path == kDefaultSkin ? "default" : "contrast";
        TSkinData* data = LoadedData(owner_.get(), path);
        MainWindow w("Skinned media player", 360, 120);
        Activate(w.handle());
        ASSERT_TRUE(WaitSkinned(w.handle()));
        TWinSkinForm* form = SkinOf(w.handle());
        auto* player = new TestMediaPlayer(w.form.get());
        player->set_parent(w.form.get());
        player->set_bounds(10, 20, 270, 30);
        player->visible = "[btPlay,btPause,btStop]";
        player->enabled = "[btPlay,btStop]";
        player->coloured = "[btStop]";
        player->handle_needed();
        // The rules attach the skin by the player's class name; the panel covers the player.
        skin::SkinControl(*form, player, w.form.get());
        auto* s = dynamic_cast<skin::TSkinMP*>(form->FindControlSkin(player));
        ASSERT_NE(s, nullptr);
        skin::TWMediaPlayer* panel = s->panel();
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->bounds_rect(), player->bounds_rect());
        EXPECT_EQ(panel->tag(), data->DisableTag());
        EXPECT_EQ(form->FindControlSkin(panel), nullptr);
        ASSERT_TRUE(panel->visible());
        HWND p = panel->handle();

        const skin::TDataSkinButton& buttons = *data->Skin()->buttons;
        ui::Bitmap strip;
        skin::AssignImage(strip, buttons.bitmap);
        struct Shown {
            int button;
            skin::MediaPicture picture;
            int frame;
        };
        auto check = [&](const Image32& shown, const std::vector<Shown>& want, int shift_button) {
            for (const Shown& b : want) {
                SCOPED_TRACE(b.button);
                const skin::Rect r = s->bar().ButtonRect(b.button, shown.height());
                ASSERT_EQ(r.right - r.left, 90);
                // The face: the Buttons strip's frame in nine slices over the button.
                if (buttons.trans != 1) {
                    const auto face = skin::StretchSkinFrame({0, 0, 90, shown.height()}, strip,
                                                             {buttons.left_width, buttons.top_height, buttons.right_width,
                                                              buttons.bottom_height},
                                                             false, buttons.tile != 0, 5, b.frame);
                    ASSERT_TRUE(face);
                    const Image32 f = skin::ImageFromBitmap(*face);
                    for (const auto& at : {std::pair{1, 1}, std::pair{3, shown.height() / 2}, std::pair{45, 2}})
                        EXPECT_EQ(shown.at(r.left + at.first, at.second), f.at(at.first, at.second));
                }
                // The picture, centred, one pixel right and down while pressed.
                const Image32 picture = ResourcePicture(b.picture, b.button);
                const int shift = b.button == shift_button ? 1 : 0;
                const int x = r.left + (90 - picture.width()) / 2 + shift;
                const int y = (shown.height() - picture.height()) / 2 + shift;
                EXPECT_EQ(PictureMisses(shown, picture, x, y), 0);
            }
        };
        using MP = skin::MediaPicture;
        check(ClientPicture(p), {{0, MP::kEnabled, 1}, {1, MP::kDisabled, 3}, {2, MP::kColoured, 1}}, -1);
        window_test::save_screenshot(w.handle(), "skinned_media_player", skin_name + "_idle");

        // Pressed on play: frame 2 and the picture moved; the player saw the press.
        SendMessageW(p, WM_LBUTTONDOWN, MK_LBUTTON, At(40, 10));
        EXPECT_EQ(player->downs, 1);
        EXPECT_EQ(s->pressed_button(), 0);
        EXPECT_EQ(GetCapture(), nullptr);
        check(ClientPicture(p), {{0, MP::kEnabled, 2}, {1, MP::kDisabled, 3}, {2, MP::kColoured, 1}}, 0);
        window_test::save_screenshot(w.handle(), "skinned_media_player", skin_name + "_pressed");
        // Released over the same button: the player gets it once.
        SendMessageW(p, WM_LBUTTONUP, 0, At(50, 12));
        EXPECT_EQ(player->ups, 1);
        check(ClientPicture(p), {{0, MP::kEnabled, 1}}, -1);

        // Released over another button, or off the bar: the player never hears of it.
        struct Release {
            int down_x, up_x;
        };
        for (const Release& r : {Release{40, 200}, Release{200, 40}, Release{40, 400}, Release{40, -30}}) {
            SCOPED_TRACE(r.up_x);
            SendMessageW(p, WM_LBUTTONDOWN, MK_LBUTTON, At(r.down_x, 10));
            SendMessageW(p, WM_LBUTTONUP, 0, At(r.up_x, 10));
            EXPECT_EQ(player->ups, 1);
        }
        EXPECT_EQ(player->downs, 5);
        // A release whose press began outside the panel is no click, even over the last pressed button.
        SendMessageW(p, WM_LBUTTONDOWN, MK_LBUTTON, At(40, 10));
        SendMessageW(p, WM_LBUTTONUP, 0, At(40, 10));
        EXPECT_EQ(player->ups, 2);
        SendMessageW(p, WM_LBUTTONUP, 0, At(40, 10));
        EXPECT_EQ(player->ups, 2);
        EXPECT_EQ(s->pressed_button(), skin::kNoMediaButton);

        // The panel follows the player's bounds and visibility.
        player->set_bounds(20, 60, 180, 28);
        window_test::pump(0);
        EXPECT_EQ(panel->bounds_rect(), player->bounds_rect());
        player->set_visible(false);
        EXPECT_FALSE(panel->visible());
        player->set_visible(true);
        EXPECT_TRUE(panel->visible());
        // Unskinning takes the panel away.
        s->Unskin();
        EXPECT_EQ(s->panel(), nullptr);
    }
}

// No visible button: the face colour only; every picture is among the programs' resources.
TEST_F(SkinnedMediaPlayer, NoVisibleButtonShowsTheFace) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    MainWindow w("Skinned media player", 200, 80);
    Activate(w.handle());
    ASSERT_TRUE(WaitSkinned(w.handle()));
    TWinSkinForm* form = SkinOf(w.handle());
    form->ReleaseControlSkins();
    auto* player = new TestMediaPlayer(w.form.get());
    player->set_parent(w.form.get());
    player->set_bounds(5, 5, 120, 30);
    player->visible = "[]";
    auto* s = new skin::TSkinMP(player);
    s->AttachControl(form, data, true);
    ASSERT_TRUE(s->attached());
    ASSERT_NE(s->panel(), nullptr);
    const Image32 shown = ClientPicture(s->panel()->handle());
    const std::uint32_t face = skin::PixelFromColor(skin::FaceColour(*s));
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) ASSERT_EQ(shown.at(x, y), face) << x << "," << y;
    for (int button = 0; button < skin::kMediaButtons; ++button)
        for (auto picture : {skin::MediaPicture::kEnabled, skin::MediaPicture::kDisabled, skin::MediaPicture::kColoured})
            EXPECT_TRUE(s->HasPicture(picture, button)) << skin::MediaPictureName(picture, button);
}

} // namespace
