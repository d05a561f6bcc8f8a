// Dates: the short-date pattern walker with its century rules and bounds, the
// fixed form and its parser, packed dates, the date messages.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include "support/app.h"
#include "support/datemsg.h"
#include "support/dates.h"

namespace {

// Sets the profile's short-date pattern for one test and puts the old one back.
class ShortDatePattern {
public:
    explicit ShortDatePattern(const char* pattern)
    {
        hadValue_ = GetProfileStringA("Intl", "sShortDate", "", old_, sizeof old_) > 0;
        WriteProfileStringA("Intl", "sShortDate", pattern);
    }
    ~ShortDatePattern() { WriteProfileStringA("Intl", "sShortDate", hadValue_ ? old_ : nullptr); }

private:
    char old_[kLocalDateSize] = {};
    bool hadValue_ = false;
};

struct LocalDateCase {
    const char* name;
    const char* pattern;
    unsigned year, month, day;
    const char* expected;
};

const LocalDateCase kLocalDateCases[] = {
    {"padded_runs", "dd.MM.yyyy", 2024, 3, 1, "01.03.2024"},
    {"single_letters_two_digit_year", "d/m/yy", 99, 3, 1, "1/3/99"},
    {"short_year_widened_to_2000s", "yyyy", 5, 1, 1, "2005"},
    {"year_50_is_2050", "yyyy", 50, 1, 1, "2050"},
    {"year_51_is_1951", "yyyy", 51, 1, 1, "1951"},
    {"full_year_kept", "yyyy", 1994, 1, 1, "1994"},
    {"century_1900_removed", "yy", 1999, 1, 1, "99"},
    {"century_2000_removed", "yy", 2005, 1, 1, "05"},
    {"century_2100_removed", "yy", 2150, 1, 1, "50"},
    {"later_centuries_less_2200", "yy", 2250, 1, 1, "50"},
    {"one_y_drops_century_unpadded", "d/m/y", 2024, 3, 1, "1/3/24"},
    {"letters_in_any_case", "DD-Mm-YYYY", 2024, 12, 31, "31-12-2024"},
    {"run_longer_than_value", "ddd", 2024, 1, 7, "007"},
    {"other_text_copied_as_is", "Päivä d.m.yyyy", 2024, 3, 1, "Päivä 1.3.2024"},
};

class LocalDate : public testing::TestWithParam<LocalDateCase> {};

TEST_P(LocalDate, FollowsThePattern)
{
    const LocalDateCase& c = GetParam();
    ShortDatePattern pattern(c.pattern);
    EXPECT_STREQ(Date_FormatLocal(c.year, c.month, c.day), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Patterns, LocalDate, testing::ValuesIn(kLocalDateCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LocalDateBounds, LongOutputIsCutOnACharacterBoundary)
{
    std::string pattern, full;
    for (int i = 0; i < 26; ++i) {
        pattern += "dä";
        full += "25ä";
    }
    ShortDatePattern set(pattern.c_str());
    const char* text = Date_FormatLocal(2024, 1, 25);
    const size_t length = std::strlen(text);
    EXPECT_LT(length, static_cast<size_t>(kLocalDateSize));
    EXPECT_EQ(full.compare(0, length, text), 0) << text;
    EXPECT_NE(full[length] & 0xC0, 0x80) << "a UTF-8 sequence was split";
    EXPECT_GT(length, 70u);
}

TEST(LocalDateBounds, LongRunIsCut)
{
    ShortDatePattern set(std::string(79, 'y').c_str());
    EXPECT_EQ(std::strlen(Date_FormatLocal(2024, 1, 1)), static_cast<size_t>(kLocalDateSize - 1));
}

TEST(FixedDate, FormatsDayMonthYear)
{
    char text[kDateTextSize];
    DateRecord empty = {0, 0, 0};
    Date_Format(&empty, text);
    EXPECT_STREQ(text, "");
    DateRecord date = {1, 2, 2003};
    Date_Format(&date, text);
    EXPECT_STREQ(text, "01.02.2003");
    DateRecord wild = {200, 1, 12345};
    Date_Format(&wild, text);
    EXPECT_EQ(std::strlen(text), kDateTextSize - 1) << "out-of-range fields stay inside the buffer";
}

struct ParseCase {
    const char* name;
    const char* text;
    int result;
    DateRecord expected;
};

const ParseCase kParseCases[] = {
    {"one_digit_fields", "1.2.2003", 0, {1, 2, 2003}},
    {"two_digit_fields", "01.02.2003", 0, {1, 2, 2003}},
    {"no_range_test", "31.13.94", 0, {31, 13, 94}},
    {"leading_point", ".1.2003", -1, {}},
    {"three_digit_day", "001.02.2003", -1, {}},
    {"three_digit_month", "1.123.2003", -1, {}},
    {"no_year", "1.2.", -1, {}},
    {"other_separator", "1/2/2003", -1, {}},
    {"empty", "", -1, {}},
};

class DateParse : public testing::TestWithParam<ParseCase> {};

TEST_P(DateParse, ReadsOrRejects)
{
    const ParseCase& c = GetParam();
    DateRecord date = {9, 9, 9};
    ASSERT_EQ(Date_Parse(c.text, &date), c.result);
    const DateRecord expected = c.result == 0 ? c.expected : DateRecord{9, 9, 9};
    EXPECT_EQ(date.day, expected.day);
    EXPECT_EQ(date.month, expected.month);
    EXPECT_EQ(date.year, expected.year);
}

INSTANTIATE_TEST_SUITE_P(Texts, DateParse, testing::ValuesIn(kParseCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PackedDate, StoresTheYearBigEndian)
{
    PackedDate packed;
    Date_Pack(&packed, 31, 12, 2024);
    EXPECT_EQ(packed.yearHigh, 0x07);
    EXPECT_EQ(packed.yearLow, 0xE8);
    EXPECT_EQ(packed.month, 12);
    EXPECT_EQ(packed.day, 31);
    DateRecord date;
    Date_Unpack(&packed, &date);
    EXPECT_EQ(date.day, 31);
    EXPECT_EQ(date.month, 12);
    EXPECT_EQ(date.year, 2024);
}

TEST(PackedDate, TextRoundTrips)
{
    for (const char* text : {"05.06.1994", "29.02.2000", "31.12.2099"}) {
        PackedDate packed;
        ASSERT_EQ(Date_ParsePacked(text, &packed), 0) << text;
        char back[kDateTextSize];
        Date_FormatPacked(&packed, back);
        EXPECT_STREQ(back, text);
    }
    PackedDate untouched = {1, 2, 3, 4};
    EXPECT_EQ(Date_ParsePacked("x", &untouched), -1);
    EXPECT_EQ(untouched.yearHigh, 1);
}

TEST(PackedDate, TodayMatchesTheLocalDate)
{
    PackedDate packed;
    Date_PackedToday(&packed);
    DateRecord fromPacked, today;
    Date_Unpack(&packed, &fromPacked);
    Date_Today(&today);
    EXPECT_EQ(Date_Compare(&fromPacked, &today), 0);
}

TEST(DateCompare, YearThenMonthThenDay)
{
    DateRecord a = {31, 12, 2023}, b = {1, 1, 2024}, c = {2, 1, 2024};
    EXPECT_LT(Date_Compare(&a, &b), 0);
    EXPECT_LT(Date_Compare(&b, &c), 0);
    EXPECT_GT(Date_Compare(&c, &a), 0);
    EXPECT_EQ(Date_Compare(&b, &b), 0);
}

TEST(DateMessages, InEachLanguage)
{
    App_Init(GetModuleHandleA(nullptr));
    EXPECT_STREQ(Dlg_GetFormatMessage(0), "Päivämäärämuoto on PP.KK.VVVV\r\nEsim: 10.02.1994");
    Dlg_SetMessageLanguage('E');
    EXPECT_STREQ(Dlg_GetFormatMessage(3), "Yearnumber must has all four digits!");
    Dlg_SetMessageLanguage('S');
    EXPECT_STREQ(Dlg_GetFormatMessage(2), "Är årnumret ok?");
    EXPECT_STREQ(Dlg_GetFormatMessage(4), "");
    EXPECT_STREQ(Dlg_GetFormatMessage(-1), "");
}

}  // namespace
