// Dates: the short-date pattern walker, the fixed DD.MM.YYYY form and its
// parser, packed dates. Every text is written with bounds; the language
// messages about date input are in datemsg.cpp.
#include "support/dates.h"
#include "support/app.h"
#include "support/utf8.h"
#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

// Appends to a fixed buffer; once a piece does not fit, it is cut on a
// character boundary and nothing more is written.
class BoundedText {
public:
    BoundedText(char* text, size_t size) : text_(text), size_(size) { text_[0] = '\0'; }

    void Append(const char* piece, size_t length)
    {
        if (full_)
            return;
        const size_t room = size_ - 1 - length_;
        if (length > room) {
            length = Utf8_FitLength(piece, room);
            full_ = true;
        }
        std::memcpy(text_ + length_, piece, length);
        length_ += length;
        text_[length_] = '\0';
    }

    void AppendNumber(unsigned value, size_t width)
    {
        char number[kLocalDateSize + 16];
        int length = std::snprintf(number, sizeof number, "%0*u", static_cast<int>(width), value);
        Append(number, static_cast<size_t>(length));
    }

private:
    char* text_;
    size_t size_;
    size_t length_ = 0;
    bool full_ = false;
};

// Widens a short year to four digits, then, for a pattern run shorter than
// three letters, drops the century again.
unsigned PatternYear(unsigned year, size_t run)
{
    if (year < 51)
        year += 2000;
    else if (year < 1900)
        year += 1900;
    if (run >= 3)
        return year;
    if (year < 2000) return year - 1900;
    if (year < 2100) return year - 2000;
    if (year < 2200) return year - 2100;
    return year - 2200;
}

size_t RunLength(const char* text, char lowerLetter)
{
    size_t run = 0;
    while (std::tolower(static_cast<unsigned char>(text[run])) == lowerLetter)
        ++run;
    return run;
}

bool IsFieldLetter(char c)
{
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c == 'd' || c == 'm' || c == 'y';
}

// Reads one or two digits followed by '.', moving past them.
bool ReadDayOrMonth(const char*& text, uint8_t& value)
{
    size_t digits = 0;
    unsigned number = 0;
    while (digits < 3 && std::isdigit(static_cast<unsigned char>(text[digits])))
        number = number * 10 + static_cast<unsigned>(text[digits++] - '0');
    if (digits < 1 || digits > 2 || text[digits] != '.')
        return false;
    value = static_cast<uint8_t>(number);
    text += digits + 1;
    return true;
}

// Formats a day or month with "%2d", a leading blank turned into "0".
void FormatTwoDigits(char* out, size_t size, int value)
{
    std::snprintf(out, size, "%2d", value);
    if (out[0] == ' ')
        out[0] = '0';
}

}  // namespace

void Date_Today(DateRecord* date)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    date->day = static_cast<uint8_t>(now.wDay);
    date->month = static_cast<uint8_t>(now.wMonth);
    date->year = static_cast<int16_t>(now.wYear);
}

void Date_TodayLocal(char* buffer)
{
    DateRecord today;
    Date_Today(&today);
    Utf8_CopyCut(buffer, kLocalDateSize,
                    Date_FormatLocal(static_cast<unsigned>(today.year), today.month, today.day));
}

int Date_Compare(const DateRecord* a, const DateRecord* b)
{
    if (a->year != b->year)
        return a->year - b->year;
    if (a->month != b->month)
        return a->month - b->month;
    return a->day - b->day;
}

const char* Date_FormatLocal(unsigned year, unsigned month, unsigned day)
{
    // Read more than fits, so the cut to the result's size falls on a
    // character boundary.
    char profile[256], pattern[kLocalDateSize];
    GetProfileStringA("Intl", "sShortDate", "d/m/y", profile, sizeof profile);
    Utf8_CopyCut(pattern, sizeof pattern, profile);
    BoundedText out(App().localDate, sizeof App().localDate);
    for (const char* p = pattern; *p;) {
        const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
        if (!IsFieldLetter(letter)) {
            // Copy the whole run of other characters: the field letters are
            // ASCII, so a run never ends inside a UTF-8 sequence.
            size_t run = 1;
            while (p[run] && !IsFieldLetter(p[run]))
                ++run;
            out.Append(p, run);
            p += run;
            continue;
        }
        const size_t run = RunLength(p, letter);
        if (letter == 'd')
            out.AppendNumber(day, run);
        else if (letter == 'm')
            out.AppendNumber(month, run);
        else
            out.AppendNumber(PatternYear(year, run), run);
        p += run;
    }
    return App().localDate;
}

void Date_Format(const DateRecord* date, char* text)
{
    if (date->day == 0 && date->month == 0 && date->year == 0) {
        text[0] = '\0';
        return;
    }
    char day[8], month[8], year[8], full[32];
    FormatTwoDigits(day, sizeof day, date->day);
    FormatTwoDigits(month, sizeof month, date->month);
    std::snprintf(year, sizeof year, "%4d", date->year);
    std::snprintf(full, sizeof full, "%s.%s.%s", day, month, year);
    Utf8_CopyCut(text, kDateTextSize, full);
}

int Date_Parse(const char* text, DateRecord* date)
{
    DateRecord parsed;
    int year;
    if (!ReadDayOrMonth(text, parsed.day) || !ReadDayOrMonth(text, parsed.month)
        || std::sscanf(text, "%d", &year) != 1)
        return -1;
    parsed.year = static_cast<int16_t>(year);
    *date = parsed;
    return 0;
}

void Date_Pack(PackedDate* packed, int day, int month, int year)
{
    packed->yearHigh = static_cast<uint8_t>((year >> 8) & 0xFF);
    packed->yearLow = static_cast<uint8_t>(year & 0xFF);
    packed->month = static_cast<uint8_t>(month);
    packed->day = static_cast<uint8_t>(day);
}

void Date_Unpack(const PackedDate* packed, DateRecord* date)
{
    date->day = packed->day;
    date->month = packed->month;
    const uint8_t year[2] = {packed->yearHigh, packed->yearLow};
    date->year = static_cast<int16_t>(Date_SwapShort(year));
}

void Date_ToPacked(const DateRecord* date, PackedDate* packed)
{
    Date_Pack(packed, date->day, date->month, date->year);
}

void Date_PackedToday(PackedDate* packed)
{
    DateRecord today;
    Date_Today(&today);
    Date_ToPacked(&today, packed);
}

void Date_FormatPacked(const PackedDate* packed, char* text)
{
    DateRecord date;
    Date_Unpack(packed, &date);
    Date_Format(&date, text);
}

int Date_ParsePacked(const char* text, PackedDate* packed)
{
    DateRecord date;
    if (Date_Parse(text, &date) != 0)
        return -1;
    Date_ToPacked(&date, packed);
    return 0;
}

uint16_t Date_SwapShort(const uint8_t bytes[2])
{
    return static_cast<uint16_t>((bytes[0] << 8) | bytes[1]);
}
