// The company footer page: the eight company lines that the print library
// puts into every report's footer, kept in the project and, for later
// projects, in the settings store. Stored only when something changed.
#include "VlInterface/dialogs/dialogs.h"
#include "support/attributes.h"
#include "VlInterface/dialogs/dlgtexts.h"
#include "VlInterface/dialogs/printpages.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/numfield.h"
#include "support/settings.h"
#include <cstring>

namespace {

constexpr int kFieldSize = 100;
constexpr int kFieldCount = 8;

struct FooterField {
    int control;
    short attribute;
    const char* setting;
};
const FooterField kFields[kFieldCount] = {
    {IDC_FOOTER_COMPANY, Att_CompanyName, "Output\\IFooterCompanyName"},
    {IDC_FOOTER_ADDRESS1, Att_CompanyAddress1, "Output\\IFooterCompanyAddress1"},
    {IDC_FOOTER_ADDRESS2, Att_CompanyAddress2, "Output\\IFooterCompanyAddress2"},
    {IDC_FOOTER_ADDRESS3, Att_CompanyAddress3, "Output\\IFooterCompanyAddress3"},
    {IDC_FOOTER_PHONE, Att_CompanyPhone, "Output\\IFooterCompanyPhone"},
    {IDC_FOOTER_FAX, Att_CompanyFax, "Output\\IFooterCompanyFax"},
    {IDC_FOOTER_EMAIL, Att_CompanyEmail, "Output\\IFooterCompanyEmail"},
    {IDC_FOOTER_WEB, Att_CompanyWeb, "Output\\IFooterCompanyWEB"},
};

const DialogTextTable kFooterTexts[] = {
    {IDC_FOOTER_COMPANY_LABEL, Text_FooterCompany, nullptr},
    {IDC_FOOTER_ADDRESS_LABEL, Text_FooterAddress, nullptr},
    {IDC_FOOTER_PHONE_LABEL, Text_FooterPhone, nullptr},
    {IDC_FOOTER_FAX_LABEL, Text_FooterFax, nullptr},
    {IDC_FOOTER_EMAIL_LABEL, Text_FooterEmail, nullptr},
    {IDC_FOOTER_WEB_LABEL, Text_FooterWeb, nullptr},
    {0, 0, nullptr},
};

struct FooterRecord {
    char fields[kFieldCount][kFieldSize];
};

struct FooterState {
    FooterRecord record, loaded;
};
FooterState g_footer{};

void LoadRecord()
{
    g_footer.record = FooterRecord{};
    for (int i = 0; i < kFieldCount; ++i) {
        char* field = g_footer.record.fields[i];
        Kadmi_GetAtt(-1, kFields[i].attribute, nullptr, field, kFieldSize - 1);
        field[kFieldSize - 1] = '\0';
    }
    g_footer.loaded = g_footer.record;
}

void ReadControls(HWND page)
{
    for (int i = 0; i < kFieldCount; ++i)
        Field_GetText(page, kFields[i].control, g_footer.record.fields[i], kFieldSize);
}

// Project and settings are written only for a change: passing through the
// page of a project without footer must not blank the stored company data.
void SaveRecord()
{
    const FooterRecord& record = g_footer.record;
    if (std::memcmp(&record, &g_footer.loaded, sizeof(record)) == 0)
        return;
    for (int i = 0; i < kFieldCount; ++i)
        Kadmi_SetStringAtt(-1, kFields[i].attribute, record.fields[i]);
    for (int i = 0; i < kFieldCount; ++i)
        Settings_WriteString(nullptr, kFields[i].setting, record.fields[i]);
    PrintPage_MarkProjectChanged();
    g_footer.loaded = record;
}

void ShowRecord(HWND page)
{
    for (int i = 0; i < kFieldCount; ++i)
        Field_SetText(page, kFields[i].control, g_footer.record.fields[i], kFieldSize - 1);
}

const PrintPageHandlers kHandlers = {ReadControls, SaveRecord, HelpContext_Footer, kFooterTexts, ShowRecord};

} // namespace

void FooterPage_GetPageInfo(PROPSHEETPAGEA* page)
{
    PrintPage_Fill(page, IDD_PRINT_FOOTER, Text_PageFooter, FooterPage_DlgProc);
    LoadRecord();
}

INT_PTR CALLBACK FooterPage_DlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HELP) {
        DlgHelp_Show(page, HelpContext_Footer);
        return TRUE;
    }
    return PrintPage_OnMessage(page, message, wParam, lParam, kHandlers);
}
