// Dew point of moist air: the temperature at which the air's vapour pressure
// (relative humidity times the saturation pressure at its temperature) is the
// saturation pressure. Found by a half-kelvin scan of the humidity ratio with
// linear interpolation.
#include <cmath>
#include "VlCalculate/calc_internal.h"

namespace {
constexpr double kKelvin = 273.16;
constexpr double kLowestAirTemp = -31.0;     // °C, accepted range of the air temperature
constexpr double kHighestAirTemp = 50.0;
constexpr double kTotalPressure = 1000.0;    // hPa
constexpr double kScanStart = 173.16;        // K (-100 °C): below every dew point of the accepted range
constexpr double kScanStep = 0.5;            // K

// Saturation pressure of water vapour at T kelvin, hPa.
double SaturationPressure(double t)
{
    return std::exp(0.0057 * t + 77.345 - 7235.0 / t) / (std::pow(t, 8.2) * 100.0);
}

double HumidityRatio(double vapourPressure)
{
    return 0.622 * vapourPressure / (kTotalPressure - vapourPressure);
}

double Fail(int32_t textId)
{
    Deps_ReportError(kSeverityError, textId);
    return kDewPointFailed;
}
} // namespace

double DewPointTemperature(double t, double phi)
{
    if (t < kLowestAirTemp) {
        return Fail(kErrDewAirTooCold);
    }
    if (t > kHighestAirTemp) {
        return Fail(kErrDewAirTooWarm);
    }
    const double airTemp = t + kKelvin;
    const double vapourPressure = phi / 100.0 * SaturationPressure(airTemp);
    if (std::fabs(kTotalPressure - vapourPressure) < 1e-12) {
        return Fail(kErrDegenerateInput);
    }
    const double target = HumidityRatio(vapourPressure);
    // Scan upwards, never past the air temperature itself.
    double tk = kScanStart;
    double xk = HumidityRatio(SaturationPressure(tk));
    double tPrev = tk;
    double xPrev = xk;
    for (int step = 1; xk < target && tk < airTemp; ++step) {
        tPrev = tk;
        xPrev = xk;
        tk = kScanStart + step * kScanStep;
        if (tk > airTemp - 1e-6) {
            tk = airTemp;
        }
        xk = HumidityRatio(SaturationPressure(tk));
    }
    if (xk < target) {
        return t;  // saturated or supersaturated air: it condenses at its own temperature
    }
    if (std::fabs(xk - xPrev) < 1e-9) {
        return Fail(kErrDegenerateInput);  // no humidity, or a dew point below the scan
    }
    return tPrev + (target - xPrev) / (xk - xPrev) * (tk - tPrev) - kKelvin;
}

short WINAPI Dew_point(Dew_pointInput in, Dew_pointOutput* out)
{
    double dewPoint = 0.0;
    switch (in.mode) {
    case 1:
        // Nothing condenses on an object warmer than the air.
        if (in.mediumTemp > in.ambientTemp) {
            return 0;
        }
        dewPoint = DewPointTemperature(in.ambientTemp, in.relativeHumidity);
        break;
    case 2:
        // A medium outside the formula's range has no dew point here; that
        // must not stop the calculation that asks for it.
        if (in.mediumTemp < kLowestAirTemp || in.mediumTemp > kHighestAirTemp) {
            return 0;
        }
        dewPoint = DewPointTemperature(in.mediumTemp, in.relativeHumidity);
        break;
    default:
        return 0;
    }
    out->dewPoint = static_cast<float>(dewPoint);
    return dewPoint == kDewPointFailed ? -999 : 0;
}
