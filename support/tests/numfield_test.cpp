// Number fields on a live edit control: what setters show and allow to be
// typed, what getters accept (whole text, comma for reals, range), the range
// box and the focus on a refused value, texts read back whole, and the field
// descriptors' text forms both ways.
#include <gtest/gtest.h>
#include "support/app.h"
#include "support/dlgutil.h"
#include "support/dates.h"
#include "support/numfield.h"
#include "testsupport/testsupport.h"
#include <cstring>
#include <functional>
#include <string>

namespace {

constexpr int kEdit = 101, kOther = 102;
constexpr const char* kTitle = "Number fields";   // the boxes' caption, not the test dialog's

class NumFieldTest : public testing::Test {
protected:
    void SetUp() override
    {
        App_Init(GetModuleHandleA(nullptr));
        App().title = kTitle;
        for (int id : {kEdit, kOther})
            CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, id - 90, 150, 20,
                            dialog_.hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
    HWND dlg() const { return dialog_.hwnd(); }
    LRESULT Limit() const { return SendDlgItemMessageA(dlg(), kEdit, EM_GETLIMITTEXT, 0, 0); }

    TsDialog dialog_{nullptr};
};

// A text field's limit is in bytes, kept by Edit_LimitBytes, not EM_LIMITTEXT.
constexpr LRESULT kBytesLimited = -1;

struct SetCase {
    const char* name;
    std::function<void(HWND)> set;
    const char* shown;
    LRESULT limit;
};

const SetCase kSetCases[] = {
    {"float with width and decimals", [](HWND d) { Field_SetFloat(d, kEdit, 1.25f, 6, 1); }, "   1.2", 16},
    {"long", [](HWND d) { Field_SetLong(d, kEdit, 42, 4); }, "  42", 9},
    {"short", [](HWND d) { Field_SetShort(d, kEdit, -7, 0); }, "-7", 4},
    {"text cut to its limit", [](HWND d) { Field_SetText(d, kEdit, "Boiler room   ", 6); }, "Boiler", kBytesLimited},
    {"negative zero shows no sign", [](HWND d) { Field_SetFloat(d, kEdit, -0.0f, 0, 1); }, "0.0", 16},
    {"rounded to zero shows no sign", [](HWND d) { Field_SetDouble(d, kEdit, -0.004, 5, 2); }, " 0.00", 16},
    {"a negative value keeps its sign", [](HWND d) { Field_SetFloat(d, kEdit, -0.05f, 0, 1); }, "-0.1", 16},
    {"double sentinel prints without overflow",
     [](HWND d) { Field_SetDouble(d, kEdit, kFieldMissingDouble, 0, 2); }, nullptr, 16},
};

TEST_F(NumFieldTest, SettersShowTheValueAndLimitTheField)
{
    for (const SetCase& c : kSetCases) {
        SCOPED_TRACE(c.name);
        c.set(dlg());
        if (c.shown)
            EXPECT_EQ(Ts_ControlText(dlg(), kEdit), c.shown);
        else
            EXPECT_EQ(Ts_ControlText(dlg(), kEdit).substr(0, 5), "-1699");
        if (c.limit != kBytesLimited) {
            EXPECT_EQ(Limit(), c.limit);
        }
    }
}

enum class Kind { Float, Double, Long, Short };

struct GetCase {
    const char* name;
    Kind kind;
    const char* text;
    double minimum, maximum;
    int result;
    double value;            // stored on success
    const char* box;         // range message on failure
};

const GetCase kGetCases[] = {
    {"float with a comma", Kind::Float, "1,5", 0, 10, 0, 1.5, nullptr},
    {"double with a point and blanks", Kind::Double, " 2.25  ", 0, 10, 0, 2.25, nullptr},
    {"short at its maximum", Kind::Short, "20", 10, 20, 0, 20, nullptr},
    {"empty outside the range", Kind::Float, "", 1, 10, -1, 0, "1.00 ... 10.00 !"},
    {"comma is no decimal point for a long", Kind::Long, "1,5", 0, 10, -1, 0, "0 ... 10 !"},
    {"trailing garbage", Kind::Double, "12abc", 0, 100, -1, 0, "0.00 ... 100.00 !"},
    {"short above its range", Kind::Short, "21", 10, 20, -1, 0, "10 ... 20 !"},
    {"short beyond 16 bits", Kind::Short, "65546", -32768, 32767, -1, 0, "-32768 ... 32767 !"},
    {"long beyond 32 bits", Kind::Long, "4294967301", 0, 2147483647, -1, 0, "0 ... 2147483647 !"},
    {"float beyond its type", Kind::Float, "1e39", -3.4e38, 3.4e38, -1, 0, nullptr},
    {"only the first 29 characters count", Kind::Double, "1234567890123456789012345678901234567890", 0,
     1e40, 0, 12345678901234567890123456789.0, nullptr},
};

// Reads the field as the case's type with the message on; -1 stays in
// *out when nothing is stored.
template <typename T>
int GetAs(HWND d, int (*get)(HWND, int, T*, T, T, short), const GetCase& c, double* out)
{
    T value = T(-1);
    const int result = get(d, kEdit, &value, T(c.minimum), T(c.maximum), 1);
    *out = double(value);
    return result;
}

int Get(HWND d, const GetCase& c, double* out)
{
    switch (c.kind) {
    case Kind::Float: return GetAs(d, Field_GetFloat, c, out);
    case Kind::Double: return GetAs(d, Field_GetDouble, c, out);
    case Kind::Long: return GetAs(d, Field_GetLong, c, out);
    case Kind::Short: return GetAs(d, Field_GetShort, c, out);
    }
    return 99;
}

TEST_F(NumFieldTest, GettersReadTheWholeTextAndTellTheRange)
{
    for (const GetCase& c : kGetCases) {
        SCOPED_TRACE(c.name);
        Dlg_SetItemText(dlg(), kEdit, c.text);
        SetFocus(GetDlgItem(dlg(), kOther));
        TsBoxAnswerer answer(IDOK, kTitle);
        double value = -1;
        EXPECT_EQ(Get(dlg(), c, &value), c.result);
        if (c.result == 0) {
            EXPECT_DOUBLE_EQ(value, c.value);
            EXPECT_TRUE(answer.boxes().empty());
            continue;
        }
        EXPECT_EQ(value, -1) << "nothing is stored";
        ASSERT_EQ(answer.boxes().size(), 1u);
        if (c.box) {
            EXPECT_EQ(answer.boxes()[0].text, c.box);
        }
        EXPECT_EQ(GetFocus(), GetDlgItem(dlg(), kEdit)) << "the refused field gets the focus";
    }
}

TEST_F(NumFieldTest, TextsRoundTripAtTheirFullSize)
{
    const std::string full(99, 'x');
    char buffer[100];
    Field_SetText(dlg(), kEdit, full.c_str(), sizeof buffer - 1);
    Field_GetText(dlg(), kEdit, buffer, sizeof buffer);
    EXPECT_EQ(buffer, full);
    const std::string longText(700, 'y');
    Dlg_SetItemText(dlg(), kEdit, (longText + "   ").c_str());
    std::string large(1024, '#');
    Field_GetText(dlg(), kEdit, large.data(), int(large.size()));
    EXPECT_STREQ(large.c_str(), longText.c_str()) << "no cut below the buffer's size, no trailing blanks";
    EXPECT_EQ(large[1023], '\0');
}

struct DescCase {
    const char* name;
    char type;
    short width, decimals;
    const char* text;      // parsed, then formatted
    int parseResult;
    const char* formatted;
};

const DescCase kDescCases[] = {
    {"float with decimals", 'F', 0, 2, "1,5", 0, "1.50"},
    {"blank upper-case float is the sentinel", 'F', 0, 2, "", 0, ""},
    {"blank lower-case long is 0", 'l', 0, 0, " ", 0, "0"},
    {"byte out of its range", 'B', 0, 0, "300", -1, nullptr},
    {"double", 'd', 0, 3, "-2.5", 0, "-2.500"},
    {"date record", 'D', 0, 0, "7.3.2024", 0, "07.03.2024"},
    {"bad date", 'G', 0, 0, "March", -1, nullptr},
    {"text cut to its width", 's', 6, 0, "Insulation", 0, "Insul"},
    {"fixed text padded with blanks", 'S', 6, 0, "Ab", 0, "Ab    "},
    {"unknown letter", 'Q', 4, 0, "1", -1, nullptr},
};

TEST(FieldDescriptor, ParsesAndFormatsByTypeLetter)
{
    for (const DescCase& c : kDescCases) {
        SCOPED_TRACE(c.name);
        alignas(8) char value[16] = {};
        FieldDescriptor field;
        FieldDesc_Init(&field, -12, 0, 0, c.width, c.decimals, 0, 0, c.type, value, "Caption");
        EXPECT_EQ(field.id, 12);
        EXPECT_EQ(field.idWasNegative, 1);
        EXPECT_EQ(FieldDesc_Parse(&field, c.text), c.parseResult);
        if (!c.formatted)
            continue;
        char text[64];
        FieldDesc_Format(&field, text, sizeof text);
        EXPECT_STREQ(text, c.formatted);
    }
}

// A character field is one byte: its value may be the last readable byte.
TEST(FieldDescriptor, CharacterReadsOnlyItsOneByte)
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    const DWORD page = info.dwPageSize;
    auto* memory = static_cast<char*>(VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    DWORD previous;
    ASSERT_TRUE(VirtualProtect(memory + page, page, PAGE_NOACCESS, &previous));
    memory[page - 1] = 'x';
    FieldDescriptor field;
    FieldDesc_Init(&field, 1, 0, 0, 0, 0, 0, 0, 'c', memory + page - 1, "");
    char text[8];
    FieldDesc_Format(&field, text, sizeof text);
    EXPECT_STREQ(text, "x");
    VirtualFree(memory, 0, MEM_RELEASE);
}

}  // namespace
