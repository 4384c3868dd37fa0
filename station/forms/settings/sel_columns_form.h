// "选择详细信息": which call-list columns are visible, in which order and how wide.
#pragma once
#include <string>

#include "platform/ui/win/forms.h"
#include "platform/ui/win/list_view.h"
#include "platform/ui/win/std_controls.h"
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

    ui::Label *labelSelectColumn, *labelDetail, *labelColumnWidth;
    ui::ListView* checklistColumns;
    ui::Edit* editColumnWidth;
    ui::Button *btnMoveUp, *btnMoveDown, *btnShow, *btnHide, *btnReset, *btnSure, *btnCancel;


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
