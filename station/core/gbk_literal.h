// The station keeps its texts as GBK bytes, while its sources are UTF-8: built-in Chinese texts
// are written as UTF-8 literals and converted once, where they are defined.
#pragma once
#include <string>

#include "platform/text_gbk.h"

namespace station {

inline std::string Gbk(const char* utf8) { return plat::utf8_to_gbk(utf8); }

} // namespace station
