// Internals of the engine shared by its source files: the schema, records in
// memory, open databases and the one globals record of the module.
#pragma once
#include <windows.h>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>
#define TORBASE_BUILD
#include "outside/Torbase200/torbase.h"

// Limits of what the file format can hold: a class name or key takes one
// length byte, a record's attribute count two.
constexpr size_t kMaxNameBytes = 255;
constexpr size_t kMaxAttributes = 65535;

// How the engine stores one attribute id.
struct AttSpec {
    uint32_t elementSize = 1;
    bool isString = false;
    bool known = true;   // false: a structured id the schema does not size
};

struct Schema {
    std::map<std::string, int> keyWidth;   // class -> key width
    int defaultKeyWidth = 0;               // "class *", 0 when not given
    std::map<int16_t, AttSpec> atts;       // ids the schema names

    int KeyWidthOf(const std::string& cls) const;   // 0: class unknown
    AttSpec SpecOf(int16_t id) const;
};
using SchemaPtr = std::shared_ptr<const Schema>;

// Parses schema text; nullptr with *error set when it is faulty.
SchemaPtr Schema_Parse(const std::string& text, std::string* error);
SchemaPtr Schema_Load(const char* path);

struct AttValue {
    uint16_t count = 0;
    std::vector<uint8_t> bytes;
};
using AttMap = std::map<int16_t, AttValue>;

// A stored record's place: class, then key without trailing blanks.
struct RecordKey {
    std::string cls;
    std::string key;
    auto operator<=>(const RecordKey&) const = default;
};
using RecordMap = std::map<RecordKey, AttMap>;

// Key without trailing blanks.
std::string TrimKey(const char* key);

// What callers hold: an independent copy, carrying its schema.
struct ddq_record {
    SchemaPtr schema;
    RecordKey where;
    AttMap atts;
    bool walking = false;   // ddq_firstfield/ddq_nextfield position
    int16_t walkedId = 0;
};

// Identity and size of a file, to tell whether it changed since it was read.
struct FileStamp {
    DWORD volume = 0, indexHigh = 0, indexLow = 0, sizeHigh = 0, sizeLow = 0;
    FILETIME written = {};
    bool operator==(const FileStamp& o) const;
};

// The write lock: a lock file beside the database held open unshared.
class WriteLock {
public:
    ~WriteLock() { Release(); }
    short Acquire(const std::string& dbPath);
    void Release();
    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    std::string path_;
};

enum class Txn { None, Read, Write };

struct Database {
    SchemaPtr schema;
    std::string path;
    RecordMap records;
    bool hasContent = false;   // false: file missing or empty
    FileStamp stamp;
    Txn txn = Txn::None;
    bool readUse = false;
    bool dirty = false;
    WriteLock lock;
};

// Module state: handle tables under one mutex (callers may use threads).
struct EngineGlobals {
    std::mutex mutex;
    std::map<short, SchemaPtr> schemas;
    std::map<short, std::unique_ptr<Database>> databases;
    short lastHandle = 0;
};
EngineGlobals& Engine();

// Database file format (dbfile.cpp).
std::vector<uint8_t> DbFile_Encode(const RecordMap& records);
// DDQ_EDAMAGED also for a record or value the schema does not allow: callers
// may rely on every value being count whole elements of the schema's size.
short DbFile_Decode(const uint8_t* data, size_t size, const Schema& schema, RecordMap* records);
// Reads the file at path: DDQ_ENOFILE when missing or empty.
short DbFile_Read(const std::string& path, const Schema& schema, RecordMap* records, FileStamp* stamp);
// Current stamp of the file; false when it cannot be opened.
bool DbFile_Stamp(const std::string& path, FileStamp* stamp);
// Writes records to a new file beside path and replaces path with it.
short DbFile_Commit(const std::string& path, const RecordMap& records);

// File writes go through here so that a test build can make them fail.
bool Io_Write(HANDLE file, const void* data, DWORD size);
bool Io_Replace(const char* from, const char* to);
// Whether a record may be stored under key (a test build can refuse some).
bool Io_MayStore(const std::string& key);

// Blocks handed to callers (memory.cpp); both kinds are freed by ddq_free*.
void* Mem_NewValue(size_t size);
ddq_record* Mem_NewRecord();
void Mem_Free(void* p);

// Attribute access on a record in memory (record.cpp).
void* Rec_CopyOut(const AttValue& v, bool isString, short* count, void* buffer, short length);
// Sets att in atts; atts is unchanged on failure.
short Rec_Put(const Schema& schema, AttMap& atts, int16_t att, const void* data, short count);
