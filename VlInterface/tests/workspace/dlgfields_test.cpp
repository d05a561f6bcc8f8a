// Typed dialog fields on live controls: blank fields for missing values and
// zero both ways, texts that come back whole, and lists filled from tables
// and product lists, selected and read back.
#include "VlInterface/tests/shell_fixture.h"
#include "VlInterface/workspace/dlgfields.h"
#include "VlInterface/workspace/productlist.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/shell.h"
#include "VlTechDatabase/vltechdb.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/app.h"
#include "support/dlgutil.h"
#include "support/lookups.h"
#include "testsupport/testsupport.h"
#include <cstddef>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

namespace {

constexpr const char* kTitle = "Dialog fields";   // the boxes' caption, not the test dialog's
constexpr int kEdit = 101, kCombo = 103, kList = 104;

class DlgFieldsTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        App().title = kTitle;
        Add("EDIT", kEdit, ES_AUTOHSCROLL);
        Add("COMBOBOX", kCombo, CBS_DROPDOWNLIST);
        Add("LISTBOX", kList, 0);
    }
    void Add(const char* className, int id, DWORD style)
    {
        CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 10, id - 95, 150, 80, dialog_->hwnd(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
    HWND dlg() const { return dialog_->hwnd(); }

    std::unique_ptr<TsDialog> dialog_ = std::make_unique<TsDialog>(nullptr);
};

struct ShowCase {
    const char* name;
    std::function<void(HWND)> show;
    const char* text;
};

const ShowCase kShowCases[] = {
    {"float sentinel", [](HWND d) { Field_SetFloatOrBlank(d, kEdit, -3.4e38f, 0, 1); }, ""},
    {"float near the sentinel", [](HWND d) { Field_SetFloatOrBlank(d, kEdit, -3.39e38f, 0, 0); }, nullptr},
    {"long sentinel", [](HWND d) { Field_SetLongOrBlank(d, kEdit, 134217728, 0); }, ""},
    {"most negative long", [](HWND d) { Field_SetLongOrBlank(d, kEdit, -2147483647L - 1, 0); }, "-2147483648"},
    {"short sentinel", [](HWND d) { Field_SetShortOrBlank(d, kEdit, -32768, 0); }, ""},
    {"float below 1e-9", [](HWND d) { Field_SetFloatNonZero(d, kEdit, 1e-10f, 0, 2); }, ""},
    {"float above 1e-9 rounds to 0", [](HWND d) { Field_SetFloatNonZero(d, kEdit, 2e-9f, 0, 2); }, "0.00"},
};

TEST_F(DlgFieldsTest, ShowsBlankForMissingOrZero)
{
    for (const ShowCase& c : kShowCases) {
        SCOPED_TRACE(c.name);
        Dlg_SetItemText(dlg(), kEdit, "old");
        c.show(dlg());
        if (c.text)
            EXPECT_EQ(Ts_ControlText(dlg(), kEdit), c.text);
        else
            EXPECT_EQ(Ts_ControlText(dlg(), kEdit).substr(0, 4), "-338");
    }
}

struct ReadCase {
    const char* name;
    const char* text;
    std::function<int(HWND, double*)> read;
    int result;
    double value;
    size_t boxes;
};

template <typename T>
std::function<int(HWND, double*)> Reader(int (*get)(HWND, int, T*, T, T, short), T minimum, T maximum)
{
    return [=](HWND d, double* out) {
        T value{};
        const int result = get(d, kEdit, &value, minimum, maximum, 1);
        *out = static_cast<double>(value);
        return result;
    };
}

const ReadCase kReadCases[] = {
    {"blank short is missing without a range test", "   ", Reader<short>(Field_GetShortOrMissing, 10, 20), 0,
     -32768, 0},
    {"blank float is missing", "", Reader<float>(Field_GetFloatOrMissing, 1, 2), 0, double(kMissingFloat), 0},
    {"blank long is missing", "", Reader<long>(Field_GetLongOrMissing, 1, 2), 0, 134217728, 0},
    {"comma in a float", "2,5", Reader<float>(Field_GetFloatOrMissing, 0, 10), 0, 2.5, 0},
    {"short out of range", "5", Reader<short>(Field_GetShortOrMissing, 10, 20), -1, 0, 1},
    {"garbage in a long", "7x", Reader<long>(Field_GetLongOrZero, 0, 10), -1, 0, 1},
};

TEST_F(DlgFieldsTest, ReadsBlankAsMissingOrZeroAndChecksTheRest)
{
    for (const ReadCase& c : kReadCases) {
        SCOPED_TRACE(c.name);
        Dlg_SetItemText(dlg(), kEdit, c.text);
        TsBoxAnswerer answer(IDOK, kTitle);
        double value = 0;
        EXPECT_EQ(c.read(dlg(), &value), c.result);
        if (c.result == 0) {
            EXPECT_EQ(value, c.value);
        }
        EXPECT_EQ(answer.boxes().size(), c.boxes);
    }
}

// A record's float through its field and back: shown with the field's
// decimals (more where they would show another number), and a text left as
// shown keeps the digits the field does not show.
TEST_F(DlgFieldsTest, RecordFloatsComeBackAsTheyWere)
{
    struct Case {
        const char* name;
        float value;
        short decimals, most;
        const char* shown;
        const char* typed;   // null: left as shown
        float read;
    };
    const Case cases[] = {
        {"pipe of 114.3", 114.3f, 1, 0, "114.3", nullptr, 114.3f},
        {"pipe of 60.3", 60.3f, 1, 0, "60.3", nullptr, 60.3f},
        {"more digits than shown", 114.34f, 1, 0, "114.3", nullptr, 114.34f},
        {"small flow", 0.0001f, 3, 7, "0.0001", nullptr, 0.0001f},
        {"flow of few digits", 2.5f, 3, 7, "2.500", nullptr, 2.5f},
        {"typed over", 114.34f, 1, 0, "114.3", "114", 114.0f},
        {"typed as shown", 114.34f, 1, 0, "114.3", "114.30", 114.3f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RecordFloatField field{kEdit, offsetof(CalcRecord, emissivity), c.decimals, -999999.0f, nullptr,
                                     c.most};
        CalcRecord record{};
        record.emissivity = c.value;
        RecordFloatFields_Show(dlg(), record, {&field, 1});
        EXPECT_EQ(Ts_ControlText(dlg(), kEdit), c.shown);
        if (c.typed)
            Dlg_SetItemText(dlg(), kEdit, c.typed);
        EXPECT_EQ(RecordFloatField_Read(dlg(), record, field, 1), 0);
        EXPECT_EQ(record.emissivity, c.read);
    }
}

// A refused text tells the limits its field is checked against, not the
// reader's own bounds; a field without limits tells the reader's range.
TEST_F(DlgFieldsTest, ARefusedTextTellsTheFieldsLimits)
{
    Lookup_SetHandles(VlDataTechDb_Handle(), VlOtherInsulationDataTechDb_Handle(), Shell().textHandle);
    struct Case {
        const char* text;
        const char* key;
        const char* message;
    };
    const Case cases[] = {
        {"abc", "HLOSSEMISSIVITY", "0.01 ... 1.00 !"},  {"-", "HLOSSEMISSIVITY", "0.01 ... 1.00 !"},
        {"nan", "HLOSSEMISSIVITY", "0.01 ... 1.00 !"},  {"1e308", "COOLINGVESSELCONTFINTEMP_C", nullptr},
        {"abc", nullptr, "-999999.00 ... 999999.00 !"},
    };
    float minimum = 0, maximum = 0;
    ASSERT_EQ(InputLimits_Get("COOLINGVESSELCONTFINTEMP_C", &minimum, &maximum), 0);
    char finalTemperature[64];
    snprintf(finalTemperature, sizeof finalTemperature, "%0.2f ... %0.2f !", minimum, maximum);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const RecordFloatField field{kEdit, offsetof(CalcRecord, emissivity), 2, -999999.0f, c.key};
        CalcRecord record{};
        record.emissivity = 0.5f;
        Dlg_SetItemText(dlg(), kEdit, c.text);
        TsBoxAnswerer answer(IDOK, kTitle);
        EXPECT_EQ(RecordFloatField_Read(dlg(), record, field, 1), -1);
        EXPECT_EQ(record.emissivity, 0.5f);
        ASSERT_EQ(answer.boxes().size(), 1u);
        EXPECT_EQ(answer.boxes()[0].text, c.message ? c.message : finalTemperature);
    }
}

TEST_F(DlgFieldsTest, BlanknessOfMissingWindowsAndControls)
{
    EXPECT_EQ(Field_IsBlank(nullptr, kEdit), 1);
    EXPECT_EQ(Field_IsBlank(dlg(), 999), 0);
    Dlg_SetItemText(dlg(), kEdit, (std::string(45, ' ') + "x").c_str());
    EXPECT_EQ(Field_IsBlank(dlg(), kEdit), 1) << "only the first 39 characters are looked at";
}

TEST_F(DlgFieldsTest, ATextAtItsLimitComesBackWhole)
{
    const std::string information(1023, 'i');
    Field_SetTextLimited(dlg(), kEdit, information.c_str(), 1023);
    char buffer[1024];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(Field_GetTextPadded(dlg(), kEdit, buffer, sizeof buffer), 1023);
    EXPECT_EQ(std::string(buffer), information);
    char untouched[4] = "abc";
    EXPECT_EQ(Field_GetTextPadded(dlg(), 999, untouched, sizeof untouched), 0);
    EXPECT_STREQ(untouched, "abc");
}

TEST_F(DlgFieldsTest, ListsFilledSelectedAndRead)
{
    const DialogTextTable table[] = {{1, 20035, nullptr}, {2, 20034, nullptr}, {3, 0, "ABCDEFGHIJ"}, {0, 0, nullptr}};
    EXPECT_EQ(Combo_FillFromTable(dlg(), kCombo, table), 3);
    EXPECT_EQ(ListBox_FillFromTable(dlg(), kList, table), 3);
    int32_t datum = -1;
    EXPECT_EQ(ListBox_GetSelection(dlg(), kList, &datum), -1) << "a list box without selection";
    EXPECT_EQ(datum, 0);

    EXPECT_EQ(Combo_Select(dlg(), kCombo, nullptr, -1, 2), 1);
    EXPECT_EQ(Combo_Select(dlg(), kCombo, nullptr, -1, 7), -1);
    EXPECT_EQ(Ts_ComboSelection(dlg(), kCombo), 1) << "an unknown datum leaves the selection";
    EXPECT_EQ(Combo_Select(dlg(), kCombo, "ABC", 0, 0), 2) << "a text selects by prefix";

    EXPECT_EQ(Combo_GetSelection(dlg(), kCombo, &datum), 2);
    EXPECT_EQ(Ts_ComboSelectedText(dlg(), kCombo), "ABCDEFGHIJ");
    EXPECT_EQ(datum, 3);
    EXPECT_EQ(ListBox_Select(dlg(), kList, nullptr, 0, 0), 0);
    EXPECT_EQ(ListBox_GetSelection(dlg(), kList, &datum), 0);
    EXPECT_EQ(datum, 1) << "text 20035's row";
}

// A product list ends at its empty entry; shown again it is not refilled
// but loses its selection as a refilled list does, and another list replaces it.
TEST_F(DlgFieldsTest, ComboShowsAProductList)
{
    ProductListEntry list[kProductListSize] = {};
    list[0] = {0, 0, "No product", "-789", "UI"};
    list[1] = {1, 20017, "", "-987", ""};
    list[2] = {2, 40037, "extra", "-456", ""};
    list[4] = {4, 0, "after the end", "X", "IM"};
    EXPECT_EQ(Combo_ShowProductList(dlg(), kCombo, list), 4);
    int32_t datum = -1;
    Combo_Select(dlg(), kCombo, nullptr, 3, 0);
    Combo_GetSelection(dlg(), kCombo, &datum);
    EXPECT_EQ(datum, 2) << "an entry with a text id and a name adds both";

    EXPECT_EQ(Combo_ShowProductList(dlg(), kCombo, list), 4);
    EXPECT_EQ(SendDlgItemMessageA(dlg(), kCombo, CB_GETCURSEL, 0, 0), CB_ERR);
    std::strcpy(list[2].name, "other");
    EXPECT_EQ(Combo_ShowProductList(dlg(), kCombo, list), 4);
    Combo_Select(dlg(), kCombo, nullptr, 3, 0);
    EXPECT_EQ(Ts_ComboSelectedText(dlg(), kCombo), "other");
    EXPECT_EQ(SendDlgItemMessageA(dlg(), kCombo, CB_GETCOUNT, 0, 0), 4);
}

}  // namespace
