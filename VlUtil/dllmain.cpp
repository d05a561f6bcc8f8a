// Attach and detach of VlUtil.dll: the library needs the technical data and
// refuses to load without it.
#include "VlUtil/vlutil.h"
#include "VlUtil/vlutil_internal.h"
#include "VlTechDatabase/vltechdb.h"
#include "support/app.h"
#include "support/lookups.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    VlUtilGlobals& g = VlUtil();
    if (reason == DLL_PROCESS_ATTACH) {
        App_Init(instance);
        g.techDb = VlDataTechDb_Handle();
        if (g.techDb < 0)
            return FALSE;
        g.otherInsulationDb = VlOtherInsulationDataTechDb_Handle();
        Lookup_SetHandles(g.techDb, g.otherInsulationDb, g.textHandle);
    } else if (reason == DLL_PROCESS_DETACH) {
        VlUtil_CloseDLL();
    }
    return TRUE;
}
