// Time for contents to cool (or warm) towards the ambient temperature: the
// stationary contents of a pipe and the contents of a tank. Both follow an
// exponential approach whose rate comes from the heat loss at the start.
#include <cmath>
#include "VlCalculate/calc_internal.h"
#include "support/attributes.h"

namespace {
struct TankGeometry {
    double area = 0;    // m²
    double volume = 0;  // m³
};

// Warm contents lose heat and cold ones gain it; a heat flow the other way
// would give a negative time.
bool HeatFlowsTowardsAmbient(double start, double ambient, double heatLoss)
{
    return (start > ambient) == (heatLoss > 0.0);
}

TankGeometry MeasureTank(const TempChangeTimeInTankInput& in)
{
    TankGeometry g{in.area, in.volume};
    const double h = in.height;
    double base = 0;
    double walls = 0;
    if (in.shape == 1) {
        const double d = in.diameterOrSide1;
        base = kPi * d * d / 4.0;
        walls = kPi * d * h;
    } else if (in.shape == 2) {
        const double a = in.diameterOrSide1;
        const double b = in.side2;
        base = a * b;
        walls = 2.0 * a * h + 2.0 * b * h;
    } else {
        return g;
    }
    g.area = walls + (in.bothEnds ? 2.0 : 1.0) * base;
    g.volume = base * h;
    return g;
}
} // namespace

bool CheckTemperatureOrder(double start, double ambient, double end)
{
    int32_t textId = 0;
    if (start > ambient) {
        textId = end < ambient ? kErrWarmEndBelowAmbient : end > start ? kErrWarmStartBelowEnd : 0;
    } else {
        textId = end > ambient ? kErrColdEndAboveAmbient : end < start ? kErrColdStartAboveEnd : 0;
    }
    if (textId != 0) {
        Deps_ReportError(kSeverityError, textId);
        return false;
    }
    return true;
}

short WINAPI CoolingOfStationaryLiquids(CoolingStationaryInput in, CoolingStationaryOutput* out)
{
    out->hours = 0.0f;
    const double t0 = in.startTemp;
    const double ta = in.ambientTemp;
    double te = in.endTemp;
    if (std::fabs(t0 - ta) < 1e-7) {
        return ReportFailure(kErrStartEqualsAmbient);
    }
    // Warm contents are not followed below the lower bound (freezing).
    if (t0 > ta && in.endLowerBound > te) {
        te = in.endLowerBound;
    }
    if (te - ta == 0.0) {
        return ReportFailure(kErrEndEqualsAmbient);
    }
    if (!CheckTemperatureOrder(t0, ta, te)) {
        return -1;
    }
    if (std::fabs(in.heatLoss) < 1e-12 || !HeatFlowsTowardsAmbient(t0, ta, in.heatLoss)) {
        return ReportFailure(kErrDegenerateInput);
    }
    // Masses and heat loss are per unit of size, so the size cancels out.
    const double heatCapacity = in.contentsMass * in.contentsSpecificHeat + in.wallMass * in.wallSpecificHeat;
    const double hours = (t0 - ta) * heatCapacity * std::log((t0 - ta) / (te - ta)) / (3.6 * in.heatLoss);
    return StoreFinite(out->hours, hours) ? 0 : -1;
}

short WINAPI TemperatureChangeTimeInTank(TempChangeTimeInTankInput in, TempChangeTimeInTankOutput* out)
{
    const TankGeometry g = MeasureTank(in);
    if (!(g.area > 0.0 && g.volume > 0.0)) {
        return ReportFailure(kErrTankSize);
    }
    Deps_PageSetFloat(0, Att_TankArea, static_cast<float>(g.area));
    Deps_PageSetFloat(0, Att_TankVolume, static_cast<float>(g.volume));

    const double c = in.specificHeat / 1000.0;  // kJ/(kg·K)
    const double ta = in.ambientTemp;
    const double t0 = in.startTemp;
    const double te = in.endTemp;
    const double q = in.heatLoss;
    if (!CheckTemperatureOrder(t0, ta, te)) {
        return -1;
    }
    if (std::fabs(te - ta) < 1e-11) {
        return ReportFailure(kErrEndEqualsAmbient);
    }
    if (std::fabs(t0 - ta) < 1e-14) {
        return ReportFailure(kErrStartEqualsAmbient);
    }
    const double ratio = (t0 - ta) / (te - ta);
    if (!(ratio > 0.0) || std::fabs(q * g.area) < 1e-7 || !HeatFlowsTowardsAmbient(t0, ta, q)) {
        return ReportFailure(kErrDegenerateInput);
    }
    const double hours = std::log(ratio) * (t0 - ta) * (in.density * g.volume) * c / (q * g.area * 3.6);
    return StoreFinite(out->hours, hours) ? 0 : -1;
}
