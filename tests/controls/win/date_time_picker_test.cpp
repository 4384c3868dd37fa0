// The control set's date and time picker under Wine: the format and the calendar colours
// survive window re-creation, state colours, the drop-down calendar's styles and months, the
// flat button's arrow pixel by pixel, descriptions, and pictures of each state.
#include <gtest/gtest.h>

#include <memory>

#include "controls/ec_dtp.h"
#include "controls/model/frame_controller.h"
#include "controls/register_control_set.h"
#include "golden_map.h"
#include "platform/ui/date_time.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/description_writer.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/screenshot.h"
#include "platform/ui/win/themes.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;
using ectest::Rows;

namespace {

std::wstring window_text(HWND w) {
    wchar_t buffer[64]{};
    GetWindowTextW(w, buffer, 64);
    return buffer;
}

class EcDateTimePicker : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        window_test::errors().clear();
        register_control_set_classes();
        ui::theme_services().set_switched_off(true);
        form = std::make_unique<ui::Form>(nullptr);
        form->set_name("F");
        form->set_bounds(100, 100, 420, 300);
        date = add(8, 8, "dtpDate");
        time = add(8, 40, "dtpTime");
        time->set_kind(ui::TDateTimeKind::dtkTime);
        time->set_date_mode(ui::TDTDateMode::dmUpDown);
        time->set_format("HH:mm:ss");
        other = new ui::Edit(form.get());
        other->set_name("edt");
        other->set_parent(form.get());
        other->set_bounds(8, 240, 120, 21);
    }
    void TearDown() override {
        form.reset();
        ui::theme_services().set_switched_off(false);
        EXPECT_TRUE(window_test::errors().empty()) << window_test::errors().front();
    }
    TEcDateTimePicker* add(int x, int y, const char* name) {
        auto* p = new TEcDateTimePicker(form.get());
        p->set_name(name);
        p->set_parent(form.get());
        p->set_bounds(x, y, 120, 21);
        p->set_date_time(ui::encode_date_time({2026, 12, 11, 13, 45, 30, 0}));
        return p;
    }
    void show() {
        form->show();
        ASSERT_TRUE(window_test::pump_until([&] { return IsWindowVisible(form->handle()) != FALSE; }, 5000));
    }
    void focus(HWND window) {
        SetFocus(window);
        ASSERT_TRUE(window_test::pump_until([&] { return GetFocus() == window; }, 5000));
    }
    void screenshot(const char* name) {
        window_test::save_screenshot(form->handle(), "controls_screenshots", name);
    }
    // Opens the calendar with a press on the drop-down button.
    void drop_down(TEcDateTimePicker& p) {
        const LPARAM at = MAKELPARAM(p.client_rect().right - 6, p.client_rect().bottom / 2);
        SendMessageW(p.handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(p.handle(), WM_LBUTTONUP, 0, at);
        ASSERT_TRUE(window_test::pump_until([&] { return p.dropped_down() && p.calendar_handle(); }, 5000));
        ASSERT_TRUE(window_test::pump_until([&] { return IsWindowVisible(p.calendar_handle()) != FALSE; }, 5000));
    }
    void close_up(TEcDateTimePicker& p) {
        const LPARAM at = MAKELPARAM(p.client_rect().right - 6, p.client_rect().bottom / 2);
        SendMessageW(p.handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(p.handle(), WM_LBUTTONUP, 0, at);
        ASSERT_TRUE(window_test::pump_until([&] { return !p.dropped_down(); }, 5000));
    }
    static int width_of(HWND w) {
        RECT r{};
        GetWindowRect(w, &r);
        return r.right - r.left;
    }

    std::unique_ptr<ui::Form> form, copy;
    TEcDateTimePicker* date = nullptr;
    TEcDateTimePicker* time = nullptr;
    ui::Edit* other = nullptr;
};

TEST_F(EcDateTimePicker, FormatAndCalendarColoursOutliveTheWindow) {
    date->set_format("yyyy-MM-dd");
    date->cal_colors().set_color(0, ui::clRed);
    date->cal_colors().set_color(5, ui::clBlue);
    form->handle_needed();
    auto check = [&](const char* when) {
        EXPECT_EQ(window_text(date->handle()), L"2026-12-11") << when;
        EXPECT_EQ(window_text(time->handle()), L"13:45:30") << when;
        SYSTEMTIME st{};
        EXPECT_EQ(SendMessageW(date->handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)), GDT_VALID);
        EXPECT_EQ(st.wYear, 2026) << when;
        EXPECT_EQ(st.wMonth, 12) << when;
        EXPECT_EQ(st.wDay, 11) << when;
        EXPECT_EQ(SendMessageW(date->handle(), DTM_GETMCCOLOR, MCSC_BACKGROUND, 0), RGB(255, 0, 0)) << when;
        EXPECT_EQ(SendMessageW(date->handle(), DTM_GETMCCOLOR, MCSC_TRAILINGTEXT, 0), RGB(0, 0, 255)) << when;
        EXPECT_EQ(SendMessageW(date->handle(), DTM_GETMCCOLOR, MCSC_TITLEBK, 0),
                  static_cast<LRESULT>(ui::color_to_rgb(ui::clActiveCaption)))
            << when;
    };
    check("at creation");
    const HWND before = date->handle();
    ui::set_ordinal_property(*date, "FrameVisible", 1);  // re-creates the window
    EXPECT_NE(date->handle(), before);
    check("after re-creation");
    // A colour set while the window lives goes straight to it.
    date->cal_colors().set_color(1, ui::clGreen);
    EXPECT_EQ(SendMessageW(date->handle(), DTM_GETMCCOLOR, MCSC_TEXT, 0), RGB(0, 128, 0));
}

TEST_F(EcDateTimePicker, StateColours) {
    ui::set_ordinal_property(*date, "FocusColor", ui::clAqua);
    ui::set_ordinal_property(*time, "DisabledColor", ui::clWindow);
    show();
    focus(other->handle());
    EXPECT_EQ(date->color(), ui::clWindow);
    screenshot("date_time_picker_normal");
    focus(date->handle());
    screenshot("date_time_picker_focused");
    EXPECT_EQ(date->color(), ui::clAqua);
    focus(other->handle());
    EXPECT_EQ(date->color(), ui::clWindow);
    date->set_enabled(false);
    EXPECT_EQ(date->color(), ui::clBtnFace);
    screenshot("date_time_picker_disabled");
    // DisabledColor clWindow: a disabled picker stays white.
    time->set_enabled(false);
    EXPECT_EQ(time->color(), ui::clWindow);
    // A colour from outside becomes the normal colour, and the focus colour too when it was the same.
    time->set_enabled(true);
    // The frame over the border: one line, two while hot with fsFlatBold.
    ui::set_ordinal_property(*time, "FrameHotTrack", 1);
    ui::set_ordinal_property(*time, "FrameHotColor", ui::clRed);
    auto corner = [&](int at) {
        RedrawWindow(time->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
        ui::Bitmap picture;
        ui::capture_window(time->handle(), picture);
        return static_cast<ui::TColor>(picture.pixel(at, at));
    };
    EXPECT_EQ(ui::color_to_rgb(corner(0)), ui::color_to_rgb(ui::clBtnShadow));
    EXPECT_EQ(ui::color_to_rgb(corner(1)), ui::color_to_rgb(ui::clWindow));
    time->perform(ui::CM_MOUSEENTER);
    EXPECT_EQ(ui::color_to_rgb(corner(0)), ui::color_to_rgb(ui::clRed));
    EXPECT_EQ(ui::color_to_rgb(corner(1)), ui::color_to_rgb(ui::clRed));
    screenshot("date_time_picker_hot");
    time->perform(ui::CM_MOUSELEAVE);
    EXPECT_EQ(ui::color_to_rgb(corner(1)), ui::color_to_rgb(ui::clWindow));
    time->set_color(ui::clYellow);
    EXPECT_EQ(time->frame_look().normal_color, ui::clYellow);
    EXPECT_EQ(time->frame_look().focus_color, ui::clYellow);
    focus(time->handle());
    EXPECT_EQ(time->color(), ui::clYellow);
}

TEST_F(EcDateTimePicker, CalendarStylesAndMonths) {
    date->set_show_today(true);
    date->set_show_week_numbers(true);
    date->set_first_day_of_week(TCalDayOfWeek::dowWednesday);
    date->set_drop_columns(0);
    EXPECT_EQ(date->drop_columns(), 1);  // below 1 counts as 1
    show();
    drop_down(*date);
    HWND calendar = date->calendar_handle();
    const LONG_PTR style = GetWindowLongPtrW(calendar, GWL_STYLE);
    EXPECT_EQ(style & MCS_NOTODAY, 0);
    EXPECT_NE(style & MCS_NOTODAYCIRCLE, 0);
    EXPECT_NE(style & MCS_WEEKNUMBERS, 0);
    EXPECT_EQ(LOWORD(SendMessageW(calendar, MCM_GETFIRSTDAYOFWEEK, 0, 0)), 2);
    const int one = width_of(calendar);
    close_up(*date);

    date->set_drop_columns(2);
    date->set_show_today(false);
    date->set_show_today_circle(true);
    date->set_show_week_numbers(false);
    drop_down(*date);
    calendar = date->calendar_handle();
    const LONG_PTR second = GetWindowLongPtrW(calendar, GWL_STYLE);
    EXPECT_NE(second & MCS_NOTODAY, 0);
    EXPECT_EQ(second & MCS_NOTODAYCIRCLE, 0);
    EXPECT_EQ(second & MCS_WEEKNUMBERS, 0);
    EXPECT_GE(width_of(calendar), 2 * (one - 20));  // two months side by side
    // The picture: the form with the calendar laid over it where it shows.
    RedrawWindow(form->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    RedrawWindow(calendar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    ui::Bitmap picture, drop;
    ui::capture_window(form->handle(), picture);
    ui::capture_window(calendar, drop);
    RECT form_rect{}, drop_rect{};
    GetWindowRect(form->handle(), &form_rect);
    GetWindowRect(calendar, &drop_rect);
    ASSERT_FALSE(drop.empty());
    picture.canvas().draw(drop_rect.left - form_rect.left, drop_rect.top - form_rect.top, drop);
    EXPECT_TRUE(window_test::save_picture(picture, "controls_screenshots", "date_time_picker_dropped_down"));
    close_up(*date);
}

TEST_F(EcDateTimePicker, FlatButtonArrow) {
    ui::set_ordinal_property(*date, "FrameVisible", 1);
    ui::set_ordinal_property(*date, "FlatButtons", 1);
    show();
    focus(other->handle());
    auto arrow = [&] {
        ui::Bitmap picture;
        ectest::reset(picture, date->width(), date->height());
        SendMessageW(date->handle(), WM_PAINT, reinterpret_cast<WPARAM>(picture.dc()), 0);
        ectest::save_sheet(picture, date->enabled() ? "date_time_picker_flat_button" : "date_time_picker_flat_button_disabled");
        auto piece = std::make_unique<ui::Bitmap>(13, 8);
        const int left = date->width() - GetSystemMetrics(SM_CXVSCROLL) - 4;
        BitBlt(piece->dc(), 0, 0, 13, 8, picture.dc(), left, 4, SRCCOPY);
        return piece;
    };
    // Away from the mouse the button takes the picker's colour; the arrow is black, and grey
    // (clBtnShadow) on a disabled picker, whose face is the disabled colour.
    const ectest::Legend legend = {{'w', ui::clWindow}, {'f', ui::clBtnFace}, {'K', ui::clBlack}, {'S', ui::clBtnShadow}};
    const Rows enabled = {
        "wwwwwwwwwwwww",
        "wwwwwwwwwwwww",
        "wwwwKKKKKKKww",
        "wwwwwKKKKKwww",
        "wwwwwwKKKwwww",
        "wwwwwwwKwwwww",
        "wwwwwwwwwwwww",
        "wwwwwwwwwwwww",
    };
    EXPECT_TRUE(ectest::matches(*arrow(), enabled, legend));
    date->set_enabled(false);
    const Rows disabled = {
        "fffffffffffff",
        "fffffffffffff",
        "ffffSSSSSSSff",
        "fffffSSSSSfff",
        "ffffffSSSffff",
        "fffffffSfffff",
        "fffffffffffff",
        "fffffffffffff",
    };
    EXPECT_TRUE(ectest::matches(*arrow(), disabled, legend));
}

TEST_F(EcDateTimePicker, RangeAndRefusedFormat) {
    date->set_min_date(ui::encode_date_time({2027, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(date->date(), ui::encode_date_time({2027, 1, 1, 0, 0, 0, 0}));  // moved into the range
    date->set_max_date(ui::encode_date_time({2027, 6, 30, 0, 0, 0, 0}));
    date->set_date(ui::encode_date_time({2030, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(date->date(), ui::encode_date_time({2027, 6, 30, 0, 0, 0, 0}));
    form->handle_needed();
    date->set_date(ui::encode_date_time({2020, 3, 3, 0, 0, 0, 0}));
    EXPECT_EQ(date->date(), ui::encode_date_time({2027, 1, 1, 0, 0, 0, 0}));
    SYSTEMTIME range[2]{};
    EXPECT_EQ(SendMessageW(date->handle(), DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)), GDTR_MIN | GDTR_MAX);
    EXPECT_EQ(range[1].wMonth, 6);
}

// Descriptions: only changed values, the same text read back, the frame settings left to an
// attached controller (even those it does not manage), and old names read into their successors.
TEST_F(EcDateTimePicker, Descriptions) {
    const std::string plain = ui::write_description(*form);
    EXPECT_EQ(plain.find("CalColors"), std::string::npos) << plain;
    EXPECT_EQ(plain.find("Frame"), std::string::npos) << plain;

    ui::set_ordinal_property(*date, "FrameHotTrack", 1);
    ui::set_ordinal_property(*date, "FlatButtons", 1);
    ui::set_ordinal_property(*date, "FocusColor", ui::clAqua);
    date->cal_colors().set_color(0, ui::clRed);
    date->set_drop_columns(2);
    date->set_show_week_numbers(true);
    date->set_first_day_of_week(TCalDayOfWeek::dowMonday);
    date->set_format("yyyy-MM-dd");
    time->set_enabled(false);
    ui::set_ordinal_property(*time, "Color", ui::clYellow);
    const std::string text = ui::write_description(*form);
    for (const char* line : {"FrameHotTrack = True", "FrameVisible = True", "FlatButtons = True", "FocusColor = clAqua",
                             "CalColors.BackColor = clRed", "DropColumns = 2", "ShowWeekNumbers = True",
                             "FirstDayOfWeek = dowMonday", "Format = 'yyyy-MM-dd'", "DateMode = dmUpDown"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    // A disabled picker keeps its colour out of the description.
    const std::string time_part = text.substr(text.find("object dtpTime"));
    EXPECT_EQ(time_part.substr(0, time_part.find("end")).find("Color = "), std::string::npos) << text;
    copy = std::make_unique<ui::Form>(nullptr);
    ui::read_description(*copy, text);
    EXPECT_EQ(ui::write_description(*copy), text);
    auto* read = dynamic_cast<TEcDateTimePicker*>(copy->find_component("dtpDate"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->cal_colors().color(0), ui::clRed);
    EXPECT_EQ(read->format(), "yyyy-MM-dd");

    // With a controller attached no frame setting is written, even one it does not manage.
    auto* controller = new FrameController(form.get());
    controller->set_name("fc");
    ui::set_reference_property(*date, "FrameController", controller);
    ui::set_ordinal_property(*date, "FrameColor", ui::clRed);
    const std::string controlled = ui::write_description(*form);
    const std::string date_part = controlled.substr(controlled.find("object dtpDate"));
    const std::string own = date_part.substr(0, date_part.find("end"));
    EXPECT_NE(own.find("FrameController = fc"), std::string::npos) << controlled;
    for (const char* name : {"FrameColor", "FrameHotTrack", "FlatButtons", "FocusColor"})
        EXPECT_EQ(own.find(name), std::string::npos) << name << "\n" << controlled;

    // Old names.
    copy = std::make_unique<ui::Form>(nullptr);
    ui::read_description(*copy,
                         "object F: TForm\n"
                         "  object p: TEcDateTimePicker\n"
                         "    FrameFlat = True\n"
                         "    FrameFocusStyle = fsRaised\n"
                         "    FrameFlatStyle = fsFlat\n"
                         "  end\n"
                         "end\n");
    auto* old = dynamic_cast<TEcDateTimePicker*>(copy->find_component("p"));
    ASSERT_NE(old, nullptr);
    EXPECT_TRUE(old->frame_look().frame_hot_track);
    EXPECT_TRUE(old->frame_look().frame_visible);
    EXPECT_EQ(old->frame_look().frame_style, TFrameStyle::fsStatus);
    EXPECT_EQ(old->frame_look().frame_hot_style, TFrameStyle::fsRaised);
}

} // namespace
