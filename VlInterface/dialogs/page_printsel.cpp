// The print selection page: the report sections and the output (stored in
// the report choices block), and the systems to print (project attribute
// 1116), chosen by marks in an owner-drawn list. Printing itself is the
// print library's; this page hands it the choices.
#include "VlInterface/dialogs/dialogs.h"
#include "VlInterface/dialogs/dlgtexts.h"
#include "VlInterface/dialogs/printoptions.h"
#include "VlInterface/dialogs/printpages.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlPrint/vlprint.h"
#include "Kadmi/kadmi.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/app.h"
#include "support/dlgutil.h"
#include "support/memory.h"
#include "resultstamps/resultstamps.h"
#include "support/attributes.h"
#include <commctrl.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kMaxSystems = 1000;
constexpr uint16_t kTextNothingMarked = 45224;

#pragma pack(push, 1)
struct PrintSelectionRecord {
    int16_t pages[kMaxSystems];
    int32_t count;
    uint8_t printMarks[kMaxSystems];
    uint8_t staleMarks[kMaxSystems];
    uint8_t heatLoss, cooling, freezing, costs;
    uint8_t preview, clipboard;
    uint8_t spreadsheet;   // extended edition: the copy for spreadsheet programs
};
#pragma pack(pop)

struct PrintSelState {
    PrintSelectionRecord record, loaded;
    int16_t pages[kMaxSystems];   // the project's page numbers in order, read once as the page is built
    std::vector<std::string> names;   // each listed system's name as its line shows it
    int systems;
    bool reading;
};
PrintSelState g_sel{};

const DialogTextTable kSelectionTexts[] = {
    {IDC_PSEL_SECTIONS_GROUP, Text_Sections, nullptr},
    {IDC_PSEL_HEATLOSS, Text_SectionHeatLoss, nullptr},
    {IDC_PSEL_COOLING, Text_SectionCooling, nullptr},
    {IDC_PSEL_FREEZING, Text_SectionFreezing, nullptr},
    {IDC_PSEL_COSTS, Text_SectionCosts, nullptr},
    {IDC_PSEL_OUTPUT_GROUP, Text_Output, nullptr},
    {IDC_PSEL_PREVIEW, Text_Preview, nullptr},
    {IDC_PSEL_CLIPBOARD, Text_Clipboard, nullptr},
    {IDC_PSEL_SYSTEMS_LABEL, Text_SystemsToPrint, nullptr},
    {IDC_PSEL_MARK_ALL, Text_MarkAll, nullptr},
    {IDC_PSEL_UNMARK_ALL, Text_UnmarkAll, nullptr},
#ifdef VL_EXTENDED
    {IDC_PSEL_SPREADSHEET, IDS_EXT_SPREADSHEET_OUTPUT, nullptr},
#endif
    {0, 0, nullptr},
};

struct CheckBinding {
    int control;
    uint8_t PrintSelectionRecord::*field;
};
const CheckBinding kChecks[] = {
    {IDC_PSEL_HEATLOSS, &PrintSelectionRecord::heatLoss},
    {IDC_PSEL_COOLING, &PrintSelectionRecord::cooling},
    {IDC_PSEL_FREEZING, &PrintSelectionRecord::freezing},
    {IDC_PSEL_COSTS, &PrintSelectionRecord::costs},
    {IDC_PSEL_PREVIEW, &PrintSelectionRecord::preview},
    {IDC_PSEL_CLIPBOARD, &PrintSelectionRecord::clipboard},
#ifdef VL_EXTENDED
    {IDC_PSEL_SPREADSHEET, &PrintSelectionRecord::spreadsheet},
#endif
};

// The stored output: 0 preview, 1 clipboard, 2 spreadsheet copy (extended edition).
constexpr int32_t kStoredSpreadsheet = 2;

int SystemCount()
{
    return g_sel.systems;
}

// One read of the page list serves the marks, the names and the selection.
void ReadPageNumbers()
{
    short count = 0;
    short* pages = Kadmi_GetAllPages(&count);
    g_sel.systems = pages ? std::clamp<int>(count, 0, kMaxSystems) : 0;
    if (pages)
        std::memcpy(g_sel.pages, pages, sizeof(g_sel.pages[0]) * static_cast<size_t>(g_sel.systems));
    Mem_Free(pages);
}

bool IsSelected(const PrintSelectionRecord& record, int16_t page)
{
    for (int i = 0; i < record.count && i < kMaxSystems; ++i)
        if (record.pages[i] == page)
            return true;
    return false;
}

// The stamps are read without loading each system, so that the list opens at
// once in a project of many systems.
void LoadMarks(PrintSelectionRecord& record)
{
    int n = SystemCount();
    for (int i = 0; i < n; ++i) {
        short page = g_sel.pages[i];
        record.staleMarks[i] = Stamps_HeatLossStale(Stamps_OfPage(page));
        record.printMarks[i] = IsSelected(record, page);
    }
    if (n == 1)
        record.printMarks[0] = 1;
}

void LoadOptions(PrintSelectionRecord& record)
{
    PrintOptionFlags flags;
    if (!PrintOptions_Read(&flags)) {
        record.preview = 1;
        record.heatLoss = 1;
        return;
    }
    record.heatLoss = static_cast<uint8_t>(flags.value[PrintOption_HeatLoss]);
    record.cooling = static_cast<uint8_t>(flags.value[PrintOption_Cooling]);
    record.freezing = static_cast<uint8_t>(flags.value[PrintOption_Freezing]);
    record.costs = static_cast<uint8_t>(flags.value[PrintOption_Costs]);
    record.clipboard = static_cast<uint8_t>(flags.value[PrintOption_Output]);
    record.preview = flags.value[PrintOption_Output] == 0;
#ifdef VL_EXTENDED
    record.spreadsheet = flags.value[PrintOption_Output] == kStoredSpreadsheet;
    record.clipboard = flags.value[PrintOption_Output] == 1;
#endif
}

// The selected pages as the print marks give them.
void PagesFromMarks(PrintSelectionRecord& record)
{
    record.count = 0;
    for (int i = 0; i < SystemCount(); ++i)
        if (record.printMarks[i])
            record.pages[record.count++] = g_sel.pages[i];
}

// The record as the page shows it, so that only the user's choices count as
// a change: the mark that a project of one system gets by itself (and, in
// the extended edition, the heat loss section) is no change of the project.
void LoadRecord()
{
    PrintSelectionRecord& record = g_sel.record;
    record = PrintSelectionRecord{};
    ReadPageNumbers();
    short count = 0;
    if (Kadmi_GetAtt(-1, Att_PageSelection, &count, record.pages, sizeof(record.pages)))
        record.count = count < 0 ? 0 : (count > kMaxSystems ? kMaxSystems : count);
    LoadMarks(record);
    PagesFromMarks(record);
    LoadOptions(record);
#ifdef VL_EXTENDED
    record.heatLoss = 1;   // always part of the report here
#endif
    g_sel.loaded = record;
}

// Only the systems to print are the project's: the sections and the output
// are the user's settings, and choosing them changes no project.
bool SelectionChanged(const PrintSelectionRecord& record, const PrintSelectionRecord& loaded)
{
    return record.count != loaded.count ||
           std::memcmp(record.pages, loaded.pages, sizeof(record.pages[0]) * static_cast<size_t>(record.count)) != 0;
}

void SaveRecord()
{
    const PrintSelectionRecord& record = g_sel.record;
    Kadmi_DeleteAtt(-1, Att_PageSelection);
    Kadmi_SetAtt(-1, Att_PageSelection, static_cast<short>(record.count), record.pages);
    PrintOptionFlags flags;
    if (!PrintOptions_Read(&flags))
        flags.value[PrintOption_HeatLoss] = 1;
    flags.value[PrintOption_HeatLoss] = record.heatLoss;
    flags.value[PrintOption_Cooling] = record.cooling;
    flags.value[PrintOption_Freezing] = record.freezing;
    flags.value[PrintOption_Costs] = record.costs;
    flags.value[PrintOption_Output] = record.spreadsheet ? kStoredSpreadsheet : record.clipboard;
    PrintOptions_Write(flags);
    if (SelectionChanged(record, g_sel.loaded))
        PrintPage_MarkProjectChanged();
}

void ReadControls(HWND page)
{
    ReentryGuard guard(g_sel.reading);
    if (!guard.entered())
        return;
    PrintSelectionRecord& record = g_sel.record;
    for (const CheckBinding& check : kChecks)
        record.*check.field = IsDlgButtonChecked(page, check.control) == BST_CHECKED;
    PagesFromMarks(record);
}

void FillSystems(HWND page)
{
    HWND list = GetDlgItem(page, IDC_PSEL_SYSTEMS);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    g_sel.names.clear();
    int n = SystemCount();
    for (int i = 0; i < n; ++i) {
        char name[80] = {};
        if (!Kadmi_GetAttID(g_sel.pages[i], 0, Att_SystemName, nullptr, name, 79) || !name[0])
            std::snprintf(name, sizeof(name), "\t---");
        g_sel.names.emplace_back(name);
        // The lines keep their texts for the list's own search by typed letters.
        char line[96];
        std::snprintf(line, sizeof(line), "%u\t%s", static_cast<unsigned>(i + 1), name);
        Wnd_SendText(list, LB_ADDSTRING, 0, line);
    }
    SendMessageW(list, LB_SETCURSEL, 0, 0);
}

void ToggleMark(HWND list, LRESULT line)
{
    if (line < 0 || line >= SystemCount())
        return;
    g_sel.record.printMarks[line] = !g_sel.record.printMarks[line];
    InvalidateRect(list, nullptr, TRUE);
}

// Only a click on a line and Space change a mark: the keys that move through
// the list (arrows, Home, End, pages) leave every mark as it is. A double
// click is one change, made by its first click.
LRESULT CALLBACK SystemsListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    switch (message) {
    case WM_LBUTTONDOWN: {
        const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
        const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, lParam);
        if (HIWORD(hit) == 0)
            ToggleMark(list, LOWORD(hit));
        return result;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            ToggleMark(list, SendMessageW(list, LB_GETCURSEL, 0, 0));
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == ' ')
            return 0;   // the Space was a mark, not a search for a line
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(list, SystemsListProc, 0);
        break;
    default:
        break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

void ShowRecord(HWND page)
{
    for (const CheckBinding& check : kChecks)
        CheckDlgButton(page, check.control, g_sel.record.*check.field ? BST_CHECKED : BST_UNCHECKED);
    FillSystems(page);
    SetWindowSubclass(GetDlgItem(page, IDC_PSEL_SYSTEMS), SystemsListProc, 0, 0);
#ifdef VL_EXTENDED
    // The heat loss section is always part of the report here: shown checked, not to be changed.
    EnableWindow(GetDlgItem(page, IDC_PSEL_HEATLOSS), FALSE);
#endif
    SetFocus(GetDlgItem(page, IDC_PSEL_PREVIEW));
}

void SetAllMarks(HWND page, bool marked)
{
    int n = marked ? SystemCount() : kMaxSystems;
    for (int i = 0; i < n; ++i)
        g_sel.record.printMarks[i] = marked;
    InvalidateRect(GetDlgItem(page, IDC_PSEL_SYSTEMS), nullptr, TRUE);
}

void Print(HWND page)
{
    const PrintSelectionRecord& record = g_sel.record;
    if (record.count == 0) {   // an empty report would go out without a word
        Wnd_MessageBox(page, Shell_Text(kTextNothingMarked), Shell().title, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    int output = record.spreadsheet ? VlPrintOutput_Spreadsheet
                 : record.clipboard ? VlPrintOutput_Clipboard
                                    : VlPrintOutput_Viewer;
    Shell_PrintReport(page, output, VlPrintReport_Calculation, 0);
}

void DrawLine(const DRAWITEMSTRUCT* item)
{
    int line = static_cast<int>(item->itemID);
    if (item->itemID == static_cast<UINT>(-1))
        line = static_cast<int>(SendMessageW(item->hwndItem, LB_GETCURSEL, 0, 0));
    const bool listed = line >= 0 && static_cast<size_t>(line) < g_sel.names.size();
    std::wstring number = listed ? Dlg_Wide(std::to_string(line + 1).c_str()) : std::wstring();
    std::wstring name = Dlg_Wide(listed ? g_sel.names[static_cast<size_t>(line)].c_str() : Shell_Text(Text_NoSystems));
    bool known = line >= 0 && line < kMaxSystems;   // no line: no marks to read
    HDC dc = item->hDC;
    RECT box = item->rcItem;
    int bx = LOWORD(GetDialogBaseUnits());
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Rectangle(dc, box.left, box.top, box.right, box.bottom + 1);
    RECT mark{box.left + 2, box.top + 2, box.left + bx * 8 / 4 - 2, box.bottom - 2};
    Rectangle(dc, mark.left, mark.top, mark.right + 1, mark.bottom + 1);
    if (known && g_sel.record.printMarks[line]) {
        MoveToEx(dc, mark.left, mark.top, nullptr);
        LineTo(dc, mark.right, mark.bottom);
        MoveToEx(dc, mark.left, mark.bottom, nullptr);
        LineTo(dc, mark.right, mark.top);
    }
    SetTextColor(dc, known && g_sel.record.staleMarks[line] ? RGB(255, 0, 0) : RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));   // one with every script's letters
    constexpr UINT kFormat
 = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX;
    RECT numberBox{box.left + bx * 12 / 4, box.top, box.left + bx * 28 / 4, box.bottom};
    DrawTextW(dc, number.c_str(), -1, &numberBox, kFormat);
    RECT nameBox{box.left + bx * 48 / 4, box.top, box.right, box.bottom};
    if (!name.empty())
        DrawTextW(dc, name.c_str(), -1, &nameBox, kFormat);
}

const PrintPageHandlers kHandlers = {ReadControls, SaveRecord, HelpContext_PrintSelection, kSelectionTexts,
                                     ShowRecord};

INT_PTR OnNotify(HWND page, int32_t code)
{
    switch (code) {
    case SheetCode_MarkAll:
    case SheetCode_UnmarkAll:
        SetAllMarks(page, code == SheetCode_MarkAll);
        return TRUE;
    case SheetCode_PrintAll:
        Print(page);
        return TRUE;
    default:
        return PrintPage_OnNotify(page, code, kHandlers);
    }
}

INT_PTR OnCommand(HWND page, UINT id)
{
    switch (id) {
    case IDC_PSEL_MARK_ALL:
    case IDC_PSEL_UNMARK_ALL:
        SetAllMarks(page, id == IDC_PSEL_MARK_ALL);
        return TRUE;
    case SheetCode_NextPage:
    case SheetCode_PrevPage:
        PropSheet_GoToPage(static_cast<int>(id));
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void PrintSelection_ForgetPage(short page)
{
    int16_t pages[kMaxSystems] = {};
    short count = 0;
    if (!Kadmi_GetAtt(-1, Att_PageSelection, &count, pages, sizeof(pages)))
        return;
    int16_t* end = pages + std::clamp<int>(count, 0, kMaxSystems);
    int16_t* kept = std::remove(pages, end, page);
    if (kept == end)
        return;
    Kadmi_DeleteAtt(-1, Att_PageSelection);
    if (kept > pages)
        Kadmi_SetAtt(-1, Att_PageSelection, static_cast<short>(kept - pages), pages);
}

void PrintSelPage_GetPageInfo(PROPSHEETPAGEA* page)
{
    PrintPage_Fill(page, IDD_PRINT_SELECTION, Text_PageSelection, PrintSelPage_DlgProc);
    LoadRecord();
}

INT_PTR CALLBACK PrintSelPage_DlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = HIWORD(GetDialogBaseUnits()) * 6 / 5;
        return TRUE;
    case WM_DRAWITEM:
        if (wParam == IDC_PSEL_SYSTEMS)
            DrawLine(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_NOTIFY:
        return OnNotify(page, PrintPage_Code(wParam, lParam));
    case WM_COMMAND:
        return OnCommand(page, LOWORD(wParam));
    case WM_HELP:
        return TRUE;
    default:
        return PrintPage_OnMessage(page, message, wParam, lParam, kHandlers);
    }
}
