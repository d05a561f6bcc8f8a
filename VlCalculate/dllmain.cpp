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
    return Calc_Attach() ? TRUE : FALSE;
}
