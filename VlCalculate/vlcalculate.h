// Public interface of VlCalculate.dll, the calculation engine: the input and
// output records of every operation and the exported functions (sixteen,
// and three more that the extended interface calls).
// Records cross the library boundary by value and keep fixed layouts; the
// engine reads the current page of the project database for prices and the
// thickness list, and reports every failure into the error list (VlUtil).
#pragma once
#include <windows.h>
#include "support/attributes.h"
#include <cstddef>
#include <cstdint>

// Object types of the engine's records.
enum CalcObjectType : int32_t {
    kCalcPipe = 1,
    kCalcPlane = 2,
    kCalcVessel = 3,
    kCalcRoundDuct = 4,
    kCalcRectangularDuct = 5,
};

struct HeatLossInput {
    int32_t objectType;        // CalcObjectType
    int32_t notRead1;
    int32_t productId[3];      // other-insulation product ("UI" key) of layers 1..3; 0 = none
    float ambientTemp;         // °C
    float emissivity;
    float outerDiameter;       // pipe or round duct, m
    float airVelocity;         // m/s
    float mediumTemp;          // °C
    float notRead10;
    float thickness[3];        // m; 0 = no layer
    float ductWidth;           // rectangular duct, m
    float ductHeight;
    float notRead16;
    float coefA[3];            // conductivity A + B·t + C·t² + D, t = mean temperature / 100
    float notRead20;
    float coefB[3];
    float notRead24;
    float coefC[3];
    float notRead28;
    float coefD[3];
};
static_assert(sizeof(HeatLossInput) == 128);
static_assert(offsetof(HeatLossInput, ambientTemp) == 5 * 4);
static_assert(offsetof(HeatLossInput, thickness) == 11 * 4);
static_assert(offsetof(HeatLossInput, ductWidth) == 14 * 4);
static_assert(offsetof(HeatLossInput, coefA) == 17 * 4);
static_assert(offsetof(HeatLossInput, coefB) == 21 * 4);
static_assert(offsetof(HeatLossInput, coefC) == 25 * 4);
static_assert(offsetof(HeatLossInput, coefD) == 29 * 4);

struct HeatLossOutput {
    float outerDiameter;       // over all layers, m (pipe and round duct)
    float innerSurfaceTemp;    // medium side, °C
    float faceTemp[3];         // outer face of layers 1..3; [2] is the outer surface
    float notWritten5;
    float conductivity[3];     // W/(m·K) at the layer's mean temperature; a value > 0
                               // given here is used for a layer without coefficients or product
    float heatLossPerMetre;    // W/m
    float heatLossPerSquareMetre; // W/m²
    float reserved[5];
};
static_assert(sizeof(HeatLossOutput) == 64);
static_assert(offsetof(HeatLossOutput, conductivity) == 6 * 4);
static_assert(offsetof(HeatLossOutput, heatLossPerMetre) == 9 * 4);

struct Dew_pointInput {
    int32_t mode;              // 1 dew point at the ambient temperature, 2 at the medium temperature
    float ambientTemp;         // °C
    float mediumTemp;          // °C
    float relativeHumidity;    // %
};
static_assert(sizeof(Dew_pointInput) == 16);

struct Dew_pointOutput {
    float dewPoint;            // °C
};

struct FreezingTimeInput {
    float pipeSpecificHeat;    // J/(kg·K)
    float pipeDensity;         // kg/m³
    float contentsSpecificHeat; // J/(kg·K)
    float latentHeat;          // kJ/kg
    float contentsDensity;     // kg/m³
    float endTemp;             // freezing temperature, °C
    float outerDiameter;       // m
    float heatLoss;            // at the mean temperature, W/m
    float startTemp;           // °C
    float frozenShare;         // %
    float notRead10;
    float thickness[3];        // m
    float notRead14;
    float conductivity[3];     // W/(m·K)
    float ambientTemp;         // °C
};
static_assert(sizeof(FreezingTimeInput) == 76);
static_assert(offsetof(FreezingTimeInput, thickness) == 11 * 4);
static_assert(offsetof(FreezingTimeInput, conductivity) == 15 * 4);
static_assert(offsetof(FreezingTimeInput, ambientTemp) == 18 * 4);

struct FreezingTimeOutput {
    float hours;
    float reserved;
};
static_assert(sizeof(FreezingTimeOutput) == 8);

struct CoolingStationaryInput {
    float startTemp;           // °C
    float endTemp;             // °C
    float ambientTemp;         // °C
    float endLowerBound;       // °C, for contents warmer than the ambient
    float size;                // m or m² to which the per-unit values refer
    float heatLoss;            // at the start, per unit of size (W/m or W/m²)
    float contentsMass;        // per unit of size
    float contentsSpecificHeat; // kJ/(kg·K)
    float wallMass;            // per unit of size
    float wallSpecificHeat;    // kJ/(kg·K)
};
static_assert(sizeof(CoolingStationaryInput) == 40);

struct CoolingStationaryOutput {
    float hours;
};

struct TemperatureChangeInPipeInput {
    float inletTemp;           // °C
    float length;              // m
    float massFlow;            // kg/s
    float specificHeat;        // kJ/(kg·K)
    float ambientTemp;         // °C
    int32_t objectType;        // CalcObjectType
    float emissivity;
    float surfaceTemp;         // outer surface, °C
    float innerDiameter;       // m
    float outerDiameter;       // m
    float notRead10;
    float conductivity[3];     // W/(m·K)
    float airVelocity;         // m/s
    float notRead15;
    float thickness[3];        // m
};
static_assert(sizeof(TemperatureChangeInPipeInput) == 76);
static_assert(offsetof(TemperatureChangeInPipeInput, objectType) == 5 * 4);
static_assert(offsetof(TemperatureChangeInPipeInput, conductivity) == 11 * 4);
static_assert(offsetof(TemperatureChangeInPipeInput, airVelocity) == 14 * 4);
static_assert(offsetof(TemperatureChangeInPipeInput, thickness) == 16 * 4);

struct TemperatureChangeInPipeOutput {
    float change;              // inlet minus outlet, K
    float outletTemp;          // °C
    float reserved[2];
};
static_assert(sizeof(TemperatureChangeInPipeOutput) == 16);

#pragma pack(push, 1)
struct TempChangeTimeInTankInput {
    uint8_t shape;             // 1 cylinder, 2 rectangular box
    uint8_t bothEnds;          // non-zero: both ends lose heat
    float diameterOrSide1;     // m
    float side2;               // box, m
    float height;              // m
    float area;                // m², computed by the engine on its own copy
    float volume;              // m³, likewise
    float density;             // kg/m³
    float specificHeat;        // J/(kg·K)
    float startTemp;           // °C
    float ambientTemp;         // °C
    float endTemp;             // °C
    float heatLoss;            // at the start, W/m²
};
#pragma pack(pop)
static_assert(sizeof(TempChangeTimeInTankInput) == 46);
static_assert(offsetof(TempChangeTimeInTankInput, diameterOrSide1) == 2);
static_assert(offsetof(TempChangeTimeInTankInput, area) == 14);
static_assert(offsetof(TempChangeTimeInTankInput, density) == 22);
static_assert(offsetof(TempChangeTimeInTankInput, heatLoss) == 42);

struct TempChangeTimeInTankOutput {
    float hours;
};

struct CostsInput {
    int32_t objectType;        // 1, 4, 5: heatLossPerMetre is used; 2, 3: heatLossPerSquareMetre
    float heatLossPerSquareMetre; // W/m²
    float heatLossPerMetre;    // W/m
    float interestRate;        // fraction
    float usefulLife;          // years
    float energyPriceIncrease; // fraction a year
    float energyPrice;         // per MWh
    float operatingHours;      // h a year
    float investment;
    int32_t reportErrors;      // non-zero: a failure goes into the error list
};
static_assert(sizeof(CostsInput) == 40);

// Sets in's object type and heat loss (per square metre for a plane, per
// metre otherwise) for a system of the given object kind; an unknown kind
// leaves both unset. Shared by the engine's thickness-list prices and the
// interface's annual costs, so that both read the heat loss alike.
inline void CostsInput_SetObject(CostsInput* in, int16_t objectKind, float heatLoss)
{
    switch (objectKind) {
    case Kind_Plane: in->objectType = kCalcPlane; in->heatLossPerSquareMetre = heatLoss; break;
    case Kind_Pipe: in->objectType = kCalcPipe; in->heatLossPerMetre = heatLoss; break;
    case Kind_RoundDuct: in->objectType = kCalcRoundDuct; in->heatLossPerMetre = heatLoss; break;
    case Kind_RectDuct: in->objectType = kCalcRectangularDuct; in->heatLossPerMetre = heatLoss; break;
    default: break;
    }
}

struct CostsOutput {
    float capitalCost;         // annual
    float energyCost;          // annual
    float totalCost;           // annual
};
static_assert(sizeof(CostsOutput) == 12);

// Calculation cases of the thickness list.
enum ThicknessCase : int16_t {
    kCaseEconomic = 0,
    kCaseHeatLossLimit = 1,
    kCaseSurfaceTempLimit = 2,
    kCaseCondensation = 3,
    kCaseAll = 4,
};

#pragma pack(push, 1)
struct INSULATIONTHICKNESSINPUT {
    int32_t part;              // part number of insulation layer 1 on the current page
    char productGroup[3];      // record class of the layer's products, not NUL-terminated
    int16_t calculationCase;   // ThicknessCase
    float heatLossLimit;
    float surfaceTempLimit;
};
#pragma pack(pop)
static_assert(sizeof(INSULATIONTHICKNESSINPUT) == 17);
static_assert(offsetof(INSULATIONTHICKNESSINPUT, calculationCase) == 7);
static_assert(offsetof(INSULATIONTHICKNESSINPUT, heatLossLimit) == 9);
static_assert(offsetof(INSULATIONTHICKNESSINPUT, surfaceTempLimit) == 13);

struct INSULATIONTHICKNESSRESULTLIST {
    char productCode[32];      // 30 characters blank-padded, then NUL
    float innerDimension1;     // mm: inner diameter or duct width
    float innerDimension2;     // mm: duct height
    float outerDimension1;     // mm
    float outerDimension2;     // mm
    float thickness;           // mm
    float heatLoss;            // W/m or W/m²
    float surfaceTemp;         // °C of the reported surface (the inner one for 1120 = 2, else the outer)
    float totalAnnualCost;     // kCostNotComputed when the entry could not be costed
};
static_assert(sizeof(INSULATIONTHICKNESSRESULTLIST) == 64);
static_assert(offsetof(INSULATIONTHICKNESSRESULTLIST, innerDimension1) == 32);
static_assert(offsetof(INSULATIONTHICKNESSRESULTLIST, totalAnnualCost) == 60);

// The missing-value mark of a total annual cost that was not computed.
inline constexpr float kCostNotComputed = -3.4e38f;
inline bool ThicknessList_IsCosted(const INSULATIONTHICKNESSRESULTLIST& e)
{
    return e.totalAnnualCost > kCostNotComputed;
}

// Material price of one layer part in the project's currency. productCode, when
// not empty, names the product to price (else the part's own product). kind is
// set to 0 for pipes and ducts, 1 for plane surfaces, -1 when the page's object
// type is unknown. Returns 0 when no price is found.
float WINAPI CalculateInsulationPrice(long part, char* productCode, short* kind);

// Material price of the page's three layers plus their labour price; kind as
// above, missing set to 1 when a labour table of a used layer is missing.
float WINAPI CalculateInsulationTargetPrice(short* kind, int* missing);

// Investment of the whole system (part < 1: material and labour of every
// layer, as the two-argument form) or of one layer part (part >= 1);
// productId (null or empty: the stored one) stands for the product of that
// layer part, or of layer 1 for the whole system. kind as above. missing is
// set to 1 when a labour price is not found and, with everyPrice non-zero,
// also when a used layer's material has no price. The heat loss does not
// change the investment.
float WINAPI CalculateInsulationTargetPrice(long part, char* productId, float heatLoss, short* kind,
                                            int everyPrice, int* missing);

// Lists the thicknesses of layer 1's product type that meet the calculation
// case. Returns the first element of the engine-owned list (NULL when empty)
// and its length in count; the list stays valid until the next call or
// DeleteThicknessResultList. The caller may reorder it but never frees it.
INSULATIONTHICKNESSRESULTLIST* WINAPI CalculateInsulationThicknessList(INSULATIONTHICKNESSINPUT input,
                                                                        short* count);

// As CalculateInsulationThicknessList, with one row per nominal thickness of
// the type: the one whose inner dimension fits the object most closely (the
// first of equal fits), in the order the thicknesses first appear. Owned by
// the engine like the ordinary list.
INSULATIONTHICKNESSRESULTLIST* WINAPI CalculateInsulationNominalThicknessList(INSULATIONTHICKNESSINPUT input,
                                                                               short* count);

// Names the page attribute that holds the relative humidity (%) the
// condensation case keeps the surface's dew point of: 0 (the default) the
// ambient air's, 1317; the extended interface names its target humidity.
void WINAPI SetCondensationHumidityAttribute(short attribute);

// Reduces the list made last, in its present order (the caller may have
// sorted it), to the first row of each inner dimension, in place: the result
// is the same engine-owned block (NULL when empty); the caller frees nothing.
// The new length goes to *count (a 32-bit count; NULL: not written).
INSULATIONTHICKNESSRESULTLIST* WINAPI SelectOnlyOneInsulationForEachInnerDiameter(int32_t* count);

// Labour price of the page's layers (kind 0 pipe tables, 1 flat tables);
// stores it as page attribute 1321 (pipes and ducts) or 1320 (flat). missing
// is set to 1 (and 0 returned) when a used layer has no usable labour price.
float WINAPI CalculateLabourPrice(short kind, int* missing);

// One layer part's share of the pipe (kind 0) or flat (kind 1) labour, read
// as CalculateLabourPrice reads it; rectangular ducts have no shares.
struct LabourShare {
    int32_t present;      // the layer is used
    int32_t tableFound;   // its product has a labour table
    int32_t rowFound;     // the table has a row for the layer (pipes: for the diameter beneath)
    float labour;         // the product's labour as this layer
    float extra;          // the row's extra when the layer is the outermost
};
void WINAPI CalculateLabourShare(long part, short kind, LabourShare* share);

// The labour of the three layers' shares as CalculateLabourPrice sums them,
// without storing it; missing as there.
float WINAPI SumLabourShares(const LabourShare* shares, short kind, int* missing);

// Total annual cost of one product on one layer part at the given heat loss;
// errors of the cost step are reported only when reportErrors is non-zero.
// kCostNotComputed when it cannot be costed: no material price was found, or
// the economic inputs give no annuity.
float WINAPI CalculateOneInsulationTargetPrice(long part, char* productCode, float heatLoss,
                                               short* kind, int reportErrors);

// Labour price of one product on one layer part; nothing is stored.
float WINAPI CalculateOneLabourPrice(long part, char* productCode, short kind);

// Time for stationary contents to reach the end temperature. 0 done, -1 failed.
short WINAPI CoolingOfStationaryLiquids(CoolingStationaryInput input, CoolingStationaryOutput* output);

// Annual capital, energy and total cost. Returns 0.0 done, -1.0 failed; the
// output holds zeros after a failure.
float WINAPI Costs(CostsInput input, CostsOutput* output);

// Frees both thickness lists. Always 0.
short WINAPI DeleteThicknessResultList();

// Dew point for the condensation check. 0 done (also when nothing was to be
// computed and the output is left alone), -999 failed.
short WINAPI Dew_point(Dew_pointInput input, Dew_pointOutput* output);

// FreezingTime and TotalFreezingTime when the air (ambientTemp) is not colder
// than the freezing temperature (endTemp): the contents never freeze, and the
// output holds no time (0).
constexpr short kNeverFreezes = 1;

// Time for a pipe's contents to cool to the freezing temperature. 0, -1 or
// kNeverFreezes.
short WINAPI FreezingTime(FreezingTimeInput input, FreezingTimeOutput* output);

// Price of an other-insulation product in the project's currency: which != 0
// the first, which == 0 the second of its two prices. 0 when none.
float WINAPI GetOtherInsulationPrice(int which, char* productId);

// Heat loss, face temperatures and layer conductivities. 0 done (also with a
// warning), -1 failed.
short WINAPI HeatLossCalculation(HeatLossInput input, HeatLossOutput* output);

// Cooling of a medium flowing through a pipe. 0 or -1.
short WINAPI TemperatureChangeInPipe(TemperatureChangeInPipeInput input,
                                     TemperatureChangeInPipeOutput* output);

// Time for a tank's contents to reach the end temperature; stores the tank's
// area and volume as page attributes 1364 and 1365. 0 or -1.
short WINAPI TemperatureChangeTimeInTank(TempChangeTimeInTankInput input,
                                         TempChangeTimeInTankOutput* output);

// Time until the given share of a pipe's water is frozen. 0, -1 or
// kNeverFreezes.
short WINAPI TotalFreezingTime(FreezingTimeInput input, FreezingTimeOutput* output);
