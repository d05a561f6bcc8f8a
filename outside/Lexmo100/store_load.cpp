// Loads TextAPI.db through the database engine into a TextStore: the "LG"
// language records and the "TX" text records, every language of a text at
// once. The database is only read, and closed again before returning.
#include "outside/Lexmo100/text_store.h"
#include "outside/Torbase200/torbase.h"
#include <cstdlib>

namespace {

// Owns one database handle for the length of the load.
struct ReadDatabase {
    short db;
    explicit ReadDatabase(short handle) : db(handle) {}
    ~ReadDatabase() { if (db > 0) ddq_closereadfile(db); }
    ReadDatabase(const ReadDatabase&) = delete;
    ReadDatabase& operator=(const ReadDatabase&) = delete;
};

// Owns a record or value handed out by the engine.
struct EngineMemory {
    void* p;
    explicit EngineMemory(void* value) : p(value) {}
    ~EngineMemory() { ddq_freefield(p); }
    EngineMemory(const EngineMemory&) = delete;
    EngineMemory& operator=(const EngineMemory&) = delete;
};

// The record's key read as a decimal number; -1 when it is not one.
long NumericKey(short db, const ddq_record* rec)
{
    char key[64];
    short length = sizeof key;
    if (ddq_getrecordkey(db, rec, &length, key) < 0) return -1;
    char* end = nullptr;
    long value = strtol(key, &end, 10);
    if (end == key) return -1;
    while (*end == ' ') ++end;
    return *end ? -1 : value;
}

void LoadLanguage(short db, ddq_record* rec, TextStore& store)
{
    long id = NumericKey(db, rec);
    if (id < 1500 || id > 32767) return;
    LanguageInfo info;
    short count = 0;
    EngineMemory name(ddq_getfield(db, rec, kAttLanguageName, &count, nullptr, 0));
    if (name.p) info.name.assign(static_cast<const char*>(name.p), count);
    int16_t use = 0;
    if (ddq_getfield(db, rec, kAttLanguageUse, nullptr, &use, sizeof use)) info.use = use;
    store.languages[static_cast<LanguageId>(id)] = std::move(info);
}

// Every attribute of a text record is the text in the language of its id.
void LoadText(short db, ddq_record* rec, TextStore& store)
{
    long id = NumericKey(db, rec);
    if (id < 0 || id > 0xFFFF) return;
    short att = 0, count = 0;
    for (void* value = ddq_firstfield(db, rec, &att, &count, nullptr, 0); value;
         value = ddq_nextfield(db, rec, &att, &count, nullptr, 0)) {
        EngineMemory text(value);
        if (att >= 1500 && count >= 0)
            store.texts[TextStore_Key(att, static_cast<TextId>(id))]
                .assign(static_cast<const char*>(value), count);
    }
}

// Walks every record of a class.
template <typename Load>
void LoadClass(short db, const char* cls, TextStore& store, Load load)
{
    ddq_record* rec = ddq_findfirst(db, cls);
    while (rec) {
        EngineMemory owned(rec);
        load(db, rec, store);
        rec = ddq_findnext(db, rec);
    }
}

}  // namespace

bool TextStore_Load(const char* dbPath, const char* schemaPath, TextStore& store)
{
    store = {};
    ReadDatabase file(ddq_openwithschema(schemaPath, dbPath, 0));
    if (file.db <= 0 || ddq_beginread(file.db) < 0) return false;
    LoadClass(file.db, kLanguageClass, store, LoadLanguage);
    LoadClass(file.db, kTextClass, store, LoadText);
    return true;
}
