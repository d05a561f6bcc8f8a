// Byte limits on UTF-8 text that never split a character.
#include "support/utf8.h"
#include <cstring>

static bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

size_t Utf8_FitLength(const char* text, size_t maxBytes)
{
    size_t length = strnlen(text, maxBytes + 1);
    if (length <= maxBytes)
        return length;
    // text[maxBytes] is the first byte left out: when it continues a
    // character, the cut falls inside that character, so step back to its start.
    length = maxBytes;
    while (length > 0 && IsContinuationByte(text[length]))
        --length;
    return length;
}

void Utf8_CopyCut(char* destination, size_t destinationSize, const char* source)
{
    if (destinationSize == 0)
        return;
    size_t length = source ? Utf8_FitLength(source, destinationSize - 1) : 0;
    if (length > 0)
        memcpy(destination, source, length);
    destination[length] = '\0';
}
