#include "station/core/database/database_text.h"

#include "platform/text_gbk.h"

namespace calldb {

std::string gbk_to_database_text(std::string_view gbk) {
    return plat::gbk_to_utf8(gbk);
}

std::string database_text_to_gbk(std::string_view utf8) {
    return plat::utf8_to_gbk(utf8);
}

} // namespace calldb
