// What the extended edition does differently from the standard one, each
// row naming the standard edition's behaviour beside what is seen here: the
// version text, the settings root, the start-up window, the product names,
// the price lists offered, the target's humidity field, the print call and
// the file list.
#include "VlInterface/calcrecord.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/tests/window_fixture.h"
#include "VlInterface/vlinterface.h"
#include "VlInterface/workspace/calcdata.h"
#include "VlInterface/workspace/calctabs.h"
#include "Kadmi/kadmi.h"
#include "VlPrint/vlprint.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/lookups.h"
#include "support/dlgutil.h"
#include "support/settings.h"
#include "testsupport/testsupport.h"
#include <functional>
#include <string>

namespace {

constexpr int kTargetTab = 1;

std::string ClassOf(HWND box, int id)
{
    char name[64] = {};
    GetClassNameA(GetDlgItem(box, id), name, sizeof(name));
    return name;
}

class EditionTest : public ShellWindowTest {};

struct VersionRow {
    const char* name;
    unsigned major, minor, build;
    bool extended;
    const char* dataVersion;
    const char* expected;
};

TEST_F(EditionTest, VersionTextOfEitherEdition)
{
    const VersionRow rows[] = {
        {"standard: minor in two digits", 2026, 1, 3, false, nullptr, "2026.01.3"},
        {"standard: no data version", 2026, 1, 3, false, "Generic data", "2026.01.3"},
        {"extended: three parts", 2026, 1, 3, true, nullptr, "2026.1.3"},
        {"extended: build 0 gives two parts", 2026, 1, 0, true, nullptr, "2026.1"},
        {"extended: with the data version", 2026, 1, 0, true, "Generic data 2026.1", "2026.1 / Generic data 2026.1"},
    };
    for (const VersionRow& row : rows)
        EXPECT_EQ(Version_Format(row.major, row.minor, row.build, row.extended, row.dataVersion), row.expected)
            << row.name;
}

// One row a difference: the standard edition's behaviour and a check of the
// extended edition's on the running shell.
struct DifferenceRow {
    const char* name;
    const char* standard;
    std::function<void(HWND window)> check;
};

TEST_F(EditionTest, EachDifferenceFromTheStandardEdition)
{
    Start();
    const DifferenceRow rows[] = {
        {"the program's name", "Varmelin in the title, the quit question, the file filter and the menu",
         [](HWND window) {
             const std::string title = Ts_WindowText(window);
             EXPECT_EQ(title.rfind("Velmo TERVALOT ", 0), 0u) << title;
             TsBoxAnswerer quit(IDCANCEL);
             EXPECT_EQ(MainWnd_QueryExit(window), 0);
             ASSERT_EQ(quit.boxes().size(), 1u);
             char about[128] = {};
             GetMenuStringA(GetMenu(window), IDM_HELP_ABOUT, about, sizeof(about), MF_BYCOMMAND);
             for (const std::string& seen : {title, quit.boxes()[0].text, std::string(Shell_Text(Text_FileFilter)),
                                             std::string(about)}) {
                 EXPECT_NE(seen.find("TERVALOT"), std::string::npos) << seen;
                 EXPECT_EQ(seen.find("Varmelin"), std::string::npos) << seen;
             }
         }},
        {"settings root", "Software\\Velmo\\Varmelin\\<version>",
         [](HWND) {
             Settings_WriteInt(nullptr, "General\\EditionProbe", 1);
             HKEY key = nullptr;
             EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Velmo\\TERVALOT\\Any version\\General", 0,
                                     KEY_READ, &key),
                       ERROR_SUCCESS);
             RegCloseKey(key);
         }},
        {"start-up window", "dialog 5 with the program's logo",
         [](HWND window) {
             std::string version;
             TsBoxAnswerer answerer(IDOK, nullptr, [&](HWND box) {
                 EXPECT_EQ(ClassOf(box, IDC_EXT_LOGO_LARGE), "Custom_Logo");
                 EXPECT_EQ(ClassOf(box, IDC_EXT_LOGO_SMALL), "Custom_Logo_Small");
                 EXPECT_EQ(ClassOf(box, IDC_EXT_STANDARD), "Custom_Standard");
                 EXPECT_EQ(ClassOf(box, IDC_EXT_ABOUT_EMBLEM), "Static");
                 EXPECT_EQ(ClassOf(box, IDC_EXT_ABOUT_MARK), "Static");
                 EXPECT_NE(GetDlgItem(box, IDC_ABOUT_SHOWSTART), nullptr);
                 EXPECT_EQ(GetDlgItem(box, IDC_LOGO), nullptr);
                 version = Ts_WindowText(GetDlgItem(box, IDC_ABOUT_VERSION));
                 CheckDlgButton(box, IDC_ABOUT_SHOWSTART, BST_UNCHECKED);
             });
             EXPECT_EQ(AboutBox_Show(window, false), IDOK);
             EXPECT_EQ(version.rfind("TERVALOT ", 0), 0u) << version;
             EXPECT_EQ(Settings_ReadInt(nullptr, "General\\DontShowAboutHelpOnStart"), 1);
         }},
        {"product names", "attribute 1602 to 1604 by the naming language",
         [](HWND) {
             EXPECT_STREQ(Product_GetName("MWP-114.3-50", "IP"), "Mineral wool pipe section 114.3 x 50");
             EXPECT_STREQ(Product_GetName("EF-TUBE", "IP"), "Elastomeric foam tube");
         }},
        {"price lists offered", "EUR, SEK and PLN when present",
         [](HWND) {
             DialogTextTable rows[kPriceDbListRows];
             PriceDbList_Build(rows);
             EXPECT_EQ(rows[0].controlId, 0);
             EXPECT_EQ(rows[0].textId, 50005);
             EXPECT_EQ(rows[1].textId, 0);
             EXPECT_EQ(CalcData_NewProjectCurrency(1), 0);
             // A project's own currency is shown beside them, never taken away.
             PriceDbList_Build(rows, 1);
             EXPECT_EQ(rows[1].controlId, 1);
             EXPECT_EQ(rows[1].textId, 50006);
         }},
        {"target page", "no field of the target's humidity",
         [](HWND) {
             CalcTabs_SelectPage(kTargetTab);
             HWND page = CalcTabs_OpenPageWindow();
             ASSERT_NE(page, nullptr);
             EXPECT_EQ(Ts_WindowText(GetDlgItem(page, IDC_TG_TARGET_HUMIDITY)), "50.0");
             EXPECT_EQ(Ts_WindowText(GetDlgItem(page, IDC_TG_TARGET_HUMIDITY_LABEL)),
                       "Relative humidity for condensation prevention (%)");
             Dlg_SetItemText(page, IDC_TG_TARGET_HUMIDITY, "72.5");
             EXPECT_TRUE(MainWnd_StoreOpenPage());
             EXPECT_EQ(Kadmi_GetFloatAtt(0, 1384), 72.5f);
             Dlg_SetItemText(page, IDC_TG_TARGET_HUMIDITY, "150");   // above its limit of 100
             TsBoxAnswerer answerer(IDOK);
             EXPECT_FALSE(MainWnd_StoreOpenPage());
         }},
        {"print", "six arguments, the viewer or rich text",
         [](HWND window) {
             Kadmi_MarkAccess(0, "DIM1");   // the loaded system's results are current
             TsBoxAnswerer answerer(IDOK);
             EXPECT_EQ(Shell_PrintReport(window, VlPrintOutput_Spreadsheet, VlPrintReport_Calculation, 1), 0);
             ASSERT_EQ(answerer.boxes().size(), 1u);   // copied
             EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
         }},
        {"file list update", "0, nothing changes (the same)",
         [](HWND window) { EXPECT_EQ(VlFileMenu_UpdateFileList(window), 0); }},
    };
    for (const DifferenceRow& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " (standard: " + row.standard + ")");
        row.check(window());
    }
}

}  // namespace
