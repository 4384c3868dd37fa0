// Skins of progress bars and track bars on live windows: the bar and chunk looks against the
// picture the skin's rules give, vertical bars, ranges off 0 and negative, skins without the
// elements; the track bar's channel and thumb drawn by the skin and its ticks by the system.
// Pictures of each in both of the programs' own skins.
#include <windows.h>

#include <commctrl.h>


#include <gtest/gtest.h>

#include "platform/ui/messages.h"
#include "platform/ui/win/comctl_controls.h"
#include "skin/bar_faces.h"
#include "skin/win/skin_bitmaps.h"
#include "skin/win/skin_progress.h"
#include "skin/win/skin_trackbar.h"
#include "tests/skin/win/skinned_fixture.h"
#include "tests/support/window_test/window_test.h"

namespace {

using namespace skinned_test;
using skin::Image32;
using skin::TSkinData;
using skin::TWinSkinForm;

class SkinnedBars : public SkinnedTest {};

// What the window's client shows now, after a full repaint.
Image32 ClientPicture(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    window_test::pump(0);
    const SIZE size = ClientSize(window);
    ui::Bitmap picture(size.cx, size.cy);
    HDC dc = GetDC(window);
    BitBlt(picture.dc(), 0, 0, size.cx, size.cy, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    return skin::ImageFromBitmap(picture);
}

skin::SkinDescription& Editable(TSkinData* data) { return const_cast<skin::SkinDescription&>(*data->Skin()); }

skin::Margins MarginsOf(const skin::TDataSkinObject& e) {
    return {e.left_width, e.top_height, e.right_width, e.bottom_height};
}

// The picture the skin's rules give for a bar of the window's size.
Image32 Expected(const skin::SkinDescription& s, HWND bar) {
    skin::ProgressLook look;
    look.bar = &s.progress->bitmap;
    look.bar_margins = MarginsOf(*s.progress);
    look.bar_tile = s.progress->tile != 0;
    look.chunk_look = s.progress->style == 1;
    if (s.progress_chunk) {
        look.chunk = &s.progress_chunk->bitmap;
        look.chunk_margins = MarginsOf(*s.progress_chunk);
        look.chunk_tile = s.progress_chunk->tile == 1;
    }
    look.face = skin::PixelFromColor(s.colours[skin::kButtonFace]);
    look.pos = static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0));
    look.high = static_cast<int>(SendMessageW(bar, PBM_GETRANGE, FALSE, 0));
    look.low = static_cast<int>(SendMessageW(bar, PBM_GETRANGE, TRUE, 0));
    look.vertical = (GetWindowLongPtrW(bar, GWL_STYLE) & PBS_VERTICAL) != 0;
    const RECT r = WindowRectOf(bar);
    return skin::ProgressPicture(r.right - r.left, r.bottom - r.top, look);
}

// How many columns (horizontal) or rows counted from the bottom (vertical) of the shown bar
// differ from the empty bar.
int FilledSpan(const Image32& shown, const Image32& empty, bool vertical) {
    const int n = vertical ? shown.height() : shown.width();
    int span = 0;
    for (int i = 0; i < n; ++i) {
        bool differs = false;
        const int length = vertical ? shown.width() : shown.height();
        for (int j = 0; j < length && !differs; ++j) {
            const int x = vertical ? j : i, y = vertical ? shown.height() - 1 - i : j;
            differs = shown.at(x, y) != empty.at(x, y);
        }
        if (differs) span = i + 1;
    }
    return span;
}

struct Window {
    Window(TSkinData*& data, ui::Component* owner, const char* skin_path) {
        data = LoadedData(owner, skin_path);
        Activate(w.handle());
    }
    template <class C>
    C* Add(int x, int y, int width, int height) {
        auto* c = new C(w.form.get());
        c->set_parent(w.form.get());
        c->set_bounds(x, y, width, height);
        return c;
    }
    MainWindow w{"Skinned bars", 460, 300};
};

const char* SkinName(const char* path) { return path == kDefaultSkin ? "default" : "contrast"; }

TEST_F(SkinnedBars, ProgressBarsFillByTheirRangeInBothLooks) {
    for (const char* path : {kDefaultSkin, kContrastSkin}) {
        SCOPED_TRACE(path);
        TSkinData* data = nullptr;
        Window m(data, owner_.get(), path);
        ASSERT_TRUE(WaitSkinned(m.w.handle()));
        TWinSkinForm* form = SkinOf(m.w.handle());
        form->ReleaseControlSkins();
        auto* bar = m.Add<ui::ProgressBar>(10, 10, 200, 18);
        auto* vertical = m.Add<ui::ProgressBar>(230, 10, 18, 120);
        vertical->set_orientation(ui::TProgressBarOrientation::pbVertical);
        for (ui::ProgressBar* b : {bar, vertical}) {
            auto* s = new skin::TSkinProgress(b);
            s->AttachControl(form, data, true);
            ASSERT_TRUE(s->attached());
        }
        skin::SkinDescription& skin = Editable(data);
        ASSERT_TRUE(skin.progress && skin.progress_chunk);
        const int style = skin.progress->style;

        struct Case {
            const char* name;
            int min, max, pos;
            int half;  // the filled part in half-steps of the bar's length: 0 none, 1 half, 2 all
        };
        const Case cases[] = {
            {"half of 0..100", 0, 100, 50, 1}, {"empty at 0", 0, 100, 0, 0},          {"full", 0, 100, 100, 2},
            {"low limit 50", 50, 150, 100, 1}, {"negative range", -200, -100, -150, 1},
        };
        for (const int look : {0, 1}) {
            skin.progress->style = look;
            for (const Case& c : cases) {
                SCOPED_TRACE(std::string(c.name) + (look ? " chunks" : " bar"));
                for (ui::ProgressBar* b : {bar, vertical}) {
                    b->set_min(c.min);
                    b->set_max(c.max);
                    b->set_position(c.pos);
                    const Image32 shown = ClientPicture(b->handle());
                    const Image32 want = Expected(skin, b->handle());
                    ASSERT_EQ(shown, want);
                    if (look == 1) continue;  // the chunk look reads pos / high only
                    const bool v = b == vertical;
                    b->set_position(c.min);
                    const Image32 empty = ClientPicture(b->handle());
                    b->set_position(c.pos);
                    const int length = v ? shown.height() : shown.width();
                    // The frames' last column may match, so the span may end one short.
                    EXPECT_NEAR(FilledSpan(shown, empty, v), c.half * length / 2, 1);
                }
                const std::string name = std::string("progress_") + SkinName(path) + (look ? "_chunks_" : "_bar_") +
                                         std::to_string(c.pos);
                if (c.min == 0) window_test::save_screenshot(m.w.handle(), "skinned_bars", name);
            }
        }
        // Chunks at 45 %: five chunks of the skin's chunk picture, the last one cut.
        skin.progress->style = 1;
        bar->set_min(0), bar->set_max(100), bar->set_position(45);
        EXPECT_EQ(ClientPicture(bar->handle()), Expected(skin, bar->handle()));

        // Without the element the bar keeps its own look: the system's face differs from ours.
        skin.progress->style = style;
        const Image32 skinned = ClientPicture(bar->handle());
        auto kept = std::move(skin.progress);
        skin.progress.reset();
        EXPECT_FALSE(ClientPicture(bar->handle()) == skinned);
        skin.progress = std::move(kept);
        // The chunk look without its chunk likewise (an eaten paint would leave the skinned face).
        skin.progress->style = 1;
        auto chunk = std::move(skin.progress_chunk);
        skin.progress_chunk.reset();
        EXPECT_FALSE(ClientPicture(bar->handle()) == skinned);
        skin.progress_chunk = std::move(chunk);
        skin.progress->style = style;
        window_test::pump(0);
    }
}

// The pixels of `picture` copied by the blits, drawn over `ground`.
Image32 WithBlits(Image32 ground, const Image32& picture, const std::vector<skin::Blit>& blits) {
    skin::DrawBlits(picture, blits, ground);
    return ground;
}

TEST_F(SkinnedBars, TrackBarsGetTheSkinsChannelAndThumbAndTheSystemsTicks) {
    for (const char* path : {kDefaultSkin, kContrastSkin}) {
        SCOPED_TRACE(path);
        TSkinData* data = nullptr;
        Window m(data, owner_.get(), path);
        ASSERT_TRUE(WaitSkinned(m.w.handle()));
        TWinSkinForm* form = SkinOf(m.w.handle());
        form->ReleaseControlSkins();
        auto* horizontal = m.Add<ui::TrackBar>(10, 10, 220, 40);
        auto* vertical = m.Add<ui::TrackBar>(260, 10, 40, 200);
        vertical->set_orientation(ui::TTrackBarOrientation::trVertical);
        vertical->set_bounds(260, 10, 40, 200);
        for (ui::TrackBar* t : {horizontal, vertical}) {
            t->set_tick_style(ui::TTickStyle::tsAuto);
            t->set_frequency(10);
            t->set_max(100);
            t->set_position(30);
        }
        const skin::SkinDescription& skin = *data->Skin();
        ASSERT_TRUE(skin.track && skin.track_vert && skin.track_bar_thumbs[0] && skin.track_bar_thumbs[1]);
        for (ui::TrackBar* t : {horizontal, vertical}) {
            auto* s = new skin::TSkinTrackBar(t);
            s->AttachControl(form, data, true);
            ASSERT_TRUE(s->attached());
        }
        window_test::save_screenshot(m.w.handle(), "skinned_bars", std::string("track_") + SkinName(path));

        for (ui::TrackBar* t : {horizontal, vertical}) {
            const bool v = t == vertical;
            SCOPED_TRACE(v ? "vertical" : "horizontal");
            const HWND h = t->handle();
            const Image32 shown = ClientPicture(h);
            RECT cr{}, tr{};
            SendMessageW(h, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&cr));
            SendMessageW(h, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&tr));
            const skin::TDataSkinObject& channel_picture = v ? *skin.track_vert : *skin.track;
            skin::Rect channel = ui::from_rect(cr);
            if (v) channel = skin::VerticalChannelRect(channel);
            const auto blits = skin::ChannelBlits(channel, channel_picture.bitmap.width(), channel_picture.bitmap.height(),
                                                  MarginsOf(channel_picture), v);
            ASSERT_EQ(blits.size(), 3u);
            // The channel's pieces, outside the thumb: exactly the picture's.
            const Image32 want = WithBlits(shown, channel_picture.bitmap, blits);
            const skin::Rect thumb = ui::from_rect(tr);
            int compared = 0, differ = 0;
            for (const skin::Blit& b : blits)
                for (int y = b.dst.top; y < b.dst.bottom; ++y)
                    for (int x = b.dst.left; x < b.dst.right; ++x) {
                        if (x >= thumb.left && x < thumb.right && y >= thumb.top && y < thumb.bottom) continue;
                        ++compared;
                        differ += shown.at(x, y) != want.at(x, y);
                    }
            EXPECT_GT(compared, 100);
            EXPECT_EQ(differ, 0);

            // The thumb: frame 2 of the thumb picture, its middle pixel at the thumb's middle.
            const skin::TDataSkinObject& thumb_picture = *skin.track_bar_thumbs[v ? 1 : 0];
            const int fw = thumb_picture.bitmap.width() / 5, fh = thumb_picture.bitmap.height();
            EXPECT_EQ(shown.at((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2),
                      thumb_picture.bitmap.at(fw + fw / 2, fh / 2));

            // The ticks stay the system's: marks beside the channel, where the skin draws nothing,
            // one per tick, with the ground between them. (Wine reports a vertical bar's tick
            // positions wrongly, so the marks are counted along the strip beside the thumb.)
            const int count = static_cast<int>(SendMessageW(h, TBM_GETNUMTICS, 0, 0));
            ASSERT_GT(count, 3);
            const int across0 = v ? thumb.right + 1 : thumb.bottom + 1;
            const int along_end = v ? shown.height() : shown.width();
            auto marked_at = [&](int along) {
                for (int d = 0; d < 12; ++d) {
                    const int x = v ? across0 + d : along, y = v ? along : across0 + d;
                    if (!shown.contains(x, y)) continue;
                    const std::uint32_t ground = v ? shown.at(x, 1) : shown.at(1, y);
                    if (shown.at(x, y) != ground) return true;
                }
                return false;
            };
            int marked = 0;
            for (int along = 1; along < along_end; ++along) marked += marked_at(along) && !marked_at(along - 1);
            EXPECT_EQ(marked, count);
        }

        // A thumb drag step: the skin paints the thumb where the control moved it.
        horizontal->set_position(80);
        const Image32 moved = ClientPicture(horizontal->handle());
        RECT tr{};
        SendMessageW(horizontal->handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&tr));
        const skin::TDataSkinObject& thumb_picture = *skin.track_bar_thumbs[0];
        const int fw = thumb_picture.bitmap.width() / 5;
        EXPECT_EQ(moved.at((tr.left + tr.right) / 2, (tr.top + tr.bottom) / 2),
                  thumb_picture.bitmap.at(fw + fw / 2, thumb_picture.bitmap.height() / 2));
        window_test::save_screenshot(m.w.handle(), "skinned_bars", std::string("track_moved_") + SkinName(path));
    }
}

TEST_F(SkinnedBars, TrackBarCustomDrawAnswers) {
    using skin::TrackPart;
    struct Case {
        DWORD stage;
        DWORD_PTR item;
        LRESULT result;
        TrackPart draw;
    };
    const Case cases[] = {
        {CDDS_PREPAINT, 0, CDRF_NOTIFYITEMDRAW, TrackPart::kNone},
        {CDDS_ITEMPREPAINT, TBCD_TICS, CDRF_DODEFAULT, TrackPart::kNone},
        {CDDS_ITEMPREPAINT, TBCD_THUMB, CDRF_SKIPDEFAULT, TrackPart::kThumb},
        {CDDS_ITEMPREPAINT, TBCD_CHANNEL, CDRF_SKIPDEFAULT, TrackPart::kChannel},
        {CDDS_POSTPAINT, TBCD_CHANNEL, CDRF_DODEFAULT, TrackPart::kNone},
        {CDDS_ITEMPREPAINT, 99, CDRF_DODEFAULT, TrackPart::kNone},
    };
    for (const Case& c : cases) {
        const skin::TrackDrawAnswer a = skin::TrackCustomDraw(c.stage, c.item);
        EXPECT_EQ(a.result, c.result) << c.stage << " " << c.item;
        EXPECT_EQ(a.draw, c.draw) << c.stage << " " << c.item;
    }

    // The skin's own message of the same number is never read as a notification.
    TSkinData* data = nullptr;
    Window m(data, owner_.get(), kDefaultSkin);
    ASSERT_TRUE(WaitSkinned(m.w.handle()));
    TWinSkinForm* form = SkinOf(m.w.handle());
    auto* track = m.Add<ui::TrackBar>(10, 10, 1, 40);  // 1 pixel wide
    auto* s = new skin::TSkinTrackBar(track);
    s->AttachControl(form, data, true);
    SendMessageW(track->handle(), ui::CN_NOTIFY, 0, ui::kSkinNotifyTag);
    ClientPicture(track->handle());
    window_test::pump(0);
}

} // namespace
