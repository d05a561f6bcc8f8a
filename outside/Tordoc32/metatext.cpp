// Plays metafile text records with UTF-8 text through ExtTextOutW. The record
// is read within its own size; a per-byte spacing array is summed per
// character so that the text keeps the widths it was recorded with.
#include "outside/Tordoc32/metatext.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The parameters of a text record, pointing into the record.
struct TextRecord {
    int x = 0;
    int y = 0;
    UINT options = 0;
    RECT rect{};
    const char* text = nullptr;
    size_t length = 0;
    const int16_t* spacing = nullptr;   // one a byte, or null
};

// Reads 16-bit parameter words of a record within its size.
struct ParameterReader {
    const uint8_t* data;
    size_t size;        // bytes of parameters
    size_t offset = 0;
    bool Word(int& value)
    {
        if (offset + 2 > size) return false;
        int16_t word;
        std::memcpy(&word, data + offset, 2);
        offset += 2;
        value = word;
        return true;
    }
    const char* Bytes(size_t count)
    {
        if (offset + count > size) return nullptr;
        const char* start = reinterpret_cast<const char*>(data + offset);
        offset += (count + 1) & ~size_t{1};    // strings are padded to words
        return start;
    }
};

bool ReadTextOut(ParameterReader& in, TextRecord& record)
{
    int count;
    if (!in.Word(count) || count <= 0) return false;
    record.length = static_cast<size_t>(static_cast<uint16_t>(count));
    record.text = in.Bytes(record.length);
    return record.text && in.Word(record.y) && in.Word(record.x);
}

bool ReadExtTextOut(ParameterReader& in, TextRecord& record)
{
    int count, options;
    if (!in.Word(record.y) || !in.Word(record.x) || !in.Word(count) || !in.Word(options)) return false;
    record.options = static_cast<uint16_t>(options);
    if (record.options & (ETO_GLYPH_INDEX | ETO_PDY)) return false;     // not characters, or not one width each
    record.length = static_cast<uint16_t>(count);
    if (record.options & (ETO_OPAQUE | ETO_CLIPPED)) {
        int left, top, right, bottom;
        if (!in.Word(left) || !in.Word(top) || !in.Word(right) || !in.Word(bottom)) return false;
        record.rect = {left, top, right, bottom};
    }
    record.text = in.Bytes(record.length);
    if (!record.text || record.length == 0) return false;
    if (in.offset + record.length * 2 <= in.size)
        record.spacing = reinterpret_cast<const int16_t*>(in.data + in.offset);
    return true;
}

bool IsAscii(const char* text, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
    return true;
}

// Bytes of the UTF-8 sequence that starts with `lead` (1 for a stray byte).
size_t SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

// The spacing of each UTF-16 unit: the sum over its character's bytes, on
// the first unit of a surrogate pair.
std::vector<INT> WideSpacing(const TextRecord& record, size_t units)
{
    std::vector<INT> spacing;
    size_t byte = 0;
    while (byte < record.length && spacing.size() < units) {
        size_t length = SequenceLength(static_cast<unsigned char>(record.text[byte]));
        INT sum = 0;
        for (size_t i = 0; i < length && byte < record.length; ++i, ++byte) {
            int16_t width;
            std::memcpy(&width, record.spacing + byte, sizeof width);
            sum += width;
        }
        spacing.push_back(sum);
        if (length == 4) spacing.push_back(0);
    }
    spacing.resize(units, 0);
    return spacing;
}

} // namespace

bool MetaText_PlayUtf8(HDC dc, const METARECORD* metaRecord)
{
    if (metaRecord->rdFunction != META_TEXTOUT && metaRecord->rdFunction != META_EXTTEXTOUT) return false;
    ParameterReader in{reinterpret_cast<const uint8_t*>(metaRecord->rdParm), size_t{metaRecord->rdSize} * 2 - 6};
    TextRecord record;
    bool read = metaRecord->rdFunction == META_TEXTOUT ? ReadTextOut(in, record) : ReadExtTextOut(in, record);
    if (!read || IsAscii(record.text, record.length)) return false;

    int length = static_cast<int>(record.length);
    int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, record.text, length, nullptr, 0);
    if (units <= 0) return false;
    std::wstring wide(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, record.text, length, wide.data(), units);
    std::vector<INT> spacing;
    if (record.spacing) spacing = WideSpacing(record, wide.size());
    const RECT* rect = (record.options & (ETO_OPAQUE | ETO_CLIPPED)) ? &record.rect : nullptr;
    ExtTextOutW(dc, record.x, record.y, record.options, rect, wide.c_str(), static_cast<UINT>(units),
                spacing.empty() ? nullptr : spacing.data());
    return true;
}
