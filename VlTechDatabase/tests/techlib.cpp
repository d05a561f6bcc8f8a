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

TechFolder::TechFolder(const std::vector<std::string>& files) : path_(TempFolderName())
{
    CreateDirectoryA(path_.c_str(), nullptr);
    std::vector<std::string> all = {"VlTechDb.dll", "VLDATAB.DDQ", "VlPrice.DDQ"};
    all.insert(all.end(), files.begin(), files.end());
    for (const std::string& f : all)
        CopyFileA((BinFolder() + f).c_str(), (path_ + f).c_str(), FALSE);
}

TechFolder::~TechFolder()
{
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((path_ + "*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileA((path_ + found.cFileName).c_str());
        } while (FindNextFileA(h, &found));
        FindClose(h);
    }
    RemoveDirectoryA(path_.c_str());
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
