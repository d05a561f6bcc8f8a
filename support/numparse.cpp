// Whole-text number parsing for the number fields and field descriptors:
// "1,5" is a real but not an integer, "12abc" is nothing, and a value that
// does not fit its type is refused instead of wrapping.
#include "support/numparse.h"
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// Parses the whole text with strtod or strtol; false when anything is left
// over or the value overflows.
template <typename Wide, typename Convert>
bool ParseAll(const std::string& text, Wide* wide, Convert convert)
{
    if (text.find_first_not_of(' ') == std::string::npos) {
        *wide = 0;
        return true;
    }
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    *wide = convert(begin, &end);
    return end != begin && *end == '\0' && errno != ERANGE;
}

bool ParseReal(std::string text, double* value)
{
    std::replace(text.begin(), text.end(), ',', '.');
    return ParseAll(text, value, [](const char* s, char** e) { return std::strtod(s, e); }) &&
           std::isfinite(*value);
}

template <typename T>
bool ParseInteger(const std::string& text, T* value)
{
    long wide = 0;
    if (!ParseAll(text, &wide, [](const char* s, char** e) { return std::strtol(s, e, 10); }) ||
        wide < std::numeric_limits<T>::min() || wide > std::numeric_limits<T>::max())
        return false;
    *value = static_cast<T>(wide);
    return true;
}

}  // namespace

bool NumParse_Whole(std::string text, double* value)
{
    double wide = 0;
    if (!ParseReal(std::move(text), &wide))
        return false;
    *value = wide;
    return true;
}

bool NumParse_Whole(std::string text, float* value)
{
    double wide = 0;
    if (!ParseReal(std::move(text), &wide) || std::fabs(wide) > std::numeric_limits<float>::max())
        return false;
    *value = static_cast<float>(wide);
    return true;
}

bool NumParse_Whole(std::string text, long* value) { return ParseInteger(text, value); }
bool NumParse_Whole(std::string text, short* value) { return ParseInteger(text, value); }
bool NumParse_Whole(std::string text, unsigned char* value) { return ParseInteger(text, value); }
