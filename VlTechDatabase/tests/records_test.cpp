// VlTechDb's record operations: class walks, blank-padded keys, the string and
// key rings, reads on negative handles, and product-code matching.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "VlTechDatabase/tests/techlib.h"

namespace {

class TechDbRecords : public ::testing::Test {
protected:
    TechDbRecords() : folder_(AllDatabaseFiles()), lib_(folder_) {}
    const TechLib& lib() { return *lib_; }

    // Walks a class as the callers do; stops after limit steps.
    std::vector<std::string> Walk(short h, const char* cls, size_t limit = 5000)
    {
        std::vector<std::string> keys;
        TechRecord* rec = lib().FindFirst(h, cls);
        while (rec && keys.size() < limit) {
            std::string key = lib().RecGetID(h, rec);
            keys.push_back(key);
            lib().ReleaseRec(rec);
            rec = lib().FindNext(h, cls, key.c_str());
        }
        lib().ReleaseRec(rec);
        return keys;
    }

    TechFolder folder_;
    LoadedTechLib lib_;
};

TEST_F(TechDbRecords, ClassWalksReturnEveryRecordOnceAndStopAtTheEndOfTheClass)
{
    struct { const char* name; short h; const char* cls; size_t atLeast; } rows[] = {
        {"surface materials", lib().DataHandle(), "CM", 8},
        {"limits", lib().DataHandle(), "DC", 39},
        {"pipe sections", lib().DataHandle(), "IP", 300},
        {"weather by sentinel", 200, "WD", 30},
        {"user types by sentinel", 100, "UI", 3},
        {"prices", lib().SekHandle(), "PR", 400},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        std::vector<std::string> keys = Walk(r.h, r.cls);
        std::set<std::string> unique(keys.begin(), keys.end());
        EXPECT_EQ(unique.size(), keys.size()) << "a record came twice";
        EXPECT_GE(keys.size(), r.atLeast);
        EXPECT_LT(keys.size(), 5000u) << "the walk did not stop";
    }
    EXPECT_TRUE(Walk(lib().DataHandle(), "ZZ").empty());
    EXPECT_EQ(lib().WeatherHandle(), 200);
    EXPECT_EQ(lib().OtherHandle(), 100);
}

TEST_F(TechDbRecords, FindOperationsOnKeys)
{
    short h = lib().DataHandle();
    TechRecord* r = lib().FindEqual(h, "CM", "STAINLESS   ");
    ASSERT_NE(r, nullptr) << "a blank-padded key is found";
    EXPECT_STREQ(lib().RecGetID(h, r), "STAINLESS");
    EXPECT_FLOAT_EQ(lib().RecGetFloatAtt(h, r, 1310), 0.15f);
    EXPECT_EQ(lib().RecGetLongAtt(h, r, 1201), lib().GetLongAtt(h, "CM", "STAINLESS", 1201));
    EXPECT_EQ(lib().ReleaseRec(r), nullptr);

    EXPECT_EQ(lib().FindEqual(h, "CM", "STAINLES"), nullptr);
    r = lib().FindEqualOrNext(h, "CM", "STAINLES");
    ASSERT_NE(r, nullptr);
    EXPECT_STREQ(lib().RecGetID(h, r), "STAINLESS");
    lib().ReleaseRec(r);
    r = lib().FindNext(h, "CM", "STAINLES");
    ASSERT_NE(r, nullptr) << "after a key that is not stored comes the next stored one";
    EXPECT_STREQ(lib().RecGetID(h, r), "STAINLESS");
    lib().ReleaseRec(r);

    r = lib().FindEqual(200, "WD", "1    ");
    ASSERT_NE(r, nullptr) << "FindEqual opens a sentinel too";
    EXPECT_STREQ(lib().RecGetID(200, r), "1");
    EXPECT_GT(lib().RecGetFloatAtt(200, r, 1312), 0.0f) << "a fetched record outlives the close";
    lib().ReleaseRec(r);
    EXPECT_EQ(lib().WeatherHandle(), 200);
}

TEST_F(TechDbRecords, ReadsByKeyAndOnNegativeHandles)
{
    short h = lib().DataHandle();
    EXPECT_FLOAT_EQ(lib().GetFloatAtt(h, "DC", "HLOSSEMISSIVITY", 1302), 1.0f);
    EXPECT_EQ(lib().GetFloatAtt(h, "DC", "NO-SUCH-KEY", 1302), 0.0f);
    EXPECT_EQ(lib().GetFloatAtt(-1, "DC", "HLOSSEMISSIVITY", 1302), 0.0f);
    EXPECT_EQ(lib().GetDoubleAtt(-1, "DC", "HLOSSEMISSIVITY", 1302), 0.0);
    EXPECT_EQ(lib().GetByteAtt(-1, "DC", "HLOSSEMISSIVITY", 1302), 0);
    EXPECT_EQ(lib().GetStringAtt(-1, "GE", "GENERAL", 1605), nullptr);
    EXPECT_EQ(lib().GetAtt(h, "GE", nullptr, 1605, nullptr, nullptr, 0), nullptr);
    EXPECT_EQ(lib().FindFirst(-1, "CM"), nullptr);
    EXPECT_EQ(lib().RecGetID(h, nullptr), nullptr);

    short count = 0;
    void* types = lib().GetAtt(h, "IP", "ALLTYPES", 1600, &count, nullptr, 0);
    ASSERT_NE(types, nullptr);
    EXPECT_GE(count, 3) << "type keys in 99-byte elements";
    EXPECT_EQ(lib().ReleaseAtt(types), nullptr);
}

TEST_F(TechDbRecords, StringRingReusesTheFirstSlotOnTheEleventhRead)
{
    short h = lib().DataHandle();
    char* first = lib().GetStringAtt(h, "GE", "GENERAL", 1605);
    ASSERT_NE(first, nullptr);
    std::set<char*> seen{first};
    for (int i = 2; i <= 10; ++i)
        seen.insert(lib().GetStringAtt(h, "GE", "GENERAL", 1605));
    EXPECT_EQ(seen.size(), 10u);
    EXPECT_EQ(lib().GetStringAtt(h, "GE", "NO-SUCH", 1605), nullptr) << "a failed read keeps the index";
    EXPECT_EQ(lib().GetStringAtt(h, "GE", "GENERAL", 1605), first);

    TechRecord* r = lib().FindFirst(h, "CM");
    char* k1 = lib().RecGetID(h, r);
    for (int i = 2; i <= 4; ++i)
        EXPECT_NE(lib().RecGetID(h, r), k1);
    EXPECT_EQ(lib().RecGetID(h, r), k1) << "four key slots";
    lib().ReleaseRec(r);
}

struct MatchCase {
    const char* name;
    const char* code;
    const char* pattern;
    short expected;
};

const MatchCase kMatches[] = {
    {"placeholder then separator", "AB-12+X", "AB-*+X", 1},
    {"pattern ends before the code", "AB-12+X", "AB-*", 0},
    {"section sign accepts the rest", "AB-12+X", "AB\xA7", 1},
    {"lone section sign left over", "AB", "AB\xA7", 0},
    {"lower-case letters are placeholders", "AB-12", "ab-12", 1},
    {"extra pattern run", "AB-12", "AB-x-12", 0},
    {"empty code", "", "anything", 1},
    {"null code", nullptr, "AB", 1},
    {"empty pattern", "AB", "", 0},
    {"null pattern", "AB", nullptr, 0},
    {"empty run before separator", "-12", "*-12", 1},
    {"capitals are matched exactly", "ab", "AB", 0},
    {"code left over", "AB-12", "AB", 0},
    {"two placeholders one run", "AB-12+X", "AB-??+X", 1},
    {"placeholder at the end", "AB-12", "AB-*", 1},
};

TEST_F(TechDbRecords, MatchPcode)
{
    for (const MatchCase& c : kMatches)
        EXPECT_EQ(lib().MatchPcode(c.code, c.pattern), c.expected) << c.name;
}

}  // namespace
