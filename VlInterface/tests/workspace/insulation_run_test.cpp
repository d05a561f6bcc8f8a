// The insulation run against the real engine, technical data and a project
// file: the heat-loss input of a pipe, a plane and a rectangular duct, the
// results equal to the engine called directly, and the refused and failed runs
// that leave no current results.
#include "VlInterface/tests/shell_fixture.h"
#include "VlInterface/workspace/calcdata.h"
#include "VlInterface/workspace/insulation_run.h"
#include "VlInterface/shell.h"
#include "VlTechDatabase/vltechdb.h"
#include "VlUtil/vlutil.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include "testsupport/temp_project.h"
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

class InsulationRunTest : public ShellTest {
protected:
    TempProject project;
    void SetUp() override
    {
        ShellTest::SetUp();
        Shell().techDb = VlDataTechDb_Handle();
        Shell().otherInsulationDb = VlOtherInsulationDataTechDb_Handle();
        ErrorList_Reset();
        ASSERT_TRUE(project.loaded());
        int32_t parts[3];
        for (int32_t& p : parts)
            p = Kadmi_CreatePart();
        CalcRecord_SetLayerParts(parts[0], parts[1], parts[2]);
        CalcRecord_Load();
    }
    void TearDown() override
    {
        ErrorList_Clear();
        CalcRecord_SetLayerParts(0, 0, 0);
        ShellTest::TearDown();
    }
    // Makes r an object of one geometry (a flag index), in the record and in
    // the system's stored kind alike.
    static void SetGeometry(CalcRecord& r, int geometry)
    {
        std::memset(r.geometryFlags, 0, sizeof r.geometryFlags);
        r.geometryFlags[geometry] = 1;
        Kadmi_SetIntAtt(kCalcObjectSystem, Att_ObjectKind, short(Kind_Plane + geometry));
    }
    // A 114.3 mm pipe at 150 °C in air of 20 °C.
    static CalcRecord& HotPipe()
    {
        CalcRecord& r = CalcRec();
        r.geometryFlags[1] = 1;
        r.outerDiameters[0] = 114.3f;
        r.contentsTemperature = 150;
        r.ambientTemperature = 20;
        return r;
    }
};

struct GeometryCase {
    const char* name;
    int geometry;                  // flag position: 0 plane, 1 pipe, 3 rectangular duct
    InsulationLayerChoice layer1;
    float thicknessMm;             // own or user thickness
    int32_t objectType;
    float outerDiameter;           // m
    float width, height;           // m
    int32_t productId;
    float conductivityHandedOver;  // own and user layers
};

const GeometryCase kGeometries[] = {
    {"PipeWithPipeSection", 1, {"MW-PIPESECTION", "IP", "MWP-114.3-50"}, 0, kCalcPipe, 0.1143f, 0, 0, 0, 0},
    {"PlaneWithOwnThickness", 0, {"MW-SLAB-HT", "IM", "-456"}, 80, kCalcPlane, 0.5f, 0, 0, 0, 0.045f},
    {"RectDuctWithUserInsulation", 3, {"3", "UI", "-987"}, 40, kCalcRectangularDuct, 0.5f, 0.4f, 0.2f, 3, 0.1f},
};

class HeatLossInputTest : public InsulationRunTest, public ::testing::WithParamInterface<GeometryCase> {};

TEST_P(HeatLossInputTest, MatchesTheEngineOnTheSameRecord)
{
    const GeometryCase& c = GetParam();
    CalcRecord& r = CalcRec();
    SetGeometry(r, c.geometry);
    r.outerDiameters[0] = 114.3f;
    r.outerDiameters[1] = 500.0f;
    r.width = 400;
    r.height = 200;
    r.contentsTemperature = 150;
    r.ambientTemperature = 20;
    r.relativeHumidity = 60;
    r.emissivity = 0.9f;
    r.reportedSurface = 1;
    r.thickness[0] = c.thicknessMm;
    r.conductivity[0] = c.conductivityHandedOver;
    // Layer 3 is ignored behind a layer 2 without product.
    InsulationLayerChoices layers = {c.layer1, {}, {"MW-PIPESECTION", "IP", "MWP-273-50"}};

    HeatLossInput in;
    HeatLossOutput out;
    InsulationRun_FillInput(r, layers, &in, &out);
    EXPECT_EQ(in.objectType, c.objectType);
    EXPECT_FLOAT_EQ(in.outerDiameter, c.outerDiameter);
    EXPECT_FLOAT_EQ(in.ductWidth, c.width);
    EXPECT_FLOAT_EQ(in.ductHeight, c.height);
    EXPECT_EQ(in.productId[0], c.productId);
    EXPECT_FLOAT_EQ(out.conductivity[0], c.conductivityHandedOver);
    EXPECT_FLOAT_EQ(in.thickness[0], c.thicknessMm ? c.thicknessMm / 1000 : 0.05f);
    EXPECT_EQ(in.thickness[1], 0.0f);
    EXPECT_EQ(in.thickness[2], 0.0f);
    EXPECT_EQ(in.mediumTemp, 150.0f);

    HeatLossOutput direct = out;
    ASSERT_EQ(HeatLossCalculation(in, &direct), 0);
    ASSERT_EQ(InsulationRun_Calculate(r, layers), InsulationRunStatus::Done);
    EXPECT_FLOAT_EQ(r.heatLossResults[0], direct.heatLossPerMetre);
    EXPECT_FLOAT_EQ(r.heatLossResults[1], direct.heatLossPerSquareMetre);
    EXPECT_FLOAT_EQ(r.heatLossResults[10], direct.faceTemp[2]);
    EXPECT_GT(r.heatLossResults[c.geometry == 0 ? 1 : 0], 0.0f);

    InsulationResultLines lines;
    InsulationRun_StoreResults(r, &lines);
    EXPECT_FLOAT_EQ(Kadmi_GetFloatAtt(0, 1323), c.geometry == 0 ? direct.heatLossPerSquareMetre
                                                                 : direct.heatLossPerMetre);
    EXPECT_NE(lines.line[0].find(Shell_Text(c.geometry == 0 ? 30097 : 30098)), std::string::npos);
    EXPECT_FLOAT_EQ(Kadmi_GetFloatAtt(CalcRecordState().layerParts[0], 1376), direct.conductivity[0]);
    Kadmi_GetFloatAtt(0, c.geometry == 0 ? 1375 : 1374);
    EXPECT_EQ(Kadmi_LastAttWasFound(), 0);   // no economic data: no costs
}

INSTANTIATE_TEST_SUITE_P(Geometries, HeatLossInputTest, ::testing::ValuesIn(kGeometries),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(InsulationRunTest, RunsThatCannotGiveResultsSaySo)
{
    CalcRecord& r = HotPipe();
    InsulationLayerChoices layers = {{"MW-PIPESECTION", "IP", "MWP-114.3-50"}};
    std::strcpy(r.surfaceMaterialCode, "-200");
    r.emissivity = 0;
    EXPECT_EQ(InsulationRun_Calculate(r, layers), InsulationRunStatus::Refused);
    EXPECT_EQ(ErrorList_NError(), 1);

    r.emissivity = 0.9f;
    r.airVelocity = -5;   // the engine refuses a negative air velocity
    r.outerDiameters[0] = -1;
    EXPECT_EQ(InsulationRun_Calculate(r, layers), InsulationRunStatus::Failed);
    EXPECT_GT(ErrorList_NError(), 0);
    EXPECT_FALSE(InsulationRun_FirstErrorLine().empty());
}

// A warning of the heat loss (a negative conductivity) is still in the error
// list when the results are stored, so that it shows with them.
TEST_F(InsulationRunTest, TheHeatLossWarningsStayWithTheResults)
{
    CalcRecord& r = HotPipe();
    r.emissivity = 0.9f;
    for (int i = 0; i < kEconomicInputs; ++i)
        Kadmi_SetFloatAtt(0, short(kAttEconomicFirst + i), EconomicInputs{{2, 20, 50, 8000, 5}}.values[i]);
    const InsulationLayerChoices layers = {{"MW-PIPESECTION", "IP", "MWP-114.3-50"}};
    ASSERT_EQ(InsulationRun_Calculate(r, layers), InsulationRunStatus::Done);
    ErrorList_Insert(0, ErrorKind_Warning, 40047, nullptr, 0, nullptr);   // as the engine reports it
    const std::string warning = InsulationRun_FirstErrorLine();
    InsulationResultLines lines;
    EXPECT_FALSE(InsulationRun_StoreResults(r, &lines));   // the warning is no cost error
    ASSERT_EQ(ErrorList_NError(), 1);
    EXPECT_EQ(InsulationRun_FirstErrorLine(), warning);
}

// New systems of each geometry, warm and cold, as their defaults leave them
// (outer surface reported, a listed surface): the first run gives results,
// the outer surface's temperature, and a dew point only where it is the
// surrounding air's at a humidity the object page asks (none for a warm
// object: NaN, shown in words and 1322 absent). 25 °C at 70 %: 19.1 °C.
struct NewSystemCase {
    const char* name;
    int geometry;   // flag position: 0 plane, 1 pipe, 2 round duct, 3 rectangular duct
    float contents, ambient, humidity;
    double dewPoint;
};

const NewSystemCase kNewSystems[] = {
    {"WarmPipe", 1, 150, 20, 50, NAN},          {"ChilledWaterPipe", 1, 6, 25, 70, 19.145},
    {"WarmPipeOutdoors", 1, 10, -30, 50, NAN},  {"WarmPlane", 0, 60, 20, 50, NAN},
    {"ColdPlane", 0, 5, 20, 50, 9.268},         {"WarmRoundDuct", 2, 150, 20, 50, NAN},
    {"ColdRoundDuct", 2, 5, 20, 50, 9.268},     {"ColdRectDuct", 3, 6, 25, 70, 19.145},
    {"ColdPipeNoHumidity", 1, 5, 20, 0, NAN},
};

class NewSystemRunTest : public InsulationRunTest, public ::testing::WithParamInterface<NewSystemCase> {};

TEST_P(NewSystemRunTest, ReportsTheOuterSurfaceAndTheAirsDewPoint)
{
    const NewSystemCase& c = GetParam();
    CalcData_SetNewSystemDefaults();
    CalcRecord_Load();
    CalcRecord& r = CalcRec();
    ASSERT_EQ(r.reportedSurface, 1);
    ASSERT_GT(r.emissivity, 0.01f);   // a listed surface material
    SetGeometry(r, c.geometry);
    r.outerDiameters[0] = 60.3f;
    r.outerDiameters[1] = 500.0f;
    r.width = 600;
    r.height = 400;
    r.contentsTemperature = c.contents;
    r.ambientTemperature = c.ambient;
    r.relativeHumidity = c.humidity;
    r.thickness[0] = 50;
    r.conductivity[0] = 0.04f;
    InsulationLayerChoices layers = {c.geometry == 1 ? InsulationLayerChoice{"MW-PIPESECTION", "IP", "MWP-60.3-50"}
                                                     : InsulationLayerChoice{"MW-SLAB-HT", "IM", "-456"}};
    Kadmi_SetFloatAtt(0, 1322, 0);   // what an earlier run stored

    ASSERT_EQ(InsulationRun_Calculate(r, layers), InsulationRunStatus::Done);
    EXPECT_EQ(ErrorList_NError(), 0);
    InsulationResultLines lines;
    InsulationRun_StoreResults(r, &lines);
    EXPECT_NE(Kadmi_GetFloatAtt(0, 1323), 0.0f);
    EXPECT_EQ(lines.line[1].rfind(Shell_Text(40028), 0), 0u) << lines.line[1];
    const std::string label = std::string(Shell_Text(30094)) + ": ";
    if (std::isnan(c.dewPoint)) {
        EXPECT_EQ(lines.line[2], label + Shell_Text(45241));
        EXPECT_EQ(Kadmi_GetFloatAttZ(0, 1322), AttMissing_Float);
    } else {
        EXPECT_NEAR(Kadmi_GetFloatAtt(0, 1322), c.dewPoint, 0.02);
        char figure[16];
        std::snprintf(figure, sizeof figure, "%.1f", c.dewPoint);
        EXPECT_EQ(lines.line[2].rfind(label + figure, 0), 0u) << lines.line[2];
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, NewSystemRunTest, ::testing::ValuesIn(kNewSystems),
                         [](const auto& info) { return std::string(info.param.name); });

// The cost line gives a total only where there are economic data; without
// them it says so (in the economic case the errors say why), and no cost nor
// "all prices found" stays stored from an earlier run.
TEST_F(InsulationRunTest, TheCostLineSaysWhenThereAreNoEconomicData)
{
    CalcRecord& r = HotPipe();
    r.emissivity = 0.9f;
    r.reportedSurface = 1;
    Kadmi_SetIntAtt(0, 1117, Kind_Pipe);
    const InsulationLayerChoices layers = {{"MW-PIPESECTION", "IP", "MWP-114.3-50"}};
    const std::string label = std::string(Shell_Text(30084)) + ": ";
    const struct {
        const char* name;
        EconomicInputs inputs;   // increase %, life, energy price, hours, interest %
        uint8_t economicCase;
        const char* says;        // after the label; nullptr: a figure
    } rows[] = {
        {"economic data", {{2, 20, 50, 8000, 5}}, 0, nullptr},
        {"no economic data", {{0, 0, 0, 0, 0}}, 0, Shell_Text(45280)},
        {"economic data again", {{2, 20, 50, 8000, 5}}, 0, nullptr},
        {"no economic data, economic case", {{0, 0, 0, 0, 0}}, 1, Shell_Text(40068)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        for (int i = 0; i < kEconomicInputs; ++i)
            Kadmi_SetFloatAtt(0, short(kAttEconomicFirst + i), row.inputs.values[i]);
        r.caseFlags[0] = row.economicCase;
        ASSERT_EQ(InsulationRun_Calculate(r, layers), InsulationRunStatus::Done);
        InsulationResultLines lines;
        InsulationRun_StoreResults(r, &lines);
        ASSERT_EQ(lines.line[3].rfind(label, 0), 0u) << lines.line[3];
        const std::string says = lines.line[3].substr(label.size());
        if (row.says)
            EXPECT_EQ(says.rfind(row.says, 0), 0u) << says;
        else
            EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(says[0])) && says[0] != '0') << says;
        for (short att : {1370, 1372, 1374, 1136}) {
            if (att == 1136)
                Kadmi_GetIntAtt(0, att);
            else
                Kadmi_GetFloatAtt(0, att);
            EXPECT_EQ(Kadmi_LastAttWasFound() != 0, row.says == nullptr) << att;
        }
    }
}

} // namespace
