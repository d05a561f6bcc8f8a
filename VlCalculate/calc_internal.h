// Private declarations of the calculation engine: its module state, the text
// ids of its error entries and the steps that several operations share.
#pragma once
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include "VlCalculate/calc_deps.h"
#include "support/attributes.h"
#include "VlCalculate/vlcalculate.h"

// Text ids of the engine's error entries.
enum CalcTextId : int32_t {
    kErrDewAirTooCold = 40040,
    kErrDewAirTooWarm = 40041,
    kErrWarmEndBelowAmbient = 40042,
    kErrColdEndAboveAmbient = 40043,
    kErrDegenerateInput = 40044,
    kErrTankSize = 40045,
    kWarnNegativeConductivity = 40047,
    kErrAboveConductivityTable = 40048,
    kErrBelowConductivityTable = 40049,
    kErrNoConductivity = 40050,
    kErrEndEqualsAmbient = 40054,
    kErrColdStartAboveEnd = 40056,
    kErrWarmStartBelowEnd = 40057,
    kErrStartEqualsAmbient = 40062,
    kErrNoAnnuity = 40063,
    kErrSurfaceNotConverged = 45200,
    kErrCostInputs = 45201,
    kErrNoHumidity = 45240,
};

enum CalcSeverity : int {
    kSeverityError = -2,
    kSeverityFailedLookup = -1,
    kSeverityFailedIteration = -1,
    kSeverityWarning = 1,
};

// The engine's one module state (single-threaded, no locking).
struct CalcGlobals {
    TechHandles db;                 // copied once at attach
    int16_t priceDb = -1;           // price list of the project's currency, chosen per price operation
    bool hot = false;               // thickness list: the medium is warmer than the ambient
    int16_t condensationHumidityAtt = 0;   // page attribute of the condensation case's humidity; 0: the air's
    // Thickness lists, support-library blocks grown with Array_Append; owned here.
    INSULATIONTHICKNESSRESULTLIST* fullList = nullptr;
    int fullCount = 0;
    INSULATIONTHICKNESSRESULTLIST* filteredList = nullptr;
    int filteredCount = 0;
};
CalcGlobals& Calc();
// Copies the technical database handles; false (the library must not load)
// without the technical data.
bool Calc_Attach();

inline constexpr double kPi = 3.14159265358979;
// Inner surface of a pipe wall as a share of its outer diameter.
inline constexpr double kInnerDiameterShare = 0.95;

// Reports an error (severity -2) and gives the failure status of an operation.
inline short ReportFailure(int32_t textId)
{
    Deps_ReportError(kSeverityError, textId);
    return -1;
}

// Stores a time or temperature that is a finite number. Anything else comes
// from inputs that no real object has (NaN, infinities, overflow) and is
// reported as degenerate input, leaving the target as it was.
inline bool StoreFinite(float& target, double value)
{
    if (!std::isfinite(static_cast<float>(value))) {
        Deps_ReportError(kSeverityError, kErrDegenerateInput);
        return false;
    }
    target = static_cast<float>(value);
    return true;
}

// Pipes and round ducts are calculated per metre, the rest per square metre.
inline bool IsPipeType(int32_t objectType)
{
    return objectType == kCalcPipe || objectType == kCalcRoundDuct;
}

// Outer surface coefficient (W/(m²·K)) of one object: convection, a negative
// part taken as 0.1, plus radiation, at any surface temperature ts (°C). What
// does not depend on ts is formed once. d outer diameter (m, pipes), ta ambient
// temperature (°C), v air velocity (m/s).
class OuterSurface {
public:
    OuterSurface(bool pipe, double d, double emissivity, double ta, double v);
    double coefficient(double ts) const;

private:
    bool pipe_;
    bool still_;            // still air: convection depends on the surface temperature
    double d_;
    double emissivity_;
    double ta_;
    double wind_ = 0.0;     // convection in wind
};

// Conductivity table of an other-insulation product ("UI" attributes 1311 and 1313).
struct ConductivityTable {
    static constexpr int kMaxPoints = 50;
    int count = 0;                  // points usable in both arrays
    float temp[kMaxPoints];         // filled by the read
    float lambda[kMaxPoints];
};
ConductivityTable ReadConductivityTable(int32_t productId);

// Status of the table lookups of one layer pass; the last failure decides,
// and a negative conductivity only counts when nothing failed.
enum ConductivityStatus : int {
    kConductivityOk = 0,
    kConductivityNegative = 1,
    kConductivityAboveTable = 2,
    kConductivityBelowTable = 3,
    kConductivityNoTable = 4,
    kConductivityNotPositive = 5,   // from the layer's coefficients
};
// Interpolated conductivity at temperature x; 0 with a status when the table
// cannot give one (the status is left alone on success, and a failure already
// in it is not replaced by the negative-conductivity warning).
double ProductConductivity(const ConductivityTable& table, double x, int& status);

// Dew point (°C) of air at temperature t with relative humidity phi (%), or
// -999 after reporting an error.
double DewPointTemperature(double t, double phi);
inline constexpr float kDewPointFailed = -999.0f;

// Checks that the end temperature lies between the start and the ambient on
// the right side; reports and returns false otherwise.
bool CheckTemperatureOrder(double start, double ambient, double end);

// Price list of the project's currency into Calc().priceDb; false when missing.
bool SelectPriceDatabase();
// Layer parts of the current page (Kadmi_IthPart 0, 1, 2) and the index of a part among them (-1 none).
struct LayerParts {
    int32_t part[3] = {};
    int indexOf(int32_t p) const;
};
LayerParts ReadLayerParts();
// The labour of one product as the only layer of the page (part is layer
// 1): its own share plus the extra of the outermost layer, as the page's
// labour prices a system of that one layer.
float SingleLayerLabourPrice(long part, const char* productCode, short kind);
// CalculateLabourPrice with firstCode (null or empty: its own) in place of layer 1's product.
float SystemLabourPrice(short kind, int* missing, const char* firstCode);



// Technical attributes of a product code in its product group.
enum TechAttribute : int16_t {
    kTechThickness = 1304,          // mm
    kTechInnerDiameter = 1305,      // mm
    kTechOuterDiameter = 1306,      // mm
    kTechCoefA = 1307,
    kTechCoefB = 1308,
    kTechCoefC = 1309,
    kTechThicknessEntries = 1600,
};

// Longest product code or layer key read from a page or taken from a caller.
inline constexpr int kProductCodeLength = 40;
inline std::string BoundedCode(const char* code)
{
    return std::string(code, strnlen(code, kProductCodeLength));
}
// Thickness (mm) of a product code in the product group of a layer part.
float ProductThickness(int32_t part, const std::string& code);

// Missing-value sentinel of a float page attribute.
inline constexpr float kFloatMissing = -3.4e38f;
inline float ZeroIfMissing(float v) { return v <= kFloatMissing ? 0.0f : v; }
