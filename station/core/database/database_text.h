// The station's GBK texts and the databases' UTF-8. A text comes back byte for byte, even
// one that is not valid GBK (a device's text cut after a lead byte). Most values (dates,
// times, numbers) are plain ASCII, the same bytes in both: those skip the conversion, which
// costs a system call per value and dominated reading a month of calls.
#pragma once
#include <string>
#include <string_view>

namespace calldb {

std::string gbk_to_database_text(std::string_view gbk);   // UTF-8
std::string database_text_to_gbk(std::string_view utf8);

} // namespace calldb
