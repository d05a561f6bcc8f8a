// The pieces the user insulation editor and the weather dialog share: the
// in-use mark protocol on their database, their list views, free numbers.
#include "VlInterface/dialogs/editorcommon.h"
#include "VlInterface/shell.h"
#include <commctrl.h>
#include <cstdio>

namespace {
constexpr const char* kGeneralClass = "GE";
constexpr const char* kGeneralKey = "GeneralInfo";
constexpr short kAttInUse = 1101;
constexpr int kMaxNumber = 999;
}

const EditorDatabase kOtherInsulationDb = {TechDbOtherInsulation_Open, TechDbOtherInsulation_Close};
const EditorDatabase kWeatherDb = {TechDbWeather_Open, TechDbWeather_Close};

EditorKey::EditorKey(int number)
{
    std::snprintf(text, sizeof(text), "%d", number);
}

EditorMark EditorMark_Take(HWND dialog, const EditorDatabase& db, const uint16_t (&question)[4],
                           uint16_t failedText)
{
    TechDbHandle handle = db.open(1);
    if (TechDb_GetIntAtt(handle, kGeneralClass, kGeneralKey, kAttInUse) > 0) {
        char text[1024];
        std::snprintf(text, sizeof(text), "%s\n\n%s\n%s\n%s", Shell_Text(question[0]), Shell_Text(question[1]),
                      Shell_Text(question[2]), Shell_Text(question[3]));
        int answer = MessageBoxA(dialog, text, "", MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer != IDYES) {
            db.close(1);   // nothing stays open in a write transaction
            return answer == IDNO ? EditorMark::ReadOnly : EditorMark::Cancelled;
        }
    }
    EditorMark result = EditorMark::Held;
    if (TechDb_SetIntAtt(handle, kGeneralClass, kGeneralKey, kAttInUse, 1, 1) != 0) {
        MessageBoxA(dialog, Shell_Text(failedText), "", MB_OK | MB_ICONEXCLAMATION);
        result = EditorMark::ReadOnly;
    }
    db.close(1);
    return result;
}

bool EditorMark_OnOpen(HWND dialog, const EditorDatabase& db, const uint16_t (&question)[4], uint16_t failedText,
                       bool* held)
{
    EditorMark mark = EditorMark_Take(dialog, db, question, failedText);
    *held = mark == EditorMark::Held;
    if (mark == EditorMark::Cancelled)
        EndDialog(dialog, 1);
    return mark != EditorMark::Cancelled;
}

void EditorBox_Refuse(HWND dialog, uint16_t text, uint16_t caption)
{
    MessageBoxA(dialog, Shell_Text(text), Shell_Text(caption), MB_OK | MB_ICONEXCLAMATION);
}

void EditorDlg_SelectOnFocus(UINT code, HWND control)
{
    if (code == EN_SETFOCUS)
        SendMessageA(control, EM_SETSEL, 0, -1);
}

void EditorMark_Release(const EditorDatabase& db)
{
    TechDbHandle handle = db.open(1);
    TechDb_DeleteAtt(handle, kGeneralClass, kGeneralKey, kAttInUse);
    db.close(1);
}

short EditorMark_Read(const EditorDatabase& db)
{
    TechDbHandle handle = db.open(0);
    short mark = TechDb_GetIntAtt(handle, kGeneralClass, kGeneralKey, kAttInUse);
    db.close(0);
    return mark;
}

void EditorList_Setup(HWND list, std::initializer_list<EditorColumn> columns)
{
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    int index = 0;
    for (const EditorColumn& column : columns) {
        LVCOLUMNA entry{};
        entry.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        entry.cx = column.width;
        entry.pszText = const_cast<char*>(column.textId ? Shell_Text(column.textId) : "");
        entry.iSubItem = index;
        SendMessageA(list, LVM_INSERTCOLUMNA, index++, reinterpret_cast<LPARAM>(&entry));
    }
}

void EditorList_AddRow(HWND list, LPARAM data, std::initializer_list<const char*> cells)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    item.lParam = data;
    int sub = 0;
    for (const char* cell : cells) {
        item.iSubItem = sub;
        item.pszText = const_cast<char*>(cell);
        if (sub == 0)
            item.iItem = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        else
            SendMessageA(list, LVM_SETITEMTEXTA, item.iItem, reinterpret_cast<LPARAM>(&item));
        item.mask = LVIF_TEXT;
        ++sub;
    }
}

LPARAM EditorList_Selected(HWND list, LPARAM none)
{
    int row = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row < 0)
        return none;
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

void EditorList_Select(HWND list, LPARAM data)
{
    LVFINDINFOA find{};
    find.flags = LVFI_PARAM;
    find.lParam = data;
    int row = static_cast<int>(SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(&find)));
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = 0;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    if (row < 0)
        return;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    SendMessageA(list, LVM_ENSUREVISIBLE, row, FALSE);
}

int EditorDb_FreeNumber(const EditorDatabase& db, const char* recordClass, short att)
{
    TechDbHandle handle = db.open(0);
    int free = 0;
    for (int number = 1; number <= kMaxNumber && free == 0; ++number)
        if (!TechDb_GetStringAtt(handle, recordClass, EditorKey(number).text, att))
            free = number;
    db.close(0);
    return free;
}
