// Test helper: a new project file in a fresh temporary folder with page 1
// loaded, for tests that read or write the loaded page; closed and removed,
// with the library's working files, at the end.
#pragma once
#include <windows.h>
#include "Kadmi/kadmi.h"
#include <string>

class TempProject {
public:
    TempProject()
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        dir_ = std::string(temp) + "vl_project_" + std::to_string(GetCurrentProcessId()) + "_" +
               std::to_string(GetTickCount64());
        CreateDirectoryA(dir_.c_str(), nullptr);
        std::string file = dir_ + "\\project.wdf";
        loaded_ = Kadmi_CreateDatabasefile(file.c_str()) == 0 && Kadmi_LoadPage(1) == 0;
    }
    ~TempProject()
    {
        Kadmi_CloseDatabasefile(0);
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((dir_ + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                DeleteFileA((dir_ + "\\" + found.cFileName).c_str());
            while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(dir_.c_str());
    }
    TempProject(const TempProject&) = delete;
    TempProject& operator=(const TempProject&) = delete;

    bool loaded() const { return loaded_; }

    // A new part of the loaded page; NULL leaves an attribute out.
    long AddPart(const char* group, const char* code, const char* description)
    {
        long part = Kadmi_CreatePart();
        if (group)
            Kadmi_SetStringAtt(part, 1538, group);
        if (code)
            Kadmi_SetStringAtt(part, 1528, code);
        if (description)
            Kadmi_SetStringAtt(part, 1503, description);
        return part;
    }

private:
    std::string dir_;
    bool loaded_ = false;
};
