#include <map>

#include <gtest/gtest.h>

#include "skin/colors.h"
#include "skin/gradient_cache.h"
#include "skin/lzh_stream.h"
#include "skin/skin_dump.h"
#include "skin/skin_parse.h"
#include "tests/skin/skin_test_data.h"

namespace {

using skin::Image32;
using skin::SkinDescription;
using Bytes = std::vector<std::uint8_t>;

// A narrow scroll arrow keeps the combo cells readable: B = 6.
class TestSystem : public skin::PortableSkinSystem {
public:
    int HScrollArrowWidth() const override { return 4; }
};

Bytes Solid(int width, int height, std::uint32_t rgb) {
    return skin_test::MakeBmp(width, height, [=](int, int) { return rgb; });
}
// `frames` cells side by side, cell f (from 0) in colour 0x100000 * (f + 1) + `tint`.
Bytes Cells(int cell_width, int height, int frames, std::uint32_t tint = 0) {
    return skin_test::MakeBmp(cell_width * frames, height,
                              [=](int x, int) { return 0x100000u * static_cast<std::uint32_t>(x / cell_width + 1) + tint; });
}

struct ParsedSkin {
    std::unique_ptr<SkinDescription> skin;
    std::string error;
};

ParsedSkin Parse(const std::string& ini, std::map<std::string, Bytes> pictures = {}, const skin::SkinSystem& system = TestSystem()) {
    std::vector<skin::ArchiveMember> members{{"skin.ini", Bytes(ini.begin(), ini.end())}};
    for (auto& [name, bytes] : pictures) members.push_back({name, std::move(bytes)});
    const skin::WriteResult written = skin::WriteArchive(members);
    EXPECT_TRUE(written.ok()) << written.error;
    const Bytes stored = skin::LzhEncode(written.archive);
    skin::SkinLoadResult loaded = skin::LoadSkinDescription(stored.data(), stored.size(), system);
    EXPECT_EQ(loaded.skin == nullptr, !loaded.error.empty());
    return {std::move(loaded.skin), loaded.error};
}

TEST(SkinLoad, ArchiveWithoutDescriptionIsAnError) {
    const skin::WriteResult written = skin::WriteArchive({{"a.bmp", Solid(2, 2, 1)}});
    const Bytes stored = skin::LzhEncode(written.archive);
    const skin::SkinLoadResult loaded = skin::LoadSkinDescription(stored.data(), stored.size(), TestSystem());
    EXPECT_EQ(loaded.skin, nullptr);
    EXPECT_NE(loaded.error.find(".ini"), std::string::npos);

    const Bytes junk{1, 2, 3};
    EXPECT_FALSE(skin::LoadSkinDescription(junk.data(), junk.size(), TestSystem()).error.empty());
}

TEST(SkinLoad, DescriptionWithoutSectionsGivesDefaults) {
    const ParsedSkin parsed = Parse("no sections here\n");
    ASSERT_TRUE(parsed.skin) << parsed.error;
    const SkinDescription& s = *parsed.skin;
    for (const auto& border : s.borders) {
        EXPECT_EQ(border.frame, 1);
        EXPECT_EQ(border.tile, 1);
        EXPECT_EQ(border.trans, 1);
        EXPECT_TRUE(border.bitmap.empty());
    }
    EXPECT_EQ(s.title.font_height, 14);
    EXPECT_EQ(s.title.frame, 2);
    EXPECT_EQ(s.title.active_text, ui::clNone);
    EXPECT_EQ(s.colours[skin::kButtonFace], ui::clBtnFace);
    EXPECT_EQ(s.colours[skin::kMenubar], ui::clBtnFace);
    EXPECT_EQ(s.colours[skin::kButtonlight], ui::clBtnHighlight);
    EXPECT_EQ(s.colours[9], 0);
    EXPECT_EQ(s.colour_defined, (std::array<bool, skin::kSkinColourCount>{}));
    EXPECT_EQ(s.custom_colours[9], ui::clWhite);
    EXPECT_EQ(s.border_colour, ui::clBtnFace);
    EXPECT_FALSE(s.buttons);
    EXPECT_FALSE(s.combo_arrow);
    ASSERT_EQ(s.caption_buttons.size(), 3u);  // those of a maximised child window only
    ASSERT_TRUE(s.track && s.track_vert);
    EXPECT_EQ(s.track->bitmap, skin::DrawTrackPicture(false));
    EXPECT_EQ(s.track_vert->bitmap.width(), 4);
    EXPECT_EQ(s.track_vert->bitmap.height(), 16);
    EXPECT_EQ(s.track->left_width + s.track->top_height + s.track->right_width + s.track->bottom_height, 12);
    EXPECT_EQ(s.track->tile, 0);
}

TEST(SkinParse, ClampsAndFixedCounts) {
    const ParsedSkin parsed = Parse(
        "[Personality]\nTop=t.bmp\nTopStretch=5\nLeftStretch=0\nTopTopHeight=7\nTopBotHeight=8\nLeftTopHeight=3\nLeftBotHeight=4\n"
        "menuBar=m.bmp\nTileMenu=3\n"
        "[Tabs]\nImage=cells.bmp\nTile=5\nFrame=9\n"
        "[Tab.Pane]\nImage=cells.bmp\nLeftWidth=9\nTopHeight=4\nRightWidth=5\nBottomHeight=-2\n"
        "[Scrollbar]\nImage=wide.bmp\nFrame=3\n"
        "[Headerbar]\nImage=cells.bmp\nFrame=2\n"
        "[MenuItem]\nImage=cells.bmp\nTile=1\n"
        "[Progress]\nBitmap=cells.bmp\nStyle=1\nTile=7\n"
        "[HorzScrollThumb]\nImage=cells.bmp\nFrameCount=6\n"
        "[Track]\nImage=cells.bmp\nFrame=2\n",
        {{"t.bmp", Solid(12, 9, 0x336699)}, {"m.bmp", Solid(4, 4, 1)}, {"cells.bmp", Cells(2, 2, 8)}, {"wide.bmp", Solid(46, 2, 5)}});
    ASSERT_TRUE(parsed.skin) << parsed.error;
    const SkinDescription& s = *parsed.skin;
    const auto& top = s.borders[skin::kTopBorder];
    EXPECT_EQ(top.tile, 1);
    EXPECT_EQ(s.borders[skin::kLeftBorder].tile, 0);
    EXPECT_EQ((std::array<int, 4>{top.left_width, top.top_height, top.right_width, top.bottom_height}), (std::array<int, 4>{7, 0, 8, 0}));
    const auto& left = s.borders[skin::kLeftBorder];
    EXPECT_EQ((std::array<int, 4>{left.left_width, left.top_height, left.right_width, left.bottom_height}), (std::array<int, 4>{0, 3, 0, 4}));
    ASSERT_TRUE(s.menu_bar && s.tabs && s.tab_pane && s.scrollbar && s.header_bar && s.menu_item && s.progress && s.horz_scroll_thumb);
    EXPECT_EQ(s.menu_bar->tile, 1);
    EXPECT_EQ(s.menu_bar->frame, 2);
    EXPECT_EQ(s.menu_bar->left_width, 1);
    EXPECT_EQ(s.tabs->tile, 0);
    EXPECT_EQ(s.tabs->frame, 5);
    const auto& pane = *s.tab_pane;
    EXPECT_EQ((std::array<int, 4>{pane.left_width, pane.top_height, pane.right_width, pane.bottom_height}), (std::array<int, 4>{4, 4, 4, -2}));
    EXPECT_EQ(s.scrollbar->frame, 23);
    EXPECT_FALSE(s.scrollbar->bitmap.empty());
    EXPECT_EQ(s.header_bar->frame, 2);  // fixed only when it had none
    EXPECT_EQ(s.menu_item->frame, 5);
    EXPECT_EQ(s.menu_item->tile, 1);
    EXPECT_EQ(s.progress->frame, 1);
    EXPECT_EQ(s.progress->tile, 1);
    EXPECT_EQ(s.horz_scroll_thumb->frame, 6);
    EXPECT_EQ(s.track->frame, 2);  // a described track keeps its count
    EXPECT_EQ(s.track->left_width, 0);
    // The border colour is read inside the first frame of the top border.
    EXPECT_EQ(s.border_colour, ui::rgb(0x33, 0x66, 0x99));
}

TEST(SkinParse, ZeroCountsBecomeOneAndNarrowStripsAreEmpty) {
    const ParsedSkin parsed = Parse(
        "[Personality]\nTop=t.bmp\nTopFrame=0\n[Progress.Chunk]\nImage=cells.bmp\nFrame=-3\n[Scrollbar]\nImage=narrow.bmp\n"
        "[ExtraImages]\nImage=cells.bmp\n",
        {{"t.bmp", skin_test::MakeBmp(6, 6, [](int, int y) { return y < 2 ? 0x00FF00u : 0x0000FFu; })},
         {"cells.bmp", Cells(1, 2, 3)},
         {"narrow.bmp", Solid(22, 2, 7)}});
    ASSERT_TRUE(parsed.skin) << parsed.error;
    const SkinDescription& s = *parsed.skin;
    EXPECT_EQ(s.borders[skin::kTopBorder].frame, 1);
    EXPECT_EQ(s.border_colour, ui::rgb(0, 0, 0xFF));  // (2, 2) of a one-frame picture, not (2, 1)
    EXPECT_EQ(s.progress_chunk->frame, 1);
    EXPECT_TRUE(s.scrollbar->bitmap.empty());     // 22 columns cannot hold 23 frames
    EXPECT_TRUE(s.extra_images->bitmap.empty());  // 3 columns, 5 frames
    for (const skin::TDataSkinObject* e : s.Elements()) EXPECT_GE(e->frame, 1) << e->name;
}

TEST(SkinParse, ColourTableNumberedAndCustomColours) {
    const ParsedSkin parsed = Parse(
        "[Colours]\nButtonFace=10,20,30\nButtonText=1 2 3\nHilight=\n[Colour1]\ncolor=4,5,6\n[ColourX]\n[Colours]\nWindowText=9,9,9\n"
        "[Customcolors]\nColor3=7,8,9\n[Personality]\nActiveTextR=1\nActiveTextG=2\nActiveTextB=3\nInActiveTextR=1\nInActiveTextG=-1\n"
        "InActiveTextB=3\n[Fonts]\nFontHeight=0x10\n[Buttons]\nBitmap=b.bmp\nNormalColour2=1,1,1\nPressedColour=12\n"
        "[Tabs]\nImage=b.bmp\nNormalColour2=50,60,70\n");
    ASSERT_TRUE(parsed.skin) << parsed.error;
    const SkinDescription& s = *parsed.skin;
    EXPECT_EQ(s.colours[skin::kButtonFace], ui::rgb(10, 20, 30));
    EXPECT_EQ(s.colours[skin::kMenubar], ui::rgb(10, 20, 30));
    EXPECT_TRUE(s.colour_defined[skin::kButtonFace]);
    EXPECT_FALSE(s.colour_defined[skin::kMenubar]);
    EXPECT_FALSE(s.colour_defined[skin::kHilight]);
    EXPECT_EQ(s.colours[skin::kHilight], ui::clHighlight);
    EXPECT_EQ(s.colours[skin::kWindowText], ui::clWindowText);  // only the first [Colours] counts
    EXPECT_EQ(s.numbered_colours, (std::vector<ui::TColor>{ui::rgb(4, 5, 6), ui::clWindowText}));
    EXPECT_EQ(s.custom_colours[3], ui::rgb(7, 8, 9));
    EXPECT_EQ(s.custom_colours[4], ui::clWhite);
    EXPECT_EQ(s.title.active_text, ui::rgb(1, 2, 3));
    EXPECT_EQ(s.title.inactive_text, ui::clNone);
    EXPECT_EQ(s.title.font_height, 16);
    ASSERT_TRUE(s.buttons && s.tabs);
    EXPECT_TRUE(s.buttons->normal_colour2_given);
    EXPECT_FALSE(s.buttons->pressed_colour2_given);
    EXPECT_EQ(s.buttons->pressed_colour, 12);
    EXPECT_EQ(s.buttons->frame, 5);
    EXPECT_EQ(s.buttons->mouse_over_colour2, ui::rgb(1, 2, 3));  // the skin's button text
    EXPECT_EQ(s.tabs->normal_colour2, ui::rgb(50, 60, 70));
    EXPECT_EQ(s.buttons->radio_frame, 4);  // no picture: the least count
}

TEST(SkinParse, CheckAndRadioFramesFromTheirPictures) {
    const ParsedSkin parsed = Parse("[Buttons]\nBitmap=b.bmp\nCheckButton=check.bmp\nRadioButton=radio.bmp\nCheckButtonFrame=2\n",
                                    {{"check.bmp", Solid(130, 13, 1)}, {"radio.bmp", Solid(96, 16, 1)}});
    ASSERT_TRUE(parsed.skin && parsed.skin->buttons) << parsed.error;
    EXPECT_EQ(parsed.skin->buttons->check_frame, 2);
    EXPECT_EQ(parsed.skin->buttons->radio_frame, 6);
    const ParsedSkin short_strip = Parse("[Buttons]\nBitmap=b.bmp\nCheckButton=check.bmp\n", {{"check.bmp", Solid(130, 13, 1)}});
    EXPECT_EQ(short_strip.skin->buttons->check_frame, 10);
}

TEST(CaptionButtons, WhichSectionsAreButtons) {
    struct Case {
        const char* section;
        const char* keys;
        bool button;
    };
    const Case cases[] = {
        {"BUTTON", "", false},          {"Buttons", "", false},        {"Button.Radio", "", false},
        {"button.checkbox", "", false}, {"Button1", "", true},         {"buttonClose", "Action=0", true},
        {"Button2", "Action=-1", false}, {"Button3", "Action=-1\nVisibility=0", true}, {"Button4", "Action=-1\nVisibility=x", false},
        {"MyButton", "", false},
    };
    for (const Case& c : cases) {
        const ParsedSkin parsed = Parse(std::string("[") + c.section + "]\n" + c.keys + "\n");
        ASSERT_TRUE(parsed.skin) << parsed.error;
        EXPECT_EQ(parsed.skin->caption_buttons.size(), c.button ? 4u : 3u) << c.section;
    }
}

TEST(CaptionButtons, FramesPlacesAndDefaults) {
    const ParsedSkin parsed = Parse(
        "[Button1]\nButtonImage=square.bmp\n"               // 3:1 counts as 3 frames
        "[Button2]\nButtonImage=long.bmp\n"                 // 4:1 as 6
        "[Button3]\n"                                       // no picture: 6
        "[Button4]\nAction=-1\nVisibility=0\nButtonImage=square.bmp\n"  // negative action: 6
        "[Button5]\nframe=2\nButtonImage=long.bmp\n"        // a given count stays
        "[Button6]\nAction=4\nXcoord=70\nYcoord=71\n"       // no lender yet: its own place
        "[Button7]\nAction=1\nVisibility=2\nXcoord=30\nYcoord=31\nButtonImage=square.bmp\n"
        "[Button8]\nAction=4\nXcoord=80\nYcoord=81\n"
        "[Button9]\nAction=3\nButtonImage=square.bmp\n"
        "[Button10]\nAction=11\nframe=-2\nButtonImage=square.bmp\n",
        {{"square.bmp", Solid(57, 15, 1)}, {"long.bmp", Solid(60, 15, 1)}});
    ASSERT_TRUE(parsed.skin) << parsed.error;
    const auto& b = parsed.skin->caption_buttons;
    ASSERT_EQ(b.size(), 13u);
    const int frames[] = {3, 6, 6, 6, 2, 6, 3, 6, 3, 1};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(b[static_cast<std::size_t>(i)].frame, frames[i]) << b[static_cast<std::size_t>(i)].name;
    EXPECT_EQ(b[0].name, "BUTTON1");
    EXPECT_EQ(b[0].combine_op, -1);
    EXPECT_EQ(b[0].visibility1, 0);
    EXPECT_EQ(b[3].visibility1, -1);
    EXPECT_EQ(std::make_pair(b[5].x, b[5].y), std::make_pair(70, 71));
    EXPECT_EQ(std::make_pair(b[7].x, b[7].y), std::make_pair(30, 31));
    EXPECT_FALSE(b[6].bitmap.empty());
    EXPECT_TRUE(b[8].bitmap.empty());
    EXPECT_TRUE(b[9].bitmap.empty());
}

TEST(CaptionButtons, MaximisedChildButtonsCutFromTwelveColumns) {
    // 12 columns of 3 pixels, column c in colour c + 1.
    const ParsedSkin parsed = Parse("[MDICONTROLS]\nImage=mdi.bmp\n",
                                    {{"mdi.bmp", skin_test::MakeBmp(36, 5, [](int x, int) { return static_cast<std::uint32_t>(x / 3 + 1); })}});
    ASSERT_TRUE(parsed.skin) << parsed.error;
    const auto& b = parsed.skin->caption_buttons;
    ASSERT_EQ(b.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const auto& button = b[static_cast<std::size_t>(i)];
        EXPECT_EQ(button.action, 7 + i);
        EXPECT_EQ(button.align, 100);
        EXPECT_EQ(button.visibility1, 100);
        EXPECT_EQ(button.frame, 4);
        EXPECT_EQ(button.x, 7 * (3 - i));
        ASSERT_EQ(button.bitmap.width(), 12);
        EXPECT_EQ(button.bitmap.at(0, 0), static_cast<std::uint32_t>(4 * i + 1));
        EXPECT_EQ(button.bitmap.at(11, 4), static_cast<std::uint32_t>(4 * i + 4));
    }
    const ParsedSkin narrow = Parse("[MDICONTROLS]\nImage=mdi.bmp\n", {{"mdi.bmp", Solid(11, 5, 1)}});
    EXPECT_TRUE(narrow.skin->caption_buttons[0].bitmap.empty());
}

// SunkEdge: 4 frames of 5 x 5, frame f in 0x10..0x40 red; ComboButton 4 frames of 2 x 2 with
// blue; B = 6. Each 50 x 21 cell: the sunk edge stretched, the button over the right 6 columns,
// a magenta interior from (2, 2) up to, not including, (43, 18).
TEST(ComboPictures, StripArrowAndPerFrameMirror) {
    const ParsedSkin parsed = Parse("[SunkEdge]\nImage=sunk.bmp\nLeftWidth=1\nRightWidth=1\nTopHeight=1\nBottomHeight=1\n"
                                    "[ComboButton]\nImage=combo.bmp\n",
                                    {{"sunk.bmp", Cells(5, 5, 4)}, {"combo.bmp", Cells(2, 2, 4, 0xFF)}});
    ASSERT_TRUE(parsed.skin) << parsed.error;
    const SkinDescription& s = *parsed.skin;
    ASSERT_TRUE(s.combo_button && s.sunk_edge && s.combo_arrow);
    const Image32& strip = s.combo_button->bitmap;
    ASSERT_EQ(strip.width(), 200);
    ASSERT_EQ(strip.height(), 21);
    EXPECT_EQ(s.combo_button->style, 2);
    EXPECT_EQ(s.combo_button->left_width, 2);
    EXPECT_EQ(s.combo_button->right_width, 8);
    EXPECT_EQ(s.combo_button->top_height, 1);
    EXPECT_EQ(s.sunk_edge->left_width, 8);
    EXPECT_EQ(s.sunk_edge->right_width, 2);
    for (std::uint32_t f = 0; f < 4; ++f) {
        const int x0 = 50 * static_cast<int>(f);
        const std::uint32_t edge = 0x100000 * (f + 1), button = edge + 0xFF;
        EXPECT_EQ(strip.at(x0, 0), edge) << f;
        EXPECT_EQ(strip.at(x0 + 1, 10), edge) << f;
        EXPECT_EQ(strip.at(x0 + 2, 2), skin::kKeyPixel) << f;
        EXPECT_EQ(strip.at(x0 + 42, 17), skin::kKeyPixel) << f;
        EXPECT_EQ(strip.at(x0 + 43, 17), edge) << f;
        EXPECT_EQ(strip.at(x0 + 43, 18), edge) << f;
        EXPECT_EQ(strip.at(x0 + 44, 10), button) << f;
        EXPECT_EQ(strip.at(x0 + 49, 20), button) << f;
        // Mirrored inside its own cell: the state order stays.
        for (int x = 0; x < 50; ++x) ASSERT_EQ(s.sunk_edge->bitmap.at(x0 + x, 7), strip.at(x0 + 49 - x, 7)) << f << ',' << x;
        EXPECT_EQ(s.combo_arrow->bitmap.at(17 * static_cast<int>(f), 0), strip.at(x0 + 31, 2));
        EXPECT_EQ(s.combo_arrow->bitmap.at(17 * static_cast<int>(f) + 16, 16), button);
    }
    EXPECT_EQ(s.combo_arrow->bitmap.width(), 68);
    EXPECT_EQ(s.combo_arrow->bitmap.height(), 17);
    EXPECT_EQ(s.combo_arrow->frame, 4);
    // The right-to-left copy of the button as described, each frame mirrored alone.
    ASSERT_EQ(s.combo_button->bitmap2.width(), 8);
    EXPECT_EQ(s.combo_button->bitmap2.at(0, 0), 0x1000FFu);
    EXPECT_EQ(s.combo_button->bitmap2.at(7, 0), 0x4000FFu);
}

TEST(ComboPictures, ArrowWithoutSunkEdgeTakesTheFaceForMagenta) {
    const ParsedSkin parsed = Parse("[Colours]\nButtonFace=1,2,3\n[ComboButton]\nImage=combo.bmp\n",
                                    {{"combo.bmp", skin_test::MakeBmp(8, 2, [](int x, int) { return x % 2 ? 0xFF00FFu : 0x123456u; })}});
    ASSERT_TRUE(parsed.skin && parsed.skin->combo_arrow) << parsed.error;
    const auto& arrow = *parsed.skin->combo_arrow;
    EXPECT_EQ(arrow.name, "ComboxArrow");
    EXPECT_EQ(arrow.frame, 4);
    EXPECT_EQ(arrow.bitmap.at(0, 0), 0x123456u);
    EXPECT_EQ(arrow.bitmap.at(1, 0), 0x010203u);
    EXPECT_EQ(parsed.skin->combo_button->style, 0);
    // A sunk edge alone makes no arrow.
    EXPECT_FALSE(Parse("[SunkEdge]\nImage=s.bmp\n", {{"s.bmp", Solid(8, 2, 1)}}).skin->combo_arrow);
}

TEST(ToolbarBackground, GradientEndsFollowTheBorderBrightness) {
    struct Case {
        std::uint32_t border;  // 0x00RRGGBB of the top border
        ui::TColor end;
    };
    // Brightness of (200, 200, 200) is 200: weight (5625 - 5000) / 140 + 50 = 54.
    const Case cases[] = {
        {0xC8C8C8, skin::MixColorsWeighted(ui::rgb(200, 200, 200), ui::clWhite, 54)},
        {0x202020, skin::MixColorsWeighted(ui::clGray, ui::rgb(32, 32, 32), 150)},
    };
    for (const Case& c : cases) {
        const ParsedSkin parsed = Parse("[Colours]\nButtonFace=100,110,120\n[Personality]\nTop=t.bmp\n", {{"t.bmp", Solid(6, 6, c.border)}});
        ASSERT_TRUE(parsed.skin && parsed.skin->toolbar) << parsed.error;
        const Image32& bar = parsed.skin->toolbar->bitmap;
        ASSERT_EQ(bar.width(), 10);
        ASSERT_EQ(bar.height(), 40);
        EXPECT_EQ(bar.at(0, 0), skin::PixelFromColor(skin::MixColorsWeighted(ui::rgb(100, 110, 120), ui::clWhite, 150)));
        // The gradient's own last line: a descending channel may stop one short of the end.
        skin::GradientCache gradients;
        const ui::TColor start = skin::MixColorsWeighted(ui::rgb(100, 110, 120), ui::clWhite, 150);
        const int slot = gradients.BuildGradient(40, static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(c.end));
        EXPECT_EQ(gradients.Colors(slot).back(), static_cast<std::uint32_t>(c.end) + 0x010101u);
        EXPECT_EQ(bar.at(9, 39), skin::PixelFromColor(static_cast<ui::TColor>(gradients.Colors(slot).back()))) << std::hex << c.border;
        EXPECT_EQ(parsed.skin->toolbar->frame, 1);
    }
}

TEST(SkinParse, PicturesAndMissingMembers) {
    const ParsedSkin parsed = Parse("[Headerbar]\nImage=c:\\skin\\h.bmp\n[MenuItem]\nImage=gone.bmp\n[MenuBackground]\nImage=h.png\n[SunkEdge]\n",
                                    {{"h.bmp", Cells(1, 1, 5)}});
    ASSERT_TRUE(parsed.skin) << parsed.error;
    const SkinDescription& s = *parsed.skin;
    ASSERT_TRUE(s.header_bar && s.menu_item && s.menu_background);
    EXPECT_FALSE(s.header_bar->bitmap.empty());
    EXPECT_TRUE(s.menu_item->bitmap.empty());
    EXPECT_TRUE(s.menu_background->bitmap.empty());
    EXPECT_FALSE(s.sunk_edge);  // no Image: no element
}

} // namespace

namespace {

TEST(SkinDump, ListsElementsColoursAndButtons) {
    const ParsedSkin parsed = Parse("[TitlebarSkin]\nSkinName=Tiny\n[Colours]\nButtonFace=1,2,3\n[Button1]\nAction=2\nXcoord=5\n"
                                    "[Tabs]\nImage=t.bmp\nBorder=t.bmp\n",
                                    {{"t.bmp", Solid(10, 4, 1)}});
    ASSERT_TRUE(parsed.skin) << parsed.error;
    const std::string dump = skin::DumpSkin(*parsed.skin);
    for (const char* line : {"skin name: Tiny\n", " 3=$00030201* ", "border colour: $00030201\n",
                             "[Tabs] picture 10x4 frames 5 margins 0,0,0,0 trans 0 tile 0 style 0 colours -1,-1,-1",
                             "  second picture 10x4\n", "[BUTTON1] picture none frames 6", "  action 2 align 0 at 5,0 combine -1",
                             "[Track] picture 16x4 frames 1 margins 3,3,3,3", "[Toolbar] picture 10x40 frames 1",
                             "  text alignment 0 background 0 font height 14"})
        EXPECT_NE(dump.find(line), std::string::npos) << line << "\nin:\n" << dump;
}

} // namespace
