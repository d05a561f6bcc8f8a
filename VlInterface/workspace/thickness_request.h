// The thickness list request of the insulation page's target cases: the
// engine's candidates sorted so that the preferred one comes first, and that
// candidate taken over as layer 1's dimensions. No window here.
#pragma once
#include "VlCalculate/vlcalculate.h"
#include "VlInterface/calcrecord.h"
#include <string>

// Calculation case of the record's case flags: 0..3 for the target cases,
// 4 for heat loss and surface temperature.
int16_t ThicknessRequest_Case(const CalcRecord& record);

// The diameter the candidates must fit over: the pipe's outer diameter, the
// round duct's diameter, 0 for any other object.
float ThicknessRequest_ReferenceDiameter(const CalcRecord& record);

// Orders two candidates of a case: in the economic case those with a cost
// first; then those that fit over the reference diameter
// first (tightest first), then by the case's own key (economic: cost
// ascending; allowed heat loss: magnitude descending; allowed surface
// temperature: descending; condensation: ascending). -1, 0 or 1; a strict
// weak ordering for every input, NaN included.
int ThicknessList_Compare(int16_t calculationCase, float reference, const INSULATIONTHICKNESSRESULTLIST& a,
                          const INSULATIONTHICKNESSRESULTLIST& b);

// Sorts count candidates in place by ThicknessList_Compare.
void ThicknessList_Sort(INSULATIONTHICKNESSRESULTLIST* list, int count, int16_t calculationCase, float reference);

// The engine's input for layer 1's part and product group.
INSULATIONTHICKNESSINPUT ThicknessRequest_Input(const CalcRecord& record, int32_t part);

// Takes the candidate as layer 1's diameters, thickness and heat loss, as the
// object's geometry gives them. Returns the thickness as the thickness choices
// name it ("%.0f").
std::string ThicknessRequest_Adopt(CalcRecord& record, const INSULATIONTHICKNESSRESULTLIST& candidate);
