// Finding windows and reading control texts and states in a test.
#include "testsupport/testsupport.h"
#include "support/dlgutil.h"
#include <vector>

namespace {

struct WindowQuery {
    const char* className;
    const char* title;
    HWND found;
};

bool Matches(HWND window, const WindowQuery& query)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    if (query.className && lstrcmpiA(name, query.className) != 0)
        return false;
    return !query.title || Ts_WindowText(window) == query.title;
}

BOOL CALLBACK MatchChild(HWND child, LPARAM param)
{
    auto* query = reinterpret_cast<WindowQuery*>(param);
    if (!Matches(child, *query))
        return TRUE;
    query->found = child;
    return FALSE;
}

}  // namespace

HWND Ts_FindWindow(const char* className, const char* title, HWND parent)
{
    if (!parent)
        return FindWindowW(className ? Dlg_Wide(className).c_str() : nullptr, title ? Dlg_Wide(title).c_str() : nullptr);

    WindowQuery query = {className, title, nullptr};
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

std::string Ts_WindowText(HWND window)
{
    return Wnd_GetText(window);
}

void Ts_PostTyping(HWND window, const char* text)
{
    for (wchar_t unit : Dlg_Wide(text))
        PostMessageW(window, WM_CHAR, unit, 1);
}

std::string Ts_ControlText(HWND dialog, int id)

{
    return Ts_WindowText(GetDlgItem(dialog, id));
}

bool Ts_IsEnabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

bool Ts_IsChecked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

int Ts_ComboSelection(HWND dialog, int id)
{
    return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0));
}

std::string Ts_ComboSelectedText(HWND dialog, int id)
{
    const int index = Ts_ComboSelection(dialog, id);
    if (index == CB_ERR)
        return "";
    return Wnd_ItemText(GetDlgItem(dialog, id), CB_GETLBTEXTLEN, CB_GETLBTEXT, WPARAM(index));

}
