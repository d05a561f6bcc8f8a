// Element sizes from the schema's "att" lines, and the counts they give.
#include "tools/schemasizes.h"

#include <fstream>
#include <sstream>

namespace tab {
namespace {

bool ParseId(const std::string& text, long& out)
{
    char* end = nullptr;
    out = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && out >= INT16_MIN && out <= INT16_MAX;
}

bool ParseAttLine(std::istringstream& in, SchemaSizes& sizes)
{
    std::string ids, size;
    if (!(in >> ids >> size))
        return false;
    size_t dash = ids.find('-', 1);
    long lo = 0, hi = 0;
    if (dash == std::string::npos ? !ParseId(ids, lo) || !ParseId(ids, hi)
                                  : !ParseId(ids.substr(0, dash), lo) || !ParseId(ids.substr(dash + 1), hi))
        return false;
    ElementSpec layout;
    if (size == "string") {
        layout.isString = true;
    } else {
        long bytes = 0;
        if (!ParseId(size, bytes) || bytes < 1)
            return false;
        layout.size = static_cast<uint32_t>(bytes);
    }
    for (long id = lo; id <= hi; ++id)
        sizes[static_cast<int16_t>(id)] = layout;
    return lo <= hi;
}

void ApplyToField(const ElementSpec& layout, const std::string& cls, Field& f, bool isStringColumn)
{
    std::string where = f.pos.file + ":" + std::to_string(f.pos.line) + ": attribute " +
                        std::to_string(f.att) + " of class " + cls;
    if (layout.isString != isStringColumn)
        throw Error{where + (layout.isString ? " is a string in the schema" : " is no string in the schema")};
    if (layout.isString)
        return;
    if (f.bytes.size() % layout.size != 0)
        throw Error{where + " needs whole elements of " + std::to_string(layout.size) + " bytes, the value has " +
                    std::to_string(f.bytes.size())};
    f.count = static_cast<int16_t>(f.bytes.size() / layout.size);
}

}  // namespace

SchemaSizes ReadSchemaSizes(const std::string& openPath, const std::string& shownName)
{
    std::ifstream in(openPath, std::ios::binary);
    if (!in)
        throw Error{shownName + ":0: cannot read the schema"};
    SchemaSizes sizes;
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
        if (size_t hash = line.find('#'); hash != std::string::npos)
            line.resize(hash);
        std::istringstream words(line);
        std::string word;
        if (words >> word && word == "att" && !ParseAttLine(words, sizes))
            throw Error{shownName + ":" + std::to_string(n) + ": faulty att line"};
    }
    return sizes;
}

void ApplySchemaSizes(const SchemaSizes& sizes, std::vector<Record>& records)
{
    for (Record& r : records)
        for (Field& f : r.fields) {
            auto it = sizes.find(f.att);
            if (it != sizes.end())
                ApplyToField(it->second, r.cls, f, f.isString);
        }
}

}  // namespace tab
