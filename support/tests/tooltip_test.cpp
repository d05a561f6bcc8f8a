// Dialog tooltips on a real dialog: which controls get a tool, and the texts
// the tooltip is given when it asks: literals, language texts, and a language
// change that shows at once.
#include <gtest/gtest.h>
#include "support/app.h"
#include "support/dlgutil.h"
#include "support/tooltips.h"
#include "outside/Lexmo100/lexmo.h"
#include "tooltip_test.h"
#include <commctrl.h>
#include <string>

namespace {

constexpr TextId DescribedTextId = 20047;

const DialogTextTable describedTable[] = {
    {IDC_TEST_LABEL, 40014, nullptr},      // a static text: never a tool
    {IDC_TEST_DESCRIBED, DescribedTextId, nullptr},
    {IDOK, 9266, "Literal for OK"},
    {0, 0, nullptr},
};
const DialogTextTable emptyTable[] = {{0, 0, nullptr}};

// The dialog procedure offers every message to the tooltips first, as every
// dialog of the program does.
struct DialogContext {
    short textHandle;
    const DialogTextTable* table;
};

INT_PTR CALLBACK TestDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    auto* context = reinterpret_cast<DialogContext*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (context)
        Tooltip_HandleDialogMessage(dialog, message, wParam, lParam, context->textHandle, context->table);
    return message == WM_INITDIALOG;
}

HWND FindTooltipOf(HWND dialog)
{
    struct Search {
        HWND dialog;
        HWND found;
    } search{dialog, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            char className[64] = {};
            GetClassNameA(window, className, sizeof className);
            if (lstrcmpiA(className, TOOLTIPS_CLASSA) == 0 && GetWindow(window, GW_OWNER) == s->dialog) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string TextsPath(const char* name)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + "..\\bin\\" + name;
}

class TooltipTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        App_Init(GetModuleHandleA(nullptr));
        textHandle_ = TextAPI_Open(TextsPath("TextAPI.db").c_str(), TextsPath("TextAPI.ddq").c_str());
        ASSERT_GT(textHandle_, 0) << "TextAPI.db is not built beside the tests";
    }
    void TearDown() override
    {
        if (dialog_)
            DestroyWindow(dialog_);
        TextAPI_Close(textHandle_);
    }
    void Open(const DialogTextTable* table)
    {
        context_ = {textHandle_, table};
        dialog_ = CreateDialogParamW(GetModuleHandleA(nullptr), MAKEINTRESOURCEW(IDD_TOOLTIP_TEST), nullptr,
                                     TestDialogProc, reinterpret_cast<LPARAM>(&context_));
        ASSERT_NE(dialog_, nullptr);
        tooltip_ = FindTooltipOf(dialog_);
        ASSERT_NE(tooltip_, nullptr);
    }
    // The text the tooltip gets for a control, asked the way it asks before showing.
    std::string AskText(int controlId)
    {
        wchar_t text[256] = {};
        TOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = dialog_;
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog_, controlId));
        tool.lpszText = text;
        SendMessageW(tooltip_, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
        return Dlg_Narrow(text);

    }
    int ToolCount() { return static_cast<int>(SendMessageA(tooltip_, TTM_GETTOOLCOUNT, 0, 0)); }

    short textHandle_ = -1;
    DialogContext context_{};
    HWND dialog_ = nullptr;
    HWND tooltip_ = nullptr;
};

TEST_F(TooltipTest, OnlyDescribedControlsThatAreNotStaticGetATool)
{
    Open(describedTable);
    EXPECT_EQ(ToolCount(), 2);   // the described edit field and OK
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = dialog_;
    for (int id : {IDC_TEST_DESCRIBED, IDOK}) {
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog_, id));
        EXPECT_TRUE(SendMessageA(tooltip_, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool))) << id;
    }
    for (int id : {IDC_TEST_LABEL, IDC_TEST_UNDESCRIBED}) {
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog_, id));
        EXPECT_FALSE(SendMessageA(tooltip_, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool))) << id;
    }
}

TEST_F(TooltipTest, AnEmptyTableGivesATooltipWithoutTools)
{
    Open(emptyTable);
    EXPECT_EQ(ToolCount(), 0);
}

TEST_F(TooltipTest, CreateRefusesAMissingDialogOrTable)
{
    EXPECT_EQ(Tooltip_Create(nullptr, textHandle_, describedTable), 0);
    Open(emptyTable);
    EXPECT_EQ(Tooltip_Create(dialog_, textHandle_, nullptr), 0);
}

TEST_F(TooltipTest, AnswersWithTheLiteralOrTheLanguageText)
{
    Open(describedTable);
    EXPECT_EQ(AskText(IDOK), "Literal for OK");
    EXPECT_EQ(AskText(IDC_TEST_DESCRIBED), TextAPI_GetText(textHandle_, DescribedTextId));
    EXPECT_FALSE(AskText(IDC_TEST_DESCRIBED).empty());
}

TEST_F(TooltipTest, ALanguageChangeShowsInTheNextTooltip)
{
    Open(describedTable);
    ASSERT_EQ(TextAPI_SetLanguage(textHandle_, kLangEnglish), 0);
    std::string english = AskText(IDC_TEST_DESCRIBED);
    ASSERT_EQ(TextAPI_SetLanguage(textHandle_, kLangRussian), 0) << "the Russian texts are missing";
    std::string russian = AskText(IDC_TEST_DESCRIBED);
    EXPECT_EQ(russian, TextAPI_GetText(textHandle_, DescribedTextId));
    EXPECT_NE(russian, english);
}

}  // namespace
