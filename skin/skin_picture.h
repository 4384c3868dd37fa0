// A picture key of the description: the named ".bmp" member of the archive, decoded.
#pragma once
#include <string_view>

#include "skin/image32.h"
#include "skin/quick_ini.h"
#include "skin/skin_archive.h"

namespace skin {

// The member named by the file name part of `value` (after the last "\" or "/") when its
// extension is exactly ".bmp"; an empty image otherwise, or when the member is missing, empty
// or not a BMP we read.
Image32 LoadPicture(const TSkinReader& archive, std::string_view value);
Image32 ReadPicture(const TQuickIni& ini, const TSkinReader& archive, std::string_view section, std::string_view key);

} // namespace skin
