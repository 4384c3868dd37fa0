// The name a device's recording is stored under on this workstation. Windows opens a device
// for "CON", "nul.wav" or "COM1", drops trailing dots and blanks (so "a." and "a" are one file),
// and the transfer library keeps its working files under ".ltf" and ".dxc": a recording whose
// name meets any of these gets a local name of its own, which its call row records.
#pragma once
#include <string>
#include <string_view>

namespace station {

// Whether a device's file name can be stored at all: a plain name (dots alone included, they
// get a local name) and not made of blanks only.
bool IsStorableName(std::string_view name);

// The local name for a storable device name: the name itself, or, for a name Windows reserves
// or one ending in a dot or a blank, "_" in front and each trailing dot and blank turned into
// "_"; a name ending in ".ltf" or ".dxc" gets "_" appended.
std::string LocalFileName(std::string_view name);

} // namespace station
