// The insulation thickness selection dialog: asks the engine for the
// thicknesses of layer 1's product, lists them in a report view that sorts
// by the clicked column, prints or copies them, and stores the selected one
// on the layer part. Each item carries the index of its list element, so a
// selection maps back to the right element in any order.
#include "VlInterface/workspace/thickness_dialog.h"
#include "VlInterface/workspace/page_insulation.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlPrint/vlprint.h"
#ifdef VL_EXTENDED
#include "VlCalculate/thickness_order.h"
#include "VlInterface/extended/extended.h"
#include "VlTechDatabase/vltechdb.h"
#include <cstdlib>
#endif
#include "VlUtil/vlutil.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/app.h"
#include "support/dlgutil.h"
#include "support/help.h"
#include "support/lookups.h"
#include "support/numfield.h"
#include "support/tooltips.h"
#include <commctrl.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kColumns = 8;
constexpr int kColumnChars[kColumns] = {8, 40, 22, 23, 26, 17, 32, 20};
constexpr uint32_t kHelpContextThickness = 11;
constexpr uint16_t kTextNoThickness = 20055;
constexpr short kCostPerMetreYear = 5, kCostPerSquareMetreYear = 4;   // currency units of annual costs

const DialogTextTable kDialogTexts[] = {
    {0, 20014, nullptr},    {IDC_THK_PRINT, 20000, nullptr}, {IDC_THK_COPY, 20069, nullptr},
    {IDC_THK_LABEL, 30070, nullptr}, {IDOK, 20017, nullptr},  {IDCANCEL, 9041, nullptr},
    {IDC_DIALOG_HELP, 9188, nullptr}, {0, 0, nullptr},
};
const DialogTextTable kNoTooltips[] = {{0, 0, nullptr}};

HWND List(HWND dialog)
{
    return GetDlgItem(dialog, IDC_THK_LIST);
}

bool PerMetre()
{
    int16_t geometry = Kadmi_GetIntAtt(0, Att_ObjectKind);
    return geometry >= 11 && geometry <= 13;
}

// Its dimensions are width and height: "600 * 400", no diameters.
bool RectangularDuct()
{
    return Kadmi_GetIntAtt(0, Att_ObjectKind) == Kind_RectDuct;
}

std::string ColumnTitle(int column)
{
    switch (column) {
    case 0: return Shell_Text(20018);
    case 1: return Shell_Text(30070);
    case 2: return Shell_Text(RectangularDuct() ? 45351 : 40032);
    case 3: return Shell_Text(RectangularDuct() ? 45352 : 40033);
    case 4: return Shell_Text(40035);
    case 5: return Shell_Text(PerMetre() ? 20044 : 20045);
    case 6: return Shell_Text(Kadmi_GetIntAtt(0, Att_ReportedSurface) == Surface_Inner ? 20067 : 20068);
    default: {
        std::string title = std::string(Shell_Text(30084)) + " [";   // the total, not its investment part
        if (long unit = Price_CurrencyUnitTextId(PerMetre() ? kCostPerMetreYear : kCostPerSquareMetreYear))
            title += Shell_Text(uint16_t(unit));
        return title + "]";
    }
    }
}

void AddColumns(HWND dialog)
{
    HWND list = List(dialog);
    ListView_SetExtendedListViewStyle(list, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    int* widths = ThicknessDlg().widths;
    for (int c = 0; c < kColumns; ++c) {
        if (widths[c] == 0)
            widths[c] = ListView_GetStringWidth(list, std::string(size_t(kColumnChars[c]), '0').c_str());
        Lv_AddColumn(list, c, ColumnTitle(c).c_str(), widths[c], LVCFMT_LEFT);

    }
}

// Headings break at a blank onto a second line, so that all columns fit the
// list without sideways scrolling: the header is a text line taller and its
// items are drawn here.
int TextWidth(HDC dc, const std::wstring& text)
{
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
    return size.cx;
}

int LinesIn(HDC dc, const std::wstring& text, int width)
{
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT room{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), int(text.size()), &room, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    return room.bottom / std::max(int(metrics.tmHeight), 1);
}

// The narrowest width at a blank that shows text in at most two lines.
int TwoLineWidth(HDC dc, const std::wstring& text)
{
    int best = TextWidth(dc, text);
    for (size_t blank = text.find(L' '); blank != std::wstring::npos; blank = text.find(L' ', blank + 1)) {
        int width = std::max(TextWidth(dc, text.substr(0, blank)), TextWidth(dc, text.substr(blank + 1)));
        if (width < best && LinesIn(dc, text, width) <= 2)
            best = width;
    }
    return best;
}

int LineHeight(HWND window)
{
    Dlg_FontDc dc(window);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    return metrics.tmHeight;
}

int HeadingMargin()
{
    return 3 * GetSystemMetrics(SM_CXEDGE);
}

LRESULT CALLBACK TallHeaderProc(HWND header, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR)
{
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(header, TallHeaderProc, id);
    LRESULT result = DefSubclassProc(header, message, wParam, lParam);
    if (message == HDM_LAYOUT && result) {
        auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
        const int extra = LineHeight(header);
        layout->pwpos->cy += extra;
        layout->prc->top += extra;
    }
    return result;
}

void DrawHeading(const DRAWITEMSTRUCT& item)
{
    wchar_t text[256] = {};
    HDITEMW heading{};
    heading.mask = HDI_TEXT;
    heading.pszText = text;
    heading.cchTextMax = 255;
    SendMessageW(item.hwndItem, HDM_GETITEMW, item.itemID, reinterpret_cast<LPARAM>(&heading));
    RECT room = item.rcItem;
    InflateRect(&room, -HeadingMargin(), -GetSystemMetrics(SM_CYEDGE));
    if (item.itemState & ODS_SELECTED)
        OffsetRect(&room, 1, 1);
    HGDIOBJ old = SelectObject(item.hDC, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(item.hDC, text, -1, &room, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(item.hDC, old);
}

LRESULT CALLBACK HeadingDrawProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR)
{
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(list, HeadingDrawProc, id);
    if (message == WM_DRAWITEM && reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->CtlType == ODT_HEADER) {
        DrawHeading(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

// Gives the list's header room for two-line headings and draws them.
void UseTwoLineHeadings(HWND list)
{
    HWND header = ListView_GetHeader(list);
    for (int c = 0; c < Header_GetItemCount(header); ++c) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        SendMessageW(header, HDM_GETITEMW, c, reinterpret_cast<LPARAM>(&item));
        item.fmt |= HDF_OWNERDRAW;
        SendMessageW(header, HDM_SETITEMW, c, reinterpret_cast<LPARAM>(&item));
    }
    SetWindowSubclass(header, TallHeaderProc, 0, 0);
    SetWindowSubclass(list, HeadingDrawProc, 0, 0);
    // A size change makes the list lay out its header again.
    RECT box{};
    GetWindowRect(list, &box);
    const int width = box.right - box.left, height = box.bottom - box.top;
    const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(list, nullptr, 0, 0, width, height - 1, flags);
    SetWindowPos(list, nullptr, 0, 0, width, height, flags);
}

// Each column as wide as its widest entry and its heading in two lines. The
// entries are measured here, with one device context: the list's own
// autosizing measures each cell with one of its own, which under Wine costs
// more than filling the list.
void FitColumns(HWND dialog)
{
    HWND list = List(dialog);
    Dlg_FontDc dc(ListView_GetHeader(list));
    const int cellPadding = 2 * ListView_GetStringWidth(list, "0");   // the list's margins around a cell's text
    for (int c = 0; c < kColumns; ++c) {
        const int entries = Dlg_WidestTextWidth(list, ThicknessDlg().columnTexts[size_t(c)]) + cellPadding;
        const int heading = TwoLineWidth(dc.get(), Dlg_Wide(ColumnTitle(c).c_str())) + 2 * HeadingMargin();
        ListView_SetColumnWidth(list, c, std::max(entries, heading));
    }
}

std::string Dimensions(float first, float second)
{
    char text[64];
    if (second > 0)
        std::snprintf(text, sizeof(text), "%.*f * %.*f", Field_DimensionDecimals(first), double(first),
                      Field_DimensionDecimals(second), double(second));
    else
        std::snprintf(text, sizeof(text), "%.*f", Field_DimensionDecimals(first), double(first));
    return text;
}

std::string Number(const char* format, float value)
{
    char text[64];
    std::snprintf(text, sizeof(text), format, double(value));
    return text;
}

// An element's product code without trailing blanks.
std::string CodeOf(const INSULATIONTHICKNESSRESULTLIST& e)
{
    std::string code(e.productCode, strnlen(e.productCode, sizeof(e.productCode)));
    code.erase(code.find_last_not_of(' ') + 1);
    return code;
}

// The product name of a row: each product record has a name of its own.
std::string RowName(const std::string& code)
{
    return Product_GetName(code.c_str(), ThicknessDlg().record.group);
}

// The layer's chosen thickness, "" for none.
std::string CurrentCode()
{
    const char* code = Kadmi_GetStringAtt(ThicknessDlg().record.part, Att_ProductCode);
    std::string text = code ? code : "";
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// The text of an element's cell in a column; row is its place in the list.
std::string CellText(int row, int column)
{
    const INSULATIONTHICKNESSRESULTLIST& e = ThicknessDlg().list[row];
    switch (column) {
    case 0: {
        char number[16];
        std::snprintf(number, sizeof(number), "%3d", row + 1);
        return number;
    }
    case 1: return RowName(CodeOf(e));
    case 2: return Dimensions(e.innerDimension1, e.innerDimension2);
    case 3: return Dimensions(e.outerDimension1, e.outerDimension2);
    case 4: return Number("%.0f", e.thickness);
    case 5: return Number("%.1f", e.heatLoss);
    case 6: return Number("%.1f", e.surfaceTemp);
    default: return ThicknessList_IsCosted(e) ? Number("%.2f", e.totalAnnualCost) : std::string();
    }
}

// Selects and shows the item of the selected element, wherever the sort put it.
void ShowSelectedRow(HWND list)
{
    const ThicknessDlgState& s = ThicknessDlg();
    auto item = std::find(s.rows.begin(), s.rows.end(), s.selectedRow);
    if (item == s.rows.end())
        return;
    const int index = int(item - s.rows.begin());
    ListView_SetItemState(list, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, index, FALSE);
}

// The text of item's cell in column as the list shows it, "" past the rows.
const std::string& ShownText(int item, int column)
{
    static const std::string none;
    const ThicknessDlgState& s = ThicknessDlg();
    if (column < 0 || column >= kColumns)
        return none;
    const int row = s.count > 0 ? (item >= 0 && size_t(item) < s.rows.size() ? s.rows[size_t(item)] : -1) : item;
    const std::vector<std::string>& texts = s.columnTexts[size_t(column)];
    return row >= 0 && size_t(row) < texts.size() ? texts[size_t(row)] : none;
}

void OnGetDispInfo(NMLVDISPINFOW* info)
{
    LVITEMW& item = info->item;
    if (item.mask & LVIF_TEXT)
        Dlg_CopyWide(item.pszText, item.cchTextMax, ShownText(item.iItem, item.iSubItem).c_str());
}

// The list asks for the texts of the rows it shows (a virtual list: adding
// rows one by one costs a few milliseconds each under Wine). Without a
// thickness it shows one row that says so.
void FillRows(HWND dialog)
{
    ThicknessDlgState& s = ThicknessDlg();
    HWND list = List(dialog);
    s.rows.clear();
    for (auto& texts : s.columnTexts)
        texts.clear();
    const std::string current = CurrentCode();
    int selected = -1;
    for (int row = 0; row < s.count; ++row) {
        for (int c = 0; c < kColumns; ++c)
            s.columnTexts[size_t(c)].push_back(CellText(row, c));
        s.rows.push_back(row);
        if (selected < 0 && CodeOf(s.list[row]) == current)
            selected = row;
    }
    if (s.count == 0) {
        s.columnTexts[0] = {"  0"};
        s.columnTexts[1] = {Shell_Text(kTextNoThickness)};
    }
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    FitColumns(dialog);   // before the rows, which each width change would lay out again
    ListView_SetItemCountEx(list, s.count > 0 ? s.count : 1, 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    // The layer's current thickness when the list holds it, else the first row.
    s.selectedRow = s.count > 0 ? std::max(selected, 0) : -1;
    if (s.count > 0)
        ShowSelectedRow(list);
}

void EnableButtons(HWND dialog)
{
    bool rows = ThicknessDlg().count > 0;
    for (int id : {IDOK, IDC_THK_PRINT, IDC_THK_COPY})
        Dlg_EnableItem(dialog, id, rows);
    Dlg_EnableItem(dialog, IDC_THK_HEADING, true);
}

#ifdef VL_EXTENDED
// A list can be asked for a layer part with a product and a calculation case.
bool ListInputsAccepted(const ThicknessDlgRecord& r)
{
    return r.part >= 1 && r.group[0] && r.productKey[0] && r.calculationCase >= 0 && r.calculationCase <= kCaseAll;
}

// The nominal list in case 4, each case in its own order, and pipes and round
// ducts in cases 1 to 3 with one insulation per inner diameter. The reduction
// works in place on the engine's list, so there is still one list to free.
void RequestList(ThicknessDlgState& s, const INSULATIONTHICKNESSINPUT& input)
{
    short count = 0;
    s.list = input.calculationCase == kCaseAll ? CalculateInsulationNominalThicknessList(input, &count)
                                               : CalculateInsulationThicknessList(input, &count);
    s.count = s.list ? count : 0;
    if (s.count > 0)
        std::qsort(s.list, size_t(s.count), sizeof(*s.list), NominalThicknessList_CompareForCase(input.calculationCase));
    int16_t kind = Kadmi_GetIntAtt(0, Att_ObjectKind);
    bool round = kind == Kind_Pipe || kind == Kind_RoundDuct;
    if (s.count > 0 && round && input.calculationCase >= 1 && input.calculationCase <= 3) {
        int32_t reduced = s.count;
        s.list = SelectOnlyOneInsulationForEachInnerDiameter(&reduced);
        s.count = s.list ? reduced : 0;
    }
}
#else
void RequestList(ThicknessDlgState& s, const INSULATIONTHICKNESSINPUT& input)
{
    short count = 0;
    s.list = CalculateInsulationThicknessList(input, &count);
    s.count = s.list ? count : 0;
    // Those with a cost by cost, then the others by thickness.
    std::stable_sort(s.list, s.list + s.count, [](const auto& a, const auto& b) {
        const bool aCosted = ThicknessList_IsCosted(a), bCosted = ThicknessList_IsCosted(b);
        if (aCosted != bCosted)
            return aCosted;
        return aCosted ? a.totalAnnualCost < b.totalAnnualCost : a.thickness < b.thickness;
    });
}
#endif

int Calculate(HWND dialog)
{
    ThicknessDlgState& s = ThicknessDlg();
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
    ErrorList_Clear();
#ifdef VL_EXTENDED
    if (!ListInputsAccepted(s.record)) {
        SetCursor(previous);
        return -1;
    }
#endif
    if (s.list)
        DeleteThicknessResultList();
    s.list = nullptr;
    s.count = 0;
    ListView_DeleteAllItems(List(dialog));
    INSULATIONTHICKNESSINPUT input{};
    input.part = s.record.part;
    std::memcpy(input.productGroup, s.record.group, sizeof(input.productGroup));
    input.calculationCase = s.record.calculationCase;
    input.heatLossLimit = s.record.heatLossLimit;
    input.surfaceTempLimit = s.record.surfaceTempLimit;
    RequestList(s, input);
    SetCursor(previous);
    FillRows(dialog);
    Kadmi_MarkAccess(0, Stamp_ThicknessList);
    if (ErrorList_NError() > 0)
        ErrorDialog(dialog);
    return 0;
}

float SortKey(const INSULATIONTHICKNESSRESULTLIST& e, int column)
{
    switch (column) {
    case 2: return e.innerDimension1;
    case 3: return e.outerDimension1;
    case 4: return e.thickness;
    case 5: return e.heatLoss;
    case 6: return e.surfaceTemp;
    default: return e.totalAnnualCost;
    }
}

// Sorting order of elements a and b by column: below 0 when a comes first.
int CompareRows(int a, int b, int column)
{
    const ThicknessDlgState& s = ThicknessDlg();
    const auto& x = s.list[a];
    const auto& y = s.list[b];
    int order;
    if (column == 0)
        order = a < b ? -1 : a > b;
    else if (column == 1)
        order = std::strncmp(x.productCode, y.productCode, sizeof(x.productCode));
    else
        order = SortKey(x, int(column)) < SortKey(y, int(column)) ? -1 : SortKey(y, int(column)) < SortKey(x, int(column));
    return s.ascending ? order : -order;
}

void OnColumnClick(HWND dialog, int column)
{
    ThicknessDlgState& s = ThicknessDlg();
    if (s.count == 0)
        return;
    s.ascending = !s.ascending;   // the first click sorts ascending
    std::stable_sort(s.rows.begin(), s.rows.end(), [column](int a, int b) { return CompareRows(a, b, column) < 0; });
    HWND list = List(dialog);
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ShowSelectedRow(list);
    InvalidateRect(list, nullptr, TRUE);
}

void OnItemChanged(const NMLISTVIEW* change)
{
    const ThicknessDlgState& s = ThicknessDlg();
    if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) && change->iItem >= 0 &&
        size_t(change->iItem) < s.rows.size())
        ThicknessDlg().selectedRow = s.rows[size_t(change->iItem)];
}

void PrintList(HWND dialog, int output)
{
    ThicknessDlgState& s = ThicknessDlg();
    SetInsulationData(s.list, short(s.count), s.record.heading);
    Shell_PrintReport(dialog, output, VlPrintReport_ThicknessList, 1);
}

void OnInitDialog(HWND dialog)
{
    Wnd_CenterOnOwner(dialog);
    TextAPI_TranslateDialog(Shell().textHandle, dialog, kDialogTexts);
    ThicknessDlg().ascending = false;
    AddColumns(dialog);
    UseTwoLineHeadings(List(dialog));
    Dlg_SetItemText(dialog, IDC_THK_HEADING, ThicknessDlg().record.heading);
#ifdef VL_EXTENDED
    Dlg_SetItemText(dialog, IDC_THK_DESCRIPTION, InsulationObject_Describe());
#endif
    Calculate(dialog);
    EnableButtons(dialog);
    SetFocus(List(dialog));
}

void LoadRecord(int32_t part)
{
    ThicknessDlgRecord& r = ThicknessDlg().record;
    r = {};
    r.part = part;
    Kadmi_GetStringNAtt(part, Att_ProductType, r.productKey, sizeof(r.productKey));
    Kadmi_GetStringNAtt(part, Att_ProductClass, r.group, sizeof(r.group));
    std::snprintf(r.heading, sizeof(r.heading), "%s", Product_GetName(r.productKey, r.group));
    r.calculationCase = Kadmi_GetIntAtt(part, Att_CalculationCase);
    r.heatLossLimit = Kadmi_GetFloatAtt(part, Att_HeatLossLimit);
    r.surfaceTempLimit = Kadmi_GetFloatAtt(part, Att_SurfaceTempLimit);
    ThicknessDlg().saved = r;
}

std::string SelectedCode()
{
    const ThicknessDlgState& s = ThicknessDlg();
    if (s.selectedRow < 0 || s.selectedRow >= s.count)
        return {};
    return CodeOf(s.list[s.selectedRow]);
}

void StoreSelection()
{
    ThicknessDlgState& s = ThicknessDlg();
    std::string previous = CurrentCode();
    std::string chosen = SelectedCode();
    s.record.calculationCase = kCaseAll;
    Kadmi_SetIntAtt(s.record.part, Att_CalculationCase, s.record.calculationCase);
    Kadmi_SetStringAtt(s.record.part, Att_ProductCode, chosen.c_str());
    // Another thickness is a change even when the case was already 4.
    if (std::memcmp(&s.record, &s.saved, sizeof(s.record)) != 0 || chosen != previous) {
        Kadmi_MarkAccess(-1, Stamp_ProjectChanged);
        MainWnd_UpdateTitle();
    }
}

} // namespace

ThicknessDlgState& ThicknessDlg()
{
    static ThicknessDlgState state{};
    return state;
}

INT_PTR ThicknessDlg_Show(HWND owner, int32_t part)
{
    if (part < 1)
        return -1;
    ThicknessDlgState& s = ThicknessDlg();
    s.list = nullptr;
    s.count = 0;
    LoadRecord(part);
    INT_PTR result = DialogBoxParamW(App().instance, MAKEINTRESOURCEW(IDD_THICKNESS_DIALOG), owner,
                                     ThicknessDlg_Proc, 0);
    if (result == IDOK)
        StoreSelection();
    return result;
}

INT_PTR CALLBACK ThicknessDlg_Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    Tooltip_HandleDialogMessage(dialog, message, wParam, lParam, Shell().textHandle, kNoTooltips);
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return FALSE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_THK_LIST && header->code == LVN_COLUMNCLICK)
            OnColumnClick(dialog, reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
        else if (header->idFrom == IDC_THK_LIST && header->code == LVN_ITEMCHANGED)
            OnItemChanged(reinterpret_cast<const NMLISTVIEW*>(lParam));
        else if (header->idFrom == IDC_THK_LIST && header->code == LVN_GETDISPINFOW)
            OnGetDispInfo(reinterpret_cast<NMLVDISPINFOW*>(lParam));
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL: EndDialog(dialog, LOWORD(wParam)); return TRUE;
        case IDC_DIALOG_HELP: Help_Show(dialog, Shell().helpPath, kHelpContextThickness); return TRUE;
        case IDC_THK_PRINT: PrintList(dialog, VlPrintOutput_Viewer); return TRUE;
        case IDC_THK_COPY: PrintList(dialog, VlPrintOutput_Clipboard); return TRUE;
        default: return FALSE;
        }
    case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}
