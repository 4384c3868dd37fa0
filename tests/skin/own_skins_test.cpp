// Our two skins as the generator draws them: they load whole, pack to the committed bytes on
// every run, and list as their golden listings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "platform/ui/description_parser.h"
#include "skin/bmp_decode.h"
#include "skin/lzh_stream.h"
#include "skin/skin_dump.h"
#include "skin/skin_parse.h"
#include "tests/skin/fuzz_entry.h"
#include "tests/support/test_folder.h"
#include "tools/skingen/program_resources.h"
#include "tools/skingen/skin_generator.h"

namespace {

using test_support::TestFolder;

struct OwnSkin {
    const char* name;
    skingen::SkinLook (*look)();
    const char* golden;
    const char* committed;  // the stored skin the programs embed
};
const OwnSkin kOwnSkins[] = {
    {"default", skingen::DefaultLook, VQ_SKIN_GOLDEN_DIR "/default_skin.txt", VQ_SKIN_STORED_DIR "/default.skn"},
    {"contrast", skingen::ContrastingLook, VQ_SKIN_GOLDEN_DIR "/contrast_skin.txt", VQ_SKIN_STORED_DIR "/contrast.skn"},
};

std::unique_ptr<skin::SkinDescription> Load(const std::vector<std::uint8_t>& stored) {
    skin::SkinLoadResult loaded = skin::LoadSkinDescription(stored.data(), stored.size(), skin::PortableSkinSystem());
    EXPECT_TRUE(loaded.skin) << loaded.error;
    return std::move(loaded.skin);
}

TEST(OwnSkins, PackTheCommittedBytesOnEveryRun) {
    for (const OwnSkin& own : kOwnSkins) {
        TestFolder first(std::string(own.name) + "-1"), second(std::string(own.name) + "-2");
        const skin::PackResult a = skingen::GenerateAndPack(own.look(), first.path());
        const skin::PackResult b = skingen::GenerateAndPack(own.look(), second.path());
        ASSERT_TRUE(a.ok()) << a.error;
        EXPECT_EQ(a.stored, b.stored) << own.name;
        std::string committed;
        ASSERT_TRUE(plat::read_whole_file(own.committed, committed)) << own.committed;
        EXPECT_TRUE(std::equal(a.stored.begin(), a.stored.end(), committed.begin(), committed.end(),
                               [](std::uint8_t x, char y) { return x == static_cast<std::uint8_t>(y); }))
            << own.committed << " differs from a fresh run: regenerate it with skingen when the change is meant";
    }
}

// Both programs store their main window with the skin component; the build writes into its
// SkinStream the length and the bytes of the committed default skin, which a fresh run
// reproduces (above). The sources leave the stream empty.
TEST(OwnSkins, TheProgramsWrittenWindowsCarryTheDefaultSkin) {
    std::string committed;
    ASSERT_TRUE(plat::read_whole_file(kOwnSkins[0].committed, committed));
    std::vector<std::uint8_t> want;
    for (int i = 0; i < 4; ++i) want.push_back(static_cast<std::uint8_t>(committed.size() >> (8 * i)));
    want.insert(want.end(), committed.begin(), committed.end());
    const std::vector<std::uint8_t> empty(4, 0);
    const struct {
        const char* description;
        const std::vector<std::uint8_t>& stream;
    } cases[] = {{VQ_WRITTEN_DESCRIPTIONS "/kesto_main_form.txt", want},
                 {VQ_WRITTEN_DESCRIPTIONS "/velquist_main_form.txt", want},
                 {VQ_PROJECT_DIR "/setuptool/forms/main_form.txt", empty},
                 {VQ_PROJECT_DIR "/station/forms/main_form.txt", empty}};
    for (const auto& c : cases) {
        std::string text;
        ASSERT_TRUE(plat::read_whole_file(c.description, text)) << c.description;
        const ui::DescObject window = ui::parse_description(text);
        const auto component = std::find_if(window.children.begin(), window.children.end(),
                                            [](const ui::DescObject& o) { return o.name == "SkinData1"; });
        ASSERT_NE(component, window.children.end()) << c.description;
        EXPECT_EQ(component->class_name, "TSkinData");
        const auto stream = std::find_if(component->properties.begin(), component->properties.end(),
                                         [](const ui::DescProperty& p) { return p.name == "SkinStream"; });
        ASSERT_NE(stream, component->properties.end()) << c.description;
        EXPECT_TRUE(stream->get().bytes == c.stream)
            << "SkinStream of SkinData1 in " << c.description << " holds " << stream->get().bytes.size() << " bytes";
    }
}

TEST(OwnSkins, ListAsTheirGoldenListings) {
    for (const OwnSkin& own : kOwnSkins) {
        TestFolder folder(own.name);
        const skin::PackResult packed = skingen::GenerateAndPack(own.look(), folder.path());
        ASSERT_TRUE(packed.ok()) << packed.error;
        const auto loaded = Load(packed.stored);
        ASSERT_TRUE(loaded);
        std::string golden;
        ASSERT_TRUE(plat::read_whole_file(own.golden, golden)) << own.golden;
        EXPECT_EQ(skin::DumpSkin(*loaded), golden) << own.name << ": regenerate the listing with skingen and skindump when the change is meant";
    }
}

TEST(OwnSkins, EveryElementHasAPictureAndTheLooksDiffer) {
    TestFolder first("default"), second("contrast");
    const auto a = Load(skingen::GenerateAndPack(skingen::DefaultLook(), first.path()).stored);
    const auto b = Load(skingen::GenerateAndPack(skingen::ContrastingLook(), second.path()).stored);
    ASSERT_TRUE(a && b);
    for (const skin::SkinDescription* s : {a.get(), b.get()}) {
        for (const skin::TDataSkinObject* e : s->Elements()) {
            const bool picture_dropped = dynamic_cast<const skin::TDataSkinSysButton*>(e) && static_cast<const skin::TDataSkinSysButton*>(e)->action == 3;
            EXPECT_NE(e->bitmap.empty(), !picture_dropped) << s->skin_name << ' ' << e->name;
        }
        ASSERT_TRUE(s->scrollbar);
        const int cell = s->scrollbar->bitmap.width() / s->scrollbar->frame;
        EXPECT_LE(std::abs(cell - skin::PortableSkinSystem().HScrollArrowWidth()), 2);
        // The magenta corners that shape the window region sit at the outer corners of the side
        // pieces, which run the window's whole height; the top and bottom pieces have none.
        const auto& left = s->borders[skin::kLeftBorder].bitmap;
        const auto& right = s->borders[skin::kRightBorder].bitmap;
        EXPECT_EQ(left.at(0, 0), skin::kKeyPixel);
        EXPECT_EQ(left.at(0, left.height() - 1), skin::kKeyPixel);
        EXPECT_EQ(right.at(right.width() / 2 - 1, 0), skin::kKeyPixel);
        EXPECT_EQ(right.at(right.width() / 2 - 1, right.height() - 1), skin::kKeyPixel);
        EXPECT_NE(left.at(left.width() / 2 - 1, 0), skin::kKeyPixel);
        for (skin::BorderSide side : {skin::kTopBorder, skin::kBottomBorder}) {
            const auto& band = s->borders[side].bitmap;
            for (int y = 0; y < band.height(); ++y)
                for (int x = 0; x < band.width(); ++x) ASSERT_NE(band.at(x, y), skin::kKeyPixel) << side;
        }
    }
    EXPECT_NE(a->colours[skin::kButtonFace], b->colours[skin::kButtonFace]);
    EXPECT_NE(a->borders[skin::kLeftBorder].bitmap.width(), b->borders[skin::kLeftBorder].bitmap.width());
    EXPECT_NE(a->borders[skin::kTopBorder].bitmap.height(), b->borders[skin::kTopBorder].bitmap.height());
    EXPECT_NE(a->caption_buttons[1].x, b->caption_buttons[1].x);
}

// The title text is drawn in the colour table's title text colours on the text back's plate,
// active and inactive: each pair must read (a contrast ratio of at least 4.5, as for body text).
double Luminance(std::uint32_t rgb) {
    double sum = 0;
    const double weights[3] = {0.0722, 0.7152, 0.2126};  // blue, green, red
    for (int i = 0; i < 3; ++i) {
        const double c = static_cast<double>((rgb >> (8 * i)) & 0xFF) / 255;
        sum += weights[i] * (c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

double Contrast(std::uint32_t a, std::uint32_t b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(OwnSkins, TitleTextStandsOutFromItsTextBack) {
    for (const OwnSkin& own : kOwnSkins) {
        std::string committed;
        ASSERT_TRUE(plat::read_whole_file(own.committed, committed));
        const auto s = Load(std::vector<std::uint8_t>(committed.begin(), committed.end()));
        ASSERT_TRUE(s);
        const skin::Image32& back = s->title.bitmap;
        ASSERT_FALSE(back.empty());
        // Two frames one above the other, each as tall as the caption; the text sits mid-height.
        const int frame_height = back.height() / 2;
        EXPECT_EQ(frame_height, s->borders[skin::kTopBorder].bitmap.height() / 2) << own.name;
        for (int frame = 0; frame < 2; ++frame) {
            const std::uint32_t plate = back.at(back.width() / 2, frame * frame_height + frame_height / 2) & 0xFFFFFF;
            EXPECT_NE(plate, skin::kKeyPixel) << own.name;
            const ui::TColor text = s->colours[frame == 0 ? skin::kTitleTextActive : skin::kTitleTextNoActive];
            const std::uint32_t bgr = ui::color_to_rgb(text);
            const std::uint32_t rgb = ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
            EXPECT_GE(Contrast(plate, rgb), 4.5) << own.name << (frame == 0 ? " active" : " inactive");
        }
    }
}

} // namespace

namespace {

// Our two skins as fuzz seeds: flipped bits in the stored bytes and in the decoded archive
// (whose members then reach the description's parse intact enough to be read).
TEST(OwnSkins, SurviveDamagedBytes) {
    std::mt19937 rng(57);
    for (const OwnSkin& own : kOwnSkins) {
        TestFolder folder(own.name);
        const skin::PackResult packed = skingen::GenerateAndPack(own.look(), folder.path());
        ASSERT_TRUE(packed.ok()) << packed.error;
        const std::vector<std::uint8_t> archive = skin::LzhDecode(packed.stored).bytes;
        ASSERT_FALSE(archive.empty());
        for (int round = 0; round < 60; ++round) {
            auto stored = packed.stored;
            auto decoded = archive;
            for (int flips = 1 + static_cast<int>(rng() % 8); flips > 0; --flips) {
                stored[rng() % stored.size()] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
                decoded[rng() % decoded.size()] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
            }
            skin_test::FuzzStoredSkin(stored.data(), stored.size());
            const auto repacked = skin::LzhEncode(decoded);
            skin_test::FuzzStoredSkin(repacked.data(), repacked.size());
        }
    }
}

} // namespace

namespace {

// '#' black, '.' white.
std::vector<std::string> MonoMap(const skin::Image32& image) {
    std::vector<std::string> rows;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x) row += image.at(x, y) == 0 ? '#' : image.at(x, y) == 0xFFFFFF ? '.' : '?';
        rows.push_back(row);
    }
    return rows;
}

TEST(ProgramResources, MenuGlyphsRestoreMaximiseMinimiseClose) {
    const auto resources = skingen::ProgramResources();
    ASSERT_EQ(resources[0].name, "skinmenuglyphs.bmp");
    const skin::Image32 glyphs = skin::DecodeBmp(resources[0].bytes.data(), resources[0].bytes.size());
    EXPECT_EQ(resources[0].bytes[28], 1);  // one bit per pixel
    EXPECT_EQ(MonoMap(glyphs), (std::vector<std::string>{
        "................................................................",
        "................................................................",
        "................................................................",
        "......######....................................................",
        "......######.......#########.......................##.....##....",
        "......#....#.......#########........................##...##.....",
        "...#######.#.......#.......#.........................##.##......",
        "...#######.#.......#.......#........#######...........###.......",
        "...#.....###.......#.......#........#######..........##.##......",
        "...#.....#.........#.......#........................##...##.....",
        "...#.....#.........#.......#.......................##.....##....",
        "...#######.........#########....................................",
        "................................................................",
        "................................................................",
        "................................................................",
        "................................................................",
    }));
}

// '.' olive (transparent), '#' black, 'g' grey, 'w' white, 'c' any other colour.
std::vector<std::string> MediaMap(const skin::Image32& image) {
    std::vector<std::string> rows;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t c = image.at(x, y) & 0xFFFFFF;
            row += c == skingen::kMediaTransparent ? '.' : c == 0 ? '#' : c == 0x808080 ? 'g' : c == 0xFFFFFF ? 'w' : 'c';
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(ProgramResources, MediaPlayerPicturesEveryButtonInThreeStates) {
    const auto resources = skingen::ProgramResources();
    const std::string script = std::string(resources.back().bytes.begin(), resources.back().bytes.end());
    ASSERT_EQ(resources.back().name, "skin_resources.rc");
    int pictures = 0;
    for (const skin_test::SkinFile& file : resources) {
        if (file.name.rfind("_mp") != 2) continue;
        ++pictures;
        const skin::Image32 image = skin::DecodeBmp(file.bytes.data(), file.bytes.size());
        EXPECT_EQ(std::make_pair(image.width(), image.height()), std::make_pair(16, 14)) << file.name;
        EXPECT_EQ(image.at(0, 0) & 0xFFFFFF, skingen::kMediaTransparent) << file.name;
    }
    EXPECT_EQ(pictures, 27);
    for (int button = 0; button < skin::kMediaButtons; ++button)
        for (auto picture : {skin::MediaPicture::kEnabled, skin::MediaPicture::kDisabled, skin::MediaPicture::kColoured}) {
            const std::string line = skin::MediaPictureName(picture, button) + " BITMAP \"" +
                                     skingen::MediaPictureFile(picture, button) + "\"\n";
            EXPECT_NE(script.find(line), std::string::npos) << line;
        }
    EXPECT_NE(script.find("TRACKVERT BITMAP \"trackvert.bmp\"\n"), std::string::npos);
    // The same glyph in each state: black, grey engraved on white, and the button's colour.
    EXPECT_EQ(MediaMap(skingen::MediaButtonPicture(skin::MediaPicture::kEnabled, 0)), (std::vector<std::string>{
        "................", "................",
        ".....#..........", ".....##.........", ".....###........", ".....####.......", ".....#####......",
        ".....####.......", ".....###........", ".....##.........", ".....#..........",
        "................", "................", "................"}));
    EXPECT_EQ(MediaMap(skingen::MediaButtonPicture(skin::MediaPicture::kDisabled, 0)), (std::vector<std::string>{
        "................", "................",
        ".....g..........", ".....gg.........", ".....ggg........", ".....gggg.......", ".....ggggg......",
        ".....ggggww.....", ".....gggww......", ".....ggww.......", ".....gww........",
        "......w.........", "................", "................"}));
    const auto coloured = MediaMap(skingen::MediaButtonPicture(skin::MediaPicture::kColoured, 7));
    EXPECT_EQ(coloured[3], "......cccc......");
    EXPECT_EQ(coloured[6], "....cccccccc....");
}

TEST(ProgramResources, CommittedFilesAreAFreshRun) {
    for (const skin_test::SkinFile& file : skingen::ProgramResources()) {
        std::string committed;
        ASSERT_TRUE(plat::read_whole_file(VQ_SKIN_RESOURCE_DIR "/" + file.name, committed)) << file.name;
        EXPECT_EQ(std::string(file.bytes.begin(), file.bytes.end()), committed) << file.name;
    }
    const auto resources = skingen::ProgramResources();
    const skin::Image32 track = skin::DecodeBmp(resources[1].bytes.data(), resources[1].bytes.size());
    const skin::Image32 track_vert = skin::DecodeBmp(resources[2].bytes.data(), resources[2].bytes.size());
    EXPECT_EQ(track, skin::DrawTrackPicture(false));
    EXPECT_EQ(track_vert, skin::DrawTrackPicture(true));
    EXPECT_EQ(std::make_pair(track.width(), track.height()), std::make_pair(16, 4));
    EXPECT_EQ(std::make_pair(track_vert.width(), track_vert.height()), std::make_pair(4, 16));
}

} // namespace
