// The viewer as its caller and user meet it: tordoc_start on a real report,
// driven from a timer while its modal loop runs, read back through its
// window title, status bar and toolbar, and closed by the test.
#include <gtest/gtest.h>

#include "outside/Tordoc32/resource.h"
#include "outside/Tordoc32/tordoc.h"
#include "outside/Tordoc32/viewer.h"
#include "test_metafile.h"
#include "testsupport/testsupport.h"

#include <commctrl.h>
#include <functional>
#include <string>
#include <vector>

namespace {

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// The visible top-level window of this thread with class `className`.
HWND FindThreadWindow(const wchar_t* className)
{
    struct Search { const wchar_t* className; HWND found; } search{className, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        if (IsWindowVisible(window) && ClassOf(window) == s.className) {
            s.found = window;
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ViewerWindow() { return FindThreadWindow(ViewerClassName); }

HWND Child(HWND parent, int id) { return GetDlgItem(parent, id); }

std::string StatusText(int part)
{
    HWND status = Child(ViewerWindow(), IDC_STATUS);
    char text[256] = {};
    if (LOWORD(SendMessageA(status, SB_GETTEXTLENGTHA, part, 0)) < sizeof text)
        SendMessageA(status, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
    return text;
}

bool ButtonEnabled(int command)
{
    HWND toolbar = Child(ViewerWindow(), IDC_TOOLBAR);
    return SendMessageA(toolbar, TB_ISBUTTONENABLED, command, 0) != 0;
}

void Command(int id) { SendMessageA(ViewerWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void ChooseZoom(int index)
{
    HWND toolbar = Child(ViewerWindow(), IDC_TOOLBAR);
    HWND box = Child(toolbar, IDC_ZOOM);
    SendMessageA(box, CB_SETCURSEL, index, 0);
    SendMessageA(toolbar, WM_COMMAND, MAKEWPARAM(IDC_ZOOM, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

// A step that waits for the viewer and then runs `action`.
TsUiScript::Step WithViewer(std::function<void()> action)
{
    return [action] {
        if (!ViewerWindow()) return false;
        action();
        return true;
    };
}

TsUiScript::Step CloseViewer()
{
    return WithViewer([] { PostMessageA(ViewerWindow(), WM_CLOSE, 0, 0); });
}

struct ViewerTest : ::testing::Test {
    std::string report = TestTempPath("viewer.wmf");
    std::string settings = TestTempPath("viewer.ini");
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                 nullptr, nullptr);
    void SetUp() override { WriteThreePageReport(report); }
    void TearDown() override
    {
        DestroyWindow(owner);
        DeleteFileA(report.c_str());
        DeleteFileA(settings.c_str());
    }
    int Start(const char* metafile, const char* settingsFile = nullptr)
    {
        return tordoc_start(owner, "help.txt", metafile, 2, settingsFile);
    }
};

TEST_F(ViewerTest, PagesThroughTheReportAndCloses)
{
    std::vector<std::string> seen;
    bool ownerDisabled = false;
    auto note = [&seen] { seen.push_back(StatusText(0)); };
    TsUiScript script({
        WithViewer([&] { note(); ownerDisabled = !IsWindowEnabled(owner); }),
        WithViewer([&] { EXPECT_FALSE(ButtonEnabled(IDM_PREVIOUS)); Command(IDM_NEXT); note(); }),
        WithViewer([&] { Command(IDM_NEXT); Command(IDM_NEXT); note(); EXPECT_FALSE(ButtonEnabled(IDM_NEXT)); }),
        WithViewer([&] { Command(IDM_PREVIOUS); note(); EXPECT_TRUE(ButtonEnabled(IDM_NEXT)); }),
        WithViewer([&] { Command(IDM_FIRST); note(); Command(IDM_LAST); note(); }),
        CloseViewer(),
    });
    EXPECT_EQ(Start(report.c_str()), 0);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(seen, (std::vector<std::string>{"Page: 1 / 3", "Page: 2 / 3", "Page: 3 / 3", "Page: 2 / 3",
                                              "Page: 1 / 3", "Page: 3 / 3"}));
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(ViewerWindow(), nullptr);
}

TEST_F(ViewerTest, OwnerDisabledBeforeStaysDisabled)
{
    EnableWindow(owner, FALSE);
    TsUiScript script({CloseViewer()});
    EXPECT_EQ(Start(report.c_str()), 0);
    EXPECT_TRUE(script.Finished());
    EXPECT_FALSE(IsWindowEnabled(owner));
}

TEST_F(ViewerTest, KeyboardTurnsPagesAndEscapeCloses)
{
    std::vector<std::string> seen;
    auto key = [](WPARAM vk) { PostMessageA(Child(ViewerWindow(), IDC_PAGEVIEW), WM_KEYDOWN, vk, 0); };
    // Keys for another window of the program are not the viewer's.
    HWND other = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    TsUiScript script({
        WithViewer([&] { PostMessageA(other, WM_KEYDOWN, VK_NEXT, 0); }),
        WithViewer([&] { seen.push_back(StatusText(0)); key(VK_NEXT); }),
        WithViewer([&] { seen.push_back(StatusText(0)); key(VK_NEXT); key(VK_PRIOR); }),
        WithViewer([&] { seen.push_back(StatusText(0)); key(VK_ESCAPE); }),
    });
    EXPECT_EQ(Start(report.c_str()), 0);
    EXPECT_TRUE(script.Finished());
    DestroyWindow(other);
    EXPECT_EQ(seen, (std::vector<std::string>{"Page: 1 / 3", "Page: 2 / 3", "Page: 2 / 3"}));
}

TEST_F(ViewerTest, ZoomChoicesSetTheZoom)
{
    std::string at100, atWhole, atWidth;
    TsUiScript script({
        WithViewer([&] {
            atWhole = StatusText(1);
            ChooseZoom(4);
            at100 = StatusText(1);
            ChooseZoom(1);
            atWidth = StatusText(1);
        }),
        CloseViewer(),
    });
    EXPECT_EQ(Start(report.c_str()), 0);
    EXPECT_EQ(at100, "Zoom: 100 %");
    // The window is smaller than a page at 100 %, and its width is less than
    // its height: whole page < page width < 100 %.
    auto percent = [](const std::string& text) { return std::atoi(text.c_str() + text.find(' ') + 1); };
    EXPECT_GT(percent(atWhole), 10) << atWhole;
    EXPECT_LT(percent(atWhole), percent(atWidth));
    EXPECT_LT(percent(atWidth), 100);
}

TEST_F(ViewerTest, CaptionsComeFromTheSettingsFile)
{
    std::string text = "[TORDOC]\r\nT1002=Vorschau \xC3\xBC\r\nT1003=Seite:\r\nT1004=Zoom:\r\n";
    WriteFileBytes(settings, std::vector<uint8_t>(text.begin(), text.end()));
    std::string title, page;
    TsUiScript script({
        WithViewer([&] { title = Ts_WindowText(ViewerWindow()); page = StatusText(0); }),
        CloseViewer(),
    });
    EXPECT_EQ(Start(report.c_str(), settings.c_str()), 0);
    EXPECT_EQ(title, "Vorschau \xC3\xBC");
    EXPECT_EQ(page, "Seite: 1 / 3");
}

TEST_F(ViewerTest, ReportWithoutCommentsIsOnePage)
{
    WriteMetafile(report, [](HDC dc) { DrawSetup(dc, false); FillQuadrant(dc, 0); });
    std::string page;
    bool nextEnabled = true;
    TsUiScript script({
        WithViewer([&] { Command(IDM_NEXT); page = StatusText(0); nextEnabled = ButtonEnabled(IDM_NEXT); }),
        CloseViewer(),
    });
    EXPECT_EQ(Start(report.c_str()), 0);
    EXPECT_EQ(page, "Page: 1 / 1");
    EXPECT_FALSE(nextEnabled);
}

TEST_F(ViewerTest, MissingOrDamagedReportIsReportedNotShown)
{
    struct Row { const char* name; std::string path; const char* says; const char* settings; };
    std::string damaged = TestTempPath("damaged_viewer.wmf");
    WriteFileBytes(damaged, {'n', 'o', 't', ' ', 'a', ' ', 'r', 'e', 'p', 'o', 'r', 't'});
    // The messages of the settings file, Russian here, name the report too.
    std::string text = "[TORDOC]\r\nT1023=\xD0\x9E\xD1\x82\xD1\x87\xD1\x91\xD1\x82 %s \xD0\xBD\xD0\xB5 "
                       "\xD0\xBE\xD1\x82\xD0\xBA\xD1\x80\xD1\x8B\xD1\x82.\r\n";
    WriteFileBytes(settings, std::vector<uint8_t>(text.begin(), text.end()));
    const Row rows[] = {
        {"Missing", TestTempPath("missing_viewer.wmf"), "cannot be opened", nullptr},
        {"Damaged", damaged, "is damaged", nullptr},
        {"Missing, in the settings file's language", TestTempPath("missing_viewer.wmf"),
         "\xD0\xBD\xD0\xB5 \xD0\xBE\xD1\x82\xD0\xBA\xD1\x80\xD1\x8B\xD1\x82", settings.c_str()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TsBoxAnswerer answerer(IDOK);
        EXPECT_EQ(Start(row.path.c_str(), row.settings), -1);
        ASSERT_EQ(answerer.boxes().size(), 1u);
        const std::string& text = answerer.boxes()[0].text;
        EXPECT_NE(text.find(row.path), std::string::npos) << text;
        EXPECT_NE(text.find(row.says), std::string::npos) << text;
        EXPECT_EQ(ViewerWindow(), nullptr);
    }
    DeleteFileA(damaged.c_str());
}

TEST_F(ViewerTest, SecondViewerIsRefusedWhileOneIsOpen)
{
    int nested = 0;
    TsUiScript script({
        WithViewer([&] { nested = tordoc_start(nullptr, nullptr, report.c_str(), 2, nullptr); }),
        CloseViewer(),
    });
    EXPECT_EQ(Start(report.c_str()), 0);
    EXPECT_EQ(nested, -1);
}

// Without a printer the print dialog says so once, and the viewer stays as
// it was. (A machine with a print queue has a printer: nothing to see.)
TEST_F(ViewerTest, PrintWithoutPrinterIsAnsweredOnce)
{
    wchar_t printer[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    if (GetDefaultPrinterW(printer, &length)) GTEST_SKIP() << "this machine has a printer";
    TsBoxAnswerer answerer(IDCANCEL);
    std::string page;
    int ticks = 0;
    TsUiScript script({
        WithViewer([&] { Command(IDM_NEXT); PostMessageA(ViewerWindow(), WM_COMMAND, IDM_PRINT, 0); }),
        [&] { return ++ticks > 10; },
        WithViewer([&] { page = StatusText(0); }),
        CloseViewer(),
    });
    EXPECT_EQ(Start(report.c_str()), 0);
    EXPECT_TRUE(script.Finished());
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_NE(answerer.boxes()[0].text.find("printer"), std::string::npos) << answerer.boxes()[0].text;
    EXPECT_EQ(page, "Page: 2 / 3");
}

} // namespace
