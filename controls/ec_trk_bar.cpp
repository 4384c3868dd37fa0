#include "controls/ec_trk_bar.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>

#include "controls/ec_grafx.h"
#include "platform/ui/messages.h"

namespace ec {

using ui::PropBuilder;
using ui::Rect;
using ui::TColor;

namespace {

constexpr unsigned kFirstRepeatMs = 200, kRepeatMs = 100;

// A double-headed arrow along the travel, drawn into the cursor's planes.
HCURSOR make_slider_cursor(bool vertical) {
    constexpr int kSize = 32;
    BYTE and_plane[kSize * kSize / 8], xor_plane[kSize * kSize / 8];
    std::fill(std::begin(and_plane), std::end(and_plane), BYTE{0xFF});
    std::fill(std::begin(xor_plane), std::end(xor_plane), BYTE{0});
    auto dot = [&](int x, int y, bool white) {
        if (vertical) std::swap(x, y);
        const int bit = y * kSize + x;
        and_plane[bit / 8] &= static_cast<BYTE>(~(0x80 >> (bit % 8)));
        if (white) xor_plane[bit / 8] |= static_cast<BYTE>(0x80 >> (bit % 8));
    };
    // A shaft from 4 to 27 at row 15, with heads of five rows at both ends; black outline.
    for (int x = 3; x <= 28; ++x)
        for (int y = 14; y <= 16; ++y) dot(x, y, y == 15 && x > 3 && x < 28);
    for (int k = 1; k <= 5; ++k)
        for (int y = 15 - k - 1; y <= 15 + k + 1; ++y) {
            const bool inside = y > 15 - k - 1 && y < 15 + k + 1;
            dot(3 + k, y, inside);
            dot(28 - k, y, inside);
        }
    return CreateCursor(GetModuleHandleW(nullptr), 15, 15, kSize, kSize, and_plane, xor_plane);
}

// The two slider cursors, made once for the program.
int slider_cursor_id(bool vertical) {
    static const int horizontal_id = ui::register_cursor(make_slider_cursor(false));
    static const int vertical_id = ui::register_cursor(make_slider_cursor(true));
    return vertical ? vertical_id : horizontal_id;
}

bool contains(const Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// A picture of the art's roles in the colours `colour_of` gives them.
void paint_art(ui::Bitmap& bitmap, const ThumbArt& art, const std::function<TColor(char)>& colour_of) {
    bitmap.set_size(art.width(), art.height());
    for (int y = 0; y < art.height(); ++y)
        for (int x = 0; x < art.width(); ++x) bitmap.canvas().set_pixel(x, y, colour_of(art.rows[y][x]));
}

} // namespace

ui::ClassInfo& TEcTrackBar::static_class() {
    static ui::ClassInfo info = [] {
        using T = TEcTrackBar;
        ui::ClassInfo c("TEcTrackBar", &CustomControl::static_class());
        c.factory = ui::factory_of<TEcTrackBar>();
        PropBuilder<T>(c)
            .object("CustomThumb", ui::PropKind::Object, "TBitmap", [](T& t) -> ui::Persistent* { return &t.custom_thumb_; })
            .color("HighlightColor", &T::highlight_color, &T::set_highlight_color, ui::clHighlight)
            .color("HotTrackColor", &T::hot_track_color, &T::set_hot_track_color, ui::rgb(240, 155, 20))
            .enumeration("HotTrackColorType", &T::hot_track_color_type, &T::set_hot_track_color_type,
                         TEcHotTrackColorType::htctActual)
            .integer("Max", &T::max, &T::set_max, 10)
            .integer("Min", &T::min, &T::set_min, 0)
            .enumeration("Orientation", &T::orientation, &T::set_orientation, TOrientation::orHorizontal)
            .integer("PageSize", &T::page_size, &T::set_page_size, 1, "Word")
            .enumeration("PointerType", &T::pointer_type, &T::set_pointer_type, TPointerType::ptStandard)
            .integer("Position", &T::position, &T::set_position, 0)
            .boolean("ShowFocusRect", &T::show_focus_rect, &T::set_show_focus_rect, true)
            .boolean("ShowTicks", &T::show_ticks, &T::set_show_ticks, true)
            .boolean("TabOnEnter", &T::tab_on_enter, &T::set_tab_on_enter, false)
            .boolean("ThemeAware", &T::theme_aware, &T::set_theme_aware, true)
            .enumeration("ThumbStyle", &T::thumb_style, &T::set_thumb_style, TThumbStyle::tsPointer)
            .color("TickColor", &T::tick_color, &T::set_tick_color, ui::clBtnShadow)
            .integer("TickStep", &T::tick_step, &T::set_tick_step, 1, "TPositiveInteger")
            .enumeration("TickStyle", &T::tick_style, &T::set_tick_style, TTickStyle::tkStandard)
            .color("TrackColor", &T::track_color, &T::set_track_color, ui::cl3DLight)
            .enumeration("TrackFrame", &T::track_frame, &T::set_track_frame, TFrameStyle::fsStatus)
            .color("TrackFrameColor", &T::track_frame_color, &T::set_track_frame_color, ui::clBtnShadow)
            .integer("TrackOffset", &T::track_offset, &T::set_track_offset, 20, "Word")
            .integer("TrackWidth", &T::track_width, &T::set_track_width, 8, "Word")
            .boolean("Transparent", &T::transparent, &T::set_transparent, false)
            .event("OnChange", "TNotifyEvent", &T::on_change)
            .event("OnChanging", "TPositionChangingEvent", &T::on_changing)
            .event("OnDrawTick", "TDrawTickEvent", &T::on_draw_tick);
        return c;
    }();
    return info;
}

TEcTrackBar::TEcTrackBar(ui::Component* owner)
    : CustomControl(owner), repeat_timer_(std::make_unique<ui::Timer>(nullptr)) {
    repeat_timer_->set_enabled(false);
    repeat_timer_->set_interval(kFirstRepeatMs);
    repeat_timer_->on_timer = [this](ui::Component*) {
        // Repeats only while the press that started it still holds the mouse.
        if (!handle_allocated() || GetCapture() != handle()) return;
        repeat_timer_->set_interval(kRepeatMs);
        page_at(press_point_);
    };
    custom_thumb_.on_change = [this](ui::Bitmap&) {
        thumb_style_ = TThumbStyle::tsCustom;
        load_thumbs();
        mark_cache();
    };
    set_tab_stop(true);
    set_bounds(0, 0, 200, 35);
    load_thumbs();
}

TEcTrackBar::~TEcTrackBar() {
    repeat_timer_->on_timer = nullptr;
    custom_thumb_.on_change = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Range and position

void TEcTrackBar::set_min(int v) {
    min_ = fixed_track_min(v, max_);
    if (position_ < min_) position_ = min_;
    mark_cache();
}

void TEcTrackBar::set_max(int v) {
    max_ = fixed_track_max(v, min_);
    if (position_ > max_) position_ = max_;
    mark_cache();
}

void TEcTrackBar::set_position(int v) {
    if (v == position_) return;
    const int clamped = clamp_track_position(v, min_, max_);
    bool allow = true;
    if (on_changing) on_changing(this, clamped, allow);
    if (!allow) return;
    position_ = clamped;
    if (!cache_marked_) redraw_thumb();
    if (on_change) on_change(this);
}

void TEcTrackBar::try_position(int v) {
    if (can_change(v)) set_position(v);
}

void TEcTrackBar::set_orientation(TOrientation v) { change_thumbs(orientation_, v); }

void TEcTrackBar::set_thumb_style(TThumbStyle v) {
    if (v == thumb_style_) return;
    thumb_style_ = v;
    if (!loading()) track_width_ = v == TThumbStyle::tsMixer || v == TThumbStyle::tsFlat ? 6 : 8;
    load_thumbs();
    mark_cache();
}

TrackLayout TEcTrackBar::layout() const {
    TrackLayout t;
    t.width = width();
    t.height = height();
    t.orientation = orientation_;
    t.thumb_width = thumb_width_;
    t.thumb_height = thumb_height_;
    t.track_offset = track_offset_;
    t.track_width = track_width_;
    t.min = min_;
    t.max = max_;
    t.style = thumb_style_;
    t.pointer = pointer_type_;
    return t;
}

int TEcTrackBar::slider_cursor() const { return slider_cursor_id(orientation_ == TOrientation::orVertical); }

// ---------------------------------------------------------------------------------------------
// Pictures and the background cache

void TEcTrackBar::load_thumbs() {
    const bool vertical = orientation_ == TOrientation::orVertical;
    if (thumb_style_ == TThumbStyle::tsCustom) {
        // Thumb (also the hot one), mask and disabled thumb side by side.
        const int w = custom_thumb_.width() / 3, h = custom_thumb_.height();
        for (ui::Bitmap* b : {&thumb_, &hot_thumb_, &mask_, &disabled_thumb_}) b->set_size(w, h);
        const int from[] = {0, 0, w, 2 * w};
        ui::Bitmap* into[] = {&thumb_, &hot_thumb_, &mask_, &disabled_thumb_};
        for (int i = 0; i < 4 && w > 0 && h > 0; ++i)
            BitBlt(into[i]->dc(), 0, 0, w, h, custom_thumb_.dc(), from[i], 0, SRCCOPY);
    } else {
        TThumbStyle style = thumb_style_;
        if (theme_aware_ && themes_active()) {
            if (style == TThumbStyle::tsBox) style = TThumbStyle::tsXPBox;
            if (style == TThumbStyle::tsPointer) style = TThumbStyle::tsXPPointer;
        }
        const ThumbArt art = thumb_art(style, orientation_);
        const bool xp = style == TThumbStyle::tsXPBox || style == TThumbStyle::tsXPPointer;
        std::map<TColor, TColor> map;
        for (const auto& [design, drawn] : thumb_color_map({highlight_color_, hot_track_color_, hot_type_}))
            map[design] = drawn;
        auto shown = [&](char role, ThumbImage image) {
            if (xp) return xp_thumb_color(role, image);
            const TColor design = thumb_design_color(role, image);
            const auto it = map.find(design);
            return it == map.end() ? design : it->second;
        };
        paint_art(thumb_, art, [&](char r) { return shown(r, ThumbImage::Normal); });
        paint_art(hot_thumb_, art, [&](char r) { return shown(r, ThumbImage::Hot); });
        paint_art(disabled_thumb_, art, [&](char r) { return shown(r, ThumbImage::Disabled); });
        paint_art(mask_, art, thumb_mask_color);
    }
    thumb_width_ = vertical ? thumb_.height() : thumb_.width();
    thumb_height_ = vertical ? thumb_.width() : thumb_.height();
}

void TEcTrackBar::mark_cache() {
    cache_marked_ = true;
    invalidate();
}

void TEcTrackBar::rebuild_cache() {
    cache_.set_size(std::max(width(), 1), std::max(height(), 1));
    ui::Canvas& c = cache_.canvas();
    if (transparent_) {
        paint_parent_background(*this, cache_.dc(), false);
    } else {
        c.brush().style = ui::TBrushStyle::bsSolid;
        c.brush().color = color();
        c.fill_rect({0, 0, width(), height()});
    }
    draw_track(c);
    if (show_ticks_) draw_ticks(c);
    cache_marked_ = false;
}

void TEcTrackBar::draw_track(ui::Canvas& canvas) {
    const Rect r = track_rect(layout());
    canvas.brush().style = ui::TBrushStyle::bsSolid;
    canvas.brush().color = enabled() ? track_color_ : ui::clBtnFace;
    canvas.fill_rect(r);
    if (track_frame_ == TFrameStyle::fsFlat)
        paint_side_lines(canvas, r, track_frame_color_, track_frame_color_, kAllSides);
    else
        paint_frame_style(canvas, r, to_frame_style_ex(track_frame_));
}

void TEcTrackBar::draw_ticks(ui::Canvas& canvas) {
    const TrackLayout t = layout();
    const bool vertical = orientation_ == TOrientation::orVertical;
    auto place = [&](int d) { return vertical ? height() - thumb_width_ - d - kTrackInset + t.half_thumb()
                                              : d + kTrackInset + t.half_thumb(); };
    if (tick_style_ == TTickStyle::tkOwnerDraw) {
        // The owner is told every tick value, however many.
        if (!on_draw_tick) return;
        const double per_value = static_cast<double>(t.span()) / (static_cast<double>(max_) - min_);
        for (long long v = min_; v <= max_; ++v) {
            if (v % tick_step_ != 0) continue;
            const int at = place(static_cast<int>(std::nearbyint(static_cast<double>(v - min_) * per_value)));
            on_draw_tick(this, canvas, vertical ? POINT{0, at} : POINT{at, 0}, static_cast<int>(v));
        }
        return;
    }
    const bool pointer = thumb_style_ == TThumbStyle::tsPointer || thumb_style_ == TThumbStyle::tsXPPointer;
    const bool standard_pointer = (thumb_style_ == TThumbStyle::tsPointer && pointer_type_ == TPointerType::ptStandard) ||
                                  thumb_style_ == TThumbStyle::tsXPPointer;
    const bool win95 = thumb_style_ == TThumbStyle::tsPointer && pointer_type_ == TPointerType::ptWin95;
    canvas.pen().color = tick_color_;
    for (int d : tick_offsets(t, tick_step_)) {
        const int at = place(d);
        if (vertical) {
            canvas.move_to(4, at);
            canvas.line_to(10, at);
            if (!pointer) {
                canvas.move_to(width() - 10, at);
                canvas.line_to(width() - 4, at);
            }
            continue;
        }
        if (!win95) {
            canvas.move_to(at, 4);
            canvas.line_to(at, 10);
        }
        if (!standard_pointer) {
            canvas.move_to(at, height() - 10);
            canvas.line_to(at, height() - 4);
        }
    }
}

void TEcTrackBar::draw_thumb(HDC dc) {
    if (cache_marked_) rebuild_cache();
    const Rect now = thumb_rect();
    const RECT old{shown_thumb_.left, shown_thumb_.top, shown_thumb_.right, shown_thumb_.bottom};
    const RECT cur{now.left, now.top, now.right, now.bottom};
    RECT uncovered{};
    if (SubtractRect(&uncovered, &old, &cur))
        BitBlt(dc, uncovered.left, uncovered.top, uncovered.right - uncovered.left, uncovered.bottom - uncovered.top,
               cache_.dc(), uncovered.left, uncovered.top, SRCCOPY);
    shown_thumb_ = now;
    const int w = now.width(), h = now.height();
    if (w <= 0 || h <= 0) return;
    // The background under the thumb, cut out by the mask, with the picture laid into the hole.
    ui::Bitmap work(w, h);
    BitBlt(work.dc(), 0, 0, w, h, cache_.dc(), now.left, now.top, SRCCOPY);
    BitBlt(work.dc(), 0, 0, w, h, mask_.dc(), 0, 0, SRCAND);
    const ui::Bitmap& picture = !enabled() ? disabled_thumb_ : hot_ && !sliding_ ? hot_thumb_ : thumb_;
    BitBlt(work.dc(), 0, 0, w, h, picture.dc(), 0, 0, SRCPAINT);
    BitBlt(dc, now.left, now.top, w, h, work.dc(), 0, 0, SRCCOPY);
}

void TEcTrackBar::redraw_thumb() {
    if (!handle_allocated() || !IsWindowVisible(handle())) return;
    ui::ClientDC dc(handle());
    draw_thumb(dc.get());
}

void TEcTrackBar::paint(ui::Canvas& canvas) {
    if (cache_marked_) rebuild_cache();
    BitBlt(canvas.handle(), 0, 0, width(), height(), cache_.dc(), 0, 0, SRCCOPY);
    if (focused() && show_focus_rect_) canvas.draw_focus_rect({0, 0, width(), height()});
    shown_thumb_ = {};
    draw_thumb(canvas.handle());
}

// ---------------------------------------------------------------------------------------------
// Size, mouse and keys

void TEcTrackBar::changed_bounds(bool size_changed) {
    CustomControl::changed_bounds(size_changed);
    if (!size_changed) return;
    const TOrientation wanted = orientation_for_size(width(), height());
    if (wanted != orientation_) {
        orientation_ = wanted;
        load_thumbs();
    }
    mark_cache();
}

void TEcTrackBar::loaded() {
    CustomControl::loaded();
    load_thumbs();
    mark_cache();
}

bool TEcTrackBar::over_thumb(int x, int y) const { return contains(thumb_rect(), x, y); }

void TEcTrackBar::mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    if (can_focus() && !focused()) set_focus();
    if (button == ui::TMouseButton::mbLeft) {
        // The bar keeps the mouse until the release: sliding follows it and paging repeats
        // only while it is held.
        if (handle_allocated()) SetCapture(handle());
        if (over_thumb(x, y)) {
            end_paging();
            sliding_ = true;
            const Rect t = thumb_rect();
            press_offset_ = {x - (t.left + t.width() / 2), y - (t.top + t.height() / 2)};
        } else {
            press_point_ = {x, y};
            repeat_timer_->set_interval(kFirstRepeatMs);
            repeat_timer_->set_enabled(true);
            page_at(press_point_);
        }
    }
    CustomControl::mouse_down(button, shift, x, y);
}

void TEcTrackBar::page_at(POINT p) {
    const bool up = press_pages_up(layout(), position_, p.x, p.y);
    if (!paging_) {
        paging_ = true;
        paging_up_ = up;
    } else if (up != paging_up_) {
        // The thumb has passed the pointer: paging ends as a release would end it.
        end_paging();
        return;
    }
    const long long next = static_cast<long long>(position_) + (up ? page_size_ : -page_size_);
    try_position(static_cast<int>(std::clamp<long long>(next, min_, max_)));
}

void TEcTrackBar::end_paging() {
    repeat_timer_->set_enabled(false);
    repeat_timer_->set_interval(kFirstRepeatMs);
    paging_ = false;
}

void TEcTrackBar::mouse_move(ui::TShiftState shift, int x, int y) {
    if (sliding_) {
        const Rect track = track_rect(layout());
        const bool vertical = orientation_ == TOrientation::orVertical;
        const double offset = vertical ? track.bottom - y + press_offset_.y : x - track.left - press_offset_.x;
        const int length = vertical ? track.height() : track.width();
        if (const auto v = position_for_offset(offset, length, min_, max_)) try_position(*v);
    } else {
        const bool now = over_thumb(x, y);
        if (now != hot_) {
            hot_ = now;
            redraw_thumb();
        }
    }
    CustomControl::mouse_move(shift, x, y);
}

void TEcTrackBar::mouse_up(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    end_paging();
    if (button == ui::TMouseButton::mbLeft && handle_allocated() && GetCapture() == handle()) ReleaseCapture();
    if (button == ui::TMouseButton::mbLeft && sliding_) {
        sliding_ = false;
        hot_ = false;
        redraw_thumb();
    }
    CustomControl::mouse_up(button, shift, x, y);
}

bool TEcTrackBar::do_key_down(WORD& key, ui::TShiftState shift) {
    if (CustomControl::do_key_down(key, shift)) return true;
    const bool vertical = orientation_ == TOrientation::orVertical;
    long long v = position_;
    switch (key) {
    case VK_PRIOR: v += page_size_; break;
    case VK_NEXT: v -= page_size_; break;
    case VK_END: v = vertical ? min_ : max_; break;
    case VK_HOME: v = vertical ? max_ : min_; break;
    case VK_LEFT:
    case VK_DOWN:
    case VK_SUBTRACT:
        if (v > min_) --v;
        break;
    case VK_UP:
    case VK_RIGHT:
    case VK_ADD:
        if (v < max_) ++v;
        break;
    default: return false;
    }
    try_position(static_cast<int>(std::clamp<long long>(v, INT32_MIN, INT32_MAX)));
    return true;
}

bool TEcTrackBar::do_key_press(wchar_t& key) {
    if (key == L'\r' && tab_on_enter_) {
        key = 0;
        if (handle_allocated()) PostMessageW(handle(), WM_KEYDOWN, VK_TAB, 0);
        return true;
    }
    return CustomControl::do_key_press(key);
}

void TEcTrackBar::wnd_proc(ui::Message& m) {
    switch (m.msg) {
    case WM_GETDLGCODE: m.result = DLGC_WANTARROWS; return;
    case WM_SETCURSOR:
        if (LOWORD(m.lparam) == HTCLIENT && handle_allocated()) {
            POINT p;
            GetCursorPos(&p);
            ScreenToClient(handle(), &p);
            if (over_thumb(p.x, p.y)) {
                SetCursor(ui::cursor_handle(slider_cursor()));
                m.result = 1;
                return;
            }
        }
        break;
    case WM_ERASEBKGND:
        if (transparent_) {
            paint_parent_background(*this, reinterpret_cast<HDC>(m.wparam), false);
            m.result = 1;
            return;
        }
        break;
    case ui::CM_MOUSELEAVE:
        if (!sliding_ && hot_) {
            hot_ = false;
            redraw_thumb();
        }
        break;
    case ui::CM_ENABLEDCHANGED:
    case ui::CM_PARENTCOLORCHANGED:
    case ui::CM_COLORCHANGED: mark_cache(); break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: invalidate(); break;
    default: break;
    }
    CustomControl::wnd_proc(m);
}

} // namespace ec
