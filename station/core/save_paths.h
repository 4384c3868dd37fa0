// Save folders given relative to the program's folder.
#pragma once
#include <string>
#include <string_view>

namespace station {

// Expands one leading "..\", "\..\" or ".\..\" to the folder above `program_dir`, or a leading
// ".\" to `program_dir`; any other path is returned unchanged.
std::string ResolveRelativePath(std::string_view path, std::string_view program_dir);

// `base` followed by '\' unless it already ends with '\' or '/'.
std::string WithSeparator(std::string_view base);

} // namespace station
