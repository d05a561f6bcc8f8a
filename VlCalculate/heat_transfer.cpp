// Heat transfer at an outer surface: convection on flat surfaces and pipes,
// still air or wind, and radiation between the surface and the surroundings.
// Shared by the heat-loss calculation and the temperature change in a pipe.
#include <cmath>
#include "VlCalculate/calc_internal.h"

namespace {
double FourthRoot(double x)
{
    return std::sqrt(std::sqrt(x));
}

double StillAirFlat(double dt)
{
    return dt <= 10.0 ? 3.5 + 0.09 * std::fabs(dt) : 2.55 * FourthRoot(std::fabs(dt));
}

double StillAirPipe(double d, double dt)
{
    return 1.35 * FourthRoot(std::fabs(dt) / d);
}

double RadiationCoefficient(double emissivity, double ta, double ts)
{
    if (ts == ta) {
        ts = ta - 0.01;
    }
    // Kelvin with 273, as the coefficient has always been formed;
    // (T1⁴ − T2⁴)/(T1 − T2) without its powers.
    const double t1 = ts + 273.0;
    const double t2 = ta + 273.0;
    return emissivity * 5.67e-8 * (t1 * t1 + t2 * t2) * (t1 + t2);
}
} // namespace

OuterSurface::OuterSurface(bool pipe, double d, double emissivity, double ta, double v)
    : pipe_(pipe), still_(pipe ? v <= 0.5 : v < 0.5), d_(d), emissivity_(emissivity), ta_(ta)
{
    if (still_) {
        return;
    }
    if (pipe) {
        wind_ = 4.13 * std::pow(v, 0.8) * std::pow(d, -0.2);
    } else {
        wind_ = v <= 5.0 ? 4.2 * v + 6.2 : 7.6 * std::pow(v, 0.8);
    }
}

double OuterSurface::coefficient(double ts) const
{
    double hc = !still_ ? wind_ : pipe_ ? StillAirPipe(d_, ts - ta_) : StillAirFlat(ts - ta_);
    if (hc < 0.0) {
        hc = 0.1;
    }
    return RadiationCoefficient(emissivity_, ta_, ts) + hc;
}
