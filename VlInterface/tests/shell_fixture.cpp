// The shell test fixture: a settings root of its own under the test
// company, emptied before each test, and the language texts beside Lexmo100.dll.
#include "VlInterface/tests/shell_fixture.h"
#include "VlInterface/shell.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/app.h"
#include "support/paths.h"
#include "support/settings.h"

namespace {

constexpr const char* kTestRoot = "Software\\VlIntfcTests";
constexpr const char* kTestMachineRoot = "Software\\VlIntfcTests\\Varmelin\\1";

} // namespace

void ShellTest::SetUp()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot);
    HKEY machine = nullptr;   // the read-only defaults root must exist for the store to open
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kTestMachineRoot, 0, nullptr, 0, KEY_READ, nullptr, &machine, nullptr);
    RegCloseKey(machine);
    App_Init(GetModuleHandleA(nullptr));
    Shell() = ShellGlobals{};
    const std::string bin = Path_ModuleFolder(GetModuleHandleA("Lexmo100.dll"));
    Shell().textHandle = TextAPI_Open((bin + "TextAPI.db").c_str(), (bin + "TextAPI.ddq").c_str());
    ASSERT_EQ(Settings_OpenRoot("VlIntfcTests", "Varmelin", "1"), 1);
}

void ShellTest::TearDown()
{
    Settings_CloseRoot();
    TextAPI_Close(Shell().textHandle);
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot);
}

void ShellTest::SetRecent(int i, const std::string& name)
{
    std::string path = "Recent File List\\File" + std::to_string(i);
    Settings_WriteString(nullptr, path.c_str(), name.c_str());
}

std::string ShellTest::Recent(int i)
{
    return RecentFiles_Read(i);
}
