// Windows BMP files of the skin archive into plain images. Every size is checked against the
// member before anything is allocated; what is not understood gives an empty image.
#pragma once
#include <cstddef>
#include <cstdint>

#include "skin/image32.h"

namespace skin {

constexpr int kMaxBmpSide = 4096;

// "BM" files with an info header of 40 bytes or more, 1, 4, 8, 24 or 32 bits per pixel,
// uncompressed, bottom-up or top-down, sides 1..kMaxBmpSide, palette and pixels inside `size`.
Image32 DecodeBmp(const std::uint8_t* data, std::size_t size);

} // namespace skin
