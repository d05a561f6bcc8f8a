// Annual costs of an insulation: the investment spread over its useful life
// by the annuity factor, plus the energy that its heat loss costs a year at
// the mid-life energy price.
#include <cmath>
#include "VlCalculate/calc_internal.h"

namespace {
// Heat loss that the object type bills: per metre for pipes and ducts, per
// square metre for plane surfaces and vessels.
double BilledHeatLoss(const CostsInput& in)
{
    switch (in.objectType) {
    case kCalcPipe:
    case kCalcRoundDuct:
    case kCalcRectangularDuct:
        return in.heatLossPerMetre;
    case kCalcPlane:
    case kCalcVessel:
        return in.heatLossPerSquareMetre;
    default:
        return 0.0;
    }
}

// Inputs that are missing (the float sentinel, far below 0) or have no
// meaning as costs. A NaN passes here and gives no number further on.
bool EconomyIsOutOfRange(const CostsInput& in)
{
    return in.usefulLife <= 0.0f || in.operatingHours < 0.0f || in.energyPrice < 0.0f || in.investment < 0.0f;
}

float Refuse(const CostsInput& in, int32_t textId)
{
    if (in.reportErrors != 0) {
        Deps_ReportError(kSeverityError, textId);
    }
    return -1.0f;
}
} // namespace

float WINAPI Costs(CostsInput in, CostsOutput* out)
{
    *out = CostsOutput{};
    if (EconomyIsOutOfRange(in)) {
        return Refuse(in, kErrCostInputs);
    }
    const double i = in.interestRate;
    const double n = in.usefulLife;
    const double annuityDenominator = 1.0 - std::pow(1.0 + i, -n);
    if (std::fabs(annuityDenominator) < 1e-14) {
        return Refuse(in, kErrNoAnnuity);
    }
    const double capital = i / annuityDenominator * in.investment;
    const double energy = in.operatingHours * in.energyPrice * std::pow(1.0 + in.energyPriceIncrease, n / 2.0) *
                          std::fabs(BilledHeatLoss(in)) * 0.000001;  // W·h to MWh
    const CostsOutput costs{static_cast<float>(capital), static_cast<float>(energy),
                            static_cast<float>(capital + energy)};
    // Inputs no real case has (NaN, infinities, the missing-value sentinel)
    // give no number; a list sorted by cost must never see one.
    if (!(std::isfinite(costs.capitalCost) && std::isfinite(costs.energyCost) && std::isfinite(costs.totalCost))) {
        return Refuse(in, kErrDegenerateInput);
    }
    *out = costs;
    return 0.0f;
}
