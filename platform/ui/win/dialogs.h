// The system's open, save and browse-for-folder dialogs. Paths and texts are GBK.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/ui/component.h"

namespace ui {

UI_ENUM(TOpenOption, ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
        ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware,
        ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks,
        ofEnableIncludeNotify, ofEnableSizing)
using TOpenOptions = SetOf<TOpenOption>;

class OpenDialog : public Component {
    UI_CLASS_IDENTITY()
public:
    explicit OpenDialog(Component* owner) : Component(owner) {}
    // Shows the dialog; true when the user chose a file (then FileName/Files hold it).
    virtual bool execute();

    std::string file_name, filter, default_ext, initial_dir, title;
    int filter_index = 1;
    TOpenOptions options{TOpenOption::ofHideReadOnly, TOpenOption::ofEnableSizing};
    std::vector<std::string> files;

protected:
    bool run(bool save);
};

class SaveDialog : public OpenDialog {
    UI_CLASS_IDENTITY()
public:
    explicit SaveDialog(Component* owner) : OpenDialog(owner) {}
    bool execute() override;
};

// Asks for a folder; true with `folder` set when the user chose one. `owner` may be null.
bool browse_for_folder(HWND owner, const std::string& title, std::string& folder);

} // namespace ui
