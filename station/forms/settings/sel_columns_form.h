// "选择详细信息": which call-list columns are visible, in which order and how wide.
#pragma once
#include <string>

#include "controls/ec_button.h"
#include "controls/ec_chk_lst.h"
#include "controls/ec_edit.h"
#include "controls/ec_label.h"
#include "platform/ui/win/forms.h"
#include "station/core/globals.h"
#include "station/core/settings_models/column_chooser.h"
#include "station/forms/settings/prompts.h"

namespace forms {

class TSelColumnsForm : public ui::Form {
    UI_CLASS_IDENTITY()
public:
    TSelColumnsForm(ui::Component* owner, station::StationGlobals& globals, IPrompts& prompts);

    bool FAccepted = false;
    bool FColumnsChanged = false;

    ec::TEcLabel *labelSelectColumn, *labelDetail, *labelColumnWidth;
    ec::TEcCheckList* checklistColumns;
    ec::TEcEdit* editColumnWidth;
    ec::TEcButton *btnMoveUp, *btnMoveDown, *btnShow, *btnHide, *btnReset;
    ec::TEcBitBtn *btnSure, *btnCancel;

    void FormShow();
    void checklistColumnsClick();
    void btnMoveUpClick();
    void btnMoveDownClick();
    void btnShowClick();
    void btnHideClick();
    void btnResetClick();
    void btnSureClick();

private:
    void show_entries();
    void take_ticks();
    void show_selection();
    // The selected entry and its neighbour `to` change places in the list, each line with its
    // tick; the model has already moved them.
    void show_move(int from, int to);

    station::StationGlobals& globals_;
    IPrompts& prompts_;
    station::ColumnChooserModel model_;
    bool filling_ = false;
};

// What the main window does with the chooser's result.
class ICallListColumns {
public:
    virtual ~ICallListColumns() = default;
    // The columns changed: the call list's columns and the sort menu are built again.
    virtual void RebuildColumnsAndSortMenu() = 0;
    // Only widths changed.
    virtual void ApplyColumnWidths() = 0;
};

// Shows the chooser for the call list and hands its result to the main window.
void RunColumnChooser(TSelColumnsForm& chooser, ICallListColumns& call_list);

} // namespace forms
