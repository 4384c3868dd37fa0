// After the sections are read: the fixed frame counts, the combo pictures, the combo arrow,
// the border colour and the tool bar background.
#include <algorithm>

#include "skin/colors.h"
#include "skin/frame_geometry.h"
#include "skin/gradient_cache.h"
#include "skin/pixel_transforms.h"
#include "skin/skin_parse.h"

namespace skin {
namespace {

constexpr int kComboCellWidth = 50, kComboCellHeight = 21, kComboArrowSide = 17;
constexpr int kToolbarWidth = 10, kToolbarHeight = 40;

template <class Slot>
void SetFrames(Slot& slot, int frames) {
    if (slot) slot->frame = frames;
}

// Each frame mirrored inside its own cell: mirroring the whole strip would also reverse the
// order of the states.
Image32 MirrorFrames(const Image32& strip, int frames) {
    Image32 out = strip;
    const int cell = frames > 0 ? strip.width() / frames : 0;
    for (int y = 0; y < out.height() && cell > 0; ++y)
        for (int f = 0; f < frames; ++f) std::reverse(out.row(y) + f * cell, out.row(y) + (f + 1) * cell);
    return out;
}

bool IsVertical(const TDataSkinObject& e, const SkinDescription& skin) {
    return &e == &skin.borders[kTopBorder] || &e == &skin.borders[kBottomBorder] || &e == &skin.title ||
           (skin.menu_bar && &e == &*skin.menu_bar);
}

// No count below 1 survives, so frame sizes never divide by zero, and a strip with fewer
// pixels than frames has no frame to show.
void SoundFrameCounts(SkinDescription& skin) {
    for (TDataSkinObject* element : skin.Elements()) {
        TDataSkinObject& e = *element;
        e.frame = std::max(e.frame, 1);
        const int length = IsVertical(e, skin) ? e.bitmap.height() : e.bitmap.width();
        if (!e.bitmap.empty() && length < e.frame) e.bitmap = Image32();
    }
}

void DrawComboPictures(const SkinSource& s, SkinDescription& skin) {
    TDataSkinObject& sunk = *skin.sunk_edge;
    TDataSkinBorder& combo = *skin.combo_button;
    const int frames = sunk.frame;
    const int b = s.system.HScrollArrowWidth() + 2;
    Image32 strip(kComboCellWidth * frames, kComboCellHeight, kKeyPixel);
    const Rect button_part{kComboCellWidth - b, 0, kComboCellWidth, kComboCellHeight};
    auto draw_over_button = [&](const TDataSkinObject& e, int f, Image32& cell) {
        const std::optional<Rect> from = FrameRect(e.bitmap.width(), e.bitmap.height(), e.frame, f, false);
        if (!from) return;
        Image32 part(b, kComboCellHeight, kKeyPixel);
        StretchNearest(e.bitmap, *from, part, {0, 0, b, kComboCellHeight});
        CopyKeyed(part, {0, 0, b, kComboCellHeight}, cell, button_part.left, 0);
    };
    for (int f = 1; f <= frames; ++f) {
        Image32 cell(kComboCellWidth, kComboCellHeight, kKeyPixel);
        if (const auto from = FrameRect(sunk.bitmap.width(), sunk.bitmap.height(), frames, f, false)) {
            Image32 edge(kComboCellWidth, kComboCellHeight, kKeyPixel);
            DrawBlits(sunk.bitmap,
                      NineSliceBlits(kComboCellWidth, kComboCellHeight, *from,
                                     {sunk.left_width, sunk.top_height, sunk.right_width, sunk.bottom_height}, sunk.tile == 1),
                      edge);
            if (sunk.trans) CopyKeyed(edge, {0, 0, kComboCellWidth, kComboCellHeight}, cell, 0, 0);
            else cell = edge;
        }
        draw_over_button(combo, f, cell);
        if (skin.extra_images) draw_over_button(*skin.extra_images, f, cell);
        for (int y = 2; y < kComboCellHeight - 3; ++y)
            for (int x = 2; x < kComboCellWidth - 1 - b; ++x) cell.set(x, y, kKeyPixel);
        CopyKeyed(cell, {0, 0, kComboCellWidth, kComboCellHeight}, strip, kComboCellWidth * (f - 1), 0, 0xFFFFFFFF);
    }
    combo.style = 2;
    combo.bitmap = strip;
    combo.frame = frames;
    combo.top_height = sunk.top_height;
    combo.bottom_height = sunk.bottom_height;
    combo.left_width = 2;
    combo.right_width = b + 2;
    sunk.bitmap = MirrorFrames(strip, frames);
    sunk.left_width = b + 2;
    sunk.right_width = 2;
}

void MakeComboArrow(const SkinSource& s, SkinDescription& skin) {
    skin.combo_arrow.reset();
    if (!skin.combo_button) return;
    TDataSkinObject arrow;
    arrow.name = "ComboxArrow";
    if (!skin.sunk_edge) {
        arrow.bitmap = skin.combo_button->bitmap;
        ReplaceMagenta(arrow.bitmap, ResolveColour(s.system, skin.colours[kButtonFace]));
        arrow.frame = skin.combo_button->frame;
    } else if (skin.combo_button->style == 2) {
        const int frames = skin.sunk_edge->frame;
        arrow.bitmap = Image32(kComboArrowSide * frames, kComboArrowSide);
        for (int f = 1; f <= frames; ++f)
            CopyKeyed(skin.combo_button->bitmap, {kComboCellWidth * f - 19, 2, kComboCellWidth * f - 2, 19}, arrow.bitmap,
                      kComboArrowSide * (f - 1), 0, 0xFFFFFFFF);
        arrow.frame = frames;
    } else {
        return;
    }
    skin.combo_arrow = std::move(arrow);
}

ui::TColor BorderColour(const SkinDescription& skin) {
    const TDataSkinObject& top = skin.borders[kTopBorder];
    if (top.bitmap.empty()) return skin.colours[kButtonFace];
    const int x = top.bitmap.width() / 3, y = top.bitmap.height() / top.frame / 3;
    return ColorFromPixel(top.bitmap.at(x, y));
}

int Brightness(ui::TColor rgb) {
    const int r = rgb & 0xFF, g = (rgb >> 8) & 0xFF, b = (rgb >> 16) & 0xFF;
    return (30 * r + 59 * g + 11 * b) / 100;
}

TDataSkinObject MakeToolbar(const SkinSource& s, const SkinDescription& skin) {
    const ui::TColor face = ResolveColour(s.system, skin.colours[kButtonFace]);
    const ui::TColor border = ResolveColour(s.system, skin.border_colour);
    const ui::TColor start = MixColorsWeighted(face, ui::clWhite, 150);
    const int brightness = Brightness(border);
    const ui::TColor end = brightness > 110 ? MixColorsWeighted(border, ui::clWhite, (5625 - 25 * brightness) / 140 + 50)
                                            : MixColorsWeighted(ui::clGray, border, 150);
    GradientCache gradients;
    const int slot = gradients.BuildGradient(kToolbarHeight, static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end));
    TDataSkinObject toolbar;
    toolbar.name = "Toolbar";
    toolbar.frame = 1;
    toolbar.bitmap = Image32(kToolbarWidth, kToolbarHeight);
    for (int y = 0; y < kToolbarHeight; ++y)
        std::fill(toolbar.bitmap.row(y), toolbar.bitmap.row(y) + kToolbarWidth,
                  PixelFromColor(static_cast<ui::TColor>(gradients.Colors(slot)[static_cast<std::size_t>(y)])));
    return toolbar;
}

} // namespace

void FixFrameCounts(const TQuickIni& ini, SkinDescription& skin) {
    if (skin.buttons) {
        TDataSkinButton& b = *skin.buttons;
        b.frame = 5;
        auto from_picture = [](const Image32& picture) { return std::max(picture.width() / (picture.height() < 16 ? 13 : 16), 4); };
        if (b.radio_frame == 0) b.radio_frame = from_picture(b.radio_bitmap);
        if (b.check_frame == 0) b.check_frame = from_picture(b.check_bitmap);
    }
    skin.title.frame = 2;
    if (skin.progress) skin.progress->frame = skin.progress->style != 0 ? 1 : 2;
    SetFrames(skin.menu_bar, 2);
    SetFrames(skin.group_box_edge, 2);
    SetFrames(skin.toolbar, 1);
    SetFrames(skin.tool_bars, 5);
    SetFrames(skin.tabs, 5);
    SetFrames(skin.tab_pane, 1);
    SetFrames(skin.status_bar_edges, 3);
    SetFrames(skin.group_box, 1);
    SetFrames(skin.combo_button, 4);
    SetFrames(skin.sunk_edge, 4);
    SetFrames(skin.extra_images, 5);
    if (skin.header_bar && skin.header_bar->frame == 0) skin.header_bar->frame = 5;
    SetFrames(skin.menu_item, 5);
    SetFrames(skin.menu_background, 1);
    SetFrames(skin.scrollbar, 23);
    SetFrames(skin.horz_scroll, 4);
    SetFrames(skin.vert_scroll, 4);
    SetFrames(skin.up_down_horz, 8);
    SetFrames(skin.up_down_vert, 8);
    for (auto& thumb : skin.track_bar_thumbs) SetFrames(thumb, 5);
    SetFrames(skin.horz_scroll_thumb, ini.ReadInteger("HorzScrollThumb", "FrameCount", 3));
    SetFrames(skin.vert_scroll_thumb, ini.ReadInteger("VertScrollThumb", "FrameCount", 3));
    SoundFrameCounts(skin);
}

void MakeDerivedPictures(const SkinSource& s, SkinDescription& skin) {
    if (skin.combo_button && !skin.combo_button->bitmap.empty())
        skin.combo_button->bitmap2 = MirrorFrames(skin.combo_button->bitmap, skin.combo_button->frame);
    if (skin.sunk_edge && skin.combo_button) DrawComboPictures(s, skin);
    MakeComboArrow(s, skin);
    // The tool bar's gradient ends in the border colour, so that colour comes first.
    skin.border_colour = BorderColour(skin);
    skin.toolbar = MakeToolbar(s, skin);
}

} // namespace skin
