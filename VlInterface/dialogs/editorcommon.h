// What the two data editors share: the in-use mark of their database, the
// list view they show their records in, and the search for a free number.
#pragma once
#include <windows.h>
#include "VlTechDatabase/vltechdb.h"
#include <cstdint>
#include <initializer_list>

// The open and close pair of an editable database.
struct EditorDatabase {
    TechDbHandle(__stdcall* open)(int write);
    TechDbHandle(__stdcall* close)(int write);
};
extern const EditorDatabase kOtherInsulationDb;
extern const EditorDatabase kWeatherDb;

enum class EditorMark { Held, ReadOnly, Cancelled };

// Takes the in-use mark of the database. When another editor holds it the
// user is asked (the four texts of question): Yes takes it over, No goes on
// read-only, Cancel closes. A mark that cannot be set is told with
// failedText and gives read-only. The database is closed again in every case.
EditorMark EditorMark_Take(HWND dialog, const EditorDatabase& db, const uint16_t (&question)[4],
                           uint16_t failedText);
// Takes the mark as the editor opens: false when the user cancelled (the
// dialog has then been ended with 1); *held tells whether it may edit.
bool EditorMark_OnOpen(HWND dialog, const EditorDatabase& db, const uint16_t (&question)[4], uint16_t failedText,
                       bool* held);
// Removes the mark (call only when this editor holds it).
void EditorMark_Release(const EditorDatabase& db);
// The mark as stored: 1 when held by an editor.
short EditorMark_Read(const EditorDatabase& db);

// A refusal: text and caption of the module's texts, exclamation icon.
void EditorBox_Refuse(HWND dialog, uint16_t text, uint16_t caption);

// An edit control gaining the focus gets its whole text selected.
void EditorDlg_SelectOnFocus(UINT code, HWND control);

// A list view column: its title's text id (0 untitled) and width.
struct EditorColumn {
    uint16_t textId;
    int width;
};
// Grid lines, full-row selection, draggable headers and the columns.
void EditorList_Setup(HWND list, std::initializer_list<EditorColumn> columns);
void EditorList_AddRow(HWND list, LPARAM data, std::initializer_list<const char*> cells);
// The item data of the first selected row, none when no row is selected.
LPARAM EditorList_Selected(HWND list, LPARAM none);
// Selects the row whose item data is data (none selected when no row has it).
void EditorList_Select(HWND list, LPARAM data);

// The first number from 1 to 999 whose record of the class has no string
// attribute att; 0 when every number is taken.
int EditorDb_FreeNumber(const EditorDatabase& db, const char* recordClass, short att);

// A record key: the number as "%d".
struct EditorKey {
    char text[12];
    explicit EditorKey(int number);
};
