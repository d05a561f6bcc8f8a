// The cooling, tank and freezing pages' shared screen steps: the dialog
// procedure frame, the page protocol, the three buttons, table-driven fields
// and limits, the contents list, result lines, error reporting and printing.
#include "VlInterface/workspace/timepage.h"
#include "VlInterface/workspace/calctabs.h"
#include "VlInterface/workspace/dlgfields.h"
#include "VlInterface/workspace/page_insulation.h"
#include "VlInterface/workspace/timecalc.h"
#include "VlInterface/workspace/timepage_ids.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/shell.h"
#include "VlPrint/vlprint.h"
#include "VlUtil/vlutil.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/dlgutil.h"
#include "support/lookups.h"
#include "support/settings.h"
#include "support/tooltips.h"

namespace {

constexpr const char* kPrintOptions = "Output\\PrintOptionFlags";
constexpr uint16_t kTextNotCalculated = 40068;
constexpr DialogTextTable kNoTooltips[] = {{0, 0, nullptr}};

float& FloatAt(CalcRecord& record, size_t offset)
{
    return *reinterpret_cast<float*>(reinterpret_cast<char*>(&record) + offset);
}

uint8_t& ByteAt(CalcRecord& record, size_t offset)
{
    return *reinterpret_cast<uint8_t*>(reinterpret_cast<char*>(&record) + offset);
}

LRESULT OnNotice(HWND page, int32_t code, const TimePageOps& ops)
{
    switch (code) {
    case CalcPage_SetActive:
        // A page shown again must not keep figures of inputs since changed.
        if (ops.activate(page))
            TimePage_Calculate(page, true, ops);
        else
            ops.clearResults(page);
        return 0;
    case CalcPage_KillActive:
        if (ops.readControls(page, true) != 0)
            return 1;   // the host keeps the page
        CalcRecord_Store(ops.storeGroup);
        return 0;
    case CalcPage_Validate:
        // Sent on every command of the main window: a range message here
        // would come back with each command its closing causes.
        return ops.readControls(page, false) == 0 ? 0 : kCalcPageInvalid;
    case CalcPage_WeatherChanged:
    case CalcPage_InsulationDataChanged:
        Project_MarkInputsEdited();
        [[fallthrough]];
    case CalcPage_SettingsChanged:
        TextAPI_TranslateDialog(Shell().textHandle, page, ops.translations);
        ops.clearResults(page);
        return 0;
    default:
        return 0;
    }
}

// Calculate, Print and Copy run only on fields that read and lie within
// their limits; the faulty field has the focus.
void OnButton(HWND page, int id, const TimePageOps& ops)
{
    if (ops.readControls(page, true) != 0)
        return;
    if (id == IDC_TP_CALCULATE) {
        TimePage_Calculate(page, false, ops);
        ops.enable(page);
    } else if (ops.checkLimits(page, true) == 0) {
        TimePage_Print(page, ops.storeGroup, id == IDC_TP_COPY);
    }
}

void OnCommand(HWND page, int id, int code, const TimePageOps& ops)
{
    if (id == IDC_TP_CALCULATE || id == IDC_TP_PRINT || id == IDC_TP_COPY) {
        if (code == BN_CLICKED)
            OnButton(page, id, ops);
        return;
    }
    CalcPage_SelectOnFocus(page, id, code);
    ops.command(page, id, code);
}

} // namespace

INT_PTR TimePage_HandleMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam, const TimePageOps& ops)
{
    Tooltip_HandleDialogMessage(page, message, wParam, lParam, Shell().textHandle, kNoTooltips);
    if (int32_t code = CalcPage_NoticeCode(message, wParam, lParam)) {
        CalcPage_Answer(page, OnNotice(page, code, ops));
        return TRUE;
    }
    switch (message) {
    case WM_INITDIALOG:
        CalcTabs_PlacePage(page);
        TextAPI_TranslateDialog(Shell().textHandle, page, ops.translations);
        ops.initDialog(page);
        return FALSE;   // the focus is set
    case WM_NOTIFY:
        return TRUE;
    case WM_COMMAND:
        if (!CalcTabs_IsBusy())
            OnCommand(page, LOWORD(wParam), HIWORD(wParam), ops);
        return TRUE;
    default:
        return FALSE;
    }
}

void TimePage_ShowFlags(HWND page, std::span<const TimePageFlag> flags)
{
    for (const TimePageFlag& flag : flags)
        Check_SetByte(page, flag.id, ByteAt(CalcRec(), flag.offset));
}

void TimePage_ReadFlags(HWND page, std::span<const TimePageFlag> flags)
{
    for (const TimePageFlag& flag : flags)
        Check_GetByte(page, flag.id, &ByteAt(CalcRec(), flag.offset));
}

int TimePage_CheckLimits(HWND page, std::span<const TimePageLimit> limits, bool show)
{
    if (!Shell_HasLayerParts())
        return 0;
    CalcRecord& record = CalcRec();
    for (const TimePageLimit& limit : limits) {
        if (limit.applies && !limit.applies(record))
            continue;
        if (InputLimits_Check(page, FloatAt(record, limit.offset), limit.key, show) != 0) {
            if (show)
                Dlg_FocusItem(page, limit.id);
            return -1;
        }
    }
    return 0;
}

void TimePage_Calculate(HWND page, bool quiet, const TimePageOps& ops)
{
    if (ops.checkLimits(page, !quiet) == 0) {
        ops.calculate(page, quiet);
        return;
    }
    ops.clearResults(page);
    if (quiet && TimeCalc_InsulationEverCalculated())
        TimePage_SetLine(page, IDC_TP_RESULT1, Shell_Text(kTextNotCalculated));
}

void TimePage_ShowContents(HWND page, int id, const ProductListEntry* list)
{
    Combo_ShowProductList(page, id, list);
    Combo_Select(page, id, nullptr, -1, CalcRec().contents);
    Combo_EnsureSelection(page, id);
}

void TimePage_ReadContents(HWND page, int id)
{
    int32_t datum = 0;
    if (Combo_GetSelection(page, id, &datum) >= 0)
        CalcRec().contents = static_cast<int16_t>(datum);
}

void TimePage_SetContentsReadOnly(HWND page, const int (&ids)[2])
{
    bool readOnly = CalcRec().contents != 0;
    for (int id : ids)
        SendDlgItemMessageW(page, id, EM_SETREADONLY, readOnly, 0);
}

void TimePage_SetLine(HWND page, int id, const std::string& text)
{
    CalcPage_ShowLine(page, id, text);
}

void TimePage_ClearLines(HWND page, std::span<const int> ids)
{
    for (int id : ids)
        Dlg_SetItemText(page, id, " ");
}

void TimePage_ReportErrors(HWND page, bool quiet, bool failed, int line)
{
    if (quiet) {
        if (failed && TimeCalc_InsulationEverCalculated())
            TimePage_SetLine(page, line, TimeCalc_FirstErrorLine());
    } else if (ErrorList_NError() > 0) {
        ErrorDialog(page);
    }
}

void TimePage_Print(HWND page, int32_t storeGroup, bool copy)
{
    CalcRecord_Store(storeGroup);
    int32_t options[kPrintOptionInts];
    TimeCalc_PrintChoices(options, copy);
    int32_t previous[kPrintOptionInts] = {};
    bool hadOptions = Settings_Read(nullptr, kPrintOptions, nullptr, previous, sizeof previous) != nullptr;
    Settings_WriteBinary(nullptr, kPrintOptions, sizeof options, options);
    Shell_PrintReport(page, copy ? VlPrintOutput_Clipboard : VlPrintOutput_Viewer, VlPrintReport_Calculation, 1);
    // Without options before, none are left behind: the print dialog then
    // offers its defaults rather than every section off.
    if (hadOptions)
        Settings_WriteBinary(nullptr, kPrintOptions, sizeof previous, previous);
    else
        Settings_DeleteValue(nullptr, kPrintOptions);
}
