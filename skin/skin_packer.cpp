#include "skin/skin_packer.h"

#include <algorithm>

#include "platform/files.h"
#include "skin/lzh_stream.h"
#include "skin/skin_archive.h"

namespace skin {
namespace {

bool IsIni(const std::string& name) { return name.size() >= 4 && name.compare(name.size() - 4, 4, ".ini") == 0; }

} // namespace

PackResult PackSkinFolder(const std::string& folder) {
    PackResult result;
    if (!plat::directory_exists(folder)) {
        result.error = "no folder " + folder;
        return result;
    }
    std::vector<std::string> names;
    for (const plat::DirEntry& e : plat::list_directory(folder)) {
        if (e.is_directory) {
            result.error = "subfolder " + e.name + " in a skin folder";
            return result;
        }
        if (auto fault = MemberNameFault(e.name)) {
            result.error = *fault;
            return result;
        }
        names.push_back(e.name);
    }
    std::sort(names.begin(), names.end());
    const auto ini_count = std::count_if(names.begin(), names.end(), IsIni);
    if (ini_count != 1) {
        result.error = "a skin folder needs exactly one .ini, found " + std::to_string(ini_count);
        return result;
    }
    std::stable_partition(names.begin(), names.end(), IsIni);
    // FindMember(".ini") takes the first name holding it: only the description may.
    for (std::size_t i = 1; i < names.size(); ++i) {
        if (names[i].find(".ini") != std::string::npos) {
            result.error = "member name \"" + names[i] + "\" holds \".ini\" besides the description";
            return result;
        }
    }
    std::vector<ArchiveMember> members;
    for (const std::string& name : names) {
        std::string contents;
        if (!plat::read_whole_file(plat::include_trailing_separator(folder) + name, contents)) {
            result.error = "cannot read " + name;
            return result;
        }
        if (!IsIni(name) && contents.compare(0, 2, "BM") != 0) {
            result.error = "bitmap " + name + " does not begin with \"BM\"";
            return result;
        }
        members.push_back({name, std::vector<std::uint8_t>(contents.begin(), contents.end())});
    }
    WriteResult archive = WriteArchive(members);
    if (!archive.ok()) {
        result.error = archive.error;
        return result;
    }
    result.stored = LzhEncode(archive.archive);
    return result;
}

std::string UnpackSkin(const std::vector<std::uint8_t>& stored, const std::string& folder) {
    TSkinReader reader;
    const TSkinReader::LoadResult loaded = reader.LoadArchive(stored);
    if (!loaded.ok()) return loaded.error;
    const std::vector<std::string>& names = reader.Names();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (auto fault = MemberNameFault(names[i])) return *fault;
        if (std::find(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(i), names[i]) !=
            names.begin() + static_cast<std::ptrdiff_t>(i))
            return "member name \"" + names[i] + "\" appears twice";
    }
    if (!plat::force_directories(folder)) return "cannot make folder " + folder;
    for (const std::string& name : names) {
        const std::vector<std::uint8_t> bytes = reader.GetMember(name);
        const std::string path = plat::include_trailing_separator(folder) + name;
        if (!plat::write_whole_file(path, std::string(bytes.begin(), bytes.end()))) return "cannot write " + path;
    }
    return {};
}

} // namespace skin
