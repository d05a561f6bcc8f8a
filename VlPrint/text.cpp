// UTF-8 of report texts: reading one character at a time, and repairing a text
// whose bytes are not all UTF-8 (a remark typed in a single-byte code page) so
// that every stray byte shows as U+FFFD and nothing splits a character.
#include "VlPrint/print_internal.h"

namespace {

constexpr char kReplacementUtf8[] = "\xEF\xBF\xBD";

// Length of the UTF-8 sequence that starts with lead, 0 when lead cannot start one.
int SequenceLength(unsigned char lead)
{
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0 && lead >= 0xC2) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

}  // namespace

int Text_NextChar(const unsigned char* text, uint32_t* codePoint)
{
    *codePoint = kReplacementChar;
    const int length = SequenceLength(text[0]);
    if (length == 0)
        return 1;
    uint32_t value = length == 1 ? text[0] : text[0] & (0xFF >> (length + 1));
    for (int i = 1; i < length; ++i) {
        if ((text[i] & 0xC0) != 0x80)   // also stops at the terminator
            return 1;
        value = (value << 6) | (text[i] & 0x3F);
    }
    static constexpr uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 1;
    *codePoint = value;
    return length;
}

std::string Text_Repaired(const char* text, size_t maxBytes)
{
    std::string repaired;
    if (!text)
        return repaired;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    for (size_t used = 0; bytes[used];) {
        uint32_t codePoint = 0;
        const int length = Text_NextChar(bytes + used, &codePoint);
        if (used + size_t(length) > maxBytes)
            break;
        if (codePoint == kReplacementChar)
            repaired += kReplacementUtf8;
        else
            repaired.append(text + used, size_t(length));
        used += size_t(length);
    }
    return repaired;
}
