// Menus built at run time from a table of rows, so that every caption comes
// in the current interface language and the recent files are listed.
#pragma once
#include <windows.h>
#include <cstdint>

enum MenuRowType : uint32_t {
    MenuRow_Item = 0,
    MenuRow_Stop = 4,
    MenuRow_Popup = 0x10,
    MenuRow_Separator = 0x800,
    MenuRow_PopupEnd = 0x40000001,
    MenuRow_End = 0x40000002,
    MenuRow_RecentFiles = 0x40000003,
};

enum MenuRowState : uint32_t {
    MenuState_Grayed = 1,
    MenuState_Checked = 2,
    MenuState_Hidden = 4,
};

// One row of a menu table.
struct MenuEntry {
    uint32_t type;
    uint32_t id;         // command id; for the recent-file slot the first item's id
    uint32_t textId;     // language text of the caption, used when literal is null
    const char* literal;
    uint32_t state;
};

// Error values of a build: a stop row, a table ending inside a pop-up, and
// items that could not be inserted.
enum MenuBuildError : int {
    MenuError_None = 0,
    MenuError_Stop = 1,
    MenuError_UnclosedPopup = -1,
    MenuError_Popup = -2,
    MenuError_Separator = -3,
    MenuError_Item = -4,
};

// The main window's menu table.
extern const MenuEntry g_mainMenuTable[];

// Builds a menu from table, captions from the text handle. Null for a null
// table or a table with no rows before its end. A failure shows "Error %d"
// and returns what was built so far; *error (when given) receives the value.
HMENU Menu_Create(short textHandle, const MenuEntry* table, int* error = nullptr);
// Builds the menu and, when one was built, sets it on window in place of the
// old one (destroyed). 1 when a new menu was set, 0 otherwise.
int Menu_Rebuild(HWND window, short textHandle, const MenuEntry* table);
