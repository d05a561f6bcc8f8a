// The print command: the standard print dialog chooses printer and pages,
// then each page is played onto the printer where paper.h places it.
#include "outside/Tordoc32/paper.h"
#include "outside/Tordoc32/viewer.h"

#include <commdlg.h>
#include <algorithm>

namespace {

// What the print dialog hands back, freed when printing is over.
struct PrinterChoice {
    PRINTDLGA dialog{};
    PrinterChoice() { dialog.lStructSize = sizeof dialog; }
    PrinterChoice(const PrinterChoice&) = delete;
    PrinterChoice& operator=(const PrinterChoice&) = delete;
    ~PrinterChoice()
    {
        if (dialog.hDC) DeleteDC(dialog.hDC);
        if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
        if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
    }
};

void PrintFailed(HWND frame, const char* text)
{
    Viewer_MessageBox(frame, text, Viewer().captions[Caption::Title], MB_OK | MB_ICONERROR);
}

// Prints pages [first, last] (0-based); false when the printer refused.
bool PrintPages(HDC printer, size_t first, size_t last)
{
    ViewerGlobals& v = Viewer();
    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = v.captions[Caption::Title];
    if (StartDocA(printer, &document) <= 0) return false;
    RECT paper = Paper_ReportRect(Paper_Metrics(printer));
    for (size_t page = first; page <= last; ++page) {
        if (StartPage(printer) <= 0) {
            AbortDoc(printer);
            return false;
        }
        Report_PlayPage(v.report, printer, page, paper);
        if (EndPage(printer) <= 0) {
            AbortDoc(printer);
            return false;
        }
    }
    return EndDoc(printer) > 0;
}

} // namespace

void Print_Report(HWND frame)
{
    ViewerGlobals& v = Viewer();
    WORD pages = static_cast<WORD>(std::min<size_t>(v.report.pages.size(), 0xFFFF));
    PrinterChoice choice;
    PRINTDLGA& dialog = choice.dialog;
    dialog.hwndOwner = frame;
    dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    dialog.nMinPage = 1;
    dialog.nMaxPage = pages;
    dialog.nFromPage = 1;
    dialog.nToPage = pages;
    if (!PrintDlgA(&dialog)) {
        // Without a printer the dialog has said so itself; cancelling is no error.
        DWORD error = CommDlgExtendedError();
        if (error && error != PDERR_NODEFAULTPRN) PrintFailed(frame, "The print dialog cannot be shown.");
        return;
    }
    size_t first = 0;
    size_t last = pages - 1;
    if (dialog.Flags & PD_PAGENUMS) {
        first = std::clamp<size_t>(dialog.nFromPage, 1, pages) - 1;
        last = std::clamp<size_t>(dialog.nToPage, first + 1, pages) - 1;
    }
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    bool printed = dialog.hDC && PrintPages(dialog.hDC, first, last);
    SetCursor(previous);
    if (!printed) PrintFailed(frame, "The report could not be printed.");
}
