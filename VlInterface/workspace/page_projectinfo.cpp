// The project information page: project, customer, address, reference,
// author and free information of the project block, and the date of the last
// save. Its texts are fields of the calculation record; the record's load and
// store are calcrecord.cpp's.
#include "VlInterface/workspace/page_projectinfo.h"
#include "VlInterface/workspace/dlgfields.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "Kadmi/kadmi.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/dates.h"
#include "support/dlgutil.h"
#include "support/help.h"
#include "support/tooltips.h"
#include "support/attributes.h"
#include <cstddef>

namespace {

constexpr uint16_t kTitleText = 20010;
constexpr int kHelpContext = 4;
constexpr int kSaveDateSize = 100;

// The page's edit fields and the record texts they show.
struct TextField {
    int controlId;
    size_t offset;
    int size;
};
constexpr TextField kTextFields[] = {
    {IDC_PI_PROJECT, offsetof(CalcRecord, projectName), kCalcTextSize},
    {IDC_PI_CUSTOMER, offsetof(CalcRecord, customer), kCalcTextSize},
    {IDC_PI_ADDRESS1, offsetof(CalcRecord, address1), kCalcAddressSize},
    {IDC_PI_ADDRESS2, offsetof(CalcRecord, address2), kCalcAddressSize},
    {IDC_PI_REFERENCE, offsetof(CalcRecord, reference), kCalcTextSize},
    {IDC_PI_ORIGINATED_BY, offsetof(CalcRecord, originatedBy), kCalcTextSize},
    {IDC_PI_INFORMATION, offsetof(CalcRecord, information), kCalcInformationSize},
};

constexpr DialogTextTable kTranslations[] = {
    {IDC_PI_SAVE_DATE_LABEL, 40013, nullptr},  {IDC_PI_PROJECT_LABEL, 30100, nullptr},
    {IDC_PI_CUSTOMER_LABEL, 30099, nullptr},   {IDC_PI_REFERENCE_LABEL, 30101, nullptr},
    {IDC_PI_ORIGINATED_LABEL, 30102, nullptr}, {IDC_PI_ADDRESS_LABEL, 30016, nullptr},
    {IDC_PI_INFORMATION_LABEL, 30103, nullptr}, {0, 0, nullptr},
};
constexpr DialogTextTable kTooltips[] = {{0, 0, nullptr}};

char* RecordText(const TextField& field)
{
    return reinterpret_cast<char*>(&CalcRec()) + field.offset;
}

void ShowRecord(HWND page)
{
    CalcRecord_Load();
    for (const TextField& field : kTextFields)
        Field_SetTextLimited(page, field.controlId, RecordText(field), field.size - 1);
}

void ReadControls(HWND page)
{
    if (CalcTabs_IsBusy())
        return;
    for (const TextField& field : kTextFields)
        Field_GetTextPadded(page, field.controlId, RecordText(field), field.size);
    CalcRecord_FlagsToCodes();
}

void ShowSaveDate(HWND page)
{
    char date[kSaveDateSize] = {};
    if (!Kadmi_GetAtt(-1, Att_SaveDate, nullptr, date, sizeof(date) - 1) || !date[0])
        Date_TodayLocal(date);
    Dlg_SetItemText(page, IDC_PI_SAVE_DATE, date);
}

void DisableWithoutSystem(HWND page)
{
    Dlg_RestoreChildren(page);
    if (!Shell_HasLayerParts())
        Dlg_DisableChildren(page);
}

void OnInitDialog(HWND page)
{
    CalcTabs_PlacePage(page);
    TextAPI_TranslateDialog(Shell().textHandle, page, kTranslations);
    ShowRecord(page);
    ShowSaveDate(page);
    DisableWithoutSystem(page);
    Dlg_FocusItem(page, IDC_PI_PROJECT);
    Shell().helpContext = kHelpContext;
}

LRESULT OnNotice(HWND page, int32_t code)
{
    switch (code) {
    case CalcPage_SetActive:
        MainWnd_EnableCommands(App().mainWindow);
        DisableWithoutSystem(page);
        ShowRecord(page);
        ShowSaveDate(page);   // a save while another tab was open
        break;
    case CalcPage_KillActive:
        ReadControls(page);
        CalcRecord_Store(0);
        break;
    case CalcPage_Validate:
        ReadControls(page);
        ShowSaveDate(page);
        break;
    case CalcPage_Saved:
        ShowSaveDate(page);
        break;
    case CalcPage_WeatherChanged:
    case CalcPage_InsulationDataChanged:
        Project_MarkInputsEdited();
        [[fallthrough]];
    case CalcPage_SettingsChanged:   // what changed there is stamped by the settings dialog
        TextAPI_TranslateDialog(Shell().textHandle, page, kTranslations);
        break;
    default:
        break;
    }
    return 0;
}

void OnCommand(HWND page, int id, int code)
{
    if (id == IDC_DIALOG_HELP)
        Help_Show(page, Shell().helpPath, kHelpContext);
    else
        CalcPage_SelectOnFocus(page, id, code);
}

} // namespace

void ProjectInfoPage_GetPageInfo(CalcPageRecord* record)
{
    CalcPage_FillRecord(record, IDD_PROJECT_INFO, kTitleText, ProjectInfoPage_DlgProc);
}

INT_PTR CALLBACK ProjectInfoPage_DlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    Tooltip_HandleDialogMessage(page, message, wParam, lParam, Shell().textHandle, kTooltips);
    if (CalcPage_HandleNotice(page, message, wParam, lParam, OnNotice))
        return TRUE;
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(page);
        return FALSE;   // the focus is set
    case WM_CLOSE:
        PostMessageW(page, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_DRAWITEM:
        return TRUE;
    case WM_COMMAND:
        OnCommand(page, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}
