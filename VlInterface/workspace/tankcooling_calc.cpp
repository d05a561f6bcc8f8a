// The tank calculation: how long the contents of an insulated vessel take to
// go from the contents temperature to the final temperature.
#include "VlInterface/workspace/tankcooling_calc.h"
#include "VlInterface/workspace/timecalc.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"

namespace {
constexpr uint8_t kCylinder = 1, kBox = 2;
} // namespace

void TankCooling_Fill(const CalcRecord& record, float heatLoss, TempChangeTimeInTankInput* input)
{
    *input = {};
    input->shape = record.shapeFlags[0] ? kCylinder : kBox;
    input->bothEnds = static_cast<uint8_t>(record.bottomIncluded);
    input->diameterOrSide1 = record.vesselDimensions[0];
    input->side2 = record.vesselDimensions[1];
    input->height = record.vesselDimensions[2];
    input->density = record.contentsDensity;
    input->specificHeat = record.contentsHeatCapacity;
    input->startTemp = record.contentsTemperature;
    input->ambientTemp = record.ambientTemperature;
    input->endTemp = record.finalTemperature;
    input->heatLoss = heatLoss;
}

int TankCooling_Run(CalcRecord& record)
{
    if (!TimeCalc_InsulationCurrent())
        return -1;
    TempChangeTimeInTankInput input;
    TankCooling_Fill(record, Kadmi_GetFloatAtt(kCalcObjectSystem, Att_HeatLoss), &input);
    TempChangeTimeInTankOutput output{};
    if (TemperatureChangeTimeInTank(input, &output) != 0)
        return -1;
    record.coolingTime = output.hours;
    Kadmi_SetFloatAtt(kCalcObjectSystem, Att_CoolingTime, output.hours);
    Kadmi_MarkAccess(kCalcObjectSystem, Stamp_Cooling);
    return 0;
}
