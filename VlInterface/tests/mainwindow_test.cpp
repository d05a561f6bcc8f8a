// The main window beyond the file commands: the system selector, a language
// change reaching menu and states, help, the about box and its start-up
// switch, ending the Windows session, and the modeless dialog list.
#include "VlInterface/dialogs/dialogs.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/tests/window_fixture.h"
#include "VlInterface/workspace/calctabs.h"
#include "VlInterface/workspace/page_target_ids.h"
#include "Kadmi/kadmi.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/app.h"
#include "support/dlgutil.h"
#include "support/paths.h"
#include "testsupport/testsupport.h"
#include <commctrl.h>
#include <cstring>
#include <functional>
#include <string>

namespace {

class MainWindowTest : public ShellWindowTest {
protected:
    // A project with a named first system (three layer parts) and an
    // unnamed second one without parts.
    std::string MakeTwoSystemProject()
    {
        std::string path = TempPath("two.WDF");
        MakeProjectFile(path);
        EXPECT_EQ(Kadmi_OpenDatabasefile(path.c_str()), 0);
        short second = Kadmi_CreatePage();
        EXPECT_GT(second, 0);
        Kadmi_LoadPage(second);
        Kadmi_SavePage();
        EXPECT_EQ(Kadmi_SaveDatabasefile(), 0);
        Kadmi_CloseDatabasefile(0);
        return path;
    }

    // Three copies of a calculated pipe system, named "Line 1" to "Line 3".
    void StartOnThreeSystems()
    {
        std::string path = TempPath("three.WDF");
        MakePipeProjectFile(path, 11);
        EXPECT_EQ(Kadmi_OpenDatabasefile(path.c_str()), 0);
        for (short i = 0; i < 3; ++i) {
            short page = i == 0 ? Kadmi_IthPage(0) : Kadmi_CreatePage();
            if (i > 0)
                Kadmi_PageCopy(page, Kadmi_IthPage(0));
            Kadmi_LoadPage(page);
            Kadmi_SetStringAtt(0, 1535, ("Line " + std::to_string(i + 1)).c_str());
            Kadmi_SavePage();
        }
        EXPECT_EQ(Kadmi_SaveDatabasefile(), 0);
        Kadmi_CloseDatabasefile(0);
        Start(path.c_str());
    }

    static int LoadedIndex() { return Kadmi_PageIndex(Kadmi_GetCurrentPage()); }
};

TEST_F(MainWindowTest, SelectorListsSystemsAndSwitchesTheLoadedOne)
{
    std::string path = MakeTwoSystemProject();
    Start(path.c_str());
    HWND selector = GetDlgItem(window(), IDC_SYSTEM_COMBO);
    ASSERT_EQ(SendMessageA(selector, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(Ts_ComboSelectedText(window(), IDC_SYSTEM_COMBO), "1: Steam line");
    short first = Kadmi_GetCurrentPage();
    ChooseSystem(0);   // the loaded one: nothing happens
    EXPECT_EQ(Kadmi_GetCurrentPage(), first);
    ChooseSystem(1);
    EXPECT_NE(Kadmi_GetCurrentPage(), first);
    EXPECT_EQ(Ts_ComboSelectedText(window(), IDC_SYSTEM_COMBO), "2: ---");
    // The second system has no layer parts: the project commands go grey,
    // and the toolbar buttons are disabled, not only drawn grey.
    EXPECT_FALSE(Shell_HasLayerParts());
    EXPECT_FALSE(MenuEnabled(IDM_SYSTEM_COPY));
    EXPECT_FALSE(ButtonEnabled(IDM_FILE_SAVE));
}

// From every tab, unless the open page refuses to be left: then its range
// message shows, the field has the focus and the system stays.
TEST_F(MainWindowTest, SelectorSwitchesSystemsFromEveryTab)
{
    StartOnThreeSystems();
    for (int tab = 0; tab < 5; ++tab) {
        SCOPED_TRACE(tab);
        CalcTabs_SelectPage(tab);
        ASSERT_EQ(CalcTabs_GetFocusedTab(), tab);
        int next = (LoadedIndex() + 1) % 3;
        ChooseSystem(next);
        EXPECT_EQ(LoadedIndex(), next);
        const std::string number = std::to_string(next + 1);
        EXPECT_EQ(Ts_ComboSelectedText(window(), IDC_SYSTEM_COMBO), number + ": Line " + number);
    }
    CalcTabs_SelectPage(1);
    HWND page = CalcTabs_OpenPageWindow();
    Dlg_SetItemText(page, IDC_TG_PIPE_DIAMETER, "5");   // below its range
    ScriptedBoxes boxes({{IDOK, ""}});
    ChooseSystem(0);
    EXPECT_EQ(boxes.answered(), 1u);
    EXPECT_EQ(LoadedIndex(), 2);
    EXPECT_EQ(Ts_ComboSelectedText(window(), IDC_SYSTEM_COMBO), "3: Line 3");
    EXPECT_EQ(GetFocus(), GetDlgItem(page, IDC_TG_PIPE_DIAMETER));
}

// Each tab change and each system switch shows the page once: a second -200
// loads and fills the whole page again.
TEST_F(MainWindowTest, OneShowNoticePerTabChangeAndSystemSwitch)
{
    StartOnThreeSystems();
    HWND tabs = GetDlgItem(window(), IDC_CALC_TABS);
    struct Step {
        const char* name;
        std::function<void()> act;
    };
    const Step steps[] = {
        {"tab by command", [] { CalcTabs_SelectPage(1); }},
        {"tab by click", [&] { SendMessageA(tabs, TCM_SETCURFOCUS, 2, 0); }},
        {"system switch from a later tab", [&] { ChooseSystem(1); }},
        {"system switch from the first tab", [&] { ChooseSystem(2); }},
    };
    for (const Step& step : steps) {
        const uint32_t before = CalcTabs_ShowNoticeCount();
        step.act();
        EXPECT_EQ(CalcTabs_ShowNoticeCount() - before, 1u) << step.name;
    }
}

// Escape and a selector shrunk to its field give the keys back; the language
// command (no menu row sends it) reopens the tab it left.
TEST_F(MainWindowTest, SelectorEscapeAndTheLanguageCommand)
{
    StartOnThreeSystems();
    HWND selector = GetDlgItem(window(), IDC_SYSTEM_COMBO);
    SetFocus(selector);
    SendMessageA(selector, WM_CHAR, VK_ESCAPE, 0);
    EXPECT_EQ(GetFocus(), window());
    SetFocus(selector);
    SetWindowPos(selector, nullptr, 0, 0, 224, 8, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(GetFocus(), window());
    CalcTabs_SelectPage(2);
    HWND before = CalcTabs_OpenPageWindow();
    ScriptedBoxes boxes({{IDCANCEL, ""}});
    SendMessageA(window(), WM_COMMAND, IDM_LANGUAGE, 0);
    EXPECT_EQ(boxes.answered(), 1u);
    EXPECT_EQ(CalcTabs_GetFocusedTab(), 2);
    EXPECT_NE(CalcTabs_OpenPageWindow(), before);   // opened again
}

// Each command that closes or rebuilds the pages has the open page store what
// was typed first: the page shows it again, whether the command did its work,
// was cancelled or failed.
TEST_F(MainWindowTest, TypedInputOutlivesEveryCommandThatRebuildsThePages)
{
    StartOnThreeSystems();
    std::string damaged = TempPath("empty.WDF");
    CloseHandle(CreateFileA(damaged.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    PresetString("Recent File List", "File2", TempPath("gone.WDF"));
    PresetString("Recent File List", "File3", damaged);
    const struct {
        const char* name;
        UINT command;
        int answer;   // of the one box the command shows, 0 none
        int tab, field;
    } rows[] = {
        {"settings, OK", IDM_SETTINGS, IDOK, 0, IDC_PI_PROJECT},
        {"settings, OK, on the object page", IDM_SETTINGS, IDOK, 1, IDC_TG_DESCRIPTION},
        {"settings, cancelled", IDM_SETTINGS, IDCANCEL, 0, IDC_PI_PROJECT},
        {"language command, cancelled", IDM_LANGUAGE, IDCANCEL, 0, IDC_PI_PROJECT},
        {"weather data", IDM_WEATHER_DATA, IDOK, 0, IDC_PI_PROJECT},
        {"user insulation data", IDM_USER_INSULATION, IDOK, 1, IDC_TG_DESCRIPTION},
        {"recent file that is gone", IDM_RECENT_FIRST + 1, IDOK, 0, IDC_PI_PROJECT},
        {"recent file that is damaged", IDM_RECENT_FIRST + 2, IDOK, 0, IDC_PI_PROJECT},
        {"save", IDM_FILE_SAVE, 0, 0, IDC_PI_PROJECT},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CalcTabs_SelectPage(row.tab);
        const std::string typed = std::string("Typed before ") + row.name;
        Dlg_SetItemText(CalcTabs_OpenPageWindow(), row.field, typed.c_str());
        ScriptedBoxes boxes(row.answer ? std::vector<BoxAnswer>{{row.answer, ""}} : std::vector<BoxAnswer>{});
        SendMessageA(window(), WM_COMMAND, row.command, 0);
        EXPECT_EQ(boxes.answered(), row.answer ? 1u : 0u);
        EXPECT_EQ(boxes.unexpected, 0u);
        if (CalcTabs_GetFocusedTab() != row.tab)
            CalcTabs_SelectPage(row.tab);
        EXPECT_EQ(Ts_ControlText(CalcTabs_OpenPageWindow(), row.field), typed);
    }
}

TEST_F(MainWindowTest, ToolbarShowsNoRowBesideTheSelector)
{
    Start();
    HWND toolbar = GetDlgItem(window(), IDC_TOOLBAR);
    ASSERT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 39);
    RECT selector{};
    GetWindowRect(GetDlgItem(window(), IDC_SYSTEM_COMBO), &selector);
    MapWindowPoints(nullptr, toolbar, reinterpret_cast<POINT*>(&selector), 2);
    for (int row = 0; row < 39; ++row) {
        TBBUTTON button{};
        RECT item{};
        SendMessageA(toolbar, TB_GETBUTTON, row, reinterpret_cast<LPARAM>(&button));
        SendMessageA(toolbar, TB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item));
        if (!(button.fsState & TBSTATE_HIDDEN)) {
            EXPECT_LE(item.right, selector.right) << "row " << row;
        }
    }
}

TEST_F(MainWindowTest, LanguageChangeReachesMenuAndKeepsCommandStates)
{
    Start();
    ASSERT_EQ(TextAPI_SetLanguage(Shell().textHandle, 1514), 0);
    MainWnd_RebuildMenu(window());
    char caption[64] = {};
    GetMenuStringA(GetMenu(window()), 0, caption, sizeof(caption), MF_BYPOSITION);
    EXPECT_STREQ(caption, TextAPI_GetText(Shell().textHandle, 9164));
    EXPECT_STRNE(caption, "&File");
    EXPECT_FALSE(MenuEnabled(IDM_FILE_SAVE));   // states applied again after the rebuild
    EXPECT_FALSE(MenuEnabled(IDM_SYSTEM_NEW));
    MainWnd_UpdateTitle();
    EXPECT_EQ(Ts_WindowText(window()), std::string(Shell().title) + " - Noname");
}

TEST_F(MainWindowTest, F1OpensHelpAtTheCurrentContext)
{
    Start();
    std::snprintf(Shell().helpPath, sizeof(Shell().helpPath), "%s", (Path_ModuleFolder(GetModuleHandleA("Lexmo100.dll")) + "Varmelin_en.hlp").c_str());
    Shell().helpContext = 5;
    SendMessageA(window(), WM_COMMAND, IDM_HELP_CONTENTS, 0);
    HWND help = Ts_FindWindow("VlHelpWindow", nullptr);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(Ts_WindowText(help), "Varmelin Help - Insulation calculation");
    // The keys are in the topic list; Tab reaches the text, Escape closes.
    HWND list = GetDlgItem(help, 1), text = GetDlgItem(help, 2);
    EXPECT_EQ(GetFocus(), list);
    SendMessageA(list, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), text);
    SendMessageA(text, WM_KEYDOWN, VK_ESCAPE, 0);
    Ts_PumpMessages();
    EXPECT_FALSE(IsWindow(help));
    if (IsWindow(help))
        DestroyWindow(help);
}

TEST_F(MainWindowTest, HelpFollowsTheOpenPageOnceThePrintDialogCloses)
{
    Start(MakeTwoSystemProject().c_str());
    const int32_t pageContext = Shell().helpContext;
    TsUiScript script({[] {
        HWND page = PropSheet_OpenPage();
        if (!page)
            return false;
        while (PropSheet_GoToPage(SheetCode_NextPage) == 1) {}   // each page names its own topic
        PostMessageA(GetParent(PropSheet_OpenPage()), WM_COMMAND, IDCANCEL, 0);
        return true;
    }});
    SendMessageA(window(), WM_COMMAND, IDM_FILE_PRINT, 0);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(Shell().helpContext, pageContext);
}

TEST_F(MainWindowTest, AboutBoxShowsVersionAndKeepsTheStartSwitch)
{
    Start();
    struct Case {
        const char* name;
        int button;
        bool uncheck;
        std::string stored;   // "General\DontShowAboutHelpOnStart" afterwards, "" untouched
    } const cases[] = {
        {"OK with the box checked", IDOK, false, "0"},
        {"OK with the box unchecked", IDOK, true, "1"},
        {"closed: nothing written", IDCANCEL, true, ""},
    };
    for (const Case& c : cases) {
        HKEY key = nullptr;
        RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Velmo\\Varmelin\\Any version\\General", 0, KEY_SET_VALUE, &key);
        RegDeleteValueA(key, "DontShowAboutHelpOnStart");
        RegCloseKey(key);
        std::string version;
        TsBoxAnswerer box(c.button, nullptr, [&](HWND dialog) {
            version = Ts_ControlText(dialog, IDC_ABOUT_VERSION);
            EXPECT_TRUE(Ts_IsChecked(dialog, IDC_ABOUT_SHOWSTART)) << c.name;
            if (c.uncheck)
                CheckDlgButton(dialog, IDC_ABOUT_SHOWSTART, BST_UNCHECKED);
        });
        EXPECT_EQ(AboutBox_Show(window(), false), c.button) << c.name;
        EXPECT_EQ(version, std::string(Shell_Text(Text_AppName2)) + " Not available") << c.name;
        DWORD value = 0, size = sizeof(value);
        bool present = RegGetValueA(HKEY_CURRENT_USER, "Software\\Velmo\\Varmelin\\Any version\\General",
                                    "DontShowAboutHelpOnStart", RRF_RT_REG_DWORD, nullptr, &value, &size) ==
                       ERROR_SUCCESS;
        EXPECT_EQ(present ? std::to_string(value) : "", c.stored) << c.name;
    }
    PresetInt("General", "DontShowAboutHelpOnStart", 5);
    EXPECT_EQ(AboutBox_Show(window(), true), 0);   // switched off: not shown at start
}

TEST_F(MainWindowTest, EndingTheSessionAsksAndCleansUp)
{
    std::string path = TempPath("session.WDF");
    MakeProjectFile(path);
    Start(path.c_str());
    MakeProjectUnsaved();
    {
        ScriptedBoxes boxes({{IDCANCEL, ""}});
        EXPECT_EQ(SendMessageA(window(), WM_QUERYENDSESSION, 0, 0), FALSE);
        EXPECT_EQ(boxes.answered(), 1u);
    }
    {
        ScriptedBoxes boxes({{IDNO, ""}});
        EXPECT_EQ(SendMessageA(window(), WM_QUERYENDSESSION, 0, 0), TRUE);
    }
    std::string temp = Shell().tempFile;
    SendMessageA(window(), WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(Project_IsOpen());
    EXPECT_EQ(GetFileAttributesA(temp.c_str()), INVALID_FILE_ATTRIBUTES);
    // The in-use mark went with the close: the file opens without the question.
    EXPECT_EQ(Kadmi_OpenDatabasefile2(path.c_str(), "caption", "question"), 0);
    Kadmi_CloseDatabasefile(0);
}

TEST_F(MainWindowTest, StatusBarShowsTheToggledKeys)
{
    Start();
    HWND bar = GetDlgItem(window(), IDC_STATUSBAR);
    int edges[4] = {};
    ASSERT_EQ(SendMessageA(bar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 4);
    RECT client;
    GetClientRect(window(), &client);
    EXPECT_EQ(edges[3], client.right - 20);
    EXPECT_LT(edges[0], edges[1]);
    BYTE keys[256];
    GetKeyboardState(keys);
    BYTE saved[256];
    memcpy(saved, keys, sizeof(saved));
    auto partText = [&](int part) {
        char text[32] = {};
        SendMessageA(bar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
        return std::string(text);
    };
    keys[VK_CAPITAL] = 1;
    keys[VK_NUMLOCK] = 0;
    keys[VK_SCROLL] = 1;
    SetKeyboardState(keys);
    SendMessageA(window(), WM_TIMER, IDT_KEY_STATES, 0);
    EXPECT_EQ(partText(1), "\tCAP");
    EXPECT_EQ(partText(2), "");
    EXPECT_EQ(partText(3), "\tSCRL");
    keys[VK_CAPITAL] = 0;
    SetKeyboardState(keys);
    SendMessageA(window(), WM_TIMER, IDT_KEY_STATES, 0);
    EXPECT_EQ(partText(1), "");
    SetKeyboardState(saved);
}

TEST(ModelessList, ServesUpToAThousandDialogs)
{
    Shell() = ShellGlobals{};
    HWND some = reinterpret_cast<HWND>(0x1000);
    EXPECT_EQ(ModelessDlg_Add(nullptr), 0);
    for (int i = 0; i < kModelessSlots; ++i)
        ASSERT_EQ(ModelessDlg_Add(reinterpret_cast<HWND>(0x1000 + 4 * i)), 1) << i;
    EXPECT_EQ(ModelessDlg_Add(reinterpret_cast<HWND>(0x9999)), 0);
    EXPECT_EQ(ModelessDlg_Remove(some), 1);
    EXPECT_EQ(ModelessDlg_Remove(some), 0);
    EXPECT_EQ(ModelessDlg_Add(reinterpret_cast<HWND>(0x9999)), 1);   // the freed slot
    EXPECT_EQ(Shell().modeless[0], reinterpret_cast<HWND>(0x9999));
    Shell() = ShellGlobals{};
}

} // namespace
