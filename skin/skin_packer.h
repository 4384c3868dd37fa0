// Skin folders and stored skin bytes: a folder of one ini description and its bitmaps packs
// into the bytes a skin file holds, and such bytes unpack into a folder again.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace skin {

struct PackResult {
    std::vector<std::uint8_t> stored;
    std::string error;
    bool ok() const { return error.empty(); }
};

// The ini first, then the bitmaps in byte order of their names, so that a folder always packs
// to the same bytes. Refuses subfolders, names MemberNameFault refuses, anything but exactly
// one ini, other names holding ".ini", and bitmaps that do not begin "BM".
PackResult PackSkinFolder(const std::string& folder);

// Writes every member of `stored` as a file of its bare name inside `folder` (made when
// missing). Refuses the whole archive before writing when a name could leave the folder.
std::string UnpackSkin(const std::vector<std::uint8_t>& stored, const std::string& folder);

} // namespace skin
