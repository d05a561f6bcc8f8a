// The insulation page's fields: one table ties each number control to its
// record field and decimals, and filling, reading, enabling and the limit
// checks walk it; the lists of products, surfaces and thicknesses are kept
// in the page state by their positions.
#include "VlInterface/workspace/page_insulation.h"
#include "VlInterface/workspace/page_insulation_ids.h"
#include "VlInterface/workspace/calcdata.h"
#include "VlInterface/workspace/dlgfields.h"
#include "VlInterface/workspace/target_limits.h"
#include "VlInterface/workspace/thickness_request.h"
#include "VlInterface/shell.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include "support/dlgutil.h"
#include "support/lookups.h"
#include "support/msgbox.h"
#include "support/numfield.h"
#include "support/strings.h"
#ifdef VL_EXTENDED
#include "VlInterface/extended/extended.h"
#endif
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

namespace {

enum FieldText : uint16_t {
    Text_PriceLabel = 30073,
    Text_PerSquareMetre = 30097,
    Text_PerMetre = 30098,
    Text_ChooseThickness = 40075,
    Text_LayersOverlap = 40053,
    Text_NotCalculated = 40068,
    Text_CheckCaption = 9434,
};

constexpr float kAnyMinimum = -999999.0f;
constexpr float kDiameterShownTolerance = 0.5f;

constexpr size_t Layer(size_t offset, int k)
{
    return offset + size_t(k) * sizeof(float);
}

constexpr const char* kInnerKey = "HLOSSINNERDIAMETER_MM";
constexpr const char* kOuterKey = "HLOSSOUTERDIAMETER_MM";
constexpr const char* kConductivityKey = "HLOSSTHERMALCONDUCTANCE";
constexpr const char* kThicknessKey = "HLOSSNOMINALTHICKNESS_MM";

// Diameters keep their decimal: a pipe of 114.3 mm is no pipe of 114.
const RecordFloatField kNumberFields[] = {
    {IDC_INS_EMISSIVITY, offsetof(CalcRecord, emissivity), 2, kAnyMinimum, "HLOSSEMISSIVITY"},
    {122, Layer(offsetof(CalcRecord, innerDiameter), 0), 1, kAnyMinimum, kInnerKey},
    {123, Layer(offsetof(CalcRecord, innerDiameter), 1), 1, kAnyMinimum, kInnerKey},
    {124, Layer(offsetof(CalcRecord, innerDiameter), 2), 1, kAnyMinimum, kInnerKey},
    {125, Layer(offsetof(CalcRecord, outerDiameter), 0), 1, kAnyMinimum, kOuterKey},
    {126, Layer(offsetof(CalcRecord, outerDiameter), 1), 1, kAnyMinimum, kOuterKey},
    {127, Layer(offsetof(CalcRecord, outerDiameter), 2), 1, kAnyMinimum, kOuterKey},
    {131, Layer(offsetof(CalcRecord, conductivity), 0), 4, kAnyMinimum, kConductivityKey},
    {132, Layer(offsetof(CalcRecord, conductivity), 1), 4, kAnyMinimum, kConductivityKey},
    {133, Layer(offsetof(CalcRecord, conductivity), 2), 4, kAnyMinimum, kConductivityKey},
    {134, Layer(offsetof(CalcRecord, thickness), 0), 0, kAnyMinimum, kThicknessKey},
    {135, Layer(offsetof(CalcRecord, thickness), 1), 0, kAnyMinimum, kThicknessKey},
    {136, Layer(offsetof(CalcRecord, thickness), 2), 0, kAnyMinimum, kThicknessKey},
    {142, Layer(offsetof(CalcRecord, price), 0), 2, kLayerPriceMinimum},
    {143, Layer(offsetof(CalcRecord, price), 1), 2, kLayerPriceMinimum},
    {144, Layer(offsetof(CalcRecord, price), 2), 2, kLayerPriceMinimum},
    {IDC_INS_ALLOWED_HEATLOSS, offsetof(CalcRecord, allowedHeatLoss), 1, kAnyMinimum, "INSTHICKESSHEATLOSS_WM2"},
    {IDC_INS_ALLOWED_SURFACE, offsetof(CalcRecord, allowedSurfaceTemperature), 1, kAnyMinimum,
     "INSTHICKNESSSURFACETEMPERATURE_C"},
};

void FillList(HWND page, int id, const ProductListEntry* list, int datum)
{
    Combo_ShowProductList(page, id, list);
    if (Combo_Select(page, id, nullptr, -1, datum) < 0)
        Combo_EnsureSelection(page, id);
}

void FillControl(HWND page, CalcRecord& r, int id)
{
    InsulationPageState& s = InsPage();
    if (id == IDC_INS_SURFACE) {
        FillList(page, id, s.surfaces, r.surfaceMaterial);
    } else if (id >= IDC_INS_PRODUCT1 && id < IDC_INS_PRODUCT1 + kCalcLayers) {
        int k = id - IDC_INS_PRODUCT1;
        FillList(page, id, s.products, s.productIndex[k]);
    } else if (id >= IDC_INS_NOMINAL1 && id < IDC_INS_NOMINAL1 + kCalcLayers) {
        int k = id - IDC_INS_NOMINAL1;
        FillList(page, id, s.thicknesses[k], s.thicknessIndex[k]);
    } else if (id >= IDC_INS_CASE_ECONOMIC && id <= IDC_INS_CASE_RESULTS) {
        Check_SetByte(page, id, r.caseFlags[id - IDC_INS_CASE_ECONOMIC]);
    } else {
        for (const RecordFloatField& f : kNumberFields) {
            if (f.id == id)
                RecordFloatFields_Show(page, r, {&f, 1});
        }
    }
}

void ReadLists(HWND page, CalcRecord& r)
{
    InsulationPageState& s = InsPage();
    int32_t datum = 0;
    Combo_GetSelection(page, IDC_INS_SURFACE, &datum);
    r.surfaceMaterial = int16_t(datum);
    for (int k = 0; k < kCalcLayers; ++k) {
        Combo_GetSelection(page, IDC_INS_PRODUCT1 + k, &datum);
        s.productIndex[k] = datum;
        // The thickness is the chosen entry's; the header and the own-thickness
        // entry carry no name and stand for none.
        if (Combo_GetSelection(page, IDC_INS_NOMINAL1 + k, &datum) >= 0 && datum >= 0 &&
            datum < kProductListSize) {
            s.thicknessIndex[k] = datum;
            r.nominalThickness[k] = float(std::atof(s.thicknesses[k][datum].name));
        }
    }
}

template <size_t N>
void CopyCode(char (&field)[N], const char* code)
{
    std::snprintf(field, N, "%s", code);
}

} // namespace

void InsulationPage_ChoicesToCodes(CalcRecord& r)
{
    InsulationPageState& s = InsPage();
    int surface = ProductList_FindIndex(r.surfaceMaterial, nullptr, s.surfaces);
    CopyCode(r.surfaceMaterialCode, surface >= 0 ? s.surfaces[surface].code : "");
    for (int k = 0; k < kCalcLayers; ++k) {
        const ProductListEntry& product = InsPage_Product(k);
        CopyCode(r.productType[k], product.code);
        CopyCode(r.productClass[k], product.recordClass);
        CopyCode(r.productCode[k], InsPage_IsUser(k) ? product.code : InsPage_Thickness(k).code);
    }
}

namespace {

void SetUnitLabels(HWND page, const CalcRecord& r)
{
    bool plane = CalcRecord_IsPlane(r);
    long unit = Price_CurrencyUnitTextId(plane ? 2 : 1);
    std::string label = Shell_Text(Text_PriceLabel);
    char text[200];
    std::snprintf(text, sizeof(text), "%s\n[%s]", label.c_str(), unit ? Shell_Text(uint16_t(unit)) : "");
    Dlg_SetItemText(page, IDC_INS_PRICE_LABEL, text);
    Dlg_SetItemText(page, IDC_INS_HEATLOSS_UNIT, Shell_Text(plane ? Text_PerSquareMetre : Text_PerMetre));
}

// Each EM_SETREADONLY rewrites the style, with its notices, even unchanged.
void SetReadOnly(HWND page, int id, bool readOnly)
{
    HWND field = GetDlgItem(page, id);
    if (field && ((GetWindowLongPtrW(field, GWL_STYLE) & ES_READONLY) != 0) != readOnly)
        SendMessageW(field, EM_SETREADONLY, readOnly, 0);
}

// What Enable decides for each control, done once at its end: a control
// enabled and disabled again in one pass costs two notices and a repaint.
using EnableStates = std::map<int, bool>;

void EnableLayer(HWND page, const CalcRecord& r, int k, EnableStates& enable)
{
    int t = IDC_INS_THICKNESS1 + k, di = IDC_INS_INNER1 + k, d0 = IDC_INS_OUTER1 + k, l = IDC_INS_CONDUCTIVITY1 + k;
    bool u = InsPage_IsUser(k), o = InsPage_IsOwn(k), f = InsPage_IsFree(k);
    bool thickness = false, diameters = false, conductivity = false;
    if (!f && !u) {
        diameters = conductivity = o;
    } else if (u || !o) {
        thickness = u;
    } else {
        thickness = conductivity = true;
    }
    SetReadOnly(page, t, !thickness);
    SetReadOnly(page, di, !diameters);
    SetReadOnly(page, d0, !diameters);
    SetReadOnly(page, l, !conductivity);
    if (CalcRecord_IsPlaneOrRectDuct(r))
        enable[di] = enable[d0] = false;
    enable[IDC_INS_PRICE1 + k] = u || o;
    if (u)
        enable[IDC_INS_NOMINAL1 + k] = false;
}

// Controls of layer k that go grey while it has no product.
void DisableEmptyLayer(int k, EnableStates& enable)
{
    static const int kLayerControls[kCalcLayers][8] = {
        {122, 125, 134, 131, 120, 121, IDC_INS_THICKNESS_TABLE, 128},
        {123, 126, 135, 132, 121, 129, 0, 0},
        {124, 127, 136, 133, 130, 0, 0, 0},
    };
    for (int id : kLayerControls[k]) {
        if (id)
            enable[id] = false;
    }
}

bool Check(HWND page, float value, const char* key, bool show, bool focus, int focusId)
{
    if (InputLimits_Check(page, value, key, show) == 0)
        return true;
    if (focus)
        Dlg_FocusItem(page, focusId);
    return false;
}

void Refuse(HWND page, uint16_t text, bool focus, int focusId)
{
    std::string caption = Shell_Text(Text_CheckCaption);
    Wnd_MessageBox(page, Shell_Text(text), caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
    if (focus)
        Dlg_FocusItem(page, focusId);
}

bool CheckLayer(HWND page, const CalcRecord& r, int k, bool show, bool focus)
{
    if (InsPage_IsUser(k) || InsPage_IsOwn(k)) {
        // An own or user thickness must be a real thickness (from the
        // diameters where the thickness field is not used).
        float thickness = r.thickness[k] > 0 ? r.thickness[k] : (r.outerDiameter[k] - r.innerDiameter[k]) / 2;
        if (!Check(page, thickness, "HLOSSNOMINALTHICKNESS_MM", show, focus, IDC_INS_THICKNESS1 + k))
            return false;
    }
    if (InsPage_IsUser(k))
        return true;
    // Quietly a missing thickness choice is no error, but its values are
    // still checked.
    if (show && InsPage().thicknessIndex[k] <= 0) {
        Refuse(page, Text_ChooseThickness, focus, IDC_INS_NOMINAL1 + k);
        return false;
    }
    if (r.geometryFlags[1] || r.geometryFlags[2]) {
        if (!Check(page, r.innerDiameter[k], "HLOSSINNERDIAMETER_MM", show, focus, IDC_INS_INNER1 + k) ||
            !Check(page, r.outerDiameter[k], "HLOSSOUTERDIAMETER_MM", show, focus, IDC_INS_OUTER1 + k))
            return false;
    }
    if (!InsPage_IsOwn(k) &&
        !Check(page, r.nominalThickness[k], "HLOSSNOMINALTHICKNESS_MM", show, focus, IDC_INS_NOMINAL1 + k))
        return false;
    return !InsPage_IsOwn(k) ||
           Check(page, r.conductivity[k], "HLOSSTHERMALCONDUCTANCE", show, focus, IDC_INS_CONDUCTIVITY1 + k);
}

// Each layer of a fixed-section product must fit over what lies beneath.
bool CheckStacking(HWND page, const CalcRecord& r, bool focus)
{
    for (int k = 0; k < kCalcLayers; ++k) {
        if (!InsPage_HasProduct(k) || InsPage_IsFree(k))
            continue;
        if (k == 0 && !r.geometryFlags[1] && !r.geometryFlags[2])
            continue;
        // Half a millimetre of play: a diameter typed in whole millimetres
        // fits a pipe of 114.3.
        if (CalcRecord_BaseDiameter(r, k) > r.innerDiameter[k] + kDiameterShownTolerance) {
            Refuse(page, Text_LayersOverlap, focus, IDC_INS_INNER1 + k);
            return false;
        }
    }
    return true;
}

} // namespace

void InsulationPage_RecordToControls(HWND page, CalcRecord& r, int first, int last)
{
    ReentryGuard guard(InsPage().filling);
    if (!guard.entered())
        return;
    if (r.surfaceMaterial == -1) {
        int user = ProductList_FindIndex(0, kCodeUserSurface, InsPage().surfaces);
        r.surfaceMaterial = int16_t(user >= 0 ? InsPage().surfaces[user].number : 0);
    }
    static const int kIds[] = {115, 116, 119, 120, 121, 122, 123, 124, 125, 126, 127, 128, 129, 130, 131, 132,
                               133, 134, 135, 136, 137, 138, 139, 140, 141, 142, 143, 144, 145, 146};
    for (int id : kIds) {
        if (id >= first && id <= last)
            FillControl(page, r, id);
    }
#ifdef VL_EXTENDED
    InsulationPage_ShowExtendedFields(page, r);
#endif
}

int InsulationPage_ControlsToRecord(HWND page, CalcRecord& r, bool show)
{
    InsulationPageState& s = InsPage();
    if (s.filling)
        return 0;
    ReentryGuard guard(s.reading);
    if (!guard.entered())
        return 0;
    for (int i = 0; i < 5; ++i)
        Check_GetByte(page, IDC_INS_CASE_ECONOMIC + i, &r.caseFlags[i]);
    ReadLists(page, r);
    int refused = RecordFloatFields_Read(page, r, kNumberFields, show);
    InsulationPage_ChoicesToCodes(r);
    CalcRecord_Store(1);
    return refused;
}

int InsulationPage_Enable(HWND page, CalcRecord& r)
{
    ReentryGuard guard(InsPage().enabling);
    if (!guard.entered())
        return 0;
    Dlg_RestoreChildren(page);
    SetUnitLabels(page, r);
    EnableStates enable;
    for (int id : {116, 120, 121, 122, 123, 124, 125, 126, 127, 128, 129, 130, 131, 132, 133, 134, 135, 136, 142,
                   143, 144, 145, 146, 201})
        enable[id] = true;
    if (InsPage_TargetCase(r)) {
        // Only layer 1 takes part in a target case; the controls show the
        // record as it stands, so an adopted thickness stays.
        InsulationPage_UpdateLayerChoices(page, r, 2, LayerMode_Clear, false, false, false);
        InsulationPage_UpdateLayerChoices(page, r, 3, LayerMode_Clear, false, false, false);
        enable[120] = enable[121] = false;
        InsulationPage_RecordToControls(page, r, 1, 145);
    }
    enable[IDC_INS_ALLOWED_HEATLOSS] = r.caseFlags[1] != 0;
    enable[IDC_INS_ALLOWED_SURFACE] = r.caseFlags[2] != 0;
    SetReadOnly(page, IDC_INS_EMISSIVITY, std::strcmp(r.surfaceMaterialCode, kCodeUserSurface) != 0);
    for (int k = 0; k < kCalcLayers; ++k)
        EnableLayer(page, r, k, enable);
    for (int k = 0; k < kCalcLayers; ++k) {
        if (!InsPage_HasProduct(k))
            DisableEmptyLayer(k, enable);
    }
#ifdef VL_EXTENDED
    enable[IDC_INS_CHEAPEST] = InsulationPage_CanSearchCheapest();
#endif
    for (const auto& [id, on] : enable)
        Dlg_EnableItem(page, id, on);
    if (!InsPage_HasLayerParts())
        Dlg_DisableChildren(page);
    return 0;
}

int InsulationPage_CheckLimits(HWND page, CalcRecord& r, bool show, bool focus)
{
    if (!InsPage_HasLayerParts())
        return 0;
    if (r.caseFlags[1] && !Check(page, r.allowedHeatLoss, "INSTHICKESSHEATLOSS_WM2", show, focus, 145))
        return -1;
    if (r.caseFlags[2] &&
        !Check(page, r.allowedSurfaceTemperature, "INSTHICKNESSSURFACETEMPERATURE_C", show, focus, 146))
        return -1;
    // An outermost product without an emissivity of its own is the run's
    // message to give (it names the cause); the read-only field would only
    // show a range.
    bool productSurfaceWithout = std::strcmp(r.surfaceMaterialCode, kCodeOutermostSurface) == 0 && r.emissivity == 0.0f;
    if (!productSurfaceWithout && !Check(page, r.emissivity, "HLOSSEMISSIVITY", show, focus, IDC_INS_EMISSIVITY))
        return -1;
    for (int k = 0; k < kCalcLayers && !InsPage_TargetCase(r); ++k) {
        if (InsPage_HasProduct(k) && !CheckLayer(page, r, k, show, focus))
            return -1;
    }
    if (show && !CheckStacking(page, r, focus))
        return -1;
    return 0;
}

int InsulationPage_CheckInputs(HWND page, CalcRecord& r, bool quiet)
{
    // The target page may have been left with an input out of its limits
    // (a system switch, a file opened): tested again before every run.
    bool show = !quiet;
    if (TargetInputs_CheckLimits(page, r, show, nullptr) == 0 && InsulationPage_CheckLimits(page, r, show, show) == 0)
        return 0;
    InsulationPage_ClearResults(page);
    if (quiet)
        CalcPage_ShowLine(page, IDC_INS_RESULT1, Shell_Text(Text_NotCalculated));
    return -1;
}

void InsulationPage_ClearResults(HWND page)
{
    for (int i = 0; i < 4; ++i)
        Dlg_SetItemText(page, IDC_INS_RESULT1 + i, " ");
}

void InsulationPage_BuildLists(CalcRecord& r)
{
    ProductList_Build(r.geometry, InsPage().products);
    SurfaceMaterialList_Build(InsPage().surfaces);
}

void InsulationPage_RestoreChoices(HWND page, CalcRecord& r)
{
    InsulationPageState& s = InsPage();
    InsulationPage_ClearResults(page);
    if (CalcRecord_IsPlaneOrRectDuct(r)) {
        for (int k = 0; k < kCalcLayers; ++k)
            r.innerDiameter[k] = r.outerDiameter[k] = 0;
    }
    for (int k = 0; k < kCalcLayers; ++k) {
        const char* type = r.productType[k][0] ? r.productType[k] : kCodeNoProduct;
        int product = ProductList_FindIndex(0, type, s.products);
        // A product removed from the data stays the layer's, shown as removed.
        if (product < 0 && std::strcmp(type, kCodeNoProduct) != 0)
            product = ProductList_AddRemoved(s.products, r.productClass[k], type);
        s.productIndex[k] = product >= 0 ? product : 0;
    }
    for (int layer = 1; layer <= kCalcLayers; ++layer)
        InsulationPage_UpdateLayerChoices(page, r, layer, LayerMode_Rebuild, true, false, true);
    SurfaceMaterial_UpdateEmissivity(&r, r.surfaceMaterialCode, s.products, s.productIndex);
    InsulationPage_RecordToControls(page, r, 105, 144);
}

void InsulationPage_SetUserInsulationPrices(CalcRecord& r)
{
    int which = CalcRecord_IsPlane(r) ? 0 : 1;
    for (int k = 0; k < kCalcLayers; ++k) {
        char code[50];
        std::snprintf(code, sizeof(code), "%s", InsPage_Product(k).code);
        float price = InsPage_IsUser(k) ? GetOtherInsulationPrice(which, code) : 0.0f;
        r.price[k] = price >= kLayerPriceMinimum && price <= kRecordFieldMaximum ? price : 0.0f;
    }
}

void InsulationPage_StoreCase(CalcRecord& r)
{
    int32_t part = CalcRecordState().layerParts[0];
    if (!part)
        return;
    Kadmi_SetIntAtt(part, Att_CalculationCase, ThicknessRequest_Case(r));
    Kadmi_SetFloatAtt(part, Att_HeatLossLimit, r.allowedHeatLoss);
    Kadmi_SetFloatAtt(part, Att_SurfaceTempLimit, r.allowedSurfaceTemperature);
}

void InsulationPage_LoadCase(CalcRecord& r)
{
    int32_t part = CalcRecordState().layerParts[0];
    if (!part)
        return;
    r.allowedHeatLoss = Kadmi_GetFloatAtt(part, Att_HeatLossLimit);
    r.allowedSurfaceTemperature = Kadmi_GetFloatAtt(part, Att_SurfaceTempLimit);
    int16_t calculationCase = Kadmi_GetIntAtt(part, Att_CalculationCase);
    std::memset(r.caseFlags, 0, sizeof(r.caseFlags));
    r.caseFlags[calculationCase >= 0 && calculationCase <= 3 ? calculationCase : 4] = 1;
}
