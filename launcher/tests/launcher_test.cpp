// The program started from a copy of its folder that lacks one file: the
// message box it shows instead of vanishing (answered here, from outside the
// process) names that file and the folder, in English.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <string>
#include "testsupport/testsupport.h"

namespace {

std::string FolderOf(const std::string& path)
{
    return path.substr(0, path.find_last_of('\\') + 1);
}

std::string BinFolder()
{
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string tests = FolderOf(exe);
    return FolderOf(tests.substr(0, tests.size() - 1)) + "bin\\";
}

// A copy of the program's folder without one file, removed at the end.
class ProgramCopy {
public:
    explicit ProgramCopy(const std::string& without)
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "vl_launcher_" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        ForEachFile(BinFolder(), [&](const std::string& name) {
            if (lstrcmpiA(name.c_str(), without.c_str()) != 0)
                CopyFileA((BinFolder() + name).c_str(), (folder_ + name).c_str(), FALSE);
        });
    }
    ~ProgramCopy()
    {
        ForEachFile(folder_, [&](const std::string& name) { DeleteFileA((folder_ + name).c_str()); });
        RemoveDirectoryA(folder_.c_str());
    }
    const std::string& folder() const { return folder_; }

private:
    template <typename Visit> static void ForEachFile(const std::string& folder, Visit visit)
    {
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((folder + "*").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE)
            return;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                visit(std::string(found.cFileName));
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    std::string folder_;
};

// This process's environment with only the system folders as PATH, so that
// the program finds no module outside its own folder.
std::string SystemPathEnvironment()
{
    std::string block;
    char* all = GetEnvironmentStringsA();
    for (const char* v = all; *v; v += std::strlen(v) + 1) {
        if (_strnicmp(v, "PATH=", 5) != 0)
            block.append(v).push_back('\0');
    }
    FreeEnvironmentStringsA(all);
    block.append("PATH=C:\\windows\\system32;C:\\windows").push_back('\0');
    block.push_back('\0');
    return block;
}

struct ProgramRun {
    TsSeenBox box;
    DWORD exitCode = 99;
};

// Starts the program of folder, answers its first message box with OK and
// waits for its end.
ProgramRun StartAndAnswer(const std::string& folder)
{
    ProgramRun run;
    std::string exe = folder + "Varmelin.exe", line = "\"" + exe + "\"", environment = SystemPathEnvironment();
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, environment.data(), folder.c_str(),
                        &startup, &process))
        return run;
    run.box = Ts_AnswerProcessBox(process.dwProcessId, IDOK, 60000);
    if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 98);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}

TEST(Launcher, AMissingFileIsNamedWithItsFolder)
{
    struct Case {
        const char* name;
        const char* missing;
        DWORD exitCode;   // 1 the launcher reported, 0 the interface module did
    } cases[] = {
        {"interface module", "VlIntfc.dll", 1},
        {"project library", "WSKADMI.dll", 1},
        {"project schema", "KADMI.DDQ", 1},
        {"technical data", "VlDataTech.DB", 1},
        {"language texts", "TextAPI.db", 0},
    };
    for (const Case& c : cases) {
        ProgramCopy copy(c.missing);
        ProgramRun run = StartAndAnswer(copy.folder());
        EXPECT_EQ(run.box.caption, "Varmelin") << c.name;
        std::string folder = copy.folder().substr(0, copy.folder().size() - 1);
        EXPECT_EQ(run.box.text, "Varmelin cannot start: these files are missing.\n\nFolder: " + folder + "\n\n" + c.missing)
            << c.name;
        EXPECT_EQ(run.exitCode, c.exitCode) << c.name;
    }
}

}  // namespace
