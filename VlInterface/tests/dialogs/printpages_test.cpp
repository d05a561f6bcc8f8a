// The print dialog's pages on a project of three systems: the report choices
// block and the page selection written by the selection page (and read back
// by the next one), the change stamp only for a change; the footer page
// writing only changed values; the font heights through the font dialog.
#include "VlInterface/dialogs/dialogs.h"
#include "VlInterface/dialogs/page_fonts.h"
#include "VlInterface/dialogs/printoptions.h"
#include "VlInterface/dialogs/printpages.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/tests/dialogs/dialogs_fixture.h"
#include "Kadmi/kadmi.h"
#include "support/app.h"
#include "testsupport/testsupport.h"
#include <cstring>
#include <functional>
#include <vector>

namespace {

constexpr short kAttPageSelection = 1116;

class PrintPagesTest : public DialogsTest {
protected:
    void SetUp() override
    {
        DialogsTest::SetUp();
        StartWithThreeSystems();
    }

    // Runs a page (loaded by its page information) through action, then
    // leaves it as a tab change does.
    void RunPage(void (*info)(PROPSHEETPAGEA*), int templateId, DLGPROC procedure,
                 const std::function<void(HWND)>& action)
    {
        PROPSHEETPAGEA record{};
        info(&record);
        TsDialog page(App().instance, MAKEINTRESOURCEA(templateId), procedure, 0, window());
        ASSERT_NE(page.hwnd(), nullptr);
        action(page.hwnd());
        NMHDR leave{nullptr, 0, static_cast<UINT>(SheetCode_KillActive)};
        procedure(page.hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&leave));
        EXPECT_EQ(GetWindowLongPtrA(page.hwnd(), DWLP_MSGRESULT), 0);
    }

    static std::vector<int16_t> SelectedPages()
    {
        short count = 0;
        int16_t pages[16] = {};
        Kadmi_GetAtt(-1, kAttPageSelection, &count, pages, sizeof(pages));
        return std::vector<int16_t>(pages, pages + count);
    }
};

void Click(HWND page, int id)
{
    SendMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0);
}

void ToggleSystem(HWND page, int line)
{
    HWND list = GetDlgItem(page, IDC_PSEL_SYSTEMS);
    SendMessageA(list, LB_SETCURSEL, line, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_PSEL_SYSTEMS, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

struct SelectionCase {
    const char* name;
    bool storedBefore;                 // a block with a foreign value at [50]
    std::function<void(HWND)> action;
    int32_t output, heatLoss, cooling, freezing, costs;
    std::vector<int> systems;          // positions of the selected systems
    bool changeMarked;
};

TEST_F(PrintPagesTest, SelectionPageStoresChoicesAndSystems)
{
    const SelectionCase cases[] = {
        {"first use, nothing changed", false, [](HWND) {}, 0, 1, 0, 0, 0, {}, false},
        {"sections and clipboard", true,
         [](HWND page) {
             for (int id : {IDC_PSEL_HEATLOSS, IDC_PSEL_COOLING, IDC_PSEL_COSTS, IDC_PSEL_CLIPBOARD})
                 Click(page, id);
         },
         1, 0, 1, 0, 1, {}, true},
        {"two of three systems", true, [](HWND page) { ToggleSystem(page, 0), ToggleSystem(page, 2); }, 0, 1, 0, 0,
         0, {0, 2}, true},
        {"read back unchanged", true, [](HWND) {}, 0, 1, 0, 0, 0, {0, 2}, false},
        {"all, then none", true,
         [](HWND page) { Click(page, IDC_PSEL_MARK_ALL), Click(page, IDC_PSEL_UNMARK_ALL); }, 0, 1, 0, 0, 0, {},
         true},
    };
    for (const SelectionCase& c : cases) {
        SCOPED_TRACE(c.name);
        PrintOptionFlags before{};
        before.value[50] = 7;
        before.value[PrintOption_HeatLoss] = 1;
        if (c.storedBefore)
            PrintOptions_Write(before);
        ForgetChangeMark();
        RunPage(PrintSelPage_GetPageInfo, IDD_PRINT_SELECTION, PrintSelPage_DlgProc, c.action);
        PrintOptionFlags after{};
        ASSERT_TRUE(PrintOptions_Read(&after));
        EXPECT_EQ(after.value[PrintOption_Output], c.output);
        EXPECT_EQ(after.value[PrintOption_HeatLoss], c.heatLoss);
        EXPECT_EQ(after.value[PrintOption_Cooling], c.cooling);
        EXPECT_EQ(after.value[PrintOption_Freezing], c.freezing);
        EXPECT_EQ(after.value[PrintOption_Costs], c.costs);
        EXPECT_EQ(after.value[50], c.storedBefore ? 7 : 0);
        std::vector<int16_t> expected;
        for (int position : c.systems)
            expected.push_back(Kadmi_IthPage(static_cast<short>(position)));
        EXPECT_EQ(SelectedPages(), expected);
        EXPECT_EQ(ChangeMarked(), c.changeMarked);
    }
}

TEST_F(PrintPagesTest, FooterPageWritesOnlyChangedValues)
{
    PresetString("Output", "IFooterCompanyName", "Kept Ltd");
    ForgetChangeMark();
    RunPage(FooterPage_GetPageInfo, IDD_PRINT_FOOTER, FooterPage_DlgProc, [](HWND) {});
    EXPECT_EQ(StoredString("Output", "IFooterCompanyName"), "Kept Ltd");
    EXPECT_FALSE(ChangeMarked());

    RunPage(FooterPage_GetPageInfo, IDD_PRINT_FOOTER, FooterPage_DlgProc, [](HWND page) {
        SetDlgItemTextA(page, IDC_FOOTER_COMPANY, "Insulation Works  ");
        SetDlgItemTextA(page, IDC_FOOTER_WEB, "www.example.org");
    });
    EXPECT_EQ(StoredString("Output", "IFooterCompanyName"), "Insulation Works");
    EXPECT_EQ(StoredString("Output", "IFooterCompanyWEB"), "www.example.org");
    EXPECT_STREQ(Kadmi_GetStringAtt(-1, 1508), "Insulation Works");
    EXPECT_TRUE(ChangeMarked());
}

TEST(FontHeights, PassThroughTheFontDialogUnits)
{
    struct Row {
        const char* name;
        int32_t stored, dialog, back;
    };
    const Row rows[] = {
        {"title default loses a tenth", -50, -18, -49},
        {"body default", -35, -12, -33},
        {"footer default kept", -25, -9, -25},
        {"exact multiple", -27, -10, -27},
        {"positive height", 50, 19, 51},
        {"none", 0, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(FontsPage_DialogHeight(row.stored), row.dialog);
        EXPECT_EQ(FontsPage_StoredHeight(row.dialog), row.back);
    }
}

} // namespace
