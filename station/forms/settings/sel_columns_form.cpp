#include "station/forms/settings/sel_columns_form.h"

#include "platform/ui/win/application.h"
#include "station/core/gbk_literal.h"
#include "station/forms/settings/place.h"

namespace forms {

using station::Gbk;

ui::ClassInfo& TSelColumnsForm::static_class() {
    static ui::ClassInfo info("TSelColumnsForm", &ui::Form::static_class());
    return info;
}

TSelColumnsForm::TSelColumnsForm(ui::Component* owner, station::StationGlobals& globals, IPrompts& prompts)
    : ui::Form(owner), globals_(globals), prompts_(prompts) {
    set_name("SelColumnsForm");
    set_caption(Gbk(u8"选择详细信息"));
    set_border_style(ui::TFormBorderStyle::bsDialog);
    set_border_icons({ui::TBorderIcon::biSystemMenu});
    set_position(ui::TPosition::poScreenCenter);
    font().set_name(Gbk(u8"宋体"));
    set_client_width(380);
    set_client_height(348);

    labelSelectColumn = Place<ui::Label>(this, this, "labelSelectColumn", 12, 10, 356, 14,
                                         Gbk(u8"选择您想要显示的录音记录的详细信息。"));
    labelDetail = Place<ui::Label>(this, this, "labelDetail", 12, 32, 120, 14, Gbk(u8"详细信息 :"));
    checklistColumns = Place<ui::ListView>(this, this, "checklistColumns", 12, 50, 260, 220);
    checklistColumns->set_view_style(ui::TViewStyle::vsReport);
    checklistColumns->set_checkboxes(true);
    checklistColumns->set_show_column_headers(false);
    checklistColumns->set_row_select(true);
    checklistColumns->set_read_only(true);
    checklistColumns->set_hide_selection(false);
    checklistColumns->columns().add_item()->set_width(236);
    btnMoveUp = Place<ui::Button>(this, this, "btnMoveUp", 284, 50, 84, 25, Gbk(u8"上移(&U)"));
    btnMoveDown = Place<ui::Button>(this, this, "btnMoveDown", 284, 82, 84, 25, Gbk(u8"下移(&D)"));
    btnShow = Place<ui::Button>(this, this, "btnShow", 284, 114, 84, 25, Gbk(u8"显示(&S)"));
    btnHide = Place<ui::Button>(this, this, "btnHide", 284, 146, 84, 25, Gbk(u8"隐藏(&H)"));
    btnReset = Place<ui::Button>(this, this, "btnReset", 284, 178, 84, 25, Gbk(u8"重置(&R)"));
    labelColumnWidth = Place<ui::Label>(this, this, "labelColumnWidth", 12, 281, 170, 14,
                                        Gbk(u8"列的宽度 ( 像素) (&W) :"));
    editColumnWidth = Place<ui::Edit>(this, this, "editColumnWidth", 186, 278, 86, 21);
    labelColumnWidth->set_focus_control(editColumnWidth);
    btnSure = Place<ui::Button>(this, this, "btnSure", 206, 314, 75, 25, Gbk(u8"确定"));
    btnSure->set_default(true);
    btnCancel = Place<ui::Button>(this, this, "btnCancel", 293, 314, 75, 25, Gbk(u8"取消"));
    btnCancel->set_cancel(true);
    btnCancel->set_modal_result(ui::mrCancel);

    checklistColumns->on_select_item = [this](ui::Component*, ui::ListItem*, bool selected) {
        if (selected && !filling_) checklistColumnsClick();
    };
    editColumnWidth->on_key_press = [](ui::Component*, wchar_t& key) {
        if (!(key >= L'0' && key <= L'9') && key != L'\b') key = 0;
    };
    editColumnWidth->on_change = [this](ui::Component*) {
        if (!filling_) model_.SetWidthText(editColumnWidth->text());
    };
    btnMoveUp->on_click = [this](ui::Component*) { btnMoveUpClick(); };
    btnMoveDown->on_click = [this](ui::Component*) { btnMoveDownClick(); };
    btnShow->on_click = [this](ui::Component*) { btnShowClick(); };
    btnHide->on_click = [this](ui::Component*) { btnHideClick(); };
    btnReset->on_click = [this](ui::Component*) { btnResetClick(); };
    btnSure->on_click = [this](ui::Component*) { btnSureClick(); };
    btnCancel->on_click = [this](ui::Component*) { FAccepted = false; };
    on_show = [this](ui::Component*) { FormShow(); };
}

void TSelColumnsForm::FormShow() {
    FAccepted = false;
    FColumnsChanged = false;
    model_.Fill(globals_.ColumnsInfo);
    show_entries();
    btnMoveUp->set_enabled(false);
    btnMoveDown->set_enabled(model_.Entries().size() >= 2);
}

void TSelColumnsForm::show_entries() {
    filling_ = true;
    checklistColumns->begin_update();
    checklistColumns->clear();
    for (const station::ChooserEntry& e : model_.Entries()) {
        ui::ListItem* item = checklistColumns->add_item();
        item->set_caption(e.Name);
        item->set_checked(e.Ticked);
    }
    checklistColumns->end_update();
    if (model_.Selected() >= 0) {
        checklistColumns->item(model_.Selected())->set_selected(true);
        checklistColumns->item(model_.Selected())->set_focused(true);
        editColumnWidth->set_text(std::to_string(model_.Entries()[static_cast<std::size_t>(model_.Selected())].Width));
    }
    filling_ = false;
}

// The ticks live in the list's check boxes, where the user sets them.
void TSelColumnsForm::take_ticks() {
    for (int j = 0; j < checklistColumns->item_count(); ++j) model_.SetTicked(j, checklistColumns->item(j)->checked());
}

void TSelColumnsForm::show_selection() {
    btnMoveUp->set_enabled(model_.CanMoveUp());
    btnMoveDown->set_enabled(model_.CanMoveDown());
    btnShow->set_enabled(true);
    btnHide->set_enabled(true);
    filling_ = true;
    if (model_.Selected() >= 0)
        editColumnWidth->set_text(std::to_string(model_.Entries()[static_cast<std::size_t>(model_.Selected())].Width));
    filling_ = false;
}

void TSelColumnsForm::checklistColumnsClick() {
    model_.Select(checklistColumns->selected_index());
    show_selection();
}

void TSelColumnsForm::btnMoveUpClick() {
    take_ticks();
    model_.MoveUp();
    show_entries();
    checklistColumns->set_focus();
    show_selection();
}

void TSelColumnsForm::btnMoveDownClick() {
    take_ticks();
    model_.MoveDown();
    show_entries();
    checklistColumns->set_focus();
    show_selection();
}

void TSelColumnsForm::btnShowClick() {
    take_ticks();
    model_.Show();
    show_entries();
}

void TSelColumnsForm::btnHideClick() {
    take_ticks();
    model_.Hide();
    show_entries();
}

void TSelColumnsForm::btnResetClick() {
    ui::HourGlass busy;
    model_.Reset(globals_.ColumnsInfo);
    show_entries();
    show_selection();
}

void TSelColumnsForm::btnSureClick() {
    ui::HourGlass busy;
    take_ticks();
    bool changed = false;
    if (model_.Accept(globals_.ColumnsInfo, changed) == station::ChooserAccept::NoColumnTicked) {
        prompts_.Inform(globals_.Texts.Get("MsgBox.Alerting"), globals_.Texts.Get("Log.NoColumnAlert"));
        return;
    }
    FAccepted = true;
    FColumnsChanged = changed;
    station::SaveColumns(globals_.SettingsPath, globals_.ColumnsInfo);
    set_modal_result(ui::mrOk);
}

void RunColumnChooser(TSelColumnsForm& chooser, ICallListColumns& call_list) {
    chooser.show_modal();
    if (!chooser.FAccepted) return;
    if (chooser.FColumnsChanged) call_list.RebuildColumnsAndSortMenu();
    else call_list.ApplyColumnWidths();
}

} // namespace forms
