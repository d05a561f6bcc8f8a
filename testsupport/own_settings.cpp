// Gives the test program a user settings tree of its own: HKEY_CURRENT_USER
// is mapped to a key named after the program before any test runs, so that
// programs which write the shell's settings can run side by side. Compiled
// into each such program (not in the library, where nothing would pull it in).
#include <windows.h>
#include <string>

namespace {

constexpr const char* kProgramsKey = "Software\\VlTestPrograms\\";

std::string ProgramName()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string name(path, length);
    return name.substr(name.find_last_of('\\') + 1);
}

const bool ownSettings = [] {
    HKEY own = nullptr;
    std::string key = kProgramsKey + ProgramName();
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &own, nullptr) != ERROR_SUCCESS)
        return false;
    bool mapped = RegOverridePredefKey(HKEY_CURRENT_USER, own) == ERROR_SUCCESS;
    RegCloseKey(own);
    return mapped;
}();

}  // namespace
