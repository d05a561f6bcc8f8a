// The cheapest combination of layer thicknesses on thickness lists made up
// by each row, costed by a formula: the choice equals a brute-force search
// over the same space, and entries that are no thickness are never tried.
#include "VlInterface/extended/cheapest.h"
#include <gtest/gtest.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;   // entry names after the heading; "own" the own-thickness entry

struct CheapestRow {
    const char* name;
    Names layers[kCheapestLayers];   // empty: the layer has no list
    bool freeOfCost;                 // every combination costs 0 (no prices)
};

// Lowest near 40 / 30 / 20 mm; a missing layer costs more than any present one.
float Cost(const float t[kCheapestLayers], bool freeOfCost)
{
    if (freeOfCost)
        return 0;
    const float targets[kCheapestLayers] = {40, 30, 20};
    float cost = 10;
    for (int i = 0; i < kCheapestLayers; ++i)
        cost += t[i] > 0 ? (t[i] - targets[i]) * (t[i] - targets[i]) * (i + 1) : 500.0f;
    return cost;
}

void FillList(const Names& names, ProductListEntry* list)
{
    std::fill(list, list + kProductListSize, ProductListEntry{});
    if (names.empty())
        return;
    list[0] = ProductListEntry{0, 20017, "", "-987", "IM"};
    for (size_t i = 0; i < names.size(); ++i) {
        ProductListEntry& entry = list[i + 1];
        entry.number = static_cast<int32_t>(i + 1);
        if (names[i] == "own") {
            entry.textId = 40037;
            std::snprintf(entry.code, sizeof(entry.code), "-456");
        } else {
            std::snprintf(entry.name, sizeof(entry.name), "%s", names[i].c_str());
            std::snprintf(entry.code, sizeof(entry.code), "P-%s", names[i].c_str());
        }
    }
}

// The thickness of an entry worth trying, else 0.
float Tried(const Names& names, size_t i)
{
    return names[i] == "own" ? 0.0f : std::max(0.0f, static_cast<float>(std::atof(names[i].c_str())));
}

// Every combination whose inner layers are no thicker than the layer beneath
// (the lists of a row share their thicknesses), the cheapest first in index order.
void BruteForce(const CheapestRow& row, int best[kCheapestLayers])
{
    float bestCost = 0;
    auto consider = [&](int i, int j, int k, const float t[kCheapestLayers]) {
        const float cost = Cost(t, row.freeOfCost);
        if (cost > 0.0001f && cost < 99999.0f && (bestCost == 0 || cost < bestCost)) {
            bestCost = cost;
            best[0] = i, best[1] = j, best[2] = k;
        }
    };
    best[0] = best[1] = best[2] = 0;
    for (size_t i = 0; i < row.layers[0].size(); ++i) {
        float t[kCheapestLayers] = {Tried(row.layers[0], i), 0, 0};
        if (t[0] <= 0)
            continue;
        if (row.layers[1].empty())
            consider(int(i) + 1, 0, 0, t);
        for (size_t j = 0; j < row.layers[1].size(); ++j) {
            t[1] = Tried(row.layers[1], j);
            t[2] = 0;
            if (t[1] <= 0 || t[1] > t[0])
                continue;
            if (row.layers[2].empty())
                consider(int(i) + 1, int(j) + 1, 0, t);
            for (size_t k = 0; k < row.layers[2].size(); ++k) {
                t[2] = Tried(row.layers[2], k);
                if (t[2] > 0 && t[2] <= t[1])
                    consider(int(i) + 1, int(j) + 1, int(k) + 1, t);
            }
        }
    }
}

Names Thicknesses(int from, int step, int count)
{
    Names names;
    for (int i = 0; i < count; ++i)
        names.push_back(std::to_string(from + step * i));
    return names;
}

TEST(CheapestCombination, ChoosesWhatABruteForceSearchChooses)
{
    const Names small = {"10", "20", "30", "40", "50", "60"};
    const Names odd = {"0", "15", "own"};
    const CheapestRow rows[] = {
        {"three layers", {small, small, small}, false},
        {"two layers", {small, small, {}}, false},
        {"one layer only", {small, {}, {}}, false},
        {"no prices: nothing qualifies", {small, small, small}, true},
        {"own thickness and 0 never tried", {{"0", "20", "40", "own"}, {"0", "20", "40", "own"}, odd}, false},
        {"49 thicknesses on each layer", {Thicknesses(5, 5, 49), Thicknesses(5, 5, 49), Thicknesses(5, 5, 49)}, false},
    };
    for (const CheapestRow& row : rows) {
        SCOPED_TRACE(row.name);
        CheapestSearchInput input{};
        input.firstLayerIsProduct = true;
        input.diameterBeneath = 114.3f;
        CheapestSteps steps;
        steps.buildList = [&](int layer, float, ProductListEntry* list) { FillList(row.layers[layer], list); };
        steps.sectionDiameters = [](int, const ProductListEntry&, float*, float*) { FAIL() << "no pipe sections"; };
        bool triedNoThickness = false;
        steps.evaluate = [&](const CheapestCombination& c) {
            float t[kCheapestLayers] = {};
            for (int i = 0; i < kCheapestLayers; ++i) {
                t[i] = c.layers[i].thickness;
                if (c.layers[i].entry && (t[i] <= 0 || std::string(c.layers[i].entry->code) == "-456"))
                    triedNoThickness = true;
            }
            return Cost(t, row.freeOfCost);
        };
        CheapestResult result{};
        ASSERT_EQ(Cheapest_Search(input, steps, &result), 0);
        int expected[kCheapestLayers];
        BruteForce(row, expected);
        for (int i = 0; i < kCheapestLayers; ++i)
            EXPECT_EQ(result.selected[i], expected[i]) << "layer " << i + 1;
        EXPECT_FALSE(triedNoThickness);
        EXPECT_GT(result.evaluations, 0);
        if (expected[0] > 0) {
            EXPECT_EQ(result.code[0], "P-" + row.layers[0][size_t(expected[0] - 1)]);
        }
    }
}

TEST(CheapestCombination, RefusesAFirstLayerThatIsNoProductAndSkipsSectionsThatDoNotFit)
{
    CheapestSearchInput input{};
    input.diameterBeneath = 60.3f;
    input.layers[0].pipeSections = true;
    CheapestSteps steps;
    steps.buildList = [](int layer, float, ProductListEntry* list) {
        FillList(layer == 0 ? Names{"20", "30", "40"} : Names{}, list);
    };
    // The 20 mm section fits a 48.3 mm bore only; the others fit 60.3 mm.
    steps.sectionDiameters = [](int, const ProductListEntry& entry, float* inner, float* outer) {
        const float thickness = static_cast<float>(std::atof(entry.name));
        *inner = thickness == 20 ? 48.3f : 60.3f;
        *outer = *inner + 2 * thickness;
    };
    std::vector<float> outerDiameters;
    steps.evaluate = [&](const CheapestCombination& c) {
        outerDiameters.push_back(c.layers[0].outerDiameter);
        return 100 - c.layers[0].thickness;
    };
    CheapestResult result{};
    EXPECT_EQ(Cheapest_Search(input, steps, &result), -1);
    EXPECT_EQ(result.evaluations, 0);

    input.firstLayerIsProduct = true;
    ASSERT_EQ(Cheapest_Search(input, steps, &result), 0);
    EXPECT_EQ(outerDiameters, (std::vector<float>{120.3f, 140.3f}));
    EXPECT_EQ(result.selected[0], 3);
    EXPECT_EQ(result.thickness[0], 40.0f);
}

}  // namespace
