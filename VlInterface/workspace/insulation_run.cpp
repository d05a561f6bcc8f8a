// The insulation calculation run: fills the engine's heat-loss input from the
// calculation record and the layers' choices, runs heat loss twice and the
// dew point, then stores results, prices and annual costs on the system and
// its layer parts and words the four result lines.
#include "VlInterface/workspace/insulation_run.h"
#include "VlInterface/workspace/productlist.h"
#include "VlInterface/shell.h"
#include "VlTechDatabase/vltechdb.h"
#include "VlUtil/vlutil.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include "support/lookups.h"
#include "support/numfield.h"
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

enum RunText : uint16_t {
    Text_HeatLoss = 30025,
    Text_PerMetre = 30098,
    Text_PerSquareMetre = 30097,
    Text_Celsius = 30039,
    Text_SurfaceTemp = 40028,
    Text_InnerSurfaceTemp = 40029,
    Text_DewPoint = 30094,
    Text_TotalCost = 30084,
    Text_NotCalculated = 40068,
    Text_AllPrices = 40083,
    Text_PricesMissing = 40084,
    Text_NoEmissivity = 40052,
    Text_NoDewPoint = 45241,
    Text_NoEconomicData = 45280,
};

// Heat-loss results of the record, in its order.
enum ResultIndex {
    Result_PerMetre = 0,
    Result_PerSquareMetre = 1,
    Result_Conductivity = 3,    // layers 1..3
    Result_InnerSurfaceTemp = 7,
    Result_FaceTemp = 8,        // layers 1..3; the last is the outer surface
    Result_DewPoint = 11,
};

constexpr float kSecondRunAmbient = -1.0f;
constexpr int32_t kDewPointOfTheAir = 1;   // the engine's mode for the ambient air
constexpr float kNoDewPoint = kFieldMissingFloat;   // the record's dew point where none is defined

float ThicknessRecordAtt(const InsulationLayerChoice& layer, short att)
{
    return TechDb_GetFloatAtt(Shell().techDb, layer.productClass, layer.thicknessCode, att);
}

// Layer thickness in m: own and user thicknesses from the field, else from
// the diameters, else from the chosen record; listed thicknesses from the record.
float LayerThicknessMetres(const CalcRecord& r, int k, const InsulationLayerChoice& layer)
{
    if (!LayerChoice_IsUserInsulation(layer) && !LayerChoice_IsOwnThickness(layer))
        return ThicknessRecordAtt(layer, 1304) / 1000.0f;
    float t = r.thickness[k] / 1000.0f;
    if (std::fabs(t) < 1e-5f)
        t = (r.outerDiameter[k] - r.innerDiameter[k]) / 2000.0f;
    if (std::fabs(t) < 1e-5f)
        t = ThicknessRecordAtt(layer, 1304) / 1000.0f;
    return t;
}

void FillLayer(const CalcRecord& r, int k, const InsulationLayerChoice& layer, HeatLossInput* in,
               HeatLossOutput* out)
{
    if (LayerChoice_IsUserInsulation(layer) || LayerChoice_IsOwnThickness(layer)) {
        out->conductivity[k] = r.conductivity[k];
        // Only a user insulation key names an other-insulation product.
        if (LayerChoice_IsUserInsulation(layer))
            in->productId[k] = int32_t(std::strtol(layer.productCode, nullptr, 10));
    } else {
        in->coefA[k] = ThicknessRecordAtt(layer, 1307);
        in->coefB[k] = ThicknessRecordAtt(layer, 1308);
        in->coefC[k] = ThicknessRecordAtt(layer, 1309);
        in->coefD[k] = 0;
    }
    in->thickness[k] = LayerThicknessMetres(r, k, layer);
}

std::string Format(const char* format, const char* label, double value, const char* unit)
{
    char text[256];
    std::snprintf(text, sizeof(text), format, label, value, unit);
    return text;
}

std::string ValueLine(uint16_t label, double value, uint16_t unit)
{
    std::string labelText = Shell_Text(label);
    return Format("%s: %.1f %s", labelText.c_str(), value, Shell_Text(unit));
}

void SetLayerAtt(int k, short att, float value)
{
    if (int32_t part = CalcRecordState().layerParts[k])
        Kadmi_SetFloatAtt(part, att, value);
}

// A dew point that is not defined shows no figure and leaves 1322 absent.
void StoreDewPoint(float dewPoint, std::string* line)
{
    if (dewPoint == kNoDewPoint) {
        *line = std::string(Shell_Text(Text_DewPoint)) + ": " + Shell_Text(Text_NoDewPoint);
        Kadmi_DeleteAtt(kCalcObjectSystem, Att_DewPoint);
        return;
    }
    *line = ValueLine(Text_DewPoint, dewPoint, Text_Celsius);
    Kadmi_SetFloatAtt(kCalcObjectSystem, Att_DewPoint, dewPoint);
}

// Without economic data there is no total to show, only what is missing.
std::string PriceLine(std::optional<float> total, short kind, bool costErrors)
{
    std::string label = Shell_Text(Text_TotalCost);
    char text[256];
    if (costErrors || !total) {
        std::snprintf(text, sizeof(text), "%s: %s ", label.c_str(),
                      Shell_Text(costErrors ? Text_NotCalculated : Text_NoEconomicData));
        return text;
    }
    std::snprintf(text, sizeof(text), "%s: %.2f ", label.c_str(), *total);
    std::string line = text;
    // An annual cost: per metre (or m²) and year, as the thickness list heads it.
    constexpr short kCostPerMetreYear = 5, kCostPerSquareMetreYear = 4;
    long unit = kind == 0   ? Price_CurrencyUnitTextId(kCostPerMetreYear)
                : kind == 1 ? Price_CurrencyUnitTextId(kCostPerSquareMetreYear)
                            : 0;
    if (unit)
        line += Shell_Text(uint16_t(unit));
    line += " (";
    line += Shell_Text(Kadmi_GetIntAtt(kCalcObjectSystem, Att_AllPricesFound) ? Text_AllPrices : Text_PricesMissing);
    line += ")";
    return line;
}

} // namespace

bool LayerChoice_HasNoProduct(const InsulationLayerChoice& layer)
{
    return std::strcmp(layer.productClass, "UI") == 0 && std::strcmp(layer.productCode, "-789") == 0;
}

bool LayerChoice_IsUserInsulation(const InsulationLayerChoice& layer)
{
    return std::strcmp(layer.productClass, "UI") == 0 && std::strcmp(layer.productCode, "-789") != 0;
}

bool LayerChoice_IsOwnThickness(const InsulationLayerChoice& layer)
{
    return std::strcmp(layer.thicknessCode, "-456") == 0;
}

bool LayerChoice_HasThickness(const InsulationLayerChoice& layer)
{
    return layer.thicknessCode[0] && std::strcmp(layer.thicknessCode, "-987") != 0;
}

void InsulationRun_FillInput(const CalcRecord& r, const InsulationLayerChoices& layers, HeatLossInput* in,
                             HeatLossOutput* out)
{
    *in = HeatLossInput{};
    *out = HeatLossOutput{};
    if (r.geometryFlags[1]) {
        in->objectType = kCalcPipe;
    } else if (r.geometryFlags[2]) {
        in->objectType = kCalcRoundDuct;
    } else if (r.geometryFlags[3]) {
        in->objectType = kCalcRectangularDuct;
        in->ductWidth = r.width / 1000.0f;
        in->ductHeight = r.height / 1000.0f;
    } else {
        in->objectType = kCalcPlane;
    }
    in->outerDiameter = CalcRecord_BaseDiameter(r, 0) / 1000.0f;
    in->mediumTemp = r.contentsTemperature;
    in->ambientTemp = r.ambientTemperature;
    in->airVelocity = r.airVelocity;
    in->emissivity = r.emissivity;
    for (int k = 0; k < kCalcLayers && !LayerChoice_HasNoProduct(layers[k]); ++k)
        FillLayer(r, k, layers[k], in, out);
}

InsulationRunStatus InsulationRun_Calculate(CalcRecord& r, const InsulationLayerChoices& layers)
{
    ErrorList_Clear();
    std::fill(r.heatLossResults, r.heatLossResults + Result_DewPoint, 0.0f);
    if (std::strcmp(r.surfaceMaterialCode, kCodeOutermostSurface) == 0 && r.emissivity == 0.0f) {
        ErrorList_Insert(0, ErrorKind_Error, Text_NoEmissivity, nullptr, 0, nullptr);
        return InsulationRunStatus::Refused;
    }
    HeatLossInput in;
    HeatLossOutput out;
    InsulationRun_FillInput(r, layers, &in, &out);
    if (HeatLossCalculation(in, &out) != 0)
        return InsulationRunStatus::Failed;
    const float results[] = {out.heatLossPerMetre, out.heatLossPerSquareMetre, out.notWritten5,
                             out.conductivity[0], out.conductivity[1], out.conductivity[2], out.outerDiameter,
                             out.innerSurfaceTemp, out.faceTemp[0], out.faceTemp[1], out.faceTemp[2]};
    std::copy(std::begin(results), std::end(results), r.heatLossResults);

    in.mediumTemp = (r.contentsTemperature + kSecondRunAmbient) / 2.0f;
    if (HeatLossCalculation(in, &out) != 0)
        return InsulationRunStatus::Failed;
    Kadmi_SetFloatAtt(kCalcObjectSystem, Att_HeatLossAtMean, out.heatLossPerMetre);

    // The dew point is the surrounding air's, whichever surface is reported:
    // the humidity is the air's. None without a humidity, nor for an object
    // warmer than the air (whose humidity the object page does not ask).
    r.heatLossResults[Result_DewPoint] = kNoDewPoint;
    if (!(r.relativeHumidity > 0))
        return InsulationRunStatus::Done;
    Dew_pointInput dewIn{kDewPointOfTheAir, r.ambientTemperature, r.contentsTemperature, r.relativeHumidity};
    Dew_pointOutput dewOut{kNoDewPoint};
    if (Dew_point(dewIn, &dewOut) != 0)
        return InsulationRunStatus::Failed;
    r.heatLossResults[Result_DewPoint] = dewOut.dewPoint;
    return InsulationRunStatus::Done;
}

bool InsulationRun_StoreResults(CalcRecord& r, InsulationResultLines* lines)
{
    for (int k = 0; k < kCalcLayers; ++k) {
        r.conductivity[k] = r.heatLossResults[Result_Conductivity + k];
        SetLayerAtt(k, 1376, r.conductivity[k]);
    }
    bool plane = CalcRecord_IsPlane(r);
    float heatLoss = r.heatLossResults[plane ? Result_PerSquareMetre : Result_PerMetre];
    lines->line[0] = ValueLine(Text_HeatLoss, heatLoss, plane ? Text_PerSquareMetre : Text_PerMetre);
    Kadmi_SetFloatAtt(kCalcObjectSystem, Att_HeatLoss, heatLoss);

    float inner = r.heatLossResults[Result_InnerSurfaceTemp];
    float outer = r.heatLossResults[Result_FaceTemp + 2];
    lines->line[1] = r.reportedSurface == 1 ? ValueLine(Text_SurfaceTemp, outer, Text_Celsius)
                                            : ValueLine(Text_InnerSurfaceTemp, inner, Text_Celsius);
    Kadmi_SetFloatAtt(kCalcObjectSystem, Att_FaceTemperature, inner);
    for (int k = 0; k < kCalcLayers; ++k)
        SetLayerAtt(k, 1328, r.heatLossResults[Result_FaceTemp + k]);

    StoreDewPoint(r.heatLossResults[Result_DewPoint], &lines->line[2]);

    // The heat loss's warnings stay in the list, shown with the results.
    const int warnings = ErrorList_NError();
    short kind = 0;
    for (int k = 0; k < kCalcLayers; ++k) {
        if (int32_t part = CalcRecordState().layerParts[k]) {
            char noProduct[1] = {};
            Kadmi_SetFloatAtt(part, Att_MaterialPrice, CalculateInsulationPrice(part, noProduct, &kind));
        }
    }
    std::optional<float> total = InsulationRun_CalculateCosts(r, &kind);
    bool costErrors = ErrorList_NError() > warnings;
    lines->line[3] = PriceLine(total, kind, costErrors);
    return costErrors;
}

EconomicInputs EconomicInputs_Load()
{
    EconomicInputs inputs{};
    for (int i = 0; i < kEconomicInputs; ++i)
        inputs.values[i] = Kadmi_GetFloatAtt(kCalcObjectSystem, short(kAttEconomicFirst + i));
    return inputs;
}

namespace {

float Investment(const TargetPriceRequest& request, float heatLoss, short* kind, int* missing)
{
#ifdef VL_EXTENDED
    std::string productId = request.productId ? request.productId : "";
    return CalculateInsulationTargetPrice(-1, request.productId ? productId.data() : nullptr, heatLoss, kind,
                                          request.everyPrice ? 1 : 0, missing);
#else
    (void)request;
    (void)heatLoss;
    return CalculateInsulationTargetPrice(kind, missing);
#endif
}

} // namespace

CostsInput AnnualCosts_Input(const EconomicInputs& e, bool reportErrors, float heatLoss)
{
    CostsInput in{};
    CostsInput_SetObject(&in, Kadmi_GetIntAtt(kCalcObjectSystem, Att_ObjectKind), heatLoss);
    in.energyPriceIncrease = e.values[0] / 100.0f;
    in.usefulLife = e.values[1];
    in.energyPrice = e.values[2];
    in.operatingHours = e.values[3];
    in.interestRate = e.values[4] / 100.0f;
    in.reportErrors = reportErrors ? 1 : 0;
    return in;
}

CostsOutput AnnualCosts_Compute(const EconomicInputs& e, bool reportErrors, short* kind, int* missing,
                                const TargetPriceRequest& request, bool* refused)
{
    *kind = 0;
    *missing = 0;
    const float heatLoss = Kadmi_GetFloatAtt(kCalcObjectSystem, Att_HeatLoss);
    CostsInput in = AnnualCosts_Input(e, reportErrors, heatLoss);
    in.investment = Investment(request, heatLoss, kind, missing);
    CostsOutput out{};
    const bool failed = Costs(in, &out) != 0.0f;
    if (refused)
        *refused = failed;
    return out;
}

void AnnualCosts_Store(const std::optional<CostsOutput>& costs, int missing)
{
    // Costs of earlier inputs (and of the other object kind) no longer hold.
    for (short att = Att_CapitalCost; att <= Att_PlaneTotalCost; ++att)
        Kadmi_DeleteAtt(kCalcObjectSystem, att);
    Kadmi_DeleteAtt(kCalcObjectSystem, Att_AllPricesFound);
    if (!costs)
        return;
    bool plane = Kadmi_GetIntAtt(kCalcObjectSystem, Att_ObjectKind) == Kind_Plane;
    Kadmi_SetFloatAtt(kCalcObjectSystem, plane ? Att_PlaneCapitalCost : Att_CapitalCost, costs->capitalCost);
    Kadmi_SetFloatAtt(kCalcObjectSystem, plane ? Att_PlaneEnergyCost : Att_EnergyCost, costs->energyCost);
    Kadmi_SetFloatAtt(kCalcObjectSystem, plane ? Att_PlaneTotalCost : Att_TotalCost, costs->totalCost);
    Kadmi_SetIntAtt(kCalcObjectSystem, Att_AllPricesFound, missing == 0 ? 1 : 0);
}

std::optional<float> InsulationRun_CalculateCosts(const CalcRecord& r, short* kind)
{
    int missing = 0;
    bool refused = false;
    // The nominal list's case prices the system as it stands.
    CostsOutput out = AnnualCosts_Compute(EconomicInputs_Load(), r.caseFlags[0] != 0, kind, &missing,
                                          {nullptr, r.caseFlags[4] != 0}, &refused);
    if (refused) {
        AnnualCosts_Store(std::nullopt, missing);
        return std::nullopt;
    }
    AnnualCosts_Store(out, missing);
    return out.totalCost;
}

std::string InsulationRun_FirstErrorLine()
{
    return ErrorList_IthErrorStr(0);   // the page shortens it to its line
}
