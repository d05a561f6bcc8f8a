// Project files: open through a working copy with the in-use mark, the check
// that a file opens as a project, save, close, create, rename, delete, byte
// copy, the access test and the library's own transaction pair around engine
// work.
#include "kadmi_int.h"
#include "support/dlgutil.h"
#include "support/paths.h"
#include "support/strings.h"
#include "support/tempfiles.h"
#include <cstdio>
#include <string>

namespace {

const KadmiOpenOptions kDefaultOptions = {KadmiOptions_Plain, "Warning", "This file may be in use. Open the file anyway?"};

// A Win32 file handle closed on every path.
struct FileHandle {
    HANDLE h;
    explicit FileHandle(HANDLE v) : h(v) {}
    ~FileHandle() { Close(); }
    bool Valid() const { return h != INVALID_HANDLE_VALUE; }
    bool Close()
    {
        bool ok = !Valid() || CloseHandle(h);
        h = INVALID_HANDLE_VALUE;
        return ok;
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
};

bool PathUsable(const char* path)
{
    return path && strlen(path) < kPathMax;
}

// Copies path without trailing blanks.
void CopyPath(char* destination, const char* path)
{
    snprintf(destination, kPathMax, "%s", path);
    Str_TrimRight(destination);
}

bool CanOpen(const char* path, bool write)
{
    FileHandle f(CreateFileA(path, GENERIC_READ | (write ? GENERIC_WRITE : 0),
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    return f.Valid();
}

// True when path is missing or opens as a file for reading and writing (a
// folder does not).
bool MissingOrWritable(const char* path)
{
    return CanOpen(path, true) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

// Where Save writes the copy that then replaces the project file. A save that
// was killed leaves it behind; the next open or save of the project removes it.
std::string SavingCopyOf(const char* path)
{
    return std::string(path) + ".tmp";
}

// The directory part of path, cut at its last '\\' or '/' ("." when it has none).
std::string DirectoryOf(const char* path)
{
    std::string p = path;
    size_t slash = p.find_last_of("\\/");
    return slash != std::string::npos ? p.substr(0, slash) : std::string(".");
}

// Clears the in-use mark when it is this program's: a mark of another
// program stays theirs. A file marked read-only is left as it is: nothing
// writes it, the mark included.
void ClearInUseMark(const char* path)
{
    if (!Path_FileExists(path) || Path_IsReadOnlyFile(path))
        return;
    short db = ddq_openfile(K().schema, path, 10, 0);
    if (db < 0)
        return;
    if (ddq_begintransaction(db, 1) == 0) {
        if (InUse_Judge(InUse_Read(db)) == KadmiHolder_Own)
            InUse_Clear(db);
        ddq_endtransaction(db);
    }
    ddq_closefile(db);
}

// How programs name a project file to each other: its full path in long
// names (a short name or another spelling is the same file).
std::string ProjectIdentity(const char* path)
{
    std::string full = Path_Full(path);
    char longName[MAX_PATH + 1];
    DWORD length = GetLongPathNameA(full.c_str(), longName, sizeof longName);
    return length > 0 && length < sizeof longName ? std::string(longName, length) : full;
}

// True when another running program works on path: its working copy names
// it. The caller's own working copy is not counted. A name that no file has
// is nobody's (an unnamed project's stand-in name is no file).
bool OpenInAnotherProgram(const char* path)
{
    if (!Path_FileExists(path))
        return false;
    std::string identity = ProjectIdentity(path);
    for (const std::string& subject : TempFile_RunningSubjects("prj", K().workPath))
        if (lstrcmpiA(subject.c_str(), identity.c_str()) == 0)
            return true;
    return false;
}

// The working copy names the project file it stands for, so that other
// programs see that it is being worked on here.
bool NameWorkingCopySubject()
{
    auto& g = K();
    return TempFile_SetSubject(g.workPath, ProjectIdentity(g.path).c_str());
}

// Step of opening "RDWR": reads the mark and, unless the user declines,
// makes it this program's. A holder that may still be working on the file
// (here or on another computer) keeps its mark, so that its Close clears it
// and ours does not. 0, or -1002 when declined; *wrote tells whether we set
// the mark.
short MarkInUse(short db, const KadmiOpenOptions& options, bool* wrote)
{
    InUseMark mark = InUse_Read(db);
    *wrote = false;
    if (mark.set && Wnd_MessageBox(nullptr, InUse_Question(mark, options).c_str(), options.caption,
                                   MB_ICONERROR | MB_YESNOCANCEL | MB_TASKMODAL) != IDYES)
        return -1002;
    if (Path_IsReadOnlyFile(K().path) || InUse_Judge(mark) == KadmiHolder_Held)
        return 0;   // a read-only file is never written; its Save is refused too
    K().lastEngine = InUse_Write(db);
    *wrote = K().lastEngine >= 0;
    return 0;
}

// Opens path under the project schema and begins a read or write transaction
// on it: 0 with *db set, -1004 when the file cannot be opened, -1005 when the
// transaction cannot begin (the file is closed again).
short OpenInTransaction(const char* path, bool reading, short* db)
{
    auto& g = K();
    *db = ddq_openfile(g.schema, path, 10, 0);
    if (*db < 0) {
        g.lastEngine = *db;
        return -1004;
    }
    short rc = ddq_begintransaction(*db, reading ? 0 : 1);
    if (rc < 0) {
        g.lastEngine = rc;
        ddq_closefile(*db);
        return -1005;
    }
    return 0;
}

// Opens path itself and runs the in-use step (RDWR) in one write
// transaction, or only checks that a read transaction begins (READ).
short OpenOriginal(bool reading, const KadmiOpenOptions& options, bool* markWritten)
{
    auto& g = K();
    *markWritten = false;
    short db = -1;
    if (short rc = OpenInTransaction(g.path, reading, &db); rc != 0)
        return rc;
    short rc = reading ? 0 : MarkInUse(db, options, markWritten);
    short committed = ddq_endtransaction(db);
    ddq_closefile(db);
    if (rc == 0 && committed < 0) {
        g.lastEngine = committed;
        *markWritten = false;
    }
    return rc;
}

// Opens path as the project database. A reader's transaction ends at once;
// a writer's stays open until the project closes: it holds the working
// copy's lock, and its changes are written to the working copy at Save.
short OpenAsProject(const char* path, bool reading)
{
    short db = -1;
    if (short rc = OpenInTransaction(path, reading, &db); rc != 0)
        return rc;
    if (reading)
        ddq_endtransaction(db);
    K().db = db;
    K().inTransaction = !reading;
    return 0;
}

void ForgetWorkingCopy()
{
    TempFile_Remove(K().workPath, &K().workOwner);
    K().workPath[0] = '\0';
}

// Takes the working copy's name before the file is marked, so that from the
// mark on other programs can tell this one is running with it.
bool ReserveWorkingCopy()
{
    auto& g = K();
    // Owned through a held marker, so that the next start removes it when
    // this process ends without closing the project.
    if (!TempFile_Create("prj", g.workPath, sizeof g.workPath, &g.workOwner))
        return false;
    if (NameWorkingCopySubject())
        return true;
    ForgetWorkingCopy();
    return false;
}

// Kadmi_CopyFile, adding the bytes copied to *hash (when not NULL).
short CopyBytes(const char* source, const char* destination, uint64_t* hash)
{
    if (!source || !destination)
        return -201;
    FileHandle in(CreateFileA(source, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!in.Valid())
        return -201;
    constexpr DWORD kBlock = 4096;
    auto* buffer = static_cast<char*>(Mem_Alloc(kBlock));
    if (!buffer)
        return -202;
    FileHandle out(CreateFileA(destination, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    short rc = out.Valid() ? 0 : -203;
    while (rc == 0) {
        DWORD got = 0, put = 0;
        if (!ReadFile(in.h, buffer, kBlock, &got, nullptr))
            rc = -204;
        else if (got == 0)
            break;
        else if (!WriteFile(out.h, buffer, got, &put, nullptr) || put != got)
            rc = -204;
        else if (hash)
            *hash = FileStamp_Hash(*hash, buffer, got);
    }
    Mem_Free(buffer);
    // On disk before anyone replaces a file with it (Save does).
    if (rc == 0 && (!FlushFileBuffers(out.h) || !out.Close()))
        rc = -204;
    if (rc == -204) {
        out.Close();
        DeleteFileA(destination);
    }
    return rc;
}

// Fills the reserved working copy and opens it as the project. The file's
// stamp is its size and time before the copy and the hash of what was
// copied: a change made meanwhile is seen at Save.
short MakeWorkingCopy()
{
    auto& g = K();
    FileStamp stamp = FileStamp_WithHash(g.path, 0);
    uint64_t hash = kFileHashStart;
    if (CopyBytes(g.path, g.workPath, &hash) != 0)
        return -1003;
    stamp.hash = hash;
    g.onDisk = stamp;
    return OpenAsProject(g.workPath, false);
}

void ForgetPaths()
{
    K().path[0] = '\0';
    K().workPath[0] = '\0';
}

bool IsDiskFull(DWORD error)
{
    return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL;
}

// Before Save writes over the project file: it is as this program opened or
// last saved it. A file that is gone is not overwritten; one that cannot be
// read (held by another program) cannot be replaced either, and Save fails.
bool UnchangedOnDisk()
{
    auto& g = K();
    if (!g.onDisk.known)
        return true;
    FileStamp now = FileStamp_Of(g.path);
    return !now.known || FileStamp_Same(g.onDisk, now);
}

// Copies the working copy beside the project file, then replaces the file in
// one step, so that a failed copy leaves it as it was. A file marked
// read-only is never replaced (a program with every right could). -1206
// when the file's folder is gone, else -1203 for a failure.
short ReplaceProjectFile()
{
    auto& g = K();
    if (Path_IsReadOnlyFile(g.path))
        return -1203;
    std::string temp = SavingCopyOf(g.path);
    uint64_t hash = kFileHashStart;
    if (CopyBytes(g.workPath, temp.c_str(), &hash) != 0 ||
        !MoveFileExA(temp.c_str(), g.path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temp.c_str());
        DWORD folder = GetFileAttributesA(DirectoryOf(g.path).c_str());
        return folder == INVALID_FILE_ATTRIBUTES || !(folder & FILE_ATTRIBUTE_DIRECTORY) ? -1206 : -1203;
    }
    g.onDisk = FileStamp_WithHash(g.path, hash);
    return 0;
}

// The check mode of the open: whether path opens as a project. Neither the
// file nor an open project is touched.
short CheckProjectFile(const char* path)
{
    if (!PathUsable(path))
        return -1002;
    char trimmed[kPathMax];
    CopyPath(trimmed, path);
    if (!CanOpen(trimmed, false))
        return -1002;
    if (OpenInAnotherProgram(trimmed))
        return -1006;
    short db = -1;
    if (short rc = OpenInTransaction(trimmed, true, &db); rc != 0)
        return rc;
    ddq_endtransaction(db);
    ddq_closefile(db);
    return 0;
}

}  // namespace

// A writer is in its transaction from open to close, so only a reader
// begins and ends one here: a read transaction, which sees what another
// writer committed in the meantime.
short BeginTransaction()
{
    auto& g = K();
    if (g.db < 0)
        return -1601;
    if (g.inTransaction)
        return 0;
    short rc = ddq_begintransaction(g.db, 0);
    if (rc < 0) {
        g.lastEngine = rc;
        return -1602;
    }
    g.inTransaction = true;
    Pages_Forget();
    return 0;
}

short EndTransaction(short code)
{
    auto& g = K();
    if (g.db < 0)
        return -1701;
    if (g.inTransaction && g.readOnly) {
        g.inTransaction = false;
        ddq_endtransaction(g.db);
    }
    return code;
}

short WINAPI Kadmi_OpenDatabasefileEx(const char* path, long mode, const KadmiOpenOptions* options)
{
    auto& g = K();
    if (mode == KadmiMode_Check)
        return CheckProjectFile(path);
    KadmiOpenOptions opt = kDefaultOptions;
    if (options) {   // a plain record ends after its question
        opt = {options->reserved, options->caption, options->question};
        if (options->reserved == KadmiOptions_WithHolder) {
            opt.heldQuestion = options->heldQuestion;
            opt.endedQuestion = options->endedQuestion;
        }
    }
    if (!opt.caption) opt.caption = "";
    if (!opt.question) opt.question = "";
    if (g.db >= 0)
        return -1001;
    if (!PathUsable(path))
        return -1002;
    bool reading = mode == KadmiMode_Read;
    CopyPath(g.path, path);
    g.onDisk = {};
    g.ownMarkAtSave = false;
    if (!CanOpen(g.path, !reading)) {
        ForgetPaths();   // nothing is open, so no path is current
        return -1002;
    }
    g.workPath[0] = '\0';
    if (!reading) {
        if (!ReserveWorkingCopy()) {
            ForgetPaths();
            return -1003;
        }
        if (OpenInAnotherProgram(g.path)) {   // never two writers
            ForgetWorkingCopy();
            ForgetPaths();
            return -1006;
        }
    }
    bool markWritten;
    short rc = OpenOriginal(reading, opt, &markWritten);
    if (rc == 0) {
        if (!reading)
            DeleteFileA(SavingCopyOf(g.path).c_str());   // the writer now: an interrupted save's copy goes
        rc = reading ? OpenAsProject(g.path, true) : MakeWorkingCopy();
        if (rc != 0 && markWritten)
            ClearInUseMark(g.path);
    }
    if (rc != 0) {
        ForgetWorkingCopy();
        ForgetPaths();
        return rc;
    }
    g.readOnly = reading;
    g.saveFailed = false;
    g.loadedPage = 0;
    Pages_Forget();
    Kadmi_WriteIni("MISC", "CurrProjectFile", g.path);
    Kadmi_WriteIni("MISC", "TempProjectFile", g.workPath);
    return 0;
}

short WINAPI Kadmi_OpenDatabasefile(const char* path)
{
    return Kadmi_OpenDatabasefileEx(path, KadmiMode_ReadWrite, nullptr);
}

short WINAPI Kadmi_OpenDatabasefile2(const char* path, const char* caption, const char* question)
{
    KadmiOpenOptions options = {KadmiOptions_Plain, caption, question};
    return Kadmi_OpenDatabasefileEx(path, KadmiMode_ReadWrite, &options);
}

short WINAPI Kadmi_SaveDatabasefile()
{
    auto& g = K();
    if (g.db >= 0 && g.readOnly)
        return 0;
    if (g.db >= 0 && !UnchangedOnDisk())
        return -1205;   // another program saved it: never overwritten unasked
    g.saveFailed = true;
    if (BeginTransaction() != 0)
        return -1201;
    // A file of a new name is this program's, whoever held the one opened.
    if (g.ownMarkAtSave)
        InUse_Write(g.db);
    // A failed commit keeps the changes in the transaction for the next Save.
    if (short rc = ddq_commit(g.db); rc < 0) {
        bool full = IsDiskFull(GetLastError());
        g.lastEngine = rc;
        return full ? -1207 : -1202;
    }
    if (short rc = ReplaceProjectFile(); rc != 0)
        return rc;
    g.saveFailed = false;
    return 0;
}

short WINAPI Kadmi_CloseDatabasefile(short save)
{
    auto& g = K();
    if (g.db < 0)
        return -1101;
    // A refused transaction (the file read was removed or replaced) is
    // reported, and the project is ended all the same.
    short rc = BeginTransaction() == 0 ? 0 : -1101;
    if (rc == 0 && !g.readOnly && save) {
        if (short saved = Kadmi_SaveDatabasefile(); saved != 0)
            return saved;   // kept open: nothing unsaved is lost
    }
    PageTable_Release();
    EndTransaction(0);
    ddq_closefile(g.db);   // drops what was not saved, with the working copy
    g.db = -1;
    g.inTransaction = false;
    Pages_Forget();
    if (!g.readOnly) {
        ForgetWorkingCopy();
        ClearInUseMark(g.path);
        g.path[0] = '\0';
    }
    Kadmi_WriteIni("MISC", "CurrProjectFile", "");
    Kadmi_WriteIni("MISC", "TempProjectFile", "");
    return rc;
}

short WINAPI Kadmi_CreateDatabasefile(const char* path)
{
    auto& g = K();
    if (g.db >= 0)
        return -1301;
    if (!PathUsable(path))
        return -1302;
    if (OpenInAnotherProgram(path))
        return -1305;
    if (!DeleteFileA(path) && GetLastError() == ERROR_ACCESS_DENIED)
        return -1302;
    short db = ddq_openfile(g.schema, path, 10, 0);
    if (db < 0) {
        g.lastEngine = db;
        return -1303;
    }
    short made = ddq_createfile(db);
    ddq_closefile(db);
    if (made != 0) {
        g.lastEngine = made;
        return -1304;
    }
    if (short rc = Kadmi_OpenDatabasefile(path); rc != 0)
        return rc;
    short page = Kadmi_CreatePage();
    return page > 0 ? 0 : page;
}

short WINAPI Kadmi_RenameDatabasefile(const char* newPath)
{
    auto& g = K();
    if (g.db >= 0 && g.readOnly)
        return -1404;
    if (g.db < 0)
        return -1401;
    if (!newPath)
        return -1402;
    if (strlen(newPath) >= kPathMax)
        return -1403;
    if (OpenInAnotherProgram(newPath))
        return -1405;
    if (!g.saveFailed)
        ClearInUseMark(g.path);
    CopyPath(g.path, newPath);
    g.onDisk = {};   // the user chose the name: a file of it is written over
    g.ownMarkAtSave = true;
    NameWorkingCopySubject();
    return 0;
}

short WINAPI Kadmi_DeleteDatabasefile(const char* path)
{
    if (!path)
        return -1501;
    if (DeleteFileA(path))
        return 0;
    DWORD e = GetLastError();
    if (e == ERROR_ACCESS_DENIED)
        return -1502;
    if (e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND)
        return -1503;
    return 0;
}

char* WINAPI Kadmi_CurrentDatabasefile()
{
    return K().path;
}

short WINAPI Kadmi_CopyFile(const char* source, const char* destination)
{
    return CopyBytes(source, destination, nullptr);
}

short WINAPI Kadmi_CheckRWAccess(const char* path)
{
    if (!path || !*path || strlen(path) >= kPathMax)
        return 0;
    if (!MissingOrWritable(path))
        return 0;
    std::string prefix = DirectoryOf(path) + "\\TMP";
    char test[MAX_PATH + 16] = {};
    for (int n = 10; n <= 99; ++n) {
        snprintf(test, sizeof test, "%s%d.%s", prefix.c_str(), n, "TXT");
        if (!Path_FileExists(test))
            break;
    }
    FileHandle f(CreateFileA(test, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f.Valid())
        return 0;
    DWORD put = 0;
    bool written = WriteFile(f.h, "hello", 5, &put, nullptr) && put == 5;
    bool closed = f.Close();
    DeleteFileA(test);
    if (!written || !closed)
        return 0;
    FILE* stream = fopen(test, "w");
    if (!stream)
        return 0;
    fputs("Hello\r\n", stream);
    closed = fclose(stream) == 0;
    DeleteFileA(test);
    return closed ? 1 : 0;
}
