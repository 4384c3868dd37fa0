// The Windows entry point: an unload while initialised runs the release with bounded waits;
// at process end the threads are already gone, so only the sockets are closed.
#include <windows.h>

#include "tarnlink/exports.h"
#include "tarnlink/library.h"

BOOL WINAPI DllMain(HINSTANCE /*instance*/, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH) {
        try {
            if (tarnlink::Library* library = tarnlink::loaded_library())
                library->unload(reserved != nullptr);
        } catch (...) {
        }
    }
    return TRUE;
}
