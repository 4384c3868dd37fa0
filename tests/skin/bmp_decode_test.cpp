#include <cstring>
#include <functional>

#include <gtest/gtest.h>

#include "skin/bmp_decode.h"
#include "skin/skin_picture.h"
#include "tests/skin/skin_test_data.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& out, std::uint32_t v, int size) {
    for (int i = 0; i < size; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Poke32(Bytes& bytes, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A BMP of any depth: `index(x, y)` is a palette index for 1 to 8 bits and 0x00RRGGBB above.
// The palette is grey levels 0, 1, 2... times 16 so that each index shows in the pixel.
Bytes MakeBmp(int width, int height, int bits, bool top_down, const std::function<std::uint32_t(int, int)>& index) {
    const int palette = bits <= 8 ? 1 << bits : 0;
    const std::uint32_t stride = (static_cast<std::uint32_t>(width * bits) + 31) / 32 * 4;
    const std::uint32_t pixels_at = 54 + static_cast<std::uint32_t>(palette) * 4;
    Bytes out{'B', 'M'};
    Put(out, pixels_at + stride * static_cast<std::uint32_t>(height), 4);
    Put(out, 0, 4);
    Put(out, pixels_at, 4);
    Put(out, 40, 4);
    Put(out, static_cast<std::uint32_t>(width), 4);
    Put(out, static_cast<std::uint32_t>(top_down ? -height : height), 4);
    Put(out, 1, 2);
    Put(out, static_cast<std::uint32_t>(bits), 2);
    for (int i = 0; i < 6; ++i) Put(out, 0, 4);
    for (int i = 0; i < palette; ++i) Put(out, static_cast<std::uint32_t>(i * 16 % 256) * 0x010101, 4);
    for (int row = 0; row < height; ++row) {
        const int y = top_down ? row : height - 1 - row;
        Bytes line(stride, 0);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = index(x, y);
            switch (bits) {
            case 1: line[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>((v & 1) << (7 - x % 8)); break;
            case 4: line[static_cast<std::size_t>(x / 2)] |= static_cast<std::uint8_t>((v & 0xF) << (x % 2 ? 0 : 4)); break;
            case 8: line[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(v); break;
            default:
                for (int b = 0; b < bits / 8; ++b)
                    line[static_cast<std::size_t>(x * bits / 8 + b)] = static_cast<std::uint8_t>(b < 3 ? v >> (8 * b) : 0xAA);
            }
        }
        out.insert(out.end(), line.begin(), line.end());
    }
    return out;
}

skin::Image32 Decode(const Bytes& bytes) { return skin::DecodeBmp(bytes.data(), bytes.size()); }

TEST(BmpDecode, EveryDepthBothRowOrders) {
    for (int bits : {1, 4, 8, 24, 32}) {
        for (bool top_down : {false, true}) {
            const int levels = bits <= 8 ? 1 << bits : 0;
            auto value = [&](int x, int y) -> std::uint32_t {
                return levels ? static_cast<std::uint32_t>(x + 3 * y) % static_cast<std::uint32_t>(levels)
                              : static_cast<std::uint32_t>(0x102030 * (x + 1) + y);
            };
            const skin::Image32 image = Decode(MakeBmp(11, 3, bits, top_down, value));
            ASSERT_EQ(image.width(), 11) << bits;
            ASSERT_EQ(image.height(), 3) << bits;
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 11; ++x) {
                    const std::uint32_t v = value(x, y);
                    const std::uint32_t expected = levels ? (v * 16 % 256) * 0x010101 : v & 0xFFFFFF;
                    ASSERT_EQ(image.at(x, y), expected) << bits << " bits " << (top_down ? "top-down" : "bottom-up") << " at " << x << ',' << y;
                }
        }
    }
}

TEST(BmpDecode, FaultyFilesGiveEmptyPictures) {
    const Bytes good = MakeBmp(4, 4, 8, false, [](int x, int) { return static_cast<std::uint32_t>(x); });
    ASSERT_FALSE(Decode(good).empty());
    struct Case {
        const char* fault;
        std::function<void(Bytes&)> damage;
    };
    const Case cases[] = {
        {"signature", [](Bytes& b) { b[1] = 'A'; }},
        {"core header", [](Bytes& b) { Poke32(b, 14, 12); }},
        {"header past the end", [](Bytes& b) { Poke32(b, 14, 0xFFFFFFF0); }},
        {"16 bits", [](Bytes& b) { b[28] = 16; }},
        {"RLE", [](Bytes& b) { Poke32(b, 30, 1); }},
        {"bit fields", [](Bytes& b) { Poke32(b, 30, 3); }},
        {"width 0", [](Bytes& b) { Poke32(b, 18, 0); }},
        {"negative width", [](Bytes& b) { Poke32(b, 18, static_cast<std::uint32_t>(-4)); }},
        {"height 0", [](Bytes& b) { Poke32(b, 22, 0); }},
        {"oversized", [](Bytes& b) { Poke32(b, 18, 4097); }},
        {"lowest height", [](Bytes& b) { Poke32(b, 22, 0x80000000u); }},
        {"tall beyond the data", [](Bytes& b) { Poke32(b, 22, 4096); }},
        {"pixels past the end", [](Bytes& b) { Poke32(b, 10, static_cast<std::uint32_t>(b.size()) - 4); }},
        {"offset past the end", [](Bytes& b) { Poke32(b, 10, 0xFFFFFFFF); }},
        {"more colours than the depth has", [](Bytes& b) { Poke32(b, 46, 257); }},
        {"cut short", [](Bytes& b) { b.resize(b.size() - 1); }},
        {"header only", [](Bytes& b) { b.resize(40); }},
    };
    for (const Case& c : cases) {
        Bytes bytes = good;
        c.damage(bytes);
        EXPECT_TRUE(Decode(bytes).empty()) << c.fault;
    }
    EXPECT_TRUE(skin::DecodeBmp(nullptr, 0).empty());
}

TEST(BmpDecode, ShortPaletteLeavesUnlistedIndexesBlack) {
    Bytes bytes = MakeBmp(4, 1, 8, false, [](int x, int) { return static_cast<std::uint32_t>(x * 100); });
    Poke32(bytes, 46, 2);  // two colours used: the stored palette is longer, the rest unread
    const skin::Image32 image = Decode(bytes);
    ASSERT_EQ(image.width(), 4);
    EXPECT_EQ(image.at(0, 0), 0u);
    EXPECT_EQ(image.at(1, 0), 0u);  // index 100 is not among the two
}

TEST(BmpDecode, LargestSideIsRead) {
    EXPECT_EQ(Decode(MakeBmp(4096, 1, 1, true, [](int, int) { return 1u; })).width(), 4096);
}

TEST(SkinPicture, NamesPathsAndExtensions) {
    const Bytes bmp = skin_test::MakeBmp(2, 2, [](int, int) { return 0x123456u; });
    skin::WriteResult written = skin::WriteArchive({{"frame.bmp", bmp}, {"empty.bmp", {}}, {"skin.ini", {'x'}}});
    ASSERT_TRUE(written.ok()) << written.error;
    skin::TSkinReader archive;
    ASSERT_TRUE(archive.LoadDecoded(written.archive).ok());
    struct Case {
        const char* value;
        bool found;
    };
    const Case cases[] = {
        {"frame.bmp", true},   {"Frame.bmp", true},   {"c:\\skins\\frame.bmp", true}, {"skins/frame.bmp", true},
        {"frame.BMP", false},  {"frame", false},      {"frame.bmp\\", false},         {"", false},
        {"missing.bmp", false}, {"empty.bmp", false}, {"skin.ini", false},
    };
    for (const Case& c : cases) EXPECT_EQ(!skin::LoadPicture(archive, c.value).empty(), c.found) << c.value;
    EXPECT_EQ(skin::LoadPicture(archive, "frame.bmp").at(1, 1), 0x123456u);
}

} // namespace
