// The cheapest combination of layer thicknesses: thickness lists per layer
// (each built once per diameter beneath and kept for the whole search), the
// walk over their candidates with the page's costing step, the result table
// and the choice of its smallest qualifying cost.
#include "VlInterface/extended/cheapest.h"
#include "VlInterface/extended/extended.h"
#include "VlInterface/workspace/calcdata.h"
#include "VlInterface/workspace/techdata.h"
#include "VlTechDatabase/vltechdb.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace {

constexpr int kTableSide = kCheapestLastIndex + 1;
constexpr float kLowestCost = 0.0001f, kHighestCost = 99999.0f;
constexpr short kAttInnerDiameter = 1305, kAttOuterDiameter = 1306;

struct Candidate {
    int index;
    float thickness;       // mm
    float sectionOuter;    // mm; 0 when the product is laid in any thickness
};

// A layer's thickness list over one diameter and the entries worth trying.
struct LayerList {
    std::vector<ProductListEntry> entries = std::vector<ProductListEntry>(kProductListSize);
    std::vector<Candidate> candidates;
    bool present = false;   // the layer has a list at all
};

bool IsCandidateName(const ProductListEntry& entry, float* thickness)
{
    *thickness = static_cast<float>(std::atof(entry.name));
    return *thickness > 0 && std::strcmp(entry.code, kCodeOwnThickness) != 0;
}

// The lists of the three layers, built on first use per diameter beneath
// (pipe sections) or once (products laid in any thickness).
class LayerLists {
public:
    LayerLists(const CheapestSearchInput& input, const CheapestSteps& steps) : input_(input), steps_(steps) {}

    const LayerList& Get(int layer, float diameterBeneath)
    {
        const bool sections = input_.layers[layer].pipeSections;
        std::unique_ptr<LayerList>& list = lists_[{layer, sections ? diameterBeneath : 0.0f}];
        if (!list)
            list = Build(layer, diameterBeneath, sections);
        return *list;
    }

private:
    std::unique_ptr<LayerList> Build(int layer, float diameterBeneath, bool sections) const
    {
        auto list = std::make_unique<LayerList>();
        steps_.buildList(layer, diameterBeneath, list->entries.data());
        list->present = !ProductList_IsEnd(list->entries[0]);
        for (int i = 1; i <= kCheapestLastIndex && !ProductList_IsEnd(list->entries[i]); ++i) {
            const ProductListEntry& entry = list->entries[i];
            Candidate candidate{i, 0, 0};
            if (!IsCandidateName(entry, &candidate.thickness))
                continue;
            if (sections) {
                float inner = 0;
                steps_.sectionDiameters(layer, entry, &inner, &candidate.sectionOuter);
                if (inner != 0 && inner < diameterBeneath)
                    continue;
            }
            list->candidates.push_back(candidate);
        }
        return list;
    }

    const CheapestSearchInput& input_;
    const CheapestSteps& steps_;
    std::map<std::pair<int, float>, std::unique_ptr<LayerList>> lists_;
};

// The search's working state: lists, the combination being tried and the
// table of costs by thickness index of layers 1, 2 and 3.
class Search {
public:
    Search(const CheapestSearchInput& input, const CheapestSteps& steps)
        : input_(input), steps_(steps), lists_(input, steps), table_(kTableSide * kTableSide * kTableSide, 0.0f)
    {
    }

    void Run()
    {
        const LayerList& first = lists_.Get(0, input_.diameterBeneath);
        for (const Candidate& c1 : first.candidates) {
            const float beneath2 = Pick(0, first, c1, input_.diameterBeneath);
            const LayerList& second = lists_.Get(1, beneath2);
            if (!second.present) {
                Leave(1);
                Evaluate();
                continue;
            }
            for (const Candidate& c2 : second.candidates) {
                RunThirdLayer(Pick(1, second, c2, beneath2), c2.thickness);
                if (c2.thickness >= c1.thickness)
                    break;
            }
        }
    }

    // The smallest qualifying cost in index order; false when none qualifies.
    bool Choose(int selected[kCheapestLayers], float* cost) const
    {
        bool found = false;
        for (int cell = 0; cell < static_cast<int>(table_.size()); ++cell) {
            const float value = table_[static_cast<size_t>(cell)];
            if (value > kLowestCost && value < kHighestCost && (!found || value < *cost)) {
                found = true;
                *cost = value;
                selected[0] = cell / (kTableSide * kTableSide);
                selected[1] = cell / kTableSide % kTableSide;
                selected[2] = cell % kTableSide;
            }
        }
        return found;
    }

    // The chosen entries: the lists are walked again over the chosen diameters.
    void Describe(const int selected[kCheapestLayers], CheapestResult* result)
    {
        float beneath = input_.diameterBeneath;
        for (int layer = 0; layer < kCheapestLayers && selected[layer] > 0; ++layer) {
            const LayerList& list = lists_.Get(layer, beneath);
            for (const Candidate& candidate : list.candidates) {
                if (candidate.index != selected[layer])
                    continue;
                const ProductListEntry& entry = list.entries[static_cast<size_t>(candidate.index)];
                std::snprintf(result->code[layer], sizeof(result->code[layer]), "%s", entry.code);
                result->thickness[layer] = candidate.thickness;
                beneath = OuterDiameter(candidate, beneath);
            }
        }
    }

    long evaluations() const { return evaluations_; }

private:
    static float OuterDiameter(const Candidate& candidate, float beneath)
    {
        return candidate.sectionOuter > 0 ? candidate.sectionOuter : 2 * candidate.thickness + beneath;
    }

    float Pick(int layer, const LayerList& list, const Candidate& candidate, float beneath)
    {
        CheapestPick& pick = combination_.layers[layer];
        pick.index = candidate.index;
        pick.entry = &list.entries[static_cast<size_t>(candidate.index)];
        pick.thickness = candidate.thickness;
        pick.outerDiameter = OuterDiameter(candidate, beneath);
        return pick.outerDiameter;
    }

    // Layers from this one outward take no part in the combination.
    void Leave(int layer)
    {
        for (int i = layer; i < kCheapestLayers; ++i)
            combination_.layers[i] = CheapestPick{0, nullptr, 0, 0};
    }

    void RunThirdLayer(float beneath, float secondThickness)
    {
        const LayerList& third = lists_.Get(2, beneath);
        if (!third.present) {
            Leave(2);
            Evaluate();
            return;
        }
        for (const Candidate& c3 : third.candidates) {
            Pick(2, third, c3, beneath);
            Evaluate();
            if (c3.thickness >= secondThickness)
                break;
        }
    }

    void Evaluate()
    {
        const CheapestPick* picks = combination_.layers;
        const size_t cell = (static_cast<size_t>(picks[0].index) * kTableSide + static_cast<size_t>(picks[1].index)) *
                                kTableSide + static_cast<size_t>(picks[2].index);
        table_[cell] = steps_.evaluate(combination_);
        ++evaluations_;
    }

    const CheapestSearchInput& input_;
    const CheapestSteps& steps_;
    LayerLists lists_;
    std::vector<float> table_;
    CheapestCombination combination_{};
    long evaluations_ = 0;
};

}  // namespace

int Cheapest_Search(const CheapestSearchInput& input, const CheapestSteps& steps, CheapestResult* result)
{
    *result = CheapestResult{};
    if (!input.firstLayerIsProduct)
        return -1;
    Search search(input, steps);
    search.Run();
    result->evaluations = search.evaluations();
    if (search.Choose(result->selected, &result->cost))
        search.Describe(result->selected, result);
    else
        result->cost = 0;
    return 0;
}

CheapestSteps Cheapest_DatabaseSteps(const CheapestSearchInput& input,
                                     std::function<float(const CheapestCombination&)> evaluate)
{
    // The records of each layer's type are read once for the whole search.
    auto candidates = std::make_shared<std::vector<ProductListEntry>[]>(kCheapestLayers);
    for (int layer = 0; layer < kCheapestLayers; ++layer)
        candidates[layer] =
            ProductDb_ReadCandidates(VlDataTechDb_Handle(), input.layers[layer].typeKey, input.layers[layer].recordClass);
    CheapestSteps steps;
    steps.buildList = [input, candidates](int layer, float diameterBeneath, ProductListEntry* list) {
        const std::vector<ProductListEntry>& own = candidates[layer];
        ProductList_Clear(list);
        if (own.empty())
            return;
        ProductList_BuildThicknessChoices(list, own.data(), static_cast<int>(own.size()),
                                          input.layers[layer].recordClass, "", nullptr, diameterBeneath, false);
    };
    steps.sectionDiameters = [input](int layer, const ProductListEntry& entry, float* inner, float* outer) {
        const char* recordClass = input.layers[layer].recordClass;
        *inner = TechDb_GetFloatAtt(VlDataTechDb_Handle(), recordClass, entry.code, kAttInnerDiameter);
        *outer = TechDb_GetFloatAtt(VlDataTechDb_Handle(), recordClass, entry.code, kAttOuterDiameter);
    };
    steps.evaluate = std::move(evaluate);
    return steps;
}
