// The module's version text, read from its own version block on each request.
#include "VlInterface/shell.h"
#include "support/app.h"
#include "support/modversion.h"
#include <cstdio>

const char* App_GetVersionString()
{
    static char text[32];
    VS_FIXEDFILEINFO fixed;
    if (!Module_FixedVersion(App().instance, &fixed))
        return nullptr;
    std::snprintf(text, sizeof(text), "%u.%2.2u.%u", HIWORD(fixed.dwProductVersionMS),
                  LOWORD(fixed.dwProductVersionMS), HIWORD(fixed.dwProductVersionLS));
    return text;
}
