// VlTechDb's files and handles: the sentinels of the editable databases with
// their files present, absent and damaged, nested opens, commits on the last
// close, TechDb_Init and TechDb_Close, and refused writes.
#include <gtest/gtest.h>

#include <cstring>

#include "VlTechDatabase/tests/techlib.h"

namespace {

const std::vector<std::string> kEditableOnly = {"VlDataTech.DB", "VlDataInsulation.db", "VlDataWeather.db"};

// Exercises one editable database through its own Open/Close pair.
struct EditablePair {
    const char* name;
    const char* file;
    short sentinel;
    TechDbHandle (__stdcall* TechLib::*handle)();
    TechDbHandle (__stdcall* TechLib::*open)(int);
    TechDbHandle (__stdcall* TechLib::*close)(int);
};

const EditablePair kPairs[] = {
    {"other insulation", "VlDataInsulation.db", 100, &TechLib::OtherHandle, &TechLib::OtherOpen, &TechLib::OtherClose},
    {"weather", "VlDataWeather.db", 200, &TechLib::WeatherHandle, &TechLib::WeatherOpen, &TechLib::WeatherClose},
};

TEST(TechDbHandles, ExportsCarryTheirDecoratedNamesAtTheirOrdinals)
{
    TechFolder folder(kEditableOnly);
    HMODULE m = LoadLibraryExA((folder.path() + "VlTechDb.dll").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    ASSERT_NE(m, nullptr);
    struct { const char* name; WORD ordinal; } rows[] = {
        {"_Z11TechDb_Initv", 27}, {"_Z12TechDb_Closev", 13}, {"_Z19VlDataTechDb_Handlev", 1},
        {"_Z18TechAPI_MatchPcodePKcS0_", 8}, {"_Z13TechDb_SetAttsPKcS0_ssPv", 30},
        {"_Z20TechRec_GetStringAttsPcs", 40}, {"_Z26TechDbOtherInsulation_Openi", 10},
    };
    for (const auto& r : rows)
        EXPECT_EQ(GetProcAddress(m, r.name), GetProcAddress(m, MAKEINTRESOURCEA(r.ordinal))) << r.name;
    FreeLibrary(m);
}

TEST(TechDbHandles, SentinelLifeCycleWithTheFilesPresent)
{
    TechFolder folder(AllDatabaseFiles());
    LoadedTechLib lib(folder);
    ASSERT_TRUE(lib.ok());
    EXPECT_GE(lib->DataHandle(), 0);
    EXPECT_GE(lib->EurHandle(), 0);
    EXPECT_GE(lib->SekHandle(), 0);
    EXPECT_GE(lib->PlnHandle(), 0);
    for (const EditablePair& p : kPairs) {
        SCOPED_TRACE(p.name);
        EXPECT_EQ(((*lib).*p.handle)(), p.sentinel);
        short h = ((*lib).*p.open)(1);
        EXPECT_GE(h, 0);
        EXPECT_NE(h, 100);
        EXPECT_NE(h, 200);
        EXPECT_EQ(((*lib).*p.handle)(), h);
        EXPECT_EQ(((*lib).*p.open)(0), h) << "a nested open returns the open handle";
        EXPECT_EQ(((*lib).*p.close)(0), h) << "an inner close leaves the database open";
        EXPECT_EQ(((*lib).*p.handle)(), h);
        EXPECT_EQ(((*lib).*p.close)(1), p.sentinel);
        EXPECT_EQ(((*lib).*p.handle)(), p.sentinel);
        EXPECT_EQ(((*lib).*p.close)(1), p.sentinel) << "a close too many changes nothing";
    }
}

TEST(TechDbHandles, MissingEditableAndPriceFilesGiveMinusOne)
{
    TechFolder folder({"VlDataTech.DB"});
    LoadedTechLib lib(folder);
    ASSERT_TRUE(lib.ok());
    EXPECT_GE(lib->DataHandle(), 0);
    EXPECT_EQ(lib->EurHandle(), -1);
    EXPECT_EQ(lib->SekHandle(), -1);
    EXPECT_EQ(lib->PlnHandle(), -1);
    for (const EditablePair& p : kPairs) {
        SCOPED_TRACE(p.name);
        EXPECT_EQ(((*lib).*p.handle)(), -1);
        EXPECT_EQ(((*lib).*p.open)(0), -1);
        EXPECT_EQ(((*lib).*p.open)(1), -1);
        EXPECT_EQ(((*lib).*p.close)(0), -1);
    }
    char name[] = "x";
    EXPECT_EQ(lib->SetAtt(100, "UI", "1", 1600, 1, name), -1);
    EXPECT_EQ(lib->GetStringAtt(200, "WD", "1", 1601), nullptr);
}

TEST(TechDbHandles, MissingOrDamagedTechnicalDataFailsInitAndLeavesItsHandleNegative)
{
    for (bool damaged : {false, true}) {
        SCOPED_TRACE(damaged ? "damaged" : "missing");
        TechFolder folder({"VlDataInsulation.db"});
        if (damaged)
            folder.Write("VlDataTech.DB", "not a database at all");
        LoadedTechLib lib(folder);
        ASSERT_TRUE(lib.ok()) << "the load goes on";
        EXPECT_LT(lib->DataHandle(), 0);
        EXPECT_EQ(lib->Init(), -2);
        EXPECT_LT(lib->DataHandle(), 0);
    }
}

// In a folder of 245 characters the technical data ("VlDataTech.DB") and the
// euro prices still fit in 259 characters; the editable databases
// ("VlDataInsulation.db", "VlDataWeather.db") would not, and count as missing
// although their files are there.
TEST(TechDbHandles, APathTooLongForItsBufferCountsAsAMissingFile)
{
    TechFolder folder(AllDatabaseFiles(), 245);
    ASSERT_EQ(folder.path().size(), 245u);
    LoadedTechLib lib(folder);
    ASSERT_TRUE(lib.ok());
    EXPECT_GE(lib->DataHandle(), 0);
    EXPECT_GE(lib->EurHandle(), 0);
    for (const EditablePair& p : kPairs) {
        SCOPED_TRACE(p.name);
        ASSERT_TRUE(folder.Has(p.file));
        EXPECT_EQ(((*lib).*p.handle)(), -1);
        EXPECT_EQ(((*lib).*p.open)(1), -1);
    }
}

TEST(TechDbHandles, FailedOpenLeavesTheSentinel)
{
    TechFolder folder({"VlDataTech.DB"});
    folder.Write("VlDataInsulation.db", "damaged");
    folder.Write("VlDataWeather.db", "");
    LoadedTechLib lib(folder);
    ASSERT_TRUE(lib.ok());
    for (const EditablePair& p : kPairs) {
        SCOPED_TRACE(p.name);
        EXPECT_EQ(((*lib).*p.handle)(), p.sentinel);
        EXPECT_EQ(((*lib).*p.open)(1), -1);
        EXPECT_EQ(((*lib).*p.handle)(), p.sentinel) << "libraries that copied the sentinel keep working";
        EXPECT_EQ(((*lib).*p.open)(0), -1);
        EXPECT_EQ(((*lib).*p.handle)(), p.sentinel);
    }
}

TEST(TechDbHandles, LastCloseCommitsWhateverFlagItIsGiven)
{
    TechFolder folder(kEditableOnly);
    {
        LoadedTechLib lib(folder);
        short h = lib->WeatherOpen(1);
        ASSERT_GE(h, 0);
        EXPECT_EQ(lib->WeatherOpen(0), h);
        EXPECT_EQ(lib->SetFloatAtt(h, "WD", "900", 1311, 1, 12.5f), 0);
        lib->WeatherClose(0);
        EXPECT_EQ(lib->WeatherClose(0), 200);
    }
    LoadedTechLib again(folder);
    EXPECT_EQ(again->GetFloatAtt(200, "WD", "900", 1311), 12.5f);
}

TEST(TechDbHandles, InitCommitsOpenEditableDatabasesAndCloseClosesOnlyTheReadOnlyOnes)
{
    TechFolder folder(kEditableOnly);
    LoadedTechLib lib(folder);
    short h = lib->OtherOpen(1);
    ASSERT_GE(h, 0);
    EXPECT_EQ(lib->SetIntAtt(h, "UI", "77", 1101, 1, 5), 0);
    EXPECT_EQ(lib->Init(), 0);
    EXPECT_EQ(lib->OtherHandle(), 100);
    EXPECT_EQ(lib->GetIntAtt(100, "UI", "77", 1101), 5) << "Init committed the open write";

    h = lib->WeatherOpen(1);
    ASSERT_GE(h, 0);
    EXPECT_EQ(lib->SetIntAtt(h, "WD", "901", 1101, 1, 6), 0);
    short data = lib->DataHandle();
    ASSERT_GE(data, 0);
    EXPECT_EQ(lib->Close(), 0);
    EXPECT_EQ(lib->DataHandle(), -1) << "the technical data are closed";
    EXPECT_EQ(lib->GetStringAtt(data, "GE", "GENERAL", 1605), nullptr);
    EXPECT_EQ(lib->WeatherHandle(), h) << "the editor's database stays open";
    EXPECT_EQ(lib->WeatherClose(1), 200);
    EXPECT_EQ(lib->GetIntAtt(200, "WD", "901", 1101), 6) << "its own close committed the write";
    lib->CloseDLL();
    EXPECT_EQ(lib->DataHandle(), -1);
}

TEST(TechDbHandles, InitTwiceReopensTheTechnicalDataAndPriceLists)
{
    TechFolder folder(AllDatabaseFiles());
    LoadedTechLib lib(folder);
    EXPECT_EQ(lib->Init(), 0);
    EXPECT_EQ(lib->Init(), 0);
    EXPECT_GE(lib->DataHandle(), 0);
    EXPECT_GE(lib->EurHandle(), 0);
    EXPECT_NE(lib->GetStringAtt(lib->DataHandle(), "GE", "GENERAL", 1605), nullptr);
    EXPECT_NE(lib->GetAtt(lib->PlnHandle(), "PR", "MWS-50", 1301, nullptr, nullptr, 0), nullptr);
}

TEST(TechDbWrites, RefusedWithMinusOneWhereNothingCanBeWritten)
{
    TechFolder folder(AllDatabaseFiles());
    LoadedTechLib lib(folder);
    float v = 1.0f;
    const char* longKey = "K234567890123456789012345678901234567890";
    struct { const char* name; short h; const char* key; } rows[] = {
        {"technical data", lib->DataHandle(), "X"},
        {"euro prices", lib->EurHandle(), "X"},
        {"crown prices", lib->SekHandle(), "X"},
        {"zloty prices", lib->PlnHandle(), "X"},
        {"negative handle", -1, "X"},
        {"key of 40 characters", 100, longKey},
        {"empty key", 100, ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(lib->SetAtt(r.h, "UI", r.key, 1311, 1, &v), -1);
        EXPECT_EQ(lib->SetIntAtt(r.h, "UI", r.key, 1101, 1, 1), -1);
        EXPECT_EQ(lib->SetFloatAtt(r.h, "UI", r.key, 1311, 1, 1.0f), -1);
        EXPECT_EQ(lib->DeleteAtt(r.h, "UI", r.key, 1311), -1);
        EXPECT_EQ(lib->DeleteRec(r.h, "UI", r.key), -1);
    }
    EXPECT_EQ(lib->OtherHandle(), 100);

    short h = lib->OtherOpen(0);
    ASSERT_GE(h, 0);
    EXPECT_EQ(lib->SetFloatAtt(h, "UI", "5", 1311, 1, 1.0f), -1) << "open for reading only";
    lib->OtherClose(0);
}

TEST(TechDbWrites, SentinelWritesCreateCommitAndKeepTheSentinel)
{
    TechFolder folder(kEditableOnly);
    LoadedTechLib lib(folder);
    char name[99] = "Own mat";
    EXPECT_EQ(lib->SetAtt(100, "UI", "42", 1600, 1, name), 0);
    EXPECT_EQ(lib->OtherHandle(), 100);
    EXPECT_STREQ(lib->GetStringAtt(100, "UI", "42", 1600), "Own mat");

    EXPECT_EQ(lib->SetIntAtt(100, "UI", "42", 1101, 5, 9), 0);
    short count = 0;
    short value = 0;
    EXPECT_NE(lib->GetAtt(100, "UI", "42", 1101, &count, &value, sizeof value), nullptr);
    EXPECT_EQ(count, 1) << "a typed setter stores exactly one value";
    EXPECT_EQ(value, 9);

    EXPECT_EQ(lib->DeleteAtt(100, "UI", "42", 1101), 0);
    EXPECT_EQ(lib->GetIntAtt(100, "UI", "42", 1101), 0);
    EXPECT_EQ(lib->DeleteRec(100, "UI", "42"), 0);
    EXPECT_EQ(lib->GetStringAtt(100, "UI", "42", 1600), nullptr);
    EXPECT_EQ(lib->DeleteRec(100, "UI", "42"), -1) << "nothing left to delete";

    EXPECT_EQ(lib->DeleteRec(200, "WD", "1"), 0);
    EXPECT_EQ(lib->WeatherHandle(), 200);
    EXPECT_EQ(lib->FindEqual(200, "WD", "1"), nullptr);
}

TEST(TechDbWrites, SentinelOperationsWorkWhileAnEditorHoldsTheDatabaseOpen)
{
    TechFolder folder(kEditableOnly);
    LoadedTechLib lib(folder);
    short h = lib->WeatherOpen(1);
    ASSERT_GE(h, 0);
    EXPECT_EQ(lib->SetFloatAtt(200, "WD", "1", 1312, 1, 7.0f), 0);
    EXPECT_EQ(lib->GetFloatAtt(200, "WD", "1", 1312), 7.0f);
    EXPECT_EQ(lib->WeatherHandle(), h) << "the editor's open stays";
    EXPECT_EQ(lib->WeatherClose(1), 200);
}

}  // namespace
