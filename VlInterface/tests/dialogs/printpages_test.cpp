// The print dialog's pages on a project of three systems: the report choices
// block and the page selection written by the selection page (and read back
// by the next one), the change stamp only for a change, no print with no
// system marked; the footer page writing only changed values; the font
// heights through the font dialog and the dialog opened on the font in use.
#include "VlInterface/dialogs/dialogs.h"
#include "VlInterface/dialogs/page_fonts.h"
#include "VlInterface/dialogs/printoptions.h"
#include "VlInterface/dialogs/printpages.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/tests/dialogs/dialogs_fixture.h"
#include "Kadmi/kadmi.h"
#include "support/app.h"
#include "support/dlgutil.h"
#include "testsupport/testsupport.h"
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dlgs.h>
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
        TsDialog page(App().instance, templateId, procedure, 0, window());
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

// A click on a line of the system list; double, the second press is a
// double click.
void ClickSystem(HWND page, int line, bool twice = false)
{
    HWND list = GetDlgItem(page, IDC_PSEL_SYSTEMS);
    RECT item{};
    SendMessageA(list, LB_GETITEMRECT, line, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM(item.left + 40, (item.top + item.bottom) / 2);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    if (twice) {
        SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageA(list, WM_LBUTTONUP, 0, at);
    }
}

void ToggleSystem(HWND page, int line)
{
    ClickSystem(page, line);
}

void PressKey(HWND page, WPARAM key)
{
    HWND list = GetDlgItem(page, IDC_PSEL_SYSTEMS);
    SetFocus(list);
    SendMessageA(list, WM_KEYDOWN, key, 0);
    if (key == VK_SPACE)
        SendMessageA(list, WM_CHAR, ' ', 0);
    SendMessageA(list, WM_KEYUP, key, 0);
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
        {"sections and clipboard: the user's settings, no change of the project", true,
         [](HWND page) {
             for (int id : {IDC_PSEL_HEATLOSS, IDC_PSEL_COOLING, IDC_PSEL_COSTS, IDC_PSEL_CLIPBOARD})
                 Click(page, id);
         },
         1, 0, 1, 0, 1, {}, false},
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

// Moving through the list never changes a mark; a click, Space and a double
// click each change the mark of their line once.
TEST_F(PrintPagesTest, OnlyClicksAndSpaceChangeMarks)
{
    const struct {
        const char* name;
        std::function<void(HWND)> action;
        std::vector<int> systems;   // positions marked afterwards
    } rows[] = {
        {"moving keys",
         [](HWND page) {
             for (WPARAM key : {VK_DOWN, VK_DOWN, VK_END, VK_HOME, VK_NEXT, VK_UP})
                 PressKey(page, key);
         },
         {0, 1, 2}},
        {"Space on the line moved to", [](HWND page) { PressKey(page, VK_END), PressKey(page, VK_SPACE); }, {0, 1}},
        {"a click", [](HWND page) { ClickSystem(page, 1); }, {0, 2}},
        {"two clicks on one line", [](HWND page) { ClickSystem(page, 1), ClickSystem(page, 1); }, {0, 1, 2}},
        {"a double click", [](HWND page) { ClickSystem(page, 0, true); }, {1, 2}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        RunPage(PrintSelPage_GetPageInfo, IDD_PRINT_SELECTION, PrintSelPage_DlgProc, [&row](HWND page) {
            Click(page, IDC_PSEL_MARK_ALL);
            row.action(page);
        });
        std::vector<int16_t> expected;
        for (int position : row.systems)
            expected.push_back(Kadmi_IthPage(static_cast<short>(position)));
        EXPECT_EQ(SelectedPages(), expected);
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
        Dlg_SetItemText(page, IDC_FOOTER_COMPANY, "Insulation Works  ");
        Dlg_SetItemText(page, IDC_FOOTER_WEB, "www.example.org");
    });
    EXPECT_EQ(StoredString("Output", "IFooterCompanyName"), "Insulation Works");
    EXPECT_EQ(StoredString("Output", "IFooterCompanyWEB"), "www.example.org");
    EXPECT_STREQ(Kadmi_GetStringAtt(-1, 1508), "Insulation Works");
    EXPECT_TRUE(ChangeMarked());
}

// A company name typed in the five languages' letters is written whole.
TEST_F(PrintPagesTest, FooterPageKeepsLettersTypedInFiveLanguages)
{
    const char* const typed = "Ab Жук łęż öäå";
    RunPage(FooterPage_GetPageInfo, IDD_PRINT_FOOTER, FooterPage_DlgProc, [&](HWND page) {
        HWND field = GetDlgItem(page, IDC_FOOTER_COMPANY);
        SetFocus(field);
        SendMessageW(field, EM_SETSEL, 0, -1);
        Ts_PostTyping(field, typed);
        Ts_PumpMessages();
    });
    EXPECT_EQ(StoredString("Output", "IFooterCompanyName"), typed);
    EXPECT_STREQ(Kadmi_GetStringAtt(-1, 1508), typed);
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

TEST_F(PrintPagesTest, PrintWithNoSystemMarkedIsRefused)
{
    TsBoxAnswerer ok(IDOK, Shell().title);
    RunPage(PrintSelPage_GetPageInfo, IDD_PRINT_SELECTION, PrintSelPage_DlgProc, [](HWND page) {
        Click(page, IDC_PSEL_UNMARK_ALL);
        for (int32_t code : {SheetCode_Print, SheetCode_PrintAll}) {
            NMHDR header{nullptr, 0, static_cast<UINT>(code)};
            PrintSelPage_DlgProc(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
        }
    });
    ASSERT_EQ(ok.boxes().size(), 1u);
    EXPECT_EQ(ok.boxes()[0].text, Shell_Text(45224));
}

// The face the screen draws for a face name.
std::string ScreenFace(const char* face)
{
    LOGFONTA wanted{};
    wanted.lfHeight = -20;
    std::snprintf(wanted.lfFaceName, sizeof(wanted.lfFaceName), "%s", face);
    HFONT font = CreateFontIndirectA(&wanted);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    char drawn[LF_FACESIZE] = "";
    GetTextFaceA(dc, sizeof(drawn), drawn);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return drawn;
}

struct FontDialogCase {
    const char* name;
    int font;            // 1 to 3
    const char* face;    // stored
    const char* height;  // stored
    std::string shownFace;
    int shownPoints;
    bool bold;
};

TEST_F(PrintPagesTest, FontDialogOpensOnTheFontInUseAndKeepsSizesPrintable)
{
    const FontDialogCase cases[] = {
        {"headings, bold as printed", 1, "Tahoma", "-50", "Tahoma", 14, true},
        {"body", 2, "DejaVu Sans", "-35", "DejaVu Sans", 9, false},
        {"a face that is not installed", 3, "No Such Face", "-25", ScreenFace("No Such Face"), 7, false},
        {"nothing stored: what the report prints", 2, "", "", ScreenFace("Arial"), 9, false},
    };
    for (const FontDialogCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string n = std::to_string(c.font);
        PresetString("Output", ("Font" + n + ".Name").c_str(), c.face);
        PresetString("Output", ("Font" + n + ".Size").c_str(), c.height);
        TsBoxAnswerer ok(IDOK, Shell().title);
        std::string face;
        int points = 0;
        bool bold = false, styleFixed = false;
        TsUiScript script({[&] {
                               HWND dialog = FindDialogWith(cmb1);
                               if (!dialog)
                                   return false;
                               face = Ts_ComboSelectedText(dialog, cmb1);
                               points = std::atoi(Ts_ControlText(dialog, cmb3).c_str());
                               HWND styles = GetDlgItem(dialog, cmb2);
                               LRESULT style = SendMessageA(styles, CB_GETITEMDATA,
                                                            SendMessageA(styles, CB_GETCURSEL, 0, 0), 0);
                               bold = LOWORD(style) > FW_MEDIUM;
                               styleFixed = !IsWindowEnabled(styles);
                               SendDlgItemMessageA(dialog, cmb3, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
                               Dlg_SetItemText(dialog, cmb3, "616");
                               PostMessageA(dialog, WM_COMMAND, IDOK, 0);   // refused: too large
                               return true;
                           },
                           [&] {
                               HWND dialog = FindDialogWith(cmb1);
                               if (!dialog || ok.boxes().empty())
                                   return false;
                               Dlg_SetItemText(dialog, cmb3, "12");
                               PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                               return true;
                           }});
        RunPage(FontsPage_GetPageInfo, IDD_PRINT_FONTS, FontsPage_DlgProc,
                [&](HWND page) { Click(page, IDC_FONT1_CHANGE + c.font - 1); });
        EXPECT_TRUE(script.Finished());
        EXPECT_EQ(face, c.shownFace);
        EXPECT_EQ(points, c.shownPoints);
        EXPECT_EQ(bold, c.bold);
        EXPECT_TRUE(styleFixed);
        ASSERT_EQ(ok.boxes().size(), 1u);
        EXPECT_NE(ok.boxes()[0].text.find(" 6 "), std::string::npos) << ok.boxes()[0].text;
        EXPECT_NE(ok.boxes()[0].text.find(" 24 "), std::string::npos) << ok.boxes()[0].text;
        EXPECT_EQ(StoredString("OutPut", ("Font" + n + ".Size").c_str()), "-44");   // 12 pt
        EXPECT_EQ(StoredString("Output", ("Font" + n + ".Name").c_str()), face);
    }
}

TEST(FontHeights, StoredHeightsAreKeptToWhatAReportPrints)
{
    struct Row {
        const char* name;
        long stored;
        int32_t kept;
    };
    const Row rows[] = {
        {"none", 0, 0},          {"default", -50, -50},         {"smallest", -22, -22},
        {"too small", -5, -22},  {"616 pt", -2173, -87},         {"largest registry value", LONG_MIN, -87},
        {"positive", 50, -50},   {"largest positive", LONG_MAX, -87},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(FontsPage_BoundedHeight(row.stored), row.kept);
    }
    EXPECT_EQ(FontsPage_DialogHeight(INT32_MIN), -795364314);   // no overflow on the way
}

} // namespace
