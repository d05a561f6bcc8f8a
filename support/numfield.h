// Number and text edit fields of dialogs: setters that format a value with a
// width and limit the field's length, getters that read the whole text (a
// comma counts as decimal point for reals), test the range and tell the user
// the allowed range. Also the typed field descriptor, which describes one
// field by a type letter.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>

// Missing-value sentinels of the number types; an upper-case descriptor
// letter shows them as an empty text.
constexpr uint8_t kFieldMissingByte = 0x80;
constexpr int16_t kFieldMissingShort = -32768;
constexpr long kFieldMissingLong = 134217728;
constexpr float kFieldMissingFloat = -3.4e38f;
constexpr double kFieldMissingDouble = -1.7e308;

// Decimals that show a dimension in mm as it is: one when it has a tenth,
// none when it is whole (114.3 stays 114.3, 60 stays 60).
short Field_DimensionDecimals(float mm);

// The value printed "%*.*f" with the width and decimals; a value that
// prints as zero shows no minus ("-0" is "0.0" with one decimal).
std::string Field_FormatReal(double value, short width, short decimals);

// Setters: the value printed with the width (and decimals), then the field's
// length limited to 16 (float, double), 9 (long) or 4 (short) characters.
void Field_SetFloat(HWND dialog, int id, float value, short width, short decimals);
void Field_SetDouble(HWND dialog, int id, double value, short width, short decimals);
void Field_SetLong(HWND dialog, int id, long value, short width);
void Field_SetShort(HWND dialog, int id, short value, short width);
// At most limit bytes of text without trailing blanks (never half a
// character); the field takes at most limit bytes.
void Field_SetText(HWND dialog, int id, const char* text, short limit);

// Getters: read at most 29 characters without trailing blanks; an empty text
// reads as 0. The whole text must be one number of the type. A value within
// minimum..maximum (ends included) is stored and 0 returned. Otherwise nothing
// is stored and -1 returned; when show is nonzero the user hears a beep, sees
// the allowed range in a box owned by the dialog and finds the focus on the
// field.
int Field_GetFloat(HWND dialog, int id, float* value, float minimum, float maximum, short show);
int Field_GetDouble(HWND dialog, int id, double* value, double minimum, double maximum, short show);
int Field_GetLong(HWND dialog, int id, long* value, long minimum, long maximum, short show);
int Field_GetShort(HWND dialog, int id, short* value, short minimum, short maximum, short show);
// What the float getter does for a refused value when show is nonzero: the
// beep, the range minimum..maximum in a box owned by the dialog, the focus
// on the field. For a caller whose field tells a range other than its own.
void Field_RefuseFloatRange(HWND dialog, int id, float minimum, float maximum);

// Copies the field's text without trailing blanks, at most size - 1 bytes
// (never half a character), into buffer, zero-filled to size. The same limit
// as the field's own, so a text shown and read back is never cut.
void Field_GetText(HWND dialog, int id, char* buffer, int size);

#pragma pack(push, 1)
// One field described by a type letter (B/b byte, c character, I/i short,
// L/l long, F/f float, O/d double, D date record, G packed date, w 4 bytes,
// W 6 bytes, M/m/S/s/z text of `width` bytes).
struct FieldDescriptor {
    int16_t id;             // the id's absolute value
    int16_t value1;
    int16_t value2;
    int16_t width;          // also the element size of the text letters
    int16_t decimals;
    int32_t long1;
    int32_t long2;
    char type;
    void* value;
    char caption[32];
    uint8_t idWasNegative;
};
#pragma pack(pop)

// Clears the descriptor and fills it; at most 31 bytes of caption are kept.
void FieldDesc_Init(FieldDescriptor* field, short id, short value1, short value2, short width,
                    short decimals, long long1, long long2, char type, void* value, const char* caption);

// Bytes of one value of the descriptor's type; 0 for an unknown letter.
int FieldDesc_Size(const FieldDescriptor* field);

// True for the number letters B, b, I, i, L, l, F, f, O, d.
bool FieldDesc_IsNumeric(const FieldDescriptor* field);

// The value as a double for the number letters, 0 for the others.
double FieldDesc_Value(const FieldDescriptor* field);

// Writes the value as text into text (size bytes, always terminated).
void FieldDesc_Format(const FieldDescriptor* field, char* text, int size);

// Reads text into the value. Numbers must be whole and fit their type (a
// comma counts as decimal point; an empty text gives the sentinel for an
// upper-case letter, else 0); dates must parse; texts are cut to the width.
// Returns 0, or -1 when nothing was stored.
int FieldDesc_Parse(const FieldDescriptor* field, const char* text);
