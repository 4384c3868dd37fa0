// The transfer library's datagram path as a fuzz target: one input is a selector byte and a
// datagram, handed to a device's receiver, the listen-mode listener or the passive-mode
// shared receiver of a library that runs without sockets or threads, with a download under
// way. LLVMFuzzerTestOneInput is libFuzzer's entry point; the bounded driver calls it too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace datagram_fuzz {

// Well-formed inputs for every message kind and every route, the starting points of mutation.
std::vector<std::vector<std::uint8_t>> seed_inputs();

} // namespace datagram_fuzz
