#include "station/core/system_language.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#include <cstring>
#endif

namespace station {

int SystemDefaultLanguageId() {
#ifdef _WIN32
    return static_cast<int>(GetSystemDefaultLangID());
#else
    const char* lang = std::getenv("LANG");
    return (lang && std::strncmp(lang, "zh_CN", 5) == 0) ? 2052 : 1033;
#endif
}

} // namespace station
