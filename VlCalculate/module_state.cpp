// The calculation engine's one module state.
#include "VlCalculate/calc_internal.h"

CalcGlobals& Calc()
{
    static CalcGlobals globals;
    return globals;
}
