// The print command: the standard print dialog chooses printer and pages,
// then printjob.cpp sends them as one job named after the report.
#include "outside/Tordoc32/printjob.h"
#include "outside/Tordoc32/viewer.h"

#include <commdlg.h>
#include <algorithm>

namespace {

// What the print dialog hands back, freed when printing is over.
struct PrinterChoice {
    PRINTDLGW dialog{};
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

void PrintFailed(HWND frame, Caption message)
{
    const Captions& captions = Viewer().captions;
    MessageBoxW(frame, Captions_Wide(captions[message]).c_str(), Captions_Wide(captions[Caption::Title]).c_str(),
                MB_OK | MB_ICONERROR);
}

JobTexts ViewerJobTexts()
{
    const Captions& captions = Viewer().captions;
    return {captions[Caption::JobName], captions[Caption::Printing], captions[Caption::PageOfPages],
            captions[Caption::Cancel]};
}

} // namespace

void Print_Report(HWND frame)
{
    ViewerGlobals& v = Viewer();
    WORD pages = static_cast<WORD>(std::min<size_t>(v.report.pages.size(), 0xFFFF));
    PrinterChoice choice;
    PRINTDLGW& dialog = choice.dialog;
    dialog.hwndOwner = frame;
    dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    dialog.nMinPage = 1;
    dialog.nMaxPage = pages;
    dialog.nFromPage = 1;
    dialog.nToPage = pages;
    if (!PrintDlgW(&dialog)) {
        // Without a printer the dialog has said so itself; cancelling is no error.
        DWORD error = CommDlgExtendedError();
        if (error && error != PDERR_NODEFAULTPRN) PrintFailed(frame, Caption::PrintDialogFailed);
        return;
    }
    size_t first = 0;
    size_t last = pages - 1;
    if (dialog.Flags & PD_PAGENUMS) {
        first = std::clamp<size_t>(dialog.nFromPage, 1, pages) - 1;
        last = std::clamp<size_t>(dialog.nToPage, first + 1, pages) - 1;
    }
    JobResult result = JobResult::Failed;
    if (dialog.hDC)
        result = PrintJob_Run(frame, PrintJob_PrinterDevice(dialog.hDC, v.report), first, last, ViewerJobTexts());
    if (result == JobResult::Failed) PrintFailed(frame, Caption::PrintFailed);
}
