#include "tests/skin/skin_test_data.h"

#include <algorithm>
#include <random>

#include "platform/files.h"

namespace skin_test {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

} // namespace

std::vector<std::uint8_t> MakeBmp(int width, int height, const std::function<std::uint32_t(int, int)>& rgb) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t image = stride * static_cast<std::uint32_t>(height);
    std::vector<std::uint8_t> out{'B', 'M'};
    Put32(out, 54 + image);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, 24);
    for (int i = 0; i < 6; ++i) Put32(out, i == 1 ? image : 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = rgb(x, y);
            out.push_back(static_cast<std::uint8_t>(c));
            out.push_back(static_cast<std::uint8_t>(c >> 8));
            out.push_back(static_cast<std::uint8_t>(c >> 16));
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(width) * 3; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

std::vector<std::uint8_t> MakeFrameStrip(int frame_width, int height, int frames) {
    return MakeBmp(frame_width * frames, height, [=](int x, int y) -> std::uint32_t {
        const int fx = x % frame_width;
        if (fx == 0 || y == 0 || fx == frame_width - 1 || y == height - 1) return 0xFF00FF;
        const std::uint32_t k = static_cast<std::uint32_t>(x / frame_width) + 1;
        return (k * 0x3F) << 16 | static_cast<std::uint32_t>(fx * 255 / frame_width) << 8 | (y * 255 / height);
    });
}

std::vector<std::uint8_t> MixedBytes(std::size_t size, std::uint32_t seed) {
    std::mt19937 rng(seed);
    const std::string words[] = {"[Caption]\r\n", "Bitmap=title.bmp\r\n", "Margins=4,4,4,4\r\n", "    ", "FrameCount=3\r\n"};
    std::vector<std::uint8_t> out;
    while (out.size() < size) {
        switch (rng() % 4) {
        case 0: {
            const std::string& w = words[rng() % 5];
            out.insert(out.end(), w.begin(), w.end());
            break;
        }
        case 1: out.insert(out.end(), 1 + rng() % 200, static_cast<std::uint8_t>(rng())); break;
        case 2:
            if (out.size() > 10) {
                const std::size_t back = 1 + rng() % std::min<std::size_t>(out.size(), 5000);
                const std::size_t length = 1 + rng() % 100;
                for (std::size_t i = 0; i < length; ++i) out.push_back(out[out.size() - back]);
            }
            break;
        default:
            for (int i = 0, n = 1 + static_cast<int>(rng() % 64); i < n; ++i) out.push_back(static_cast<std::uint8_t>(rng()));
        }
    }
    out.resize(size);
    return out;
}

std::vector<std::uint8_t> RandomBytes(std::size_t size, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<std::uint8_t> out(size);
    for (auto& b : out) b = static_cast<std::uint8_t>(rng());
    return out;
}

std::vector<SkinFile> SmallSkinFiles() {
    const std::string ini = "[Title]\r\nBitmap=title.bmp\r\nFrameCount=2\r\n[Button]\r\nBitmap=button.bmp\r\n";
    return {
        {"skin.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())},
        {"title.bmp", MakeFrameStrip(40, 30, 2)},
        {"button.bmp", MakeFrameStrip(16, 16, 4)},
        {"border left.bmp", MakeBmp(4, 64, [](int, int y) { return static_cast<std::uint32_t>(y * 4) << 8; })},
    };
}

void WriteSkinFolder(const std::string& folder, const std::vector<SkinFile>& files) {
    plat::force_directories(folder);
    for (const SkinFile& f : files)
        plat::write_whole_file(plat::include_trailing_separator(folder) + f.name, std::string(f.bytes.begin(), f.bytes.end()));
}

} // namespace skin_test
