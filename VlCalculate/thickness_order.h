// The orders in which the extended interface shows a thickness list, as
// qsort comparators over INSULATIONTHICKNESSRESULTLIST rows, and the order
// that each calculation case takes. Header-only: nothing crosses the library.
#pragma once
#include "VlCalculate/vlcalculate.h"

namespace thickness_order {
// -1, 0 or 1 for a before, equal to or after b; a NaN orders after every
// number and equal to another NaN, so the order stays a strict weak one.
inline int Ascending(float a, float b)
{
    const bool aNumber = a == a, bNumber = b == b;
    if (aNumber != bNumber)
        return aNumber ? -1 : 1;
    return !aNumber || a == b ? 0 : (a < b ? -1 : 1);
}
inline const INSULATIONTHICKNESSRESULTLIST& Row(const void* row)
{
    return *static_cast<const INSULATIONTHICKNESSRESULTLIST*>(row);
}
// Thickness, heat loss (ascending or descending), first dimension.
inline int ByThickness(const void* a, const void* b, bool lossDescending)
{
    const INSULATIONTHICKNESSRESULTLIST &x = Row(a), &y = Row(b);
    if (int c = Ascending(x.thickness, y.thickness))
        return c;
    if (int c = lossDescending ? Ascending(y.heatLoss, x.heatLoss) : Ascending(x.heatLoss, y.heatLoss))
        return c;
    return Ascending(x.innerDimension1, y.innerDimension1);
}
} // namespace thickness_order

// Thickness, heat loss, first dimension.
inline int NominalThicknessList_CompareA(const void* a, const void* b)
{
    return thickness_order::ByThickness(a, b, false);
}

// Thickness, heat loss descending, first dimension.
inline int NominalThicknessList_CompareB(const void* a, const void* b)
{
    return thickness_order::ByThickness(a, b, true);
}

// First dimension, heat loss, then the keys of CompareA.
inline int NominalThicknessList_CompareC(const void* a, const void* b)
{
    using namespace thickness_order;
    const INSULATIONTHICKNESSRESULTLIST &x = Row(a), &y = Row(b);
    if (int c = Ascending(x.innerDimension1, y.innerDimension1))
        return c;
    if (int c = Ascending(x.heatLoss, y.heatLoss))
        return c;
    return NominalThicknessList_CompareA(a, b);
}

// The order of a calculation case's list: cases 1 and 2 CompareB, case 4
// CompareC, any other CompareA.
inline int (*NominalThicknessList_CompareForCase(int16_t calculationCase))(const void*, const void*)
{
    switch (calculationCase) {
    case kCaseHeatLossLimit:
    case kCaseSurfaceTempLimit:
        return NominalThicknessList_CompareB;
    case kCaseAll:
        return NominalThicknessList_CompareC;
    default:
        return NominalThicknessList_CompareA;
    }
}
