// The calculation behind the tank page, without a window: the engine's
// packed tank record filled from the current calculation record, and the run
// that stores the time and stamps "DIM2".
#pragma once
#include "VlCalculate/vlcalculate.h"
#include "VlInterface/calcrecord.h"

// The engine record (zeroed first): shape 1 cylinder or 2 box, the bottom
// flag, the dimensions in m (side 2 also for a cylinder), area and volume 0
// for the engine to work out, the contents, the temperatures and the heat
// loss per m² of the insulation calculation.
void TankCooling_Fill(const CalcRecord& record, float heatLoss, TempChangeTimeInTankInput* input);

// Clears the error list and refuses (-1, error 40046) while the insulation
// results are stale; otherwise runs the engine. Done (0): the record's
// cooling time (h, signed), attribute 1344 and the stamp "DIM2". Failed
// (-1): the engine's errors are in the list and nothing is written.
int TankCooling_Run(CalcRecord& record);
