// The station's main window, skinned and unskinned: from the start to the first painted window,
// a full repaint with each of its views, and the CPU the shown window costs while idle.
#pragma once

void BenchStationWindow(double idle_seconds);
