// Real files in a temporary folder and the holder process for tests that
// need a second user of a database.
#include "testfiles.h"
#include <cstdio>

TempFolder::TempFolder()
{
    char base[MAX_PATH + 1];
    GetTempPathA(sizeof base, base);
    static int serial = 0;
    char name[MAX_PATH + 64];
    snprintf(name, sizeof name, "%sddqtest_%lu_%d", base, GetCurrentProcessId(), ++serial);
    dir_ = name;
    CreateDirectoryA(dir_.c_str(), nullptr);
}

TempFolder::~TempFolder()
{
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((dir_ + "\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string p = dir_ + "\\" + found.cFileName;
            SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(p.c_str());
        } while (FindNextFileA(h, &found));
        FindClose(h);
    }
    RemoveDirectoryA(dir_.c_str());
}

std::vector<unsigned char> ReadAll(const std::string& path)
{
    std::vector<unsigned char> bytes;
    if (FILE* f = fopen(path.c_str(), "rb")) {
        unsigned char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.insert(bytes.end(), buffer, buffer + n);
        fclose(f);
    }
    return bytes;
}

void WriteAll(const std::string& path, const std::vector<unsigned char>& bytes)
{
    if (FILE* f = fopen(path.c_str(), "wb")) {
        if (!bytes.empty())
            fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
    }
}

void WriteText(const std::string& path, const std::string& text)
{
    WriteAll(path, std::vector<unsigned char>(text.begin(), text.end()));
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int Holder::Start(const std::string& schema, const std::string& database)
{
    static int serial = 0;
    char names[2][64];
    snprintf(names[0], sizeof names[0], "ddqholder_ready_%lu_%d", GetCurrentProcessId(), ++serial);
    snprintf(names[1], sizeof names[1], "ddqholder_quit_%lu_%d", GetCurrentProcessId(), serial);
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, names[0]);
    quit_ = CreateEventA(nullptr, TRUE, FALSE, names[1]);
    char exe[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string dir(exe, strrchr(exe, '\\'));
    std::string command;
    for (const std::string& part : {dir + "\\ddq_holder.exe", std::string(names[0]), std::string(names[1]), schema, database})
        command.append(command.empty() ? "\"" : " \"").append(part).append("\"");
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    int result = -9999;
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process_)) {
        HANDLE waits[2] = {ready, process_.hProcess};
        if (WaitForMultipleObjects(2, waits, FALSE, 30000) == WAIT_OBJECT_0) {
            // The holder reports its open step's result in its exit code
            // later; until then the ready event is the signal.
            result = 0;
        } else {
            DWORD code = 0;
            GetExitCodeProcess(process_.hProcess, &code);
            result = int(code);
        }
    }
    CloseHandle(ready);
    return result;
}

int Holder::Release()
{
    int result = -1;
    if (quit_) {
        SetEvent(quit_);
        if (process_.hProcess) {
            DWORD code = 0;
            if (WaitForSingleObject(process_.hProcess, 30000) == WAIT_OBJECT_0 &&
                GetExitCodeProcess(process_.hProcess, &code))
                result = int(code);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
        CloseHandle(quit_);
    }
    quit_ = nullptr;
    process_ = {};
    return result;
}
