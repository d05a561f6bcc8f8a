// Annual costs: the annuity of the investment and the energy cost at the
// mid-life price, and the refusal of an annuity that cannot be formed.
#include <cmath>
#include "VlCalculate/tests/fake_deps.h"

namespace {
CostsInput Economy(int32_t type)
{
    // 5 % over 20 years, investment 1000; 40 per MWh, 8000 h, 2 % a year rise;
    // 60 W/m or 60 W/m², the other field a decoy.
    return {type, type == 2 || type == 3 ? 60.0f : 999.0f, type == 2 || type == 3 ? 999.0f : 60.0f,
            0.05f, 20, 0.02f, 40, 8000, 1000, 1};
}

class AnnualCosts : public EngineTest, public ::testing::WithParamInterface<int32_t> {};

TEST_P(AnnualCosts, AnnuityPlusMidLifeEnergy)
{
    // reference_figures.py: capital 0.05 / (1 - 1.05^-20) · 1000 = 80.2426;
    // energy 8000 · 40 · 1.02^10 · 60e-6 = 23.4047.
    CostsOutput out{};
    EXPECT_FLOAT_EQ(Costs(Economy(GetParam()), &out), 0.0f);
    EXPECT_NEAR(out.capitalCost, 80.2426, 0.001);
    EXPECT_NEAR(out.energyCost, 23.4047, 0.001);
    EXPECT_NEAR(out.totalCost, 103.6473, 0.002);
}

INSTANTIATE_TEST_SUITE_P(ObjectTypes, AnnualCosts, ::testing::Values(1, 2, 3, 4, 5));

TEST_F(EngineTest, UnknownObjectTypeBillsNoEnergy)
{
    CostsOutput out{};
    EXPECT_FLOAT_EQ(Costs(Economy(9), &out), 0.0f);
    EXPECT_FLOAT_EQ(out.energyCost, 0.0f);
    EXPECT_NEAR(out.capitalCost, 80.2426, 0.001);
}

TEST_F(EngineTest, HeatGainCostsLikeHeatLoss)
{
    CostsInput in = Economy(1);
    in.heatLossPerMetre = -60;
    CostsOutput out{};
    EXPECT_FLOAT_EQ(Costs(in, &out), 0.0f);
    EXPECT_NEAR(out.energyCost, 23.4047, 0.001);
}

TEST_F(EngineTest, ZeroInterestFailsWithZeroedOutputs)
{
    CostsInput in = Economy(1);
    in.interestRate = 0;
    CostsOutput out{1, 2, 3};
    EXPECT_FLOAT_EQ(Costs(in, &out), -1.0f);
    EXPECT_EQ(Fake().errorIds(), std::vector<int32_t>{40063});
    EXPECT_FLOAT_EQ(out.capitalCost, 0.0f);
    EXPECT_FLOAT_EQ(out.energyCost, 0.0f);
    EXPECT_FLOAT_EQ(out.totalCost, 0.0f);
}

TEST_F(EngineTest, ZeroInterestIsReportedOnlyWhenAsked)
{
    CostsInput in = Economy(1);
    in.interestRate = 0;
    in.reportErrors = 0;
    CostsOutput out{};
    EXPECT_FLOAT_EQ(Costs(in, &out), -1.0f);
    EXPECT_TRUE(Fake().errors.empty());
}
} // namespace

namespace {
struct ImpossibleEconomy {
    const char* name;
    void (*change)(CostsInput&);
};

class ImpossibleEconomies : public EngineTest, public ::testing::WithParamInterface<ImpossibleEconomy> {};

// A NaN or infinite cost would upset every list sorted by cost; these fail
// with zeroed outputs instead.
const ImpossibleEconomy kImpossibleEconomies[] = {
    {"MissingInterestSentinel", [](CostsInput& in) { in.interestRate = -3.4e38f / 100; }},
    {"InfiniteOperatingTime", [](CostsInput& in) { in.operatingHours = INFINITY; }},
    {"UnknownInvestment", [](CostsInput& in) { in.investment = std::nanf(""); }},
    {"UnknownHeatLoss", [](CostsInput& in) { in.heatLossPerMetre = std::nanf(""); }},
};

TEST_P(ImpossibleEconomies, FailWithZeroedOutputs)
{
    for (int32_t report : {1, 0}) {
        Fake().errors.clear();
        CostsInput in = Economy(1);
        GetParam().change(in);
        in.reportErrors = report;
        CostsOutput out{1, 2, 3};
        EXPECT_FLOAT_EQ(Costs(in, &out), -1.0f);
        EXPECT_EQ(Fake().errorIds(), report ? std::vector<int32_t>{40044} : std::vector<int32_t>{});
        EXPECT_FLOAT_EQ(out.capitalCost, 0.0f);
        EXPECT_FLOAT_EQ(out.energyCost, 0.0f);
        EXPECT_FLOAT_EQ(out.totalCost, 0.0f);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ImpossibleEconomies, ::testing::ValuesIn(kImpossibleEconomies),
                         [](const auto& info) { return std::string(info.param.name); });
} // namespace
