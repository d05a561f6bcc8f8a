// The project file commands: New, Open, Open recent, Save, Save As, Close and
// the unsaved-changes question, exported for the main window and the
// extended edition. A save counts only when it succeeded; a failed New or
// Open leaves a temporary project in place, never no project at all.
#include "VlInterface/vlinterface.h"
#include "support/attributes.h"
#include "VlInterface/recentlist.h"
#include "VlInterface/shell.h"
#include "VlInterface/workspace/calcdata.h"
#include "Kadmi/kadmi.h"
#include "support/app.h"
#include "support/dates.h"
#include "support/dlgutil.h"
#include "support/filedlg.h"
#include "support/msgbox.h"
#include "support/paths.h"
#include "support/strings.h"
#include "support/tempfiles.h"
#include "support/utf8.h"
#ifdef VL_EXTENDED
#include "VlInterface/extended/extended.h"
#endif
#include <commdlg.h>
#include <cstdio>
#include <cstring>

namespace {


enum class FileDialog { Open, Save, New };

// The name New offers: "Noname" in the project folder (the working
// directory), or the first numbered one that no file has taken.
std::string FreeNewName()
{
    std::string name = kNoname;
    for (int n = 2; Path_FileExists((name + ".WDF").c_str()); ++n)
        name = kNoname + std::to_string(n);
    return name;
}

} // namespace

bool Shell_ProjectFileDialog(const ProjectFileDialogRequest& request, char* name)
{
    FileDlgRequest dialog = {request.owner, request.filter, request.initialDirectory, request.title, "WDF",
                             request.flags, request.open};
    return FileDlg_Run(dialog, name, MAX_PATH);

}

namespace {

// Shows a file dialog with the language filter; on OK the choice is in name.
bool RunFileDialog(HWND owner, FileDialog kind, uint16_t titleText, char (&name)[MAX_PATH])
{
    std::snprintf(name, sizeof(name), "%s", kind == FileDialog::New ? FreeNewName().c_str() : App().currentFile);
    const std::string filter = Shell_Text(Text_FileFilter);
    ProjectFileDialogRequest request{owner, filter.c_str(), ".", Shell_Text(titleText),
                                     OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN,
                                     kind == FileDialog::Open};
    if (kind == FileDialog::Open)
        request.flags |= OFN_FILEMUSTEXIST;
    if (kind == FileDialog::Save)
        request.flags |= OFN_OVERWRITEPROMPT;   // New asks its own question, default No
    if (Shell_ProjectFileDialog(request, name))
        return true;
    if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)   // a name longer than Windows takes
        MsgBox_Show(owner, Shell_Text(Text_NameTooLong), MB_OK | MB_ICONSTOP);
    return false;
}

void ShowStop(HWND owner, const char* text)
{
    MsgBox_Show(owner, text, MB_OK | MB_ICONSTOP);
}

void ShowProgramError(HWND owner, int code)
{
    char text[40];
    std::snprintf(text, sizeof(text), "Program error %d", code);
    ShowStop(owner, text);
}

// The chosen file can be opened for reading and writing (or does not exist
// yet, when missingIsFine): checked before the open project is given up.
bool FileIsUsable(const char* name, bool missingIsFine)
{
    HANDLE file = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return true;
    }
    DWORD error = GetLastError();
    return missingIsFine && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND);
}

// A long file name in lines of at most 120 bytes, each cut after a folder
// separator where it can be and never inside a character: a message box
// breaks lines only at blanks and would grow wider than the screen.
std::string WrappedName(const char* name)
{
    constexpr size_t kLineBytes = 120;
    std::string wrapped;
    std::string_view rest = name;   // its end is the name's: rest.data() is a C string
    while (rest.size() > kLineBytes) {
        size_t cut = rest.substr(0, kLineBytes).find_last_of('\\');
        cut = cut != std::string_view::npos && cut > 0 ? cut + 1 : Utf8_FitLength(rest.data(), kLineBytes);
        wrapped.append(rest.substr(0, cut)).append("\n");
        rest.remove_prefix(cut);
    }
    return wrapped.append(rest);
}

// A message about one file names it: "<file>", a blank line, the text.
std::string AboutFile(const char* name, uint16_t textId)
{
    return WrappedName(name) + "\n\n" + Shell_Text(textId);
}

// The project library takes names shorter than this, its folder included.
constexpr size_t kProjectNameLimit = 256;

bool NameFitsProject(const char* name)
{
    return std::strlen(name) < kProjectNameLimit;
}

} // namespace

// The message for an open code of the project library about file name.
void FileMenu_ShowOpenError(HWND owner, const char* name, int code)
{
    if (!NameFitsProject(name))
        ShowStop(owner, AboutFile(name, Text_NameTooLong).c_str());
    else if (code == -1002)
        ShowStop(owner, AboutFile(name, Text_FileMissing).c_str());
    else if (code == -1003)
        ShowStop(owner, Shell_Text(Text_OpenFailed));
    else if (code == -1004 || code == -1005)   // -1005: an empty file holds no project either
        ShowStop(owner, AboutFile(name, Text_FileDamaged).c_str());
    else if (code == -1006)
        ShowStop(owner, AboutFile(name, Text_OpenInAnotherWindow).c_str());
    else
        ShowProgramError(owner, code);
}

namespace {

void ShowOpenError(HWND owner, int code)
{
    std::string name = App().currentFile;
    App().currentFile[0] = '\0';
    // A file that the library can take gives -1002 only when the in-use
    // question was declined: the user's own choice, nothing to report.
    if (code == -1002 && NameFitsProject(name.c_str()) && FileIsUsable(name.c_str(), false))
        return;
    FileMenu_ShowOpenError(owner, name.c_str(), code);
}

// Checked before the open project is given up: the chosen file can be read
// and written and opens as a project. Otherwise says why, naming the file.
bool ProjectFileOpens(HWND owner, const char* name)
{
    short code = FileIsUsable(name, false) ? Kadmi_OpenDatabasefileEx(name, KadmiMode_Check, nullptr) : -1002;
    if (code != 0)
        FileMenu_ShowOpenError(owner, name, code);
    return code == 0;
}

// Said before the open project is given up for name: another window of the
// program has it open, and only that window may write it.
bool OpenInAnotherWindow(HWND owner, const char* name)
{
    if (Kadmi_OpenDatabasefileEx(name, KadmiMode_Check, nullptr) != -1006)
        return false;
    ShowStop(owner, AboutFile(name, Text_OpenInAnotherWindow).c_str());
    return true;
}

// Asked before New replaces a file that exists, the open project's own
// included; No is the default answer.
bool ConfirmReplaceWithNew(HWND owner, const char* name)
{
    return MsgBox_Show(owner, AboutFile(name, Text_ReplaceWithNewQuestion).c_str(),
                       MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

void ShowCreateError(HWND owner, int code)
{
    std::string name = App().currentFile;
    App().currentFile[0] = '\0';
    if (code == -1302)
        ShowStop(owner, Shell_Text(Text_NewFileFailed));
    else if (code == -1305)
        ShowStop(owner, AboutFile(name.c_str(), Text_OpenInAnotherWindow).c_str());
    else
        ShowProgramError(owner, code);
}

// What went wrong in a Save of the project library (code), naming the file
// or folder concerned.
std::string SaveFailure(int code)
{
    const char* file = Kadmi_CurrentDatabasefile();
    if (code == -1205)
        return AboutFile(file, Text_ChangedOnDisk);
    if (code == -1206) {
        char folder[kDirectorySize];
        Path_GetDirectory(folder, file);
        return AboutFile(folder, Text_FolderGone);
    }
    if (code == -1207)
        return AboutFile(TempFile_Folder().c_str(), Text_TempFolderFull);
    return Shell_Text(Text_SaveFailed);
}

void ShowSaveError(HWND owner, int code)
{
    Wnd_MessageBox(owner, SaveFailure(code).c_str(), Shell_Text(Text_FileCaption), MB_OK | MB_ICONSTOP);
}

// The answers of the save question after which a command may replace the
// project: nothing unsaved, saved, or not to be saved. Cancel, a cancelled
// name dialog and a failed save keep the project.
bool MayDiscardProject(int answer)
{
    return answer == 0 || answer == IDYES || answer == IDNO;
}

// The open page has stored its inputs and the user has let the project go.
bool ReadyToReplaceProject(HWND owner)
{
    return MainWnd_StoreOpenPage() &&
           MayDiscardProject(VlFileMenu_AskSaveChanges(owner, Shell_Text(Text_SaveChangesQuestion)));
}

// Writes the loaded system and the project to its file: 0, or the project
// library's code (nothing said yet). The project counts as saved only when
// that worked.
int WriteProject()
{
    Kadmi_SavePage();
    int code = Kadmi_SaveDatabasefile();
    if (code == 0)
        Kadmi_MarkAccess(-1, Stamp_Saved);
    MainWnd_UpdateTitle();
    return code;
}

bool IsUnnamedProject()
{
    const char* name = Kadmi_CurrentDatabasefile();
    return name && std::strcmp(name, kNoname) == 0;
}

// Says why the project was not saved over its file and offers Save As.
// Save As's result, or -2 when the user declined (nothing saved).
int OfferSaveAs(HWND owner, const std::string& why)
{
    std::string text = why + "\n" + Shell_Text(Text_SaveUnderAnotherName);
    if (MsgBox_Show(owner, text.c_str(), MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return -2;
    return VlFileMenu_SaveFileAs(owner);
}

// Saves the project over its own file. True when written; otherwise the
// user was told why, and *result is -2 or, when Save As was offered (a
// read-only file, one changed on disk by another program, a folder that is
// gone), Save As's result.
bool SaveOverOwnFile(HWND owner, int* result)
{
    const char* file = Kadmi_CurrentDatabasefile();
    if (Path_IsReadOnlyFile(file)) {
        *result = OfferSaveAs(owner, AboutFile(file, Text_FileReadOnly));
        return false;
    }
    int code = WriteProject();
    if (code == 0)
        return true;
    if (code == -1205)
        FileMenu_ForgetNewFile();   // another program saved into New's file: it is theirs too, never deleted
    if (code == -1205 || code == -1206) {
        *result = OfferSaveAs(owner, SaveFailure(code));
        return false;
    }
    ShowSaveError(owner, code);
    *result = -2;
    return false;
}


// After a successful open: the list, the first system, the saved state.
void TakeOpenedProject(const char* name)
{
    RecentFiles_Add(nullptr, name);
    Project_LoadFirstSystem();
    FileMenu_ForgetNewFile();
    Kadmi_MarkAccess(-1, Stamp_Saved);
    MainWnd_UpdateTitle();
}

// Said once as a project opens: its currency has no price database here.
// The project keeps its currency all the same.
void TellCurrencyWithoutPrices(HWND owner)
{
    if (!CalcData_CurrencyHasPrices())
        MsgBox_Info(owner, AboutFile(App().currentFile, Text_CurrencyWithoutPrices).c_str());
}

// Opens App().currentFile in place of the (already closed) project; a
// failure is reported and a temporary project takes its place.
bool OpenCurrentFile(HWND owner, uint16_t inUseCaption)
{
    // The question names who holds the file when its in-use mark says so.
    const std::string caption = Shell_Text(inUseCaption), question = Shell_Text(Text_OpenInUseQuestion),
                      held = Shell_Text(Text_InUseElsewhereQuestion), ended = Shell_Text(Text_InUseEndedQuestion);
    const KadmiOpenOptions options{KadmiOptions_WithHolder, caption.c_str(), question.c_str(), held.c_str(),
                                   ended.c_str()};
    short code = Kadmi_OpenDatabasefileEx(App().currentFile, KadmiMode_ReadWrite, &options);
    if (code != 0) {
        ShowOpenError(owner, code);
        Project_NewTemporary();
        MainWnd_UpdateTitle();
        return false;
    }
    TakeOpenedProject(App().currentFile);
    TellCurrencyWithoutPrices(owner);
    return true;
}

// After an open that failed once the project was closed: the window shows
// the temporary project that took its place.
void ShowTemporaryProject()
{
    if (App().mainWindow)
        MainWnd_ShowNewProject(App().mainWindow);
}

void SetCurrentFile(const char* name)
{
    std::snprintf(App().currentFile, sizeof(App().currentFile), "%s", name);
}

// The name of the file New makes; false when the user cancelled.
bool ChooseNewFileName(HWND owner, char (&name)[MAX_PATH])
{
#ifdef VL_EXTENDED
    // Its dialog starts with an empty name.
    return FileMenu_AskNewFileName(owner, Shell_Text(Text_FileFilter), ".", name, Shell_Text(Text_NewFileTitle));
#else
    return RunFileDialog(owner, FileDialog::New, Text_NewFileTitle, name);
#endif
}

} // namespace

int32_t __stdcall VlFileMenu_AskSaveChanges(HWND owner, const char* question)
{
    if (!Project_IsOpen() || !Project_IsUnsaved())
        return 0;
    int answer = Wnd_MessageBox(owner, question ? question : "", Shell().title,
                             MB_YESNOCANCEL | MB_ICONQUESTION | MB_TASKMODAL);
    if (answer != IDYES)
        return answer;
    if (IsUnnamedProject())
        return VlFileMenu_SaveFileAs(owner);
    if (int result = 0; !SaveOverOwnFile(owner, &result))
        return result;
    FileMenu_ForgetNewFile();
    return IDYES;
}

int32_t __stdcall VlFileMenu_NewFile(HWND owner)
{
    if (!ReadyToReplaceProject(owner))
        return -1;
    char name[MAX_PATH];
    if (!ChooseNewFileName(owner, name))
        return -2;
    if (OpenInAnotherWindow(owner, name))
        return -3;
    if (Path_FileExists(name) && !ConfirmReplaceWithNew(owner, name))
        return -2;
    if (!FileIsUsable(name, true)) {
        ShowStop(owner, Shell_Text(Text_NewFileFailed));
        return -3;
    }
    SetCurrentFile(name);
    Kadmi_CloseDatabasefile(0);
    short code = Kadmi_CreateDatabasefile(name);
    if (code != 0) {
        ShowCreateError(owner, code);
        Project_NewTemporary();
        MainWnd_UpdateTitle();
        return -3;
    }
    RecentFiles_Add(owner, name);
    Kadmi_LoadPage(Kadmi_IthPage(0));
    Project_AddLayerParts();
    CalcData_SetNewSystemDefaults();   // takes the three parts just made as they are
    Kadmi_SavePage();
    Project_LoadFirstSystem();
    FileMenu_ForgetNewFile();   // a file an earlier New made is the user's now
    Shell().newFileFlag = 1;
    return 0;
}

int32_t __stdcall VlFileMenu_OpenFile(HWND owner)
{
    if (!ReadyToReplaceProject(owner))
        return 2;
    char name[MAX_PATH];
    if (!RunFileDialog(owner, FileDialog::Open, Text_OpenTitle, name))
        return 2;
    if (!ProjectFileOpens(owner, name))
        return 2;
    Kadmi_CloseDatabasefile(0);
    SetCurrentFile(name);
    if (OpenCurrentFile(owner, Text_FileCaption))
        return 1;
    ShowTemporaryProject();
    return 2;
}

int32_t __stdcall VlFileMenu_OpenIthFile(HWND owner, int32_t i)
{
    if (i < 0 || i >= kRecentFileCount)
        return -1;
    std::string name = RecentFiles_Read(i + 1);
    if (name.empty())
        return -1;
    if (!ProjectFileOpens(owner, name.c_str()))
        return -2;
    if (!ReadyToReplaceProject(owner))
        return 1;
    Kadmi_CloseDatabasefile(0);
    SetCurrentFile(name.c_str());
    if (OpenCurrentFile(owner, Text_FileCaption))
        return 0;
    ShowTemporaryProject();
    return -2;
}

int32_t __stdcall OpenKadmiFile(HWND owner)
{
    return OpenCurrentFile(owner, Text_OpenInUseCaptionCmdLine) ? 1 : 2;
}

int32_t __stdcall VlFileMenu_SaveFile(HWND owner)
{
    if (!Project_IsOpen())
        return -1;
    if (!MainWnd_StoreOpenPage())
        return 1;
    if (IsUnnamedProject())
        return VlFileMenu_SaveFileAs(owner);
    char today[80];
    Date_TodayLocal(today);
    Kadmi_SetStringAtt(-1, Att_SaveDate, today);
    if (int result = 0; !SaveOverOwnFile(owner, &result))
        return result;
    FileMenu_ForgetNewFile();
    return 0;
}

int32_t __stdcall VlFileMenu_SaveFileAs(HWND owner)
{
    if (!Project_IsOpen())
        return -1;
    if (!MainWnd_StoreOpenPage())
        return 1;
    char previous[MAX_PATH];
    Str_CopyTrimmed(previous, App().currentFile, MAX_PATH - 1);
    char name[MAX_PATH];
    if (!RunFileDialog(owner, FileDialog::Save, Text_SaveAsTitle, name))
        return 1;
    if (Path_IsReadOnlyFile(name)) {
        ShowStop(owner, AboutFile(name, Text_FileReadOnly).c_str());
        return -2;
    }
    if (short code = Kadmi_RenameDatabasefile(name); code != 0) {
        if (code == -1405)
            ShowStop(owner, AboutFile(name, Text_OpenInAnotherWindow).c_str());
        else if (code == -1403)
            ShowStop(owner, AboutFile(name, Text_NameTooLong).c_str());
        else
            ShowSaveError(owner, code);
        return -2;
    }
    SetCurrentFile(name);
    if (int code = WriteProject(); code != 0) {
        ShowSaveError(owner, code);
        SetCurrentFile(previous);
        Kadmi_RenameDatabasefile(previous);
        MainWnd_UpdateTitle();
        return -3;
    }
    RecentFiles_Add(owner, name);
    // The file New made goes when the project moves to another name before
    // the user saved it, never when it was saved over itself.
    if ((Shell().newFileFlag || Shell().newFileSavedByNewOnly) && !RecentList_SameName(previous, name)) {
        Kadmi_DeleteDatabasefile(previous);
        RecentFiles_Remove(previous);
    }
    FileMenu_ForgetNewFile();
    return 0;
}

int32_t __stdcall VlFileMenu_CloseFile(HWND owner)
{
    if (!ReadyToReplaceProject(owner))
        return -1;
    char closed[MAX_PATH];
    SetCurrentFile(Kadmi_CurrentDatabasefile());
    std::snprintf(closed, sizeof(closed), "%s", App().currentFile);
    Kadmi_CloseDatabasefile(0);
    if (Shell().newFileFlag)
        Kadmi_DeleteDatabasefile(closed);
    FileMenu_ForgetNewFile();
    Project_NewTemporary();
    MainWnd_UpdateTitle();
    return 0;
}

void FileMenu_ForgetNewFile()
{
    Shell().newFileFlag = 0;
    Shell().newFileSavedByNewOnly = false;
}

int32_t __stdcall VlFileMenu_UpdateFileList(HWND)
{
    return 0;
}
