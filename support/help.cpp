// The help window of every module: reads a UTF-8 help file, lists its topics
// on the left and shows the chosen one on the right. The format is described
// in help.h; the files are generated from data/help at build time.
#include "support/help.h"
#include "support/dlgutil.h"
#include <commctrl.h>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

constexpr const wchar_t* kHelpClass = L"VlHelpWindow";
constexpr int kTopicListId = 1;
constexpr int kTopicTextId = 2;
constexpr int kTopicTitleId = 3;
constexpr int kTitleHeight = 30;
constexpr int kListWidth = 210;
constexpr int kGap = 6;

// The one help window of the module and what it shows.
struct HelpGlobals {
    HWND window = nullptr;
    HWND list = nullptr;
    HWND text = nullptr;
    HWND title = nullptr;
    HFONT font = nullptr;
    HFONT titleFont = nullptr;   // the topic's title, larger and bold
    HWND focus = nullptr;        // the child that had the keys last
    HelpFile file;
} g_help;

std::string TrimRight(std::string s)
{
    while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t'))
        s.pop_back();
    return s;
}

// "[12] Title" gives 12 and "Title"; false when the line is no topic line.
bool ParseTopicLine(const std::string& line, HelpTopic& topic)
{
    unsigned long context = 0;
    int used = 0;
    if (std::sscanf(line.c_str(), "[%lu]%n", &context, &used) != 1 || used == 0)
        return false;
    size_t start = line.find_first_not_of(' ', static_cast<size_t>(used));
    topic.context = static_cast<uint32_t>(context);
    topic.title = start == std::string::npos ? "" : line.substr(start);
    return true;
}

void AppendBodyLine(std::string& body, bool& paragraphOpen, const std::string& line)
{
    if (line.empty()) {
        paragraphOpen = false;
        return;
    }
    bool bullet = line.rfind("- ", 0) == 0;
    if (paragraphOpen && !bullet) {
        body += ' ';
    } else if (!body.empty()) {
        body += bullet && paragraphOpen ? "\r\n" : "\r\n\r\n";
    }
    body += bullet ? "\xE2\x80\xA2 " + line.substr(2) : line;   // a bullet sign
    paragraphOpen = true;
}

bool ReadWholeFile(const char* path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.erase(0, 3);
    return true;
}

void ShowTopic(size_t index)
{
    if (index >= g_help.file.topics.size())
        return;
    const HelpTopic& topic = g_help.file.topics[index];
    SendMessageW(g_help.list, LB_SETCURSEL, index, 0);
    Wnd_SetText(g_help.title, topic.title.c_str());
    Wnd_SetText(g_help.text, topic.body.c_str());
    std::string caption = g_help.file.caption.empty() ? topic.title : g_help.file.caption + " - " + topic.title;
    Wnd_SetText(g_help.window, caption.c_str());
}

void FillTopics()
{
    SendMessageW(g_help.list, LB_RESETCONTENT, 0, 0);
    for (const HelpTopic& topic : g_help.file.topics)
        Wnd_SendText(g_help.list, LB_ADDSTRING, 0, topic.title.c_str());
}

void Layout(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    int height = client.bottom - 2 * kGap;
    MoveWindow(g_help.list, kGap, kGap, kListWidth, height, TRUE);
    int left = 2 * kGap + kListWidth, width = client.right - 3 * kGap - kListWidth;
    MoveWindow(g_help.title, left, kGap, width, kTitleHeight, TRUE);
    MoveWindow(g_help.text, left, kGap + kTitleHeight, width, height - kTitleHeight, TRUE);
}

// The keys of the topic list and the text: no dialog manager stands in front
// of this window, so Escape (close) and Tab (the other child) are done here.
LRESULT CALLBACK ChildKeysProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR)
{
    switch (message) {
    case WM_SETFOCUS:
        g_help.focus = child;
        break;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            PostMessageW(g_help.window, WM_CLOSE, 0, 0);
            return 0;
        }
        if (wParam == VK_TAB) {
            SetFocus(child == g_help.list ? g_help.text : g_help.list);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == VK_ESCAPE || wParam == VK_TAB)
            return 0;
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(child, ChildKeysProc, id);
        break;
    default:
        break;
    }
    return DefSubclassProc(child, message, wParam, lParam);
}

void CreateChildren(HWND window)
{
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    g_help.font = CreateFontIndirectA(&metrics.lfMessageFont);
    LOGFONTA title = metrics.lfMessageFont;
    title.lfHeight = title.lfHeight * 3 / 2;
    title.lfWeight = FW_BOLD;
    g_help.titleFont = CreateFontIndirectA(&title);
    g_help.title = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_CENTERIMAGE | SS_ENDELLIPSIS,
                                   0, 0, 0, 0, window, reinterpret_cast<HMENU>(kTopicTitleId), instance, nullptr);
    SendMessageW(g_help.title, WM_SETFONT, reinterpret_cast<WPARAM>(g_help.titleFont), FALSE);
    g_help.list = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                  0, 0, 0, 0, window, reinterpret_cast<HMENU>(kTopicListId), instance, nullptr);
    g_help.text = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY,
                                  0, 0, 0, 0, window, reinterpret_cast<HMENU>(kTopicTextId), instance, nullptr);
    for (HWND child : {g_help.list, g_help.text}) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(g_help.font), FALSE);
        SetWindowSubclass(child, ChildKeysProc, 0, 0);
    }
    g_help.focus = g_help.list;
    SendMessageW(g_help.text, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(8, 8));
}

// The title in a dark blue on the window's face, the read-only text on a
// white page.
LRESULT ColourStatic(HDC dc, HWND control)
{
    if (control == g_help.title) {
        SetTextColor(dc, RGB(0, 51, 153));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

LRESULT CALLBACK HelpWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        CreateChildren(window);
        return 0;
    case WM_SIZE:
        Layout(window);
        return 0;
    case WM_SETFOCUS:   // activation gives the keys back to the child that had them
        SetFocus(g_help.focus);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kTopicListId && HIWORD(wParam) == LBN_SELCHANGE)
            ShowTopic(static_cast<size_t>(SendMessageW(g_help.list, LB_GETCURSEL, 0, 0)));
        return 0;
    case WM_CTLCOLORSTATIC:
        return ColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DESTROY:
        DeleteObject(g_help.font);
        DeleteObject(g_help.titleFont);
        g_help = HelpGlobals{};
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool RegisterHelpClass(HINSTANCE instance)
{
    WNDCLASSW existing;
    if (GetClassInfoW(instance, kHelpClass, &existing))
        return true;
    WNDCLASSW cls{};
    cls.lpfnWndProc = HelpWndProc;
    cls.hInstance = instance;
    cls.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_QUESTION));
    cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    cls.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    cls.lpszClassName = kHelpClass;
    return RegisterClassW(&cls) != 0;
}

HINSTANCE ThisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&HelpWndProc), &module);
    return module;
}

bool CreateHelpWindow(HWND owner)
{
    HINSTANCE instance = ThisModule();
    if (!RegisterHelpClass(instance))
        return false;
    HWND top = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    RECT area{0, 0, 800, 600};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    int width = 720, height = 520;
    g_help.window = CreateWindowExW(0, kHelpClass, L"", WS_OVERLAPPEDWINDOW,
                                    area.right - width - 20, area.top + 40, width, height,
                                    top, nullptr, instance, nullptr);
    return g_help.window != nullptr;
}

void ReportUnreadable(HWND owner, const char* helpFile)
{
    char text[MAX_PATH + 64];
    std::snprintf(text, sizeof(text), "Cannot open the help file\n%s", helpFile ? helpFile : "");
    Wnd_MessageBox(owner, text, nullptr, MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

HelpFile Help_Parse(const std::string& text)
{
    HelpFile file;
    HelpTopic* topic = nullptr;
    bool inBadTopic = false, paragraphOpen = false;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        line = TrimRight(line);
        if (line.rfind('#', 0) == 0)
            continue;
        HelpTopic next;
        if (line.rfind('[', 0) == 0) {
            inBadTopic = !ParseTopicLine(line, next);
            topic = inBadTopic ? nullptr : &file.topics.emplace_back(std::move(next));
            paragraphOpen = false;
        } else if (!topic && !inBadTopic && line.rfind("= ", 0) == 0) {
            file.caption = line.substr(2);
        } else if (topic) {
            AppendBodyLine(topic->body, paragraphOpen, line);
        }
    }
    return file;
}

HWND Help_Show(HWND owner, const char* helpFile, uint32_t context)
{
    std::string text;
    HelpFile file;
    if (helpFile && ReadWholeFile(helpFile, text))
        file = Help_Parse(text);
    if (file.topics.empty()) {
        ReportUnreadable(owner, helpFile);
        return nullptr;
    }
    if (!g_help.window && !CreateHelpWindow(owner))
        return nullptr;
    g_help.file = std::move(file);
    FillTopics();
    size_t index = 0;
    for (size_t i = 0; i < g_help.file.topics.size(); ++i) {
        if (g_help.file.topics[i].context == context) {
            index = i;
            break;
        }
    }
    ShowTopic(index);
    ShowWindow(g_help.window, IsIconic(g_help.window) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(g_help.window);
    SetFocus(g_help.focus);
    return g_help.window;
}
