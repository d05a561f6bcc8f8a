// Small functions on dialog items, menus and window texts, shared by every
// dialog of the module.
#include "support/dlgutil.h"
#include "support/utf8.h"
#include <commctrl.h>
#include <imm.h>
#include <algorithm>
#include <string>
#include <string_view>

namespace {

// Room for a tab's caption read back.
constexpr int kTabTextChars = 128;
// Marks a child that Dlg_DisableChildren disabled, so that only those come
// back: a control its dialog keeps disabled stays so.
constexpr wchar_t kDisabledWithParent[] = L"VlDisabledWithParent";

BOOL CALLBACK DisableWindow(HWND window, LPARAM)
{
    if (IsWindowEnabled(window)) {
        SetPropW(window, kDisabledWithParent, reinterpret_cast<HANDLE>(1));
        EnableWindow(window, FALSE);
    }
    return TRUE;
}

BOOL CALLBACK RestoreWindow(HWND window, LPARAM)
{
    if (RemovePropW(window, kDisabledWithParent))
        EnableWindow(window, TRUE);
    return TRUE;
}

// Marks the byte limit's subclass among others of the same edit control.
constexpr UINT_PTR kByteLimitSubclass = 0x564C;
// Characters below a blank and DEL are keys (backspace, Ctrl+V,
// Ctrl+Backspace ...), not text, but for Tab and Enter in a multi-line edit.
constexpr wchar_t kFirstTextChar = L' ';
constexpr wchar_t kDeleteChar = 0x7F;

// UTF-8 bytes of unit after previous; a high surrogate counts its whole
// letter, so the room for its low half is kept when it is typed alone.
size_t UnitBytes(wchar_t previous, wchar_t unit)
{
    if (unit < 0x80)
        return 1;
    if (unit < 0x800)
        return 2;
    if (IS_HIGH_SURROGATE(unit))
        return 4;
    return IS_LOW_SURROGATE(unit) && IS_HIGH_SURROGATE(previous) ? 0 : 3;
}

size_t Utf8Bytes(std::wstring_view text, wchar_t previous)
{
    size_t bytes = 0;
    for (wchar_t unit : text) {
        bytes += UnitBytes(previous, unit);
        previous = unit;
    }
    return bytes;
}

std::wstring WideText(HWND window)
{
    std::wstring text(size_t(std::max(GetWindowTextLengthW(window), 0)) + 1, L'\0');
    text.resize(size_t(std::max(GetWindowTextW(window, text.data(), int(text.size())), 0)));
    return text;
}

// How many units of insert fit in place of the edit's selection, never half
// a surrogate pair or of a line break.
size_t FittingUnits(HWND edit, std::wstring_view insert, size_t maxBytes)
{
    const std::wstring text = WideText(edit);
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const size_t first = std::min<size_t>(std::min(start, end), text.size());
    const size_t last = std::min<size_t>(std::max(start, end), text.size());
    const std::wstring_view before = std::wstring_view(text).substr(0, first);
    wchar_t previous = before.empty() ? L'\0' : before.back();
    size_t used = Utf8Bytes(before, L'\0') + Utf8Bytes(std::wstring_view(text).substr(last), previous);
    size_t fit = 0;
    while (fit < insert.size()) {
        const wchar_t next = fit + 1 < insert.size() ? insert[fit + 1] : L'\0';
        const bool surrogates = IS_HIGH_SURROGATE(insert[fit]) && IS_LOW_SURROGATE(next);
        const bool lineBreak = insert[fit] == L'\r' && next == L'\n';
        // The low half of a letter whose high half was refused.
        const bool orphan = IS_LOW_SURROGATE(insert[fit]) && !IS_HIGH_SURROGATE(previous);
        const size_t bytes = UnitBytes(previous, insert[fit]) + (lineBreak ? 1 : 0);
        if (orphan || used + bytes > maxBytes)
            break;
        used += bytes;
        fit += surrogates || lineBreak ? 2 : 1;
        previous = insert[fit - 1];
    }
    return fit;
}

// The clipboard's text as a paste puts it in: a single-line edit takes its
// first line only.
std::wstring PastedText(HWND edit)
{
    std::wstring text;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(edit))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* locked = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = locked;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    if (!(GetWindowLongW(edit, GWL_STYLE) & ES_MULTILINE))
        text.resize(std::min(text.size(), text.find_first_of(L"\r\n")));
    return text;
}

bool Writable(HWND edit)
{
    return !(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY);
}

// The text a typed character puts in; empty for a key.
std::wstring_view TypedText(HWND edit, const wchar_t& typed)
{
    if (typed >= kFirstTextChar && typed != kDeleteChar)
        return std::wstring_view(&typed, 1);
    if (!(GetWindowLongW(edit, GWL_STYLE) & ES_MULTILINE))
        return {};
    if (typed == L'\t')
        return L"\t";
    return typed == L'\r' ? L"\r\n" : std::wstring_view();
}

// Puts what fits of insert in place of the selection; the whole text goes
// through the control's own handling of message.
LRESULT InsertFitting(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, std::wstring_view insert, size_t maxBytes)
{
    const size_t fit = FittingUnits(edit, insert, maxBytes);
    if (fit == insert.size())
        return DefSubclassProc(edit, message, wParam, lParam);
    MessageBeep(MB_OK);
    if (fit > 0) {
        const std::wstring part(insert.substr(0, fit));
        DefSubclassProc(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(part.c_str()));
    }
    return 0;
}

// An input method's result is put in by the control itself: the text before
// it comes back when the result made the text too long.
LRESULT CheckAfter(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, size_t maxBytes)
{
    const std::wstring text = WideText(edit);
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
    if (Utf8Bytes(WideText(edit), L'\0') > maxBytes) {
        MessageBeep(MB_OK);
        DefSubclassProc(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageW(edit, EM_SETSEL, start, end);
    }
    return result;
}

LRESULT CALLBACK ByteLimitProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR maxBytes)
{
    switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
    {
        const wchar_t typed = wchar_t(wParam);
        const std::wstring_view text = TypedText(edit, typed);
        if (!text.empty())
            return InsertFitting(edit, message, wParam, lParam, text, maxBytes);
        break;
    }
    case WM_PASTE:
        if (Writable(edit))
            return InsertFitting(edit, message, wParam, lParam, PastedText(edit), maxBytes);
        break;
    case EM_REPLACESEL:
        if (lParam) {
            const std::wstring_view insert(reinterpret_cast<const wchar_t*>(lParam));
            const std::wstring part(insert.substr(0, FittingUnits(edit, insert, maxBytes)));
            return DefSubclassProc(edit, message, wParam, reinterpret_cast<LPARAM>(part.c_str()));
        }
        break;
    case WM_IME_COMPOSITION:
        if (lParam & GCS_RESULTSTR)
            return CheckAfter(edit, message, wParam, lParam, maxBytes);
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(edit, ByteLimitProc, kByteLimitSubclass);
        break;
    default:
        break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

std::wstring Dlg_Wide(const char* text)
{
    if (!text)
        return {};
    int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring wide(size_t(std::max(length, 1)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

std::string Dlg_Narrow(const wchar_t* text, int length)
{
    if (!text || length == 0)
        return {};
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string narrow(size_t(std::max(bytes, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, narrow.data(), bytes, nullptr, nullptr);
    if (length < 0 && !narrow.empty())
        narrow.pop_back();
    return narrow;
}

void Dlg_CopyWide(wchar_t* buffer, int size, const char* text)
{
    if (!buffer || size < 1)
        return;
    std::wstring wide = Dlg_Wide(text);
    size_t length = std::min(wide.size(), size_t(size - 1));
    // A surrogate pair is one character: keep both halves or neither.
    if (length > 0 && length < wide.size() && IS_HIGH_SURROGATE(wide[length - 1]))
        --length;
    wide.copy(buffer, length);
    buffer[length] = L'\0';
}

void Edit_LimitBytes(HWND edit, int maxBytes)
{
    if (edit)
        SetWindowSubclass(edit, ByteLimitProc, kByteLimitSubclass, DWORD_PTR(std::max(maxBytes, 0)));
}

void Wnd_SetText(HWND window, const char* text)
{
    SetWindowTextW(window, Dlg_Wide(text).c_str());
}

std::string Wnd_GetText(HWND window)
{
    const std::wstring text = WideText(window);
    return Dlg_Narrow(text.c_str(), int(text.size()));
}

void Dlg_SetItemText(HWND dialog, int id, const char* text)
{
    Wnd_SetText(GetDlgItem(dialog, id), text);
}

std::string Dlg_GetItemText(HWND dialog, int id)
{
    HWND item = GetDlgItem(dialog, id);
    return item ? Wnd_GetText(item) : std::string();
}

void Dlg_GetItemText(HWND dialog, int id, char* buffer, int size)
{
    if (buffer && size > 0)
        Utf8_CopyCut(buffer, size_t(size), Dlg_GetItemText(dialog, id).c_str());
}

LRESULT Wnd_SendText(HWND window, UINT message, WPARAM wParam, const char* text)
{
    std::wstring wide = Dlg_Wide(text);
    return SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(wide.c_str()));
}

std::string Wnd_ItemText(HWND list, UINT lengthMessage, UINT textMessage, WPARAM index)
{
    LRESULT length = SendMessageW(list, lengthMessage, index, 0);
    if (length < 0)
        return {};
    std::wstring text(size_t(length) + 1, L'\0');
    LRESULT got = SendMessageW(list, textMessage, index, reinterpret_cast<LPARAM>(text.data()));
    return got < 0 ? std::string() : Dlg_Narrow(text.c_str(), int(std::min(got, length)));
}

int Wnd_MessageBox(HWND owner, const char* text, const char* caption, UINT flags)
{
    std::wstring wideCaption = Dlg_Wide(caption);
    return MessageBoxW(owner, Dlg_Wide(text).c_str(), caption ? wideCaption.c_str() : nullptr, flags);
}

namespace {

// Inserts (TCM_INSERTITEMW) or sets (TCM_SETITEMW) a tab's text and param.
void SendTabItem(HWND tabs, UINT message, int index, const char* text, LPARAM param)
{
    std::wstring wide = Dlg_Wide(text);
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = wide.data();
    item.lParam = param;
    SendMessageW(tabs, message, WPARAM(index), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

void Tab_InsertItem(HWND tabs, int index, const char* text, LPARAM param)
{
    SendTabItem(tabs, TCM_INSERTITEMW, index, text, param);
}

void Tab_SetItem(HWND tabs, int index, const char* text, LPARAM param)
{
    SendTabItem(tabs, TCM_SETITEMW, index, text, param);
}

bool Tab_GetItem(HWND tabs, int index, std::string* text, LPARAM* param)
{
    wchar_t buffer[kTabTextChars] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = buffer;
    item.cchTextMax = kTabTextChars;
    if (index < 0 || !SendMessageW(tabs, TCM_GETITEMW, WPARAM(index), reinterpret_cast<LPARAM>(&item)))
        return false;
    if (text)
        *text = Dlg_Narrow(item.pszText);
    if (param)
        *param = item.lParam;
    return true;
}

void Lv_AddColumn(HWND list, int index, const char* text, int width, int format)
{
    std::wstring wide = Dlg_Wide(text);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = format;
    column.cx = width;
    column.pszText = wide.data();
    column.iSubItem = index;
    SendMessageW(list, LVM_INSERTCOLUMNW, WPARAM(index), reinterpret_cast<LPARAM>(&column));
}

int Lv_AddRow(HWND list, int row, const char* text, LPARAM param)
{
    std::wstring wide = Dlg_Wide(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = wide.data();
    item.lParam = param;
    return int(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void Lv_SetCell(HWND list, int row, int column, const char* text)
{
    std::wstring wide = Dlg_Wide(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(list, LVM_SETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(&item));
}

Dlg_FontDc::Dlg_FontDc(HWND window)
    : window_(window), dc_(GetDC(window)),
      old_(SelectObject(dc_, reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0))))
{
}

Dlg_FontDc::~Dlg_FontDc()
{
    SelectObject(dc_, old_);
    ReleaseDC(window_, dc_);
}

int Dlg_TextWidth(HWND control, const char* text)
{
    return Dlg_WidestTextWidth(control, {text});
}

int Dlg_WidestTextWidth(HWND control, const std::vector<std::string>& texts)
{
    Dlg_FontDc dc(control);
    int widest = 0;
    for (const std::string& text : texts) {
        std::wstring wide = Dlg_Wide(text.c_str());
        SIZE size{};
        GetTextExtentPoint32W(dc.get(), wide.c_str(), int(wide.size()), &size);
        widest = std::max(widest, int(size.cx));
    }
    return widest;
}

bool Dlg_TextFits(HWND control, const char* text)
{
    RECT area{};
    GetClientRect(control, &area);
    Dlg_FontDc dc(control);
    std::wstring wide = Dlg_Wide(text);
    RECT needed{0, 0, area.right, 0};
    DrawTextW(dc.get(), wide.c_str(), int(wide.size()), &needed,
              DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_CALCRECT);
    return needed.right <= area.right && needed.bottom <= area.bottom;
}

void Dlg_FocusItem(HWND dialog, int id)
{
    SetFocus(GetDlgItem(dialog, id));
}

void Dlg_EnableItem(HWND dialog, int id, bool enable)
{
    HWND item = GetDlgItem(dialog, id);
    if (item && (IsWindowEnabled(item) != FALSE) != enable)
        EnableWindow(item, enable);
}

void Dlg_DisableChildren(HWND window)
{
    SetPropW(window, kDisabledWithParent, reinterpret_cast<HANDLE>(1));
    EnumChildWindows(window, DisableWindow, 0);
}

// The window's own mark says whether any child is marked, so that a page
// never disabled whole walks no children.
void Dlg_RestoreChildren(HWND window)
{
    if (RemovePropW(window, kDisabledWithParent))
        EnumChildWindows(window, RestoreWindow, 0);
}

void Combo_Reset(HWND dialog, int id)
{
    SendDlgItemMessageW(dialog, id, CB_RESETCONTENT, 0, 0);
}

int Combo_EnsureSelection(HWND dialog, int id)
{
    if (SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0) != CB_ERR)
        return 0;
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, 0, 0);
    return -1;
}

bool Menu_AppendItem(HMENU menu, MENUITEMINFOW item, const char* caption)
{
    std::wstring wide = Dlg_Wide(caption);
    item.cbSize = sizeof(item);
    item.dwTypeData = wide.data();
    return InsertMenuItemW(menu, UINT(GetMenuItemCount(menu)), TRUE, &item) != FALSE;
}

void Menu_EnableItem(
HWND window, UINT id, UINT flags)
{
    EnableMenuItem(GetMenu(window), id, flags);
}

void Wnd_SetTitle(HWND window, const char* first, const char* second)
{
    std::string text = std::string(first) + " - " + second;
    Wnd_SetText(window, text.c_str());
}

uint16_t Msg_LoWord(DWORD_PTR value)
{
    return static_cast<uint16_t>(value & 0xFFFF);
}

uint16_t Msg_HiWord(DWORD_PTR value)
{
    return static_cast<uint16_t>((value >> 16) & 0xFFFF);
}

void Wnd_CenterOnOwner(HWND window)
{
    RECT self, area;
    GetWindowRect(window, &self);
    HWND owner = GetWindow(window, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner ? owner : window, MONITOR_DEFAULTTONEAREST), &monitor);
    area = monitor.rcWork;
    RECT around = area;
    if (owner && IsWindowVisible(owner) && !IsIconic(owner))
        GetWindowRect(owner, &around);
    const LONG width = self.right - self.left, height = self.bottom - self.top;
    LONG x = around.left + (around.right - around.left - width) / 2;
    LONG y = around.top + (around.bottom - around.top - height) / 2;
    x = std::max(area.left, std::min(x, area.right - width));
    y = std::max(area.top, std::min(y, area.bottom - height));
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
