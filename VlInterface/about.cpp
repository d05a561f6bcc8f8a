// The about box (name, version, a word about the program, the logo; opens at
// start-up unless switched off) and the logo control "CL_LOGO" that dialog
// templates place with id 620.
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/app.h"
#include "support/dlgutil.h"
#include "support/help.h"
#include "support/settings.h"
#include "support/tooltips.h"
#include <cstdio>

namespace {

constexpr const char* kShowAboutValue = "General\\DontShowAboutHelpOnStart";
constexpr const wchar_t* kLogoClass = L"CL_LOGO";

#ifdef VL_EXTENDED
// The extended edition's start-up window with its product logos, and the
// version of the technical data after the program's.
constexpr int kAboutDialog = IDD_ABOUT_EXTENDED;
const char* ProductName() { return kApplication; }
#else
constexpr int kAboutDialog = IDD_ABOUT;
const char* ProductName() { return Shell_Text(Text_AppName2); }
#endif

// The about box's controls carry no tooltips.
const DialogTextTable kNoTooltips[] = {{0, 0, nullptr}};

const DialogTextTable kAboutTexts[] = {
    {0, Text_AppName1, nullptr},
    {IDC_ABOUT_SHOWSTART, Text_AboutShowAtStart, nullptr},
    {IDC_ABOUT_LABEL, Text_AboutLabel, nullptr},
    {IDOK, Text_Ok, nullptr},
    {IDCANCEL, Text_Cancel, nullptr},
    {IDC_DIALOG_HELP, Text_Help, nullptr},
#ifdef VL_EXTENDED
    {IDC_EXT_ABOUT_TAGLINE, IDS_EXT_TAGLINE, nullptr},
#endif
    {0, 0, nullptr},
};

// The about box's record.
struct AboutData {
    bool showAtStart = true;
    HFONT boldFont = nullptr;   // the version line
};

HFONT MakeBoldFont(HWND dialog)
{
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof(font), &font);
    font.lfWeight = FW_BOLD;
    return CreateFontIndirectA(&font);
}

void OnInitDialog(HWND dialog, AboutData* data)
{
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(data));
    Wnd_CenterOnOwner(dialog);
    TextAPI_TranslateDialog(Shell().textHandle, dialog, kAboutTexts);
    CheckDlgButton(dialog, IDC_ABOUT_SHOWSTART, data->showAtStart ? BST_CHECKED : BST_UNCHECKED);
    const char* version = App_GetVersionString(1);
    char line[400];
    std::snprintf(line, sizeof(line), "%s %s", ProductName(), version ? version : "Not available");
    Dlg_SetItemText(dialog, IDC_ABOUT_VERSION, line);
    data->boldFont = MakeBoldFont(dialog);
    SendDlgItemMessageW(dialog, IDC_ABOUT_VERSION, WM_SETFONT, reinterpret_cast<WPARAM>(data->boldFont), FALSE);
    std::string about = std::string(Shell_Text(Text_AboutText1)) + " " + Shell_Text(Text_AboutText2) + " " +
                        Shell_Text(Text_AboutText3);
    Dlg_SetItemText(dialog, IDC_ABOUT_TEXT, about.c_str());
    SetFocus(GetDlgItem(dialog, IDC_ABOUT_SHOWSTART));
}

INT_PTR OnCommand(HWND dialog, AboutData* data, UINT id, UINT code, HWND control)
{
    switch (id) {
    case IDOK:
        data->showAtStart = IsDlgButtonChecked(dialog, IDC_ABOUT_SHOWSTART) == BST_CHECKED;
        EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case IDC_DIALOG_HELP:
        Help_Show(dialog, Shell().helpPath, kHelpContextSettings);
        return TRUE;
    default:
        if (code == EN_SETFOCUS)
            SendMessageW(control, EM_SETSEL, 0, -1);
        return FALSE;
    }
}

INT_PTR CALLBACK AboutBox_DlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    Tooltip_HandleDialogMessage(dialog, message, wParam, lParam, Shell().textHandle, kNoTooltips);
    auto* data = reinterpret_cast<AboutData*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog, reinterpret_cast<AboutData*>(lParam));
        return FALSE;   // the focus is set
    case WM_CLOSE:
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_COMMAND:
        return data ? OnCommand(dialog, data, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))
                    : FALSE;
    case WM_DESTROY:
        if (data && data->boldFont)
            DeleteObject(data->boldFont);
        return FALSE;
    default:
        return FALSE;
    }
}

void PaintLogo(HDC dc)
{
    if (!dc)
        return;
    HBITMAP logo = static_cast<HBITMAP>(LoadImageA(App().instance, MAKEINTRESOURCEA(IDB_LOGO), IMAGE_BITMAP, 0, 0,
                                                   LR_LOADMAP3DCOLORS));
    if (!logo)
        return;
    BITMAP info{};
    GetObjectA(logo, sizeof(info), &info);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, logo);
    SetMapMode(memory, GetMapMode(dc));
    BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(logo);
}

LRESULT CALLBACK LogoCtl_WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    int saved = SaveDC(dc);
    PaintLogo(dc);
    RestoreDC(dc, saved);
    EndPaint(window, &paint);
    return 0;
}

} // namespace

INT_PTR AboutBox_Show(HWND owner, bool atStart)
{
    AboutData data;
    data.showAtStart = Settings_ReadInt(nullptr, kShowAboutValue) == 0;
    if (atStart && !data.showAtStart)
        return 0;
    INT_PTR result = DialogBoxParamW(App().instance, MAKEINTRESOURCEW(kAboutDialog), owner, AboutBox_DlgProc,
                                     reinterpret_cast<LPARAM>(&data));
    if (result == IDOK)
        Settings_WriteInt(nullptr, kShowAboutValue, data.showAtStart ? 0 : 1);
    return result;
}

int LogoCtl_Register(HINSTANCE instance)
{
    WNDCLASSW cls{};
    cls.style = CS_VREDRAW | CS_HREDRAW | CS_BYTEALIGNWINDOW;
    cls.lpfnWndProc = LogoCtl_WndProc;
    cls.cbWndExtra = 4;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = kLogoClass;
    return RegisterClassW(&cls) ? 0 : -1;
}
