// Project files through the exports: round trips, the in-use mark and its
// question, saving safely, failed opens, and a second process.
#include "kadmi_fixture.h"
#include "support/tempfiles.h"
#include <cstring>
#include <string>

namespace {

TEST_F(Project, EverythingSavedSurvivesCloseAndReopen)
{
    CreateLoaded();
    long part = Kadmi_CreatePart();
    ASSERT_EQ(part, 1);
    ASSERT_EQ(Kadmi_SetStringAtt(KadmiObject_Project, 501, "Project name"), 0);
    ASSERT_EQ(Kadmi_SetDoubleAtt(KadmiObject_Page, 401, 12.5), 0);
    ASSERT_EQ(Kadmi_SetIntAtt(part, 101, -7), 0);
    ASSERT_EQ(Kadmi_CreatePage(), 2);
    SaveClose();
    EXPECT_EQ(StoredMark(file), -1) << "the in-use mark is cleared at close";
    EXPECT_STREQ(Kadmi_CurrentDatabasefile(), "");

    ASSERT_EQ(Kadmi_OpenDatabasefile(file.c_str()), 0);
    EXPECT_EQ(StoredMark(file), 1) << "marked while open";
    EXPECT_STREQ(Kadmi_CurrentDatabasefile(), file.c_str());
    EXPECT_EQ(Kadmi_NPage(), 2);
    ASSERT_EQ(Kadmi_LoadPage(1), 0);
    EXPECT_STREQ(Kadmi_GetStringAtt(KadmiObject_Project, 501), "Project name");
    EXPECT_EQ(Kadmi_GetDoubleAtt(KadmiObject_Page, 401), 12.5);
    EXPECT_EQ(Kadmi_GetIntAtt(1, 101), -7);
    EXPECT_EQ(Kadmi_NPart(), 1);
}

// The largest project: every system's values and parts come back after
// Save, Close and Open, other systems' values read straight from the file,
// and saving it again unchanged writes the same bytes.
TEST_F(Project, AProjectOf998SystemsRoundTrips)
{
    CreateLoaded();
    for (short page = 2; page <= 998; ++page)
        ASSERT_EQ(Kadmi_CreatePage(), page);
    auto nameOf = [](short page) { return "System " + std::to_string(page); };
    for (short page = 1; page <= 998; ++page) {
        ASSERT_EQ(Kadmi_LoadPage(page), 0);
        ASSERT_EQ(Kadmi_SetStringAtt(KadmiObject_Page, 501, nameOf(page).c_str()), 0);
        ASSERT_EQ(Kadmi_SetDoubleAtt(KadmiObject_Page, 401, page / 4.0), 0);
        for (long p = 0; p < 3; ++p)
            ASSERT_EQ(Kadmi_SetLongAtt(Kadmi_CreatePart(), 201, page * 10L + p), 0);
        ASSERT_EQ(Kadmi_SavePage(), 0);
    }
    ASSERT_EQ(Kadmi_SaveDatabasefile(), 0);
    ASSERT_EQ(Kadmi_CloseDatabasefile(0), 0);

    ASSERT_EQ(Kadmi_OpenDatabasefile(file.c_str()), 0);
    const auto opened = ReadAll(file);   // as marked by this open
    ASSERT_EQ(Kadmi_NPage(), 998);
    ASSERT_EQ(Kadmi_LoadPage(500), 0);
    for (short i = 0; i < 998; ++i) {
        const short page = Kadmi_IthPage(i);
        ASSERT_EQ(page, i + 1);
        char name[40];
        EXPECT_NE(Kadmi_GetAttID(page, KadmiObject_Page, 501, nullptr, name, sizeof name), nullptr);
        EXPECT_EQ(name, nameOf(page));
    }
    for (short page = 1; page <= 998; ++page) {
        ASSERT_EQ(Kadmi_LoadPage(page), 0);
        EXPECT_EQ(Kadmi_GetDoubleAtt(KadmiObject_Page, 401), page / 4.0) << page;
        ASSERT_EQ(Kadmi_NPart(), 3) << page;
        for (short p = 0; p < 3; ++p)
            EXPECT_EQ(Kadmi_GetLongAtt(Kadmi_IthPart(p), 201), page * 10L + p) << page;
    }
    ASSERT_EQ(Kadmi_SaveDatabasefile(), 0);
    EXPECT_EQ(ReadAll(file), opened);
}

TEST_F(Project, CloseWithoutSaveKeepsNothingAndCloseWithSaveKeepsAll)
{
    CreateLoaded();
    SaveClose();
    ASSERT_EQ(Kadmi_OpenDatabasefile(file.c_str()), 0);
    ASSERT_EQ(Kadmi_LoadPage(1), 0);
    ASSERT_EQ(Kadmi_SetLongAtt(KadmiObject_Page, 201, 42), 0);
    ASSERT_EQ(Kadmi_SavePage(), 0);
    ASSERT_EQ(Kadmi_CloseDatabasefile(0), 0);
    ASSERT_EQ(Kadmi_OpenDatabasefile(file.c_str()), 0);
    ASSERT_EQ(Kadmi_LoadPage(1), 0);
    EXPECT_EQ(Kadmi_GetLongAttZ(KadmiObject_Page, 201), AttMissing_Long);
    ASSERT_EQ(Kadmi_SetLongAtt(KadmiObject_Page, 201, 43), 0);
    ASSERT_EQ(Kadmi_SavePage(), 0);
    ASSERT_EQ(Kadmi_CloseDatabasefile(1), 0);
    ASSERT_EQ(Kadmi_OpenDatabasefileEx(file.c_str(), KadmiMode_Read, nullptr), 0);
    ASSERT_EQ(Kadmi_LoadPage(1), 0);
    EXPECT_EQ(Kadmi_GetLongAtt(KadmiObject_Page, 201), 43);
}

TEST_F(Project, RenameThenCloseCreatesNoFileAndSaveWritesTheNewOne)
{
    CreateLoaded();
    std::string renamed = dir.Path("renamed.wdf");
    EXPECT_EQ(Kadmi_RenameDatabasefile(nullptr), -1402);
    EXPECT_EQ(Kadmi_RenameDatabasefile(std::string(300, 'x').c_str()), -1403);
    ASSERT_EQ(Kadmi_RenameDatabasefile(renamed.c_str()), 0);
    EXPECT_STREQ(Kadmi_CurrentDatabasefile(), renamed.c_str());
    ASSERT_EQ(Kadmi_CloseDatabasefile(0), 0);
    EXPECT_FALSE(Exists(renamed));

    ASSERT_EQ(Kadmi_OpenDatabasefile(file.c_str()), 0);
    EXPECT_EQ(Kadmi_RenameDatabasefile(nullptr), -1402);
    EXPECT_EQ(StoredMark(file), 1) << "a refused rename leaves the mark";
    ASSERT_EQ(Kadmi_RenameDatabasefile(renamed.c_str()), 0);
    EXPECT_EQ(StoredMark(file), -1) << "the old file is no longer in use";
    ASSERT_EQ(Kadmi_SaveDatabasefile(), 0);
    EXPECT_EQ(StoredMark(renamed), 1);
    ASSERT_EQ(Kadmi_CloseDatabasefile(0), 0);
    EXPECT_EQ(StoredMark(renamed), -1);
}

TEST_F(Project, FileOperationsRefuseWhatTheyCannotDo)
{
    EXPECT_EQ(Kadmi_OpenDatabasefile(nullptr), -1002);
    EXPECT_EQ(Kadmi_OpenDatabasefile(std::string(256, 'a').c_str()), -1002);
    EXPECT_EQ(Kadmi_OpenDatabasefile(dir.Path("missing.wdf").c_str()), -1002);
    EXPECT_EQ(Kadmi_CloseDatabasefile(0), -1101);
    EXPECT_EQ(Kadmi_SaveDatabasefile(), -1201);
    EXPECT_EQ(Kadmi_RenameDatabasefile("x"), -1401);
    EXPECT_EQ(Kadmi_DeleteDatabasefile(nullptr), -1501);
    EXPECT_EQ(Kadmi_DeleteDatabasefile(dir.Path("missing.wdf").c_str()), -1503);
    EXPECT_EQ(Kadmi_CopyFile(dir.Path("missing").c_str(), dir.Path("copy").c_str()), -201);
    EXPECT_FALSE(Exists(dir.Path("copy")));

    WriteText(dir.Path("foreign.wdf"), "not a project file at all");
    EXPECT_EQ(Kadmi_OpenDatabasefile(dir.Path("foreign.wdf").c_str()), -1004);
    EXPECT_EQ(Kadmi_OpenDatabasefileEx(dir.Path("foreign.wdf").c_str(), KadmiMode_Read, nullptr), -1004);
    EXPECT_STREQ(Kadmi_CurrentDatabasefile(), "") << "a failed open leaves no current file";

    CreateLoaded();
    EXPECT_EQ(Kadmi_OpenDatabasefile(file.c_str()), -1001);
    EXPECT_EQ(Kadmi_CreateDatabasefile(file.c_str()), -1301);
    const auto before = ReadAll(file);
    EXPECT_EQ(Kadmi_CopyFile(file.c_str(), file.c_str()), -203) << "a copy onto itself";
    EXPECT_EQ(ReadAll(file), before) << "is not emptied";
    EXPECT_EQ(Kadmi_CheckRWAccess(file.c_str()), 1);
    EXPECT_EQ(Kadmi_CheckRWAccess(dir.Path("no\\such\\dir.wdf").c_str()), 0);
    EXPECT_EQ(Kadmi_CheckRWAccess(dir.Path("no/such/dir.wdf").c_str()), 0) << "'/' separates too";
    EXPECT_EQ(Kadmi_CheckRWAccess(""), 0);
    const std::string folder = dir.Path("folder.wdf");
    CreateDirectoryA(folder.c_str(), nullptr);
    EXPECT_EQ(Kadmi_CheckRWAccess(folder.c_str()), 0) << "a folder is no project file";
    RemoveDirectoryA(folder.c_str());   // the folder's own clean-up takes only files
}

TEST_F(Project, AMarkedFileAsksAndNoKeepsTheMark)
{
    CreateLoaded();
    SaveClose();
    StoreMark(file, 1);
    {
        TsBoxAnswerer no(IDNO);
        EXPECT_EQ(Kadmi_OpenDatabasefile2(file.c_str(), "Caption", "Open it?"), -1002);
        EXPECT_EQ(no.boxes().size(), 1u);
        EXPECT_EQ(no.boxes().back().text, "Open it?");
        EXPECT_EQ(no.boxes().back().caption, "Caption");
    }
    EXPECT_EQ(StoredMark(file), 1);
    EXPECT_STREQ(Kadmi_CurrentDatabasefile(), "");
    EXPECT_EQ(Kadmi_GetCurrentPage(), -2401) << "nothing open";
    {
        TsBoxAnswerer cancel(IDCANCEL);
        EXPECT_EQ(Kadmi_OpenDatabasefile(file.c_str()), -1002);
        EXPECT_EQ(cancel.boxes().size(), 1u);
    }
    {
        TsBoxAnswerer yes(IDYES);
        EXPECT_EQ(Kadmi_OpenDatabasefileEx(file.c_str(), KadmiMode_Read, nullptr), 0);
        EXPECT_EQ(yes.boxes().size(), 0u) << "reading asks nothing";
        EXPECT_EQ(Kadmi_SaveDatabasefile(), 0) << "saving a file opened for reading writes nothing";
        EXPECT_EQ(Kadmi_RenameDatabasefile("x"), -1404);
        EXPECT_EQ(Kadmi_CloseDatabasefile(1), 0);
        EXPECT_EQ(StoredMark(file), 1);
        EXPECT_EQ(Kadmi_OpenDatabasefile(file.c_str()), 0);
        EXPECT_EQ(yes.boxes().size(), 1u);
    }
}

// The mark says who holds the file, and the question names them. A program
// that may still work on it (another computer's cannot be proven gone) keeps
// its mark through our Open and Close; a mark left by an ended program of
// this computer, or one that says nobody, becomes ours, and our Close clears it.
TEST_F(Project, TheInUseMarkNamesItsHolderAndCloseClearsOnlyItsOwn)
{
    CreateLoaded();
    SaveClose();
    const std::string elsewhere = "OTHER-PC\tjan\tanother-machine-id\t4242\t1\t20261209\t081500";
    const std::string endedHere =
        ThisComputer() + "\tme\t" + ThisMachineId() + "\t2147483632\t1\t20261208\t170000";   // no such process
    const KadmiOpenOptions options{KadmiOptions_WithHolder, "Caption", "Open it?", "On %s by %s since %s?",
                                   "Left by %s since %s?"};
    const struct {
        const char* name;
        const std::string* holder;   // nullptr: the mark says nobody
        const char* question;
        bool keptByOthers;
    } rows[] = {
        {"another computer", &elsewhere, "On OTHER-PC by jan since 2026-12-09 08:15?", true},
        {"an ended program of this computer", &endedHere, "Left by me since 2026-12-08 17:00?", false},
        {"an older program's mark", nullptr, "Open it?", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        StoreMark(file, 1);
        StoreHolder(file, row.holder ? row.holder->c_str() : nullptr);
        {
            TsBoxAnswerer yes(IDYES);
            ASSERT_EQ(Kadmi_OpenDatabasefileEx(file.c_str(), KadmiMode_ReadWrite, &options), 0);
            ASSERT_EQ(yes.boxes().size(), 1u);
            EXPECT_EQ(yes.boxes()[0].text, row.question);
        }
        const std::string held = StoredHolder(file);
        if (row.keptByOthers)
            EXPECT_EQ(held, *row.holder);
        else
            EXPECT_NE(held.find(ThisMachineId() + "\t" + std::to_string(GetCurrentProcessId()) + "\t"),
                      std::string::npos) << held;
        ASSERT_EQ(Kadmi_CloseDatabasefile(0), 0);
        EXPECT_EQ(StoredMark(file), row.keptByOthers ? 1 : -1);
        EXPECT_EQ(StoredHolder(file), row.keptByOthers ? *row.holder : "");
    }
    // Saved under another name, the project is ours alone: its new file
    // carries our mark, which our Close clears; theirs stays on the old one.
    StoreMark(file, 1);
    StoreHolder(file, elsewhere.c_str());
    {
        TsBoxAnswerer yes(IDYES);
        ASSERT_EQ(Kadmi_OpenDatabasefile(file.c_str()), 0);
    }
    const std::string mine = dir.Path("mine.wdf");
    ASSERT_EQ(Kadmi_RenameDatabasefile(mine.c_str()), 0);
    ASSERT_EQ(Kadmi_SaveDatabasefile(), 0);
    EXPECT_NE(StoredHolder(mine).find(ThisMachineId()), std::string::npos) << StoredHolder(mine);
    ASSERT_EQ(Kadmi_CloseDatabasefile(0), 0);
    EXPECT_EQ(StoredMark(mine), -1);
    EXPECT_EQ(StoredHolder(file), elsewhere);
}

// Save never writes over a file that changed on disk since this program
// opened or last saved it, whatever part of its stamp tells: -1205, the file
// stays as the other left it. Once it is as we last knew it, Save writes;
// Save As writes elsewhere; a file gone meanwhile is written anew.
TEST_F(Project, SaveNeverWritesOverAFileChangedOnDisk)
{
    CreateLoaded();
    SaveClose();
    ASSERT_EQ(Kadmi_OpenDatabasefile(file.c_str()), 0);
    ASSERT_EQ(Kadmi_SaveDatabasefile(), 0);
    ASSERT_EQ(Kadmi_SaveDatabasefile(), 0) << "our own save is no change";
    auto written = [](const std::string& path) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
        return data.ftLastWriteTime;
    };
    auto setWritten = [](const std::string& path, FILETIME time) {
        HANDLE f = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        SetFileTime(f, nullptr, nullptr, &time);
        CloseHandle(f);
    };
    const struct {
        const char* name;
        void (*change)(const std::string& path, FILETIME time, void (*setTime)(const std::string&, FILETIME));
    } rows[] = {
        {"saved by another program", [](const std::string& path, FILETIME, auto) { StoreHolder(path, "x"); }},
        {"same size and time, other content",
         [](const std::string& path, FILETIME time, auto setTime) {
             std::vector<unsigned char> bytes = ReadAll(path);
             bytes[bytes.size() / 2] ^= 1;
             WriteAll(path, bytes);
             setTime(path, time);
         }},
        {"only a newer time", [](const std::string& path, FILETIME time, auto setTime) {
             ULARGE_INTEGER later{{time.dwLowDateTime, time.dwHighDateTime}};
             later.QuadPart += 20000000;
             setTime(path, FILETIME{later.LowPart, later.HighPart});
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto ours = ReadAll(file);
        const FILETIME ourTime = written(file);
        row.change(file, ourTime, setWritten);
        const auto theirs = ReadAll(file);
        EXPECT_EQ(Kadmi_SaveDatabasefile(), -1205);
        EXPECT_EQ(Kadmi_CloseDatabasefile(1), -1205) << "kept open";
        EXPECT_EQ(ReadAll(file), theirs);
        WriteAll(file, ours);
        setWritten(file, ourTime);
        EXPECT_EQ(Kadmi_SaveDatabasefile(), 0) << "as we last knew it again";
    }
    StoreHolder(file, "x");
    const auto theirs = ReadAll(file);
    const std::string mine = dir.Path("mine.wdf");
    ASSERT_EQ(Kadmi_RenameDatabasefile(mine.c_str()), 0);
    EXPECT_EQ(Kadmi_SaveDatabasefile(), 0) << "saved as another file";
    EXPECT_EQ(ReadAll(file), theirs);
    ASSERT_TRUE(DeleteFileA(mine.c_str()));
    EXPECT_EQ(Kadmi_SaveDatabasefile(), 0) << "a file gone is written anew";
    EXPECT_TRUE(Exists(mine));
}

TEST_F(Project, AFailedOpenAfterMarkingRemovesTheMarkAndTheWorkingCopy)
{
    CreateLoaded();
    SaveClose();
    char saved[MAX_PATH] = {};
    GetEnvironmentVariableA("TMP", saved, sizeof saved);
    SetEnvironmentVariableA("TMP", dir.Path("no such folder").c_str());
    short rc = Kadmi_OpenDatabasefile(file.c_str());
    SetEnvironmentVariableA("TMP", saved[0] ? saved : nullptr);
    EXPECT_EQ(rc, -1003);
    EXPECT_EQ(StoredMark(file), -1);
    EXPECT_STREQ(Kadmi_CurrentDatabasefile(), "");
    EXPECT_EQ(Kadmi_OpenDatabasefile(file.c_str()), 0) << "the next open asks nothing";
}

TEST_F(Project, AFailedSaveLeavesTheUserFileAndKeepsTheProjectOpen)
{
    CreateLoaded();
    ASSERT_EQ(Kadmi_SetIntAtt(KadmiObject_Page, 101, 1), 0);
    SaveClose();
    Kadmi_SetupInifile(dir.Path("kadmi.ini").c_str(), 0, nullptr);
    ASSERT_EQ(Kadmi_OpenDatabasefile(file.c_str()), 0);
    const std::string workingCopy = Kadmi_ReadIni("MISC", "TempProjectFile");
    ASSERT_TRUE(Exists(workingCopy));
    const auto marked = ReadAll(file);
    ASSERT_EQ(Kadmi_LoadPage(1), 0);
    ASSERT_EQ(Kadmi_SetIntAtt(KadmiObject_Page, 101, 2), 0);

    // The working copy's commit fails part-way for want of room: -1207 (the
    // temporary folder is full), the project file stays as it was and the
    // change stays for the next Save.
    ASSERT_EQ(Kadmi_SavePage(), 0);
    ddq_test_faults(30, FALSE);
    EXPECT_EQ(Kadmi_SaveDatabasefile(), -1207);
    ddq_test_faults(-1, FALSE);
    EXPECT_EQ(ReadAll(file), marked);
    ASSERT_EQ(Kadmi_LoadPage(1), 0);
    EXPECT_EQ(Kadmi_GetIntAtt(KadmiObject_Page, 101), 2) << "read back from the engine";

    // The project file cannot be replaced: -1203, and Close keeps everything.
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Kadmi_SaveDatabasefile(), -1203) << "file held open";
    CloseHandle(held);
    EXPECT_EQ(ReadAll(file), marked);
    ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(Kadmi_SaveDatabasefile(), -1203) << "file marked read-only";
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadAll(file), marked);
    // Another writer on the working copy: the engine still reads it, the copy
    // (which denies writers) cannot.
    held = CreateFileA(workingCopy.c_str(), GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Kadmi_SaveDatabasefile(), -1203) << "working copy cannot be copied";
    CloseHandle(held);
    EXPECT_EQ(ReadAll(file), marked);
    WIN32_FIND_DATAA found;
    HANDLE temps = FindFirstFileA(dir.Path("*.tmp").c_str(), &found);
    EXPECT_EQ(temps, INVALID_HANDLE_VALUE) << "a failed save leaves its temporary file: " << found.cFileName;
    if (temps != INVALID_HANDLE_VALUE)
        FindClose(temps);
    ASSERT_EQ(Kadmi_RenameDatabasefile(dir.Path("no such folder\\project.wdf").c_str()), 0);
    EXPECT_EQ(Kadmi_SaveDatabasefile(), -1206) << "folder missing";
    EXPECT_EQ(Kadmi_CloseDatabasefile(1), -1206);
    EXPECT_EQ(Kadmi_GetCurrentPage(), 1) << "still open with its page";
    ASSERT_EQ(Kadmi_RenameDatabasefile(file.c_str()), 0);
    EXPECT_EQ(Kadmi_CloseDatabasefile(1), 0);
    ASSERT_EQ(Kadmi_OpenDatabasefileEx(file.c_str(), KadmiMode_Read, nullptr), 0);
    ASSERT_EQ(Kadmi_LoadPage(1), 0);
    EXPECT_EQ(Kadmi_GetIntAtt(KadmiObject_Page, 101), 2);
}

// Close ends a project whose file went away: a reader's refused transaction
// is reported once (a writer holds its project in its transaction, so it has
// nothing to report); the working copy and the mark go, and another project
// opens next.
TEST_F(Project, CloseEndsAProjectWhoseFileWentAway)
{
    CreateLoaded();
    SaveClose();
    const std::string other = dir.Path("other.wdf");
    ASSERT_EQ(Kadmi_CopyFile(file.c_str(), other.c_str()), 0);
    Kadmi_SetupInifile(dir.Path("kadmi.ini").c_str(), 0, nullptr);
    struct Row {
        const char* name;
        long mode;
        bool removeWorkingCopy;   // else the file is replaced by a foreign one
        short closed;
    } rows[] = {
        {"working copy removed", KadmiMode_ReadWrite, true, 0},
        {"file read replaced", KadmiMode_Read, false, -1101},
    };
    for (const Row& r : rows) {
        ASSERT_EQ(Kadmi_OpenDatabasefileEx(file.c_str(), r.mode, nullptr), 0) << r.name;
        ASSERT_EQ(Kadmi_LoadPage(1), 0) << r.name;
        if (r.removeWorkingCopy)
            ASSERT_TRUE(DeleteFileA(Kadmi_ReadIni("MISC", "TempProjectFile"))) << r.name;
        else
            WriteText(file, "replaced by something else");
        EXPECT_EQ(Kadmi_CloseDatabasefile(0), r.closed) << r.name;
        EXPECT_EQ(Kadmi_CloseDatabasefile(0), -1101) << r.name << ": nothing open any more";
        EXPECT_STREQ(Kadmi_ReadIni("MISC", "TempProjectFile"), "") << r.name;
        if (r.removeWorkingCopy) {
            EXPECT_EQ(StoredMark(file), -1) << r.name << ": the mark went with the project";
        }
        ASSERT_EQ(Kadmi_OpenDatabasefile(other.c_str()), 0) << r.name;
        EXPECT_EQ(Kadmi_LoadPage(1), 0) << r.name;
        EXPECT_EQ(Kadmi_CloseDatabasefile(0), 0) << r.name;
    }
}

// A save killed part-way leaves its copy beside the project; the next open
// or save of that project removes it, and other projects' copies stay.
TEST_F(Project, AnInterruptedSavesCopyGoesAtTheNextOpenOrSave)
{
    CreateLoaded();
    SaveClose();
    const std::string leftover = file + ".tmp", othersCopy = dir.Path("other.wdf.tmp");
    WriteText(othersCopy, "another project's");
    WriteText(leftover, "a killed save's");
    ASSERT_EQ(Kadmi_OpenDatabasefileEx(file.c_str(), KadmiMode_Read, nullptr), 0);
    EXPECT_TRUE(Exists(leftover)) << "a reader is not the one saving";
    ASSERT_EQ(Kadmi_CloseDatabasefile(0), 0);
    ASSERT_EQ(Kadmi_OpenDatabasefile(file.c_str()), 0);
    EXPECT_FALSE(Exists(leftover)) << "open";
    WriteText(leftover, "a killed save's");
    ASSERT_EQ(Kadmi_SaveDatabasefile(), 0);
    EXPECT_FALSE(Exists(leftover)) << "save";
    EXPECT_TRUE(Exists(othersCopy));
}

TEST_F(Project, ASecondProcessHoldingTheFileMakesTheOpenFail)
{
    CreateLoaded();
    SaveClose();
    Holder holder;
    ASSERT_EQ(holder.Start(SchemaPath(), file), 0);
    EXPECT_EQ(Kadmi_OpenDatabasefile(file.c_str()), -1005);
    EXPECT_EQ(Kadmi_OpenDatabasefileEx(file.c_str(), KadmiMode_Read, nullptr), 0)
        << "a reader is not held up by a writer";
    EXPECT_EQ(Kadmi_CloseDatabasefile(0), 0);
    EXPECT_EQ(holder.Release(), 0) << "the holder kept working";
    EXPECT_EQ(Kadmi_OpenDatabasefile(file.c_str()), 0);
    EXPECT_EQ(StoredMark(file), 1);
}

TEST_F(Project, ExampleDatabaseHeldByAnotherProcessIsInUse)
{
    std::string example = dir.Path("example.db");
    ASSERT_EQ(Kadmi_DefOpenDatabasefile(example.c_str()), 0) << "made when missing";
    ASSERT_EQ(Kadmi_DefCloseDatabasefile(), 0);
    Holder holder;
    ASSERT_EQ(holder.Start(SchemaPath(), example), 0);
    EXPECT_EQ(Kadmi_DefOpenDatabasefile(example.c_str()), -7009);
    EXPECT_EQ(holder.Release(), 0);
    EXPECT_EQ(Kadmi_DefOpenDatabasefile(example.c_str()), 0);
    EXPECT_EQ(Kadmi_DefOpenDatabasefile(example.c_str()), -7001);
    EXPECT_EQ(Kadmi_DefCloseDatabasefile(), 0);

    WriteAll(example, {});
    EXPECT_EQ(Kadmi_DefOpenDatabasefile(example.c_str()), 0) << "an empty file is made anew";
    EXPECT_EQ(Kadmi_DefCloseDatabasefile(), 0);
    WriteText(example, "damaged example database");
    EXPECT_EQ(Kadmi_DefOpenDatabasefile(example.c_str()), -7004);
    EXPECT_EQ(ReadAll(example).size(), strlen("damaged example database")) << "never made anew";
}

// kadmi_exit_helper beside this program, started with arguments; a null
// process handle when it could not start.
HANDLE StartHelper(const std::string& arguments)
{
    char exe[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string command = std::string(exe, strrchr(exe, '\\')) + "\\kadmi_exit_helper.exe " + arguments;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return nullptr;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

// Runs the helper to its end: its exit code, 1 when it did not run.
DWORD RunHelper(const std::string& arguments)
{
    HANDLE process = StartHelper(arguments);
    if (!process)
        return 1;
    WaitForSingleObject(process, 60000);
    DWORD code = 1;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return code;
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

// A program that ends with both databases open leaves them to the unload:
// the example database is committed, the project closed and its mark cleared.
TEST_F(Project, UnloadingCommitsTheExampleDatabaseAndClosesTheProject)
{
    CreateLoaded();
    SaveClose();
    std::string example = dir.Path("example.db");
    ASSERT_EQ(RunHelper(Quoted(example) + " " + Quoted(file)), 0u);
    EXPECT_EQ(StoredMark(file), -1);
    ASSERT_EQ(Kadmi_DefOpenDatabasefile(example.c_str()), 0);
    EXPECT_EQ(Kadmi_DefGetIntAtt(1, 1, 101), 7);
}

// A program killed with a project open leaves its working copy (and maybe
// the engine's lock) in the temporary folder; the next start of the library
// removes them, but never the working copy of a program still running.
TEST_F(Project, NextStartRemovesTheWorkingCopiesOfKilledProgramsOnly)
{
    CreateLoaded();
    SaveClose();
    std::string other = dir.Path("other.wdf");
    ASSERT_TRUE(CopyFileA(file.c_str(), other.c_str(), FALSE));
    HANDLE programs[2];
    std::string copies[2];
    for (int i = 0; i < 2; ++i) {
        std::string ini = dir.Path(std::to_string(i) + ".ini");
        programs[i] = StartHelper("hold " + Quoted(i == 0 ? file : other) + " " + Quoted(ini));
        for (int wait = 0; wait < 600 && copies[i].empty(); ++wait) {
            Sleep(50);
            char value[MAX_PATH] = {};
            GetPrivateProfileStringA("MISC", "TempProjectFile", "", value, sizeof value, ini.c_str());
            copies[i] = value;
        }
        ASSERT_FALSE(copies[i].empty());
    }
    // Under a loaded Wine the killed program's open files can outlive its
    // process handle for a moment: the next start comes once they are closed.
    auto kill = [&](int i) {
        TerminateProcess(programs[i], 9);
        WaitForSingleObject(programs[i], 60000);
        CloseHandle(programs[i]);
        for (int wait = 0; wait < 200 && TempFile_IsOwned(copies[i].c_str()); ++wait)
            Sleep(50);
    };
    kill(0);
    WriteText(copies[0] + ".lock", "");   // killed inside a transaction
    ASSERT_TRUE(Exists(copies[0]));
    ASSERT_EQ(RunHelper("start"), 0u);
    for (const char* suffix : {"", ".lock", ".own"})
        EXPECT_FALSE(Exists(copies[0] + suffix)) << suffix;
    EXPECT_TRUE(Exists(copies[1]) && Exists(copies[1] + ".own")) << "its program still runs";
    kill(1);
    ASSERT_EQ(RunHelper("start"), 0u);
    EXPECT_FALSE(Exists(copies[1])) << "once its program is gone";
}

// A project that a running program has open is never written by another:
// opening it for writing, making a new file of its name and saving under its
// name are refused without a question, whatever the spelling of its name.
// Once that program is killed, its leftover mark only asks the question.
TEST_F(Project, AProjectOpenInARunningProgramIsNeverWrittenByAnother)
{
    CreateLoaded();
    SaveClose();
    std::string ini = dir.Path("hold.ini");
    HANDLE program = StartHelper("hold " + Quoted(file) + " " + Quoted(ini));
    ASSERT_NE(program, nullptr);
    char copy[MAX_PATH] = {};
    for (int wait = 0; wait < 600 && !copy[0]; ++wait) {
        Sleep(50);
        GetPrivateProfileStringA("MISC", "TempProjectFile", "", copy, sizeof copy, ini.c_str());
    }
    ASSERT_TRUE(copy[0]);
    const auto before = ReadAll(file);
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof folder, folder);
    SetCurrentDirectoryA(dir.Dir().c_str());
    {
        TsBoxAnswerer yes(IDYES);
        EXPECT_EQ(Kadmi_OpenDatabasefile(file.c_str()), -1006);
        EXPECT_EQ(Kadmi_OpenDatabasefile("PROJECT.WDF"), -1006) << "relative, other case";
        EXPECT_EQ(Kadmi_OpenDatabasefileEx(file.c_str(), KadmiMode_Check, nullptr), -1006);
        EXPECT_EQ(Kadmi_CreateDatabasefile(file.c_str()), -1305);
        ASSERT_EQ(Kadmi_CreateDatabasefile(dir.Path("mine.wdf").c_str()), 0);
        EXPECT_EQ(Kadmi_RenameDatabasefile(file.c_str()), -1405);
        EXPECT_EQ(Kadmi_CloseDatabasefile(1), 0);
        EXPECT_EQ(yes.boxes().size(), 0u);
        EXPECT_EQ(Kadmi_OpenDatabasefileEx(file.c_str(), KadmiMode_Read, nullptr), 0) << "reading writes nothing";
        EXPECT_EQ(Kadmi_CloseDatabasefile(0), 0);
    }
    SetCurrentDirectoryA(folder);
    EXPECT_EQ(ReadAll(file), before);
    TerminateProcess(program, 9);
    WaitForSingleObject(program, 60000);
    CloseHandle(program);
    TsBoxAnswerer no(IDNO);
    EXPECT_EQ(Kadmi_OpenDatabasefile(file.c_str()), -1002);
    EXPECT_EQ(no.boxes().size(), 1u) << "a mark left by a killed program asks";
}

// Every truncation and every flipped byte of a saved project is refused by
// both open modes, and the library stays usable.
TEST_F(Project, DamagedProjectFilesAreRefused)
{
    CreateLoaded();
    ASSERT_EQ(Kadmi_SetStringAtt(KadmiObject_Project, 501, "name"), 0);
    SaveClose();
    const auto good = ReadAll(file);
    std::string damaged = dir.Path("damaged.wdf");
    auto open = [&](const std::vector<unsigned char>& bytes, long mode) {
        WriteAll(damaged, bytes);
        short rc = Kadmi_OpenDatabasefileEx(damaged.c_str(), mode, nullptr);
        if (rc == 0)
            Kadmi_CloseDatabasefile(0);
        return rc;
    };
    for (size_t n = 1; n < good.size(); ++n)
        EXPECT_EQ(open(std::vector<unsigned char>(good.begin(), good.begin() + n), KadmiMode_Read), -1004) << n;
    for (size_t i = 0; i < good.size(); i += 7) {
        auto flipped = good;
        flipped[i] ^= 0x01;
        EXPECT_EQ(open(flipped, KadmiMode_ReadWrite), -1004) << "byte " << i;
    }
    EXPECT_EQ(open(good, KadmiMode_ReadWrite), 0);
}

// Each export sits at its ordinal.
TEST(Library, ExportsAreAtTheirOrdinals)
{
    struct Row { int ordinal; const char* name; } rows[] = {
        {2, "Kadmi_OpenDatabasefile"}, {9, "Kadmi_CopyFile"}, {10, "Kadmi_CreatePage"},
        {18, "Kadmi_PageCopy"}, {23, "Kadmi_GetAtt"}, {30, "Kadmi_GetDoubleAtt"},
        {40, "Kadmi_GetFloatAtt"}, {44, "Kadmi_NAccessory"}, {47, "Kadmi_IsAccessory"},
        {54, "Kadmi_ReadIni"}, {56, "Kadmi_ReadIniFloat"}, {58, "Kadmi_WriteIni"},
        {60, "Kadmi_WriteIniFloat"}, {62, "Kadmi_DefCloseDatabasefile"}, {76, "Kadmi_DefLastAttWasFound"},
        {88, "Kadmi_DefOpenDatabasefile"}, {89, "Kadmi_Version"}, {92, "Kadmi_OpenDatabasefile2"},
        {97, "Kadmi_GetDoubleAttZ"}, {101, "Kadmi_CheckRWAccess"}, {104, "Kadmi_NPartE"},
        {105, "Kadmi_NPartS"}, {106, "Kadmi_OpenDatabasefileEx"},
    };
    HMODULE library = GetModuleHandleA("WSKADMI.dll");
    for (const Row& r : rows)
        EXPECT_EQ(GetProcAddress(library, MAKEINTRESOURCEA(r.ordinal)), GetProcAddress(library, r.name)) << r.name;
    for (int unassigned : {1, 45, 46, 55, 59, 107})
        EXPECT_EQ(GetProcAddress(library, MAKEINTRESOURCEA(unassigned)), nullptr) << unassigned;
    HMODULE engine = GetModuleHandleA("Torbase200.dll");
    EXPECT_EQ(GetProcAddress(engine, MAKEINTRESOURCEA(19)), GetProcAddress(engine, "ddq_opendatabase"));
    EXPECT_EQ(GetProcAddress(engine, MAKEINTRESOURCEA(56)), GetProcAddress(engine, "ddq_freerecord"));
}

TEST(Library, VersionComesFromTheVersionBlock)
{
    const char* v = Kadmi_Version();
    ASSERT_NE(v, nullptr);
    unsigned a, b, c, d;
    EXPECT_EQ(sscanf(v, "%u.%u.%u.%u", &a, &b, &c, &d), 4) << v;
}

}  // namespace
