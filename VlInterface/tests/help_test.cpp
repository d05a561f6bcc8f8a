// The help file format: caption, topics by context id, paragraphs and
// bullet lines, comments and faulty topic lines.
#include "support/help.h"
#include <gtest/gtest.h>

namespace {

TEST(HelpFile, ParsesCaptionTopicsAndParagraphs)
{
    HelpFile file = Help_Parse("\xEF\xBB\xBF# generated\r\n"
                               "= Program help\r\n"
                               "[1] Main window\r\n"
                               "First line\r\n"
                               "goes on.\r\n"
                               "\r\n"
                               "Second paragraph:\r\n"
                               "- one\r\n"
                               "- two\r\n"
                               "[x] not a topic\r\n"
                               "ignored body\r\n"
                               "[10] Settings\r\n"
                               "# a comment inside\r\n"
                               "Only text.\r\n");
    EXPECT_EQ(file.caption, "Program help");
    ASSERT_EQ(file.topics.size(), 2u);
    EXPECT_EQ(file.topics[0].context, 1u);
    EXPECT_EQ(file.topics[0].title, "Main window");
    EXPECT_EQ(file.topics[0].body,
              "First line goes on.\r\n\r\nSecond paragraph:\r\n\xE2\x80\xA2 one\r\n\xE2\x80\xA2 two");
    EXPECT_EQ(file.topics[1].context, 10u);
    EXPECT_EQ(file.topics[1].body, "Only text.");
}

TEST(HelpFile, MissingFileOpensNoWindow)
{
    // The box that names the file is answered at once: no owner, and
    // the test runs without anyone to press it, so a hook closes it.
    HHOOK hook = SetWindowsHookExA(
        WH_CBT,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (code == HCBT_ACTIVATE)
                PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
            return CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, GetCurrentThreadId());
    EXPECT_EQ(Help_Show(nullptr, "Z:\\no\\such\\help.hlp", 1), nullptr);
    UnhookWindowsHookEx(hook);
}

} // namespace
