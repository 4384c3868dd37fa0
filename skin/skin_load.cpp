#include <new>

#include "skin/skin_parse.h"

namespace skin {

SkinLoadResult LoadSkinDescription(const std::uint8_t* stored, std::size_t size, const SkinSystem& system) {
    SkinLoadResult result;
    TSkinReader archive;
    const TSkinReader::LoadResult loaded = archive.LoadArchive(stored, size);
    if (!loaded.ok()) {
        result.error = loaded.error;
        result.unknown_version = loaded.unknown_version;
        return result;
    }
    // Without a description there is no skin: parsing nothing would report one made of defaults.
    const std::optional<TSkinReader::Found> ini_member = archive.FindMember(".ini");
    if (!ini_member) {
        result.error = "the skin archive holds no description (.ini member)";
        return result;
    }
    try {
        TQuickIni ini;
        ini.Load(ini_member->bytes);
        result.skin = ParseSkin({ini, archive, system});
    } catch (const std::bad_alloc&) {
        result.error = "out of memory while reading the skin description";
    } catch (const std::exception& e) {
        result.error = std::string("the skin description could not be read: ") + e.what();
    }
    return result;
}

} // namespace skin
