// Access stamps (attribute 7701 of an object of the loaded page) and the
// library's ini values.
#include "kadmi_int.h"
#include "support/paths.h"
#include <cstdio>

namespace {

void PadMark(const char* mark, char out[4])
{
    size_t i = 0;
    for (; i < 4 && mark[i]; ++i)
        out[i] = mark[i];
    for (; i < 4; ++i)
        out[i] = ' ';
}

// Reads object's stamp of mark; false when it has none.
bool FindStamp(long object, const char* mark, AccessEntry* found)
{
    char m[4];
    PadMark(mark, m);
    short count = 0;
    auto* stamps = static_cast<AccessEntry*>(Kadmi_GetAtt(object, kAttStamps, &count, nullptr, 0));
    bool ok = false;
    for (short i = 0; stamps && i < count && !ok; ++i) {
        if (memcmp(stamps[i].mark, m, 4) == 0) {
            *found = stamps[i];
            ok = true;
        }
    }
    Kadmi_ReleaseAtt(stamps);
    return ok;
}

constexpr long long kFileTimeTicksPerSecond = 10000000;

// The local time a stamp records: the clock tests may move ahead, so that a
// later stamp differs without waiting a second.
SYSTEMTIME StampClock()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    long ahead = K().stampClockAhead;
    FILETIME file;
    if (ahead == 0 || !SystemTimeToFileTime(&now, &file))
        return now;
    ULARGE_INTEGER ticks{};
    ticks.LowPart = file.dwLowDateTime;
    ticks.HighPart = file.dwHighDateTime;
    ticks.QuadPart += static_cast<unsigned long long>(ahead * kFileTimeTicksPerSecond);
    file.dwLowDateTime = ticks.LowPart;
    file.dwHighDateTime = ticks.HighPart;
    SYSTEMTIME moved;
    return FileTimeToSystemTime(&file, &moved) ? moved : now;
}

int Compare(long a, long b)
{
    return a < b ? -1 : a > b ? 1 : 0;
}

char* NextIniBuffer()
{
    auto& g = K();
    g.iniIndex = (g.iniIndex + 1) % 4;
    char* buffer = g.iniBuffers[g.iniIndex];
    memset(buffer, 0, sizeof g.iniBuffers[0]);
    return buffer;
}

}  // namespace

short WINAPI Kadmi_MarkAccess(long object, const char* mark)
{
    if (!mark)
        return -8001;
    AccessEntry entry;
    PadMark(mark, entry.mark);
    SYSTEMTIME now = StampClock();
    entry.date = now.wYear * 10000L + now.wMonth * 100L + now.wDay;
    entry.time = now.wHour * 10000L + now.wMinute * 100L + now.wSecond;

    short count = 0;
    auto* stamps = static_cast<AccessEntry*>(Kadmi_GetAtt(object, kAttStamps, &count, nullptr, 0));
    if (!stamps)
        return Kadmi_SetAtt(object, kAttStamps, 1, &entry);
    short rc = 0;
    short i = 0;
    while (i < count && memcmp(stamps[i].mark, entry.mark, 4) != 0)
        ++i;
    if (i < count) {
        stamps[i] = entry;
        rc = Kadmi_SetAtt(object, kAttStamps, count, stamps);
    } else if (auto* grown = static_cast<AccessEntry*>(Mem_Alloc((count + 1) * sizeof(AccessEntry)))) {
        memcpy(grown, stamps, count * sizeof(AccessEntry));
        grown[count] = entry;
        rc = Kadmi_SetAtt(object, kAttStamps, short(count + 1), grown);
        Mem_Free(grown);
    } else {
        rc = -8002;
    }
    Kadmi_ReleaseAtt(stamps);
    return rc;
}

void WINAPI Kadmi_AdvanceStampClock(long seconds)
{
    if (seconds > 0)
        K().stampClockAhead += seconds;
}

short WINAPI Kadmi_CmpAccess(long objectA, const char* markA, long objectB, const char* markB)
{
    if (!markA || !markB)
        return 0;
    AccessEntry a, b;
    bool hasA = FindStamp(objectA, markA, &a);
    bool hasB = FindStamp(objectB, markB, &b);
    if (!hasA && !hasB)
        return 0;
    if (!hasA)
        return -1;
    if (!hasB)
        return 1;
    int byDate = Compare(a.date, b.date);
    return short(byDate != 0 ? byDate : Compare(a.time, b.time));
}

void WINAPI Kadmi_SetupInifile(const char* name, short flag, HINSTANCE module)
{
    auto& g = K();
    g.iniPath[0] = '\0';
    if (!name)
        return;
    if (flag == 0) {
        if (strlen(name) <= MAX_PATH)
            snprintf(g.iniPath, sizeof g.iniPath, "%s", name);
        return;
    }
    std::string folder = Path_ModuleFolder(module);
    if (!folder.empty() && folder.size() + strlen(name) <= MAX_PATH)
        snprintf(g.iniPath, sizeof g.iniPath, "%s%s", folder.c_str(), name);
}

char* WINAPI Kadmi_GetInifilename()
{
    return K().iniPath;
}

char* WINAPI Kadmi_ReadIni(const char* section, const char* key)
{
    char* buffer = NextIniBuffer();
    if (K().iniPath[0] && section && key)
        GetPrivateProfileStringA(section, key, "", buffer, sizeof K().iniBuffers[0], K().iniPath);
    return buffer;
}

float WINAPI Kadmi_ReadIniFloat(const char* section, const char* key)
{
    float value = 0;
    return sscanf(Kadmi_ReadIni(section, key), "%f", &value) == 1 ? value : 0.0f;
}

long WINAPI Kadmi_ReadIniLong(const char* section, const char* key)
{
    long value = 0;
    return sscanf(Kadmi_ReadIni(section, key), "%ld", &value) == 1 ? value : 0;
}

short WINAPI Kadmi_WriteIni(const char* section, const char* key, const char* value)
{
    if (!K().iniPath[0])
        return -1;
    if (section && key)
        WritePrivateProfileStringA(section, key, value, K().iniPath);
    return 0;
}

short WINAPI Kadmi_WriteIniFloat(const char* section, const char* key, float value)
{
    char text[64];
    snprintf(text, sizeof text, "%f", value);
    return Kadmi_WriteIni(section, key, text);
}

short WINAPI Kadmi_WriteIniLong(const char* section, const char* key, long value)
{
    char text[32];
    snprintf(text, sizeof text, "%ld", value);
    return Kadmi_WriteIni(section, key, text);
}
