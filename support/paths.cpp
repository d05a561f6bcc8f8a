// Paths beside the module: its directory from its own file name, the
// directory part of any path, and file existence. Both separators, '\' and
// '/', are accepted.
#include "support/paths.h"
#include "support/app.h"
#include "support/utf8.h"
#include <cstring>
#include <string>

namespace {

// Length of path up to (not including) its last separator, or npos.
size_t LastSeparator(const char* path, size_t length)
{
    for (size_t i = length; i > 0; --i)
        if (path[i - 1] == '\\' || path[i - 1] == '/')
            return i - 1;
    return std::string::npos;
}

void WriteBesideModule(char* buffer, const char* name)
{
    Utf8_CopyCut(buffer, kPathSize, (Path_ModuleFolder(App().instance) + name).c_str());
}

}  // namespace

void Path_TextFiles(char* db, char* ddq)
{
    WriteBesideModule(db, "TextAPI.db");
    WriteBesideModule(ddq, "TextAPI.ddq");
}

void Path_BesideModule(char* buffer, const char* name)
{
    WriteBesideModule(buffer, name);
    App().helpFile = buffer;
}

void Path_GetDirectory(char* destination, const char* path)
{
    Utf8_CopyCut(destination, kDirectorySize, path);
    size_t cut = LastSeparator(destination, std::strlen(destination));
    destination[cut == std::string::npos ? 0 : cut] = '\0';
}

std::string Path_ModuleFile(HMODULE module)
{
    char file[MAX_PATH + 1];
    DWORD length = GetModuleFileNameA(module, file, sizeof file);
    return length > 0 && length < MAX_PATH ? std::string(file, length) : std::string();
}

std::string Path_ModuleFolder(HMODULE module)
{
    std::string file = Path_ModuleFile(module);
    size_t cut = LastSeparator(file.c_str(), file.size());
    return cut == std::string::npos ? std::string() : file.substr(0, cut + 1);
}

bool Path_FileExists(const char* path)
{
    DWORD attributes = path && *path ? GetFileAttributesA(path) : INVALID_FILE_ATTRIBUTES;
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Path_IsReadOnlyFile(const char* path)
{
    DWORD attributes = path && *path ? GetFileAttributesA(path) : INVALID_FILE_ATTRIBUTES;
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (attributes & FILE_ATTRIBUTE_READONLY);
}

std::string Path_Full(const char* name)
{
    std::string given = name ? name : "";
    DWORD needed = given.empty() ? 0 : GetFullPathNameA(given.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return given;
    std::string full(needed, '\0');
    DWORD length = GetFullPathNameA(given.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed)
        return given;
    full.resize(length);
    return full;
}
