// The calculation behind the pipe cooling page, without a window: the mass
// flow from how the flow is given, the engine's records filled from the
// current calculation record, and the run that stores the results and
// stamps "DIM2". The page shows the results and reads its controls.
#pragma once
#include "VlCalculate/vlcalculate.h"
#include "VlInterface/calcrecord.h"

// Object type of the engine: 2 plane surface or vessel, 1 pipe, 4 round
// duct, 5 rectangular duct, -1 none (the first geometry flag set).
int32_t PipeCooling_ObjectTypeCode(const CalcRecord& record);

// Mass flow in kg/s: as given, or density x volume flow, or density x
// velocity x the inner cross-section; 0 when no flow flag is set.
double PipeCooling_MassFlow(const CalcRecord& record);

// The engine records of a flowing and of a stationary liquid (zeroed first).
// The heat loss and the outer surface temperature are the insulation
// calculation's results (W/m, °C).
void PipeCooling_FillFlowing(const CalcRecord& record, float surfaceTemperature, TemperatureChangeInPipeInput* input);
void PipeCooling_FillStationary(const CalcRecord& record, float heatLoss, CoolingStationaryInput* input);

// Results of the last run. The outlet temperature is a result only: the
// final temperature that the user typed stays in the record.
struct PipeCoolingResult {
    float temperatureChange = 0;   // flowing: inlet minus outlet
    float outletTemperature = 0;   // flowing
    float coolingTime = 0;         // stationary, h, signed
};

// Clears the error list and refuses (-1, error 40046) while the insulation
// results are stale; otherwise runs the engine for the record's cooling case.
// Done (0): the record's temperature change or cooling time, attributes
// 1342 and 1343 or 1344, and the stamp "DIM2". Failed (-1): the engine's
// errors are in the list and nothing is written.
int PipeCooling_Run(CalcRecord& record, PipeCoolingResult* result);
