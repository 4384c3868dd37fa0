// Times making the station's settings dialog from its stored description under Wine.
#pragma once

void bench_settings_dialog();
