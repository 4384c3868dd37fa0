// Resource numbers of the program's icons (shared by the resource script and the code).
#pragma once

#define VQ_ICON_MAIN 1
// The small images: connected, disconnected, paused, fetching off (tray), device switched off.
#define VQ_ICON_SMALL_FIRST 100
#define VQ_ICON_SMALL_COUNT 5
// The tray animation's frames.
#define VQ_ICON_TRAY_FIRST 110
#define VQ_ICON_TRAY_COUNT 4
// The tool bars' images: start, stop, settings, exit, state view, search view.
#define VQ_ICON_LARGE_FIRST 200
#define VQ_ICON_LARGE_COUNT 6
// The skin component's stored skin (the committed default skin) and the skin engine's pictures.
#define VQ_SKIN_STORED 300
