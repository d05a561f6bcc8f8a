// The extended edition's part of the insulation page: the total thickness
// field and the object's description, the rule that keeps stale results from
// being recalculated quietly, and the cheapest-combination command, which
// costs every combination with the page's own run and adopts the cheapest one.
#include "VlInterface/extended/extended.h"
#include "VlInterface/extended/cheapest.h"
#include "VlInterface/extended/ids.h"
#include "VlInterface/workspace/page_insulation.h"
#include "VlInterface/workspace/page_insulation_ids.h"
#include "VlInterface/workspace/dlgfields.h"
#include "VlInterface/shell.h"
#include "VlUtil/vlutil.h"
#include "Kadmi/kadmi.h"
#include "support/utf8.h"
#include <cstring>
#include <string>

namespace {

constexpr uint16_t kTextNotCalculated = 40068;

// Writes one combination into the record as the layer choice would: each
// layer sits on the one beneath.
void PutCombination(CalcRecord& r, const CheapestCombination& c, InsulationLayerChoices& layers)
{
    const bool round = !InsPage_IsPlaneOrRectDuct(r);
    float beneath = InsPage_BaseDiameter(r, 0);
    for (int k = 0; k < kCheapestLayers; ++k) {
        const CheapestPick& pick = c.layers[k];
        if (!pick.entry)
            continue;
        Utf8_CopyCut(r.productCode[k], sizeof(r.productCode[k]), pick.entry->code);
        r.thickness[k] = r.nominalThickness[k] = pick.thickness;
        r.innerDiameter[k] = round ? beneath : 0;
        r.outerDiameter[k] = round ? pick.outerDiameter : 0;
        r.conductivity[k] = 0;
        layers[k].thicknessCode = pick.entry->code;
        beneath = pick.outerDiameter;
    }
}

// The page's run for one combination: heat loss, layer prices and annual
// costs; the total annual cost, 0 when it could not be costed.
float CostOf(CalcRecord& r, const CheapestCombination& c)
{
    InsulationLayerChoices layers;
    InsPage_LayerChoices(layers);
    PutCombination(r, c, layers);
    CalcRecord_Store(1);
    ErrorList_Clear();
    if (InsulationRun_Calculate(r, layers) != InsulationRunStatus::Done)
        return 0;
    InsulationResultLines lines;
    InsulationRun_StoreResults(r, &lines);
    return Kadmi_GetFloatAtt(kCalcObjectSystem, InsPage_IsPlane(r) ? 1375 : 1374);
}

} // namespace

void InsulationPage_ShowExtendedFields(HWND page, const CalcRecord& r)
{
    float total = 0;
    for (int k = 0; k < kCalcLayers; ++k)
        total += r.thickness[k] > 0 ? r.thickness[k] : 0;
    Field_SetFloatOrBlank(page, IDC_INS_TOTAL_THICKNESS, total, 0, 0);
    SetDlgItemTextA(page, IDC_INS_DESCRIPTION, InsulationObject_Describe());
}

bool InsulationPage_ResultsCurrent()
{
    return Kadmi_CmpAccess(kCalcObjectSystem, "DIM1", kCalcObjectSystem, "EDTT") >= 0;
}

void InsulationPage_ShowStale(HWND page)
{
    InsulationPage_ClearResults(page);
    SetDlgItemTextA(page, IDC_INS_RESULT1, Shell_Text(kTextNotCalculated));
}

bool InsulationPage_CanSearchCheapest()
{
    return InsPage_HasLayerParts() && InsPage_HasProduct(0) && !InsPage_IsUser(0);
}

int InsulationPage_AdoptCheapest(HWND page, CalcRecord& r)
{
    if (!InsulationPage_CanSearchCheapest())
        return -1;
    const CalcRecord before = r;
    CheapestResult result{};
    int status;
    {
        WaitCursor wait;
        const CheapestSearchInput input = Cheapest_InputFromRecord(r, true);
        status = Cheapest_Search(input, Cheapest_DatabaseSteps(input, [&r](const CheapestCombination& c) {
            return CostOf(r, c);
        }), &result);
        ErrorList_Clear();
    }
    r = before;
    if (status != 0 || result.selected[0] <= 0) {
        // Nothing could be costed (no economic data or no prices): the page
        // stays as it was, with its own results, and the user learns why.
        CalcRecord_Store(1);
        const std::string caption = Shell_Text(IDS_EXT_CHEAPEST);
        MessageBoxA(page, Shell_Text(IDS_EXT_NOTHING_COSTED), caption.c_str(), MB_OK | MB_ICONINFORMATION);
        InsulationPage_CalculateHeatLoss(page, r, true);
        return -1;
    }
    Cheapest_ApplyToRecord(result, &r);
    std::memset(r.caseFlags, 0, sizeof(r.caseFlags));
    r.caseFlags[4] = 1;   // the adopted thicknesses are shown as heat loss and surface temperature
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
