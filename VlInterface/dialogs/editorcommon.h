// What the two data editors share: one dialog procedure that runs the in-use
// mark, closing and help for both, the list view they show their records in,
// the walk over their numbered records, saving with the user told of a
// failure, and the search for a free number.
#pragma once
#include <windows.h>
#include "VlTechDatabase/vltechdb.h"
#include "support/strings.h"
#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>

struct DialogTextTable;

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
// Removes the mark (call only when this editor holds it).
void EditorMark_Release(const EditorDatabase& db);
// The mark as stored: 1 when held by an editor.
short EditorMark_Read(const EditorDatabase& db);

// One editor as the shared dialog procedure runs it. The procedure
// translates the dialog, takes the mark (holdsMark tells the editor whether
// it may edit), and answers Close, OK, Cancel, the close box and Help; the
// rest is the editor's.
struct EditorDialog {
    int templateId;
    const DialogTextTable* texts;
    const EditorDatabase& db;
    uint16_t question[4];       // the in-use question
    uint16_t markFailedText;
    uint32_t helpContext;
    int closedCode;             // told to the open calculation page once closed
    bool* holdsMark;
    void (*open)(HWND dialog);                           // after the mark: lists, load, enable
    bool (*command)(HWND dialog, UINT id);               // false: not the editor's command
    void (*notify)(HWND dialog, UINT_PTR id, const NMHDR* header);
    bool (*mayClose)(HWND dialog);                       // false keeps the dialog open
};
// Runs the editor modally; 1 however it is closed.
INT_PTR EditorDlg_Run(HWND owner, const EditorDialog& editor);

// A refusal: text and caption of the module's texts, exclamation icon.
void EditorBox_Refuse(HWND dialog, uint16_t text, uint16_t caption);
// A question with the caption text: true for Yes.
bool EditorBox_Ask(HWND dialog, const char* text, uint16_t caption, UINT buttons);

// The systems of the open project for which uses(page) is true, one line
// each as the system selector names them ("\n1: Steam line"); more than a
// box can show end in "...".
std::string EditorProject_SystemsUsing(const std::function<bool(short page)>& uses);
// The question before a record goes (Yes/No/Cancel under caption): text, and
// when systems use it (users, from EditorProject_SystemsUsing) the usedText
// heading them and the consequence after them, with No the default. True for Yes.
bool EditorBox_AskRemove(HWND dialog, std::string text, const std::string& users, uint16_t usedText,
                         uint16_t consequence, uint16_t caption);

// A control and whether it is enabled.
struct EditorRule {
    int id;
    bool enabled;
};
void EditorDlg_Enable(HWND dialog, std::initializer_list<EditorRule> rules);
// Puts the focus on control id (none for 0).
void EditorDlg_Focus(HWND dialog, int id);

// A list view column: its title's text id (0 untitled) and width.
struct EditorColumn {
    uint16_t textId;
    int width;
};
// Grid lines, full-row selection, draggable headers and the columns.
void EditorList_Setup(HWND list, std::initializer_list<EditorColumn> columns);
void EditorList_AddRow(HWND list, LPARAM data, std::initializer_list<const char*> cells);
// Column as wide as its widest cell (the number columns).
void EditorList_FitColumn(HWND list, int column);
// The item data of the first selected row, none when no row is selected.
LPARAM EditorList_Selected(HWND list, LPARAM none);
// Selects the row whose item data is data (none selected when no row has it).
void EditorList_Select(HWND list, LPARAM data);
// True for a list view notification that changed which rows are selected.
bool EditorList_SelectionChanged(const NMHDR* header);

// Empties the list and calls found for every number from first to 999 whose
// record of the class has the string attribute att, with the database open
// for reading.
void EditorDb_Load(const EditorDatabase& db, HWND list, const char* recordClass, short att, int first,
                   const std::function<void(TechDbHandle, int number, const char* name)>& found);
// Runs write on the database opened for writing and commits. False, after
// telling the user, when the database could not be opened, write returned
// false or the commit failed; the editor then keeps what was typed.
bool EditorDb_Save(HWND dialog, const EditorDatabase& db, const std::function<bool(TechDbHandle)>& write);
// The number a new record gets: one above the highest number ever given
// (kept in the database, so that a removed record's number is never given
// again and a closed project never finds another record under it), or above
// the highest record whose string attribute att is stored; 0 past 999.
int EditorDb_NextNumber(const EditorDatabase& db, const char* recordClass, short att);
// Inside a write: keeps number as given. False when it could not be stored.
bool EditorDb_KeepNumber(TechDbHandle handle, int number);
// Removes record number of the class, its number kept as given. A record
// that the open project uses (projectUses) leaves the project changed, as
// its systems now lack it. False, after telling the user, when not saved.
bool EditorDb_Remove(HWND dialog, const EditorDatabase& db, const char* recordClass, int number, bool projectUses);

// The row of the table other than the one numbered except whose name differs
// from name at most in letter case, or null. Empty rows have an empty name.
template <typename Row, size_t N>
const Row* EditorTable_SameName(const Row (&table)[N], const char* name, int except)
{
    for (const Row& row : table)
        if (row.name[0] && row.number != except && Str_SameIgnoringCase(row.name, name))
            return &row;
    return nullptr;
}

// A record key: the number as "%d".
struct EditorKey {
    char text[12];
    explicit EditorKey(int number);
};
