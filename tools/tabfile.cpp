// Parser of the table sources (*.tab): directives, quoted fields, typed
// values and the merge of records given in several files. The format is
// described in data/README.md.
#include "tools/tabfile.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>

namespace tab {
namespace {

struct Column {
    int16_t att = 0;
    std::string type;
};

// What the directives of one file have set so far.
struct FileState {
    std::string cls;
    std::vector<Column> columns;
    bool haveColumns = false;
};

[[noreturn]] void Fail(const std::string& message)
{
    throw Error{message};
}

std::string Where(const SourcePos& pos)
{
    return pos.file + ":" + std::to_string(pos.line);
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

char Unescape(char c)
{
    switch (c) {
    case 't': return '\t';
    case 'r': return '\r';
    case 'n': return '\n';
    case '\\': return '\\';
    default: Fail(std::string("unknown escape \\") + c);
    }
}

// Reads one quoted field starting at line[i] == '"'; returns the index after it.
size_t ReadQuoted(const std::string& line, size_t i, std::string& field)
{
    for (++i; i < line.size(); ++i) {
        char c = line[i];
        if (c == '"') {
            if (i + 1 < line.size() && line[i + 1] == '"') {
                field += '"';
                ++i;
                continue;
            }
            if (i + 1 < line.size() && !IsBlank(line[i + 1]))
                Fail("a quoted field must be followed by a blank");
            return i + 1;
        }
        if (c == '\\') {
            if (i + 1 >= line.size())
                Fail("escape at the end of the line");
            field += Unescape(line[++i]);
            continue;
        }
        field += c;
    }
    Fail("unterminated quoted field");
}

long long ParseInteger(const std::string& text, long long lo, long long hi)
{
    if (text.empty())
        Fail("empty number");
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(text.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE)
        Fail("not an integer: " + text);
    if (v < lo || v > hi)
        Fail("integer out of range: " + text);
    return v;
}

double ParseReal(const std::string& text, double limit)
{
    if (text.empty())
        Fail("empty number");
    errno = 0;
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    if (*end != '\0' || errno == ERANGE || !std::isfinite(v))
        Fail("not a number: " + text);
    if (std::fabs(v) > limit)
        Fail("number out of range: " + text);
    return v;
}

template <typename T>
void Append(std::vector<uint8_t>& bytes, T value)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&value);
    bytes.insert(bytes.end(), p, p + sizeof value);
}

// Appends one scalar of a base type; false for an unknown type.
bool AppendScalar(const std::string& type, const std::string& text, std::vector<uint8_t>& bytes)
{
    if (type == "byte")
        Append<uint8_t>(bytes, static_cast<uint8_t>(ParseInteger(text, -128, 255)));
    else if (type == "short")
        Append<int16_t>(bytes, static_cast<int16_t>(ParseInteger(text, INT16_MIN, INT16_MAX)));
    else if (type == "long")
        Append<int32_t>(bytes, static_cast<int32_t>(ParseInteger(text, INT32_MIN, INT32_MAX)));
    else if (type == "float")
        Append<float>(bytes, static_cast<float>(ParseReal(text, std::numeric_limits<float>::max())));
    else if (type == "double")
        Append<double>(bytes, ParseReal(text, std::numeric_limits<double>::max()));
    else
        return false;
    return true;
}

std::vector<std::string> SplitElements(const std::string& text)
{
    std::vector<std::string> elements;
    if (text.empty())
        return elements;
    std::string element;
    std::istringstream in(text);
    while (std::getline(in, element, ','))
        elements.push_back(element);
    if (text.back() == ',')
        elements.emplace_back();
    return elements;
}

// "text99" -> 99; 0 when the type is no fixed-size text.
size_t TextSlotSize(const std::string& type)
{
    if (type.rfind("text", 0) != 0 || type.size() == 4)
        return 0;
    for (size_t i = 4; i < type.size(); ++i)
        if (type[i] < '0' || type[i] > '9')
            return 0;
    long n = std::strtol(type.c_str() + 4, nullptr, 10);
    return n >= 2 && n <= 4096 ? static_cast<size_t>(n) : 0;
}

void EncodeArray(const std::string& base, const std::string& text, Field& field)
{
    std::vector<std::string> elements = SplitElements(text);
    if (elements.empty())
        Fail("an array needs at least one element");
    if (elements.size() > 2000)
        Fail("too many elements");
    size_t slot = TextSlotSize(base);
    for (const std::string& e : elements) {
        if (slot) {
            if (e.size() >= slot)
                Fail("element longer than " + std::to_string(slot - 1) + " bytes: " + e);
            field.bytes.insert(field.bytes.end(), e.begin(), e.end());
            field.bytes.resize(field.bytes.size() + slot - e.size(), 0);
        } else if (!AppendScalar(base, e, field.bytes)) {
            Fail("unknown column type " + base + "[]");
        }
    }
    field.count = static_cast<int16_t>(elements.size());
}

bool ValidType(const std::string& type)
{
    static const char* const kBase[] = {"byte", "short", "long", "float", "double"};
    std::string base = type;
    bool array = base.size() > 2 && base.compare(base.size() - 2, 2, "[]") == 0;
    if (array)
        base.resize(base.size() - 2);
    else if (type == "string")
        return true;
    for (const char* b : kBase)
        if (base == b)
            return true;
    return array && TextSlotSize(base) != 0;
}

Column ParseColumn(const std::string& text)
{
    size_t colon = text.find(':');
    if (colon == std::string::npos)
        Fail("a column is written id:type, not " + text);
    Column c;
    c.att = static_cast<int16_t>(ParseInteger(text.substr(0, colon), 1, INT16_MAX));
    c.type = text.substr(colon + 1);
    if (!ValidType(c.type))
        Fail("unknown column type " + c.type);
    return c;
}

void ParseDirective(const std::vector<std::string>& f, FileState& state)
{
    if (f[0] == "class") {
        if (f.size() != 2 || f[1].empty() || f[1].size() > 8)
            Fail("class takes one name of at most 8 characters");
        state.cls = f[1];
        return;
    }
    if (f.size() < 2 || f[1] != "key")
        Fail("columns begins with the key column");
    state.columns.clear();
    for (size_t i = 2; i < f.size(); ++i) {
        Column c = ParseColumn(f[i]);
        for (const Column& other : state.columns)
            if (other.att == c.att)
                Fail("attribute " + std::to_string(c.att) + " named twice");
        state.columns.push_back(c);
    }
    state.haveColumns = true;
}

void CheckKey(const std::string& key)
{
    if (key.empty())
        Fail("empty key");
    if (key.size() > kMaxKeyLength)
        Fail("key longer than " + std::to_string(kMaxKeyLength) + " characters: " + key);
    if (key.back() == ' ')
        Fail("key with trailing blanks: " + key);
}

Record ParseRecord(const std::vector<std::string>& f, const std::vector<bool>& quoted,
                   const FileState& state, const SourcePos& pos)
{
    if (state.cls.empty())
        Fail("a record before any class line");
    if (!state.haveColumns)
        Fail("a record before any columns line");
    if (f.size() != state.columns.size() + 1)
        Fail("expected " + std::to_string(state.columns.size() + 1) + " fields, found " +
             std::to_string(f.size()));
    CheckKey(f[0]);
    Record r{state.cls, f[0], {}, pos};
    for (size_t i = 0; i < state.columns.size(); ++i) {
        if (f[i + 1] == "-" && !quoted[i + 1])
            continue;
        Field field;
        field.att = state.columns[i].att;
        field.pos = pos;
        EncodeValue(state.columns[i].type, f[i + 1], field);
        r.fields.push_back(std::move(field));
    }
    return r;
}

}  // namespace

void SplitLine(const std::string& line, std::vector<std::string>& fields, std::vector<bool>& quoted)
{
    fields.clear();
    quoted.clear();
    size_t i = 0;
    while (true) {
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        if (i >= line.size())
            return;
        std::string field;
        bool q = line[i] == '"';
        if (q) {
            i = ReadQuoted(line, i, field);
        } else {
            while (i < line.size() && !IsBlank(line[i])) {
                if (line[i] == '"')
                    Fail("a quote inside an unquoted field");
                field += line[i++];
            }
        }
        fields.push_back(std::move(field));
        quoted.push_back(q);
    }
}

void EncodeValue(const std::string& type, const std::string& text, Field& field)
{
    field.bytes.clear();
    field.isString = false;
    if (type == "string") {
        if (text.size() > static_cast<size_t>(INT16_MAX))
            Fail("string too long");
        field.bytes.assign(text.begin(), text.end());
        field.count = static_cast<int16_t>(text.size());
        field.isString = true;
        return;
    }
    if (type.size() > 2 && type.compare(type.size() - 2, 2, "[]") == 0) {
        EncodeArray(type.substr(0, type.size() - 2), text, field);
        return;
    }
    if (!AppendScalar(type, text, field.bytes))
        Fail("unknown column type " + type);
    field.count = 1;
}

void ParseText(const std::string& fileName, const std::string& text, std::vector<Record>& out)
{
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        throw Error{fileName + ":1: a byte-order mark is not allowed"};
    FileState state;
    std::istringstream in(text);
    std::string line;
    std::vector<std::string> fields;
    std::vector<bool> quoted;
    SourcePos pos{fileName, 0};
    while (std::getline(in, line)) {
        ++pos.line;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        try {
            size_t first = line.find_first_not_of(" \t");
            if (first == std::string::npos || line[first] == '#')
                continue;
            SplitLine(line, fields, quoted);
            if (!quoted[0] && (fields[0] == "class" || fields[0] == "columns"))
                ParseDirective(fields, state);
            else
                out.push_back(ParseRecord(fields, quoted, state, pos));
        } catch (const Error& e) {
            throw Error{Where(pos) + ": " + e.message};
        }
    }
}

void ParseFile(const std::string& openPath, const std::string& shownName, std::vector<Record>& out)
{
    std::ifstream in(openPath, std::ios::binary);
    if (!in)
        throw Error{shownName + ":0: cannot read the file"};
    std::ostringstream text;
    text << in.rdbuf();
    ParseText(shownName, text.str(), out);
}

std::vector<Record> Merge(std::vector<Record> records)
{
    std::map<std::pair<std::string, std::string>, size_t> index;
    std::vector<Record> merged;
    for (Record& r : records) {
        auto [it, fresh] = index.emplace(std::make_pair(r.cls, r.key), merged.size());
        if (fresh) {
            merged.push_back(std::move(r));
            continue;
        }
        Record& into = merged[it->second];
        for (Field& f : r.fields) {
            for (const Field& have : into.fields)
                if (have.att == f.att)
                    throw Error{Where(f.pos) + ": attribute " + std::to_string(f.att) + " of " +
                                r.cls + "/" + r.key + " is given already at " + Where(have.pos)};
            into.fields.push_back(std::move(f));
        }
    }
    return merged;
}

}  // namespace tab
