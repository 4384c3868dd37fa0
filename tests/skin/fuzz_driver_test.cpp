// Runs the fuzz entry over a packed skin cut at many lengths and with bits flipped: the
// sanitizers of the native build catch what the decoder or the index does wrong.
#include <random>

#include <gtest/gtest.h>

#include "skin/lzh_stream.h"
#include "skin/skin_archive.h"
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
