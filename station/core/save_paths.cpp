#include "station/core/save_paths.h"

#include "platform/files.h"

namespace station {
namespace {
bool starts_with(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }
} // namespace

std::string WithSeparator(std::string_view base) {
    std::string out(base);
    if (out.empty() || (out.back() != '\\' && out.back() != '/')) out.push_back('\\');
    return out;
}

std::string ResolveRelativePath(std::string_view path, std::string_view program_dir) {
    // The folder that holds the program's folder, with its separator.
    const std::string parent = plat::extract_file_dir(program_dir);
    for (std::string_view up : {std::string_view("..\\"), std::string_view("\\..\\"), std::string_view(".\\..\\")}) {
        if (starts_with(path, up)) return parent + std::string(path.substr(up.size()));
    }
    if (starts_with(path, ".\\")) return std::string(program_dir) + std::string(path.substr(1));
    return std::string(path);
}

} // namespace station
