// Small functions on dialog items, menus and window texts, shared by every
// dialog of the module.
#include "support/dlgutil.h"
#include <algorithm>
#include <string>

namespace {

// Marks a child that Dlg_DisableChildren disabled, so that only those come
// back: a control its dialog keeps disabled stays so.
constexpr char kDisabledWithParent[] = "VlDisabledWithParent";

BOOL CALLBACK DisableWindow(HWND window, LPARAM)
{
    if (IsWindowEnabled(window)) {
        SetPropA(window, kDisabledWithParent, reinterpret_cast<HANDLE>(1));
        EnableWindow(window, FALSE);
    }
    return TRUE;
}

BOOL CALLBACK RestoreWindow(HWND window, LPARAM)
{
    if (RemovePropA(window, kDisabledWithParent))
        EnableWindow(window, TRUE);
    return TRUE;
}

}  // namespace

std::wstring Dlg_Wide(const char* text)
{
    int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring wide(size_t(std::max(length, 1)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
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
    EnumChildWindows(window, DisableWindow, 0);
}

void Dlg_RestoreChildren(HWND window)
{
    EnumChildWindows(window, RestoreWindow, 0);
}

void Combo_Reset(HWND dialog, int id)
{
    SendDlgItemMessageA(dialog, id, CB_RESETCONTENT, 0, 0);
}

int Combo_EnsureSelection(HWND dialog, int id)
{
    if (SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0) != CB_ERR)
        return 0;
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, 0, 0);
    return -1;
}

void Menu_EnableItem(HWND window, UINT id, UINT flags)
{
    EnableMenuItem(GetMenu(window), id, flags);
}

void Wnd_SetTitle(HWND window, const char* first, const char* second)
{
    std::string text = std::string(first) + " - " + second;
    SetWindowTextA(window, text.c_str());
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
    GetMonitorInfoA(MonitorFromWindow(owner ? owner : window, MONITOR_DEFAULTTONEAREST), &monitor);
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
