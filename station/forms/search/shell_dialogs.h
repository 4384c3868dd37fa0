// The shell's save and browse dialogs, and the station's boxes reached through callbacks that
// the main window sets.
#pragma once
#include <windows.h>

#include <functional>

#include "station/core/search/station_prompts.h"

namespace forms {

class ShellFileDialogs : public station::IFileDialogs {
public:
    explicit ShellFileDialogs(std::function<HWND()> owner) : owner_(std::move(owner)) {}
    bool SaveFile(const std::string& filter, const std::string& default_extension, std::string& path) override;
    bool BrowseFolder(const std::string& title, std::string& folder) override;

private:
    std::function<HWND()> owner_;
};

class CallbackPrompts : public station::IStationPrompts {
public:
    std::function<bool(const std::string&)> confirm;
    std::function<station::MultiAnswer(const std::string&)> multi_confirm;
    std::function<void(const std::string& caption, const std::string& text)> message;

    bool Confirm(const std::string& text) override { return confirm && confirm(text); }
    station::MultiAnswer MultiConfirm(const std::string& text) override {
        return multi_confirm ? multi_confirm(text) : station::MultiAnswer::Closed;
    }
    void Message(const std::string& caption, const std::string& text) override {
        if (message) message(caption, text);
    }
};

} // namespace forms
