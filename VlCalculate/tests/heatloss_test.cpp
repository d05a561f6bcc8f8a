// Heat loss through one to three layers on pipes, plane walls and ducts,
// checked against an independent solve of the same heat balance
// (tests/reference_figures.py), and the failures of the calculation.
#include <cmath>
#include <cstring>
#include "VlCalculate/tests/fake_deps.h"

namespace {
struct Layer {
    float thickness;
    float a, b, c;
    float d = 0;
};

HeatLossInput MakeInput(int32_t type, float medium, float ambient, float velocity, float emissivity,
                        float diameter, std::initializer_list<Layer> layers)
{
    HeatLossInput in{};
    in.objectType = type;
    in.mediumTemp = medium;
    in.ambientTemp = ambient;
    in.airVelocity = velocity;
    in.emissivity = emissivity;
    in.outerDiameter = diameter;
    int k = 0;
    for (const Layer& l : layers) {
        in.thickness[k] = l.thickness;
        in.coefA[k] = l.a;
        in.coefB[k] = l.b;
        in.coefC[k] = l.c;
        in.coefD[k] = l.d;
        ++k;
    }
    return in;
}

// A rectangular duct with 50 mm of λ 0.04 at 40 °C in air of 10 °C.
HeatLossInput MakeDuct(float width, float height)
{
    HeatLossInput in = MakeInput(5, 40, 10, 0, 0.9f, 0, {{0.05f, 0.04f, 0, 0}});
    in.ductWidth = width;
    in.ductHeight = height;
    return in;
}

const Layer kWool50{0.05f, 0.033f, 0.015f, 0.006f};  // mineral wool, λ = 0.033 + 0.015 t + 0.006 t², t = T/100

struct HeatLossCase {
    const char* name;
    HeatLossInput input;
    double heatLoss;                 // W/m (pipes, ducts) or W/m² (plane)
    std::vector<double> faces;       // inner surface, then the outer face of each layer
    std::vector<double> conductivity;
};

class HeatLossFigures : public EngineTest, public ::testing::WithParamInterface<HeatLossCase> {};

// Every figure comes from reference_figures.py (bisection on the surface
// temperature, layer means iterated to 1e-12 K). The engine stops at 0.05 K
// and 1 K, hence the tolerances.
const HeatLossCase kHeatLossCases[] = {
    {"PipeOneLayerStillAir", MakeInput(1, 150, 20, 0, 0.9f, 0.1143f, {kWool50}), 60.4155, {148.229, 30.042}, {0.05114}},
    {"PipeOneLayerWind", MakeInput(1, 150, 20, 5, 0.9f, 0.1143f, {kWool50}), 62.6304, {148.164, 23.634}, {0.05031}},
    {"PipeLowEmissivity", MakeInput(1, 150, 20, 0, 0.05f, 0.1143f, {kWool50}), 57.1549, {148.325, 39.039}, {0.05232}},
    {"PipeThreeLayers",
     MakeInput(1, 250, 20, 0, 0.9f, 0.1143f,
               {{0.04f, 0.040f, 0.02f, 0.008f}, {0.03f, 0.033f, 0.015f, 0.006f}, {0.02f, 0.030f, 0.01f, 0}}),
     105.6732, {246.902, 170.333, 99.848, 32.777}, {0.11654, 0.06421, 0.03663}},
    {"ColdPipe", MakeInput(1, -20, 25, 0, 0.9f, 0.0603f, {{0.03f, 0.036f, 0, 0}}), -13.1638, {-19.269, 20.926}, {0.036}},
    {"PlaneWall", MakeInput(2, 300, 20, 0, 0.9f, 0, {{0.1f, 0.033f, 0.015f, 0.006f}}), 195.4145, {298.046, 37.967}, {0.07514}},
    {"VesselTwoLayersStrongWind",
     MakeInput(3, 300, 20, 10, 0.2f, 0, {{0.06f, 0.040f, 0.02f, 0.008f}, {0.04f, 0.033f, 0.015f, 0.006f}}),
     238.3379, {297.617, 193.502, 24.852}, {0.13735, 0.05653}},
    // Inner coefficient 10 of a duct; by hand: ΣR = 1/(10·0.38) + ln 1.25/0.08 +
    // 1/(6.742·0.5) = 3.3491 m·K/W, π·30/3.3491 = 28.141 W/m.
    {"RoundDuct", MakeInput(4, 40, 10, 0, 0.9f, 0.4f, {{0.05f, 0.04f, 0, 0}}), 28.1411, {37.643, 12.657}, {0.04}},
    {"ColdPlaneWall", MakeInput(2, -30, 20, 0, 0.9f, 0, {{0.08f, 0.035f, 0.01f, 0}}), -20.4095, {-29.796, 17.676},
     {0.03439}},
    {"PlaneWallWindLowEmissivity", MakeInput(2, 200, 10, 2, 0.05f, 0, {{0.06f, 0.033f, 0.015f, 0.006f}}), 167.3377,
     {198.327, 21.251}, {0.0567}},
    {"PipeWindCoefficientD", MakeInput(1, 300, 15, 1, 0.3f, 0.2191f, {{0.08f, 0.032f, 0.012f, 0.005f, 0.004f}}),
     207.0634, {296.833, 40.319}, {0.07044}},
};

TEST_P(HeatLossFigures, MatchTheIndependentSolve)
{
    const HeatLossCase& c = GetParam();
    HeatLossOutput out{};
    ASSERT_EQ(HeatLossCalculation(c.input, &out), 0);
    EXPECT_TRUE(Fake().errors.empty());
    const bool pipe = c.input.objectType == 1 || c.input.objectType == 4;
    const double q = pipe ? out.heatLossPerMetre : out.heatLossPerSquareMetre;
    EXPECT_NEAR(q, c.heatLoss, std::fabs(c.heatLoss) * 0.005);
    EXPECT_FLOAT_EQ(pipe ? out.heatLossPerSquareMetre : out.heatLossPerMetre, 0.0f);
    const float faces[4] = {out.innerSurfaceTemp, out.faceTemp[0], out.faceTemp[1], out.faceTemp[2]};
    for (size_t k = 0; k < c.faces.size(); ++k) {
        EXPECT_NEAR(faces[k], c.faces[k], 0.3) << "face " << k;
    }
    // Without a layer the outer face of the last one is the surface.
    EXPECT_NEAR(out.faceTemp[2], c.faces.back(), 0.3);
    for (size_t k = 0; k < c.conductivity.size(); ++k) {
        EXPECT_NEAR(out.conductivity[k], c.conductivity[k], c.conductivity[k] * 0.01) << "layer " << k;
    }
    if (pipe) {
        double d = c.input.outerDiameter;
        for (float s : c.input.thickness) {
            d += 2 * s;
        }
        EXPECT_NEAR(out.outerDiameter, d, 1e-6);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, HeatLossFigures, ::testing::ValuesIn(kHeatLossCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, RectangularDuctGivesItsLossPerMetreOfPerimeter)
{
    // reference_figures.py: 0.6 x 0.4 m duct, 50 mm of λ 0.04, 40/10 °C: 49.0137 W/m
    // over the outer perimeter 2(0.6+0.1) + 2(0.4+0.1) = 2.4 m.
    HeatLossOutput out{};
    ASSERT_EQ(HeatLossCalculation(MakeDuct(0.6f, 0.4f), &out), 0);
    EXPECT_NEAR(out.heatLossPerMetre, 49.0137, 0.25);
    EXPECT_FLOAT_EQ(out.heatLossPerSquareMetre, 0.0f);
    EXPECT_NEAR(out.faceTemp[0], 12.43, 0.3);
}

TEST_F(EngineTest, TabulatedConductivityIsInterpolatedAtTheLayerMean)
{
    // reference_figures.py: 88.9 mm pipe, 60 mm of product 7, 200/20 °C: 60.9591 W/m.
    // The first stored point (0 °C, 0.5) takes no part in the interpolation.
    Fake().setTechFloat(100, "UI", "7", 1311, {0, 0, 50, 100, 200, 300});
    Fake().setTechFloat(100, "UI", "7", 1313, {0.5f, 0.034f, 0.040f, 0.047f, 0.065f, 0.090f});
    HeatLossInput in = MakeInput(1, 200, 20, 0, 0.9f, 0.0889f, {});
    in.thickness[0] = 0.06f;
    in.productId[0] = 7;
    HeatLossOutput out{};
    ASSERT_EQ(HeatLossCalculation(in, &out), 0);
    EXPECT_TRUE(Fake().errors.empty());
    EXPECT_NEAR(out.heatLossPerMetre, 60.9591, 0.3);
    EXPECT_NEAR(out.conductivity[0], 0.04952, 0.0005);
    EXPECT_NEAR(out.faceTemp[0], 30.33, 0.3);
}

TEST_F(EngineTest, SurfaceIsIteratedToItsTolerance)
{
    // reference_figures.py: a 1 m pipe at 640 °C under 5 mm of wool in still air
    // of 20 °C loses 27995.76 W/m at a surface of 343.138 °C; ten passes
    // stopped at 341.52 °C and 28121 W/m.
    HeatLossOutput out{};
    ASSERT_EQ(HeatLossCalculation(MakeInput(1, 640, 20, 0, 0.9f, 1.0f, {{0.005f, 0.033f, 0.015f, 0.006f}}), &out), 0);
    EXPECT_NEAR(out.heatLossPerMetre, 27995.76, 28.0);
    EXPECT_NEAR(out.faceTemp[0], 343.138, 0.1);
}

TEST_F(EngineTest, SurfaceThatCannotSettleIsAFailedIteration)
{
    // reference_figures.py: 109 mm of λ 0.04 on a 300 °C wall in still air of
    // 20 °C. Below 10 K over the air the convection gives a surface 10.066 K
    // over it, above 10 K one 9.938 K over it: no surface temperature holds.
    HeatLossOutput out{};
    EXPECT_EQ(HeatLossCalculation(MakeInput(2, 300, 20, 0, 0.9f, 0, {{0.109f, 0.04f, 0, 0}}), &out), -1);
    ASSERT_EQ(Fake().errorIds(), std::vector<int32_t>{45200});
    EXPECT_EQ(Fake().errors[0].severity, -1);
    EXPECT_NEAR(out.faceTemp[0], 30.0, 0.1);  // the last pass stands
}

TEST_F(EngineTest, UnreadFieldsDoNotChangeTheResult)
{
    HeatLossInput in = MakeInput(1, 150, 20, 0, 0.9f, 0.1143f, {kWool50});
    HeatLossOutput clean{};
    ASSERT_EQ(HeatLossCalculation(in, &clean), 0);
    in.notRead1 = 77;
    in.notRead10 = in.notRead16 = in.notRead20 = in.notRead24 = in.notRead28 = 1e6f;
    HeatLossOutput noisy{};
    ASSERT_EQ(HeatLossCalculation(in, &noisy), 0);
    EXPECT_EQ(std::memcmp(&clean, &noisy, sizeof clean), 0);
}

struct FailureCase {
    const char* name;
    std::vector<float> temps;   // product table of product 3; empty: none stored
    std::vector<float> lambdas;
    float medium;
    int32_t textId;
};

class ConductivityFailures : public EngineTest, public ::testing::WithParamInterface<FailureCase> {};

// 150/20 °C on 50 mm: the layer mean stays between about 85 and 90 °C.
const FailureCase kConductivityFailures[] = {
    {"TableBelowTheMean", {0, 0, 20, 50}, {0, 0.03f, 0.035f, 0.04f}, 150, 40048},
    {"MeanBetweenFirstAndSecondPoint", {50, 200, 300}, {0.04f, 0.06f, 0.08f}, 150, 40049},
    {"TwoPointsOnly", {0, 300}, {0.03f, 0.08f}, 150, 40050},
    {"NoTable", {}, {}, 150, 40050},
};

TEST_P(ConductivityFailures, FailWithSeverityMinusOneAndLeaveTheLastPass)
{
    const FailureCase& c = GetParam();
    if (!c.temps.empty()) {
        Fake().setTechFloat(100, "UI", "3", 1311, c.temps);
        Fake().setTechFloat(100, "UI", "3", 1313, c.lambdas);
    }
    HeatLossInput in = MakeInput(1, c.medium, 20, 0, 0.9f, 0.1143f, {});
    in.thickness[0] = 0.05f;
    in.productId[0] = 3;
    HeatLossOutput out{};
    EXPECT_EQ(HeatLossCalculation(in, &out), -1);
    ASSERT_EQ(Fake().errors.size(), 1u);
    EXPECT_EQ(Fake().errors[0].textId, c.textId);
    EXPECT_EQ(Fake().errors[0].severity, -1);
    EXPECT_NE(out.innerSurfaceTemp, 0.0f);
    EXPECT_NE(out.heatLossPerMetre, 0.0f);
}

INSTANTIATE_TEST_SUITE_P(Cases, ConductivityFailures, ::testing::ValuesIn(kConductivityFailures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, NegativeTableConductivityOnlyWarns)
{
    Fake().setTechFloat(100, "UI", "4", 1311, {0, 0, 300});
    Fake().setTechFloat(100, "UI", "4", 1313, {0, -0.05f, -0.01f});
    HeatLossInput in = MakeInput(2, 150, 20, 0, 0.9f, 0, {});
    in.thickness[0] = 0.05f;
    in.productId[0] = 4;
    HeatLossOutput out{};
    EXPECT_EQ(HeatLossCalculation(in, &out), 0);
    ASSERT_EQ(Fake().errors.size(), 1u);
    EXPECT_EQ(Fake().errors[0].textId, 40047);
    EXPECT_EQ(Fake().errors[0].severity, 1);
    EXPECT_FLOAT_EQ(out.conductivity[0], 0.0f);
}

TEST_F(EngineTest, NegativeTableConductivityDoesNotHideAFailedLookup)
{
    // Product 3's table ends at 50 °C, below the layer mean (40048); product 4's
    // table gives negative values (only the warning 40047). In either layer
    // order the calculation fails with 40048.
    Fake().setTechFloat(100, "UI", "3", 1311, {0, 0, 20, 50});
    Fake().setTechFloat(100, "UI", "3", 1313, {0, 0.03f, 0.035f, 0.04f});
    Fake().setTechFloat(100, "UI", "4", 1311, {0, 0, 300});
    Fake().setTechFloat(100, "UI", "4", 1313, {0, -0.05f, -0.01f});
    for (const auto& ids : {std::pair{3, 4}, std::pair{4, 3}}) {
        Fake().errors.clear();
        HeatLossInput in = MakeInput(2, 150, 20, 0, 0.9f, 0, {});
        in.thickness[0] = in.thickness[1] = 0.05f;
        in.productId[0] = ids.first;
        in.productId[1] = ids.second;
        HeatLossOutput out{};
        EXPECT_EQ(HeatLossCalculation(in, &out), -1) << "layer 1 product " << ids.first;
        EXPECT_EQ(Fake().errorIds(), std::vector<int32_t>{40048}) << "layer 1 product " << ids.first;
    }
}

TEST_F(EngineTest, LookupMissedOnlyInAnEarlyPassDoesNotFail)
{
    // The first pass takes the layer mean at (200 + 30) / 2 = 115 °C, below the
    // table; once the layer has its conductivity the inner layer lies near
    // 170 °C, well inside it.
    Fake().setTechFloat(100, "UI", "9", 1311, {0, 120, 160, 200, 250});
    Fake().setTechFloat(100, "UI", "9", 1313, {0, 0.050f, 0.055f, 0.060f, 0.070f});
    HeatLossInput in = MakeInput(1, 200, 20, 0, 0.9f, 0.1143f, {});
    in.thickness[0] = 0.02f;
    in.productId[0] = 9;
    in.thickness[1] = 0.08f;
    in.coefA[1] = 0.035f;
    HeatLossOutput out{};
    EXPECT_EQ(HeatLossCalculation(in, &out), 0);
    EXPECT_TRUE(Fake().errors.empty());
    EXPECT_GT(out.conductivity[0], 0.050f);
    EXPECT_LT(out.conductivity[0], 0.070f);
}

TEST_F(EngineTest, LayerWithoutAnyConductivityIsAnError)
{
    HeatLossInput in = MakeInput(1, 150, 20, 0, 0.9f, 0.1143f, {});
    in.thickness[0] = 0.05f;
    HeatLossOutput out{};
    EXPECT_EQ(HeatLossCalculation(in, &out), -1);
    EXPECT_EQ(Fake().errorIds(), std::vector<int32_t>{40050});
}

TEST_F(EngineTest, GivenConductivityServesALayerWithoutCoefficients)
{
    HeatLossInput given = MakeInput(1, 150, 20, 0, 0.9f, 0.1143f, {});
    given.thickness[0] = 0.05f;
    HeatLossOutput viaOutput{};
    viaOutput.conductivity[0] = 0.04f;
    ASSERT_EQ(HeatLossCalculation(given, &viaOutput), 0);
    HeatLossOutput viaCoefficient{};
    ASSERT_EQ(HeatLossCalculation(MakeInput(1, 150, 20, 0, 0.9f, 0.1143f, {{0.05f, 0.04f, 0, 0}}), &viaCoefficient), 0);
    EXPECT_FLOAT_EQ(viaOutput.heatLossPerMetre, viaCoefficient.heatLossPerMetre);
}

TEST_F(EngineTest, HeatFlowOfExactlyMinusOneIsAResult)
{
    // Flat, no radiation, wind 1.5 m/s: h_o = 4.2·1.5 + 6.2 = 12.5 whatever the
    // surface temperature, so ΣR = 1/100 + 0.091/0.1 + 1/12.5 = 1 and a medium
    // one kelvin colder than the air gives -1 W/m².
    HeatLossInput in = MakeInput(2, 19, 20, 1.5f, 0, 0, {{0.091f, 0.1f, 0, 0}});
    HeatLossOutput out{};
    EXPECT_EQ(HeatLossCalculation(in, &out), 0);
    EXPECT_FLOAT_EQ(out.heatLossPerSquareMetre, -1.0f);
    EXPECT_TRUE(Fake().errors.empty());
}

TEST_F(EngineTest, MediumAtAmbientTemperatureFails)
{
    HeatLossOutput out{};
    EXPECT_EQ(HeatLossCalculation(MakeInput(2, 20, 20, 0, 0.9f, 0, {{0.05f, 0.04f, 0, 0}}), &out), -1);
    EXPECT_EQ(Fake().errorIds(), std::vector<int32_t>{40062});
}

struct ImpossibleObject {
    const char* name;
    HeatLossInput input;
};

class ImpossibleObjects : public EngineTest, public ::testing::WithParamInterface<ImpossibleObject> {};

// Each of these gave a "result" before: NaN, or a heat loss of the wrong sign
// (a hot pipe under -20 mm of insulation lost -86 W/m).
const ImpossibleObject kImpossibleObjects[] = {
    {"PipeWithoutDiameter", MakeInput(1, 150, 20, 0, 0.9f, 0, {})},
    {"PipeOfNegativeDiameter", MakeInput(1, 150, 20, 0, 0.9f, -0.2f, {kWool50})},
    {"NegativeThickness", MakeInput(1, 150, 20, 0, 0.9f, 0.1f, {{-0.02f, 0.04f, 0, 0}})},
    {"MissingThicknessSentinel", MakeInput(2, 150, 20, 0, 0.9f, 0, {{-3.4e38f, 0.04f, 0, 0}})},
    {"DuctOfMissingWidth", MakeDuct(-3.4e38f, 0.4f)},
    {"UnknownMediumTemperature", MakeInput(1, std::nanf(""), 20, 0, 0.9f, 0.1f, {kWool50})},
    {"UnknownEmissivity", MakeInput(2, 150, 20, 0, std::nanf(""), 0, {kWool50})},
    {"UnknownAirVelocity", MakeInput(1, 150, 20, std::nanf(""), 0.9f, 0.1f, {kWool50})},
};

TEST_P(ImpossibleObjects, FailAsDegenerateInputWithoutANumber)
{
    HeatLossOutput out{};
    EXPECT_EQ(HeatLossCalculation(GetParam().input, &out), -1);
    EXPECT_EQ(Fake().errorIds(), std::vector<int32_t>{40044});
    EXPECT_EQ(out.heatLossPerMetre, 0.0f);
    EXPECT_EQ(out.heatLossPerSquareMetre, 0.0f);
}

INSTANTIATE_TEST_SUITE_P(Cases, ImpossibleObjects, ::testing::ValuesIn(kImpossibleObjects),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, ProductTableIsReadOncePerCalculation)
{
    Fake().setTechFloat(100, "UI", "7", 1311, {0, 0, 100, 300});
    Fake().setTechFloat(100, "UI", "7", 1313, {0, 0.03f, 0.045f, 0.09f});
    HeatLossInput in = MakeInput(1, 200, 20, 0, 0.9f, 0.0889f, {});
    in.thickness[0] = 0.06f;
    in.productId[0] = 7;
    HeatLossOutput out{};
    ASSERT_EQ(HeatLossCalculation(in, &out), 0);
    EXPECT_EQ(Fake().techReads, 2);
    EXPECT_EQ(Fake().otherInsulationOpen, 0);
}

TEST_F(EngineTest, TablesOfUnequalLengthUseTheShorterOne)
{
    // 60 temperatures but 4 conductivities: only the first 4 points count, so
    // 400 °C (only in the longer array) is not a neighbour and 150 °C interpolates
    // between 100 and 200 °C.
    std::vector<float> temps{0, 0, 100, 200};
    for (int i = 0; i < 56; ++i) {
        temps.push_back(400.0f + i);
    }
    Fake().setTechFloat(100, "UI", "5", 1311, temps);
    Fake().setTechFloat(100, "UI", "5", 1313, {0, 0.03f, 0.05f, 0.07f});
    const ConductivityTable table = ReadConductivityTable(5);
    EXPECT_EQ(table.count, 4);
    int status = 0;
    EXPECT_NEAR(ProductConductivity(table, 150, status), 0.06, 1e-6);
    EXPECT_EQ(status, 0);
    ProductConductivity(table, 250, status);
    EXPECT_EQ(status, kConductivityAboveTable);
}
} // namespace

namespace {
TEST_F(EngineTest, AttachNeedsTheTechnicalData)
{
    Fake().handles = {-1, 100, 200, 11, 12, 13};
    EXPECT_FALSE(Calc_Attach());
    Fake().handles = {3, -1, -1, 21, -1, 23};
    EXPECT_TRUE(Calc_Attach());
    EXPECT_EQ(Calc().db.techData, 3);
    EXPECT_EQ(Calc().db.priceEur, 21);
    EXPECT_EQ(Calc().db.pricePln, 23);
}
} // namespace
