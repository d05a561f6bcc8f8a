// The project file commands as a state machine, driven through the main
// window's commands with their dialogs answered: New, Open, Save, Save As,
// Close, the unsaved-changes question, a failed save, a cancelled dialog, the
// recent files, and the command states that follow each.
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/tests/window_fixture.h"
#include "VlInterface/vlinterface.h"
#include "VlInterface/workspace/calctabs.h"
#include "Kadmi/kadmi.h"
#include "outside/Torbase200/torbase.h"
#include "support/app.h"
#include "support/strings.h"
#include "support/tempfiles.h"
#include "testsupport/testsupport.h"
#include <cstring>
#include <fstream>
#include <iterator>

// Test build of the engine only: write faults on demand.
extern "C" __declspec(dllimport) void WINAPI ddq_test_faults(long long bytes, BOOL failReplace);

namespace {

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Writes a text attribute of the project block straight into a project file,
// as another program's Open or Save does behind this one's back.
void StoreProjectText(const std::string& path, short att, const char* text)
{
    char schema[MAX_PATH] = {};
    GetModuleFileNameA(GetModuleHandleA("WSKADMI.dll"), schema, MAX_PATH);
    std::strcpy(std::strrchr(schema, '\\') + 1, "KADMI.DDQ");
    short db = ddq_openwithschema(schema, path.c_str(), 0);
    ASSERT_EQ(ddq_begintransaction(db, 1), 0);
    ASSERT_EQ(ddq_putstoredfield(db, "A", "GENERALDATA", att, text, short(std::strlen(text))), 0);
    ASSERT_EQ(ddq_endtransaction(db), 0);
    ddq_closefile(db);
}

constexpr short kAttProjectName = 1500, kAttInUseHolder = 1599;

// The working directory for the length of a test.
struct WorkingDirectory {
    char before[MAX_PATH] = {};
    explicit WorkingDirectory(const std::string& path)
    {
        GetCurrentDirectoryA(sizeof(before), before);
        SetCurrentDirectoryA(path.c_str());
    }
    ~WorkingDirectory() { SetCurrentDirectoryA(before); }
};

class FileCommandTest : public ShellWindowTest {
protected:
    void Command(UINT id) { SendMessageA(window(), WM_COMMAND, id, 0); }
    std::string Title() const { return Ts_WindowText(window()); }
    std::string Current() const { return App().currentFile; }
    static bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    static FILETIME Written(const std::string& path)
    {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
        return data.ftLastWriteTime;
    }
    static bool SameTime(FILETIME a, FILETIME b) { return CompareFileTime(&a, &b) == 0; }

    // A project file marked as in use, as one left open elsewhere is.
    std::string MakeMarkedProject()
    {
        std::string marked = TempPath("marked.WDF"), original = TempPath("original.WDF");
        MakeProjectFile(original);
        EXPECT_EQ(Kadmi_OpenDatabasefile(original.c_str()), 0);   // the file is marked while open
        EXPECT_TRUE(CopyFileA(original.c_str(), marked.c_str(), FALSE));
        Kadmi_CloseDatabasefile(0);
        return marked;
    }

    // Starts on the temporary project and makes a new named project file.
    std::string StartWithNewFile(const char* name)
    {
        Start();
        std::string path = TempPath(name);
        ScriptedBoxes boxes({{IDOK, path}});
        Command(IDM_FILE_NEW);
        EXPECT_EQ(boxes.answered(), 1u);
        EXPECT_EQ(Current(), path);
        return path;
    }
};

TEST_F(FileCommandTest, TemporaryProjectDisablesProjectCommands)
{
    Start();
    for (UINT id : {IDM_FILE_SAVE, IDM_FILE_SAVEAS, IDM_FILE_PRINT, IDM_SYSTEM_NEW, IDM_SYSTEM_DELETE, IDM_SYSTEM_COPY})
        EXPECT_FALSE(MenuEnabled(id)) << "menu " << id;
    for (UINT id : {IDM_FILE_SAVE, IDM_FILE_PRINT, IDM_SYSTEM_NEW})
        EXPECT_FALSE(ButtonEnabled(id)) << "button " << id;
    EXPECT_TRUE(ButtonEnabled(IDM_FILE_NEW));
    EXPECT_TRUE(MenuEnabled(IDM_FILE_OPEN));
    EXPECT_FALSE(SelectorEnabled());
}

TEST_F(FileCommandTest, NewMakesASavedProjectWithThreeLayerParts)
{
    std::string path = StartWithNewFile("new.WDF");
    EXPECT_TRUE(Exists(path));
    EXPECT_TRUE(Shell_HasLayerParts());
    for (int32_t part : Shell().layerParts)
        EXPECT_EQ(Kadmi_GetIntAtt(part, 1133), 1);
    EXPECT_FALSE(ProjectUnsaved());
    EXPECT_EQ(Title(), std::string(Shell().title) + " - " + path);
    EXPECT_EQ(StoredString("Recent File List", "File1"), path);
    for (UINT id : {IDM_FILE_SAVE, IDM_FILE_SAVEAS, IDM_FILE_PRINT, IDM_SYSTEM_NEW})
        EXPECT_TRUE(MenuEnabled(id)) << "menu " << id;
    for (UINT id : {IDM_FILE_SAVE, IDM_FILE_PRINT, IDM_SYSTEM_NEW})
        EXPECT_TRUE(ButtonEnabled(id)) << "button " << id;
    EXPECT_TRUE(SelectorEnabled());
    // The rebuilt menu lists the file below Exit.
    HMENU file = GetSubMenu(GetMenu(window()), 0);
    EXPECT_EQ(GetMenuItemID(file, GetMenuItemCount(file) - 1), static_cast<UINT>(IDM_RECENT_FIRST));
    // Nothing was edited: leaving asks only whether to quit.
    ScriptedBoxes boxes({{IDCANCEL, ""}});
    EXPECT_EQ(MainWnd_QueryExit(window()), 0);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], Shell_Text(Text_QuitQuestion));
}

TEST_F(FileCommandTest, CancelledNameDialogKeepsTheTemporaryProject)
{
    Start();
    ScriptedBoxes boxes({{IDCANCEL, ""}});
    EXPECT_EQ(VlFileMenu_NewFile(window()), -2);
    EXPECT_EQ(Current(), "Noname");
    EXPECT_EQ(boxes.unexpected, 0u);
}

TEST_F(FileCommandTest, SavingTheTemporaryProjectAsksForANameFirst)
{
    Start();
    {
        ScriptedBoxes boxes({{IDCANCEL, ""}});
        EXPECT_EQ(VlFileMenu_SaveFile(window()), 1);
        EXPECT_EQ(boxes.answered(), 1u);
        EXPECT_EQ(Current(), "Noname");
    }
    std::string path = TempPath("named.WDF");
    ScriptedBoxes boxes({{IDOK, path}});
    EXPECT_EQ(VlFileMenu_SaveFile(window()), 0);
    EXPECT_TRUE(Exists(path));
    EXPECT_EQ(Current(), path);
}

TEST_F(FileCommandTest, UnsavedChangesQuestionDecidesWhatHappens)
{
    struct Case {
        const char* name;
        int answer;            // to the save question
        bool openDialogShown;  // the open dialog follows (cancelled here)
        bool fileWritten;
        bool stillUnsaved;
        int result;
    } const cases[] = {
        {"Cancel keeps everything", IDCANCEL, false, false, true, 2},
        {"No goes on without saving", IDNO, true, false, true, 2},
        {"Yes saves, then goes on", IDYES, true, true, false, 2},
    };
    std::string path = StartWithNewFile("question.WDF");
    for (const Case& c : cases) {
        MakeProjectUnsaved();
        Sleep(20);
        FILETIME before = Written(path);
        std::vector<BoxAnswer> answers = {{c.answer, ""}};
        if (c.openDialogShown)
            answers.push_back({IDCANCEL, ""});
        ScriptedBoxes boxes(answers);
        EXPECT_EQ(VlFileMenu_OpenFile(window()), c.result) << c.name;
        EXPECT_EQ(boxes.answered(), answers.size()) << c.name;
        EXPECT_EQ(boxes.unexpected, 0u) << c.name;
        EXPECT_EQ(!SameTime(before, Written(path)), c.fileWritten) << c.name;
        EXPECT_EQ(ProjectUnsaved(), c.stillUnsaved) << c.name;
        EXPECT_EQ(Current(), path) << c.name;
    }
}

TEST_F(FileCommandTest, FailedSaveIsReportedAndNeverCountsAsSaved)
{
    std::string path = StartWithNewFile("locked.WDF");
    MakeProjectUnsaved();
    // Another program holds the file open: every save fails.
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    {
        ScriptedBoxes boxes({{IDOK, ""}});
        EXPECT_EQ(VlFileMenu_SaveFile(window()), -2);
        ASSERT_EQ(boxes.answered(), 1u);
        EXPECT_EQ(boxes.captions[0], Shell_Text(Text_FileCaption));
    }
    EXPECT_TRUE(ProjectUnsaved());
    EXPECT_NE(Title().find(" *"), std::string::npos);
    {
        // Quitting with Yes: the save fails again and the program stays.
        ScriptedBoxes boxes({{IDYES, ""}, {IDOK, ""}});
        EXPECT_EQ(MainWnd_QueryExit(window()), 0);
        EXPECT_EQ(boxes.answered(), 2u);
    }
    {
        // Opening another file after Yes and a failed save: nothing is discarded.
        ScriptedBoxes boxes({{IDYES, ""}, {IDOK, ""}});
        EXPECT_EQ(VlFileMenu_OpenFile(window()), 2);
        EXPECT_EQ(boxes.unexpected, 0u);
        EXPECT_EQ(Current(), path);
        EXPECT_TRUE(ProjectUnsaved());
    }
    CloseHandle(holder);
}

// A project file marked read-only is never written, its in-use mark
// included: Save says so and offers Save As, and Save As refuses it as a
// target.
TEST_F(FileCommandTest, AReadOnlyProjectFileIsNeverWrittenOver)
{
    std::string path = TempPath("readonly.WDF"), other = TempPath("writable.WDF");
    MakeProjectFile(path);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string before = ReadFileBytes(path);
    Start(path.c_str());
    MakeProjectUnsaved();
    const struct {
        const char* name;
        int32_t (__stdcall* command)(HWND);
        std::vector<BoxAnswer> answers;
        int32_t result;
        std::string current;
    } rows[] = {
        {"save, another name declined", VlFileMenu_SaveFile, {{IDNO, ""}}, -2, path},
        {"save under another name", VlFileMenu_SaveFile, {{IDYES, ""}, {IDOK, other}}, 0, other},
        {"save as onto it", VlFileMenu_SaveFileAs, {{IDOK, path}, {IDYES, ""}, {IDOK, ""}}, -2, other},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedBoxes boxes(row.answers);
        EXPECT_EQ(row.command(window()), row.result);
        EXPECT_EQ(boxes.answered(), row.answers.size());
        EXPECT_EQ(boxes.unexpected, 0u);
        EXPECT_EQ(Current(), row.current);
        EXPECT_EQ(ReadFileBytes(path), before);
        bool told = false;
        for (const std::string& text : boxes.texts)
            told = told || text.find(Shell_Text(Text_FileReadOnly)) != std::string::npos;
        EXPECT_TRUE(told);
    }
    EXPECT_TRUE(Exists(other));
}

// A file that another window of the program has open is refused before the
// open project is given up, by Open, New and Save As alike, with no in-use
// question; once that window has ended, it opens.
TEST_F(FileCommandTest, AProjectOpenInAnotherWindowIsNeverTakenHere)
{
    std::string theirs = TempPath("theirs.WDF");
    MakeProjectFile(theirs);
    char copy[MAX_PATH] = {};
    TempOwner other;   // the other window's working copy, naming the file
    ASSERT_TRUE(TempFile_Create("prj", copy, sizeof(copy), &other));
    ASSERT_TRUE(TempFile_SetSubject(copy, theirs.c_str()));
    std::string mine = StartWithNewFile("mine.WDF");
    const std::string before = ReadFileBytes(theirs);
    const struct {
        const char* name;
        int32_t (__stdcall* command)(HWND);
        std::vector<BoxAnswer> answers;
        int32_t result;
    } rows[] = {
        {"open", VlFileMenu_OpenFile, {{IDOK, theirs}, {IDOK, ""}}, 2},
        {"new", VlFileMenu_NewFile, {{IDOK, theirs}, {IDOK, ""}}, -3},
        {"save as", VlFileMenu_SaveFileAs, {{IDOK, theirs}, {IDYES, ""}, {IDOK, ""}}, -2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedBoxes boxes(row.answers);
        EXPECT_EQ(row.command(window()), row.result);
        ASSERT_EQ(boxes.answered(), row.answers.size());
        EXPECT_NE(boxes.texts.back().find(Shell_Text(Text_OpenInAnotherWindow)), std::string::npos);
        EXPECT_EQ(Current(), mine);
        EXPECT_EQ(Kadmi_CurrentDatabasefile(), mine);
        EXPECT_EQ(ReadFileBytes(theirs), before);
    }
    TempFile_Remove(copy, &other);
    ScriptedBoxes boxes({{IDOK, theirs}});
    EXPECT_EQ(VlFileMenu_OpenFile(window()), 1);
    EXPECT_EQ(boxes.unexpected, 0u);
}

TEST_F(FileCommandTest, SaveAsOntoTheNewFileItselfKeepsIt)
{
    std::string path = StartWithNewFile("self.WDF");
    Shell().newFileFlag = 1;   // as after New when its first save failed
    ScriptedBoxes boxes({{IDOK, path}, {IDYES, ""}});   // the overwrite prompt is confirmed
    EXPECT_EQ(VlFileMenu_SaveFileAs(window()), 0);
    EXPECT_TRUE(Exists(path));
    EXPECT_EQ(Shell().newFileFlag, 0);
}

TEST_F(FileCommandTest, SaveAsMovesTheProjectAndRemovesTheUnsavedNewFile)
{
    PresetString("Recent File List", "File1", TempPath("older.WDF"));
    std::string path = StartWithNewFile("first.WDF");   // New saves its file at once
    std::string moved = TempPath("moved.WDF");
    {
        ScriptedBoxes boxes({{IDOK, moved}});
        Command(IDM_FILE_SAVEAS);
    }
    EXPECT_EQ(Current(), moved);
    EXPECT_TRUE(Exists(moved));
    EXPECT_FALSE(Exists(path));
    EXPECT_EQ(StoredString("Recent File List", "File1"), moved);
    EXPECT_EQ(StoredString("Recent File List", "File2"), TempPath("older.WDF"));
    EXPECT_EQ(Title(), std::string(Shell().title) + " - " + moved);

    // A new file that the user has saved is his: Save As keeps it.
    std::string second = TempPath("second.WDF");
    {
        ScriptedBoxes boxes({{IDOK, second}});
        Command(IDM_FILE_NEW);
    }
    Command(IDM_FILE_SAVE);
    ScriptedBoxes boxes({{IDOK, TempPath("third.WDF")}});
    Command(IDM_FILE_SAVEAS);
    EXPECT_TRUE(Exists(second));
    EXPECT_EQ(StoredString("Recent File List", "File2"), second);
}

TEST_F(FileCommandTest, CloseOpensATemporaryProject)
{
    std::string path = StartWithNewFile("closed.WDF");
    Command(IDM_FILE_CLOSE);
    EXPECT_EQ(Current(), "Noname");
    EXPECT_EQ(Title(), std::string(Shell().title) + " - Noname");
    EXPECT_TRUE(Exists(path));
    EXPECT_FALSE(MenuEnabled(IDM_FILE_SAVE));
    EXPECT_FALSE(ButtonEnabled(IDM_FILE_SAVE));
    EXPECT_FALSE(SelectorEnabled());
}

TEST_F(FileCommandTest, OpenAndOpenRecentLoadTheFirstSystem)
{
    std::string a = TempPath("a.WDF"), b = TempPath("b.WDF");
    MakeProjectFile(a);
    MakeProjectFile(b);
    Start();
    {
        ScriptedBoxes boxes({{IDOK, a}});
        Command(IDM_FILE_OPEN);
    }
    EXPECT_EQ(Current(), a);
    EXPECT_TRUE(Shell_HasLayerParts());
    EXPECT_EQ(Ts_ComboSelectedText(window(), IDC_SYSTEM_COMBO), "1: Steam line");
    {
        ScriptedBoxes boxes({{IDOK, b}});
        Command(IDM_FILE_OPEN);
    }
    EXPECT_EQ(StoredString("Recent File List", "File1"), b);
    EXPECT_EQ(StoredString("Recent File List", "File2"), a);
    Command(IDM_RECENT_FIRST + 1);
    EXPECT_EQ(Current(), a);
    EXPECT_EQ(StoredString("Recent File List", "File1"), a);
    EXPECT_EQ(StoredString("Recent File List", "File2"), b);
    EXPECT_EQ(Title(), std::string(Shell().title) + " - " + a);
}

TEST_F(FileCommandTest, RecentFileThatIsGoneIsReportedAndKept)
{
    std::string gone = TempPath("gone.WDF");
    PresetString("Recent File List", "File1", gone);
    Start();
    ScriptedBoxes boxes({{IDOK, ""}});
    EXPECT_EQ(VlFileMenu_OpenIthFile(window(), 0), -2);
    ASSERT_EQ(boxes.answered(), 1u);
    EXPECT_EQ(boxes.texts[0], gone + "\n\n" + Shell_Text(Text_FileMissing)) << "names the file";
    EXPECT_EQ(StoredString("Recent File List", "File1"), gone);
    EXPECT_EQ(VlFileMenu_OpenIthFile(window(), 1), -1);
    EXPECT_EQ(Current(), "Noname");
}

// A file that does not open as a project is named in the message, and the
// open project stays.
TEST_F(FileCommandTest, DamagedFilesAreNamedAndTheOpenProjectStays)
{
    std::string good = TempPath("good.WDF");
    MakeProjectFile(good);
    std::string project = ReadFileBytes(good);
    std::string random(4000, '\0');
    for (size_t i = 0; i < random.size(); ++i)
        random[i] = static_cast<char>((i * 7919 + 13) % 251);
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"random bytes", random},
        {"text", "A text file, not a project.\r\n"},
        {"truncated project", project.substr(0, project.size() / 2)},
        {"empty", ""},
    };
    std::string before = StartWithNewFile("kept.WDF");
    for (const Case& c : cases) {
        std::string bad = TempPath((std::string(c.name) + ".WDF").c_str());
        WriteFileBytes(bad, c.bytes);
        ScriptedBoxes boxes({{IDOK, bad}, {IDOK, ""}});
        Command(IDM_FILE_OPEN);
        ASSERT_EQ(boxes.answered(), 2u) << c.name;
        EXPECT_EQ(boxes.texts[1], bad + "\n\n" + Shell_Text(Text_FileDamaged)) << c.name;
        EXPECT_EQ(Current(), before) << c.name;
        EXPECT_STREQ(Kadmi_CurrentDatabasefile(), before.c_str()) << c.name;
        EXPECT_TRUE(Shell_HasLayerParts()) << c.name;
    }
}

// New offers a name that no file has; the open project's own name replaces
// it only after a question whose answer by Enter is No.
TEST_F(FileCommandTest, NewOffersAFreeNameAndAsksBeforeReplacingAFile)
{
    std::string mine = StartWithNewFile("mine.WDF");
    FILETIME written = Written(mine);
    WriteFileBytes(TempPath("Noname.WDF"), "taken");
    WorkingDirectory projects(TempPath(""));
    {
        ScriptedBoxes boxes({{IDOK, mine}, {IDNO, ""}});
        EXPECT_EQ(VlFileMenu_NewFile(window()), -2);
        ASSERT_EQ(boxes.answered(), 2u);
        EXPECT_EQ(boxes.offeredNames[0], "Noname2") << "Noname.WDF exists";
        EXPECT_EQ(boxes.texts[1], mine + "\n\n" + Shell_Text(Text_ReplaceWithNewQuestion));
        EXPECT_EQ(boxes.defaultButtons[1], IDNO);
    }
    EXPECT_EQ(Current(), mine);
    EXPECT_TRUE(SameTime(Written(mine), written)) << "the open project's file is untouched";
    EXPECT_TRUE(Shell_HasLayerParts());
    ScriptedBoxes boxes({{IDOK, mine}, {IDYES, ""}});
    EXPECT_EQ(VlFileMenu_NewFile(window()), 0);
    EXPECT_EQ(Current(), mine);
    EXPECT_EQ(Kadmi_NPage(), 1);
}

// No to the in-use question ends the open quietly.
TEST_F(FileCommandTest, DecliningTheInUseQuestionSaysNothingMore)
{
    std::string marked = MakeMarkedProject();
    Start();
    ScriptedBoxes boxes({{IDOK, marked}, {IDNO, ""}});
    Command(IDM_FILE_OPEN);
    EXPECT_EQ(boxes.answered(), 2u);
    EXPECT_EQ(boxes.unexpected, 0u);
    EXPECT_EQ(boxes.texts.back(), Shell_Text(Text_OpenInUseQuestion));
}

// The in-use question names the computer and user that hold the file; Yes
// opens it, and their mark outlives this program's Close.
TEST_F(FileCommandTest, TheInUseQuestionNamesWhoHoldsTheFile)
{
    std::string marked = MakeMarkedProject();
    StoreProjectText(marked, kAttInUseHolder, "OTHER-PC\tjan\tanother-machine-id\t4242\t1\t20261209\t081500");
    Start();
    {
        ScriptedBoxes boxes({{IDOK, marked}, {IDYES, ""}});
        Command(IDM_FILE_OPEN);
        ASSERT_EQ(boxes.answered(), 2u);
        EXPECT_EQ(boxes.texts.back(),
                  Str_FillTexts(Shell_Text(Text_InUseElsewhereQuestion), {"OTHER-PC", "jan", "2026-12-09 08:15"}));
        EXPECT_EQ(Current(), marked);
    }
    EXPECT_EQ(VlFileMenu_CloseFile(window()), 0);
    KadmiInUseHolder holder{};
    EXPECT_EQ(Kadmi_GetInUseHolder(marked.c_str(), &holder), KadmiHolder_Held);
    EXPECT_STREQ(holder.computer, "OTHER-PC");
}

// A Save that cannot write the project says what happened, naming the file
// or folder, and offers Save As where another name helps: the file changed
// on disk since it was opened or saved (theirs stays), its folder is gone.
// A full temporary folder and a name too long for Windows are said as such.
TEST_F(FileCommandTest, AFailedSaveSaysWhatHappened)
{
    const std::string gone = TempPath("gone"), moved = gone + "\\moved.WDF", mine = TempPath("mine.WDF");
    for (const std::string& left : {gone + "\\shared.WDF", moved})   // by a run that failed
        DeleteFileA(left.c_str());
    RemoveDirectoryA(gone.c_str());
    ASSERT_TRUE(CreateDirectoryA(gone.c_str(), nullptr));
    const std::string shared = StartWithNewFile("gone\\shared.WDF");
    const std::string tooLong = TempPath((std::string(257 - TempPath(".WDF").size(), 'n') + ".WDF").c_str());
    char temporary[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temporary);
    auto theirSave = [&] { StoreProjectText(shared, kAttProjectName, "theirs"); };
    auto folderGoes = [&] {
        ScriptedBoxes boxes({{IDOK, moved}});
        ASSERT_EQ(VlFileMenu_SaveFileAs(window()), 0);
        SetCurrentDirectoryA(TempPath("").c_str());   // the dialog left us in the folder
        ASSERT_TRUE(DeleteFileA(moved.c_str()));
        ASSERT_TRUE(DeleteFileA(shared.c_str())) << "New's file that another program saved into is kept";
        ASSERT_TRUE(RemoveDirectoryA(gone.c_str()));
    };
    const struct {
        const char* name;
        std::function<void()> before;
        int32_t (__stdcall* command)(HWND);
        std::vector<BoxAnswer> answers;
        int32_t result;
        uint16_t text;
        std::string named;   // in the message too
        std::string current;
    } rows[] = {
        {"another program saved it", theirSave, VlFileMenu_SaveFile, {{IDNO, ""}}, -2, Text_ChangedOnDisk, shared, shared},
        {"then saved as another file", [] {}, VlFileMenu_SaveFile, {{IDYES, ""}, {IDOK, mine}}, 0, Text_ChangedOnDisk,
         shared, mine},
        {"temporary folder full", [] { ddq_test_faults(30, FALSE); }, VlFileMenu_SaveFile, {{IDOK, ""}}, -2,
         Text_TempFolderFull, temporary, mine},
        {"name too long", [] {}, VlFileMenu_SaveFileAs, {{IDOK, tooLong}, {IDOK, ""}}, -2, Text_NameTooLong, "", mine},
        {"folder gone", folderGoes, VlFileMenu_SaveFile, {{IDNO, ""}}, -2, Text_FolderGone, gone, moved},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        row.before();
        const std::string before = ReadFileBytes(row.current);
        MakeProjectUnsaved();
        ScriptedBoxes boxes(row.answers);
        EXPECT_EQ(row.command(window()), row.result);
        ddq_test_faults(-1, FALSE);
        EXPECT_EQ(boxes.answered(), row.answers.size());
        EXPECT_EQ(boxes.unexpected, 0u);
        bool told = false;
        for (const std::string& text : boxes.texts)
            told = told || (text.find(Shell_Text(row.text)) != std::string::npos && text.find(row.named) != std::string::npos);
        EXPECT_TRUE(told);
        EXPECT_EQ(Current(), row.current);
        EXPECT_EQ(ProjectUnsaved(), row.result != 0);
        if (row.result != 0) {
            EXPECT_EQ(ReadFileBytes(row.current), before) << "nothing written";
        }
    }
}

// A cancelled Open leaves the window as it was, its open page included; an
// open that fails after the project was closed shows what replaced it.
TEST_F(FileCommandTest, OpenRefreshesTheWindowOnlyWhenTheProjectWasReplaced)
{
    std::string marked = MakeMarkedProject();
    const struct {
        const char* name;
        std::vector<BoxAnswer> answers;
        bool replaced;
    } rows[] = {{"cancelled in the dialog", {{IDCANCEL, ""}}, false},   // first: the project is still there after it
                {"in-use question declined", {{IDOK, marked}, {IDNO, ""}}, true}};
    std::string mine = TempPath("mine.WDF");
    MakePipeProjectFile(mine, 11);
    Start(mine.c_str());
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CalcTabs_SelectPage(1);
        HWND page = CalcTabs_OpenPageWindow();
        ScriptedBoxes boxes(row.answers);
        Command(IDM_FILE_OPEN);
        EXPECT_EQ(boxes.answered(), row.answers.size());
        EXPECT_EQ(CalcTabs_OpenPageWindow() == page, !row.replaced);
        EXPECT_EQ(CalcTabs_GetFocusedTab(), row.replaced ? 0 : 1);
        EXPECT_EQ(SelectorEnabled(), !row.replaced);
    }
}

TEST_F(FileCommandTest, NewOntoAFileInUseKeepsTheOpenProject)
{
    std::string busy = TempPath("busy.WDF");
    MakeProjectFile(busy);
    HANDLE holder = CreateFileA(busy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    std::string before = StartWithNewFile("before.WDF");
    {
        // Name dialog, the question before replacing, then the failure message.
        ScriptedBoxes boxes({{IDOK, busy}, {IDYES, ""}, {IDOK, ""}});
        EXPECT_EQ(VlFileMenu_NewFile(window()), -3);
        EXPECT_EQ(boxes.answered(), 3u);
        EXPECT_EQ(boxes.unexpected, 0u);
        EXPECT_EQ(boxes.texts.back(), Shell_Text(Text_NewFileFailed));
    }
    CloseHandle(holder);
    EXPECT_EQ(Current(), before);
    EXPECT_EQ(Kadmi_CurrentDatabasefile(), before);
    EXPECT_TRUE(MenuEnabled(IDM_FILE_SAVE));
}

TEST_F(FileCommandTest, OpenOfAFileInUseKeepsTheOpenProject)
{
    std::string busy = TempPath("held.WDF");
    MakeProjectFile(busy);
    HANDLE holder = CreateFileA(busy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string before = StartWithNewFile("mine.WDF");
    ScriptedBoxes boxes({{IDOK, busy}, {IDOK, ""}});
    Command(IDM_FILE_OPEN);
    CloseHandle(holder);
    EXPECT_EQ(boxes.answered(), 2u);
    EXPECT_EQ(Current(), before);
    EXPECT_TRUE(Shell_HasLayerParts());
}

TEST_F(FileCommandTest, ExitAsksTheQuitQuestionWhenNothingIsUnsaved)
{
    Start();
    {
        ScriptedBoxes boxes({{IDCANCEL, ""}});
        EXPECT_EQ(MainWnd_QueryExit(window()), 0);
        ASSERT_EQ(boxes.answered(), 1u);
        EXPECT_EQ(boxes.texts[0], Shell_Text(Text_QuitQuestion));
    }
    ScriptedBoxes boxes({{IDOK, ""}});
    EXPECT_EQ(MainWnd_QueryExit(window()), 1);
}

} // namespace
