// The shell dialogs' test fixture (see dialogs_fixture.h).
#include "VlInterface/tests/dialogs/dialogs_fixture.h"
#include "Kadmi/kadmi.h"
#include "testsupport/testsupport.h"
#include <cstring>
#include <vector>

namespace {

constexpr short kAttStamps = 7701;

std::vector<AccessEntry> Stamps()
{
    short count = 0;
    auto* stamps = static_cast<AccessEntry*>(Kadmi_GetAtt(-1, kAttStamps, &count, nullptr, 0));
    std::vector<AccessEntry> entries(stamps, stamps + (stamps ? count : 0));
    Kadmi_ReleaseAtt(stamps);
    return entries;
}

} // namespace

HWND FindDialogWith(int probe)
{
    for (HWND window = FindWindowExA(nullptr, nullptr, "#32770", nullptr); window;
         window = FindWindowExA(nullptr, window, "#32770", nullptr))
        if (IsWindowVisible(window) && GetDlgItem(window, probe))
            return window;
    return nullptr;
}

void DialogsTest::StartWithThreeSystems()
{
    std::string path = TempPath("three.WDF");
    MakeProjectFile(path);
    ASSERT_EQ(Kadmi_OpenDatabasefile(path.c_str()), 0);
    for (const char* name : {"Return line", "Tank"}) {
        short page = Kadmi_CreatePage();
        Kadmi_LoadPage(page);
        Kadmi_SetStringAtt(0, 1535, name);
        Kadmi_SavePage();
    }
    ASSERT_EQ(Kadmi_SaveDatabasefile(), 0);
    Kadmi_CloseDatabasefile(0);
    Start(path.c_str());
}

bool DialogsTest::ChangeMarked()
{
    for (const AccessEntry& entry : Stamps())
        if (std::memcmp(entry.mark, "PCHG", 4) == 0)
            return true;
    return false;
}

void DialogsTest::ForgetChangeMark()
{
    std::vector<AccessEntry> kept;
    for (const AccessEntry& entry : Stamps())
        if (std::memcmp(entry.mark, "PCHG", 4) != 0)
            kept.push_back(entry);
    Kadmi_DeleteAtt(-1, kAttStamps);
    if (!kept.empty())
        Kadmi_SetAtt(-1, kAttStamps, static_cast<short>(kept.size()), kept.data());
}

void DialogsTest::RunCommand(UINT command, int probe, const std::function<void(HWND)>& action)
{
    TsUiScript script({[&] {
        HWND dialog = FindDialogWith(probe);
        if (!dialog)
            return false;
        action(dialog);
        return true;
    }});
    SendMessageA(window(), WM_COMMAND, command, 0);
    EXPECT_TRUE(script.Finished());
}

bool SelectByData(HWND dialog, int id, LPARAM data)
{
    HWND list = GetDlgItem(dialog, id);
    int count = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (SendMessageA(list, CB_GETITEMDATA, i, 0) == data) {
            SendMessageA(list, CB_SETCURSEL, i, 0);
            return true;
        }
    }
    return false;
}
