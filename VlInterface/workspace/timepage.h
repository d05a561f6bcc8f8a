// What the cooling, tank and freezing pages share on screen: their message
// handling and page protocol, the Calculate, Print and Copy buttons, the
// tables of number fields, flags and limits that their fill, read and check
// steps walk, the contents list and the result lines. Each page brings its
// own steps in a TimePageOps record.
#pragma once
#include <windows.h>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include "VlInterface/workspace/productlist.h"

struct CalcRecord;
struct DialogTextTable;

// One page's own steps.
struct TimePageOps {
    int32_t storeGroup;                      // of CalcRecord_Store
    const DialogTextTable* translations;
    void (*initDialog)(HWND page);
    void (*command)(HWND page, int id, int code);   // besides the three buttons
    bool (*activate)(HWND page);             // the page is shown again; true: calculate quietly
    int (*readControls)(HWND page, bool show);   // non-zero when a field was refused
    int (*checkLimits)(HWND page, bool show);    // 0, or -1 (shown: with the message and the focus)
    void (*calculate)(HWND page, bool quiet);
    void (*enable)(HWND page);
    void (*clearResults)(HWND page);
};

// The whole dialog procedure of a page: tooltips, the host's notices,
// WM_INITDIALOG, the buttons and the page's own commands (not while the
// host creates or destroys a page).
INT_PTR TimePage_HandleMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam, const TimePageOps& ops);

// A byte flag of the record shown as a radio button or check box.
struct TimePageFlag {
    int id;
    size_t offset;
};
// A limit test of a float field; applies null for always.
struct TimePageLimit {
    bool (*applies)(const CalcRecord& record);
    size_t offset;
    const char* key;
    int id;
};

void TimePage_ShowFlags(HWND page, std::span<const TimePageFlag> flags);
void TimePage_ReadFlags(HWND page, std::span<const TimePageFlag> flags);
// 0 when every applying value lies within its limits (or the system has no
// layers); else -1, when shown after the message and with the focus on the
// first failure.
int TimePage_CheckLimits(HWND page, std::span<const TimePageLimit> limits, bool show);

// Every calculation, quiet or asked, first tests the page's limits: a value
// outside them leaves no figure (quietly the first line says "not
// calculated" once the insulation has results).
void TimePage_Calculate(HWND page, bool quiet, const TimePageOps& ops);

// The contents list: filled, the record's contents selected (else the
// first entry); read back as the record's contents.
void TimePage_ShowContents(HWND page, int id, const ProductListEntry* list);
void TimePage_ReadContents(HWND page, int id);
// The contents fields are typed in only for the free entry.
void TimePage_SetContentsReadOnly(HWND page, const int (&ids)[2]);

// Result lines: set, or blanked (one blank each).
void TimePage_SetLine(HWND page, int id, const std::string& text);
void TimePage_ClearLines(HWND page, std::span<const int> ids);

// After a calculation: a quiet one that failed shows its first error in
// line, unless the system's insulation was never calculated (nothing was
// asked for yet); one that is not quiet shows the error dialog when there
// are errors.
void TimePage_ReportErrors(HWND page, bool quiet, bool failed, int line);

// Print (copy: to the clipboard) of the loaded system from a calculation
// page, after storing its group: the report sections of TimeCalc_PrintChoices
// for this one print; "Output\PrintOptionFlags" is what it was afterwards.
void TimePage_Print(HWND page, int32_t storeGroup, bool copy);
