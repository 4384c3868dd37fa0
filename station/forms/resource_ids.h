// Resource numbers of the program's icons (shared by the resource script and the code).
#pragma once

#define VQ_ICON_MAIN 1
// The window descriptions name the other icons by number ("#100"): 100-104 the small images
// (connected, disconnected, paused, fetching off, device switched off), 110-113 the tray
// animation's frames, 200-205 the tool bars' images (start, stop, settings, exit, state view,
// search view).
