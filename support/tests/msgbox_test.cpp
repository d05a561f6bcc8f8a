// Message boxes as the user sees them: caption, text, the button pressed,
// the focus given back, and formatted texts cut within their buffer.
#include <gtest/gtest.h>
#include <string>
#include "support/app.h"
#include "support/datemsg.h"
#include "support/msgbox.h"
#include "testsupport/testsupport.h"

namespace {

class MsgBoxTest : public testing::Test {
protected:
    void SetUp() override
    {
        App_Init(GetModuleHandleA(nullptr));
        App().title = "Varmelin test";
    }
};

TEST_F(MsgBoxTest, CaptionIsTheApplicationTitle)
{
    TsBoxAnswerer answer(IDOK);
    EXPECT_EQ(MsgBox_Info(nullptr, "Project saved."), IDOK);
    ASSERT_EQ(answer.boxes().size(), 1u);
    EXPECT_EQ(answer.boxes()[0].caption, "Varmelin test");
    EXPECT_EQ(answer.boxes()[0].text, "Project saved.");
}

struct ButtonCase {
    const char* name;
    int (*show)(HWND, const char*);
    int button;
};

const ButtonCase kButtonCases[] = {
    {"ok_cancel_cancelled", MsgBox_OkCancel, IDCANCEL},
    {"yes_no_no", MsgBox_YesNo, IDNO},
    {"yes_no_cancel_yes", MsgBox_YesNoCancel, IDYES},
    {"yes_no_cancel_cancelled", MsgBox_YesNoCancel, IDCANCEL},
};

class MsgBoxButtons : public MsgBoxTest, public testing::WithParamInterface<ButtonCase> {};

TEST_P(MsgBoxButtons, ReturnsThePressedButton)
{
    TsBoxAnswerer answer(GetParam().button);
    EXPECT_EQ(GetParam().show(nullptr, "Save changes?"), GetParam().button);
    EXPECT_EQ(answer.boxes().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, MsgBoxButtons, testing::ValuesIn(kButtonCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MsgBoxTest, FocusReturnsToTheWindowThatHadIt)
{
    // A plain window, not a dialog: nothing else puts the focus back on its child.
    HWND frame = CreateWindowExA(0, "STATIC", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 80, 20, frame, nullptr,
                                nullptr, nullptr);
    SetFocus(edit);
    ASSERT_EQ(GetFocus(), edit);
    {
        TsBoxAnswerer answer(IDOK);
        MsgBox_Info(nullptr, "Check the value.");
    }
    EXPECT_EQ(GetFocus(), edit);
    DestroyWindow(frame);
}

TEST_F(MsgBoxTest, PrintfFormats)
{
    TsBoxAnswerer answer(IDOK);
    MsgBox_Printf(nullptr, "File %s has %d pages", "a.WDF", 3);
    ASSERT_EQ(answer.boxes().size(), 1u);
    EXPECT_EQ(answer.boxes()[0].text, "File a.WDF has 3 pages");
}

TEST_F(MsgBoxTest, PrintfCutsLongTextOnACharacterBoundary)
{
    // 542 ASCII bytes, then two-byte characters: the first one would end
    // past the 543 bytes the buffer holds.
    std::string tail;
    for (int i = 0; i < 20; ++i)
        tail += "ä";
    TsBoxAnswerer answer(IDOK);
    MsgBox_Printf(nullptr, "%s%s", std::string(542, 'a').c_str(), tail.c_str());
    ASSERT_EQ(answer.boxes().size(), 1u);
    EXPECT_EQ(answer.boxes()[0].text, std::string(542, 'a'));
}

TEST_F(MsgBoxTest, SetButtonTextsCopiesAtMost30Bytes)
{
    MsgBox_SetButtonTexts("&OK", std::string(40, 'c').c_str(), "&Kyllä", nullptr);
    EXPECT_STREQ(App().buttonTexts[0], "&OK");
    EXPECT_EQ(std::string(App().buttonTexts[1]), std::string(30, 'c'));
    EXPECT_STREQ(App().buttonTexts[2], "&Kyllä");
    EXPECT_STREQ(App().buttonTexts[3], "");
}

TEST_F(MsgBoxTest, UnknownMessageLanguageWarnsAndKeepsTheLanguage)
{
    Dlg_SetMessageLanguage('E');
    TsBoxAnswerer answer(IDOK);
    Dlg_SetMessageLanguage('D');
    ASSERT_EQ(answer.boxes().size(), 1u);
    EXPECT_EQ(answer.boxes()[0].text, "Warning:Unknown dialog language code!");
    EXPECT_STREQ(Dlg_GetFormatMessage(0), "Date format is DD.MM.YYYY");
}

}  // namespace
