// Test helper: private copies of VlTechDb.dll with chosen database files.
#include "VlTechDatabase/tests/techlib.h"

#include <cstdio>

namespace {

std::string Directory(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string TempFolderName()
{
    static int serial = 0;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%svltechdb_%lu_%d\\", temp, GetCurrentProcessId(), ++serial);
    return name;
}

}  // namespace

std::string BinFolder()
{
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string tests = Directory(exe);
    return Directory(tests.substr(0, tests.size() - 1)) + "bin\\";
}

const std::vector<std::string>& AllDatabaseFiles()
{
    static const std::vector<std::string> files = {
        "VlDataTech.DB", "VlDataInsulation.db", "VlDataWeather.db",
        "VlPriceEUR.DB", "VlPriceSEK.DB", "VlPricePLN.DB"};
    return files;
}

namespace {

// A path for the wide file functions that takes no notice of the 260-character limit.
std::wstring LongPath(const std::string& path)
{
    return L"\\\\?\\" + std::wstring(path.begin(), path.end());
}

void EmptyFolder(const std::string& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW(LongPath(folder + "*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE)
        return;
    do {
        DeleteFileW((LongPath(folder) + found.cFileName).c_str());
    } while (FindNextFileW(h, &found));
    FindClose(h);
}

}  // namespace

TechFolder::TechFolder(const std::vector<std::string>& files, size_t length)
    : top_(TempFolderName()), path_(top_)
{
    CreateDirectoryA(top_.c_str(), nullptr);
    if (length > path_.size() + 1) {
        path_ += std::string(length - path_.size() - 1, 'd') + "\\";
        CreateDirectoryW(LongPath(path_).c_str(), nullptr);
    }
    std::vector<std::string> all = {"VlTechDb.dll", "VLDATAB.DDQ", "VlPrice.DDQ"};
    all.insert(all.end(), files.begin(), files.end());
    for (const std::string& f : all)
        CopyFileW(LongPath(BinFolder() + f).c_str(), LongPath(path_ + f).c_str(), FALSE);
}

TechFolder::~TechFolder()
{
    EmptyFolder(path_);
    RemoveDirectoryW(LongPath(path_).c_str());
    RemoveDirectoryA(top_.c_str());
}

bool TechFolder::Has(const std::string& name) const
{
    return GetFileAttributesW(LongPath(path_ + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void TechFolder::Write(const std::string& name, const std::string& bytes) const
{
    FILE* f = std::fopen((path_ + name).c_str(), "wb");
    if (f) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

LoadedTechLib::LoadedTechLib(const TechFolder& folder)
{
    module_ = LoadLibraryExA((folder.path() + "VlTechDb.dll").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module_)
        return;
    auto** slots = reinterpret_cast<FARPROC*>(&lib_);
    for (WORD ordinal = 1; ordinal <= 40; ++ordinal) {
        slots[ordinal - 1] = GetProcAddress(module_, MAKEINTRESOURCEA(ordinal));
        if (!slots[ordinal - 1]) {
            FreeLibrary(module_);
            module_ = nullptr;
            return;
        }
    }
}

LoadedTechLib::~LoadedTechLib()
{
    if (module_)
        FreeLibrary(module_);
}
