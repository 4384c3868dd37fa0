// Test data for the skin tests, made in code: small 24-bit BMP files, mixed byte runs, and
// skin folders of an ini and a few bitmaps.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace skin_test {

// A bottom-up 24-bit BMP file; `rgb` gives 0x00RRGGBB per pixel.
std::vector<std::uint8_t> MakeBmp(int width, int height, const std::function<std::uint32_t(int x, int y)>& rgb);
// A frame strip: `frames` frames side by side, each in its own colour, with a magenta border.
std::vector<std::uint8_t> MakeFrameStrip(int frame_width, int height, int frames);
// Bytes with text, runs, repeats at all distances and noise, from a fixed seed.
std::vector<std::uint8_t> MixedBytes(std::size_t size, std::uint32_t seed);
std::vector<std::uint8_t> RandomBytes(std::size_t size, std::uint32_t seed);
// The files of a small skin: "skin.ini" and three bitmaps.
struct SkinFile {
    std::string name;
    std::vector<std::uint8_t> bytes;
};
std::vector<SkinFile> SmallSkinFiles();
// Writes the files into `folder`.
void WriteSkinFolder(const std::string& folder, const std::vector<SkinFile>& files);

} // namespace skin_test
