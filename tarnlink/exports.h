// The one library instance behind the exports (and the unload path).
#pragma once

namespace tarnlink {
class Library;
Library& the_library();
// The instance when an export has created it, else null.
Library* loaded_library();
} // namespace tarnlink
