// Times painting a 200-tab multi-line page of the tab control, 800 x 600, into a memory bitmap
// under Wine.
#pragma once

void bench_tabs();
