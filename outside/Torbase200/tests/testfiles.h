// Test helpers for real files: a temporary folder removed at the end, file
// reading and writing, and starting the database holder program.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// A fresh folder under the temporary directory, removed with its files.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    std::string Path(const std::string& name) const { return dir_ + "\\" + name; }
    const std::string& Dir() const { return dir_; }
private:
    std::string dir_;
};

std::vector<unsigned char> ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::vector<unsigned char>& bytes);
void WriteText(const std::string& path, const std::string& text);
bool Exists(const std::string& path);

// A second process (ddq_holder.exe beside the test) that holds a write
// transaction until it is released, then writes and commits: Start waits
// until it is ready and returns the code it reported for its open step.
class Holder {
public:
    ~Holder() { Release(); }
    // Holds a write transaction on database under schema.
    int Start(const std::string& schema, const std::string& database);
    // Lets it commit and end; its exit code (0: committed), -1 when none ran.
    int Release();
private:
    PROCESS_INFORMATION process_ = {};
    HANDLE quit_ = nullptr;
};
