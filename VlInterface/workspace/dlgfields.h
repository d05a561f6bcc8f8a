// Typed dialog fields of the calculation pages and shell dialogs, on top of
// the number fields of support/numfield.h: an empty edit field stands for a
// missing value (the sentinel of its type) or for zero; byte flags shown as
// check boxes and radio buttons; list boxes and combo boxes whose items carry
// a 32-bit datum, filled from text tables or product lists.
#pragma once
#include <windows.h>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include "support/numfield.h"

struct CalcRecord;
struct DialogTextTable;
struct ProductListEntry;

// Missing values: the same as the project database's (AttMissing_*).
constexpr float kMissingFloat = kFieldMissingFloat;
constexpr double kMissingDouble = kFieldMissingDouble;
constexpr long kMissingLong = kFieldMissingLong;
constexpr short kMissingShort = kFieldMissingShort;

// Setters: an empty field for the sentinel (OrBlank) or for zero (NonZero:
// |value| <= 1e-9 for reals), else the value printed by the Field_Set* of
// its type with the width (and decimals).
void Field_SetFloatOrBlank(HWND dialog, int id, float value, short width, short decimals);
void Field_SetDoubleOrBlank(HWND dialog, int id, double value, short width, short decimals);
void Field_SetLongOrBlank(HWND dialog, int id, long value, short width);
void Field_SetShortOrBlank(HWND dialog, int id, short value, short width);
void Field_SetFloatNonZero(HWND dialog, int id, float value, short width, short decimals);
void Field_SetDoubleNonZero(HWND dialog, int id, double value, short width, short decimals);
void Field_SetLongNonZero(HWND dialog, int id, long value, short width);
void Field_SetShortNonZero(HWND dialog, int id, short value, short width);

// Getters: a blank field stores the sentinel (OrMissing) or 0 (OrZero) when
// value is given and returns 0 without a range test; any other text goes to
// the Field_Get* of its type (0 accepted, -1 refused with the range message
// when show is nonzero).
int Field_GetFloatOrMissing(HWND dialog, int id, float* value, float minimum, float maximum, short show);
int Field_GetDoubleOrMissing(HWND dialog, int id, double* value, double minimum, double maximum, short show);
int Field_GetLongOrMissing(HWND dialog, int id, long* value, long minimum, long maximum, short show);
int Field_GetShortOrMissing(HWND dialog, int id, short* value, short minimum, short maximum, short show);
int Field_GetFloatOrZero(HWND dialog, int id, float* value, float minimum, float maximum, short show);
int Field_GetDoubleOrZero(HWND dialog, int id, double* value, double minimum, double maximum, short show);
int Field_GetLongOrZero(HWND dialog, int id, long* value, long minimum, long maximum, short show);
int Field_GetShortOrZero(HWND dialog, int id, short* value, short minimum, short maximum, short show);

// The largest value a record field reads.
constexpr float kRecordFieldMaximum = 999999.0f;

// A float of the calculation record in a page's edit field: shown with
// `decimals`, or with more, up to maxDecimals, where fewer would show the
// value as another number; read within minimum..999999 and within the
// input limits that limitKey names (null: none), which a refused text tells.
struct RecordFloatField {
    int id;
    size_t offset;   // of the float in the record
    short decimals;
    float minimum;
    const char* limitKey = nullptr;
    short maxDecimals = 0;   // 0: as decimals
};

// What a refused number tells: the limits limitKey names, when it names
// some (a getter's own range is far wider than any value the field takes),
// else minimum..maximum; the focus goes to the field.
void Field_RefuseWithLimits(HWND dialog, int id, const char* limitKey, float minimum, float maximum);

// The text a field shows for value.
std::string RecordFloatField_Text(const RecordFloatField& field, float value);
// Shows every field of the table.
void RecordFloatFields_Show(HWND dialog, CalcRecord& record, std::span<const RecordFloatField> fields);
// Reads one field back. A text that is still what the value shows as leaves
// the value as it is, so digits the field does not show are kept; any other
// text must be a number within the field's range and within the limits
// limitKey names. A refused text keeps the value and, with show, tells the
// range (limitKey's limits when it has some) and puts the value back in the
// field, selected and focused: 0 taken, -1 refused.
int RecordFloatField_Read(HWND dialog, CalcRecord& record, const RecordFloatField& field, short show);
// Reads every field of the table; the id of the last refused field, or 0.
int RecordFloatFields_Read(HWND dialog, CalcRecord& record, std::span<const RecordFloatField> fields, short show);

// 1 when the field's text (its first 39 characters) is empty or blanks, or
// the dialog is missing; 0 otherwise and for a control that does not exist.
int Field_IsBlank(HWND dialog, int id);

// Sets the text and limits the field to limit bytes of UTF-8, when the
// control exists.
void Field_SetTextLimited(HWND dialog, int id, const char* text, int limit);

// Reads the text without trailing blanks, at most size - 1 bytes, into
// buffer zero-filled to size; the length read. A missing control gives 0 and
// leaves the buffer alone. Shown with limit size - 1, a text comes back whole.
int Field_GetTextPadded(HWND dialog, int id, char* buffer, int size);

// Check boxes and radio buttons as byte flags (0 clear, 1 set, 2 grey).
void Check_Set(HWND dialog, int id, int8_t flag);
void Check_SetByte(HWND dialog, int id, uint8_t flag);
int Check_Get(HWND dialog, int id, int8_t* flag);    // 0; a null flag stores nothing
int Check_GetByte(HWND dialog, int id, uint8_t* flag);

// Lists. AddItem: index of the new item, -1 when refused. FillFrom*: items
// added (a row adds its text id's text and then its literal; a product-list
// entry its text id's text and then its name). Select: by text prefix when
// text is given, else by index when index >= 0, else the first item with the
// datum; the new selection, or -1 (selection unchanged) when nothing matched.
// GetSelection: the selected index or -1, its datum into *datum (0 when
// none); what the datum stands for is read from the list the items were
// filled from, never from the item's text.
int ListBox_AddItem(HWND dialog, int id, const char* text, int32_t datum);
int Combo_AddItem(HWND dialog, int id, const char* text, int32_t datum);
int ListBox_FillFromTable(HWND dialog, int id, const DialogTextTable* table);
int Combo_FillFromTable(HWND dialog, int id, const DialogTextTable* table);
int ListBox_Select(HWND dialog, int id, const char* text, int index, int32_t datum);
int Combo_Select(HWND dialog, int id, const char* text, int index, int32_t datum);
int ListBox_GetSelection(HWND dialog, int id, int32_t* datum);
int Combo_GetSelection(HWND dialog, int id, int32_t* datum);

// Makes the combo box hold exactly the items of a product list, without a
// selection; a list that holds them already is not filled again (pages shown
// again keep their lists). The number of items.
int Combo_ShowProductList(HWND dialog, int id, const ProductListEntry* list);
