// The settings dialog: interface and print-out language, country of
// manufacture and price list. OK applies the choices at once: registry,
// project, the text language of this module and of the error list and print
// libraries; a real change marks every system edited.
#include "VlInterface/dialogs/dialogs.h"
#include "VlInterface/dialogs/dlgtexts.h"
#include "VlInterface/dialogs/settingsdlg.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/workspace/calcdata.h"
#include "VlInterface/workspace/calctabs.h"
#include "VlPrint/vlprint.h"
#include "VlUtil/vlutil.h"
#include "Kadmi/kadmi.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/app.h"
#include "support/dlgutil.h"
#include "support/settings.h"
#include "support/tooltips.h"
#include "support/attributes.h"
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kLanguageRows = 30;
constexpr int kPriceRows = kPriceDbListRows;

const DialogTextTable kSettingsTexts[] = {
    {0, Text_Settings, nullptr},
    {IDC_SET_INTERFACE_LABEL, Text_InterfaceLanguage, nullptr},
    {IDC_SET_PRINT_LABEL, Text_PrintLanguage, nullptr},
    {IDC_SET_COUNTRY_LABEL, Text_Country, nullptr},
    {IDC_SET_PRICE_LABEL, Text_PriceList, nullptr},
    {IDOK, Text_Ok, nullptr},
    {IDCANCEL, Text_Cancel, nullptr},
    {IDC_DIALOG_HELP, Text_Help, nullptr},
    {0, 0, nullptr},
};
const DialogTextTable kNoTooltips[] = {{0, 0, nullptr}};
const DialogTextTable kCountries[] = {
    {0, Text_CountryOther, nullptr},
    {1, Text_CountrySweden, nullptr},
    {2, Text_CountryPoland, nullptr},
    {0, 0, nullptr},
};

// A choice list: rows {item data, text id, name} ended by a zero row; the
// language names are kept beside it.
struct ChoiceTable {
    std::vector<DialogTextTable> rows;
    std::vector<std::string> names;
};

struct SettingsState {
    SettingsRecord record{}, loaded{};
    ChoiceTable interfaceLanguages, printLanguages;
    DialogTextTable priceLists[kPriceRows + 1] = {};
    bool busy = false;   // filling or reading the controls
};
SettingsState g_settings;

using LanguageList = decltype(&TextAPI_GetLanguageIDList);

// At most 29 languages, so that the table always keeps its zero row.
ChoiceTable BuildLanguageTable(LanguageList list)
{
    LanguageId ids[kLanguageRows] = {};
    list(Shell().textHandle, ids, kLanguageRows - 1);
    ChoiceTable table;
    table.names.reserve(kLanguageRows);
    for (int i = 0; i < kLanguageRows - 1 && ids[i] > 0; ++i)
        table.names.emplace_back(TextAPI_GetLanguageName(Shell().textHandle, ids[i], 0));
    for (size_t i = 0; i < table.names.size(); ++i)
        table.rows.push_back({ids[i], 0, table.names[i].c_str()});
    table.rows.push_back({0, 0, nullptr});
    return table;
}

void FillList(HWND dialog, int id, const DialogTextTable* rows, int16_t selected)
{
    HWND list = GetDlgItem(dialog, id);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const DialogTextTable* row = rows; row->controlId || row->textId || row->literal; ++row) {
        const char* text = row->literal ? row->literal : Shell_Text(static_cast<uint16_t>(row->textId));
        LRESULT item = Wnd_SendText(list, CB_ADDSTRING, 0, text);

        SendMessageW(list, CB_SETITEMDATA, item, row->controlId);
        if (row->controlId == selected)
            SendMessageW(list, CB_SETCURSEL, item, 0);
    }
}

// The item data of the selection; unselected when the list has none.
int16_t SelectedData(HWND dialog, int id, int16_t unselected = 0)
{
    LRESULT item = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
    return item == CB_ERR ? unselected
                          : static_cast<int16_t>(SendDlgItemMessageW(dialog, id, CB_GETITEMDATA, item, 0));
}

void FillControls(HWND dialog)
{
    ReentryGuard guard(g_settings.busy);
    if (!guard.entered())
        return;
    const SettingsRecord& record = g_settings.record;
    FillList(dialog, IDC_SET_INTERFACE_LNG, g_settings.interfaceLanguages.rows.data(), record.interfaceLanguage);
    FillList(dialog, IDC_SET_PRINT_LNG, g_settings.printLanguages.rows.data(), record.printLanguage);
    FillList(dialog, IDC_SET_COUNTRY, kCountries, record.country);
    FillList(dialog, IDC_SET_PRICE_LIST, g_settings.priceLists, record.priceList);
}

void ReadControls(HWND dialog)
{
    ReentryGuard guard(g_settings.busy);
    if (!guard.entered())
        return;
    SettingsRecord& record = g_settings.record;
    // A stored language that these texts do not offer is kept, not lost.
    record.interfaceLanguage = SelectedData(dialog, IDC_SET_INTERFACE_LNG, record.interfaceLanguage);
    record.printLanguage = SelectedData(dialog, IDC_SET_PRINT_LNG, record.printLanguage);
    record.country = SelectedData(dialog, IDC_SET_COUNTRY);
    // A currency the list cannot show stays the project's.
    record.priceList = SelectedData(dialog, IDC_SET_PRICE_LIST, record.priceList);
}

INT_PTR OnCommand(HWND dialog, UINT id)
{
    switch (id) {
    case IDOK:
        ReadControls(dialog);
        EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case IDC_DIALOG_HELP:
        DlgHelp_Show(dialog, HelpContext_Settings);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK SettingsDlg_DlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    Tooltip_HandleDialogMessage(dialog, message, wParam, lParam, Shell().textHandle, kNoTooltips);
    switch (message) {
    case WM_INITDIALOG:
        Wnd_CenterOnOwner(dialog);
        TextAPI_TranslateDialog(Shell().textHandle, dialog, kSettingsTexts);
        FillControls(dialog);
        SetFocus(GetDlgItem(dialog, IDC_SET_INTERFACE_LNG));
        return FALSE;
    case WM_DRAWITEM:
        return TRUE;
    case WM_CLOSE:
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    default:
        return FALSE;
    }
}

// A missing or too small language setting means the default language, and
// the dialog shows that one rather than an empty choice.
int16_t LanguageInForce(const char* key)
{
    long language = Settings_ReadInt(nullptr, key);
    return static_cast<int16_t>(language < 1500 ? kDefaultLanguage : language);
}

} // namespace

void SettingsDlg_Load(SettingsRecord* record)
{
    record->interfaceLanguage = LanguageInForce("General\\InterfaceLng");
    record->printLanguage = LanguageInForce("Output\\PrintLng");
    record->country = Kadmi_GetIntAtt(-1, Att_ManufactureCountry);
    record->priceList = Kadmi_GetIntAtt(-1, Att_PriceCurrency);
    g_settings.interfaceLanguages = BuildLanguageTable(TextAPI_GetLanguageIDList);
    g_settings.printLanguages = BuildLanguageTable(TextAPI_GetPrinterLanguageIDList);
    PriceDbList_Build(g_settings.priceLists, record->priceList);
    g_settings.loaded = *record;
}

int SettingsDlg_Apply(SettingsRecord* record)
{
    if (record->interfaceLanguage < 1500)
        record->interfaceLanguage = kDefaultLanguage;
    TextAPI_SetLanguage(Shell().textHandle, record->interfaceLanguage);
    Settings_WriteInt(nullptr, "General\\InterfaceLng", record->interfaceLanguage);
    Settings_WriteInt(nullptr, "Output\\PrintLng", record->printLanguage);
    Settings_WriteInt(nullptr, "General\\IManufactureCountry_ID", record->country);
    Settings_WriteInt(nullptr, "General\\IPrice_ID", record->priceList);
    Kadmi_SetIntAtt(-1, Att_ManufactureCountry, record->country);
    Kadmi_SetIntAtt(-1, Att_PriceCurrency, record->priceList);
    VlUtil_OnLanguageChange();
    VlPrint_OnLanguageChange();
    // Only what the project holds changes it: the languages are the user's.
    if (record->country != g_settings.loaded.country || record->priceList != g_settings.loaded.priceList) {
        Kadmi_MarkAccess(-1, Stamp_ProjectChanged);
        for (const char* stamp : {Stamp_InsulationEdited, Stamp_CoolingEdited, Stamp_FreezingEdited, Stamp_GroupFourEdited})
            Project_MarkAccessAllPages(stamp);
        MainWnd_UpdateTitle();
    }
    return 0;
}

INT_PTR SettingsDlg_Show(HWND owner)
{
    SettingsDlg_Load(&g_settings.record);
    INT_PTR result = DialogBoxParamW(App().instance, MAKEINTRESOURCEW(IDD_SETTINGS), owner, SettingsDlg_DlgProc, 0);
    if (result == IDOK) {
        SettingsDlg_Apply(&g_settings.record);
        CalcTabs_NotifyCurrentPage(CalcPage_SettingsChanged);
    }
    g_settings.interfaceLanguages = ChoiceTable{};
    g_settings.printLanguages = ChoiceTable{};
    return result;
}
