// Finding windows and reading control texts and states in a test.
#include "testsupport/testsupport.h"
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
        return FindWindowA(className, title);
    WindowQuery query = {className, title, nullptr};
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

std::string Ts_WindowText(HWND window)
{
    int length = GetWindowTextLengthA(window);
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(window, text.data(), length + 1);
    return text.data();
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
    return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

std::string Ts_ComboSelectedText(HWND dialog, int id)
{
    const int index = Ts_ComboSelection(dialog, id);
    if (index == CB_ERR)
        return "";
    const auto length = SendDlgItemMessageA(dialog, id, CB_GETLBTEXTLEN, index, 0);
    std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}
