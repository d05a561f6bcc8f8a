// The engine's reports into the error list of VlUtil.dll.
#include "VlCalculate/calc_deps.h"
#include "VlUtil/vlutil.h"

void Deps_ReportError(int severity, int32_t textId)
{
    ErrorList_Insert(0, severity, textId, nullptr, 0, nullptr);
}
