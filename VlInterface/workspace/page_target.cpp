// The insulation target page: shows the calculation record's object and
// surroundings, reads them back with store group 1, enables the fields the
// geometry and the location call for, and tests the limits when the page is
// left (target_limits.cpp). The weather locations come from calcdata.
#include "VlInterface/workspace/page_target.h"
#include "VlInterface/workspace/annual_costs.h"
#include "VlInterface/workspace/calcdata.h"
#include "VlInterface/workspace/dlgfields.h"
#include "VlInterface/workspace/target_limits.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/dlgutil.h"
#include "support/lookups.h"
#include "support/tooltips.h"
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr uint16_t kTitleText = 40070;
constexpr int kHelpContext = 5;
constexpr float kFieldLimit = 999999.0f;
constexpr int16_t kUserLocation = -100;
constexpr int kAllFirst = 1, kAllLast = 9999;
constexpr int kSurroundingsFirst = 105, kSurroundingsLast = 147;

// The page's guard against its own notices: filling the controls sends
// notifications that would read them back half filled.
struct TargetPageState {
    bool busy = false;   // filling, reading or enabling
    ProductListEntry locations[kProductListSize] = {};
} g_target;

// In the order they are read. Diameters keep a decimal: standard pipes are
// 88.9 or 114.3 mm.
constexpr const char* kDiameterKey = "HLOSSOUTERDIAMTARGET_MM";
constexpr const char* kHumidityKey = "HLOSSRELATIVEHUMIDITY";
constexpr RecordFloatField kContentsField = {IDC_TG_CONTENTS_TEMP, offsetof(CalcRecord, contentsTemperature), 1,
                                             -kFieldLimit, "HLOSSCONTENTTEMPERATURE_C"};
constexpr RecordFloatField kAmbientField = {IDC_TG_AMBIENT_TEMP, offsetof(CalcRecord, ambientTemperature), 1,
                                            -kFieldLimit, "HLOSSAMBIENTTEMPERATURE_C"};
constexpr RecordFloatField kNumberFields[] = {
    {IDC_TG_PIPE_DIAMETER, offsetof(CalcRecord, outerDiameters), 1, -kFieldLimit, kDiameterKey},
    {IDC_TG_DUCT_DIAMETER, offsetof(CalcRecord, outerDiameters) + sizeof(float), 1, -kFieldLimit, kDiameterKey},
    {IDC_TG_WIDTH, offsetof(CalcRecord, width), 0, -kFieldLimit, "HLOSSWIDTH_MM"},
    {IDC_TG_HEIGHT, offsetof(CalcRecord, height), 0, -kFieldLimit, "HLOSSHEIGHT_MM"},
    {IDC_TG_LABOUR_PRICE, offsetof(CalcRecord, labourPrice), 2, 0.0f},
    kContentsField,
    kAmbientField,
    {IDC_TG_HUMIDITY, offsetof(CalcRecord, relativeHumidity), 1, -kFieldLimit, kHumidityKey},
    {IDC_TG_AIR_VELOCITY, offsetof(CalcRecord, airVelocity), 2, -kFieldLimit, "HLOSSAIRVELOCITY_MS"},
#ifdef VL_EXTENDED
    {IDC_TG_TARGET_HUMIDITY, offsetof(CalcRecord, targetHumidity), 1, -kFieldLimit, kHumidityKey},
#endif
};

// The geometry radio buttons in the order of the record's flags.
constexpr int kGeometryButtons[] = {IDC_TG_PLANE, IDC_TG_PIPE, IDC_TG_ROUND_DUCT, IDC_TG_RECT_DUCT};

// The dimension fields each geometry leaves disabled.
struct GeometryFields {
    int disabled[4];
};
constexpr GeometryFields kDisabledByGeometry[] = {
    {{IDC_TG_PIPE_DIAMETER, IDC_TG_DUCT_DIAMETER, IDC_TG_WIDTH, IDC_TG_HEIGHT}},
    {{IDC_TG_DUCT_DIAMETER, IDC_TG_WIDTH, IDC_TG_HEIGHT, 0}},
    {{IDC_TG_PIPE_DIAMETER, IDC_TG_WIDTH, IDC_TG_HEIGHT, 0}},
    {{IDC_TG_PIPE_DIAMETER, IDC_TG_DUCT_DIAMETER, 0, 0}},
};
constexpr int kEnabledFirst[] = {IDC_TG_PIPE_DIAMETER, IDC_TG_ROUND_DUCT, IDC_TG_DUCT_DIAMETER, IDC_TG_RECT_DUCT,
                                 IDC_TG_WIDTH, IDC_TG_HEIGHT, IDC_TG_CONTENTS_TEMP, IDC_TG_AMBIENT_TEMP,
                                 IDC_TG_HUMIDITY, IDC_TG_AIR_VELOCITY,
#ifdef VL_EXTENDED
                                 IDC_TG_TARGET_HUMIDITY,
#endif
};

constexpr DialogTextTable kSurfaceItems[] = {{1, 20035, nullptr}, {2, 20034, nullptr}, {0, 0, nullptr}};

constexpr DialogTextTable kTranslations[] = {
    {IDC_TG_DESCRIPTION_LABEL, 40014, nullptr}, {IDC_TG_SURFACE_LABEL, 40072, nullptr},
    {IDC_TG_OBJECT_GROUP, 40073, nullptr},      {IDC_TG_PLANE, 30026, nullptr},
    {IDC_TG_PIPE, 30027, nullptr},              {IDC_TG_PIPE_DIAMETER_LABEL, 30030, nullptr},
    {IDC_TG_PIPE_DIAMETER_UNIT, 30032, nullptr}, {IDC_TG_ROUND_DUCT, 40015, nullptr},
    {IDC_TG_DUCT_DIAMETER_LABEL, 30030, nullptr}, {IDC_TG_DUCT_DIAMETER_UNIT, 30032, nullptr},
    {IDC_TG_RECT_DUCT, 30028, nullptr},         {IDC_TG_WIDTH_LABEL, 30029, nullptr},
    {IDC_TG_WIDTH_UNIT, 30032, nullptr},        {IDC_TG_HEIGHT_LABEL, 30031, nullptr},
    {IDC_TG_HEIGHT_UNIT, 30032, nullptr},       {IDC_TG_CONTENTS_GROUP, 40071, nullptr},
    {IDC_TG_CONTENTS_TEMP_LABEL, 30037, nullptr}, {IDC_TG_CONTENTS_TEMP_UNIT, 30039, nullptr},
    {IDC_TG_LABOUR_PRICE_LABEL, 40016, nullptr}, {IDC_TG_LABOUR_PRICE_UNIT, 30090, nullptr},
    {IDC_TG_AMBIENT_GROUP, 40066, nullptr},     {IDC_TG_LOCATION_LABEL, 50021, nullptr},
    {IDC_TG_AMBIENT_TEMP_LABEL, 30038, nullptr}, {IDC_TG_AMBIENT_TEMP_UNIT, 30039, nullptr},
    {IDC_TG_HUMIDITY_LABEL, 30036, nullptr},    {IDC_TG_HUMIDITY_UNIT, 30040, nullptr},
    {IDC_TG_AIR_VELOCITY_LABEL, 30035, nullptr}, {IDC_TG_AIR_VELOCITY_UNIT, 30041, nullptr},
    {IDC_TG_ANNUAL_COSTS, 30074, nullptr},
#ifdef VL_EXTENDED
    {IDC_TG_TARGET_HUMIDITY_LABEL, IDS_EXT_RELATIVE_HUMIDITY, nullptr},
#endif
    {0, 0, nullptr},
};
constexpr DialogTextTable kTooltips[] = {{IDC_TG_LOCATION, 40069, nullptr}, {0, 0, nullptr}};

int GeometryIndex(const CalcRecord& record)
{
    for (int flag = Flag_Plane; flag <= Flag_RectDuct; ++flag) {
        if (record.geometryFlags[flag])
            return flag;
    }
    return Flag_Plane;
}

bool InRange(int id, int first, int last)
{
    return id >= first && id <= last;
}

// The location list entry of the record's location, or null.
const ProductListEntry* RecordLocation(const CalcRecord& record)
{
    int index = ProductList_FindIndex(record.location, nullptr, g_target.locations);
    return index < 0 ? nullptr : &g_target.locations[index];
}

// A location the weather data no longer holds is listed as removed while the
// record has it. The list, which holds every location, is given to the
// control only when it changed since it was last shown.
void FillLists(HWND page)
{
    std::vector<ProductListEntry> built(kProductListSize);
    LocationList_Build(built.data());
    if (CalcRec().location == kLocationRemoved)
        LocationList_AddRemoved(built.data(), CalcRec().locationKey);
    const bool shown = SendDlgItemMessageW(page, IDC_TG_LOCATION, CB_GETCOUNT, 0, 0) > 0 &&
                       std::memcmp(built.data(), g_target.locations, sizeof(g_target.locations)) == 0;
    if (!shown) {
        std::memcpy(g_target.locations, built.data(), sizeof(g_target.locations));
        Combo_ShowProductList(page, IDC_TG_LOCATION, g_target.locations);
    }
    Combo_Reset(page, IDC_TG_SURFACE);
    Combo_FillFromTable(page, IDC_TG_SURFACE, kSurfaceItems);
}

// Fills the controls whose ids lie in first..last; a first id below 1
// reloads the record first.
void RecordToControls(HWND page, int first, int last)
{
    ReentryGuard guard(g_target.busy);
    if (!guard.entered())
        return;
    if (first < 1)
        CalcRecord_Load();
    CalcRecord& record = CalcRec();
    if (InRange(IDC_TG_DESCRIPTION, first, last))
        Field_SetTextLimited(page, IDC_TG_DESCRIPTION, record.description, kCalcTextSize - 1);
    for (int flag = Flag_Plane; flag <= Flag_RectDuct; ++flag) {
        if (InRange(kGeometryButtons[flag], first, last))
            Check_SetByte(page, kGeometryButtons[flag], record.geometryFlags[flag]);
    }
    for (const RecordFloatField& field : kNumberFields) {
        if (InRange(field.id, first, last))
            RecordFloatFields_Show(page, record, {&field, 1});
    }
    if (InRange(IDC_TG_SURFACE, first, last)) {
        Combo_Select(page, IDC_TG_SURFACE, nullptr, -1, record.reportedSurface);
        Combo_EnsureSelection(page, IDC_TG_SURFACE);
    }
    if (InRange(IDC_TG_LOCATION, first, last)) {
        // Each entry is one item, at the entry's position: no search through
        // hundreds of items.
        const int index = ProductList_FindIndex(record.location, nullptr, g_target.locations);
        if (index >= 0 && SendDlgItemMessageW(page, IDC_TG_LOCATION, CB_GETITEMDATA, static_cast<WPARAM>(index), 0) ==
                              record.location)
            SendDlgItemMessageW(page, IDC_TG_LOCATION, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        else
            Combo_Select(page, IDC_TG_LOCATION, nullptr, -1, record.location);
        Combo_EnsureSelection(page, IDC_TG_LOCATION);
    }
}

int16_t SelectedDatum(HWND page, int id)
{
    int32_t datum = 0;
    Combo_GetSelection(page, id, &datum);
    return static_cast<int16_t>(datum);
}

// The humidity matters only when the contents are not warmer than the air.
bool HumidityApplies(const CalcRecord& record)
{
    return !(record.contentsTemperature > record.ambientTemperature);
}

// The humidity field follows the temperatures as they are shown, so that Tab
// from the air temperature reaches it when it applies.
void FollowTemperatures(HWND page)
{
    if (!Shell_HasLayerParts())
        return;
    CalcRecord typed = CalcRec();
    if (RecordFloatField_Read(page, typed, kContentsField, 0) == 0 &&
        RecordFloatField_Read(page, typed, kAmbientField, 0) == 0)
        Dlg_EnableItem(page, IDC_TG_HUMIDITY, HumidityApplies(typed));
}

std::string TemperatureTexts(HWND page)
{
    return Dlg_GetItemText(page, IDC_TG_CONTENTS_TEMP) + '\n' + Dlg_GetItemText(page, IDC_TG_AMBIENT_TEMP);
}

// Reads every control into the record and stores it with group 1, also when
// a number was refused; with show set a refused number tells its range.
// Returns the id of the last refused number, or 0.
int ControlsToRecord(HWND page, short show)
{
    if (CalcTabs_IsBusy())
        return 0;
    ReentryGuard guard(g_target.busy);
    if (!guard.entered())
        return 0;
    CalcRecord& record = CalcRec();
    const std::string temperatures = TemperatureTexts(page);
    Field_GetTextPadded(page, IDC_TG_DESCRIPTION, record.description, kCalcTextSize);
    for (int flag = Flag_Plane; flag <= Flag_RectDuct; ++flag)
        Check_GetByte(page, kGeometryButtons[flag], &record.geometryFlags[flag]);
    int refused = RecordFloatFields_Read(page, record, kNumberFields, show);
    // A refused temperature shows its accepted value again: not typed, but followed.
    if (TemperatureTexts(page) != temperatures)
        FollowTemperatures(page);
    record.location = SelectedDatum(page, IDC_TG_LOCATION);
    record.reportedSurface = SelectedDatum(page, IDC_TG_SURFACE);
    CalcRecord_Store(1);
    return refused;
}

void SetReadOnly(HWND page, int id, bool readOnly)
{
    SendDlgItemMessageW(page, id, EM_SETREADONLY, readOnly, 0);
}

void EnableControls(HWND page)
{
    ReentryGuard guard(g_target.busy);
    if (!guard.entered())
        return;
    Dlg_RestoreChildren(page);
    const CalcRecord& record = CalcRec();
    int geometry = GeometryIndex(record);
    long unitText = Price_CurrencyUnitTextId(geometry == Flag_Plane ? 2 : 1);
    Dlg_SetItemText(page, IDC_TG_LABOUR_PRICE_UNIT, Shell_Text(static_cast<uint16_t>(unitText)));
    for (int id : kEnabledFirst)
        Dlg_EnableItem(page, id, true);
    for (int id : kDisabledByGeometry[geometry].disabled) {
        if (id)
            Dlg_EnableItem(page, id, false);
    }
    // Its values come from the weather data; a removed location gives none.
    bool weatherLocation = record.location != kUserLocation && record.location != kLocationRemoved;
    SetReadOnly(page, IDC_TG_AMBIENT_TEMP, weatherLocation);
    SetReadOnly(page, IDC_TG_AIR_VELOCITY, weatherLocation);
    if (!HumidityApplies(record))
        Dlg_EnableItem(page, IDC_TG_HUMIDITY, false);
    if (!Shell_HasLayerParts())
        Dlg_DisableChildren(page);
}

void ApplyLocation(HWND page)
{
    if (const ProductListEntry* location = RecordLocation(CalcRec()))
        Location_ApplyWeather(&CalcRec(), location->code);
    RecordToControls(page, kSurroundingsFirst, kSurroundingsLast);
}

// Reload, fill, take the location's weather and enable: how the page shows
// itself when it opens, is shown again, or the language changed.
// A system whose surface or location the lists do not hold shows their
// first entry: that is what the system holds from now on, without counting
// as an edit. The weather of a location can change, so that is applied after.
void ShowRecord(HWND page)
{
    CalcRecord_Load();
    FillLists(page);
    RecordToControls(page, kAllFirst, kAllLast);
    CalcRec().reportedSurface = SelectedDatum(page, IDC_TG_SURFACE);
    CalcRec().location = SelectedDatum(page, IDC_TG_LOCATION);
    CalcRecord_Settle();
    ApplyLocation(page);
    EnableControls(page);
}

bool CheckLimits(HWND page)
{
    int control = 0;
    if (TargetInputs_CheckLimits(page, CalcRec(), true, &control) == 0)
        return true;
    Dlg_FocusItem(page, control);
    return false;
}

void OnInitDialog(HWND page)
{
    CalcTabs_PlacePage(page);
    TextAPI_TranslateDialog(Shell().textHandle, page, kTranslations);
    ShowRecord(page);
    Dlg_FocusItem(page, IDC_TG_DESCRIPTION);
    Shell().helpContext = kHelpContext;
}

// The page stays while a number is unreadable or an input lies outside its
// limits; the record is stored either way.
LRESULT OnKillActive(HWND page)
{
    bool readable = ControlsToRecord(page, 1) == 0;
    return readable && CheckLimits(page) ? 0 : 1;
}

LRESULT OnNotice(HWND page, int32_t code)
{
    switch (code) {
    case CalcPage_SetActive:
        if (!CalcTabs_PageJustOpened()) {   // else its opening has just shown the system
            ShowRecord(page);
            RecordToControls(page, kSurroundingsFirst, kSurroundingsLast);
        }
        return 0;
    case CalcPage_KillActive:
        return OnKillActive(page);
    case CalcPage_Validate:
        return ControlsToRecord(page, 0) == 0 ? 0 : kCalcPageInvalid;
    case CalcPage_WeatherChanged:
    case CalcPage_InsulationDataChanged:
        Project_MarkInputsEdited();
        [[fallthrough]];
    case CalcPage_SettingsChanged:
        TextAPI_TranslateDialog(Shell().textHandle, page, kTranslations);
        ShowRecord(page);
        return 0;
    default:
        return 0;
    }
}

void OnGeometryChosen(HWND page)
{
    if (ControlsToRecord(page, 0) != 0)
        return;
    CalcTabs_UpdateTabs();   // the cooling tab follows the object
    MainWnd_SelectCalcPage(1);
    EnableControls(page);
    RecordToControls(page, kAllFirst, kAllLast);
}

// Any notice of the list, its focus changes included; the fields are
// written again only for another location, never under the field that the
// focus is entering.
void OnLocationNotice(HWND page)
{
    int16_t before = CalcRec().location;
    if (ControlsToRecord(page, 0) != 0)
        return;
    if (CalcRec().location == before) {
        EnableControls(page);
        return;
    }
    if (const ProductListEntry* location = RecordLocation(CalcRec()))
        Location_ApplyWeather(&CalcRec(), location->code);
    EnableControls(page);
    RecordToControls(page, kAllFirst, kAllLast);
}

// A text that cannot be read stays as typed: leaving the page tells its range.
void OnTemperatureLeft(HWND page)
{
    bool readable = ControlsToRecord(page, 0) == 0;
    EnableControls(page);
    if (readable)
        RecordToControls(page, kAllFirst, kAllLast);
}

// A fill's texts are not typed; a read follows its own (ControlsToRecord).
void OnTemperatureTyped(HWND page)
{
    if (!g_target.busy)
        FollowTemperatures(page);
}

void OnCommand(HWND page, int id, int code)
{
    switch (id) {
    case IDC_TG_PLANE:
    case IDC_TG_PIPE:
    case IDC_TG_ROUND_DUCT:
    case IDC_TG_RECT_DUCT:
        OnGeometryChosen(page);
        return;
    case IDC_TG_LOCATION:
        if (code == CBN_SELCHANGE || code == CBN_CLOSEUP)
            Tooltip_Hide(page);   // it would stay over the fields below
        OnLocationNotice(page);
        return;
    case IDC_TG_CONTENTS_TEMP:
    case IDC_TG_AMBIENT_TEMP:
        if (code == EN_KILLFOCUS)
            OnTemperatureLeft(page);
        else if (code == EN_CHANGE)
            OnTemperatureTyped(page);
        else
            CalcPage_SelectOnFocus(page, id, code);
        return;
    case IDC_TG_ANNUAL_COSTS:
        if (code == BN_CLICKED && ControlsToRecord(page, 0) == 0) {
            AnnualCosts_Show(page);
            EnableControls(page);
        }
        return;
    default:
        CalcPage_SelectOnFocus(page, id, code);
        return;
    }
}

} // namespace

void TargetPage_GetPageInfo(CalcPageRecord* record)
{
    CalcPage_FillRecord(record, IDD_TARGET, kTitleText, TargetPage_DlgProc);
}

INT_PTR CALLBACK TargetPage_DlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    Tooltip_HandleDialogMessage(page, message, wParam, lParam, Shell().textHandle, kTooltips);
    if (CalcPage_HandleNotice(page, message, wParam, lParam, OnNotice))
        return TRUE;
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(page);
        return FALSE;   // the focus is set
    case WM_COMMAND:
        if (!CalcTabs_IsBusy())
            OnCommand(page, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}
