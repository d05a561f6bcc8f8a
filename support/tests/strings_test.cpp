// String functions: fixed-width copies, trimming, filters, and the UTF-8
// aware byte limits they rely on.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include "support/strings.h"
#include "support/utf8.h"

namespace {

struct FixedCase {
    const char* name;
    const char* source;
    int n;
    const char* expected;
};

const FixedCase kFixedCases[] = {
    {"padded_with_blanks", "abc", 5, "abc  "},
    {"cut_at_n", "abcdef", 3, "abc"},
    {"control_characters_become_blanks", "a\tb\r", 4, "a b "},
    {"empty_source_all_blanks", "", 2, "  "},
    {"zero_width_empty", "abc", 0, ""},
    {"negative_width_empty", "abc", -1, ""},
    {"utf8_kept", "ä", 2, "ä"},
    {"utf8_never_split", "aä", 2, "a "},
};

class CopyFixed : public testing::TestWithParam<FixedCase> {};

TEST_P(CopyFixed, WritesExactlyN)
{
    const FixedCase& c = GetParam();
    char out[16];
    std::memset(out, 'x', sizeof out);
    Str_CopyFixed(out, c.source, c.n);
    EXPECT_STREQ(out, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CopyFixed, testing::ValuesIn(kFixedCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CopyFixedSource, StopsAtTheTerminator)
{
    const char source[] = "ab\0XYZ";
    char out[8];
    Str_CopyFixed(out, source, 5);
    EXPECT_STREQ(out, "ab   ");
}

TEST(Trimming, TrailingBlanksOnly)
{
    char text[] = " a b  ";
    Str_TrimRight(text);
    EXPECT_STREQ(text, " a b");
    EXPECT_EQ(Str_TrimmedLength("ab  cd", 4), 2);
    EXPECT_EQ(Str_TrimmedLength("ab", 10), 2);
    EXPECT_EQ(Str_TrimmedLength("   ", 3), 0);
}

TEST(Trimming, CopyTrimmedZeroFills)
{
    char out[8];
    std::memset(out, 'x', sizeof out);
    Str_CopyTrimmed(out, "ab   cd", 5);
    EXPECT_EQ(std::string(out, 7), std::string("ab\0\0\0\0x", 7));
}

TEST(RemoveBlanks, EveryBlank)
{
    char text[] = " a b  c ";
    Str_RemoveBlanks(text);
    EXPECT_STREQ(text, "abc");
}

// A language text names where the numbers go; a translation that names
// other conversions shows them as written.
TEST(FillNumbers, OnlyPercentDTakesANumber)
{
    const struct {
        const char* text;
        const char* filled;
    } rows[] = {
        {"from %d to %d points", "from 6 to 24 points"},
        {"%d%% of %d", "6% of 24"},
        {"%s from %d", "%s from 6"},
        {"%n%x %5d", "%n%x %5d"},
        {"%d %d %d", "6 24 %d"},
        {"ends in %", "ends in %"},
        {"", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Str_FillNumbers(row.text, {6, 24}), row.filled) << row.text;
    EXPECT_EQ(Str_FillNumbers(nullptr, {6}), "");
    EXPECT_EQ(Str_FillTexts("on %s (%s, %d) %s %%", {"PC-Ä", nullptr}), "on PC-Ä (, %d) %s %");
}

struct FitCase {
    const char* name;
    const char* text;
    size_t length;
    size_t expected;
};

const FitCase kFitCases[] = {
    {"ascii", "abc", 2, 2},
    {"whole_two_byte", "aä", 3, 3},
    {"half_two_byte", "aä", 2, 1},
    {"two_of_three_bytes", "a€", 3, 1},
    {"whole_four_byte", "😀", 4, 4},
    {"three_of_four_bytes", "😀", 3, 0},
    {"limit_beyond_the_end", "ab", 10, 2},
};

class Utf8Fit : public testing::TestWithParam<FitCase> {};

TEST_P(Utf8Fit, NeverEndsInsideACharacter)
{
    const FitCase& c = GetParam();
    EXPECT_EQ(Utf8_FitLength(c.text, c.length), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, Utf8Fit, testing::ValuesIn(kFitCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
