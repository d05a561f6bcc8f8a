// Typed field descriptors: one field described by a type letter, with its
// element size, its value as a number and its text form both ways. Every
// text written is bounded by the caller's size; every value written is
// bounded by the type's element size.
#include "support/numfield.h"
#include "support/dates.h"
#include "support/numparse.h"
#include "support/strings.h"
#include "support/utf8.h"
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool IsTextLetter(char type)
{
    return std::strchr("MmSsz", type) != nullptr && type != '\0';
}

template <typename T>
T ValueAs(const FieldDescriptor* field)
{
    T value;
    std::memcpy(&value, field->value, sizeof value);
    return value;
}

template <typename T>
void StoreAs(const FieldDescriptor* field, T value)
{
    std::memcpy(field->value, &value, sizeof value);
}

// The number as text, empty for the sentinel of an upper-case letter.
std::string NumberText(const FieldDescriptor* f)
{
    char text[400] = {};
    const bool upper = f->type >= 'A' && f->type <= 'Z';
    switch (f->type) {
    case 'B': case 'b':
        if (!(upper && ValueAs<uint8_t>(f) == kFieldMissingByte))
            snprintf(text, sizeof text, "%d", ValueAs<uint8_t>(f));
        break;
    case 'I': case 'i':
        if (!(upper && ValueAs<int16_t>(f) == kFieldMissingShort))
            snprintf(text, sizeof text, "%hd", ValueAs<int16_t>(f));
        break;
    case 'L': case 'l':
        if (!(upper && ValueAs<int32_t>(f) == kFieldMissingLong))
            snprintf(text, sizeof text, "%ld", static_cast<long>(ValueAs<int32_t>(f)));
        break;
    case 'F': case 'f':
        if (!(upper && ValueAs<float>(f) == kFieldMissingFloat))
            snprintf(text, sizeof text, "%0.*f", f->decimals, static_cast<double>(ValueAs<float>(f)));
        break;
    case 'O': case 'd':
        if (!(upper && ValueAs<double>(f) == kFieldMissingDouble))
            snprintf(text, sizeof text, "%0.*f", f->decimals, ValueAs<double>(f));
        break;
    }
    return text;
}

// The text form of the non-number letters.
std::string OtherText(const FieldDescriptor* f)
{
    const auto* bytes = static_cast<const char*>(f->value);
    char date[kDateTextSize] = {};
    switch (f->type) {
    case 'D': Date_Format(static_cast<const DateRecord*>(f->value), date); return date;
    case 'G': Date_FormatPacked(static_cast<const PackedDate*>(f->value), date); return date;
    case 'c': return std::string(bytes, bytes[0] != '\0' ? 1 : 0);   // one byte, no terminator
    case 'W': return std::string(bytes, strnlen(bytes, 4));
    case 'S': {
        std::string fixed(static_cast<size_t>(std::max<int16_t>(f->width, 0)) + 1, '\0');
        std::string source(bytes, strnlen(bytes, fixed.size() - 1));
        Str_CopyFixed(fixed.data(), source.c_str(), f->width);
        return fixed.c_str();
    }
    }
    const int size = FieldDesc_Size(f);
    std::string text(bytes, strnlen(bytes, static_cast<size_t>(size)));
    text.resize(static_cast<size_t>(Str_TrimmedLength(text.c_str(), size)));
    return text;
}

template <typename T>
int ParseNumber(const FieldDescriptor* f, const char* text, T missing)
{
    T value{};
    const bool blank = Str_TrimmedLength(text, static_cast<int>(std::strlen(text))) == 0;
    if (blank && f->type >= 'A' && f->type <= 'Z')
        value = missing;
    else if (!NumParse_Whole(text, &value))
        return -1;
    StoreAs(f, value);
    return 0;
}

// An empty text is the empty date (all zero).
template <typename Date>
int ParseDate(const FieldDescriptor* f, const char* text, int (*parse)(const char*, Date*))
{
    Date date{};
    if (text[0] && parse(text, &date) != 0)
        return -1;
    StoreAs(f, date);
    return 0;
}

// Copies text into the value's size bytes, zero-padded.
int ParseText(const FieldDescriptor* f, const char* text)
{
    const int size = FieldDesc_Size(f);
    if (size < 1)
        return -1;
    auto* bytes = static_cast<char*>(f->value);
    std::memset(bytes, 0, static_cast<size_t>(size));
    // Fixed-width letters fill every byte; the others keep a terminator.
    const bool fixed = std::strchr("cwWS", f->type) != nullptr;
    const size_t room = fixed ? static_cast<size_t>(size) : static_cast<size_t>(size) - 1;
    std::memcpy(bytes, text, Utf8_FitLength(text, room));
    return 0;
}

}  // namespace

void FieldDesc_Init(FieldDescriptor* field, short id, short value1, short value2, short width,
                    short decimals, long long1, long long2, char type, void* value, const char* caption)
{
    *field = FieldDescriptor{};
    field->id = static_cast<int16_t>(id < 0 ? -id : id);
    field->idWasNegative = id < 0;
    field->value1 = value1;
    field->value2 = value2;
    field->width = width;
    field->decimals = decimals;
    field->long1 = long1;
    field->long2 = long2;
    field->type = type;
    field->value = value;
    Utf8_CopyCut(field->caption, sizeof field->caption, caption);
}

int FieldDesc_Size(const FieldDescriptor* field)
{
    switch (field->type) {
    case 'B': case 'b': case 'c': return 1;
    case 'I': case 'i': return 2;
    case 'L': case 'l': case 'F': case 'f': case 'D': case 'G': case 'w': return 4;
    case 'O': case 'd': return 8;
    case 'W': return 6;
    }
    return IsTextLetter(field->type) ? std::max<int16_t>(field->width, 0) : 0;
}

bool FieldDesc_IsNumeric(const FieldDescriptor* field)
{
    return field->type != '\0' && std::strchr("BbIiLlFfOd", field->type) != nullptr;
}

double FieldDesc_Value(const FieldDescriptor* field)
{
    switch (field->type) {
    case 'B': case 'b': return ValueAs<uint8_t>(field);
    case 'I': case 'i': return ValueAs<int16_t>(field);
    case 'L': case 'l': return ValueAs<int32_t>(field);
    case 'F': case 'f': return ValueAs<float>(field);
    case 'O': case 'd': return ValueAs<double>(field);
    }
    return 0;
}

void FieldDesc_Format(const FieldDescriptor* field, char* text, int size)
{
    if (!text || size < 1)
        return;
    const std::string formatted =
        !field->value ? std::string() : FieldDesc_IsNumeric(field) ? NumberText(field) : OtherText(field);
    Utf8_CopyCut(text, static_cast<size_t>(size), formatted.c_str());
}

int FieldDesc_Parse(const FieldDescriptor* field, const char* text)
{
    if (!field->value || !text)
        return -1;
    switch (field->type) {
    case 'B': case 'b': return ParseNumber<unsigned char>(field, text, kFieldMissingByte);
    case 'I': case 'i': return ParseNumber<short>(field, text, kFieldMissingShort);
    case 'L': case 'l': return ParseNumber<long>(field, text, kFieldMissingLong);
    case 'F': case 'f': return ParseNumber<float>(field, text, kFieldMissingFloat);
    case 'O': case 'd': return ParseNumber<double>(field, text, kFieldMissingDouble);
    case 'D': return ParseDate<DateRecord>(field, text, Date_Parse);
    case 'G': return ParseDate<PackedDate>(field, text, Date_ParsePacked);
    case 'c': case 'w': case 'W': case 'M': case 'm': case 'S': case 's': case 'z':
        return ParseText(field, text);
    }
    return -1;
}
