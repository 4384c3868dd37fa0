#include "tests/skin/win/skin_sheet.h"

#include <algorithm>
#include <string>
#include <vector>

#include "skin/win/skin_bitmaps.h"

namespace skin_test {

namespace {

struct Row {
    std::string label;
    const skin::Image32* picture;
    int frames;
};

std::vector<Row> RowsOf(const skin::SkinDescription& skin) {
    std::vector<Row> rows;
    for (const skin::TDataSkinObject* e : skin.Elements()) {
        auto add = [&](const std::string& label, const skin::Image32& picture, int frames) {
            if (!picture.empty()) rows.push_back({label, &picture, std::max(frames, 1)});
        };
        add(e->name + " (" + std::to_string(e->frame) + ")", e->bitmap, e->frame);
        if (const auto* b = dynamic_cast<const skin::TDataSkinBorder*>(e)) add(e->name + " 2", b->bitmap2, e->frame);
        if (const auto* b = dynamic_cast<const skin::TDataSkinButton*>(e)) {
            add(e->name + " check (" + std::to_string(b->check_frame) + ")", b->check_bitmap, b->check_frame);
            add(e->name + " radio (" + std::to_string(b->radio_frame) + ")", b->radio_bitmap, b->radio_frame);
        }
    }
    return rows;
}

} // namespace

std::unique_ptr<ui::Bitmap> PictureSheet(const skin::SkinDescription& skin) {
    // Twice the size, so that single pixels can be told apart.
    constexpr int kScale = 2, kLabelWidth = 170, kGap = 6, kTick = 3, kMinRow = 14;
    const std::vector<Row> rows = RowsOf(skin);
    int width = 0, height = kGap;
    for (const Row& r : rows) {
        width = std::max(width, kScale * r.picture->width());
        height += std::max(kScale * r.picture->height() + kTick, kMinRow) + kGap;
    }
    auto sheet = std::make_unique<ui::Bitmap>(kLabelWidth + width + 2 * kGap, height);
    ui::Canvas& canvas = sheet->canvas();
    canvas.brush().color = ui::clGray;
    canvas.fill_rect({0, 0, sheet->width(), sheet->height()});
    canvas.brush().style = ui::TBrushStyle::bsClear;
    canvas.font().set_color(ui::clWhite);
    int y = kGap;
    for (const Row& r : rows) {
        ui::Rect label{kGap, y, kLabelWidth, y + kMinRow};
        canvas.draw_text(r.label, label, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
        ui::Bitmap picture;
        skin::AssignImage(picture, *r.picture);
        StretchBlt(sheet->dc(), kLabelWidth, y, kScale * picture.width(), kScale * picture.height(), picture.dc(), 0, 0,
                   picture.width(), picture.height(), SRCCOPY);
        // Ticks under the frame borders show how the strip divides.
        const int cell = r.picture->width() / r.frames;
        for (int f = 0; f <= r.frames && cell > 0; ++f) {
            const int x = kLabelWidth + std::min(kScale * f * cell, kScale * r.picture->width() - 1);
            for (int t = 0; t < kTick; ++t) SetPixel(sheet->dc(), x, y + kScale * r.picture->height() + t, RGB(255, 255, 0));
        }
        y += std::max(kScale * r.picture->height() + kTick, kMinRow) + kGap;
    }
    return sheet;
}

} // namespace skin_test
