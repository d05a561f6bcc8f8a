// Attach and detach of the interface module.
#include "VlInterface/shell.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        return Startup_OnProcessAttach(instance);
    return TRUE;
}
