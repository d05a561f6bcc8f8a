// The annual costs dialog: the five economic inputs of the loaded system and
// its annual investment, energy and total cost, stored only on OK.
#pragma once
#include "VlInterface/workspace/insulation_run.h"
#include <windows.h>
#include <optional>

struct AnnualCostsState {
    EconomicInputs inputs;
    std::optional<CostsOutput> costs;   // none: the inputs gave no costs
    int missing;
    bool calculated;   // costs hold the results of the inputs as they stand
    bool filling;
};
AnnualCostsState& AnnualCosts();

// Runs dialog 149 over owner: 1 OK (inputs, and results when calculated,
// stored; the project marked changed), 2 cancelled (nothing changed).
INT_PTR AnnualCosts_Show(HWND owner);
INT_PTR CALLBACK AnnualCosts_Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
