// Times creating the station's main window from its stored description, with its windows,
// under Wine.
#pragma once

void bench_main_window();
