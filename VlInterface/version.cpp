// The module's version text, read from its own version block on each request.
// The extended edition writes it without leading zeros and can follow it with
// the version of the technical data that it calculates with.
#include "VlInterface/shell.h"
#include "VlTechDatabase/vltechdb.h"
#include "support/app.h"
#include "support/modversion.h"
#include <cstdio>

namespace {

constexpr short kAttDataVersion = 1605;

// The technical data's version text; null when it has none.
const char* DataVersion()
{
    const char* text = TechDb_GetStringAtt(Shell().techDb, "GE", "GENERAL", kAttDataVersion);
    return text && *text ? text : nullptr;
}

}  // namespace

std::string Version_Format(unsigned major, unsigned minor, unsigned build, bool extended, const char* dataVersion)
{
    char text[300];
    if (!extended)
        std::snprintf(text, sizeof(text), "%u.%2.2u.%u", major, minor, build);
    else if (build == 0)
        std::snprintf(text, sizeof(text), "%u.%u", major, minor);
    else
        std::snprintf(text, sizeof(text), "%u.%u.%u", major, minor, build);
    std::string version = text;
    if (extended && dataVersion)
        version.append(" / ").append(dataVersion);
    return version;
}

const char* App_GetVersionString(int withDataVersion)
{
    static char text[300];
    VS_FIXEDFILEINFO fixed;
    if (!Module_FixedVersion(App().instance, &fixed))
        return nullptr;
#ifdef VL_EXTENDED
    constexpr bool kExtended = true;
#else
    constexpr bool kExtended = false;
#endif
    const std::string version =
        Version_Format(HIWORD(fixed.dwProductVersionMS), LOWORD(fixed.dwProductVersionMS),
                       HIWORD(fixed.dwProductVersionLS), kExtended, withDataVersion ? DataVersion() : nullptr);
    std::snprintf(text, sizeof(text), "%s", version.c_str());
    return text[0] ? text : nullptr;
}
