// The program started from a copy of its folder that lacks one file: the
// message box it shows instead of vanishing (answered here, from outside the
// process) names that file and the folder, in English.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <string>
#include "outside/Torbase200/tests/testfiles.h"
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

// Fills folder with the files of the program's folder but one.
void CopyProgramWithout(const std::string& folder, const char* missing)
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((BinFolder() + "*").c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && lstrcmpiA(found.cFileName, missing) != 0)
            CopyFileA((BinFolder() + found.cFileName).c_str(), (folder + found.cFileName).c_str(), FALSE);
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

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
        TempFolder copy;
        CopyProgramWithout(copy.Path(""), c.missing);
        ProgramRun run = StartAndAnswer(copy.Path(""));
        EXPECT_EQ(run.box.caption, "Varmelin") << c.name;
        EXPECT_EQ(run.box.text, "Varmelin cannot start: these files are missing.\n\nFolder: " + copy.Dir() + "\n\n" +
                                    c.missing)
            << c.name;
        EXPECT_EQ(run.exitCode, c.exitCode) << c.name;
    }
}

}  // namespace
