// The insulation page's calculation and print commands: runs the insulation
// calculation on the record, shows its result lines or, in a quiet run, the
// reason there are none, marks the results current only once they are
// written, and hands the loaded system to the print library.
#include "VlInterface/workspace/page_insulation.h"
#include "VlInterface/workspace/page_insulation_ids.h"
#include "VlInterface/workspace/dlgfields.h"
#include "VlInterface/workspace/timepage.h"
#include "VlInterface/shell.h"
#include "VlPrint/vlprint.h"
#include "VlUtil/vlutil.h"
#include "Kadmi/kadmi.h"
#include "support/app.h"
#include <cstring>

namespace {

constexpr uint16_t kTextNoThickness = 20055;

// Layer 1 has a listed product but no thickness chosen yet.
bool Layer1WithoutThickness()
{
    return InsPage_HasProduct(0) && !InsPage_IsUser(0) &&
           std::strcmp(InsPage_Thickness(0).code, kCodeListHeader) == 0;
}

void ShowQuietReason(HWND page, const std::string& text)
{
    CalcPage_ShowLine(page, IDC_INS_RESULT1, text);
}

void ShowResults(HWND page, CalcRecord& r, bool quiet)
{
    int warnings = ErrorList_NError();
    InsulationResultLines lines;
    bool costErrors = InsulationRun_StoreResults(r, &lines);
    for (int k = 0; k < kCalcLayers; ++k)
        Field_SetFloatOrBlank(page, IDC_INS_CONDUCTIVITY1 + k, r.conductivity[k], 0, 4);
    for (int i = 0; i < 4; ++i)
        CalcPage_ShowLine(page, IDC_INS_RESULT1 + i, lines.line[i]);
    // Warnings of the heat loss come with the results; cost errors open the
    // dialog in the economic case.
    if (!quiet && (warnings > 0 || (costErrors && r.caseFlags[0])))
        ErrorDialog(page);
}

} // namespace

int InsulationPage_CalculateHeatLoss(HWND page, CalcRecord& r, bool quiet)
{
    if (!InsPage_HasLayerParts())
        return -1;   // a system without layers has nothing to calculate
    WaitCursor wait;
    InsulationPage_ClearResults(page);
    if (InsulationPage_CheckInputs(page, r, quiet) != 0)
        return -1;
    if (quiet && Layer1WithoutThickness()) {
        // In a target case the thickness list just ran: its reason says more.
        bool listReason = InsPage_TargetCase(r) && ErrorList_NError() > 0;
        ShowQuietReason(page, listReason ? InsulationRun_FirstErrorLine() : Shell_Text(kTextNoThickness));
        ErrorList_Clear();
        return -1;
    }
    InsulationLayerChoices layers;
    InsPage_LayerChoices(layers);
    if (InsulationRun_Calculate(r, layers) != InsulationRunStatus::Done) {
        // No results: they stay stale ("DIM1" is not set).
        if (quiet)
            ShowQuietReason(page, InsulationRun_FirstErrorLine());
        else
            ErrorDialog(page);
        return -1;
    }
    ShowResults(page, r, quiet);
    InsulationPage_ControlsToRecord(page, r);
    Kadmi_MarkAccess(kCalcObjectSystem, "DIM1");
    return 0;
}

int InsulationPage_Print(HWND page, CalcRecord&, int output)
{
    TimePage_Print(page, 1, output == VlPrintOutput_Clipboard);
    return 0;
}
