// Paths of files beside the module (its own DLL or program file).
#pragma once

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
