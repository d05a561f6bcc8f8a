// Times the cheapest-combination search of the extended edition on a
// three-layer pipe with 49 thicknesses a layer (up to 49 x 49 x 49
// combinations), each costed by a real heat loss, beside the same number of
// bare heat losses in this run; then the search on the technical data; then
// the page's costing (record and engine) in a project of one system and of
// 200 systems, beside the bare engine calls of the same combinations.
#include <windows.h>
#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>
#include "VlCalculate/vlcalculate.h"
#include "bench/benchclock.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/extended/cheapest.h"
#include "VlInterface/shell.h"
#include "VlInterface/workspace/insulation_run.h"
#include "VlTechDatabase/vltechdb.h"
#include "VlUtil/vlutil.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"

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

// A project of `systems` systems whose first is a 114.3 mm pipe at 150 °C
// under pipe sections, a wired mat and a slab; left open with that system loaded.
bool OpenPipeProject(const std::string& file, short systems)
{
    DeleteFileA(file.c_str());
    if (Kadmi_CreateDatabasefile(file.c_str()) != 0)
        return false;
    for (short page = 1; page < systems; ++page)
        Kadmi_CreatePage();
    for (short page = systems - 1; page >= 0; --page) {
        Kadmi_LoadPage(Kadmi_IthPage(page));
        char name[32];
        std::snprintf(name, sizeof(name), "System %d", page + 1);
        Kadmi_SetStringAtt(0, Att_SystemName, name);
        Kadmi_SavePage();
    }
    Kadmi_LoadPage(Kadmi_IthPage(0));
    Kadmi_SetIntAtt(0, Att_ObjectKind, Kind_Pipe);
    const float diameters[2] = {kPipeDiameter, 0};
    Kadmi_SetAtt(0, Att_OuterDiameters, 2, diameters);
    const std::pair<short, float> floats[] = {{Att_ContentsTemperature, 150}, {Att_AmbientTemperature, 20}, {Att_RelativeHumidity, 50}, {Att_AirVelocity, 0}, {Att_Emissivity, 0.9f},
                                              {Att_EnergyPriceIncrease, 2},   {Att_UsefulLife, 20}, {Att_EnergyPrice, 40}, {Att_OperatingHours, 8000}, {Att_InterestRate, 5}};
    for (const auto& [att, value] : floats)
        Kadmi_SetFloatAtt(0, att, value);
    Kadmi_SetIntAtt(0, Att_ReportedSurface, Surface_Outer);
    Kadmi_SetIntAtt(0, Att_CalculationCase, Case_HeatLossAndSurface);
    const char* layers[kCheapestLayers][3] = {
        {"MW-PIPESECTION", "IP", "MWP-114.3-50"}, {"MW-WIREDMAT", "IM", "MWM-40"}, {"MW-SLAB-HT", "IM", "MWS-30"}};
    int32_t parts[kCheapestLayers];
    for (int k = 0; k < kCheapestLayers; ++k) {
        parts[k] = static_cast<int32_t>(Kadmi_CreatePart());
        Kadmi_SetIntAtt(parts[k], Att_NewLayer, 1);
        Kadmi_SetStringAtt(parts[k], Att_ProductType, layers[k][0]);
        Kadmi_SetStringAtt(parts[k], Att_ProductClass, layers[k][1]);
        Kadmi_SetStringAtt(parts[k], Att_ProductCode, layers[k][2]);
    }
    CalcRecord_SetLayerParts(parts[0], parts[1], parts[2]);
    CalcRecord_Load();
    return true;
}

// 49 entries a layer, thicknesses as ranges gives them, each entry a real
// record of the layer's type in turn, so that every costing reads real data.
CheapestSteps RealCodeSteps(const Ranges& ranges, std::function<float(const CheapestCombination&)> evaluate)
{
    static const std::vector<std::vector<const char*>> codes = {
        {"MWP-114.3-20", "MWP-114.3-30", "MWP-114.3-40", "MWP-114.3-50", "MWP-114.3-60", "MWP-114.3-80"},
        {"MWM-30", "MWM-40", "MWM-50", "MWM-60", "MWM-70", "MWM-80"},
        {"MWS-20", "MWS-30", "MWS-40", "MWS-50", "MWS-60", "MWS-70"}};
    CheapestSteps steps = MadeUpSteps(ranges, std::move(evaluate));
    steps.buildList = [ranges](int layer, float, ProductListEntry* list) {
        FillList(ranges[layer], list);
        const std::vector<const char*>& own = codes[static_cast<size_t>(layer)];
        for (int i = 1; i <= kCheapestLastIndex; ++i)
            std::snprintf(list[i].code, sizeof(list[i].code), "%s", own[static_cast<size_t>(i) % own.size()]);
    };
    return steps;
}

// One tried combination as the bare engine calls take it: the heat-loss
// input and the layers' price inputs in the project.
struct BareCombination {
    HeatLossInput heatLoss;
    char code[kCheapestLayers][50];
    float thickness[kCheapestLayers], outer[kCheapestLayers];
};

float BareCost(const BareCombination& b, const int32_t* parts, const EconomicInputs& e)
{
    for (int k = 0; k < kCheapestLayers; ++k) {
        Kadmi_SetStringAtt(parts[k], Att_ProductCode, b.code[k]);
        Kadmi_SetFloatAtt(parts[k], Att_NominalThickness, b.thickness[k]);
        Kadmi_SetFloatAtt(parts[k], Att_OuterDiameter, b.outer[k]);
    }
    HeatLossOutput out{};
    if (HeatLossCalculation(b.heatLoss, &out) != 0)
        return 0;
    short kind = 0;
    int missing = 0;
    CostsInput in{};
    in.objectType = kCalcPipe;
    in.heatLossPerMetre = out.heatLossPerMetre;
    in.energyPriceIncrease = e.values[0] / 100;
    in.usefulLife = e.values[1];
    in.energyPrice = e.values[2];
    in.operatingHours = e.values[3];
    in.interestRate = e.values[4] / 100;
    in.investment = CalculateInsulationTargetPrice(-1, nullptr, out.heatLossPerMetre, &kind, 1, &missing);
    CostsOutput costs{};
    Costs(in, &costs);
    return costs.totalCost;
}

void TimePageCosting(short systems)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    const std::string file = std::string(temp) + "cheapest_bench.wdf";
    if (!OpenPipeProject(file, systems)) {
        std::printf("cannot create %s\n", file.c_str());
        return;
    }
    const CalcRecord& r = CalcRec();
    InsulationLayerChoices layers;
    for (int k = 0; k < kCheapestLayers; ++k)
        layers[k] = {r.productType[k], r.productClass[k], r.productCode[k]};
    const CheapestSearchInput input = FreeLayers();
    const Ranges ranges = {Range{500, 10}, Range{255, 5}, Range{5, 5}};

    // The combinations the search tries, as the bare calls take them.
    std::vector<BareCombination> bare;
    CheapestResult result{};
    Cheapest_Search(input, RealCodeSteps(ranges, [&](const CheapestCombination& c) {
                        BareCombination b{};
                        InsulationLayerChoices tried;
                        CalcRecord work = r;
                        for (int k = 0; k < kCheapestLayers; ++k) {
                            tried[k] = {layers[k].productCode, layers[k].productClass, c.layers[k].entry->code};
                            std::snprintf(b.code[k], sizeof(b.code[k]), "%s", c.layers[k].entry->code);
                            b.thickness[k] = work.thickness[k] = work.nominalThickness[k] = c.layers[k].thickness;
                            b.outer[k] = c.layers[k].outerDiameter;
                        }
                        HeatLossOutput unused;
                        InsulationRun_FillInput(work, tried, &b.heatLoss, &unused);
                        bare.push_back(b);
                        return 1.0f;
                    }),
                    &result);

    const double search = Best(3, [&] {
        CheapestRecordCosting costing(r, layers);
        Cheapest_Search(input, RealCodeSteps(ranges, std::ref(costing)), &result);
    });
    const EconomicInputs economic = EconomicInputs_Load();
    volatile float sink = 0;
    const double engine = Best(3, [&] {
        for (const BareCombination& b : bare)
            sink = sink + BareCost(b, CalcRecordState().layerParts, economic);
    });
    // Every combination's cost beside the bare calls' cost of it.
    std::vector<float> costed;
    {
        CheapestRecordCosting costing(r, layers);
        CheapestResult unused{};
        Cheapest_Search(input, RealCodeSteps(ranges, [&](const CheapestCombination& c) {
                            costed.push_back(costing(c));
                            return costed.back();
                        }),
                        &unused);
    }
    size_t differing = 0;
    for (size_t i = 0; i < bare.size() && i < costed.size(); ++i)
        differing += costed[i] != BareCost(bare[i], CalcRecordState().layerParts, economic) ? 1 : 0;
    std::printf("page costing, project of %d system(s): %.1f ms for %ld combinations (cost %.2f), "
                "%zu costs unlike the bare calls'\n",
                systems, search * 1e3, result.evaluations, static_cast<double>(result.cost),
                differing);
    std::printf("  the same %zu heat losses, prices and costs, bare engine calls: %.1f ms; search / bare = %.2f\n",
                bare.size(), engine * 1e3, search / engine);
    Kadmi_CloseDatabasefile(0);
    DeleteFileA(file.c_str());
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
    Shell().techDb = VlDataTechDb_Handle();
    TimePageCosting(1);
    TimePageCosting(200);
    return 0;
}
