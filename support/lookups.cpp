// Input limits of the technical data (record class "DC") and the range test
// with its warning; the handles the lookups share.
#include "support/lookups.h"
#include "support/lookups_state.h"
#include "support/dlgutil.h"
#include "VlTechDatabase/vltechdb.h"
#include "outside/Lexmo100/lexmo.h"
#include <cstdio>

namespace {

constexpr long LimitCaptionTextId = 9434;
constexpr short AttMinimum = 1301;
constexpr short AttMaximum = 1302;
constexpr short AttDefault = 1303;

}  // namespace

LookupGlobals& Lookups()
{
    static LookupGlobals globals;
    return globals;
}

const char* Lookup_Text(long textId)
{
    return TextAPI_GetText(Lookups().textHandle, static_cast<TextId>(textId));
}

void Lookup_SetHandles(short techDb, short otherInsulationDb, short textHandle)
{
    LookupGlobals& g = Lookups();
    g.techDb = techDb;
    g.otherInsulationDb = otherInsulationDb;
    g.textHandle = textHandle;
}

void Lookup_SetNameAttribute(short attribute)
{
    Lookups().nameAttribute = attribute;
}

int InputLimits_Get(const char* key, float* minimum, float* maximum)
{
    if (!key)
        return -1;
    // A key without a record reads 0 .. 0: only 0 passes, so a forgotten
    // record shows at once instead of letting any value through.
    if (minimum)
        *minimum = TechDb_GetFloatAtt(Lookups().techDb, "DC", key, AttMinimum);
    if (maximum)
        *maximum = TechDb_GetFloatAtt(Lookups().techDb, "DC", key, AttMaximum);
    return 0;
}

int InputLimits_GetDefault(const char* key, float* value)
{
    if (!key)
        return -1;
    if (value)
        *value = TechDb_GetFloatAtt(Lookups().techDb, "DC", key, AttDefault);
    return 0;
}

int InputLimits_Check(HWND owner, float value, const char* key, short warn)
{
    float minimum = 0;
    float maximum = 0;
    if (InputLimits_Get(key, &minimum, &maximum) != 0 || (minimum <= value && value <= maximum))
        return 0;
    if (warn) {
        char range[128];
        snprintf(range, sizeof range, "%f ... %f", minimum, maximum);
        Wnd_MessageBox(owner, range, Lookup_Text(LimitCaptionTextId), MB_OK | MB_ICONEXCLAMATION);
    }
    return -1;
}
