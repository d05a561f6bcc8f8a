// The freezing page: shows the fixed material values of a steel pipe full of
// water, reads them into the calculation record (store group 3) and shows
// the two times of the calculation in freezing_calc.cpp. Only a pipe has
// this calculation. Frame, buttons and printing: timepage.cpp.
#include "VlInterface/workspace/page_freezing.h"
#include "VlInterface/workspace/freezing_calc.h"
#include "VlInterface/workspace/timecalc.h"
#include "VlInterface/workspace/dlgfields.h"
#include "VlInterface/workspace/timepage.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/dlgutil.h"
#include "support/numfield.h"
#include <cstddef>
#include <cstring>
#include <iterator>

namespace {

constexpr uint16_t kTitleText = 30022;
constexpr int kHelpContext = 7;
constexpr float kAnyValue = -999999.0f;
constexpr int32_t kStoreGroup = 3;
constexpr uint16_t kSteelText = 30069, kWaterText = 30066;
constexpr uint16_t kTimeUntilFreezingText = 30068, kTimeFrozenThroughText = 20053, kHoursText = 30064;
constexpr uint16_t kNeverFreezesText = 40085;

struct FreezingPageState {
    bool busy = false;   // showing, reading or enabling
} g_freezing;

constexpr RecordFloatField kNumbers[] = {
    {IDC_FZ_PIPE_HEATCAP, offsetof(CalcRecord, freezingPipe), 2, kAnyValue},
    {IDC_FZ_PIPE_DENSITY, offsetof(CalcRecord, freezingPipe) + sizeof(float), 2, kAnyValue},
    {IDC_FZ_CONTENTS_HEATCAP, offsetof(CalcRecord, freezingContents), 2, kAnyValue},
    {IDC_FZ_CONTENTS_DENSITY, offsetof(CalcRecord, freezingContents) + sizeof(float), 2, kAnyValue},
    {IDC_FZ_FREEZING_TEMP, offsetof(CalcRecord, freezingContents) + 2 * sizeof(float), 2, kAnyValue},
};
// The values shown whatever the record holds: steel and water.
constexpr float kFixedValues[] = {540.0f, 7800.0f, 4186.0f, 980.0f, -1.0f};
static_assert(std::size(kNumbers) == std::size(kFixedValues));

constexpr TimePageLimit kLimits[] = {
    {nullptr, offsetof(CalcRecord, freezingPipe), "FREEZINGPIPESPECHEATCAP", IDC_FZ_PIPE_HEATCAP},
    {nullptr, offsetof(CalcRecord, freezingPipe) + sizeof(float), "FREEZINGPIPEDENSITY", IDC_FZ_PIPE_DENSITY},
    {nullptr, offsetof(CalcRecord, freezingContents), "FREEZINGCONTSPECHEATCAP", IDC_FZ_CONTENTS_HEATCAP},
    {nullptr, offsetof(CalcRecord, freezingContents) + sizeof(float), "FREEZINGCONTENTSDENSITY",
     IDC_FZ_CONTENTS_DENSITY},
    {nullptr, offsetof(CalcRecord, freezingContents) + 2 * sizeof(float), "FREEZINGTEMPERATURE_C",
     IDC_FZ_FREEZING_TEMP},
};

constexpr DialogTextTable kTranslations[] = {
    {IDC_FZ_CONTENTS_LABEL, 30043, nullptr},         {IDC_FZ_CONTENTS_HEATCAP_LABEL, 40000, nullptr},
    {IDC_FZ_CONTENTS_DENSITY_LABEL, 40001, nullptr}, {IDC_TP_CALCULATE, 40002, nullptr},
    {IDC_FZ_CONTENTS_HEATCAP_UNIT, 30060, nullptr},  {IDC_FZ_CONTENTS_DENSITY_UNIT, 30061, nullptr},
    {IDC_FZ_RESULTS_GROUP, 40003, nullptr},          {IDC_FZ_FREEZING_TEMP_LABEL, 40009, nullptr},
    {IDC_FZ_FREEZING_TEMP_UNIT, 30039, nullptr},     {IDC_FZ_PIPE_MATERIAL_LABEL, 40010, nullptr},
    {IDC_FZ_PIPE_HEATCAP_LABEL, 40011, nullptr},     {IDC_FZ_PIPE_HEATCAP_UNIT, 30060, nullptr},
    {IDC_FZ_PIPE_DENSITY_LABEL, 40012, nullptr},     {IDC_FZ_PIPE_DENSITY_UNIT, 30061, nullptr},
    {IDC_TP_PRINT, 9296, nullptr},                   {IDC_TP_COPY, 20069, nullptr},
    {0, 0, nullptr},
};

constexpr int kResultLines[] = {IDC_TP_RESULT1, IDC_TP_RESULT2};

bool IsPipe(const CalcRecord& record)
{
    return record.geometryFlags[1] != 0;
}

void ClearResults(HWND page)
{
    TimePage_ClearLines(page, kResultLines);
}

void ShowName(HWND page, int id, uint16_t text)
{
    const char* name = Shell_Text(text);
    Field_SetText(page, id, name, static_cast<short>(strlen(name)));
}

void ShowFixedValues(HWND page)
{
    ReentryGuard guard(g_freezing.busy);
    if (!guard.entered())
        return;
    CalcRecord_Load();
    ShowName(page, IDC_FZ_PIPE_MATERIAL, kSteelText);
    ShowName(page, IDC_FZ_CONTENTS, kWaterText);
    for (size_t i = 0; i < std::size(kNumbers); ++i)
        Field_SetFloat(page, kNumbers[i].id, kFixedValues[i], 0, kNumbers[i].decimals);
    // The fixed values are what the system holds from now on, not an edit.
    RecordFloatFields_Read(page, CalcRec(), kNumbers, 0);
    CalcRecord_Settle();
}

// The names are not read back: only the numbers go into the record.
int ControlsToRecord(HWND page, bool show)
{
    ReentryGuard guard(g_freezing.busy);
    if (!guard.entered())
        return 0;
    int refused = RecordFloatFields_Read(page, CalcRec(), kNumbers, show);
    CalcRecord_Store(kStoreGroup);
    return refused;
}

void Enable(HWND page)
{
    ReentryGuard guard(g_freezing.busy);
    if (!guard.entered())
        return;
    Dlg_RestoreChildren(page);
    for (int id = IDC_FZ_PIPE_MATERIAL; id <= IDC_FZ_FREEZING_TEMP; ++id)
        Dlg_EnableItem(page, id, true);
    for (int id : {IDC_TP_CALCULATE, IDC_TP_PRINT, IDC_TP_COPY})
        Dlg_EnableItem(page, id, true);
    if (!Shell_HasLayerParts() || !IsPipe(CalcRec()))
        Dlg_DisableChildren(page);
}

int CheckLimits(HWND page, bool show)
{
    return TimePage_CheckLimits(page, kLimits, show);
}

// The old figures go first, so that a refused calculation leaves none.
void Calculate(HWND page, bool quiet)
{
    ClearResults(page);
    CalcRecord& record = CalcRec();
    const int result = Freezing_Run(record);
    if (result == kNeverFreezes) {
        TimePage_SetLine(page, IDC_TP_RESULT1, TimeCalc_TextLine(kTimeUntilFreezingText, kNeverFreezesText));
        TimePage_SetLine(page, IDC_TP_RESULT2, TimeCalc_TextLine(kTimeFrozenThroughText, kNeverFreezesText));
    } else if (result == 0) {
        TimePage_SetLine(page, IDC_TP_RESULT1,
                         TimeCalc_ResultLine(kTimeUntilFreezingText, record.freezingResults[0], 1, kHoursText));
        TimePage_SetLine(page, IDC_TP_RESULT2,
                         TimeCalc_ResultLine(kTimeFrozenThroughText, record.freezingResults[1], 1, kHoursText));
    }
    const bool failed = result < 0;
    TimePage_ReportErrors(page, quiet, failed, IDC_TP_RESULT1);
}

void OnInitDialog(HWND page)
{
    ShowFixedValues(page);
    ClearResults(page);
    Enable(page);
    Dlg_FocusItem(page, IDC_TP_CALCULATE);
    Shell().helpContext = kHelpContext;
}

// The values shown are the ones calculated with: a system stored before
// they were fixed would otherwise be refused with the values it holds.
bool Activate(HWND page)
{
    Enable(page);
    ShowFixedValues(page);
    return Shell_HasLayerParts() && IsPipe(CalcRec()) && ControlsToRecord(page, false) == 0;
}

// The fields cannot be edited; only the selection on focus (timepage.cpp).
void OnCommand(HWND, int, int) {}

constexpr TimePageOps kOps = {kStoreGroup, kTranslations, OnInitDialog, OnCommand, Activate, ControlsToRecord,
                              CheckLimits, Calculate, Enable, ClearResults};

} // namespace

void FreezingPage_GetPageInfo(CalcPageRecord* record)
{
    CalcPage_FillRecord(record, IDD_FREEZING, kTitleText, FreezingPage_DlgProc);
}

INT_PTR CALLBACK FreezingPage_DlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return TimePage_HandleMessage(page, message, wParam, lParam, kOps);
}
