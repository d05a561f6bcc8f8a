// The system commands on projects of one and three systems: which system is
// loaded afterwards, that every new system has its marked layer parts, that
// the project counts as changed, and that No changes nothing.
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/tests/window_fixture.h"
#include "VlInterface/workspace/calctabs.h"
#include "Kadmi/kadmi.h"
#include "testsupport/testsupport.h"
#include <cstdio>
#include <string>
#include <vector>

// Test build of the engine only: records under keys of this prefix are not stored.
extern "C" __declspec(dllimport) void WINAPI ddq_test_refuse(const char* keyPrefix);

namespace {

enum class Command { New, Copy, Delete };

struct SystemCase {
    const char* name;
    int systems;        // in the project before the command
    int loaded;         // position of the loaded system
    Command command;
    int systemsAfter;
    int loadedAfter;    // position of the loaded system afterwards
};

const SystemCase kSystemCases[] = {
    {"NewAfterTheFirst", 3, 0, Command::New, 4, 3},
    {"CopyOfTheLast", 3, 2, Command::Copy, 4, 3},
    {"CopyOfTheOnly", 1, 0, Command::Copy, 2, 1},
    {"DeleteTheFirst", 3, 0, Command::Delete, 2, 0},
    {"DeleteTheLast", 3, 2, Command::Delete, 2, 1},
    {"DeleteTheOnly", 1, 0, Command::Delete, 1, 0},
};

class SystemCommandTest : public ShellWindowTest, public ::testing::WithParamInterface<SystemCase> {
protected:
    // A project of count systems, each with three marked layer parts and the
    // description "System <n>".
    std::string MakeProject(int count)
    {
        std::string path = TempPath("systems.WDF");
        MakeProjectFile(path);
        EXPECT_EQ(Kadmi_OpenDatabasefile(path.c_str()), 0);
        for (int i = 1; i <= count; ++i) {
            short page = i == 1 ? Kadmi_IthPage(0) : Kadmi_CreatePage();
            Kadmi_LoadPage(page);
            if (i > 1)
                Project_AddLayerParts();
            Kadmi_SetStringAtt(0, 1535, ("System " + std::to_string(i)).c_str());
            Kadmi_SavePage();
        }
        EXPECT_EQ(Kadmi_SaveDatabasefile(), 0);
        Kadmi_CloseDatabasefile(0);
        return path;
    }
    void Run(Command command)
    {
        UINT id = command == Command::New ? IDM_SYSTEM_NEW : command == Command::Copy ? IDM_SYSTEM_COPY
                                                                                      : IDM_SYSTEM_DELETE;
        SendMessageA(window(), WM_COMMAND, id, 0);
    }
    static int MarkedParts()
    {
        int marked = 0;
        for (short i = 0; i < Kadmi_NPart(); ++i)
            marked += Kadmi_GetIntAtt(Kadmi_IthPart(i), 1133) == 1;
        return marked;
    }
};

TEST_P(SystemCommandTest, LoadsTheRightSystemWithItsLayerParts)
{
    const SystemCase& c = GetParam();
    Start(MakeProject(c.systems).c_str());
    Project_LoadSystem(Kadmi_IthPage(short(c.loaded)));
    std::string loadedName = Kadmi_GetStringAtt(0, 1535);
    Sleep(1100);   // stamps count in seconds: the change must come after the open
    {
        ScriptedBoxes boxes({{IDYES, ""}});
        Run(c.command);
        EXPECT_EQ(boxes.answered(), 1u);
        EXPECT_EQ(boxes.unexpected, 0u);
    }
    EXPECT_EQ(Kadmi_NPage(), c.systemsAfter);
    EXPECT_EQ(Kadmi_PageIndex(Kadmi_GetCurrentPage()), c.loadedAfter);
    EXPECT_EQ(Kadmi_NPart(), 3);
    EXPECT_EQ(MarkedParts(), 3);
    EXPECT_TRUE(Shell_HasLayerParts());
    EXPECT_TRUE(MenuEnabled(IDM_SYSTEM_DELETE));
    EXPECT_TRUE(ProjectUnsaved());
    if (c.command == Command::Copy) {
        EXPECT_EQ(Kadmi_GetStringAtt(0, 1535), loadedName);
    }
    EXPECT_NE(GetWindowTextLengthA(window()), 0);
}

INSTANTIATE_TEST_SUITE_P(Systems, SystemCommandTest, ::testing::ValuesIn(kSystemCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A new system, made by New system or in place of the only one deleted,
// starts in a state its own Object tab accepts: that tab is left at once.
TEST_F(ShellWindowTest, ANewSystemPassesItsObjectPage)
{
    std::string path = TempPath("one.WDF");
    MakeProjectFile(path);
    Start(path.c_str());
    ForEachNewSystem([&] {
        EXPECT_EQ(Kadmi_GetFloatAtt(0, 1317), 50.0f);
        TsBoxAnswerer none(IDOK);
        MainWnd_SelectCalcPage(1);
        MainWnd_SelectCalcPage(0);
        EXPECT_TRUE(none.boxes().empty());
        EXPECT_EQ(CalcTabs_GetFocusedTab(), 0);
    });
}

TEST_F(ShellWindowTest, AnsweringNoToASystemQuestionChangesNothing)
{
    std::string path = TempPath("one.WDF");
    MakeProjectFile(path);
    Start(path.c_str());
    short loaded = Kadmi_GetCurrentPage();
    for (UINT id : {IDM_SYSTEM_NEW, IDM_SYSTEM_COPY, IDM_SYSTEM_DELETE}) {
        ScriptedBoxes boxes({{IDNO, ""}});
        SendMessageA(window(), WM_COMMAND, id, 0);
        EXPECT_EQ(boxes.answered(), 1u);
    }
    EXPECT_EQ(Kadmi_NPage(), 1);
    EXPECT_EQ(Kadmi_GetCurrentPage(), loaded);
    EXPECT_FALSE(ProjectUnsaved());
}

// A copy that cannot be stored (memory runs out) is reported, and the system
// that was to be copied stays loaded with its parts and its commands.
TEST_F(ShellWindowTest, FailedCopyIsReportedAndTheCopiedSystemStays)
{
    std::string path = TempPath("copied.WDF");
    MakeProjectFile(path);
    Start(path.c_str());
    short loaded = Kadmi_GetCurrentPage();
    short systems = Kadmi_NPage();

    // The new page is made; the copy's parts on it are refused.
    char newParts[16];
    std::snprintf(newParts, sizeof newParts, "P%03dP", Kadmi_IthPage(short(systems - 1)) + 1);
    ddq_test_refuse(newParts);
    ScriptedBoxes boxes({{IDYES, ""}, {IDOK, ""}});
    SendMessageA(window(), WM_COMMAND, IDM_SYSTEM_COPY, 0);
    ddq_test_refuse(nullptr);
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[1], Shell_Text(45166));
    EXPECT_EQ(Kadmi_GetCurrentPage(), loaded);
    EXPECT_EQ(Kadmi_NPage(), systems) << "the empty page went again";
    EXPECT_TRUE(Shell_HasLayerParts());
    EXPECT_TRUE(MenuEnabled(IDM_SYSTEM_COPY));
    EXPECT_TRUE(SelectorEnabled());
}

} // namespace
