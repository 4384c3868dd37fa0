// "查看或打印日志": the station's daily log files, opened, printed or deleted through the shell.
#pragma once
#include <string>

#include "controls/ec_button.h"
#include "controls/ec_list_vw.h"
#include "controls/ec_panel.h"
#include "platform/ui/win/forms.h"
#include "station/core/station_texts.h"
#include "station/forms/settings/prompts.h"
#include "station/forms/settings/shell_seam.h"

namespace forms {

class TViewOrPrintLogForm : public ui::Form {
    UI_CLASS_IDENTITY()
public:
    TViewOrPrintLogForm(ui::Component* owner, std::string program_dir, const station::StationTexts& texts,
                        IPrompts& prompts, IShellActions& shell);

    ec::TEcGroupBox* groupFiles;
    ec::TEcListView* lvLogFile;
    ec::TEcPanel* panelTools;
    ec::TEcBitBtn *btnPrint, *btnDelete, *btnView, *btnClose;

    void FormShow();
    // A row's selection changed: the three buttons follow whether any row is selected.
    void lvLogFileChange();
    void btnViewClick();
    void btnPrintClick();
    void btnDeleteClick();

private:
    // The full path a row holds in its first sub-item; empty without a selected row.
    std::string first_selected_path();

    std::string program_dir_;
    const station::StationTexts& texts_;
    IPrompts& prompts_;
    IShellActions& shell_;
};

} // namespace forms
