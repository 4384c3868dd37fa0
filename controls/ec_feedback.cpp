#include "controls/ec_feedback.h"

#include <windows.h>

#include <utility>

namespace ec {

namespace {

BeepFunction& current_beep() {
    static BeepFunction beep;
    return beep;
}

} // namespace

void invalid_key_beep() {
    if (const BeepFunction& beep = current_beep()) beep();
    else MessageBeep(0);
}

BeepFunction set_beep_function(BeepFunction beep) { return std::exchange(current_beep(), std::move(beep)); }

} // namespace ec
