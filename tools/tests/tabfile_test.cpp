// Tests of the table-source parser: faulty sources are refused with file and
// line, values are encoded as the engine stores them, records merge.
#include <gtest/gtest.h>

#include <cstring>

#include "tools/schemasizes.h"
#include "tools/tabfile.h"

namespace {

std::string RefusalOf(const std::string& text)
{
    std::vector<tab::Record> out;
    try {
        tab::ParseText("t.tab", text, out);
    } catch (const tab::Error& e) {
        return e.message;
    }
    return "";
}

struct Refusal {
    const char* name;
    const char* text;
    const char* expected;   // the start of the message
};

const Refusal kRefusals[] = {
    {"record before class", "columns key 1:short\nA 1\n", "t.tab:2: a record before any class"},
    {"record before columns", "class DC\nA 1\n", "t.tab:2: a record before any columns"},
    {"too few fields", "class DC\ncolumns key 1:short 2:short\nA 1\n", "t.tab:3: expected 3 fields"},
    {"too many fields", "class DC\ncolumns key 1:short\nA 1 2\n", "t.tab:3: expected 2 fields"},
    {"not a number", "class DC\n\n# c\ncolumns key 1:float\nA 1.5x\n", "t.tab:5: not a number"},
    {"short out of range", "class DC\ncolumns key 1:short\nA 40000\n", "t.tab:3: integer out of range"},
    {"byte out of range", "class DC\ncolumns key 1:byte\nA 256\n", "t.tab:3: integer out of range"},
    {"unknown type", "class DC\ncolumns key 1:word\n", "t.tab:2: unknown column type"},
    {"column without type", "class DC\ncolumns key 1\n", "t.tab:2: a column is written id:type"},
    {"attribute twice", "class DC\ncolumns key 1:short 1:float\n", "t.tab:2: attribute 1 named twice"},
    {"key too long", "class DC\ncolumns key 1:short\nK234567890123456789012345678901234567890 1\n",
     "t.tab:3: key longer than 39"},
    {"key with trailing blanks", "class DC\ncolumns key 1:short\n\"AB  \" 1\n", "t.tab:3: key with trailing blanks"},
    {"empty key", "class DC\ncolumns key 1:short\n\"\" 1\n", "t.tab:3: empty key"},
    {"unterminated quote", "class DC\ncolumns key 1:string\nA \"abc\n", "t.tab:3: unterminated quoted"},
    {"unknown escape", "class DC\ncolumns key 1:string\nA \"a\\qb\"\n", "t.tab:3: unknown escape"},
    {"quote inside field", "class DC\ncolumns key 1:string\nA ab\"c\n", "t.tab:3: a quote inside"},
    {"text element too long", "class IM\ncolumns key 1600:text4[]\nA abcd\n", "t.tab:3: element longer than 3"},
    {"empty array element", "class UI\ncolumns key 1311:float[]\nA 1,,2\n", "t.tab:3: empty number"},
    {"byte-order mark", "\xEF\xBB\xBF# x\n", "t.tab:1: a byte-order mark"},
};

TEST(TabParse, RefusesFaultySourcesNamingFileAndLine)
{
    for (const Refusal& r : kRefusals)
        EXPECT_EQ(RefusalOf(r.text).rfind(r.expected, 0), 0u)
            << r.name << ": got \"" << RefusalOf(r.text) << "\"";
}

TEST(TabParse, EncodesEveryColumnType)
{
    std::vector<tab::Record> out;
    tab::ParseText("t.tab",
                   "class UI\n"
                   "columns key 1:byte 2:short 3:long 4:float 5:double 6:string 7:float[] 8:text4[] 9:short\n"
                   "\"A B\" 200 -7 100000 0.5 2.25 \"x \"\"y\"\"\\tz\" 1,2.5 ab,c -\n",
                   out);
    ASSERT_EQ(out.size(), 1u);
    const tab::Record& r = out[0];
    EXPECT_EQ(r.cls, "UI");
    EXPECT_EQ(r.key, "A B");
    ASSERT_EQ(r.fields.size(), 8u) << "'-' leaves attribute 9 out";
    EXPECT_EQ(r.fields[0].bytes, std::vector<uint8_t>{200});
    int16_t s;
    std::memcpy(&s, r.fields[1].bytes.data(), 2);
    EXPECT_EQ(s, -7);
    int32_t l;
    std::memcpy(&l, r.fields[2].bytes.data(), 4);
    EXPECT_EQ(l, 100000);
    float f;
    std::memcpy(&f, r.fields[3].bytes.data(), 4);
    EXPECT_EQ(f, 0.5f);
    double d;
    std::memcpy(&d, r.fields[4].bytes.data(), 8);
    EXPECT_EQ(d, 2.25);
    EXPECT_EQ(std::string(r.fields[5].bytes.begin(), r.fields[5].bytes.end()), "x \"y\"\tz");
    EXPECT_EQ(r.fields[5].count, 7);
    EXPECT_EQ(r.fields[6].count, 2);
    EXPECT_EQ(r.fields[6].bytes.size(), 8u);
    EXPECT_EQ(r.fields[7].count, 2);
    EXPECT_EQ(r.fields[7].bytes, (std::vector<uint8_t>{'a', 'b', 0, 0, 'c', 0, 0, 0}));
}

TEST(TabMerge, JoinsAttributesAndRefusesOneGivenTwice)
{
    std::vector<tab::Record> all;
    tab::ParseText("a.tab", "class T\ncolumns key 501:string\n7 \"one\"\n", all);
    tab::ParseText("b.tab", "class T\ncolumns key 502:string\n7 \"two\"\n8 \"x\"\n", all);
    std::vector<tab::Record> merged = tab::Merge(all);
    ASSERT_EQ(merged.size(), 2u);
    EXPECT_EQ(merged[0].fields.size(), 2u);

    tab::ParseText("c.tab", "class T\ncolumns key 501:string\n\n7 \"again\"\n", all);
    try {
        tab::Merge(all);
        FAIL() << "the same attribute twice was accepted";
    } catch (const tab::Error& e) {
        EXPECT_EQ(e.message.rfind("c.tab:4: attribute 501 of T/7 is given already at a.tab:3", 0), 0u) << e.message;
    }
}

TEST(TabSchema, CountsWholeElementsAndRefusesPartialOnes)
{
    tab::SchemaSizes sizes{{1603, {false, 20}}, {1602, {true, 0}}};
    std::vector<tab::Record> recs;
    tab::ParseText("p.tab", "class PR\ncolumns key 1603:float[] 1602:string\nX 1,2,3,4,5,0,0,0,0,0 \"n\"\n", recs);
    tab::ApplySchemaSizes(sizes, recs);
    EXPECT_EQ(recs[0].fields[0].count, 2) << "two rows of five floats";

    const char* faulty[] = {
        "class PR\ncolumns key 1603:float[]\nX 1,2,3\n",    // not whole rows
        "class PR\ncolumns key 1602:float\nX 1\n",          // a string id in a float column
        "class PR\ncolumns key 1603:string\nX \"abc\"\n",   // a sized id in a string column
    };
    for (const char* text : faulty) {
        std::vector<tab::Record> r;
        tab::ParseText("p.tab", text, r);
        try {
            tab::ApplySchemaSizes(sizes, r);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const tab::Error& e) {
            EXPECT_EQ(e.message.rfind("p.tab:3: attribute", 0), 0u) << e.message;
        }
    }
}

}  // namespace
