// Shared by the project library tests: a temporary folder with a project made
// through the exports, direct engine access to the file on disk, and a hook
// that answers the message boxes the library shows.
#pragma once
#include <gtest/gtest.h>
#include <string>
#include "Kadmi/kadmi.h"
#include "outside/Torbase200/torbase.h"
#include "outside/Torbase200/tests/testfiles.h"
#include "testsupport/testsupport.h"

// Test build of the engine only: write faults on demand.
extern "C" __declspec(dllimport) void WINAPI ddq_test_faults(long long bytes, BOOL failReplace);

// The schema beside WSKADMI.dll.
std::string SchemaPath();
// The in-use mark (attribute 1101 of "GENERALDATA") as stored in a file; -1 when absent.
int StoredMark(const std::string& path);
void StoreMark(const std::string& path, short mark);
// Who holds the mark, as a program stores it (attribute 1599): computer,
// user, machine id, process id, process start, date and time, tab-separated.
// "" when absent; storing nullptr removes it.
std::string StoredHolder(const std::string& path);
void StoreHolder(const std::string& path, const char* holder);
// This computer's name and machine id as the holder text gives them.
std::string ThisComputer();
std::string ThisMachineId();

class Project : public ::testing::Test {
protected:
    TempFolder dir;
    std::string file = dir.Path("project.wdf");

    void TearDown() override
    {
        ddq_test_faults(-1, FALSE);
        Kadmi_CloseDatabasefile(0);
        Kadmi_DefCloseDatabasefile();
        Kadmi_SetupInifile(nullptr, 0, nullptr);
    }
    // A new project with page 1 loaded.
    void CreateLoaded()
    {
        ASSERT_EQ(Kadmi_CreateDatabasefile(file.c_str()), 0);
        ASSERT_EQ(Kadmi_LoadPage(1), 0);
    }
    void SaveClose()
    {
        ASSERT_EQ(Kadmi_SavePage(), 0);
        ASSERT_EQ(Kadmi_SaveDatabasefile(), 0);
        ASSERT_EQ(Kadmi_CloseDatabasefile(0), 0);
    }
};
