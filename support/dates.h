// Dates: today's date, the Windows short-date form, the fixed form DD.MM.YYYY
// and its parser, and packed dates (4 bytes, year big-endian) as records keep
// them.
#pragma once
#include <windows.h>
#include "support/app.h"
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct DateRecord {
    uint8_t day;
    uint8_t month;
    int16_t year;
};

struct PackedDate {
    uint8_t yearHigh;
    uint8_t yearLow;
    uint8_t month;
    uint8_t day;
};
#pragma pack(pop)
static_assert(sizeof(DateRecord) == 4 && offsetof(DateRecord, year) == 2);
static_assert(sizeof(PackedDate) == 4 && offsetof(PackedDate, day) == 3);

// Bytes a text buffer of Date_Format and Date_FormatPacked must hold.
constexpr size_t kDateTextSize = 11;

// Fills the record with today's local date.
void Date_Today(DateRecord* date);

// Writes today's date in the Windows short-date form (Date_FormatLocal) into
// buffer, which holds kLocalDateSize bytes.
void Date_TodayLocal(char* buffer);

// Orders two dates: the year difference, else the month difference, else the
// day difference.
int Date_Compare(const DateRecord* a, const DateRecord* b);

// The date in the short-date pattern of the Windows profile ("Intl",
// "sShortDate", default "d/m/y"). Runs of d/D and m/M write day and month
// (zero-padded to the run's length when it is longer than 1); a run of y/Y
// writes the year, two-digit years widened (below 51 to 20xx, else 19xx) and
// the century dropped for a run shorter than 3. The text is the module's own
// 80-byte buffer, valid until the next call; what would not fit is cut.
const char* Date_FormatLocal(unsigned year, unsigned month, unsigned day);

// Writes DD.MM.YYYY into text (kDateTextSize bytes), or "" when day, month and
// year are all 0. Fields out of their range are cut to fit.
void Date_Format(const DateRecord* date, char* text);

// Reads "D.M.Y": a day of one or two digits and ".", a month of one or two
// digits and ".", then a year. No range test. Returns 0, or -1 when the text
// has not that shape (the record is then unchanged).
int Date_Parse(const char* text, DateRecord* date);

// Packed dates.
void Date_Pack(PackedDate* packed, int day, int month, int year);
void Date_Unpack(const PackedDate* packed, DateRecord* date);
void Date_ToPacked(const DateRecord* date, PackedDate* packed);
void Date_PackedToday(PackedDate* packed);
void Date_FormatPacked(const PackedDate* packed, char* text);  // as Date_Format
int Date_ParsePacked(const char* text, PackedDate* packed);    // as Date_Parse

// The big-endian 16-bit value of two bytes.
uint16_t Date_SwapShort(const uint8_t bytes[2]);
