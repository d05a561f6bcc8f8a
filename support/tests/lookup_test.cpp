// The lookups against the real technical and other-insulation data beside
// the modules and a project made for the test: limits and defaults, keys
// without a limit record, the range test at and just past its ends with its
// warning, currency unit labels, product names by the project's naming
// language with their fallbacks, and surface-material names.
#include <gtest/gtest.h>
#include "support/lookups.h"
#include "VlTechDatabase/vltechdb.h"
#include "outside/Lexmo100/lexmo.h"
#include "testsupport/temp_project.h"
#include "testsupport/testsupport.h"
#include <cfloat>
#include <cmath>
#include <string>

namespace {

std::string BesideModules(const char* name)
{
    char path[MAX_PATH];
    GetModuleFileNameA(GetModuleHandleA("VlTechDb.dll"), path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + name;
}

class LookupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_GE(VlDataTechDb_Handle(), 0) << "VlDataTech.DB is not built beside the modules";
        texts_ = TextAPI_Open(BesideModules("TextAPI.db").c_str(), BesideModules("TextAPI.ddq").c_str());
        Lookup_SetHandles(VlDataTechDb_Handle(), VlOtherInsulationDataTechDb_Handle(), texts_);
    }
    void TearDown() override { TextAPI_Close(texts_); }
    std::string Text(TextId id) { return TextAPI_GetText(texts_, id); }

    short texts_ = -1;
};

struct LimitCase {
    const char* name;
    const char* key;
    float minimum;
    float maximum;
    float defaultValue;
};

const LimitCase limitCases[] = {
    {"a width", "HLOSSWIDTH_MM", 10, 10000, 500},
    {"a negative minimum", "INSTHICKESSHEATLOSS_WM2", -10000, 10000, 50},
    {"a minimum of 0", "HLOSSAIRVELOCITY_MS", 0, 30, 0.5f},
    {"no limit record", "NOSUCHLIMIT", 0, 0, 0},
};

TEST_F(LookupTest, LimitsAndDefaultsOfTheTechnicalData)
{
    for (const LimitCase& c : limitCases) {
        SCOPED_TRACE(c.name);
        float minimum = 1, maximum = 2, defaultValue = 3;
        EXPECT_EQ(InputLimits_Get(c.key, &minimum, &maximum), 0);
        EXPECT_FLOAT_EQ(minimum, c.minimum);
        EXPECT_FLOAT_EQ(maximum, c.maximum);
        EXPECT_EQ(InputLimits_GetDefault(c.key, &defaultValue), 0);
        EXPECT_FLOAT_EQ(defaultValue, c.defaultValue);
    }
}

TEST_F(LookupTest, ANullKeyIsRefusedAndStoresNothing)
{
    float minimum = 1, maximum = 2;
    EXPECT_EQ(InputLimits_Get(nullptr, &minimum, &maximum), -1);
    EXPECT_EQ(InputLimits_GetDefault(nullptr, &minimum), -1);
    EXPECT_EQ(minimum, 1);
    EXPECT_EQ(maximum, 2);
    EXPECT_EQ(InputLimits_Check(nullptr, 1e30f, nullptr, 0), 0);
}

struct CheckCase {
    const char* name;
    const char* key;
    float value;
    int expected;
};

const CheckCase checkCases[] = {
    {"the exact maximum", "HLOSSWIDTH_MM", 10000, 0},
    {"just above the maximum", "HLOSSWIDTH_MM", std::nextafter(10000.0f, 1e9f), -1},
    {"the exact minimum", "HLOSSWIDTH_MM", 10, 0},
    {"just below the minimum", "HLOSSWIDTH_MM", std::nextafter(10.0f, 0.0f), -1},
    {"a maximum of 1", "HLOSSEMISSIVITY", 1, 0},
    {"above a maximum of 1", "HLOSSEMISSIVITY", 1.001f, -1},
    {"a value without a limit record", "NOSUCHLIMIT", 0.5f, -1},
    {"only 0 without a limit record", "NOSUCHLIMIT", 0, 0},
};

TEST_F(LookupTest, TheRangeTestIncludesBothEnds)
{
    for (const CheckCase& c : checkCases)
        EXPECT_EQ(InputLimits_Check(nullptr, c.value, c.key, 0), c.expected) << c.name;
}

TEST_F(LookupTest, AWarningShowsTheAllowedRangeOnlyWhenAsked)
{
    TsBoxAnswerer answer(IDOK);
    EXPECT_EQ(InputLimits_Check(nullptr, 5, "HLOSSWIDTH_MM", 0), -1);
    EXPECT_TRUE(answer.boxes().empty());
    EXPECT_EQ(InputLimits_Check(nullptr, 5, "HLOSSWIDTH_MM", 1), -1);
    ASSERT_EQ(answer.boxes().size(), 1u);
    EXPECT_EQ(answer.boxes()[0].text, "10.000000 ... 10000.000000");
    EXPECT_EQ(answer.boxes()[0].caption, Text(9434));
}

struct CurrencyCase {
    const char* name;
    short kind;
    short currency;   // project attribute 1132; 0: not stored
    long textId;
};

const CurrencyCase currencyCases[] = {
    {"kind 1, currency 1", 1, 1, 20023},   {"kind 1, currency 2", 1, 2, 20024},
    {"kind 1, no currency", 1, 0, 30088},  {"kind 2, currency 2", 2, 2, 20025},
    {"kind 3, currency 1", 3, 1, 20027},   {"kind 4, currency 2", 4, 2, 20029},
    {"kind 5, other currency", 5, 9, 30089}, {"kind 5, currency 2", 5, 2, 20032},
    {"kind 6", 6, 1, 0},                   {"kind 0", 0, 2, 0},
};

TEST_F(LookupTest, CurrencyUnitLabelsFollowTheProjectCurrency)
{
    TempProject project;
    ASSERT_TRUE(project.loaded());
    for (const CurrencyCase& c : currencyCases) {
        if (c.currency)
            Kadmi_SetIntAtt(-1, 1132, c.currency);
        else
            Kadmi_DeleteAtt(-1, 1132);
        EXPECT_EQ(Price_CurrencyUnitTextId(c.kind), c.textId) << c.name;
    }
}

struct NameCase {
    const char* name;
    short naming;   // project attribute 1129; 0: not stored
    const char* code;
    const char* recordClass;
    const char* expected;   // NULL: language text 40039
};

const NameCase nameCases[] = {
    {"English by default", 0, "MWS-20", "IM", "Mineral wool slab, high temperature 20 mm"},
    {"naming 1: Swedish", 1, "MWS-20", "IM", "Mineralullsskiva, hög temperatur 20 mm"},
    {"naming 2: Polish", 2, "CG-SLAB", "IM", "Płyta ze szkła piankowego, standardowa"},
    {"another naming: English", 7, "CG-SLAB", "IM", "Cellular glass slab, standard"},
    {"only in the other-insulation data", 0, "1", "UI", "Loose-fill mineral wool"},
    {"unknown code", 0, "NO-SUCH-CODE", "IM", nullptr},
    {"no code", 1, nullptr, "IM", nullptr},
};

TEST_F(LookupTest, ProductNamesByTheProjectNamingWithTheirFallbacks)
{
    TempProject project;
    ASSERT_TRUE(project.loaded());
    for (const NameCase& c : nameCases) {
        if (c.naming)
            Kadmi_SetIntAtt(-1, 1129, c.naming);
        else
            Kadmi_DeleteAtt(-1, 1129);
        EXPECT_EQ(Product_GetName(c.code, c.recordClass), c.expected ? c.expected : Text(40039)) << c.name;
    }
}

TEST_F(LookupTest, TheNameOfAPartComesFromItsProductGroupAndCode)
{
    TempProject project;
    ASSERT_TRUE(project.loaded());
    long slab = project.AddPart("IM", "MWS-20", nullptr);
    long bare = project.AddPart(nullptr, nullptr, nullptr);
    EXPECT_STREQ(Product_GetNameOfPart(slab), "Mineral wool slab, high temperature 20 mm");
    EXPECT_EQ(Product_GetNameOfPart(bare), Text(40039));
    EXPECT_EQ(Product_GetNameOfPart(99), Text(40039));
}

TEST_F(LookupTest, SurfaceMaterialNames)
{
    TempProject project;
    ASSERT_TRUE(project.loaded());
    EXPECT_EQ(Product_GetCmText("AL-BRIGHT"), Text(41001));
    EXPECT_EQ(Product_GetCmText("NO-SUCH-MATERIAL"), Text(20043));
    EXPECT_EQ(Product_GetCmText(""), Text(20043));
    EXPECT_EQ(Product_GetCmText(nullptr), Text(20043));   // the page names no material
    Kadmi_SetStringAtt(0, 1528, "STAINLESS");
    EXPECT_EQ(Product_GetCmText(nullptr), Text(41003));
}

}  // namespace
