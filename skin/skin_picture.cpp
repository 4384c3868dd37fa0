#include "skin/skin_picture.h"

#include "skin/bmp_decode.h"

namespace skin {

Image32 LoadPicture(const TSkinReader& archive, std::string_view value) {
    const std::size_t separator = value.find_last_of("\\/");
    const std::string_view name = separator == std::string_view::npos ? value : value.substr(separator + 1);
    const std::size_t dot = name.rfind('.');
    if (name.empty() || dot == std::string_view::npos || name.substr(dot) != ".bmp") return {};
    const std::vector<std::uint8_t> member = archive.GetMember(name);
    return DecodeBmp(member.data(), member.size());
}

Image32 ReadPicture(const TQuickIni& ini, const TSkinReader& archive, std::string_view section, std::string_view key) {
    return LoadPicture(archive, ini.ReadString(section, key, ""));
}

} // namespace skin
