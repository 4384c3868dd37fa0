// The skin's drawing through GDI into memory bitmaps, checked pixel by pixel against small
// golden maps; pictures of the results are saved under skin_pictures for review.
#include <windows.h>

#include <memory>

#include <gtest/gtest.h>

#include "skin/win/skin_bitmaps.h"
#include "skin/win/skin_frames.h"
#include "skin/win/skin_paint.h"
#include "skin/win/skin_region.h"
#include "tests/skin/pixel_maps.h"
#include "tests/support/window_test/window_test.h"

namespace {

using skin::Margins;
using skin::Rect;
using skin_test::PixelMap;

// Bitmaps own a DC and cannot be copied or moved.
std::unique_ptr<ui::Bitmap> BitmapOf(const PixelMap& rows) {
    auto b = std::make_unique<ui::Bitmap>();
    skin::AssignImage(*b, skin_test::ImageOf(rows));
    return b;
}

// A target filled with one cell colour.
std::unique_ptr<ui::Bitmap> Filled(int w, int h, char letter) {
    auto b = std::make_unique<ui::Bitmap>();
    skin::AssignImage(*b, skin::Image32(w, h, skin_test::CellPixel(letter)));
    return b;
}

PixelMap MapOf(const ui::Bitmap& b) { return skin_test::MapOf(skin::ImageFromBitmap(b)); }

void Save(const ui::Bitmap& b, const std::string& name) { window_test::save_picture(b, "skin_pictures", name); }

// A strip of two 6 x 5 frames; margins 2, 1, 1, 2 around a 3 x 2 centre. The second frame's
// centre has a pattern so tiling shows.
const PixelMap kStrip = {
    "aabbbcaabbbc",
    "ddeeefddeghf",
    "ddeeefddhief",
    "gghhhigghhhi",
    "gghhhigghhhi",
};
const Margins kMargins{2, 1, 1, 2};

TEST(SkinFrames, NineSliceStretchedAndTiled) {
    const auto strip = BitmapOf(kStrip);
    const auto stretched = Filled(12, 9, 'a');
    skin::DrawSkinFrame(stretched->dc(), {1, 1, 11, 8}, *strip, kMargins, 1, 2, false, false, false);
    Save(*stretched, "nine_slice_stretched");
    EXPECT_EQ(MapOf(*stretched), (PixelMap{
                                    "aaaaaaaaaaaa",
                                    "aaabbbbbbbca",
                                    "addeeeeeeefa",
                                    "addeeeeeeefa",
                                    "addeeeeeeefa",
                                    "addeeeeeeefa",
                                    "agghhhhhhhia",
                                    "agghhhhhhhia",
                                    "aaaaaaaaaaaa",
                                }));

    const auto tiled = Filled(10, 8, 'a');
    skin::DrawSkinFrame(tiled->dc(), {0, 0, 10, 8}, *strip, kMargins, 2, 2, false, true, false);
    Save(*tiled, "nine_slice_tiled");
    EXPECT_EQ(MapOf(*tiled), (PixelMap{
                                "aabbbbbbbc",
                                "ddegheghef",
                                "ddhiehiehf",
                                "ddegheghef",
                                "ddhiehiehf",
                                "ddegheghef",
                                "gghhhhhhhi",
                                "gghhhhhhhi",
                            }));
}

TEST(SkinFrames, TransparentFramesKeepTheDestinationUnderMagenta) {
    const auto strip = BitmapOf({"#bb#", "beeb", "#bb#"});
    const auto target = Filled(6, 5, 'i');
    skin::DrawSkinFrame(target->dc(), {1, 1, 5, 4}, *strip, {1, 1, 1, 1}, 1, 1, true, false, false);
    EXPECT_EQ(MapOf(*target), (PixelMap{"iiiiii", "iibbii", "ibeebi", "iibbii", "iiiiii"}));
}

TEST(SkinFrames, NothingForInvertedRectanglesOrFramesOutsideTheStrip) {
    const auto strip = BitmapOf(kStrip);
    const auto target = Filled(8, 8, 'a');
    skin::DrawSkinFrame(target->dc(), {6, 6, 2, 2}, *strip, kMargins, 1, 2, false, false, false);
    skin::DrawSkinFrame(target->dc(), {0, 0, 8, 8}, *strip, kMargins, 3, 2, false, false, false);
    skin::DrawSkinFrame(target->dc(), {0, 0, 8, 8}, *strip, kMargins, 1, 0, false, false, false);
    skin::DrawFrameStretched(target->dc(), {0, 0, 8, 8}, *strip, false, 2, 0);
    skin::DrawFrameCentered(target->dc(), {8, 8, 0, 0}, *strip, false, 2, 1);
    skin::DrawSkinFrame(target->dc(), {0, 0, 100000, 8}, *strip, kMargins, 1, 2, false, false, false);
    EXPECT_EQ(MapOf(*target), PixelMap(8, "aaaaaaaa"));
    EXPECT_FALSE(skin::StretchSkinFrame({0, 0, 100000, 100000}, *strip, kMargins, false, false, 2, 1));
}

TEST(SkinBars, CapsAndRepeatedMiddleAndTheNarrowFrame) {
    const auto strip = BitmapOf({"abcdabbd", "abcdabbd"});
    const auto bar = Filled(11, 4, 'i');
    ui::Canvas canvas(bar->dc());
    skin::DrawSkinBar(canvas, {1, 1, 10, 3}, *strip, {1, 0, 1, 0}, false, false, 2, 1);
    Save(*bar, "bar");
    EXPECT_EQ(MapOf(*bar), (PixelMap{"iiiiiiiiiii", "iabcbcbcbdi", "iabcbcbcbdi", "iiiiiiiiiii"}));

    // Caps of 2 and 2 leave a 4-pixel frame no middle: the whole frame is stretched->
    const auto narrow = Filled(10, 2, 'i');
    ui::Canvas narrow_canvas(narrow->dc());
    skin::DrawSkinBar(narrow_canvas, {0, 0, 8, 2}, *strip, {2, 0, 2, 0}, false, false, 2, 1);
    EXPECT_EQ(MapOf(*narrow), (PixelMap{"aabbccddii", "aabbccddii"}));

    // Transparent: magenta in the frame leaves the target->
    const auto keyed = BitmapOf({"a#cd", "abcd"});
    const auto under = Filled(4, 2, 'i');
    ui::Canvas under_canvas(under->dc());
    skin::DrawSkinBar(under_canvas, {0, 0, 4, 2}, *keyed, {1, 0, 1, 0}, false, true, 1, 1);
    EXPECT_EQ(MapOf(*under), (PixelMap{"aicd", "abcd"}));
}

TEST(SkinBars, StretchedBarNarrowerThanTheFrame) {
    const auto strip = BitmapOf({"abbbbc"});
    const auto target = Filled(8, 1, 'i');
    skin::StretchSkinBar(target->dc(), {1, 0, 4, 1}, *strip, {1, 0, 1, 0}, false, 1, 1);
    EXPECT_EQ(MapOf(*target)[0][0], 'i');
    EXPECT_EQ(MapOf(*target)[0].substr(4), "iiii");
    const auto wide = Filled(10, 1, 'i');
    skin::StretchSkinBar(wide->dc(), {0, 0, 10, 1}, *strip, {1, 0, 1, 0}, false, 1, 1);
    EXPECT_EQ(MapOf(*wide), (PixelMap{"abbbbbbbbc"}));
}

TEST(SkinFrames, CentredFrameLargerThanItsRectangleSticksOutEqually) {
    const auto strip = BitmapOf({"abcdef", "ghiabc", "defghi", "abcdef"});
    const auto target = Filled(8, 6, 'i');
    // A 3 x 4 frame (the second of two) centred in a 1 x 2 rectangle at (3, 2).
    skin::DrawFrameCentered(target->dc(), {3, 2, 4, 4}, *strip, false, 2, 2);
    Save(*target, "centred_frame");
    EXPECT_EQ(MapOf(*target), (PixelMap{"iiiiiiii", "iidefiii", "iiabciii", "iighiiii", "iidefiii", "iiiiiiii"}));
}

TEST(SkinFrames, StretchedFrameFillsTheRectangle) {
    const auto strip = BitmapOf({"ab", "ab"});
    const auto target = Filled(4, 2, 'i');
    skin::DrawFrameStretched(target->dc(), {0, 0, 3, 2}, *strip, false, 2, 2);
    EXPECT_EQ(MapOf(*target), (PixelMap{"bbbi", "bbbi"}));
}

TEST(TransparentBlit, KeepsTheDestinationUnderMagentaAndClipsToTheBitmap) {
    const auto sprite = BitmapOf({"a#b", "#c#"});
    const auto target = Filled(5, 4, 'i');
    skin::TransparentBlit(target->dc(), {1, 1, 5, 4}, *sprite, ui::clFuchsia);
    Save(*target, "transparent_blit");
    EXPECT_EQ(MapOf(*target), (PixelMap{"iiiii", "iaibi", "iicii", "iiiii"}));
    skin::TransparentBlit(target->dc(), {3, 3, 1, 1}, *sprite, ui::clFuchsia);
    EXPECT_EQ(MapOf(*target)[3], "iiiii");
}

TEST(Regions, CoverWhatIsOutsideTheKeyRange) {
    const auto b = BitmapOf({"a#a", "###"});
    b->scan_line(1)[0] = 0xFF01FF;  // green 1: still key with tolerance 1
    b->scan_line(1)[1] = 0xFF02FF;  // green 2: shape
    const ui::Region region = skin::RegionFromBitmap(*b, 10, 20, ui::clFuchsia, 1, 1, 1);
    EXPECT_TRUE(region.contains(10, 20));
    EXPECT_FALSE(region.contains(11, 20));
    EXPECT_TRUE(region.contains(12, 20));
    EXPECT_FALSE(region.contains(10, 21));
    EXPECT_TRUE(region.contains(11, 21));
    EXPECT_FALSE(region.contains(12, 21));
    EXPECT_FALSE(region.contains(0, 0));

    // One row only, and a shape of 4,500 runs built in three batches.
    const ui::Region row = skin::RegionFromBitmap(*BitmapOf({"ab#c"}), 0, 0, ui::clFuchsia, 1, 1, 1);
    EXPECT_TRUE(row.contains(1, 0));
    EXPECT_FALSE(row.contains(2, 0));
    EXPECT_TRUE(row.contains(3, 0));
    ui::Bitmap stripes(200, 45);
    for (int y = 0; y < 45; ++y)
        for (int x = 0; x < 200; ++x) stripes.scan_line(y)[x] = (x % 2) ? 0xFF00FF : 0x000000;
    const ui::Region many = skin::RegionFromBitmap(stripes, 0, 0, ui::clFuchsia, 1, 1, 1);
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{198, 44}, std::pair{100, 22}, std::pair{60, 30}})
        EXPECT_TRUE(many.contains(x, y)) << x << "," << y;
    for (const auto& [x, y] : {std::pair{1, 0}, std::pair{199, 44}, std::pair{101, 22}, std::pair{0, 45}})
        EXPECT_FALSE(many.contains(x, y)) << x << "," << y;
}

TEST(Gradients, FillOnlyTheClippedLinesWithTheWholeRectanglesColours) {
    const auto target = Filled(4, 40, 'i');
    {
        ui::SavedDC saved(target->dc());
        IntersectClipRect(target->dc(), 0, 10, 4, 20);
        skin::FillGradient(target->dc(), {0, 0, 4, 40}, ui::rgb(0, 0, 0), ui::rgb(0, 0, 39), true);
    }
    Save(*target, "gradient_clipped");
    for (int y = 0; y < 40; ++y) {
        const std::uint32_t expected = (y >= 10 && y < 20) ? static_cast<std::uint32_t>(ui::rgb(0, 0, y))
                                                           : static_cast<std::uint32_t>(ui::rgb(0x90, 0, 0));  // cell 'i'
        EXPECT_EQ(target->pixel(2, y), expected) << y;
    }
    const auto across = Filled(5, 2, 'i');
    skin::FillGradient(across->dc(), {0, 0, 5, 2}, ui::rgb(0, 0, 0), ui::rgb(40, 0, 0), false);
    EXPECT_EQ(across->pixel(0, 1), static_cast<std::uint32_t>(ui::rgb(0, 0, 0)));
    EXPECT_EQ(across->pixel(4, 0), static_cast<std::uint32_t>(ui::rgb(40, 0, 0)));
    const auto untouched = Filled(3, 3, 'i');
    skin::FillGradient(untouched->dc(), {2, 2, 0, 0}, 0, 0xFFFFFF, true);
    skin::FillGradient(untouched->dc(), {0, -2000000000, 3, 2000000000}, 0, 0xFFFFFF, true);
    EXPECT_EQ(MapOf(*untouched), PixelMap(3, "iii"));
}

// The parent paints 10-pixel bands: red rises with x, green with y.
LRESULT CALLBACK BandsProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_ERASEBKGND) return 1;
    if (message == WM_PAINT) {
        PAINTSTRUCT ps{};
        const HDC dc = wparam ? reinterpret_cast<HDC>(wparam) : BeginPaint(window, &ps);
        for (int x = 0; x < 200; x += 10)
            for (int y = 0; y < 200; y += 10) {
                const ui::GdiObject<HBRUSH> brush(CreateSolidBrush(RGB(x, y, 7)));
                const RECT band{x, y, x + 10, y + 10};
                FillRect(dc, &band, brush.get());
            }
        if (!wparam) EndPaint(window, &ps);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

TEST(PaintParentBehind, PaintsTheParentUnderTheControl) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = BandsProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SkinTestBands";
    RegisterClassW(&wc);
    const HWND parent = CreateWindowExW(0, L"SkinTestBands", L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                        wc.hInstance, nullptr);
    ASSERT_TRUE(parent);
    const HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 30, 20, 40, 30, parent, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(child);
    const auto behind = Filled(50, 40, 'i');
    skin::PaintParentBehind(child, behind->dc());
    Save(*behind, "parent_behind");
    EXPECT_EQ(behind->pixel(0, 0), static_cast<std::uint32_t>(ui::rgb(30, 20, 7)));
    EXPECT_EQ(behind->pixel(39, 29), static_cast<std::uint32_t>(ui::rgb(60, 40, 7)));
    EXPECT_EQ(behind->pixel(15, 5), static_cast<std::uint32_t>(ui::rgb(40, 20, 7)));
    // Outside the control's client nothing is painted, and the DC's origin is back.
    EXPECT_EQ(MapOf(*behind)[35][45], 'i');
    EXPECT_EQ(MapOf(*behind)[5][45], 'i');
    POINT origin{};
    GetViewportOrgEx(behind->dc(), &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    // Without a parent nothing happens.
    skin::PaintParentBehind(parent, behind->dc());
    DestroyWindow(parent);
}

TEST(PixelTransforms, OnElementBitmaps) {
    const auto b = BitmapOf({"ab#", "cde"});
    skin::RotateBitmapRight(*b);
    EXPECT_EQ(MapOf(*b), (PixelMap{"ca", "db", "e#"}));
    skin::ReplaceMagenta(*b, ui::rgb(0x90, 0, 0));
    skin::MirrorBitmap(*b);
    skin::FlipBitmap(*b);
    EXPECT_EQ(MapOf(*b), (PixelMap{"ie", "bd", "ac"}));
    skin::RotateBitmapLeft(*b);
    EXPECT_EQ(MapOf(*b), (PixelMap{"edc", "iba"}));
}

} // namespace
