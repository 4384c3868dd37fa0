// Generated recordings: 8 kHz mono 16-bit PCM WAV files of a tone.
#pragma once
#include <cmath>
#include <cstdint>
#include <string>

#include "platform/files.h"

namespace station_search_test {

inline void put_le(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

inline bool WriteToneWav(const std::string& path, double seconds) {
    const std::uint32_t rate = 8000;
    const std::uint32_t samples = static_cast<std::uint32_t>(seconds * rate);
    std::string wav = "RIFF";
    put_le(wav, 36 + samples * 2, 4);
    wav += "WAVEfmt ";
    put_le(wav, 16, 4);
    put_le(wav, 1, 2);         // PCM
    put_le(wav, 1, 2);         // mono
    put_le(wav, rate, 4);
    put_le(wav, rate * 2, 4);  // bytes per second
    put_le(wav, 2, 2);         // block align
    put_le(wav, 16, 2);
    wav += "data";
    put_le(wav, samples * 2, 4);
    for (std::uint32_t i = 0; i < samples; ++i) {
        const double v = std::sin(2 * 3.14159265358979 * 440.0 * i / rate) * 8000.0;
        put_le(wav, static_cast<std::uint32_t>(static_cast<std::int16_t>(v)) & 0xFFFF, 2);
    }
    plat::force_directories(plat::extract_file_dir(path));
    return plat::write_whole_file(path, wav);
}

} // namespace station_search_test
