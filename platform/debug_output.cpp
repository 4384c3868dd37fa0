#include "platform/debug_output.h"

#include <string>

#ifdef _WIN32
#include <windows.h>
#include "platform/text_gbk.h"
#else
#include <cstdio>
#endif

namespace plat {

void debug_output(std::string_view text) {
#ifdef _WIN32
    OutputDebugStringW(gbk_to_wide(text).c_str());
#else
    std::fwrite(text.data(), 1, text.size(), stderr);
    if (text.empty() || text.back() != '\n') std::fputc('\n', stderr);
#endif
}

} // namespace plat
