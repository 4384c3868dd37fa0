#include "station/core/settings_models/find_dirs.h"

#include <utility>

#include "platform/ini_file.h"
#include "station/core/settings_models/trim_text.h"

namespace station {

void FindDirListModel::Reset(std::vector<std::string> folders) {
    folders_ = std::move(folders);
    selected_ = -1;
}

void FindDirListModel::Select(int entry) {
    selected_ = entry >= 0 && entry < static_cast<int>(folders_.size()) ? entry : -1;
}

AddFolderResult FindDirListModel::Add(const std::string& typed,
                                      const std::function<bool(const std::string&)>& folder_exists) {
    const std::string folder = TrimText(typed);
    if (folder.empty()) return AddFolderResult::Nothing;
    if (!folder_exists(folder)) return AddFolderResult::FolderMissing;
    folders_.push_back(typed);
    if (folders_.size() == 1) selected_ = 0;
    return AddFolderResult::Added;
}

bool FindDirListModel::DeleteSelected() {
    if (selected_ < 0 || TrimText(folders_[static_cast<std::size_t>(selected_)]).empty()) return false;
    folders_.erase(folders_.begin() + selected_);
    selected_ = -1;
    return true;
}

bool FindDirListModel::ReplaceSelected(const std::string& typed) {
    if (selected_ < 0) return false;
    folders_[static_cast<std::size_t>(selected_)] = typed;
    return true;
}

bool FindDirListModel::MoveSelectedUp() {
    if (selected_ <= 0) return false;
    std::swap(folders_[static_cast<std::size_t>(selected_)], folders_[static_cast<std::size_t>(selected_ - 1)]);
    --selected_;
    return true;
}

bool FindDirListModel::MoveSelectedDown() {
    if (selected_ < 0 || selected_ + 1 >= static_cast<int>(folders_.size())) return false;
    std::swap(folders_[static_cast<std::size_t>(selected_)], folders_[static_cast<std::size_t>(selected_ + 1)]);
    ++selected_;
    return true;
}

void SaveFindDirs(const std::string& ini_path, const std::vector<std::string>& folders) {
    const char* section = "FindDirInfo";
    plat::ini_delete_section(ini_path, section);
    plat::ini_write_string(ini_path, section, "TotalDirNum", std::to_string(folders.size()));
    int n = 1;
    for (const std::string& folder : folders)
        plat::ini_write_string(ini_path, section, "DirPath[" + std::to_string(n++) + "]", folder);
}

} // namespace station
