// The library's version text, from the version block of its own file.
#include "kadmi_int.h"
#include "support/modversion.h"
#include <cstdio>

char* WINAPI Kadmi_Version()
{
    auto& g = K();
    VS_FIXEDFILEINFO info;
    if (!Module_FixedVersion(g.instance, &info))
        return nullptr;
    snprintf(g.version, sizeof g.version, "%u.%u.%u.%u", unsigned(HIWORD(info.dwProductVersionMS)),
             unsigned(LOWORD(info.dwProductVersionMS)), unsigned(HIWORD(info.dwProductVersionLS)),
             unsigned(LOWORD(info.dwProductVersionLS)));
    return g.version;
}
