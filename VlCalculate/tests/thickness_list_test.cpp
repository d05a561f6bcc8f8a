// The thickness list of a product type: one element per thickness entry,
// its dimensions, heat loss, surface temperature and annual cost, the filters
// of every calculation case, and the ownership of the lists.
#include <cmath>
#include <cstring>
#include "VlCalculate/tests/fake_deps.h"

namespace {
constexpr int32_t kPart = 21;
constexpr int16_t kTech = 1, kEur = 11;

// A pipe of 88.9 mm at 150 °C in air of 20 °C (60 %, still, emissivity 0.9)
// with wool of type "WOOL" in group "PI1": 30, 50, 80 mm, and a 50 mm shell
// whose 60 mm bore is too small for the pipe.
class ThicknessListTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        FakeWorld& w = Fake();
        w.parts = {kPart};
        w.pageShorts[{0, 1117}] = 11;
        w.pageShorts[{0, 1120}] = 1;
        w.setPageFloat(0, 1312, {88.9f, 0});
        setConditions(150, 20, 60);
        w.setPageFloat(0, 1319, {0.9f});
        w.pageStrings[{kPart, 1536}] = "WOOL";
        w.pageStrings[{kPart, 1538}] = "PI1";
        w.setPageFloat(kPart, 1326, {50});
        w.techEntries[{kTech, "PI1", "WOOL", 1600}] = {"W-30", "W-50", "W-50S", "W-80", "", "W-99"};
        product("W-30", 30, 0);
        product("W-50", 50, 0);
        product("W-50S", 50, 60);
        product("W-80", 80, 0);
        product("W-99", 99, 0);
        // 5 % over 20 years, 40 per MWh, 8000 h, 2 % rise.
        w.setPageFloat(0, 1363, {5});
        w.setPageFloat(0, 1360, {20});
        w.setPageFloat(0, 1359, {2});
        w.setPageFloat(0, 1361, {40});
        w.setPageFloat(0, 1362, {8000});
    }
    static void setConditions(float medium, float ambient, float humidity)
    {
        Fake().setPageFloat(0, 1315, {medium});
        Fake().setPageFloat(0, 1316, {ambient});
        Fake().setPageFloat(0, 1317, {humidity});
    }
    static void product(const char* code, float thickness, float bore)
    {
        // Mineral wool, λ = 0.033 + 0.015 t + 0.006 t², t = T/100; 40 per m² of outer surface.
        Fake().setTechFloat(kTech, "PI1", code, 1304, {thickness});
        Fake().setTechFloat(kTech, "PI1", code, 1305, {bore});
        Fake().setTechFloat(kTech, "PI1", code, 1306, {bore > 0 ? bore + 2 * thickness : 0});
        Fake().setTechFloat(kTech, "PI1", code, 1307, {0.033f});
        Fake().setTechFloat(kTech, "PI1", code, 1308, {0.015f});
        Fake().setTechFloat(kTech, "PI1", code, 1309, {0.006f});
        Fake().setTechFloat(kEur, "PR", code, 1301, {40});
    }
    static std::vector<INSULATIONTHICKNESSRESULTLIST> list(int16_t calculationCase, float heatLossLimit = 0,
                                                           float surfaceLimit = 0)
    {
        INSULATIONTHICKNESSINPUT in{};
        in.part = kPart;
        std::memcpy(in.productGroup, "PI1", 3);
        in.calculationCase = calculationCase;
        in.heatLossLimit = heatLossLimit;
        in.surfaceTempLimit = surfaceLimit;
        short count = -1;
        INSULATIONTHICKNESSRESULTLIST* first = CalculateInsulationThicknessList(in, &count);
        EXPECT_EQ(first == nullptr, count == 0);
        return std::vector<INSULATIONTHICKNESSRESULTLIST>(first, first + count);
    }
    static std::vector<float> thicknesses(const std::vector<INSULATIONTHICKNESSRESULTLIST>& l)
    {
        std::vector<float> t;
        for (const auto& e : l) {
            t.push_back(e.thickness);
        }
        return t;
    }
};

TEST_F(ThicknessListTest, EconomicCaseListsEveryFittingEntryUpToAnEmptyKey)
{
    // Heat losses from reference_figures.py: 70.5621, 50.4812 and 37.9268 W/m,
    // surfaces 35.314, 29.471 and 25.868 °C.
    const auto l = list(kCaseEconomic);
    ASSERT_EQ(thicknesses(l), (std::vector<float>{30, 50, 80}));
    const double heatLoss[] = {70.5621, 50.4812, 37.9268};
    const double surface[] = {35.314, 29.471, 25.868};
    for (size_t i = 0; i < l.size(); ++i) {
        EXPECT_NEAR(l[i].heatLoss, heatLoss[i], heatLoss[i] * 0.005) << i;
        EXPECT_NEAR(l[i].surfaceTemp, surface[i], 0.3) << i;
        EXPECT_FLOAT_EQ(l[i].innerDimension1, 88.9f);
        EXPECT_FLOAT_EQ(l[i].outerDimension1, 88.9f + 2 * l[i].thickness);
    }
    EXPECT_STREQ(l[0].productCode, "W-30                          ");
    EXPECT_EQ(std::strlen(l[1].productCode), 30u);
}

TEST_F(ThicknessListTest, EachCandidateIsPricedAtItsOwnThickness)
{
    // 80 mm: π·(88.9 + 160)/1000 · 40 = 31.2777 of material, times the annuity
    // factor 0.0802426 gives 2.5098; energy is 0.390078 per W/m of heat loss.
    const auto l = list(kCaseEconomic);
    ASSERT_EQ(l.size(), 3u);
    EXPECT_NEAR(l[2].totalAnnualCost - 0.390078 * l[2].heatLoss, 2.5098, 1e-3);
}

// Without economic data no entry has a cost, and the economic case says why
// once for the list; an entry without a material price has none either.
TEST_F(ThicknessListTest, EntriesThatCannotBeCostedHaveNoCost)
{
    Fake().setPageFloat(0, 1360, {0});   // no useful life
    auto l = list(kCaseEconomic);
    ASSERT_EQ(l.size(), 3u);
    for (const auto& e : l)
        EXPECT_FALSE(ThicknessList_IsCosted(e));
    EXPECT_EQ(Fake().errorIds().size(), 1u);

    Fake().setPageFloat(0, 1360, {20});
    Fake().setTechFloat(kEur, "PR", "W-50", 1301, {0});
    l = list(kCaseEconomic);
    ASSERT_EQ(l.size(), 3u);
    EXPECT_TRUE(ThicknessList_IsCosted(l[0]));
    EXPECT_FALSE(ThicknessList_IsCosted(l[1]));
}

TEST_F(ThicknessListTest, AllCaseEqualsEconomicCase)
{
    const auto economic = list(kCaseEconomic);
    const auto all = list(kCaseAll);
    ASSERT_EQ(economic.size(), all.size());
    EXPECT_EQ(std::memcmp(economic.data(), all.data(), economic.size() * sizeof economic[0]), 0);
}

struct FilterCase {
    const char* name;
    float medium, ambient, humidity;
    int16_t calculationCase;
    float heatLossLimit, surfaceLimit;
    std::vector<float> kept;
};

class ThicknessFilters : public ThicknessListTest, public ::testing::WithParamInterface<FilterCase> {};

// Hot figures as above; cold: 5 °C in air of 25 °C, reference_figures.py gives
// -7.5865, -5.4646, -4.1207 W/m and surfaces 22.959, 23.776, 24.263 °C; the
// dew point of 25 °C at 90 % is 23.243 °C.
const FilterCase kFilters[] = {
    {"HotHeatLossLimit", 150, 20, 60, kCaseHeatLossLimit, 55, 0, {50, 80}},
    {"HotSurfaceLimit", 150, 20, 60, kCaseSurfaceTempLimit, 0, 30, {50, 80}},
    {"HotCondensationKeepsAll", 150, 20, 60, kCaseCondensation, 0, 0, {30, 50, 80}},
    {"ColdHeatLossLimit", 5, 25, 90, kCaseHeatLossLimit, -6, 0, {50, 80}},
    {"ColdSurfaceLimit", 5, 25, 90, kCaseSurfaceTempLimit, 0, 24, {80}},
    {"ColdCondensation", 5, 25, 90, kCaseCondensation, 0, 0, {50, 80}},
    {"UnknownCase", 150, 20, 60, 5, 0, 0, {}},
};

TEST_P(ThicknessFilters, KeepTheEntriesThatMeetTheTarget)
{
    const FilterCase& c = GetParam();
    setConditions(c.medium, c.ambient, c.humidity);
    EXPECT_EQ(thicknesses(list(c.calculationCase, c.heatLossLimit, c.surfaceLimit)), c.kept);
}

INSTANTIATE_TEST_SUITE_P(Cases, ThicknessFilters, ::testing::ValuesIn(kFilters),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ThicknessListTest, CondensationWithoutADewPointKeepsNothingAndSaysWhy)
{
    const struct { const char* name; float air, humidity; int32_t textId; } rows[] = {
        {"air above 50 °C has no dew point here", 60, 90, 40041},
        {"no humidity given", 25, 0, 45240},
        {"humidity missing", 25, -3.4e38f, 45240},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Fake().errors.clear();
        setConditions(5, row.air, row.humidity);
        EXPECT_TRUE(list(kCaseCondensation).empty());
        EXPECT_EQ(Fake().errorIds(), std::vector<int32_t>{row.textId});
    }
    // A warm object's outer surface needs no humidity.
    Fake().errors.clear();
    setConditions(150, 20, 0);
    EXPECT_EQ(list(kCaseCondensation).size(), 3u);
    EXPECT_TRUE(Fake().errors.empty());
}

// The extended interface keeps the dew point of its own target humidity
// (1384) above the surface; the air's (1317) then does not decide.
TEST_F(ThicknessListTest, CondensationWorksToTheNamedHumidity)
{
    setConditions(5, 25, 90);
    const struct { const char* name; short attribute; float target; std::vector<float> kept; } rows[] = {
        {"the air's humidity", 0, 40, {50, 80}},
        {"a target humidity as the air's", 1384, 90, {50, 80}},
        {"a drier target keeps the thinnest too", 1384, 40, {30, 50, 80}},
    };
    for (const auto& row : rows) {
        Fake().setPageFloat(0, 1384, {row.target});
        SetCondensationHumidityAttribute(row.attribute);
        EXPECT_EQ(thicknesses(list(kCaseCondensation)), row.kept) << row.name;
    }
    SetCondensationHumidityAttribute(0);
}

TEST_F(ThicknessListTest, RectangularDuctDimensions)
{
    Fake().pageShorts[{0, 1117}] = 13;
    Fake().setPageFloat(0, 1313, {600});
    Fake().setPageFloat(0, 1314, {400});
    const auto l = list(kCaseEconomic);
    ASSERT_EQ(l.size(), 4u);  // the shell's bore does not matter on a duct
    EXPECT_FLOAT_EQ(l[0].innerDimension1, 600);
    EXPECT_FLOAT_EQ(l[0].innerDimension2, 400);
    EXPECT_FLOAT_EQ(l[0].outerDimension1, 660);
    EXPECT_FLOAT_EQ(l[0].outerDimension2, 460);
}

TEST_F(ThicknessListTest, DuctCandidatesArePricedWithDuctLabour)
{
    // 600 x 400 mm, 30 mm: 40 per m² and labour 2 per m with the outermost
    // layer's extra 1 over the perimeter 2·600 + 2·400 + 4·30 = 2120 mm give
    // 84.8 + 6.36; times the annuity factor 0.0802426: 7.3150 (6.8046
    // without the labour), as the page costs a duct of that one layer.
    Fake().pageShorts[{0, 1117}] = 13;
    Fake().setPageFloat(0, 1313, {600});
    Fake().setPageFloat(0, 1314, {400});
    Fake().setTechFloat(kEur, "PR", "W-30", 1604, {2, 3, 4, 1});
    const auto l = list(kCaseEconomic);
    ASSERT_FALSE(l.empty());
    EXPECT_NEAR(l[0].totalAnnualCost - 0.390078 * l[0].heatLoss, 7.3150, 2e-3);
}

// The condensation case keeps the outer surface above the surrounding air's
// dew point whichever surface the page reports (1120); the list's surface
// column is the reported one, the outer one where none is stored. Cold: the
// figures of kFilters (outer surfaces 22.959, 23.776, 24.263 °C, dew point
// 23.243 °C); warm: 30 °C contents in -10 °C: nothing condenses on the
// outside.
struct ReportedSurfaceCase {
    const char* name;
    int16_t reportedSurface;
    float medium, ambient, humidity;
    std::vector<float> kept;
    double firstSurface;   // the first kept element's surface column
};

class ReportedSurfaceCases : public ThicknessListTest, public ::testing::WithParamInterface<ReportedSurfaceCase> {};

const ReportedSurfaceCase kReportedSurfaceCases[] = {
    {"ColdOuter", 1, 5, 25, 90, {50, 80}, 23.776},
    {"ColdInnerStillTestsTheOuter", 2, 5, 25, 90, {50, 80}, 5.206},
    {"ColdNoneStoredIsTheOuter", 0, 5, 25, 90, {50, 80}, 23.776},
    {"WarmInnerKeepsAll", 2, 30, -10, 78, {30, 50, 80}, 29.441},
};

TEST_P(ReportedSurfaceCases, KeepTheOuterSurfaceAboveTheAirsDewPoint)
{
    const ReportedSurfaceCase& c = GetParam();
    Fake().pageShorts[{0, 1120}] = c.reportedSurface;
    setConditions(c.medium, c.ambient, c.humidity);
    const auto l = list(kCaseCondensation);
    EXPECT_EQ(thicknesses(l), c.kept);
    ASSERT_FALSE(l.empty());
    EXPECT_NEAR(l[0].surfaceTemp, c.firstSurface, 0.01);
    EXPECT_TRUE(Fake().errors.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportedSurfaceCases, ::testing::ValuesIn(kReportedSurfaceCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ThicknessListTest, NoLayerKeyGivesAnEmptyList)
{
    Fake().pageStrings.erase({kPart, 1536});
    EXPECT_TRUE(list(kCaseEconomic).empty());
}

TEST_F(ThicknessListTest, NewListReplacesTheOld)
{
    list(kCaseEconomic);
    EXPECT_EQ(Calc().fullCount, 3);
    list(kCaseHeatLossLimit, 55);
    EXPECT_EQ(Calc().fullCount, 3);
    EXPECT_EQ(Calc().filteredCount, 2);
    EXPECT_EQ(DeleteThicknessResultList(), 0);
    EXPECT_EQ(DeleteThicknessResultList(), 0);
    EXPECT_EQ(Calc().fullList, nullptr);
    EXPECT_EQ(Calc().filteredList, nullptr);
}
} // namespace
