// Steady heat loss through up to three insulation layers on a pipe, a flat
// surface or a duct: an outer iteration finds the surface temperature (the
// surface coefficient depends on it), an inner one the layer mean
// temperatures (the conductivities depend on them).
#include <cmath>
#include "VlCalculate/calc_internal.h"

namespace {
constexpr int kMaxSurfacePasses = 50;
constexpr double kSurfaceTolerance = 0.05;   // K
constexpr double kLayerTolerance = 1.0;      // K, mean temperature of layer 1
constexpr int kMaxLayerPasses = 200;         // the layer iteration converges in a few passes

// What the layer iteration needs about the object, fixed for one call.
struct LayerStack {
    bool pipe = false;
    double hi = 0;                  // inner surface coefficient, W/(m²·K)
    double di = 0;                  // inner surface diameter (pipes), m
    double face[4] = {};            // face diameters D_0..D_3 (pipes), m
    // Pipes: ln(D_k/D_k-1) of each layer, when its faces allow one.
    bool faceUsable[3] = {};
    double logRatio[3] = {};
    double thickness[3] = {};
    double a[3] = {}, b[3] = {}, c[3] = {}, d[3] = {};
    int32_t productId[3] = {};
    ConductivityTable table[3];
    double tm = 0;                  // medium temperature
    double ta = 0;                  // ambient temperature
};

LayerStack DescribeLayers(const HeatLossInput& in)
{
    LayerStack s;
    s.pipe = IsPipeType(in.objectType);
    s.hi = (in.objectType == kCalcRoundDuct || in.objectType == kCalcRectangularDuct) ? 10.0 : 100.0;
    s.di = kInnerDiameterShare * in.outerDiameter;
    s.face[0] = in.outerDiameter;
    for (int k = 0; k < 3; ++k) {
        s.thickness[k] = in.thickness[k];
        s.face[k + 1] = s.face[k] + 2.0 * in.thickness[k];
        s.a[k] = in.coefA[k];
        s.b[k] = in.coefB[k];
        s.c[k] = in.coefC[k];
        s.d[k] = in.coefD[k];
        s.productId[k] = in.productId[k];
        if (s.a[k] == 0.0 && s.productId[k] != 0) {
            s.table[k] = ReadConductivityTable(s.productId[k]);
        }
        const double inner = s.face[k];
        const double ratio = s.face[k + 1] / inner;
        s.faceUsable[k] = !(std::fabs(inner) < 1e-6 || std::fabs(ratio) < 1e-6);
        // A layer without thickness has the ratio 1 exactly.
        s.logRatio[k] = s.pipe && s.faceUsable[k] && s.thickness[k] != 0.0 ? std::log(ratio) : 0.0;
    }
    s.tm = in.mediumTemp;
    s.ta = in.ambientTemp;
    return s;
}

// A layer with a thickness needs coefficients, a product table or a given
// conductivity; without any of them its resistance would silently vanish.
bool EveryLayerHasConductivity(const LayerStack& s, const HeatLossOutput& out)
{
    for (int k = 0; k < 3; ++k) {
        if (s.thickness[k] > 0.0 && s.a[k] == 0.0 && s.productId[k] == 0 && !(out.conductivity[k] > 0.0f)) {
            Deps_ReportError(kSeverityFailedLookup, kErrNoConductivity);
            return false;
        }
    }
    return true;
}

double LayerConductivity(const LayerStack& s, int k, double mean, double given, int& status)
{
    if (s.a[k] != 0.0) {
        const double t = mean / 100.0;
        const double lambda = s.a[k] + s.b[k] * t + s.c[k] * t * t + s.d[k];
        if (!(lambda > 0.0)) {
            status = kConductivityNotPositive;
        }
        return lambda;
    }
    if (s.productId[k] != 0) {
        return ProductConductivity(s.table[k], mean, status);
    }
    return given;
}

// Resistances from the medium to the air: inner film, layers 1..3, outer
// film. Per square metre for flat objects; for pipes per metre, multiplied by π.
bool LayerResistances(const LayerStack& s, const double lambda[3], double ho, double r[5])
{
    if (!s.pipe) {
        r[0] = 1.0 / s.hi;
        for (int k = 0; k < 3; ++k) {
            r[k + 1] = lambda[k] > 0.0 ? s.thickness[k] / lambda[k] : 0.0;
        }
        r[4] = 1.0 / ho;
        return true;
    }
    if (std::fabs(s.hi * s.di) < 1e-7) {
        Deps_ReportError(kSeverityError, kErrDegenerateInput);
        return false;
    }
    r[0] = 1.0 / (s.hi * s.di);
    for (int k = 0; k < 3; ++k) {
        r[k + 1] = 0.0;
        if (!(lambda[k] > 0.0)) {
            continue;
        }
        if (!s.faceUsable[k] || std::fabs(2.0 * lambda[k]) < 1e-6) {
            Deps_ReportError(kSeverityError, kErrDegenerateInput);
            return false;
        }
        r[k + 1] = s.logRatio[k] / (2.0 * lambda[k]);
    }
    r[4] = 1.0 / (ho * s.face[3]);
    return true;
}

// The layer iteration at outer coefficient ho from the layer mean
// temperatures in mean, which it moves on: fills the face temperatures and
// conductivities of out and the heat flow (W/m² or W/m). The lookup status is
// that of the last pass, whose values stand.
bool SolveLayers(const LayerStack& s, double ho, double mean[3], HeatLossOutput& out, double& flow, int& status)
{
    double sum = 0.0;
    double change = 10.0;
    for (int pass = 0; change > kLayerTolerance && pass < kMaxLayerPasses; ++pass) {
        const double previous = mean[0];
        status = kConductivityOk;
        double lambda[3];
        for (int k = 0; k < 3; ++k) {
            lambda[k] = LayerConductivity(s, k, mean[k], out.conductivity[k], status);
            out.conductivity[k] = static_cast<float>(lambda[k]);
        }
        double r[5];
        if (!LayerResistances(s, lambda, ho, r)) {
            return false;
        }
        sum = r[0] + r[1] + r[2] + r[3] + r[4];
        const double dt = s.tm - s.ta;
        if (std::fabs(dt) < 1e-10) {
            Deps_ReportError(kSeverityError, kErrStartEqualsAmbient);
            return false;
        }
        if (std::fabs(sum) < 1e-10) {
            Deps_ReportError(kSeverityError, kErrDegenerateInput);
            return false;
        }
        double face = s.tm - r[0] / sum * dt;
        out.innerSurfaceTemp = static_cast<float>(face);
        for (int k = 0; k < 3; ++k) {
            const double next = face - r[k + 1] / sum * dt;
            out.faceTemp[k] = static_cast<float>(next);
            mean[k] = (face + next) / 2.0;
            face = next;
        }
        change = std::fabs(mean[0] - previous);
    }
    flow = (s.pipe ? kPi : 1.0) * (s.tm - s.ta) / sum;
    return true;
}

// Layers of negative or unknown thickness (the missing-value sentinel), a
// pipe without a positive diameter and a duct of negative size describe no
// real object: their heat loss would come out with any sign.
bool DimensionsAreReal(const HeatLossInput& in)
{
    const auto size = [](float v) { return v >= 0.0f && std::isfinite(v); };
    for (float s : in.thickness) {
        if (!size(s)) {
            return false;
        }
    }
    if (in.objectType == kCalcRectangularDuct) {
        return size(in.ductWidth) && size(in.ductHeight);
    }
    return !IsPipeType(in.objectType) || (in.outerDiameter > 0.0f && std::isfinite(in.outerDiameter));
}

short ReportConductivityStatus(int status)
{
    switch (status) {
    case kConductivityOk:
        return 0;
    case kConductivityNegative:
        Deps_ReportError(kSeverityWarning, kWarnNegativeConductivity);
        return 0;
    case kConductivityNoTable:
        Deps_ReportError(kSeverityFailedLookup, kErrNoConductivity);
        return -1;
    case kConductivityAboveTable:
        Deps_ReportError(kSeverityFailedLookup, kErrAboveConductivityTable);
        return -1;
    case kConductivityBelowTable:
        Deps_ReportError(kSeverityFailedLookup, kErrBelowConductivityTable);
        return -1;
    case kConductivityNotPositive:
        Deps_ReportError(kSeverityError, kErrDegenerateInput);
        return -1;
    default:
        return -1;
    }
}

// A rectangular duct is calculated as a flat surface; its loss per metre is
// the loss per square metre times the outer perimeter.
void SpreadOverDuctPerimeter(const HeatLossInput& in, HeatLossOutput& out)
{
    const double t = in.thickness[0] + in.thickness[1] + in.thickness[2];
    const double a = 2.0 * t + in.ductWidth;
    const double b = 2.0 * t + in.ductHeight;
    out.heatLossPerMetre = static_cast<float>((2.0 * a + 2.0 * b) * out.heatLossPerSquareMetre);
    out.heatLossPerSquareMetre = 0.0f;
}
} // namespace

short WINAPI HeatLossCalculation(HeatLossInput in, HeatLossOutput* out)
{
    out->heatLossPerMetre = 0.0f;
    out->heatLossPerSquareMetre = 0.0f;
    if (!DimensionsAreReal(in)) {
        return ReportFailure(kErrDegenerateInput);
    }
    const LayerStack s = DescribeLayers(in);
    if (!EveryLayerHasConductivity(s, *out)) {
        return -1;
    }
    const double outerDiameter = s.face[3];
    if (s.pipe) {
        out->outerDiameter = static_cast<float>(outerDiameter);
    }
    const OuterSurface surface(s.pipe, outerDiameter, in.emissivity, s.ta, in.airVelocity);
    double ts = s.ta + 10.0;
    double change = 10.0;
    int status = kConductivityOk;
    // Each pass starts the layers where the previous one left them: started
    // afresh, the layer iteration's 1 K tolerance makes the surface jump
    // between two values and never settle.
    double mean[3];
    for (double& m : mean) {
        m = (s.tm + ts) / 2.0;
    }
    for (int pass = 0; change > kSurfaceTolerance && pass < kMaxSurfacePasses; ++pass) {
        const double ho = surface.coefficient(ts);
        // Surface conductance per square metre, or per metre of pipe.
        const double conductance = s.pipe ? kPi * ho * outerDiameter : ho;
        if (std::fabs(conductance) < 1e-12) {
            Deps_ReportError(kSeverityError, kErrDegenerateInput);
            return -1;
        }
        double flow = 0.0;
        if (!SolveLayers(s, ho, mean, *out, flow, status)) {
            return -1;
        }
        (s.pipe ? out->heatLossPerMetre : out->heatLossPerSquareMetre) = static_cast<float>(flow);
        const double next = s.ta + flow / conductance;
        change = std::fabs(ts - next);
        ts = next;
    }
    // NaN or overflowing inputs give no number, never a result.
    if (!std::isfinite(ts) || !std::isfinite(out->heatLossPerMetre) || !std::isfinite(out->heatLossPerSquareMetre)) {
        out->heatLossPerMetre = 0.0f;
        out->heatLossPerSquareMetre = 0.0f;
        return ReportFailure(kErrDegenerateInput);
    }
    short result = ReportConductivityStatus(status);
    if (result == 0 && change > kSurfaceTolerance) {
        // The results of the last pass stand, but they are not the converged ones.
        Deps_ReportError(kSeverityFailedIteration, kErrSurfaceNotConverged);
        result = -1;
    }
    if (in.objectType == kCalcRectangularDuct) {
        SpreadOverDuctPerimeter(in, *out);
    }
    return result;
}
