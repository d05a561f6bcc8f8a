// Private state and internal calls of the interface module's shell: start-up,
// main window, menus, file commands, about box. One globals record holds what
// the shell keeps between messages; the support library's App() record holds
// the module instance, the main window, the title and the current file name.
#pragma once
#include <windows.h>
#include "support/tempfiles.h"
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Language texts that the shell uses.
enum ShellText : uint16_t {
    Text_AppName1 = 1,
    Text_HelpFile = 3,
    Text_Ok = 9266,
    Text_Cancel = 9041,
    Text_Help = 9188,
    Text_OpenInUseCaptionCmdLine = 9434,
    Text_SaveChangesQuestion = 10001,
    Text_NewFileTitle = 10003,
    Text_NewFileFailed = 10004,
    Text_OpenTitle = 10005,
    Text_FileMissing = 10006,
    Text_OpenFailed = 10007,
    Text_SaveAsTitle = 10008,
    Text_FileCaption = 10009,
    Text_SaveFailed = 10010,
    Text_OpenInUseQuestion = 10011,
    Text_FileDamaged = 45100,
    Text_ReplaceWithNewQuestion = 45101,
    Text_NameTooLong = 45110,
    Text_OpenInAnotherWindow = 45130,
    Text_FileReadOnly = 45131,
    Text_SaveUnderAnotherName = 45132,
    Text_InUseElsewhereQuestion = 45133,
    Text_InUseEndedQuestion = 45134,
    Text_ChangedOnDisk = 45135,
    Text_FolderGone = 45136,
    Text_TempFolderFull = 45137,
    Text_CurrencyWithoutPrices = 45170,
    Text_AboutText1 = 20038,
    Text_AboutText2 = 20039,
    Text_AboutText3 = 20040,
    Text_AboutLabel = 20041,
    Text_AboutShowAtStart = 20042,
#ifdef VL_EXTENDED
    // The extended edition names itself in texts of its own.
    Text_AppName2 = 45270,
    Text_QuitQuestion = 45271,
    Text_FileFilter = 45272,
    Text_AboutMenu = 45273,
#else
    Text_AppName2 = 2,
    Text_QuitQuestion = 10000,
    Text_FileFilter = 10002,
    Text_AboutMenu = 9005,
#endif
};

constexpr int kModelessSlots = 1000;
constexpr int kRecentFileCount = 8;
constexpr int kDefaultLanguage = 1512;
constexpr int kHelpContextStart = 1;
constexpr int kHelpContextSettings = 10;
constexpr const char* kCompany = "Velmo";
// The settings root's application word, also given to the libraries.
#ifdef VL_EXTENDED
constexpr const char* kApplication = "TERVALOT";
#else
constexpr const char* kApplication = "Varmelin";
#endif
constexpr const wchar_t* kMainClass = L"Varmelin MAIN";
constexpr const char* kNoname = "Noname";

// The shell's module state (one thread).
struct ShellGlobals {
    short textHandle = -1;                 // language texts of this module
    short techDb = -1, otherInsulationDb = -1, weatherDb = -1;
    char title[MAX_PATH] = {};             // "<text 1> <text 2> <version>"
    char helpPath[MAX_PATH] = {};          // help file beside the module
    char tempFile[MAX_PATH] = {};          // the temporary project ("NON" prefix)
    TempOwner tempOwner;                   // holds the temporary project's marker
    int32_t newFileFlag = 0;               // 1 while a file made by New is unsaved
    bool newFileSavedByNewOnly = false;    // New's file was saved by New alone, not yet by the user
    int32_t layerParts[3] = {};            // layer parts of the loaded system, 0 none
    int32_t helpContext = kHelpContextStart;
    HACCEL accelerators = nullptr;
    HWND modeless[kModelessSlots] = {};
};
ShellGlobals& Shell();

// Language text of the module's handle; never null.
const char* Shell_Text(uint16_t id);

// The common Open or Save-As dialog of project files (default extension
// "WDF"). The filter is a "name|pattern|..." text; name is a MAX_PATH buffer
// that holds the start name and, on OK, the choice. True on OK.
struct ProjectFileDialogRequest {
    HWND owner;
    const char* filter;
    const char* initialDirectory;
    const char* title;
    DWORD flags;
    bool open;
};
bool Shell_ProjectFileDialog(const ProjectFileDialogRequest& request, char* name);
// The layer parts of the loaded system are all set: the project commands apply.
bool Shell_HasLayerParts();

// Version text of the module's version block ("2003.08.1"), or null. The
// extended edition writes "2003.8.1" ("2003.8" for build 0) and, with
// withDataVersion, appends " / " and the technical data's version text.
const char* App_GetVersionString(int withDataVersion = 0);
// The version text of major, minor and build in either edition's form;
// dataVersion (null: none) is appended by the extended form only.
std::string Version_Format(unsigned major, unsigned minor, unsigned build, bool extended, const char* dataVersion);

// Prints report (VlPrint_Print's 1 or 2) of the loaded system (currentOnly
// non-zero) or of the chosen systems to output 1, 2 or 4, with the project
// file as title and the module's version texts. Returns the print's result.
int Shell_PrintReport(HWND owner, int output, int report, int currentOnly);

// Start-up pieces (start.cpp).
BOOL Startup_OnProcessAttach(HINSTANCE instance);
int Startup_Init();
int Startup_AfterCreate(const char* commandLine);
void Startup_Shutdown();
int Startup_RegisterMainClass();
// Creates the main window (its creation stores it in App().mainWindow).
HWND Startup_CreateMainWindow();
// One message of the program's loop: the accelerators, then the modeless
// dialogs, then translated (typed characters) and dispatched, all Unicode.
void Startup_DispatchMessage(MSG* message);
void Startup_BuildTitle();

void Startup_BuildHelpPath();
// The file named by a command line: surrounding quotes and blanks removed,
// made absolute against the working directory of the call (as given when it
// cannot be). Empty when the line names nothing.
std::string Startup_CommandLineFile(const char* commandLine);

// Modeless dialogs served by the message loop.
int ModelessDlg_Add(HWND window);
int ModelessDlg_Remove(HWND window);
int ModelessDlg_PreTranslate(MSG* message);

// Main window (mainwnd.cpp, mainbars.cpp).
LRESULT CALLBACK MainWnd_WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void MainWnd_EnableCommands(HWND window);
void MainWnd_UpdateTitle();
void MainWnd_RebuildMenu(HWND window);
int MainWnd_QueryExit(HWND window);
HWND MainWnd_CreateToolbar(HWND window);
HWND MainWnd_CreateSystemCombo(HWND window);
// The system selector lists every system of the project as "n: name" in page
// order; it shows a list of its own (systemlist.h) and a selection's position
// names the entry. Filling reads them all from the project (after the project
// was replaced); the commands that change systems keep the list and the items
// current entry by entry.
int MainWnd_FillSystemCombo(HWND selector);
// The system page at 0-based position index as the selector lists it:
// "n: name", or "n: ---" without a name.
std::string MainWnd_SystemItemText(int index, short page);
void MainWnd_RefillSystemCombo();
// The loaded system's item shows its name as stored now.
void MainWnd_ShowSystemName();
// The item of a deleted page goes; the systems after it are numbered again.
void MainWnd_RemoveSystemFromCombo(short page);
// Selects the loaded system's item, listing the system first when it is new.
void MainWnd_SelectLoadedSystem();
// The selector's procedure: a choice from its list loads that system in place
// of the loaded one (unless the open page refuses to be left); Escape gives
// the keys back to the main window.
LRESULT CALLBACK MainWnd_SystemComboProc(HWND selector, UINT message, WPARAM wParam, LPARAM lParam);
void MainWnd_InitStatusBar(HWND window, HWND statusBar);
void MainWnd_UpdateKeyStates(HWND window, HWND statusBar, bool force);
// The open calculation page stores its inputs before a command replaces or
// writes the project; false when the page refuses (the command stops).
bool MainWnd_StoreOpenPage();
// Selects calculation tab index (the tab host's selection).
void MainWnd_SelectCalcPage(int index);
// Opens the file named on the command line in place of the temporary project
// and refreshes the window as the Open command does.
void MainWnd_OpenCommandLineFile(const char* file);
// After the project or the loaded system was replaced: closes the open
// calculation page, refreshes title, tabs, selector, menu and command states
// and opens the first tab on the new system.
void MainWnd_ShowNewProject(HWND window);
// Leaves the open calculation page before the loaded system changes: the
// first tab is opened and hidden, to be shown again on the new system.
void MainWnd_CloseCalcPage();
// Shows the loaded system: tabs, selector, title and command states.
void MainWnd_ShowLoadedSystem();
// Tells, in one box, what the loaded system uses that the user data no
// longer holds; nothing when it lacks nothing.
void MainWnd_TellRemovedData(HWND window);

// System commands (systems.cpp): 1 done, 0 not done (asked first).
int System_New(HWND owner);
int System_Delete(HWND owner);
int System_Copy(HWND owner);

// Temporary project and settings stamp (project.cpp).
int Project_NewTemporary();
void Project_DeleteTempFile();
void Project_StampUserSettings();
bool Project_IsOpen();
// Marks the loaded system's inputs edited ("EDT1" to "EDT3", and "EDTT" in the
// extended edition): its results are stale.
void Project_MarkInputsEdited();
bool Project_IsUnsaved();
// Loads a system (page) and takes its layer parts; a page of 0 or less loads
// nothing and clears them.
void Project_LoadSystem(short page);
void Project_LoadFirstSystem();
// Gives the loaded page its three layer parts, each marked (1133 = 1).
void Project_AddLayerParts();
// True when a layer of the page uses the product of the record class and
// code (as the layer stores them), read without loading the page.
bool Project_SystemUsesProduct(short page, const char* recordClass, const char* code);
// True when the system on page is at the weather location whose record key is key.
bool Project_SystemUsesLocation(short page, const char* key);
// What the loaded system uses that the user data no longer holds (its user
// insulation types and its weather location), one line each; empty when
// nothing is missing.
std::vector<std::string> Project_RemovedDataOfLoadedSystem();

// Says why the project file name could not be opened (code: the project
// library's open code), naming the file (filemenu.cpp).
void FileMenu_ShowOpenError(HWND owner, const char* name, int code);

// The project is no longer the file New made: saved by the user, replaced
// or closed (filemenu.cpp).
void FileMenu_ForgetNewFile();

// Recent files (recentfiles.cpp).
int RecentFiles_Add(HWND owner, const char* name);
// Drops every entry equal to name (letter case ignored).
void RecentFiles_Remove(const char* name);
// Reads entry i (1-based) whole; empty when missing or empty.
std::string RecentFiles_Read(int i);

// About box and logo (about.cpp).
INT_PTR AboutBox_Show(HWND owner, bool atStart);
int LogoCtl_Register(HINSTANCE instance);
