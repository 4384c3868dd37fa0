// The settings dialog's list of folders searched for recordings, and its [FindDirInfo] section.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace station {

enum class AddFolderResult { Nothing, Added, FolderMissing };

class FindDirListModel {
public:
    void Reset(std::vector<std::string> folders);
    const std::vector<std::string>& Folders() const { return folders_; }
    int Selected() const { return selected_; }
    void Select(int entry);

    // Appends the typed folder when it exists; an empty (blank) text does nothing. With one
    // entry in the list afterwards, that entry is selected.
    AddFolderResult Add(const std::string& typed, const std::function<bool(const std::string&)>& folder_exists);
    // These return true when they changed the list.
    bool DeleteSelected();
    // Replaces the selected entry with the typed text as it stands (no existence test).
    bool ReplaceSelected(const std::string& typed);
    bool MoveSelectedUp();
    bool MoveSelectedDown();

private:
    std::vector<std::string> folders_;
    int selected_ = -1;
};

// Erases [FindDirInfo] and writes TotalDirNum and DirPath[1..n] in list order.
void SaveFindDirs(const std::string& ini_path, const std::vector<std::string>& folders);

} // namespace station
