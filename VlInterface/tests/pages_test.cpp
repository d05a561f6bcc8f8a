// The project information and insulation target pages in the running main
// window: what each geometry and location enables, the limit tests and
// their order, texts at full length, and values that outlive a tab switch,
// a system switch, Save and a new start.
#include "VlInterface/vlinterface.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/workspace/calctabs.h"
#include "VlInterface/workspace/page_insulation.h"
#include "VlInterface/workspace/target_limits.h"
#include "VlInterface/tests/window_fixture.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include "support/dlgutil.h"
#include "testsupport/testsupport.h"
#include <commctrl.h>
#include <string>

namespace {

constexpr int kProjectTab = 0, kTargetTab = 1, kInsulationTab = 2;

class CalcPagesTest : public ShellWindowTest {
protected:
    // Starts on a project of two systems, the first with its layer parts.
    void StartOnProject()
    {
        path_ = TempPath("pages.WDF");
        MakeProjectFile(path_);
        ASSERT_EQ(Kadmi_OpenDatabasefile(path_.c_str()), 0);
        Kadmi_LoadPage(Kadmi_CreatePage());
        Kadmi_SavePage();
        ASSERT_EQ(Kadmi_SaveDatabasefile(), 0);
        Kadmi_CloseDatabasefile(0);
        Start(path_.c_str());
    }

    HWND ShowTab(int index)
    {
        CalcTabs_SelectPage(index);
        return CalcTabs_OpenPageWindow();
    }

    static void Click(HWND page, int id)
    {
        SendMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0);
    }

    static void Type(HWND page, int id, const char* text)
    {
        Dlg_SetItemText(page, id, text);
    }

    static void Leave(HWND page, int id)
    {
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
    }

    // Keys typed into the focused control as the program's message loop
    // passes them on: the open page's dialog navigation first. '\t' is Tab.
    static void TypeKeys(const std::string& keys)
    {
        for (char key : keys) {
            if (key == '\t') {
                Deliver(WM_KEYDOWN, VK_TAB);
                Deliver(WM_KEYUP, VK_TAB);
            } else {
                Deliver(WM_CHAR, static_cast<unsigned char>(key));
            }
        }
    }

    static void Deliver(UINT message, WPARAM key)
    {
        PostMessageW(GetFocus(), message, key, 0);
        RunQueuedMessages();
    }

    // The queue as the program's loop runs it.
    static void RunQueuedMessages()
    {
        MSG queued;
        while (PeekMessageW(&queued, nullptr, 0, 0, PM_REMOVE))
            Startup_DispatchMessage(&queued);
    }


    std::string path_;
};

TEST_F(CalcPagesTest, EachGeometryEnablesItsDimensions)
{
    struct Case {
        const char* name;
        int button;
        int16_t storedGeometry;
        bool pipe, roundDuct, width, height;
    };
    const Case cases[] = {
        {"plane surface", IDC_TG_PLANE, Kind_Plane, false, false, false, false},
        {"pipe", IDC_TG_PIPE, Kind_Pipe, true, false, false, false},
        {"round duct", IDC_TG_ROUND_DUCT, Kind_RoundDuct, false, true, false, false},
        {"rectangular duct", IDC_TG_RECT_DUCT, Kind_RectDuct, false, false, true, true},
    };
    StartOnProject();
    HWND page = ShowTab(kTargetTab);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Click(page, c.button);
        ASSERT_EQ(CalcTabs_OpenPageWindow(), page);
        EXPECT_EQ(CalcTabs_GetFocusedTab(), kTargetTab);
        EXPECT_EQ(Kadmi_GetIntAtt(0, 1117), c.storedGeometry);
        EXPECT_EQ(Ts_IsEnabled(page, IDC_TG_PIPE_DIAMETER), c.pipe);
        EXPECT_EQ(Ts_IsEnabled(page, IDC_TG_DUCT_DIAMETER), c.roundDuct);
        EXPECT_EQ(Ts_IsEnabled(page, IDC_TG_WIDTH), c.width);
        EXPECT_EQ(Ts_IsEnabled(page, IDC_TG_HEIGHT), c.height);
    }
}

TEST_F(CalcPagesTest, HumidityCountsOnlyWhenTheContentsAreNotWarmer)
{
    struct Case {
        const char* name;
        const char* contents;
        const char* ambient;
        bool humidityEnabled;
    };
    const Case cases[] = {
        {"hot contents", "60", "20", false},
        {"cold contents", "5", "20", true},
        {"as warm as the air", "20", "20", true},
    };
    StartOnProject();
    HWND page = ShowTab(kTargetTab);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Type(page, IDC_TG_CONTENTS_TEMP, c.contents);
        Type(page, IDC_TG_AMBIENT_TEMP, c.ambient);
        Leave(page, IDC_TG_CONTENTS_TEMP);
        EXPECT_EQ(Ts_IsEnabled(page, IDC_TG_HUMIDITY), c.humidityEnabled);
    }
}

// A system's object typed down the page with Tab: each value lands in its
// field, each field is entered with its whole text selected, and the
// humidity that the typed temperatures make apply is not jumped over.
TEST_F(CalcPagesTest, TabWalkPutsEachTypedValueInItsField)
{
    StartOnProject();   // its first system holds no values yet, as a new one
    HWND page = ShowTab(kTargetTab);
    Ts_PumpMessages();
    Click(page, IDC_TG_PIPE);
    ASSERT_EQ(GetFocus(), GetDlgItem(page, IDC_TG_PIPE));
    const struct {
        const char* keys;
        int focused;   // the control Tab reached
    } steps[] = {
        {"\t", IDC_TG_PIPE_DIAMETER}, {"60.3\t", IDC_TG_SURFACE}, {"\t", IDC_TG_CONTENTS_TEMP},
        {"6\t", IDC_TG_LOCATION},     {"\t", IDC_TG_AMBIENT_TEMP}, {"25\t", IDC_TG_HUMIDITY},
        {"70\t", IDC_TG_AIR_VELOCITY}, {"0\t", IDC_TG_ANNUAL_COSTS},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.keys);
        TypeKeys(step.keys);
        HWND focused = GetFocus();
        ASSERT_EQ(GetDlgCtrlID(focused), step.focused);
        DWORD first = 0, last = 0;
        if (SendMessageA(focused, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
            SendMessageA(focused, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
            EXPECT_EQ(first, 0u);
            EXPECT_EQ(last, static_cast<DWORD>(GetWindowTextLengthA(focused))) << Ts_WindowText(focused);
        }
    }
    ASSERT_TRUE(MainWnd_StoreOpenPage());
    const CalcRecord& stored = CalcRec();
    EXPECT_FLOAT_EQ(stored.outerDiameters[0], 60.3f);
    EXPECT_FLOAT_EQ(stored.contentsTemperature, 6.0f);
    EXPECT_FLOAT_EQ(stored.ambientTemperature, 25.0f);
    EXPECT_FLOAT_EQ(stored.relativeHumidity, 70.0f);
    EXPECT_FLOAT_EQ(stored.airVelocity, 0.0f);
}

// A contents temperature that is no number in range is kept as typed when
// its field is left, and leaving the page tells the range, as every field
// does; "-0" shows as 0.
TEST_F(CalcPagesTest, AContentsTemperatureOutOfRangeTellsItsRange)
{
    StartOnProject();
    HWND page = ShowTab(kTargetTab);
    for (const char* typed : {"1e308", "nan", "inf", "1e39"}) {
        SCOPED_TRACE(typed);
        Type(page, IDC_TG_CONTENTS_TEMP, typed);
        Leave(page, IDC_TG_CONTENTS_TEMP);
        EXPECT_EQ(Ts_ControlText(page, IDC_TG_CONTENTS_TEMP), typed);
        ScriptedBoxes boxes({{IDOK, ""}});
        CalcTabs_SelectPage(kProjectTab);
        ASSERT_EQ(boxes.answered(), 1u);
        EXPECT_EQ(boxes.texts[0], "-200.00 ... 1000.00 !");
        EXPECT_EQ(CalcTabs_GetFocusedTab(), kTargetTab);
    }
    Type(page, IDC_TG_CONTENTS_TEMP, "-0");
    Leave(page, IDC_TG_CONTENTS_TEMP);
    EXPECT_EQ(Ts_ControlText(page, IDC_TG_CONTENTS_TEMP), "0.0");
}

TEST_F(CalcPagesTest, AWeatherLocationFillsTheAmbientAirAndLocksIt)
{
    StartOnProject();
    HWND page = ShowTab(kTargetTab);
    auto readOnly = [&](int id) { return (GetWindowLongA(GetDlgItem(page, id), GWL_STYLE) & ES_READONLY) != 0; };
    EXPECT_EQ(CalcRec().location, -100);
    EXPECT_FALSE(readOnly(IDC_TG_AMBIENT_TEMP));
    Type(page, IDC_TG_AMBIENT_TEMP, "33.3");
    SendDlgItemMessageA(page, IDC_TG_LOCATION, CB_SETCURSEL, 0, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_TG_LOCATION, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_TG_LOCATION)));
    EXPECT_EQ(CalcRec().location, 0);
    EXPECT_NE(Ts_ControlText(page, IDC_TG_AMBIENT_TEMP), "33.3");
    EXPECT_TRUE(readOnly(IDC_TG_AMBIENT_TEMP));
    EXPECT_TRUE(readOnly(IDC_TG_AIR_VELOCITY));
}

// The limits are tested in the order the page shows the inputs, each only
// where it applies.
TEST_F(CalcPagesTest, TargetLimitsAreTestedInOrder)
{
    struct Case {
        const char* name;
        int16_t geometry;
        float pipe, duct, width, height, contents, ambient, humidity, air;
        int failed;   // control of the first input out of its limits, 0 none
    };
    const Case cases[] = {
        {"all within", Kind_Pipe, 60.3f, 0, 0, 0, 80, 20, 50, 0.5f, 0},
        {"plane has no dimension", Kind_Plane, 0, 0, 0, 0, 80, 20, 50, 0.5f, 0},
        {"pipe too thin", Kind_Pipe, 5, 0, 0, 0, 80, 20, 50, 0.5f, IDC_TG_PIPE_DIAMETER},
        {"duct too wide a round", Kind_RoundDuct, 60, 4000, 0, 0, 80, 20, 50, 0.5f, IDC_TG_DUCT_DIAMETER},
        {"width before height", Kind_RectDuct, 0, 0, 5, 5, 80, 20, 50, 0.5f, IDC_TG_WIDTH},
        {"height", Kind_RectDuct, 0, 0, 500, 20000, 80, 20, 50, 0.5f, IDC_TG_HEIGHT},
        {"contents before ambient", Kind_Plane, 0, 0, 0, 0, -300, 100, 50, 0.5f, IDC_TG_CONTENTS_TEMP},
        {"ambient", Kind_Plane, 0, 0, 0, 0, 80, 60, 50, 0.5f, IDC_TG_AMBIENT_TEMP},
        {"humidity of cold contents", Kind_Plane, 0, 0, 0, 0, 5, 20, 0, 0.5f, IDC_TG_HUMIDITY},
        {"humidity of hot contents ignored", Kind_Plane, 0, 0, 0, 0, 60, 20, 0, 0.5f, 0},
        {"air velocity", Kind_Plane, 0, 0, 0, 0, 80, 20, 50, 40, IDC_TG_AIR_VELOCITY},
    };
    StartOnProject();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CalcRecord record{};
        record.geometry = c.geometry;
        record.outerDiameters[0] = c.pipe;
        record.outerDiameters[1] = c.duct;
        record.width = c.width;
        record.height = c.height;
        record.contentsTemperature = c.contents;
        record.ambientTemperature = c.ambient;
        record.relativeHumidity = c.humidity;
        record.airVelocity = c.air;
        int control = -1;
        EXPECT_EQ(TargetInputs_CheckLimits(nullptr, record, false, &control), c.failed ? -1 : 0);
        EXPECT_EQ(control, c.failed);
    }
}

TEST_F(CalcPagesTest, LeavingTheTargetWithABadValueWarnsAndStays)
{
    StartOnProject();
    HWND page = ShowTab(kTargetTab);
    Click(page, IDC_TG_PIPE);
    const std::string before = Ts_ControlText(page, IDC_TG_PIPE_DIAMETER);
    const struct { const char* name; const char* text; } rows[] = {{"unreadable", "abc"}, {"out of range", "5"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Type(page, IDC_TG_PIPE_DIAMETER, row.text);
        ScriptedBoxes boxes({{IDOK, ""}});
        CalcTabs_SelectPage(kProjectTab);
        EXPECT_EQ(boxes.answered(), 1u);
        EXPECT_EQ(CalcTabs_OpenPageWindow(), page);
        EXPECT_EQ(CalcTabs_GetFocusedTab(), kTargetTab);
        EXPECT_EQ(GetFocus(), GetDlgItem(page, IDC_TG_PIPE_DIAMETER));
        EXPECT_EQ(Ts_ControlText(page, IDC_TG_PIPE_DIAMETER), before) << "the refused text is not kept";
    }
    float diameters[2] = {};
    Kadmi_GetAtt(0, 1312, nullptr, diameters, sizeof(diameters));
    EXPECT_NE(diameters[0], 5.0f) << "a refused value is not stored";
    // A file command is refused the same way, and nothing is replaced.
    ScriptedBoxes again({{IDOK, ""}});
    EXPECT_EQ(VlFileMenu_SaveFile(window()), 1);
    EXPECT_EQ(again.answered(), 1u);
}

// A refused temperature shows its accepted value again, and the humidity
// follows that value, not the last readable text typed before.
TEST_F(CalcPagesTest, HumidityFollowsARefusedTemperatureShownAgain)
{
    StartOnProject();
    HWND page = ShowTab(kTargetTab);
    Type(page, IDC_TG_CONTENTS_TEMP, "60");
    Type(page, IDC_TG_AMBIENT_TEMP, "20");
    Leave(page, IDC_TG_CONTENTS_TEMP);
    ASSERT_FALSE(Ts_IsEnabled(page, IDC_TG_HUMIDITY));
    Type(page, IDC_TG_CONTENTS_TEMP, "5");
    ASSERT_TRUE(Ts_IsEnabled(page, IDC_TG_HUMIDITY));
    Type(page, IDC_TG_CONTENTS_TEMP, "abc");
    ScriptedBoxes boxes({{IDOK, ""}});
    SendMessageA(GetDlgItem(window(), IDC_CALC_TABS), TCM_SETCURFOCUS, kProjectTab, 0);   // a click: no refresh
    EXPECT_EQ(boxes.answered(), 1u);
    ASSERT_EQ(CalcTabs_OpenPageWindow(), page);
    EXPECT_EQ(Ts_ControlText(page, IDC_TG_CONTENTS_TEMP), "60.0");
    EXPECT_FALSE(Ts_IsEnabled(page, IDC_TG_HUMIDITY));
}

// However the target page was left (here: never shown), a calculation tests
// its limits first; the quiet one on showing the page says nothing.
TEST_F(CalcPagesTest, ACalculationTestsTheTargetLimitsFirst)
{
    StartOnProject();
    CalcRec().geometryFlags[0] = 0;
    CalcRec().geometryFlags[1] = 1;
    CalcRec().outerDiameters[0] = 5;   // below the smallest pipe
    CalcRecord_Store(1);
    ScriptedBoxes boxes({{IDOK, ""}});
    HWND page = ShowTab(kInsulationTab);
    EXPECT_EQ(boxes.answered(), 0u);
    EXPECT_EQ(InsulationPage_CalculateHeatLoss(page, CalcRec(), false), -1);
    ASSERT_EQ(boxes.answered(), 1u);
    EXPECT_NE(boxes.texts[0].find("3000"), std::string::npos) << boxes.texts[0];   // the pipe's range
}

TEST_F(CalcPagesTest, ProjectTextsComeBackAtFullLength)
{
    struct Case {
        const char* name;
        int control;
        short attribute;
        std::string text, expected;
    };
    auto repeat = [](const char* piece, size_t times) {
        std::string text;
        for (size_t i = 0; i < times; ++i)
            text += piece;
        return text;
    };
    const Case cases[] = {
        {"project, 99 bytes", IDC_PI_PROJECT, 1501, std::string(99, 'p'), std::string(99, 'p')},
        {"customer, 49 Cyrillic letters", IDC_PI_CUSTOMER, 1502, repeat("Ж", 49), repeat("Ж", 49)},
        {"customer, a letter too many is cut whole", IDC_PI_CUSTOMER, 1502, repeat("Ж", 50), repeat("Ж", 49)},
        {"address, 199 bytes", IDC_PI_ADDRESS1, 1533, std::string(199, 'a'), std::string(199, 'a')},
        {"second address, cut to 199", IDC_PI_ADDRESS2, 1534, std::string(230, 'b'), std::string(199, 'b')},
        {"reference", IDC_PI_REFERENCE, 1503, std::string(99, 'r'), std::string(99, 'r')},
        {"author", IDC_PI_ORIGINATED_BY, 1504, std::string(99, 'o'), std::string(99, 'o')},
        {"information, 1023 bytes", IDC_PI_INFORMATION, 1506, std::string(1023, 'i'), std::string(1023, 'i')},
    };
    StartOnProject();
    HWND page = CalcTabs_OpenPageWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Type(page, c.control, c.text.c_str());
        EXPECT_TRUE(MainWnd_StoreOpenPage());   // as the page is left
        char stored[1100] = {};
        Kadmi_GetAtt(-1, c.attribute, nullptr, stored, sizeof(stored) - 1);
        EXPECT_EQ(std::string(stored), c.expected);
        CalcTabs_ReactivatePage();   // shown again from the project
        EXPECT_EQ(Ts_ControlText(page, c.control), c.expected);
    }
}

// Letters of the five languages typed into a page reach the project whole,
// through the program's own message loop as typing does, and come back
// after a save and a new start.
TEST_F(CalcPagesTest, LettersTypedInFiveLanguagesAreStoredWhole)
{
    const char* const typed = "Ab Жук łęż öäå";
    const struct {
        const char* name;
        int tab, control;
        short object, attribute;
    } cases[] = {
        {"project name", kProjectTab, IDC_PI_PROJECT, -1, 1501},
        {"customer", kProjectTab, IDC_PI_CUSTOMER, -1, 1502},

    };
    StartOnProject();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HWND page = ShowTab(c.tab);
        Ts_PumpMessages();
        HWND field = GetDlgItem(page, c.control);
        SetFocus(field);
        SendMessageW(field, EM_SETSEL, 0, -1);
        Ts_PostTyping(field, typed);
        RunQueuedMessages();
        EXPECT_EQ(Ts_WindowText(field), typed);
        ASSERT_TRUE(MainWnd_StoreOpenPage());
        EXPECT_STREQ(Kadmi_GetStringAtt(c.object, c.attribute), typed);
    }
    SendMessageW(window(), WM_COMMAND, IDM_FILE_SAVE, 0);
    Restart(path_.c_str());

    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Ts_ControlText(ShowTab(c.tab), c.control), typed);
    }
}

TEST_F(CalcPagesTest, AnnualCostsOpenOnlyWhenEveryNumberReads)

{
    struct Case {
        const char* name;
        const char* contents;
        size_t dialogs;
    };
    const Case cases[] = {{"readable", "60", 1}, {"unreadable", "6O", 0}};
    StartOnProject();
    HWND page = ShowTab(kTargetTab);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Type(page, IDC_TG_CONTENTS_TEMP, c.contents);
        ScriptedBoxes boxes({{IDCANCEL, ""}});
        Click(page, IDC_TG_ANNUAL_COSTS);
        EXPECT_EQ(boxes.answered(), c.dialogs);
    }
}

// A system stored without geometry and case codes is shown as a plane
// surface; storing it unedited changes nothing, so an opened project does
// not ask to be saved.
TEST_F(CalcPagesTest, AnOpenedSystemLeftUneditedIsNotChanged)
{
    StartOnProject();
    ASSERT_EQ(CalcRec().geometry, 0);
    CalcRecord_FlagsToCodes();
    EXPECT_EQ(CalcRecord_MarkChanges(), 0);
}

// Showing a page and leaving it stores what it shows: a saved project stays
// saved and calculated results stay current.
TEST_F(CalcPagesTest, VisitingEveryPageChangesNothing)
{
    const struct {
        const char* name;
        bool calculated;   // a pipe calculated on the insulation page, else a new system
        std::string path;
    } rows[] = {{"new system", false, TempPath("new.WDF")}, {"calculated pipe", true, TempPath("pipe.WDF")}};
    MakeProjectFile(rows[0].path);
    MakePipeProjectFile(rows[1].path, Kind_Pipe);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.calculated) {
            Restart(row.path.c_str());
        } else {
            Start(row.path.c_str());
            ScriptedBoxes question({{IDYES, ""}});
            SendMessageA(window(), WM_COMMAND, IDM_SYSTEM_NEW, 0);
        }
        TsBoxAnswerer boxes(IDOK);
        if (row.calculated) {
            HWND page = ShowTab(kInsulationTab);
            ChooseItem(page, 119, "Mineral wool pipe section");
            ChooseItem(page, 128, "50");
            ClickButton(page, 203);
        }
        SendMessageA(window(), WM_COMMAND, IDM_FILE_SAVE, 0);
        ASSERT_FALSE(ProjectUnsaved());
        Kadmi_AdvanceStampClock(1);   // stamps count in seconds
        for (int tab : {kTargetTab, kInsulationTab, 3, 4, kProjectTab, kTargetTab, kProjectTab}) {
            ShowTab(tab);
            EXPECT_FALSE(ProjectUnsaved()) << "tab " << tab;
        }
        for (const TsSeenBox& box : boxes.boxes())
            ADD_FAILURE() << box.caption << ": " << box.text;
        if (row.calculated) {
            EXPECT_GE(Kadmi_CmpAccess(0, "DIM1", 0, "EDT1"), 0);
        }
    }
}

TEST_F(CalcPagesTest, EnteredValuesOutliveTabsSystemsSaveAndANewStart)
{
    StartOnProject();
    HWND page = ShowTab(kProjectTab);
    Type(page, IDC_PI_CUSTOMER, "Harbour works");
    page = ShowTab(kTargetTab);
    Type(page, IDC_TG_DESCRIPTION, "Feed line");
    Click(page, IDC_TG_PIPE);
    Type(page, IDC_TG_PIPE_DIAMETER, "114,3");
    Type(page, IDC_TG_CONTENTS_TEMP, "65,5");
    Type(page, IDC_TG_AMBIENT_TEMP, "15");
    Type(page, IDC_TG_HUMIDITY, "70");
    Type(page, IDC_TG_AIR_VELOCITY, "2.25");
    auto expectValues = [&](const char* when) {
        SCOPED_TRACE(when);
        HWND shown = ShowTab(kTargetTab);
        EXPECT_EQ(Ts_ControlText(shown, IDC_TG_DESCRIPTION), "Feed line");
        EXPECT_TRUE(Ts_IsChecked(shown, IDC_TG_PIPE));
        EXPECT_EQ(Ts_ControlText(shown, IDC_TG_PIPE_DIAMETER), "114.3");
        EXPECT_EQ(Ts_ControlText(shown, IDC_TG_CONTENTS_TEMP), "65.5");
        EXPECT_EQ(Ts_ControlText(shown, IDC_TG_AMBIENT_TEMP), "15.0");
        EXPECT_EQ(Ts_ControlText(shown, IDC_TG_HUMIDITY), "70.0");
        EXPECT_EQ(Ts_ControlText(shown, IDC_TG_AIR_VELOCITY), "2.25");
        EXPECT_EQ(Ts_ControlText(ShowTab(kProjectTab), IDC_PI_CUSTOMER), "Harbour works");
    };
    ShowTab(kProjectTab);
    expectValues("after a tab switch");
    ChooseSystem(1);
    EXPECT_EQ(CalcTabs_GetFocusedTab(), kProjectTab);
    ChooseSystem(0);
    expectValues("after a system switch");
    SendMessageA(window(), WM_COMMAND, IDM_FILE_SAVE, 0);
    EXPECT_FALSE(ProjectUnsaved());
    Restart(path_.c_str());
    expectValues("after a new start");
}

} // namespace
