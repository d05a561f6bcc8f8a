// The current calculation record against a real project file: defaults of a
// new system, load-store-load, the change comparison's 0.01 threshold, the
// stamps each input group sets, store groups and a page without layer parts.
#include <gtest/gtest.h>
#include "VlInterface/calcrecord.h"
#include "VlInterface/workspace/calcdata.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include "support/settings.h"
#include "testsupport/temp_project.h"
#include <climits>
#include <cstring>
#include <functional>
#include <string>

namespace {

int g_titleUpdates = 0;
int g_nameShows = 0;

bool HasStamp(long object, const char* mark)
{
    return Kadmi_CmpAccess(object, mark, object, "NONE") > 0;
}

void ClearStamps()
{
    Kadmi_DeleteAtt(kCalcObjectSystem, 7701);
    Kadmi_DeleteAtt(kCalcObjectProject, 7701);
}

class CalcRecordTest : public ::testing::Test {
protected:
    TempProject project;
    long parts[3] = {};

    void SetUp() override
    {
        ASSERT_TRUE(project.loaded());
        for (long& part : parts)
            part = Kadmi_CreatePart();
        CalcRecord_SetLayerParts(parts[0], parts[1], parts[2]);
        Settings_OpenRoot("Velmo Test", "CalcRecord", "1");
        g_titleUpdates = g_nameShows = 0;
        CalcRecordState().hooks = {[] { ++g_nameShows; }, [] { ++g_titleUpdates; }};
    }
    void TearDown() override
    {
        CalcRecordState().hooks = {};
        Settings_DeleteValue(nullptr, "General\\IUserName");
        Settings_CloseRoot();
    }
};

TEST_F(CalcRecordTest, NewSystemLoadsDefaultsAndStoresPlaneAndFifthCase)
{
    CalcRecord_Load();
    const CalcRecord& r = CalcRec();
    EXPECT_EQ(r.geometry, 0);
    EXPECT_EQ(r.geometryFlags[0], 1);
    EXPECT_EQ(r.location, -100);
    EXPECT_EQ(r.surfaceMaterial, -1);
    EXPECT_EQ(r.reportedSurface, 1);   // the outer surface
    EXPECT_EQ(r.calculationCase, -1);
    EXPECT_EQ(r.caseFlags[4], 1);
    EXPECT_EQ(r.flowFlags[0], 1);
    EXPECT_EQ(r.shapeFlags[0], 1);
    EXPECT_EQ(r.coolingCaseFlags[0], 1);
    EXPECT_STREQ(r.projectName, "");
    EXPECT_EQ(r.contentsTemperature, 0.0f);

    CalcRecord_Store(1);
    EXPECT_EQ(Kadmi_GetIntAtt(kCalcObjectSystem, 1117), 10);
    EXPECT_EQ(Kadmi_GetIntAtt(parts[0], 1130), 4);
    EXPECT_EQ(Kadmi_GetIntAtt(kCalcObjectSystem, 1118), -100);
    EXPECT_EQ(g_nameShows, 0);   // the name did not change
    strcpy(CalcRec().description, "Renamed");
    CalcRecord_Store(1);
    CalcRecord_Store(1);
    EXPECT_EQ(g_nameShows, 1);
}

// Every stored field set to its own value, flags one-hot.
void FillRecord(CalcRecord& r)
{
    memset(&r, 0, sizeof r);
    strcpy(r.projectName, "Plant Ä");
    strcpy(r.customer, "Customer");
    strcpy(r.address1, "Street 1");
    strcpy(r.address2, "Town");
    strcpy(r.reference, "Ref 7");
    strcpy(r.originatedBy, "Engineer");
    strcpy(r.information, "Line one\r\nLine two");
    strcpy(r.description, "Steam main");
    r.geometryFlags[2] = 1;
    r.outerDiameters[0] = 114.3f;
    r.outerDiameters[1] = 250.0f;
    r.width = 400.0f;
    r.height = 300.0f;
    r.location = 17;
    r.contentsTemperature = 180.5f;
    r.ambientTemperature = -5.25f;
    r.relativeHumidity = 80.0f;
    r.airVelocity = 3.5f;
    r.surfaceMaterial = 2;
    strcpy(r.surfaceMaterialCode, "CM02");
    r.emissivity = 0.9f;
    r.reportedSurface = 2;
    r.option1121 = -3;
    for (int k = 0; k < 3; ++k) {
        snprintf(r.productType[k], sizeof r.productType[k], "TYPE%d", k);
        snprintf(r.productCode[k], sizeof r.productCode[k], "CODE-%d", k);
        snprintf(r.productClass[k], sizeof r.productClass[k], "I%c", 'M' + k);
        r.innerDiameter[k] = 100.0f + k;
        r.outerDiameter[k] = 200.0f + k;
        r.nominalThickness[k] = 30.0f + k;
        r.conductivity[k] = 0.035f + 0.001f * k;
        r.thickness[k] = 40.0f + k;
        r.price[k] = 12.5f + k;
    }
    r.caseFlags[2] = 1;
    r.allowedHeatLoss = 55.5f;
    r.allowedSurfaceTemperature = 45.0f;
    r.contents = 3;
    r.contentsHeatCapacity = 4190.0f;
    r.contentsDensity = 998.0f;
    r.coolingCaseFlags[1] = 1;
    r.flowFlags[1] = 1;
    r.flowValues[0] = 1.5f;
    r.flowValues[1] = 0.002f;
    r.flowValues[2] = 0.8f;
    r.pipeHeatCapacity = 460.0f;
    r.pipeDensity = 7850.0f;
    r.pipeLength = 120.0f;
    r.shapeFlags[1] = 1;
    r.vesselDimensions[0] = 2.0f;
    r.vesselDimensions[1] = 3.0f;
    r.vesselDimensions[2] = 4.0f;
    r.bottomIncluded = 1;
    r.finalTemperature = 60.0f;
    r.freezingContents[0] = 4200.0f;
    r.freezingContents[1] = 1000.0f;
    r.freezingContents[2] = -0.5f;
    r.freezingPipe[0] = 450.0f;
    r.freezingPipe[1] = 7800.0f;
    r.freezingOptions[0] = 1;
    r.freezingOptions[1] = -2;
}

TEST_F(CalcRecordTest, LoadStoreLoadGivesTheSameRecord)
{
    CalcRecord_Load();
    FillRecord(CalcRec());
    CalcRecord_Store(0);
    CalcRecord stored;
    memcpy(&stored, &CalcRec(), sizeof stored);
    EXPECT_EQ(stored.geometry, Kind_RoundDuct);
    EXPECT_EQ(stored.calculationCase, 2);
    EXPECT_EQ(stored.flowGivenAs, 1);
    EXPECT_EQ(stored.vesselShape, 1);
    EXPECT_EQ(stored.coolingCase, 1);

    memset(&CalcRec(), 0x55, sizeof(CalcRecord));
    CalcRecord_Load();
    EXPECT_EQ(memcmp(&stored, &CalcRec(), sizeof stored), 0);
    EXPECT_STREQ(CalcRec().productClass[2], "IO");
    EXPECT_EQ(CalcRec().option1121, -3);
    EXPECT_EQ(CalcRec().outerDiameters[1], 250.0f);
    EXPECT_STREQ(CalcRec().surfaceMaterialCode, "CM02");
    EXPECT_STREQ(CalcRec().productCode[1], "CODE-1");

    char author[kCalcTextSize] = {};
    ASSERT_NE(Settings_Read(nullptr, "General\\IUserName", nullptr, author, sizeof author), nullptr);
    EXPECT_STREQ(author, "Engineer");
}

TEST_F(CalcRecordTest, LongTextsAreCutOnACharacterBoundary)
{
    CalcRecord_Load();
    std::string text;
    while (text.size() < 1100)
        text += "ä";   // two bytes each
    Kadmi_SetStringAtt(kCalcObjectProject, 1506, text.c_str());
    Kadmi_SetStringAtt(parts[0], 1538, "IMX");
    CalcRecord_Load();
    EXPECT_EQ(strlen(CalcRec().information), 1022u);
    EXPECT_STREQ(CalcRec().productClass[0], "IM");
}

// Sets a value, stores it, clears the stamps, sets the next value and stores again.
struct ThresholdCase {
    const char* name;
    float from, to;
    bool stamped;
};

TEST_F(CalcRecordTest, FloatsAreComparedInHundredths)
{
    const ThresholdCase cases[] = {
        {"below a hundredth", 20.004f, 20.006f, false},
        {"crossing a hundredth", 20.009f, 20.011f, true},
        {"equal", 5.0f, 5.0f, false},
        {"sign change", 0.5f, -0.5f, true},
        {"missing sentinel to value", -3.4e38f, 20.0f, true},
        {"missing sentinel kept", -3.4e38f, -3.4e38f, false},
    };
    for (const ThresholdCase& c : cases) {
        SCOPED_TRACE(c.name);
        CalcRecord_Load();
        CalcRec().contentsTemperature = c.from;
        CalcRecord_Store(1);
        ClearStamps();
        CalcRec().contentsTemperature = c.to;
        CalcRecord_Store(1);
        EXPECT_EQ(HasStamp(kCalcObjectSystem, "EDT1"), c.stamped);
        EXPECT_EQ(HasStamp(kCalcObjectProject, "PCHG"), c.stamped);
    }
}

TEST_F(CalcRecordTest, CompareKeySaturatesInsteadOfOverflowing)
{
    EXPECT_EQ(CalcRecord_CompareKey(20.009f), 2000);
    EXPECT_EQ(CalcRecord_CompareKey(-1.239f), -123);
    EXPECT_EQ(CalcRecord_CompareKey(AttMissing_Float), INT_MIN);
    EXPECT_EQ(CalcRecord_CompareKey(3.4e38f), INT_MAX);
}

struct StampCase {
    const char* name;
    std::function<void(CalcRecord&)> edit;
    bool insulation, cooling, freezing, project;
};

TEST_F(CalcRecordTest, EachInputGroupSetsItsOwnStamp)
{
    const StampCase cases[] = {
        {"project name", [](CalcRecord& r) { strcpy(r.projectName, "New"); }, false, false, false, true},
        {"description", [](CalcRecord& r) { strcpy(r.description, "Line 2"); }, false, false, false, true},
        {"ambient temperature", [](CalcRecord& r) { r.ambientTemperature = 12.0f; }, true, false, false, true},
        {"layer 3 product", [](CalcRecord& r) { strcpy(r.productCode[2], "X"); }, true, false, false, true},
        {"geometry flag", [](CalcRecord& r) { r.geometryFlags[0] = 0; r.geometryFlags[1] = 1; }, true, false, false, true},
        {"labour price", [](CalcRecord& r) { r.labourPrice = 9.0f; }, true, false, false, true},
        {"contents density", [](CalcRecord& r) { r.contentsDensity = 870.0f; }, false, true, false, true},
        {"vessel height", [](CalcRecord& r) { r.vesselDimensions[2] = 2.5f; }, false, true, false, true},
        {"freezing temperature", [](CalcRecord& r) { r.freezingContents[2] = -1.0f; }, false, false, true, true},
        {"pipe material name", [](CalcRecord& r) { strcpy(r.pipeMaterialName, "Steel"); }, false, false, true, true},
        {"nominal thickness", [](CalcRecord& r) { r.nominalThickness[0] = 50.0f; }, false, false, false, false},
        {"results", [](CalcRecord& r) { r.heatLossResults[0] = 80.0f; }, false, false, false, false},
    };
    for (const StampCase& c : cases) {
        SCOPED_TRACE(c.name);
        CalcRecord_Load();
        CalcRecord_Store(0);
        ClearStamps();
        g_titleUpdates = 0;
        c.edit(CalcRec());
        CalcRecord_Store(0);
        EXPECT_EQ(HasStamp(kCalcObjectSystem, "EDT1"), c.insulation);
        EXPECT_EQ(HasStamp(kCalcObjectSystem, "EDT2"), c.cooling);
        EXPECT_EQ(HasStamp(kCalcObjectSystem, "EDT3"), c.freezing);
        EXPECT_EQ(HasStamp(kCalcObjectProject, "PCHG"), c.project);
        EXPECT_EQ(g_titleUpdates, c.project ? 1 : 0);
    }
}

TEST_F(CalcRecordTest, GroupOneLeavesTheProjectBlockAlone)
{
    CalcRecord_Load();
    strcpy(CalcRec().projectName, "Only in memory");
    strcpy(CalcRec().originatedBy, "Someone");
    CalcRecord_Store(1);
    EXPECT_EQ(Kadmi_GetStringAtt(kCalcObjectProject, 1501), nullptr);
    EXPECT_EQ(Settings_Read(nullptr, "General\\IUserName", nullptr, nullptr, 0), nullptr);

    CalcRecord_Store(-1);
    ASSERT_NE(Kadmi_GetStringAtt(kCalcObjectProject, 1501), nullptr);
    EXPECT_STREQ(Kadmi_GetStringAtt(kCalcObjectProject, 1501), "Only in memory");
}

TEST_F(CalcRecordTest, PageWithoutPartsKeepsLayerValuesOffTheSystem)
{
    CalcRecord_SetLayerParts(0, 0, 0);
    Kadmi_SetStringAtt(kCalcObjectSystem, 1528, "CM01");
    CalcRecord_Load();
    EXPECT_STREQ(CalcRec().surfaceMaterialCode, "CM01");
    EXPECT_STREQ(CalcRec().productCode[0], "");
    EXPECT_EQ(CalcRec().calculationCase, -1);

    strcpy(CalcRec().productCode[0], "-789");
    CalcRec().thickness[0] = 50.0f;
    CalcRec().ambientTemperature = 15.0f;
    CalcRecord_Store(1);
    EXPECT_STREQ(Kadmi_GetStringAtt(kCalcObjectSystem, 1528), "CM01");
    EXPECT_FALSE(Kadmi_GetFloatAtt(kCalcObjectSystem, 1379) != 0.0f || Kadmi_LastAttWasFound());
    EXPECT_FALSE(HasStamp(kCalcObjectSystem, "EDT1"));
    EXPECT_FALSE(HasStamp(kCalcObjectProject, "PCHG"));
}

TEST_F(CalcRecordTest, UnchangedStoreKeepsTheOlderCopy)
{
    CalcRecord_Load();
    CalcRec().ambientTemperature = 20.004f;
    CalcRecord_Store(1);
    ClearStamps();
    CalcRec().ambientTemperature = 20.008f;   // below a hundredth: copy stays at 20.004
    CalcRecord_Store(1);
    EXPECT_FALSE(HasStamp(kCalcObjectSystem, "EDT1"));
    CalcRec().ambientTemperature = 20.012f;   // 2001 against the copy's 2000
    CalcRecord_Store(1);
    EXPECT_TRUE(HasStamp(kCalcObjectSystem, "EDT1"));
}

// The project keeps the key of the location's weather record: a system finds
// its place again after the weather data changed order, older files that
// hold only a position (counted in the records' key order as text) keep
// their place, and a location that is gone is shown as removed, keeping its
// key.
TEST_F(CalcRecordTest, LocationIsStoredByItsWeatherKey)
{
    char key[kCalcLocationKeySize];
    Location_KeyOfPosition(3, key, sizeof key);
    ASSERT_STRNE(key, "") << "the weather data beside the modules";
    EXPECT_STREQ(key, "4") << "positions count the locations by number";
    CalcRecord_Load();
    CalcRec().location = 3;
    CalcRecord_Store(1);
    EXPECT_STREQ(Kadmi_GetStringAtt(kCalcObjectSystem, 1537), key);
    const int16_t olderFifth = Location_PositionOfKey("14");   // 1, 10, 11, 12, 13, 14 as text

    const struct { const char* name; const char* storedKey; int16_t storedPosition; int16_t loaded; } rows[] = {
        {"the weather data moved the record", key, 7, 3},
        {"an older file without a key", nullptr, 5, olderFifth},
        {"an older file's position past the weather data", nullptr, 9999, -100},
        {"a location that is gone", "NO-SUCH-PLACE", 3, kLocationRemoved},
        {"user conditions", nullptr, -100, -100},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Kadmi_SetIntAtt(kCalcObjectSystem, 1118, row.storedPosition);
        if (row.storedKey)
            Kadmi_SetStringAtt(kCalcObjectSystem, 1537, row.storedKey);
        else
            Kadmi_DeleteAtt(kCalcObjectSystem, 1537);
        CalcRecord_Load();
        EXPECT_EQ(CalcRec().location, row.loaded);
    }
    Kadmi_SetStringAtt(kCalcObjectSystem, 1537, "NO-SUCH-PLACE");
    CalcRecord_Load();
    CalcRecord_Store(1);
    EXPECT_STREQ(Kadmi_GetStringAtt(kCalcObjectSystem, 1537), "NO-SUCH-PLACE") << "a removed location keeps its key";
    CalcRec().location = -100;
    CalcRecord_Store(1);
    EXPECT_STREQ(Kadmi_GetStringAtt(kCalcObjectSystem, 1537), "") << "user conditions keep no key";
}

}  // namespace
