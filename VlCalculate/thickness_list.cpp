// The list of candidate thicknesses of a product type: every thickness entry
// of layer 1's type is calculated as a single layer on the current page,
// priced as a total annual cost, and kept when it meets the calculation case.
// Both the full and the filtered list belong to the engine. The nominal list
// keeps one row per nominal thickness; the reduction to one row per inner
// diameter works on the filtered list in place.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include "VlCalculate/calc_internal.h"
#include "support/memory.h"
#include "support/attributes.h"

namespace {
constexpr int kEntryKeyWidth = 30;
constexpr int kLayerKeyBytes = 100;
constexpr int32_t kDewPointOfTheAir = 1;  // Dew_point's mode for the ambient air

// What the list needs of the current page, read once per list.
struct PageConditions {
    int16_t objectType = 0;         // page object type (attribute 1117)
    float diameters[2] = {};        // pipe and round duct, mm; missing counts as 0
    float ductWidth = 0;            // mm
    float ductHeight = 0;
    float ambient = 0;
    float medium = 0;
    float humidity = 0;             // of the condensation case
    float velocity = 0;
    float emissivity = 0;
    int16_t reportedSurface = 0;    // 2 inner surface, any other the outer one
};

PageConditions ReadPageConditions()
{
    PageConditions page;
    page.objectType = Deps_PageShort(0, Att_ObjectKind);
    Deps_PageFloats(0, Att_OuterDiameters, page.diameters, 2);
    for (float& d : page.diameters) {
        d = ZeroIfMissing(d);
    }
    page.ductWidth = Deps_PageFloat(0, Att_DuctWidth);
    page.ductHeight = Deps_PageFloat(0, Att_DuctHeight);
    page.ambient = Deps_PageFloat(0, Att_AmbientTemperature);
    page.medium = Deps_PageFloat(0, Att_ContentsTemperature);
    const int16_t named = Calc().condensationHumidityAtt;
    const int16_t humidity = named > 0 ? named : int16_t(Att_RelativeHumidity);
    page.humidity = Deps_PageFloat(0, humidity);
    page.velocity = Deps_PageFloat(0, Att_AirVelocity);
    page.emissivity = Deps_PageFloat(0, Att_Emissivity);
    page.reportedSurface = Deps_PageShort(0, Att_ReportedSurface);
    return page;
}

int32_t EngineObjectType(int16_t pageType)
{
    switch (pageType) {
    case Kind_Plane:
        return kCalcPlane;
    case Kind_Pipe:
        return kCalcPipe;
    case Kind_RoundDuct:
        return kCalcRoundDuct;
    case Kind_RectDuct:
        return kCalcRectangularDuct;
    default:
        return 0;
    }
}

// Heat loss of one thickness entry as the only layer on the page's object.
HeatLossOutput SingleLayerLoss(const PageConditions& page, const char* group, const char* key)
{
    const int16_t db = Calc().db.techData;
    HeatLossInput in{};
    in.objectType = EngineObjectType(page.objectType);
    in.ambientTemp = page.ambient;
    in.emissivity = page.emissivity;
    in.outerDiameter = page.diameters[page.objectType == Kind_Pipe ? 0 : 1] / 1000.0f;
    in.airVelocity = page.velocity;
    in.mediumTemp = page.medium;
    in.thickness[0] = Deps_TechFloat(db, group, key, kTechThickness) / 1000.0f;
    in.ductWidth = page.ductWidth / 1000.0f;
    in.ductHeight = page.ductHeight / 1000.0f;
    in.coefA[0] = Deps_TechFloat(db, group, key, kTechCoefA);
    in.coefB[0] = Deps_TechFloat(db, group, key, kTechCoefB);
    in.coefC[0] = Deps_TechFloat(db, group, key, kTechCoefC);
    HeatLossOutput out{};
    HeatLossCalculation(in, &out);  // a failed entry keeps what was calculated; its errors are listed
    return out;
}

// Inner and outer dimensions of the entry on the page's object; false when
// a pipe product is too small for the pipe.
bool FitDimensions(const PageConditions& page, const char* group, const char* key,
                   INSULATIONTHICKNESSRESULTLIST& e)
{
    const int16_t db = Calc().db.techData;
    switch (page.objectType) {
    case Kind_Pipe:
    case Kind_RoundDuct: {
        const float pipe = page.diameters[page.objectType == Kind_Pipe ? 0 : 1];
        e.innerDimension1 = Deps_TechFloat(db, group, key, kTechInnerDiameter);
        e.outerDimension1 = Deps_TechFloat(db, group, key, kTechOuterDiameter);
        if (e.innerDimension1 < 0.01f || e.outerDimension1 < 0.01f) {
            e.innerDimension1 = pipe;
            e.outerDimension1 = pipe + 2.0f * e.thickness;
        }
        return !(e.innerDimension1 < pipe);
    }
    case Kind_RectDuct:
        e.innerDimension1 = page.ductWidth;
        e.innerDimension2 = page.ductHeight;
        e.outerDimension1 = page.ductWidth + 2.0f * e.thickness;
        e.outerDimension2 = page.ductHeight + 2.0f * e.thickness;
        return true;
    default:
        return true;
    }
}

// dewPoint: in the condensation case of a cold object, the dew point that
// an entry's outer surface must stay above; NaN where none applies.
void BuildFullList(const INSULATIONTHICKNESSINPUT& in, const PageConditions& page, float dewPoint)
{
    int reportErrors = in.calculationCase == kCaseEconomic ? 1 : 0;
    const std::string layerKey = Deps_PageString(in.part, Att_ProductType, kLayerKeyBytes);
    if (layerKey.empty()) {
        return;
    }
    const std::string group(in.productGroup, strnlen(in.productGroup, sizeof in.productGroup));
    const std::vector<std::string> entries =
        Deps_TechEntryKeys(Calc().db.techData, group.c_str(), layerKey.c_str(), kTechThicknessEntries);
    for (const std::string& entry : entries) {
        if (entry.empty()) {
            break;
        }
        INSULATIONTHICKNESSRESULTLIST e{};
        char* key = e.productCode;
        std::snprintf(key, sizeof e.productCode, "%-*.*s", kEntryKeyWidth, kEntryKeyWidth, entry.c_str());
        e.thickness = Deps_TechFloat(Calc().db.techData, group.c_str(), key, kTechThickness);
        if (!FitDimensions(page, group.c_str(), key, e)) {
            continue;
        }
        const HeatLossOutput loss = SingleLayerLoss(page, group.c_str(), key);
        if (!std::isnan(dewPoint) && !(loss.faceTemp[0] > dewPoint)) {
            continue;  // its outer surface would sweat, whichever surface the page reports
        }
        e.heatLoss = loss.heatLossPerSquareMetre != 0.0f ? loss.heatLossPerSquareMetre : loss.heatLossPerMetre;
        e.surfaceTemp = page.reportedSurface == 2 ? loss.innerSurfaceTemp : loss.faceTemp[0];
        short kind = 0;
        e.totalAnnualCost = CalculateOneInsulationTargetPrice(in.part, key, e.heatLoss, &kind, reportErrors);
        if (!ThicknessList_IsCosted(e)) {
            reportErrors = 0;  // the economic inputs are the same for every entry: one message says it
        }
        if (Array_Append(reinterpret_cast<void**>(&Calc().fullList), &Calc().fullCount, sizeof e, &e) != 0) {
            return;  // out of memory, already shown: the list so far stands
        }
    }
}

// The condensation case of a cold object keeps its outer surface above the
// surrounding air's dew point (the humidity is the air's); nothing condenses
// on the outside of a warm object. False when the air has no dew point (no
// humidity, out of the formula's range, reported): then no entry is kept.
bool CondensationLimit(const INSULATIONTHICKNESSINPUT& in, const PageConditions& page, bool hot, float* dewPoint)
{
    *dewPoint = NAN;
    if (in.calculationCase != kCaseCondensation || hot) {
        return true;
    }
    if (!(page.humidity > 0)) {
        Deps_ReportError(kSeverityError, kErrNoHumidity);
        return false;
    }
    Dew_pointOutput dew{0.0f};
    if (Dew_point({kDewPointOfTheAir, page.ambient, page.medium, page.humidity}, &dew) != 0) {
        return false;
    }
    *dewPoint = dew.dewPoint;
    return true;
}

// The condensation case was tested while the list was built.
bool Keeps(const INSULATIONTHICKNESSINPUT& in, bool hot, const INSULATIONTHICKNESSRESULTLIST& e)
{
    switch (in.calculationCase) {
    case kCaseEconomic:
    case kCaseAll:
    case kCaseCondensation:
        return true;
    case kCaseHeatLossLimit:
        return hot ? e.heatLoss <= in.heatLossLimit : e.heatLoss >= in.heatLossLimit;
    case kCaseSurfaceTempLimit:
        return hot ? e.surfaceTemp <= in.surfaceTempLimit : e.surfaceTemp >= in.surfaceTempLimit;
    default:
        return false;
    }
}

// Keeps in the full list, in list order, one row per nominal thickness: the
// one whose inner dimension fits the object most closely (the first of equals).
void KeepNominalRows()
{
    CalcGlobals& g = Calc();
    int kept = 0;
    for (int i = 0; i < g.fullCount; ++i) {
        const INSULATIONTHICKNESSRESULTLIST& e = g.fullList[i];
        INSULATIONTHICKNESSRESULTLIST* same = std::find_if(
            g.fullList, g.fullList + kept, [&](const auto& k) { return k.thickness == e.thickness; });
        if (same == g.fullList + kept)
            g.fullList[kept++] = e;
        else if (e.innerDimension1 < same->innerDimension1)
            *same = e;
    }
    g.fullCount = kept;
}

void FilterList(const INSULATIONTHICKNESSINPUT& in)
{
    CalcGlobals& g = Calc();
    for (int i = 0; i < g.fullCount; ++i) {
        const INSULATIONTHICKNESSRESULTLIST& e = g.fullList[i];
        if (Keeps(in, g.hot, e) &&
            Array_Append(reinterpret_cast<void**>(&g.filteredList), &g.filteredCount, sizeof e, &e) != 0) {
            return;
        }
    }
}
} // namespace

void WINAPI SetCondensationHumidityAttribute(short attribute)
{
    Calc().condensationHumidityAtt = attribute;
}

short WINAPI DeleteThicknessResultList()
{
    CalcGlobals& g = Calc();
    Mem_Free(g.fullList);
    Mem_Free(g.filteredList);
    g.fullList = nullptr;
    g.filteredList = nullptr;
    g.fullCount = 0;
    g.filteredCount = 0;
    return 0;
}

namespace {
INSULATIONTHICKNESSRESULTLIST* MakeList(const INSULATIONTHICKNESSINPUT& input, short* count, bool nominal)
{
    DeleteThicknessResultList();
    const PageConditions page = ReadPageConditions();
    Calc().hot = page.ambient < page.medium;
    float dewPoint = NAN;
    if (CondensationLimit(input, page, Calc().hot, &dewPoint)) {
        BuildFullList(input, page, dewPoint);
        if (nominal)
            KeepNominalRows();
        FilterList(input);
    }
    if (count)
        *count = static_cast<short>(Calc().filteredCount);
    return Calc().filteredCount > 0 ? Calc().filteredList : nullptr;
}
} // namespace

INSULATIONTHICKNESSRESULTLIST* WINAPI CalculateInsulationThicknessList(INSULATIONTHICKNESSINPUT input, short* count)
{
    return MakeList(input, count, false);
}

INSULATIONTHICKNESSRESULTLIST* WINAPI CalculateInsulationNominalThicknessList(INSULATIONTHICKNESSINPUT input,
                                                                               short* count)
{
    return MakeList(input, count, true);
}

INSULATIONTHICKNESSRESULTLIST* WINAPI SelectOnlyOneInsulationForEachInnerDiameter(int32_t* count)
{
    CalcGlobals& g = Calc();
    INSULATIONTHICKNESSRESULTLIST* list = g.filteredList;
    int kept = 0;
    for (int i = 0; i < g.filteredCount; ++i) {
        const INSULATIONTHICKNESSRESULTLIST row = list[i];
        if (std::none_of(list, list + kept, [&](const auto& k) { return k.innerDimension1 == row.innerDimension1; }))
            list[kept++] = row;
    }
    g.filteredCount = kept;
    if (count)
        *count = kept;
    return kept > 0 ? list : nullptr;
}
