// The control set's one sound: every control that refuses a key beeps through here, so that
// a program (or a test counting refusals) can replace the sound in one place.
#pragma once
#include <functional>

namespace ec {

using BeepFunction = std::function<void()>;

// Beeps through the current function (the system's default sound unless replaced).
void invalid_key_beep();
// Installs `beep` (nullptr: the system's sound again) and gives back the one it replaces.
BeepFunction set_beep_function(BeepFunction beep);

} // namespace ec
