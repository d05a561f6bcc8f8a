// The pieces the user insulation editor and the weather dialog share: their
// dialog procedure (in-use mark, closing, help), their list views, the walk
// over their records, saving and free numbers.
#include "VlInterface/dialogs/editorcommon.h"
#include "support/attributes.h"
#include "VlInterface/dialogs/dlgtexts.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/workspace/calctabs.h"
#include "VlInterface/workspace/productlist.h"
#include "Kadmi/kadmi.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/app.h"
#include "support/dlgutil.h"
#include "support/tooltips.h"
#include <commctrl.h>
#include <cstdio>

namespace {
constexpr const char* kGeneralClass = "GE";
constexpr const char* kGeneralKey = "GeneralInfo";
constexpr short kAttInUse = 1101;
constexpr short kAttHighestNumber = 1102;   // the highest number ever given a record
constexpr int kMaxNumber = kUserNumberLast;
constexpr uint16_t kTextNotSaved = 45222;
const DialogTextTable kNoTooltips[] = {{0, 0, nullptr}};
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
        int answer = Wnd_MessageBox(dialog, text, "", MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer != IDYES) {
            db.close(1);   // nothing stays open in a write transaction
            return answer == IDNO ? EditorMark::ReadOnly : EditorMark::Cancelled;
        }
    }
    bool set = TechDb_SetIntAtt(handle, kGeneralClass, kGeneralKey, kAttInUse, 1, 1) == 0;
    bool committed = db.close(1) >= 0;
    if (set && committed)
        return EditorMark::Held;
    Wnd_MessageBox(dialog, Shell_Text(failedText), "", MB_OK | MB_ICONEXCLAMATION);
    return EditorMark::ReadOnly;
}

void EditorBox_Refuse(HWND dialog, uint16_t text, uint16_t caption)
{
    Wnd_MessageBox(dialog, Shell_Text(text), Shell_Text(caption), MB_OK | MB_ICONEXCLAMATION);
}

bool EditorBox_Ask(HWND dialog, const char* text, uint16_t caption, UINT buttons)
{
    return Wnd_MessageBox(dialog, text, Shell_Text(caption), buttons | MB_ICONQUESTION) == IDYES;
}

void EditorDlg_Enable(HWND dialog, std::initializer_list<EditorRule> rules)
{
    static bool enabling = false;
    ReentryGuard guard(enabling);
    if (!guard.entered())
        return;
    for (const EditorRule& rule : rules)
        EnableWindow(GetDlgItem(dialog, rule.id), rule.enabled);
}

void EditorDlg_Focus(HWND dialog, int id)
{
    if (id)
        Dlg_FocusItem(dialog, id);
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
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    int index = 0;
    for (const EditorColumn& column : columns) {
        Lv_AddColumn(list, index, column.textId ? Shell_Text(column.textId) : "", column.width, LVCFMT_LEFT);
        ++index;
    }
}

void EditorList_AddRow(HWND list, LPARAM data, std::initializer_list<const char*> cells)
{
    int row = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    int sub = 0;
    for (const char* cell : cells) {
        if (sub == 0)
            row = Lv_AddRow(list, row, cell, data);
        else
            Lv_SetCell(list, row, sub, cell);
        ++sub;
    }
}

LPARAM EditorList_Selected(HWND list, LPARAM none)
{
    int row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row < 0)
        return none;
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

void EditorList_Select(HWND list, LPARAM data)
{
    LVFINDINFOW find{};
    find.flags = LVFI_PARAM;
    find.lParam = data;
    int row = static_cast<int>(SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(&find)));
    LVITEMW state{};

    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = 0;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    if (row < 0)
        return;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
}

int EditorDb_NextNumber(const EditorDatabase& db, const char* recordClass, short att)
{
    TechDbHandle handle = db.open(0);
    // A database kept before the highest number was stored: its records tell.
    int highest = TechDb_GetIntAtt(handle, kGeneralClass, kGeneralKey, kAttHighestNumber);
    for (int number = kMaxNumber; number > highest; --number)
        if (TechDb_GetStringAtt(handle, recordClass, EditorKey(number).text, att))
            highest = number;
    db.close(0);
    return highest < kMaxNumber ? highest + 1 : 0;
}

bool EditorDb_KeepNumber(TechDbHandle handle, int number)
{
    if (TechDb_GetIntAtt(handle, kGeneralClass, kGeneralKey, kAttHighestNumber) >= number)
        return true;
    return TechDb_SetIntAtt(handle, kGeneralClass, kGeneralKey, kAttHighestNumber, 1, static_cast<short>(number)) == 0;
}

bool EditorDb_Remove(HWND dialog, const EditorDatabase& db, const char* recordClass, int number, bool projectUses)
{
    // A record removed meanwhile by someone else is no failure: only the commit counts.
    if (!EditorDb_Save(dialog, db, [&](TechDbHandle handle) {
            TechDb_DeleteRec(handle, recordClass, EditorKey(number).text);
            return EditorDb_KeepNumber(handle, number);
        }))
        return false;
    if (projectUses) {
        Kadmi_MarkAccess(-1, Stamp_ProjectChanged);
        MainWnd_UpdateTitle();
    }
    return true;
}

std::string EditorProject_SystemsUsing(const std::function<bool(short page)>& uses)
{
    constexpr int kShownSystems = 20;
    std::string systems;
    int found = 0;
    for (short i = 0, n = Kadmi_NPage(); i < n && found <= kShownSystems; ++i) {
        if (uses(Kadmi_IthPage(i))) {
            systems += '\n';
            systems += ++found > kShownSystems ? std::string("...") : MainWnd_SystemItemText(i, Kadmi_IthPage(i));
        }
    }
    return systems;
}

bool EditorBox_AskRemove(HWND dialog, std::string text, const std::string& users, uint16_t usedText,
                         uint16_t consequence, uint16_t caption)
{
    UINT buttons = MB_YESNOCANCEL;
    if (!users.empty()) {
        text += std::string("\n\n") + Shell_Text(usedText) + users + "\n\n" + Shell_Text(consequence);
        buttons |= MB_DEFBUTTON2;
    }
    return EditorBox_Ask(dialog, text.c_str(), caption, buttons);
}

void EditorList_FitColumn(HWND list, int column)
{
    SendMessageW(list, LVM_SETCOLUMNWIDTH, column, LVSCW_AUTOSIZE);
}

bool EditorList_SelectionChanged(const NMHDR* header)
{
    if (header->code != LVN_ITEMCHANGED)
        return false;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    return (change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED);
}

void EditorDb_Load(const EditorDatabase& db, HWND list, const char* recordClass, short att, int first,
                   const std::function<void(TechDbHandle, int number, const char* name)>& found)
{
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    TechDbHandle handle = db.open(0);
    for (int number = first; number <= kMaxNumber; ++number)
        if (const char* name = TechDb_GetStringAtt(handle, recordClass, EditorKey(number).text, att))
            found(handle, number, name);
    db.close(0);
}

bool EditorDb_Save(HWND dialog, const EditorDatabase& db, const std::function<bool(TechDbHandle)>& write)
{
    TechDbHandle handle = db.open(1);
    bool saved = handle >= 0;
    if (saved) {
        saved = write(handle);
        saved = db.close(1) >= 0 && saved;
    }
    if (!saved)
        Wnd_MessageBox(dialog, Shell_Text(kTextNotSaved), Shell().title, MB_OK | MB_ICONEXCLAMATION);
    return saved;
}

namespace {

const EditorDialog& Editor(HWND dialog)
{
    return *reinterpret_cast<const EditorDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

void OnInitEditor(HWND dialog, const EditorDialog& editor)
{
    Wnd_CenterOnOwner(dialog);
    *editor.holdsMark = false;
    TextAPI_TranslateDialog(Shell().textHandle, dialog, editor.texts);
    EditorMark mark = EditorMark_Take(dialog, editor.db, editor.question, editor.markFailedText);
    if (mark == EditorMark::Cancelled) {
        EndDialog(dialog, 1);
        return;
    }
    *editor.holdsMark = mark == EditorMark::Held;
    editor.open(dialog);
}

void CloseEditor(HWND dialog, const EditorDialog& editor)
{
    if (editor.mayClose && !editor.mayClose(dialog))
        return;
    if (*editor.holdsMark)
        EditorMark_Release(editor.db);
    *editor.holdsMark = false;
    EndDialog(dialog, 1);
}

INT_PTR OnEditorCommand(HWND dialog, const EditorDialog& editor, UINT id, UINT code, HWND control)
{
    switch (id) {
    case IDC_EDITOR_CLOSE:
    case IDOK:
    case IDCANCEL:
        CloseEditor(dialog, editor);
        return TRUE;
    case IDC_DIALOG_HELP:
        DlgHelp_Show(dialog, editor.helpContext);
        return TRUE;
    default:
        if (editor.command(dialog, id))
            return TRUE;
        if (code == EN_SETFOCUS)   // an edit control gaining the focus gets its whole text selected
            SendMessageW(control, EM_SETSEL, 0, -1);
        return FALSE;
    }
}

INT_PTR CALLBACK EditorDlg_Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    Tooltip_HandleDialogMessage(dialog, message, wParam, lParam, Shell().textHandle, kNoTooltips);
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        OnInitEditor(dialog, Editor(dialog));
        return FALSE;
    }
    if (!GetWindowLongPtrW(dialog, DWLP_USER))
        return FALSE;
    switch (message) {
    case WM_NOTIFY:
        Editor(dialog).notify(dialog, wParam, reinterpret_cast<const NMHDR*>(lParam));
        return FALSE;
    case WM_CLOSE:
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_COMMAND:
        return OnEditorCommand(dialog, Editor(dialog), LOWORD(wParam), HIWORD(wParam),
                               reinterpret_cast<HWND>(lParam));
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR EditorDlg_Run(HWND owner, const EditorDialog& editor)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    INT_PTR result = DialogBoxParamW(App().instance, MAKEINTRESOURCEW(editor.templateId), owner, EditorDlg_Proc,
                                     reinterpret_cast<LPARAM>(&editor));
    if (result == 1)
        CalcTabs_NotifyCurrentPage(editor.closedCode);
    return result;
}
