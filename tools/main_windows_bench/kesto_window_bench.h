// The setup tool's main window with 200 devices listed, skinned and unskinned: a full repaint.
#pragma once

void BenchKestoWindow();
