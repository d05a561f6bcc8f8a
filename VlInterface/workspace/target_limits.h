// The input limits of the insulation target: the object's dimensions, the
// temperatures, the humidity and the air velocity of the calculation record
// against their "DC" limit records. The target page tests them when it is
// left, and every calculation that uses them tests them again first.
#pragma once
#include <windows.h>

struct CalcRecord;

// Tests the record's target inputs in order (dimensions of its geometry,
// contents and ambient temperature, the humidity when the contents are not
// warmer than the air, the air velocity). 0 when all lie within their limits
// or the loaded system has no layer parts; -1 at the first that does not,
// after the range message over owner when warn is set. *control (when
// given) receives the target page's control of that input, else 0.
int TargetInputs_CheckLimits(HWND owner, const CalcRecord& record, bool warn, int* control);
