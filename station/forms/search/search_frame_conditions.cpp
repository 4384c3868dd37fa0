// The condition panel of the search view: periods, dates and times, text, direction, duration
// and ring conditions, and the search conditions they make.
#include "station/forms/search/search_frame.h"

#include <algorithm>

#include "platform/clock.h"
#include "platform/ui/date_time.h"
#include "station/core/gbk_literal.h"
#include "station/core/search/search_panel.h"

namespace forms {

using station::Gbk;

namespace {

constexpr int kParamWidth = 217;

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

template <typename T>
T* place(T* control, ui::WinControl* parent, int x, int y, int w, int h) {
    control->set_parent(parent);
    control->set_bounds(x, y, w, h);
    return control;
}

} // namespace

int SpinEdit::Value() const {
    int v = 0;
    for (char c : edit->text()) {
        if (c < '0' || c > '9') break;
        v = std::min(v * 10 + (c - '0'), station::kConditionSpinMax);
    }
    return station::ClampConditionValue(v);
}

void SpinEdit::SetValue(int v) {
    v = station::ClampConditionValue(v);
    edit->set_text(std::to_string(v));
    updown->set_position(v);
}

void SpinEdit::SetEnabled(bool v) {
    edit->set_enabled(v);
    updown->set_enabled(v);
}

void TSearchRecFrame::BuildConditionPanel() {
    panelParam = new ui::Panel(this);
    panelParam->set_parent(this);
    panelParam->set_width(kParamWidth);
    panelParam->set_align(ui::TAlign::alLeft);
    panelParam->set_bevel_outer(ui::TBevelCut::bvNone);

    panelParamTop = new ui::Panel(this);
    panelParamTop->set_parent(panelParam);
    panelParamTop->set_height(24);
    panelParamTop->set_align(ui::TAlign::alTop);
    labelParamCaption = place(new ui::Label(this), panelParamTop, 6, 5, 120, 16);
    labelParamCaption->set_caption(Gbk(u8"查询参数"));
    btnClosePanelParam = AddButton(panelParamTop, "x", kParamWidth - 24, 2, 20, 20, [this] { btnClosePanelParamClick(); });

    // The conditions are taller than the panel at the window's default height.
    ScrollBoxLeft = new ui::ScrollBox(this);
    ScrollBoxLeft->set_parent(panelParam);
    ScrollBoxLeft->set_align(ui::TAlign::alClient);
    ui::WinControl* box = ScrollBoxLeft;

    TimeButton = AddButton(box, Gbk(u8"选择日期和时间"), 8, 8, 198, 24, [this] {
        const POINT p = TimeButton->client_to_screen(POINT{0, TimeButton->height()});
        PopupMenuSelDate->popup(p.x, p.y);
    });
    labelFrom = place(new ui::Label(this), box, 8, 42, 20, 16);
    labelFrom->set_caption(Gbk(u8"从"));
    labelTo = place(new ui::Label(this), box, 8, 68, 20, 16);
    labelTo->set_caption(Gbk(u8"到"));
    DTDateFrom = place(new ui::DateTimePicker(this), box, 28, 38, 96, 22);
    DTDateTo = place(new ui::DateTimePicker(this), box, 28, 64, 96, 22);
    DTTimeFrom = place(new ui::DateTimePicker(this), box, 128, 38, 78, 22);
    DTTimeTo = place(new ui::DateTimePicker(this), box, 128, 64, 78, 22);
    for (ui::DateTimePicker* d : {DTDateFrom, DTDateTo}) d->set_format("yyyy-MM-dd");
    for (ui::DateTimePicker* d : {DTTimeFrom, DTTimeTo}) {
        d->set_kind(ui::TDateTimeKind::dtkTime);
        d->set_format("HH:mm:ss");
    }

    const struct {
        ui::CheckBox** check;
        ui::Edit** edit;
        const char* caption;
    } texts[] = {
        {&checkByCallerID, &editCallerID, u8"根据来电号码查询"}, {&checkByDialed, &editDialed, u8"根据拨出号码查询"},
        {&checkByAgent, &editAgent, u8"根据座席查询"},           {&checkBySessionID, &editSessionID, u8"根据呼叫序号查询"},
        {&checkByNote, &editNote, u8"根据备注查询"},
    };
    int y = 94;
    for (const auto& t : texts) {
        ui::CheckBox* check = place(new ui::CheckBox(this), box, 8, y, 198, 20);
        check->set_caption(Gbk(t.caption));
        ui::Edit* edit = place(new ui::Edit(this), box, 24, y + 22, 182, 22);
        *t.check = check;
        *t.edit = edit;
        condition_links_.emplace_back(check, [edit](bool on) { edit->set_enabled(on); });
        y += 50;
    }

    groupDirection = place(new ui::GroupBox(this), box, 8, y, 198, 46);
    groupDirection->set_caption(Gbk(u8"方向"));
    checkByOut = place(new ui::CheckBox(this), groupDirection, 8, 18, 58, 20);
    checkByOut->set_caption(Gbk(u8"呼出"));
    checkByIn = place(new ui::CheckBox(this), groupDirection, 70, 18, 58, 20);
    checkByIn->set_caption(Gbk(u8"呼入"));
    checkByNoanswer = place(new ui::CheckBox(this), groupDirection, 132, 18, 58, 20);
    checkByNoanswer->set_caption(Gbk(u8"未接"));
    y += 54;

    auto spin_row = [&](ui::WinControl* parent, ui::CheckBox*& check, SpinEdit& spin, const char* caption, int row_y) {
        check = place(new ui::CheckBox(this), parent, 8, row_y, 128, 20);
        check->set_caption(Gbk(caption));
        spin.edit = place(new ui::Edit(this), parent, 138, row_y - 1, 50, 22);
        spin.updown = place(new ui::UpDown(this), parent, 188, row_y - 1, 18, 22);
        spin.updown->set_min(0);
        spin.updown->set_max(station::kConditionSpinMax);
        spin.updown->set_thousands(false);
        spin.updown->set_associate(spin.edit);
        spin.SetValue(0);
        SpinEdit* target = &spin;
        condition_links_.emplace_back(check, [target](bool on) { target->SetEnabled(on); });
    };
    spin_row(box, checkLongerThan, spinLongerThan, u8"录音长度大于(秒)", y);
    spin_row(box, checkShorterThan, spinShorterThan, u8"录音长度小于(秒)", y + 26);
    y += 54;
    btnMoreSearchOptions = AddButton(box, Gbk(u8"更多查询选项"), 8, y, 198, 24, [this] { btnMoreSearchOptionsClick(); });
    y += 28;
    panelMoreSearchOptions = place(new ui::Panel(this), box, 0, y, kParamWidth - 4, 56);
    panelMoreSearchOptions->set_bevel_outer(ui::TBevelCut::bvNone);
    spin_row(panelMoreSearchOptions, checkRingLargerThan, spinRingLargerThan, u8"振铃次数大等于", 4);
    spin_row(panelMoreSearchOptions, checkRingSmallerThan, spinRingSmallerThan, u8"振铃次数小等于", 30);

    for (auto& link : condition_links_) {
        ui::CheckBox* check = link.first;
        check->on_click = [this, check](ui::Component*) { ConditionChecked(check); };
    }
}

void TSearchRecFrame::ConditionChecked(ui::CheckBox* box) {
    for (auto& link : condition_links_) {
        if (link.first == box) link.second(box->checked());
    }
}

void TSearchRecFrame::ApplyPeriod(station::SearchPeriod period, const std::string& caption) {
    TimeButton->set_caption(caption);
    const station::DateRange range = station::PeriodDates(period, today());
    DTDateFrom->set_date(date_value(range.from));
    DTDateTo->set_date(date_value(range.to));
    DTTimeFrom->set_time(time_value(0, 0, 0));
    DTTimeTo->set_time(time_value(23, 59, 59));
    for (ui::DateTimePicker* d : {DTDateFrom, DTDateTo, DTTimeFrom, DTTimeTo}) d->set_enabled(false);
}

void TSearchRecFrame::NodeCustomClick() {
    TimeButton->set_caption(Gbk(u8"自定义时间"));
    for (ui::DateTimePicker* d : {DTDateFrom, DTDateTo, DTTimeFrom, DTTimeTo}) d->set_enabled(true);
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
    // The conditions' height changed: the scroll range follows it.
    ScrollBoxLeft->realign();
    if (!show) {
        for (ui::CheckBox* c : {checkRingLargerThan, checkRingSmallerThan}) {
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
    const auto text = [](ui::CheckBox* check, ui::Edit* edit) {
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
    c.LongerThan = {checkLongerThan->checked(), spinLongerThan.Value()};
    c.ShorterThan = {checkShorterThan->checked(), spinShorterThan.Value()};
    c.RingLargerThan = {checkRingLargerThan->checked(), spinRingLargerThan.Value()};
    c.RingSmallerThan = {checkRingSmallerThan->checked(), spinRingSmallerThan.Value()};
    return c;
}

} // namespace forms
