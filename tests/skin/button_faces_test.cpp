#include <gtest/gtest.h>

#include "skin/button_faces.h"
#include "skin/control_rules.h"

namespace {

using skin::Rect;

TEST(MenuButton, MarginAndSpacingLeaveRoomForTheArrow) {
    struct Case {
        const char* name;
        int width, margin, spacing;
        int want_margin, want_spacing, glyph_x, text_x, tip_x;
    };
    // A button 100 x 24 with a 16 x 16 glyph and a text 40 x 13.
    const Case cases[] = {
        {"both worked out", 100, -1, -1, 9, 9, 9, 34, 92},
        {"margin worked out", 100, -1, 4, 14, 4, 14, 34, 82},
        {"spacing worked out", 100, 6, -1, 6, 20, 6, 42, 122},
        {"both given", 100, 5, 3, 5, 3, 5, 24, 70},
        {"odd room truncates", 99, -1, 5, 12, 5, 12, 33, 83},
        {"no room: negative margins truncate toward zero", 50, -1, -1, -3, -3, -3, 10, 44},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const skin::MenuButtonLayout l = skin::LayOutMenuButton(c.width, 24, 16, 16, 40, 13, c.margin, c.spacing);
        EXPECT_EQ(l.margin, c.want_margin);
        EXPECT_EQ(l.spacing, c.want_spacing);
        EXPECT_EQ(l.glyph_x, c.glyph_x);
        EXPECT_EQ(l.glyph_y, 4);
        EXPECT_EQ(l.text_x, c.text_x);
        EXPECT_EQ(l.text_y, 6);
        EXPECT_EQ(l.tip_x, c.tip_x);
        EXPECT_EQ(l.tip_y, 12);
        EXPECT_EQ(l.base_y, 9);
    }
    EXPECT_EQ(skin::MenuButtonTextBounds(100, 24, 16), (Rect{2, 2, 74, 22}));
    EXPECT_EQ(skin::MenuButtonTextBounds(10, 4, 16), (Rect{2, 2, 2, 2}));  // no room: empty, not inverted
}

TEST(MenuButton, ArrowIsATrianglePointingDown) {
    skin::MenuButtonLayout l;
    l.tip_x = 20, l.tip_y = 12, l.base_y = 9;
    const std::vector<Rect> rows = skin::MenuArrowRows(l);
    const std::vector<Rect> want = {{17, 9, 24, 10}, {18, 10, 23, 11}, {19, 11, 22, 12}, {20, 12, 21, 13}};
    EXPECT_EQ(rows, want);
}

TEST(MenuAndSpeedButtons, FrameIndexes) {
    using skin::ButtonFaceKind;
    using skin::ButtonFaceState;
    struct Case {
        const char* name;
        ButtonFaceState s;
        int menu, speed;
    };
    auto S = [](bool pressed, bool hot, bool focused, bool def, bool disabled, bool down) {
        ButtonFaceState s;
        s.pressed = pressed, s.hot = hot, s.focused = focused, s.is_default = def, s.disabled = disabled, s.down = down;
        return s;
    };
    const Case cases[] = {
        {"normal", S(0, 0, 0, 0, 0, 0), 1, 1},
        {"hot", S(0, 1, 0, 0, 0, 0), 4, 4},
        {"pressed", S(1, 1, 0, 0, 0, 0), 2, 2},
        {"focused: the menu button shows hot, never 5", S(0, 0, 1, 1, 0, 0), 4, 1},
        {"disabled", S(1, 1, 1, 0, 1, 0), 3, 3},
        {"down", S(0, 0, 0, 0, 0, 1), 1, 2},
        {"down and disabled", S(0, 0, 0, 0, 1, 1), 3, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(skin::ButtonFrameIndex(ButtonFaceKind::kMenu, c.s), c.menu);
        EXPECT_EQ(skin::ButtonFrameIndex(ButtonFaceKind::kSpeed, c.s), c.speed);
    }
}

TEST(SpeedButton, FlatIdleShowsNoFaceAndGlyphFrames) {
    for (int frame = 1; frame <= 5; ++frame) {
        SCOPED_TRACE(frame);
        EXPECT_TRUE(skin::SpeedFaceShown(frame, false));
        EXPECT_EQ(skin::SpeedFaceShown(frame, true), frame == 2 || frame == 4);
    }
    struct Case {
        bool pressed, disabled, down;
        int frames, glyph;
    };
    const Case cases[] = {
        {false, false, false, 4, 1}, {true, false, false, 4, 3}, {false, true, false, 4, 2}, {false, false, true, 4, 4},
        {true, false, true, 4, 4},   {false, false, true, 3, 1}, {true, false, false, 2, 1}, {false, true, false, 0, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(skin::SpeedGlyphFrame(c.pressed, c.disabled, c.down, c.frames), c.glyph)
            << c.pressed << c.disabled << c.down << " of " << c.frames;
}

TEST(MediaPlayer, PictureNamesAndButtonSets) {
    EXPECT_EQ(skin::MediaPictureName(skin::MediaPicture::kEnabled, 0), "EN_MPPLAY");
    EXPECT_EQ(skin::MediaPictureName(skin::MediaPicture::kDisabled, 7), "DI_MPRECORD");
    EXPECT_EQ(skin::MediaPictureName(skin::MediaPicture::kColoured, 8), "CL_MPEJECT");
    EXPECT_EQ(skin::MediaPictureName(skin::MediaPicture::kColoured, 9), "");

    EXPECT_EQ(skin::MediaButtonSet("[btPlay,btStop,btEject]").to_string(), "100000101");
    EXPECT_EQ(skin::MediaButtonSet("[btplay, BTPAUSE]").to_string(), "000000011");
    EXPECT_EQ(skin::MediaButtonSet("[]").none(), true);
    EXPECT_EQ(skin::MediaButtonSet("").none(), true);
    EXPECT_EQ(skin::MediaButtonSet("[btPlayer,xbtStop]").none(), true);  // whole names only
    EXPECT_EQ(skin::MediaButtonSet("[btPlay,btPause,btStop,btNext,btPrev,btStep,btBack,btRecord,btEject]").all(), true);
}

TEST(MediaPlayer, HitTestWalksTheVisibleButtons) {
    std::bitset<skin::kMediaButtons> visible;
    visible.set(0).set(2).set(8);  // play, stop, eject
    const skin::MediaBar bar = skin::LayOutMediaBar(100, visible);
    EXPECT_EQ(bar.button_width, 33);
    EXPECT_EQ(bar.ButtonRect(2, 20), (Rect{33, 0, 66, 20}));
    EXPECT_EQ(bar.ButtonRect(1, 20), Rect{});
    struct Case {
        int x, button;
    };
    // The ranges include their end, so the edge belongs to the left button.
    const Case cases[] = {{0, 0}, {32, 0}, {33, 0}, {34, 2}, {66, 2}, {67, 8}, {99, 8}, {100, skin::kNoMediaButton},
                          {-1, skin::kNoMediaButton}};
    for (const Case& c : cases) EXPECT_EQ(skin::MediaButtonAt(bar, c.x), c.button) << "x " << c.x;

    EXPECT_EQ(skin::MediaButtonAt(skin::LayOutMediaBar(100, {}), 10), skin::kNoMediaButton);
    EXPECT_EQ(skin::MediaButtonAt(skin::LayOutMediaBar(2, visible), 1), skin::kNoMediaButton);  // buttons of no width
}

TEST(MediaPlayer, FacesPicturesAndReleases) {
    EXPECT_EQ(skin::MediaFaceFrame(true, false, false), 1);
    EXPECT_EQ(skin::MediaFaceFrame(true, true, false), 1);
    EXPECT_EQ(skin::MediaFaceFrame(true, true, true), 2);
    EXPECT_EQ(skin::MediaFaceFrame(true, false, true), 1);
    EXPECT_EQ(skin::MediaFaceFrame(false, true, true), 3);
    EXPECT_EQ(skin::MediaPictureOf(false, true), skin::MediaPicture::kDisabled);
    EXPECT_EQ(skin::MediaPictureOf(true, true), skin::MediaPicture::kColoured);
    EXPECT_EQ(skin::MediaPictureOf(true, false), skin::MediaPicture::kEnabled);
    EXPECT_TRUE(skin::MediaReleaseReachesPlayer(2, 2));
    EXPECT_FALSE(skin::MediaReleaseReachesPlayer(2, 8));
    EXPECT_FALSE(skin::MediaReleaseReachesPlayer(skin::kNoMediaButton, skin::kNoMediaButton));
}

} // namespace
