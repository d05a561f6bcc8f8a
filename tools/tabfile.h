// Reads the table sources of data/ (*.tab) into records of typed attributes.
// Only parsing and checking happen here; writing a database is dbwriter.cpp.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tab {

// Longest record key any database of ours accepts.
constexpr size_t kMaxKeyLength = 39;

// Where a value came from, for messages.
struct SourcePos {
    std::string file;
    int line = 0;
};

// One attribute: its id, its bytes as the engine stores them and its count.
struct Field {
    int16_t att = 0;
    int16_t count = 0;
    bool isString = false;   // written in a string column
    std::vector<uint8_t> bytes;
    SourcePos pos;
};

struct Record {
    std::string cls;
    std::string key;
    std::vector<Field> fields;
    SourcePos pos;
};

// A faulty source: the message names file and line.
struct Error {
    std::string message;
};

// Parses one source text; appends its records. Throws Error.
void ParseText(const std::string& fileName, const std::string& text, std::vector<Record>& out);

// Reads and parses the file at openPath; messages name it shownName. Throws Error.
void ParseFile(const std::string& openPath, const std::string& shownName, std::vector<Record>& out);

// Merges records of the same class and key attribute by attribute; the same
// attribute given twice is an Error naming both places.
std::vector<Record> Merge(std::vector<Record> records);

// Splits one line into fields (quotes and escapes resolved). quoted[i] tells
// whether field i was written in quotes. Throws Error (message without place).
void SplitLine(const std::string& line, std::vector<std::string>& fields, std::vector<bool>& quoted);

// Encodes one field text as an attribute of the given column type
// ("float", "short[]", "text99[]", ...). Throws Error (message without place).
void EncodeValue(const std::string& type, const std::string& text, Field& field);

}  // namespace tab
