// Driving modal dialogs by messages from a thread timer of their loop, answering the boxes and
// the shell in their place, and saving pictures of what was driven.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "station/forms/settings/prompts.h"
#include "station/forms/settings/shell_seam.h"

namespace settings_test {

// Runs `act` once the modal loop that follows is running.
void WhenShown(std::function<void()> act);
// The same once `ready` holds (the dialog may still be filling its views when its loop runs).
void WhenShown(std::function<bool()> ready, std::function<void()> act);

// A system button by BM_CLICK; the control set's painted buttons by a mouse click.
void ClickButton(HWND button);
// A left click at the middle of a painted control (the control set's buttons take no BM_CLICK).
void Press(HWND control);
void SelectListRow(HWND list_view, int row, bool selected = true);
void SetListCheck(HWND list_view, int row, bool checked);
void SetWindowText936(HWND window, const std::string& gbk);
void SelectComboItem(HWND combo, int item);  // as the user does: the parent hears CBN_SELCHANGE
void SelectListBoxItem(HWND list_box, int item);
// A click of the mouse on the check glyph of a check list's line, scrolled into view first.
void ClickCheckGlyph(HWND check_list, int item);

// <build>\screenshots\station_settings\<name>.png
bool SaveScreenshot(HWND window, const std::string& name);

class FakePrompts : public forms::IPrompts {
public:
    bool answer = true;
    std::vector<std::string> confirmations;
    std::vector<std::pair<std::string, std::string>> messages;
    bool Confirm(const std::string& text) override {
        confirmations.push_back(text);
        return answer;
    }
    void Inform(const std::string& caption, const std::string& text) override { messages.emplace_back(caption, text); }
};

class FakeShell : public forms::IShellActions {
public:
    std::vector<std::string> opened, printed;
    std::string folder;   // empty: the user cancels
    std::string failure;  // the reason the shell gives; empty: it opens and prints
    std::string OpenFile(HWND, const std::string& path) override {
        opened.push_back(path);
        return failure;
    }
    std::string PrintFile(HWND, const std::string& path) override {
        printed.push_back(path);
        return failure;
    }
    bool BrowseForFolder(HWND, const std::string&, std::string& chosen) override {
        chosen = folder;
        return !folder.empty();
    }
    bool ChooseFile(HWND, std::string& file) override {
        file = folder;
        return !folder.empty();
    }
};

} // namespace settings_test
