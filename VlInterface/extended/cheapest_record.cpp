// Between the cheapest-combination search and the calculation record: the
// search's input read from the record, each combination costed on a working
// copy of the record, and the chosen thicknesses written back. The page's
// dimension update and recalculation follow elsewhere.
#include "VlInterface/extended/cheapest.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/workspace/calcdata.h"
#include "VlInterface/workspace/insulation_run.h"
#include "VlInterface/workspace/page_insulation.h"
#include "VlUtil/vlutil.h"
#include "Kadmi/kadmi.h"
#include "support/utf8.h"
#include "support/attributes.h"
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

bool IsTechnicalProduct(const char* recordClass)
{
    return recordClass[0] && std::strcmp(recordClass, "UI") != 0;
}

}  // namespace

CheapestSearchInput Cheapest_InputFromRecord(const CalcRecord& record, bool firstLayerIsProduct)
{
    CheapestSearchInput input{};
    input.firstLayerIsProduct = firstLayerIsProduct;
    input.diameterBeneath = CalcRecord_BaseDiameter(record, 0);
    for (int k = 0; k < kCheapestLayers; ++k) {
        CheapestLayerInput& layer = input.layers[k];
        Utf8_CopyCut(layer.recordClass, sizeof(layer.recordClass), record.productClass[k]);
        if (!IsTechnicalProduct(layer.recordClass))
            continue;
        Utf8_CopyCut(layer.typeKey, sizeof(layer.typeKey), record.productType[k]);
        layer.pipeSections = !ProductClass_IsFreeThickness(layer.recordClass);
    }
    return input;
}

void Cheapest_ApplyToRecord(const CheapestResult& result, CalcRecord* record)
{
    for (int k = 0; k < kCheapestLayers; ++k) {
        if (result.selected[k] <= 0)
            continue;
        Utf8_CopyCut(record->productCode[k], sizeof(record->productCode[k]), result.code[k]);
        record->thickness[k] = result.thickness[k];
    }
}

namespace {


// One attribute as it stood before the costing, to be put back.
struct SavedAttribute {
    long object;
    short att;
    bool text;
    bool found;
    std::string textValue;
    float value;
};

SavedAttribute Save(long object, short att, bool text)
{
    SavedAttribute saved{object, att, text, false, {}, 0};
    if (text) {
        const char* value = Kadmi_GetStringAtt(object, att);
        saved.found = value != nullptr;
        saved.textValue = value ? value : "";
    } else {
        saved.value = Kadmi_GetFloatAtt(object, att);
        saved.found = Kadmi_LastAttWasFound() != 0;
    }
    return saved;
}

void Restore(const SavedAttribute& saved)
{
    if (!saved.found)
        Kadmi_DeleteAtt(saved.object, saved.att);
    else if (saved.text)
        Kadmi_SetStringAtt(saved.object, saved.att, saved.textValue.c_str());
    else
        Kadmi_SetFloatAtt(saved.object, saved.att, saved.value);
}

// Writes one combination into the record as the layer choice would: each
// layer sits on the one beneath.
void PutCombination(CalcRecord& r, const CheapestCombination& c, InsulationLayerChoices& layers)
{
    const bool round = !CalcRecord_IsPlaneOrRectDuct(r);
    float beneath = CalcRecord_BaseDiameter(r, 0);
    for (int k = 0; k < kCheapestLayers; ++k) {
        const CheapestPick& pick = c.layers[k];
        if (!pick.entry)
            continue;
        Utf8_CopyCut(r.productCode[k], sizeof(r.productCode[k]), pick.entry->code);
        r.thickness[k] = r.nominalThickness[k] = pick.thickness;
        r.innerDiameter[k] = round ? beneath : 0;
        r.outerDiameter[k] = round ? pick.outerDiameter : 0;
        r.conductivity[k] = 0;
        layers[k].thicknessCode = pick.entry->code;
        beneath = pick.outerDiameter;
    }
}

}  // namespace

// What the engine's prices read of one layer: its code and thickness and the
// outer diameter of the layer beneath (0 for layer 1, whose base the engine
// reads itself).
struct LayerPriceKey {
    const char* code;
    float thickness, beneath;
    bool operator==(const LayerPriceKey&) const = default;
};

struct LayerPriceKeyHash {
    size_t operator()(const LayerPriceKey& key) const
    {
        const size_t h = std::hash<const void*>()(key.code);
        return (h * 31 + std::hash<float>()(key.thickness)) * 31 + std::hash<float>()(key.beneath);
    }
};

// A layer's material price and labour share as the engine gives them.
struct LayerPrice {
    float material;
    LabourShare labour;
};

// What one layer's thickness entry gives the heat loss.
struct LayerHeatInput {
    float thickness, coefA, coefB, coefC, coefD, conductivity;
    int32_t productId;
};

struct CheapestRecordCosting::Impl {
    CalcRecord work;
    InsulationLayerChoices layers;
    HeatLossInput input;     // of the record's own layers; each combination changes its layers
    HeatLossOutput output;
    // The technical data of each entry tried, read once for the whole search.
    std::unordered_map<const ProductListEntry*, LayerHeatInput> heatInputs[kCheapestLayers];
    EconomicInputs economic = EconomicInputs_Load();
    int32_t parts[kCheapestLayers] = {};
    bool used[kCheapestLayers] = {};
    bool refused = false;   // the outermost product's surface without an emissivity
    std::vector<SavedAttribute> saved;
    // Prices by layer for what the engine reads of it. A rectangular duct's
    // layer prices depend on every layer beneath: it is priced whole.
    bool pricedByLayer = false;
    short kind = -1;
    std::unordered_map<LayerPriceKey, LayerPrice, LayerPriceKeyHash> prices[kCheapestLayers];
    // The layers' price inputs as the part attributes would hold them.
    LayerPriceKey current[kCheapestLayers] = {};
    float currentOuter[kCheapestLayers] = {};

    // The engine's price inputs of layer k as the working record holds them.
    void PutPriceInputs(int k) const
    {
        Kadmi_SetStringAtt(parts[k], Att_ProductCode, work.productCode[k]);
        Kadmi_SetFloatAtt(parts[k], Att_NominalThickness, work.nominalThickness[k]);
        Kadmi_SetFloatAtt(parts[k], Att_OuterDiameter, work.outerDiameter[k]);
    }

    // Saves the attributes that each combination overwrites.
    void SaveLayer(int k)
    {
        saved.push_back(Save(parts[k], Att_ProductCode, true));
        for (short att : {Att_NominalThickness, Att_OuterDiameter})
            saved.push_back(Save(parts[k], att, false));
    }

    // The heat-loss input of the combination now in the working record.
    void FillInput(const CheapestCombination& c, HeatLossInput* in, HeatLossOutput* out)
    {
        *in = input;
        *out = output;
        for (int k = 0; k < kCheapestLayers; ++k) {
            const ProductListEntry* entry = c.layers[k].entry;
            if (!entry)
                continue;
            auto [known, added] = heatInputs[k].try_emplace(entry);
            if (added) {
                HeatLossInput fresh;
                HeatLossOutput freshOut;
                InsulationRun_FillInput(work, layers, &fresh, &freshOut);
                known->second = {fresh.thickness[k], fresh.coefA[k], fresh.coefB[k], fresh.coefC[k],
                                 fresh.coefD[k], freshOut.conductivity[k], fresh.productId[k]};
            }
            const LayerHeatInput& layer = known->second;
            in->thickness[k] = layer.thickness;
            in->coefA[k] = layer.coefA;
            in->coefB[k] = layer.coefB;
            in->coefC[k] = layer.coefC;
            in->coefD[k] = layer.coefD;
            in->productId[k] = layer.productId;
            out->conductivity[k] = layer.conductivity;
        }
    }

    // Layer k's prices for its current inputs, from the engine on first use.
    const LayerPrice& PriceOf(int k)
    {
        auto [known, added] = prices[k].try_emplace(current[k]);
        if (added) {
            Kadmi_SetStringAtt(parts[k], Att_ProductCode, current[k].code);
            Kadmi_SetFloatAtt(parts[k], Att_NominalThickness, current[k].thickness);
            if (k > 0 && parts[k - 1])
                Kadmi_SetFloatAtt(parts[k - 1], Att_OuterDiameter, current[k].beneath);
            char ownProduct[1] = {};
            known->second.material = CalculateInsulationPrice(parts[k], ownProduct, &kind);
            CalculateLabourShare(parts[k], kind, &known->second.labour);
        }
        return known->second;
    }

    // The combination's investment as the engine's system price gives it:
    // the materials summed in layer order, then the labour. Missing as there,
    // every material price required.
    float Investment(const CheapestCombination& c, int* missing)
    {
        for (int k = 0; k < kCheapestLayers; ++k) {
            if (const ProductListEntry* entry = c.layers[k].entry) {
                current[k].code = entry->code;
                current[k].thickness = c.layers[k].thickness;
                currentOuter[k] = work.outerDiameter[k];
            }
            current[k].beneath = k > 0 ? currentOuter[k - 1] : 0.0f;
        }
        float material = 0.0f;
        bool unpriced = false;
        LabourShare shares[kCheapestLayers] = {};
        for (int k = 0; k < kCheapestLayers; ++k) {
            if (!parts[k])
                continue;
            const LayerPrice& price = PriceOf(k);
            material += price.material;
            unpriced |= price.labour.present && !(price.material > 0.0f);
            shares[k] = price.labour;
        }
        const float labour = SumLabourShares(shares, kind, missing);
        if (unpriced)
            *missing = 1;
        return material + labour;
    }

    // The price inputs of the layers that no combination has written yet.
    void StartPricesByLayer()
    {
        pricedByLayer = true;
        for (const SavedAttribute& s : saved) {
            for (int k = 0; k < kCheapestLayers; ++k) {
                if (s.object != parts[k] || !parts[k])
                    continue;
                if (s.att == Att_ProductCode)
                    current[k].code = s.textValue.c_str();
                else if (s.att == Att_NominalThickness)
                    current[k].thickness = s.found ? s.value : 0.0f;
                else if (s.att == Att_OuterDiameter)
                    currentOuter[k] = s.found ? s.value : 0.0f;
            }
        }
    }

    bool MaterialUnpriced()
    {
        for (int k = 0; k < kCheapestLayers; ++k) {
            if (!used[k])
                continue;
            char ownProduct[1] = {};
            short priceKind = 0;
            const float material =
                pricedByLayer ? PriceOf(k).material : CalculateInsulationPrice(parts[k], ownProduct, &priceKind);
            if (!(material > 0.0f))
                return true;
        }
        return false;
    }
};

CheapestRecordCosting::CheapestRecordCosting(const CalcRecord& record,
                                             const InsulationLayerChoice layers[kCheapestLayers])
    : impl_(std::make_unique<Impl>())
{
    Impl& s = *impl_;
    s.work = record;
    s.refused = std::strcmp(record.surfaceMaterialCode, kCodeOutermostSurface) == 0 && record.emissivity == 0.0f;
    for (int k = 0; k < kCheapestLayers; ++k) {
        s.layers[k] = layers[k];
        s.parts[k] = CalcRecordState().layerParts[k];
        s.used[k] = s.parts[k] && record.productType[k][0] && std::strcmp(record.productType[k], kCodeNoProduct) != 0;
        if (s.parts[k])
            s.SaveLayer(k);
    }
    for (short att : {Att_FlatLabourPrice, Att_PipeLabourPrice, Att_HeatLoss})
        s.saved.push_back(Save(kCalcObjectSystem, att, false));
    InsulationRun_FillInput(s.work, s.layers, &s.input, &s.output);
    if (!CalcRecord_IsPlaneOrRectDuct(record) || CalcRecord_IsPlane(record))
        s.StartPricesByLayer();
}

CheapestRecordCosting::~CheapestRecordCosting()
{
    for (auto saved = impl_->saved.rbegin(); saved != impl_->saved.rend(); ++saved)
        Restore(*saved);
}

float CheapestRecordCosting::operator()(const CheapestCombination& combination)
{
    Impl& s = *impl_;
    if (s.refused)
        return 0;
    PutCombination(s.work, combination, s.layers);
    if (!s.pricedByLayer)
        for (int k = 0; k < kCheapestLayers; ++k)
            if (combination.layers[k].entry && s.parts[k])
                s.PutPriceInputs(k);
    HeatLossInput in;
    HeatLossOutput out;
    s.FillInput(combination, &in, &out);
    const bool failed = HeatLossCalculation(in, &out) != 0;
    if (ErrorList_NError() > 0)
        ErrorList_Clear();
    if (failed)
        return 0;
    const float heatLoss = CalcRecord_IsPlane(s.work) ? out.heatLossPerSquareMetre : out.heatLossPerMetre;
    int missing = 0;
    CostsOutput costs{};
    if (s.pricedByLayer) {
        CostsInput costsIn = AnnualCosts_Input(s.economic, false, heatLoss);
        costsIn.investment = s.Investment(combination, &missing);
        Costs(costsIn, &costs);
    } else {
        Kadmi_SetFloatAtt(kCalcObjectSystem, Att_HeatLoss, heatLoss);
        short kind = 0;
        costs = AnnualCosts_Compute(s.economic, false, &kind, &missing, {nullptr, true});
    }
    if (missing && s.MaterialUnpriced())
        return 0;
    return costs.totalCost;
}
