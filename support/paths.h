// Paths of files beside the module (its own DLL or program file), the folder
// of any loaded module, and whether a file exists.
#pragma once
#include <windows.h>
#include <string>

// Bytes a path buffer of this file must hold.
constexpr int kPathSize = 260;
// Bytes of Path_GetDirectory's destination.
constexpr int kDirectorySize = 399;

// Writes the paths of "TextAPI.db" and "TextAPI.ddq" in the module's
// directory into db and ddq (kPathSize bytes each).
void Path_TextFiles(char* db, char* ddq);

// Writes the path of name in the module's directory into buffer (kPathSize
// bytes) and remembers buffer as the module's help-file path: it must live as
// long as the module uses help.
void Path_BesideModule(char* buffer, const char* name);

// Writes the directory of path, at most its first 398 bytes cut at the last
// '\' or '/', into destination (kDirectorySize bytes). No separator gives "".
void Path_GetDirectory(char* destination, const char* path);

// The full file name of module (NULL: the program file); "" when it cannot
// be read or does not fit MAX_PATH.
std::string Path_ModuleFile(HMODULE module);

// The folder of module's file with its trailing separator; "" when the file
// name cannot be read or holds no separator.
std::string Path_ModuleFolder(HMODULE module);

// True when path names an existing file; a folder is not a file.
bool Path_FileExists(const char* path);

// True when path names an existing file marked read-only.
bool Path_IsReadOnlyFile(const char* path);

// The full path of name (relative to the working directory); name itself
// when it cannot be made.
std::string Path_Full(const char* name);
