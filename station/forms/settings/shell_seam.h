// What the settings dialogs ask of the shell and the common dialogs: open and print a file,
// browse for a folder, pick a file. Tests put their own answers in its place.
#pragma once
#include <windows.h>

#include <string>

namespace forms {

class IShellActions {
public:
    virtual ~IShellActions() = default;
    // The system's reason (GBK) when the shell could not open or print the file; empty when it did.
    virtual std::string OpenFile(HWND parent, const std::string& path) = 0;
    virtual std::string PrintFile(HWND parent, const std::string& path) = 0;
    // The chosen folder (GBK), or false when the user cancelled.
    virtual bool BrowseForFolder(HWND parent, const std::string& title, std::string& folder) = 0;
    // The chosen file (GBK), or false when the user cancelled.
    virtual bool ChooseFile(HWND parent, std::string& file) = 0;
};

class WindowsShellActions : public IShellActions {
public:
    std::string OpenFile(HWND parent, const std::string& path) override;
    std::string PrintFile(HWND parent, const std::string& path) override;
    bool BrowseForFolder(HWND parent, const std::string& title, std::string& folder) override;
    bool ChooseFile(HWND parent, std::string& file) override;
};

} // namespace forms
