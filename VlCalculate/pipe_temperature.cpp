// Temperature change of a medium flowing through an insulated pipe or duct:
// the heat transfer coefficient per metre from the layers and the outer
// surface, then the exponential approach of the medium to the ambient.
#include <cmath>
#include "VlCalculate/calc_internal.h"
#include "support/attributes.h"

namespace {
// A side of the rectangular duct of the current page, m; 0 when no page is
// loaded or the side is not stored.
double DuctSide(int16_t att)
{
    float mm = 0.0f;
    return Deps_PageFloats(0, att, &mm, 1) > 0 ? mm / 1000.0 : 0.0;
}

// Outer perimeter of an insulated rectangular duct of the current page, m;
// 0 without a positive width and height.
double DuctOuterPerimeter(const TemperatureChangeInPipeInput& in)
{
    const double w = DuctSide(Att_DuctWidth);
    const double h = DuctSide(Att_DuctHeight);
    if (!(w > 0.0 && h > 0.0)) {
        return 0.0;
    }
    const double t = in.thickness[0] + in.thickness[1] + in.thickness[2];
    return 2.0 * (w + 2.0 * t) + 2.0 * (h + 2.0 * t);
}

// Thermal resistance of the layers and the outer surface: per metre of pipe,
// or per square metre of a flat object. The inner film and the pipe wall are
// not counted. False after reporting a degenerate input.
bool OuterResistance(const TemperatureChangeInPipeInput& in, double& total)
{
    const bool pipe = IsPipeType(in.objectType);
    double face[4];
    face[0] = in.outerDiameter;
    for (int k = 0; k < 3; ++k) {
        face[k + 1] = face[k] + 2.0 * in.thickness[k];
    }
    if (pipe && face[0] < 1e-7) {
        Deps_ReportError(kSeverityError, kErrDegenerateInput);
        return false;
    }
    const double ho =
        OuterSurface(pipe, in.outerDiameter, in.emissivity, in.ambientTemp, in.airVelocity).coefficient(in.surfaceTemp);
    double layers = 0.0;
    for (int k = 0; k < 3; ++k) {
        const double lambda = in.conductivity[k];
        if (lambda == 0.0) {
            continue;
        }
        layers += pipe ? std::log(face[k + 1] / face[k]) / lambda : (face[k + 1] - face[k]) / 2.0 / lambda;
    }
    if (pipe) {
        layers /= 6.2831855;
    }
    double surface = 0.0;
    if (std::fabs(ho) >= 1e-7 && !(pipe && std::fabs(face[3]) < 1e-7)) {
        surface = pipe ? 1.0 / (kPi * face[3] * ho) : 1.0 / ho;
    }
    total = layers + surface;
    // A resistance that is not positive (negative conductivities) would send
    // the medium away from the ambient.
    if (!(total >= 1e-8)) {
        Deps_ReportError(kSeverityError, kErrDegenerateInput);
        return false;
    }
    return true;
}
} // namespace

short WINAPI TemperatureChangeInPipe(TemperatureChangeInPipeInput in, TemperatureChangeInPipeOutput* out)
{
    double resistance = 0.0;
    if (!OuterResistance(in, resistance)) {
        return -1;
    }
    // Heat transfer per metre of length and kelvin; a rectangular duct loses
    // its per-square-metre value over its whole perimeter.
    double u = 1.0 / resistance;
    if (in.objectType == kCalcRectangularDuct) {
        const double perimeter = DuctOuterPerimeter(in);
        if (!(perimeter > 0.0)) {
            return ReportFailure(kErrDegenerateInput);
        }
        u *= perimeter;
    }
    out->change = 0.0f;
    const double tin = in.inletTemp;
    const double ta = in.ambientTemp;
    const double capacityFlow = in.massFlow * 3600.0 * in.specificHeat;
    if (std::fabs(tin - ta) < 1e-10) {
        return ReportFailure(kErrStartEqualsAmbient);
    }
    // A reversed flow or negative heat capacity has no outlet on this side.
    if (!(capacityFlow >= 1e-10)) {
        return ReportFailure(kErrDegenerateInput);
    }
    const double rest = std::fabs(tin - ta) * std::exp(-3.6 * u * in.length / capacityFlow);
    const double outlet = tin > ta ? ta + rest : ta - rest;
    if (!StoreFinite(out->outletTemp, outlet)) {
        return -1;
    }
    out->change = static_cast<float>(tin - outlet);
    return 0;
}
