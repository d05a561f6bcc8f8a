// The recent-file list: as data (top, at most eight, case-insensitive), as
// the File menu shows it ("&" itself, a long path shortened in its middle,
// letters whole) and as stored in the settings (entries of any length
// survive a rewrite).
#include "VlInterface/recentlist.h"
#include "VlInterface/shell.h"
#include "VlInterface/tests/shell_fixture.h"

namespace {

using List = std::vector<std::string>;

struct PromoteCase {
    const char* name;
    List before;
    std::string added;
    List after;
};

List Numbered(int n)
{
    List list;
    for (int i = 1; i <= n; ++i)
        list.push_back("C:\\p\\f" + std::to_string(i) + ".WDF");
    return list;
}

TEST(RecentList, PromoteMovesOrAddsOnTop)
{
    List eight = Numbered(8);
    List ninthAdded = {"C:\\p\\new.WDF"};
    ninthAdded.insert(ninthAdded.end(), eight.begin(), eight.begin() + 7);
    List fifthMoved = {eight[4], eight[0], eight[1], eight[2], eight[3], eight[5], eight[6], eight[7]};
    const PromoteCase cases[] = {
        {"empty list gets the name", {}, "C:\\a.WDF", {"C:\\a.WDF"}},
        {"first stays first", eight, eight[0], eight},
        {"fifth moves to the top, others keep order", eight, eight[4], fifthMoved},
        {"a ninth name drops the oldest", eight, "C:\\p\\new.WDF", ninthAdded},
        {"other letter case is the same file", {"C:\\P\\One.wdf", "C:\\two.wdf"}, "c:\\p\\ONE.WDF",
         {"C:\\P\\One.wdf", "C:\\two.wdf"}},
        {"letters beyond ASCII compare without case", {"C:\\x.wdf", "C:\\Öljy.wdf"}, "c:\\öLJY.WDF",
         {"C:\\Öljy.wdf", "C:\\x.wdf"}},
    };
    for (const PromoteCase& c : cases) {
        List list = c.before;
        RecentList_Promote(list, c.added, kRecentFileCount);
        EXPECT_EQ(list, c.after) << c.name;
    }
}

// The characters of a caption, which must be whole UTF-8.
size_t Chars(const std::string& text)
{
    return static_cast<size_t>(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                                   static_cast<int>(text.size()), nullptr, 0));
}

TEST(RecentList, MenuCaptionShowsThePathAsItIs)
{
    auto repeat = [](const std::string& text, int times) {
        std::string repeated;
        while (times-- > 0)
            repeated += text;
        return repeated;
    };
    const std::string ellipsis = "\xE2\x80\xA6";
    const std::string longFolder = "C:\\Projects\\" + std::string(220, 'd') + "\\";
    const std::string cyrillic = "C:\\" + std::string(40, 'p') + "\\Проекты теплоизоляции\\Жук łęk öå\\" +
                                 std::string(30, 'q') + "\\Отопление.wdf";
    const struct {
        const char* name;
        std::string path, caption;
    } rows[] = {
        {"short path as it is", "C:\\p\\heat.WDF", "&1 : C:\\p\\heat.WDF"},
        {"an ampersand shows as itself", "C:\\R&D\\heatcold.wdf", "&1 : C:\\R&&D\\heatcold.wdf"},
        {"a long path loses its middle", longFolder + "heatcold.wdf", "&1 : C:\\Projects\\" + ellipsis + "\\heatcold.wdf"},
        {"folders beyond ASCII go whole", cyrillic, "&1 : C:\\" + std::string(40, 'p') + "\\" + ellipsis + "\\Отопление.wdf"},
        {"a cut among letters beyond ASCII", repeat("Ж", 70) + "\\heat.wdf", "&1 : " + repeat("Ж", 50) + ellipsis + "\\heat.wdf"},
        {"a long file name shows whole", "C:\\a\\" + std::string(80, 'n') + ".wdf",
         "&1 : " + ellipsis + "\\" + std::string(80, 'n') + ".wdf"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string caption = RecentList_MenuCaption(1, row.path);
        EXPECT_EQ(caption, row.caption);
        EXPECT_GT(Chars(caption), 0u) << "whole UTF-8";
    }
}

class RecentFilesTest : public ShellTest {};

TEST_F(RecentFilesTest, AddWritesTheListBackInOrder)
{
    for (int i = 1; i <= 8; ++i)
        ASSERT_EQ(RecentFiles_Add(nullptr, ("C:\\f" + std::to_string(i) + ".WDF").c_str()), 0);
    ASSERT_EQ(RecentFiles_Add(nullptr, "C:\\f9.WDF"), 0);
    EXPECT_EQ(Recent(1), "C:\\f9.WDF");
    EXPECT_EQ(Recent(2), "C:\\f8.WDF");
    EXPECT_EQ(Recent(8), "C:\\f2.WDF");
    EXPECT_EQ(Recent(9), "");
    EXPECT_EQ(RecentFiles_Add(nullptr, nullptr), -1);
    EXPECT_EQ(RecentFiles_Add(nullptr, ""), -2);
}

TEST_F(RecentFilesTest, ListEndsAtFirstMissingEntry)
{
    SetRecent(1, "C:\\one.WDF");
    SetRecent(3, "C:\\three.WDF");
    ASSERT_EQ(RecentFiles_Add(nullptr, "C:\\new.WDF"), 0);
    EXPECT_EQ(Recent(1), "C:\\new.WDF");
    EXPECT_EQ(Recent(2), "C:\\one.WDF");
    EXPECT_EQ(Recent(3), "");   // the stray entry behind the gap is gone
}

TEST_F(RecentFilesTest, LongEntryIsKeptWhole)
{
    std::string longName = "C:\\" + std::string(300, 'x') + ".WDF";
    SetRecent(1, longName);
    SetRecent(2, "C:\\two.WDF");
    ASSERT_EQ(RecentFiles_Add(nullptr, "C:\\new.WDF"), 0);
    EXPECT_EQ(Recent(2), longName);
    EXPECT_EQ(Recent(3), "C:\\two.WDF");
}

} // namespace
