#include "golden_map.h"

#include "tests/support/window_test/window_test.h"

namespace ectest {

Legend system_legend() {
    return {{'.', kBackground},     {'S', ui::clBtnShadow}, {'H', ui::clBtnHighlight}, {'D', ui::cl3DDkShadow},
            {'L', ui::cl3DLight},   {'T', ui::clBtnText},   {'W', ui::clWindow},       {'k', ui::clBlack},
            {'F', ui::clBtnShadow}};
}

void reset(ui::Bitmap& bitmap, int width, int height) {
    bitmap.set_size(width, height);
    ui::Canvas& c = bitmap.canvas();
    c.brush().color = kBackground;
    c.brush().style = ui::TBrushStyle::bsSolid;
    c.fill_rect({0, 0, width, height});
}

Rows picture_of(const ui::Bitmap& bitmap, const Legend& legend) {
    GdiFlush();
    Rows rows;
    for (int y = 0; y < bitmap.height(); ++y) {
        std::string row;
        for (int x = 0; x < bitmap.width(); ++x) {
            const std::uint32_t p = bitmap.pixel(x, y);
            char letter = '?';
            // Letters earlier in the legend's order win where two stand for one colour.
            for (const auto& [l, c] : legend)
                if (ui::color_to_rgb(c) == p) {
                    letter = l;
                    break;
                }
            row += letter;
        }
        rows.push_back(row);
    }
    return rows;
}

std::string text_of(const Rows& rows) {
    std::string text;
    for (const std::string& r : rows) text += "\n" + r;
    return text;
}

::testing::AssertionResult matches(const ui::Bitmap& bitmap, const Rows& expected, const Legend& legend) {
    GdiFlush();
    bool same = static_cast<int>(expected.size()) == bitmap.height();
    for (int y = 0; same && y < bitmap.height(); ++y) {
        const std::string& row = expected[static_cast<std::size_t>(y)];
        same = static_cast<int>(row.size()) == bitmap.width();
        for (int x = 0; same && x < bitmap.width(); ++x) {
            auto it = legend.find(row[static_cast<std::size_t>(x)]);
            same = it != legend.end() && ui::color_to_rgb(it->second) == bitmap.pixel(x, y);
        }
    }
    if (same) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected" << text_of(expected) << "\nactual" << text_of(picture_of(bitmap, legend));
}

void save_sheet(const ui::Bitmap& bitmap, const std::string& name) {
    window_test::save_picture(bitmap, "controls_screenshots", name);
}

} // namespace ectest
