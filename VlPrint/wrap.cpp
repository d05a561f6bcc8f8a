// Word wrap of a report remark: lines of at most 54 bytes broken after a blank,
// a CR ends a line, and a word longer than a line is cut on a character
// boundary. Only the first 510 bytes of the text are considered.
#include "VlPrint/print_internal.h"

namespace {

bool AtEnd(const unsigned char* text, int position)
{
    return position >= kWrapLimit || text[position] == '\0';
}

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

}  // namespace

bool Text_NextLine(TextWrap& wrap, char* line)
{
    const auto* text = reinterpret_cast<const unsigned char*>(wrap.text);
    int pos = wrap.position;
    line[0] = '\0';
    while (!AtEnd(text, pos) && text[pos] < 33) {
        if (text[pos++] == '\r') {   // an empty line
            wrap.position = pos;
            return true;
        }
    }
    if (AtEnd(text, pos)) {
        wrap.position = pos;
        return false;
    }
    const int start = pos;
    int n = 0;
    while (n < kWrapLineBytes && !AtEnd(text, pos) && text[pos] != '\r') {
        line[n++] = text[pos] < 32 ? ' ' : char(text[pos]);
        ++pos;
    }
    line[n] = '\0';
    if (!AtEnd(text, pos) && text[pos] == '\r') {
        wrap.position = pos + 1;
        return true;
    }
    if (n == kWrapLineBytes && !AtEnd(text, pos) && text[pos] > ' ') {
        int cut = n;
        while (cut > 0 && line[cut - 1] != ' ')
            --cut;
        if (cut == 0) {   // no blank: a hard cut that keeps characters whole
            cut = n;
            while (cut > 0 && IsContinuation(text[start + cut]))
                --cut;
        }
        line[cut] = '\0';
        pos = start + cut;
    }
    wrap.position = pos;
    return true;
}
