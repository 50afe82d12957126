// The operating system's entry: it only remembers the module handle. No loading, no windows.
#include "binding/PluginState.h"

CALVEX_ENTRY_POINT BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH) {
        moduleHandle = instance;
    }
    return TRUE;
}
