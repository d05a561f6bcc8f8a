// Word wrap of a report remark: lines of at most 54 bytes broken after a blank,
// a CR ends a line, and a word longer than a line is cut on a character
// boundary. Only the whole characters of the first 510 bytes are considered.
#include "VlPrint/print_internal.h"

namespace {

bool IsContinuation(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

TextWrap Text_StartWrap(const char* text)
{
    return {Text_Repaired(text, kWrapLimit), 0};
}

bool Text_NextLine(TextWrap& wrap, char* line)
{
    const std::string& text = wrap.text;
    size_t pos = wrap.position;
    line[0] = '\0';
    while (pos < text.size() && static_cast<unsigned char>(text[pos]) < 33) {
        if (text[pos++] == '\r') {   // an empty line
            wrap.position = pos;
            return true;
        }
    }
    wrap.position = pos;
    if (pos >= text.size())
        return false;
    const size_t start = pos;
    size_t n = 0;
    while (n < kWrapLineBytes && pos < text.size() && text[pos] != '\r') {
        line[n++] = static_cast<unsigned char>(text[pos]) < 32 ? ' ' : text[pos];
        ++pos;
    }
    line[n] = '\0';
    if (pos < text.size() && text[pos] == '\r') {
        wrap.position = pos + 1;
        return true;
    }
    if (n == kWrapLineBytes && pos < text.size() && static_cast<unsigned char>(text[pos]) > ' ') {
        size_t cut = n;
        while (cut > 0 && line[cut - 1] != ' ')
            --cut;
        if (cut == 0) {   // no blank: a hard cut before the character that does not fit whole
            cut = n;
            while (IsContinuation(text[start + cut]))
                --cut;   // the text is valid UTF-8, so a character starts within the line
        }
        line[cut] = '\0';
        pos = start + cut;
    }
    wrap.position = pos;
    return true;
}
