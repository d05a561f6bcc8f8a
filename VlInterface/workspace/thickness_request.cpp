// Sorting and adoption of the insulation thickness list. The comparators are
// built on one key per case so that the order is consistent for every list,
// also with candidates exactly at the reference diameter.
#include "VlInterface/workspace/thickness_request.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

// NaN sorts last, so that the key order stays a strict weak ordering.
float Sortable(float value)
{
    return std::isnan(value) ? std::numeric_limits<float>::infinity() : value;
}

float CaseKey(int16_t calculationCase, const INSULATIONTHICKNESSRESULTLIST& e)
{
    switch (calculationCase) {
    case kCaseEconomic: return Sortable(e.totalAnnualCost);
    case kCaseHeatLossLimit: return Sortable(-std::fabs(e.heatLoss));
    case kCaseSurfaceTempLimit: return Sortable(-e.surfaceTemp);
    case kCaseCondensation: return Sortable(e.surfaceTemp);
    default: return 0.0f;
    }
}

template <typename T>
int Order(T a, T b)
{
    return a < b ? -1 : b < a ? 1 : 0;
}

} // namespace

int16_t ThicknessRequest_Case(const CalcRecord& r)
{
    for (int16_t i = 0; i < 4; ++i) {
        if (r.caseFlags[i])
            return i;
    }
    return kCaseAll;
}

float ThicknessRequest_ReferenceDiameter(const CalcRecord& r)
{
    if (r.geometryFlags[1])
        return r.outerDiameters[0];
    if (r.geometryFlags[2])
        return r.outerDiameters[1];
    return 0.0f;
}

int ThicknessList_Compare(int16_t calculationCase, float reference, const INSULATIONTHICKNESSRESULTLIST& a,
                          const INSULATIONTHICKNESSRESULTLIST& b)
{
    // The economic case can only choose among candidates with a cost.
    if (calculationCase == kCaseEconomic && ThicknessList_IsCosted(a) != ThicknessList_IsCosted(b))
        return ThicknessList_IsCosted(a) ? -1 : 1;
    // Candidates that fit over the pipe (inner diameter not below it) first.
    bool aFits = !(a.innerDimension1 < reference);
    bool bFits = !(b.innerDimension1 < reference);
    if (aFits != bFits)
        return aFits ? -1 : 1;
    if (int o = Order(Sortable(a.innerDimension1), Sortable(b.innerDimension1)))
        return o;
    return Order(CaseKey(calculationCase, a), CaseKey(calculationCase, b));
}

void ThicknessList_Sort(INSULATIONTHICKNESSRESULTLIST* list, int count, int16_t calculationCase, float reference)
{
    if (!list || count < 2)
        return;
    std::stable_sort(list, list + count, [&](const auto& a, const auto& b) {
        return ThicknessList_Compare(calculationCase, reference, a, b) < 0;
    });
}

INSULATIONTHICKNESSINPUT ThicknessRequest_Input(const CalcRecord& r, int32_t part)
{
    INSULATIONTHICKNESSINPUT in{};
    in.part = part;
    std::memcpy(in.productGroup, r.productClass[0], sizeof(in.productGroup));
    in.calculationCase = ThicknessRequest_Case(r);
    in.heatLossLimit = r.allowedHeatLoss;
    in.surfaceTempLimit = r.allowedSurfaceTemperature;
    return in;
}

std::string ThicknessRequest_Adopt(CalcRecord& r, const INSULATIONTHICKNESSRESULTLIST& e)
{
    bool round = r.geometryFlags[1] || r.geometryFlags[2];
    if (round) {
        r.innerDiameter[0] = e.innerDimension1;
        r.outerDiameter[0] = e.outerDimension1;
    }
    if (round || r.geometryFlags[3]) {
        r.thickness[0] = (e.outerDimension1 - e.innerDimension1) / 2.0f;
        r.heatLossResults[0] = e.heatLoss;
    } else {
        r.heatLossResults[1] = e.heatLoss;
        r.thickness[0] = e.thickness;
    }
    char name[32];
    std::snprintf(name, sizeof(name), "%.0f", double(e.thickness));
    return name;
}
