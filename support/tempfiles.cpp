// Temporary files owned through a held marker file: making them, removing
// them, and removing those of processes that ended without doing so. Whether
// an owner is alive is asked of the file system (an open handle dies with its
// process), never of process ids, which the system reuses.
#include "support/tempfiles.h"
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* kMarkerSuffix = ".own";
constexpr const char* kSubjectSuffix = ".for";
constexpr DWORD kSubjectMaxBytes = 4096;

// Names in folder that match pattern.
std::vector<std::string> FindNames(const std::string& folder, const std::string& pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

bool IsMarker(const std::string& name)
{
    size_t n = std::strlen(kMarkerSuffix);
    return name.size() > n && name.compare(name.size() - n, n, kMarkerSuffix) == 0;
}

// Deletes file and its companions: every file named file + "." and more but
// the marker, which its holder deletes last.
void DeleteFileAndCompanions(const std::string& file)
{
    size_t slash = file.find_last_of('\\');
    std::string folder = file.substr(0, slash + 1);
    for (const std::string& name : FindNames(folder, file.substr(slash + 1) + ".*"))
        if (!IsMarker(name))
            DeleteFileA((folder + name).c_str());
    DeleteFileA(file.c_str());
}

// Creates path as a new file; unshared when shared is false.
HANDLE CreateNew(const std::string& path, bool shared)
{
    DWORD share = shared ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE : 0;
    return CreateFileA(path.c_str(), GENERIC_WRITE, share, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string ReadSubject(const std::string& file)
{
    HANDLE in = CreateFileA((file + kSubjectSuffix).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (in == INVALID_HANDLE_VALUE)
        return "";
    std::string subject(kSubjectMaxBytes, '\0');
    DWORD got = 0;
    if (!ReadFile(in, subject.data(), kSubjectMaxBytes, &got, nullptr))
        got = 0;
    CloseHandle(in);
    subject.resize(got);
    return subject;
}

} // namespace

void TempOwner::Close()
{
    if (marker != INVALID_HANDLE_VALUE)
        CloseHandle(marker);
    marker = INVALID_HANDLE_VALUE;
}

bool TempFile_Create(const char* prefix, char* name, size_t size, TempOwner* owner)
{
    owner->Close();
    std::string folder = TempFile_Folder();
    if (folder.empty())
        return false;
    unsigned start = (GetTickCount() ^ GetCurrentProcessId()) & 0xFFFF;
    for (unsigned n = 0; n < 0x10000; ++n) {
        char number[8];
        std::snprintf(number, sizeof(number), "%04X", (start + n) & 0xFFFF);
        std::string file = folder + prefix + number + ".tmp";
        if (file.size() >= size || file.size() + std::strlen(kMarkerSuffix) >= MAX_PATH)
            return false;
        // The marker comes first, so that the file never exists unowned.
        HANDLE marker = CreateNew(file + kMarkerSuffix, false);
        if (marker == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_SHARING_VIOLATION)
                continue;   // another process's, or an orphan not yet removed
            return false;
        }
        HANDLE created = CreateNew(file, true);
        DWORD error = GetLastError();
        if (created != INVALID_HANDLE_VALUE) {
            CloseHandle(created);
            owner->marker = marker;
            std::snprintf(name, size, "%s", file.c_str());
            return true;
        }
        CloseHandle(marker);
        DeleteFileA((file + kMarkerSuffix).c_str());
        if (error != ERROR_FILE_EXISTS)
            return false;
    }
    return false;
}

void TempFile_Remove(const char* name, TempOwner* owner)
{
    if (name && *name) {
        // The marker is held until the files are gone, so that no other
        // process takes the name meanwhile.
        DeleteFileAndCompanions(name);
        owner->Close();
        DeleteFileA((std::string(name) + kMarkerSuffix).c_str());
    }
    owner->Close();
}

int TempFile_RemoveOrphans(const char* prefix)
{
    std::string folder = TempFile_Folder();
    if (folder.empty())
        return 0;
    int removed = 0;
    for (const std::string& marker : FindNames(folder, std::string(prefix) + "*.tmp" + kMarkerSuffix)) {
        // Opened unshared only when no process holds it: then its owner has
        // ended. Held by us while the files go, deleted when closed.
        HANDLE held = CreateFileA((folder + marker).c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (held == INVALID_HANDLE_VALUE)
            continue;
        DeleteFileAndCompanions(folder + marker.substr(0, marker.size() - std::strlen(kMarkerSuffix)));
        CloseHandle(held);
        ++removed;
    }
    return removed;
}

// The marker was made unshared: any open of it is refused until its owner
// closes it or ends.
bool TempFile_IsOwned(const char* name)
{
    HANDLE probe = CreateFileA((std::string(name) + kMarkerSuffix).c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

bool TempFile_SetSubject(const char* name, const char* subject)
{
    HANDLE out = CreateFileA((std::string(name) + kSubjectSuffix).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = static_cast<DWORD>(std::strlen(subject)), put = 0;
    bool written = WriteFile(out, subject, size, &put, nullptr) && put == size;
    return CloseHandle(out) && written;
}

std::vector<std::string> TempFile_RunningSubjects(const char* prefix, const char* except)
{
    std::vector<std::string> subjects;
    std::string folder = TempFile_Folder();
    if (folder.empty())
        return subjects;
    size_t suffix = std::strlen(kMarkerSuffix);
    for (const std::string& marker : FindNames(folder, std::string(prefix) + "*.tmp" + kMarkerSuffix)) {
        std::string file = folder + marker.substr(0, marker.size() - suffix);
        if ((except && lstrcmpiA(file.c_str(), except) == 0) || !TempFile_IsOwned(file.c_str()))
            continue;
        std::string subject = ReadSubject(file);
        if (!subject.empty())
            subjects.push_back(subject);
    }
    return subjects;
}

std::string TempFile_Folder()
{
    char folder[MAX_PATH + 1];
    DWORD length = GetTempPathA(sizeof(folder), folder);
    return length > 0 && length < sizeof(folder) ? folder : "";
}
