// The few drawing steps our skins are made of: fills, bevels, gradients and glyphs written as
// text, on plain images.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "skin/image32.h"

namespace skingen {

using skin::Image32;
using skin::Rect;

void FillRect(Image32& image, const Rect& rect, std::uint32_t rgb);
// One-pixel lines: `light` on the top and left, `dark` on the bottom and right.
void Bevel(Image32& image, const Rect& rect, std::uint32_t light, std::uint32_t dark);
// Rows from `top` to `bottom` colour.
void VerticalGradient(Image32& image, const Rect& rect, std::uint32_t top, std::uint32_t bottom);
// '#' pixels of `rows` in `rgb`, the glyph centred in `rect`.
void DrawGlyph(Image32& image, const Rect& rect, const std::vector<std::string>& rows, std::uint32_t rgb);
std::uint32_t Blend(std::uint32_t a, std::uint32_t b, int a_percent);

} // namespace skingen
