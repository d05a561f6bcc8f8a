// Matching a product code against a code pattern: placeholders stand for a
// run of the code up to the next separator, the section sign ends the match.
#include "VlTechDatabase/vltechdb.h"

namespace {

constexpr unsigned char kSectionSign = 0xA7;

bool IsPlaceholder(char c)
{
    return c == '*' || c == '?' || (c >= 'a' && c <= 'z');
}

bool IsSeparator(char c)
{
    return c == '-' || c == '+';
}

}  // namespace

short __stdcall TechAPI_MatchPcode(const char* code, const char* pattern)
{
    if (!code || !*code)
        return 1;
    if (!pattern || !*pattern)
        return 0;
    while (*code && *pattern) {
        char p = *pattern;
        if (static_cast<unsigned char>(p) == kSectionSign)
            return 1;
        if (IsPlaceholder(p)) {
            while (*code && !IsSeparator(*code))
                ++code;
        } else {
            if (p != *code)
                return 0;
            ++code;
        }
        ++pattern;
    }
    return !*code && !*pattern ? 1 : 0;
}
