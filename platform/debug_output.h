// The system debug output (OutputDebugString on Windows, standard error elsewhere).
#pragma once
#include <string_view>

namespace plat {
void debug_output(std::string_view text);
}
