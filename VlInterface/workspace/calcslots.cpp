// Which page each calculation tab slot holds. A slot whose page is not built
// has no entry and gets no tab.
#include "VlInterface/workspace/calctabs.h"

const CalcSlotTable g_calcSlots = {};
