// The bars of the main window: the toolbar, the system selector laid over it,
// and the status bar with the Caps Lock, Num Lock and Scroll Lock indicators.
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/systemlist.h"
#include "VlInterface/workspace/calctabs.h"
#include "Kadmi/kadmi.h"
#include "support/app.h"
#include "support/dlgutil.h"
#ifdef VL_EXTENDED
#include "VlInterface/extended/extended.h"
#endif
#include <commctrl.h>
#include <cstring>
#include <string>

namespace {

constexpr int kToolbarImages = 9;
constexpr int kSelectorLeft = 160;
constexpr int kSelectorWidth = 224;
constexpr int kIndicatorPadding = 12;   // a part's borders and margins around its text

// What the bars keep between messages.
struct BarsState {
    int keyStates[3] = {-1, -1, -1};   // Caps, Num, Scroll as last shown
    int indicatorWidths[3] = {};       // "CAP", "NUM", "SCRL" on the status bar
    bool switchingSystem = false;      // a switch runs: selections it causes are not choices
    WNDPROC previousComboProc = nullptr;
    SystemList systems;                // what the selector shows, item by item
} g_bars;

TBBUTTON Button(int image, int command)
{
    TBBUTTON button{};
    button.iBitmap = image;
    button.idCommand = command;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON;
    return button;
}

TBBUTTON Separator()
{
    TBBUTTON button{};
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_SEP;
    return button;
}

// The height of `rows` rows of the selector's list.
int SelectorRowsHeight(int rows)
{
    int unitHeight = HIWORD(GetDialogBaseUnits());
    return ((unitHeight * 10) / 8) * rows;
}

void MeasureIndicators(HWND statusBar)
{
    if (g_bars.indicatorWidths[0])
        return;
    HDC dc = GetDC(statusBar);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(statusBar, WM_GETFONT, 0, 0)));
    const char* texts[3] = {"CAP", "NUM", "SCRL"};
    for (int i = 0; i < 3; ++i) {
        SIZE size{};
        GetTextExtentPoint32A(dc, texts[i], static_cast<int>(strlen(texts[i])), &size);
        g_bars.indicatorWidths[i] = size.cx;
    }
    SelectObject(dc, old);
    ReleaseDC(statusBar, dc);
}

// The room rows that reach past the selector would show as stray separator
// lines beside it: they are hidden (from the last, so that hiding one moves
// none still to be measured).
void HideRoomPastSelector(HWND toolbar, int firstRoomRow, int rows)
{
    for (int row = rows - 1; row >= firstRoomRow; --row) {
        RECT item{};
        if (!SendMessageW(toolbar, TB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item)) ||
            item.right <= kSelectorLeft + kSelectorWidth)
            break;
        TBBUTTONINFOW info{};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_BYINDEX | TBIF_STATE;
        info.fsState = TBSTATE_ENABLED | TBSTATE_HIDDEN;
        SendMessageW(toolbar, TB_SETBUTTONINFOW, row, reinterpret_cast<LPARAM>(&info));
    }
}

HWND Selector()
{
    return GetDlgItem(App().mainWindow, IDC_SYSTEM_COMBO);
}

}  // namespace

std::string MainWnd_SystemItemText(int index, short page)
{
    return SystemList_NumberedName(index, SystemList_StoredName(page));
}

namespace {

// Replaces the text of item index by its entry's; the selection stays where
// it was.
void ShowItem(HWND selector, int index)
{
    const LRESULT selected = SendMessageW(selector, CB_GETCURSEL, 0, 0);
    SendMessageW(selector, CB_DELETESTRING, index, 0);
    Wnd_SendText(selector, CB_INSERTSTRING, WPARAM(index), SystemList_ItemText(g_bars.systems, index).c_str());
    if (selected == index)
        SendMessageW(selector, CB_SETCURSEL, selected, 0);
}

// The items from position first on show their entries again, numbered by
// their positions.
void ShowItemsFrom(HWND selector, int first)
{
    const int count = static_cast<int>(g_bars.systems.entries.size());
    for (int index = first; index < count; ++index)
        ShowItem(selector, index);
}

// Lists a page that is not listed yet at its place among the others (a new
// page comes last).
void InsertSystem(HWND selector, short page)
{
    const int index = SystemList_Insert(g_bars.systems, page);
    Wnd_SendText(selector, CB_INSERTSTRING, WPARAM(index), SystemList_ItemText(g_bars.systems, index).c_str());
    ShowItemsFrom(selector, index + 1);
}

void SelectLoadedSystem(HWND selector)
{
    if (selector)
        SendMessageW(selector, CB_SETCURSEL, SystemList_Position(g_bars.systems, Kadmi_GetCurrentPage()), 0);
}

void SwitchTo(HWND window, short page)
{
    if (!MainWnd_StoreOpenPage()) {
        MainWnd_SelectLoadedSystem();   // show the system that stays loaded
        return;
    }
    if (Shell_HasLayerParts())
        CalcRecord_Store(-1);
    Kadmi_SavePage();
    CalcTabs_HidePage();
    Project_LoadSystem(page);
    CalcTabs_UpdateTabs();
    MainWnd_SelectLoadedSystem();
    MainWnd_EnableCommands(window);
    MainWnd_SelectCalcPage(0);
    MainWnd_TellRemovedData(window);
}

// A choice from the selector's list, seen before the selector tells the main
// window (whose commands first have the open page check its fields).
void SwitchToChosenSystem(HWND selector)
{
    LRESULT index = SendMessageW(selector, CB_GETCURSEL, 0, 0);
    if (g_bars.switchingSystem || index == CB_ERR)
        return;
    short page = SystemList_PageAt(g_bars.systems, static_cast<int>(index));
    if (page <= 0 || page == Kadmi_GetCurrentPage())
        return;
    ReentryGuard guard(g_bars.switchingSystem);
    // Closed first, so that a range message of the open page stands alone
    // and no item changes in a list on show.
    if (SendMessageW(selector, CB_GETDROPPEDSTATE, 0, 0))
        SendMessageW(selector, CB_SHOWDROPDOWN, FALSE, 0);
    SwitchTo(App().mainWindow, page);
}

} // namespace

HWND MainWnd_CreateToolbar(HWND window)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    TBBUTTON buttons[39];
    int n = 0;
    buttons[n++] = Button(0, IDM_FILE_NEW);
    buttons[n++] = Button(1, IDM_FILE_OPEN);
    buttons[n++] = Button(2, IDM_FILE_SAVE);
    buttons[n++] = Separator();
    buttons[n++] = Button(6, IDM_FILE_PRINT);
    buttons[n++] = Button(7, IDM_HELP_CONTENTS);
    buttons[n++] = Separator();
    buttons[n++] = Button(8, IDM_SYSTEM_NEW);
    const int firstRoomRow = n;
    while (n < 39)
        buttons[n++] = Separator();   // room for the system selector
    HWND toolbar = CreateToolbarEx(window, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_TOOLTIPS | TBSTYLE_WRAPABLE,
                                   IDC_TOOLBAR,
                                   kToolbarImages, App().instance, IDB_TOOLBAR, buttons, n, 16, 15, 16, 16,
                                   sizeof(TBBUTTON));
    if (toolbar)
        HideRoomPastSelector(toolbar, firstRoomRow, n);
#ifdef VL_EXTENDED
    if (toolbar) {
        CreateWindowExW(0, L"Bitmap", L"", WS_CHILD | WS_VISIBLE, 590, 0, 200, 24, toolbar,
                        reinterpret_cast<HMENU>(IDC_EXT_TOOLBAR_LOGO), App().instance, nullptr);
        MainWnd_FitChildWidth(window, toolbar);
    }
#endif
    return toolbar;
}

HWND MainWnd_CreateSystemCombo(HWND window)
{
    HWND selector = CreateWindowExW(0, L"COMBOBOX", L"",
                                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS,
                                    kSelectorLeft, 2, kSelectorWidth, SelectorRowsHeight(10), window,
                                    reinterpret_cast<HMENU>(IDC_SYSTEM_COMBO), App().instance, nullptr);
    if (!selector)
        return nullptr;
    SendMessageW(selector, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    g_bars.previousComboProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(selector, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MainWnd_SystemComboProc)));
    MainWnd_FillSystemCombo(selector);
    return selector;
}

int MainWnd_FillSystemCombo(HWND selector)
{
    if (!selector)
        return -1;
    SendMessageW(selector, CB_RESETCONTENT, 0, 0);
    SystemList_Read(g_bars.systems);
    const int count = static_cast<int>(g_bars.systems.entries.size());
    for (int index = 0; index < count; ++index)
        Wnd_SendText(selector, CB_ADDSTRING, 0, SystemList_ItemText(g_bars.systems, index).c_str());
    SelectLoadedSystem(selector);
    return 0;
}

void MainWnd_RefillSystemCombo()
{
    MainWnd_FillSystemCombo(Selector());
}

void MainWnd_ShowSystemName()
{
    HWND selector = Selector();
    const int index = selector ? SystemList_Rename(g_bars.systems, Kadmi_GetCurrentPage()) : -1;
    if (index >= 0)
        ShowItem(selector, index);
}

void MainWnd_RemoveSystemFromCombo(short page)
{
    HWND selector = Selector();
    const int removed = selector ? SystemList_Remove(g_bars.systems, page) : -1;
    if (removed < 0)
        return;
    SendMessageW(selector, CB_DELETESTRING, removed, 0);
    ShowItemsFrom(selector, removed);
}

void MainWnd_SelectLoadedSystem()
{
    HWND selector = Selector();
    const short page = Kadmi_GetCurrentPage();
    if (selector && page > 0 && Project_IsOpen() && SystemList_Position(g_bars.systems, page) < 0)
        InsertSystem(selector, page);
    SelectLoadedSystem(selector);
}

LRESULT CALLBACK MainWnd_SystemComboProc(HWND selector, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_WINDOWPOSCHANGING: {
        const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!(position->flags & SWP_NOSIZE) && position->cy <= SelectorRowsHeight(2))
            SetFocus(App().mainWindow);
        break;
    }
    case WM_CHAR:
        if (wParam == VK_ESCAPE)
            SetFocus(App().mainWindow);
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == LBN_SELCHANGE)
            SwitchToChosenSystem(selector);
        break;
    default:
        break;
    }
    return CallWindowProcW(g_bars.previousComboProc, selector, message, wParam, lParam);
}

void MainWnd_InitStatusBar(HWND window, HWND statusBar)
{
    if (!statusBar)
        return;
    RECT client, bar;
    GetClientRect(window, &client);
    GetWindowRect(statusBar, &bar);
    int height = bar.bottom - bar.top;
    SetWindowPos(statusBar, nullptr, 0, client.bottom - height, client.right, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    MeasureIndicators(statusBar);
    int edges[4];
    edges[3] = client.right - 20;
    edges[2] = edges[3] - g_bars.indicatorWidths[2] - kIndicatorPadding;
    edges[1] = edges[2] - g_bars.indicatorWidths[1] - kIndicatorPadding;
    edges[0] = edges[1] - g_bars.indicatorWidths[0] - kIndicatorPadding;
    SendMessageW(statusBar, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(edges));
}

void MainWnd_UpdateKeyStates(HWND, HWND statusBar, bool force)
{
    static const int keys[3] = {VK_CAPITAL, VK_NUMLOCK, VK_SCROLL};
    static const wchar_t* texts[3] = {L"\tCAP", L"\tNUM", L"\tSCRL"};
    int states[3];
    for (int i = 0; i < 3; ++i)
        states[i] = GetKeyState(keys[i]) & 1;
    if (!force && states[0] == g_bars.keyStates[0] && states[1] == g_bars.keyStates[1] &&
        states[2] == g_bars.keyStates[2])
        return;
    for (int i = 0; i < 3; ++i) {
        SendMessageW(statusBar, SB_SETTEXTW, i + 1, reinterpret_cast<LPARAM>(states[i] ? texts[i] : L""));

        g_bars.keyStates[i] = states[i];
    }
}
