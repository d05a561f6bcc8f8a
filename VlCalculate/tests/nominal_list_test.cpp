// The extended interface's thickness lists: the nominal list, the reduction
// to one row per inner diameter, and the orders of the three comparators.
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include "VlCalculate/tests/fake_deps.h"
#include "VlCalculate/thickness_order.h"

namespace {
constexpr int32_t kPart = 21;
constexpr int16_t kTech = 1;

// A pipe of 88.9 mm at 150 °C in air of 20 °C; pipe sections of bore 88.9
// and 114.3 mm in 30, 50 and 80 mm, one whose 60 mm bore is too small.
class NominalListTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        FakeWorld& w = Fake();
        w.parts = {kPart};
        w.pageShorts[{0, 1117}] = 11;
        w.setPageFloat(0, 1312, {88.9f, 0});
        w.setPageFloat(0, 1315, {150});
        w.setPageFloat(0, 1316, {20});
        w.pageStrings[{kPart, 1536}] = "SECTION";
        w.pageStrings[{kPart, 1538}] = "IP1";
        const struct { const char* code; float bore, thickness; } sections[] = {
            {"S114-30", 114.3f, 30}, {"S89-30", 88.9f, 30}, {"S89-50", 88.9f, 50},
            {"S114-50", 114.3f, 50}, {"S60-80", 60, 80},    {"S114-80", 114.3f, 80}};
        for (const auto& p : sections) {
            w.techEntries[{kTech, "IP1", "SECTION", 1600}].push_back(p.code);
            w.setTechFloat(kTech, "IP1", p.code, 1304, {p.thickness});
            w.setTechFloat(kTech, "IP1", p.code, 1305, {p.bore});
            w.setTechFloat(kTech, "IP1", p.code, 1306, {p.bore + 2 * p.thickness});
            w.setTechFloat(kTech, "IP1", p.code, 1307, {0.035f});
        }
    }
    static INSULATIONTHICKNESSINPUT Input(int16_t calculationCase)
    {
        INSULATIONTHICKNESSINPUT in{};
        in.part = kPart;
        std::memcpy(in.productGroup, "IP1", 3);
        in.calculationCase = calculationCase;
        return in;
    }
    static std::vector<std::string> CodesOf(const INSULATIONTHICKNESSRESULTLIST* list, int count)
    {
        std::vector<std::string> codes;
        for (int i = 0; i < count; ++i) {
            std::string code = list[i].productCode;
            codes.push_back(code.substr(0, code.find(' ')));
        }
        return codes;
    }
};

using Codes = std::vector<std::string>;

TEST_F(NominalListTest, OneRowPerNominalThicknessOnTheClosestFittingSection)
{
    short count = -1;
    INSULATIONTHICKNESSRESULTLIST* list = CalculateInsulationNominalThicknessList(Input(kCaseAll), &count);
    EXPECT_EQ(CodesOf(list, count), (Codes{"S89-30", "S89-50", "S114-80"}));
    // The ordinary list keeps every fitting section.
    list = CalculateInsulationThicknessList(Input(kCaseAll), &count);
    EXPECT_EQ(count, 5);
}

TEST_F(NominalListTest, OneInsulationPerInnerDiameterInTheListsOwnOrder)
{
    short count = -1;
    INSULATIONTHICKNESSRESULTLIST* list = CalculateInsulationThicknessList(Input(kCaseEconomic), &count);
    std::qsort(list, static_cast<size_t>(count), sizeof *list, NominalThicknessList_CompareForCase(kCaseEconomic));
    int32_t reduced = -1;   // all 32 bits are written
    INSULATIONTHICKNESSRESULTLIST* kept = SelectOnlyOneInsulationForEachInnerDiameter(&reduced);
    EXPECT_EQ(kept, list);   // in place: the engine still owns the one block
    EXPECT_EQ(CodesOf(kept, reduced), (Codes{"S89-30", "S114-30"}));
    DeleteThicknessResultList();
    EXPECT_EQ(SelectOnlyOneInsulationForEachInnerDiameter(&reduced), nullptr);
    EXPECT_EQ(reduced, 0);
}

struct OrderRow {
    const char* name;
    int (*compare)(const void*, const void*);
    float a[3], b[3];   // thickness, heat loss, first dimension
    int expected;
};

INSULATIONTHICKNESSRESULTLIST Row(const float (&keys)[3])
{
    INSULATIONTHICKNESSRESULTLIST row{};
    row.thickness = keys[0];
    row.heatLoss = keys[1];
    row.innerDimension1 = keys[2];
    return row;
}

TEST(NominalThicknessOrder, EachComparatorsKeysInTurn)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const OrderRow rows[] = {
        {"A: thinner first", NominalThicknessList_CompareA, {30, 9, 200}, {50, 1, 100}, -1},
        {"A: equal thickness, lower loss first", NominalThicknessList_CompareA, {30, 5, 200}, {30, 9, 100}, -1},
        {"A: then the smaller dimension", NominalThicknessList_CompareA, {30, 5, 200}, {30, 5, 100}, 1},
        {"A: equal in every key", NominalThicknessList_CompareA, {30, 5, 100}, {30, 5, 100}, 0},
        {"B: equal thickness, higher loss first", NominalThicknessList_CompareB, {30, 9, 200}, {30, 5, 100}, -1},
        {"B: thickness still ascending", NominalThicknessList_CompareB, {50, 9, 100}, {30, 5, 100}, 1},
        {"C: smaller dimension first", NominalThicknessList_CompareC, {80, 9, 100}, {30, 1, 200}, -1},
        {"C: equal dimension, lower loss first", NominalThicknessList_CompareC, {80, 5, 100}, {30, 9, 100}, -1},
        {"C: then the thinner", NominalThicknessList_CompareC, {80, 5, 100}, {30, 5, 100}, 1},
        {"a NaN orders after a number", NominalThicknessList_CompareA, {nan, 5, 100}, {30, 5, 100}, 1},
        {"two NaNs are equal", NominalThicknessList_CompareA, {nan, 5, 100}, {nan, 5, 100}, 0},
    };
    for (const OrderRow& row : rows) {
        const INSULATIONTHICKNESSRESULTLIST a = Row(row.a), b = Row(row.b);
        EXPECT_EQ(row.compare(&a, &b), row.expected) << row.name;
        EXPECT_EQ(row.compare(&b, &a), -row.expected) << row.name << " (swapped)";
    }
    struct CaseRow {
        int16_t calculationCase;
        int (*compare)(const void*, const void*);
    };
    for (const CaseRow& c : {CaseRow{0, NominalThicknessList_CompareA}, CaseRow{1, NominalThicknessList_CompareB},
                             CaseRow{2, NominalThicknessList_CompareB}, CaseRow{3, NominalThicknessList_CompareA},
                             CaseRow{4, NominalThicknessList_CompareC}})
        EXPECT_EQ(NominalThicknessList_CompareForCase(c.calculationCase), c.compare) << "case " << c.calculationCase;
}

} // namespace
