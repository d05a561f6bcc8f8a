// Attach and detach of VlCalculate.dll: the engine copies the technical
// database handles once and refuses to load without the technical data.
#include <windows.h>
#include "VlCalculate/calc_internal.h"
#include "support/app.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH) {
        return TRUE;
    }
    App_Init(instance);
    Calc().db = Deps_TechHandles();
    return Calc().db.techData >= 0 ? TRUE : FALSE;
}
