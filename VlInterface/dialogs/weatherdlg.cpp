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
#include "support/dlgutil.h"
#include "support/lookups.h"
#include "support/numfield.h"
#include <commctrl.h>
#include <cstdio>
#include <cstring>
#include <string>

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
    Text_UsedInSystems = 45230,
    Text_NameNeeded = 45232,
    Text_UsersLoseLocation = 45238,
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
    bool holdsMark, editMode, reading;
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
    for (WeatherLocationRow& row : g_weather.table)
        row = WeatherLocationRow{};
    g_weather.count = 0;
    EditorDb_Load(kWeatherDb, List(dialog), kClass, kAttName, 0, [&](TechDbHandle handle, int number, const char* name) {
        EditorKey key(number);
        WeatherLocationRow& row = g_weather.table[number];
        row.number = number;
        std::snprintf(row.name, sizeof(row.name), "%s", name);
        row.temperature = TechDb_GetFloatAtt(handle, kClass, key.text, kAttTemperature);
        row.velocity = TechDb_GetFloatAtt(handle, kClass, key.text, kAttVelocity);
        AddRow(dialog, row);
        ++g_weather.count;
    });
    EditorList_FitColumn(List(dialog), 0);
    EditorList_Select(List(dialog), g_weather.selected);
}

// The list rebuilt from the table, in number order.
void RefillFromTable(HWND dialog)
{
    SendMessageW(List(dialog), LVM_DELETEALLITEMS, 0, 0);
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
    ReentryGuard guard(g_weather.reading);
    if (!guard.entered())
        return 0;
    WeatherEditRecord& edit = g_weather.edit;
    Field_GetText(dialog, IDC_WD_NAME, edit.name, kNameLimit + 1);
    int failed = 0;
    if (Field_GetFloatOrMissing(dialog, IDC_WD_TEMPERATURE, &edit.temperature, -kFieldLimit, kFieldLimit, 1) != 0)
        failed = IDC_WD_TEMPERATURE;
    if (Field_GetFloatOrMissing(dialog, IDC_WD_VELOCITY, &edit.velocity, -kFieldLimit, kFieldLimit, 1) != 0)
        failed = IDC_WD_VELOCITY;
    return failed;
}

bool CheckRecord(HWND dialog)
{
    const WeatherEditRecord& edit = g_weather.edit;
    int failed = 0;
    if (!edit.name[0]) {
        EditorBox_Refuse(dialog, Text_NameNeeded, Text_Apply);
        failed = IDC_WD_NAME;
    } else if (InputLimits_Check(dialog, edit.temperature, "WDATAAVERAGETEMPERATURE_C", 1) != 0)
        failed = IDC_WD_TEMPERATURE;
    else if (InputLimits_Check(dialog, edit.velocity, "WDATAAIRVELOCITY_MS", 1) != 0)
        failed = IDC_WD_VELOCITY;
    EditorDlg_Focus(dialog, failed);
    return failed == 0;
}

void EnableControls(HWND dialog)
{
    bool held = g_weather.holdsMark, edit = g_weather.editMode, any = g_weather.count > 0;
    EditorDlg_Enable(dialog, {{IDC_WD_NAME, held && edit}, {IDC_WD_TEMPERATURE, held && edit},
                              {IDC_WD_VELOCITY, held && edit}, {IDC_WD_APPLY, held && edit},
                              {IDC_WD_CANCEL_EDIT, held && edit}, {IDC_WD_EDIT, held && !edit && any},
                              {IDC_WD_REMOVE, held && !edit && any}, {IDC_WD_ADD, held && !edit}});
}

void SetEditMode(HWND dialog, bool on)
{
    g_weather.editMode = on;
    EnableControls(dialog);
    EditorDlg_Focus(dialog, on ? IDC_WD_NAME : 0);
}

bool SaveLocation(HWND dialog, int number)
{
    const WeatherEditRecord& edit = g_weather.edit;
    char name[kNameSize] = {};
    std::snprintf(name, sizeof(name), "%s", edit.name);
    EditorKey key(number);
    return EditorDb_Save(dialog, kWeatherDb, [&](TechDbHandle handle) {
        return EditorDb_KeepNumber(handle, number) && TechDb_SetAtt(handle, kClass, key.text, kAttName, 1, name) == 0 &&
               TechDb_SetFloatAtt(handle, kClass, key.text, kAttTemperature, 1, edit.temperature) == 0 &&
               TechDb_SetFloatAtt(handle, kClass, key.text, kAttVelocity, 1, edit.velocity) == 0;
    });
}

// "name, temperature °C, velocity m/s" after the question text.
std::string AboutText(uint16_t question, const WeatherLocationRow& row)
{
    char text[768];
    std::snprintf(text, sizeof(text), "%s\n\n%s, %.2f %s, %.2f %s", Shell_Text(question), row.name,
                  static_cast<double>(row.temperature), Shell_Text(Text_DegreesC), static_cast<double>(row.velocity),
                  Shell_Text(Text_MetresPerSecond));
    return text;
}

void OnApply(HWND dialog)
{
    int failed = ReadControls(dialog);
    if (failed)
        return EditorDlg_Focus(dialog, failed);
    if (!CheckRecord(dialog))
        return;
    int number = g_weather.applyNumber;
    if (const WeatherLocationRow* same = EditorTable_SameName(g_weather.table, g_weather.edit.name, number)) {
        if (!EditorBox_Ask(dialog, AboutText(Text_SameName, *same).c_str(), Text_Apply, MB_YESNO))
            return EditorDlg_Focus(dialog, IDC_WD_NAME);
        number = same->number;
    }
    if (!SaveLocation(dialog, number))
        return;   // still editing, with what was typed
    g_weather.applyNumber = number;
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
    int number = EditorDb_NextNumber(kWeatherDb, kClass, kAttName);
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
    EditorKey key(g_weather.selected);
    const std::string users =
        EditorProject_SystemsUsing([&](short page) { return Project_SystemUsesLocation(page, key.text); });
    if (!EditorBox_AskRemove(dialog, AboutText(Text_RemoveQuestion, row), users, Text_UsedInSystems,
                             Text_UsersLoseLocation, Text_Remove) ||
        !EditorDb_Remove(dialog, kWeatherDb, kClass, g_weather.selected, !users.empty()))
        return;
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

// A number that cannot be read keeps the dialog open with the focus on it.
bool MayClose(HWND dialog)
{
    int failed = g_weather.editMode ? ReadControls(dialog) : 0;
    EditorDlg_Focus(dialog, failed);
    return failed == 0;
}

void OnOpen(HWND dialog)
{
    EditorList_Setup(List(dialog), {{0, 20}, {Text_Location, 150}, {Text_AverageTemperature, 150},
                                    {Text_AirVelocity, 150}});
    g_weather.editMode = false;
    g_weather.selected = kNone;
    LoadLocations(dialog);
    ShowSelection(dialog);
    EnableControls(dialog);
    EditorDlg_Focus(dialog, IDC_WD_NAME);
}

bool OnCommand(HWND dialog, UINT id)
{
    switch (id) {
    case IDC_WD_APPLY: OnApply(dialog); return true;
    case IDC_WD_EDIT: OnEdit(dialog); return true;
    case IDC_WD_ADD: OnAdd(dialog); return true;
    case IDC_WD_REMOVE: OnRemove(dialog); return true;
    case IDC_WD_CANCEL_EDIT: OnCancelEdit(dialog); return true;
    default: return false;
    }
}

// Keyboard and mouse select alike: the selection follows the list's own.
void OnNotify(HWND dialog, UINT_PTR id, const NMHDR* header)
{
    if (id != IDC_WD_LOCATIONS || g_weather.editMode)
        return;
    if (EditorList_SelectionChanged(header))
        g_weather.selected = static_cast<int>(EditorList_Selected(List(dialog), kNone));
    else if (header->code == LVN_COLUMNCLICK)
        RefillFromTable(dialog);
}

const EditorDialog kWeatherEditor = {
    IDD_WEATHER_DATA, kWeatherTexts, kWeatherDb, {Text_InUse1, Text_InUse2, Text_InUse3, Text_InUse4},
    Text_MarkFailed, HelpContext_Weather, CalcPage_WeatherChanged, &g_weather.holdsMark,
    OnOpen, OnCommand, OnNotify, MayClose,
};

} // namespace

INT_PTR WeatherDlg_Run(HWND owner)
{
    return EditorDlg_Run(owner, kWeatherEditor);
}
