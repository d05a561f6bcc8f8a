// Dialog and window helpers on a live dialog: item states, combo selection,
// the main window title.
#include <gtest/gtest.h>
#include "support/app.h"
#include "support/dlgutil.h"
#include "testsupport/testsupport.h"
#include <cstring>

namespace {

constexpr int kEdit = 101, kCombo = 102, kCheck = 103;

class DlgUtilTest : public testing::Test {
protected:
    void SetUp() override
    {
        App_Init(GetModuleHandleA(nullptr));
        Add(L"EDIT", kEdit, 0);
        Add(L"COMBOBOX", kCombo, CBS_DROPDOWNLIST | CBS_HASSTRINGS);
        Add(L"BUTTON", kCheck, BS_AUTOCHECKBOX);
    }

    void Add(const wchar_t* className, int id, DWORD style)
    {
        CreateWindowExW(0, className, L"", WS_CHILD
 | WS_VISIBLE | style, 10, 10 + id, 80, 60, dialog_.hwnd(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }

    TsDialog dialog_{nullptr};
};

TEST_F(DlgUtilTest, EnableItemAndDisableAndRestoreChildren)
{
    Dlg_EnableItem(dialog_.hwnd(), kEdit, false);
    EXPECT_FALSE(Ts_IsEnabled(dialog_.hwnd(), kEdit));
    Dlg_EnableItem(dialog_.hwnd(), kEdit, true);
    EXPECT_TRUE(Ts_IsEnabled(dialog_.hwnd(), kEdit));
    Dlg_EnableItem(dialog_.hwnd(), kCheck, false);
    Dlg_DisableChildren(dialog_.hwnd());
    for (int id : {kEdit, kCombo, kCheck})
        EXPECT_FALSE(Ts_IsEnabled(dialog_.hwnd(), id)) << id;
    Dlg_RestoreChildren(dialog_.hwnd());
    EXPECT_TRUE(Ts_IsEnabled(dialog_.hwnd(), kEdit));
    EXPECT_TRUE(Ts_IsEnabled(dialog_.hwnd(), kCombo));
    EXPECT_FALSE(Ts_IsEnabled(dialog_.hwnd(), kCheck)) << "disabled before: stays so";
}

TEST_F(DlgUtilTest, ComboEnsureSelectionPicksTheFirstItem)
{
    HWND combo = GetDlgItem(dialog_.hwnd(), kCombo);
    for (const char* item : {"Pipe", "Tank"})
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(Combo_EnsureSelection(dialog_.hwnd(), kCombo), -1);
    EXPECT_EQ(Ts_ComboSelectedText(dialog_.hwnd(), kCombo), "Pipe");
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(Combo_EnsureSelection(dialog_.hwnd(), kCombo), 0);
    EXPECT_EQ(Ts_ComboSelection(dialog_.hwnd(), kCombo), 1);
    Combo_Reset(dialog_.hwnd(), kCombo);
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 0);
}

// Texts go in and come back whole in every language, through the edit
// field, the combo box's items and a tab; a buffer too small for the whole
// text gets whole letters only.
TEST_F(DlgUtilTest, TextsCrossTheWindowsWhole)
{
    const char* const text = "Ab Жук łęż öäå";
    Dlg_SetItemText(dialog_.hwnd(), kEdit, text);
    EXPECT_EQ(Dlg_GetItemText(dialog_.hwnd(), kEdit), text);
    HWND combo = GetDlgItem(dialog_.hwnd(), kCombo);
    EXPECT_EQ(Wnd_SendText(combo, CB_ADDSTRING, 0, text), 0);
    EXPECT_EQ(Wnd_ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, 0), text);
    EXPECT_EQ(Wnd_ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, 1), "");   // no such item
    EXPECT_EQ(Wnd_SendText(combo, CB_FINDSTRINGEXACT, WPARAM(-1), text), 0);

    const struct {
        const char* name;
        int size;
        const char* expected;
    } cuts[] = {
        {"whole", 64, text},
        {"inside Ж: before it", 5, "Ab "},
        {"after Ж", 6, "Ab Ж"},
        {"inside ł: before it", 11, "Ab Жук "},
        {"nothing", 1, ""},
    };
    for (const auto& cut : cuts) {
        SCOPED_TRACE(cut.name);
        char buffer[64];
        std::memset(buffer, 'x', sizeof buffer);
        Dlg_GetItemText(dialog_.hwnd(), kEdit, buffer, cut.size);
        EXPECT_STREQ(buffer, cut.expected);
    }
}

// A byte-limited field keeps at most its limit of UTF-8 bytes, typed or
// pasted (Ctrl+V) through the message loop, and never half a letter.
TEST_F(DlgUtilTest, ByteLimitedFieldTakesWholeLettersThatFit)
{
    constexpr int kLimit = 10;
    constexpr wchar_t kPaste = 0x16;   // Ctrl+V
    const struct {
        const char* name;
        const char* before;
        const char* typed;
        const char* pasted;   // put on the clipboard, then Ctrl+V
        const char* expected;
    } rows[] = {
        {"ASCII stops at the limit", "", "abcdefghijkl", nullptr, "abcdefghij"},
        {"Polish letters, whole ones only", "", "łężóąś", nullptr, "łężóą"},
        {"Cyrillic with one byte left: refused", "abcdefghi", "Ж", nullptr, "abcdefghi"},
        {"Cyrillic fills it", "", "ЖукЖукЖ", nullptr, "ЖукЖу"},
        {"a letter of two units without room", "abcdefg", "😀", nullptr, "abcdefg"},
        {"a letter of two units with room", "abcdef", "😀", nullptr, "abcdef😀"},
        {"a paste that fits", "ab", nullptr, "Жук", "abЖук"},
        {"a paste cut on a letter", "ab", nullptr, "ЖукЖукЖук", "abЖукЖ"},
        {"a paste with no room", "abcdefghij", nullptr, "x", "abcdefghij"},
    };
    HWND edit = GetDlgItem(dialog_.hwnd(), kEdit);
    Edit_LimitBytes(edit, kLimit);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Wnd_SetText(edit, row.before);
        SendMessageW(edit, EM_SETSEL, kLimit, kLimit);
        if (row.pasted) {
            const std::wstring wide = Dlg_Wide(row.pasted);
            ASSERT_TRUE(OpenClipboard(dialog_.hwnd()));
            EmptyClipboard();
            HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
            std::memcpy(GlobalLock(data), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
            GlobalUnlock(data);
            SetClipboardData(CF_UNICODETEXT, data);
            CloseClipboard();
            PostMessageW(edit, WM_CHAR, kPaste, 1);
        } else {
            Ts_PostTyping(edit, row.typed);
        }
        Ts_PumpMessages();
        EXPECT_EQ(Ts_WindowText(edit), row.expected);
    }

    // Enter puts in a line break of two bytes, whole or not at all.
    constexpr int kNotes = 104;
    Add(L"EDIT", kNotes, ES_MULTILINE | ES_WANTRETURN);
    HWND notes = GetDlgItem(dialog_.hwnd(), kNotes);
    Edit_LimitBytes(notes, 4);
    Ts_PostTyping(notes, "a\rb\rc");
    Ts_PumpMessages();
    EXPECT_EQ(Ts_WindowText(notes), "a\r\nb");
}

TEST_F(DlgUtilTest, FocusItem)

{
    Dlg_FocusItem(dialog_.hwnd(), kCheck);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog_.hwnd(), kCheck));
}

TEST_F(DlgUtilTest, TitleOfTheMainWindow)
{
    App().mainWindow = dialog_.hwnd();
    App().title = "Varmelin 1.0";
    lstrcpyA(App().currentFile, "C:\\Projects\\Mill.WDF");
    App_ShowTitle();
    EXPECT_EQ(Ts_WindowText(dialog_.hwnd()), "Varmelin 1.0 - C:\\Projects\\Mill.WDF");
}

}  // namespace

// A box opens over its owner, and stays whole on the work area when the owner
// stands near the edge.
TEST(WndCenterOnOwner, CentresOverOwnerAndStaysOnWorkArea)
{
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    struct Row { const char* name; int ownerX, ownerY; };
    const Row rows[] = {{"middle", 200, 150}, {"past the right edge", work.right - 100, 150}};
    for (const Row& row : rows) {
        HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, row.ownerX, row.ownerY, 400, 300,
                                     nullptr, nullptr, nullptr, nullptr);
        HWND box = CreateWindowExA(0, "STATIC", "box", WS_POPUP, 0, 0, 200, 100, owner, nullptr, nullptr, nullptr);
        Wnd_CenterOnOwner(box);
        RECT r;
        GetWindowRect(box, &r);
        if (row.ownerX + 400 <= work.right) {
            EXPECT_EQ(r.left, row.ownerX + 100) << row.name;
            EXPECT_EQ(r.top, row.ownerY + 100) << row.name;
        } else {
            EXPECT_EQ(r.right, work.right) << row.name;
        }
        DestroyWindow(box);
        DestroyWindow(owner);
    }
}

namespace {

// A step guarded against itself; a notice it causes comes back as a nested call.
int GuardedStep(bool& busy, int noticesBack, bool leaveEarly, int& runs)
{
    ReentryGuard guard(busy);
    if (!guard.entered())
        return 0;
    ++runs;
    if (leaveEarly)
        return 1;
    if (noticesBack > 0)
        GuardedStep(busy, noticesBack - 1, false, runs);
    return 2;
}

}  // namespace

// The flag is set only while the outermost step runs, however it leaves: the
// next step runs again (no window left deaf), a nested guard leaves it set.
TEST(ReentryGuard, OutermostStepHoldsTheFlag)
{
    struct Row { const char* name; int noticesBack; bool leaveEarly; };
    const Row rows[] = {{"plain", 0, false}, {"left early", 0, true}, {"a notice comes back", 2, false}};
    for (const Row& row : rows) {
        bool busy = false;
        int runs = 0;
        GuardedStep(busy, row.noticesBack, row.leaveEarly, runs);
        EXPECT_EQ(runs, 1) << row.name;
        EXPECT_FALSE(busy) << row.name;
        GuardedStep(busy, 0, false, runs);
        EXPECT_EQ(runs, 2) << row.name << ": the next step runs";
    }
    bool busy = false;
    {
        ReentryGuard outer(busy);
        { ReentryGuard inner(busy); }
        EXPECT_TRUE(busy) << "an inner guard leaves the outer's flag";
    }
    EXPECT_FALSE(busy);
}
