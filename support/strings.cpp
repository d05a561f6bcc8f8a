// String functions of the module. Byte limits here are UTF-8 aware: a cut
// lands on a character boundary, so texts in any language stay valid.
#include "support/strings.h"
#include "support/dlgutil.h"
#include "support/utf8.h"
#include <windows.h>
#include <cstring>
#include <vector>

void Str_TrimRight(char* text)
{
    size_t length = std::strlen(text);
    while (length > 0 && text[length - 1] == ' ')
        --length;
    text[length] = '\0';
}

int Str_TrimmedLength(const char* text, int n)
{
    if (n < 1)
        return 0;
    size_t length = strnlen(text, static_cast<size_t>(n));
    while (length > 0 && text[length - 1] == ' ')
        --length;
    return static_cast<int>(length);
}

void Str_CopyTrimmed(char* destination, const char* source, int n)
{
    if (n < 0)
        n = 0;
    std::memset(destination, 0, static_cast<size_t>(n) + 1);
    const size_t fit = Utf8_FitLength(source, static_cast<size_t>(n));
    std::memcpy(destination, source, static_cast<size_t>(Str_TrimmedLength(source, static_cast<int>(fit))));
}

void Str_RemoveBlanks(char* text)
{
    char* out = text;
    for (const char* in = text; *in; ++in)
        if (*in != ' ')
            *out++ = *in;
    *out = '\0';
}

void Str_CopyFixed(char* destination, const char* source, int n)
{
    if (n < 1) {
        destination[0] = '\0';
        return;
    }
    const size_t width = static_cast<size_t>(n);
    const size_t length = Utf8_FitLength(source, width);
    for (size_t i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(source[i]);
        destination[i] = c < 33 ? ' ' : source[i];
    }
    std::memset(destination + length, ' ', width - length);
    destination[width] = '\0';
}

namespace {

// Puts the next of values in place of each "%" conversion and a percent sign
// for each "%%"; any other conversion, or one beyond the values, stays.
std::string Fill(const char* text, char conversion, const std::vector<std::string>& values)
{
    std::string filled;
    auto next = values.begin();
    for (const char* c = text ? text : ""; *c; ++c) {
        if (c[0] == '%' && c[1] == '%') {
            filled += '%';
            ++c;
        } else if (c[0] == '%' && c[1] == conversion && next != values.end()) {
            filled += *next++;
            ++c;
        } else {
            filled += *c;
        }
    }
    return filled;
}

}  // namespace

std::string Str_FillNumbers(const char* text, std::initializer_list<long> numbers)
{
    std::vector<std::string> values;
    for (long n : numbers)
        values.push_back(std::to_string(n));
    return Fill(text, 'd', values);
}

std::string Str_FillTexts(const char* text, std::initializer_list<const char*> texts)
{
    std::vector<std::string> values;
    for (const char* t : texts)
        values.push_back(t ? t : "");
    return Fill(text, 's', values);
}

bool Str_SameIgnoringCase(const std::string& a, const std::string& b)
{
    std::wstring wa = Dlg_Wide(a.c_str()), wb = Dlg_Wide(b.c_str());
    return CompareStringOrdinal(wa.data(), static_cast<int>(wa.size()), wb.data(), static_cast<int>(wb.size()),
                                TRUE) == CSTR_EQUAL;
}
