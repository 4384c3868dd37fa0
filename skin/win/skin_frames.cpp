#include "skin/win/skin_frames.h"

#include <algorithm>

namespace skin {
namespace {

// Keeps the destination where the mask is white, copies the source where it is black.
constexpr DWORD kKeepDestination = 0x00AA0029;

void RunBlits(HDC target, const ui::Bitmap& source, const std::vector<Blit>& blits) {
    SetStretchBltMode(target, COLORONCOLOR);
    for (const Blit& b : blits)
        StretchBlt(target, b.dst.left, b.dst.top, b.dst.width(), b.dst.height(), source.dc(), b.src.left, b.src.top,
                   b.src.width(), b.src.height(), SRCCOPY);
}

void PutComposed(HDC dc, const Rect& dest, const ui::Bitmap& composed, bool transparent) {
    if (transparent) TransparentBlit(dc, {dest.left, dest.top, dest.left + composed.width(), dest.top + composed.height()},
                                     composed, ui::clFuchsia);
    else BitBlt(dc, dest.left, dest.top, composed.width(), composed.height(), composed.dc(), 0, 0, SRCCOPY);
}

std::unique_ptr<ui::Bitmap> Composed(int width, int height, const ui::Bitmap& element, const std::vector<Blit>& blits) {
    auto bitmap = std::make_unique<ui::Bitmap>(width, height);
    if (bitmap->empty()) return nullptr;
    RunBlits(bitmap->dc(), element, blits);
    return bitmap;
}

// The monochrome mask of `bitmap`'s top-left w x h: key pixels white (1), others black (0).
ui::GdiObject<HBITMAP> KeyMask(const ui::Bitmap& bitmap, int w, int h, std::uint32_t key) {
    const int stride = (w + 15) / 16 * 2;  // monochrome rows are whole 16-bit words
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(stride) * static_cast<std::size_t>(h), 0);
    for (int y = 0; y < h; ++y) {
        const std::uint32_t* row = bitmap.scan_line(y);
        for (int x = 0; x < w; ++x)
            if ((row[x] & 0xFFFFFF) == key) bits[static_cast<std::size_t>(y) * stride + x / 8] |= 0x80 >> (x % 8);
    }
    return ui::GdiObject<HBITMAP>(CreateBitmap(w, h, 1, 1, bits.data()));
}

} // namespace

std::unique_ptr<ui::Bitmap> StretchSkinFrame(const Rect& dest, const ui::Bitmap& element, const Margins& margins,
                                             bool vertical, bool tile, int count, int index) {
    const auto frame = FrameRect(element.width(), element.height(), count, index, vertical);
    if (!frame || !Drawable(dest)) return nullptr;
    return Composed(dest.width(), dest.height(), element,
                    NineSliceBlits(dest.width(), dest.height(), *frame, margins, tile));
}

void DrawSkinFrame(HDC dc, const Rect& dest, const ui::Bitmap& element, const Margins& margins, int index, int count,
                   bool transparent, bool tile, bool vertical) {
    if (auto composed = StretchSkinFrame(dest, element, margins, vertical, tile, count, index))
        PutComposed(dc, dest, *composed, transparent);
}

void DrawSkinBar(ui::Canvas& canvas, const Rect& dest, const ui::Bitmap& element, const Margins& margins,
                 bool vertical, bool transparent, int count, int index) {
    const auto frame = FrameRect(element.width(), element.height(), count, index, vertical);
    if (!frame || !Drawable(dest) || !canvas.handle()) return;
    auto composed = Composed(dest.width(), dest.height(), element,
                             BarBlits(dest.width(), dest.height(), *frame, margins.left, margins.right));
    if (!composed) return;
    if (transparent) {
        composed->transparent = true;
        composed->transparent_color = ui::clFuchsia;
        canvas.draw(dest.left, dest.top, *composed);
    } else {
        BitBlt(canvas.handle(), dest.left, dest.top, composed->width(), composed->height(), composed->dc(), 0, 0, SRCCOPY);
    }
}

void StretchSkinBar(HDC dc, const Rect& dest, const ui::Bitmap& element, const Margins& margins, bool vertical,
                    int count, int index) {
    const auto frame = FrameRect(element.width(), element.height(), count, index, vertical);
    if (!frame) return;
    RunBlits(dc, element, StretchedBarBlits(dest, *frame, margins.left, margins.right));
}

void DrawFrameStretched(HDC dc, const Rect& dest, const ui::Bitmap& element, bool transparent, int count, int index) {
    const auto frame = FrameRect(element.width(), element.height(), count, index, false);
    if (!frame || !Drawable(dest)) return;
    if (auto composed = Composed(dest.width(), dest.height(), element, {{*frame, {0, 0, dest.width(), dest.height()}}}))
        PutComposed(dc, dest, *composed, transparent);
}

void DrawFrameCentered(HDC dc, const Rect& dest, const ui::Bitmap& element, bool transparent, int count, int index) {
    const auto frame = FrameRect(element.width(), element.height(), count, index, false);
    if (!frame || Inverted(dest)) return;
    const int fw = frame->width(), fh = frame->height();
    auto composed = Composed(fw, fh, element, {{*frame, {0, 0, fw, fh}}});
    if (!composed) return;
    const auto [left, top] = CenteredOrigin(dest, fw, fh);
    PutComposed(dc, {left, top, left + fw, top + fh}, *composed, transparent);
}

void TransparentBlit(HDC dc, const Rect& dest, const ui::Bitmap& bitmap, ui::TColor key) {
    if (Inverted(dest)) return;
    const int w = std::min(dest.width(), bitmap.width()), h = std::min(dest.height(), bitmap.height());
    if (w <= 0 || h <= 0) return;
    const ui::GdiObject<HBITMAP> mask = KeyMask(bitmap, w, h, PixelFromColor(key));
    if (!mask) return;
    MaskBlt(dc, dest.left, dest.top, w, h, bitmap.dc(), 0, 0, mask.get(), 0, 0, MAKEROP4(kKeepDestination, SRCCOPY));
}

} // namespace skin
