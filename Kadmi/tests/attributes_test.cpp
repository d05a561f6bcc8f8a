// Attributes through the exports: typed getters and setters on every id
// range, missing-value sentinels, the string ring, access stamps, ini values
// and the example database.
#include "kadmi_fixture.h"
#include <cstring>
#include <string>
#include <vector>

namespace {

TEST_F(Project, TypedSettersAcceptOnlyTheirIdRange)
{
    CreateLoaded();
    struct Row { const char* name; short att; short byteRc, intRc, longRc, floatRc, doubleRc, stringRc; } rows[] = {
        {"byte 0", 0, 0, -6502, -6502, -6502, -6502, -6502},
        {"byte 1049", 1049, 0, -6502, -6502, -6502, -6502, -6502},
        {"untyped 50", 50, -6502, -6502, -6502, -6502, -6502, -6502},
        {"short 1100", 1100, -6502, 0, -6502, -6502, -6502, -6502},
        {"long 2249", 2249, -6502, -6502, 0, -6502, -6502, -6502},
        {"untyped 250", 250, -6502, -6502, -6502, -6502, -6502, -6502},
        {"float 399", 399, -6502, -6502, -6502, 0, -6502, -6502},
        {"double 400", 400, -6502, -6502, -6502, -6502, 0, -6502},
        {"string 599", 599, -6502, -6502, -6502, -6502, -6502, 0},
        {"negative", -101, -6502, -6502, -6502, -6502, -6502, -6502},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(Kadmi_SetByteAtt(0, r.att, 1), r.byteRc) << r.name;
        EXPECT_EQ(Kadmi_SetIntAtt(0, r.att, 1), r.intRc) << r.name;
        EXPECT_EQ(Kadmi_SetLongAtt(0, r.att, 1), r.longRc) << r.name;
        EXPECT_EQ(Kadmi_SetFloatAtt(0, r.att, 1), r.floatRc) << r.name;
        EXPECT_EQ(Kadmi_SetDoubleAtt(0, r.att, 1), r.doubleRc) << r.name;
        EXPECT_EQ(Kadmi_SetStringAtt(0, r.att, "1"), r.stringRc) << r.name;
        // Each getter finds the value only on its own range.
        Kadmi_GetByteAtt(0, r.att);
        EXPECT_EQ(Kadmi_LastAttWasFound(), r.byteRc == 0) << r.name;
        Kadmi_GetIntAtt(0, r.att);
        EXPECT_EQ(Kadmi_LastAttWasFound(), r.intRc == 0) << r.name;
        Kadmi_GetLongAtt(0, r.att);
        EXPECT_EQ(Kadmi_LastAttWasFound(), r.longRc == 0) << r.name;
        Kadmi_GetFloatAtt(0, r.att);
        EXPECT_EQ(Kadmi_LastAttWasFound(), r.floatRc == 0) << r.name;
        Kadmi_GetDoubleAtt(0, r.att);
        EXPECT_EQ(Kadmi_LastAttWasFound(), r.doubleRc == 0) << r.name;
        Kadmi_GetStringAtt(0, r.att);
        EXPECT_EQ(Kadmi_LastAttWasFound(), r.stringRc == 0) << r.name;
    }
    EXPECT_EQ(Kadmi_SetStringAtt(0, 501, nullptr), -6502);
    EXPECT_EQ(Kadmi_SetFloatAtt(0, 150, 1.0f), -6502);
    EXPECT_EQ(Kadmi_GetIntAtt(0, 150), 0) << "nothing was stored under 150";
}

TEST_F(Project, GettersGiveTheValueZeroOrTheSentinel)
{
    CreateLoaded();
    ASSERT_EQ(Kadmi_SetByteAtt(-1, 1, 200), 0);
    ASSERT_EQ(Kadmi_SetIntAtt(-1, 101, -5), 0);
    ASSERT_EQ(Kadmi_SetLongAtt(-1, 201, 123456789), 0);
    ASSERT_EQ(Kadmi_SetFloatAtt(-1, 301, 2.5f), 0);
    ASSERT_EQ(Kadmi_SetDoubleAtt(-1, 401, -1e100), 0);
    EXPECT_EQ(Kadmi_GetByteAtt(-1, 1), 200);
    EXPECT_EQ(Kadmi_GetIntAtt(-1, 101), -5);
    EXPECT_EQ(Kadmi_GetLongAtt(-1, 201), 123456789);
    EXPECT_EQ(Kadmi_GetFloatAtt(-1, 301), 2.5f);
    EXPECT_EQ(Kadmi_GetDoubleAtt(-1, 401), -1e100);
    EXPECT_EQ(Kadmi_GetByteAttZ(-1, 1), 200);
    EXPECT_EQ(Kadmi_LastAttWasFound(), 1);

    EXPECT_EQ(Kadmi_GetByteAttZ(-1, 2), 0x80);
    EXPECT_EQ(Kadmi_GetIntAttZ(-1, 102), -32768);
    EXPECT_EQ(Kadmi_GetLongAttZ(-1, 202), 134217728);
    float f = Kadmi_GetFloatAttZ(-1, 302);
    uint32_t bits;
    memcpy(&bits, &f, sizeof bits);
    EXPECT_EQ(bits, 0xFF7FC99Eu);
    EXPECT_EQ(Kadmi_GetDoubleAttZ(-1, 402), -1.7e308);
    EXPECT_EQ(Kadmi_LastAttWasFound(), 1) << "the Z getters clear the status";

    EXPECT_EQ(Kadmi_GetIntAtt(-1, 350), 0) << "wrong type";
    EXPECT_EQ(Kadmi_LastAttWasFound(), 0);
    EXPECT_EQ(Kadmi_LastAttWasFound(), 1);
    EXPECT_EQ(Kadmi_GetLongAtt(5, 201), 0) << "no part 5";
    EXPECT_EQ(Kadmi_LastAttWasFound(), 0);
    EXPECT_EQ(Kadmi_SetLongAtt(5, 201, 1), -6203);
    EXPECT_EQ(Kadmi_DeleteAtt(-1, 201), 0);
    EXPECT_EQ(Kadmi_DeleteAtt(-1, 201), -6304);
    EXPECT_EQ(Kadmi_GetLongAttZ(-1, 201), 134217728);
}

TEST_F(Project, WithoutALoadedPageGetsFindNothingAndSetsRefuse)
{
    ASSERT_EQ(Kadmi_CreateDatabasefile(file.c_str()), 0);
    EXPECT_EQ(Kadmi_GetAtt(0, 101, nullptr, nullptr, 0), nullptr);
    EXPECT_EQ(Kadmi_LastAttWasFound(), 0);
    EXPECT_EQ(Kadmi_GetStringAtt(0, 501), nullptr);
    EXPECT_EQ(Kadmi_SetAtt(0, 101, 0, nullptr), -6202);
    EXPECT_EQ(Kadmi_DeleteAtt(0, 101), -6302);
    EXPECT_EQ(Kadmi_ReleaseAtt(nullptr), -6402);
    ASSERT_EQ(Kadmi_CloseDatabasefile(0), 0);
    EXPECT_EQ(Kadmi_SetAtt(0, 101, 0, nullptr), -6201);
}

// Coming round, the ring overwrites only what the new string takes: every
// string handed out since the last wrap keeps its text until it is reached.
TEST_F(Project, StringsStayValidUntilTheRingComesRoundToThem)
{
    CreateLoaded();
    std::vector<std::string> values;
    for (char c = 'a'; c < 'f'; ++c) {
        values.emplace_back(1000, c);
        ASSERT_EQ(Kadmi_SetStringAtt(0, short(501 + values.size() - 1), values.back().c_str()), 0);
    }
    // Read until the ring starts again, wherever earlier reads left it.
    const char* last = Kadmi_GetStringAtt(0, 501);
    const char* start;
    while ((start = Kadmi_GetStringAtt(0, 501)) > last)
        last = start;
    std::vector<const char*> got = {start};
    for (int i = 1; i < 11; ++i)   // ten fill the ring; the eleventh starts it again
        got.push_back(Kadmi_GetStringAtt(0, short(501 + i % 5)));
    ASSERT_EQ(got[10], got[0]) << "the eleventh read came round";
    for (int i = 1; i < 11; ++i)
        EXPECT_EQ(got[i], values[i % 5]) << "read " << i;
}

TEST_F(Project, StringsAreTerminatedAndTheRingNeverOverflows)
{
    CreateLoaded();
    std::string long500(500, 'x');
    ASSERT_EQ(Kadmi_SetStringAtt(0, 501, long500.c_str()), 0);
    const char* previous = nullptr;
    bool cameRound = false;
    for (int i = 0; i < 30; ++i) {   // 30 reads of 501 bytes are more than the ring holds
        const char* s = Kadmi_GetStringAtt(0, 501);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(strlen(s), 500u) << "read " << i;
        cameRound = cameRound || (previous && s < previous);
        previous = s;
    }
    EXPECT_TRUE(cameRound) << "the ring goes back to its start instead of running on";
    char small[8];
    memset(small, '#', sizeof small);
    EXPECT_EQ(Kadmi_GetStringNAtt(0, 501, small, 4), small);
    EXPECT_STREQ(small, "xxx");
    EXPECT_EQ(small[4], '#');

    // A structured value comes back whole and moves the ring by its size.
    short lines[4] = {1, 2, 3, 4};
    ASSERT_EQ(Kadmi_SetAtt(1 - 1, 7702, 1, lines), 0);
    char* a = Kadmi_GetStringAtt(0, 7702);
    char* b = Kadmi_GetStringAtt(0, 501);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(memcmp(a, lines, sizeof lines), 0);
    EXPECT_GE(b - a, 9) << "8 bytes and a terminator";
    EXPECT_EQ(memcmp(a, lines, sizeof lines), 0) << "the next read left it alone";

    short count = 0;
    void* own = Kadmi_GetAtt(0, 501, &count, nullptr, 0);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(count, 500);
    EXPECT_EQ(Kadmi_ReleaseAtt(own), 0);
}

TEST_F(Project, GetAttIdReadsAnyStoredPage)
{
    CreateLoaded();
    ASSERT_EQ(Kadmi_SetIntAtt(KadmiObject_Project, 101, 9), 0);
    ASSERT_EQ(Kadmi_SetIntAtt(Kadmi_CreatePart(), 101, 11), 0);
    ASSERT_EQ(Kadmi_SavePage(), 0);
    ASSERT_EQ(Kadmi_CreatePage(), 2);
    ASSERT_EQ(Kadmi_LoadPage(2), 0);
    short v = 0, count = 0;
    EXPECT_NE(Kadmi_GetAttID(1, 1, 101, &count, &v, sizeof v), nullptr);
    EXPECT_EQ(v, 11);
    EXPECT_NE(Kadmi_GetAttID(1, -1, 101, &count, &v, sizeof v), nullptr);
    EXPECT_EQ(v, 9);
    EXPECT_EQ(Kadmi_GetAttID(1, 2, 101, &count, &v, sizeof v), nullptr);
    EXPECT_EQ(Kadmi_LastAttWasFound(), 0);
}

TEST_F(Project, AccessStampsAreMarkedAndCompared)
{
    CreateLoaded();
    EXPECT_EQ(Kadmi_MarkAccess(0, nullptr), -8001);
    EXPECT_EQ(Kadmi_MarkAccess(9, "EDT1"), -6203) << "the store's result";
    EXPECT_EQ(Kadmi_CmpAccess(0, "DIM1", 0, "EDT1"), 0) << "neither stamp";
    ASSERT_EQ(Kadmi_MarkAccess(0, "EDT1"), 0);
    EXPECT_EQ(Kadmi_CmpAccess(0, "DIM1", 0, "EDT1"), -1) << "a missing stamp orders first";
    EXPECT_EQ(Kadmi_CmpAccess(0, "EDT1", 0, "DIM1"), 1);
    ASSERT_EQ(Kadmi_MarkAccess(0, "EDT1"), 0);
    ASSERT_EQ(Kadmi_MarkAccess(0, "DIM1"), 0);
    ASSERT_EQ(Kadmi_MarkAccess(0, "SAV"), 0);
    ASSERT_EQ(Kadmi_MarkAccess(0, "PCHGX"), 0);
    short count = 0;
    AccessEntry stamps[8] = {};
    ASSERT_NE(Kadmi_GetAtt(0, 7701, &count, stamps, sizeof stamps), nullptr);
    ASSERT_EQ(count, 4) << "EDT1 once, then DIM1, SAV and PCHG";
    EXPECT_EQ(std::string(stamps[0].mark, 4), "EDT1");
    EXPECT_EQ(std::string(stamps[1].mark, 4), "DIM1");
    EXPECT_EQ(std::string(stamps[2].mark, 4), "SAV ");
    EXPECT_EQ(std::string(stamps[3].mark, 4), "PCHG");
    EXPECT_GT(stamps[0].date, 20000101);
    EXPECT_EQ(Kadmi_CmpAccess(0, "SAV", 0, "SAV "), 0);
    EXPECT_EQ(Kadmi_CmpAccess(0, nullptr, 0, "EDT1"), 0);

    // Stamps compare date first, then time.
    AccessEntry older = {{'O', 'L', 'D', ' '}, 20200101, 235959};
    AccessEntry newer = {{'N', 'E', 'W', ' '}, 20200102, 0};
    AccessEntry pair[2] = {older, newer};
    ASSERT_EQ(Kadmi_SetAtt(-1, 7701, 2, pair), 0);
    EXPECT_EQ(Kadmi_CmpAccess(-1, "OLD", -1, "NEW"), -1);
    EXPECT_EQ(Kadmi_CmpAccess(-1, "NEW", -1, "OLD"), 1);
}

TEST_F(Project, StampClockMovesAheadWithoutWaiting)
{
    CreateLoaded();
    ASSERT_EQ(Kadmi_MarkAccess(0, "EDT1"), 0);
    Kadmi_AdvanceStampClock(1);
    ASSERT_EQ(Kadmi_MarkAccess(0, "SAV"), 0);
    EXPECT_EQ(Kadmi_CmpAccess(0, "EDT1", 0, "SAV"), -1) << "the later stamp is a second on";
}

TEST_F(Project, IniValuesNeedAnIniFile)
{
    EXPECT_STREQ(Kadmi_ReadIni("MISC", "X"), "");
    EXPECT_EQ(Kadmi_WriteIni("MISC", "X", "1"), -1);
    std::string ini = dir.Path("kadmi.ini");
    Kadmi_SetupInifile(ini.c_str(), 0, nullptr);
    EXPECT_STREQ(Kadmi_GetInifilename(), ini.c_str());
    EXPECT_EQ(Kadmi_WriteIni("MISC", "Text", "value"), 0);
    EXPECT_EQ(Kadmi_WriteIniLong("MISC", "Long", -42), 0);
    EXPECT_EQ(Kadmi_WriteIniFloat("MISC", "Float", 1.5f), 0);
    EXPECT_STREQ(Kadmi_ReadIni("MISC", "Text"), "value");
    EXPECT_EQ(Kadmi_ReadIniLong("MISC", "Long"), -42);
    EXPECT_EQ(Kadmi_ReadIniFloat("MISC", "Float"), 1.5f);
    EXPECT_EQ(Kadmi_ReadIniLong("MISC", "Text"), 0) << "unreadable";
    const char* a = Kadmi_ReadIni("MISC", "Text");
    Kadmi_ReadIni("MISC", "Long");
    Kadmi_ReadIni("MISC", "Long");
    Kadmi_ReadIni("MISC", "Long");
    EXPECT_STREQ(a, "value") << "four rotating buffers";

    CreateLoaded();
    EXPECT_STREQ(Kadmi_ReadIni("MISC", "CurrProjectFile"), file.c_str());
    EXPECT_STRNE(Kadmi_ReadIni("MISC", "TempProjectFile"), "");
    ASSERT_EQ(Kadmi_CloseDatabasefile(0), 0);
    EXPECT_STREQ(Kadmi_ReadIni("MISC", "CurrProjectFile"), "");
}

TEST_F(Project, ExamplePagesAndModelsRoundTrip)
{
    std::string example = dir.Path("example.db");
    CreateLoaded();
    for (int i = 1; i <= 2; ++i)
        ASSERT_EQ(Kadmi_SetIntAtt(Kadmi_CreatePart(), 101, short(10 * i)), 0);
    ASSERT_EQ(Kadmi_SetStringAtt(0, 7505, "Own name"), 0);
    ASSERT_EQ(Kadmi_SavePage(), 0);
    ASSERT_EQ(Kadmi_CreatePage(), 2);

    EXPECT_EQ(Kadmi_DefSave(1, 1, "Example"), -7801) << "example database closed";
    ASSERT_EQ(Kadmi_DefOpenDatabasefile(example.c_str()), 0);
    EXPECT_EQ(Kadmi_DefSave(1, 7, "Example"), -7802);
    ASSERT_EQ(Kadmi_DefSave(3, 1, "Example"), 0);
    EXPECT_EQ(Kadmi_DefNPage(), 1);
    char name[32];
    EXPECT_EQ(Kadmi_DefIthPage(0, name, sizeof name), 3);
    EXPECT_STREQ(name, "Example");
    EXPECT_EQ(Kadmi_DefIthPage(1, name, sizeof name), -7502);

    EXPECT_EQ(Kadmi_DefLoad(2, 9), -7802);
    EXPECT_EQ(Kadmi_NPage(), 2) << "a missing example page deletes nothing";
    ASSERT_EQ(Kadmi_DefLoad(2, 3), 0);
    ASSERT_EQ(Kadmi_LoadPage(2), 0);
    EXPECT_EQ(Kadmi_NPart(), 2);
    EXPECT_EQ(Kadmi_GetIntAtt(2, 101), 20);
    EXPECT_STREQ(Kadmi_GetStringAtt(0, 7505), "Example") << "page 2 had no name of its own";
    ASSERT_EQ(Kadmi_SetStringAtt(0, 7505, "Second"), 0);
    ASSERT_EQ(Kadmi_SavePage(), 0);
    ASSERT_EQ(Kadmi_DefLoad(2, 3), 0);
    EXPECT_EQ(Kadmi_GetCurrentPage(), 2) << "the loaded page is loaded again";
    EXPECT_STREQ(Kadmi_GetStringAtt(0, 7505), "Second") << "its own name is kept";

    // Models.
    EXPECT_EQ(Kadmi_DefSetDoubleAtt(4, 2, 401, 3.25), 0);
    EXPECT_EQ(Kadmi_DefSetStringAtt(4, 2, 501, "model"), 0);
    EXPECT_EQ(Kadmi_DefSetIntAtt(4, 5, 101, 1), 0);
    EXPECT_EQ(Kadmi_DefSetFloatAtt(4, 5, 101, 1), -6502);
    EXPECT_EQ(Kadmi_DefGetDoubleAtt(4, 2, 401), 3.25);
    EXPECT_STREQ(Kadmi_DefGetStringAtt(4, 2, 501), "model");
    EXPECT_EQ(Kadmi_DefLastAttWasFound(), 1);
    EXPECT_EQ(Kadmi_DefGetIntAtt(4, 3, 101), 0);
    EXPECT_EQ(Kadmi_DefLastAttWasFound(), 0);
    EXPECT_EQ(Kadmi_DefNModelIndex(4), 2);
    EXPECT_EQ(Kadmi_DefIthModelIndex(4, 1), 5);
    EXPECT_EQ(Kadmi_DefDeleteModel(4, 3), 1);
    EXPECT_EQ(Kadmi_DefDeleteModel(4, 5), 0);
    ASSERT_EQ(Kadmi_DefCloseDatabasefile(), 0);

    ASSERT_EQ(Kadmi_DefOpenDatabasefile(example.c_str()), 0);
    EXPECT_EQ(Kadmi_DefNModelIndex(4), 1) << "committed at close";
    char text[4];
    memset(text, '#', sizeof text);
    EXPECT_EQ(Kadmi_DefGetStringNAtt(4, 2, 501, text, 3), text);
    EXPECT_STREQ(text, "mo");
    EXPECT_EQ(Kadmi_DefDelete(3), 0);
    EXPECT_EQ(Kadmi_DefNPage(), 0);
}

}  // namespace
