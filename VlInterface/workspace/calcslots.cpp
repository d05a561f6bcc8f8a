// Which page each calculation tab slot holds. A slot whose page is not built
// has no entry and gets no tab.
#include "VlInterface/workspace/calctabs.h"
#include "VlInterface/workspace/page_freezing.h"
#include "VlInterface/workspace/page_insulation.h"
#include "VlInterface/workspace/page_pipecooling.h"
#include "VlInterface/workspace/page_projectinfo.h"
#include "VlInterface/workspace/page_tank.h"
#include "VlInterface/workspace/page_target.h"
#include "VlInterface/calcrecord.h"

namespace {

// The cooling tab: the pipe cooling page for a pipe or a duct, else the tank page.
void CoolingTab_GetPageInfo(CalcPageRecord* record)
{
    const uint8_t* flags = CalcRec().geometryFlags;
    if (flags[1] || flags[2] || flags[3])
        PipeCoolingPage_GetPageInfo(record);
    else
        VesselCoolingPage_GetPageInfo(record);
}

} // namespace

const CalcSlotTable g_calcSlots = {{ProjectInfoPage_GetPageInfo, TargetPage_GetPageInfo, InsulationPage_GetPageInfo,
                                    CoolingTab_GetPageInfo, FreezingPage_GetPageInfo}};
