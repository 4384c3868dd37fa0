#include "controls/model/track_thumbs.h"

namespace ec {

namespace {

char box_role(int x, int y, int w, int h) {
    if (x == w - 1 || y == h - 1) return 'D';
    if (x == 0 || y == 0) return 'W';
    if (x == w - 2 || y == h - 2) return 'S';
    if (x == 1 || y == 1) return 'L';
    return 'F';
}

ThumbArt box(int w, int h) {
    ThumbArt art;
    for (int y = 0; y < h; ++y) {
        std::string row;
        for (int x = 0; x < w; ++x) {
            char role = box_role(x, y, w, h);
            if (role == 'F' && x == w / 2 && y >= 4 && y < h - 4) role = 'A';  // the grip
            row += role;
        }
        art.rows.push_back(row);
    }
    return art;
}

// A box whose lower part narrows to a point at the bottom.
ThumbArt pointer(int w, int h) {
    const int tip = w / 2;
    ThumbArt art = box(w, h - tip);
    art.rows.pop_back();  // the body's bottom edge gives way to the point
    for (int k = 0; k <= tip; ++k) {
        std::string row(static_cast<std::size_t>(w), '.');
        for (int x = k; x <= w - 1 - k; ++x)
            row[x] = x == w - 1 - k ? 'D' : x == k ? 'W' : x == w - 2 - k ? 'S' : 'F';
        art.rows.push_back(row);
    }
    return art;
}

ThumbArt mixer(int w, int h) {
    ThumbArt art = box(w, h);
    for (int x = 2; x < w - 2; ++x) art.rows[h / 2][x] = 'A';
    return art;
}

ThumbArt flat(int w, int h) {
    ThumbArt art;
    for (int y = 0; y < h; ++y) {
        std::string row;
        for (int x = 0; x < w; ++x) {
            const bool edge = x == 0 || y == 0 || x == w - 1 || y == h - 1;
            row += edge ? 'S' : (y == h / 2 && x > 1 && x < w - 2) ? 'A' : 'F';
        }
        art.rows.push_back(row);
    }
    return art;
}

ThumbArt turned(const ThumbArt& art) {
    ThumbArt out;
    out.rows.assign(static_cast<std::size_t>(art.width()), std::string(static_cast<std::size_t>(art.height()), '.'));
    for (int y = 0; y < art.height(); ++y)
        for (int x = 0; x < art.width(); ++x) out.rows[x][y] = art.rows[y][x];
    return out;
}

} // namespace

ThumbArt thumb_art(TThumbStyle style, TOrientation orientation) {
    ThumbArt art;
    switch (style) {
    case TThumbStyle::tsBox:
    case TThumbStyle::tsXPBox: art = box(11, 20); break;
    case TThumbStyle::tsPointer:
    case TThumbStyle::tsXPPointer: art = pointer(11, 20); break;
    case TThumbStyle::tsMixer: art = mixer(9, 18); break;
    case TThumbStyle::tsFlat: art = flat(9, 16); break;
    case TThumbStyle::tsCustom: return art;
    }
    return orientation == TOrientation::orVertical ? turned(art) : art;
}

ui::TColor thumb_design_color(char role, ThumbImage image) {
    switch (role) {
    case 'W': return ui::clWhite;
    case 'L': return image == ThumbImage::Disabled ? ui::clSilver : ui::clYellow;
    case 'F': return image == ThumbImage::Hot ? ui::clFuchsia : ui::clSilver;
    case 'S': return image == ThumbImage::Hot ? ui::clMaroon : image == ThumbImage::Disabled ? ui::clTeal : ui::clGray;
    case 'D': return image == ThumbImage::Disabled ? ui::clPurple : ui::clOlive;
    case 'A': return image == ThumbImage::Hot ? ui::clRed : image == ThumbImage::Disabled ? ui::clGreen : ui::clBlue;
    default: return ui::clBlack;
    }
}

ui::TColor xp_thumb_color(char role, ThumbImage image) {
    const bool hot = image == ThumbImage::Hot, off = image == ThumbImage::Disabled;
    switch (role) {
    case 'W': return ui::clWhite;
    case 'L': return off ? ui::rgb(236, 236, 236) : ui::rgb(232, 238, 248);
    case 'F': return off ? ui::rgb(224, 224, 224) : hot ? ui::rgb(248, 232, 200) : ui::rgb(214, 224, 244);
    case 'S': return off ? ui::rgb(176, 176, 176) : ui::rgb(126, 146, 186);
    case 'D': return off ? ui::rgb(150, 150, 150) : ui::rgb(64, 84, 132);
    case 'A': return off ? ui::rgb(176, 176, 176) : hot ? ui::rgb(248, 179, 48) : ui::rgb(33, 161, 33);
    default: return ui::clBlack;
    }
}

ui::TColor thumb_mask_color(char role) { return role == '.' ? ui::clWhite : ui::clBlack; }

} // namespace ec
