// The insulation page in the running shell: a steel pipe with a mineral wool
// pipe section calculated from the page, quiet and full runs, results that
// go stale, the layer choice, the target cases adopting a thickness, and the
// thickness selection and annual costs dialogs.
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/tests/window_fixture.h"
#include "VlInterface/workspace/annual_costs.h"
#include "VlInterface/workspace/calctabs.h"
#include "VlInterface/workspace/page_insulation.h"
#include "VlInterface/workspace/thickness_dialog.h"
#include "Kadmi/kadmi.h"
#include "support/app.h"
#include "support/dlgutil.h"
#include "testsupport/testsupport.h"
#include <commctrl.h>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>

namespace {

class InsulationPageTest : public ShellWindowTest {
protected:
    // A project whose first system is a 114.3 mm pipe at 150 °C in still air
    // of 20 °C, the surface of the outermost product reported outside.
    // adjust, when given, changes the system's attributes before the start.
    void StartWithPipe(short geometry = Geometry_Pipe, const std::function<void()>& adjust = nullptr)
    {
        std::string path = TempPath("pipe.WDF");
        MakePipeProjectFile(path, geometry);
        if (adjust) {
            ASSERT_EQ(Kadmi_OpenDatabasefile(path.c_str()), 0);
            Kadmi_LoadPage(Kadmi_IthPage(0));
            adjust();
            Kadmi_SavePage();
            ASSERT_EQ(Kadmi_SaveDatabasefile(), 0);
            Kadmi_CloseDatabasefile(0);
        }
        Start(path.c_str());
        MainWnd_SelectCalcPage(2);
        page_ = CalcTabs_OpenPageWindow();
        ASSERT_NE(page_, nullptr);
    }
    HWND page() const { return page_; }

    void Choose(int id, const char* text) { ChooseItem(page_, id, text); }
    void Click(int id)
    {
        if (id >= 137 && id <= 141)
            CheckRadioButton(page_, 137, 141, id);
        ClickButton(page_, id);
    }
    void Type(int id, const char* text)
    {
        Dlg_SetItemText(page_, id, text);
        SendMessageA(page_, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS), reinterpret_cast<LPARAM>(GetDlgItem(page_, id)));
    }
    std::string Line(int i) const { return Ts_ControlText(page_, 650 + i); }
    void MineralWool50()
    {
        Choose(119, "Mineral wool pipe section");
        Choose(128, "50");
    }
    static bool ResultsCurrent() { return Kadmi_CmpAccess(0, "DIM1", 0, "EDT1") >= 0; }

private:
    HWND page_ = nullptr;
};

TEST_F(InsulationPageTest, CalculatesAPipeWithAMineralWoolSection)
{
    StartWithPipe();
    MineralWool50();
    EXPECT_EQ(Ts_ControlText(page(), 122), "114.3");
    EXPECT_EQ(Ts_ControlText(page(), 125), "214.3");
    EXPECT_EQ(Ts_ControlText(page(), 116), "0.90");   // the section's own surface
    EXPECT_NE(Ts_ControlText(page(), 635).find("[EUR/m]"), std::string::npos);   // price heading with its unit
    Click(203);
    EXPECT_NE(Line(0).find("W/m"), std::string::npos) << Line(0);
    EXPECT_NE(Line(1).find(Shell_Text(40028)), std::string::npos) << Line(1);
    EXPECT_NE(Line(3).find("EUR/m,a"), std::string::npos) << Line(3);   // a cost per metre and year
    float heatLoss = Kadmi_GetFloatAtt(0, 1323);
    EXPECT_GT(heatLoss, 30.0f);
    EXPECT_LT(heatLoss, 80.0f);
    EXPECT_GT(Kadmi_GetFloatAtt(CalcRecordState().layerParts[0], 1329), 0.0f);
    EXPECT_GT(Kadmi_GetFloatAtt(0, 1374), 0.0f);
    EXPECT_TRUE(ResultsCurrent());
    // The layer's diameters went through their fields and back unrounded.
    EXPECT_EQ(Kadmi_GetFloatAtt(CalcRecordState().layerParts[0], 1324), 114.3f);
    EXPECT_EQ(Kadmi_GetFloatAtt(CalcRecordState().layerParts[0], 1325), 214.3f);
}

// The tab host validates before every command of the main window: a field
// out of its range tells it once, when the page is to be left.
TEST_F(InsulationPageTest, AFieldOutOfRangeIsToldOnceWhenThePageIsLeft)
{
    StartWithPipe();
    Dlg_SetItemText(page(), 142, "-1");   // prices are not negative
    TsBoxAnswerer answer(IDOK);
    for (int command = 0; command < 3; ++command)
        EXPECT_EQ(CalcTabs_NotifyCurrentPage(CalcPage_Validate), kCalcPageInvalid);
    EXPECT_TRUE(answer.boxes().empty());
    MainWnd_SelectCalcPage(1);
    EXPECT_EQ(answer.boxes().size(), 1u);
    EXPECT_EQ(CalcTabs_GetFocusedTab(), 2);
}

TEST_F(InsulationPageTest, AFailedQuietRunLeavesTheResultsStaleAndPrintRefusesThem)
{
    StartWithPipe();
    MineralWool50();
    Click(203);
    ASSERT_TRUE(ResultsCurrent());
    // An input change that the engine refuses: the quiet run shows why and
    // does not call the old results current.
    Kadmi_SetFloatAtt(0, 1316, 150);   // ambient as hot as the contents
    CalcRecord_Load();
    Kadmi_MarkAccess(0, "EDT1");
    Sleep(1100);   // stamps count in seconds
    Kadmi_MarkAccess(0, "EDT1");
    EXPECT_EQ(InsulationPage_CalculateHeatLoss(page(), CalcRec(), true), -1);
    EXPECT_FALSE(Line(0).empty());
    EXPECT_EQ(Line(1), " ");
    EXPECT_FALSE(ResultsCurrent());
    TsBoxAnswerer answer(IDOK);
    InsulationPage_Print(page(), CalcRec(), 2);
    EXPECT_EQ(answer.boxes().size(), 1u);   // the print library refuses stale results
}

TEST_F(InsulationPageTest, LayerChoiceClearsAndRefits)
{
    StartWithPipe();
    MineralWool50();
    Choose(120, "Mineral wool pipe section");
    Choose(129, "30");
    EXPECT_EQ(Ts_ControlText(page(), 123), "219.1");   // the 219.1 section over 214.3
    EXPECT_TRUE(Ts_IsEnabled(page(), 121));
    // Layer 1 back to no product clears every layer above it.
    Choose(119, Shell_Text(40039));
    EXPECT_EQ(Ts_ComboSelectedText(page(), 120), Shell_Text(40039));
    EXPECT_FALSE(Ts_IsEnabled(page(), 120));
    EXPECT_EQ(Ts_ControlText(page(), 123), "0.0");
    // A user insulation type has no thickness list and takes its thickness.
    Choose(119, "Loose-fill mineral wool");
    EXPECT_FALSE(Ts_IsEnabled(page(), 128));
    EXPECT_TRUE(Ts_IsEnabled(page(), 142));
    Type(134, "0");
    TsBoxAnswerer answer(IDOK);
    Click(203);
    EXPECT_EQ(answer.boxes().size(), 1u);   // a thickness of 0 is refused
    EXPECT_EQ(Line(0), " ");
}

// Quietly a layer without its thickness choice is not refused for that, but
// its zero dimensions are.
TEST_F(InsulationPageTest, QuietCheckTestsALayerWithoutAThicknessChoice)
{
    StartWithPipe();
    MineralWool50();
    EXPECT_EQ(InsulationPage_CheckInputs(page(), CalcRec(), true), 0);
    TsBoxAnswerer answer(IDOK);
    Choose(120, "Mineral wool pipe section");
    EXPECT_EQ(InsulationPage_CheckInputs(page(), CalcRec(), true), -1);
    EXPECT_EQ(Line(0), Shell_Text(40068));
    EXPECT_TRUE(answer.boxes().empty());
}

// Enter presses Calculate with the focus still in the diameter just typed:
// the run takes the thickness those diameters give, as a click does.
TEST_F(InsulationPageTest, EnterInADiameterCalculatesWithWhatTheFieldsShow)
{
    StartWithPipe();
    Choose(119, "Mineral wool pipe section");
    Choose(128, Shell_Text(40037));   // own thickness
    Type(122, "114.3");
    Type(125, "164.3");
    Type(131, "0.04");
    ASSERT_EQ(Ts_ControlText(page(), 134), "25");
    TsBoxAnswerer unexpected(IDOK);
    HWND outer = GetDlgItem(page(), 125);
    SetFocus(outer);
    Wnd_SetText(outer, "174.3");
    MSG enter{outer, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    ASSERT_TRUE(IsDialogMessageA(page(), &enter));
    EXPECT_EQ(Ts_ControlText(page(), 134), "30");
    EXPECT_FLOAT_EQ(Kadmi_GetFloatAtt(CalcRecordState().layerParts[0], 1379), 30.0f);
    EXPECT_TRUE(ResultsCurrent());
    const std::string byEnter = Line(0);
    Click(203);
    EXPECT_EQ(Line(0), byEnter);
    EXPECT_TRUE(unexpected.boxes().empty()) << unexpected.boxes()[0].text;
}

// The user's own price of a user insulation type stays through the layer
// choice and is what the costs are made of.
TEST_F(InsulationPageTest, AUserProductsPriceReachesTheCosts)
{
    StartWithPipe(Geometry_Plane);
    Choose(119, "Loose-fill mineral wool");
    EXPECT_EQ(Ts_ControlText(page(), 142), "9.50");
    Type(134, "50");
    Choose(115, Shell_Text(41004));
    Click(203);
    EXPECT_EQ(Ts_ControlText(page(), 142), "9.50");
    EXPECT_FLOAT_EQ(Kadmi_GetFloatAtt(CalcRecordState().layerParts[0], 1329), 9.5f);
    EXPECT_GT(Kadmi_GetFloatAtt(0, 1371), 0.0f);   // the capital cost of that price
}

TEST_F(InsulationPageTest, AChosenSurfaceGivesItsEmissivityBeforeTheQuietRun)
{
    StartWithPipe();
    MineralWool50();
    Click(139);
    Type(146, "60");
    Choose(115, "Bright aluminium");
    EXPECT_NE(Ts_ControlText(page(), 116), "0.90");
    EXPECT_NE(Line(0).find(Shell_Text(30025)), std::string::npos) << Line(0);
    EXPECT_TRUE(ResultsCurrent());
}

// Choosing a product stores the emissivity of its surface that the page
// shows, so re-reading the fields (before every command) changes nothing.
TEST_F(InsulationPageTest, AChosenProductStoresTheEmissivityItShows)
{
    StartWithPipe();
    for (const auto& [id, choice] : {std::pair{119, "Mineral wool pipe section"}, std::pair{128, "50"}}) {
        SCOPED_TRACE(choice);
        Choose(id, choice);
        EXPECT_EQ(Ts_ControlText(page(), 116), "0.90");   // the section's own surface
        EXPECT_FLOAT_EQ(Kadmi_GetFloatAtt(0, 1319), 0.9f);
    }
}

// The outermost product's surface without an emissivity of its own is
// reported by its cause, not by the range of the read-only field.
TEST_F(InsulationPageTest, AProductSurfaceWithoutEmissivityIsNamedNotRanged)
{
    StartWithPipe();
    TsBoxAnswerer answerer(IDOK);
    Click(203);
    ASSERT_FALSE(answerer.boxes().empty());
    for (const TsSeenBox& box : answerer.boxes())
        EXPECT_EQ(box.text.find(" ... "), std::string::npos) << box.text;
    EXPECT_LE(Kadmi_CmpAccess(0, "DIM1", 0, "NONE"), 0) << "no results were written";
}

// The outermost product's surface takes that product's emissivity whichever
// layer it is on, also before its thickness is chosen.
TEST_F(InsulationPageTest, TheOutermostProductOnAnyLayerGivesItsSurfaceEmissivity)
{
    StartWithPipe();
    const struct {
        int layer;
        const char* product;
        const char* thickness;   // nullptr: none chosen yet
        const char* emissivity;
    } steps[] = {
        {1, "Mineral wool pipe section", "50", "0.90"},
        {2, "Mineral wool pipe section", "30", "0.90"},
        {3, "Mineral wool pipe section, alu foil", "30", "0.05"},
        {3, "Mineral wool pipe section", nullptr, "0.90"},   // not the foil of the list before
        {3, "Mineral wool wired mat", nullptr, "0.90"},
        {3, "Mineral wool wired mat", "50", "0.90"},
        {2, "Mineral wool wired mat", "50", "0.90"},
        {3, "Mineral wool wired mat", "40", "0.90"},
    };
    TsBoxAnswerer answer(IDOK);
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << "layer " << step.layer << " " << (step.thickness ? "chosen" : "open"));
        Choose(119 + step.layer - 1, step.product);
        if (step.thickness)
            Choose(128 + step.layer - 1, step.thickness);
        EXPECT_FLOAT_EQ(CalcRec().emissivity, float(std::atof(step.emissivity)));
        EXPECT_EQ(Ts_ControlText(page(), 116), step.emissivity);
    }
    Click(203);
    EXPECT_TRUE(answer.boxes().empty());
    EXPECT_NE(Line(0).find("W/m"), std::string::npos) << Line(0);
    Choose(130, Shell_Text(40037));
    Type(136, "40");
    EXPECT_EQ(Ts_ControlText(page(), 116), "0.90");
    Click(203);
    EXPECT_TRUE(answer.boxes().empty());
    EXPECT_NE(Line(0).find("W/m"), std::string::npos) << Line(0);
}

// An own thickness out of its limits is refused where it is typed: told
// with the range, the field back on the thickness it had, and no diameter
// made of it.
TEST_F(InsulationPageTest, ARefusedOwnThicknessDrivesNoFigure)
{
    StartWithPipe();
    MineralWool50();
    Choose(120, "Mineral wool pipe section");
    Choose(129, "30");
    Choose(121, "Mineral wool wired mat");
    Choose(130, Shell_Text(40037));   // own thickness
    Type(136, "30");
    const std::string outer = Ts_ControlText(page(), 127);
    ASSERT_FALSE(outer.empty());
    TsBoxAnswerer answer(IDOK);
    Type(136, "-20");
    ASSERT_EQ(answer.boxes().size(), 1u);
    EXPECT_NE(answer.boxes()[0].text.find(" ... "), std::string::npos) << answer.boxes()[0].text;
    EXPECT_EQ(Ts_ControlText(page(), 136), "30");
    EXPECT_EQ(GetFocus(), GetDlgItem(page(), 136));
    EXPECT_EQ(Ts_ControlText(page(), 127), outer);
    EXPECT_FLOAT_EQ(CalcRec().thickness[2], 30.0f);
    EXPECT_FLOAT_EQ(CalcRec().outerDiameter[2], std::stof(outer));
}

struct TargetCase {
    const char* name;
    short geometry;
    int caseButton;
    int limitField;
    const char* limit;
};

const TargetCase kTargetCases[] = {
    {"PipeSurfaceTemperature", Geometry_Pipe, 139, 146, "40"},
    {"PipeEconomic", Geometry_Pipe, 137, 0, nullptr},
    {"PlaneHeatLoss", Geometry_Plane, 138, 145, "40"},
    {"RectDuctCondensation", Geometry_RectDuct, 140, 0, nullptr},
};

class InsulationTargetTest : public InsulationPageTest, public ::testing::WithParamInterface<TargetCase> {};

TEST_P(InsulationTargetTest, AdoptsTheListsFirstThicknessAndShowsItsResults)
{
    const TargetCase& c = GetParam();
    StartWithPipe(c.geometry);
    Choose(119, c.geometry == Geometry_Pipe ? "Mineral wool pipe section" : "Mineral wool slab, high temperature");
    Click(c.caseButton);
    if (c.limitField)
        Type(c.limitField, c.limit);
    float thickness = CalcRec().thickness[0];
    EXPECT_GT(thickness, 0.0f);
    EXPECT_NE(Ts_ComboSelectedText(page(), 128), "");
    EXPECT_NE(Line(0).find(Shell_Text(30025)), std::string::npos) << Line(0);
    EXPECT_FALSE(Ts_IsEnabled(page(), 120));
    if (c.caseButton == 139) {   // the thinnest section that keeps the surface at 40 °C
        EXPECT_LE(CalcRec().heatLossResults[10], 40.0f);
        EXPECT_GT(CalcRec().heatLossResults[10], 35.0f);
        EXPECT_EQ(Ts_ComboSelectedText(page(), 128), "20");
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, InsulationTargetTest, ::testing::ValuesIn(kTargetCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Targets that no listed thickness meets, and an economic case whose
// candidates cannot be costed: the reason shows instead of results, naming
// the target; nothing is stored as current; layer 1 keeps its thickness; and
// Calculate says the same reason (not a complaint about layer 1's diameters).
struct UnreachableCase {
    const char* name;
    short geometry;
    float contents, ambient, humidity;
    bool economicData;
    int caseButton, limitField;
    const char* limit;
    uint16_t reason;
    const char* named;   // in the line after the reason
};

const UnreachableCase kUnreachableCases[] = {
    {"WallHeatLoss", Geometry_Plane, 350, 20, 50, true, 138, 145, "100", 45300, "100.0 W/m²"},
    {"WallSurfaceTemperature", Geometry_Plane, 350, 20, 50, true, 139, 146, "25", 45300, "25.0 °C"},
    {"PipeInSaturatedAir", Geometry_Pipe, 6, 25, 100, true, 140, 0, nullptr, 45300, "25.0 °C"},
    {"PipeWithoutEconomicData", Geometry_Pipe, 150, 20, 50, false, 137, 0, nullptr, 45301, "Economic data"},
};

class UnreachableTargetTest : public InsulationPageTest, public ::testing::WithParamInterface<UnreachableCase> {};

TEST_P(UnreachableTargetTest, ShowsAndStoresNoAnswerAndKeepsTheLayer)
{
    const UnreachableCase& c = GetParam();
    StartWithPipe(c.geometry, [&] {
        Kadmi_SetFloatAtt(0, 1315, c.contents);
        Kadmi_SetFloatAtt(0, 1316, c.ambient);
        Kadmi_SetFloatAtt(0, 1317, c.humidity);
        for (short att = 1359; att <= 1363 && !c.economicData; ++att)
            Kadmi_SetFloatAtt(0, att, 0);
    });
    const bool pipe = c.geometry == Geometry_Pipe;
    Choose(119, pipe ? "Mineral wool pipe section" : "Mineral wool slab, high temperature");
    Choose(128, "50");
    Click(203);
    ASSERT_TRUE(ResultsCurrent());
    Sleep(1100);   // stamps count in seconds
    Click(c.caseButton);
    if (c.limitField)
        Type(c.limitField, c.limit);
    EXPECT_EQ(Line(0), Shell_Text(c.reason));
    EXPECT_NE(Line(1).find(c.named), std::string::npos) << Line(1);
    EXPECT_EQ(Line(2), " ");
    EXPECT_EQ(Line(3), " ");
    EXPECT_FALSE(ResultsCurrent());
    EXPECT_EQ(Ts_ComboSelectedText(page(), 128), "50");
    TsBoxAnswerer answer(IDOK);
    Click(203);
    ASSERT_EQ(answer.boxes().size(), 1u);
    EXPECT_EQ(answer.boxes()[0].text.find(Shell_Text(40053)), std::string::npos);
    EXPECT_FALSE(ResultsCurrent());
}

INSTANTIATE_TEST_SUITE_P(Cases, UnreachableTargetTest, ::testing::ValuesIn(kUnreachableCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(InsulationPageTest, ThicknessDialogSortsAndSelectsTheRowItShows)
{
    StartWithPipe();
    MineralWool50();
    Choose(120, "Mineral wool wired mat");   // sits on the section, so its price follows the choice
    Choose(129, "50");
    Click(203);
    std::string chosen;
    TsUiScript script({
        [&] {
            HWND dialog = Ts_FindWindow("#32770", Shell_Text(20014));
            if (!dialog)
                return false;
            HWND list = GetDlgItem(dialog, 109);
            EXPECT_GT(ListView_GetItemCount(list), 2);
            char heading[128] = {};
            LVCOLUMNA column{};
            column.mask = LVCF_TEXT;
            column.pszText = heading;
            column.cchTextMax = sizeof(heading);
            ListView_GetColumn(list, 7, &column);
            EXPECT_EQ(std::string(heading).rfind(Shell_Text(30084), 0), 0u) << heading;   // the total it holds
            char inner[32] = {};
            ListView_GetItemText(list, 0, 2, inner, sizeof(inner));
            EXPECT_STREQ(inner, "114.3");   // the pipe's diameter as it is, not rounded to 114
            // Thickness column: ascending, then descending.
            NMLISTVIEW click{};
            click.hdr = {list, 109, LVN_COLUMNCLICK};
            click.iSubItem = 4;
            SendMessageA(dialog, WM_NOTIFY, 109, reinterpret_cast<LPARAM>(&click));
            char first[16], last[16];
            ListView_GetItemText(list, 0, 4, first, sizeof(first));
            ListView_GetItemText(list, ListView_GetItemCount(list) - 1, 4, last, sizeof(last));
            EXPECT_LT(atof(first), atof(last));
            SendMessageA(dialog, WM_NOTIFY, 109, reinterpret_cast<LPARAM>(&click));
            ListView_GetItemText(list, 0, 4, first, sizeof(first));
            ListView_GetItemText(list, ListView_GetItemCount(list) - 1, 4, last, sizeof(last));
            EXPECT_GT(atof(first), atof(last));
            // The second row as shown is the one taken.
            ListView_SetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            EXPECT_EQ(ThicknessDlg().selectedRow, ThicknessDlg().rows[1]);
            const auto& element = ThicknessDlg().list[ThicknessDlg().rows[1]];
            chosen.assign(element.productCode, strnlen(element.productCode, sizeof(element.productCode)));
            chosen.erase(chosen.find_last_not_of(' ') + 1);
            EXPECT_TRUE(Ts_IsEnabled(dialog, 203));
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            return true;
        },
    });
    Sleep(1100);   // stamps count in seconds: the change must come after the open
    Click(201);
    EXPECT_TRUE(script.Finished());
    int32_t part = CalcRecordState().layerParts[0];
    EXPECT_EQ(std::string(Kadmi_GetStringAtt(part, 1528)), chosen);
    EXPECT_EQ(Kadmi_GetIntAtt(part, 1130), 4);
    EXPECT_TRUE(ProjectUnsaved());
    EXPECT_TRUE(Ts_IsChecked(page(), 141));
    EXPECT_TRUE(ResultsCurrent());
    const float capital = Kadmi_GetFloatAtt(0, 1370);
    Click(203);
    EXPECT_FLOAT_EQ(Kadmi_GetFloatAtt(0, 1370), capital);
}

struct CostsCase {
    const char* name;
    int button;
    bool stored;
};

const CostsCase kCostsCases[] = {{"Ok", IDOK, true}, {"Cancel", IDCANCEL, false}};

class AnnualCostsTest : public InsulationPageTest, public ::testing::WithParamInterface<CostsCase> {};

TEST_P(AnnualCostsTest, KeepsEverythingUntilOk)
{
    const CostsCase& c = GetParam();
    StartWithPipe();
    MineralWool50();
    Click(203);
    float total = Kadmi_GetFloatAtt(0, 1374);
    std::string line;
    TsUiScript script({
        [&] {
            HWND dialog = Ts_FindWindow("#32770", Shell_Text(30074));
            if (!dialog)
                return false;
            EXPECT_TRUE(Ts_IsEnabled(dialog, 201));
            Dlg_SetItemText(dialog, 103, "80");   // a dearer energy
            EXPECT_NE(Kadmi_GetFloatAtt(0, 1374), 0.0f);   // editing deletes nothing
            SendMessageA(dialog, WM_COMMAND, 201, 0);
            line = Ts_ControlText(dialog, 609);
            PostMessageA(dialog, WM_COMMAND, c.button, 0);
            return true;
        },
    });
    Sleep(1100);
    bool wasCurrent = ResultsCurrent();
    AnnualCosts_Show(window());
    EXPECT_TRUE(script.Finished());
    EXPECT_NE(line.find(Shell_Text(30084)), std::string::npos);
    EXPECT_EQ(Kadmi_GetFloatAtt(0, 1361), c.stored ? 80.0f : 40.0f);
    EXPECT_EQ(Kadmi_GetFloatAtt(0, 1374) > total, c.stored);
    EXPECT_EQ(ResultsCurrent(), wasCurrent);
}

INSTANTIATE_TEST_SUITE_P(Buttons, AnnualCostsTest, ::testing::ValuesIn(kCostsCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Each economic input is labelled with what its field holds (fields 101..105
// hold attributes 1359..1363), so a swap of labels cannot pass.
TEST_F(InsulationPageTest, AnnualCostsLabelEveryInputByItsMeaning)
{
    struct Label {
        int control;
        const char* english;
    };
    const Label kLabels[] = {
        {601, "Annual price increase of energy"}, {602, "Economic useful life"}, {702, "years"},
        {603, "Price of thermal energy"},         {604, "Annual operating time"}, {704, "h/a"},
        {605, "Rate of interest"},
    };
    StartWithPipe();
    TsUiScript script({
        [&] {
            HWND dialog = Ts_FindWindow("#32770", Shell_Text(30074));
            if (!dialog)
                return false;
            for (const Label& label : kLabels)
                EXPECT_EQ(Ts_ControlText(dialog, label.control), label.english) << "control " << label.control;
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return true;
        },
    });
    AnnualCosts_Show(window());
    EXPECT_TRUE(script.Finished());
}

// An input that does not read is refused with the limits of that field.
TEST_F(InsulationPageTest, AnnualCostsTellTheLimitsOfAnInputThatDoesNotRead)
{
    const struct {
        int control;
        const char* range;
    } rows[] = {{102, "1.00 ... 100.00 !"}, {105, "0.10 ... 100.00 !"}};
    StartWithPipe();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.control);
        TsBoxAnswerer box(IDOK, App().title);
        HWND dialog = nullptr;
        TsUiScript script({
            [&] {
                dialog = Ts_FindWindow("#32770", Shell_Text(30074));
                if (!dialog)
                    return false;
                Dlg_SetItemText(dialog, row.control, "x1");
                PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                return true;
            },
            [&] {
                if (box.boxes().empty())
                    return false;
                EXPECT_EQ(GetFocus(), GetDlgItem(dialog, row.control));
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                return true;
            },
        });
        AnnualCosts_Show(window());
        EXPECT_TRUE(script.Finished());
        ASSERT_EQ(box.boxes().size(), 1u);
        EXPECT_EQ(box.boxes()[0].text, row.range);
    }
}

} // namespace
