// Bounds of the records whose length GDI reads from their own parameters:
// texts, polygons and lines, device-independent bitmaps, object selections.
// Records of fixed size need no check: the walk has seen they lie in the file.
#include "outside/Tordoc32/recordcheck.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace {

// Parameters of one record, read within its size.
struct Parameters {
    const uint8_t* data;
    size_t size;
    bool Has(size_t offset, size_t bytes) const { return offset <= size && bytes <= size - offset; }
    uint16_t U16(size_t offset) const
    {
        uint16_t value = 0;
        if (Has(offset, 2)) std::memcpy(&value, data + offset, 2);
        return value;
    }
    uint32_t U32(size_t offset) const
    {
        uint32_t value = 0;
        if (Has(offset, 4)) std::memcpy(&value, data + offset, 4);
        return value;
    }
};

size_t Padded(size_t bytes) { return (bytes + 1) & ~size_t{1}; }

bool TextOutFits(const Parameters& p)
{
    return p.Has(0, 2) && p.Has(2, Padded(p.U16(0)) + 4);
}

bool ExtTextOutFits(const Parameters& p)
{
    if (!p.Has(0, 8)) return false;
    size_t text = (p.U16(6) & (ETO_OPAQUE | ETO_CLIPPED)) ? 16 : 8;
    return p.Has(text, p.U16(4));
}

bool PointsFit(const Parameters& p)
{
    return p.Has(0, 2) && p.Has(2, size_t{p.U16(0)} * 4);
}

bool PolyPolygonFits(const Parameters& p)
{
    if (!p.Has(0, 2)) return false;
    size_t polygons = p.U16(0);
    if (!p.Has(2, polygons * 2)) return false;
    size_t points = 0;
    for (size_t i = 0; i < polygons; ++i) points += p.U16(2 + 2 * i);
    return p.Has(2 + polygons * 2, points * 4);
}

// A device-independent bitmap at `offset`: its header, colour table and bits.
bool BitmapFits(const Parameters& p, size_t offset, bool paletteIndexes)
{
    if (!p.Has(offset, 4)) return false;
    uint32_t headerSize = p.U32(offset);
    if (headerSize < sizeof(BITMAPCOREHEADER) || !p.Has(offset, headerSize)) return false;
    uint64_t width, height, bits, colours = 0;
    uint32_t compression = BI_RGB;
    if (headerSize == sizeof(BITMAPCOREHEADER)) {
        width = p.U16(offset + 4);
        height = p.U16(offset + 6);
        bits = p.U16(offset + 10);
    } else {
        if (headerSize < sizeof(BITMAPINFOHEADER)) return false;
        width = static_cast<uint64_t>(std::abs(static_cast<int64_t>(static_cast<int32_t>(p.U32(offset + 4)))));
        height = static_cast<uint64_t>(std::abs(static_cast<int64_t>(static_cast<int32_t>(p.U32(offset + 8)))));
        bits = p.U16(offset + 14);
        compression = p.U32(offset + 16);
        colours = p.U32(offset + 32);
    }
    if (bits <= 8 && colours == 0) colours = uint64_t{1} << bits;
    if (bits > 8) colours = std::min<uint64_t>(colours, 256);
    uint64_t entry = paletteIndexes ? 2 : (headerSize == sizeof(BITMAPCOREHEADER) ? 3 : 4);
    uint64_t table = colours * entry + (compression == BI_BITFIELDS ? 12 : 0);
    uint64_t image = (compression == BI_RLE8 || compression == BI_RLE4)
                         ? p.U32(offset + 20)
                         : (width * bits + 31) / 32 * 4 * height;
    uint64_t total = headerSize + table + image;
    return total <= p.size - offset;
}

// Where the bitmap of a bitmap record begins and whether its colours are
// palette indexes; records shorter than that carry no bitmap.
bool BitmapRecordFits(uint16_t function, const Parameters& p)
{
    switch (function) {
    case META_DIBBITBLT: return !p.Has(16, 4) || BitmapFits(p, 16, false);
    case META_DIBSTRETCHBLT: return !p.Has(20, 4) || BitmapFits(p, 20, false);
    case META_STRETCHDIB: return p.Has(0, 26) && BitmapFits(p, 22, p.U16(4) == DIB_PAL_COLORS);
    case META_SETDIBTODEV: return p.Has(0, 22) && BitmapFits(p, 18, p.U16(0) == DIB_PAL_COLORS);
    case META_DIBCREATEPATTERNBRUSH: return p.Has(0, 8) && BitmapFits(p, 4, p.U16(2) == DIB_PAL_COLORS);
    }
    return true;
}

} // namespace

bool RecordCheck_ParametersFit(uint16_t function, const uint8_t* parameters, size_t size, uint16_t objects)
{
    Parameters p{parameters, size};
    switch (function) {
    case META_TEXTOUT: return TextOutFits(p);
    case META_EXTTEXTOUT: return ExtTextOutFits(p);
    case META_POLYGON:
    case META_POLYLINE: return PointsFit(p);
    case META_POLYPOLYGON: return PolyPolygonFits(p);
    case META_SELECTOBJECT:
    case META_DELETEOBJECT:
    case META_SELECTPALETTE:
    case META_SELECTCLIPREGION: return p.Has(0, 2) && p.U16(0) < objects;
    }
    return BitmapRecordFits(function, p);
}
