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
#include "support/dlgutil.h"
#include "support/strings.h"
#include "support/utf8.h"
#include "support/tooltips.h"
#include <algorithm>
#include <commdlg.h>
#include <cstdio>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <dlgs.h>

namespace {

constexpr int kFontCount = 3;
constexpr int kFaceSize = 48;
constexpr const char* kDefaultFace = "Arial";
constexpr int32_t kDefaultHeights[kFontCount] = {-50, -35, -25};
constexpr const char* kSample = "ABCDabcde12345";
// What a report can print: 6 to 24 points, which the font dialog's
// conversion stores as 22 to 87 tenths of a millimetre.
constexpr int kMinPoints = 6, kMaxPoints = 24;
constexpr int32_t kMinStoredHeight = 22, kMaxStoredHeight = 87;
constexpr uint16_t kTextSizeRange = 45223;
// The report prints its headings (font 1) bold and its other lines mostly
// regular; the weight is the report's, not a choice of this page.
constexpr LONG kReportWeights[kFontCount] = {FW_BOLD, FW_NORMAL, FW_NORMAL};

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
        font.height = size ? FontsPage_BoundedHeight(std::strtol(size, nullptr, 10)) : 0;
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

LOGFONTA LogFontOf(const ReportFont& font, int index)
{
    LOGFONTA logFont{};
    logFont.lfHeight = font.height;
    logFont.lfWeight = kReportWeights[index];
    std::snprintf(logFont.lfFaceName, sizeof(logFont.lfFaceName), "%.31s", font.face);
    return logFont;
}

// What the report prints for a font: its defaults for what is not stored.
LOGFONTA PrintedFont(int index)
{
    ReportFont font = g_fonts.fonts[index];
    if (!font.face[0])
        std::snprintf(font.face, sizeof(font.face), "%s", kDefaultFace);
    if (font.height == 0)
        font.height = kDefaultHeights[index];
    return LogFontOf(font, index);
}

// The face the screen draws for the stored one: a face that is not installed
// is replaced, and the font dialog lists only installed faces.
void FaceInUse(const LOGFONTA& stored, char* face, int size)
{
    HFONT font = CreateFontIndirectA(&stored);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    if (!GetTextFaceA(dc, size, face))
        face[0] = '\0';
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
}

// Tells the user, in the program's language, of a size that a report cannot
// print, and keeps the dialog open; the style list stays as the report has it.
UINT_PTR CALLBACK FontDialogHook(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        EnableWindow(GetDlgItem(dialog, cmb2), FALSE);
        return TRUE;
    }
    if (message != WM_COMMAND || LOWORD(wParam) != IDOK)
        return FALSE;
    char size[16] = "";
    Dlg_GetItemText(dialog, cmb3, size, sizeof(size));
    long points = std::strtol(size, nullptr, 10);
    if (points == 0 || (points >= kMinPoints && points <= kMaxPoints))
        return FALSE;   // the dialog's own check handles what is no number
    std::string text = Str_FillNumbers(Shell_Text(kTextSizeRange), {kMinPoints, kMaxPoints});
    Wnd_MessageBox(dialog, text.c_str(), Shell().title, MB_OK | MB_ICONEXCLAMATION);
    return TRUE;
}

void ChangeFont(HWND page, int index)
{
    ReportFont& font = g_fonts.fonts[index];
    LOGFONTA chosen = PrintedFont(index);
    FaceInUse(chosen, chosen.lfFaceName, sizeof(chosen.lfFaceName));
    chosen.lfHeight = FontsPage_DialogHeight(chosen.lfHeight);
    LOGFONTW wide{};
    std::memcpy(&wide, &chosen, offsetof(LOGFONTA, lfFaceName));   // the same up to the face name
    Dlg_CopyWide(wide.lfFaceName, LF_FACESIZE, chosen.lfFaceName);
    CHOOSEFONTW choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = page;
    choose.lpLogFont = &wide;
    // The screen fonts: here the dialog lists none for a metafile context, and
    // the factor converts the heights either way.
    choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_NOVECTORFONTS | CF_NOSCRIPTSEL | CF_LIMITSIZE |
                   CF_ENABLEHOOK;
    choose.nSizeMin = kMinPoints;
    choose.nSizeMax = kMaxPoints;
    choose.lpfnHook = FontDialogHook;
    if (ChooseFontW(&choose)) {
        Utf8_CopyCut(font.face, sizeof(font.face), Dlg_Narrow(wide.lfFaceName).c_str());
        font.height = FontsPage_BoundedHeight(FontsPage_StoredHeight(wide.lfHeight));

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
    LOGFONTA logFont = LogFontOf(g_fonts.fonts[index], index);
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

const PrintPageHandlers kHandlers = {nullptr, SaveRecord, HelpContext_Fonts, kFontsTexts, nullptr};

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
            SendMessageW(control, EM_SETSEL, 0, -1);
        }
        return FALSE;
    }
}

} // namespace

int32_t FontsPage_DialogHeight(int32_t stored)
{
    // The ceiling of stored / 2.7, in whole numbers so that no rounding creeps in.
    int64_t tenfold = int64_t{stored} * 10;
    return static_cast<int32_t>(tenfold >= 0 ? (tenfold + 26) / 27 : -((-tenfold) / 27));
}

int32_t FontsPage_BoundedHeight(long stored)
{
    if (stored == 0)
        return 0;   // no size stored: the report's default
    long size = std::labs(std::clamp<long>(stored, -kMaxStoredHeight, kMaxStoredHeight));
    return -static_cast<int32_t>(std::max<long>(size, kMinStoredHeight));
}

int32_t FontsPage_StoredHeight(int32_t dialog)
{
    // The floor of dialog * 2.7.
    int64_t product = int64_t{dialog} * 27;
    return static_cast<int32_t>(product >= 0 ? product / 10 : -((-product + 9) / 10));
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
    case WM_DRAWITEM:
        if (wParam >= IDC_FONT1_SAMPLE && wParam <= IDC_FONT3_SAMPLE)
            DrawSample(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        return OnCommand(page, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    default:
        return PrintPage_OnMessage(page, message, wParam, lParam, kHandlers);
    }
}
