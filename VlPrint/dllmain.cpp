// Attach and detach of VlPrint.dll: the support library's module record, the
// technical database handles (no technical database: the library refuses to
// load), and the close at detach.
#include <windows.h>
#include "VlPrint/vlprint.h"
#include "VlPrint/print_internal.h"
#include "VlTechDatabase/vltechdb.h"
#include "support/app.h"
#include "support/lookups.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        App_Init(instance);
        PrintGlobals& g = Prn();
        g.instance = instance;
        g.techDb = VlDataTechDb_Handle();
        g.otherInsulationDb = VlOtherInsulationDataTechDb_Handle();
        if (g.techDb < 0)
            return FALSE;
        Lookup_SetHandles(g.techDb, g.otherInsulationDb, g.textHandle);
    } else if (reason == DLL_PROCESS_DETACH) {
        VlPrint_CloseDLL();
    }
    return TRUE;
}
