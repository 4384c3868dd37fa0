#include "station/forms/settings/sel_columns_form.h"

#include "platform/ui/win/application.h"
#include "station/forms/station_description.h"

namespace forms {

ui::ClassInfo& TSelColumnsForm::static_class() {
    static ui::ClassInfo info("TSelColumnsForm", &ui::Form::static_class());
    return info;
}

TSelColumnsForm::TSelColumnsForm(ui::Component* owner, station::StationGlobals& globals, IPrompts& prompts)
    : ui::Form(owner), globals_(globals), prompts_(prompts) {
    const auto bind = [this](const char* name, void (TSelColumnsForm::*handler)()) {
        register_method(name, ui::NotifyEvent([this, handler](ui::Component*) { (this->*handler)(); }));
    };
    bind("FormShow", &TSelColumnsForm::FormShow);
    bind("checklistColumnsClick", &TSelColumnsForm::checklistColumnsClick);
    bind("btnMoveUpClick", &TSelColumnsForm::btnMoveUpClick);
    bind("btnMoveDownClick", &TSelColumnsForm::btnMoveDownClick);
    bind("btnShowClick", &TSelColumnsForm::btnShowClick);
    bind("btnHideClick", &TSelColumnsForm::btnHideClick);
    bind("btnResetClick", &TSelColumnsForm::btnResetClick);
    bind("btnSureClick", &TSelColumnsForm::btnSureClick);
    register_method("btnCancelClick", ui::NotifyEvent([this](ui::Component*) { FAccepted = false; }));
    register_method("editColumnWidthKeyPress", ui::KeyPressEvent([](ui::Component*, wchar_t& key) {
                        if (!(key >= L'0' && key <= L'9') && key != L'\b') key = 0;
                    }));
    register_method("editColumnWidthChange", ui::NotifyEvent([this](ui::Component*) {
                        if (!filling_) model_.SetWidthText(editColumnWidth->text());
                    }));
    LoadStationForm(*this, L"VQSELCOLUMNSFORM");
    labelSelectColumn = Part<ec::TEcLabel>(*this, "labelSelectColumn");
    labelDetail = Part<ec::TEcLabel>(*this, "labelDetail");
    labelColumnWidth = Part<ec::TEcLabel>(*this, "labelColumnWidth");
    checklistColumns = Part<ec::TEcCheckList>(*this, "checklistColumns");
    editColumnWidth = Part<ec::TEcEdit>(*this, "editColumnWidth");
    btnMoveUp = Part<ec::TEcButton>(*this, "btnMoveUp");
    btnMoveDown = Part<ec::TEcButton>(*this, "btnMoveDown");
    btnShow = Part<ec::TEcButton>(*this, "btnShow");
    btnHide = Part<ec::TEcButton>(*this, "btnHide");
    btnReset = Part<ec::TEcButton>(*this, "btnReset");
    btnSure = Part<ec::TEcBitBtn>(*this, "btnSure");
    btnCancel = Part<ec::TEcBitBtn>(*this, "btnCancel");
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
    checklistColumns->items().begin_update();
    checklistColumns->items().clear();
    for (const station::ChooserEntry& e : model_.Entries()) checklistColumns->add_checked(e.Name, e.Ticked, true);
    checklistColumns->items().end_update();
    checklistColumns->set_item_index(model_.Selected());
    if (model_.Selected() >= 0)
        editColumnWidth->set_text(std::to_string(model_.Entries()[static_cast<std::size_t>(model_.Selected())].Width));
    filling_ = false;
}

// The ticks live in the list, where the user sets them by the glyph or the space key.
void TSelColumnsForm::take_ticks() {
    for (int j = 0; j < checklistColumns->count(); ++j) model_.SetTicked(j, checklistColumns->item_checked(j));
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
    model_.Select(checklistColumns->item_index());
    show_selection();
}

void TSelColumnsForm::show_move(int from, int to) {
    checklistColumns->items().exchange(from, to);
    checklistColumns->set_item_index(to);
    checklistColumns->set_focus();
    show_selection();
}

void TSelColumnsForm::btnMoveUpClick() {
    if (!model_.CanMoveUp()) return;
    take_ticks();
    const int from = model_.Selected();
    model_.MoveUp();
    show_move(from, from - 1);
}

void TSelColumnsForm::btnMoveDownClick() {
    if (!model_.CanMoveDown()) return;
    take_ticks();
    const int from = model_.Selected();
    model_.MoveDown();
    show_move(from, from + 1);
}

void TSelColumnsForm::btnShowClick() {
    if (model_.Selected() < 0) return;
    model_.Show();
    checklistColumns->set_item_checked(model_.Selected(), true);
}

void TSelColumnsForm::btnHideClick() {
    if (model_.Selected() < 0) return;
    model_.Hide();
    checklistColumns->set_item_checked(model_.Selected(), false);
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
