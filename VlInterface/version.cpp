// The module's version text, read from its own version block on each request.
#include "VlInterface/shell.h"
#include "support/app.h"
#include <cstdio>
#include <vector>

const char* App_GetVersionString()
{
    static char text[32];
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(App().instance, path, sizeof(path));
    if (length == 0 || length >= sizeof(path))
        return nullptr;
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0)
        return nullptr;
    std::vector<char> block(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (!GetFileVersionInfoA(path, 0, size, block.data()) ||
        !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) || !fixed ||
        fixedSize < sizeof(VS_FIXEDFILEINFO))
        return nullptr;
    std::snprintf(text, sizeof(text), "%u.%2.2u.%u", HIWORD(fixed->dwProductVersionMS),
                  LOWORD(fixed->dwProductVersionMS), HIWORD(fixed->dwProductVersionLS));
    return text;
}
