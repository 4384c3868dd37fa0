#include "tests/skin/fuzz_entry.h"

#include <string>

#include "skin/skin_archive.h"
#include "skin/skin_parse.h"

namespace skin_test {

void FuzzStoredSkin(const std::uint8_t* data, std::size_t size) {
    skin::TSkinReader reader;
    if (!reader.LoadArchive(data, size).ok()) return;
    for (const std::string& name : reader.Names()) reader.GetMember(name);
    reader.FindMember(".ini");
    reader.FindMember("");
    skin::LoadSkinDescription(data, size, skin::PortableSkinSystem());
}

void FuzzSkinDescription(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<skin::ArchiveMember> members;
    std::size_t start = 0;
    for (int index = 0; index <= static_cast<int>(skin::kMaxMembers) - 2; ++index) {
        const std::size_t mark = text.find(kMemberMark, start);
        const std::string_view part = text.substr(start, mark == std::string_view::npos ? std::string_view::npos : mark - start);
        members.push_back({index == 0 ? "skin.ini" : "m" + std::to_string(index) + ".bmp", std::vector<std::uint8_t>(part.begin(), part.end())});
        if (mark == std::string_view::npos) break;
        start = mark + kMemberMark.size();
    }
    skin::WriteResult written = skin::WriteArchive(members);
    if (!written.ok()) return;
    skin::TSkinReader archive;
    if (!archive.LoadDecoded(std::move(written.archive)).ok()) return;
    skin::TQuickIni ini;
    ini.Load(members.front().bytes);
    skin::ParseSkin({ini, archive, skin::PortableSkinSystem()});
}

std::vector<std::uint8_t> DescriptionFuzzInput(std::string_view ini, const std::vector<std::vector<std::uint8_t>>& members) {
    std::vector<std::uint8_t> out(ini.begin(), ini.end());
    for (const auto& member : members) {
        out.insert(out.end(), kMemberMark.begin(), kMemberMark.end());
        out.insert(out.end(), member.begin(), member.end());
    }
    return out;
}

} // namespace skin_test
