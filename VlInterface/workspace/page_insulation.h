// The insulation calculation page: its state beside the calculation record
// (the product, surface and thickness lists and the layers' positions in
// them) and its operations. The page procedure is page_insulation.cpp; the
// layer choice, the run and the thickness list are files of their own.
#pragma once
#include "VlInterface/calcrecord.h"
#include "VlInterface/workspace/calctabs.h"
#include "VlInterface/workspace/insulation_run.h"
#include "VlInterface/workspace/productlist.h"
#include <windows.h>
#include <string>

// The page reads a layer's price from this up to kRecordFieldMaximum: there
// is no negative price. The user insulation editor stores no other.
constexpr float kLayerPriceMinimum = 0.0f;

// What the last thickness list request of a target case gave layer 1.
enum class TargetOutcome {
    Met,         // a candidate was taken (or no list was asked for)
    NotMet,      // no thickness of the list meets the target
    NotCosted,   // economic case: no candidate could be costed
};

struct InsulationPageState {
    ProductListEntry products[kProductListSize];
    ProductListEntry surfaces[kProductListSize];
    ProductListEntry thicknesses[kCalcLayers][kProductListSize];
    int productIndex[kCalcLayers];
    int thicknessIndex[kCalcLayers];
    TargetOutcome target;
    // Re-entry guards of filling, reading and enabling.
    bool filling, reading, enabling;
};
InsulationPageState& InsPage();

// Layer k (0-based) as the lists say: its product entry and thickness entry.
const ProductListEntry& InsPage_Product(int k);
const ProductListEntry& InsPage_Thickness(int k);
// The lists' view of the three layers, for the run.
void InsPage_LayerChoices(InsulationLayerChoices& layers);
bool InsPage_HasProduct(int k);
bool InsPage_IsUser(int k);
bool InsPage_IsOwn(int k);
bool InsPage_IsFree(int k);
// The loaded system has its three layer parts (else the page stays grey).
bool InsPage_HasLayerParts();
// A target case is chosen (any case but heat loss and surface temperature).
bool InsPage_TargetCase(const CalcRecord& record);

// The page record for the tab host (slot 2); resets the layers' positions.
void InsulationPage_GetPageInfo(CalcPageRecord* record);
INT_PTR CALLBACK InsulationPage_DlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Fills the controls first..last (inclusive).
void InsulationPage_RecordToControls(HWND page, CalcRecord& record, int first, int last);
// Reads every control into the record and stores it (group 1). Returns the
// id of the last refused field, 0 when all were accepted; with show, a
// refused field tells its range and takes the focus.
int InsulationPage_ControlsToRecord(HWND page, CalcRecord& record, bool show = true);
int InsulationPage_Enable(HWND page, CalcRecord& record);
// The codes of the chosen surface, products and thicknesses into the record.
void InsulationPage_ChoicesToCodes(CalcRecord& record);
// 0 when every tested value is acceptable, -1 otherwise.
int InsulationPage_CheckLimits(HWND page, CalcRecord& record, bool show, bool focus);
// The check before every run, quiet or asked: the target page's limits and
// this page's. A refusal clears the result lines; quietly the first says
// "not calculated", else the message names the range and the field has the
// focus. 0 or -1.
int InsulationPage_CheckInputs(HWND page, CalcRecord& record, bool quiet);
void InsulationPage_BuildLists(CalcRecord& record);
void InsulationPage_RestoreChoices(HWND page, CalcRecord& record);
void InsulationPage_ClearResults(HWND page);
// Each user insulation layer takes its type's price; one the price field
// would refuse (stored elsewhere or before) counts as no price.
void InsulationPage_SetUserInsulationPrices(CalcRecord& record);
void InsulationPage_StoreCase(CalcRecord& record);
void InsulationPage_LoadCase(CalcRecord& record);

// The run (insulation_calc.cpp): 0 done, -1 refused or failed. Results are
// marked current ("DIM1") only when they were written.
int InsulationPage_CalculateHeatLoss(HWND page, CalcRecord& record, bool quiet);
// Print (output 1) or copy (output 2) of the loaded system's report.
int InsulationPage_Print(HWND page, CalcRecord& record, int output);

// Layer choice (insulation_layers.cpp): layer 1..3, mode 1..5.
enum LayerMode : int {
    LayerMode_Rebuild = 1,
    LayerMode_ApplyThickness = 2,
    LayerMode_Dimensions = 3,
    LayerMode_Clear = 4,
    LayerMode_ResetThickness = 5,
};
int InsulationPage_UpdateLayerChoices(HWND page, CalcRecord& record, int layer, int mode, bool useStoredCode,
                                      bool resetThickness, bool preferStoredCode);
// The target cases' thickness list: 0 when a candidate was taken, -1
// otherwise. Without a candidate the layers stay as they were and the page's
// target outcome says why; the run then refuses to give results.
int InsulationPage_CalculateThicknessList(HWND page, CalcRecord& record);
// In a target case whose list gave no candidate: why there are no results
// and the target it concerns (the case with its limit, or what the costs
// lack). Both empty otherwise.
struct TargetRefusal {
    std::string reason, target;
    bool refused() const { return !reason.empty(); }
};
TargetRefusal InsulationPage_TargetRefusal(const CalcRecord& record);

// Shows the wait cursor while alive and puts the previous one back.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

// Layer k's product code as stored on its part (trailing blanks removed).
std::string InsPage_StoredCode(int k);
