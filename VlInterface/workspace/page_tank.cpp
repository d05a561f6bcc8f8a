// The tank page: shows and reads the vessel and its contents from the
// calculation record (store group 2, shared in part with the pipe cooling
// page) and shows the time of the calculation in tankcooling_calc.cpp.
// Frame, buttons and printing: timepage.cpp.
#include "VlInterface/workspace/page_tank.h"
#include "VlInterface/workspace/calcdata.h"
#include "VlInterface/workspace/tankcooling_calc.h"
#include "VlInterface/workspace/timecalc.h"
#include "VlInterface/workspace/dlgfields.h"
#include "VlInterface/workspace/timepage.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/dlgutil.h"
#include <cstddef>

namespace {

constexpr uint16_t kTitleText = 30021;
constexpr int kHelpContext = 6;
constexpr float kAnyValue = -999999.0f;
constexpr int32_t kStoreGroup = 2;
constexpr int kAcceleratorCode = 1;   // WM_COMMAND from a keyboard accelerator

struct TankPageState {
    bool busy = false;   // showing, reading or enabling: the page's notices are its own
    ProductListEntry contents[kProductListSize] = {};
} g_tank;

constexpr RecordFloatField kNumbers[] = {
    {IDC_TK_SIDE1, offsetof(CalcRecord, vesselDimensions), 3, 0.0f, "COOLINGVESSELDIMENSION1_M"},
    {IDC_TK_SIDE2, offsetof(CalcRecord, vesselDimensions) + sizeof(float), 3, 0.0f, "COOLINGVESSELDIMENSION2_M"},
    {IDC_TK_HEIGHT, offsetof(CalcRecord, vesselDimensions) + 2 * sizeof(float), 3, 0.0f, "COOLINGVESSELHEIGHT_M"},
    {IDC_TK_CONTENTS_HEATCAP, offsetof(CalcRecord, contentsHeatCapacity), 2, kAnyValue,
     "COOLINGCONTSPECHEATCAPVESSEL"},
    {IDC_TK_CONTENTS_DENSITY, offsetof(CalcRecord, contentsDensity), 2, kAnyValue, "COOLINGCONTENTSDENSITYVESSEL"},
    {IDC_TK_FINAL_TEMP, offsetof(CalcRecord, finalTemperature), 2, kAnyValue, "COOLINGVESSELCONTFINTEMP_C"},
};

constexpr TimePageFlag kFlags[] = {
    {IDC_TK_CYLINDER, offsetof(CalcRecord, shapeFlags)},
    {IDC_TK_RECTANGLE, offsetof(CalcRecord, shapeFlags) + 1},
    {IDC_TK_BOTTOM, offsetof(CalcRecord, bottomIncluded)},
};

bool IsCylinder(const CalcRecord& record)
{
    return record.shapeFlags[0] != 0;
}
bool IsBox(const CalcRecord& record)
{
    return !IsCylinder(record);
}

constexpr TimePageLimit kLimits[] = {
    {nullptr, offsetof(CalcRecord, vesselDimensions), "COOLINGVESSELDIMENSION1_M", IDC_TK_SIDE1},
    {IsBox, offsetof(CalcRecord, vesselDimensions) + sizeof(float), "COOLINGVESSELDIMENSION2_M", IDC_TK_SIDE2},
    {nullptr, offsetof(CalcRecord, vesselDimensions) + 2 * sizeof(float), "COOLINGVESSELHEIGHT_M", IDC_TK_HEIGHT},
    {nullptr, offsetof(CalcRecord, contentsHeatCapacity), "COOLINGCONTSPECHEATCAPVESSEL", IDC_TK_CONTENTS_HEATCAP},
    {nullptr, offsetof(CalcRecord, contentsDensity), "COOLINGCONTENTSDENSITYVESSEL", IDC_TK_CONTENTS_DENSITY},
    {nullptr, offsetof(CalcRecord, finalTemperature), "COOLINGVESSELCONTFINTEMP_C", IDC_TK_FINAL_TEMP},
};

constexpr DialogTextTable kTranslations[] = {
    {IDC_TK_CYLINDER, 40004, nullptr},              {IDC_TK_RECTANGLE, 40005, nullptr},
    {IDC_TK_BOTTOM, 40006, nullptr},                {IDC_TP_CALCULATE, 40002, nullptr},
    {IDC_TK_CONTENTS_LABEL, 30043, nullptr},        {IDC_TK_CONTENTS_HEATCAP_LABEL, 40000, nullptr},
    {IDC_TK_CONTENTS_DENSITY_LABEL, 40001, nullptr}, {IDC_TK_CONTENTS_HEATCAP_UNIT, 30060, nullptr},
    {IDC_TK_CONTENTS_DENSITY_UNIT, 30061, nullptr}, {IDC_TK_RESULTS_GROUP, 40003, nullptr},
    {IDC_TK_FINAL_TEMP_LABEL, 40007, nullptr},      {IDC_TK_FINAL_TEMP_UNIT, 30039, nullptr},
    {IDC_TK_VESSEL_GROUP, 40008, nullptr},          {IDC_TK_CONTENTS_GROUP, 30043, nullptr},
    {IDC_TK_SIDE1_LABEL, 30044, nullptr},           {IDC_TK_SIDE2_LABEL, 30045, nullptr},
    {IDC_TK_SIDE1_UNIT, 30057, nullptr},            {IDC_TK_SIDE2_UNIT, 30057, nullptr},
    {IDC_TK_HEIGHT_LABEL, 30031, nullptr},          {IDC_TK_HEIGHT_UNIT, 30057, nullptr},
    {IDC_TP_PRINT, 9296, nullptr},                  {IDC_TP_COPY, 20069, nullptr},
    {0, 0, nullptr},
};

constexpr int kResultLines[] = {IDC_TP_RESULT1};

void ClearResults(HWND page)
{
    TimePage_ClearLines(page, kResultLines);
}

void RecordToControls(HWND page, bool reload)
{
    ReentryGuard guard(g_tank.busy);
    if (!guard.entered())
        return;
    if (reload)
        CalcRecord_Load();
    TimePage_ShowFlags(page, kFlags);
    TimePage_ShowContents(page, IDC_TK_CONTENTS, g_tank.contents);
    RecordFloatFields_Show(page, CalcRec(), kNumbers);
}

int ControlsToRecord(HWND page, bool show)
{
    ReentryGuard guard(g_tank.busy);
    if (!guard.entered())
        return 0;
    TimePage_ReadFlags(page, kFlags);
    TimePage_ReadContents(page, IDC_TK_CONTENTS);
    int refused = RecordFloatFields_Read(page, CalcRec(), kNumbers, show);
    CalcRecord_Store(kStoreGroup);
    return refused;
}

void Enable(HWND page)
{
    ReentryGuard guard(g_tank.busy);
    if (!guard.entered())
        return;
    Dlg_RestoreChildren(page);
    for (int id = IDC_TK_CYLINDER; id <= IDC_TK_FINAL_TEMP; ++id)
        Dlg_EnableItem(page, id, true);
    for (int id : {IDC_TP_CALCULATE, IDC_TP_PRINT, IDC_TP_COPY})
        Dlg_EnableItem(page, id, true);
    if (IsCylinder(CalcRec()))
        Dlg_EnableItem(page, IDC_TK_SIDE2, false);
    TimePage_SetContentsReadOnly(page, {IDC_TK_CONTENTS_HEATCAP, IDC_TK_CONTENTS_DENSITY});
    if (!Shell_HasLayerParts())
        Dlg_DisableChildren(page);
}

int CheckLimits(HWND page, bool show)
{
    return TimePage_CheckLimits(page, kLimits, show);
}

// The old figure goes first, so that a refused calculation leaves none.
void Calculate(HWND page, bool quiet)
{
    ClearResults(page);
    CalcRecord& record = CalcRec();
    bool failed = TankCooling_Run(record) != 0;
    if (!failed) {
        uint16_t label = record.contentsTemperature > record.ambientTemperature ? 30056 : 40060;
        TimePage_SetLine(page, IDC_TP_RESULT1, TimeCalc_ResultLine(label, record.coolingTime, 1, 30064));
    }
    TimePage_ReportErrors(page, quiet, failed, IDC_TP_RESULT1);
}

// The stored heat capacity and density are shown as they are: the contents'
// own values are taken only when the user picks the contents.
void OnInitDialog(HWND page)
{
    ContentsList_Build(&CalcRec(), g_tank.contents);
    RecordToControls(page, true);
    ClearResults(page);
    Enable(page);
    Dlg_FocusItem(page, IDC_TK_SIDE1);
    Shell().helpContext = kHelpContext;
}

bool Activate(HWND page)
{
    ContentsList_Build(&CalcRec(), g_tank.contents);   // the object may have changed since the opening
    Enable(page);
    RecordToControls(page, true);
    return Shell_HasLayerParts();
}

void OnChoice(HWND page, int code)
{
    if (ControlsToRecord(page, true) != 0)
        return;
    Enable(page);
    if (code == BN_CLICKED || code == kAcceleratorCode)
        ClearResults(page);
}

// Only a new contents choice reads the fields: the list taking or losing
// the focus must not raise range messages (each one moves the focus again).
void OnContentsChosen(HWND page)
{
    if (ControlsToRecord(page, true) == 0) {
        CalcRecord& record = CalcRec();
        Contents_DefaultProperties(g_tank.contents, record.contents, &record.contentsHeatCapacity,
                                   &record.contentsDensity);
        RecordToControls(page, false);
    }
    OnChoice(page, BN_CLICKED);
}

void OnCommand(HWND page, int id, int code)
{
    switch (id) {
    case IDC_TK_CONTENTS:
        if (code == CBN_SELCHANGE)
            OnContentsChosen(page);
        return;
    case IDC_TK_CYLINDER:
    case IDC_TK_RECTANGLE:
        OnChoice(page, code);
        return;
    case IDC_TK_BOTTOM:
        if (code == BN_CLICKED || code == kAcceleratorCode)
            ClearResults(page);
        return;
    default:
        if (code == EN_CHANGE && !g_tank.busy)
            ClearResults(page);
        return;
    }
}

constexpr TimePageOps kOps = {kStoreGroup, kTranslations, OnInitDialog, OnCommand, Activate, ControlsToRecord,
                              CheckLimits, Calculate, Enable, ClearResults};

} // namespace

void VesselCoolingPage_GetPageInfo(CalcPageRecord* record)
{
    CalcPage_FillRecord(record, IDD_TANK, kTitleText, VesselCoolingPage_DlgProc);
}

INT_PTR CALLBACK VesselCoolingPage_DlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return TimePage_HandleMessage(page, message, wParam, lParam, kOps);
}
