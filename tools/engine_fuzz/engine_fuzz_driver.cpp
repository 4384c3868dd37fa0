// A bounded run of the engine's fuzz target on generated inputs, for the sanitizer tests:
//   engine_fuzz [iterations] [seed]
// The inputs mix random bytes with the texts that once broke path handling: reserved device
// names, dots, separators, cut double-byte characters, the library's working-file suffixes.
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "tools/engine_fuzz/engine_fuzz_target.h"

int main(int argc, char** argv) {
    const long iterations = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 2000;
    const unsigned long seed = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1;
    if (iterations <= 0 || iterations > 10000000) return 2;
    static const char* const tokens[] = {
        "CON", "nul.wav", "COM1", "LPT1.wav", "CONIN$", "...", "..", ".", "a.wav.", "a.wav ", "\\", "/", ":",
        "..\\..\\x", "c:\\x", "call.wav.ltf", "call.wav.dxc", "20120301", "2012030a", "\x81", "\x81\x5c", "?", "*",
        "DRAVIKMO",
    };
    std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
    std::vector<std::uint8_t> input;
    for (long i = 0; i < iterations; ++i) {
        input.clear();
        const std::size_t parts = random() % 48;
        for (std::size_t p = 0; p < parts; ++p) {
            if (random() % 3 == 0) {
                const std::string token = tokens[random() % (sizeof tokens / sizeof tokens[0])];
                input.push_back(static_cast<std::uint8_t>(token.size()));
                input.insert(input.end(), token.begin(), token.end());
            } else {
                for (std::size_t n = random() % 24; n > 0; --n) input.push_back(static_cast<std::uint8_t>(random()));
            }
        }
        EngineFuzzOne(input.data(), input.size());
    }
    std::printf("engine fuzz: %ld inputs, seed %lu, no fault\n", iterations, seed);
    return 0;
}
