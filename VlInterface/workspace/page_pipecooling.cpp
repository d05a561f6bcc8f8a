// The pipe cooling page: shows and reads the cooling inputs of the
// calculation record (store group 2), enables the fields of the cooling case
// and the way the flow is given, and shows the results of the calculation
// in pipecooling_calc.cpp. Frame, buttons and printing: timepage.cpp.
#include "VlInterface/workspace/page_pipecooling.h"
#include "VlInterface/workspace/calcdata.h"
#include "VlInterface/workspace/dlgfields.h"
#include "VlInterface/workspace/pipecooling_calc.h"
#include "VlInterface/workspace/timecalc.h"
#include "VlInterface/workspace/timepage.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/dlgutil.h"
#include "support/numfield.h"
#include <cmath>
#include <cstddef>

namespace {

constexpr uint16_t kTitleText = 30021;
constexpr int kHelpContext = 6;
constexpr float kAnyValue = -999999.0f;
constexpr float kShortestPipe = 0.01f;
constexpr int32_t kStoreGroup = 2;
constexpr int kAcceleratorCode = 1;   // WM_COMMAND from a keyboard accelerator

struct PipeCoolingState {
    bool busy = false;   // showing, reading or enabling: the page's notices are its own
    ProductListEntry contents[kProductListSize] = {};
    PipeCoolingResult result;
} g_pipe;

// Flows are small numbers: one of 0.0001 m³/s is shown as itself, not as 0.000.
constexpr short kFlowDecimals = 3, kFlowMostDecimals = 7;
constexpr RecordFloatField kNumbers[] = {
    {IDC_PC_CONTENTS_HEATCAP, offsetof(CalcRecord, contentsHeatCapacity), 2, kAnyValue, "COOLINGCONTSPECHEATCAP"},
    {IDC_PC_CONTENTS_DENSITY, offsetof(CalcRecord, contentsDensity), 2, kAnyValue, "COOLINGCONTENTSDENSITY"},
    {IDC_PC_MASS_FLOW, offsetof(CalcRecord, flowValues), kFlowDecimals, kAnyValue, "COOLINGMASSFLOWRATE_KGS",
     kFlowMostDecimals},
    {IDC_PC_VOLUME_FLOW, offsetof(CalcRecord, flowValues) + sizeof(float), kFlowDecimals, kAnyValue,
     "COOLINGVOLFLOWRATE_M3S", kFlowMostDecimals},
    {IDC_PC_VELOCITY, offsetof(CalcRecord, flowValues) + 2 * sizeof(float), kFlowDecimals, kAnyValue,
     "COOLINGFLOWVELOCITY_MS", kFlowMostDecimals},
    {IDC_PC_PIPE_HEATCAP, offsetof(CalcRecord, pipeHeatCapacity), 2, kAnyValue},
    {IDC_PC_PIPE_DENSITY, offsetof(CalcRecord, pipeDensity), 2, kAnyValue},
    {IDC_PC_FINAL_TEMP, offsetof(CalcRecord, finalTemperature), 2, kAnyValue},
    // A new system has no length yet: 0 may rest on the page (leaving it or
    // choosing the contents must not be refused), but nothing is calculated
    // on it (CheckLimits).
    {IDC_PC_LENGTH, offsetof(CalcRecord, pipeLength), 2, 0.0f},
};

constexpr TimePageFlag kFlags[] = {
    {IDC_PC_BY_MASS, offsetof(CalcRecord, flowFlags)},
    {IDC_PC_BY_VOLUME, offsetof(CalcRecord, flowFlags) + 1},
    {IDC_PC_BY_VELOCITY, offsetof(CalcRecord, flowFlags) + 2},
    {IDC_PC_FLOWING, offsetof(CalcRecord, coolingCaseFlags)},
    {IDC_PC_STATIONARY, offsetof(CalcRecord, coolingCaseFlags) + 1},
};

bool Flowing(const CalcRecord& record)
{
    return record.coolingCaseFlags[1] == 0;
}
bool FlowingByVolumeOrVelocity(const CalcRecord& record)
{
    return Flowing(record) && record.flowFlags[0] == 0;
}
bool FlowingByMass(const CalcRecord& record)
{
    return Flowing(record) && record.flowFlags[0] != 0;
}
bool FlowingByVolume(const CalcRecord& record)
{
    return Flowing(record) && record.flowFlags[1] != 0;
}
bool FlowingByVelocity(const CalcRecord& record)
{
    return Flowing(record) && record.flowFlags[2] != 0;
}

// The flow of a stationary liquid is not tested: its fields are disabled
// and take no part in the calculation.
constexpr TimePageLimit kLimits[] = {
    {nullptr, offsetof(CalcRecord, contentsHeatCapacity), "COOLINGCONTSPECHEATCAP", IDC_PC_CONTENTS_HEATCAP},
    {FlowingByVolumeOrVelocity, offsetof(CalcRecord, contentsDensity), "COOLINGCONTENTSDENSITY",
     IDC_PC_CONTENTS_DENSITY},
    {FlowingByMass, offsetof(CalcRecord, flowValues), "COOLINGMASSFLOWRATE_KGS", IDC_PC_MASS_FLOW},
    {FlowingByVolume, offsetof(CalcRecord, flowValues) + sizeof(float), "COOLINGVOLFLOWRATE_M3S",
     IDC_PC_VOLUME_FLOW},
    {FlowingByVelocity, offsetof(CalcRecord, flowValues) + 2 * sizeof(float), "COOLINGFLOWVELOCITY_MS",
     IDC_PC_VELOCITY},
};

constexpr DialogTextTable kTranslations[] = {
    {IDC_PC_CONTENTS_LABEL, 30043, nullptr},        {IDC_PC_CONTENTS_HEATCAP_LABEL, 40000, nullptr},
    {IDC_PC_CONTENTS_DENSITY_LABEL, 40001, nullptr}, {IDC_PC_BY_MASS, 30050, nullptr},
    {IDC_PC_BY_VOLUME, 30051, nullptr},             {IDC_PC_BY_VELOCITY, 30052, nullptr},
    {IDC_PC_PIPE_HEATCAP_LABEL, 40011, nullptr},    {IDC_PC_PIPE_DENSITY_LABEL, 40012, nullptr},
    {IDC_PC_FINAL_TEMP_LABEL, 30055, nullptr},      {IDC_PC_LENGTH_LABEL, 40082, nullptr},
    {IDC_PC_FLOWING, 40030, nullptr},               {IDC_PC_STATIONARY, 40031, nullptr},
    {IDC_PC_CONTENTS_HEATCAP_UNIT, 30060, nullptr}, {IDC_PC_CONTENTS_DENSITY_UNIT, 30061, nullptr},
    {IDC_PC_PIPE_HEATCAP_UNIT, 30060, nullptr},     {IDC_PC_PIPE_DENSITY_UNIT, 30061, nullptr},
    {IDC_PC_FINAL_TEMP_UNIT, 30039, nullptr},       {IDC_PC_LENGTH_UNIT, 30057, nullptr},
    {IDC_PC_MASS_FLOW_UNIT, 30062, nullptr},        {IDC_PC_VOLUME_FLOW_UNIT, 30063, nullptr},
    {IDC_PC_VELOCITY_UNIT, 30041, nullptr},         {IDC_TP_CALCULATE, 40002, nullptr},
    {IDC_TP_PRINT, 9296, nullptr},                  {IDC_TP_COPY, 20069, nullptr},
    {IDC_PC_RESULTS_GROUP, 40003, nullptr},         {0, 0, nullptr},
};

constexpr int kResultLines[] = {IDC_TP_RESULT1, IDC_TP_RESULT2};

void ClearResults(HWND page)
{
    TimePage_ClearLines(page, kResultLines);
}

void RecordToControls(HWND page, bool reload)
{
    ReentryGuard guard(g_pipe.busy);
    if (!guard.entered())
        return;
    if (reload)
        CalcRecord_Load();
    TimePage_ShowContents(page, IDC_PC_CONTENTS, g_pipe.contents);
    RecordFloatFields_Show(page, CalcRec(), kNumbers);
    TimePage_ShowFlags(page, kFlags);
}

int ControlsToRecord(HWND page, bool show)
{
    ReentryGuard guard(g_pipe.busy);
    if (!guard.entered())
        return 0;
    TimePage_ReadContents(page, IDC_PC_CONTENTS);
    int refused = RecordFloatFields_Read(page, CalcRec(), kNumbers, show);
    TimePage_ReadFlags(page, kFlags);
    CalcRecord_Store(kStoreGroup);
    return refused;
}

void SetContentsProperties()
{
    CalcRecord& record = CalcRec();
    Contents_DefaultProperties(g_pipe.contents, record.contents, &record.contentsHeatCapacity,
                               &record.contentsDensity);
}

// The fields the cooling case and the way the flow is given leave disabled.
void DisableUnused(HWND page, const CalcRecord& record)
{
    static constexpr int kPipeFields[] = {IDC_PC_PIPE_HEATCAP, IDC_PC_PIPE_DENSITY, IDC_PC_FINAL_TEMP};
    static constexpr int kFlowInputs[][3] = {
        {IDC_PC_CONTENTS_DENSITY, IDC_PC_VOLUME_FLOW, IDC_PC_VELOCITY},
        {IDC_PC_MASS_FLOW, IDC_PC_VELOCITY, 0},
        {IDC_PC_MASS_FLOW, IDC_PC_VOLUME_FLOW, 0},
    };
    if (!Flowing(record)) {
        for (int id = IDC_PC_BY_MASS; id <= IDC_PC_VELOCITY; ++id)
            Dlg_EnableItem(page, id, false);
        return;
    }
    for (int id : kPipeFields)
        Dlg_EnableItem(page, id, false);
    for (int flow = 0; flow < 3; ++flow) {
        if (!record.flowFlags[flow])
            continue;
        for (int id : kFlowInputs[flow])
            if (id)
                Dlg_EnableItem(page, id, false);
    }
}

void Enable(HWND page)
{
    ReentryGuard guard(g_pipe.busy);
    if (!guard.entered())
        return;
    Dlg_RestoreChildren(page);
    for (int id = IDC_PC_CONTENTS; id <= IDC_PC_LENGTH; ++id)
        Dlg_EnableItem(page, id, true);
    for (int id : {IDC_TP_CALCULATE, IDC_TP_PRINT, IDC_TP_COPY})
        Dlg_EnableItem(page, id, true);
    TimePage_SetContentsReadOnly(page, {IDC_PC_CONTENTS_HEATCAP, IDC_PC_CONTENTS_DENSITY});
    DisableUnused(page, CalcRec());
    if (!Shell_HasLayerParts())
        Dlg_DisableChildren(page);
}

int CheckLimits(HWND page, bool show)
{
    if (TimePage_CheckLimits(page, kLimits, show) != 0)
        return -1;
    float length = 0;
    if (Shell_HasLayerParts() &&
        Field_GetFloat(page, IDC_PC_LENGTH, &length, kShortestPipe, -kAnyValue, show ? 1 : 0) != 0)
        return -1;
    return 0;
}

void ShowResults(HWND page, const CalcRecord& record, const PipeCoolingResult& result)
{
    if (Flowing(record)) {
        TimePage_SetLine(page, IDC_TP_RESULT1, TimeCalc_ResultLine(40025, result.temperatureChange, 3, 30039));
        TimePage_SetLine(page, IDC_TP_RESULT2, TimeCalc_ResultLine(30055, result.outletTemperature, 3, 30039));
        return;
    }
    uint16_t label = record.contentsTemperature > record.ambientTemperature ? 40027 : 40059;
    TimePage_SetLine(page, IDC_TP_RESULT2, TimeCalc_ResultLine(label, std::fabs(result.coolingTime), 1, 30064));
}

// The old figures go first, so that a refused calculation leaves none.
void Calculate(HWND page, bool quiet)
{
    ClearResults(page);
    bool failed = PipeCooling_Run(CalcRec(), &g_pipe.result) != 0;
    if (!failed)
        ShowResults(page, CalcRec(), g_pipe.result);
    TimePage_ReportErrors(page, quiet, failed, IDC_TP_RESULT1);
}

// Shows the stored inputs with the contents' own properties; the contents
// follow the object, which may have changed since the page opened.
void ShowRecord(HWND page)
{
    ContentsList_Build(&CalcRec(), g_pipe.contents);
    RecordToControls(page, true);
    SetContentsProperties();
    RecordToControls(page, false);
}

void OnInitDialog(HWND page)
{
    ShowRecord(page);
    ClearResults(page);
    Enable(page);
    Dlg_FocusItem(page, IDC_PC_CONTENTS);
    Shell().helpContext = kHelpContext;
}

bool Activate(HWND page)
{
    Enable(page);
    ShowRecord(page);
    return Shell_HasLayerParts();
}

void OnChoice(HWND page)
{
    if (ControlsToRecord(page, true) != 0)
        return;
    Enable(page);
    ClearResults(page);
}

void OnCommand(HWND page, int id, int code)
{
    switch (id) {
    case IDC_PC_CONTENTS:
        if (code != CBN_SELCHANGE)
            return;
        if (ControlsToRecord(page, true) == 0) {
            SetContentsProperties();
            RecordToControls(page, false);
        }
        OnChoice(page);
        return;
    case IDC_PC_BY_MASS:
    case IDC_PC_BY_VOLUME:
    case IDC_PC_BY_VELOCITY:
    case IDC_PC_FLOWING:
    case IDC_PC_STATIONARY:
        if (code == BN_CLICKED || code == kAcceleratorCode)
            OnChoice(page);
        return;
    default:
        if (code == EN_CHANGE && !g_pipe.busy)
            ClearResults(page);
        return;
    }
}

constexpr TimePageOps kOps = {kStoreGroup, kTranslations, OnInitDialog, OnCommand, Activate, ControlsToRecord,
                              CheckLimits, Calculate, Enable, ClearResults};

} // namespace

void PipeCoolingPage_GetPageInfo(CalcPageRecord* record)
{
    CalcPage_FillRecord(record, IDD_PIPECOOLING, kTitleText, PipeCoolingPage_DlgProc);
}

INT_PTR CALLBACK PipeCoolingPage_DlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return TimePage_HandleMessage(page, message, wParam, lParam, kOps);
}
