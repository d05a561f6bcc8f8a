// Times the project database library on a large project: 998 systems, each
// with 3 parts and 60 attributes, and an attribute of every page that is not
// the loaded one read by page number. Prints the time of each step and the
// file size; it checks nothing. Run under Wine with build/bin on the module path.
#include <windows.h>
#include <cstdio>
#include <string>
#include "Kadmi/kadmi.h"

namespace {

constexpr short kSystems = 998;
constexpr int kParts = 3;
constexpr int kAttributesPerRecord = 15;   // page record and 3 parts: 60 a system

double Now()
{
    static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / double(frequency.QuadPart);
}

// Fifteen attributes of mixed types on one object.
void Fill(long object, int seed)
{
    for (int i = 0; i < 3; ++i) {
        Kadmi_SetIntAtt(object, short(101 + i), short(seed + i));
        Kadmi_SetLongAtt(object, short(201 + i), seed * 10L + i);
        Kadmi_SetFloatAtt(object, short(301 + i), float(seed) / 7.0f + float(i));
        Kadmi_SetDoubleAtt(object, short(401 + i), seed / 3.0 + i);
    }
    char text[48];
    for (int i = 0; i < 3; ++i) {
        snprintf(text, sizeof text, "System %d, text attribute %d", seed, i);
        Kadmi_SetStringAtt(object, short(501 + i), text);
    }
}

void Report(const char* step, double seconds)
{
    printf("%-28s %10.3f s\n", step, seconds);
}

// A text attribute of every page but the loaded first one, read by page
// number as the system list reads the names.
void TimeOtherPagesReads()
{
    Kadmi_LoadPage(Kadmi_IthPage(0));
    const double t = Now();
    long found = 0;
    for (short i = 1; i < kSystems; ++i) {
        char text[48] = {};
        found += Kadmi_GetAttID(Kadmi_IthPage(i), 0, 501, nullptr, text, sizeof text - 1) != nullptr;
    }
    const double seconds = Now() - t;
    Report("GetAttID of other pages", seconds);
    printf("%-28s %10.3f ms (%ld of %d found)\n", "  per page", seconds * 1e3 / (kSystems - 1), found,
           kSystems - 1);
}

}  // namespace

int main()
{
    char temp[MAX_PATH + 1];
    GetTempPathA(sizeof temp, temp);
    std::string file = std::string(temp) + "kadmi_bench.wdf";
    DeleteFileA(file.c_str());

    double t = Now();
    if (Kadmi_CreateDatabasefile(file.c_str()) != 0) {
        printf("cannot create %s\n", file.c_str());
        return 1;
    }
    for (short page = 2; page <= kSystems; ++page)
        Kadmi_CreatePage();
    Report("create (998 systems)", Now() - t);

    double saving = 0, filling = 0;
    for (short page = 1; page <= kSystems; ++page) {
        double f = Now();
        Kadmi_LoadPage(page);
        Fill(KadmiObject_Page, page);
        for (int p = 0; p < kParts; ++p)
            Fill(Kadmi_CreatePart(), page * 10 + p);
        double s = Now();
        filling += s - f;
        Kadmi_SavePage();
        saving += Now() - s;
    }
    Report("fill pages in memory", filling);
    Report("SavePage of all", saving);

    t = Now();
    Kadmi_SaveDatabasefile();
    Report("Save", Now() - t);
    t = Now();
    Kadmi_CloseDatabasefile(0);
    Report("Close", Now() - t);
    t = Now();
    Kadmi_OpenDatabasefile(file.c_str());
    Report("Open", Now() - t);
    t = Now();
    long parts = 0;
    for (short page = 1; page <= kSystems; ++page) {
        Kadmi_LoadPage(page);
        parts += Kadmi_NPart();
    }
    Report("LoadPage of all", Now() - t);
    TimeOtherPagesReads();
    Kadmi_CloseDatabasefile(0);

    WIN32_FILE_ATTRIBUTE_DATA info = {};
    GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &info);
    printf("%-28s %10lu bytes (%ld parts)\n", "file size", info.nFileSizeLow, parts);
    DeleteFileA(file.c_str());
    return 0;
}
