// The extended edition's part of the insulation page: the total thickness
// field and the object's description, the rule that keeps stale results from
// being recalculated quietly, and the cheapest-combination command, which
// costs every combination on the record and the engine and adopts the
// cheapest one with the page's own run.
#include "VlInterface/extended/extended.h"
#include "VlInterface/extended/cheapest.h"
#include "VlInterface/extended/ids.h"
#include "VlInterface/workspace/page_insulation.h"
#include "VlInterface/workspace/page_insulation_ids.h"
#include "VlInterface/workspace/dlgfields.h"
#include "VlInterface/shell.h"
#include "VlUtil/vlutil.h"
#include "Kadmi/kadmi.h"
#include "support/dlgutil.h"
#include "resultstamps/resultstamps.h"
#include <cstring>
#include <functional>
#include <string>

namespace {

constexpr uint16_t kTextNotCalculated = 40068;

// Layer 1 is no product to search: its thickness and the layers' dimensions
// are not results of anything any more.
void ClearLayerResults(HWND page, CalcRecord& r)
{
    for (int k = 0; k < kCalcLayers; ++k)
        r.thickness[k] = r.nominalThickness[k] = r.innerDiameter[k] = r.outerDiameter[k] = 0;
    CalcRecord_Store(1);
    InsulationPage_ClearResults(page);
    InsulationPage_RecordToControls(page, r, 1, 9999);
}

} // namespace

void InsulationPage_ShowExtendedFields(HWND page, const CalcRecord& r)
{
    float total = 0;
    for (int k = 0; k < kCalcLayers; ++k)
        total += r.thickness[k] > 0 ? r.thickness[k] : 0;
    Field_SetFloatOrBlank(page, IDC_INS_TOTAL_THICKNESS, total, 0, 0);
    Field_SetFloatOrBlank(page, IDC_INS_CONDENSATION_HUMIDITY, r.targetHumidity, 0, 1);
    Dlg_SetItemText(page, IDC_INS_DESCRIPTION, InsulationObject_Describe());
}

bool InsulationPage_ResultsCurrent()
{
    return !Stamps_HeatLossStale(Stamps_OfLoadedSystem());
}

void InsulationPage_ShowStale(HWND page)
{
    InsulationPage_ClearResults(page);
    Dlg_SetItemText(page, IDC_INS_RESULT1, Shell_Text(kTextNotCalculated));
}

bool InsulationPage_CanSearchCheapest()
{
    return InsPage_HasLayerParts() && InsPage_HasProduct(0) && !InsPage_IsUser(0);
}

int InsulationPage_AdoptCheapest(HWND page, CalcRecord& r)
{
    CheapestResult result{};
    int status;
    {
        WaitCursor wait;
        InsulationLayerChoices layers;
        InsPage_LayerChoices(layers);
        const CheapestSearchInput input = Cheapest_InputFromRecord(r, InsulationPage_CanSearchCheapest());
        CheapestRecordCosting costing(r, layers);
        status = Cheapest_Search(input, Cheapest_DatabaseSteps(input, std::ref(costing)), &result);
        ErrorList_Clear();
    }
    if (status != 0) {
        ClearLayerResults(page, r);
        return -1;
    }
    if (result.selected[0] <= 0) {
        // Nothing could be costed (no economic data or no prices): the page
        // and the project stay as they were, and the user learns why.
        const std::string caption = Shell_Text(IDS_EXT_CHEAPEST);
        Wnd_MessageBox(page, Shell_Text(IDS_EXT_NOTHING_COSTED), caption.c_str(), MB_OK | MB_ICONINFORMATION);
        return -1;
    }
    Cheapest_ApplyToRecord(result, &r);
    // The results case: a target case would choose layer 1 from its list again.
    std::memset(r.caseFlags, 0, sizeof(r.caseFlags));
    r.caseFlags[4] = 1;
    CalcRecord_Store(1);
    InsulationPage_RestoreChoices(page, r);
    InsulationPage_Enable(page, r);
    InsulationPage_RecordToControls(page, r, 1, 9999);
    // The prices read the layers' dimensions from the project: the page's
    // values go there first, as for the Calculate command.
    InsulationPage_ControlsToRecord(page, r);
    InsulationPage_CalculateHeatLoss(page, r, false);
    return 0;
}
