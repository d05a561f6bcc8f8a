// The error list through VlUtil.dll's exports: inserting, the 199-byte cut,
// texts by id, reset and clear.
#include <gtest/gtest.h>
#include "VlUtil/vlutil.h"
#include "VlUtil/tests/library_text.h"
#include <string>

namespace {

class ErrorListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        VlUtil_InitDLL(nullptr, GetModuleHandleA(nullptr), "Velmo", "Varmelin", "vlutil-test");
        ErrorList_Reset();
        ErrorList_Clear();
    }
    void TearDown() override { ErrorList_Clear(); }
};

TEST_F(ErrorListTest, InsertCountsAndKeepsTexts)
{
    EXPECT_EQ(ErrorList_Insert(0, ErrorKind_Error, 40001, "first", 7, nullptr), 1);
    EXPECT_EQ(ErrorList_Insert(2, ErrorKind_Warning, 40002, "second", 0, this), 2);
    EXPECT_EQ(ErrorList_NError(), 2);
    EXPECT_STREQ(ErrorList_IthErrorStr(0), "first");
    EXPECT_STREQ(ErrorList_IthErrorStr(1), "second");
}

TEST_F(ErrorListTest, OutOfRangeGivesEmptyTextNeverNull)
{
    ErrorList_Insert(0, ErrorKind_Error, 40001, "only", 0, nullptr);
    for (int i : {-1, 1, 1000}) {
        const char* text = ErrorList_IthErrorStr(i);
        ASSERT_NE(text, nullptr) << "index " << i;
        EXPECT_STREQ(text, "") << "index " << i;
    }
}

struct CutCase {
    const char* name;
    std::string text;
    std::string stored;
};

// "é" is two bytes and "€" three: a cut at 199 bytes must not split them.
const CutCase cutCases[] = {
    {"short text kept", "heat loss", "heat loss"},
    {"199 bytes kept", std::string(199, 'a'), std::string(199, 'a')},
    {"250 bytes cut to 199", std::string(250, 'b'), std::string(199, 'b')},
    {"two-byte character across the cut", std::string(198, 'c') + "é" + "x",
     std::string(198, 'c')},
    {"two-byte character ending at the cut", std::string(197, 'd') + "é" + "x",
     std::string(197, 'd') + "é"},
    {"three-byte character across the cut", std::string(197, 'e') + "€",
     std::string(197, 'e')},
};

TEST_F(ErrorListTest, LongTextsAreCutOnACharacterBoundary)
{
    for (const CutCase& c : cutCases) {
        ErrorList_Clear();
        ErrorList_Insert(0, ErrorKind_Error, 1, c.text.c_str(), 0, nullptr);
        EXPECT_EQ(ErrorList_IthErrorStr(0), c.stored) << c.name;
    }
}

TEST_F(ErrorListTest, EntryWithoutTextShowsItsLanguageText)
{
    ErrorList_Insert(0, ErrorKind_Error, 40046, nullptr, 0, nullptr);
    ErrorList_Insert(0, ErrorKind_Error, 40046, "", 0, nullptr);
    for (int i : {0, 1})
        EXPECT_EQ(ErrorList_IthErrorStr(i), LibraryText(40046)) << "entry " << i;
}

TEST_F(ErrorListTest, ClearAndResetEmptyTheList)
{
    ErrorList_Insert(0, ErrorKind_Error, 1, "a", 0, nullptr);
    ErrorList_Clear();
    EXPECT_EQ(ErrorList_NError(), 0);
    EXPECT_EQ(ErrorList_Insert(0, ErrorKind_Error, 1, "b", 0, nullptr), 1);

    ErrorList_Reset();   // drops without freeing: the caller owns that choice
    EXPECT_EQ(ErrorList_NError(), 0);
    EXPECT_EQ(ErrorList_Insert(0, ErrorKind_Warning, 1, "c", 0, nullptr), 1);
    EXPECT_STREQ(ErrorList_IthErrorStr(0), "c");
}

}  // namespace
