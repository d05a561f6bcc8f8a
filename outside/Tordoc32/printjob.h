// One print job of the viewer: its pages sent one by one while a progress
// window counts them and offers Cancel. The device's steps are handed in, a
// printer DC's in the viewer, so that the job runs the same on any device.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

struct Report;

// The steps of a print job on its device; each says whether it worked.
struct JobDevice {
    std::function<bool(const std::wstring& name)> startDoc;
    std::function<bool(size_t page)> printPage;     // the whole page: start, play, end
    std::function<bool()> endDoc;
    std::function<void()> abortDoc;
};

// Texts of the job, UTF-8, in the interface language.
struct JobTexts {
    std::string name;           // the job's name in the print queue
    std::string caption;        // the progress window's caption
    std::string pageOfPages;    // "Page %d of %d"
    std::string cancel;
};

enum class JobResult { Printed, Cancelled, Failed };

// Sends pages [first, last] (0-based) as one job. A progress window owned by
// `owner` shows the page being sent; `owner` is disabled meanwhile and its
// messages keep flowing between pages (it keeps painting). Cancel, Esc or
// closing the progress window ends the job before the next page: AbortDoc,
// nothing more is sent. A step that fails ends the job the same way.
JobResult PrintJob_Run(HWND owner, const JobDevice& device, size_t first, size_t last, const JobTexts& texts);

// The abort procedure of the job's printer DC: lets waiting messages through;
// FALSE once the user has cancelled.
BOOL CALLBACK PrintJob_AbortProc(HDC dc, int error);

// The steps on a printer DC: the job named by StartDocW, each page placed
// inside the printable area (paper.h), the abort procedure set.
JobDevice PrintJob_PrinterDevice(HDC printer, const Report& report);
