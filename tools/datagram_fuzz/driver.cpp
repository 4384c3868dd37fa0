// A bounded fuzz run without libFuzzer: random datagrams and mutations of well-formed ones,
// for a given time or number of inputs, whichever ends first. The sanitizers of the build
// report what goes wrong; the program itself only counts.
//   datagram_fuzz_driver [--seconds S] [--runs N] [--seed X]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "tools/datagram_fuzz/datagram_target.h"

namespace {

constexpr std::size_t kMessage = 1044;
constexpr std::size_t kLargest = 8 * kMessage + 600;

// Values that sit on the edges the parsers and the download check.
constexpr std::int32_t kEdgeValues[] = {0, 1, -1, 9, 10, 39, 40, 99, 100, 1023, 1024, 1025,
                                        40960, 0x7FFFFFFF, static_cast<std::int32_t>(0x80000000)};

std::vector<std::uint8_t> random_input(std::mt19937& rng) {
    std::uniform_int_distribution<std::size_t> messages(0, 9);
    std::uniform_int_distribution<int> slack(-3, 3);
    const long size = static_cast<long>(messages(rng) * kMessage) + slack(rng) + 1;
    std::vector<std::uint8_t> input(static_cast<std::size_t>(std::max(1L, size)));
    for (auto& b : input) b = static_cast<std::uint8_t>(rng());
    return input;
}

std::vector<std::uint8_t> mutate(std::vector<std::uint8_t> input,
                                 const std::vector<std::vector<std::uint8_t>>& seeds,
                                 std::mt19937& rng) {
    const int changes = 1 + static_cast<int>(rng() % 8);
    for (int c = 0; c < changes && !input.empty(); ++c) {
        const std::size_t at = rng() % input.size();
        switch (rng() % 6) {
        case 0: input[at] ^= static_cast<std::uint8_t>(1u << (rng() % 8)); break;
        case 1: input[at] = static_cast<std::uint8_t>(rng()); break;
        case 2:
            if (at + 4 <= input.size()) {
                const std::int32_t v = kEdgeValues[rng() % std::size(kEdgeValues)];
                std::memcpy(&input[at], &v, sizeof v);
            }
            break;
        case 3: input.resize(std::min(kLargest, at + 1 + rng() % (2 * kMessage))); break;
        case 4: {  // splice another seed's messages behind this one
            const auto& other = seeds[rng() % seeds.size()];
            if (input.size() + other.size() <= kLargest)
                input.insert(input.end(), other.begin() + 1, other.end());
            break;
        }
        default: input[0] = static_cast<std::uint8_t>(rng()); break;  // another route
        }
    }
    return input;
}

} // namespace

int main(int argc, char** argv) {
    double seconds = 3;
    long runs_limit = 1000000;
    unsigned seed = 20261210;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--seconds") == 0) seconds = std::atof(argv[i + 1]);
        else if (std::strcmp(argv[i], "--runs") == 0) runs_limit = std::atol(argv[i + 1]);
        else if (std::strcmp(argv[i], "--seed") == 0) seed = static_cast<unsigned>(std::atol(argv[i + 1]));
    }
    std::mt19937 rng(seed);
    const std::vector<std::vector<std::uint8_t>> seeds = datagram_fuzz::seed_inputs();
    for (const auto& s : seeds) LLVMFuzzerTestOneInput(s.data(), s.size());

    const auto end = std::chrono::steady_clock::now() +
                     std::chrono::milliseconds(static_cast<long>(seconds * 1000));
    long runs = 0;
    while (runs < runs_limit && std::chrono::steady_clock::now() < end) {
        const std::vector<std::uint8_t> input =
            rng() % 4 == 0 ? random_input(rng) : mutate(seeds[rng() % seeds.size()], seeds, rng);
        LLVMFuzzerTestOneInput(input.data(), input.size());
        ++runs;
    }
    std::printf("datagram fuzz: %zu seeds, %ld inputs, seed %u\n", seeds.size(), runs, seed);
    return 0;
}
