// The layer and product choice of the insulation page: rebuilds a layer's
// thickness choices, fits pipe sections over the layer beneath, derives
// diameters and thicknesses, clears layers, and carries each change outward.
// In a target case layer 1's thickness comes from the thickness list.
#include "VlInterface/workspace/page_insulation.h"
#include "VlInterface/workspace/calcdata.h"
#include "VlInterface/workspace/thickness_request.h"
#include "VlUtil/vlutil.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include <cstdio>
#include <cstring>

namespace {

int Update(HWND page, CalcRecord& r, int layer, int mode, bool useStored = false, bool reset = false,
           bool prefer = false);

void ZeroLayer(CalcRecord& r, int k)
{
    r.innerDiameter[k] = r.outerDiameter[k] = r.thickness[k] = 0;
    r.conductivity[k] = r.price[k] = 0;
    r.layerWorkingValue[k] = 0;
}

// The codes first: a layer's code may still be one of the thickness list of
// the product it had before.
void UpdateEmissivity(CalcRecord& r)
{
    InsulationPage_ChoicesToCodes(r);
    SurfaceMaterial_UpdateEmissivity(&r, r.surfaceMaterialCode, InsPage().products, InsPage().productIndex);
}

void BuildThicknessList(CalcRecord& r, int k, const std::string& code, bool prefer)
{
    InsulationPageState& s = InsPage();
    const ProductListEntry& product = InsPage_Product(k);
    LayerChoices_BuildThicknessList(product.code, product.recordClass, s.thicknesses[k], code.c_str(),
                                    &s.thicknessIndex[k], CalcRecord_BaseDiameter(r, k), prefer);
}

void Rebuild(HWND page, CalcRecord& r, int layer, bool useStored, bool reset, bool prefer)
{
    for (int k = layer - 1; k < kCalcLayers; ++k) {
        if (!InsPage_HasProduct(k)) {
            Update(page, r, k + 1, LayerMode_Clear);
            continue;
        }
        BuildThicknessList(r, k, useStored ? InsPage_StoredCode(k) : std::string(), prefer);
        if (k == kCalcLayers - 1)
            UpdateEmissivity(r);   // the surface may now be layer 3's product
        break;
    }
    Update(page, r, layer, LayerMode_ApplyThickness);
    // In a target case layer 1's thickness was just taken from the list.
    if (reset && !(layer == 1 && InsPage_TargetCase(r)))
        Update(page, r, layer, LayerMode_ResetThickness);
}

void ApplyThickness(HWND page, CalcRecord& r, int layer)
{
    InsulationPageState& s = InsPage();
    if (CalcRecord_IsPlaneOrRectDuct(r)) {
        Update(page, r, layer, LayerMode_Dimensions);
        if (!InsPage_IsUser(layer - 1) && !InsPage_IsOwn(layer - 1))
            r.price[layer - 1] = 0;
        return;
    }
    for (int k = layer - 1; k < kCalcLayers; ++k) {
        if (InsPage_HasProduct(k)) {
            int fit = LayerChoices_FitPipeSection(s.products, s.productIndex[k], s.thicknesses[k],
                                                  &s.thicknessIndex[k], &r.innerDiameter[k], &r.outerDiameter[k],
                                                  CalcRecord_BaseDiameter(r, k));
            if (k < kCalcLayers - 1 && fit == -1 && !InsPage_IsUser(k) && !InsPage_IsFree(k))
                Update(page, r, k + 2, LayerMode_ResetThickness);
            Update(page, r, k + 1, LayerMode_Dimensions);
        }
        if (!InsPage_IsUser(k) && !InsPage_IsOwn(k))
            r.price[k] = 0;
    }
}

void Dimensions(HWND page, CalcRecord& r, int layer)
{
    InsulationPageState& s = InsPage();
    int k = layer - 1;
    if (InsPage_HasProduct(k)) {
        int kind = InsPage_IsUser(k) || InsPage_IsFree(k) ? LayerDim_ThicknessGiven : LayerDim_DiametersGiven;
        ProductListEntry* const lists[3] = {s.thicknesses[0], s.thicknesses[1], s.thicknesses[2]};
        LayerChoices_UpdateDimensions(&r, layer, kind, s.products, lists, s.productIndex, s.thicknessIndex);
        if (!InsPage_IsOwn(k))
            r.conductivity[k] = 0;   // shown again by the next calculation
    }
    if (layer < kCalcLayers)
        Update(page, r, layer + 1, LayerMode_Rebuild, true);
}

void Clear(HWND page, CalcRecord& r, int layer)
{
    InsulationPageState& s = InsPage();
    int position = 0;
    while (position < kProductListSize && !ProductList_IsEnd(s.products[position]) &&
           std::strcmp(s.products[position].code, kCodeNoProduct) != 0)
        ++position;
    ZeroLayer(r, layer - 1);
    s.productIndex[layer - 1] = position < kProductListSize ? position : 0;
    Update(page, r, layer, LayerMode_ResetThickness);
    if (layer < kCalcLayers)
        Update(page, r, layer + 1, LayerMode_Clear);
    else
        UpdateEmissivity(r);
}

// A user insulation type's price is the product's, not the thickness's: it
// stays.
void ResetThickness(CalcRecord& r, int layer)
{
    for (int k = layer - 1; k < kCalcLayers; ++k) {
        const float price = r.price[k];
        ZeroLayer(r, k);
        if (InsPage_IsUser(k))
            r.price[k] = price;
        InsPage().thicknessIndex[k] = 0;
    }
}

int Update(HWND page, CalcRecord& r, int layer, int mode, bool useStored, bool reset, bool prefer)
{
    if (layer < 1 || layer > kCalcLayers)
        return 0;
    WaitCursor wait;
    if (InsPage_TargetCase(r) && layer == 1 && !reset) {
        InsulationPage_CalculateThicknessList(page, r);
        return 0;
    }
    switch (mode) {
    case LayerMode_Rebuild: Rebuild(page, r, layer, useStored, reset, prefer); break;
    case LayerMode_ApplyThickness: ApplyThickness(page, r, layer); break;
    case LayerMode_Dimensions: Dimensions(page, r, layer); break;
    case LayerMode_Clear: Clear(page, r, layer); break;
    case LayerMode_ResetThickness: ResetThickness(r, layer); break;
    default: break;
    }
    return 0;
}

// Layer 1's thickness entry for the adopted candidate: its own record when
// listed, else the entry named by its thickness.
int FindAdoptedEntry(const INSULATIONTHICKNESSRESULTLIST& candidate, const std::string& name)
{
    const ProductListEntry* list = InsPage().thicknesses[0];
    std::string code(candidate.productCode, strnlen(candidate.productCode, sizeof(candidate.productCode)));
    code.erase(code.find_last_not_of(' ') + 1);
    for (int i = 1; i < kProductListSize && list[i].name[0]; ++i) {
        if (code == list[i].code)
            return i;
    }
    for (int i = 1; i < kProductListSize && list[i].name[0]; ++i) {
        if (name == list[i].name)
            return i;
    }
    return -1;
}

// The engine computes the candidates with the page's stored emissivity. With
// the outermost product's own surface, that is the surface of layer 1's
// product.
void StoreLayer1Surface(CalcRecord& r)
{
    if (std::strcmp(r.surfaceMaterialCode, kCodeOutermostSurface) != 0)
        return;
    UpdateEmissivity(r);
    Kadmi_SetFloatAtt(kCalcObjectSystem, Att_Emissivity, r.emissivity);
}

} // namespace

int InsulationPage_UpdateLayerChoices(HWND page, CalcRecord& record, int layer, int mode, bool useStoredCode,
                                      bool resetThickness, bool preferStoredCode)
{
    return Update(page, record, layer, mode, useStoredCode, resetThickness, preferStoredCode);
}

int InsulationPage_CalculateThicknessList(HWND page, CalcRecord& r)
{
    InsulationPageState& s = InsPage();
    s.target = TargetOutcome::Met;
    if (!InsPage_HasProduct(0)) {
        ZeroLayer(r, 0);
        return -1;
    }
    // Inputs out of their limits choose no thickness: layer 1 stays.
    if (InsulationPage_CheckInputs(page, r, true) != 0)
        return -1;
    WaitCursor wait;
    DeleteThicknessResultList();
    BuildThicknessList(r, 0, InsPage_StoredCode(0), true);
    std::memcpy(r.productClass[0], InsPage_Product(0).recordClass, sizeof(r.productClass[0]));
    StoreLayer1Surface(r);
    INSULATIONTHICKNESSINPUT input = ThicknessRequest_Input(r, CalcRecordState().layerParts[0]);
    ErrorList_Clear();
    short count = 0;
    INSULATIONTHICKNESSRESULTLIST* list = CalculateInsulationThicknessList(input, &count);
    if (!list || count < 1) {
        s.target = TargetOutcome::NotMet;
        return -1;
    }
    ThicknessList_Sort(list, count, input.calculationCase, ThicknessRequest_ReferenceDiameter(r));
    if (input.calculationCase == kCaseEconomic && !ThicknessList_IsCosted(list[0])) {
        s.target = TargetOutcome::NotCosted;
        return -1;
    }
    std::string name = ThicknessRequest_Adopt(r, list[0]);
    if (int entry = FindAdoptedEntry(list[0], name); entry > 0) {
        s.thicknessIndex[0] = entry;
        std::snprintf(r.productCode[0], sizeof(r.productCode[0]), "%s", s.thicknesses[0][entry].code);
    }
    return 0;
}
