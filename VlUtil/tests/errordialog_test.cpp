// The error dialog of VlUtil.dll, opened modally, read and closed by the test
// helper: the lines, their grouping and order, and the answer it gives.
#include <gtest/gtest.h>
#include "VlUtil/vlutil.h"
#include "outside/Lexmo100/lexmo.h"
#include "testsupport/temp_project.h"
#include "testsupport/testsupport.h"
#include "VlUtil/tests/library_text.h"
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int ErrorListId = 101;

struct Line {
    std::string text;
    LPARAM data;
    bool operator==(const Line&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Line& line)
{
    return out << '"' << line.text << "\" (" << line.data << ')';
}

std::vector<Line> ReadLines(HWND dialog)
{
    HWND list = GetDlgItem(dialog, ErrorListId);
    std::vector<Line> lines;
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[512] = {};
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        lines.push_back({text, SendMessageA(list, LB_GETITEMDATA, i, 0)});
    }
    return lines;
}

std::string Entry(const char* text)
{
    return std::string(10, ' ') + text + '\t';
}

std::wstring Wide(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                        wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

// Lets the dialog draw one line of its list into a bitmap and returns how far
// the ink reaches, how far it reaches when the text is drawn as Unicode in the
// dialog's font, and how wide the text measures in that font.
struct DrawnLine {
    int inkRight = -1;
    int referenceInkRight = -1;
    int textWidth = 0;
};

// The rightmost non-white column above the last row (which holds the rule).
int InkRight(HDC dc, int width, int height)
{
    int right = -1;
    for (int y = 0; y < height - 1; ++y)
        for (int x = width - 1; x > right; --x)
            if ((GetPixel(dc, x, y) & 0xFFFFFF) != 0xFFFFFF)
                right = x;
    return right;
}

DrawnLine DrawLine(HWND dialog, int index, const std::string& text)
{
    HWND list = GetDlgItem(dialog, ErrorListId);
    RECT item{};
    SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    const int width = item.right - item.left;
    const int height = item.bottom - item.top;
    HDC screen = GetDC(list);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    RECT area = {0, 0, width, height};
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_LISTBOX;
    draw.CtlID = ErrorListId;
    draw.itemID = static_cast<UINT>(index);
    draw.itemAction = ODA_DRAWENTIRE;
    draw.hwndItem = list;
    draw.hDC = dc;
    draw.rcItem = area;
    draw.itemData = static_cast<ULONG_PTR>(SendMessageA(list, LB_GETITEMDATA, index, 0));
    SendMessageA(dialog, WM_DRAWITEM, ErrorListId, reinterpret_cast<LPARAM>(&draw));

    DrawnLine line;
    line.inkRight = InkRight(dc, width, height);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
    std::wstring wide = Wide(text);
    SIZE extent{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    line.textWidth = extent.cx;
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &area, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    line.referenceInkRight = InkRight(dc, width, height);

    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(list, screen);
    return line;
}

class ErrorDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        VlUtil_InitDLL(nullptr, GetModuleHandleA(nullptr), "Velmo", "Varmelin", "vlutil-test");
        ErrorList_Reset();
    }
    void TearDown() override { ErrorList_Clear(); }

    // Runs the dialog, reads it when it is up, and presses button.
    int Run(int button)
    {
        TsBoxAnswerer answer(button, nullptr, [this](HWND box) {
            lines_ = ReadLines(box);
            caption_ = Ts_WindowText(box);
            selection_ = static_cast<int>(SendDlgItemMessageA(box, ErrorListId, LB_GETCURSEL, 0, 0));
        });
        int result = ErrorDialog(nullptr);
        EXPECT_EQ(answer.boxes().size(), 1u);
        return result;
    }

    std::vector<Line> lines_;
    std::string caption_;
    int selection_ = -2;
};

TEST_F(ErrorDialogTest, ListsEntriesByObjectThenSeverityUnderGroupLines)
{
    ErrorList_Insert(0, ErrorKind_Warning, 0, "general warning", 0, nullptr);
    ErrorList_Insert(-1, ErrorKind_Warning, 0, "negative object", 0, nullptr);
    ErrorList_Insert(0, ErrorKind_Error, 0, "general error", 0, nullptr);
    ErrorList_Insert(0, ErrorKind_FailedIteration, 0, "failed iteration", 0, nullptr);

    EXPECT_EQ(Run(IDOK), IDOK);

    const std::vector<Line> expected = {
        {Entry("negative object"), 0},   // a negative object has no group line
        {LibraryText(20048) + '\t', -1},   // one group line for all general entries
        {Entry("general error"), 1},
        {Entry("failed iteration"), 2},
        {Entry("general warning"), 3},
    };
    EXPECT_EQ(lines_, expected);
    EXPECT_EQ(selection_, 0);
    EXPECT_EQ(caption_, LibraryText(20047));   // translated when it opened

    // The dialog sorted the list itself.
    EXPECT_STREQ(ErrorList_IthErrorStr(0), "negative object");
    EXPECT_STREQ(ErrorList_IthErrorStr(3), "general warning");
}

TEST_F(ErrorDialogTest, APartsEntriesAreHeadedByItsProductAndDescription)
{
    TempProject project;
    ASSERT_TRUE(project.loaded());
    long slab = project.AddPart("IM", "MWS-20", "Outer layer – east side");
    long bare = project.AddPart(nullptr, nullptr, nullptr);
    ASSERT_LT(slab, bare);
    ErrorList_Insert(bare, ErrorKind_Error, 0, "no product", 0, nullptr);
    ErrorList_Insert(slab, ErrorKind_Warning, 0, "thin", 0, nullptr);
    ErrorList_Insert(slab, ErrorKind_Error, 0, "too hot", 0, nullptr);
    ErrorList_Insert(0, ErrorKind_Error, 0, "general", 0, nullptr);

    Run(IDOK);

    const std::vector<Line> expected = {
        {LibraryText(20048) + '\t', -1},
        {Entry("general"), 0},
        {"Mineral wool slab, high temperature 20 mm\tOuter layer – east side", 0},
        {Entry("too hot"), 1},
        {Entry("thin"), 2},
        {LibraryText(40039) + '\t', 0},   // no product, no description
        {Entry("no product"), 3},
    };
    EXPECT_EQ(lines_, expected);
}

TEST_F(ErrorDialogTest, EntriesWithoutTextShowTheirLanguageText)
{
    ErrorList_Insert(0, ErrorKind_Error, 40046, nullptr, 0, nullptr);
    Run(IDOK);
    ASSERT_EQ(lines_.size(), 2u);
    EXPECT_EQ(lines_[1].text, Entry(LibraryText(40046).c_str()));
}

// Texts in every language are drawn as the characters they are, in the
// dialog's own font: the ink ends where that of the text drawn as Unicode in
// that font ends.
TEST_F(ErrorDialogTest, LinesAreDrawnInTheDialogFontInEveryLanguage)
{
    const char* texts[] = {"Heat loss too high", "Ошибка расчёта: слишком большая потеря тепла",
                           "Błąd obliczeń: zbyt duża strata ciepła", "Lämpöhäviö on liian suuri"};
    for (const char* text : texts)
        ErrorList_Insert(-1, ErrorKind_Error, 0, text, 0, nullptr);
    std::vector<DrawnLine> drawn;
    TsBoxAnswerer answer(IDOK, nullptr, [&](HWND box) {
        for (int i = 0; i < 4; ++i)
            drawn.push_back(DrawLine(box, i, Entry(ErrorList_IthErrorStr(i)).substr(0, 10 + strlen(texts[i]))));
    });
    ErrorDialog(nullptr);
    ASSERT_EQ(drawn.size(), 4u);
    for (size_t i = 0; i < drawn.size(); ++i) {
        EXPECT_GT(drawn[i].inkRight, 0) << texts[i];
        EXPECT_NEAR(drawn[i].inkRight, drawn[i].referenceInkRight, 3) << texts[i];
    }
}

// A message wider than the list can be scrolled into view; short ones need
// no scrolling.
TEST_F(ErrorDialogTest, TheListScrollsSidewaysAsFarAsItsWidestLine)
{
    struct Case {
        const char* name;
        std::string text;
        bool wider;   // than the list
    } cases[] = {
        {"short", "Heat loss too high", false},
        {"long", "Расчёт невозможен: размер, плотность, теплопотери или коэффициент равны нулю. "
                 "Проверьте исходные данные.", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ErrorList_Clear();
        ErrorList_Insert(-1, ErrorKind_Error, 0, c.text.c_str(), 0, nullptr);
        LONG extent = 0, listWidth = 0, textWidth = 0;
        TsBoxAnswerer answer(IDOK, nullptr, [&](HWND box) {
            HWND list = GetDlgItem(box, ErrorListId);
            extent = static_cast<LONG>(SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0));
            RECT client;
            GetClientRect(list, &client);
            listWidth = client.right;
            std::string stored = ErrorList_IthErrorStr(0);   // cut to 199 bytes
            textWidth = DrawLine(box, 0, Entry(stored.c_str()).substr(0, 10 + stored.size())).textWidth;
        });
        ErrorDialog(nullptr);
        EXPECT_GE(extent, textWidth);
        EXPECT_EQ(extent > listWidth, c.wider) << extent << " against a list of " << listWidth;
    }
}

TEST_F(ErrorDialogTest, CancelOrClosingTheWindowAnswersTwo)
{
    constexpr int NoSuchButton = 999;   // the helper's press changes nothing
    struct Case {
        const char* name;
        int button;
        bool closeWindow;
    } cases[] = {{"cancel", IDCANCEL, false}, {"window closed", NoSuchButton, true}};
    for (const Case& c : cases) {
        ErrorList_Insert(0, ErrorKind_Error, 0, "x", 0, nullptr);
        TsBoxAnswerer answer(c.button, nullptr, [&](HWND box) {
            if (c.closeWindow)
                PostMessageA(box, WM_CLOSE, 0, 0);
        });
        EXPECT_EQ(ErrorDialog(nullptr), IDCANCEL) << c.name;
    }
}

TEST_F(ErrorDialogTest, AnEmptyListOpensAndCloses)
{
    EXPECT_EQ(Run(IDOK), IDOK);
    EXPECT_TRUE(lines_.empty());
}

}  // namespace
