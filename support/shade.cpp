// The shaded frame window classes: a one-pixel frame drawn with the cached
// highlight and shadow pens; everything but painting is left to the default
// window procedure.
#include "support/shade.h"
#include "support/app.h"
#include "support/gdicache.h"

namespace {

// Draws the bottom and right edges in one colour, the top and left in the other.
void PaintFrame(HWND window, int bottomRightColor, int topLeftColor)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT r;
    GetClientRect(window, &r);
    HGDIOBJ old = Gdi_SelectObject(dc, Gdi_SysColorPen(bottomRightColor));
    MoveToEx(dc, r.left, r.bottom - 1, nullptr);
    LineTo(dc, r.right - 1, r.bottom - 1);
    LineTo(dc, r.right - 1, r.top);
    Gdi_SelectObject(dc, Gdi_SysColorPen(topLeftColor));
    LineTo(dc, r.left, r.top);
    LineTo(dc, r.left, r.bottom);
    Gdi_SelectObject(dc, old);
    EndPaint(window, &paint);
}

LRESULT CALLBACK ShadeAProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcW(window, message, wParam, lParam);
    PaintFrame(window, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW);
    return 0;
}

LRESULT CALLBACK ShadeBProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcW(window, message, wParam, lParam);
    PaintFrame(window, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);
    return 0;
}

bool RegisterShadeClass(const wchar_t* name, WNDPROC procedure)
{
    WNDCLASSW windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = App().instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
    windowClass.lpszClassName = name;
    return RegisterClassW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

bool Shade_RegisterClasses()
{
    bool a = RegisterShadeClass(L"QSHADEA", ShadeAProc);
    bool b = RegisterShadeClass(L"QSHADEB", ShadeBProc);
    return a && b;
}
