// Freezing of the water standing in an insulated pipe: the time until it has
// cooled to its freezing temperature, and the time until a share of it has
// frozen once it stands at 0 °C.
#include <cmath>
#include "VlCalculate/calc_internal.h"

namespace {
// Conduction resistance of the layers, Σ ln(D_k/D_k-1)/λ_k (without 2π).
double LayerLogResistance(const FreezingTimeInput& in)
{
    double sum = 0.0;
    double inner = in.outerDiameter;
    for (int k = 0; k < 3; ++k) {
        const double outer = inner + 2.0 * in.thickness[k];
        const double lambda = in.conductivity[k];
        if (inner >= 1e-7 && outer / inner >= 1e-7 && lambda != 0.0) {
            sum += std::log(outer / inner) / lambda;
        }
        inner = outer;
    }
    return sum;
}
// Air that is not colder than the freezing temperature takes the contents
// no further than down to its own temperature.
bool NeverFreezes(const FreezingTimeInput& in)
{
    return in.ambientTemp >= in.endTemp;
}
} // namespace

short WINAPI FreezingTime(FreezingTimeInput in, FreezingTimeOutput* out)
{
    if (NeverFreezes(in)) {
        out->hours = 0.0f;
        return kNeverFreezes;
    }
    const double d = in.outerDiameter;
    const double di = kInnerDiameterShare * d;
    if (in.contentsDensity == 0.0f || in.pipeDensity == 0.0f || in.heatLoss == 0.0f) {
        return ReportFailure(kErrDegenerateInput);
    }
    const double contents = in.contentsSpecificHeat * in.contentsDensity * kPi * di * di / 4.0;
    const double wall = in.pipeSpecificHeat * in.pipeDensity * kPi * (d * d - di * di) / 4.0;
    const double hours = (contents + wall) * (in.startTemp - in.endTemp) / (in.heatLoss * 3600.0);
    return StoreFinite(out->hours, hours) ? 0 : -1;
}

short WINAPI TotalFreezingTime(FreezingTimeInput in, FreezingTimeOutput* out)
{
    out->hours = 0.0f;
    if (NeverFreezes(in)) {
        return kNeverFreezes;
    }
    const double di = kInnerDiameterShare * in.outerDiameter;
    // Without a layer nothing holds the heat back (the record has no film).
    const double s = LayerLogResistance(in);
    if (!(std::fabs(s) >= 1e-8)) {
        return ReportFailure(kErrDegenerateInput);
    }
    // Heat flow from water at 0 °C to the ambient, W/m.
    const double q = -kPi * in.ambientTemp / (0.5 * s);
    if (std::fabs(q) < 1e-6) {
        return ReportFailure(kErrDegenerateInput);
    }
    const double hours = (in.frozenShare / 100.0 * in.contentsDensity * kPi * di * di * in.latentHeat) / (q * 3.6 * 4.0);
    return StoreFinite(out->hours, hours < 0.0 ? 0.0 : hours) ? 0 : -1;
}
