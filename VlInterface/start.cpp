// Start-up, message loop and shutdown of the program: attach, initialisation,
// the main window's creation, the command-line project, the loop, and what
// is cleaned up at the end. The main window itself is mainwnd.cpp's.
#include "VlInterface/vlinterface.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "Kadmi/kadmi.h"
#include "VlTechDatabase/vltechdb.h"
#include "VlPrint/vlprint.h"
#include "VlCalculate/vlcalculate.h"
#include "VlUtil/vlutil.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/app.h"
#include "support/dlgutil.h"
#ifdef VL_EXTENDED
#include "VlInterface/extended/extended.h"
#endif
#include "support/lookups.h"
#include "support/paths.h"
#include "support/settings.h"
#include "support/shade.h"
#include "support/attributes.h"
#include <cstdio>
#include <cstring>

#ifdef VL_EXTENDED
constexpr short kAttProductName = 1607;
#endif

BOOL Startup_OnProcessAttach(HINSTANCE instance)
{
    App_Init(instance);
    Shell() = ShellGlobals{};
    App().title = "VlIntfc.dll";
    char db[kPathSize], ddq[kPathSize];
    Path_TextFiles(db, ddq);
    Shell().textHandle = TextAPI_Open(db, ddq);
    Shell().techDb = VlDataTechDb_Handle();
    if (Shell().techDb < 0)
        return FALSE;
    Shell().otherInsulationDb = VlOtherInsulationDataTechDb_Handle();
    Shell().weatherDb = VlWeatherDataTechDb_Handle();
    Lookup_SetHandles(Shell().techDb, Shell().otherInsulationDb, Shell().textHandle);
    return TRUE;
}

void Startup_BuildTitle()
{
    const char* version = App_GetVersionString();
    std::snprintf(Shell().title, sizeof(Shell().title), "%s %s%s%s", Shell_Text(Text_AppName1),
                  Shell_Text(Text_AppName2), version ? " " : "", version ? version : "");
    App().title = Shell().title;
}

void Startup_BuildHelpPath()
{
    Path_BesideModule(Shell().helpPath, Shell_Text(Text_HelpFile));
}

static void SetInterfaceLanguage()
{
    int16_t language = static_cast<int16_t>(Settings_ReadInt(nullptr, "General\\InterfaceLng") & 0xFFFF);
    TextAPI_SetLanguage(Shell().textHandle, language < 1500 ? kDefaultLanguage : language);
}

int Startup_RegisterMainClass()
{
    WNDCLASSW cls{};
    cls.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS | CS_BYTEALIGNWINDOW;
    cls.lpfnWndProc = MainWnd_WndProc;
    cls.hInstance = App().instance;
    cls.hIcon = LoadIconW(App().instance, MAKEINTRESOURCEW(IDI_VARMELIN));
    cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);   // matches the bars
    cls.lpszMenuName = MAKEINTRESOURCEW(IDR_CLASS_MENU);
    cls.lpszClassName = kMainClass;
    if (!RegisterClassW(&cls))
        return -1;
    Shade_RegisterClasses();
    return 0;
}

int Startup_Init()
{
    Settings_OpenRoot(kCompany, kApplication, App_GetVersionString());
    SetInterfaceLanguage();
    TextAPI_SetOption(Shell().textHandle, 0, 2);
    TextAPI_SetOption(Shell().textHandle, 1, 3);
    Startup_BuildTitle();
    Startup_BuildHelpPath();
    if (Startup_RegisterMainClass() != 0) {
        Wnd_MessageBox(nullptr, "Cannot create windowclass ?", nullptr, MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
        return -1;
    }
    TempFile_RemoveOrphans("NON");   // temporary projects of processes that were killed
    Project_NewTemporary();
    ErrorList_Reset();
    ClipCursor(nullptr);
    LogoCtl_Register(App().instance);
#ifdef VL_EXTENDED
    Lookup_SetNameAttribute(kAttProductName);   // the edition's own product names
    SetCondensationHumidityAttribute(Att_TargetHumidity);   // the target page's humidity
    LogoCtl_RegisterClasses();
    CustomLogo2_RegisterClasses();
    BitmapCtl_RegisterClass();
#endif
    Shell().accelerators = LoadAcceleratorsA(App().instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    return 0;
}

std::string Startup_CommandLineFile(const char* commandLine)
{
    std::string_view line = commandLine ? commandLine : "";
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r' || line.back() == '\n'))
        line.remove_suffix(1);
    if (!line.empty() && line.front() == '"') {
        line.remove_prefix(1);
        line = line.substr(0, line.find('"'));
    }
    return Path_Full(std::string(line).c_str());
}

static void ChangeToProjectDirectory()
{
    const char* directory = Settings_ReadString(nullptr, "Directories\\ProjectDirectory");
    if (directory && *directory)
        SetCurrentDirectoryA(directory);   // the drive goes with the path
}

int Startup_AfterCreate(const char* commandLine)
{
    // Resolve the command-line name first: a relative name means the
    // directory the program was started in, not the stored project directory.
    std::string file = Startup_CommandLineFile(commandLine);
    ChangeToProjectDirectory();
    App_SetBackgroundBrush(static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    VlUtil_InitDLL(App().mainWindow, App().instance, kCompany, kApplication, App_GetVersionString());
    const char* versionText = App_GetVersionString();
    char company[32] = {}, application[32] = {}, version[300] = {};
    std::snprintf(company, sizeof(company), "%s", kCompany);
    std::snprintf(application, sizeof(application), "%s", kApplication);
    std::snprintf(version, sizeof(version), "%s", versionText ? versionText : "");
    VlPrint_InitDLL(App().mainWindow, App().instance, company, application, versionText ? version : nullptr);
    if (file.size() >= sizeof(App().currentFile)) {
        FileMenu_ShowOpenError(App().mainWindow, file.c_str(), -1002);   // the temporary project stays
    } else if (!file.empty()) {
        MainWnd_OpenCommandLineFile(file.c_str());
        SendMessageW(App().mainWindow, WM_ACTIVATE, WA_ACTIVE, 0);
    }
    App_ShowTitle();
    return 0;
}

void Startup_Shutdown()
{
    char directory[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(sizeof(directory), directory);
    if (length > 0 && length < sizeof(directory))
        Settings_WriteString(nullptr, "Directories\\ProjectDirectory", directory);
    char current[MAX_PATH];
    std::snprintf(current, sizeof(current), "%s", Kadmi_CurrentDatabasefile());
    Kadmi_CloseDatabasefile(0);
    if (Shell().newFileFlag)
        Kadmi_DeleteDatabasefile(current);
    FileMenu_ForgetNewFile();
    App().title = "VlIntfc.dll";
    TextAPI_Close(Shell().textHandle);
    Shell().textHandle = -1;
    Project_DeleteTempFile();
    Settings_CloseRoot();
    if (Shell().accelerators)
        DestroyAcceleratorTable(Shell().accelerators);
    Shell().accelerators = nullptr;
}

HWND Startup_CreateMainWindow()
{
    CreateWindowExW(0, kMainClass, Dlg_Wide(Shell().title).c_str(),
                    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                    0, 0, 800, 600, nullptr, nullptr, App().instance, nullptr);
    return App().mainWindow;
}

void Startup_DispatchMessage(MSG* message)
{
    if (TranslateAcceleratorW(App().mainWindow, Shell().accelerators, message))
        return;
    if (ModelessDlg_PreTranslate(message))
        return;
    TranslateMessage(message);
    DispatchMessageW(message);
}

static int RunMessageLoop()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        Startup_DispatchMessage(&message);
    return static_cast<int>(message.wParam);
}


// Without its language texts the module has no words to show: it says, in
// English, which of their files are missing from its folder, or that they
// cannot be read.
static void ReportTextsNotOpened()
{
    std::string folder = Path_ModuleFolder(App().instance), missing, all;
    for (const char* name : {"TextAPI.db", "TextAPI.ddq"}) {
        std::string line = std::string("\n") + name;
        all += line;
        if (!Path_FileExists((folder + name).c_str()))
            missing += line;
    }
    std::string shown = "\n\nFolder: " + folder.substr(0, folder.size() - 1) + "\n";
    std::string text = std::string(kApplication) + " cannot start: these files ";
    text += missing.empty() ? "cannot be read." + shown + all : "are missing." + shown + missing;
    Wnd_MessageBox(nullptr, text.c_str(), kApplication, MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

int32_t __stdcall StartVelmoInsulation(HINSTANCE, HINSTANCE, char* commandLine, int show)
{
    if (Shell().textHandle < 0) {
        ReportTextsNotOpened();
        return 0;
    }
    if (Startup_Init() != 0) {
        Startup_Shutdown();
        return 0;
    }
    if (!Startup_CreateMainWindow()) {
        Wnd_MessageBox(nullptr, "Cannot create mainwindow !", nullptr, MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
        Startup_Shutdown();
        return -1;
    }
    ShowWindow(App().mainWindow, show);
    UpdateWindow(App().mainWindow);
    // The start-up about box opens over the window, before anything the
    // command line asks can show a box of its own.
    AboutBox_Show(App().mainWindow, true);
    Startup_AfterCreate(commandLine);
    int result = RunMessageLoop();
    Startup_Shutdown();
    return result;
}
