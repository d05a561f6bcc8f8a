// A print job as the viewer runs it, on a device that records its steps: the
// job's name, the progress window counting the pages, Cancel pressed between
// two pages, a step that fails, and the owner disabled only meanwhile.
#include <gtest/gtest.h>

#include "outside/Tordoc32/captions.h"
#include "outside/Tordoc32/printjob.h"

#include <string>
#include <vector>

namespace {

constexpr size_t Never = SIZE_MAX;

HWND ProgressWindow()
{
    return FindWindowW(L"TordocPrinting", nullptr);
}

std::string ProgressText()
{
    wchar_t text[128] = {};
    GetWindowTextW(GetDlgItem(ProgressWindow(), 1), text, 128);
    char narrow[384] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

struct JobCase {
    const char* name;
    size_t cancelAt;        // page during which Cancel is pressed
    size_t failAt;          // page whose printing fails
    std::vector<size_t> printed;
    JobResult result;
};

TEST(PrintJob, PagesGoOutUntilCancelOrFailure)
{
    const JobCase cases[] = {
        {"every page", Never, Never, {1, 2, 3, 4}, JobResult::Printed},
        {"cancel during the second page", 2, Never, {1, 2}, JobResult::Cancelled},
        {"cancel during the last page", 4, Never, {1, 2, 3, 4}, JobResult::Cancelled},
        {"a page that fails", Never, 3, {1, 2, 3}, JobResult::Failed},
    };
    const JobTexts texts{"Varmelin - \xD0\xB7\xD0\xB0\xD0\xB2\xD0\xBE\xD0\xB4.wdf", "Printing", "Page %d of %d",
                         "Cancel"};
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                                 nullptr);
    for (const JobCase& row : cases) {
        SCOPED_TRACE(row.name);
        std::vector<size_t> printed;
        std::vector<std::string> shown;
        std::wstring name;
        bool ended = false, aborted = false, ownerDisabled = false;
        JobDevice device;
        device.startDoc = [&](const std::wstring& job) { name = job; return true; };
        device.printPage = [&](size_t page) {
            printed.push_back(page);
            shown.push_back(ProgressText());
            ownerDisabled = !IsWindowEnabled(owner);
            if (page == row.cancelAt)   // as a click does: through the window's messages
                PostMessageW(GetDlgItem(ProgressWindow(), IDCANCEL), BM_CLICK, 0, 0);
            return page != row.failAt;
        };
        device.endDoc = [&] { ended = true; return true; };
        device.abortDoc = [&] { aborted = true; };

        EXPECT_EQ(PrintJob_Run(owner, device, 1, 4, texts), row.result);
        EXPECT_EQ(printed, row.printed);
        EXPECT_EQ(ended, row.result == JobResult::Printed);
        EXPECT_EQ(aborted, row.result != JobResult::Printed);
        EXPECT_EQ(name, L"Varmelin - \u0437\u0430\u0432\u043E\u0434.wdf");
        EXPECT_EQ(shown.front(), "Page 1 of 4");
        EXPECT_EQ(shown.back(), "Page " + std::to_string(printed.size()) + " of 4");
        EXPECT_TRUE(ownerDisabled);
        EXPECT_TRUE(IsWindowEnabled(owner));
        EXPECT_EQ(ProgressWindow(), nullptr);
    }
    DestroyWindow(owner);
}

TEST(PrintJob, RefusedJobSendsNoPage)
{
    JobDevice device;
    bool paged = false;
    device.startDoc = [](const std::wstring&) { return false; };
    device.printPage = [&](size_t) { return paged = true; };
    device.endDoc = [] { return true; };
    device.abortDoc = [] {};
    EXPECT_EQ(PrintJob_Run(nullptr, device, 0, 0, {"Job", "Printing", "Page %d of %d", "Cancel"}), JobResult::Failed);
    EXPECT_FALSE(paged);
}

TEST(PrintJob, CaptionsTakeTheirNumbersAsText)
{
    const struct { const char* name; const char* pattern; const char* filled; } cases[] = {
        {"in order", "Page %d of %d", "Page 12 of 400"},
        {"a number and a path alike", "%s: %d", "12: 400"},
        {"other percent signs stay", "100 % %x %d", "100 % %x 12"},
        {"more places than values", "%d %d %d", "12 400 %d"},
    };
    for (const auto& row : cases)
        EXPECT_EQ(Captions_Fill(row.pattern, {"12", "400"}), row.filled) << row.name;
}

} // namespace
