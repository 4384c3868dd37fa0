#include "tools/skingen/program_resources.h"

#include <cctype>

#include "skin/button_faces.h"
#include "skin/skin_system.h"
#include "tools/skingen/skin_drawing.h"

namespace skingen {
namespace {

void Put(std::vector<std::uint8_t>& out, std::uint32_t v, int size) {
    for (int i = 0; i < size; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// The pictures of the nine player buttons, in the order of the button type.
const std::vector<std::string> kMediaGlyphs[skin::kMediaButtons] = {
    {"#.....", "##....", "###...", "####..", "#####.", "####..", "###...", "##....", "#....."},  // play
    {"###.###", "###.###", "###.###", "###.###", "###.###", "###.###", "###.###", "###.###", "###.###"},  // pause
    {"########", "########", "########", "########", "########", "########", "########", "########"},  // stop
    {"#....##", "##...##", "###..##", "####.##", "#######", "####.##", "###..##", "##...##", "#....##"},  // next
    {"##....#", "##...##", "##..###", "##.####", "#######", "##.####", "##..###", "##...##", "##....#"},  // prev
    {"#...#...", "##..##..", "###.###.", "########", "###.###.", "##..##..", "#...#..."},  // step
    {"...#...#", "..##..##", ".###.###", "########", ".###.###", "..##..##", "...#...#"},  // back
    {"..####..", ".######.", "########", "########", "########", "########", ".######.", "..####.."},  // record
    {"....#....", "...###...", "..#####..", ".#######.", "#########", ".........", "#########", "#########"},  // eject
};
// The coloured pictures' colours.
constexpr std::uint32_t kMediaColours[skin::kMediaButtons] = {
    0x00A000, 0xC08000, 0xC00000, 0x00A000, 0x00A000, 0x0060C0, 0x0060C0, 0xE00000, 0x606060};

} // namespace

skin::Image32 MediaButtonPicture(skin::MediaPicture picture, int button) {
    skin::Image32 image(kMediaPictureWidth, kMediaPictureHeight, kMediaTransparent);
    if (button < 0 || button >= skin::kMediaButtons) return image;
    const auto& glyph = kMediaGlyphs[button];
    const Rect all{0, 0, kMediaPictureWidth, kMediaPictureHeight};
    switch (picture) {
    case skin::MediaPicture::kEnabled:
        DrawGlyph(image, all, glyph, 0x000000);
        break;
    case skin::MediaPicture::kDisabled:  // engraved: a white copy one pixel down and right
        DrawGlyph(image, {1, 1, kMediaPictureWidth + 1, kMediaPictureHeight + 1}, glyph, 0xFFFFFF);
        DrawGlyph(image, all, glyph, 0x808080);
        break;
    case skin::MediaPicture::kColoured:
        DrawGlyph(image, all, glyph, kMediaColours[button]);
        break;
    }
    return image;
}

std::string MediaPictureFile(skin::MediaPicture picture, int button) {
    std::string name = skin::MediaPictureName(picture, button);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name + ".bmp";
}

skin::Image32 MenuGlyphs() {
    const std::vector<std::string> glyphs[4] = {
        {"...######", "...######", "...#....#", "#######.#", "#######.#", "#.....###", "#.....#..", "#.....#..", "#######.."},
        {"#########", "#########", "#.......#", "#.......#", "#.......#", "#.......#", "#.......#", "#########"},
        {"#######", "#######"},
        {"##.....##", ".##...##.", "..##.##..", "...###...", "..##.##..", ".##...##.", "##.....##"},
    };
    skin::Image32 image(64, 16, 0xFFFFFF);
    for (int i = 0; i < 4; ++i) DrawGlyph(image, {16 * i, 0, 16 * (i + 1), 16}, glyphs[i], 0x000000);
    return image;
}

std::vector<std::uint8_t> EncodeMonoBmp(const skin::Image32& image) {
    const auto stride = static_cast<std::uint32_t>((image.width() + 31) / 32 * 4);
    const std::uint32_t pixels_at = 14 + 40 + 2 * 4;
    std::vector<std::uint8_t> out{'B', 'M'};
    Put(out, pixels_at + stride * static_cast<std::uint32_t>(image.height()), 4);
    Put(out, 0, 4);
    Put(out, pixels_at, 4);
    Put(out, 40, 4);
    Put(out, static_cast<std::uint32_t>(image.width()), 4);
    Put(out, static_cast<std::uint32_t>(image.height()), 4);
    Put(out, 1, 2);
    Put(out, 1, 2);
    for (int i = 0; i < 6; ++i) Put(out, i == 1 ? stride * static_cast<std::uint32_t>(image.height()) : 0, 4);
    Put(out, 0x000000, 4);  // index 0: black
    Put(out, 0xFFFFFF, 4);  // index 1: white
    for (int y = image.height() - 1; y >= 0; --y) {
        std::vector<std::uint8_t> line(stride, 0);
        for (int x = 0; x < image.width(); ++x)
            if ((image.at(x, y) & 0xFFFFFF) == 0xFFFFFF) line[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), line.begin(), line.end());
    }
    return out;
}

std::vector<skin_test::SkinFile> ProgramResources() {
    auto bmp24 = [](const skin::Image32& image) {
        return skin_test::MakeBmp(image.width(), image.height(), [&](int x, int y) { return image.at(x, y); });
    };
    std::vector<skin_test::SkinFile> files{{"skinmenuglyphs.bmp", EncodeMonoBmp(MenuGlyphs())},
                                           {"track.bmp", bmp24(skin::DrawTrackPicture(false))},
                                           {"trackvert.bmp", bmp24(skin::DrawTrackPicture(true))}};
    std::string script = "SKINMENUGLYPHS BITMAP \"skinmenuglyphs.bmp\"\nTRACK BITMAP \"track.bmp\"\n"
                         "TRACKVERT BITMAP \"trackvert.bmp\"\n";
    for (int button = 0; button < skin::kMediaButtons; ++button)
        for (auto picture : {skin::MediaPicture::kEnabled, skin::MediaPicture::kDisabled, skin::MediaPicture::kColoured}) {
            files.push_back({MediaPictureFile(picture, button), bmp24(MediaButtonPicture(picture, button))});
            script += skin::MediaPictureName(picture, button) + " BITMAP \"" + files.back().name + "\"\n";
        }
    files.push_back({"skin_resources.rc", std::vector<std::uint8_t>(script.begin(), script.end())});
    return files;
}

} // namespace skingen
