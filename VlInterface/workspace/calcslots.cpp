// Which page each calculation tab slot holds. A slot whose page is not built
// has no entry and gets no tab.
#include "VlInterface/workspace/calctabs.h"
#include "VlInterface/workspace/page_insulation.h"

const CalcSlotTable g_calcSlots = {{nullptr, nullptr, InsulationPage_GetPageInfo}};
