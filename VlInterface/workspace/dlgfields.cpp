// Typed dialog fields: blank edit fields as missing values or zero, byte
// flags on buttons, and list boxes and combo boxes with item data. List boxes
// and combo boxes share one implementation through a table of their messages.
#include "VlInterface/workspace/dlgfields.h"
#include "VlInterface/workspace/productlist.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/shell.h"
#include "Kadmi/kadmi.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/dlgutil.h"
#include "support/lookups.h"
#include "support/strings.h"
#include "support/utf8.h"
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

static_assert(kMissingFloat == AttMissing_Float && kMissingDouble == AttMissing_Double &&
              kMissingLong == AttMissing_Long && kMissingShort == AttMissing_Int);

namespace {

constexpr int kBlankReadChars = 39;
constexpr int kNumberReadChars = 29;   // as the number getters read

// --- number fields ---------------------------------------------------------

template <typename T, typename Getter>
int GetOrBlank(HWND dialog, int id, T* value, T blank, T minimum, T maximum, short show, Getter get)
{
    if (Field_IsBlank(dialog, id)) {
        if (value)
            *value = blank;
        return 0;
    }
    return get(dialog, id, value, minimum, maximum, show);
}

// --- record fields -----------------------------------------------------------

float& RecordFloat(CalcRecord& record, const RecordFloatField& field)
{
    return *reinterpret_cast<float*>(reinterpret_cast<char*>(&record) + field.offset);
}

std::string FormatFloat(float value, int decimals)
{
    return Field_FormatReal(value, 0, static_cast<short>(decimals));
}

std::string FieldText(HWND dialog, int id)
{
    char text[kNumberReadChars + 1] = {};
    Dlg_GetItemText(dialog, id, text, sizeof text);
    Str_TrimRight(text);
    return text;
}

// The field's decimals, or the fewest more that show the value as itself.
short ShownDecimals(const RecordFloatField& field, float value)
{
    short most = field.maxDecimals > field.decimals ? field.maxDecimals : field.decimals;
    for (short decimals = field.decimals; decimals < most; ++decimals) {
        if (std::strtof(FormatFloat(value, decimals).c_str(), nullptr) == value)
            return decimals;
    }
    return most;
}

// --- lists -------------------------------------------------------------------

// The messages in which list boxes and combo boxes differ.
struct ListMessages {
    UINT add, setData, getData, selectString, setSel, getSel, getCount;
    bool isCombo;
};

constexpr ListMessages kListBox{LB_ADDSTRING, LB_SETITEMDATA, LB_GETITEMDATA, LB_SELECTSTRING, LB_SETCURSEL,
                                LB_GETCURSEL, LB_GETCOUNT, false};
constexpr ListMessages kCombo{CB_ADDSTRING, CB_SETITEMDATA, CB_GETITEMDATA, CB_SELECTSTRING, CB_SETCURSEL,
                              CB_GETCURSEL, CB_GETCOUNT, true};

LRESULT Send(HWND dialog, int id, UINT message, WPARAM w = 0, LPARAM l = 0)
{
    return SendDlgItemMessageW(dialog, id, message, w, l);
}

// Adds items to one list. A drop-down list opens at least as wide as its
// longest item, so that no item is cut where the closed list is narrower:
// the new texts are measured together, and the list is widened once when the
// filler goes.
class ListFiller {
public:
    ListFiller(const ListMessages& m, HWND dialog, int id) : m_(m), list_(GetDlgItem(dialog, id)) {}
    ~ListFiller()
    {
        if (texts_.empty())
            return;
        const LRESULT needed =
            Dlg_WidestTextWidth(list_, texts_) + GetSystemMetrics(SM_CXVSCROLL) + 4 * GetSystemMetrics(SM_CXEDGE);
        if (needed > SendMessageW(list_, CB_GETDROPPEDWIDTH, 0, 0))
            SendMessageW(list_, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(needed), 0);
    }
    ListFiller(const ListFiller&) = delete;
    ListFiller& operator=(const ListFiller&) = delete;

    int Add(const char* text, int32_t datum)
    {
        const LRESULT index = Wnd_SendText(list_, m_.add, 0, text);
        if (index < 0)
            return -1;
        if (m_.isCombo && text)
            texts_.emplace_back(text);
        SendMessageW(list_, m_.setData, static_cast<WPARAM>(index), static_cast<LPARAM>(datum));
        return static_cast<int>(index);
    }

    // Adds the text of textId (when not 0) and then literal (when given and
    // not empty, or not null for the tables); the number of items added.
    int AddTexts(int32_t textId, const char* literal, int32_t datum)
    {
        int added = 0;
        if (textId != 0 && Add(Shell_Text(static_cast<uint16_t>(textId)), datum) >= 0)
            ++added;
        if (literal && Add(literal, datum) >= 0)
            ++added;
        return added;
    }

private:
    const ListMessages& m_;
    HWND list_;
    std::vector<std::string> texts_;
};

struct ListItem {
    std::string text;
    int32_t datum;
};

// A product-list entry gives its text id's text and then its name.
std::vector<ListItem> ProductListItems(const ProductListEntry* list)
{
    std::vector<ListItem> items;
    for (int i = 0; list && i < kProductListSize && !ProductList_IsEnd(list[i]); ++i) {
        if (list[i].textId != 0) {
            const char* text = Shell_Text(static_cast<uint16_t>(list[i].textId));
            items.push_back({text ? text : "", list[i].number});
        }
        if (list[i].name[0])
            items.push_back({list[i].name, list[i].number});
    }
    return items;
}

// The combo box holds exactly items, texts and data, in their order.
bool ComboHolds(HWND combo, const std::vector<ListItem>& items)
{
    if (SendMessageW(combo, CB_GETCOUNT, 0, 0) != static_cast<LRESULT>(items.size()))
        return false;
    for (size_t i = 0; i < items.size(); ++i) {
        const WPARAM index = static_cast<WPARAM>(i);
        if (static_cast<int32_t>(SendMessageW(combo, CB_GETITEMDATA, index, 0)) != items[i].datum ||
            Wnd_ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, index) != items[i].text)
            return false;
    }
    return true;
}

int FillFromTable(const ListMessages& m, HWND dialog, int id, const DialogTextTable* table)
{
    ListFiller filler(m, dialog, id);
    int added = 0;
    for (const DialogTextTable* row = table; row && (row->controlId || row->textId || row->literal); ++row)
        added += filler.AddTexts(row->textId, row->literal, row->controlId);
    return added;
}

int Select(const ListMessages& m, HWND dialog, int id, const char* text, int index, int32_t datum)
{
    if (text)
        return static_cast<int>(Wnd_SendText(GetDlgItem(dialog, id), m.selectString, static_cast<WPARAM>(-1), text));
    if (index >= 0)
        return static_cast<int>(Send(dialog, id, m.setSel, static_cast<WPARAM>(index)));
    const LRESULT count = Send(dialog, id, m.getCount);
    for (LRESULT i = 0; i < count; ++i)
        if (static_cast<int32_t>(Send(dialog, id, m.getData, static_cast<WPARAM>(i))) == datum)
            return static_cast<int>(Send(dialog, id, m.setSel, static_cast<WPARAM>(i)));
    return -1;
}

int GetSelection(const ListMessages& m, HWND dialog, int id, int32_t* datum)
{
    if (datum)
        *datum = 0;
    const int selection = static_cast<int>(Send(dialog, id, m.getSel));
    if (selection < 0)
        return -1;
    if (datum)
        *datum = static_cast<int32_t>(Send(dialog, id, m.getData, static_cast<WPARAM>(selection)));
    return selection;
}

}  // namespace

// --- number setters ------------------------------------------------------------

void Field_SetFloatOrBlank(HWND dialog, int id, float value, short width, short decimals)
{
    if (value == kMissingFloat)
        Dlg_SetItemText(dialog, id, "");
    else
        Field_SetFloat(dialog, id, value, width, decimals);
}

void Field_SetDoubleOrBlank(HWND dialog, int id, double value, short width, short decimals)
{
    if (value == kMissingDouble)
        Dlg_SetItemText(dialog, id, "");
    else
        Field_SetDouble(dialog, id, value, width, decimals);
}

void Field_SetLongOrBlank(HWND dialog, int id, long value, short width)
{
    if (value == kMissingLong)
        Dlg_SetItemText(dialog, id, "");
    else
        Field_SetLong(dialog, id, value, width);
}

void Field_SetShortOrBlank(HWND dialog, int id, short value, short width)
{
    if (value == kMissingShort)
        Dlg_SetItemText(dialog, id, "");
    else
        Field_SetShort(dialog, id, value, width);
}

void Field_SetFloatNonZero(HWND dialog, int id, float value, short width, short decimals)
{
    if (std::fabs(static_cast<double>(value)) <= 1e-9)
        Dlg_SetItemText(dialog, id, "");
    else
        Field_SetFloat(dialog, id, value, width, decimals);
}

void Field_SetDoubleNonZero(HWND dialog, int id, double value, short width, short decimals)
{
    if (std::fabs(value) <= 1e-9)
        Dlg_SetItemText(dialog, id, "");
    else
        Field_SetDouble(dialog, id, value, width, decimals);
}

void Field_SetLongNonZero(HWND dialog, int id, long value, short width)
{
    if (value == 0)
        Dlg_SetItemText(dialog, id, "");
    else
        Field_SetLong(dialog, id, value, width);
}

void Field_SetShortNonZero(HWND dialog, int id, short value, short width)
{
    if (value == 0)
        Dlg_SetItemText(dialog, id, "");
    else
        Field_SetShort(dialog, id, value, width);
}

// --- number getters ------------------------------------------------------------

int Field_GetFloatOrMissing(HWND dialog, int id, float* value, float minimum, float maximum, short show)
{
    return GetOrBlank(dialog, id, value, kMissingFloat, minimum, maximum, show, Field_GetFloat);
}

int Field_GetDoubleOrMissing(HWND dialog, int id, double* value, double minimum, double maximum, short show)
{
    return GetOrBlank(dialog, id, value, kMissingDouble, minimum, maximum, show, Field_GetDouble);
}

int Field_GetLongOrMissing(HWND dialog, int id, long* value, long minimum, long maximum, short show)
{
    return GetOrBlank(dialog, id, value, kMissingLong, minimum, maximum, show, Field_GetLong);
}

int Field_GetShortOrMissing(HWND dialog, int id, short* value, short minimum, short maximum, short show)
{
    return GetOrBlank(dialog, id, value, kMissingShort, minimum, maximum, show, Field_GetShort);
}

int Field_GetFloatOrZero(HWND dialog, int id, float* value, float minimum, float maximum, short show)
{
    return GetOrBlank(dialog, id, value, 0.0f, minimum, maximum, show, Field_GetFloat);
}

int Field_GetDoubleOrZero(HWND dialog, int id, double* value, double minimum, double maximum, short show)
{
    return GetOrBlank(dialog, id, value, 0.0, minimum, maximum, show, Field_GetDouble);
}

int Field_GetLongOrZero(HWND dialog, int id, long* value, long minimum, long maximum, short show)
{
    return GetOrBlank(dialog, id, value, 0L, minimum, maximum, show, Field_GetLong);
}

int Field_GetShortOrZero(HWND dialog, int id, short* value, short minimum, short maximum, short show)
{
    return GetOrBlank(dialog, id, value, short{0}, minimum, maximum, show, Field_GetShort);
}

int Field_IsBlank(HWND dialog, int id)
{
    if (!dialog || !IsWindow(dialog))
        return 1;
    if (!GetDlgItem(dialog, id))
        return 0;
    char text[kBlankReadChars + 1] = {};
    Dlg_GetItemText(dialog, id, text, sizeof text);
    return Str_TrimmedLength(text, kBlankReadChars) == 0 ? 1 : 0;

}

// --- record fields ---------------------------------------------------------------

void Field_RefuseWithLimits(HWND dialog, int id, const char* limitKey, float minimum, float maximum)
{
    float low = 0, high = 0;
    if (limitKey && InputLimits_Get(limitKey, &low, &high) == 0 && low < high)
        Field_RefuseFloatRange(dialog, id, low, high);
    else
        Field_RefuseFloatRange(dialog, id, minimum, maximum);
}

std::string RecordFloatField_Text(const RecordFloatField& field, float value)
{
    return FormatFloat(value, ShownDecimals(field, value));
}

void RecordFloatFields_Show(HWND dialog, CalcRecord& record, std::span<const RecordFloatField> fields)
{
    for (const RecordFloatField& field : fields) {
        float value = RecordFloat(record, field);
        // A field already showing the value keeps its text and its selection.
        if (FieldText(dialog, field.id) != RecordFloatField_Text(field, value))
            Field_SetFloat(dialog, field.id, value, 0, ShownDecimals(field, value));
    }
}

namespace {

// A typed value within the input limits its key names (when it names some).
bool WithinLimits(const RecordFloatField& field, float value)
{
    return !field.limitKey || InputLimits_Check(nullptr, value, field.limitKey, 0) == 0;
}

} // namespace

int RecordFloatField_Read(HWND dialog, CalcRecord& record, const RecordFloatField& field, short show)
{
    float& value = RecordFloat(record, field);
    bool inRange = value >= field.minimum && value <= kRecordFieldMaximum;
    if (inRange && FieldText(dialog, field.id) == RecordFloatField_Text(field, value))
        return 0;
    float typed = value;
    if (Field_GetFloat(dialog, field.id, &typed, field.minimum, kRecordFieldMaximum, 0) == 0 &&
        WithinLimits(field, typed)) {
        value = typed;
        return 0;
    }
    if (!show)
        return -1;
    Field_RefuseWithLimits(dialog, field.id, field.limitKey, field.minimum, kRecordFieldMaximum);
    // The refused text goes: the field shows the value it last accepted,
    // selected, so that nothing on the page stands for the refused one.
    if (inRange) {
        RecordFloatFields_Show(dialog, record, {&field, 1});
        SendDlgItemMessageW(dialog, field.id, EM_SETSEL, 0, -1);
    }
    return -1;
}

int RecordFloatFields_Read(HWND dialog, CalcRecord& record, std::span<const RecordFloatField> fields, short show)
{
    int refused = 0;
    for (const RecordFloatField& field : fields) {
        if (RecordFloatField_Read(dialog, record, field, show) != 0)
            refused = field.id;
    }
    return refused;
}

// --- texts -------------------------------------------------------------------

void Field_SetTextLimited(HWND dialog, int id, const char* text, int limit)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control)
        return;
    // A field already showing the text keeps it and its selection.
    if (Wnd_GetText(control) != (text ? text : ""))
        Wnd_SetText(control, text);
    Edit_LimitBytes(control, limit);
}

int Field_GetTextPadded(HWND dialog, int id, char* buffer, int size)
{
    if (!GetDlgItem(dialog, id) || !buffer || size < 1)
        return 0;
    Field_GetText(dialog, id, buffer, size);
    return static_cast<int>(std::strlen(buffer));
}

// --- buttons -------------------------------------------------------------------

// Checking a radio button walks its whole group under Wine, even when it is
// checked already: the walk would change nothing then.
void Check_Set(HWND dialog, int id, int8_t flag)
{
    if (flag == BST_CHECKED && IsDlgButtonChecked(dialog, id) == BST_CHECKED)
        return;
    CheckDlgButton(dialog, id, static_cast<UINT>(static_cast<int>(flag)));
}

void Check_SetByte(HWND dialog, int id, uint8_t flag)
{
    Check_Set(dialog, id, static_cast<int8_t>(flag));
}

int Check_Get(HWND dialog, int id, int8_t* flag)
{
    if (flag)
        *flag = static_cast<int8_t>(IsDlgButtonChecked(dialog, id));
    return 0;
}

int Check_GetByte(HWND dialog, int id, uint8_t* flag)
{
    if (flag)
        *flag = static_cast<uint8_t>(IsDlgButtonChecked(dialog, id));
    return 0;
}

// --- lists -------------------------------------------------------------------

int ListBox_AddItem(HWND dialog, int id, const char* text, int32_t datum)
{
    return ListFiller(kListBox, dialog, id).Add(text, datum);
}

int Combo_AddItem(HWND dialog, int id, const char* text, int32_t datum)
{
    return ListFiller(kCombo, dialog, id).Add(text, datum);
}

int ListBox_FillFromTable(HWND dialog, int id, const DialogTextTable* table)
{
    return FillFromTable(kListBox, dialog, id, table);
}

int Combo_FillFromTable(HWND dialog, int id, const DialogTextTable* table)
{
    return FillFromTable(kCombo, dialog, id, table);
}

int Combo_ShowProductList(HWND dialog, int id, const ProductListEntry* list)
{
    const std::vector<ListItem> items = ProductListItems(list);
    HWND combo = GetDlgItem(dialog, id);
    if (ComboHolds(combo, items)) {
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);   // as a refilled list
        return static_cast<int>(items.size());
    }
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    ListFiller filler(kCombo, dialog, id);
    int added = 0;
    for (const ListItem& item : items)
        added += filler.Add(item.text.c_str(), item.datum) >= 0;
    return added;
}

int ListBox_Select(HWND dialog, int id, const char* text, int index, int32_t datum)
{
    return Select(kListBox, dialog, id, text, index, datum);
}

int Combo_Select(HWND dialog, int id, const char* text, int index, int32_t datum)
{
    return Select(kCombo, dialog, id, text, index, datum);
}

int ListBox_GetSelection(HWND dialog, int id, int32_t* datum)
{
    return GetSelection(kListBox, dialog, id, datum);
}

int Combo_GetSelection(HWND dialog, int id, int32_t* datum)
{
    return GetSelection(kCombo, dialog, id, datum);
}
