// The report fonts page: the three report fonts (face and height in tenths
// of a millimetre, negative), each with a sample, chosen with the system's
// font dialog and kept in the settings store, where the print library reads
// them at every print.
#include "VlInterface/dialogs/dialogs.h"
#include "VlInterface/dialogs/dlgtexts.h"
#include "VlInterface/dialogs/page_fonts.h"
#include "VlInterface/dialogs/printpages.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/settings.h"
#include "support/tooltips.h"
#include <commdlg.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kFontCount = 3;
constexpr int kFaceSize = 48;
constexpr const char* kDefaultFace = "Arial";
constexpr int32_t kDefaultHeights[kFontCount] = {-50, -35, -25};
constexpr const char* kSample = "ABCDabcde12345";

struct ReportFont {
    char face[kFaceSize];
    int32_t height;
};

struct FontsState {
    ReportFont fonts[kFontCount];
};
FontsState g_fonts{};

struct FontValues {
    const char* face;
    const char* size;   // the print library reads these as "Output\..."
};
const FontValues kValues[kFontCount] = {
    {"Output\\Font1.Name", "OutPut\\Font1.Size"},
    {"Output\\Font2.Name", "OutPut\\Font2.Size"},
    {"Output\\Font3.Name", "OutPut\\Font3.Size"},
};

const DialogTextTable kFontsTexts[] = {
    {IDC_FONT1_LABEL, Text_Font1, nullptr},
    {IDC_FONT2_LABEL, Text_Font2, nullptr},
    {IDC_FONT3_LABEL, Text_Font3, nullptr},
    {IDC_FONT1_CHANGE, Text_ChangeFont, nullptr},
    {IDC_FONT2_CHANGE, Text_ChangeFont, nullptr},
    {IDC_FONT3_CHANGE, Text_ChangeFont, nullptr},
    {IDC_FONTS_DEFAULTS, Text_FontDefaults, nullptr},
    {0, 0, nullptr},
};
const DialogTextTable kFontsTooltips[] = {
    {IDC_FONTS_DEFAULTS, Text_FontDefaultsTip, nullptr},
    {0, 0, nullptr},
};

void LoadFrom(HKEY key)
{
    for (int i = 0; i < kFontCount; ++i) {
        ReportFont& font = g_fonts.fonts[i];
        font = ReportFont{};
        if (!Settings_Read(key, kValues[i].face, nullptr, font.face, kFaceSize))
            font.face[0] = '\0';
        const char* size = Settings_ReadString(key, kValues[i].size);
        font.height = size ? std::atoi(size) : 0;
    }
}

void SaveRecord()
{
    for (int i = 0; i < kFontCount; ++i) {
        char size[16];
        std::snprintf(size, sizeof(size), "%d", static_cast<int>(g_fonts.fonts[i].height));
        Settings_WriteString(nullptr, kValues[i].face, g_fonts.fonts[i].face);
        Settings_WriteString(nullptr, kValues[i].size, size);
    }
}

void RestoreDefaults(HWND page)
{
    HKEY machine = Settings_GetRootKey(HKEY_LOCAL_MACHINE);
    if (machine)
        LoadFrom(machine);
    for (int i = 0; i < kFontCount; ++i) {
        ReportFont& font = g_fonts.fonts[i];
        if (!machine || static_cast<unsigned char>(font.face[0]) < '!') {
            std::snprintf(font.face, sizeof(font.face), "%s", kDefaultFace);
            font.height = kDefaultHeights[i];
        }
    }
    RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void ChangeFont(HWND page, int index)
{
    ReportFont& font = g_fonts.fonts[index];
    LOGFONTA chosen{};
    chosen.lfHeight = FontsPage_DialogHeight(font.height);
    std::snprintf(chosen.lfFaceName, sizeof(chosen.lfFaceName), "%s", font.face);
    CHOOSEFONTA choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = page;
    choose.lpLogFont = &chosen;
    // The screen fonts: here the dialog lists none for a metafile context, and
    // the factor converts the heights either way.
    choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_NOVECTORFONTS | CF_NOSTYLESEL | CF_NOSCRIPTSEL;
    if (ChooseFontA(&choose)) {
        std::snprintf(font.face, sizeof(font.face), "%s", chosen.lfFaceName);
        font.height = FontsPage_StoredHeight(chosen.lfHeight);
    }
    RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

#ifdef VL_EXTENDED
// The sample is drawn in the script of the text language.
BYTE SampleCharSet(LanguageId language)
{
    switch (language) {
    case 1518: return EASTEUROPE_CHARSET;
    case 1528: return RUSSIAN_CHARSET;
    default: return ANSI_CHARSET;
    }
}
#endif

void DrawSample(const DRAWITEMSTRUCT* item)
{
    int index = static_cast<int>(item->CtlID) - IDC_FONT1_SAMPLE;
    HDC dc = item->hDC;
    SelectObject(dc, GetStockObject(NULL_PEN));
    FillRect(dc, &item->rcItem, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    LOGFONTA logFont{};
    logFont.lfHeight = g_fonts.fonts[index].height;
    std::snprintf(logFont.lfFaceName, sizeof(logFont.lfFaceName), "%.31s", g_fonts.fonts[index].face);
#ifdef VL_EXTENDED
    logFont.lfCharSet = SampleCharSet(TextAPI_QueryLanguage(Shell().textHandle));
#endif
    HFONT font = CreateFontIndirectA(&logFont);
    if (!font)
        return;
    int saved = SaveDC(dc);
    SetMapMode(dc, MM_LOMETRIC);
    RECT box;
    GetClientRect(item->hwndItem, &box);
    DPtoLP(dc, reinterpret_cast<POINT*>(&box), 2);
    SelectObject(dc, font);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    // Centred by hand: the y axis points up in this mapping mode.
    SIZE text{};
    int length = static_cast<int>(std::strlen(kSample));
    GetTextExtentPoint32A(dc, kSample, length, &text);
    SetTextAlign(dc, TA_CENTER | TA_TOP | TA_NOUPDATECP);
    TextOutA(dc, (box.left + box.right) / 2, (box.top + box.bottom) / 2 + text.cy / 2, kSample, length);
    RestoreDC(dc, saved);
    DeleteObject(font);   // deselected by the restore
}

const PrintPageHandlers kHandlers = {nullptr, SaveRecord, HelpContext_Fonts};

INT_PTR OnCommand(HWND page, UINT id, UINT code, HWND control)
{
    switch (id) {
    case IDC_FONT1_CHANGE:
    case IDC_FONT2_CHANGE:
    case IDC_FONT3_CHANGE:
        ChangeFont(page, static_cast<int>(id) - IDC_FONT1_CHANGE);
        return TRUE;
    case IDC_FONTS_DEFAULTS:
        RestoreDefaults(page);
        return TRUE;
    default:
        if (code == EN_SETFOCUS) {
            SetFocus(control);
            SendMessageA(control, EM_SETSEL, 0, -1);
        }
        return FALSE;
    }
}

} // namespace

int32_t FontsPage_DialogHeight(int32_t stored)
{
    // The ceiling of stored / 2.7, in whole numbers so that no rounding creeps in.
    int32_t tenfold = stored * 10;
    return tenfold >= 0 ? (tenfold + 26) / 27 : -((-tenfold) / 27);
}

int32_t FontsPage_StoredHeight(int32_t dialog)
{
    // The floor of dialog * 2.7.
    int32_t product = dialog * 27;
    return product >= 0 ? product / 10 : -((-product + 9) / 10);
}

void FontsPage_GetPageInfo(PROPSHEETPAGEA* page)
{
    PrintPage_Fill(page, IDD_PRINT_FONTS, Text_PageFonts, FontsPage_DlgProc);
    LoadFrom(nullptr);
}

INT_PTR CALLBACK FontsPage_DlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    Tooltip_HandleDialogMessage(page, message, wParam, lParam, Shell().textHandle, kFontsTooltips);
    switch (message) {
    case WM_INITDIALOG:
        Shell().helpContext = HelpContext_Fonts;
        PropSheet_PlacePage(page);
        TextAPI_TranslateDialog(Shell().textHandle, page, kFontsTexts);
        return FALSE;
    case WM_DRAWITEM:
        if (wParam >= IDC_FONT1_SAMPLE && wParam <= IDC_FONT3_SAMPLE)
            DrawSample(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_NOTIFY:
        return PrintPage_OnNotify(page, PrintPage_Code(wParam, lParam), kHandlers);
    case WM_COMMAND:
        return OnCommand(page, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    default:
        return FALSE;
    }
}
