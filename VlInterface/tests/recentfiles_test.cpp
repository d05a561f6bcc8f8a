// The recent-file list: as data (top, at most eight, case-insensitive) and
// as stored in the settings (entries of any length survive a rewrite).
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
