// The cooling, tank and freezing calculations against a real project file:
// the mass flow of each flow input and geometry, the engine records the
// pages fill, refusal while the insulation results are stale, and which
// report sections a page's print asks for.
#include "VlInterface/tests/shell_fixture.h"
#include "VlInterface/workspace/freezing_calc.h"
#include "VlInterface/workspace/pipecooling_calc.h"
#include "VlInterface/workspace/tankcooling_calc.h"
#include "VlInterface/workspace/timecalc.h"
#include "VlInterface/tests/workspace/timecalc_fixture.h"
#include "VlInterface/shell.h"
#include "VlUtil/vlutil.h"
#include <cstring>
#include <functional>

namespace {

using TimeCalcTest = TimeCalcFixture;

TEST_F(TimeCalcTest, MassFlowFromEachInputAndGeometry)
{
    // Pipe 100 mm: bore 0.095 m, 0.00708822 m²; round duct 200 mm: 0.02835287 m²;
    // rectangular duct 400 x 200 mm: 0.08 m². Density 980.
    const struct { const char* name; int geometry; int flow; double expected; } rows[] = {
        {"pipe, mass flow", Flag_Pipe, 0, 2.5},
        {"pipe, volume flow", Flag_Pipe, 1, 980.0 * 0.004},
        {"pipe, velocity", Flag_Pipe, 2, 980.0 * 1.5 * 0.0070882},
        {"round duct, mass flow", Flag_RoundDuct, 0, 2.5},
        {"round duct, volume flow", Flag_RoundDuct, 1, 980.0 * 0.004},
        {"round duct, velocity", Flag_RoundDuct, 2, 980.0 * 1.5 * 0.0283529},
        {"rectangular duct, mass flow", Flag_RectDuct, 0, 2.5},
        {"rectangular duct, volume flow", Flag_RectDuct, 1, 980.0 * 0.004},
        {"rectangular duct, velocity", Flag_RectDuct, 2, 980.0 * 1.5 * 0.08},
        {"no flow flag", Flag_Pipe, -1, 0.0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CalcRecord record = Object(row.geometry);
        record.contentsDensity = 980.0f;
        record.flowValues[0] = 2.5f;
        record.flowValues[1] = 0.004f;
        record.flowValues[2] = 1.5f;
        if (row.flow >= 0)
            record.flowFlags[row.flow] = 1;
        EXPECT_NEAR(PipeCooling_MassFlow(record), row.expected, 1e-4 * (1.0 + row.expected));
    }
}

TEST_F(TimeCalcTest, FlowingRecordCarriesTheSystemAndItsLayers)
{
    const struct { const char* name; int geometry; int32_t type; float outer; } rows[] = {
        {"pipe: its own diameter", Flag_Pipe, 1, 0.1f},
        {"round duct: the duct's diameter", Flag_RoundDuct, 4, 0.2f},
        {"rectangular duct", Flag_RectDuct, 5, 0.2f},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CalcRecord record = Object(row.geometry);
        record.flowFlags[0] = 1;
        record.flowValues[0] = 0.5f;
        record.pipeLength = 120.0f;
        record.contentsHeatCapacity = 4186.0f;
        record.airVelocity = 3.5f;
        record.emissivity = 0.9f;
        record.conductivity[0] = 0.04f;
        record.thickness[0] = 50.0f;
        TemperatureChangeInPipeInput input;
        PipeCooling_FillFlowing(record, 27.5f, &input);
        EXPECT_EQ(input.objectType, row.type);
        EXPECT_FLOAT_EQ(input.outerDiameter, row.outer);
        EXPECT_FLOAT_EQ(input.innerDiameter, 0.95f * row.outer);
        EXPECT_FLOAT_EQ(input.surfaceTemp, 27.5f);
        EXPECT_FLOAT_EQ(input.airVelocity, 3.5f);
        EXPECT_FLOAT_EQ(input.specificHeat, 4.186f);
        EXPECT_FLOAT_EQ(input.massFlow, 0.5f);
        EXPECT_FLOAT_EQ(input.length, 120.0f);
        EXPECT_FLOAT_EQ(input.thickness[0], 0.05f);
        EXPECT_FLOAT_EQ(input.conductivity[0], 0.04f);
    }
}

TEST_F(TimeCalcTest, StationaryRecordIsPerMetreOfPipe)
{
    // Contents 980 kg/m³, wall 7800 kg/m³.
    const struct { const char* name; int geometry; double contents; double wall; } rows[] = {
        {"pipe 100 mm", Flag_Pipe, 0.0070882 * 980.0, (0.0078540 - 0.0070882) * 7800.0},
        {"round duct 200 mm", Flag_RoundDuct, 0.0283529 * 980.0, (0.0314159 - 0.0283529) * 7800.0},
        {"rectangular duct 400 x 200 mm", Flag_RectDuct, 0.08 * 980.0, 0.08 * 0.0975 * 7800.0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CalcRecord record = Object(row.geometry);
        record.contentsDensity = 980.0f;
        record.pipeDensity = 7800.0f;
        record.pipeLength = 250.0f;
        CoolingStationaryInput input;
        PipeCooling_FillStationary(record, 31.0f, &input);
        EXPECT_FLOAT_EQ(input.size, 1.0f);
        EXPECT_FLOAT_EQ(input.heatLoss, 31.0f);
        EXPECT_NEAR(input.contentsMass, row.contents, 1e-3);
        EXPECT_NEAR(input.wallMass, row.wall, 1e-2);
    }
}

TEST_F(TimeCalcTest, TankRecordIsPackedAsTheEngineReadsIt)
{
    const struct { const char* name; int shape; uint8_t code; } rows[] = {
        {"cylinder", 0, 1},
        {"box", 1, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CalcRecord record = Object(Flag_Plane);
        record.shapeFlags[row.shape] = 1;
        record.bottomIncluded = 1;
        const float dimensions[3] = {2.0f, 3.0f, 4.0f};
        memcpy(record.vesselDimensions, dimensions, sizeof dimensions);
        record.contentsDensity = 980.0f;
        record.contentsHeatCapacity = 4186.0f;
        record.finalTemperature = 40.0f;
        TempChangeTimeInTankInput input;
        TankCooling_Fill(record, 12.5f, &input);
        const auto* bytes = reinterpret_cast<const unsigned char*>(&input);
        auto floatAt = [bytes](int offset) {
            float value;
            memcpy(&value, bytes + offset, sizeof value);
            return value;
        };
        EXPECT_EQ(bytes[0], row.code);
        EXPECT_EQ(bytes[1], 1);
        const struct { int offset; float value; } fields[] = {
            {2, 2.0f}, {6, 3.0f}, {10, 4.0f}, {14, 0.0f}, {18, 0.0f}, {22, 980.0f},
            {26, 4186.0f}, {30, 80.0f}, {34, -10.0f}, {38, 40.0f}, {42, 12.5f},
        };
        for (const auto& field : fields)
            EXPECT_FLOAT_EQ(floatAt(field.offset), field.value) << "offset " << field.offset;
    }
}

TEST_F(TimeCalcTest, FreezingLayersInMetresWithTheDiameterFallback)
{
    const struct { const char* name; float thickness; float inner; float outer; float expected; } rows[] = {
        {"own thickness", 50.0f, 60.0f, 100.0f, 0.05f},
        {"thickness 0: half the diameter difference", 0.0f, 60.0f, 100.0f, 0.02f},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        for (int k = 0; k < kCalcLayers; ++k) {
            Kadmi_SetFloatAtt(parts_[k], 1379, row.thickness);
            Kadmi_SetFloatAtt(parts_[k], 1324, row.inner);
            Kadmi_SetFloatAtt(parts_[k], 1325, row.outer);
            Kadmi_SetFloatAtt(parts_[k], 1376, 0.03f + 0.01f * k);
        }
        CalcRecord record = Object(Flag_Pipe);
        record.freezingContents[2] = -1.0f;
        FreezingTimeInput input;
        Freezing_FillFirst(record, 14.0f, &input);
        EXPECT_FLOAT_EQ(input.outerDiameter, 0.1f);
        EXPECT_FLOAT_EQ(input.heatLoss, 14.0f);
        EXPECT_FLOAT_EQ(input.startTemp, 80.0f);
        EXPECT_FLOAT_EQ(input.ambientTemp, -10.0f);
        Freezing_FillSecond(&input);
        EXPECT_FLOAT_EQ(input.startTemp, -1.0f);
        EXPECT_FLOAT_EQ(input.frozenShare, 100.0f);
        EXPECT_FLOAT_EQ(input.latentHeat, 334.0f);
        EXPECT_FLOAT_EQ(input.ambientTemp, -10.0f);
        for (int k = 0; k < kCalcLayers; ++k) {
            EXPECT_FLOAT_EQ(input.thickness[k], row.expected);
            EXPECT_FLOAT_EQ(input.conductivity[k], 0.03f + 0.01f * k);
        }
    }
}

// Each run, with the insulation results current and then stale.
struct RunRow {
    const char* name;
    int geometry;
    const char* stamp;
    short attribute;
    std::function<int()> run;
};

std::vector<RunRow> Runs()
{
    return {
        {"pipe, flowing", Flag_Pipe, "DIM2", 1343, [] { PipeCoolingResult r; return PipeCooling_Run(CalcRec(), &r); }},
        {"pipe, stationary", Flag_Pipe, "DIM2", 1344, [] {
             CalcRec().coolingCaseFlags[0] = 0;
             CalcRec().coolingCaseFlags[1] = 1;
             PipeCoolingResult r;
             return PipeCooling_Run(CalcRec(), &r);
         }},
        {"tank", Flag_Plane, "DIM2", 1344, [] { return TankCooling_Run(CalcRec()); }},
        {"freezing", Flag_Pipe, "DIM3", 1380, [] { return Freezing_Run(CalcRec()); }},
    };
}

TEST_F(TimeCalcTest, RunsRefuseWhileTheInsulationResultsAreStale)
{
    for (const RunRow& row : Runs()) {
        SCOPED_TRACE(row.name);
        PrepareCalculable(row.geometry);
        SetStamps({{"DIM1", 100}, {"EDT1", 200}});
        Kadmi_DeleteAtt(kCalcObjectSystem, row.attribute);
        EXPECT_EQ(row.run(), -1);
        ASSERT_EQ(ErrorList_NError(), 1);
        EXPECT_STREQ(ErrorList_IthErrorStr(0), Shell_Text(40046));
        EXPECT_FALSE(HasStamp(row.stamp));
        EXPECT_EQ(Kadmi_GetFloatAttZ(kCalcObjectSystem, row.attribute), AttMissing_Float);

        SetStamps({{"EDT1", 100}, {"DIM1", 200}});
        EXPECT_EQ(row.run(), 0) << ErrorList_IthErrorStr(0);
        EXPECT_TRUE(HasStamp(row.stamp));
        EXPECT_NE(Kadmi_GetFloatAttZ(kCalcObjectSystem, row.attribute), AttMissing_Float);
    }
}

// Contents freezing at -1 °C: only colder air gives times; air that is not
// colder leaves none stored and says so; contents colder than freezing air
// are in the wrong order.
TEST_F(TimeCalcTest, FreezingOnlyInAirColderThanTheFreezingTemperature)
{
    const struct {
        const char* name;
        float contents, air;
        int result;
        bool timesStored;
        size_t errors;
    } rows[] = {
        {"colder air", 80.0f, -10.0f, 0, true, 0},
        {"air at the freezing temperature", 80.0f, -1.0f, kNeverFreezes, false, 0},
        {"air between it and 0 °C", 80.0f, -0.5f, kNeverFreezes, false, 0},
        {"contents colder than freezing air", -20.0f, -10.0f, -1, false, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        PrepareCalculable(Flag_Pipe);
        SetStamps({{"EDT1", 100}, {"DIM1", 200}});
        Kadmi_SetFloatAtt(kCalcObjectSystem, 1380, 5.0f);   // of an earlier run
        CalcRec().contentsTemperature = row.contents;
        CalcRec().ambientTemperature = row.air;
        ErrorList_Clear();
        EXPECT_EQ(Freezing_Run(CalcRec()), row.result);
        EXPECT_EQ(size_t(ErrorList_NError()), row.errors);
        EXPECT_EQ(HasStamp("DIM3"), row.result >= 0);
        if (row.result == kNeverFreezes) {
            EXPECT_EQ(Kadmi_GetFloatAttZ(kCalcObjectSystem, 1350), AttMissing_Float);
            EXPECT_EQ(Kadmi_GetFloatAttZ(kCalcObjectSystem, 1380), AttMissing_Float);
        }
        if (row.timesStored) {
            EXPECT_GT(Kadmi_GetFloatAttZ(kCalcObjectSystem, 1380), 0.0f);
        }
    }
}

TEST_F(TimeCalcTest, FlowingOutletIsAResultNotTheFinalTemperature)
{
    PrepareCalculable(Flag_Pipe);
    CalcRec().finalTemperature = 55.0f;
    PipeCoolingResult result;
    ASSERT_EQ(PipeCooling_Run(CalcRec(), &result), 0);
    EXPECT_LT(result.outletTemperature, 80.0f);
    EXPECT_GT(result.outletTemperature, 10.0f);
    EXPECT_FLOAT_EQ(CalcRec().finalTemperature, 55.0f);
    EXPECT_FLOAT_EQ(Kadmi_GetFloatAtt(kCalcObjectSystem, 1343), result.outletTemperature);
    EXPECT_NEAR(CalcRec().temperatureChange, 80.0f - result.outletTemperature, 1e-4);
}

// A page's print asks for the sections whose results are current, as the
// report prints them.
TEST_F(TimeCalcTest, PrintChoicesFollowTheCurrentResults)
{
    const struct {
        const char* name;
        short kind;
        std::vector<Stamp> stamps;
        bool costsStored;
        int cooling, freezing, economy;
    } rows[] = {
        {"nothing calculated", 11, {}, true, 0, 0, 0},
        {"cooling and freezing current", 11, {{"DIM1", 100}, {"EDT2", 110}, {"DIM2", 120}, {"DIM3", 130}}, false, 1, 1,
         0},
        {"cooling older than the insulation", 11, {{"DIM2", 100}, {"DIM1", 200}, {"DIM3", 300}}, false, 0, 1, 0},
        {"cooling inputs newer than its results", 11, {{"DIM1", 100}, {"DIM2", 120}, {"EDT2", 130}}, false, 0, 0, 0},
        {"freezing inputs newer", 11, {{"DIM1", 100}, {"DIM3", 120}, {"EDT3", 130}}, false, 0, 0, 0},
        {"a vessel does not freeze", 10, {{"DIM1", 100}, {"DIM3", 130}}, false, 0, 0, 0},
        {"costs stored beside current insulation results", 11, {{"DIM1", 100}}, true, 0, 0, 1},
        {"costs stored beside stale insulation results", 11, {{"DIM1", 100}, {"EDT1", 200}}, true, 0, 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SetStamps(row.stamps);
        Kadmi_SetIntAtt(kCalcObjectSystem, 1117, row.kind);
        const short total = row.kind == 10 ? 1375 : 1374;
        if (row.costsStored)
            Kadmi_SetFloatAtt(kCalcObjectSystem, total, 120.0f);
        else
            Kadmi_DeleteAtt(kCalcObjectSystem, total);
        for (bool copy : {false, true}) {
            int32_t options[kPrintOptionInts];
            TimeCalc_PrintChoices(options, copy);
            EXPECT_EQ(options[PrintOption_BaseData], 1);
            EXPECT_EQ(options[PrintOption_Cooling], row.cooling);
            EXPECT_EQ(options[PrintOption_Freezing], row.freezing);
            EXPECT_EQ(options[PrintOption_Economy], row.economy);
            EXPECT_EQ(options[PrintOption_Clipboard], copy ? 1 : 0);
        }
    }
}

} // namespace
