// Builds menus from MenuEntry tables (captions from the language texts, the
// recent files from the settings) and holds the main window's table.
#include "VlInterface/menu.h"
#include "VlInterface/recentlist.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/dlgutil.h"
#include <cstdio>

const MenuEntry g_mainMenuTable[] = {
    {MenuRow_Popup, 0, 9164, nullptr, 0},
    {MenuRow_Item, IDM_FILE_NEW, 9254, nullptr, 0},
    {MenuRow_Item, IDM_FILE_OPEN, 9269, nullptr, 0},
    {MenuRow_Separator, 0, 0, nullptr, 0},
    {MenuRow_Item, IDM_FILE_SAVE, 9341, nullptr, 0},
    {MenuRow_Item, IDM_FILE_SAVEAS, 9343, nullptr, 0},
    {MenuRow_Separator, 0, 0, nullptr, 0},
    {MenuRow_Item, IDM_FILE_PRINT, 20000, nullptr, 0},
    {MenuRow_Separator, 0, 0, nullptr, 0},
    {MenuRow_Item, IDM_FILE_EXIT, 9159, nullptr, 0},
    {MenuRow_RecentFiles, IDM_RECENT_FIRST, 0, nullptr, 0},
    {MenuRow_PopupEnd, 0, 0, nullptr, 0},
    {MenuRow_Popup, 0, 20001, nullptr, 0},
    {MenuRow_Item, IDM_SYSTEM_NEW, 20002, nullptr, 0},
    {MenuRow_Item, IDM_SYSTEM_DELETE, 20003, nullptr, 0},
    {MenuRow_Item, IDM_SYSTEM_COPY, 20004, nullptr, 0},
    {MenuRow_PopupEnd, 0, 0, nullptr, 0},
    {MenuRow_Popup, 0, 20005, nullptr, 0},
    {MenuRow_Item, IDM_WEATHER_DATA, 20006, nullptr, 0},
    {MenuRow_Item, IDM_USER_INSULATION, 20007, nullptr, 0},
    {MenuRow_PopupEnd, 0, 0, nullptr, 0},
    {MenuRow_Popup, 0, 20008, nullptr, 0},
    {MenuRow_Item, IDM_SETTINGS, 20009, nullptr, 0},
    {MenuRow_PopupEnd, 0, 0, nullptr, 0},
    {MenuRow_Popup, 0, 9189, nullptr, 0},
    {MenuRow_Item, IDM_HELP_CONTENTS, 9079, nullptr, 0},
    {MenuRow_Item, IDM_HELP_ABOUT, Text_AboutMenu, nullptr, 0},
    {MenuRow_PopupEnd, 0, 0, nullptr, 0},
    {MenuRow_End, 0, 0, nullptr, 0},
};

namespace {

// State of one build: the rows still to read, the error, the depth of hidden
// pop-ups we are inside.
struct MenuBuild {
    short textHandle;
    const MenuEntry* row;
    int error = MenuError_None;
    int hiddenDepth = 0;
};

const char* Caption(const MenuBuild& build, const MenuEntry& row)
{
    return row.literal ? row.literal : TextAPI_GetText(build.textHandle, static_cast<TextId>(row.textId));
}

bool InsertItem(HMENU menu, UINT flags, UINT_PTR id, const char* caption, ULONG_PTR data)
{
    MENUITEMINFOW item{};
    item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | (flags & MFT_SEPARATOR ? 0 : MIIM_STRING);
    item.fType = flags & MFT_SEPARATOR;
    item.fState = flags & (MFS_GRAYED | MFS_CHECKED);
    item.wID = static_cast<UINT>(id);
    item.dwItemData = data;
    return Menu_AppendItem(menu, item, caption);
}

void EnsureMenu(HMENU& menu, bool popup)
{
    if (!menu)
        menu = popup ? CreatePopupMenu() : CreateMenu();
}

void AddRecentFiles(MenuBuild& build, HMENU menu, const MenuEntry& row)
{
    for (int i = 1; i <= kRecentFileCount && build.error == MenuError_None; ++i) {
        std::string name = RecentFiles_Read(i);
        if (name.empty())
            return;
        if (i == 1 && !InsertItem(menu, MFT_SEPARATOR, 0, nullptr, 0)) {
            build.error = MenuError_Separator;
            return;
        }
        std::string caption = RecentList_MenuCaption(i, name);
        UINT id = row.id + i - 1;
        if (!InsertItem(menu, 0, id, caption.c_str(), id))
            build.error = MenuError_Item;
    }
}

HMENU BuildRows(MenuBuild& build, bool popup);

void AddPopup(MenuBuild& build, HMENU& parent, bool parentIsPopup, const MenuEntry& row)
{
    bool enteredHidden = build.hiddenDepth > 0 || (row.state & MenuState_Hidden);
    if (enteredHidden)
        ++build.hiddenDepth;
    EnsureMenu(parent, parentIsPopup);
    HMENU sub = BuildRows(build, true);
    if (build.error == MenuError_None && build.row->type != MenuRow_PopupEnd)
        build.error = MenuError_UnclosedPopup;
    bool hidden = build.hiddenDepth > 0;
    if (build.error == MenuError_None && !hidden) {
        MENUITEMINFOW item{};
        item.fMask = MIIM_STRING | MIIM_SUBMENU | MIIM_STATE;
        item.fState = row.state & (MFS_GRAYED | MFS_CHECKED);
        item.hSubMenu = sub ? sub : CreatePopupMenu();
        if (!Menu_AppendItem(parent, item, Caption(build, row))) {
            DestroyMenu(item.hSubMenu);
            build.error = MenuError_Popup;
        }
    } else if (sub) {
        DestroyMenu(sub);
    }
    if (enteredHidden)
        --build.hiddenDepth;
    if (build.error == MenuError_None)
        ++build.row;   // past the pop-up end row
}

// Builds the rows from build.row into a new menu until the end of the
// current pop-up (or of the table). build.row is left on the row that ended it.
HMENU BuildRows(MenuBuild& build, bool popup)
{
    HMENU menu = nullptr;
    while (build.error == MenuError_None) {
        const MenuEntry& row = *build.row;
        if (row.type == MenuRow_End || row.type == MenuRow_PopupEnd)
            break;
        ++build.row;
        bool hidden = build.hiddenDepth > 0 || (row.state & MenuState_Hidden);
        if (row.type == MenuRow_Popup) {
            AddPopup(build, menu, popup, row);
            continue;
        }
        EnsureMenu(menu, popup);
        if (row.type == MenuRow_Stop) {
            build.error = MenuError_Stop;
        } else if (row.type == MenuRow_Separator) {
            if (!hidden && !InsertItem(menu, MFT_SEPARATOR, 0, nullptr, 0))
                build.error = MenuError_Separator;
        } else if (row.type == MenuRow_RecentFiles) {
            if (!hidden)
                AddRecentFiles(build, menu, row);
        } else if (!hidden) {
            UINT flags = (row.state & MenuState_Grayed ? MFS_GRAYED : 0) | (row.state & MenuState_Checked ? MFS_CHECKED : 0);
            if (!InsertItem(menu, flags, row.id, Caption(build, row), row.id))
                build.error = MenuError_Item;
        }
    }
    return menu;
}

} // namespace

HMENU Menu_Create(short textHandle, const MenuEntry* table, int* error)
{
    if (error)
        *error = MenuError_None;
    if (!table)
        return nullptr;
    MenuBuild build{textHandle, table};
    HMENU menu = BuildRows(build, false);
    if (build.error == MenuError_None && build.row->type == MenuRow_PopupEnd)
        build.error = MenuError_UnclosedPopup;   // a pop-up end with no pop-up open
    if (build.error != MenuError_None) {
        char text[32];
        std::snprintf(text, sizeof(text), "Error %d", build.error);
        Wnd_MessageBox(nullptr, text, "Menu_Create"
, MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
    }
    if (error)
        *error = build.error;
    return menu;
}

int Menu_Rebuild(HWND window, short textHandle, const MenuEntry* table)
{
    HMENU menu = Menu_Create(textHandle, table);
    if (!menu)
        return 0;
    HMENU old = GetMenu(window);
    SetMenu(window, menu);
    if (old)
        DestroyMenu(old);
    return 1;
}
