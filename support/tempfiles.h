// Temporary files that a running process owns: beside each such file F in the
// temporary folder lies a marker F + ".own" that the owner holds open,
// unshared, for as long as it uses F. A marker that nobody holds belongs to a
// process that has ended without cleaning up (it was killed): at the next
// start its file goes, with every file named F + "." and something (the
// engine's lock and half-written copies). A companion F + ".for" may say
// what F stands for, so that others can tell what a running owner holds.
#pragma once
#include <windows.h>
#include <cstddef>
#include <string>
#include <vector>

// The marker handle of an owned file; closing it gives the file up.
struct TempOwner {
    HANDLE marker = INVALID_HANDLE_VALUE;
    TempOwner() = default;
    TempOwner(TempOwner&& other) noexcept : marker(other.marker) { other.marker = INVALID_HANDLE_VALUE; }
    TempOwner& operator=(TempOwner&& other) noexcept
    {
        if (this != &other) {
            Close();
            marker = other.marker;
            other.marker = INVALID_HANDLE_VALUE;
        }
        return *this;
    }
    ~TempOwner() { Close(); }
    void Close();
};

// The temporary folder with its trailing separator; "" when there is none.
std::string TempFile_Folder();

// Creates a new empty file named prefix, four hex digits and ".tmp" in the
// temporary folder (as GetTempFileName names them), its marker held by owner
// first. Writes its full name into name (size bytes). False when no file
// could be made; owner then holds nothing.
bool TempFile_Create(const char* prefix, char* name, size_t size, TempOwner* owner);

// Deletes the owned file name with its companions, then gives up the marker.
void TempFile_Remove(const char* name, TempOwner* owner);

// Removes the files of prefix whose markers nobody holds, with their
// companions; files of a running owner and files without a marker are left.
// Returns how many markers were given up.
int TempFile_RemoveOrphans(const char* prefix);

// True while a running process holds the marker of file name.
bool TempFile_IsOwned(const char* name);

// Writes subject (what the owned file name stands for, such as the project
// file it is a working copy of) into its companion, where other processes
// read it. False when it could not be written.
bool TempFile_SetSubject(const char* name, const char* subject);

// The subjects of prefix's files whose owners are running, the file named
// except (the caller's own, or NULL) left out.
std::vector<std::string> TempFile_RunningSubjects(const char* prefix, const char* except);
