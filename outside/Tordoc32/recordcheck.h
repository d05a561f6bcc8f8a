// Checks of single metafile records before GDI plays them: counts of texts,
// points and bitmaps must lie inside the record, object indexes inside the
// metafile's object table. GDI trusts these and would read past the record.
#pragma once
#include <cstddef>
#include <cstdint>

// True when the parameters (`size` bytes after the record's size and
// function) of a record of `function` are whole for a metafile with
// `objects` table entries.
bool RecordCheck_ParametersFit(uint16_t function, const uint8_t* parameters, size_t size, uint16_t objects);
