// Writes 32-bit images as PNG files for screenshots of windows (stored deflate blocks: no
// compression library needed, and review tools read them all the same).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace ui {

// `bgra` holds height rows of width pixels, top row first, each pixel B, G, R, A (the layout of
// a 32-bit top-down DIB). The alpha is written as opaque unless `keep_alpha`.
std::vector<std::uint8_t> encode_png(int width, int height, const std::uint8_t* bgra, bool keep_alpha = false);
std::uint32_t crc32_of(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);

} // namespace ui
