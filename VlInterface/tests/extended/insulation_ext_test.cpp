// The extended edition's insulation page, thickness list and print selection
// beside the standard edition's: the total thickness, the cheapest
// combination adopted on the page, the nominal list of case 4 and its rows,
// the rule that stale results are not recalculated quietly, the spreadsheet
// output, and a print that changes nothing.
#include "VlInterface/calcrecord.h"
#include "VlInterface/dialogs/printpages.h"
#include "VlInterface/extended/cheapest.h"
#include "VlInterface/extended/extended.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/tests/window_fixture.h"
#include "VlInterface/workspace/annual_costs.h"
#include "VlInterface/workspace/calctabs.h"
#include "VlInterface/workspace/page_insulation.h"
#include "VlInterface/workspace/thickness_dialog.h"
#include "VlInterface/vlinterface.h"
#include "VlCalculate/thickness_order.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include "VlUtil/vlutil.h"
#include "support/settings.h"
#include "support/dlgutil.h"
#include "testsupport/testsupport.h"
#include <commctrl.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr short kAttStamps = 7701;

struct CostedLayers {
    const char* products[2];
    const char* thicknesses[2];
};

class ExtendedPageTest : public ShellWindowTest {
public:
    void StartWithPipe(short geometry = Kind_Pipe)
    {
        std::string path = TempPath("pipe.WDF");
        MakePipeProjectFile(path, geometry);
        // The target's humidity of a new extended system.
        ASSERT_EQ(Kadmi_OpenDatabasefile(path.c_str()), 0);
        Kadmi_LoadPage(Kadmi_IthPage(0));
        Kadmi_SetFloatAtt(0, 1384, 50);
        Kadmi_SavePage();
        ASSERT_EQ(Kadmi_SaveDatabasefile(), 0);
        Kadmi_CloseDatabasefile(0);
        Start(path.c_str());
        OpenInsulationPage();
    }
    void OpenInsulationPage()
    {
        MainWnd_SelectCalcPage(2);
        page_ = CalcTabs_OpenPageWindow();
        ASSERT_NE(page_, nullptr);
    }
    HWND page() const { return page_; }
    std::string Text(int id) const { return Ts_ControlText(page_, id); }
    void TwoLayers(const char* thickness1, const char* thickness2)
    {
        ChooseItem(page_, 119, "Mineral wool pipe section");
        ChooseItem(page_, 128, thickness1);
        ChooseItem(page_, 120, "Mineral wool wired mat");
        ChooseItem(page_, 129, thickness2);
    }
    static float TotalCost() { return Kadmi_GetFloatAtt(0, 1374); }
    // The search costs each combination as the page's own calculation costs it.
    void ExpectCostedAsThePage(short geometry, std::initializer_list<CostedLayers> rows)
    {
        StartWithPipe(geometry);
        for (const CostedLayers& row : rows) {
            SCOPED_TRACE(std::string(row.thicknesses[0]) + " + " + row.thicknesses[1]);
            for (int k = 0; k < 2; ++k) {
                ChooseItem(page_, 119 + k, row.products[k]);
                ChooseItem(page_, 128 + k, row.thicknesses[k]);
            }
            ClickButton(page_, IDC_INS_CALCULATE);
            const CalcRecord& r = CalcRec();
            InsulationLayerChoices layers;
            InsPage_LayerChoices(layers);
            ProductListEntry entries[2] = {};
            CheapestCombination c{};
            for (int k = 0; k < 2; ++k) {
                std::snprintf(entries[k].code, sizeof(entries[k].code), "%s", r.productCode[k]);
                c.layers[k] = {1, &entries[k], r.thickness[k], r.outerDiameter[k]};
            }
            const float onThePage = TotalCost();
            CheapestRecordCosting costing(r, layers);
            EXPECT_GT(onThePage, 0.0f);
            EXPECT_EQ(costing(c), onThePage);
        }
    }
    // Moves a stamp of the loaded system (or of another object) far into the past.
    static void Backdate(const char* mark, long object = 0, long date = 19900101)
    {
        short count = 0;
        auto* stamps = static_cast<AccessEntry*>(Kadmi_GetAtt(object, kAttStamps, &count, nullptr, 0));
        std::vector<AccessEntry> entries(stamps, stamps + (stamps ? count : 0));
        Kadmi_ReleaseAtt(stamps);
        for (AccessEntry& entry : entries)
            if (std::string(entry.mark, 4) == mark)
                entry.date = date;
        Kadmi_SetAtt(object, kAttStamps, count, entries.data());
    }
    // The project as just saved, its last change long ago.
    static void MarkSavedLongAgo()
    {
        Kadmi_MarkAccess(-1, "SAVE");
        Backdate("PCHG", -1, 19900101);
        Backdate("SAVE", -1, 19900102);
    }
    void ChooseLayers(const char* const products[kCalcLayers], const char* const thicknesses[kCalcLayers])
    {
        for (int k = 0; k < kCalcLayers; ++k) {
            if (products[k])
                ChooseItem(page_, IDC_INS_PRODUCT1 + k, products[k]);
            if (thicknesses[k])
                ChooseItem(page_, IDC_INS_NOMINAL1 + k, thicknesses[k]);
        }
    }
    void Type(int id, const char* text)
    {
        Dlg_SetItemText(page_, id, text);
        SendMessageA(page_, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS), reinterpret_cast<LPARAM>(GetDlgItem(page_, id)));
    }

private:
    HWND page_ = nullptr;
};

// Posts command id to window once it is open; false while it is not.
bool PostCommand(HWND window, int id)
{
    return window && PostMessageA(window, WM_COMMAND, id, 0);
}

std::string ClassOf(HWND dialog, int id)
{
    char name[64] = "";
    GetClassNameA(GetDlgItem(dialog, id), name, sizeof(name));
    return name;
}

struct PageDifference {
    const char* name;
    const char* standard;
    std::function<void(ExtendedPageTest& test)> check;
};

TEST_F(ExtendedPageTest, EachPageDifferenceFromTheStandardEdition)
{
    StartWithPipe();
    const PageDifference rows[] = {
        {"total thickness field", "no field 147",
         [](ExtendedPageTest& t) {
             EXPECT_EQ(t.Text(IDC_INS_TOTAL_LABEL), "Total insulation thickness (mm)");
             EXPECT_TRUE(GetWindowLongA(GetDlgItem(t.page(), IDC_INS_TOTAL_THICKNESS), GWL_STYLE) & ES_READONLY);
             t.TwoLayers("50", "40");
             EXPECT_EQ(t.Text(IDC_INS_TOTAL_THICKNESS), "90");
         }},
        {"object description", "none",
         [](ExtendedPageTest& t) { EXPECT_EQ(t.Text(IDC_INS_DESCRIPTION), "Pipe, Outer diameter 114.3 mm"); }},
        {"cheapest combination command", "no command",
         [](ExtendedPageTest& t) {
             EXPECT_EQ(t.Text(IDC_INS_CHEAPEST), "Cheapest combination");
             EXPECT_TRUE(Ts_IsEnabled(t.page(), IDC_INS_CHEAPEST));
             ChooseItem(t.page(), 119, "No product");
             EXPECT_FALSE(Ts_IsEnabled(t.page(), IDC_INS_CHEAPEST));
         }},
        {"thickness list of case 4", "the ordinary list by cost or thickness",
         [](ExtendedPageTest& t) {
             ChooseItem(t.page(), 119, "Mineral wool pipe section");
             int rows = -1;
             bool ordered = true;
             std::string description, logos;
             TsBoxAnswerer answerer(IDCANCEL, nullptr, [&](HWND dialog) {
                 description = Ts_ControlText(dialog, IDC_THK_DESCRIPTION);
                 logos = ClassOf(dialog, IDC_EXT_LOGO_LARGE) + " " + ClassOf(dialog, IDC_EXT_LOGO_SMALL);
                 const ThicknessDlgState& s = ThicknessDlg();
                 rows = s.count;
                 for (int i = 1; i < s.count; ++i)
                     ordered = ordered && NominalThicknessList_CompareC(&s.list[i - 1], &s.list[i]) <= 0;
             });
             ClickButton(t.page(), IDC_INS_THICKNESS_TABLE);
             short nominal = 0;
             INSULATIONTHICKNESSINPUT input{};
             input.part = CalcRecordState().layerParts[0];
             std::memcpy(input.productGroup, "IP", 2);
             input.calculationCase = kCaseAll;
             CalculateInsulationNominalThicknessList(input, &nominal);
             DeleteThicknessResultList();
             EXPECT_GT(rows, 0);
             EXPECT_EQ(rows, nominal);
             EXPECT_TRUE(ordered);
             EXPECT_EQ(description, "Pipe, Outer diameter 114.3 mm");
             EXPECT_EQ(logos, "Custom_Logo2 Custom_Logo_Small2");
         }},
        {"print selection page", "preview and clipboard only, heat loss check box enabled",
         [](ExtendedPageTest& t) {
             PROPSHEETPAGEA info{};
             PrintSelPage_GetPageInfo(&info);
             HWND sel = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PRINT_SELECTION),
                                           GetParent(t.page()), PrintSelPage_DlgProc, reinterpret_cast<LPARAM>(&info));
             ASSERT_NE(sel, nullptr);
             EXPECT_EQ(Ts_ControlText(sel, IDC_PSEL_SPREADSHEET), "Copy for a &spreadsheet program");
             EXPECT_FALSE(Ts_IsEnabled(sel, IDC_PSEL_HEATLOSS));
             EXPECT_TRUE(Ts_IsChecked(sel, IDC_PSEL_HEATLOSS));
             DestroyWindow(sel);
         }},
        {"logos of the project page", "one program logo",
         [](ExtendedPageTest& t) {
             MainWnd_SelectCalcPage(0);
             HWND project = CalcTabs_OpenPageWindow();
             EXPECT_EQ(ClassOf(project, IDC_EXT_LOGO_LARGE), "Custom_Logo2");
             EXPECT_EQ(ClassOf(project, IDC_EXT_LOGO_SMALL), "Custom_Logo_Small2");
             t.OpenInsulationPage();
         }},
    };
    for (const PageDifference& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " (standard: " + row.standard + ")");
        row.check(*this);
    }
}

TEST_F(ExtendedPageTest, ThicknessTableRowsAreToldApartAndTheLayersThicknessIsSelected)
{
    StartWithPipe();
    ChooseItem(page(), 119, "Mineral wool pipe section");
    ChooseItem(page(), 128, "60");
    std::vector<std::string> names;
    std::string selected;
    TsBoxAnswerer answerer(IDCANCEL, nullptr, [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_THK_LIST);
        char text[128];
        for (int item = 0; item < ListView_GetItemCount(list); ++item) {
            ListView_GetItemText(list, item, 1, text, sizeof(text));
            names.push_back(text);
        }
        const int chosen = ListView_GetNextItem(list, -1, LVNI_SELECTED);
        ASSERT_GE(chosen, 0);
        ListView_GetItemText(list, chosen, 1, text, sizeof(text));
        selected = text;
    });
    ClickButton(page(), IDC_INS_THICKNESS_TABLE);
    ASSERT_GT(names.size(), 2u);
    const std::set<std::string> distinct(names.begin(), names.end());
    EXPECT_EQ(distinct.size(), names.size());
    EXPECT_EQ(distinct.count("Mineral wool pipe section 114.3 x 20"), 1u);
    EXPECT_EQ(selected, "Mineral wool pipe section 114.3 x 60");
}

TEST_F(ExtendedPageTest, PrintingToTheViewerLeavesTheProjectUnchanged)
{
    StartWithPipe();
    TwoLayers("50", "40");
    ClickButton(page(), IDC_INS_CALCULATE);   // current results: nothing stops the print
    Settings_DeleteValue(nullptr, "Output\\PrintOptionFlags");   // first use: the viewer
    ASSERT_EQ(VlFileMenu_SaveFile(window()), 0);
    Kadmi_AdvanceStampClock(1);   // stamps count in seconds: a change would come after the save
    bool viewerShown = false;
    TsUiScript script({
        [] { return PostCommand(Ts_FindWindow("#32770", Shell_Text(9296)), IDC_SHEET_PRINT); },
        [&] {
            HWND viewer = Ts_FindWindow("TordocViewer", nullptr);
            if (!viewer || !IsWindowVisible(viewer))
                return false;
            viewerShown = true;
            return PostMessageA(viewer, WM_CLOSE, 0, 0) != FALSE;
        },
        [] { return PostCommand(Ts_FindWindow("#32770", Shell_Text(9296)), IDCANCEL); },
    });
    SendMessageA(window(), WM_COMMAND, IDM_FILE_PRINT, 0);
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(viewerShown);
    EXPECT_FALSE(ProjectUnsaved());
}

struct StaleCase {
    const char* name;
    const char* olderStamp;   // the stamp moved into the past
    bool quietRun;
};

TEST_F(ExtendedPageTest, ResultsOlderThanTheExtendedInputsAreNotRecalculatedQuietly)
{
    const StaleCase cases[] = {
        {"inputs newer than the results", "DIM1", false},
        {"results newer than the inputs", "EDTT", true},
    };
    StartWithPipe();
    for (const StaleCase& c : cases) {
        SCOPED_TRACE(c.name);
        TwoLayers("50", "40");
        ClickButton(page(), IDC_INS_CALCULATE);
        Kadmi_MarkAccess(0, "EDTT");
        Backdate(c.olderStamp);
        MainWnd_SelectCalcPage(1);
        OpenInsulationPage();
        EXPECT_EQ(Text(650).find("W/m") != std::string::npos, c.quietRun) << Text(650);
        EXPECT_EQ(Text(650) == Shell_Text(40068), !c.quietRun) << Text(650);
        // The user's products stay chosen either way.
        EXPECT_EQ(std::string(Kadmi_GetStringAtt(CalcRecordState().layerParts[0], 1528)).rfind("MWP-114.3-50", 0), 0u);
        EXPECT_EQ(Ts_ComboSelectedText(page(), 129), "40");
    }
}

// Field 116 of the target page is the humidity whose dew point the
// condensation case keeps the surface above: a change makes the results
// stale, shows beside the case and moves the thinnest thickness that meets it.
TEST_F(ExtendedPageTest, TheTargetHumidityDecidesTheCondensationCase)
{
    StartWithPipe();
    ChooseItem(page(), IDC_INS_PRODUCT1, "Mineral wool pipe section");
    ChooseItem(page(), IDC_INS_NOMINAL1, "50");
    const struct {
        const char* name;
        const char* humidity;
        float thinnest;   // of the thicknesses that keep the surface dry, mm
    } rows[] = {{"dry air", "40.0", 20}, {"humid air", "90.0", 40}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ClickButton(page(), IDC_INS_CALCULATE);
        Backdate("DIM1");
        MainWnd_SelectCalcPage(1);
        HWND target = CalcTabs_OpenPageWindow();
        ASSERT_NE(target, nullptr);
        SetDlgItemTextA(target, IDC_TG_CONTENTS_TEMP, "5");   // a cold pipe in air of 25 °C
        SetDlgItemTextA(target, IDC_TG_AMBIENT_TEMP, "25");
        SetDlgItemTextA(target, IDC_TG_HUMIDITY, "40");
        SetDlgItemTextA(target, IDC_TG_TARGET_HUMIDITY, row.humidity);
        ASSERT_TRUE(MainWnd_StoreOpenPage());
        EXPECT_FALSE(InsulationPage_ResultsCurrent()) << "the results are stale (EDTT)";
        OpenInsulationPage();
        EXPECT_EQ(Text(IDC_INS_CONDENSATION_HUMIDITY), row.humidity);
        INSULATIONTHICKNESSINPUT in{};
        in.part = CalcRecordState().layerParts[0];
        std::memcpy(in.productGroup, "IP", 2);
        in.calculationCase = 3;
        short count = 0;
        const INSULATIONTHICKNESSRESULTLIST* list = CalculateInsulationThicknessList(in, &count);
        ASSERT_GT(count, 0);
        float thinnest = list[0].thickness;
        for (short i = 1; i < count; ++i)
            thinnest = std::min(thinnest, list[i].thickness);
        EXPECT_EQ(thinnest, row.thinnest);
    }
}

TEST_F(ExtendedPageTest, TheCheapestCombinationIsAdoptedOnThePage)
{
    StartWithPipe();
    TwoLayers("50", "40");
    ClickButton(page(), IDC_INS_CALCULATE);
    const float chosenByHand = TotalCost();
    ClickButton(page(), IDC_INS_CHEAPEST);
    const float cheapest = TotalCost();
    EXPECT_GT(cheapest, 0.0f);
    EXPECT_LE(cheapest, chosenByHand);
    EXPECT_TRUE(Ts_IsChecked(page(), IDC_INS_CASE_RESULTS));
    const int first = std::atoi(Ts_ComboSelectedText(page(), 128).c_str());
    const int second = std::atoi(Ts_ComboSelectedText(page(), 129).c_str());
    EXPECT_GT(first, 0);
    EXPECT_GT(second, 0);
    EXPECT_EQ(Text(IDC_INS_TOTAL_THICKNESS), std::to_string(first + second));
    EXPECT_GE(Kadmi_CmpAccess(0, "DIM1", 0, "EDT1"), 0);   // the page shows current results
    EXPECT_NE(Text(650).find("W/m"), std::string::npos) << Text(650);
    EXPECT_NE(Text(653).find(Shell_Text(40083)), std::string::npos) << Text(653);   // all prices found
    // The adopted layers are priced on their own dimensions, as a new run prices them.
    const float capital = Kadmi_GetFloatAtt(0, 1370);
    ClickButton(page(), IDC_INS_CALCULATE);
    EXPECT_FLOAT_EQ(Kadmi_GetFloatAtt(0, 1370), capital);
}

// A pipe's layers are priced one by one, a rectangular duct's whole.
TEST_F(ExtendedPageTest, TheCheapestCombinationCostsAPipeAsThePageDoes)
{
    ExpectCostedAsThePage(Kind_Pipe,
                          {{{"Mineral wool pipe section", "Mineral wool wired mat"}, {"50", "40"}},
                           {{"Mineral wool pipe section", "Mineral wool wired mat"}, {"80", "30"}},
                           {{"Mineral wool pipe section", "Mineral wool wired mat"}, {"20", "100"}}});
}

TEST_F(ExtendedPageTest, TheCheapestCombinationCostsARectangularDuctAsThePageDoes)
{
    ExpectCostedAsThePage(Kind_RectDuct,
                          {{{"Mineral wool wired mat", "Mineral wool slab, high temperature"}, {"40", "30"}}});
}

TEST_F(ExtendedPageTest, WithNothingCostedTheCheapestCombinationLeavesThePageAndSaysWhy)
{
    StartWithPipe();
    TwoLayers("50", "40");
    ClickButton(page(), IDC_INS_CALCULATE);   // the page's inputs stored
    for (short economic = 1359; economic <= 1363; ++economic)
        Kadmi_SetFloatAtt(0, economic, 0);   // no economic data: every cost is 0
    MarkSavedLongAgo();
    ASSERT_FALSE(ProjectUnsaved());
    TsBoxAnswerer answerer(IDOK);
    ClickButton(page(), IDC_INS_CHEAPEST);
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_EQ(answerer.boxes()[0].text, Shell_Text(IDS_EXT_NOTHING_COSTED));
    EXPECT_EQ(Ts_ComboSelectedText(page(), 128), "50");
    EXPECT_EQ(Ts_ComboSelectedText(page(), 129), "40");
    EXPECT_STREQ(CalcRec().productCode[1], "MWM-40");
    EXPECT_STREQ(Kadmi_GetStringAtt(CalcRecordState().layerParts[1], 1528), "MWM-40");
    EXPECT_FALSE(ProjectUnsaved());
}

// A layer without a material price is not free: no combination with it is
// costed. Its labour missing too (a user insulation has no labour table),
// the adopted result says that a price is missing.
TEST_F(ExtendedPageTest, TheCheapestCombinationCostsNoLayerWithoutAPrice)
{
    struct Row {
        const char* name;
        const char* userPrice;
        bool adopted;
    };
    const Row rows[] = {{"user insulation without a price", "", false}, {"priced by the user", "12", true}};
    StartWithPipe();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TwoLayers("50", "40");
        ChooseItem(page(), IDC_INS_PRODUCT1 + 1, "Perlite plaster");
        ChooseItem(page(), IDC_INS_SURFACE, "Galvanised steel");   // the user insulation has no emissivity
        Type(IDC_INS_THICKNESS1 + 1, "30");
        Type(IDC_INS_PRICE1 + 1, row.userPrice);
        TsBoxAnswerer answerer(IDOK);
        ClickButton(page(), IDC_INS_CHEAPEST);
        EXPECT_EQ(answerer.boxes().size(), row.adopted ? 0u : 1u);
        EXPECT_EQ(Text(653).find(Shell_Text(40084)) != std::string::npos, row.adopted) << Text(653);
    }
}

struct AnnualCostsRow {
    const char* name;
    const char* products[kCalcLayers];
    const char* thicknesses[kCalcLayers];
};

// The annual costs dialog prices the whole system, as the page's costs step does.
TEST_F(ExtendedPageTest, AnnualCostsPriceEveryLayerAsThePageDoes)
{
    const AnnualCostsRow rows[] = {
        {"one layer", {"Mineral wool pipe section", nullptr, nullptr}, {"50", nullptr, nullptr}},
        {"two layers", {nullptr, "Mineral wool wired mat", nullptr}, {nullptr, "40", nullptr}},
        {"three layers", {nullptr, nullptr, "Mineral wool wired mat"}, {nullptr, nullptr, "30"}},
    };
    StartWithPipe();
    ChooseItem(page(), IDC_INS_SURFACE, "Galvanised steel");
    float fewerLayers = 0;
    for (const AnnualCostsRow& row : rows) {
        SCOPED_TRACE(row.name);
        ChooseLayers(row.products, row.thicknesses);
        ClickButton(page(), IDC_INS_CALCULATE);
        const float capital = Kadmi_GetFloatAtt(0, 1370), total = TotalCost();
        EXPECT_GT(capital, fewerLayers);
        fewerLayers = capital;
        TsUiScript script({[] {
            HWND dialog = Ts_FindWindow("#32770", Shell_Text(30074));
            if (!dialog)
                return false;
            SendMessageA(dialog, WM_COMMAND, 201, 0);
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            return true;
        }});
        AnnualCosts_Show(window());
        EXPECT_TRUE(script.Finished());
        EXPECT_FLOAT_EQ(Kadmi_GetFloatAtt(0, 1370), capital);
        EXPECT_FLOAT_EQ(TotalCost(), total);
    }
}

}  // namespace
