#include "skin/win/skin_progress.h"

#include <commctrl.h>

#include "skin/win/skin_bitmaps.h"
#include "skin/win/skin_frames.h"

namespace skin {
namespace {

Margins MarginsOf(const TDataSkinObject& e) { return {e.left_width, e.top_height, e.right_width, e.bottom_height}; }


} // namespace

bool TSkinProgress::BeforeMessage(ui::Message& m) {
    switch (m.msg) {
    case WM_PAINT: {
        const SkinDescription* skin = Skin();
        if (!skin || !skin->progress || skin->progress->bitmap.empty()) break;
        // The chunk look without a chunk picture leaves the bar to the control too, rather than
        // leaving it unpainted.
        if (skin->progress->style == 1 && (!skin->progress_chunk || skin->progress_chunk->bitmap.empty())) break;
        HandlePaint(*this, m);
        return false;
    }
    case WM_ERASEBKGND: m.result = 1; return false;
    default: break;
    }
    return TSkinControl::BeforeMessage(m);
}

void TSkinProgress::PaintSkin(HDC dc, const ui::Rect& rect) {
    const SkinDescription* skin = Skin();
    const HWND w = window();
    if (!skin || !skin->progress || !w || rect.width() <= 0 || rect.height() <= 0) return;
    ProgressLook look;
    const TDataSkinObject& bar = *skin->progress;
    look.bar = &bar.bitmap;
    look.bar_margins = MarginsOf(bar);
    look.bar_tile = bar.tile != 0;
    look.chunk_look = bar.style == 1;
    if (skin->progress_chunk) {
        look.chunk = &skin->progress_chunk->bitmap;
        look.chunk_margins = MarginsOf(*skin->progress_chunk);
        look.chunk_tile = skin->progress_chunk->tile == 1;
    }
    look.face = PixelFromColor(FaceColour(*this));
    look.pos = static_cast<int>(SendMessageW(w, PBM_GETPOS, 0, 0));
    look.high = static_cast<int>(SendMessageW(w, PBM_GETRANGE, FALSE, 0));
    look.low = static_cast<int>(SendMessageW(w, PBM_GETRANGE, TRUE, 0));
    look.vertical = (GetWindowLongPtrW(w, GWL_STYLE) & PBS_VERTICAL) != 0;
    const Image32 picture = ProgressPicture(rect.width(), rect.height(), look);
    if (picture.empty()) return;
    ui::Bitmap buffer;
    AssignImage(buffer, picture);
    BitBlt(dc, rect.left, rect.top, buffer.width(), buffer.height(), buffer.dc(), 0, 0, SRCCOPY);
}

} // namespace skin
