// The system commands on projects of one and three systems: which system is
// loaded afterwards, that every new system has its marked layer parts, that
// the project counts as changed, and that No changes nothing; and the system
// selector of thirty systems through a rename and the commands.
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/tests/window_fixture.h"
#include "VlInterface/workspace/calctabs.h"
#include "VlInterface/workspace/page_target_ids.h"
#include "Kadmi/kadmi.h"
#include "testsupport/testsupport.h"
#include "support/dlgutil.h"
#include <cstdio>
#include <functional>
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

class SystemsTest : public ShellWindowTest {
protected:
    // A project of count pipe systems that their pages accept, each with three
    // marked layer parts and the description "System <n>".
    std::string MakeProject(int count)
    {
        std::string path = TempPath("systems.WDF");
        MakePipeProjectFile(path, 11);
        EXPECT_EQ(Kadmi_OpenDatabasefile(path.c_str()), 0);
        const short first = Kadmi_IthPage(0);
        for (int i = 1; i <= count; ++i) {
            short page = i == 1 ? first : Kadmi_CreatePage();
            if (i > 1)
                Kadmi_PageCopy(page, first);
            Kadmi_LoadPage(page);
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
};

class SystemCommandTest : public SystemsTest, public ::testing::WithParamInterface<SystemCase> {
protected:
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
    Kadmi_AdvanceStampClock(1);   // stamps count in seconds: the change must come after the open
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

// The selector's items, in order.
std::vector<std::string> SelectorItems(HWND selector)
{
    std::vector<std::string> items;
    const int count = static_cast<int>(SendMessageA(selector, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::vector<char> text(static_cast<size_t>(SendMessageA(selector, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
        SendMessageA(selector, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        items.push_back(text.data());
    }
    return items;
}

// The selector kept current by a rename and the system commands lists what
// reading every system afresh lists, shows the loaded system, and its first
// and last items choose the project's first and last systems.
TEST_F(SystemsTest, SelectorFollowsRenameNewCopyAndDelete)
{
    Start(MakeProject(30).c_str());
    HWND selector = GetDlgItem(window(), IDC_SYSTEM_COMBO);
    const struct {
        const char* step;
        std::function<void()> act;
        int loaded;   // position of the loaded system afterwards
        const char* item;   // its item
    } steps[] = {
        {"rename",
         [&] {
             ChooseSystem(11);
             MainWnd_SelectCalcPage(1);
             Dlg_SetItemText(CalcTabs_OpenPageWindow(), IDC_TG_DESCRIPTION, "Feed water");
             MainWnd_SelectCalcPage(0);
         },
         11, "12: Feed water"},
        {"new", [&] { Run(Command::New); }, 30, "31: ---"},
        {"copy", [&] { ChooseSystem(11); Run(Command::Copy); }, 31, "32: Feed water"},
        {"delete", [&] { ChooseSystem(4); Run(Command::Delete); }, 3, "4: System 4"},
        {"delete the first", [&] { ChooseSystem(0); Run(Command::Delete); }, 0, "1: System 2"},
        {"delete the last", [&] { ChooseSystem(29); Run(Command::Delete); }, 28, "29: ---"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        ScriptedBoxes questions({{IDYES, ""}});
        step.act();
        const std::vector<std::string> kept = SelectorItems(selector);
        MainWnd_RefillSystemCombo();
        EXPECT_EQ(kept, SelectorItems(selector));
        EXPECT_EQ(Ts_ComboSelection(window(), IDC_SYSTEM_COMBO), step.loaded);
        EXPECT_EQ(Ts_ComboSelectedText(window(), IDC_SYSTEM_COMBO), step.item);
        EXPECT_EQ(Kadmi_PageIndex(Kadmi_GetCurrentPage()), step.loaded);
        for (const int end : {0, Kadmi_NPage() - 1}) {
            ChooseSystem(end);
            EXPECT_EQ(Kadmi_GetCurrentPage(), Kadmi_IthPage(short(end))) << end;
        }
    }
    EXPECT_EQ(SelectorItems(selector)[3], "4: System 6");
}

// Once number 998 is taken, New system takes the lowest free number, listed
// in its place and without the print mark a deleted system left on it.
TEST_F(SystemsTest, NewSystemAfter998TakesTheLowestFreeNumberUnmarked)
{
    const std::string path = MakeProject(3);
    ASSERT_EQ(Kadmi_OpenDatabasefile(path.c_str()), 0);
    const short first = Kadmi_IthPage(0), deleted = Kadmi_IthPage(1);
    ASSERT_EQ(Kadmi_PageCopy(998, first), 0);
    ASSERT_EQ(Kadmi_DeletePage(deleted), 0);
    ASSERT_EQ(Kadmi_LoadPage(first), 0);
    const int16_t marked[] = {deleted, 998};
    ASSERT_EQ(Kadmi_SetAtt(-1, 1116, 2, marked), 0);
    ASSERT_EQ(Kadmi_SavePage(), 0);
    ASSERT_EQ(Kadmi_SaveDatabasefile(), 0);
    Kadmi_CloseDatabasefile(0);
    Start(path.c_str());
    {
        ScriptedBoxes question({{IDYES, ""}});
        Run(Command::New);
        EXPECT_EQ(question.unexpected, 0u);
    }
    EXPECT_EQ(Kadmi_GetCurrentPage(), deleted);
    EXPECT_EQ(Kadmi_NPage(), 4);
    EXPECT_EQ(Ts_ComboSelection(window(), IDC_SYSTEM_COMBO), 1);
    short count = 0;
    int16_t pages[4] = {};
    ASSERT_NE(Kadmi_GetAtt(-1, 1116, &count, pages, sizeof pages), nullptr);
    EXPECT_EQ(std::vector<int16_t>(pages, pages + count), std::vector<int16_t>{998});
}

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
