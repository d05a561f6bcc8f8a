// The annual costs dialog. Inputs and results live in the dialog's record
// until OK: editing an input only blanks the shown results, Calculate works
// on the record, and Cancel leaves the project as it was.
#include "VlInterface/workspace/annual_costs.h"
#include "VlInterface/workspace/annual_costs_ids.h"
#include "VlInterface/workspace/dlgfields.h"
#include "VlInterface/workspace/page_insulation.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlUtil/vlutil.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include "resultstamps/resultstamps.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/app.h"
#include "support/dlgutil.h"
#include "support/help.h"
#include "support/lookups.h"
#include "support/numfield.h"
#include "support/tooltips.h"
#include <cstdio>
#include <string>

namespace {

constexpr uint32_t kHelpContextCosts = 12;
constexpr uint16_t kTextAllPrices = 40083, kTextPricesMissing = 40084, kTextNotCalculated = 40068;
constexpr const char* kLimitKeys[kEconomicInputs] = {"ANNUALPRICEINCREASEENERGY", "ECONOMICUSEFULLIFE_A",
                                                     "PRICETHERMALENERGY", "ANNUALOPERATINGTIME_HA",
                                                     "RATEOFINTEREST"};

// Each row is labelled with what its field holds (attributes 1359..1363 in
// fields 101..105), with the unit of that quantity.
const DialogTextTable kDialogTexts[] = {
    {0, 30074, nullptr},   {601, 30077, nullptr}, {701, 30040, nullptr}, {602, 30078, nullptr},
    {702, 30087, nullptr}, {603, 30079, nullptr}, {604, 30080, nullptr}, {704, 30086, nullptr},
    {605, 30081, nullptr}, {705, 30040, nullptr}, {606, 40003, nullptr}, {201, 40002, nullptr},
    {1, 9266, nullptr},    {2, 9041, nullptr},    {9, 9188, nullptr},    {0, 0, nullptr},
};
const DialogTextTable kNoTooltips[] = {{0, 0, nullptr}};
// Any float reads; the limits test comes after.
constexpr float kReadLimit = 3.4e38f;

long UnitKind()
{
    return Kadmi_GetIntAtt(kCalcObjectSystem, Att_ObjectKind) == Kind_Plane ? 2 : 1;
}

void ShowInputs(HWND dialog)
{
    AnnualCostsState& s = AnnualCosts();
    ReentryGuard guard(s.filling);
    if (!guard.entered())
        return;
    for (int i = 0; i < kEconomicInputs; ++i)
        Field_SetFloatOrBlank(dialog, IDC_COST_INPUT1 + i, s.inputs.values[i], 0, 2);
}

void ClearResults(HWND dialog)
{
    for (int i = 0; i < 3; ++i)
        Dlg_SetItemText(dialog, IDC_COST_RESULT1 + i, " ");
}

std::string CostLine(uint16_t label, float value)
{
    std::string text = Shell_Text(label);
    long unit = Price_CurrencyUnitTextId(short(UnitKind()));
    char line[256];
    std::snprintf(line, sizeof(line), "%s: %.2f %s", text.c_str(), double(value),
                  unit ? Shell_Text(uint16_t(unit)) : "");
    return line;
}

void ShowResults(HWND dialog)
{
    const AnnualCostsState& s = AnnualCosts();
    if (!s.costs) {
        // Refused: the error dialog says why; no figure stands for a cost.
        const uint16_t labels[] = {30082, 30083, 30084};
        for (int i = 0; i < 3; ++i) {
            std::string line = std::string(Shell_Text(labels[i])) + ": " + Shell_Text(kTextNotCalculated);
            Dlg_SetItemText(dialog, IDC_COST_RESULT1 + i, line.c_str());
        }
        return;
    }
    std::string investment = CostLine(30082, s.costs->capitalCost) + " (" +
                             Shell_Text(s.missing == 0 ? kTextAllPrices : kTextPricesMissing) + ")";
    Dlg_SetItemText(dialog, IDC_COST_RESULT1, investment.c_str());
    Dlg_SetItemText(dialog, IDC_COST_RESULT1 + 1, CostLine(30083, s.costs->energyCost).c_str());
    Dlg_SetItemText(dialog, IDC_COST_RESULT1 + 2, CostLine(30084, s.costs->totalCost).c_str());
}

void Enable(HWND dialog)
{
    long unit = Price_CurrencyUnitTextId(3);
    Dlg_SetItemText(dialog, 703, unit ? Shell_Text(uint16_t(unit)) : "");
    Dlg_EnableItem(dialog, IDC_COST_CALCULATE, !Stamps_HeatLossStale(Stamps_OfLoadedSystem()));
}

// Reads and tests the inputs; false after focusing the first one refused.
bool ReadInputs(HWND dialog)
{
    AnnualCostsState& s = AnnualCosts();
    int refused = -1;
    for (int i = 0; i < kEconomicInputs; ++i) {
        if (Field_GetFloatOrMissing(dialog, IDC_COST_INPUT1 + i, &s.inputs.values[i], -kReadLimit, kReadLimit, 0) != 0)
            refused = i;
    }
    if (refused >= 0) {
        Field_RefuseWithLimits(dialog, IDC_COST_INPUT1 + refused, kLimitKeys[refused], -kReadLimit, kReadLimit);
        return false;
    }
    for (int i = 0; i < kEconomicInputs; ++i) {
        if (InputLimits_Check(dialog, s.inputs.values[i], kLimitKeys[i], 1) != 0) {
            Dlg_FocusItem(dialog, IDC_COST_INPUT1 + i);
            return false;
        }
    }
    return true;
}

void Calculate(HWND dialog)
{
    AnnualCostsState& s = AnnualCosts();
    ErrorList_Clear();
    short kind = 0;
    // The system's chosen product, every price required.
    std::string product = InsPage_StoredCode(0);
    bool refused = false;
    CostsOutput costs = AnnualCosts_Compute(s.inputs, true, &kind, &s.missing, {product.c_str(), true}, &refused);
    s.costs = refused ? std::nullopt : std::optional(costs);
    s.calculated = true;
    ShowResults(dialog);
    if (ErrorList_NError() > 0)
        ErrorDialog(dialog);
}

void OnInitDialog(HWND dialog)
{
    Wnd_CenterOnOwner(dialog);
    TextAPI_TranslateDialog(Shell().textHandle, dialog, kDialogTexts);
    ShowInputs(dialog);
    Enable(dialog);
    Dlg_FocusItem(dialog, IDC_COST_INPUT1);
}

void OnCommand(HWND dialog, int id, int code)
{
    if (id >= IDC_COST_INPUT1 && id < IDC_COST_INPUT1 + kEconomicInputs) {
        if (code == EN_CHANGE && !AnnualCosts().filling) {
            AnnualCosts().calculated = false;
            ClearResults(dialog);
        }
        return;
    }
    switch (id) {
    case IDOK:
        if (ReadInputs(dialog))
            EndDialog(dialog, IDOK);
        return;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return;
    case IDC_DIALOG_HELP: Help_Show(dialog, Shell().helpPath, kHelpContextCosts); return;
    case IDC_COST_CALCULATE:
        if (ReadInputs(dialog)) {
            Calculate(dialog);
            Enable(dialog);
        }
        return;
    default: return;
    }
}

void StoreInputs()
{
    const AnnualCostsState& s = AnnualCosts();
    EconomicInputs before = EconomicInputs_Load();
    bool changed = false;
    for (int i = 0; i < kEconomicInputs; ++i) {
        changed |= before.values[i] != s.inputs.values[i];
        Kadmi_SetFloatAtt(kCalcObjectSystem, short(kAttEconomicFirst + i), s.inputs.values[i]);
    }
    if (s.calculated)
        AnnualCosts_Store(s.costs, s.missing);
    else if (changed)
        AnnualCosts_Store(std::nullopt, 0);   // costs of the former inputs no longer hold
}

} // namespace

AnnualCostsState& AnnualCosts()
{
    static AnnualCostsState state{};
    return state;
}

INT_PTR AnnualCosts_Show(HWND owner)
{
    AnnualCostsState& s = AnnualCosts();
    s = AnnualCostsState{};
    s.inputs = EconomicInputs_Load();
    INT_PTR result = DialogBoxParamW(App().instance, MAKEINTRESOURCEW(IDD_ANNUAL_COSTS), owner, AnnualCosts_Proc, 0);
    if (result != IDOK)
        return IDCANCEL;
    StoreInputs();
    Kadmi_MarkAccess(kCalcObjectProject, Stamp_ProjectChanged);
    MainWnd_UpdateTitle();
    return IDOK;
}

INT_PTR CALLBACK AnnualCosts_Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    Tooltip_HandleDialogMessage(dialog, message, wParam, lParam, Shell().textHandle, kNoTooltips);
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return FALSE;
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}
