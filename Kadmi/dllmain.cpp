// Load and unload of WSKADMI.dll: opens the schema KADMI.DDQ beside the
// library (the load is refused without it) and, at unload, closes the
// project without saving and commits the example database.
#include "kadmi_int.h"
#include "support/app.h"
#include "support/paths.h"
#include <cstdio>

KadmiGlobals& K()
{
    static KadmiGlobals g;
    return g;
}

namespace {

// Formats a load message into the library's diagnostic buffer.
template <typename... Args> void Diagnose(const char* format, Args... args)
{
    snprintf(K().diagnostic, sizeof K().diagnostic, format, args...);
}

bool Load(HINSTANCE instance)
{
    auto& g = K();
    App_Init(instance);
    g.instance = instance;
    Diagnose("DllMain(Kadmi)\n");
    std::string own = Path_ModuleFile(instance);
    if (own.empty()) {
        Diagnose("FATAL #%ld: Cannot find DLL name, hinstance=%d\n", 1L, int(reinterpret_cast<INT_PTR>(instance)));
        return false;
    }
    Diagnose("LibMain/Kadmi: DLL filename = %s\n", own.c_str());
    std::string folder = Path_ModuleFolder(instance);
    if (folder.empty()) {
        Diagnose("FATAL #%ld: Cannot find '\\' in %s\n", 2L, own.c_str());
        return false;
    }
    std::string schema = folder + "KADMI.DDQ";
    Diagnose("DDQ filename = %s\n", schema.c_str());
    g.schema = ddq_opendatabase(schema.c_str(), 1);
    if (g.schema < 0) {
        Diagnose("FATAL #%ld: Cannot ddq_opendatabase(%s)\n", 3L, schema.c_str());
        return false;
    }
    TempFile_RemoveOrphans("prj");   // working copies of processes that were killed
    return true;
}

void Unload()
{
    auto& g = K();
    if (g.db >= 0)
        Kadmi_CloseDatabasefile(0);
    if (g.exDb >= 0)
        Kadmi_DefCloseDatabasefile();
    ddq_closedatabase(g.schema);
    g.schema = -1;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        return Load(instance) ? TRUE : FALSE;
    if (reason == DLL_PROCESS_DETACH)
        Unload();
    return TRUE;
}
