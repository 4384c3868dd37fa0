#include <gtest/gtest.h>

#include "skin/bar_faces.h"
#include "tests/skin/pixel_maps.h"

namespace {

using skin::Blit;
using skin::Margins;
using skin::Rect;
using skin_test::PixelMap;

TEST(ProgressLength, BarLookFillsByPositionAboveTheLowLimit) {
    struct Case {
        const char* name;
        int length, low, high, pos, filled;
    };
    const Case cases[] = {
        {"half of 0..100", 200, 0, 100, 50, 100},
        {"empty at 0", 200, 0, 100, 0, 0},
        {"full at the top", 200, 0, 100, 100, 200},
        {"rounded like MulDiv", 100, 0, 3, 1, 33},
        {"rounded up at a half", 3, 0, 2, 1, 2},
        {"a low limit other than 0", 100, 50, 150, 100, 50},
        {"at the low limit", 100, 50, 150, 50, 0},
        {"a negative range", 100, -200, -100, -150, 50},
        {"a range across 0 at 0", 100, -100, 100, 0, 50},
        {"below the range", 100, 0, 100, -20, 0},
        {"past the range stays within the bar", 100, 0, 100, 500, 100},
        {"reversed range", 100, 100, 0, 50, 0},
        {"high equal to low divides by nothing", 100, 7, 7, 9, 0},
        {"no length", 0, 0, 100, 50, 0},
        {"the widest range", 100, -2147483647 - 1, 2147483647, 0, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(skin::ProgressFillLength(c.length, c.low, c.high, c.pos), c.filled);
    }
}

TEST(ProgressLength, ChunkLookReadsOnlyTheHighLimit) {
    struct Case {
        const char* name;
        int length, high, pos, filled;
    };
    const Case cases[] = {
        {"45 of 100", 100, 100, 45, 45}, {"nothing at 0", 100, 100, 0, 0},      {"negative position", 100, 100, -5, 0},
        {"no high limit", 100, 0, 5, 0}, {"past the top", 100, 100, 130, 100}, {"pos / high, the low limit unread", 100, 150, 100, 67},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(skin::ProgressChunkLength(c.length, c.high, c.pos), c.filled);
    }
    EXPECT_EQ(skin::MulDivRounded(10, 1, 0), 0);
    EXPECT_EQ(skin::MulDivRounded(-3, 1, 2), -2);
}

// Draws the copies of a chunk picture (letters a, b, c across) into a bar of '.'.
PixelMap DrawChunks(int bar_w, int bar_h, const std::vector<Blit>& blits, const PixelMap& chunk) {
    const skin::Image32 source = skin_test::ImageOf(chunk);
    skin::Image32 bar(bar_w, bar_h, 0);
    skin::DrawBlits(source, blits, bar);
    PixelMap out = skin_test::MapOf(bar);
    for (std::string& row : out)
        for (char& c : row)
            if (c == '?') c = '.';
    return out;
}

TEST(ProgressChunks, TiledChunksStartAfterTheMarginAndTheLastIsCut) {
    // A bar 100 wide at 45 % with chunks 10 wide: five chunks, the fifth cut at 45 pixels.
    const int filled = skin::ProgressChunkLength(100, 100, 45);
    const std::vector<Blit> blits = skin::ProgressChunkBlits(100, 8, filled, 10, 4, Margins{1, 0, 1, 0}, true);
    ASSERT_EQ(blits.size(), 5u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(blits[i], (Blit{{0, 0, 10, 4}, {3 + 10 * i, 2, 13 + 10 * i, 6}})) << i;
    EXPECT_EQ(blits[4], (Blit{{0, 0, 5, 4}, {43, 2, 48, 6}}));

    // Full, the chunks stop at the bar's edge.
    const std::vector<Blit> full = skin::ProgressChunkBlits(20, 6, 20, 8, 2, Margins{}, true);
    const PixelMap chunk = {"aaabbbcc", "aaabbbcc"};
    EXPECT_EQ(DrawChunks(20, 6, full, chunk), (PixelMap{
                                                  "....................",
                                                  "....................",
                                                  "..aaabbbccaaabbbccaa",
                                                  "..aaabbbccaaabbbccaa",
                                                  "....................",
                                                  "....................",
                                              }));
}

TEST(ProgressChunks, StretchedChunkKeepsItsCapsInsideTheTwoPixelBorder) {
    // The bar is 4 pixels lower than the buffer and drawn at (2, 2): its bottom rows show.
    const PixelMap chunk = {"abc", "def", "ghi"};
    const std::vector<Blit> blits = skin::ProgressChunkBlits(12, 7, 6, 3, 3, Margins{1, 0, 1, 0}, false);
    EXPECT_EQ(DrawChunks(12, 7, blits, chunk), (PixelMap{
                                                   "............",
                                                   "............",
                                                   "..abbbbc....",
                                                   "..deeeef....",
                                                   "..ghhhhi....",
                                                   "............",
                                                   "............",
                                               }));
    // Filled to the end, it still ends 2 pixels before the bar's edge.
    const std::vector<Blit> full = skin::ProgressChunkBlits(12, 7, 12, 3, 3, Margins{1, 0, 1, 0}, false);
    ASSERT_FALSE(full.empty());
    EXPECT_EQ(full.back().dst.right, 10);
}

TEST(ProgressChunks, BadSizesDrawNothing) {
    const Margins m{2, 0, 2, 0};
    EXPECT_TRUE(skin::ProgressChunkBlits(100, 8, 0, 10, 4, m, true).empty());
    EXPECT_TRUE(skin::ProgressChunkBlits(100, 8, 50, 0, 4, m, true).empty());
    EXPECT_TRUE(skin::ProgressChunkBlits(0, 8, 50, 10, 4, m, false).empty());
    EXPECT_TRUE(skin::ProgressChunkBlits(3, 3, 3, 10, 4, m, false).empty());
    // Chunks higher than the bar are cut to it.
    for (const Blit& b : skin::ProgressChunkBlits(30, 4, 30, 10, 12, m, true)) {
        EXPECT_GE(b.dst.top, 0);
        EXPECT_LE(b.dst.bottom, 4);
        EXPECT_LE(b.dst.right, 30);
    }
}

// A two-frame bar picture: frame 1 'a' with a magenta centre (the face 'i' shows through),
// frame 2 all 'b'.
skin::ProgressLook BarLook(const skin::Image32& picture) {
    skin::ProgressLook look;
    look.bar = &picture;
    look.bar_margins = {1, 1, 1, 1};
    look.face = skin_test::CellPixel('i');
    return look;
}

PixelMap Progress(int w, int h, skin::ProgressLook look, int low, int high, int pos, bool vertical = false) {
    look.low = low, look.high = high, look.pos = pos, look.vertical = vertical;
    return skin_test::MapOf(skin::ProgressPicture(w, h, look));
}

TEST(ProgressPicture, BarLookFillsFromTheStartOrTheBottom) {
    const skin::Image32 picture = skin_test::ImageOf({"aaabbb", "a#abbb", "aaabbb"});
    const skin::ProgressLook look = BarLook(picture);
    EXPECT_EQ(Progress(10, 3, look, 0, 100, 50), (PixelMap{"bbbbbaaaaa", "bbbbbiiiia", "bbbbbaaaaa"}));
    EXPECT_EQ(Progress(10, 3, look, 0, 100, 0), (PixelMap{"aaaaaaaaaa", "aiiiiiiiia", "aaaaaaaaaa"}));
    EXPECT_EQ(Progress(10, 3, look, 100, 200, 150), Progress(10, 3, look, 0, 100, 50));   // low limit 100
    EXPECT_EQ(Progress(10, 3, look, -100, -50, -75), Progress(10, 3, look, 0, 100, 50));  // a negative range
    EXPECT_EQ(Progress(10, 3, look, 0, 0, 0), Progress(10, 3, look, 0, 100, 0));          // high = low
    EXPECT_EQ(Progress(10, 3, look, 0, 100, 900), (PixelMap{"bbbbbbbbbb", "bbbbbbbbbb", "bbbbbbbbbb"}));
    EXPECT_EQ(Progress(3, 6, look, 0, 100, 50, true), (PixelMap{"aaa", "aia", "aia", "bbb", "bbb", "bbb"}));
    EXPECT_TRUE(skin::ProgressPicture(10, 3, skin::ProgressLook{}).empty());
    EXPECT_TRUE(skin::ProgressPicture(0, 3, look).empty());
}

TEST(ProgressPicture, ChunkLookTilesChunksAfterTheMargin) {
    const skin::Image32 picture = skin_test::ImageOf({"aaa", "a#a", "aaa"});
    const skin::Image32 chunk = skin_test::ImageOf({"cd"});
    skin::ProgressLook look = BarLook(picture);
    look.chunk_look = true;
    EXPECT_TRUE(skin::ProgressPicture(12, 5, look).empty());  // no chunk picture
    look.chunk = &chunk;
    look.chunk_tile = true;
    EXPECT_EQ(Progress(12, 5, look, 0, 100, 50),
              (PixelMap{"aaaaaaaaaaaa", "aiiiiiiiiiia", "aicdcdcdiiia", "aiiiiiiiiiia", "aaaaaaaaaaaa"}));
    // The low limit is not read by the chunk look: 50 of 20..100 is 50 %.
    EXPECT_EQ(Progress(12, 5, look, 20, 100, 50), Progress(12, 5, look, 0, 100, 50));
}

TEST(TrackChannel, VerticalRectangleIsTakenInTheFormItCame) {
    EXPECT_EQ(skin::VerticalChannelRect({8, 10, 12, 90}), (Rect{8, 10, 12, 90}));  // already vertical
    EXPECT_EQ(skin::VerticalChannelRect({10, 8, 90, 12}), (Rect{8, 10, 12, 90}));  // horizontal form
}

TEST(TrackChannel, ThreePiecesEachWay) {
    // Horizontal: 10 x 4 picture with caps 3 and 2 in a channel 40 x 8 at (5, 10): centred in y.
    const auto h = skin::ChannelBlits({5, 10, 45, 18}, 10, 4, Margins{3, 0, 2, 0}, false);
    ASSERT_EQ(h.size(), 3u);
    EXPECT_EQ(h[0], (Blit{{0, 0, 3, 4}, {5, 12, 8, 16}}));
    EXPECT_EQ(h[1], (Blit{{3, 0, 8, 4}, {8, 12, 43, 16}}));
    EXPECT_EQ(h[2], (Blit{{8, 0, 10, 4}, {43, 12, 45, 16}}));
    // A picture higher than the channel starts at its top.
    EXPECT_EQ(skin::ChannelBlits({5, 10, 45, 12}, 10, 4, Margins{3, 0, 2, 0}, false)[0].dst.top, 10);

    // Vertical: 4 x 10 picture, top 3 and bottom 2, in a channel 8 x 40: centred in x.
    const auto v = skin::ChannelBlits({10, 5, 18, 45}, 4, 10, Margins{0, 3, 0, 2}, true);
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0], (Blit{{0, 0, 4, 3}, {12, 5, 16, 8}}));
    EXPECT_EQ(v[1], (Blit{{0, 3, 4, 8}, {12, 8, 16, 43}}));
    EXPECT_EQ(v[2], (Blit{{0, 8, 4, 10}, {12, 43, 16, 45}}));
}

TEST(TrackChannel, TinyOrEmptyChannelsStayInside) {
    const Rect tiny{0, 0, 1, 8};
    for (const Blit& b : skin::ChannelBlits(tiny, 10, 4, Margins{3, 0, 2, 0}, false)) {
        EXPECT_GE(b.dst.left, 0);
        EXPECT_LE(b.dst.right, 1);
    }
    EXPECT_TRUE(skin::ChannelBlits({0, 0, 0, 8}, 10, 4, Margins{}, false).empty());
    EXPECT_TRUE(skin::ChannelBlits({0, 0, 40, 8}, 0, 4, Margins{}, false).empty());
    // Margins larger than the picture are kept inside it.
    for (const Blit& b : skin::ChannelBlits({0, 0, 40, 8}, 10, 4, Margins{30, 0, 30, 0}, false)) {
        EXPECT_GE(b.src.left, 0);
        EXPECT_LE(b.src.right, 10);
    }
}

} // namespace
