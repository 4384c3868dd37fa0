// The system's default language identifier, which names the language file loaded at start-up.
#pragma once

namespace station {

// Windows: the system default language id (2052 for Simplified Chinese). Elsewhere it follows
// the locale in LANG: 2052 for zh_CN, else 1033.
int SystemDefaultLanguageId();

} // namespace station
