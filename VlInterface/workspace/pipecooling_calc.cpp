// The pipe cooling calculation: a flowing liquid's temperature change along
// the pipe, or the time a stationary liquid takes to reach its final
// temperature, from the insulation results of the loaded system.
#include "VlInterface/workspace/pipecooling_calc.h"
#include "VlInterface/workspace/timecalc.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include <cmath>

namespace {

constexpr double kPi = 3.1415927f;            // single precision, as the engine's
constexpr double kInnerDiameterShare = 0.95;  // of the outer diameter

bool IsStationary(const CalcRecord& record)
{
    return record.coolingCaseFlags[1] != 0;
}

double CircleArea(double diameterMm)
{
    double d = diameterMm / 1000.0;
    return kPi * d * d / 4.0;
}

// Cross-sections in m² of the contents and of the wall: a pipe's bore is
// 0.95 of its outer diameter; a rectangular duct's bore is its width x
// height and its wall takes the same share of that as a pipe's.
double ContentsSection(const CalcRecord& record)
{
    if (!CalcRecord_IsPlaneOrRectDuct(record))
        return CircleArea(kInnerDiameterShare * CalcRecord_BaseDiameter(record, 0));
    return double(record.width) * record.height / 1.0e6;
}

double WallSection(const CalcRecord& record)
{
    if (!CalcRecord_IsPlaneOrRectDuct(record))
        return CircleArea(CalcRecord_BaseDiameter(record, 0)) - ContentsSection(record);
    return ContentsSection(record) * (1.0 - kInnerDiameterShare * kInnerDiameterShare);
}

float OuterSurfaceTemperature()
{
    int32_t outerLayer = CalcRecordState().layerParts[kCalcLayers - 1];
    return outerLayer > 0 ? Kadmi_GetFloatAtt(outerLayer, Att_FaceTemperature) : 0.0f;
}

int RunFlowing(CalcRecord& record, PipeCoolingResult* result)
{
    TemperatureChangeInPipeInput input;
    PipeCooling_FillFlowing(record, OuterSurfaceTemperature(), &input);
    TemperatureChangeInPipeOutput output{};
    if (TemperatureChangeInPipe(input, &output) != 0)
        return -1;
    record.temperatureChange = output.change;
    result->temperatureChange = output.change;
    result->outletTemperature = output.outletTemp;
    Kadmi_SetFloatAtt(kCalcObjectSystem, Att_TemperatureChange, output.change);
    Kadmi_SetFloatAtt(kCalcObjectSystem, Att_OutletTemperature, output.outletTemp);
    return 0;
}

int RunStationary(CalcRecord& record, PipeCoolingResult* result)
{
    CoolingStationaryInput input;
    PipeCooling_FillStationary(record, Kadmi_GetFloatAtt(kCalcObjectSystem, Att_HeatLoss), &input);
    CoolingStationaryOutput output{};
    if (CoolingOfStationaryLiquids(input, &output) != 0)
        return -1;
    record.coolingTime = output.hours;
    result->coolingTime = output.hours;
    Kadmi_SetFloatAtt(kCalcObjectSystem, Att_CoolingTime, output.hours);
    return 0;
}

} // namespace

int32_t PipeCooling_ObjectTypeCode(const CalcRecord& record)
{
    constexpr int32_t kCodes[] = {2, 1, 4, 5};
    for (int flag = Flag_Plane; flag <= Flag_RectDuct; ++flag) {
        if (record.geometryFlags[flag])
            return kCodes[flag];
    }
    return -1;
}

double PipeCooling_MassFlow(const CalcRecord& record)
{
    if (record.flowFlags[0])
        return record.flowValues[0];
    if (record.flowFlags[1])
        return double(record.contentsDensity) * record.flowValues[1];
    if (record.flowFlags[2])
        return double(record.contentsDensity) * record.flowValues[2] * ContentsSection(record);
    return 0.0;
}

void PipeCooling_FillFlowing(const CalcRecord& record, float surfaceTemperature, TemperatureChangeInPipeInput* input)
{
    *input = {};
    input->inletTemp = record.contentsTemperature;
    input->length = record.pipeLength;
    input->massFlow = static_cast<float>(PipeCooling_MassFlow(record));
    input->specificHeat = record.contentsHeatCapacity / 1000.0f;
    input->ambientTemp = record.ambientTemperature;
    input->objectType = PipeCooling_ObjectTypeCode(record);
    input->emissivity = record.emissivity;
    input->surfaceTemp = surfaceTemperature;
    input->innerDiameter = static_cast<float>(kInnerDiameterShare * CalcRecord_BaseDiameter(record, 0) / 1000.0);
    input->outerDiameter = static_cast<float>(CalcRecord_BaseDiameter(record, 0) / 1000.0);
    for (int k = 0; k < kCalcLayers; ++k) {
        input->conductivity[k] = record.conductivity[k];
        input->thickness[k] = record.thickness[k] / 1000.0f;
    }
    input->airVelocity = record.airVelocity;
}

// Per metre of pipe: the time does not depend on the length.
void PipeCooling_FillStationary(const CalcRecord& record, float heatLoss, CoolingStationaryInput* input)
{
    *input = {};
    input->startTemp = record.contentsTemperature;
    input->endTemp = record.finalTemperature;
    input->ambientTemp = record.ambientTemperature;
    input->endLowerBound = -1.0f;
    input->size = 1.0f;
    input->heatLoss = heatLoss;
    input->contentsMass = static_cast<float>(ContentsSection(record) * record.contentsDensity);
    input->contentsSpecificHeat = record.contentsHeatCapacity / 1000.0f;
    input->wallMass = static_cast<float>(WallSection(record) * record.pipeDensity);
    input->wallSpecificHeat = record.pipeHeatCapacity / 1000.0f;
}

int PipeCooling_Run(CalcRecord& record, PipeCoolingResult* result)
{
    *result = {};
    if (!TimeCalc_InsulationCurrent())
        return -1;
    int status = IsStationary(record) ? RunStationary(record, result) : RunFlowing(record, result);
    if (status != 0)
        return -1;
    Kadmi_MarkAccess(kCalcObjectSystem, Stamp_Cooling);
    return 0;
}
