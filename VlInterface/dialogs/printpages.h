// The three pages of the print dialog: each fills its page record for the
// sheet (and loads its own data record), and has its dialog procedure.
#pragma once
#include <windows.h>
#include <prsht.h>
#include <cstdint>

struct DialogTextTable;

void PrintSelPage_GetPageInfo(PROPSHEETPAGEA* page);
INT_PTR CALLBACK PrintSelPage_DlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

void FooterPage_GetPageInfo(PROPSHEETPAGEA* page);
INT_PTR CALLBACK FooterPage_DlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

void FontsPage_GetPageInfo(PROPSHEETPAGEA* page);
INT_PTR CALLBACK FontsPage_DlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The page record every page fills: template, title text and procedure.
void PrintPage_Fill(PROPSHEETPAGEA* page, int templateId, uint16_t titleText, DLGPROC procedure);

// The page protocol's code of a WM_NOTIFY sent by the sheet (wParam 0), or 0
// for any other WM_NOTIFY.
int32_t PrintPage_Code(WPARAM wParam, LPARAM lParam);

// What a page does on the sheet's common codes: read its controls into its
// record (may be null), store the record, its help context; and how it is
// shown: its texts and what it fills in itself (may be null).
struct PrintPageHandlers {
    void (*read)(HWND page);
    void (*save)();
    uint32_t helpContext;
    const DialogTextTable* texts;
    void (*show)(HWND page);
};

// The messages every page answers alike: its creation (its help context
// becomes the module's, it is placed in the sheet and translated, then it
// shows its record), the sheet's codes (PrintPage_OnNotify), owner-draw
// requests (answered, nothing drawn) and an edit control gaining the focus
// (its whole text selected). FALSE for other messages.
INT_PTR PrintPage_OnMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam,
                            const PrintPageHandlers& handlers);

// The project has changed: marked, and shown in the title.
void PrintPage_MarkProjectChanged();

// Answers the codes every page shares: leaving (-201: reads and stores,
// never refuses), OK (-202: stores), entering (-200), Cancel (-203), Help
// (-205), Print (201: reads and stores) and the page keys. FALSE for others.
INT_PTR PrintPage_OnNotify(HWND page, int32_t code, const PrintPageHandlers& handlers);
