// The main window's procedure: creation, the command dispatch, the command
// states, the title and the exit question. The toolbar, status bar and
// system selector are mainbars.cpp's; the file commands filemenu.cpp's; the
// calculation tabs in the middle the tab host's.
#include "VlInterface/vlinterface.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/workspace/calcdata.h"
#include "VlInterface/dialogs/dialogs.h"
#include "VlInterface/workspace/calctabs.h"
#include "VlInterface/menu.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "Kadmi/kadmi.h"
#include "support/app.h"
#ifdef VL_EXTENDED
#include "VlInterface/extended/extended.h"
#endif
#include "support/dlgutil.h"
#include "support/help.h"
#include "support/msgbox.h"
#include "support/tooltips.h"
#include "outside/Lexmo100/lexmo.h"
#include <commctrl.h>
#include <cstdio>

namespace {

constexpr UINT kStatusTimerMs = 200;
// A system that uses user data no longer held: what, and what becomes of it.
constexpr uint16_t kTextRemovedDataUsed = 45234, kTextRemovedDataShown = 45237;
constexpr int kBarHeight = 28;   // toolbar above and status bar below the tabs

// The toolbar's tooltip requests get no text.
constexpr DialogTextTable kNoTooltips[] = {{0, 0, nullptr}};

// Commands that need a system with its layer parts.
constexpr UINT kProjectCommands[] = {IDM_FILE_SAVE, IDM_FILE_SAVEAS, IDM_FILE_PRINT,
                                     IDM_SYSTEM_NEW, IDM_SYSTEM_DELETE, IDM_SYSTEM_COPY};
constexpr UINT kProjectButtons[] = {IDM_FILE_SAVE, IDM_FILE_PRINT, IDM_SYSTEM_NEW};

void CreateCalcTabs(HWND window)
{
    RECT area;
    GetClientRect(window, &area);
    area.top += kBarHeight;
    area.bottom -= kBarHeight;
    CalcTabs_Create(window, IDC_CALC_TABS, &area);
}

void OnCreate(HWND window)
{
    App().mainWindow = window;
    CalcRecordState().hooks = {MainWnd_ShowSystemName, MainWnd_UpdateTitle};
    MainWnd_RebuildMenu(window);
    MainWnd_CreateSystemCombo(window);
    MainWnd_CreateToolbar(window);
    CreateCalcTabs(window);
    HWND statusBar = CreateStatusWindowW(WS_CHILD | WS_VISIBLE, L"", window, IDC_STATUSBAR);
    MainWnd_InitStatusBar(window, statusBar);
    MainWnd_UpdateKeyStates(window, statusBar, true);
    SetTimer(window, IDT_KEY_STATES, kStatusTimerMs, nullptr);
    MainWnd_EnableCommands(window);
    Project_MarkInputsEdited();
    MainWnd_UpdateTitle();
    MainWnd_SelectCalcPage(0);
}

void OnNewFile(HWND window)
{
    int result = VlFileMenu_NewFile(window);
    if (result == 0 || result == -3)
        CalcTabs_ClosePage();   // it shows the project that was replaced
    if (result == 0) {
        // Stamped before the first save, so that the new file carries them.
        Project_MarkInputsEdited();
        Project_StampUserSettings();
        // Saved only to have the file: Save As to another name before the
        // user saves it still removes it.
        if (VlFileMenu_SaveFile(window) == 0)
            Shell().newFileSavedByNewOnly = true;
    }
    if (result == 0 || result == -3)
        MainWnd_ShowNewProject(window);
}

void OnSaveFile(HWND window, bool saveAs)
{
    int result = saveAs ? VlFileMenu_SaveFileAs(window) : VlFileMenu_SaveFile(window);
    if (saveAs && result != 0)
        return;
    MainWnd_UpdateTitle();
    MainWnd_SelectLoadedSystem();
    MainWnd_RebuildMenu(window);
    CalcTabs_NotifyCurrentPage(CalcPage_Saved);
    if (saveAs)
        CalcTabs_ReactivatePage();
}

void OnCloseFile(HWND window)
{
    if (VlFileMenu_CloseFile(window) != 0)
        return;
    Project_MarkInputsEdited();
    MainWnd_ShowNewProject(window);
}

void OnExit(HWND window)
{
    if (!MainWnd_QueryExit(window))
        return;
    CalcTabs_Destroy();
    DestroyWindow(window);
}

// Cancelled, the project and its open page stay as they were; an open that
// failed after the project was closed refreshes the window itself.
void OnOpenFile(HWND window)
{
    if (VlFileMenu_OpenFile(window) != 1)
        return;
    CalcData_RefreshAllSystems();
    MainWnd_ShowNewProject(window);
}

// Ctrl+Page Down and Ctrl+Page Up; past either end nothing happens.
void OnStepTab(int step)
{
    MainWnd_SelectCalcPage(CalcTabs_GetFocusedTab() + step);
}

void OnHelp(HWND window)
{
    Help_Show(window, Shell().helpPath, static_cast<uint32_t>(Shell().helpContext));
}

// A new interface language reaches the help file, title, tabs and menu; the
// page of tab `tab` opens again in it, from what it stored before the dialog.
void ShowSettingsApplied(HWND window, int tab)
{
    Startup_BuildHelpPath();
    MainWnd_UpdateTitle();
    CalcTabs_ClosePage();
    CalcTabs_UpdateTabs();
    MainWnd_RebuildMenu(window);
    MainWnd_SelectCalcPage(tab);
}

void OnSettings(HWND window)
{
    if (MainWnd_StoreOpenPage() && SettingsDlg_Show(window) == IDOK)
        ShowSettingsApplied(window, 0);
}

// The language command: the settings dialog, then back on the same tab.
void OnLanguage(HWND window)
{
    if (!MainWnd_StoreOpenPage())
        return;
    int tab = CalcTabs_GetFocusedTab();
    SettingsDlg_Show(window);
    ShowSettingsApplied(window, tab);
}

// The shell dialogs of the print, data and settings commands; false for
// another command.
bool OnShellDialog(HWND window, UINT id)
{
    switch (id) {
    case IDM_FILE_PRINT:
        if (MainWnd_StoreOpenPage()) {
            // Its pages name their own help topic; once it closes, Help
            // follows the open calculation page again.
            int32_t pageContext = Shell().helpContext;
            PrintDialog_Show(window, 0);
            Shell().helpContext = pageContext;
        }
        return true;
    case IDM_WEATHER_DATA: WeatherDlg_Run(window); return true;
    case IDM_USER_INSULATION: InsulationData_Show(window); return true;
    case IDM_SETTINGS: OnSettings(window); return true;
    case IDM_LANGUAGE: OnLanguage(window); return true;
    default: return false;
    }
}

// The system commands stand in the menu and do nothing until they exist.
void OnCommand(HWND window, UINT id, UINT code, LPARAM lParam)
{
    switch (id) {
    case IDC_SYSTEM_COMBO:
        // The selector's own procedure switches systems. A closed list gives
        // the keys back to the window and its pages, unless a page took them.
        if (code == CBN_CLOSEUP && GetFocus() == reinterpret_cast<HWND>(lParam))
            SetFocus(window);
        return;
    case IDM_FILE_NEW: OnNewFile(window); return;
    case IDM_FILE_OPEN: OnOpenFile(window); return;
    case IDM_FILE_SAVE: OnSaveFile(window, false); return;
    case IDM_FILE_SAVEAS: OnSaveFile(window, true); return;
    case IDM_FILE_CLOSE: OnCloseFile(window); return;
    case IDM_FILE_EXIT: OnExit(window); return;
    case IDM_HELP_CONTENTS: OnHelp(window); return;
    case IDM_HELP_ABOUT: AboutBox_Show(window, false); return;
    case IDM_SYSTEM_NEW: System_New(window); return;
    case IDM_SYSTEM_DELETE: System_Delete(window); return;
    case IDM_SYSTEM_COPY: System_Copy(window); return;
    case IDM_NEXT_TAB: OnStepTab(1); return;
    case IDM_PREVIOUS_TAB: OnStepTab(-1); return;
    default:
        if (OnShellDialog(window, id))
            return;
        break;
    }
    // A file that could not be opened either left the project as it was or
    // was replaced by a temporary project that the command showed itself.
    if (id >= IDM_RECENT_FIRST && id <= IDM_RECENT_LAST &&
        VlFileMenu_OpenIthFile(window, static_cast<int32_t>(id - IDM_RECENT_FIRST)) == 0) {
        CalcData_RefreshAllSystems();
        MainWnd_ShowNewProject(window);
    }
}

LRESULT OnQueryEndSession(HWND window)
{
    return MainWnd_QueryExit(window) ? TRUE : FALSE;
}

void OnEndSession(WPARAM ending)
{
    if (ending)
        Startup_Shutdown();
}

} // namespace

bool MainWnd_StoreOpenPage()
{
    return CalcTabs_NotifyCurrentPage(CalcPage_KillActive) == 0;
}

void MainWnd_SelectCalcPage(int index)
{
    CalcTabs_SelectPage(index);
}

void MainWnd_RebuildMenu(HWND window)
{
    Menu_Rebuild(window, Shell().textHandle, g_mainMenuTable);
    MainWnd_EnableCommands(window);
}

// The menu bar is drawn again only when an item changed: drawing it frames
// the whole window anew, at every tab change.
void MainWnd_EnableCommands(HWND window)
{
    bool ready = Shell_HasLayerParts();
    UINT menuState = ready ? MF_ENABLED : MF_GRAYED;
    HMENU menu = GetMenu(window);
    bool changed = false;
    auto setItem = [&](UINT id, UINT state) {
        constexpr UINT kStateBits = MF_GRAYED | MF_DISABLED;
        changed |= (EnableMenuItem(menu, id, MF_BYCOMMAND | state) & kStateBits) != state;
    };
    setItem(IDM_FILE_CLOSE, MF_GRAYED);
    for (UINT id : kProjectCommands)
        setItem(id, menuState);
    HWND toolbar = GetDlgItem(window, IDC_TOOLBAR);
    for (UINT id : kProjectButtons)
        SendMessageW(toolbar, TB_ENABLEBUTTON, id, MAKELPARAM(ready, 0));
    if (HWND selector = GetDlgItem(window, IDC_SYSTEM_COMBO))
        EnableWindow(selector, ready);
    if (changed)
        DrawMenuBar(window);
}

void MainWnd_UpdateTitle()
{
    char file[MAX_PATH + 4];
    std::snprintf(file, sizeof(file), "%s%s", App().currentFile,
                  Project_IsOpen() && Project_IsUnsaved() ? " *" : "");
    Startup_BuildTitle();
    if (App().mainWindow)
        Wnd_SetTitle(App().mainWindow, Shell().title, file);
}

void MainWnd_ShowNewProject(HWND window)
{
    CalcTabs_ClosePage();
    MainWnd_UpdateTitle();
    CalcTabs_UpdateTabs();
    MainWnd_RefillSystemCombo();
    MainWnd_RebuildMenu(window);
    MainWnd_SelectCalcPage(0);
    MainWnd_TellRemovedData(window);
}

void MainWnd_TellRemovedData(HWND window)
{
    const std::vector<std::string> removed = Project_RemovedDataOfLoadedSystem();
    if (removed.empty())
        return;
    std::string text = Shell_Text(kTextRemovedDataUsed);
    text += "\n";
    for (const std::string& line : removed)
        text += "\n" + line;
    text += std::string("\n\n") + Shell_Text(kTextRemovedDataShown);
    Wnd_MessageBox(window, text.c_str(), Shell().title, MB_OK | MB_ICONWARNING);
}

void MainWnd_CloseCalcPage()
{
    MainWnd_SelectCalcPage(0);
    CalcTabs_HidePage();
}

void MainWnd_ShowLoadedSystem()
{
    CalcTabs_UpdateTabs();
    MainWnd_SelectLoadedSystem();
    MainWnd_UpdateTitle();
    MainWnd_EnableCommands(App().mainWindow);
    MainWnd_SelectCalcPage(0);
    MainWnd_TellRemovedData(App().mainWindow);
}

void MainWnd_OpenCommandLineFile(const char* file)
{
    Kadmi_CloseDatabasefile(0);
    std::snprintf(App().currentFile, sizeof(App().currentFile), "%s", file);
    OpenKadmiFile(App().mainWindow);
    MainWnd_ShowNewProject(App().mainWindow);
}

int MainWnd_QueryExit(HWND window)
{
    if (!MainWnd_StoreOpenPage())
        return 0;
    if (Shell_HasLayerParts())
        CalcRecord_MarkChanges();   // marks the project changed when the record differs
    int answer = VlFileMenu_AskSaveChanges(window, Shell_Text(Text_SaveChangesQuestion));
    if (answer == 0)
        return MsgBox_Show(window, Shell_Text(Text_QuitQuestion), MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK;
    return answer == IDYES || answer == IDNO;
}

LRESULT CALLBACK MainWnd_WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (CalcTabs_OnParentMessage(window, message, wParam, lParam, &result))
        return result;
    Tooltip_HandleDialogMessage(window, message, wParam, lParam, Shell().textHandle, kNoTooltips);
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_DESTROY:
        CalcTabs_Destroy();   // when the window goes without the exit command
        KillTimer(window, IDT_KEY_STATES);
        PostQuitMessage(0);
        return 0;
    case WM_SIZE:
#ifdef VL_EXTENDED
        MainWnd_FitChildWidth(window, GetDlgItem(window, IDC_TOOLBAR));
#endif
        MainWnd_InitStatusBar(window, GetDlgItem(window, IDC_STATUSBAR));
        MainWnd_UpdateKeyStates(window, GetDlgItem(window, IDC_STATUSBAR), true);
        return 0;
    case WM_CLOSE:
        PostMessageW(window, WM_COMMAND, IDM_FILE_EXIT, 0);
        return 0;
    case WM_TIMER:
        MainWnd_UpdateKeyStates(window, GetDlgItem(window, IDC_STATUSBAR), false);
        return 0;
    case WM_COMMAND:
        OnCommand(window, LOWORD(wParam), HIWORD(wParam), lParam);
        return 0;
    case WM_QUERYENDSESSION:
        return OnQueryEndSession(window);
    case WM_ENDSESSION:
        OnEndSession(wParam);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
