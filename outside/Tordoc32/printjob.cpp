// The print job: StartDoc, the pages, EndDoc, with a small progress window
// ("Page 12 of 400", Cancel) whose messages, and the owner's painting, are
// let through between pages by the abort procedure.
#include "outside/Tordoc32/printjob.h"
#include "outside/Tordoc32/captions.h"
#include "outside/Tordoc32/paper.h"
#include "outside/Tordoc32/report.h"

#include <algorithm>

namespace {

constexpr wchar_t ProgressClassName[] = L"TordocPrinting";
constexpr int ProgressTextId = 1;
constexpr int Margin = 12;              // pixels around and between the parts
constexpr int SmallestWidth = 260;
constexpr int WidestName = 480;         // a longer job name ends in "..."
constexpr int ButtonWidth = 88;
constexpr int ButtonHeight = 26;

// The one job that runs at a time: its progress window and whether the user
// has cancelled it.
struct PrintJobState {
    HWND progress = nullptr;
    HWND pageText = nullptr;
    bool cancelled = false;
};

PrintJobState& Job()
{
    static PrintJobState state;
    return state;
}

HINSTANCE ThisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&Job), &module);
    return module;
}

LRESULT CALLBACK ProgressProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) Job().cancelled = true;
        return 0;
    case WM_CLOSE:
        Job().cancelled = true;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HFONT MessageFont()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

SIZE TextSize(HWND window, HFONT font, const std::wstring& text)
{
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return size;
}

HWND Child(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style, int id, HFONT font)
{
    HWND child = CreateWindowExW(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ThisModule(), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

// The progress window of one job, centred on its owner; the owner is
// disabled while it shows.
class ProgressWindow {
public:
    ProgressWindow(HWND owner, const JobTexts& texts) : owner_(owner), font_(MessageFont())
    {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = ProgressProc;
        wc.hInstance = ThisModule();
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = ProgressClassName;
        RegisterClassExW(&wc);
        Job() = PrintJobState{};
        HWND window = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, ProgressClassName,
                                      Captions_Wide(texts.caption).c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                      0, 0, 0, 0, owner, nullptr, ThisModule(), nullptr);
        if (!window) return;
        Job().progress = window;
        std::wstring name = Captions_Wide(texts.name);
        HWND nameText = Child(window, L"STATIC", name, SS_CENTER | SS_NOPREFIX | SS_ENDELLIPSIS, 0, font_);
        Job().pageText = Child(window, L"STATIC", L"", SS_CENTER | SS_NOPREFIX, ProgressTextId, font_);
        HWND cancel = Child(window, L"BUTTON", Captions_Wide(texts.cancel), BS_DEFPUSHBUTTON | WS_TABSTOP, IDCANCEL,
                            font_);
        Layout(window, nameText, cancel, name, texts);
        if (owner_) {
            ownerWasEnabled_ = IsWindowEnabled(owner_) != FALSE;
            EnableWindow(owner_, FALSE);
        }
        ShowWindow(window, SW_SHOW);
        SetFocus(cancel);
        UpdateWindow(window);
    }
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;
    // The owner comes back before the window goes, so that it is the one activated.
    ~ProgressWindow()
    {
        if (owner_ && ownerWasEnabled_) EnableWindow(owner_, TRUE);
        if (Job().progress) DestroyWindow(Job().progress);
        Job().progress = Job().pageText = nullptr;
        DeleteObject(font_);
    }

private:
    void Layout(HWND window, HWND nameText, HWND cancel, const std::wstring& name, const JobTexts& texts)
    {
        SIZE nameSize = TextSize(window, font_, name);
        SIZE pageSize = TextSize(window, font_, Captions_Wide(Captions_Fill(texts.pageOfPages, {"8888", "8888"})));
        int width = std::max({SmallestWidth, std::min<int>(nameSize.cx, WidestName), static_cast<int>(pageSize.cx)});
        int line = std::max(nameSize.cy, pageSize.cy);
        MoveWindow(nameText, Margin, Margin, width, line, FALSE);
        MoveWindow(Job().pageText, Margin, Margin + line + Margin / 2, width, line, FALSE);
        int buttonTop = Margin + 2 * line + Margin / 2 + Margin;
        MoveWindow(cancel, Margin + (width - ButtonWidth) / 2, buttonTop, ButtonWidth, ButtonHeight, FALSE);
        RECT frame{0, 0, width + 2 * Margin, buttonTop + ButtonHeight + Margin};
        AdjustWindowRectEx(&frame, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
        int frameWidth = frame.right - frame.left;
        int frameHeight = frame.bottom - frame.top;
        RECT around{};
        if (!owner_ || !GetWindowRect(owner_, &around)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
        MoveWindow(window, around.left + (around.right - around.left - frameWidth) / 2,
                   around.top + (around.bottom - around.top - frameHeight) / 2, frameWidth, frameHeight, FALSE);
    }

    HWND owner_;
    HFONT font_;
    bool ownerWasEnabled_ = false;
};

// Ends a job that did not come to its end: nothing more reaches the printer.
JobResult Abandon(const JobDevice& device)
{
    device.abortDoc();
    return Job().cancelled ? JobResult::Cancelled : JobResult::Failed;
}

} // namespace

BOOL CALLBACK PrintJob_AbortProc(HDC, int)
{
    MSG msg;
    while (!Job().cancelled && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));     // for the caller's own loop
            Job().cancelled = true;
            break;
        }
        if (Job().progress && IsDialogMessageW(Job().progress, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return !Job().cancelled;
}

JobResult PrintJob_Run(HWND owner, const JobDevice& device, size_t first, size_t last, const JobTexts& texts)
{
    ProgressWindow progress(owner, texts);
    if (!device.startDoc(Captions_Wide(texts.name))) return JobResult::Failed;
    size_t total = last - first + 1;
    for (size_t page = first; page <= last; ++page) {
        std::string counted = Captions_Fill(texts.pageOfPages, {std::to_string(page - first + 1), std::to_string(total)});
        SetWindowTextW(Job().pageText, Captions_Wide(counted).c_str());
        if (!PrintJob_AbortProc(nullptr, 0) || !device.printPage(page)) return Abandon(device);
    }
    if (!PrintJob_AbortProc(nullptr, 0)) return Abandon(device);
    return device.endDoc() ? JobResult::Printed : Abandon(device);
}

JobDevice PrintJob_PrinterDevice(HDC printer, const Report& report)
{
    RECT placed = Paper_ReportRect(Paper_Metrics(printer));
    JobDevice device;
    device.startDoc = [printer](const std::wstring& name) {
        SetAbortProc(printer, PrintJob_AbortProc);
        DOCINFOW document{};
        document.cbSize = sizeof document;
        document.lpszDocName = name.c_str();
        return StartDocW(printer, &document) > 0;
    };
    device.printPage = [printer, &report, placed](size_t page) {
        if (StartPage(printer) <= 0) return false;
        Report_PlayPage(report, printer, page, placed);
        return EndPage(printer) > 0;
    };
    device.endDoc = [printer] { return EndDoc(printer) > 0; };
    device.abortDoc = [printer] { AbortDoc(printer); };
    return device;
}
