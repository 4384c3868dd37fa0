#include "station/forms/settings/log_viewer_form.h"

#include <utility>

#include "platform/files.h"
#include "platform/ui/win/application.h"
#include "station/core/gbk_literal.h"
#include "station/core/settings_models/log_files.h"
#include "station/forms/settings/place.h"

namespace forms {

using station::Gbk;

ui::ClassInfo& TViewOrPrintLogForm::static_class() {
    static ui::ClassInfo info("TViewOrPrintLogForm", &ui::Form::static_class());
    return info;
}

TViewOrPrintLogForm::TViewOrPrintLogForm(ui::Component* owner, std::string program_dir,
                                         const station::StationTexts& texts, IPrompts& prompts, IShellActions& shell)
    : ui::Form(owner), program_dir_(std::move(program_dir)), texts_(texts), prompts_(prompts), shell_(shell) {
    set_name("ViewOrPrintLogForm");
    set_caption(Gbk(u8"查看或打印日志"));
    set_border_style(ui::TFormBorderStyle::bsDialog);
    set_border_icons({ui::TBorderIcon::biSystemMenu});
    set_position(ui::TPosition::poScreenCenter);
    font().set_name(Gbk(u8"宋体"));
    set_client_width(420);
    set_client_height(330);

    groupFiles = Place<ui::GroupBox>(this, this, "groupFiles", 8, 6, 404, 280, Gbk(u8"日志文件"));
    lvLogFile = Place<ui::ListView>(this, groupFiles, "lvLogFile", 10, 20, 290, 250);
    lvLogFile->set_view_style(ui::TViewStyle::vsReport);
    lvLogFile->set_multi_select(true);
    lvLogFile->set_row_select(true);
    lvLogFile->set_read_only(true);
    lvLogFile->set_hide_selection(false);
    ui::ListColumn* name = lvLogFile->columns().add_item();
    name->set_caption(texts_.Get("Msg.LogFileName").empty() ? Gbk(u8"日志文件名称") : texts_.Get("Msg.LogFileName"));
    name->set_width(260);
    panelTools = Place<ui::Panel>(this, groupFiles, "panelTools", 306, 20, 90, 250);
    panelTools->set_bevel_outer(ui::TBevelCut::bvNone);
    btnPrint = Place<ui::Button>(this, panelTools, "btnPrint", 4, 0, 80, 25, Gbk(u8"打印 ..."));
    btnDelete = Place<ui::Button>(this, panelTools, "btnDelete", 4, 34, 80, 25, Gbk(u8"删除"));
    btnView = Place<ui::Button>(this, panelTools, "btnView", 4, 68, 80, 25, Gbk(u8"查看"));
    btnClose = Place<ui::Button>(this, this, "btnClose", 337, 296, 75, 25, Gbk(u8"关闭"));
    btnClose->set_cancel(true);
    btnClose->set_modal_result(ui::mrCancel);

    lvLogFile->on_select_item = [this](ui::Component*, ui::ListItem*, bool) { lvLogFileChange(); };
    lvLogFile->on_dbl_click = [this](ui::Component*) { btnViewClick(); };
    btnView->on_click = [this](ui::Component*) { btnViewClick(); };
    btnPrint->on_click = [this](ui::Component*) { btnPrintClick(); };
    btnDelete->on_click = [this](ui::Component*) { btnDeleteClick(); };
    on_show = [this](ui::Component*) { FormShow(); };
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
