// The tab host's page protocol, with recording pages in its three first
// slots: who is told what when the user changes tabs, how a page refuses,
// and that nothing reaches a page that is not open.
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/workspace/calctabs.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/tests/window_fixture.h"
#include <commctrl.h>
#include <algorithm>
#include <map>
#include <vector>

namespace {

constexpr int kTestTemplate = 100;

struct Notice {
    int slot;
    HWND page;
    int32_t code;
    bool operator==(const Notice&) const = default;
};

// What the recording pages saw and what they answer.
struct Recorder {
    std::vector<Notice> notices;
    HWND windows[kCalcSlots] = {};
    std::map<std::pair<int, int32_t>, LRESULT> answers;   // {slot, code} -> answer
} g_recorder;

template <int Slot>
LRESULT RecordNotice(HWND page, int32_t code)
{
    g_recorder.notices.push_back({Slot, page, code});
    auto answer = g_recorder.answers.find({Slot, code});
    return answer == g_recorder.answers.end() ? 0 : answer->second;
}

template <int Slot>
INT_PTR CALLBACK RecordingPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        g_recorder.windows[Slot] = page;
        CalcTabs_PlacePage(page);
        return TRUE;
    }
    return CalcPage_HandleNotice(page, message, wParam, lParam, RecordNotice<Slot>);
}

template <int Slot>
void RecordingPageInfo(CalcPageRecord* record)
{
    CalcPage_FillRecord(record, kTestTemplate, 20010, RecordingPage<Slot>);
}

// The cooling slot's page follows the object: one title for pipes, another
// for plane surfaces.
constexpr uint16_t kPipeTitle = 30027, kPlaneTitle = 30026;
void CoolingPageInfo(CalcPageRecord* record)
{
    bool pipe = CalcRec().geometryFlags[1] != 0;
    CalcPage_FillRecord(record, kTestTemplate, pipe ? kPipeTitle : kPlaneTitle, RecordingPage<3>);
}

} // namespace

const CalcSlotTable g_calcSlots = {
    {RecordingPageInfo<0>, RecordingPageInfo<1>, RecordingPageInfo<2>, CoolingPageInfo, RecordingPageInfo<4>}};

namespace {

class CalcTabsTest : public ShellWindowTest {
protected:
    void SetUp() override
    {
        ShellWindowTest::SetUp();
        g_recorder = Recorder{};
        Start();
        g_recorder.notices.clear();
    }

    HWND tabs() const { return GetDlgItem(window(), IDC_CALC_TABS); }

    // A click on tab index, as the user makes it.
    void ClickTab(int index)
    {
        RECT item{};
        SendMessageA(tabs(), TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
        LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        SendMessageA(tabs(), WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageA(tabs(), WM_LBUTTONUP, 0, point);
    }

    int OpenSlot() const
    {
        for (int slot = 0; slot < kCalcSlots; ++slot)
            if (g_recorder.windows[slot] == CalcTabs_OpenPageWindow())
                return slot;
        return -1;
    }
};

TEST_F(CalcTabsTest, StartsWithTheFirstPageOpenInsideTheTabArea)
{
    EXPECT_EQ(SendMessageA(tabs(), TCM_GETITEMCOUNT, 0, 0), 5);
    EXPECT_EQ(OpenSlot(), 0);
    RECT tabArea{}, page{};
    GetWindowRect(tabs(), &tabArea);
    GetWindowRect(CalcTabs_OpenPageWindow(), &page);
    EXPECT_GT(page.top, tabArea.top);
    EXPECT_LE(page.bottom, tabArea.bottom);
}

// How a tab change goes when the open page (slot 0) refuses at either step.
TEST_F(CalcTabsTest, TheOpenPageMayRefuseToBeLeft)
{
    struct Case {
        const char* name;
        LRESULT killActive, mayLeave;
        bool byKey;   // Ctrl+Page Down instead of a click
        int openSlot;
        std::vector<int32_t> slot0Codes, slot1Codes;
    };
    const Case cases[] = {
        {"click, both agree", 0, 0, false, 1, {-201, 2948}, {-200}},
        {"click, kill active refuses", 1, 0, false, 0, {-201}, {}},
        {"click, may-leave refuses", 0, 1, false, 0, {-201, 2948, -200}, {}},
        {"key, both agree", 0, 0, true, 1, {1025, -201, 2948}, {-200}},
        {"key, kill active refuses", 1, 0, true, 0, {1025, -201, -200}, {}},
        {"key, may-leave refuses", 0, 1, true, 0, {1025, -201, 2948, -200}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CalcTabs_SelectPage(0);
        g_recorder.notices.clear();
        g_recorder.answers = {{{0, -201}, c.killActive}, {{0, 2948}, c.mayLeave}};
        if (c.byKey)
            SendMessageA(window(), WM_COMMAND, IDM_NEXT_TAB, 0);
        else
            ClickTab(1);
        EXPECT_EQ(OpenSlot(), c.openSlot);
        EXPECT_EQ(CalcTabs_GetFocusedTab(), c.openSlot);
        std::vector<int32_t> seen[2];
        for (const Notice& notice : g_recorder.notices) {
            ASSERT_LT(notice.slot, 2);
            EXPECT_EQ(notice.page, g_recorder.windows[notice.slot]) << "a page's procedure with another's window";
            seen[notice.slot].push_back(notice.code);
        }
        EXPECT_EQ(seen[0], c.slot0Codes);
        EXPECT_EQ(seen[1], c.slot1Codes);
        g_recorder.answers.clear();
    }
}

TEST_F(CalcTabsTest, NothingReachesAPageThatIsNotOpen)
{
    CalcTabs_ClosePage();
    EXPECT_EQ(CalcTabs_NotifyCurrentPage(CalcPage_Saved), 0);
    EXPECT_TRUE(MainWnd_StoreOpenPage());
    SendMessageA(window(), WM_COMMAND, IDM_HELP_ABOUT + 1000, 0);   // any command validates
    EXPECT_EQ(CalcTabs_Destroy(), 1);
    EXPECT_TRUE(g_recorder.notices.empty());
}

TEST_F(CalcTabsTest, TheFocusedTabGivesItsCaptionAndRecord)
{
    EXPECT_EQ(CalcTabs_GetCurrentPageRecord(nullptr, nullptr), -2);
    CalcTabs_SelectPage(2);
    CalcTabItem item;
    ASSERT_EQ(CalcTabs_GetCurrentPageRecord(nullptr, &item), 0);
    ASSERT_NE(item.record, nullptr);
    EXPECT_EQ(item.record->slot, 2);
    EXPECT_STREQ(item.caption, item.record->page.pszTitle);
    HWND empty = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD, 0, 0, 10, 10, window(), nullptr, nullptr, nullptr);
    EXPECT_EQ(CalcTabs_GetCurrentPageRecord(empty, &item), -1);
    DestroyWindow(empty);
}

TEST_F(CalcTabsTest, SelectingPastEitherEndChangesNothing)
{
    for (int index : {-1, 5, 6}) {
        CalcTabs_SelectPage(index);
        EXPECT_EQ(OpenSlot(), 0) << index;
    }
    CalcTabs_SelectPage(4);
    SendMessageA(window(), WM_COMMAND, IDM_NEXT_TAB, 0);
    EXPECT_EQ(OpenSlot(), 4);
    CalcTabs_SelectPage(2);
    SendMessageA(window(), WM_COMMAND, IDM_PREVIOUS_TAB, 0);
    EXPECT_EQ(OpenSlot(), 1);
}

// The cooling tab is retitled for the object, except under an open cooling
// or freezing page.
TEST_F(CalcTabsTest, TheCoolingTabFollowsTheObject)
{
    struct Case {
        const char* name;
        int focusedTab;
        bool pipe;
        uint16_t expectedTitle;
    };
    const Case cases[] = {
        {"pipe, first tab", 0, true, kPipeTitle},
        {"plane, first tab", 0, false, kPlaneTitle},
        {"pipe under the open cooling page", 3, true, kPlaneTitle},
        {"pipe under the open freezing page", 4, true, kPlaneTitle},
        {"pipe back on the second tab", 1, true, kPipeTitle},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CalcTabs_SelectPage(c.focusedTab);
        CalcRec().geometryFlags[0] = !c.pipe;
        CalcRec().geometryFlags[1] = c.pipe;
        CalcTabs_UpdateTabs();
        char caption[80] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption;
        item.cchTextMax = sizeof(caption);
        SendMessageA(tabs(), TCM_GETITEMA, 3, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(caption, Shell_Text(c.expectedTitle));
        EXPECT_EQ(CalcTabs_GetFocusedTab(), c.focusedTab);
    }
}

// A page left for another tab is kept hidden and told -200 when shown again;
// closing the pages (another project or language) destroys every kept one.
TEST_F(CalcTabsTest, ALeftPageIsKeptUntilThePagesAreClosed)
{
    auto shown = [](HWND page) { return (GetWindowLongPtrA(page, GWL_STYLE) & WS_VISIBLE) != 0; };
    CalcTabs_SelectPage(1);
    HWND kept = CalcTabs_OpenPageWindow();
    CalcTabs_SelectPage(2);
    ASSERT_TRUE(IsWindow(kept));
    EXPECT_FALSE(shown(kept));
    g_recorder.notices.clear();
    g_recorder.windows[1] = nullptr;
    CalcTabs_SelectPage(1);
    EXPECT_EQ(CalcTabs_OpenPageWindow(), kept);
    EXPECT_EQ(g_recorder.windows[1], nullptr) << "not created again";
    EXPECT_TRUE(shown(kept));
    EXPECT_NE(std::find(g_recorder.notices.begin(), g_recorder.notices.end(), Notice{1, kept, CalcPage_SetActive}),
              g_recorder.notices.end());
    CalcTabs_ClosePage();
    EXPECT_FALSE(IsWindow(kept));
    CalcTabs_SelectPage(1);
    EXPECT_NE(g_recorder.windows[1], nullptr) << "created anew";
}

} // namespace
