// The cooling, tank and freezing pages as real dialogs: results shown when
// the page is activated, and cleared, never left standing, when a
// calculation is refused because the insulation results are stale.
#include "VlInterface/tests/workspace/timecalc_fixture.h"
#include "VlInterface/workspace/page_freezing.h"
#include "VlInterface/workspace/page_pipecooling.h"
#include "VlInterface/workspace/page_tank.h"
#include "VlInterface/workspace/calctabs.h"
#include "VlInterface/resource.h"
#include "support/app.h"
#include "testsupport/testsupport.h"

namespace {

using TimePagesTest = TimeCalcFixture;

struct PageRow {
    const char* name;
    int templateId;
    DLGPROC procedure;
    int geometry;
    bool stationary;
};

constexpr PageRow kPages[] = {
    {"pipe cooling, flowing", IDD_PIPECOOLING, PipeCoolingPage_DlgProc, Flag_Pipe, false},
    {"pipe cooling, stationary", IDD_PIPECOOLING, PipeCoolingPage_DlgProc, Flag_RectDuct, true},
    {"tank", IDD_TANK, VesselCoolingPage_DlgProc, Flag_Plane, false},
    {"freezing", IDD_FREEZING, FreezingPage_DlgProc, Flag_Pipe, false},
};

INT_PTR CALLBACK ParentProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

void Notify(HWND page, int32_t code)
{
    NMHDR header{nullptr, 0, static_cast<UINT>(code)};
    SendMessageA(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
}

bool Blank(const std::string& text)
{
    return text.find_first_not_of(' ') == std::string::npos;
}

// The result line that every page fills: the second of a stationary pipe.
int FilledLine(const PageRow& row)
{
    return row.stationary ? IDC_TP_RESULT2 : IDC_TP_RESULT1;
}

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
        TsDialog parent(ParentProc);
        TsDialog page(App().instance, MAKEINTRESOURCEA(row.templateId), row.procedure, 0, parent.hwnd());
        ASSERT_NE(page.hwnd(), nullptr);
        EXPECT_TRUE(Ts_IsEnabled(page.hwnd(), IDC_TP_CALCULATE));

        SetStamps({{"EDT1", 100}, {"DIM1", 200}});
        Notify(page.hwnd(), CalcPage_SetActive);   // quiet calculation
        EXPECT_FALSE(Blank(Ts_ControlText(page.hwnd(), FilledLine(row))));

        SetStamps({{"DIM1", 100}, {"EDT1", 200}});
        Notify(page.hwnd(), CalcPage_SetActive);
        EXPECT_EQ(Ts_ControlText(page.hwnd(), IDC_TP_RESULT1), Shell_Text(40046));
        EXPECT_TRUE(Blank(Ts_ControlText(page.hwnd(), IDC_TP_RESULT2)));

        SetStamps({{"EDT1", 100}, {"DIM1", 200}});
        Notify(page.hwnd(), CalcPage_SetActive);
        SetStamps({{"DIM1", 100}, {"EDT1", 200}});
        TsBoxAnswerer answerer(IDOK);
        SendMessageA(page.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_TP_CALCULATE, BN_CLICKED), 0);
        EXPECT_FALSE(answerer.boxes().empty()) << "the error dialog";
        EXPECT_TRUE(Blank(Ts_ControlText(page.hwnd(), FilledLine(row))));
    }
}

} // namespace

namespace {

// The host validates on every command of the main window; a range message
// there would come back with every command that closing it causes.
TEST_F(TimePagesTest, ValidationRefusesWithoutAMessageWhileLeavingTellsTheRange)
{
    PrepareCalculable(Flag_Pipe);
    TsDialog parent(ParentProc);
    TsDialog page(App().instance, MAKEINTRESOURCEA(IDD_PIPECOOLING), PipeCoolingPage_DlgProc, 0, parent.hwnd());
    SetDlgItemTextA(page.hwnd(), IDC_PC_LENGTH, "0");
    const struct { const char* name; int32_t code; LRESULT answer; size_t boxes; } rows[] = {
        {"validate", CalcPage_Validate, kCalcPageInvalid, 0},
        {"leave", CalcPage_KillActive, 1, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TsBoxAnswerer answerer(IDOK);
        Notify(page.hwnd(), row.code);
        EXPECT_EQ(GetWindowLongPtrA(page.hwnd(), DWLP_MSGRESULT), row.answer);
        EXPECT_EQ(answerer.boxes().size(), row.boxes);
    }
}

} // namespace

namespace {

TEST_F(TimePagesTest, FreezingOnActivationCalculatesWithTheValuesShown)
{
    PrepareCalculable(Flag_Pipe);
    for (short attribute = 1345; attribute <= 1349; ++attribute)
        Kadmi_DeleteAtt(kCalcObjectSystem, attribute);   // a system stored before the values were fixed
    TsDialog parent(ParentProc);
    TsDialog page(App().instance, MAKEINTRESOURCEA(IDD_FREEZING), FreezingPage_DlgProc, 0, parent.hwnd());
    Notify(page.hwnd(), CalcPage_SetActive);
    EXPECT_EQ(Ts_ControlText(page.hwnd(), IDC_TP_RESULT1).rfind(Shell_Text(30068), 0), 0u)
        << Ts_ControlText(page.hwnd(), IDC_TP_RESULT1);
    EXPECT_FLOAT_EQ(Kadmi_GetFloatAtt(kCalcObjectSystem, 1346), 7800.0f);
    EXPECT_TRUE(HasStamp("DIM3"));
}

} // namespace
