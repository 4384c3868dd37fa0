// Runs the fuzz entry over a packed skin cut at many lengths and with bits flipped: the
// sanitizers of the native build catch what the decoder or the index does wrong.
#include <random>

#include <gtest/gtest.h>

#include "skin/lzh_stream.h"
#include "skin/skin_archive.h"
#include "skin/skin_parse.h"
#include "tests/skin/fuzz_entry.h"
#include "tests/skin/skin_test_data.h"

namespace {

std::vector<std::uint8_t> PackedSmallSkin() {
    std::vector<skin::ArchiveMember> members;
    for (const auto& f : skin_test::SmallSkinFiles()) members.push_back({f.name, f.bytes});
    const skin::WriteResult written = skin::WriteArchive(members);
    EXPECT_TRUE(written.ok()) << written.error;
    return skin::LzhEncode(written.archive);
}

TEST(SkinFuzzDriver, CutStoredBytes) {
    const auto stored = PackedSmallSkin();
    for (std::size_t keep = 0; keep <= stored.size(); keep += 1 + keep / 64)
        skin_test::FuzzStoredSkin(stored.data(), keep);
}

TEST(SkinFuzzDriver, FlippedBits) {
    const auto stored = PackedSmallSkin();
    std::mt19937 rng(27);
    for (int round = 0; round < 1500; ++round) {
        auto mutated = stored;
        for (int flips = 1 + static_cast<int>(rng() % 4); flips > 0; --flips) {
            const std::size_t bit = rng() % (mutated.size() * 8);
            mutated[bit / 8] = static_cast<std::uint8_t>(mutated[bit / 8] ^ (1u << (bit % 8)));
        }
        skin_test::FuzzStoredSkin(mutated.data(), mutated.size());
    }
}

// A decoded archive with header words rewritten: lengths and sizes from the whole range.
TEST(SkinFuzzDriver, RewrittenArchiveFields) {
    std::vector<skin::ArchiveMember> members;
    for (const auto& f : skin_test::SmallSkinFiles()) members.push_back({f.name, f.bytes});
    const auto archive = skin::WriteArchive(members).archive;
    std::mt19937 rng(54);
    const std::uint32_t values[] = {0, 1, 69, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu, 20000, 30000, 1001, 1002};
    for (int round = 0; round < 300; ++round) {
        auto mutated = archive;
        const std::size_t at = (rng() % (mutated.size() / 4)) * 4;
        const std::uint32_t v = (round % 2) ? values[rng() % 10] : static_cast<std::uint32_t>(rng());
        for (int i = 0; i < 4; ++i) mutated[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
        const auto stored = skin::LzhEncode(mutated);
        skin_test::FuzzStoredSkin(stored.data(), stored.size());
    }
}

} // namespace

namespace {

// Every section the parse reads, each naming one of the pictures below.
const char kRichDescription[] =
    "[TitlebarSkin]\nSkinName=fuzz\n[Personality]\nTop=m1.bmp\nTopFrame=2\nLeft=m2.bmp\nRight=m2.bmp\nBottom=m1.bmp\n"
    "TextBack=m3.bmp\nmenuBar=m3.bmp\nActiveTextR=1\nActiveTextG=2\nActiveTextB=3\n[Colours]\nButtonFace=200,200,200\n"
    "[Colour1]\ncolor=1,2,3\n[Customcolors]\nColor0=4,5,6\n[Button1]\nAction=1\nVisibility=2\nButtonImage=m4.bmp\n"
    "[Button2]\nAction=4\nButtonImage=m4.bmp\n[MDICONTROLS]\nImage=m3.bmp\n[Buttons]\nBitmap=m4.bmp\nCheckButton=m2.bmp\n"
    "RadioButton=m2.bmp\n[Progress]\nBitmap=m4.bmp\n[Progress.Chunk]\nImage=m4.bmp\n[GroupBoxEdge]\nImage=m4.bmp\n"
    "[GroupBox]\nImage=m4.bmp\n[Tabs]\nImage=m4.bmp\nBorder=m1.bmp\n[StatusBarEdges]\nImage=m4.bmp\n[Tab.Pane]\nImage=m3.bmp\n"
    "[ToolBars]\nImage=m4.bmp\n[ComboButton]\nImage=m4.bmp\n[SunkEdge]\nImage=m3.bmp\nLeftWidth=3\nRightWidth=3\nTopHeight=3\n"
    "BottomHeight=3\n[ExtraImages]\nImage=m4.bmp\n[Headerbar]\nImage=m4.bmp\n[MenuItem]\nImage=m4.bmp\n[MenuBackground]\nImage=m3.bmp\n"
    "[Scrollbar]\nImage=m3.bmp\n[HorzScroll]\nImage=m4.bmp\n[VertScroll]\nImage=m4.bmp\n[HorzScrollThumb]\nImage=m4.bmp\n"
    "[VertScrollThumb]\nImage=m4.bmp\n[Trackbar.ThumbHorz]\nImage=m4.bmp\n[UpDown.Horz]\nImage=m4.bmp\nGlyphImage=m2.bmp\n"
    "[UpDown.Vert]\nImage=m4.bmp\n[Track]\nImage=m2.bmp\n";

std::vector<std::vector<std::uint8_t>> RichPictures() {
    return {skin_test::MakeFrameStrip(30, 8, 2), skin_test::MakeFrameStrip(4, 20, 1), skin_test::MakeFrameStrip(12, 21, 24),
            skin_test::MakeFrameStrip(9, 9, 8)};
}

TEST(SkinDescriptionFuzzDriver, ValuesReplaced) {
    const std::string ini = kRichDescription;
    const auto pictures = RichPictures();
    const char* const values[] = {"0",  "-1", "5", "2147483647", "-2147483648", "0x", "$", "99999999999", "$FFFFFFFF",
                                  "1000000", "m9.bmp", "", "=", "[", "255,255", ";"};
    std::mt19937 rng(55);
    for (int round = 0; round < 400; ++round) {
        std::string mutated = ini;
        for (int edits = 1 + static_cast<int>(rng() % 6); edits > 0; --edits) {
            const std::size_t equals = mutated.find('=', rng() % mutated.size());
            if (equals == std::string::npos) continue;
            const std::size_t end = mutated.find('\n', equals);
            mutated.replace(equals + 1, end - equals - 1, values[rng() % std::size(values)]);
        }
        const auto input = skin_test::DescriptionFuzzInput(mutated, pictures);
        skin_test::FuzzSkinDescription(input.data(), input.size());
    }
}

TEST(SkinDescriptionFuzzDriver, PicturesDamaged) {
    const auto pictures = RichPictures();
    std::mt19937 rng(56);
    for (int round = 0; round < 300; ++round) {
        auto damaged = pictures;
        auto& picture = damaged[rng() % damaged.size()];
        if (round % 3 == 0) picture.resize(rng() % picture.size());
        // Header fields first: they decide every size the decoder checks.
        for (int flips = 1 + static_cast<int>(rng() % 4); flips > 0 && !picture.empty(); --flips) {
            const std::size_t at = rng() % std::min<std::size_t>(picture.size(), round % 2 ? 60 : picture.size());
            picture[at] = static_cast<std::uint8_t>(rng());
        }
        const auto input = skin_test::DescriptionFuzzInput(kRichDescription, damaged);
        skin_test::FuzzSkinDescription(input.data(), input.size());
    }
}

TEST(SkinDescriptionFuzzDriver, RichDescriptionParsesWhole) {
    const auto input = skin_test::DescriptionFuzzInput(kRichDescription, RichPictures());
    skin_test::FuzzSkinDescription(input.data(), input.size());
    std::vector<skin::ArchiveMember> members{{"skin.ini", std::vector<std::uint8_t>(std::begin(kRichDescription), std::end(kRichDescription) - 1)}};
    const auto pictures = RichPictures();
    for (std::size_t i = 0; i < pictures.size(); ++i) members.push_back({"m" + std::to_string(i + 1) + ".bmp", pictures[i]});
    const auto stored = skin::LzhEncode(skin::WriteArchive(members).archive);
    const skin::SkinLoadResult loaded = skin::LoadSkinDescription(stored.data(), stored.size(), skin::PortableSkinSystem());
    ASSERT_TRUE(loaded.skin) << loaded.error;
    EXPECT_EQ(loaded.skin->skin_name, "fuzz");
    EXPECT_EQ(loaded.skin->Elements().size(), 4u + 1 + 5 + 28);  // borders, title, caption buttons, the rest
    for (const skin::TDataSkinObject* e : loaded.skin->Elements()) EXPECT_FALSE(e->bitmap.empty()) << e->name;
}

} // namespace
