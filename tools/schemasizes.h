// The element sizes that a schema file names for attribute ids, so that the
// compiler can give the engine counts of whole elements and refuse a value
// that does not fill them. Only the "att" lines are read; the engine reads
// the whole schema itself.
#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "tools/tabfile.h"

namespace tab {

struct ElementSpec {
    bool isString = false;
    uint32_t size = 0;   // bytes of one element when not a string
};

using SchemaSizes = std::map<int16_t, ElementSpec>;

// Reads "att ID SIZE" and "att LO-HI SIZE" lines (SIZE a byte count or
// "string"). Throws Error naming the schema file and line.
SchemaSizes ReadSchemaSizes(const std::string& openPath, const std::string& shownName);

// Sets each field's count from the schema's element size: a string column
// for a string id, whole elements for a sized id. Ids the schema does not
// name keep the count of their column type. Throws Error naming the source.
void ApplySchemaSizes(const SchemaSizes& sizes, std::vector<Record>& records);

}  // namespace tab
