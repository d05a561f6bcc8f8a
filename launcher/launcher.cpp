// The program's entry: loads the interface module from the program's folder
// and hands it the entry-point arguments. When the module cannot be loaded,
// a message box (in English: the language texts may be what is missing)
// names the files the system needs that are missing from that folder.
#include <windows.h>
#include <string>
#include "VlInterface/vlinterface.h"

namespace {

const char kInterfaceModule[] = "VlIntfc.dll";

// Everything the interface module needs beside it to load and start.
const char* const kNeededFiles[] = {
    kInterfaceModule, "WSKADMI.dll", "VlTechDb.dll", "VlUtil.dll", "VlCalculate.dll", "VlPrint.dll",
    "Lexmo100.dll",   "Torbase200.dll", "Tordoc32.dll", "KADMI.DDQ", "VlDataTech.DB", "VLDATAB.DDQ",
    "TextAPI.db",     "TextAPI.ddq",
};

// The program's folder with its trailing backslash.
std::string ProgramFolder()
{
    char path[MAX_PATH + 1];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string file(path, length < sizeof path ? length : 0);
    return file.substr(0, file.find_last_of("\\/") + 1);
}

bool IsFile(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void ReportNotLoaded(const std::string& folder, DWORD error)
{
    std::string missing;
    for (const char* name : kNeededFiles) {
        if (!IsFile(folder + name))
            missing += std::string("\n") + name;
    }
    std::string shown = "\n\nFolder: " + folder.substr(0, folder.size() - 1);
    std::string text = !missing.empty()
                           ? "Varmelin cannot start: these files are missing." + shown + "\n" + missing
                           : "Varmelin cannot start: " + std::string(kInterfaceModule) + " cannot be loaded (system error " +
                                 std::to_string(error) + "). One of the files in its folder may be damaged." + shown;
    MessageBoxA(nullptr, text.c_str(), "Varmelin", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    SetErrorMode(SEM_FAILCRITICALERRORS);   // the message below says what is wrong
    std::string folder = ProgramFolder();
    HMODULE module = LoadLibraryA((folder + kInterfaceModule).c_str());
    auto start = module ? reinterpret_cast<decltype(&StartVelmoInsulation)>(
                              reinterpret_cast<void*>(GetProcAddress(module, "StartVelmoInsulation")))
                        : nullptr;
    if (!start) {
        ReportNotLoaded(folder, GetLastError());
        return 1;
    }
    return start(instance, previous, commandLine, show);
}
