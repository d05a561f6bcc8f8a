// Runs the data compiler program itself: a faulty source is refused with its
// file and line and leaves no database behind; a sound one gives a database
// that the engine reads back.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "outside/Torbase200/torbase.h"

namespace {

std::string Directory(const std::string& path)
{
    return path.substr(0, path.find_last_of('\\') + 1);
}

std::string CompilerPath()
{
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string tests = Directory(exe);
    return Directory(tests.substr(0, tests.size() - 1)) + "tools\\vldatac.exe";
}

class CompilerRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        dir_ = std::string(temp) + "vldatac_test_" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(dir_.c_str(), nullptr);
        Write("s.ddq", "torbase-schema 1\nclass DC 20\nclass UI 20\natt 1600 99\n");
    }
    void TearDown() override
    {
        for (const char* f : {"s.ddq", "a.tab", "b.tab", "out.db", "err.txt"})
            DeleteFileA((dir_ + f).c_str());
        RemoveDirectoryA(dir_.c_str());
    }
    void Write(const char* name, const std::string& text)
    {
        FILE* f = std::fopen((dir_ + name).c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    bool Exists(const char* name) { return GetFileAttributesA((dir_ + name).c_str()) != INVALID_FILE_ATTRIBUTES; }

    // Runs vldatac on the schema, out.db and the sources; its exit code,
    // with what it wrote to its error output in errors.
    DWORD Run(const std::string& sources, std::string& errors)
    {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE err = CreateFileA((dir_ + "err.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                 CREATE_ALWAYS, 0, nullptr);
        STARTUPINFOA si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = err;
        si.hStdError = err;
        PROCESS_INFORMATION pi{};
        std::string cmd;
        for (const std::string& arg : {CompilerPath(), dir_ + "s.ddq", dir_ + "out.db"})
            cmd.append("\"").append(arg).append("\" ");
        cmd += sources;
        DWORD code = 999;
        if (CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, dir_.c_str(), &si, &pi)) {
            WaitForSingleObject(pi.hProcess, 60000);
            GetExitCodeProcess(pi.hProcess, &code);
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
        }
        CloseHandle(err);
        errors.clear();
        if (FILE* f = std::fopen((dir_ + "err.txt").c_str(), "rb")) {
            char buf[4096];
            size_t n = std::fread(buf, 1, sizeof buf, f);
            errors.assign(buf, n);
            std::fclose(f);
        }
        return code;
    }

    std::string dir_;
};

TEST_F(CompilerRun, RefusesFaultySourcesWithFileAndLineAndWritesNothing)
{
    struct { const char* name; const char* a; const char* b; const char* expected; } rows[] = {
        {"bad number", "class DC\ncolumns key 1301:float\nX 1,5\n", "", "a.tab:3: not a number"},
        {"class unknown to the schema", "class DC\ncolumns key 1301:float\nX 1\nclass ZZ\nY 2\n", "",
         "a.tab:5: the schema refuses class ZZ"},
        {"attribute in two files", "class DC\ncolumns key 1301:float\nX 1\n",
         "# b\nclass DC\ncolumns key 1301:float\nX 2\n", "b.tab:4: attribute 1301 of DC/X is given already at"},
        {"partial element", "class UI\ncolumns key 1600:string\n1 \"x\"\n", "", "a.tab:3: attribute 1600"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Write("out.db", "old");
        Write("a.tab", r.a);
        Write("b.tab", r.b);
        std::string errors;
        EXPECT_EQ(Run("a.tab b.tab", errors), 1u);
        EXPECT_NE(errors.find(r.expected), std::string::npos) << errors;
        EXPECT_FALSE(Exists("out.db")) << "no database is left behind";
    }
}

TEST_F(CompilerRun, WritesADatabaseTheEngineReads)
{
    Write("a.tab", "class DC\ncolumns key 1301:float 1302:float\nHLOSS 1 2\n");
    Write("b.tab", "class DC\ncolumns key 1303:float\nHLOSS 1.5\nclass UI\ncolumns key 1600:text99[]\n1 \"a\"\n");
    std::string errors;
    ASSERT_EQ(Run("a.tab b.tab", errors), 0u) << errors;
    short db = ddq_openwithschema((dir_ + "s.ddq").c_str(), (dir_ + "out.db").c_str(), 0);
    ASSERT_GE(db, 0);
    ASSERT_GE(ddq_beginread(db), 0);
    float v[3] = {};
    for (short att = 1301; att <= 1303; ++att)
        EXPECT_EQ(ddq_getstoredfield(db, "DC", "HLOSS", att, nullptr, &v[att - 1301], 4), 1) << att;
    EXPECT_EQ(v[0], 1.0f);
    EXPECT_EQ(v[2], 1.5f) << "records of several files merge";
    short count = 0;
    char name[99] = {};
    EXPECT_EQ(ddq_getstoredfield(db, "UI", "1", 1600, &count, name, sizeof name), 1);
    EXPECT_EQ(count, 1);
    EXPECT_STREQ(name, "a");
    ddq_endread(db);
    ddq_closereadfile(db);
}

}  // namespace
