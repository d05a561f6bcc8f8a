// The engine as the program loads it: VlCalculate.dll with the real error
// list, the technical data and price lists built from data/, and a project
// page made through the project database library.
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>
#include "Kadmi/kadmi.h"
#include "VlCalculate/vlcalculate.h"
#include "VlUtil/vlutil.h"
#include "outside/Torbase200/tests/testfiles.h"

namespace {
TEST(EngineLibrary, ExportsSitAtTheirOrdinals)
{
    static const char* const kNames[] = {
        "_Z24CalculateInsulationPricelPcPs",
        "_Z30CalculateInsulationTargetPricePsPi",
        "_Z32CalculateInsulationThicknessList24INSULATIONTHICKNESSINPUTPs",
        "_Z20CalculateLabourPricesPi",
        "_Z33CalculateOneInsulationTargetPricelPcfPsi",
        "_Z23CalculateOneLabourPricelPcs",
        "_Z26CoolingOfStationaryLiquids22CoolingStationaryInputP23CoolingStationaryOutput",
        "_Z5Costs10CostsInputP11CostsOutput",
        "_Z25DeleteThicknessResultListv",
        "_Z9Dew_point14Dew_pointInputP15Dew_pointOutput",
        "_Z12FreezingTime17FreezingTimeInputP18FreezingTimeOutput",
        "_Z23GetOtherInsulationPriceiPc",
        "_Z19HeatLossCalculation13HeatLossInputP14HeatLossOutput",
        "_Z23TemperatureChangeInPipe28TemperatureChangeInPipeInputP29TemperatureChangeInPipeOutput",
        "_Z27TemperatureChangeTimeInTank25TempChangeTimeInTankInputP26TempChangeTimeInTankOutput",
        "_Z17TotalFreezingTime17FreezingTimeInputP18FreezingTimeOutput",
        // Called by the extended interface.
        "_Z39CalculateInsulationNominalThicknessList24INSULATIONTHICKNESSINPUTPs",
        "_Z43SelectOnlyOneInsulationForEachInnerDiameterPi",
        "_Z30CalculateInsulationTargetPricelPcfPsiPi",
        // Called by the extended interface's cheapest-combination costing.
        "_Z20CalculateLabourSharelsP11LabourShare",
        "_Z15SumLabourSharesPK11LabourSharesPi",
        // Set by the extended interface at its start.
        "_Z32SetCondensationHumidityAttributes",
    };
    HMODULE engine = GetModuleHandleA("VlCalculate.dll");
    ASSERT_NE(engine, nullptr);
    for (int ordinal = 1; ordinal <= int(std::size(kNames)); ++ordinal) {
        FARPROC byName = GetProcAddress(engine, kNames[ordinal - 1]);
        EXPECT_NE(byName, nullptr) << kNames[ordinal - 1];
        EXPECT_EQ(GetProcAddress(engine, MAKEINTRESOURCEA(ordinal)), byName) << ordinal;
    }
    EXPECT_EQ(GetProcAddress(engine, MAKEINTRESOURCEA(23)), nullptr);
}

// A project with page 1 loaded: an 88.9 mm pipe at 150 °C in air of 20 °C,
// layer 1 a 50 mm mineral wool pipe section, layers 2 and 3 unused.
class EnginePage : public ::testing::Test {
protected:
    TempFolder dir;
    long part[3] = {};

    static void SetUpTestSuite() { ErrorList_Reset(); }
    void SetUp() override
    {
        ErrorList_Clear();
        ASSERT_EQ(Kadmi_CreateDatabasefile(dir.Path("engine.wdf").c_str()), 0);
        ASSERT_EQ(Kadmi_LoadPage(1), 0);
        for (long& p : part) {
            p = Kadmi_CreatePart();
            ASSERT_GT(p, 0);
        }
        Kadmi_SetIntAtt(0, 1117, 11);
        setDiameters(88.9f, 0);
        setConditions(150, 20, 60);
        Kadmi_SetFloatAtt(0, 1318, 0);
        Kadmi_SetFloatAtt(0, 1319, 0.9f);
        Kadmi_SetIntAtt(0, 1120, 1);
        Kadmi_SetFloatAtt(0, 1359, 2);
        Kadmi_SetFloatAtt(0, 1360, 20);
        Kadmi_SetFloatAtt(0, 1361, 40);
        Kadmi_SetFloatAtt(0, 1362, 8000);
        Kadmi_SetFloatAtt(0, 1363, 5);
        setLayer(part[0], "MW-PIPESECTION", "MWP-88.9-50", "IP");
        setLayer(part[1], "-789", "-789", "IP");
        setLayer(part[2], "-789", "-789", "IP");
    }
    void TearDown() override
    {
        DeleteThicknessResultList();
        Kadmi_CloseDatabasefile(0);
    }
    static void setDiameters(float pipe, float duct)
    {
        const float d[2] = {pipe, duct};
        Kadmi_SetAtt(0, 1312, 2, d);
    }
    static void setConditions(float medium, float ambient, float humidity)
    {
        Kadmi_SetFloatAtt(0, 1315, medium);
        Kadmi_SetFloatAtt(0, 1316, ambient);
        Kadmi_SetFloatAtt(0, 1317, humidity);
    }
    static void setLayer(long p, const char* type, const char* code, const char* group)
    {
        Kadmi_SetStringAtt(p, 1536, type);
        Kadmi_SetStringAtt(p, 1528, code);
        Kadmi_SetStringAtt(p, 1538, group);
    }
    static std::vector<INSULATIONTHICKNESSRESULTLIST> list(int16_t calculationCase, float heatLossLimit = 0,
                                                           float surfaceLimit = 0)
    {
        INSULATIONTHICKNESSINPUT in{};
        in.part = Kadmi_IthPart(0);
        std::memcpy(in.productGroup, "IP", 2);
        in.calculationCase = calculationCase;
        in.heatLossLimit = heatLossLimit;
        in.surfaceTempLimit = surfaceLimit;
        short count = -1;
        INSULATIONTHICKNESSRESULTLIST* first = CalculateInsulationThicknessList(in, &count);
        return first ? std::vector<INSULATIONTHICKNESSRESULTLIST>(first, first + count)
                     : std::vector<INSULATIONTHICKNESSRESULTLIST>{};
    }
};

struct CurrencyPrices {
    const char* name;
    short currency;
    float material;  // MWP-88.9-50 per metre, data/price/prices_<currency>.tab
    float labour;    // its 115 mm labour row: layer 1 plus the extra
};

class PricesByCurrency : public EnginePage, public ::testing::WithParamInterface<CurrencyPrices> {};

const CurrencyPrices kCurrencyPrices[] = {
    {"Euro", 0, 33.25f, 9.5f + 2.38f},
    {"Crowns", 1, 382.38f, 109.25f + 27.37f},
    {"Zloty", 2, 142.97f, 40.85f + 10.23f},
};

TEST_P(PricesByCurrency, ComeFromTheRealPriceLists)
{
    const CurrencyPrices& c = GetParam();
    Kadmi_SetIntAtt(-1, 1132, c.currency);
    short kind = 7;
    int missing = 7;
    EXPECT_FLOAT_EQ(CalculateInsulationPrice(part[0], nullptr, &kind), c.material);
    EXPECT_EQ(kind, 0);
    EXPECT_NEAR(CalculateLabourPrice(0, &missing), c.labour, 1e-4);
    EXPECT_EQ(missing, 0);
    EXPECT_NEAR(Kadmi_GetFloatAtt(0, 1321), c.labour, 1e-4);
    EXPECT_NEAR(CalculateInsulationTargetPrice(&kind, &missing), c.material + c.labour, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Cases, PricesByCurrency, ::testing::ValuesIn(kCurrencyPrices),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EnginePage, PlaneSlabPriceAndFlatLabour)
{
    // data/price/prices_EUR.tab, MWS-50: 8.7 per m²; flat labour 18 plus the extra 4.
    Kadmi_SetIntAtt(0, 1117, 10);
    setLayer(part[0], "MW-SLAB-HT", "MWS-50", "IS");
    short kind = 7;
    int missing = 7;
    EXPECT_FLOAT_EQ(CalculateInsulationPrice(part[0], nullptr, &kind), 8.7f);
    EXPECT_EQ(kind, 1);
    EXPECT_FLOAT_EQ(CalculateLabourPrice(1, &missing), 22.0f);
    EXPECT_FLOAT_EQ(Kadmi_GetFloatAtt(0, 1320), 22.0f);
}

TEST_F(EnginePage, UserProductPricesComeFromTheOtherInsulation)
{
    // data/insulation/user_types.tab, type 1: 9.50 EUR, 109.25 SEK, 40.85 PLN per m².
    EXPECT_FLOAT_EQ(GetOtherInsulationPrice(0, const_cast<char*>("1")), 9.5f);
    Kadmi_SetIntAtt(-1, 1132, 1);
    EXPECT_FLOAT_EQ(GetOtherInsulationPrice(0, const_cast<char*>("1")), 109.25f);
    Kadmi_SetIntAtt(-1, 1132, 2);
    EXPECT_FLOAT_EQ(GetOtherInsulationPrice(0, const_cast<char*>("1")), 40.85f);
}

TEST_F(EnginePage, UserProductTableGivesTheConductivity)
{
    // data/insulation/user_types.tab, type 1 (loose-fill mineral wool), 100 mm
    // on a plane at 60 °C in air of 20 °C: reference_figures.py 16.2559 W/m²,
    // λ 0.04278 at the layer mean, surface 21.837 °C.
    HeatLossInput in{};
    in.objectType = kCalcPlane;
    in.productId[0] = 1;
    in.ambientTemp = 20;
    in.mediumTemp = 60;
    in.emissivity = 0.9f;
    in.thickness[0] = 0.1f;
    HeatLossOutput out{};
    EXPECT_EQ(HeatLossCalculation(in, &out), 0);
    EXPECT_NEAR(out.heatLossPerSquareMetre, 16.2559, 0.08);
    EXPECT_NEAR(out.conductivity[0], 0.04278, 0.0003);
    EXPECT_NEAR(out.faceTemp[0], 21.837, 0.3);
    EXPECT_EQ(ErrorList_NError(), 0);
}

TEST_F(EnginePage, FailuresGoIntoTheErrorList)
{
    Dew_pointOutput out{};
    EXPECT_EQ(Dew_point({1, -40, -50, 80}, &out), -999);
    EXPECT_EQ(ErrorList_NError(), 1);
}

TEST_F(EnginePage, TankSizeIsStoredOnThePage)
{
    TempChangeTimeInTankInput in{};
    in.shape = 1;
    in.bothEnds = 1;
    in.diameterOrSide1 = 2;
    in.height = 3;
    in.density = 1000;
    in.specificHeat = 4186;
    in.startTemp = 80;
    in.ambientTemp = 10;
    in.endTemp = 40;
    in.heatLoss = 15;
    TempChangeTimeInTankOutput out{};
    EXPECT_EQ(TemperatureChangeTimeInTank(in, &out), 0);
    EXPECT_NEAR(Kadmi_GetFloatAtt(0, 1364), 25.13274, 1e-4);  // 8π
    EXPECT_NEAR(Kadmi_GetFloatAtt(0, 1365), 9.42478, 1e-4);   // 3π
}

// MW-PIPESECTION (data/tech/products_IP.tab) has 7 thicknesses on each of 15
// bores; 7 bores are 88.9 mm or more, so 49 fit the pipe. The heat loss
// depends on the thickness only; reference_figures.py with λ = 0.03315 +
// 0.00835 t + 0.002533 t² gives, hot (150/20 °C) and cold (5/25 °C):
//   mm:      20      30      40      50      60      80     100
//   W/m:   78.862  59.681  49.227  42.598  37.993  31.966  28.159
//   °C:    38.827  33.237  30.125  28.146  26.781  25.028  23.959
//   W/m:   -9.717  -7.422  -6.150  -5.337  -4.768  -4.020  -3.545
//   °C:    22.096  23.000  23.493  23.803  24.014  24.280  24.440
TEST_F(EnginePage, ThicknessListOfAFullProductType)
{
    const auto l = list(kCaseEconomic);
    ASSERT_EQ(l.size(), 49u);
    for (const auto& e : l) {
        EXPECT_EQ(std::strlen(e.productCode), 30u);
        EXPECT_GE(e.innerDimension1, 88.9f);
    }
    const auto fifty = std::find_if(l.begin(), l.end(), [](const auto& e) {
        return std::strncmp(e.productCode, "MWP-88.9-50 ", 12) == 0;
    });
    ASSERT_NE(fifty, l.end());
    EXPECT_NEAR(fifty->heatLoss, 42.598, 0.2);
    EXPECT_NEAR(fifty->surfaceTemp, 28.146, 0.3);
    EXPECT_FLOAT_EQ(fifty->outerDimension1, 188.9f);
    // 33.25 material + 9.5 labour + 2.38 extra of the only (outermost) layer at
    // the annuity 0.0802426, plus 0.390078 per W/m.
    EXPECT_NEAR(fifty->totalAnnualCost, 45.13 * 0.0802426 + 0.390078 * fifty->heatLoss, 1e-3);
    const auto all = list(kCaseAll);
    EXPECT_EQ(all.size(), 49u);
}

struct RealFilter {
    const char* name;
    float medium, ambient, humidity;
    int16_t calculationCase;
    float heatLossLimit, surfaceLimit;
    size_t kept;
};

class RealFilters : public EnginePage, public ::testing::WithParamInterface<RealFilter> {};

const RealFilter kRealFilters[] = {
    {"HotHeatLoss45", 150, 20, 60, kCaseHeatLossLimit, 45, 0, 4 * 7},
    {"HotSurface27", 150, 20, 60, kCaseSurfaceTempLimit, 0, 27, 3 * 7},
    {"HotCondensation", 150, 20, 60, kCaseCondensation, 0, 0, 7 * 7},
    {"ColdHeatLossMinus5", 5, 25, 90, kCaseHeatLossLimit, -5, 0, 3 * 7},
    {"ColdCondensationDew23_24", 5, 25, 90, kCaseCondensation, 0, 0, 5 * 7},
};

TEST_P(RealFilters, KeepWhatMeetsTheTarget)
{
    const RealFilter& c = GetParam();
    setConditions(c.medium, c.ambient, c.humidity);
    EXPECT_EQ(list(c.calculationCase, c.heatLossLimit, c.surfaceLimit).size(), c.kept);
}

INSTANTIATE_TEST_SUITE_P(Cases, RealFilters, ::testing::ValuesIn(kRealFilters),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EnginePage, ANewListFreesTheOld)
{
    short count = 0;
    INSULATIONTHICKNESSINPUT in{Kadmi_IthPart(0), {'I', 'P', 0}, kCaseEconomic, 0, 0};
    ASSERT_NE(CalculateInsulationThicknessList(in, &count), nullptr);
    EXPECT_EQ(count, 49);
    Kadmi_SetStringAtt(part[0], 1536, "NO-SUCH-TYPE");
    EXPECT_EQ(CalculateInsulationThicknessList(in, &count), nullptr);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(DeleteThicknessResultList(), 0);
}
} // namespace
