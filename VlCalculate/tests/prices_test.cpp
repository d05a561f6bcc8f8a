// Material and labour prices of the page's layers from the price list of the
// project's currency, and the target price; hand figures in the comments.
#include <cmath>
#include "VlCalculate/tests/fake_deps.h"

namespace {
constexpr int32_t kPart1 = 11, kPart2 = 12, kPart3 = 13;
constexpr int16_t kEur = 11, kSek = 12, kPln = 13, kTech = 1;

// A pipe of 88.9 mm with layer 1 (50 mm, product "P50") and layer 2 (30 mm,
// "P30"); layer 3 unused.
class PriceTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        FakeWorld& w = Fake();
        w.parts = {kPart1, kPart2, kPart3};
        w.pageShorts[{0, 1117}] = 11;
        w.setPageFloat(0, 1312, {88.9f, 250.0f});
        setLayer(kPart1, "P50", 50, 188.9f);
        setLayer(kPart2, "P30", 30, 248.9f);
        w.pageStrings[{kPart3, 1536}] = "-789";
        w.pageStrings[{kPart3, 1528}] = "-789";
    }
    void setLayer(int32_t part, const char* code, float thickness, float outer)
    {
        Fake().pageStrings[{part, 1536}] = std::string("TYPE-") + code;
        Fake().pageStrings[{part, 1528}] = code;
        Fake().pageStrings[{part, 1538}] = "PI1";
        Fake().setPageFloat(part, 1326, {thickness});
        Fake().setPageFloat(part, 1325, {outer});
    }
    static void price(int16_t db, const char* code, int16_t att, float value) { Fake().setTechFloat(db, "PR", code, att, {value}); }
    static float priceOf(int32_t part, const char* code = nullptr)
    {
        short kind = 7;
        return CalculateInsulationPrice(part, const_cast<char*>(code), &kind);
    }
};

TEST_F(PriceTest, PipePricePerMetreComesFirst)
{
    price(kEur, "P50", 1300, 25);
    price(kEur, "P50", 1301, 40);
    short kind = 7;
    EXPECT_FLOAT_EQ(CalculateInsulationPrice(kPart1, nullptr, &kind), 25.0f);
    EXPECT_EQ(kind, 0);
}

TEST_F(PriceTest, PipeSquareMetrePriceCoversTheOuterCircumference)
{
    // π·(88.9 + 2·50)/1000 · 40 = 23.7379; layer 2 on 188.9 mm: π·(188.9 + 60)/1000 · 40 = 31.2777.
    price(kEur, "P50", 1301, 40);
    price(kEur, "P30", 1301, 40);
    EXPECT_NEAR(priceOf(kPart1), 23.7379, 1e-3);
    EXPECT_NEAR(priceOf(kPart2), 31.2777, 1e-3);
}

TEST_F(PriceTest, NamedProductIsPricedAtItsOwnThickness)
{
    // The candidate "P80" is 80 mm in group PI1: π·(88.9 + 160)/1000 · 40 = 31.2777,
    // not the 23.7379 of the layer's 50 mm.
    price(kEur, "P80", 1301, 40);
    Fake().setTechFloat(kTech, "PI1", "P80", 1304, {80});
    EXPECT_NEAR(priceOf(kPart1, "P80"), 31.2777, 1e-3);
}

TEST_F(PriceTest, RoundDuctUsesTheDuctDiameter)
{
    // π·(250 + 100)/1000 · 40 = 43.9823.
    Fake().pageShorts[{0, 1117}] = 12;
    price(kEur, "P50", 1301, 40);
    EXPECT_NEAR(priceOf(kPart1), 43.9823, 1e-3);
}

TEST_F(PriceTest, RectangularDuctPriceCoversTheMidPlanePerimeter)
{
    // 600 x 400 mm; layer 1 of 50 mm: (2·650 + 2·450)/1000 · 10 = 22;
    // layer 2 of 30 mm over 50 mm: (2·730 + 2·530)/1000 · 10 = 25.2.
    Fake().pageShorts[{0, 1117}] = 13;
    Fake().setPageFloat(0, 1313, {600});
    Fake().setPageFloat(0, 1314, {400});
    price(kEur, "P50", 1301, 10);
    price(kEur, "P30", 1301, 10);
    Fake().setTechFloat(kTech, "PI1", "P50", 1304, {50});
    Fake().setTechFloat(kTech, "PI1", "P30", 1304, {30});
    EXPECT_NEAR(priceOf(kPart1), 22.0, 1e-4);
    EXPECT_NEAR(priceOf(kPart2), 25.2, 1e-4);
}

TEST_F(PriceTest, PlaneTakesTheSquareMetrePriceOrTheUserPrice)
{
    Fake().pageShorts[{0, 1117}] = 10;
    price(kEur, "P50", 1301, 33);
    Fake().setPageFloat(kPart2, 1382, {12.5f});
    short kind = 7;
    EXPECT_FLOAT_EQ(CalculateInsulationPrice(kPart1, nullptr, &kind), 33.0f);
    EXPECT_EQ(kind, 1);
    EXPECT_FLOAT_EQ(priceOf(kPart2), 12.5f);
}

TEST_F(PriceTest, MissingUserPriceIsNoPrice)
{
    Fake().setPageFloat(kPart1, 1382, {-3.4e38f});
    EXPECT_FLOAT_EQ(priceOf(kPart1), 0.0f);
}

struct CurrencyCase {
    const char* name;
    int16_t currency;
    int16_t db;
    int16_t otherFirst;
};

class Currencies : public PriceTest, public ::testing::WithParamInterface<CurrencyCase> {};

const CurrencyCase kCurrencies[] = {
    {"Euro", 0, kEur, 1314},
    {"Crowns", 1, kSek, 1316},
    {"Zloty", 2, kPln, 1318},
};

TEST_P(Currencies, ChooseTheirPriceList)
{
    const CurrencyCase& c = GetParam();
    Fake().pageShorts[{-1, 1132}] = c.currency;
    price(c.db, "P50", 1300, 100.0f + c.db);
    EXPECT_FLOAT_EQ(priceOf(kPart1), 100.0f + c.db);
    Fake().setTechFloat(100, "UI", "4", c.otherFirst, {7});
    Fake().setTechFloat(100, "UI", "4", c.otherFirst + 1, {8});
    EXPECT_FLOAT_EQ(GetOtherInsulationPrice(1, const_cast<char*>("4")), 7.0f);
    EXPECT_FLOAT_EQ(GetOtherInsulationPrice(0, const_cast<char*>("4")), 8.0f);
}

INSTANTIATE_TEST_SUITE_P(Cases, Currencies, ::testing::ValuesIn(kCurrencies),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PriceTest, MissingPriceListGivesNothing)
{
    Fake().pageShorts[{-1, 1132}] = 2;
    Calc().db.pricePln = -1;
    price(kEur, "P50", 1300, 25);
    short kind = 7;
    EXPECT_FLOAT_EQ(CalculateInsulationPrice(kPart1, nullptr, &kind), 0.0f);
    EXPECT_EQ(kind, -1);
}

TEST_F(PriceTest, UnknownObjectTypeGivesNothing)
{
    Fake().pageShorts[{0, 1117}] = 14;
    price(kEur, "P50", 1300, 25);
    short kind = 7;
    EXPECT_FLOAT_EQ(CalculateInsulationPrice(kPart1, nullptr, &kind), 0.0f);
    EXPECT_EQ(kind, -1);
}

void PipeTable(const char* code, std::vector<float> rows)
{
    Fake().setTechFloat(kEur, "PR", code, 1603, std::move(rows));
}

TEST_F(PriceTest, PipeLabourMatchesEachLayerByItsDiameter)
{
    // Layer 1 on 88.9 mm: the 150 mm row, column 1 = 15; layer 2 on 188.9 mm:
    // the 300 mm row, column 2 = 22; layer 3 unused, so layer 2's extra 5: 42.
    const std::vector<float> table{0.05f, 10, 12, 14, 3, 0.15f, 15, 17, 19, 4, 0.3f, 20, 22, 24, 5, 0, 0, 0, 0, 0};
    PipeTable("P50", table);
    PipeTable("P30", table);
    int missing = 7;
    EXPECT_FLOAT_EQ(CalculateLabourPrice(0, &missing), 42.0f);
    EXPECT_EQ(missing, 0);
    EXPECT_FLOAT_EQ(Fake().pageFloat(0, 1321), 42.0f);
    EXPECT_FLOAT_EQ(CalculateOneLabourPrice(kPart1, const_cast<char*>("P50"), 0), 15.0f);
    EXPECT_FLOAT_EQ(CalculateOneLabourPrice(kPart2, const_cast<char*>("P30"), 0), 22.0f);
}

TEST_F(PriceTest, PipeLabourBeyondEveryLimitAddsNothing)
{
    PipeTable("P50", {0.05f, 10, 12, 14, 3, 0.15f, 15, 17, 19, 4});
    PipeTable("P30", {0.1f, 10, 12, 14, 3, 0.15f, 15, 17, 19, 4});  // 188.9 mm lies above 150
    int missing = 7;
    EXPECT_FLOAT_EQ(CalculateLabourPrice(0, &missing), 15.0f);
    EXPECT_EQ(missing, 0);
}

TEST_F(PriceTest, FlatRateTableServesEveryDiameter)
{
    // A first limit of 0 makes one row for all diameters, also for one product.
    PipeTable("P50", {0, 9, 11, 13, 2});
    PipeTable("P30", {0, 9, 11, 13, 2});
    int missing = 7;
    EXPECT_FLOAT_EQ(CalculateLabourPrice(0, &missing), 9.0f + 11.0f + 2.0f);
    EXPECT_FLOAT_EQ(CalculateOneLabourPrice(kPart2, const_cast<char*>("P30"), 0), 11.0f);
}

TEST_F(PriceTest, RoundDuctLabourUsesTheDuctDiameter)
{
    // The round duct is 250 mm: the 300 mm row (20), not the pipe field's 88.9 mm.
    Fake().pageShorts[{0, 1117}] = 12;
    Fake().pageStrings[{kPart2, 1536}] = "-789";
    PipeTable("P50", {0.15f, 15, 17, 19, 4, 0.3f, 20, 22, 24, 5});
    int missing = 7;
    EXPECT_FLOAT_EQ(CalculateLabourPrice(0, &missing), 25.0f);
}

TEST_F(PriceTest, UsedLayerWithoutLabourTableMakesLabourMissing)
{
    PipeTable("P50", {0.15f, 15, 17, 19, 4});
    int missing = 0;
    EXPECT_FLOAT_EQ(CalculateLabourPrice(0, &missing), 0.0f);
    EXPECT_EQ(missing, 1);
    EXPECT_FLOAT_EQ(Fake().pageFloat(0, 1321), 0.0f);
}

TEST_F(PriceTest, UnusedFirstLayerHasNoLabour)
{
    Fake().pageStrings[{kPart1, 1536}] = "-789";
    Fake().setPageFloat(0, 1321, {99});
    int missing = 7;
    EXPECT_FLOAT_EQ(CalculateLabourPrice(0, &missing), 0.0f);
    EXPECT_EQ(missing, 0);
    EXPECT_TRUE(std::isnan(Fake().pageFloat(0, 1321)));
}

TEST_F(PriceTest, FlatLabourAddsEachLayerAndTheOutermostExtra)
{
    Fake().setTechFloat(kEur, "PR", "P50", 1604, {6, 7, 8, 1});
    Fake().setTechFloat(kEur, "PR", "P30", 1604, {5, 9, 10, 2});
    int missing = 7;
    EXPECT_FLOAT_EQ(CalculateLabourPrice(1, &missing), 6.0f + 9.0f + 2.0f);
    EXPECT_FLOAT_EQ(Fake().pageFloat(0, 1320), 17.0f);
    EXPECT_FLOAT_EQ(CalculateOneLabourPrice(kPart2, const_cast<char*>("P30"), 1), 9.0f);
}

TEST_F(PriceTest, RectangularDuctLabourGoesByEachLayersPerimeter)
{
    // 600 x 400 mm: layer 1 (50 mm) 2·600 + 2·400 + 4·50 = 2200 mm at 6;
    // layer 2 (30 mm) 2000 + 8·50 + 4·30 = 2520 mm at 9 + extra 2: 13.2 + 27.72.
    Fake().pageShorts[{0, 1117}] = 13;
    Fake().setPageFloat(0, 1313, {600});
    Fake().setPageFloat(0, 1314, {400});
    Fake().setTechFloat(kEur, "PR", "P50", 1604, {6, 7, 8, 1});
    Fake().setTechFloat(kEur, "PR", "P30", 1604, {5, 9, 10, 2});
    int missing = 7;
    EXPECT_NEAR(CalculateLabourPrice(1, &missing), 40.92, 1e-4);
    EXPECT_NEAR(Fake().pageFloat(0, 1321), 40.92, 1e-4);
}

// Each layer's share, summed, is the labour that the whole system gets.
TEST_F(PriceTest, LabourSharesSumToTheSystemsLabour)
{
    struct Row {
        const char* name;
        short kind;
        std::vector<float> p50, p30;   // labour tables; empty: none
        bool firstUnused;
    };
    const std::vector<float> rows{0.05f, 10, 12, 14, 3, 0.15f, 15, 17, 19, 4, 0.3f, 20, 22, 24, 5};
    const Row cases[] = {
        {"pipe rows by diameter", 0, rows, rows, false},
        {"beyond every limit", 0, rows, {0.1f, 10, 12, 14, 3}, false},
        {"no table for layer 2", 0, rows, {}, false},
        {"labour too small", 0, {0, 9, 0, 13, 2}, {0, 9, 0.0005f, 13, 2}, false},
        {"first layer unused", 0, rows, rows, true},
        {"flat tables", 1, {6, 7, 8, 1}, {5, 9, 10, 2}, false},
        {"flat table missing", 1, {6, 7, 8, 1}, {}, false},
        {"no price kind", -1, rows, rows, false},
    };
    for (const Row& row : cases) {
        SCOPED_TRACE(row.name);
        SetUp();
        const int16_t att = row.kind == 1 ? 1604 : 1603;
        if (!row.p50.empty())
            Fake().setTechFloat(kEur, "PR", "P50", att, row.p50);
        if (!row.p30.empty())
            Fake().setTechFloat(kEur, "PR", "P30", att, row.p30);
        if (row.firstUnused)
            Fake().pageStrings[{kPart1, 1536}] = "-789";
        LabourShare shares[3];
        for (int k = 0; k < 3; ++k)
            CalculateLabourShare(kPart1 + k, row.kind, &shares[k]);
        int missing = 7, wholeMissing = 7;
        EXPECT_EQ(SumLabourShares(shares, row.kind, &missing), CalculateLabourPrice(row.kind, &wholeMissing));
        EXPECT_EQ(missing, wholeMissing);
    }
}

TEST_F(PriceTest, TargetPriceAddsMaterialAndLabour)
{
    price(kEur, "P50", 1300, 25);
    price(kEur, "P30", 1300, 30);
    PipeTable("P50", {0.3f, 15, 17, 19, 4});
    PipeTable("P30", {0.3f, 15, 17, 19, 4});
    short kind = 7;
    int missing = 7;
    EXPECT_FLOAT_EQ(CalculateInsulationTargetPrice(&kind, &missing), 25.0f + 30.0f + 15.0f + 17.0f + 4.0f);
    EXPECT_EQ(kind, 0);
    EXPECT_EQ(missing, 0);
}

TEST_F(PriceTest, OneTargetPriceIsTheAnnualCost)
{
    // Investment 25 + labour 15 + the outermost layer's extra 4 = 44; 5 % over
    // 20 years: 44 · 0.0802426 = 3.5307; 60 W/m at 40 per MWh, 8000 h, 2 %
    // rise: 60 · 0.390078 = 23.4047.
    price(kEur, "P50", 1300, 25);
    PipeTable("P50", {0.3f, 15, 17, 19, 4});
    Fake().setPageFloat(0, 1363, {5});
    Fake().setPageFloat(0, 1360, {20});
    Fake().setPageFloat(0, 1359, {2});
    Fake().setPageFloat(0, 1361, {40});
    Fake().setPageFloat(0, 1362, {8000});
    short kind = 7;
    EXPECT_NEAR(CalculateOneInsulationTargetPrice(kPart1, const_cast<char*>("P50"), 60, &kind, 1), 26.9354, 1e-3);
}

// A system of one layer: the thickness list's cost of its product is the
// page's annual cost, labour extra and all.
TEST_F(PriceTest, ListAndPageCostOneLayerAlike)
{
    const struct {
        const char* name;
        int16_t pageType;
        int32_t calcType;
        int16_t labourTable;
        std::vector<float> labour;
    } rows[] = {
        {"pipe", 11, kCalcPipe, 1603, {0.3f, 15, 17, 19, 4}},
        {"plane", 10, kCalcPlane, 1604, {6, 7, 8, 1}},
        {"rectangular duct", 13, kCalcRectangularDuct, 1604, {6, 7, 8, 1}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SetUp();
        FakeWorld& w = Fake();
        w.pageShorts[{0, 1117}] = row.pageType;
        w.setPageFloat(0, 1313, {600});
        w.setPageFloat(0, 1314, {400});
        w.pageStrings[{kPart2, 1536}] = "-789";
        price(kEur, "P50", 1300, 25);
        price(kEur, "P50", 1301, 30);
        w.setTechFloat(kEur, "PR", "P50", row.labourTable, row.labour);
        const float economics[][2] = {{1363, 5}, {1360, 20}, {1359, 2}, {1361, 40}, {1362, 8000}};
        for (const auto& e : economics)
            w.setPageFloat(0, int16_t(e[0]), {e[1]});
        constexpr float kHeatLoss = 60;
        short kind = 7;
        int missing = 7;
        CostsInput in{row.calcType, kHeatLoss, kHeatLoss, 0.05f, 20, 0.02f, 40, 8000,
                      CalculateInsulationTargetPrice(&kind, &missing), 1};
        CostsOutput page{};
        ASSERT_EQ(Costs(in, &page), 0.0f);
        EXPECT_EQ(missing, 0);
        EXPECT_NEAR(CalculateOneInsulationTargetPrice(kPart1, const_cast<char*>("P50"), kHeatLoss, &kind, 1),
                    page.totalCost, 1e-4);
    }
}

// A product that cannot be costed has no cost, not a cost of 0 or of its
// energy alone; only the cost step's refusal is reported, and only when asked.
TEST_F(PriceTest, OneTargetPriceThatCannotBeCostedIsMarkedNotComputed)
{
    const struct {
        const char* name;
        float materialPrice;   // 0: none in the price database
        float interest;        // % (0: no annuity)
        int report;
        std::vector<int32_t> errors;
    } rows[] = {
        {"no material price", 0, 5, 1, {}},   // first: the fake keeps what a row sets
        {"no annuity, reported", 25, 0, 1, {40063}},
        {"no annuity, quiet", 25, 0, 0, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Fake().errors.clear();
        if (row.materialPrice > 0)
            price(kEur, "P50", 1300, row.materialPrice);
        Fake().setPageFloat(0, 1363, {row.interest});
        Fake().setPageFloat(0, 1360, {20});
        Fake().setPageFloat(0, 1361, {40});
        Fake().setPageFloat(0, 1362, {8000});
        short kind = 7;
        EXPECT_EQ(CalculateOneInsulationTargetPrice(kPart1, const_cast<char*>("P50"), 60, &kind, row.report),
                  kCostNotComputed);
        EXPECT_EQ(Fake().errorIds(), row.errors);
    }
}
} // namespace

struct SystemPriceRow {
    const char* name;
    int32_t part;
    const char* product;
    int everyPrice;
    float price;
    int missing;
};

TEST_F(PriceTest, SixArgumentTargetPriceOfTheSystemOrOfOneLayer)
{
    price(kEur, "P50", 1300, 25);
    price(kEur, "P30", 1300, 30);
    price(kEur, "Q", 1300, 40);
    price(kEur, "NOLABOUR", 1300, 50);
    for (const char* code : {"P50", "P30", "NOPRICE"})
        PipeTable(code, {0.3f, 15, 17, 19, 4});
    PipeTable("Q", {0.3f, 11, 13, 17, 2});
    // The unused third layer keeps the placeholder of no thickness; it has no price to miss.
    Fake().pageStrings[{kPart3, 1528}] = "-987";
    const SystemPriceRow rows[] = {
        {"whole system as the two-argument form", -1, nullptr, 0, 25 + 30 + 15 + 17 + 4, 0},
        {"whole system, every price found", -1, nullptr, 1, 91, 0},
        {"one layer with its own product", kPart2, nullptr, 0, 30 + 17, 0},
        {"whole system with a named product on layer 1", -1, "Q", 0, 40 + 30 + 11 + 17 + 4, 0},
        {"whole system, layer 1's named product unpriced", -1, "NOPRICE", 1, 30 + 15 + 17 + 4, 1},
        {"a named product without labour", kPart1, "NOLABOUR", 0, 50, 1},
        {"a named product without material price", kPart1, "NOPRICE", 0, 15, 0},
        {"the same when every price counts", kPart1, "NOPRICE", 1, 15, 1},
    };
    for (const SystemPriceRow& row : rows) {
        short kind = 7;
        int missing = 7;
        EXPECT_FLOAT_EQ(CalculateInsulationTargetPrice(row.part, const_cast<char*>(row.product), 60.0f, &kind,
                                                       row.everyPrice, &missing),
                        row.price)
            << row.name;
        EXPECT_EQ(kind, 0) << row.name;
        EXPECT_EQ(missing, row.missing) << row.name;
    }
}
