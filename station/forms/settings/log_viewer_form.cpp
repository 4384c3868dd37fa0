#include "station/forms/settings/log_viewer_form.h"

#include <utility>

#include "platform/files.h"
#include "platform/ui/win/application.h"
#include "station/core/settings_models/log_files.h"
#include "station/forms/station_description.h"

namespace forms {

ui::ClassInfo& TViewOrPrintLogForm::static_class() {
    static ui::ClassInfo info("TViewOrPrintLogForm", &ui::Form::static_class());
    return info;
}

TViewOrPrintLogForm::TViewOrPrintLogForm(ui::Component* owner, std::string program_dir,
                                         const station::StationTexts& texts, IPrompts& prompts, IShellActions& shell)
    : ui::Form(owner), program_dir_(std::move(program_dir)), texts_(texts), prompts_(prompts), shell_(shell) {
    const auto bind = [this](const char* name, void (TViewOrPrintLogForm::*handler)()) {
        register_method(name, ui::NotifyEvent([this, handler](ui::Component*) { (this->*handler)(); }));
    };
    bind("FormShow", &TViewOrPrintLogForm::FormShow);
    bind("lvLogFileDblClick", &TViewOrPrintLogForm::btnViewClick);
    bind("btnViewClick", &TViewOrPrintLogForm::btnViewClick);
    bind("btnPrintClick", &TViewOrPrintLogForm::btnPrintClick);
    bind("btnDeleteClick", &TViewOrPrintLogForm::btnDeleteClick);
    bind("btnCloseClick", &TViewOrPrintLogForm::close);
    register_method("lvLogFileChange",
                    ui::LVChangeEvent([this](ui::Component*, ui::ListItem*, ui::TItemChange change) {
                        if (change == ui::TItemChange::ctState) lvLogFileChange();
                    }));
    LoadStationForm(*this, L"VQVIEWORPRINTLOGFORM");
    groupFiles = Part<ec::TEcGroupBox>(*this, "groupFiles");
    lvLogFile = Part<ec::TEcListView>(*this, "lvLogFile");
    panelTools = Part<ec::TEcPanel>(*this, "panelTools");
    btnPrint = Part<ec::TEcBitBtn>(*this, "btnPrint");
    btnDelete = Part<ec::TEcBitBtn>(*this, "btnDelete");
    btnView = Part<ec::TEcBitBtn>(*this, "btnView");
    btnClose = Part<ec::TEcBitBtn>(*this, "btnClose");
    // The column's caption is a language text like the messages'.
    if (const std::string caption = texts_.Get("Msg.LogFileName"); !caption.empty())
        lvLogFile->columns().at(0)->set_caption(caption);
}

void TViewOrPrintLogForm::FormShow() {
    lvLogFile->begin_update();
    lvLogFile->clear();
    for (const station::LogFileRow& r :
         station::ListLogFiles(program_dir_, [] { ui::application().process_messages(); })) {
        ui::ListItem* item = lvLogFile->add_item();
        item->set_caption(r.Caption);
        item->sub_items().add(r.Path);
    }
    lvLogFile->end_update();
}

void TViewOrPrintLogForm::lvLogFileChange() {
    const bool any = lvLogFile->sel_count() > 0;
    btnView->set_enabled(any);
    btnDelete->set_enabled(any);
    btnPrint->set_enabled(any);
}

std::string TViewOrPrintLogForm::first_selected_path() {
    ui::ListItem* item = lvLogFile->selected();
    if (!item || item->sub_items().count() == 0) return {};
    return item->sub_items().get(0);
}

void TViewOrPrintLogForm::btnViewClick() {
    const std::string path = first_selected_path();
    if (path.empty()) return;
    if (const std::string reason = shell_.OpenFile(handle(), path); !reason.empty())
        prompts_.Inform(texts_.Get("MsgBox.Error"), texts_.Format("Log.OpenLogFileFail", {path, reason}));
}

void TViewOrPrintLogForm::btnPrintClick() {
    const std::string path = first_selected_path();
    if (path.empty()) return;
    if (const std::string reason = shell_.PrintFile(handle(), path); !reason.empty())
        prompts_.Inform(texts_.Get("MsgBox.Error"), texts_.Format("Log.PrintLogFileFail", {path, reason}));
}

void TViewOrPrintLogForm::btnDeleteClick() {
    if (lvLogFile->sel_count() == 0) return;
    if (!prompts_.Confirm(texts_.Get("Log.ConfirmDelRecord"))) return;
    ui::HourGlass busy;
    lvLogFile->begin_update();
    for (int i = lvLogFile->item_count() - 1; i >= 0; --i) {
        ui::ListItem* item = lvLogFile->item(i);
        if (!item->selected()) continue;
        if (item->sub_items().count() > 0 && plat::file_exists(item->sub_items().get(0)))
            plat::remove_file(item->sub_items().get(0));
        lvLogFile->delete_item(i);
    }
    lvLogFile->end_update();
    lvLogFileChange();
}

} // namespace forms
