// The print sheet's page protocol with three recording pages: which page
// hears which code, in what order, on a tab change, a refusal, Print, OK
// and Cancel, and what the sheet answers; the real print dialog closed
// without a change.
#include "VlInterface/dialogs/dialogs.h"
#include "VlInterface/dialogs/dlgtexts.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/tests/window_fixture.h"
#include "support/app.h"
#include "testsupport/testsupport.h"
#include <commctrl.h>
#include <functional>
#include <vector>

namespace {

struct Heard {
    int page;
    int32_t code;
    bool operator==(const Heard&) const = default;
};

struct Recorder {
    std::vector<Heard> heard;
    int refusingPage = -1;   // answers -201 with "stay"
} g_rec;

template <int Page>
INT_PTR CALLBACK RecordingPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        PropSheet_PlacePage(page);
        return TRUE;
    }
    if (message != WM_NOTIFY || wParam != 0)
        return FALSE;
    auto code = static_cast<int32_t>(reinterpret_cast<const NMHDR*>(lParam)->code);
    g_rec.heard.push_back({Page, code});
    SetWindowLongPtrA(page, DWLP_MSGRESULT, code == SheetCode_KillActive && g_rec.refusingPage == Page);
    return TRUE;
}

class PrintSheetTest : public ShellWindowTest {
protected:
    // Runs the sheet on the recording pages while action acts on it; the
    // sheet's result.
    INT_PTR RunSheet(std::function<void(HWND sheet)> action)
    {
        PROPSHEETPAGEA pages[3] = {};
        DLGPROC procedures[3] = {RecordingPage<0>, RecordingPage<1>, RecordingPage<2>};
        for (int i = 0; i < 3; ++i) {
            pages[i].dwSize = sizeof(pages[i]);
            pages[i].hInstance = App().instance;
            pages[i].pszTemplate = MAKEINTRESOURCEA(IDD_PRINT_FOOTER);
            pages[i].pszTitle = "page";
            pages[i].pfnDlgProc = procedures[i];
        }
        PROPSHEETHEADERA header{};
        header.dwSize = sizeof(header);
        header.pszCaption = "Sheet";
        header.nPages = 3;
        header.ppsp = pages;
        TsUiScript script({[&] {
            HWND sheet = Ts_FindWindow("#32770", "Sheet");
            if (!sheet)
                return false;
            g_rec.heard.clear();
            action(sheet);
            if (IsWindow(sheet))
                PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
            return true;
        }});
        return PropSheet_Run(&header);
    }
};

void Press(HWND sheet, int id)
{
    SendMessageA(sheet, WM_COMMAND, id, 0);
}

struct ProtocolCase {
    const char* name;
    int refusingPage;
    std::function<void(HWND)> action;
    std::vector<Heard> expected;
    INT_PTR result;
};

TEST_F(PrintSheetTest, PagesHearTheirCodesInOrder)
{
    const ProtocolCase cases[] = {
        {"next page by key code", -1, [](HWND) { PropSheet_GoToPage(SheetCode_NextPage); },
         {{0, SheetCode_KillActive}, {1, SheetCode_SetActive}, {1, SheetCode_Opening}}, IDCANCEL},
        {"no page before the first", -1, [](HWND) { EXPECT_EQ(PropSheet_GoToPage(SheetCode_PrevPage), -1); }, {},
         IDCANCEL},
        {"the page left refuses", 0, [](HWND) { PropSheet_GoToPage(SheetCode_NextPage); },
         {{0, SheetCode_KillActive}}, IDCANCEL},
        {"OK refused keeps the sheet", 0, [](HWND sheet) { Press(sheet, IDOK); }, {{0, SheetCode_KillActive}},
         IDCANCEL},
        {"Print: the open page, then every page", -1, [](HWND sheet) { Press(sheet, IDC_SHEET_PRINT); },
         {{0, SheetCode_Print}, {0, SheetCode_PrintAll}, {1, SheetCode_PrintAll}, {2, SheetCode_PrintAll}},
         IDCANCEL},
        {"OK applies every page", -1, [](HWND sheet) { Press(sheet, IDOK); },
         {{0, SheetCode_KillActive}, {0, SheetCode_Apply}, {1, SheetCode_Apply}, {2, SheetCode_Apply}}, IDOK},
        {"Cancel tells nobody", -1, [](HWND sheet) { Press(sheet, IDCANCEL); }, {}, IDCANCEL},
    };
    Start();
    for (const ProtocolCase& c : cases) {
        SCOPED_TRACE(c.name);
        g_rec.refusingPage = c.refusingPage;
        std::vector<Heard> heard;
        INT_PTR result = RunSheet([&](HWND sheet) {
            c.action(sheet);
            heard = g_rec.heard;
        });
        EXPECT_EQ(heard, c.expected);
        EXPECT_EQ(result, c.result);
    }
}

// File > Print on a new project, closed every way: nothing is marked changed.
TEST_F(PrintSheetTest, ClosingThePrintDialogChangesNothing)
{
    const struct {
        const char* name;
        std::function<void(HWND)> close;
    } rows[] = {
        {"Cancel", [](HWND sheet) { Press(sheet, IDCANCEL); }},
        {"Escape", [](HWND) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"Close", [](HWND sheet) { Press(sheet, IDOK); }},
    };
    Start();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TsUiScript script({[&] {
            HWND sheet = Ts_FindWindow("#32770", Shell_Text(Text_Print));
            if (!sheet)
                return false;
            row.close(sheet);
            return true;
        }});
        SendMessageA(window(), WM_COMMAND, IDM_FILE_PRINT, 0);
        EXPECT_TRUE(script.Finished());
        EXPECT_FALSE(ProjectUnsaved());
        char title[256] = {};
        GetWindowTextA(window(), title, sizeof title);
        EXPECT_EQ(std::string(title).find('*'), std::string::npos) << title;
    }
}

TEST_F(PrintSheetTest, TabChangeReplacesThePageWindow)
{
    Start();
    g_rec.refusingPage = -1;
    RunSheet([](HWND sheet) {
        HWND first = PropSheet_OpenPage();
        HWND tabs = GetDlgItem(sheet, IDC_SHEET_TABS);
        PropSheet_GoToPage(SheetCode_NextPage);
        PropSheet_GoToPage(SheetCode_NextPage);
        EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 2);
        EXPECT_EQ(PropSheet_GoToPage(SheetCode_NextPage), -1);   // the last page
        EXPECT_FALSE(IsWindow(first));
        EXPECT_TRUE(GetWindowLongPtrA(PropSheet_OpenPage(), GWL_STYLE) & WS_VISIBLE);
    });
}

} // namespace
