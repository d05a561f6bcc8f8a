// The user insulation data editor: the user's own insulation types of the
// other-insulation database (name, price per metre or square metre, and a
// table of thermal conductance against average temperature), edited while
// this editor holds the database's in-use mark; read-only without it.
#include "VlInterface/dialogs/dialogs.h"
#include "VlInterface/dialogs/dlgtexts.h"
#include "VlInterface/dialogs/editorcommon.h"
#include "VlInterface/dialogs/insulationdata.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/workspace/calctabs.h"
#include "VlInterface/workspace/dlgfields.h"
#include "VlInterface/workspace/page_insulation.h"
#include "Kadmi/kadmi.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/dlgutil.h"
#include "support/lookups.h"
#include "support/numfield.h"
#include "support/attributes.h"
#include <algorithm>
#include <commctrl.h>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kTypes = 1000;
constexpr int kNameSize = 64;
constexpr int kEditNameSize = 60;
constexpr int kNameLimit = 30;
constexpr int kStoredNameSize = 99;   // the stored element
constexpr float kFieldLimit = 999999.0f;
constexpr const char* kClass = "UI";
constexpr short kAttName = 1600;
constexpr short kAttTemperatures = 1311;
constexpr short kAttConductances = 1313;

enum InsulationText : uint16_t {
    Text_Caption = 50050,
    Text_TypeGroup = 50051,
    Text_PointGroup = 50052,
    Text_Name = 50053,
    Text_Price = 50054,
    Text_TemperatureColumn = 50055,
    Text_ConductanceColumn = 50056,
    Text_Apply = 50057,
    Text_Edit = 50058,
    Text_AddType = 50059,
    Text_RemoveType = 50060,
    Text_EditPoint = 50061,
    Text_AddPoint = 50062,
    Text_RemovePoint = 50063,
    Text_InUse1 = 50064,
    Text_InUse2 = 50065,
    Text_InUse3 = 50066,
    Text_InUse4 = 50067,
    Text_MarkFailed = 50068,
    Text_DegreesC = 50069,
    Text_ConductanceUnit = 50070,
    Text_SelectType = 50071,
    Text_SelectPoint = 50072,
    Text_RemoveQuestion = 50073,
    Text_SameName = 50074,
    Text_SameTemperature = 50075,
    Text_TemperatureLabel = 50076,
    Text_ConductanceLabel = 50077,
    Text_UsedInSystems = 45230,
    Text_UsersLoseLayers = 45231,
    Text_NameNeeded = 45232,
    Text_ConductanceNotPositive = 45233,
    Text_RemovePointCaption = 45239,
};

const DialogTextTable kInsulationTexts[] = {
    {0, Text_Caption, nullptr},
    {IDC_INS_TYPE_GROUP, Text_TypeGroup, nullptr},
    {IDC_INS_NAME_LABEL, Text_Name, nullptr},
    {IDC_INSDATA_PRICE_LABEL, Text_Price, nullptr},
    {IDC_INS_TYPE_APPLY, Text_Apply, nullptr},
    {IDC_INS_TYPE_EDIT, Text_Edit, nullptr},
    {IDC_INS_TYPE_ADD, Text_AddType, nullptr},
    {IDC_INS_TYPE_REMOVE, Text_RemoveType, nullptr},
    {IDC_INS_TYPE_CANCEL, Text_Cancel, nullptr},
    {IDC_INS_POINT_GROUP, Text_PointGroup, nullptr},
    {IDC_INS_TEMP_LABEL, Text_TemperatureLabel, nullptr},
    {IDC_INS_TEMP_UNIT, Text_DegreesC, nullptr},
    {IDC_INS_COND_LABEL, Text_ConductanceLabel, nullptr},
    {IDC_INS_COND_UNIT, Text_ConductanceUnit, nullptr},
    {IDC_INS_POINT_APPLY, Text_Apply, nullptr},
    {IDC_INS_POINT_EDIT, Text_EditPoint, nullptr},
    {IDC_INS_POINT_ADD, Text_AddPoint, nullptr},
    {IDC_INS_POINT_REMOVE, Text_RemovePoint, nullptr},
    {IDC_INS_POINT_CANCEL, Text_Cancel, nullptr},
    {IDC_EDITOR_CLOSE, Text_Close, nullptr},
    {IDC_DIALOG_HELP, Text_Help, nullptr},
    {0, 0, nullptr},
};

struct InsulationTypeRow {
    int32_t number;
    char name[kNameSize];
    float price;
    int16_t unit;     // 1 per metre, 2 per square metre
    int32_t count;    // points including the placeholder element 0
    float temperatures[kMaxInsulationPoints];
    float conductances[kMaxInsulationPoints];
};

struct InsulationEditRecord {
    char name[kEditNameSize];
    float price;
    uint8_t perMetre, perSquareMetre;
    float temperature;
    float conductance;
};

struct InsulationState {
    InsulationTypeRow table[kTypes];
    InsulationEditRecord edit;
    bool holdsMark, typeEdit, pointEdit, addPoint, reading;
    int selectedType, selectedPoint, applyNumber, count;
    int16_t priceList;
};
InsulationState g_ins{};

HWND Types(HWND dialog)
{
    return GetDlgItem(dialog, IDC_INS_TYPES);
}

HWND Points(HWND dialog)
{
    return GetDlgItem(dialog, IDC_INS_POINTS);
}

// The price attributes of the project's price list: per metre, and the one
// after it per square metre.
short PriceAttribute(int16_t unit)
{
    short perMetre = g_ins.priceList == 1 ? 1316 : g_ins.priceList == 2 ? 1318 : 1314;
    return unit == 2 ? static_cast<short>(perMetre + 1) : perMetre;
}

const char* UnitText(int16_t unit)
{
    return Shell_Text(static_cast<uint16_t>(Price_CurrencyUnitTextId(unit)));
}

void AddTypeRow(HWND dialog, const InsulationTypeRow& row)
{
    char number[12], price[24] = "";
    std::snprintf(number, sizeof(number), "%d", static_cast<int>(row.number));
    if (row.price != 0)
        std::snprintf(price, sizeof(price), "%.2f", static_cast<double>(row.price));
    EditorList_AddRow(Types(dialog), row.number, {number, row.name, price, row.price != 0 ? UnitText(row.unit) : ""});
}

void ReadType(TechDbHandle handle, int number, const char* name)
{
    EditorKey key(number);
    InsulationTypeRow& row = g_ins.table[number];
    row.number = number;
    std::snprintf(row.name, sizeof(row.name), "%.63s", name);
    row.unit = 1;
    row.price = TechDb_GetFloatAtt(handle, kClass, key.text, PriceAttribute(1));
    float stored = 0;
    if (row.price == 0 && TechDb_GetAtt(handle, kClass, key.text, PriceAttribute(2), nullptr, &stored, sizeof(stored))) {
        row.price = stored;
        row.unit = 2;
    }
    short count = 0;
    constexpr short kArrayBytes = sizeof(row.temperatures);
    TechDb_GetAtt(handle, kClass, key.text, kAttTemperatures, nullptr, row.temperatures, kArrayBytes);
    TechDb_GetAtt(handle, kClass, key.text, kAttConductances, &count, row.conductances, kArrayBytes);
    row.count = std::clamp<int32_t>(count, 0, kMaxInsulationPoints);
}

// The whole table is cleared first, so a type removed meanwhile by another
// program does not linger.
void LoadTypes(HWND dialog)
{
    for (InsulationTypeRow& row : g_ins.table)
        row = InsulationTypeRow{};
    g_ins.count = 0;
    EditorDb_Load(kOtherInsulationDb, Types(dialog), kClass, kAttName, 1,
                  [&](TechDbHandle handle, int number, const char* name) {
                      ReadType(handle, number, name);
                      AddTypeRow(dialog, g_ins.table[number]);
                      ++g_ins.count;
                  });
    EditorList_FitColumn(Types(dialog), 0);
}

void FillPoints(HWND dialog)
{
    HWND list = Points(dialog);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    const InsulationTypeRow& row = g_ins.table[g_ins.selectedType];
    for (int i = 1; i < row.count; ++i) {
        char index[12], temperature[24], conductance[24];
        std::snprintf(index, sizeof(index), "%d", i);
        std::snprintf(temperature, sizeof(temperature), "%.1f", static_cast<double>(row.temperatures[i]));
        std::snprintf(conductance, sizeof(conductance), "%.3f", static_cast<double>(row.conductances[i]));
        EditorList_AddRow(list, i, {index, temperature, conductance});
    }
    EditorList_FitColumn(list, 0);
}

void ShowSelection(HWND dialog)
{
    const InsulationTypeRow& row = g_ins.table[g_ins.selectedType];
    bool typeShown = g_ins.selectedType != 0;
    bool pointShown = typeShown && g_ins.selectedPoint > 0 && g_ins.selectedPoint < row.count;
    Field_SetText(dialog, IDC_INS_NAME, row.name, kNameLimit);
    Field_SetFloatOrBlank(dialog, IDC_INS_PRICE, typeShown ? row.price : kFieldMissingFloat, 0, 2);
    bool perMetre = typeShown ? row.unit != 2 : g_ins.edit.perMetre != 0;
    CheckRadioButton(dialog, IDC_INS_PER_METRE, IDC_INS_PER_SQUARE, perMetre ? IDC_INS_PER_METRE : IDC_INS_PER_SQUARE);
    Field_SetFloatOrBlank(dialog, IDC_INS_TEMPERATURE,
                          pointShown ? row.temperatures[g_ins.selectedPoint] : kFieldMissingFloat, 0, 1);
    Field_SetFloatOrBlank(dialog, IDC_INS_CONDUCTANCE,
                          pointShown ? row.conductances[g_ins.selectedPoint] : kFieldMissingFloat, 0, 3);
    char label[96] = "";
    if (typeShown)
        std::snprintf(label, sizeof(label), "%d : %s", g_ins.selectedType, row.name);
    Dlg_SetItemText(dialog, IDC_INS_SELECTED, label);
}

// The id of the last field that failed, else 0. A blank price counts as 0;
// the price takes only what the layers' price fields take.
int ReadControls(HWND dialog)
{
    ReentryGuard guard(g_ins.reading);
    if (!guard.entered())
        return 0;
    InsulationEditRecord& edit = g_ins.edit;
    int failed = 0;
    Field_GetText(dialog, IDC_INS_NAME, edit.name, kEditNameSize);
    if (Field_GetFloatOrMissing(dialog, IDC_INS_PRICE, &edit.price, kLayerPriceMinimum, kRecordFieldMaximum, 1) != 0)
        failed = IDC_INS_PRICE;
    else if (edit.price == kFieldMissingFloat)
        edit.price = 0;
    if (g_ins.pointEdit) {
        if (Field_GetFloatOrMissing(dialog, IDC_INS_TEMPERATURE, &edit.temperature, -kFieldLimit, kFieldLimit, 1))
            failed = IDC_INS_TEMPERATURE;
        if (Field_GetFloatOrMissing(dialog, IDC_INS_CONDUCTANCE, &edit.conductance, -kFieldLimit, kFieldLimit, 1))
            failed = IDC_INS_CONDUCTANCE;
    }
    edit.perMetre = IsDlgButtonChecked(dialog, IDC_INS_PER_METRE) == BST_CHECKED;
    edit.perSquareMetre = IsDlgButtonChecked(dialog, IDC_INS_PER_SQUARE) == BST_CHECKED;
    return failed;
}

void EnableControls(HWND dialog)
{
    bool held = g_ins.holdsMark, type = g_ins.typeEdit, point = g_ins.pointEdit, any = g_ins.count > 0;
    bool idle = !type && !point;
    EditorDlg_Enable(dialog, {
        {IDC_INS_NAME, held && type}, {IDC_INS_PRICE, held && type}, {IDC_INS_PER_METRE, held && type},
        {IDC_INS_PER_SQUARE, held && type}, {IDC_INS_TYPE_APPLY, held && type}, {IDC_INS_TYPE_CANCEL, held && type},
        {IDC_INS_TEMPERATURE, held && point}, {IDC_INS_CONDUCTANCE, held && point},
        {IDC_INS_POINT_APPLY, held && point}, {IDC_INS_POINT_CANCEL, held && point},
        {IDC_INS_TYPES, idle}, {IDC_INS_POINTS, idle}, {IDC_EDITOR_CLOSE, idle},
        {IDC_INS_TYPE_ADD, held && idle}, {IDC_INS_POINT_ADD, held && idle},
        {IDC_INS_TYPE_EDIT, held && idle && any}, {IDC_INS_TYPE_REMOVE, held && idle && any},
        {IDC_INS_POINT_EDIT, held && idle && any}, {IDC_INS_POINT_REMOVE, held && idle && any},
    });
}

void SetModes(HWND dialog, bool typeEdit, bool pointEdit, int focus)
{
    g_ins.typeEdit = typeEdit;
    g_ins.pointEdit = pointEdit;
    EnableControls(dialog);
    EditorDlg_Focus(dialog, focus);
}

bool WritePoints(TechDbHandle handle, const char* key, const InsulationTypeRow& row)
{
    TechDb_DeleteAtt(handle, kClass, key, kAttTemperatures);
    TechDb_DeleteAtt(handle, kClass, key, kAttConductances);
    auto count = static_cast<short>(row.count);
    return TechDb_SetAtt(handle, kClass, key, kAttTemperatures, count, const_cast<float*>(row.temperatures)) == 0 &&
           TechDb_SetAtt(handle, kClass, key, kAttConductances, count, const_cast<float*>(row.conductances)) == 0;
}

bool SaveType(HWND dialog, int number)
{
    const InsulationEditRecord& edit = g_ins.edit;
    InsulationTypeRow row = g_ins.table[number];
    row.count = std::max<int32_t>(row.count, 1);
    EditorKey key(number);
    char name[kStoredNameSize] = {};
    std::snprintf(name, sizeof(name), "%s", edit.name);
    int16_t unit = edit.perMetre ? 1 : 2;
    return EditorDb_Save(dialog, kOtherInsulationDb, [&](TechDbHandle handle) {
        TechDb_DeleteAtt(handle, kClass, key.text, PriceAttribute(unit == 1 ? 2 : 1));
        return EditorDb_KeepNumber(handle, number) && TechDb_SetAtt(handle, kClass, key.text, kAttName, 1, name) == 0 &&
               TechDb_SetFloatAtt(handle, kClass, key.text, PriceAttribute(unit), 1, edit.price) == 0 &&
               WritePoints(handle, key.text, row);
    });
}

// Only the points of the row: the name, unit and price stay as stored. The
// table keeps its row as it was when the row could not be saved.
bool SavePoints(HWND dialog, int number, const InsulationTypeRow& row)
{
    EditorKey key(number);
    if (!EditorDb_Save(dialog, kOtherInsulationDb,
                       [&](TechDbHandle handle) { return WritePoints(handle, key.text, row); }))
        return false;
    g_ins.table[number] = row;
    return true;
}

void SelectType(HWND dialog, int number)
{
    g_ins.selectedType = number > 0 && number < kTypes ? number : 0;
    g_ins.selectedPoint = 0;
    FillPoints(dialog);
    ShowSelection(dialog);
}

void OnApplyType(HWND dialog)
{
    int failed = ReadControls(dialog);
    if (failed)
        return EditorDlg_Focus(dialog, failed);
    if (!g_ins.edit.name[0]) {
        EditorBox_Refuse(dialog, Text_NameNeeded, Text_Apply);
        return EditorDlg_Focus(dialog, IDC_INS_NAME);
    }
    int number = g_ins.applyNumber;
    const InsulationTypeRow& row = g_ins.table[number];
    if (!InsulationPoints_PositiveAcross(row.conductances, row.count)) {
        EditorBox_Refuse(dialog, Text_ConductanceNotPositive, Text_Apply);
        return;   // its points must be mended first
    }
    if (const InsulationTypeRow* same = EditorTable_SameName(g_ins.table, g_ins.edit.name, number)) {
        if (!EditorBox_Ask(dialog, Shell_Text(Text_SameName), Text_Apply, MB_YESNO))
            return EditorDlg_Focus(dialog, IDC_INS_NAME);
        number = same->number;
    }
    if (!SaveType(dialog, number))
        return;   // still editing, with what was typed
    g_ins.applyNumber = number;
    LoadTypes(dialog);
    SetModes(dialog, false, false, 0);
    EditorList_Select(Types(dialog), number);
    SelectType(dialog, number);   // the label and fields show the type as saved
}

void OnEditType(HWND dialog)
{
    if (g_ins.selectedType == 0)
        return EditorBox_Refuse(dialog, Text_SelectType, Text_Edit);
    ShowSelection(dialog);
    g_ins.applyNumber = g_ins.selectedType;
    SetModes(dialog, true, false, IDC_INS_NAME);
}

void OnAddType(HWND dialog)
{
    int number = EditorDb_NextNumber(kOtherInsulationDb, kClass, kAttName);
    if (number == 0)
        return EditorBox_Refuse(dialog, Text_NoFreeNumber, Text_AddType);
    ShowSelection(dialog);
    g_ins.edit.name[0] = '\0';
    g_ins.edit.price = 0;
    g_ins.applyNumber = number;
    SetModes(dialog, true, false, IDC_INS_NAME);
}

void OnRemoveType(HWND dialog)
{
    if (g_ins.selectedType == 0)
        return EditorBox_Refuse(dialog, Text_SelectType, Text_RemoveType);
    InsulationTypeRow& row = g_ins.table[g_ins.selectedType];
    EditorKey key(g_ins.selectedType);
    const std::string users = EditorProject_SystemsUsing(
        [&](short page) { return Project_SystemUsesProduct(page, kClass, key.text); });
    std::string text = std::string(Shell_Text(Text_RemoveQuestion)) + "\n\n" + row.name;
    if (!EditorBox_AskRemove(dialog, text, users, Text_UsedInSystems, Text_UsersLoseLayers, Text_RemoveType) ||
        !EditorDb_Remove(dialog, kOtherInsulationDb, kClass, g_ins.selectedType, !users.empty()))
        return;
    row = InsulationTypeRow{};
    LoadTypes(dialog);
    SelectType(dialog, 0);
    EnableControls(dialog);
}

void OnCancelType(HWND dialog)
{
    EditorList_Select(Types(dialog), 0);
    SelectType(dialog, 0);
    SetModes(dialog, false, false, 0);
}

void OnEditPoint(HWND dialog)
{
    if (g_ins.selectedPoint == 0)
        return EditorBox_Refuse(dialog, Text_SelectPoint, Text_Edit);
    ShowSelection(dialog);
    g_ins.addPoint = false;
    SetModes(dialog, false, true, IDC_INS_TEMPERATURE);
}

void OnAddPoint(HWND dialog)
{
    if (g_ins.selectedType == 0)
        return EditorBox_Refuse(dialog, Text_SelectType, Text_AddPoint);
    if (g_ins.table[g_ins.selectedType].count >= kMaxInsulationPoints)
        return EditorBox_Refuse(dialog, Text_TooManyPoints, Text_AddPoint);
    g_ins.addPoint = true;
    SetModes(dialog, false, true, IDC_INS_TEMPERATURE);
}

// Checks the point's values; the id of the field to fix, else 0.
int CheckPoint(HWND dialog)
{
    const InsulationEditRecord& edit = g_ins.edit;
    if (edit.temperature == kFieldMissingFloat ||
        InputLimits_Check(dialog, edit.temperature, "INSDATATEMPERATURE_C", 1) != 0)
        return IDC_INS_TEMPERATURE;
    if (edit.conductance == kFieldMissingFloat ||
        InputLimits_Check(dialog, edit.conductance, "INSDATATHERMALCONDUCTANCE", 1) != 0)
        return IDC_INS_CONDUCTANCE;
    return 0;
}

void OnApplyPoint(HWND dialog)
{
    int failed = ReadControls(dialog);
    if (!failed)
        failed = CheckPoint(dialog);
    if (failed)
        return EditorDlg_Focus(dialog, failed);
    int number = g_ins.selectedType;
    int index = g_ins.addPoint ? -1 : g_ins.selectedPoint;
    int same = InsulationPoints_FindTemperature(g_ins.table[number].temperatures, g_ins.table[number].count,
                                                g_ins.edit.temperature, index);
    if (same > 0) {
        if (!EditorBox_Ask(dialog, Shell_Text(Text_SameTemperature), Text_Apply, MB_YESNO))
            return;
        index = same;
    }
    InsulationTypeRow row = g_ins.table[number];
    InsulationPoints_Store(row.temperatures, row.conductances, &row.count, index, g_ins.edit.temperature,
                           g_ins.edit.conductance);
    if (!InsulationPoints_PositiveAcross(row.conductances, row.count)) {
        EditorBox_Refuse(dialog, Text_ConductanceNotPositive, Text_Apply);
        return EditorDlg_Focus(dialog, IDC_INS_CONDUCTANCE);
    }
    if (!SavePoints(dialog, number, row))
        return;   // still editing, with what was typed
    g_ins.selectedPoint = 0;
    FillPoints(dialog);
    SetModes(dialog, false, false, 0);
}

void OnRemovePoint(HWND dialog)
{
    if (g_ins.selectedPoint == 0)
        return EditorBox_Refuse(dialog, Text_SelectPoint, Text_RemovePointCaption);
    InsulationTypeRow row = g_ins.table[g_ins.selectedType];
    InsulationPoints_Remove(row.temperatures, row.conductances, &row.count, g_ins.selectedPoint);
    if (!SavePoints(dialog, g_ins.selectedType, row))
        return;
    g_ins.selectedPoint = 0;
    FillPoints(dialog);
    ShowSelection(dialog);
}

void OnCancelPoint(HWND dialog)
{
    ShowSelection(dialog);
    SetModes(dialog, false, false, 0);
}

void OnOpen(HWND dialog)
{
    g_ins.priceList = Kadmi_GetIntAtt(-1, Att_PriceCurrency);
    g_ins.typeEdit = g_ins.pointEdit = g_ins.addPoint = false;
    Dlg_SetItemText(dialog, IDC_INS_PER_METRE, UnitText(1));
    Dlg_SetItemText(dialog, IDC_INS_PER_SQUARE, UnitText(2));
    EditorList_Setup(Types(dialog), {{0, 18}, {Text_Name, 150}, {Text_Price, 120}, {0, 70}});
    EditorList_Setup(Points(dialog), {{0, 18}, {Text_TemperatureColumn, 160}, {Text_ConductanceColumn, 180}});
    LoadTypes(dialog);
    g_ins.edit.perMetre = 1;
    SelectType(dialog, 0);
    EnableControls(dialog);
    EditorDlg_Focus(dialog, IDC_INS_NAME);
}

bool OnCommand(HWND dialog, UINT id)
{
    switch (id) {
    case IDC_INS_TYPE_APPLY: OnApplyType(dialog); return true;
    case IDC_INS_TYPE_EDIT: OnEditType(dialog); return true;
    case IDC_INS_TYPE_ADD: OnAddType(dialog); return true;
    case IDC_INS_TYPE_REMOVE: OnRemoveType(dialog); return true;
    case IDC_INS_TYPE_CANCEL: OnCancelType(dialog); return true;
    case IDC_INS_POINT_APPLY: OnApplyPoint(dialog); return true;
    case IDC_INS_POINT_EDIT: OnEditPoint(dialog); return true;
    case IDC_INS_POINT_ADD: OnAddPoint(dialog); return true;
    case IDC_INS_POINT_REMOVE: OnRemovePoint(dialog); return true;
    case IDC_INS_POINT_CANCEL: OnCancelPoint(dialog); return true;
    default: return false;
    }
}

// Keyboard and mouse select alike: the selection follows the lists' own.
void OnNotify(HWND dialog, UINT_PTR id, const NMHDR* header)
{
    if (g_ins.typeEdit || g_ins.pointEdit || !EditorList_SelectionChanged(header))
        return;
    if (id == IDC_INS_TYPES) {
        int number = static_cast<int>(EditorList_Selected(Types(dialog), 0));
        if (number != g_ins.selectedType)
            SelectType(dialog, number);
    } else if (id == IDC_INS_POINTS) {
        g_ins.selectedPoint = static_cast<int>(EditorList_Selected(Points(dialog), 0));
        ShowSelection(dialog);
    }
}

const EditorDialog kInsulationEditor = {
    IDD_INSULATION_DATA, kInsulationTexts, kOtherInsulationDb, {Text_InUse1, Text_InUse2, Text_InUse3, Text_InUse4},
    Text_MarkFailed, HelpContext_UserInsulation, CalcPage_InsulationDataChanged, &g_ins.holdsMark,
    OnOpen, OnCommand, OnNotify, nullptr,
};

} // namespace

int InsulationPoints_FindTemperature(const float* temperatures, int count, float temperature, int except)
{
    for (int i = 1; i < count; ++i)
        if (i != except && temperatures[i] == temperature)
            return i;
    return 0;
}

int InsulationPoints_Store(float* temperatures, float* conductances, int32_t* count, int index, float temperature,
                           float conductance)
{
    if (*count < 1) {   // the placeholder element comes first
        temperatures[0] = conductances[0] = 0;
        *count = 1;
    }
    if (index <= 0 || index >= *count) {
        if (*count >= kMaxInsulationPoints)
            return -1;
        index = (*count)++;
    }
    temperatures[index] = temperature;
    conductances[index] = conductance;
    struct Point {
        float temperature, conductance;
    };
    Point points[kMaxInsulationPoints];
    for (int i = 1; i < *count; ++i)
        points[i] = {temperatures[i], conductances[i]};
    std::stable_sort(points + 1, points + *count, [](const Point& a, const Point& b) {
        return a.temperature < b.temperature;
    });
    for (int i = 1; i < *count; ++i) {
        temperatures[i] = points[i].temperature;
        conductances[i] = points[i].conductance;
    }
    return 0;
}

bool InsulationPoints_PositiveAcross(const float* conductances, int count)
{
    for (int i = 1; i < count; ++i)
        if (!(conductances[i] > 0))
            return false;
    return true;
}

void InsulationPoints_Remove(float* temperatures, float* conductances, int32_t* count, int index)
{
    if (index < 1 || index >= *count)
        return;
    for (int i = index; i + 1 < *count; ++i) {
        temperatures[i] = temperatures[i + 1];
        conductances[i] = conductances[i + 1];
    }
    --*count;
    temperatures[*count] = conductances[*count] = 0;
}

INT_PTR InsulationData_Show(HWND owner)
{
    return EditorDlg_Run(owner, kInsulationEditor);
}
