// The shell dialogs that the main window opens: settings, the print dialog,
// the user insulation data editor and the weather data dialog, and the tab
// sheet that runs the print dialog's pages.
#pragma once
#include <windows.h>
#include <prsht.h>
#include <cstdint>

// Settings dialog: 1 when OK applied the choices, 2 when cancelled.
INT_PTR SettingsDlg_Show(HWND owner);

// Print dialog (selection, company footer and report fonts pages) opened at
// page startPage: 1 OK, 2 Cancel.
INT_PTR PrintDialog_Show(HWND owner, int startPage);

// Takes page out of the project's systems to print: a number that a new
// system is given starts unmarked, whatever a deleted system left.
void PrintSelection_ForgetPage(short page);

// The data editors; both answer 1 however they are closed, and tell the open
// calculation page that its data may have changed.
INT_PTR InsulationData_Show(HWND owner);
INT_PTR WeatherDlg_Run(HWND owner);

// Page codes of the print sheet.
enum : int32_t {
    SheetCode_SetActive = -200,   // the page was chosen; it may refuse
    SheetCode_KillActive = -201,  // the page is being left; it may refuse
    SheetCode_Apply = -202,       // OK was accepted, to every page
    SheetCode_Reset = -203,
    SheetCode_Help = -205,
    SheetCode_Print = 201,        // Print pressed, to the open page
    SheetCode_MarkAll = 207,      // the page's own commands, forwarded
    SheetCode_UnmarkAll = 208,
    SheetCode_Opening = 2947,     // a page is about to be created
    SheetCode_PrintAll = 2012,    // after SheetCode_Print, to every page
    SheetCode_NextPage = 40010,   // Ctrl+PgDn
    SheetCode_PrevPage = 40011,   // Ctrl+PgUp
};

// Runs the sheet described by header (owner, caption, pages, start page and
// page array; at most 10 pages): 1 OK, 2 Cancel.
INT_PTR PropSheet_Run(const PROPSHEETHEADERA* header);
// Moves to the next (SheetCode_NextPage) or previous page: 1, or -1 when
// there is none.
int PropSheet_GoToPage(int code);
// Moves a page to the tab control's display area (without resizing it).
void PropSheet_PlacePage(HWND page);
// Sends code to the open page's procedure; its message result, 0 with no page.
LRESULT PropSheet_NotifyCurrentPage(int32_t code);
// Sends code to every page's procedure in order, each with the open page
// window; the message result read after the last.
LRESULT PropSheet_NotifyAllPages(int32_t code);
// The open page window, null when none.
HWND PropSheet_OpenPage();
