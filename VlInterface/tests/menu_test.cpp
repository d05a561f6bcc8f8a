// Menus built from tables: the main menu's shape, the recent-file slot, hidden
// rows and pop-ups, and tables that give no menu.
#include "VlInterface/menu.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/tests/shell_fixture.h"
#include "testsupport/testsupport.h"

namespace {

class MenuTest : public ShellTest {};

std::string ItemText(HMENU menu, int position)
{
    char text[300] = {};
    GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
    return text;
}

bool IsSeparator(HMENU menu, int position)
{
    return (GetMenuState(menu, position, MF_BYPOSITION) & MF_SEPARATOR) != 0;
}

HMENU FileMenu(HMENU menu)
{
    return GetSubMenu(menu, 0);
}

TEST_F(MenuTest, MainMenuHasFivePopupsWithTheirCommands)
{
    int error = 99;
    HMENU menu = Menu_Create(Shell().textHandle, g_mainMenuTable, &error);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(error, MenuError_None);
    EXPECT_EQ(GetMenuItemCount(menu), 5);
    const UINT fileIds[] = {IDM_FILE_NEW, IDM_FILE_OPEN, 0, IDM_FILE_SAVE, IDM_FILE_SAVEAS, 0, IDM_FILE_PRINT, 0,
                            IDM_FILE_EXIT};
    HMENU file = FileMenu(menu);
    ASSERT_EQ(GetMenuItemCount(file), 9);   // no recent files: no separator below Exit
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(fileIds[i] ? GetMenuItemID(file, i) : 0u, fileIds[i]) << "file menu position " << i;
    EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 1), 2), static_cast<UINT>(IDM_SYSTEM_COPY));
    EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 4), 1), static_cast<UINT>(IDM_HELP_ABOUT));
    DestroyMenu(menu);
}

TEST_F(MenuTest, RecentFilesFollowASeparatorUpToTheFirstGap)
{
    SetRecent(1, "C:\\a.WDF");
    SetRecent(2, "C:\\b.WDF");
    SetRecent(4, "C:\\d.WDF");
    HMENU menu = Menu_Create(Shell().textHandle, g_mainMenuTable);
    HMENU file = FileMenu(menu);
    ASSERT_EQ(GetMenuItemCount(file), 12);
    EXPECT_TRUE(IsSeparator(file, 9));
    EXPECT_EQ(GetMenuItemID(file, 10), static_cast<UINT>(IDM_RECENT_FIRST));
    EXPECT_EQ(ItemText(file, 10), "&1 : C:\\a.WDF");
    EXPECT_EQ(GetMenuItemID(file, 11), static_cast<UINT>(IDM_RECENT_FIRST + 1));
    EXPECT_EQ(ItemText(file, 11), "&2 : C:\\b.WDF");
    DestroyMenu(menu);
}

TEST_F(MenuTest, RowsTakeLiteralsStatesAndHiding)
{
    const MenuEntry table[] = {
        {MenuRow_Popup, 0, 0, "&One", 0},
        {MenuRow_Item, 11, 0, "Grey", MenuState_Grayed},
        {MenuRow_Item, 12, 0, "Ticked", MenuState_Checked},
        {MenuRow_Item, 13, 0, "Hidden", MenuState_Hidden},
        {MenuRow_Separator, 0, 0, nullptr, MenuState_Hidden},
        {MenuRow_PopupEnd, 0, 0, nullptr, 0},
        {MenuRow_Popup, 0, 0, "&Gone", MenuState_Hidden},
        {MenuRow_Item, 21, 0, "Inside hidden", 0},
        {MenuRow_Popup, 0, 0, "Nested", 0},
        {MenuRow_Item, 22, 0, "Deeper", 0},
        {MenuRow_PopupEnd, 0, 0, nullptr, 0},
        {MenuRow_PopupEnd, 0, 0, nullptr, 0},
        {MenuRow_Popup, 0, 0, "&Two", 0},
        {MenuRow_Item, 31, 0, "Last", 0},
        {MenuRow_PopupEnd, 0, 0, nullptr, 0},
        {MenuRow_End, 0, 0, nullptr, 0},
    };
    int error = 99;
    HMENU menu = Menu_Create(Shell().textHandle, table, &error);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(error, MenuError_None);
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    EXPECT_EQ(ItemText(menu, 1), "&Two");
    HMENU one = GetSubMenu(menu, 0);
    ASSERT_EQ(GetMenuItemCount(one), 2);
    EXPECT_TRUE(GetMenuState(one, 11, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(one, 12, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 1), 0), 31u);
    DestroyMenu(menu);
}

TEST_F(MenuTest, NoTableOrOnlyTheEndGivesNoMenu)
{
    const MenuEntry endOnly[] = {{MenuRow_End, 0, 0, nullptr, 0}};
    EXPECT_EQ(Menu_Create(Shell().textHandle, nullptr), nullptr);
    EXPECT_EQ(Menu_Create(Shell().textHandle, endOnly), nullptr);
    HWND window = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                  nullptr, nullptr);
    HMENU kept = CreateMenu();
    AppendMenuA(kept, MF_STRING, 1, "Kept");
    SetMenu(window, kept);
    EXPECT_EQ(Menu_Rebuild(window, Shell().textHandle, endOnly), 0);
    EXPECT_EQ(GetMenu(window), kept);
    EXPECT_EQ(Menu_Rebuild(window, Shell().textHandle, g_mainMenuTable), 1);
    EXPECT_NE(GetMenu(window), kept);
    DestroyWindow(window);
}

TEST_F(MenuTest, FaultyTablesReportTheirErrorAndKeepWhatWasBuilt)
{
    const MenuEntry stop[] = {
        {MenuRow_Popup, 0, 0, "&One", 0},
        {MenuRow_Item, 11, 0, "First", 0},
        {MenuRow_Stop, 0, 0, nullptr, 0},
        {MenuRow_Item, 12, 0, "Never", 0},
        {MenuRow_PopupEnd, 0, 0, nullptr, 0},
        {MenuRow_End, 0, 0, nullptr, 0},
    };
    const MenuEntry unclosed[] = {
        {MenuRow_Item, 21, 0, "Top", 0},
        {MenuRow_Popup, 0, 0, "&Open", 0},
        {MenuRow_Item, 22, 0, "Inside", 0},
        {MenuRow_End, 0, 0, nullptr, 0},
    };
    struct Case {
        const char* name;
        const MenuEntry* table;
        int error;
        int topItems;
    } const cases[] = {
        {"a stop row", stop, MenuError_Stop, 0},
        {"the table ends inside a pop-up", unclosed, MenuError_UnclosedPopup, 1},
    };
    for (const Case& c : cases) {
        TsBoxAnswerer box(IDOK, "Menu_Create");
        int error = 0;
        HMENU menu = Menu_Create(Shell().textHandle, c.table, &error);
        EXPECT_EQ(error, c.error) << c.name;
        ASSERT_EQ(box.boxes().size(), 1u) << c.name;
        EXPECT_EQ(box.boxes()[0].text, "Error " + std::to_string(c.error)) << c.name;
        ASSERT_NE(menu, nullptr) << c.name;
        EXPECT_EQ(GetMenuItemCount(menu), c.topItems) << c.name;
        DestroyMenu(menu);
    }
}

} // namespace
