// File writes, the final replace and the write lock. A test build (TORBASE_FAULTS)
// can make the writes fail after a given number of bytes, or the replace fail,
// to show that a failed commit leaves the old file as it was; and it can refuse
// to store records under some keys, as when memory runs out.
#include "engine.h"

#ifdef TORBASE_FAULTS
namespace {
// Test-only fault plan: bytes that may still be written (-1: no limit), and
// whether the replace fails.
struct FaultPlan {
    long long bytesLeft = -1;
    bool failReplace = false;
    std::string refusedKeys;   // prefix of the keys not stored; "" none
} g_faults;
}  // namespace

// Test build only: records whose key begins with keyPrefix are not stored
// (DDQ_ENOMEM); NULL or "" stores all again.
extern "C" __declspec(dllexport) void WINAPI ddq_test_refuse(const char* keyPrefix)
{
    g_faults.refusedKeys = keyPrefix ? keyPrefix : "";
}

// Test build only: writes fail once `bytes` more bytes were written (-1 never);
// failReplace makes the final replace fail.
extern "C" __declspec(dllexport) void WINAPI ddq_test_faults(long long bytes, BOOL failReplace)
{
    g_faults.bytesLeft = bytes;
    g_faults.failReplace = failReplace != FALSE;
}
#endif

bool Io_Write(HANDLE file, const void* data, DWORD size)
{
#ifdef TORBASE_FAULTS
    if (g_faults.bytesLeft >= 0 && size > g_faults.bytesLeft) {
        DWORD part = DWORD(g_faults.bytesLeft), n = 0;
        WriteFile(file, data, part, &n, nullptr);   // a torn write, as a crash leaves it
        g_faults.bytesLeft = 0;
        SetLastError(ERROR_DISK_FULL);
        return false;
    }
    if (g_faults.bytesLeft >= 0)
        g_faults.bytesLeft -= size;
#endif
    DWORD n = 0;
    return WriteFile(file, data, size, &n, nullptr) && n == size;
}

bool Io_MayStore([[maybe_unused]] const std::string& key)
{
#ifdef TORBASE_FAULTS
    const std::string& refused = g_faults.refusedKeys;
    if (!refused.empty() && key.compare(0, refused.size(), refused) == 0)
        return false;
#endif
    return true;
}

bool Io_Replace(const char* from, const char* to)
{
#ifdef TORBASE_FAULTS
    if (g_faults.failReplace)
        return false;
#endif
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

short WriteLock::Acquire(const std::string& dbPath)
{
    if (Held())
        return DDQ_OK;
    path_ = dbPath + ".lock";
    handle_ = CreateFileA(path_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (Held())
        return DDQ_OK;
    return GetLastError() == ERROR_SHARING_VIOLATION ? DDQ_ELOCKED : DDQ_EIO;
}

void WriteLock::Release()
{
    if (!Held())
        return;
    CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    // Fails harmlessly when another writer opened it in the meantime.
    DeleteFileA(path_.c_str());
}
