// The control set's date and time picker: the platform's picker with a frame painted over its
// border, state colours, a flat drop-down button and a drop-down calendar set up each time it
// opens (colours, today marker, week numbers, first day of week, several months).
#pragma once
#include "controls/ec_frame_look.h"
#include "platform/ui/win/comctl_controls.h"

namespace ec {

UI_ENUM(TCalDayOfWeek, dowMonday, dowTuesday, dowWednesday, dowThursday, dowFriday, dowSaturday, dowSunday,
        dowLocaleDefault)

class TEcDateTimePicker;

// The six colours of the drop-down calendar, in the calendar's own order.
class TEcMonthCalColors : public ui::Persistent {
    UI_CLASS_IDENTITY()
public:
    static constexpr int kCount = 6;
    explicit TEcMonthCalColors(TEcDateTimePicker& owner) : owner_(owner) {}

    ui::TColor color(int index) const { return colors_[index]; }
    // Stores it and sends it to the calendar when the picker's window exists.
    void set_color(int index, ui::TColor c);
    void assign(const TEcMonthCalColors& other);
    // All six to the picker's window (at every window creation).
    void send_all() const;

private:
    void send(int index) const;
    TEcDateTimePicker& owner_;
    ui::TColor colors_[kCount] = {ui::clWindow, ui::clWindowText, ui::clActiveCaption,
                                  ui::clCaptionText, ui::clWindow, ui::rgb(128, 128, 128)};
};

class TEcDateTimePicker : public ui::DateTimePicker {
    UI_CLASS_IDENTITY()
public:
    explicit TEcDateTimePicker(ui::Component* owner);
    ~TEcDateTimePicker() override;

    FrameLook& frame_look() { return frame_; }
    const FrameLook& frame_look() const { return frame_; }
    void frame_look_changed(bool recolour);

    TEcMonthCalColors& cal_colors() { return cal_colors_; }
    int drop_columns() const { return drop_columns_; }
    void set_drop_columns(int v);
    int drop_rows() const { return drop_rows_; }
    void set_drop_rows(int v);
    ui::TColor flat_button_color() const { return flat_button_color_; }
    void set_flat_button_color(ui::TColor v);
    bool flat_buttons() const { return flat_buttons_; }
    void set_flat_buttons(bool v);
    bool show_today() const { return show_today_; }
    void set_show_today(bool v) { show_today_ = v; }
    bool show_today_circle() const { return show_today_circle_; }
    void set_show_today_circle(bool v) { show_today_circle_ = v; }
    bool show_week_numbers() const { return show_week_numbers_; }
    void set_show_week_numbers(bool v) { show_week_numbers_ = v; }
    TCalDayOfWeek first_day_of_week() const { return first_day_of_week_; }
    void set_first_day_of_week(TCalDayOfWeek v) { first_day_of_week_ = v; }

    bool dropped_down() const { return dropped_down_; }
    bool hot() const { return focused_ || over_; }
    // The frame drawn by the platform's theme rather than by us.
    bool uses_themed_frame() const { return frame_.platform_framing(); }

    void wnd_proc(ui::Message& m) override;

protected:
    virtual void update_colors();
    virtual void update_hot_state(bool mouse, bool value);
    void repaint_frame();
    void initialize_window() override;
    void cn_notify(NMHDR& header, ui::Message& m) override;
    void loaded() override;
    void notification(ui::Component* c, ui::TOperation op) override;

private:
    void paint_flat_button(HDC dc, bool paint_copy);
    void set_up_calendar();

    FrameLook frame_;
    TEcMonthCalColors cal_colors_{*this};
    int drop_columns_ = 1, drop_rows_ = 1;
    ui::TColor flat_button_color_ = ui::clBtnFace;
    bool flat_buttons_ = false;
    bool show_today_ = false, show_today_circle_ = false, show_week_numbers_ = false;
    TCalDayOfWeek first_day_of_week_ = TCalDayOfWeek::dowLocaleDefault;
    bool focused_ = false, over_ = false, updating_colour_ = false, dropped_down_ = false;
};

} // namespace ec
