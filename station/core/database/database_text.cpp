#include "station/core/database/database_text.h"

#include <algorithm>

#include "platform/text_gbk.h"

namespace calldb {

namespace {
bool is_ascii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}
} // namespace

std::string gbk_to_database_text(std::string_view gbk) {
    return is_ascii(gbk) ? std::string(gbk) : plat::gbk_to_utf8(gbk);
}

std::string database_text_to_gbk(std::string_view utf8) {
    return is_ascii(utf8) ? std::string(utf8) : plat::utf8_to_gbk(utf8);
}

} // namespace calldb
