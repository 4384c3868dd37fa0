// The owner-drawn slider: a framed track, tick marks and a thumb picture composited over a
// cached background, with a hot thumb, sliding, paging with auto-repeat and keys.
#pragma once
#include <functional>
#include <memory>

#include "controls/ec_common.h"
#include "controls/model/track_geometry.h"
#include "controls/model/track_thumbs.h"
#include "platform/ui/win/control.h"
#include "platform/ui/win/timer.h"

namespace ec {

class TEcTrackBar;
using PositionChangingEvent = std::function<void(ui::Component* sender, int new_position, bool& allow)>;
using DrawTickEvent = std::function<void(TEcTrackBar* sender, ui::Canvas& canvas, POINT location, int value)>;

class TEcTrackBar : public ui::CustomControl {
    UI_CLASS_IDENTITY()
public:
    explicit TEcTrackBar(ui::Component* owner);
    ~TEcTrackBar() override;

    int min() const { return min_; }
    void set_min(int v);
    int max() const { return max_; }
    void set_max(int v);
    int position() const { return position_; }
    void set_position(int v);
    int page_size() const { return page_size_; }
    void set_page_size(int v) { page_size_ = std::clamp(v, 0, 0xFFFF); }
    TOrientation orientation() const { return orientation_; }
    void set_orientation(TOrientation v);
    TThumbStyle thumb_style() const { return thumb_style_; }
    void set_thumb_style(TThumbStyle v);
    TPointerType pointer_type() const { return pointer_type_; }
    void set_pointer_type(TPointerType v) { change_thumbs(pointer_type_, v); }
    // Three pictures side by side: thumb, mask, disabled thumb. A change selects tsCustom.
    ui::Bitmap& custom_thumb() { return custom_thumb_; }
    ui::TColor highlight_color() const { return highlight_color_; }
    void set_highlight_color(ui::TColor v) { change_thumbs(highlight_color_, v); }
    ui::TColor hot_track_color() const { return hot_track_color_; }
    void set_hot_track_color(ui::TColor v) { change_thumbs(hot_track_color_, v); }
    TEcHotTrackColorType hot_track_color_type() const { return hot_type_; }
    void set_hot_track_color_type(TEcHotTrackColorType v) { change_thumbs(hot_type_, v); }
    bool theme_aware() const { return theme_aware_; }
    void set_theme_aware(bool v) { change_thumbs(theme_aware_, v); }
    bool show_focus_rect() const { return show_focus_rect_; }
    void set_show_focus_rect(bool v) { change_look(show_focus_rect_, v); }
    bool show_ticks() const { return show_ticks_; }
    void set_show_ticks(bool v) { change_look(show_ticks_, v); }
    bool tab_on_enter() const { return tab_on_enter_; }
    void set_tab_on_enter(bool v) { tab_on_enter_ = v; }
    ui::TColor tick_color() const { return tick_color_; }
    void set_tick_color(ui::TColor v) { change_look(tick_color_, v); }
    int tick_step() const { return tick_step_; }
    void set_tick_step(int v) { change_look(tick_step_, std::max(v, 1)); }
    TTickStyle tick_style() const { return tick_style_; }
    void set_tick_style(TTickStyle v) { change_look(tick_style_, v); }
    ui::TColor track_color() const { return track_color_; }
    void set_track_color(ui::TColor v) { change_look(track_color_, v); }
    TFrameStyle track_frame() const { return track_frame_; }
    void set_track_frame(TFrameStyle v) { change_look(track_frame_, v); }
    ui::TColor track_frame_color() const { return track_frame_color_; }
    void set_track_frame_color(ui::TColor v) { change_look(track_frame_color_, v); }
    int track_offset() const { return track_offset_; }
    void set_track_offset(int v) { change_look(track_offset_, std::clamp(v, 0, 0xFFFF)); }
    int track_width() const { return track_width_; }
    void set_track_width(int v) { change_look(track_width_, std::clamp(v, 4, 0xFFFF)); }
    bool transparent() const { return transparent_; }
    void set_transparent(bool v) { change_look(transparent_, v); }

    ui::NotifyEvent on_change;
    PositionChangingEvent on_changing;
    DrawTickEvent on_draw_tick;

    // Where things are now, for tests and for the owner-drawn ticks.
    TrackLayout layout() const;
    ui::Rect thumb_rect() const { return ec::thumb_rect(layout(), position_); }
    bool hot() const { return hot_; }
    bool sliding() const { return sliding_; }
    ui::Timer& repeat_timer() { return *repeat_timer_; }
    // The cursor shown over the thumb.
    int slider_cursor() const;

    void wnd_proc(ui::Message& m) override;

protected:
    void paint(ui::Canvas& canvas) override;
    void changed_bounds(bool size_changed) override;
    void loaded() override;
    void mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void mouse_move(ui::TShiftState shift, int x, int y) override;
    void mouse_up(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    bool do_key_down(WORD& key, ui::TShiftState shift) override;
    bool do_key_press(wchar_t& key) override;
    virtual bool can_change(int /*new_position*/) { return true; }

private:
    template <class T>
    void change_look(T& field, const T& value) {
        if (field == value) return;
        field = value;
        mark_cache();
    }
    template <class T>
    void change_thumbs(T& field, const T& value) {
        if (field == value) return;
        field = value;
        load_thumbs();
        mark_cache();
    }
    void mark_cache();
    void load_thumbs();
    void rebuild_cache();
    void draw_track(ui::Canvas& canvas);
    void draw_ticks(ui::Canvas& canvas);
    // Puts the thumb at its place on `dc`, restoring what the old one covered from the cache.
    void draw_thumb(HDC dc);
    void redraw_thumb();
    void page_at(POINT p);
    void end_paging();
    bool over_thumb(int x, int y) const;
    void try_position(int v);

    int min_ = 0, max_ = 10, position_ = 0, page_size_ = 1;
    TOrientation orientation_ = TOrientation::orHorizontal;
    TThumbStyle thumb_style_ = TThumbStyle::tsPointer;
    TPointerType pointer_type_ = TPointerType::ptStandard;
    ui::TColor highlight_color_ = ui::clHighlight;
    ui::TColor hot_track_color_ = ui::rgb(240, 155, 20);
    TEcHotTrackColorType hot_type_ = TEcHotTrackColorType::htctActual;
    bool theme_aware_ = true, show_focus_rect_ = true, show_ticks_ = true, tab_on_enter_ = false;
    ui::TColor tick_color_ = ui::clBtnShadow;
    int tick_step_ = 1;
    TTickStyle tick_style_ = TTickStyle::tkStandard;
    ui::TColor track_color_ = ui::cl3DLight;
    TFrameStyle track_frame_ = TFrameStyle::fsStatus;
    ui::TColor track_frame_color_ = ui::clBtnShadow;
    int track_offset_ = 20, track_width_ = 8;
    bool transparent_ = false;

    ui::Bitmap custom_thumb_;
    ui::Bitmap thumb_, hot_thumb_, mask_, disabled_thumb_, cache_;
    int thumb_width_ = 0, thumb_height_ = 0;
    bool cache_marked_ = true;
    ui::Rect shown_thumb_{};
    bool sliding_ = false, paging_ = false, paging_up_ = false, hot_ = false;
    POINT press_offset_{}, press_point_{};
    std::unique_ptr<ui::Timer> repeat_timer_;
};

} // namespace ec
