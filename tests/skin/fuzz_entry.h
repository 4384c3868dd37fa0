// One fuzz input: stored skin bytes through the decoder, the archive index and every lookup.
#pragma once
#include <cstddef>
#include <cstdint>

namespace skin_test {

void FuzzStoredSkin(const std::uint8_t* data, std::size_t size);

} // namespace skin_test
