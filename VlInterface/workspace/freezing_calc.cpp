// The freezing calculation of a standing water-filled pipe: the time until
// the contents reach the freezing temperature, then until they are frozen
// through, from the insulation results of the loaded system.
#include "VlInterface/workspace/freezing_calc.h"
#include "VlInterface/workspace/timecalc.h"
#include "VlUtil/vlutil.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include <algorithm>
#include <cmath>

namespace {

constexpr long kCannotFreezeText = 40061;
constexpr int kSeverityError = -2;
constexpr float kFrozenShare = 100.0f;
constexpr float kLatentHeat = 334.0f;   // kJ/kg

enum FreezingField { Freezing_HeatCapacity, Freezing_Density, Freezing_Temperature };
enum PipeField { Pipe_HeatCapacity, Pipe_Density };

// Thickness of a layer part in m: its own, or from its diameters.
float LayerThickness(int32_t part)
{
    float thickness = Kadmi_GetFloatAtt(part, Att_Thickness);
    if (std::fabs(thickness) < 1e-5f)
        thickness = (Kadmi_GetFloatAtt(part, Att_OuterDiameter) - Kadmi_GetFloatAtt(part, Att_InnerDiameter)) / 2.0f;
    return thickness / 1000.0f;
}

// Contents colder than air that freezes are in the wrong order; air that is
// not colder than the freezing temperature is the engine's to tell.
bool InOrder(const CalcRecord& record)
{
    float freezing = record.freezingContents[Freezing_Temperature];
    if (record.ambientTemperature < freezing && record.contentsTemperature < record.ambientTemperature) {
        ErrorList_Insert(kCalcObjectSystem, kSeverityError, kCannotFreezeText, nullptr, 0, nullptr);
        return false;
    }
    return true;
}

void StoreResults(CalcRecord& record, float untilFreezing, float frozenThrough)
{
    record.freezingResults[0] = std::max(untilFreezing, 0.0f);
    record.freezingResults[1] = record.freezingResults[0] + std::max(frozenThrough, 0.0f);
    Kadmi_SetFloatAtt(kCalcObjectSystem, Att_FreezingStarts, record.freezingResults[0]);
    Kadmi_SetFloatAtt(kCalcObjectSystem, Att_FrozenThrough, record.freezingResults[1]);
    Kadmi_MarkAccess(kCalcObjectSystem, Stamp_Freezing);
}

// Contents that never freeze have no times: none is stored.
int StoreNeverFreezes(CalcRecord& record)
{
    record.freezingResults[0] = record.freezingResults[1] = 0.0f;
    Kadmi_DeleteAtt(kCalcObjectSystem, Att_FreezingStarts);
    Kadmi_DeleteAtt(kCalcObjectSystem, Att_FrozenThrough);
    Kadmi_MarkAccess(kCalcObjectSystem, Stamp_Freezing);
    return kNeverFreezes;
}

} // namespace

void Freezing_FillFirst(const CalcRecord& record, float heatLossAtMean, FreezingTimeInput* input)
{
    *input = {};
    input->pipeSpecificHeat = record.freezingPipe[Pipe_HeatCapacity];
    input->pipeDensity = record.freezingPipe[Pipe_Density];
    input->contentsSpecificHeat = record.freezingContents[Freezing_HeatCapacity];
    input->contentsDensity = record.freezingContents[Freezing_Density];
    input->endTemp = record.freezingContents[Freezing_Temperature];
    input->outerDiameter = record.outerDiameters[0] / 1000.0f;
    input->heatLoss = heatLossAtMean;
    input->startTemp = record.contentsTemperature;
    input->ambientTemp = record.ambientTemperature;
}

void Freezing_FillSecond(FreezingTimeInput* input)
{
    input->startTemp = input->endTemp;
    input->frozenShare = kFrozenShare;
    input->latentHeat = kLatentHeat;
    for (int k = 0; k < kCalcLayers; ++k) {
        int32_t part = CalcRecordState().layerParts[k];
        input->conductivity[k] = part > 0 ? Kadmi_GetFloatAtt(part, Att_LayerConductivity) : 0.0f;
        input->thickness[k] = part > 0 ? LayerThickness(part) : 0.0f;
    }
}

int Freezing_Run(CalcRecord& record)
{
    if (!TimeCalc_InsulationCurrent() || !InOrder(record))
        return -1;
    FreezingTimeInput input;
    Freezing_FillFirst(record, Kadmi_GetFloatAtt(kCalcObjectSystem, Att_HeatLossAtMean), &input);
    FreezingTimeOutput untilFreezing{};
    short status = FreezingTime(input, &untilFreezing);
    if (status == kNeverFreezes)
        return StoreNeverFreezes(record);
    if (status != 0)
        return -1;
    Freezing_FillSecond(&input);
    FreezingTimeOutput frozenThrough{};
    status = TotalFreezingTime(input, &frozenThrough);
    if (status == kNeverFreezes)
        return StoreNeverFreezes(record);
    if (status != 0)
        return -1;
    StoreResults(record, untilFreezing.hours, frozenThrough.hours);
    return 0;
}
