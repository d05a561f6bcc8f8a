// The calculation engine's one module state and its start at attach.
#include "VlCalculate/calc_internal.h"

CalcGlobals& Calc()
{
    static CalcGlobals globals;
    return globals;
}

bool Calc_Attach()
{
    Calc().db = Deps_TechHandles();
    return Calc().db.techData >= 0;
}
