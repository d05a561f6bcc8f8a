// Paths beside the module: its directory from its own file name, and the
// directory part of any path. Both separators, '\' and '/', are accepted.
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

// The module's directory with its trailing separator.
std::string ModuleDirectory()
{
    char file[kPathSize];
    DWORD length = GetModuleFileNameA(App().instance, file, sizeof file);
    if (length >= sizeof file)
        length = 0;
    size_t cut = LastSeparator(file, length);
    return cut == std::string::npos ? std::string() : std::string(file, cut + 1);
}

void WriteBesideModule(char* buffer, const char* name)
{
    Utf8_CopyCut(buffer, kPathSize, (ModuleDirectory() + name).c_str());
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
