// Which page each calculation tab slot holds. A slot whose page is not built
// has no entry and gets no tab.
#include "VlInterface/workspace/calctabs.h"
#include "VlInterface/workspace/page_insulation.h"
#include "VlInterface/workspace/page_projectinfo.h"
#include "VlInterface/workspace/page_target.h"

const CalcSlotTable g_calcSlots = {{ProjectInfoPage_GetPageInfo, TargetPage_GetPageInfo, InsulationPage_GetPageInfo}};
