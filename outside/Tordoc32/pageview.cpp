// The page view: the child window that shows the current page as a sheet of
// paper on a grey desk, at the chosen zoom, with scroll bars when it is larger
// than the window. Drawing goes through an off-screen bitmap.
#include "outside/Tordoc32/resource.h"
#include "outside/Tordoc32/viewer.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int DeskMargin = 16;      // pixels of desk around the sheet
constexpr int ShadowOffset = 4;
constexpr int LineStep = 40;        // pixels per scroll-arrow click
constexpr int SmallestSheet = 40;

// An off-screen bitmap of the window's size, selected into a memory DC.
struct Canvas {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    Canvas(HDC reference, int width, int height)
        : dc(CreateCompatibleDC(reference)),
          bitmap(CreateCompatibleBitmap(reference, std::max(width, 1), std::max(height, 1))),
          previous(SelectObject(dc, bitmap)) {}
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
};

SIZE ScreenPixelsPerInch()
{
    HDC screen = GetDC(nullptr);
    SIZE dpi{GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
    ReleaseDC(nullptr, screen);
    return dpi;
}

// The sheet's size in pixels for a window area of `area` (scroll bars not
// counted); sets the zoom in force.
SIZE SheetSize(SIZE area)
{
    ViewerGlobals& v = Viewer();
    SIZE dpi = ScreenPixelsPerInch();
    double fullWidth = ReportPageWidth * dpi.cx / 254.0;     // 0.1 mm to pixels at 100 %
    double fullHeight = ReportPageHeight * dpi.cy / 254.0;
    double availableWidth = area.cx - 2.0 * DeskMargin;
    double availableHeight = area.cy - 2.0 * DeskMargin;
    const ZoomChoice& choice = ZoomChoices[v.zoom];
    double scale = choice.percent / 100.0;
    if (choice.fit == ZoomFit::WholePage)
        scale = std::min(availableWidth / fullWidth, availableHeight / fullHeight);
    else if (choice.fit == ZoomFit::PageWidth)
        scale = (availableWidth - GetSystemMetrics(SM_CXVSCROLL)) / fullWidth;
    scale = std::max(scale, SmallestSheet / fullWidth);
    v.zoomPercent = static_cast<int>(std::lround(scale * 100));
    return {static_cast<LONG>(std::lround(fullWidth * scale)), static_cast<LONG>(std::lround(fullHeight * scale))};
}

// The window's area as if it had no scroll bars.
SIZE AreaWithoutBars(HWND view)
{
    RECT client{};
    GetClientRect(view, &client);
    LONG style = GetWindowLongW(view, GWL_STYLE);
    SIZE area{client.right, client.bottom};
    if (style & WS_VSCROLL) area.cx += GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL) area.cy += GetSystemMetrics(SM_CYHSCROLL);
    return area;
}

int ClampScroll(int position, int content, int visible)
{
    return std::clamp(position, 0, std::max(0, content - visible));
}

void SetBar(HWND view, int bar, int content, int visible, int position)
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(content - 1, 0);     // an empty range hides the bar
    info.nPage = static_cast<UINT>(std::max(visible, 0));
    info.nPos = position;
    SetScrollInfo(view, bar, &info, TRUE);
}

SIZE ContentSize()
{
    HWND view = Viewer().pageView;
    SIZE sheet = SheetSize(AreaWithoutBars(view));
    return {sheet.cx + 2 * DeskMargin, sheet.cy + 2 * DeskMargin};
}

// Scroll bars for the sheet at the current zoom; each bar is shown only when
// the sheet does not fit without it.
void UpdateScrollBars()
{
    ViewerGlobals& v = Viewer();
    SIZE area = AreaWithoutBars(v.pageView);
    SIZE content = ContentSize();
    bool needV = content.cy > area.cy;
    bool needH = content.cx > area.cx - (needV ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    if (needH && !needV) needV = content.cy > area.cy - GetSystemMetrics(SM_CYHSCROLL);
    int visibleWidth = area.cx - (needV ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    int visibleHeight = area.cy - (needH ? GetSystemMetrics(SM_CYHSCROLL) : 0);
    v.scroll.x = ClampScroll(v.scroll.x, content.cx, visibleWidth);
    v.scroll.y = ClampScroll(v.scroll.y, content.cy, visibleHeight);
    SetBar(v.pageView, SB_HORZ, needH ? content.cx : 0, visibleWidth, v.scroll.x);
    SetBar(v.pageView, SB_VERT, needV ? content.cy : 0, visibleHeight, v.scroll.y);
}

// Where the sheet lies in the window: centred when it fits, else scrolled.
RECT SheetRect(const RECT& client)
{
    ViewerGlobals& v = Viewer();
    SIZE content = ContentSize();
    SIZE sheet{content.cx - 2 * DeskMargin, content.cy - 2 * DeskMargin};
    int left = content.cx <= client.right ? (client.right - sheet.cx) / 2 : DeskMargin - v.scroll.x;
    int top = content.cy <= client.bottom ? (client.bottom - sheet.cy) / 2 : DeskMargin - v.scroll.y;
    return {left, top, left + sheet.cx, top + sheet.cy};
}

void PaintSheet(HDC dc, const RECT& client)
{
    ViewerGlobals& v = Viewer();
    FillRect(dc, &client, GetSysColorBrush(COLOR_APPWORKSPACE));
    RECT sheet = SheetRect(client);
    RECT shadow = sheet;
    OffsetRect(&shadow, ShadowOffset, ShadowOffset);
    FillRect(dc, &shadow, GetSysColorBrush(COLOR_3DDKSHADOW));
    FillRect(dc, &sheet, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &sheet, GetSysColorBrush(COLOR_3DSHADOW));
    Report_PlayPage(v.report, dc, v.page, sheet);
}

void OnPaint(HWND view)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(view, &paint);
    RECT client{};
    GetClientRect(view, &client);
    {
        Canvas canvas(dc, client.right, client.bottom);
        SetStretchBltMode(canvas.dc, HALFTONE);
        PaintSheet(canvas.dc, client);
        BitBlt(dc, 0, 0, client.right, client.bottom, canvas.dc, 0, 0, SRCCOPY);
    }
    EndPaint(view, &paint);
}

void ScrollTo(HWND view, int bar, int position)
{
    ViewerGlobals& v = Viewer();
    (bar == SB_VERT ? v.scroll.y : v.scroll.x) = position;
    UpdateScrollBars();
    InvalidateRect(view, nullptr, FALSE);
}

// The position a scroll-bar action asks for.
int ScrollTarget(HWND view, int bar, int action)
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(view, bar, &info);
    int page = static_cast<int>(info.nPage);
    switch (action) {
    case SB_LINEUP: return info.nPos - LineStep;
    case SB_LINEDOWN: return info.nPos + LineStep;
    case SB_PAGEUP: return info.nPos - page;
    case SB_PAGEDOWN: return info.nPos + page;
    case SB_TOP: return 0;
    case SB_BOTTOM: return info.nMax;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return info.nTrackPos;
    }
    return info.nPos;
}

void OnScroll(HWND view, int bar, int action)
{
    if (action == SB_ENDSCROLL) return;
    ScrollTo(view, bar, ScrollTarget(view, bar, action));
}

void OnWheel(HWND view, int delta)
{
    ViewerGlobals& v = Viewer();
    ScrollTo(view, SB_VERT, v.scroll.y - delta * 3 * LineStep / WHEEL_DELTA);
}

void OnKey(HWND view, WPARAM key)
{
    switch (key) {
    case VK_UP: OnScroll(view, SB_VERT, SB_LINEUP); break;
    case VK_DOWN: OnScroll(view, SB_VERT, SB_LINEDOWN); break;
    case VK_LEFT: OnScroll(view, SB_HORZ, SB_LINEUP); break;
    case VK_RIGHT: OnScroll(view, SB_HORZ, SB_LINEDOWN); break;
    case VK_HOME: OnScroll(view, SB_VERT, SB_TOP); break;
    case VK_END: OnScroll(view, SB_VERT, SB_BOTTOM); break;
    }
}

LRESULT CALLBACK PageViewProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: OnPaint(view); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: UpdateScrollBars(); InvalidateRect(view, nullptr, FALSE); return 0;
    case WM_VSCROLL: OnScroll(view, SB_VERT, LOWORD(wParam)); return 0;
    case WM_HSCROLL: OnScroll(view, SB_HORZ, LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: OnWheel(view, GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case WM_KEYDOWN: OnKey(view, wParam); return 0;
    case WM_LBUTTONDOWN: SetFocus(view); return 0;
    }
    return DefWindowProcW(view, message, wParam, lParam);
}

} // namespace

bool PageView_Register(HINSTANCE instance)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PageViewProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = PageViewClassName;
    return RegisterClassExW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND PageView_Create(HWND frame)
{
    ViewerGlobals& v = Viewer();
    return CreateWindowExW(WS_EX_CLIENTEDGE, PageViewClassName, nullptr,
                           WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_TABSTOP, 0, 0, 0, 0, frame,
                           reinterpret_cast<HMENU>(IDC_PAGEVIEW), v.instance, nullptr);
}

void PageView_Relayout()
{
    ViewerGlobals& v = Viewer();
    if (!v.pageView) return;
    UpdateScrollBars();
    InvalidateRect(v.pageView, nullptr, FALSE);
}

void PageView_PageChanged()
{
    ViewerGlobals& v = Viewer();
    v.scroll = {0, 0};
    PageView_Relayout();
}
