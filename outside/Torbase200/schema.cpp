// The text schema: record classes with their key widths and the element size
// of attribute ids. Parsing only; the engine asks it through Schema methods.
#include "engine.h"
#include <fstream>
#include <sstream>

int Schema::KeyWidthOf(const std::string& cls) const
{
    auto it = keyWidth.find(cls);
    return it != keyWidth.end() ? it->second : defaultKeyWidth;
}

AttSpec Schema::SpecOf(int16_t id) const
{
    auto it = atts.find(id);
    if (it != atts.end())
        return it->second;
    int r = id % 1000;
    AttSpec s;
    if (r >= 100 && r <= 199) s.elementSize = 2;
    else if (r >= 200 && r <= 249) s.elementSize = 4;
    else if (r >= 300 && r <= 399) s.elementSize = 4;
    else if (r >= 400 && r <= 499) s.elementSize = 8;
    else if (r >= 500 && r <= 599) s.isString = true;
    else if (r >= 600 && r <= 899) s.known = false;
    return s;
}

static bool ParseInt(const std::string& text, long lo, long hi, long* out)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    long v = strtol(text.c_str(), &end, 10);
    if (*end != '\0' || v < lo || v > hi)
        return false;
    *out = v;
    return true;
}

// "att ID SIZE" or "att LO-HI SIZE"; SIZE a byte count or "string".
static bool ParseAtt(std::istringstream& in, Schema* s)
{
    std::string ids, size;
    if (!(in >> ids >> size))
        return false;
    long lo, hi;
    size_t dash = ids.find('-', 1);
    if (dash == std::string::npos) {
        if (!ParseInt(ids, -32768, 32767, &lo)) return false;
        hi = lo;
    } else if (!ParseInt(ids.substr(0, dash), -32768, 32767, &lo) ||
               !ParseInt(ids.substr(dash + 1), lo, 32767, &hi)) {
        return false;
    }
    AttSpec layout;
    long bytes;
    if (size == "string") layout.isString = true;
    else if (ParseInt(size, 1, 65535, &bytes)) layout.elementSize = uint32_t(bytes);
    else return false;
    for (long id = lo; id <= hi; ++id)
        s->atts[int16_t(id)] = layout;
    return true;
}

static bool ParseClass(std::istringstream& in, Schema* s)
{
    std::string name, width;
    long w;
    if (!(in >> name >> width) || !ParseInt(width, 1, 255, &w) || name.size() > 255)
        return false;
    if (name == "*") s->defaultKeyWidth = int(w);
    else s->keyWidth[name] = int(w);
    return true;
}

SchemaPtr Schema_Parse(const std::string& text, std::string* error)
{
    auto s = std::make_shared<Schema>();
    std::istringstream lines(text);
    std::string line;
    bool headerSeen = false;
    for (int n = 1; std::getline(lines, line); ++n) {
        if (size_t hash = line.find('#'); hash != std::string::npos)
            line.resize(hash);
        std::istringstream in(line);
        std::string word, rest;
        if (!(in >> word))
            continue;
        bool ok;
        if (!headerSeen) ok = word == "torbase-schema" && (in >> rest) && rest == "1";
        else if (word == "class") ok = ParseClass(in, s.get());
        else if (word == "att") ok = ParseAtt(in, s.get());
        else ok = false;
        if (ok && (in >> rest)) ok = false;   // nothing may follow a statement
        if (!ok) {
            *error = "line " + std::to_string(n) + ": " + line;
            return nullptr;
        }
        headerSeen = true;
    }
    if (!headerSeen) {
        *error = "not a schema";
        return nullptr;
    }
    return s;
}

SchemaPtr Schema_Load(const char* path)
{
    if (!path)
        return nullptr;
    std::ifstream f(path, std::ios::binary);
    if (!f)
        return nullptr;
    std::ostringstream text;
    text << f.rdbuf();
    std::string error;
    return Schema_Parse(text.str(), &error);
}
