// Fuzz inputs: stored skin bytes through the decoder, the archive index, every lookup and the
// description's parse; and a description with its pictures straight into the parse.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace skin_test {

void FuzzStoredSkin(const std::uint8_t* data, std::size_t size);

// `data` holds the ini text, then the members "m1.bmp", "m2.bmp"... each after kMemberMark.
constexpr std::string_view kMemberMark{"\0MEMBER\0", 8};
void FuzzSkinDescription(const std::uint8_t* data, std::size_t size);
std::vector<std::uint8_t> DescriptionFuzzInput(std::string_view ini, const std::vector<std::vector<std::uint8_t>>& members);

} // namespace skin_test
