// Attach and detach of Tordoc32.dll: the module keeps its own instance for
// its window classes and resources.
#include "outside/Tordoc32/viewer.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        Viewer().instance = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
