#include "skin/button_faces.h"

#include <algorithm>
#include <cctype>

namespace skin {

Rect MenuButtonTextBounds(int width, int height, int glyph_width) {
    return {2, 2, std::max(2, width - glyph_width - 8 - 2), std::max(2, height - 2)};
}

MenuButtonLayout LayOutMenuButton(int W, int H, int gw, int gh, int tw, int th, int margin, int spacing) {
    MenuButtonLayout l;
    if (margin == -1 && spacing == -1) {
        margin = (W - gw - tw - 8) / 4;
        spacing = margin;
    } else if (margin == -1) {
        margin = (W - gw - tw - 2 * spacing - 8) / 2;
    } else if (spacing == -1) {
        spacing = (W + 8 - 2 * margin - gw - tw) / 2;
    }
    l.margin = margin;
    l.spacing = spacing;
    l.glyph_x = margin;
    l.glyph_y = (H - gh) / 2;
    l.text_x = margin + gw + spacing;
    l.text_y = (H - th + 1) / 2;
    l.tip_x = l.text_x + tw + 2 * spacing;
    l.tip_y = (H - 3) / 2 + 2;
    l.base_y = (H - 3) / 2 - 1;
    return l;
}

std::vector<Rect> MenuArrowRows(const MenuButtonLayout& l) {
    std::vector<Rect> rows;
    const int height = l.tip_y - l.base_y;  // 3
    for (int i = 0; i <= height; ++i) {
        const int half = 3 * (height - i) / height;
        rows.push_back({l.tip_x - half, l.base_y + i, l.tip_x + half + 1, l.base_y + i + 1});
    }
    return rows;
}

bool SpeedFaceShown(int frame, bool flat) { return !flat || frame == 2 || frame == 4; }

int SpeedGlyphFrame(bool pressed, bool disabled, bool down, int num_glyphs) {
    const int k = down ? 4 : pressed ? 3 : disabled ? 2 : 1;
    return k > std::max(num_glyphs, 1) ? 1 : k;
}

const std::array<const char*, kMediaButtons> kMediaButtonNames = {
    "btPlay", "btPause", "btStop", "btNext", "btPrev", "btStep", "btBack", "btRecord", "btEject"};

std::string MediaPictureName(MediaPicture picture, int button) {
    if (button < 0 || button >= kMediaButtons) return {};
    static const char* const states[] = {"EN", "DI", "CL"};
    std::string name = states[static_cast<int>(picture)];
    name += "_MP";
    for (const char* p = kMediaButtonNames[static_cast<std::size_t>(button)] + 2; *p; ++p)
        name += static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
    return name;
}

std::bitset<kMediaButtons> MediaButtonSet(std::string_view text) {
    std::bitset<kMediaButtons> out;
    std::string word;
    auto finish = [&] {
        for (int i = 0; i < kMediaButtons; ++i) {
            const std::string_view name = kMediaButtonNames[static_cast<std::size_t>(i)];
            if (word.size() == name.size() &&
                std::equal(word.begin(), word.end(), name.begin(), [](char a, char b) {
                    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
                }))
                out.set(static_cast<std::size_t>(i));
        }
        word.clear();
    };
    for (char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c))) word += c;
        else finish();
    }
    finish();
    return out;
}

Rect MediaBar::ButtonRect(int button, int height) const {
    const auto at = std::find(visible.begin(), visible.end(), button);
    if (at == visible.end() || button_width <= 0) return {};
    const int left = static_cast<int>(at - visible.begin()) * button_width;
    return {left, 0, left + button_width, height};
}

MediaBar LayOutMediaBar(int width, std::bitset<kMediaButtons> visible) {
    MediaBar bar;
    for (int i = 0; i < kMediaButtons; ++i)
        if (visible.test(static_cast<std::size_t>(i))) bar.visible.push_back(i);
    if (!bar.visible.empty() && width > 0) bar.button_width = width / static_cast<int>(bar.visible.size());
    return bar;
}

int MediaButtonAt(const MediaBar& bar, int x) {
    if (bar.button_width <= 0) return kNoMediaButton;
    int start = 0;
    for (int b : bar.visible) {
        if (x >= start && x <= start + bar.button_width) return b;
        start += bar.button_width;
    }
    return kNoMediaButton;
}

int MediaFaceFrame(bool enabled, bool is_pressed_button, bool mouse_down) {
    if (!enabled) return 3;
    return is_pressed_button && mouse_down ? 2 : 1;
}

MediaPicture MediaPictureOf(bool enabled, bool coloured) {
    if (!enabled) return MediaPicture::kDisabled;
    return coloured ? MediaPicture::kColoured : MediaPicture::kEnabled;
}

bool MediaReleaseReachesPlayer(int pressed_button, int released_button) {
    return pressed_button != kNoMediaButton && pressed_button == released_button;
}

} // namespace skin
