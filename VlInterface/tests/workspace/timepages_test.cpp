// The cooling, tank and freezing pages as real dialogs opened by the tab
// host from its slot table: results shown when the page is activated, and
// cleared, never left standing, when a calculation is refused because the
// insulation results are stale; no stale message before the first
// calculation; validation without messages; the freezing
// page calculating with the values it shows; a value out of its limits (on
// these pages and the insulation page) giving no figure by any path.
#include "VlInterface/tests/workspace/timecalc_fixture.h"
#include "VlInterface/workspace/calctabs.h"
#include "VlInterface/workspace/page_insulation_ids.h"
#include "VlInterface/workspace/page_pipecooling_ids.h"
#include "VlInterface/workspace/productlist.h"
#include "VlInterface/resource.h"
#include "testsupport/testsupport.h"
#include "support/dlgutil.h"
#include <string>
#include <vector>

namespace {

constexpr int kTabsId = 194;
constexpr int kProjectTab = 0, kInsulationTab = 2, kCoolingTab = 3, kFreezingTab = 4;

INT_PTR CALLBACK ParentProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// A window with the tab host on it, showing one tab's page.
class TimePagesTest : public TimeCalcFixture {
protected:
    void TearDown() override
    {
        CalcTabs_Destroy();
        TimeCalcFixture::TearDown();
    }
    HWND OpenTab(int index)
    {
        CalcTabs_Create(parent_.hwnd(), kTabsId, nullptr);
        CalcTabs_UpdateTabs();
        CalcTabs_SelectPage(index);
        return CalcTabs_OpenPageWindow();
    }
    TsDialog parent_{ParentProc};
};

bool Blank(const std::string& text)
{
    return text.find_first_not_of(' ') == std::string::npos;
}

struct PageRow {
    const char* name;
    int tab;
    int geometry;
    bool stationary;
    int filledLine;   // the result line every calculation fills
};

constexpr PageRow kPages[] = {
    {"pipe cooling, flowing", kCoolingTab, Flag_Pipe, false, IDC_TP_RESULT1},
    {"pipe cooling, stationary", kCoolingTab, Flag_RectDuct, true, IDC_TP_RESULT2},
    {"tank", kCoolingTab, Flag_Plane, false, IDC_TP_RESULT1},
    {"freezing", kFreezingTab, Flag_Pipe, false, IDC_TP_RESULT1},
};

TEST_F(TimePagesTest, RefusedCalculationLeavesNoOldResults)
{
    for (const PageRow& row : kPages) {
        SCOPED_TRACE(row.name);
        PrepareCalculable(row.geometry);
        if (row.stationary) {
            CalcRec().coolingCaseFlags[0] = 0;
            CalcRec().coolingCaseFlags[1] = 1;
            CalcRecord_Store(2);
        }
        HWND page = OpenTab(row.tab);
        ASSERT_NE(page, nullptr);
        EXPECT_TRUE(Ts_IsEnabled(page, IDC_TP_CALCULATE));

        // Never calculated: nothing to show again, and no reason for nothing.
        SetStamps({{"EDT1", 100}});
        CalcTabs_NotifyCurrentPage(CalcPage_SetActive);
        EXPECT_TRUE(Blank(Ts_ControlText(page, IDC_TP_RESULT1)));
        EXPECT_TRUE(Blank(Ts_ControlText(page, IDC_TP_RESULT2)));

        SetStamps({{"EDT1", 100}, {"DIM1", 200}});
        CalcTabs_NotifyCurrentPage(CalcPage_SetActive);   // a quiet calculation
        EXPECT_FALSE(Blank(Ts_ControlText(page, row.filledLine)));

        SetStamps({{"DIM1", 100}, {"EDT1", 200}});
        CalcTabs_NotifyCurrentPage(CalcPage_SetActive);
        EXPECT_EQ(Ts_ControlText(page, IDC_TP_RESULT1), Shell_Text(40046));
        EXPECT_TRUE(Blank(Ts_ControlText(page, IDC_TP_RESULT2)));

        SetStamps({{"EDT1", 100}, {"DIM1", 200}});
        CalcTabs_NotifyCurrentPage(CalcPage_SetActive);
        SetStamps({{"DIM1", 100}, {"EDT1", 200}});
        TsBoxAnswerer answerer(IDOK);
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_TP_CALCULATE, BN_CLICKED), 0);
        EXPECT_FALSE(answerer.boxes().empty()) << "the error dialog";
        EXPECT_TRUE(Blank(Ts_ControlText(page, row.filledLine)));
        CalcTabs_Destroy();
    }
}

// A value outside its limits gives no figure by any path: not quietly when
// the page is shown, not by Calculate, not in a print; what was stored and
// marked current stays as it was.
TEST_F(TimePagesTest, AValueOutOfItsLimitsGivesNoFigureByAnyPath)
{
    struct Row {
        const char* name;
        int tab, geometry;
        void (*outOfLimits)(CalcRecord& record);
        int calculate, print;
        const char* stamp;   // of the results the page marks current
        short result;
        float stored;
    };
    const Row rows[] = {
        {"insulation, emissivity 5 of the user's surface", kInsulationTab, Flag_Pipe,
         [](CalcRecord& r) {
             r.surfaceMaterial = -1;
             std::strcpy(r.surfaceMaterialCode, kCodeUserSurface);
             r.emissivity = 5.0f;
         },
         IDC_INS_CALCULATE, IDC_INS_PRINT, "DIM1", 1323, 30.0f},
        {"pipe cooling, mass flow", kCoolingTab, Flag_Pipe, [](CalcRecord& r) { r.flowValues[0] = 20000.0f; },
         IDC_TP_CALCULATE, IDC_TP_PRINT, "DIM2", 1342, AttMissing_Float},
        {"tank, diameter", kCoolingTab, Flag_Plane, [](CalcRecord& r) { r.vesselDimensions[0] = 200.0f; },
         IDC_TP_CALCULATE, IDC_TP_PRINT, "DIM2", 1344, AttMissing_Float},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PrepareCalculable(row.geometry);
        row.outOfLimits(CalcRec());
        CalcRecord_Store(-1);
        SetStamps({{"EDT1", 100}, {"DIM1", 200}, {"SEEN", 200}});
        TsBoxAnswerer answerer(IDOK);
        HWND page = OpenTab(row.tab);   // a quiet calculation
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(Ts_ControlText(page, IDC_TP_RESULT1), Shell_Text(40068));
        EXPECT_TRUE(Blank(Ts_ControlText(page, IDC_TP_RESULT2)));
        EXPECT_TRUE(answerer.boxes().empty());
        for (int button : {row.calculate, row.print})
            SendMessageA(page, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        size_t rangeBoxes = 0;   // the range, once for each; no error dialog
        for (const TsSeenBox& box : answerer.boxes())
            rangeBoxes += box.text.find(" ... ") != std::string::npos;
        EXPECT_EQ(rangeBoxes, 2u);
        EXPECT_TRUE(Blank(Ts_ControlText(page, IDC_TP_RESULT1)));
        EXPECT_EQ(Kadmi_GetFloatAttZ(kCalcObjectSystem, row.result), row.stored);
        EXPECT_LE(Kadmi_CmpAccess(kCalcObjectSystem, row.stamp, kCalcObjectSystem, "SEEN"), 0);
        CalcTabs_Destroy();
    }
}

// A flow too small for the field's three decimals is shown as itself and
// comes back unchanged when the page is left.
TEST_F(TimePagesTest, ASmallFlowKeepsItsValue)
{
    PrepareCalculable(Flag_Pipe);
    CalcRec().flowValues[1] = 0.0001f;
    CalcRecord_Store(2);
    HWND page = OpenTab(kCoolingTab);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Ts_ControlText(page, IDC_PC_VOLUME_FLOW), "0.0001");
    EXPECT_EQ(CalcTabs_NotifyCurrentPage(CalcPage_KillActive), 0);
    EXPECT_EQ(Kadmi_GetFloatAtt(0, 1333), 0.0001f);
}

// The host validates on every command of the main window; a range message
// there would come back with every command that closing it causes.
TEST_F(TimePagesTest, ValidationRefusesWithoutAMessageWhileLeavingTellsTheRange)
{
    PrepareCalculable(Flag_Pipe);
    HWND page = OpenTab(kCoolingTab);
    ASSERT_NE(page, nullptr);
    // An unreadable length holds the page; a length not given yet (0) lets the
    // user leave, and only a calculation asks for it.
    const struct {
        const char* name;
        const char* length;
        int32_t code;
        LRESULT answer;
        size_t boxes;
    } rows[] = {
        {"validate", "1x", CalcPage_Validate, kCalcPageInvalid, 0},
        {"leave", "1x", CalcPage_KillActive, 1, 1},
        {"leave without a length", "0", CalcPage_KillActive, 0, 0},
        {"calculate without a length", "0", 0, 0, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Dlg_SetItemText(page, IDC_PC_LENGTH, row.length);
        TsBoxAnswerer answerer(IDOK);
        if (row.code)
            EXPECT_EQ(CalcTabs_NotifyCurrentPage(row.code), row.answer);
        else
            SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_TP_CALCULATE, BN_CLICKED), 0);
        size_t rangeBoxes = 0;   // the page itself may be activated too
        for (const TsSeenBox& box : answerer.boxes())
            rangeBoxes += box.text.find(" ... ") != std::string::npos;
        EXPECT_EQ(rangeBoxes, row.boxes);
    }
}

TEST_F(TimePagesTest, FreezingOnActivationCalculatesWithTheValuesShown)
{
    PrepareCalculable(Flag_Pipe);
    for (short attribute = 1345; attribute <= 1349; ++attribute)
        Kadmi_DeleteAtt(kCalcObjectSystem, attribute);   // a system stored before the values were fixed
    HWND page = OpenTab(kFreezingTab);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Ts_ControlText(page, IDC_TP_RESULT1).rfind(Shell_Text(30068), 0), 0u)
        << Ts_ControlText(page, IDC_TP_RESULT1);
    EXPECT_FLOAT_EQ(Kadmi_GetFloatAtt(kCalcObjectSystem, 1346), 7800.0f);
    EXPECT_TRUE(HasStamp("DIM3"));
}

TEST_F(TimePagesTest, FreezingPageSaysWhenTheContentsDoNotFreeze)
{
    PrepareCalculable(Flag_Pipe);
    CalcRec().ambientTemperature = -1.0f;   // the freezing temperature
    CalcRecord_Store(-1);
    SetStamps({{"EDT1", 100}, {"DIM1", 200}});
    HWND page = OpenTab(kFreezingTab);
    ASSERT_NE(page, nullptr);
    const std::string never = Shell_Text(40085);
    EXPECT_EQ(Ts_ControlText(page, IDC_TP_RESULT1), std::string(Shell_Text(30068)) + ": " + never);
    EXPECT_EQ(Ts_ControlText(page, IDC_TP_RESULT2), std::string(Shell_Text(20053)) + ": " + never);
}

// The enabled state of each child of a page, in child order.
std::vector<bool> EnabledChildren(HWND page)
{
    std::vector<bool> states;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        states.push_back(IsWindowEnabled(child) != FALSE);
    return states;
}

// A page kept from a plane (all greyed: nothing freezes there) shows a pipe
// exactly as a page made for the pipe does.
TEST_F(TimePagesTest, AKeptFreezingPageShowsAPipeAsANewPageWould)
{
    TsBoxAnswerer unexpected(IDOK);
    PrepareCalculable(Flag_Pipe);
    const std::vector<bool> forAPipe = EnabledChildren(OpenTab(kFreezingTab));
    CalcTabs_Destroy();
    PrepareCalculable(Flag_Plane);
    HWND page = OpenTab(kFreezingTab);
    ASSERT_NE(page, nullptr);
    EXPECT_NE(EnabledChildren(page), forAPipe);
    CalcTabs_SelectPage(kProjectTab);   // as a switch to another system leaves it
    PrepareCalculable(Flag_Pipe);
    CalcTabs_UpdateTabs();
    CalcTabs_SelectPage(kFreezingTab);
    EXPECT_EQ(CalcTabs_OpenPageWindow(), page);
    EXPECT_EQ(EnabledChildren(page), forAPipe);
    EXPECT_TRUE(unexpected.boxes().empty());
}

// A page left for another tab is kept and shown again: the cooling page kept
// for a pipe lists the contents of the round duct the pipe became.
TEST_F(TimePagesTest, AKeptCoolingPageFollowsTheObject)
{
    constexpr uint16_t kWater = 30066, kAir = 40055;
    PrepareCalculable(Flag_Pipe);
    HWND page = OpenTab(kCoolingTab);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Ts_ComboSelectedText(page, IDC_PC_CONTENTS), Shell_Text(kWater));
    CalcTabs_SelectPage(kInsulationTab);
    CalcRec().geometryFlags[Flag_Pipe] = 0;
    CalcRec().geometryFlags[Flag_RoundDuct] = 1;
    CalcRecord_Store(1);
    CalcTabs_UpdateTabs();
    CalcTabs_SelectPage(kCoolingTab);
    EXPECT_EQ(CalcTabs_OpenPageWindow(), page);
    EXPECT_EQ(Ts_ComboSelectedText(page, IDC_PC_CONTENTS), Shell_Text(kAir));
}

} // namespace
