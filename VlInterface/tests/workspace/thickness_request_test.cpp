// The order of the thickness candidates per case and the adoption of the
// first one as layer 1 per geometry.
#include "VlInterface/workspace/thickness_request.h"
#include <gtest/gtest.h>
#include <cmath>
#include <string>
#include <vector>

namespace {

INSULATIONTHICKNESSRESULTLIST Candidate(float inner, float heatLoss, float surface, float cost, float outer = 0,
                                        float thickness = 0)
{
    INSULATIONTHICKNESSRESULTLIST e{};
    e.innerDimension1 = inner;
    e.outerDimension1 = outer;
    e.thickness = thickness;
    e.heatLoss = heatLoss;
    e.surfaceTemp = surface;
    e.totalAnnualCost = cost;
    return e;
}

struct OrderCase {
    const char* name;
    int16_t calculationCase;
    float reference;
    std::vector<INSULATIONTHICKNESSRESULTLIST> candidates;
    std::vector<int> expected;   // positions of the candidates in sorted order
};

const OrderCase kOrders[] = {
    {"FitsOverThePipeFirstTightestFirst", kCaseEconomic, 60,
     {Candidate(57, 0, 0, 1), Candidate(61, 0, 0, 1), Candidate(64, 0, 0, 1)}, {1, 2, 0}},
    {"AtTheDiameterCountsAsFitting", kCaseEconomic, 60,
     {Candidate(57, 0, 0, 1), Candidate(60, 0, 0, 1), Candidate(64, 0, 0, 1)}, {1, 2, 0}},
    {"EconomicCheapestFirst", kCaseEconomic, 60, {Candidate(61, 0, 0, 9), Candidate(61, 0, 0, 4)}, {1, 0}},
    {"ColdHeatLossLargestMagnitudeFirst", kCaseHeatLossLimit, 60,
     {Candidate(61, -8, 0, 0), Candidate(61, -12, 0, 0)}, {1, 0}},
    {"HotHeatLossLargestFirst", kCaseHeatLossLimit, 60, {Candidate(61, 8, 0, 0), Candidate(61, 12, 0, 0)}, {1, 0}},
    {"SurfaceTemperatureHighestFirst", kCaseSurfaceTempLimit, 60,
     {Candidate(61, 0, 30, 0), Candidate(61, 0, 38, 0)}, {1, 0}},
    {"CondensationLowestFirst", kCaseCondensation, 60, {Candidate(61, 0, 18, 0), Candidate(61, 0, 12, 0)}, {1, 0}},
    {"PlaneByCostAlone", kCaseEconomic, 0,
     {Candidate(0, 0, 0, 7), Candidate(0, 0, 0, 3), Candidate(0, 0, 0, 5)}, {1, 2, 0}},
    {"NaNCostLast", kCaseEconomic, 0, {Candidate(0, 0, 0, NAN), Candidate(0, 0, 0, 3)}, {1, 0}},
    {"UncostedAfterEveryCostedFit", kCaseEconomic, 60,
     {Candidate(61, 0, 0, kCostNotComputed), Candidate(64, 0, 0, 3)}, {1, 0}},
};

class ThicknessOrderTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(ThicknessOrderTest, PutsThePreferredCandidateFirst)
{
    const OrderCase& c = GetParam();
    std::vector<INSULATIONTHICKNESSRESULTLIST> list = c.candidates;
    for (size_t i = 0; i < list.size(); ++i)
        list[i].productCode[0] = char('A' + i);
    ThicknessList_Sort(list.data(), int(list.size()), c.calculationCase, c.reference);
    for (size_t i = 0; i < list.size(); ++i)
        EXPECT_EQ(list[i].productCode[0], char('A' + c.expected[i])) << "position " << i;
    // A strict weak ordering: nothing orders before itself, and the order is antisymmetric.
    for (const auto& a : c.candidates) {
        EXPECT_EQ(ThicknessList_Compare(c.calculationCase, c.reference, a, a), 0);
        for (const auto& b : c.candidates)
            EXPECT_EQ(ThicknessList_Compare(c.calculationCase, c.reference, a, b),
                      -ThicknessList_Compare(c.calculationCase, c.reference, b, a));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ThicknessOrderTest, ::testing::ValuesIn(kOrders),
                         [](const auto& info) { return std::string(info.param.name); });

struct AdoptCase {
    const char* name;
    int geometry;   // flag position
    float inner, outer, thickness;
    float expectInner, expectOuter, expectThickness;
    int heatLossResult;   // 0 per metre, 1 per m²
    const char* name40;
};

const AdoptCase kAdoptions[] = {
    {"Pipe", 1, 61, 161, 50, 61, 161, 50, 0, "50"},
    {"RoundDuct", 2, 500, 580, 40, 500, 580, 40, 0, "40"},
    {"RectangularDuct", 3, 400, 480, 40, 0, 0, 40, 0, "40"},
    {"Plane", 0, 0, 0, 40.4f, 0, 0, 40.4f, 1, "40"},
};

class ThicknessAdoptTest : public ::testing::TestWithParam<AdoptCase> {};

TEST_P(ThicknessAdoptTest, TakesTheCandidateAsLayerOne)
{
    const AdoptCase& c = GetParam();
    CalcRecord r{};
    r.geometryFlags[c.geometry] = 1;
    std::string name = ThicknessRequest_Adopt(r, Candidate(c.inner, 33, 0, 0, c.outer, c.thickness));
    EXPECT_FLOAT_EQ(r.innerDiameter[0], c.expectInner);
    EXPECT_FLOAT_EQ(r.outerDiameter[0], c.expectOuter);
    EXPECT_FLOAT_EQ(r.thickness[0], c.expectThickness);
    EXPECT_FLOAT_EQ(r.heatLossResults[c.heatLossResult], 33);
    EXPECT_EQ(r.heatLossResults[1 - c.heatLossResult], 0.0f);
    EXPECT_EQ(name, c.name40);
}

INSTANTIATE_TEST_SUITE_P(Geometries, ThicknessAdoptTest, ::testing::ValuesIn(kAdoptions),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
