// The logo window classes of the extended edition: each control paints the
// bitmap that its id names, in the menu text colour on the control's own
// background, and the toolbar of the main window is stretched to its width.
#include "VlInterface/extended/extended.h"
#include "VlInterface/extended/ids.h"
#include "support/app.h"
#include "support/dlgutil.h"
#include <initializer_list>

namespace {

// Paints the brush where the source is black and keeps the destination where it is white.
constexpr DWORD kRopBrushWhereBlack = 0x00B8074A;

struct LogoBitmap {
    int controlId;
    int bitmapId;
    int width, height;
};

constexpr LogoBitmap kCustomLogos[] = {
    {IDC_EXT_LOGO_LARGE, IDB_EXT_LOGO_LARGE, 274, 80},
    {IDC_EXT_LOGO_SMALL, IDB_EXT_LOGO_SMALL, 150, 57},
    {IDC_EXT_STANDARD, IDB_EXT_STANDARD, 280, 26},
};
constexpr LogoBitmap kCustomLogos2[] = {
    {IDC_EXT_LOGO_LARGE, IDB_EXT_LOGO_LARGE, 199, 58},
    {IDC_EXT_LOGO_SMALL, IDB_EXT_LOGO_SMALL, 150, 57},
};
constexpr LogoBitmap kBitmaps[] = {
    {IDC_EXT_TOOLBAR_LOGO, IDB_EXT_TOOLBAR_LOGO, 200, 24},
};

template <size_t N>
const LogoBitmap* FindLogo(const LogoBitmap (&table)[N], int controlId)
{
    for (const LogoBitmap& logo : table)
        if (logo.controlId == controlId)
            return &logo;
    return nullptr;
}

void PaintLogo(HDC dc, const LogoBitmap& logo)
{
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(App().instance, MAKEINTRESOURCEA(logo.bitmapId), IMAGE_BITMAP,
                                                     logo.width, logo.height, LR_LOADTRANSPARENT));
    if (!dc || !bitmap) {
        if (bitmap)
            DeleteObject(bitmap);
        return;
    }
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    SetMapMode(memory, GetMapMode(dc));
    BITMAP info{};
    GetObjectA(bitmap, sizeof(info), &info);
    HBRUSH brush = CreateSolidBrush(GetSysColor(COLOR_MENUTEXT));
    if (HGDIOBJ oldBrush = SelectObject(dc, brush)) {
        BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, kRopBrushWhereBlack);
        SelectObject(dc, oldBrush);
    }
    DeleteObject(brush);
    SelectObject(memory, oldBitmap);
    DeleteDC(memory);
    DeleteObject(bitmap);
}

// WM_PAINT paints the logo of the control's id, if the table has one.
template <size_t N>
LRESULT PaintOrDefault(const LogoBitmap (&table)[N], HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const int saved = SaveDC(dc);
    if (const LogoBitmap* logo = FindLogo(table, GetWindowLongA(window, GWL_ID)))
        PaintLogo(dc, *logo);
    RestoreDC(dc, saved);
    EndPaint(window, &paint);
    return 0;
}

LRESULT CALLBACK CustomLogo_WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PaintOrDefault(kCustomLogos, window, message, wParam, lParam);
}

LRESULT CALLBACK CustomLogo2_WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PaintOrDefault(kCustomLogos2, window, message, wParam, lParam);
}

LRESULT CALLBACK BitmapCtl_WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PaintOrDefault(kBitmaps, window, message, wParam, lParam);
}

int RegisterLogoClasses(WNDPROC procedure, std::initializer_list<const wchar_t*> names)
{
    for (const wchar_t* name : names) {
        WNDCLASSW cls{};
        cls.style = CS_VREDRAW | CS_HREDRAW | CS_BYTEALIGNWINDOW;
        cls.lpfnWndProc = procedure;
        cls.cbWndExtra = 4;
        cls.hInstance = App().instance;
        cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        cls.lpszClassName = name;
        if (!RegisterClassW(&cls))
            return -1;
    }
    return 0;
}

}  // namespace

int LogoCtl_RegisterClasses()
{
    return RegisterLogoClasses(CustomLogo_WndProc, {L"Custom_Logo", L"Custom_Logo_Small", L"Custom_Standard"});
}

int CustomLogo2_RegisterClasses()
{
    return RegisterLogoClasses(CustomLogo2_WndProc, {L"Custom_Logo2", L"Custom_Logo_Small2"});
}

int BitmapCtl_RegisterClass()
{
    return RegisterLogoClasses(BitmapCtl_WndProc, {L"Bitmap"});
}

void MainWnd_FitChildWidth(HWND parent, HWND child)
{
    RECT client{};
    RECT own{};
    if (!GetClientRect(parent, &client) || !GetWindowRect(child, &own))
        return;
    SetWindowPos(child, nullptr, 0, client.top, client.right - client.left, own.bottom - own.top, SWP_NOZORDER);
}
