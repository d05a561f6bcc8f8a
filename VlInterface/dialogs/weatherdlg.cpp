// The weather data dialog: the locations of the weather database (name,
// average temperature, air velocity), added, edited and removed while this
// dialog holds the database's in-use mark; read-only without it.
#include "VlInterface/dialogs/dialogs.h"
#include "VlInterface/dialogs/dlgtexts.h"
#include "VlInterface/dialogs/editorcommon.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/workspace/calctabs.h"
#include "VlInterface/workspace/dlgfields.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/app.h"
#include "support/dlgutil.h"
#include "support/lookups.h"
#include "support/numfield.h"
#include "support/tooltips.h"
#include <commctrl.h>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kLocations = 1000;
constexpr int kNameSize = 32;          // the stored element
constexpr int kNameLimit = 30;         // what the field accepts
constexpr int kNone = -1;              // no location selected (record 0 is a location)
constexpr float kFieldLimit = 999999.0f;
constexpr const char* kClass = "WD";
constexpr short kAttName = 1601;
constexpr short kAttTemperature = 1311;
constexpr short kAttVelocity = 1312;

enum WeatherText : uint16_t {
    Text_WeatherCaption = 50020,
    Text_Location = 50021,
    Text_AverageTemperature = 50022,
    Text_AirVelocity = 50023,
    Text_AddOrEdit = 50024,
    Text_Apply = 50025,
    Text_Edit = 50026,
    Text_Add = 50027,
    Text_Remove = 50028,
    Text_RemoveQuestion = 50029,
    Text_SelectFirst = 50030,
    Text_InUse1 = 50031,
    Text_InUse2 = 50032,
    Text_InUse3 = 50033,
    Text_InUse4 = 50034,
    Text_MarkFailed = 50035,
    Text_SameName = 50036,
    Text_DegreesC = 50037,
    Text_MetresPerSecond = 50038,
    Text_TemperatureLabel = 50039,
    Text_VelocityLabel = 50040,
};

const DialogTextTable kWeatherTexts[] = {
    {0, Text_WeatherCaption, nullptr},
    {IDC_WD_NAME_LABEL, Text_Location, nullptr},
    {IDC_WD_TEMP_LABEL, Text_TemperatureLabel, nullptr},
    {IDC_WD_TEMP_UNIT, Text_DegreesC, nullptr},
    {IDC_WD_VELOCITY_LABEL, Text_VelocityLabel, nullptr},
    {IDC_WD_VELOCITY_UNIT, Text_MetresPerSecond, nullptr},
    {IDC_WD_EDIT_GROUP, Text_AddOrEdit, nullptr},
    {IDC_WD_APPLY, Text_Apply, nullptr},
    {IDC_WD_EDIT, Text_Edit, nullptr},
    {IDC_WD_ADD, Text_Add, nullptr},
    {IDC_WD_REMOVE, Text_Remove, nullptr},
    {IDC_WD_CANCEL_EDIT, Text_Cancel, nullptr},
    {IDC_EDITOR_CLOSE, Text_Close, nullptr},
    {IDC_DIALOG_HELP, Text_Help, nullptr},
    {0, 0, nullptr},
};
const DialogTextTable kNoTooltips[] = {{0, 0, nullptr}};

struct WeatherLocationRow {
    int32_t number;
    char name[kNameSize];
    float temperature;
    float velocity;
};

struct WeatherEditRecord {
    char name[kNameSize];
    float temperature;
    float velocity;
};

struct WeatherState {
    WeatherLocationRow table[kLocations];
    WeatherEditRecord edit;
    bool holdsMark, editMode, reading, enabling;
    int selected = kNone;
    int applyNumber;
    int count;
};
WeatherState g_weather{};

HWND List(HWND dialog)
{
    return GetDlgItem(dialog, IDC_WD_LOCATIONS);
}

void AddRow(HWND dialog, const WeatherLocationRow& row)
{
    char number[12], temperature[24], velocity[24];
    std::snprintf(number, sizeof(number), "%d", static_cast<int>(row.number));
    std::snprintf(temperature, sizeof(temperature), "%.2f", static_cast<double>(row.temperature));
    std::snprintf(velocity, sizeof(velocity), "%.2f", static_cast<double>(row.velocity));
    EditorList_AddRow(List(dialog), row.number, {number, row.name, temperature, velocity});
}

// The whole table is cleared first, so a location removed meanwhile by
// another program does not linger.
void LoadLocations(HWND dialog)
{
    SendMessageA(List(dialog), LVM_DELETEALLITEMS, 0, 0);
    for (WeatherLocationRow& row : g_weather.table)
        row = WeatherLocationRow{};
    g_weather.count = 0;
    TechDbHandle handle = kWeatherDb.open(0);
    for (int number = 0; number < kLocations; ++number) {
        EditorKey key(number);
        const char* name = TechDb_GetStringAtt(handle, kClass, key.text, kAttName);
        if (!name)
            continue;
        WeatherLocationRow& row = g_weather.table[number];
        row.number = number;
        std::snprintf(row.name, sizeof(row.name), "%s", name);
        row.temperature = TechDb_GetFloatAtt(handle, kClass, key.text, kAttTemperature);
        row.velocity = TechDb_GetFloatAtt(handle, kClass, key.text, kAttVelocity);
        AddRow(dialog, row);
        ++g_weather.count;
    }
    kWeatherDb.close(0);
    EditorList_Select(List(dialog), g_weather.selected);
}

// The list rebuilt from the table, in number order.
void RefillFromTable(HWND dialog)
{
    SendMessageA(List(dialog), LVM_DELETEALLITEMS, 0, 0);
    for (const WeatherLocationRow& row : g_weather.table)
        if (row.name[0])
            AddRow(dialog, row);
    EditorList_Select(List(dialog), g_weather.selected);
}

void ShowSelection(HWND dialog)
{
    WeatherLocationRow empty{0, "", kFieldMissingFloat, kFieldMissingFloat};
    const WeatherLocationRow& row = g_weather.selected == kNone ? empty : g_weather.table[g_weather.selected];
    Field_SetText(dialog, IDC_WD_NAME, row.name, kNameLimit);
    Field_SetFloatOrBlank(dialog, IDC_WD_TEMPERATURE, row.temperature, 0, 2);
    Field_SetFloatOrBlank(dialog, IDC_WD_VELOCITY, row.velocity, 0, 2);
}

int ReadControls(HWND dialog)
{
    if (g_weather.reading)
        return 0;
    g_weather.reading = true;
    WeatherEditRecord& edit = g_weather.edit;
    Field_GetText(dialog, IDC_WD_NAME, edit.name, kNameLimit + 1);
    int failed = 0;
    if (Field_GetFloatOrMissing(dialog, IDC_WD_TEMPERATURE, &edit.temperature, -kFieldLimit, kFieldLimit, 1) != 0)
        failed = IDC_WD_TEMPERATURE;
    if (Field_GetFloatOrMissing(dialog, IDC_WD_VELOCITY, &edit.velocity, -kFieldLimit, kFieldLimit, 1) != 0)
        failed = IDC_WD_VELOCITY;
    g_weather.reading = false;
    return failed;
}

bool CheckRecord(HWND dialog)
{
    const WeatherEditRecord& edit = g_weather.edit;
    int failed = 0;
    if (!edit.name[0])
        failed = IDC_WD_NAME;
    else if (InputLimits_Check(dialog, edit.temperature, "WDATAAVERAGETEMPERATURE_C", 1) != 0)
        failed = IDC_WD_TEMPERATURE;
    else if (InputLimits_Check(dialog, edit.velocity, "WDATAAIRVELOCITY_MS", 1) != 0)
        failed = IDC_WD_VELOCITY;
    if (failed)
        SetFocus(GetDlgItem(dialog, failed));
    return failed == 0;
}

void EnableControls(HWND dialog)
{
    if (g_weather.enabling)
        return;
    g_weather.enabling = true;
    bool held = g_weather.holdsMark, edit = g_weather.editMode, any = g_weather.count > 0;
    for (int id : {IDC_WD_NAME, IDC_WD_TEMPERATURE, IDC_WD_VELOCITY, IDC_WD_APPLY, IDC_WD_CANCEL_EDIT})
        EnableWindow(GetDlgItem(dialog, id), held && edit);
    EnableWindow(GetDlgItem(dialog, IDC_WD_EDIT), held && !edit && any);
    EnableWindow(GetDlgItem(dialog, IDC_WD_REMOVE), held && !edit && any);
    EnableWindow(GetDlgItem(dialog, IDC_WD_ADD), held && !edit);
    g_weather.enabling = false;
}

void SetEditMode(HWND dialog, bool on)
{
    g_weather.editMode = on;
    EnableControls(dialog);
    if (on)
        SetFocus(GetDlgItem(dialog, IDC_WD_NAME));
}

void SaveLocation(int number)
{
    const WeatherEditRecord& edit = g_weather.edit;
    char name[kNameSize] = {};
    std::snprintf(name, sizeof(name), "%s", edit.name);
    EditorKey key(number);
    TechDbHandle handle = kWeatherDb.open(1);
    TechDb_SetAtt(handle, kClass, key.text, kAttName, 1, name);
    TechDb_SetFloatAtt(handle, kClass, key.text, kAttTemperature, 1, edit.temperature);
    TechDb_SetFloatAtt(handle, kClass, key.text, kAttVelocity, 1, edit.velocity);
    kWeatherDb.close(1);
}

// "name, temperature °C, velocity m/s" after the question text.
int AskAbout(HWND dialog, uint16_t question, const WeatherLocationRow& row, uint16_t caption, UINT buttons)
{
    char text[768];
    std::snprintf(text, sizeof(text), "%s\n\n%s, %.2f %s, %.2f %s", Shell_Text(question), row.name,
                  static_cast<double>(row.temperature), Shell_Text(Text_DegreesC), static_cast<double>(row.velocity),
                  Shell_Text(Text_MetresPerSecond));
    return MessageBoxA(dialog, text, Shell_Text(caption), buttons | MB_ICONQUESTION);
}

void OnApply(HWND dialog)
{
    int failed = ReadControls(dialog);
    if (failed) {
        SetFocus(GetDlgItem(dialog, failed));
        return;
    }
    if (!CheckRecord(dialog))
        return;
    for (const WeatherLocationRow& row : g_weather.table) {
        if (row.name[0] && row.number != g_weather.applyNumber && std::strcmp(row.name, g_weather.edit.name) == 0) {
            if (AskAbout(dialog, Text_SameName, row, Text_Apply, MB_YESNO) != IDYES) {
                SetFocus(GetDlgItem(dialog, IDC_WD_NAME));
                return;
            }
            g_weather.applyNumber = row.number;
            break;
        }
    }
    SaveLocation(g_weather.applyNumber);
    g_weather.selected = g_weather.applyNumber;
    LoadLocations(dialog);
    ShowSelection(dialog);
    SetEditMode(dialog, false);
}

void OnEdit(HWND dialog)
{
    if (g_weather.selected == kNone)
        return EditorBox_Refuse(dialog, Text_SelectFirst, Text_Edit);
    ShowSelection(dialog);
    g_weather.applyNumber = g_weather.selected;
    SetEditMode(dialog, true);
}

void OnAdd(HWND dialog)
{
    int number = EditorDb_FreeNumber(kWeatherDb, kClass, kAttName);
    if (number == 0)
        return EditorBox_Refuse(dialog, Text_NoFreeNumber, Text_Add);
    ShowSelection(dialog);
    g_weather.applyNumber = number;
    SetEditMode(dialog, true);
}

void OnRemove(HWND dialog)
{
    if (g_weather.selected == kNone)
        return EditorBox_Refuse(dialog, Text_SelectFirst, Text_Remove);
    const WeatherLocationRow& row = g_weather.table[g_weather.selected];
    if (AskAbout(dialog, Text_RemoveQuestion, row, Text_Remove, MB_YESNOCANCEL) != IDYES)
        return;
    TechDbHandle handle = kWeatherDb.open(1);
    TechDb_DeleteRec(handle, kClass, EditorKey(g_weather.selected).text);
    kWeatherDb.close(1);
    g_weather.selected = kNone;
    LoadLocations(dialog);
    ShowSelection(dialog);
    EnableControls(dialog);
}

void OnCancelEdit(HWND dialog)
{
    g_weather.selected = kNone;
    EditorList_Select(List(dialog), kNone);
    ShowSelection(dialog);
    SetEditMode(dialog, false);
}

void OnClose(HWND dialog)
{
    if (g_weather.editMode) {
        int failed = ReadControls(dialog);
        if (failed) {
            SetFocus(GetDlgItem(dialog, failed));
            return;
        }
    }
    if (g_weather.holdsMark)
        EditorMark_Release(kWeatherDb);
    g_weather.holdsMark = false;
    EndDialog(dialog, 1);
}

void OnInitDialog(HWND dialog)
{
    Wnd_CenterOnOwner(dialog);
    g_weather.holdsMark = g_weather.editMode = false;
    TextAPI_TranslateDialog(Shell().textHandle, dialog, kWeatherTexts);
    static const uint16_t kQuestion[4] = {Text_InUse1, Text_InUse2, Text_InUse3, Text_InUse4};
    if (!EditorMark_OnOpen(dialog, kWeatherDb, kQuestion, Text_MarkFailed, &g_weather.holdsMark))
        return;
    EditorList_Setup(List(dialog), {{0, 20}, {Text_Location, 150}, {Text_AverageTemperature, 150},
                                    {Text_AirVelocity, 150}});
    g_weather.selected = kNone;
    LoadLocations(dialog);
    ShowSelection(dialog);
    EnableControls(dialog);
    SetFocus(GetDlgItem(dialog, IDC_WD_NAME));
}

INT_PTR OnCommand(HWND dialog, UINT id, UINT code, HWND control)
{
    switch (id) {
    case IDC_WD_APPLY: OnApply(dialog); return TRUE;
    case IDC_WD_EDIT: OnEdit(dialog); return TRUE;
    case IDC_WD_ADD: OnAdd(dialog); return TRUE;
    case IDC_WD_REMOVE: OnRemove(dialog); return TRUE;
    case IDC_WD_CANCEL_EDIT: OnCancelEdit(dialog); return TRUE;
    case IDC_EDITOR_CLOSE:
    case IDOK:
    case IDCANCEL:
        OnClose(dialog);
        return TRUE;
    case IDC_DIALOG_HELP:
        DlgHelp_Show(dialog, HelpContext_Weather);
        return TRUE;
    default:
        EditorDlg_SelectOnFocus(code, control);
        return FALSE;
    }
}

// Keyboard and mouse select alike: the selection follows the list's own.
void OnListNotify(HWND dialog, const NMHDR* header)
{
    if (header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED))
            g_weather.selected = static_cast<int>(EditorList_Selected(List(dialog), kNone));
    } else if (header->code == LVN_COLUMNCLICK) {
        RefillFromTable(dialog);
    }
}

INT_PTR CALLBACK WeatherDlg_Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    Tooltip_HandleDialogMessage(dialog, message, wParam, lParam, Shell().textHandle, kNoTooltips);
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return FALSE;
    case WM_NOTIFY:
        if (wParam == IDC_WD_LOCATIONS && !g_weather.editMode)
            OnListNotify(dialog, reinterpret_cast<const NMHDR*>(lParam));
        return FALSE;
    case WM_CLOSE:
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR WeatherDlg_Run(HWND owner)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    INT_PTR result = DialogBoxParamA(App().instance, MAKEINTRESOURCEA(IDD_WEATHER_DATA), owner, WeatherDlg_Proc, 0);
    if (result == 1)
        CalcTabs_NotifyCurrentPage(CalcPage_WeatherChanged);
    return result;
}
