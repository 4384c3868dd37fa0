#include "skin/win/skin_trackbar.h"

#include "platform/ui/messages.h"
#include "skin/bar_faces.h"
#include "skin/win/skin_frames.h"

namespace skin {
namespace {

Margins MarginsOf(const TDataSkinObject& e) { return {e.left_width, e.top_height, e.right_width, e.bottom_height}; }

} // namespace

TrackDrawAnswer TrackCustomDraw(DWORD stage, DWORD_PTR item) {
    if (stage == CDDS_PREPAINT) return {CDRF_NOTIFYITEMDRAW, TrackPart::kNone};
    if (stage != CDDS_ITEMPREPAINT) return {};
    switch (item) {
    case TBCD_THUMB: return {CDRF_SKIPDEFAULT, TrackPart::kThumb};
    case TBCD_CHANNEL: return {CDRF_SKIPDEFAULT, TrackPart::kChannel};
    default: return {};
    }
}

bool TSkinTrackBar::AnswerCustomDraw(ui::Message& m) {
    // CN_NOTIFY shares its number with the skin's own message, which carries the skin's tag.
    const bool reflected = m.msg == ui::CN_NOTIFY && m.lparam != ui::kSkinNotifyTag;
    if (!(reflected || m.msg == WM_NOTIFY) || !m.lparam) return false;
    const auto* header = reinterpret_cast<const NMHDR*>(m.lparam);
    if (header->code != static_cast<UINT>(NM_CUSTOMDRAW) || header->hwndFrom != window()) return false;
    const auto* cd = reinterpret_cast<const NMCUSTOMDRAW*>(m.lparam);
    const TrackDrawAnswer answer = TrackCustomDraw(cd->dwDrawStage, cd->dwItemSpec);
    if (answer.draw == TrackPart::kChannel) PaintChannel(cd->hdc);
    else if (answer.draw == TrackPart::kThumb) PaintThumb(cd->hdc);
    m.result = answer.result;
    return true;
}

bool TSkinTrackBar::BeforeMessage(ui::Message& m) {
    if (active() && AnswerCustomDraw(m)) return false;
    return TSkinControl::BeforeMessage(m);
}

void TSkinTrackBar::Reskin() {
    TSkinControl::Reskin();
    // Through the focus the control repaints itself whole, its tick marks included.
    HWND w = window();
    if (!w || !IsWindowVisible(w)) return;
    HWND had = GetFocus();
    if (had == w) {
        InvalidateRect(w, nullptr, TRUE);
        return;
    }
    SetFocus(w);
    if (had && IsWindow(had)) SetFocus(had);
}

void TSkinTrackBar::PaintChannel(HDC dc) {
    const SkinDescription* skin = Skin();
    const HWND w = window();
    if (!skin || !w || !dc) return;
    RECT reported{};
    SendMessageW(w, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&reported));
    const bool vertical = (GetWindowLongPtrW(w, GWL_STYLE) & TBS_VERT) != 0;
    const TDataSkinObject* picture = nullptr;
    Rect channel = ui::from_rect(reported);
    if (vertical && skin->track_vert && !skin->track_vert->bitmap.empty()) {
        picture = &*skin->track_vert;
        channel = VerticalChannelRect(channel);
    } else if (skin->track && !skin->track->bitmap.empty()) {
        picture = &*skin->track;
    }
    if (!picture) return;
    const ui::Bitmap* bitmap = ElementBitmap(*picture);
    if (!bitmap) return;
    const bool along_y = picture == &*skin->track_vert && vertical;
    const int old_mode = SetStretchBltMode(dc, COLORONCOLOR);
    for (const Blit& b : ChannelBlits(channel, bitmap->width(), bitmap->height(), MarginsOf(*picture), along_y))
        StretchBlt(dc, b.dst.left, b.dst.top, b.dst.width(), b.dst.height(), bitmap->dc(), b.src.left, b.src.top,
                   b.src.width(), b.src.height(), SRCCOPY);
    SetStretchBltMode(dc, old_mode);
}

void TSkinTrackBar::PaintThumb(HDC dc) {
    const SkinDescription* skin = Skin();
    const HWND w = window();
    if (!skin || !dc || !w || !IsWindow(w)) return;
    RECT r{};
    SendMessageW(w, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
    const Rect thumb = ui::from_rect(r);
    if (thumb.width() <= 0 || thumb.height() <= 0) return;
    const bool vertical = (GetWindowLongPtrW(w, GWL_STYLE) & TBS_VERT) != 0;
    const auto& horz = skin->track_bar_thumbs[0];
    const auto& vert = skin->track_bar_thumbs[1];
    const TDataSkinObject* element = vertical && vert && !vert->bitmap.empty() ? &*vert
                                     : horz && !horz->bitmap.empty()          ? &*horz
                                                                               : nullptr;
    if (element) {
        if (const ui::Bitmap* bitmap = ElementBitmap(*element)) {
            DrawFrameStretched(dc, thumb, *bitmap, true, 5, 2);
            return;
        }
    }
    const SkinDescription& s = *skin;
    ui::GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ui::color_to_rgb(s.colours[kButtonShadow]) & 0xFFFFFF));
    ui::SavedDC saved(dc);
    SelectObject(dc, pen.get());
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Rectangle(dc, thumb.left, thumb.top, thumb.right, thumb.bottom);
}

} // namespace skin
