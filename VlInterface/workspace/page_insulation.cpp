// The insulation calculation page's procedure: its page record for the tab
// host, the host's notifications, and the commands of its controls, each a
// short sequence of re-reading, layer choice, enabling, filling and a quiet
// or full calculation. Fields and checks are insulation_fields.cpp's.
#include "VlInterface/workspace/page_insulation.h"
#include "VlInterface/workspace/page_insulation_ids.h"
#include "VlInterface/workspace/calcdata.h"
#include "VlInterface/workspace/thickness_dialog.h"
#include "VlInterface/workspace/timecalc.h"
#include "VlInterface/shell.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/tooltips.h"
#ifdef VL_EXTENDED
#include "VlInterface/extended/extended.h"
#include "VlInterface/extended/ids.h"
#endif
#include <cstring>

namespace {

constexpr int kAllControls = 9999;
constexpr int32_t kHelpContextInsulation = 5;
constexpr uint16_t kTextPageTitle = 30025;

const DialogTextTable kPageTexts[] = {
    {693, 40081, nullptr}, {137, 40076, nullptr}, {138, 40077, nullptr}, {706, 30097, nullptr},
    {139, 40078, nullptr}, {710, 30039, nullptr}, {140, 40079, nullptr}, {141, 40080, nullptr},
    {691, 40024, nullptr}, {619, 30070, nullptr}, {622, 40032, nullptr}, {625, 40033, nullptr},
    {628, 40035, nullptr}, {631, 40036, nullptr}, {634, 40034, nullptr}, {635, 40068, nullptr},
    {201, 40074, nullptr}, {615, 30033, nullptr}, {616, 30034, nullptr}, {203, 40002, nullptr},
    {204, 9296, nullptr},  {205, 20069, nullptr}, {692, 40003, nullptr},
#ifdef VL_EXTENDED
    {IDC_INS_TOTAL_LABEL, IDS_EXT_TOTAL_THICKNESS, nullptr}, {IDC_INS_CHEAPEST, IDS_EXT_CHEAPEST, nullptr},
    {IDC_INS_HUMIDITY_UNIT, 30040, nullptr},
#endif
    {0, 0, nullptr},
};
const DialogTextTable kNoTooltips[] = {{0, 0, nullptr}};

const ProductListEntry kPlaceholder = {0, 20017, "", "-987", ""};

CalcRecord& Rec()
{
    return CalcRec();
}

bool Reread(HWND page)
{
    return InsulationPage_ControlsToRecord(page, Rec()) == 0;
}

// The emissivity follows the layers' products, so it is shown again with them.
void Fill(HWND page, int first, int last = 144)
{
    if (first > IDC_INS_EMISSIVITY)
        InsulationPage_RecordToControls(page, Rec(), IDC_INS_EMISSIVITY, IDC_INS_EMISSIVITY);
    InsulationPage_RecordToControls(page, Rec(), first, last);
}

void Enable(HWND page)
{
    InsulationPage_Enable(page, Rec());
}

void QuietInTargetCase(HWND page)
{
    if (InsPage_TargetCase(Rec()))
        InsulationPage_CalculateHeatLoss(page, Rec(), true);
}

// Re-read, enable and the quiet check all passed.
bool ReadyForQuietRun(HWND page)
{
    if (!Reread(page))
        return false;
    Enable(page);
    return InsulationPage_CheckInputs(page, Rec(), true) == 0;
}

void OnSurfaceChosen(HWND page)
{
    if (!Reread(page))
        return;
    // The emissivity follows the surface before anything is checked.
    SurfaceMaterial_UpdateEmissivity(&Rec(), Rec().surfaceMaterialCode, InsPage().products, InsPage().productIndex);
    Fill(page, 1, kAllControls);
    if (!ReadyForQuietRun(page) || !InsPage_TargetCase(Rec()))
        return;
    InsulationPage_CalculateHeatLoss(page, Rec(), true);
    Reread(page);
    Enable(page);
    Fill(page, 1, kAllControls);
}

void OnProductChosen(HWND page, int id)
{
    if (!Reread(page))
        return;
    InsulationPage_SetUserInsulationPrices(Rec());
    InsulationPage_UpdateLayerChoices(page, Rec(), id - IDC_INS_PRODUCT1 + 1, LayerMode_Rebuild, false, true, false);
    Fill(page, id);
    if (!ReadyForQuietRun(page))
        return;
    QuietInTargetCase(page);
    Enable(page);
    Fill(page, id);
}

void OnLayerChanged(HWND page, int layer, int mode, int firstId)
{
    if (!Reread(page))
        return;
    InsulationPage_UpdateLayerChoices(page, Rec(), layer, mode, false, false, false);
    Enable(page);
    Fill(page, firstId);
}

void OnCaseChanged(HWND page, bool resultsCaseOnly)
{
    if (!Reread(page) || (resultsCaseOnly && !InsPage_TargetCase(Rec())))
        return;
    Enable(page);
    for (int layer = 1; layer <= kCalcLayers; ++layer)
        InsulationPage_UpdateLayerChoices(page, Rec(), layer, LayerMode_Rebuild, true, true, false);
    Fill(page, 1, kAllControls);
    if (!ReadyForQuietRun(page))
        return;
    QuietInTargetCase(page);
    Enable(page);
    Fill(page, 1, kAllControls);
}

void OnPriceLeft(HWND page)
{
    if (!Reread(page))
        return;
    QuietInTargetCase(page);
    Enable(page);
    Fill(page, IDC_INS_PRODUCT1);
}

void OnThicknessTable(HWND page)
{
    Reread(page);
    InsulationPage_StoreCase(Rec());
    bool taken = ThicknessDlg_Show(page, CalcRecordState().layerParts[0]) == 1;
    if (taken) {
        InsulationPage_ClearResults(page);
        std::memset(Rec().caseFlags, 0, sizeof(Rec().caseFlags));
        Rec().caseFlags[4] = 1;
        Fill(page, IDC_INS_CASE_ECONOMIC, IDC_INS_CASE_RESULTS);
        InsulationPage_UpdateLayerChoices(page, Rec(), 1, LayerMode_Rebuild, true, false, true);
    }
    InsulationPage_LoadCase(Rec());
    Enable(page);
    Fill(page, IDC_INS_PRODUCT1, IDC_INS_ALLOWED_SURFACE);
    // The prices read the layers' dimensions from the project: the ones the
    // new thickness gave the layers go there before the run.
    if (taken && Reread(page))
        InsulationPage_CalculateHeatLoss(page, Rec(), false);
}

bool ReadAndCheck(HWND page)
{
    return Reread(page) && InsulationPage_CheckLimits(page, Rec(), true, true) == 0;
}

bool IsInput(int id)
{
    return id == IDC_INS_SURFACE || id == IDC_INS_EMISSIVITY || (id >= 119 && id <= 130) || (id >= 134 && id <= 146);
}

void OnCommand(HWND page, int id, int code);

// Enter presses the default button with the focus still in a field: what
// leaving the field does (diameters becoming a thickness, a new limit
// choosing its thickness) is done first, so that a command works on what the
// fields show, whatever key or button gave it.
void SettleFocusedField(HWND page)
{
    HWND focus = GetFocus();
    char kind[8] = {};
    if (focus && GetParent(focus) == page && GetClassNameA(focus, kind, sizeof kind) && lstrcmpiA(kind, "Edit") == 0)
        OnCommand(page, GetDlgCtrlID(focus), EN_KILLFOCUS);
}

bool IsCommandButton(int id)
{
    return id == IDC_INS_CALCULATE || id == IDC_INS_PRINT || id == IDC_INS_COPY || id == IDC_INS_THICKNESS_TABLE;
}

void OnCommand(HWND page, int id, int code)
{
    if (InsPage().filling || CalcTabs_IsBusy())
        return;
    if (IsCommandButton(id) && code == BN_CLICKED)
        SettleFocusedField(page);
    if (IsInput(id) && (code == EN_CHANGE || code == CBN_SELCHANGE || code == BN_CLICKED) && Rec().caseFlags[4])
        InsulationPage_ClearResults(page);
    bool killFocus = code == EN_KILLFOCUS, selected = code == CBN_SELCHANGE;
    if (id == IDC_INS_SURFACE && selected) {
        OnSurfaceChosen(page);
    } else if (id >= 119 && id <= 121 && selected) {
        OnProductChosen(page, id);
    } else if (id >= 122 && id <= 124 && killFocus) {
        OnLayerChanged(page, id - 121, LayerMode_Dimensions, id - 3);
    } else if (id >= 125 && id <= 127 && killFocus) {
        OnLayerChanged(page, id - 124, LayerMode_Dimensions, id - 6);
    } else if (id >= 128 && id <= 130 && selected) {
        OnLayerChanged(page, id - 127, LayerMode_ApplyThickness, id - 9);
    } else if (id >= 134 && id <= 136 && killFocus) {
        OnLayerChanged(page, id - 133, LayerMode_Dimensions, id - 15);
    } else if ((id >= 137 && id <= 140) || ((id == 145 || id == 146) && killFocus)) {
        // A case button acts on any of its notifications (a click, a double
        // click, its accelerator): each only repeats the choice.
        OnCaseChanged(page, true);
    } else if (id == IDC_INS_CASE_RESULTS) {
        OnCaseChanged(page, false);
    } else if (id >= 142 && id <= 144 && killFocus) {
        OnPriceLeft(page);
    } else if (id == IDC_INS_THICKNESS_TABLE && code == BN_CLICKED) {
        OnThicknessTable(page);
#ifdef VL_EXTENDED
    } else if (id == IDC_INS_CHEAPEST && code == BN_CLICKED) {
        // The thicknesses are what the search chooses, so they are not checked first.
        if (Reread(page))
            InsulationPage_AdoptCheapest(page, Rec());
#endif
    } else if (id == IDC_INS_CALCULATE && code == BN_CLICKED) {
        // The run checks the limits itself, as the quiet ones do.
        if (Reread(page)) {
            InsulationPage_CalculateHeatLoss(page, Rec(), false);
            Enable(page);
        }
    } else if ((id == IDC_INS_PRINT || id == IDC_INS_COPY) && code == BN_CLICKED) {
        if (ReadAndCheck(page))
            InsulationPage_Print(page, Rec(), id == IDC_INS_PRINT ? 1 : 2);
    } else if (code == EN_SETFOCUS) {
        SendDlgItemMessageW(page, id, EM_SETSEL, 0, -1);
    }
}

// The codes of the entries the lists chose for the loaded system (no product
// and the user's surface for a system without any) are no edit. What choosing
// them reset (conductivities, prices: shown again by the next calculation)
// still counts against the values loaded.
void SettleChoiceCodes(const CalcRecord& loaded)
{
    CalcRecord shown = Rec();
    InsulationPage_ChoicesToCodes(shown);
    CalcRecord settled = loaded;
    std::memcpy(settled.surfaceMaterialCode, shown.surfaceMaterialCode, sizeof settled.surfaceMaterialCode);
    std::memcpy(settled.productType, shown.productType, sizeof settled.productType);
    std::memcpy(settled.productCode, shown.productCode, sizeof settled.productCode);
    std::memcpy(settled.productClass, shown.productClass, sizeof settled.productClass);
    Rec() = settled;
    CalcRecord_Settle();
    Rec() = shown;
}

void ShowLoaded(HWND page)
{
    InsulationPage_BuildLists(Rec());
    CalcRecord_Load();
    // The rest is shown once the layers' choices are restored.
    InsulationPage_RecordToControls(page, Rec(), IDC_INS_ALLOWED_HEATLOSS, kAllControls);
    const CalcRecord loaded = Rec();
    InsulationPage_RestoreChoices(page, Rec());
    Enable(page);
    SettleChoiceCodes(loaded);
}

void Reload(HWND page)
{
    WaitCursor wait;
    ShowLoaded(page);
}

void OnInitDialog(HWND page)
{
    WaitCursor wait;
    CalcTabs_PlacePage(page);
    TextAPI_TranslateDialog(Shell().textHandle, page, kPageTexts);
    ShowLoaded(page);
    SetFocus(GetDlgItem(page, IDC_INS_CASE_RESULTS));
    Shell().helpContext = kHelpContextInsulation;
}

BOOL OnNotice(HWND page, int32_t code)
{
    switch (code) {
    case CalcPage_SetActive:
        Reload(page);
        if (!TimeCalc_InsulationEverCalculated())
            return TRUE;   // no results to show again, and no reason for none
#ifdef VL_EXTENDED
        // Inputs newer than the results: shown stale, the products stay chosen.
        if (!InsulationPage_ResultsCurrent()) {
            InsulationPage_ShowStale(page);
            return TRUE;
        }
#endif
        InsulationPage_CalculateHeatLoss(page, Rec(), true);
        return TRUE;
    case CalcPage_KillActive:
        CalcPage_Answer(page, 0);
        if (!Reread(page)) {
            CalcPage_Answer(page, 1);
            return FALSE;
        }
        CalcRecord_Store(1);
        return TRUE;
    case CalcPage_Validate:
        // Sent before every command of the main window: a range message here
        // would come back with each command its closing causes.
        CalcPage_Answer(page, InsulationPage_ControlsToRecord(page, Rec(), false) == 0 ? 0 : kCalcPageInvalid);
        return TRUE;
    case CalcPage_WeatherChanged:
    case CalcPage_InsulationDataChanged:
        Project_MarkInputsEdited();
        [[fallthrough]];
    case CalcPage_SettingsChanged:
        TextAPI_TranslateDialog(Shell().textHandle, page, kPageTexts);
        Reload(page);
        return TRUE;
    case CalcPage_Apply:
    case CalcPage_MayLeave:
        CalcPage_Answer(page, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

InsulationPageState& InsPage()
{
    static InsulationPageState state;
    return state;
}

const ProductListEntry& InsPage_Product(int k)
{
    int i = InsPage().productIndex[k];
    return i >= 0 && i < kProductListSize ? InsPage().products[i] : InsPage().products[0];
}

const ProductListEntry& InsPage_Thickness(int k)
{
    int i = InsPage().thicknessIndex[k];
    return i >= 0 && i < kProductListSize && InsPage().thicknesses[k][i].code[0] ? InsPage().thicknesses[k][i]
                                                                                 : kPlaceholder;
}

void InsPage_LayerChoices(InsulationLayerChoices& layers)
{
    for (int k = 0; k < kCalcLayers; ++k)
        layers[k] = {InsPage_Product(k).code, InsPage_Product(k).recordClass, InsPage_Thickness(k).code};
}

bool InsPage_HasProduct(int k)
{
    return !ProductList_IsNoProduct(InsPage().products, InsPage().productIndex[k]);
}

bool InsPage_IsUser(int k)
{
    return ProductList_IsUserInsulation(InsPage().products, InsPage().productIndex[k]);
}

bool InsPage_IsOwn(int k)
{
    return std::strcmp(InsPage_Thickness(k).code, kCodeOwnThickness) == 0;
}

bool InsPage_IsFree(int k)
{
    return ProductClass_IsFreeThickness(InsPage_Product(k).recordClass);
}

bool InsPage_HasLayerParts()
{
    const int32_t* parts = CalcRecordState().layerParts;
    return parts[0] && parts[1] && parts[2];
}

bool InsPage_TargetCase(const CalcRecord& r)
{
    return !r.caseFlags[4];
}

std::string InsPage_StoredCode(int k)
{
    int32_t part = CalcRecordState().layerParts[k];
    const char* stored = part ? Kadmi_GetStringAtt(part, Att_ProductCode) : nullptr;
    std::string code = stored ? stored : "";
    if (code.size() > 1)
        code.erase(code.find_last_not_of(' ') + 1);
    return code;
}

void InsulationPage_GetPageInfo(CalcPageRecord* record)
{
    CalcPage_FillRecord(record, IDD_INSULATION_PAGE, kTextPageTitle, InsulationPage_DlgProc);
    for (int k = 0; k < kCalcLayers; ++k)
        InsPage().productIndex[k] = InsPage().thicknessIndex[k] = 0;
}

INT_PTR CALLBACK InsulationPage_DlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    Tooltip_HandleDialogMessage(page, message, wParam, lParam, Shell().textHandle, kNoTooltips);
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(page);
        return FALSE;
    case WM_NOTIFY:
        if (int32_t code = CalcPage_NoticeCode(message, wParam, lParam))
            return OnNotice(page, code);
        return wParam != 0;
    case WM_COMMAND:
        OnCommand(page, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}
