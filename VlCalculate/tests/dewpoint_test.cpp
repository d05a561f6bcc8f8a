// Dew points across the accepted air temperatures, the refusals at its
// limits, and which modes compute anything.
#include "VlCalculate/tests/fake_deps.h"

namespace {
struct DewCase {
    const char* name;
    float air;
    float humidity;
    double dewPoint;
};

class DewPoints : public EngineTest, public ::testing::WithParamInterface<DewCase> {};

// reference_figures.py: the temperature whose saturation pressure is the
// humidity times that of the air, by bisection on the same pressure formula;
// the Magnus formula agrees within 0.03 K. The engine interpolates between
// half-kelvin steps.
const DewCase kDewCases[] = {
    {"Room50", 20, 50, 9.268},
    {"Room80", 20, 80, 16.445},
    {"Frost", -10, 80, -12.791},
    {"LowestAirHumid", -31, 80, -33.319},
    {"LowestAirDry", -31, 30, -42.950},
    {"HighestAir", 50, 90, 47.892},
    {"Saturated", 0, 100, 0.0},
    {"DryAndWarm", 35, 10, -1.143},
};

TEST_P(DewPoints, MatchTheSaturationPressureSolve)
{
    const DewCase& c = GetParam();
    Dew_pointOutput out{};
    EXPECT_EQ(Dew_point({1, c.air, c.air - 5, c.humidity}, &out), 0);
    EXPECT_NEAR(out.dewPoint, c.dewPoint, 0.02);
    EXPECT_TRUE(Fake().errors.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, DewPoints, ::testing::ValuesIn(kDewCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct DewRefusal {
    const char* name;
    float air;
    float humidity;
    int32_t textId;
};

class DewRefusals : public EngineTest, public ::testing::WithParamInterface<DewRefusal> {};

const DewRefusal kDewRefusals[] = {
    {"JustBelowTheRange", -31.1f, 80, 40040},
    {"JustAboveTheRange", 50.1f, 80, 40041},
    {"NoHumidity", 20, 0, 40044},
    {"DewPointBelowEveryScannedTemperature", -31, 0.001f, 40044},
};

TEST_P(DewRefusals, ReportAndGiveMinus999)
{
    const DewRefusal& c = GetParam();
    Dew_pointOutput out{};
    EXPECT_EQ(Dew_point({1, c.air, c.air - 5, c.humidity}, &out), -999);
    EXPECT_FLOAT_EQ(out.dewPoint, -999.0f);
    ASSERT_EQ(Fake().errors.size(), 1u);
    EXPECT_EQ(Fake().errors[0].textId, c.textId);
    EXPECT_EQ(Fake().errors[0].severity, -2);
}

INSTANTIATE_TEST_SUITE_P(Cases, DewRefusals, ::testing::ValuesIn(kDewRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, DewPointRangeBoundsAreInside)
{
    Dew_pointOutput out{};
    EXPECT_EQ(Dew_point({1, -31, -40, 60}, &out), 0);
    EXPECT_EQ(Dew_point({1, 50, 10, 60}, &out), 0);
    EXPECT_TRUE(Fake().errors.empty());
}

TEST_F(EngineTest, WarmObjectNeedsNoAmbientDewPoint)
{
    Dew_pointOutput out{12.5f};
    EXPECT_EQ(Dew_point({1, 20, 60, 50}, &out), 0);
    EXPECT_FLOAT_EQ(out.dewPoint, 12.5f);
}

TEST_F(EngineTest, InnerSurfaceModeWorksForAWarmMedium)
{
    // Mode 2 takes the medium temperature, whatever the ambient: 20 °C at 50 %.
    Dew_pointOutput out{};
    EXPECT_EQ(Dew_point({2, 10, 20, 50}, &out), 0);
    EXPECT_NEAR(out.dewPoint, 9.268, 0.02);
}

TEST_F(EngineTest, SupersaturatedAirCondensesAtItsOwnTemperature)
{
    Dew_pointOutput out{};
    EXPECT_EQ(Dew_point({1, 15, 10, 120}, &out), 0);
    EXPECT_FLOAT_EQ(out.dewPoint, 15.0f);
}

TEST_F(EngineTest, UnknownModeLeavesTheOutput)
{
    Dew_pointOutput out{3.0f};
    EXPECT_EQ(Dew_point({7, 20, 10, 50}, &out), 0);
    EXPECT_FLOAT_EQ(out.dewPoint, 3.0f);
}
} // namespace
