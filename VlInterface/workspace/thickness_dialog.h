// The insulation thickness selection dialog: the thicknesses of layer 1's
// product that meet its target, sortable by any column, printable, and the
// chosen one stored as the layer's product code.
#pragma once
#include "VlCalculate/vlcalculate.h"
#include <windows.h>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The layer part's target as the dialog reads it, and its saved copy.
struct ThicknessDlgRecord {
    int32_t part;
    char group[3];
    char productKey[255];
    char heading[255];
    int16_t calculationCase;
    float heatLossLimit;
    float surfaceTempLimit;
};

struct ThicknessDlgState {
    ThicknessDlgRecord record, saved;
    INSULATIONTHICKNESSRESULTLIST* list;
    int count;
    std::vector<int> rows;   // list view item order: the element shown in each row
    int selectedRow;         // element index of the selected item, -1 none
    bool ascending;          // direction of the last column sort
    int widths[8];           // remembered after the first opening, 0 before
    std::array<std::vector<std::string>, 8> columnTexts;   // the texts of each column's cells
};
ThicknessDlgState& ThicknessDlg();

// Runs dialog 160 for the layer part: 1 a thickness was selected (stored as
// the part's product code, case 4), 2 cancelled, -1 for a part below 1.
INT_PTR ThicknessDlg_Show(HWND owner, int32_t part);
INT_PTR CALLBACK ThicknessDlg_Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
