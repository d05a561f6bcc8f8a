// The calculation behind the freezing page, without a window: the engine's
// record for the time until freezing starts and for the time until the
// contents are frozen through, and the run that stores both and stamps "DIM3".
#pragma once
#include "VlCalculate/vlcalculate.h"
#include "VlInterface/calcrecord.h"

// The record of the first calculation (zeroed first): materials, freezing
// temperature, the pipe's outer diameter in m, the heat loss at the mean
// temperature (W/m), the contents and the ambient temperature.
void Freezing_FillFirst(const CalcRecord& record, float heatLossAtMean, FreezingTimeInput* input);

// Turns the first record into the second's: from the freezing temperature,
// all water frozen, latent heat 334 kJ/kg, and per layer part the
// conductivity of the insulation results (1376) and the thickness in m
// (1379, or half of outer minus inner diameter when it is 0).
void Freezing_FillSecond(FreezingTimeInput* input);

// Clears the error list and refuses (-1) while the insulation results are
// stale (error 40046) or the contents are colder than air that freezes
// (40061). Done (0): the record's two freezing results (h, never below 0;
// the second is the total), attributes 1350 and 1380 and the stamp "DIM3".
// kNeverFreezes: the air is not colder than the freezing temperature; the
// results are 0, 1350 and 1380 are deleted and "DIM3" is stamped. Failed
// (-1): the engine's errors are in the list and nothing is written.
int Freezing_Run(CalcRecord& record);
