#include "station/core/settings_models/log_files.h"

#include "platform/files.h"
#include "station/core/settings_models/trim_text.h"

namespace station {

namespace {

// Folder links can form cycles; no real log tree is this deep.
constexpr int kMaxDepth = 32;

std::string upper_ascii(std::string text) {
    for (char& ch : text)
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    return text;
}

// The extension with its dot, as the last dot of the name gives it; empty without one.
std::string extension_of(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

void collect(const std::string& folder, const std::string& wanted, bool any, int depth,
             const std::function<void()>& between_entries, std::vector<std::string>& out) {
    for (const plat::DirEntry& e : plat::list_directory(folder)) {
        if (e.is_directory) {
            if (depth < kMaxDepth) collect(folder + e.name + "\\", wanted, any, depth + 1, between_entries, out);
        } else if (any || upper_ascii(extension_of(e.name)) == wanted) {
            out.push_back(folder + e.name);
        }
        if (between_entries) between_entries();
    }
}

} // namespace

std::vector<std::string> FindFiles(const std::string& folder, const std::string& extension,
                                   const std::function<void()>& between_entries) {
    std::vector<std::string> out;
    std::string base = TrimText(folder);
    if (base.empty() || base.back() != '\\') base += '\\';
    if (!plat::directory_exists(base)) return out;
    collect(base, upper_ascii(extension), extension == ".*", 0, between_entries, out);
    return out;
}

std::vector<LogFileRow> ListLogFiles(const std::string& program_dir, const std::function<void()>& between_entries) {
    std::vector<LogFileRow> rows;
    for (std::string& path : FindFiles(program_dir + "\\Logs\\", ".txt", between_entries)) {
        std::string name = plat::extract_file_name(path);
        const std::size_t dot = name.rfind('.');
        if (dot != std::string::npos) name.erase(dot);
        rows.push_back({std::move(name), std::move(path)});
    }
    return rows;
}

} // namespace station
