// Attach and detach of VlTechDb.dll: the databases are opened at load (the
// load goes on without them) and everything is closed at unload.
#include <windows.h>

#include "VlTechDatabase/techdb_internal.h"
#include "support/app.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        App_Init(instance);
        TechDb().instance = instance;
        TechDb_Init();
    } else if (reason == DLL_PROCESS_DETACH) {
        TechDb_CloseAll();
    }
    return TRUE;
}
