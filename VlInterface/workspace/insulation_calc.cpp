// The insulation page's calculation and print commands: runs the insulation
// calculation on the record, shows its result lines or, in a quiet run, the
// reason there are none, marks the results current only once they are
// written, and hands the loaded system to the print library.
#include "VlInterface/workspace/page_insulation.h"
#include "support/attributes.h"
#include "VlInterface/workspace/page_insulation_ids.h"
#include "VlInterface/workspace/dlgfields.h"
#include "VlInterface/workspace/thickness_request.h"
#include "VlInterface/workspace/timepage.h"
#include "VlInterface/shell.h"
#include "VlPrint/vlprint.h"
#include "VlUtil/vlutil.h"
#include "Kadmi/kadmi.h"
#include "support/app.h"
#include <cstdio>
#include <cstring>

namespace {

constexpr uint16_t kTextNoThickness = 20055;
constexpr uint16_t kTextNoListedThickness = 45300, kTextNoListedCosts = 45301, kTextNoCostData = 45302,
                   kTextEconomicCase = 40076,
                   kTextHeatLossCase = 40077, kTextSurfaceTempCase = 40078, kTextCondensationCase = 40079,
                   kTextDewPoint = 30094, kTextPerMetre = 30098, kTextPerSquareMetre = 30097,
                   kTextCelsius = 30039, kTextPercent = 30040;

std::string Figure(float value, uint16_t unitText)
{
    char text[64];
    std::snprintf(text, sizeof text, " %.1f %s", double(value), Shell_Text(unitText));
    return text;
}

// The humidity the condensation case works to: the extended edition's
// target humidity (field 116 of the target page), else the air's.
float CondensationHumidity(const CalcRecord& r)
{
#ifdef VL_EXTENDED
    return r.targetHumidity;
#else
    return r.relativeHumidity;
#endif
}

// The dew point the condensation case keeps the surface above, where the
// object page asks a humidity (the extended edition names that humidity too).
std::string CondensationDewPoint(const CalcRecord& r)
{
    const float humidity = CondensationHumidity(r);
    if (r.contentsTemperature > r.ambientTemperature || !(humidity > 0))
        return {};
    Dew_pointOutput dew{kFieldMissingFloat};
    if (Dew_point({1, r.ambientTemperature, r.contentsTemperature, humidity}, &dew) != 0 ||
        dew.dewPoint == kFieldMissingFloat)
        return {};
    std::string target = " (";
#ifdef VL_EXTENDED
    target += Figure(humidity, kTextPercent).substr(1) + ", ";
#endif
    return target + Shell_Text(kTextDewPoint) + Figure(dew.dewPoint, kTextCelsius) + ")";
}

// The target case with its limit, as the page names them.
std::string TargetName(const CalcRecord& r)
{
    switch (ThicknessRequest_Case(r)) {
    case kCaseEconomic:
        return Shell_Text(kTextEconomicCase);
    case kCaseHeatLossLimit:
        return Shell_Text(kTextHeatLossCase) +
               Figure(r.allowedHeatLoss, CalcRecord_IsPlane(r) ? kTextPerSquareMetre : kTextPerMetre);
    case kCaseSurfaceTempLimit:
        return Shell_Text(kTextSurfaceTempCase) + Figure(r.allowedSurfaceTemperature, kTextCelsius);
    case kCaseCondensation:
        return Shell_Text(kTextCondensationCase) + CondensationDewPoint(r);
    default:
        return {};
    }
}

// A target no listed thickness meets has no results: the reason and the
// target show instead, and nothing is stored as current.
void RefuseTarget(HWND page, const TargetRefusal& refusal, bool quiet)
{
    ErrorList_Clear();
    if (quiet) {
        CalcPage_ShowLine(page, IDC_INS_RESULT1, refusal.reason);
        CalcPage_ShowLine(page, IDC_INS_RESULT1 + 1, refusal.target);
        return;
    }
    const std::string text = refusal.reason + ": " + refusal.target;
    ErrorList_Insert(0, ErrorKind_Error, kTextNoListedThickness, text.c_str(), 0, nullptr);
    ErrorDialog(page);
    ErrorList_Clear();
}

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
    if (!quiet && (warnings > 0 || (costErrors && r.caseFlags[0])) && ErrorList_NError() > 0)
        ErrorDialog(page);
    ErrorList_Clear();   // shown: no later line takes them for its reason
}

} // namespace

int InsulationPage_CalculateHeatLoss(HWND page, CalcRecord& r, bool quiet)
{
    if (!InsPage_HasLayerParts())
        return -1;   // a system without layers has nothing to calculate
    WaitCursor wait;
    InsulationPage_ClearResults(page);
    // A target that no listed thickness meets is why there are no results,
    // whatever layer 1 still holds: said before the layers are checked.
    // Inputs out of their limits chose no thickness, so they come to the check.
    if (TargetRefusal refusal = InsulationPage_TargetRefusal(r); refusal.refused()) {
        RefuseTarget(page, refusal, quiet);
        return -1;
    }
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
    Kadmi_MarkAccess(kCalcObjectSystem, Stamp_HeatLoss);
    return 0;
}

TargetRefusal InsulationPage_TargetRefusal(const CalcRecord& r)
{
    if (!InsPage_TargetCase(r))
        return {};
    switch (InsPage().target) {
    case TargetOutcome::NotMet: return {Shell_Text(kTextNoListedThickness), TargetName(r)};
    case TargetOutcome::NotCosted: return {Shell_Text(kTextNoListedCosts), Shell_Text(kTextNoCostData)};
    case TargetOutcome::Met: break;
    }
    return {};
}

int InsulationPage_Print(HWND page, CalcRecord&, int output)
{
    TimePage_Print(page, 1, output == VlPrintOutput_Clipboard);
    return 0;
}
