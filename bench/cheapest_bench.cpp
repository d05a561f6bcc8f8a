// Times the cheapest-combination search of the extended edition on a
// three-layer pipe with 49 thicknesses a layer (up to 49 x 49 x 49
// combinations), each costed by a real heat loss, beside the same number of
// bare heat losses in this run; then the search on the technical data.
#include <windows.h>
#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>
#include "VlCalculate/vlcalculate.h"
#include "bench/benchclock.h"
#include "VlInterface/extended/cheapest.h"
#include "VlTechDatabase/vltechdb.h"
#include "VlUtil/vlutil.h"

namespace {

constexpr float kPipeDiameter = 114.3f;   // mm

struct Thicknesses {
    float mm[kCheapestLayers];
};

// 114.3 mm pipe at 250 °C under three mineral wool layers; the cost is ten
// years of heat at 0.05 per kWh plus 300 per m3 of insulation.
float Cost(const Thicknesses& t)
{
    HeatLossInput in{};
    in.objectType = kCalcPipe;
    in.ambientTemp = 20;
    in.emissivity = 0.9f;
    in.outerDiameter = kPipeDiameter / 1000;
    in.mediumTemp = 250;
    float outer = kPipeDiameter / 1000;
    for (int k = 0; k < kCheapestLayers; ++k) {
        in.thickness[k] = t.mm[k] / 1000;
        in.coefA[k] = 0.033f;
        in.coefB[k] = 0.008f;
        in.coefC[k] = 0.0025f;
        outer += 2 * in.thickness[k];
    }
    HeatLossOutput out{};
    if (HeatLossCalculation(in, &out) != 0)
        return 0;
    const float inner = kPipeDiameter / 1000;
    const float volume = 3.14159f / 4 * (outer * outer - inner * inner);
    return out.heatLossPerMetre * 8760 * 10 * 0.05f / 1000 + 300 * volume;
}

Thicknesses Of(const CheapestCombination& c)
{
    return {{c.layers[0].thickness, c.layers[1].thickness, c.layers[2].thickness}};
}

// 49 thicknesses a layer, from first mm in steps of step mm.
struct Range {
    int first, step;
};

void FillList(Range range, ProductListEntry* list)
{
    std::fill(list, list + kProductListSize, ProductListEntry{});
    list[0] = ProductListEntry{0, 20017, "", "-987", "IM"};
    for (int i = 1; i <= kCheapestLastIndex; ++i) {
        const int mm = range.first + range.step * (i - 1);
        list[i].number = i;
        std::snprintf(list[i].name, sizeof(list[i].name), "%d", mm);
        std::snprintf(list[i].code, sizeof(list[i].code), "MAT-%d", mm);
    }
}

using Ranges = std::array<Range, kCheapestLayers>;

CheapestSteps MadeUpSteps(const Ranges& ranges, std::function<float(const CheapestCombination&)> evaluate)
{
    CheapestSteps steps;
    steps.buildList = [ranges](int layer, float, ProductListEntry* list) { FillList(ranges[layer], list); };
    steps.sectionDiameters = [](int, const ProductListEntry&, float* inner, float* outer) { *inner = *outer = 0; };
    steps.evaluate = std::move(evaluate);
    return steps;
}

CheapestSearchInput FreeLayers()
{
    CheapestSearchInput input{};
    input.firstLayerIsProduct = true;
    input.diameterBeneath = kPipeDiameter;
    return input;
}

double Best(int runs, const std::function<void()>& work)
{
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const double start = Now();
        work();
        best = std::min(best, Now() - start);
    }
    return best;
}

void TimeSearchAgainstBareEvaluations(const char* title, const Ranges& ranges)
{
    const CheapestSearchInput input = FreeLayers();
    std::vector<Thicknesses> tried;
    CheapestResult result{};
    Cheapest_Search(input, MadeUpSteps(ranges, [&](const CheapestCombination& c) {
                        tried.push_back(Of(c));
                        return 1.0f;
                    }),
                    &result);
    const CheapestSteps costed = MadeUpSteps(ranges, [](const CheapestCombination& c) { return Cost(Of(c)); });
    const double search = Best(3, [&] { Cheapest_Search(input, costed, &result); });
    volatile float sink = 0;
    const double bare = Best(3, [&] {
        for (const Thicknesses& t : tried)
            sink = sink + Cost(t);
    });
    std::printf("search, %s: %.1f ms for %ld combinations; chosen %g + %g + %g mm (cost %.2f)\n", title,
                search * 1e3, result.evaluations, static_cast<double>(result.thickness[0]),
                static_cast<double>(result.thickness[1]), static_cast<double>(result.thickness[2]),
                static_cast<double>(result.cost));
    std::printf("  the same %zu heat losses and costs, bare: %.1f ms; search / bare = %.2f\n", tried.size(),
                bare * 1e3, search / bare);
}

void TimeSearchOnTechnicalData()
{
    CheapestSearchInput input{};
    input.firstLayerIsProduct = true;
    input.diameterBeneath = kPipeDiameter;
    const char* types[kCheapestLayers][2] = {{"MW-PIPESECTION", "IP"}, {"MW-WIREDMAT", "IM"}, {"MW-SLAB-HT", "IM"}};
    for (int k = 0; k < kCheapestLayers; ++k) {
        std::snprintf(input.layers[k].typeKey, sizeof(input.layers[k].typeKey), "%s", types[k][0]);
        std::snprintf(input.layers[k].recordClass, sizeof(input.layers[k].recordClass), "%s", types[k][1]);
    }
    input.layers[0].pipeSections = true;
    CheapestResult result{};
    const double start = Now();
    Cheapest_Search(input, Cheapest_DatabaseSteps(input, [](const CheapestCombination& c) { return Cost(Of(c)); }),
                    &result);
    const double elapsed = Now() - start;
    std::printf("search on the technical data (pipe sections, then two mat types): %.1f ms for %ld combinations, "
                "lists included; chosen %s / %s / %s\n",
                elapsed * 1e3, result.evaluations, result.code[0], result.code[1], result.code[2]);
}

}  // namespace

int main()
{
    ErrorList_Reset();
    TimeSearchAgainstBareEvaluations("the same 49 thicknesses (5 to 245 mm) on each layer",
                                     {Range{5, 5}, Range{5, 5}, Range{5, 5}});
    // Each inner layer thinner than any beneath it: no layer loop ends early.
    TimeSearchAgainstBareEvaluations("49 x 49 x 49, inner layers always thinner",
                                     {Range{500, 10}, Range{255, 5}, Range{5, 5}});
    TimeSearchOnTechnicalData();
    return 0;
}
