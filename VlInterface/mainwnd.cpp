// The main window's procedure: creation, the command dispatch, the command
// states, the title and the exit question. The toolbar, status bar and
// system selector are mainbars.cpp's; the file commands filemenu.cpp's.
#include "VlInterface/vlinterface.h"
#include "VlInterface/calcrecord.h"
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
#include <commctrl.h>
#include <cstdio>

namespace {

constexpr UINT kStatusTimerMs = 200;

// Commands that need a system with its layer parts.
constexpr UINT kProjectCommands[] = {IDM_FILE_SAVE, IDM_FILE_SAVEAS, IDM_FILE_PRINT,
                                     IDM_SYSTEM_NEW, IDM_SYSTEM_DELETE, IDM_SYSTEM_COPY};
constexpr UINT kProjectButtons[] = {IDM_FILE_SAVE, IDM_FILE_PRINT, IDM_SYSTEM_NEW};

void MarkInputsEdited()
{
    for (const char* mark : {"EDT1", "EDT2", "EDT3"})
        Kadmi_MarkAccess(0, mark);
}

void OnCreate(HWND window)
{
    App().mainWindow = window;
    CalcRecordState().hooks = {MainWnd_RefillSystemCombo, MainWnd_UpdateTitle};
    MainWnd_RebuildMenu(window);
    MainWnd_CreateSystemCombo(window);
    MainWnd_CreateToolbar(window);
    HWND statusBar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "", window, IDC_STATUSBAR);
    MainWnd_InitStatusBar(window, statusBar);
    MainWnd_UpdateKeyStates(window, statusBar, true);
    SetTimer(window, IDT_KEY_STATES, kStatusTimerMs, nullptr);
    MainWnd_EnableCommands(window);
    MarkInputsEdited();
    MainWnd_UpdateTitle();
}

void OnNewFile(HWND window)
{
    int result = VlFileMenu_NewFile(window);
    if (result == 0) {
        // Stamped before the first save, so that the new file carries them.
        MarkInputsEdited();
        Project_StampUserSettings();
        VlFileMenu_SaveFile(window);
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
    MainWnd_RefillSystemCombo();
    MainWnd_RebuildMenu(window);
}

void OnCloseFile(HWND window)
{
    if (VlFileMenu_CloseFile(window) != 0)
        return;
    MarkInputsEdited();
    MainWnd_ShowNewProject(window);
}

void OnExit(HWND window)
{
    if (MainWnd_QueryExit(window))
        DestroyWindow(window);
}

void OnHelp(HWND window)
{
    Help_Show(window, Shell().helpPath, static_cast<uint32_t>(Shell().helpContext));
}

// The commands of later dialogs (print, systems, data editors, settings,
// tab switching) stand in the menu and do nothing until those dialogs exist.
void OnCommand(HWND window, UINT id, UINT code)
{
    switch (id) {
    case IDC_SYSTEM_COMBO:
        if (code == CBN_SELCHANGE)
            MainWnd_SwitchSystem(window);
        else if (code == CBN_CLOSEUP)
            SetFocus(window);   // the keys go back to the window and its pages
        return;
    case IDM_FILE_NEW: OnNewFile(window); return;
    case IDM_FILE_OPEN:
        VlFileMenu_OpenFile(window);
        MainWnd_ShowNewProject(window);
        return;
    case IDM_FILE_SAVE: OnSaveFile(window, false); return;
    case IDM_FILE_SAVEAS: OnSaveFile(window, true); return;
    case IDM_FILE_CLOSE: OnCloseFile(window); return;
    case IDM_FILE_EXIT: OnExit(window); return;
    case IDM_HELP_CONTENTS: OnHelp(window); return;
    case IDM_HELP_ABOUT: AboutBox_Show(window, false); return;
    default:
        break;
    }
    if (id >= IDM_RECENT_FIRST && id <= IDM_RECENT_LAST) {
        int result = VlFileMenu_OpenIthFile(window, static_cast<int32_t>(id - IDM_RECENT_FIRST));
        if (result == 0 || result == -2)
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
    return true;   // no calculation page is open until the tab host exists
}

void MainWnd_RebuildMenu(HWND window)
{
    Menu_Rebuild(window, Shell().textHandle, g_mainMenuTable);
    MainWnd_EnableCommands(window);
}

void MainWnd_EnableCommands(HWND window)
{
    bool ready = Shell_HasLayerParts();
    UINT menuState = ready ? MF_ENABLED : MF_GRAYED;
    EnableMenuItem(GetMenu(window), IDM_FILE_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    for (UINT id : kProjectCommands)
        EnableMenuItem(GetMenu(window), id, MF_BYCOMMAND | menuState);
    HWND toolbar = GetDlgItem(window, IDC_TOOLBAR);
    for (UINT id : kProjectButtons)
        SendMessageA(toolbar, TB_ENABLEBUTTON, id, MAKELPARAM(ready, 0));
    if (HWND selector = GetDlgItem(window, IDC_SYSTEM_COMBO))
        EnableWindow(selector, ready);
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
    MainWnd_UpdateTitle();
    MainWnd_RefillSystemCombo();
    MainWnd_RebuildMenu(window);
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
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_DESTROY:
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
        PostMessageA(window, WM_COMMAND, IDM_FILE_EXIT, 0);
        return 0;
    case WM_TIMER:
        MainWnd_UpdateKeyStates(window, GetDlgItem(window, IDC_STATUSBAR), false);
        return 0;
    case WM_COMMAND:
        OnCommand(window, LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_QUERYENDSESSION:
        return OnQueryEndSession(window);
    case WM_ENDSESSION:
        OnEndSession(wParam);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
