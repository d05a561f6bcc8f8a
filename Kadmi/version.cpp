// The library's version text, from the version block of its own file.
#include "kadmi_int.h"
#include <cstdio>
#include <vector>

char* WINAPI Kadmi_Version()
{
    auto& g = K();
    char own[MAX_PATH + 1] = {};
    DWORD n = GetModuleFileNameA(g.instance, own, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return nullptr;
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(own, &ignored);
    if (size == 0)
        return nullptr;
    std::vector<char> block(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoA(own, 0, size, block.data()) ||
        !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info ||
        length < sizeof *info)
        return nullptr;
    snprintf(g.version, sizeof g.version, "%u.%u.%u.%u", unsigned(HIWORD(info->dwProductVersionMS)),
             unsigned(LOWORD(info->dwProductVersionMS)), unsigned(HIWORD(info->dwProductVersionLS)),
             unsigned(LOWORD(info->dwProductVersionLS)));
    return g.version;
}
