// The condition panel of the search view: periods, dates and times, text, direction, duration
// and ring conditions, and the search conditions they make.
#include "station/forms/search/search_frame.h"

#include <string>

#include "platform/clock.h"
#include "platform/ui/date_time.h"
#include "station/core/gbk_literal.h"

namespace forms {

using station::Gbk;

namespace {

std::string two_digits(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

std::string date_text_of(ui::TDateTime value) {
    const ui::CivilDateTime t = ui::decode_date_time(value);
    return std::to_string(t.year) + "-" + two_digits(t.month) + "-" + two_digits(t.day);
}

std::string time_text_of(ui::TDateTime value) {
    const ui::CivilDateTime t = ui::decode_date_time(value);
    return two_digits(t.hour) + ":" + two_digits(t.minute) + ":" + two_digits(t.second);
}

ui::TDateTime date_value(const station::CalendarDate& d) {
    ui::CivilDateTime t;
    t.year = d.year;
    t.month = d.month;
    t.day = d.day;
    return ui::encode_date_time(t);
}

ui::TDateTime time_value(int hour, int minute, int second) {
    ui::CivilDateTime t;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    return ui::encode_date_time(t);
}

station::CalendarDate today() {
    const plat::LocalTime now = plat::local_now();
    return {now.year, now.month, now.day};
}

} // namespace

void TSearchRecFrame::ConditionChecked(ec::TEcCheckBox* box) {
    for (auto& link : condition_links_) {
        if (link.first == box) link.second->set_enabled(box->checked());
    }
}

void TSearchRecFrame::ApplyPeriod(station::SearchPeriod period, const std::string& caption) {
    TimeButton->set_caption(caption);
    const station::DateRange range = station::PeriodDates(period, today());
    DTDateFrom->set_date(date_value(range.from));
    DTDateTo->set_date(date_value(range.to));
    DTTimeFrom->set_time(time_value(0, 0, 0));
    DTTimeTo->set_time(time_value(23, 59, 59));
    for (ec::TEcDateTimePicker* d : {DTDateFrom, DTDateTo, DTTimeFrom, DTTimeTo}) d->set_enabled(false);
}

void TSearchRecFrame::NodeCustomClick() {
    TimeButton->set_caption(Gbk(u8"自定义时间"));
    for (ec::TEcDateTimePicker* d : {DTDateFrom, DTDateTo, DTTimeFrom, DTTimeTo}) d->set_enabled(true);
}

void TSearchRecFrame::btnClosePanelParamClick() {
    panelParam->hide();
    btnSearchParams->set_enabled(true);
}

void TSearchRecFrame::btnSearchParamsClick() {
    panelParam->show();
    btnSearchParams->set_enabled(false);
}

void TSearchRecFrame::btnMoreSearchOptionsClick() {
    const bool show = !panelMoreSearchOptions->visible();
    panelMoreSearchOptions->set_visible(show);
    btnMoreSearchOptions->set_image_index(show ? 16 : 17);
    // The conditions' height changed: the scroll range follows it.
    ScrollBoxLeft->realign();
    if (show) {
        ScrollBoxLeft->scroll_to(500);
    } else {
        for (ec::TEcCheckBox* c : {checkRingLargerThan, checkRingSmallerThan}) {
            c->set_checked(false);
            ConditionChecked(c);
        }
    }
}

calldb::SearchConditions TSearchRecFrame::CurrentConditions() const {
    calldb::SearchConditions c;
    c.DateFrom = date_text_of(DTDateFrom->date());
    c.TimeFrom = time_text_of(DTTimeFrom->time());
    c.DateTo = date_text_of(DTDateTo->date());
    c.TimeTo = time_text_of(DTTimeTo->time());
    const auto text = [](ec::TEcCheckBox* check, ec::TEcEdit* edit) {
        return calldb::TextCondition{check->checked(), edit->text()};
    };
    c.ByCallerID = text(checkByCallerID, editCallerID);
    c.ByDialed = text(checkByDialed, editDialed);
    c.ByNote = text(checkByNote, editNote);
    c.ByAgent = text(checkByAgent, editAgent);
    c.BySessionID = text(checkBySessionID, editSessionID);
    c.ByIn = checkByIn->checked();
    c.ByOut = checkByOut->checked();
    c.ByNoanswer = checkByNoanswer->checked();
    // Whole seconds and counts; the spin edits keep their values within 0..36000.
    const auto value = [](ec::TEcSpinEdit* spin) { return static_cast<int>(spin->int_value()); };
    c.LongerThan = {checkLongerThan->checked(), value(spinLongerThan)};
    c.ShorterThan = {checkShorterThan->checked(), value(spinShorterThan)};
    c.RingLargerThan = {checkRingLargerThan->checked(), value(spinRingLargerThan)};
    c.RingSmallerThan = {checkRingSmallerThan->checked(), value(spinRingSmallerThan)};
    return c;
}

} // namespace forms
