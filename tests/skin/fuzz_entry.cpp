#include "tests/skin/fuzz_entry.h"

#include "skin/skin_archive.h"

namespace skin_test {

void FuzzStoredSkin(const std::uint8_t* data, std::size_t size) {
    skin::TSkinReader reader;
    if (!reader.LoadArchive(data, size).ok()) return;
    for (const std::string& name : reader.Names()) reader.GetMember(name);
    reader.FindMember(".ini");
    reader.FindMember("");
}

} // namespace skin_test
