// The viewer's frame window and its entry point tordoc_start: loads the
// report, shows toolbar, page and status bar, runs the modal loop until the
// user closes the window. Painting and printing live in their own files.
#include "outside/Tordoc32/tordoc.h"
#include "outside/Tordoc32/resource.h"
#include "outside/Tordoc32/viewer.h"

#include <commctrl.h>
#include <algorithm>
#include <string>

namespace {

constexpr int StatusPageWidth = 200;

std::string LoadErrorText(const Captions& captions, const char* metafile, ReportStatus status)
{
    Caption message = status == ReportStatus::Missing ? Caption::ReportMissing : Caption::ReportDamaged;
    return Captions_Fill(captions[message], {std::string("\"") + (metafile ? metafile : "") + "\""});
}

void ShowError(HWND owner, const Captions& captions, const std::string& text)
{
    MessageBoxW(owner, Captions_Wide(text).c_str(), Captions_Wide(captions[Caption::Title]).c_str(),
                MB_OK | MB_ICONERROR);
}

// Height of a child window as it has laid itself out.
int HeightOf(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

void Frame_Layout(int width, int height)
{
    ViewerGlobals& v = Viewer();
    if (!v.toolbar || !v.status || !v.pageView) return;
    SendMessageW(v.toolbar, TB_AUTOSIZE, 0, 0);
    SendMessageW(v.status, WM_SIZE, 0, 0);
    int statusWidths[] = {StatusPageWidth, -1};
    SendMessageW(v.status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(statusWidths));
    int top = HeightOf(v.toolbar);
    int bottom = height - HeightOf(v.status);
    MoveWindow(v.pageView, 0, top, width, std::max(0, bottom - top), TRUE);
    Frame_UpdateStatus();       // the page view has set the zoom for its size
}

bool Frame_CreateChildren(HWND frame)
{
    ViewerGlobals& v = Viewer();
    v.frame = frame;
    v.toolbar = Toolbar_Create(frame);
    v.status = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP,
                               0, 0, 0, 0, frame, reinterpret_cast<HMENU>(IDC_STATUS), v.instance, nullptr);
    v.pageView = PageView_Create(frame);
    return v.toolbar && v.status && v.pageView;
}

void Frame_GoTo(size_t page)
{
    ViewerGlobals& v = Viewer();
    if (page >= v.report.pages.size() || page == v.page) return;
    v.page = page;
    PageView_PageChanged();
    Toolbar_UpdateButtons();
    Frame_UpdateStatus();
}

void Frame_ZoomChosen()
{
    ViewerGlobals& v = Viewer();
    LRESULT choice = SendMessageW(v.zoomBox, CB_GETCURSEL, 0, 0);
    if (choice < 0 || static_cast<size_t>(choice) >= std::size(ZoomChoices)) return;
    v.zoom = static_cast<size_t>(choice);
    PageView_Relayout();
    Frame_UpdateStatus();
}

void Frame_Command(HWND frame, int id, int code)
{
    ViewerGlobals& v = Viewer();
    switch (id) {
    case IDM_PRINT: Print_Report(frame); break;
    case IDM_PREVIOUS: if (v.page > 0) Frame_GoTo(v.page - 1); break;
    case IDM_NEXT: Frame_GoTo(v.page + 1); break;
    case IDM_FIRST: Frame_GoTo(0); break;
    case IDM_LAST: Frame_GoTo(v.report.pages.size() - 1); break;
    case IDM_CLOSE: PostMessageW(frame, WM_CLOSE, 0, 0); break;
    case IDC_ZOOM: if (code == CBN_SELCHANGE) Frame_ZoomChosen(); break;
    }
}

// The owner comes back before the frame goes, so that it is the one activated.
void Frame_Close(HWND frame)
{
    ViewerGlobals& v = Viewer();
    if (v.disabledOwner) EnableWindow(v.disabledOwner, TRUE);
    DestroyWindow(frame);
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return Frame_CreateChildren(frame) ? 0 : -1;
    case WM_SIZE:
        Frame_Layout(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_SETFOCUS:
        SetFocus(Viewer().pageView);
        return 0;
    case WM_MOUSEWHEEL:
        return SendMessageW(Viewer().pageView, message, wParam, lParam);
    case WM_COMMAND:
        Frame_Command(frame, LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CLOSE:
        Frame_Close(frame);
        return 0;
    case WM_DESTROY:
        Viewer().frame = nullptr;
        return 0;
    }
    return DefWindowProcW(frame, message, wParam, lParam);
}

bool Frame_Register(HINSTANCE instance)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = ViewerClassName;
    return RegisterClassExW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// A portrait window of nine tenths of the work area's height, centred on the
// owner's monitor.
RECT Frame_InitialRect(HWND owner)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    int workWidth = work.right - work.left;
    int workHeight = work.bottom - work.top;
    int height = workHeight * 9 / 10;
    int width = std::min(workWidth * 9 / 10, height * 4 / 5);
    int left = work.left + (workWidth - width) / 2;
    int top = work.top + (workHeight - height) / 2;
    return {left, top, left + width, top + height};
}

// The viewer wears the icons of the program that opened it.
void Frame_TakeOwnerIcons(HWND frame, HWND owner)
{
    if (!owner) return;
    auto big = static_cast<LPARAM>(GetClassLongPtrW(owner, GCLP_HICON));
    auto small = static_cast<LPARAM>(GetClassLongPtrW(owner, GCLP_HICONSM));
    if (big) SendMessageW(frame, WM_SETICON, ICON_BIG, big);
    if (small || big) SendMessageW(frame, WM_SETICON, ICON_SMALL, small ? small : big);
}

HWND Frame_Create()
{
    ViewerGlobals& v = Viewer();
    RECT rect = Frame_InitialRect(v.owner);
    HWND frame = CreateWindowExW(0, ViewerClassName, Captions_Wide(v.captions[Caption::Title]).c_str(),
                                 WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, v.owner, nullptr,
                                 v.instance, nullptr);
    if (!frame) return nullptr;
    Frame_TakeOwnerIcons(frame, v.owner);
    Toolbar_UpdateButtons();
    ShowWindow(frame, SW_SHOW);
    UpdateWindow(frame);
    return frame;
}

// Runs messages until the frame is gone; a WM_QUIT is put back for the
// caller's own loop. An owner that was disabled already stays so.
void Frame_RunModal()
{
    ViewerGlobals& v = Viewer();
    if (v.owner && IsWindowEnabled(v.owner)) {
        v.disabledOwner = v.owner;
        EnableWindow(v.owner, FALSE);
    }
    MSG msg;
    while (v.frame) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            if (v.frame) Frame_Close(v.frame);
            break;
        }
        bool forViewer = msg.hwnd == v.frame || IsChild(v.frame, msg.hwnd);
        if (forViewer && TranslateAcceleratorW(v.frame, v.accelerators, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (v.disabledOwner) EnableWindow(v.disabledOwner, TRUE);
}

// Shows the loaded report until the user closes it; false when the window
// could not be made (a message box has said so).
bool Viewer_Run(HWND owner, Report&& report, Captions&& captions)
{
    ViewerGlobals& v = Viewer();
    HINSTANCE instance = v.instance;
    v = ViewerGlobals{};
    v.instance = instance;
    v.open = true;
    v.owner = owner ? GetAncestor(owner, GA_ROOT) : nullptr;     // what owns a window is a top-level one
    v.report = std::move(report);
    v.captions = std::move(captions);
    v.accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_VIEWER));

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    bool shown = Frame_Register(instance) && PageView_Register(instance) && Frame_Create();
    if (shown)
        Frame_RunModal();
    else
        ShowError(owner, v.captions, v.captions[Caption::WindowFailed]);

    if (v.accelerators) DestroyAcceleratorTable(v.accelerators);
    UnregisterClassW(ViewerClassName, instance);
    UnregisterClassW(PageViewClassName, instance);
    v = ViewerGlobals{};
    v.instance = instance;
    return shown;
}

} // namespace

ViewerGlobals& Viewer()
{
    static ViewerGlobals globals;
    return globals;
}

void Frame_UpdateStatus()
{
    ViewerGlobals& v = Viewer();
    if (!v.status) return;
    std::string page = std::string(v.captions[Caption::Page]) + " " + std::to_string(v.page + 1) +
                       " / " + std::to_string(v.report.pages.size());
    std::string zoom = std::string(v.captions[Caption::Zoom]) + " " + std::to_string(v.zoomPercent) + " %";
    SendMessageW(v.status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(Captions_Wide(page).c_str()));
    SendMessageW(v.status, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(Captions_Wide(zoom).c_str()));
}

int WINAPI tordoc_start(HWND owner, const char*, const char* metafile, short, const char* settingsFile)
{
    if (Viewer().open) return -1;
    Captions captions = Captions_Read(settingsFile);
    Report report;
    ReportStatus status = Report_Load(metafile, report);
    if (status != ReportStatus::Ok) {
        ShowError(owner, captions, LoadErrorText(captions, metafile, status));
        return -1;
    }
    return Viewer_Run(owner, std::move(report), std::move(captions)) ? 0 : -1;
}
