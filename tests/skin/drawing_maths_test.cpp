#include <algorithm>

#include <gtest/gtest.h>

#include "skin/colors.h"
#include "skin/frame_geometry.h"
#include "skin/gradient_cache.h"
#include "skin/pixel_transforms.h"
#include "skin/region_runs.h"
#include "tests/skin/pixel_maps.h"

namespace {

using skin::Blit;
using skin::Image32;
using skin::Margins;
using skin::Rect;

using skin_test::CellPixel;
using PixelMaps = std::vector<std::string>;

PixelMaps Map(const Image32& image) { return skin_test::MapOf(image); }
Image32 FromMap(const PixelMaps& rows) { return skin_test::ImageOf(rows); }

// A 6 x 5 frame whose cells differ: margins 2, 1, 1, 2 around a 3 x 2 centre.
const std::vector<std::string> kFrame = {
    "aabbbc",
    "ddeeef",
    "ddeeef",
    "gghhhi",
    "gghhhi",
};
const Margins kMargins{2, 1, 1, 2};

std::vector<std::string> NineSlice(int w, int h, Margins m, bool tile) {
    const Image32 source = FromMap(kFrame);
    Image32 target(w, h, skin::kKeyPixel);
    skin::DrawBlits(source, skin::NineSliceBlits(w, h, {0, 0, 6, 5}, m, tile), target);
    return Map(target);
}

TEST(NineSlice, StretchedCentreAndFixedBorders) {
    EXPECT_EQ(NineSlice(10, 7, kMargins, false), (std::vector<std::string>{
                                                     "aabbbbbbbc",
                                                     "ddeeeeeeef",
                                                     "ddeeeeeeef",
                                                     "ddeeeeeeef",
                                                     "ddeeeeeeef",
                                                     "gghhhhhhhi",
                                                     "gghhhhhhhi",
                                                 }));
}

// The 3 x 2 centre tiled into 7 x 5: the last column and row are cut, and the right and
// bottom pieces show none of the tiles.
TEST(NineSlice, TiledCentreIsCutAtTheBorders) {
    const Image32 source = FromMap({
        "aabbbc",
        "ddeghf",
        "ddhief",
        "gghhhi",
        "gghhhi",
    });
    Image32 target(10, 8, skin::kKeyPixel);
    skin::DrawBlits(source, skin::NineSliceBlits(10, 8, {0, 0, 6, 5}, kMargins, true), target);
    EXPECT_EQ(Map(target), (std::vector<std::string>{
                               "aabbbbbbbc",
                               "ddegheghef",
                               "ddhiehiehf",
                               "ddegheghef",
                               "ddhiehiehf",
                               "ddegheghef",
                               "gghhhhhhhi",
                               "gghhhhhhhi",
                           }));
}

struct MarginCase {
    const char* name;
    Margins margins;
    Blit probe;  // a copy that shows the margins in force
};

class MarginsThatDoNotFit : public ::testing::TestWithParam<MarginCase> {};

// A 30 x 30 frame into 10 x 20.
TEST_P(MarginsThatDoNotFit, AreDroppedPairwise) {
    const std::vector<Blit> blits = skin::NineSliceBlits(10, 20, {0, 0, 30, 30}, GetParam().margins, false);
    EXPECT_NE(std::find(blits.begin(), blits.end(), GetParam().probe), blits.end());
}

INSTANTIATE_TEST_SUITE_P(
    Table, MarginsThatDoNotFit,
    ::testing::Values(
        // the whole frame width stretched between top and bottom margins
        MarginCase{"six_and_six_in_ten", {6, 2, 6, 2}, {{0, 2, 30, 28}, {0, 2, 10, 18}}},
        // the left edge keeps its 5 pixels
        MarginCase{"five_and_five_in_ten", {5, 2, 5, 2}, {{0, 2, 5, 28}, {0, 2, 5, 18}}},
        MarginCase{"top_and_bottom", {1, 15, 1, 6}, {{1, 0, 29, 30}, {1, 0, 9, 20}}},
        MarginCase{"negative_as_none", {-3, 2, 1, 2}, {{0, 2, 29, 28}, {0, 2, 9, 18}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NineSlice, NothingForEmptyOrHugeDestinationsAndWideMargins) {
    EXPECT_TRUE(skin::NineSliceBlits(0, 10, {0, 0, 6, 5}, kMargins, false).empty());
    EXPECT_TRUE(skin::NineSliceBlits(10, -1, {0, 0, 6, 5}, kMargins, true).empty());
    EXPECT_TRUE(skin::NineSliceBlits(100000, 10, {0, 0, 6, 5}, kMargins, false).empty());
    // Margins wider than the frame leave no centre piece and no mirrored copies.
    for (const Blit& b : skin::NineSliceBlits(40, 40, {0, 0, 6, 5}, {4, 1, 4, 1}, true)) {
        EXPECT_GT(b.src.width(), 0);
        EXPECT_GT(b.dst.width(), 0);
    }
}

struct FrameCase {
    const char* name;
    int width, height, count, index;
    bool vertical;
    std::optional<Rect> frame;
};

class FrameStrips : public ::testing::TestWithParam<FrameCase> {};

TEST_P(FrameStrips, NameTheFrameOrNothing) {
    const auto& c = GetParam();
    EXPECT_EQ(skin::FrameRect(c.width, c.height, c.count, c.index, c.vertical), c.frame);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FrameStrips,
    ::testing::Values(FrameCase{"third_of_four", 160, 20, 4, 3, false, Rect{80, 0, 120, 20}},
                      FrameCase{"stacked", 16, 64, 4, 2, true, Rect{0, 16, 16, 32}},
                      FrameCase{"count_zero", 160, 20, 0, 1, false, std::nullopt},
                      FrameCase{"index_zero", 160, 20, 4, 0, false, std::nullopt},
                      FrameCase{"index_past_count", 160, 20, 4, 5, false, std::nullopt},
                      FrameCase{"more_frames_than_pixels", 3, 20, 4, 1, false, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Bars, CapsStretchedAndTheMiddleRepeated) {
    const Image32 source = FromMap({"abcd", "abcd"});
    Image32 target(9, 3, skin::kKeyPixel);
    skin::DrawBlits(source, skin::BarBlits(9, 3, {0, 0, 4, 2}, 1, 1), target);
    EXPECT_EQ(Map(target), (std::vector<std::string>{"abcbcbcbd", "abcbcbcbd", "abcbcbcbd"}));
}

TEST(Bars, AFrameNoWiderThanItsCapsIsStretchedWhole) {
    for (const auto& [left, right] : {std::pair{2, 2}, std::pair{3, 2}, std::pair{-1, 1}}) {
        EXPECT_EQ(skin::BarBlits(50, 10, {4, 0, 8, 6}, left, right),
                  (std::vector<Blit>{{{4, 0, 8, 6}, {0, 0, 50, 10}}}));
    }
}

TEST(Bars, StretchedBarNarrowerThanTheFrameStretchesTheWholeFrame) {
    EXPECT_EQ(skin::StretchedBarBlits({10, 10, 15, 20}, {0, 0, 8, 6}, 2, 2),
              (std::vector<Blit>{{{0, 0, 8, 6}, {10, 10, 15, 20}}}));
    EXPECT_EQ(skin::StretchedBarBlits({10, 10, 30, 20}, {0, 0, 8, 6}, 2, 3),
              (std::vector<Blit>{{{0, 0, 2, 6}, {10, 10, 12, 20}},
                                 {{2, 0, 5, 6}, {12, 10, 27, 20}},
                                 {{5, 0, 8, 6}, {27, 10, 30, 20}}}));
    EXPECT_TRUE(skin::StretchedBarBlits({10, 10, 5, 20}, {0, 0, 8, 6}, 2, 2).empty());
}

TEST(CentredFrames, StickOutEquallyWhenLarger) {
    EXPECT_EQ(skin::CenteredOrigin({10, 10, 30, 20}, 10, 4), (std::pair{15, 13}));
    EXPECT_EQ(skin::CenteredOrigin({10, 10, 20, 20}, 20, 30), (std::pair{5, 0}));
    EXPECT_EQ(skin::CenteredOrigin({0, 0, 10, 10}, 13, 13), (std::pair{-1, -1}));  // -3 / 2 truncates to -1
}

TEST(Regions, RunsOutsideTheKeyRange) {
    // Magenta with green 1 is key like pure magenta; green 2 is not.
    Image32 image(5, 2, skin::kKeyPixel);
    image.set(1, 0, 0xFF01FF);
    image.set(2, 0, 0xFF02FF);
    image.set(3, 0, 0x000000);
    image.set(0, 1, 0x123456);
    std::vector<Rect> runs;
    const skin::KeyRange range{skin::kKeyPixel, 1, 1, 1};
    skin::CollectRegionRuns(image, 10, 20, range, [&](const std::vector<Rect>& b) { runs.insert(runs.end(), b.begin(), b.end()); });
    EXPECT_EQ(runs, (std::vector<Rect>{{12, 20, 14, 21}, {10, 21, 11, 22}}));
}

TEST(Regions, OneRowBitmapsAndTheTwoThousandRectangleFlush) {
    Image32 row(9, 1, 0);
    row.set(4, 0, skin::kKeyPixel);
    std::vector<std::size_t> batches;
    EXPECT_EQ(skin::CollectRegionRuns(row, 0, 0, {}, [&](const std::vector<Rect>& b) { batches.push_back(b.size()); }), 2u);
    EXPECT_EQ(batches, (std::vector<std::size_t>{2}));

    // 45 rows of 100 runs: batches of 2000, 2000 and the 500 left.
    Image32 stripes(200, 45, skin::kKeyPixel);
    for (int y = 0; y < 45; ++y)
        for (int x = 0; x < 200; x += 2) stripes.set(x, y, 0);
    batches.clear();
    EXPECT_EQ(skin::CollectRegionRuns(stripes, 0, 0, {}, [&](const std::vector<Rect>& b) { batches.push_back(b.size()); }), 4500u);
    EXPECT_EQ(batches, (std::vector<std::size_t>{2000, 2000, 500}));
}

struct MixCase {
    const char* name;
    ui::TColor a, b;
    int weight;
    ui::TColor mixed;
};

class ColorMixing : public ::testing::TestWithParam<MixCase> {};

TEST_P(ColorMixing, GivesAsShare) {
    EXPECT_EQ(skin::MixColorsWeighted(GetParam().a, GetParam().b, GetParam().weight), GetParam().mixed);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ColorMixing,
    ::testing::Values(MixCase{"half", ui::rgb(200, 0, 100), ui::rgb(0, 200, 0), 50, ui::rgb(100, 100, 50)},
                      MixCase{"per_mille_150", ui::rgb(200, 0, 0), ui::rgb(0, 200, 0), 150, ui::rgb(30, 170, 0)},
                      MixCase{"all_a", ui::rgb(1, 2, 3), ui::rgb(9, 9, 9), 1000, ui::rgb(1, 2, 3)},
                      MixCase{"rounds_half_up", ui::rgb(1, 0, 0), ui::rgb(0, 0, 0), 50, ui::rgb(1, 0, 0)},
                      MixCase{"system_colour", ui::clBtnFace, ui::clBlack, 100, ui::rgb(24, 24, 24)}),
    [](const auto& info) { return std::string(info.param.name); });

struct SaturationCase {
    const char* name;
    ui::TColor color;
    int saturation;
};

class Saturation : public ::testing::TestWithParam<SaturationCase> {};

TEST_P(Saturation, OfAColour) { EXPECT_EQ(skin::ColorSaturation(GetParam().color), GetParam().saturation); }

INSTANTIATE_TEST_SUITE_P(
    Table, Saturation,
    ::testing::Values(SaturationCase{"dark", ui::rgb(159, 0, 159), 200}, SaturationCase{"red", ui::rgb(255, 0, 0), 255},
                      SaturationCase{"white", ui::rgb(255, 255, 255), 0},
                      SaturationCase{"half_rounds_to_even_down", ui::rgb(170, 169, 169), 2},
                      SaturationCase{"half_rounds_to_even_up", ui::rgb(170, 167, 167), 4},
                      SaturationCase{"blue_channel", ui::rgb(0, 0, 200), 255}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Gradients, OneLineIsTheMidpointAndIsBuiltOnce) {
    skin::GradientCache cache;
    const int slot = cache.GetGradient(1, ui::rgb(0, 100, 200), ui::rgb(100, 0, 201));
    EXPECT_EQ(cache.Colors(slot), (std::vector<std::uint32_t>{static_cast<std::uint32_t>(ui::rgb(50, 50, 200))}));
    EXPECT_EQ(cache.GetGradient(1, ui::rgb(0, 100, 200), ui::rgb(100, 0, 201)), slot);
    EXPECT_EQ(cache.BuildGradient(2, 0, 0), slot + 1);  // nothing else was built
}

TEST(Gradients, DescendingChannelsKeepTheirColoursAndAreFoundAgain) {
    skin::GradientCache cache;
    // Red rises 0 -> 4, green falls 4 -> 0, blue falls 10 -> 9 over 3 lines; the rounding,
    // truncated toward zero, stops the falling channels short of their end.
    const int slot = cache.GetGradient(3, ui::rgb(0, 4, 10), ui::rgb(4, 0, 9));
    EXPECT_EQ(cache.Colors(slot), (std::vector<std::uint32_t>{static_cast<std::uint32_t>(ui::rgb(0, 4, 10)),
                                                              static_cast<std::uint32_t>(ui::rgb(2, 3, 10)),
                                                              static_cast<std::uint32_t>(ui::rgb(4, 1, 10))}));
    EXPECT_EQ(cache.GetGradient(3, ui::rgb(0, 4, 10), ui::rgb(4, 0, 9)), slot);
    EXPECT_EQ(cache.FindGradient(0, 0, 0), -1);
    EXPECT_EQ(cache.GetGradient(-2, 0, 0), -1);
    EXPECT_EQ(cache.GetGradient(skin::GradientCache::kMaxLines + 1, 0, 0), -1);
}

TEST(Gradients, TheSeventeenthTakesTheFirstSlot) {
    skin::GradientCache cache;
    for (int i = 0; i < 16; ++i) EXPECT_EQ(cache.GetGradient(10 + i, 0, 0xFFFFFF), i);
    EXPECT_EQ(cache.GetGradient(5, 0, 0xFFFFFF), 0);
    EXPECT_EQ(cache.FindGradient(10, 0, 0xFFFFFF), -1);
    EXPECT_EQ(cache.FindGradient(11, 0, 0xFFFFFF), 1);
}

TEST(Gradients, VisibleLinesFollowTheClip) {
    const Rect rect{10, 20, 110, 60};
    EXPECT_EQ(skin::VisibleGradientLines(rect, {0, 0, 500, 500}, true), (std::pair{0, 39}));
    EXPECT_EQ(skin::VisibleGradientLines(rect, {0, 30, 500, 40}, true), (std::pair{10, 19}));
    EXPECT_EQ(skin::VisibleGradientLines(rect, {50, 0, 60, 500}, false), (std::pair{40, 49}));
    const auto none = skin::VisibleGradientLines(rect, {0, 70, 500, 80}, true);
    EXPECT_LT(none.second, none.first);
}

TEST(PixelTransforms, TurnMirrorFlipAndReplaceTheKey) {
    const std::vector<std::string> source = {"abc", "de#"};
    Image32 image = FromMap(source);
    skin::RotateBitmapLeft(image);
    EXPECT_EQ(Map(image), (std::vector<std::string>{"c#", "be", "ad"}));
    image = FromMap(source);
    skin::RotateBitmapRight(image);
    EXPECT_EQ(Map(image), (std::vector<std::string>{"da", "eb", "#c"}));
    image = FromMap(source);
    skin::MirrorBitmap(image);
    EXPECT_EQ(Map(image), (std::vector<std::string>{"cba", "#ed"}));
    image = FromMap(source);
    skin::FlipBitmap(image);
    EXPECT_EQ(Map(image), (std::vector<std::string>{"de#", "abc"}));
    image = FromMap(source);
    skin::ReplaceMagenta(image, ui::rgb(0x90, 0, 0));  // red 0x90: cell 'i'
    EXPECT_EQ(Map(image), (std::vector<std::string>{"abc", "dei"}));
}

TEST(Images, CopyStretchAndKeyedCopyClip) {
    const Image32 source = FromMap({"ab", "c#"});
    EXPECT_EQ(Map(skin::CopyArea(source, {1, 0, 5, 5})), (std::vector<std::string>{"b", "#"}));
    EXPECT_TRUE(skin::CopyArea(source, {2, 0, 5, 5}).empty());
    Image32 big(4, 4, CellPixel('i'));
    skin::StretchNearest(source, {0, 0, 2, 2}, big, {0, 0, 4, 4});
    EXPECT_EQ(Map(big), (std::vector<std::string>{"aabb", "aabb", "cc##", "cc##"}));
    Image32 under(3, 3, CellPixel('i'));
    skin::CopyKeyed(source, {0, 0, 2, 2}, under, 2, 1);
    EXPECT_EQ(Map(under), (std::vector<std::string>{"iii", "iia", "iic"}));
    EXPECT_TRUE(Image32(1 << 14, 1 << 14).empty());
}

} // namespace
