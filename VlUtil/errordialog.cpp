// The error dialog: the error list's entries sorted by object and severity,
// each object's entries headed by a group line (the general messages by one
// text, a part by its product and description), drawn in two columns.
#include "VlUtil/vlutil.h"
#include "VlUtil/vlutil_internal.h"
#include "VlUtil/resource.h"
#include "Kadmi/kadmi.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/app.h"
#include "support/dlgutil.h"
#include "support/lookups.h"
#include "support/tooltips.h"
#include <algorithm>
#include <string>

namespace {

constexpr long GeneralGroupTextId = 20048;
constexpr long NoErrorsTextId = 20049;
constexpr short AttPartDescription = 1503;
constexpr int PartDescriptionSize = 1024;
constexpr int EntryIndent = 10;
constexpr LPARAM GeneralGroupData = -1;
constexpr LPARAM PartGroupData = 0;
// The columns of a line, in horizontal dialog base units.
constexpr LONG LeftColumnStart = 2;
constexpr LONG LeftColumnEnd = 28;
constexpr LONG RightColumnStart = 30;

const DialogTextTable translation[] = {
    {0, 20047, nullptr},     // caption
    {IDOK, 9266, nullptr},
    {0, 0, nullptr},
};
const DialogTextTable noTooltips[] = {{0, 0, nullptr}};

void SortEntries()
{
    VlUtilGlobals& g = VlUtil();
    std::sort(g.entries, g.entries + g.count, [](const ErrorEntry& a, const ErrorEntry& b) {
        return a.page != b.page ? a.page < b.page : a.kind < b.kind;
    });
}

void AddLine(HWND list, const std::string& line, LPARAM data)
{
    LRESULT index = Wnd_SendText(list, LB_ADDSTRING, 0, line.c_str());
    if (index >= 0)
        SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

// The heading of a part's entries: its product, a tab, its description.
std::string PartGroupLine(long part)
{
    std::string line = Product_GetNameOfPart(part);
    line += '\t';
    char description[PartDescriptionSize];
    if (Kadmi_GetStringNAtt(part, AttPartDescription, description, sizeof description))
        line += description;
    return line;
}

// Horizontal and vertical dialog base units of the dialog's own font.
SIZE BaseUnits(HWND dialog)
{
    RECT units = {0, 0, 4, 8};
    MapDialogRect(dialog, &units);
    return {units.right, units.bottom};
}

std::string ListLine(HWND list, int index)
{
    return Wnd_ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, WPARAM(index));

}

// The line of an item; for the focus of an empty list, the selection or the
// "no errors" text in the right column.
std::string ItemLine(const DRAWITEMSTRUCT& item)
{
    int index = static_cast<int>(item.itemID);
    if (index < 0)
        index = static_cast<int>(SendMessageW(item.hwndItem, LB_GETCURSEL, 0, 0));
    if (index < 0)
        return std::string("\t") + VlUtil_Text(NoErrorsTextId);
    return ListLine(item.hwndItem, index);
}

// Draws UTF-8 text: converted here, because the ANSI drawing calls convert
// with the code page of the font's character set rather than the process's.
// With DT_CALCRECT the measured rectangle goes to measured.
void DrawUtf8(HDC dc, const std::string& text, RECT rect, UINT format, RECT* measured = nullptr)
{
    int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    DrawTextW(dc, wide.c_str(), length, &rect, format);
    if (measured)
        *measured = rect;
}

// A line split at its first tab into the left and the right column.
struct Columns {
    std::string left;
    std::string right;
};

Columns SplitLine(const std::string& line)
{
    size_t tab = line.find('\t');
    if (tab == std::string::npos)
        return {line, ""};
    return {line.substr(0, tab), line.substr(tab + 1)};
}

constexpr UINT LineFormat = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX;

LONG TextWidth(HDC dc, const std::string& text)
{
    RECT rect = {0, 0, 0, 0};
    DrawUtf8(dc, text, rect, LineFormat | DT_CALCRECT, &rect);
    return rect.right - rect.left;
}

// Long messages run past the list's width: the list scrolls sideways as far
// as its widest line reaches.
void SetHorizontalExtent(HWND dialog, HWND list)
{
    HDC dc = GetDC(list);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    LONG bx = BaseUnits(dialog).cx;
    LONG widest = 0;
    int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        Columns line = SplitLine(ListLine(list, i));
        LONG width = line.right.empty() ? TextWidth(dc, line.left)
                                        : RightColumnStart * bx + TextWidth(dc, line.right);
        widest = std::max(widest, width);
    }
    SelectObject(dc, oldFont);
    ReleaseDC(list, dc);
    SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + bx), 0);
}

void FillList(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_ERROR_LIST);
    SortEntries();
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    long previousPage = -100;
    for (int i = 0; i < VlUtil().count; ++i) {
        long page = VlUtil().entries[i].page;
        if (page != previousPage) {
            previousPage = page;
            if (page == 0)
                AddLine(list, std::string(VlUtil_Text(GeneralGroupTextId)) + '\t', GeneralGroupData);
            else if (page > 0)
                AddLine(list, PartGroupLine(page), PartGroupData);
        }
        AddLine(list, std::string(EntryIndent, ' ') + ErrorList_IthErrorStr(i) + '\t', i);
    }
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    SetHorizontalExtent(dialog, list);
}

void OnMeasureItem(HWND dialog, MEASUREITEMSTRUCT& item)
{
    SIZE base = BaseUnits(dialog);
    item.itemHeight = static_cast<UINT>(base.cy * 6 / 5);
    item.itemWidth = static_cast<UINT>(base.cx * 5);
}

// Left column from 2 to 28 horizontal base units (the whole line when there
// is no right column), right column from 30 units to the end; a rule under
// every line. The dialog's font shows every language of the texts.
void OnDrawItem(HWND dialog, const DRAWITEMSTRUCT& item)
{
    auto [left, right] = SplitLine(ItemLine(item));
    LONG bx = BaseUnits(dialog).cx;
    const RECT& area = item.rcItem;

    HDC dc = item.hDC;
    int saved = SaveDC(dc);
    FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    RECT leftRect = area;
    if (!right.empty()) {
        leftRect.left = area.left + LeftColumnStart * bx;
        leftRect.right = area.left + LeftColumnEnd * bx;
        RECT rightRect = area;
        rightRect.left = area.left + RightColumnStart * bx;
        DrawUtf8(dc, right, rightRect, LineFormat);
    }
    DrawUtf8(dc, left, leftRect, LineFormat);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    MoveToEx(dc, area.left, area.bottom - 1, nullptr);
    LineTo(dc, area.right, area.bottom - 1);
    RestoreDC(dc, saved);
}

BOOL OnInitDialog(HWND dialog)
{
    TextAPI_TranslateDialog(VlUtil().textHandle, dialog, translation);
    FillList(dialog);
    SetFocus(GetDlgItem(dialog, IDOK));
    return FALSE;   // the focus is set
}

INT_PTR CALLBACK ErrorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    Tooltip_HandleDialogMessage(dialog, message, wParam, lParam, VlUtil().textHandle, noTooltips);
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_MEASUREITEM:
        OnMeasureItem(dialog, *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        OnDrawItem(dialog, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI ErrorDialog(HWND owner)
{
    INT_PTR result = DialogBoxParamW(App().instance, MAKEINTRESOURCEW(IDD_ERRORS), owner, ErrorDialogProc, 0);
    return result == IDOK ? IDOK : IDCANCEL;
}
