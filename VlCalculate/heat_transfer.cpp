// Heat transfer at an outer surface: convection on flat surfaces and pipes,
// still air or wind, and radiation between the surface and the surroundings.
// Shared by the heat-loss calculation and the temperature change in a pipe.
#include <cmath>
#include "VlCalculate/calc_internal.h"

double ConvectionCoefficientFlat(double ts, double ta, double v)
{
    const double dt = ts - ta;
    if (v < 0.5) {
        return dt <= 10.0 ? 3.5 + 0.09 * std::fabs(dt) : 2.55 * std::pow(std::fabs(dt), 0.25);
    }
    if (v <= 5.0) {
        return 4.2 * v + 6.2;
    }
    return 7.6 * std::pow(v, 0.8);
}

double ConvectionCoefficientPipe(double d, double ts, double ta, double v)
{
    if (v <= 0.5) {
        return 1.35 * std::pow(std::fabs(ts - ta) / d, 0.25);
    }
    return 4.13 * std::pow(v, 0.8) * std::pow(d, -0.2);
}

double RadiationCoefficient(double emissivity, double ta, double ts)
{
    if (ts == ta) {
        ts = ta - 0.01;
    }
    // Kelvin with 273, as the coefficient has always been formed.
    const double t1 = ts + 273.0;
    const double t2 = ta + 273.0;
    return emissivity * 5.67e-8 * (std::pow(t1, 4) - std::pow(t2, 4)) / (t1 - t2);
}

double OuterSurfaceCoefficient(bool pipe, double d, double emissivity, double ts, double ta, double v)
{
    double hc = pipe ? ConvectionCoefficientPipe(d, ts, ta, v) : ConvectionCoefficientFlat(ts, ta, v);
    if (hc < 0.0) {
        hc = 0.1;
    }
    return RadiationCoefficient(emissivity, ta, ts) + hc;
}
