// The station's three boxes and the shell's file dialogs as the search view uses them; the
// window layer supplies the real ones and tests supply answers.
#pragma once
#include <string>

namespace station {

enum class MultiAnswer { Yes, No, YesToAll, NoToAll, Closed };

class IStationPrompts {
public:
    virtual ~IStationPrompts() = default;
    virtual bool Confirm(const std::string& text) = 0;
    virtual MultiAnswer MultiConfirm(const std::string& text) = 0;
    virtual void Message(const std::string& caption, const std::string& text) = 0;
};

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // False when cancelled. `path` in: the proposed file name; out: the chosen full path.
    virtual bool SaveFile(const std::string& filter, const std::string& default_extension, std::string& path) = 0;
    // False when cancelled.
    virtual bool BrowseFolder(const std::string& title, std::string& folder) = 0;
};

} // namespace station
