// The database engine on real files: schema, keys and their order, handles,
// attribute reads and writes, transactions across processes, atomic commit
// under injected write faults, and damaged files.
#include <gtest/gtest.h>
#include <cstdint>
#include <cstring>
#include <set>
#include "outside/Torbase200/torbase.h"
#include "testfiles.h"

// Test build of the engine only: write faults on demand.
extern "C" __declspec(dllimport) void WINAPI ddq_test_faults(long long bytes, BOOL failReplace);

namespace {

const char* kSchema =
    "torbase-schema 1\n"
    "# test schema\n"
    "class A 11\n"
    "class B 8\n"
    "att 7701 12\n"
    "att 1607 string\n";

class Engine : public ::testing::Test {
protected:
    TempFolder dir;
    std::string schemaPath = dir.Path("TEST.DDQ");
    std::string dbPath = dir.Path("test.db");
    short schema = -1;

    void SetUp() override
    {
        WriteText(schemaPath, kSchema);
        schema = ddq_opendatabase(schemaPath.c_str(), 1);
        ASSERT_GT(schema, 0);
    }
    void TearDown() override
    {
        ddq_test_faults(-1, FALSE);
        ddq_closedatabase(schema);
    }
    // A new database file holding records; returns the open handle.
    short Create()
    {
        short db = ddq_openfile(schema, dbPath.c_str(), 10, 0);
        EXPECT_GT(db, 0);
        EXPECT_EQ(ddq_createfile(db), 0);
        return db;
    }
    static void Put(short db, const char* cls, const char* key, short att, const char* text)
    {
        ASSERT_EQ(ddq_putstoredfield(db, cls, key, att, text, short(strlen(text))), 0) << key;
    }
    static std::string KeyOf(short db, const ddq_record* rec)
    {
        char key[64] = {};
        short length = sizeof key;
        if (ddq_getrecordkey(db, rec, &length, key) < 0)
            return "?";
        return key;
    }
    // The keys of a walk with ddq_findnext (class) or ddq_nextrecord (all).
    static std::vector<std::string> Walk(short db, ddq_record* rec, bool allClasses)
    {
        std::vector<std::string> keys;
        while (rec) {
            keys.push_back(KeyOf(db, rec));
            ddq_record* next = allClasses ? ddq_nextrecord(db, rec) : ddq_findnext(db, rec);
            ddq_freerecord(rec);
            rec = next;
        }
        return keys;
    }
};

TEST(Schema, FaultySchemaFilesAreRefused)
{
    struct Row { const char* name; const char* text; bool ok; } rows[] = {
        {"minimal", "torbase-schema 1\nclass A 11\n", true},
        {"comments and ranges", "# c\ntorbase-schema 1 # v\nclass * 40\natt 600-899 4\n", true},
        {"no header", "class A 11\n", false},
        {"wrong version", "torbase-schema 2\nclass A 11\n", false},
        {"key width 0", "torbase-schema 1\nclass A 0\n", false},
        {"key width too big", "torbase-schema 1\nclass A 256\n", false},
        {"size not a number", "torbase-schema 1\natt 7701 twelve\n", false},
        {"range backwards", "torbase-schema 1\natt 900-800 4\n", false},
        {"trailing word", "torbase-schema 1\nclass A 11 x\n", false},
        {"unknown statement", "torbase-schema 1\ntable A\n", false},
        {"empty", "", false},
    };
    TempFolder dir;
    for (const Row& r : rows) {
        WriteText(dir.Path("s.ddq"), r.text);
        short h = ddq_opendatabase(dir.Path("s.ddq").c_str(), 1);
        EXPECT_EQ(h > 0, r.ok) << r.name;
        ddq_closedatabase(h);
    }
    EXPECT_EQ(ddq_opendatabase(dir.Path("missing.ddq").c_str(), 1), DDQ_ESCHEMA);
    EXPECT_EQ(ddq_opendatabase(nullptr, 1), DDQ_ESCHEMA);
}

TEST_F(Engine, HandlesAreNever100Or200AndClosedOnesAreRefused)
{
    std::set<short> seen;
    for (int i = 0; i < 300; ++i) {
        short db = ddq_openfile(schema, dbPath.c_str(), 10, 0);
        ASSERT_GT(db, 0);
        EXPECT_NE(db, 100);
        EXPECT_NE(db, 200);
        EXPECT_TRUE(seen.insert(db).second) << "handle reused: " << db;
        ASSERT_EQ(ddq_closefile(db), 0);
        EXPECT_EQ(ddq_closefile(db), DDQ_EHANDLE);
        EXPECT_EQ(ddq_begintransaction(db, 1), DDQ_EHANDLE);
        EXPECT_EQ(ddq_lookupkey(db, "A", "X"), DDQ_EHANDLE);
        EXPECT_EQ(ddq_findfirst(db, "A"), nullptr);
    }
    EXPECT_EQ(ddq_openfile(schema, nullptr, 10, 0), DDQ_EARG);
    EXPECT_EQ(ddq_openfile(12345, dbPath.c_str(), 10, 0), DDQ_EHANDLE);
}

TEST_F(Engine, AMissingFileOpensEmptyAndNeedsCreating)
{
    short db = ddq_openfile(schema, dbPath.c_str(), 10, 0);
    ASSERT_GT(db, 0);
    EXPECT_EQ(ddq_begintransaction(db, 1), DDQ_ENOFILE);
    EXPECT_EQ(ddq_beginread(db), DDQ_ENOFILE);
    EXPECT_FALSE(Exists(dbPath + ".lock"));
    EXPECT_EQ(ddq_createfile(db), 0);
    EXPECT_EQ(ddq_begintransaction(db, 1), 0);
    EXPECT_EQ(ddq_intransaction(db), 1);
    EXPECT_EQ(ddq_endtransaction(db), 0);
    EXPECT_EQ(ddq_intransaction(db), 0);
    ddq_closefile(db);
    WriteAll(dbPath, {});
    db = ddq_openfile(schema, dbPath.c_str(), 10, 0);
    EXPECT_EQ(ddq_begintransaction(db, 0), DDQ_ENOFILE) << "an empty file is no database yet";
    ddq_closefile(db);
}

TEST_F(Engine, KeysIgnoreTrailingBlanksAndOrderBytewiseWithinTheirClass)
{
    short db = Create();
    ASSERT_EQ(ddq_begintransaction(db, 1), 0);
    for (const char* key : {"P002", "P001P000002", "P001", "P001P000001", "GENERALDATA", "\xC3\xA4"})
        Put(db, "A", key, 501, key);
    Put(db, "B", "first", 501, "b");
    Put(db, "B", "second", 501, "b");
    EXPECT_EQ(ddq_lookupkey(db, "A", "P001       "), 1);
    EXPECT_EQ(ddq_lookupkey(db, "A", "P001"), 1);
    EXPECT_EQ(ddq_lookupkey(db, "A", "P003"), 0);
    EXPECT_EQ(ddq_lookupkey(db, "A", "P001P0000011"), DDQ_EARG) << "longer than the key width";
    EXPECT_EQ(ddq_lookupkey(db, "C", "P001"), DDQ_EARG) << "class not in the schema";

    std::vector<std::string> inA = {"GENERALDATA", "P001       ", "P001P000001", "P001P000002",
                                    "P002       ", "\xC3\xA4         "};
    EXPECT_EQ(Walk(db, ddq_findfirst(db, "A"), false), inA);
    std::vector<std::string> all = inA;
    all.insert(all.end(), {"first   ", "second  "});
    EXPECT_EQ(Walk(db, ddq_findfirst(db, "A"), true), all);

    struct Row { const char* name; const char* key; short mode; const char* found; } rows[] = {
        {"exact hit", "P001", DDQ_FIND_EXACT, "P001       "},
        {"exact with blanks", "P001P000001 ", DDQ_FIND_EXACT, "P001P000001"},
        {"exact miss", "P001P000003", DDQ_FIND_EXACT, nullptr},
        {"equal", "P002", DDQ_FIND_EQUAL_OR_NEXT, "P002       "},
        {"next", "P001P000003", DDQ_FIND_EQUAL_OR_NEXT, "P002       "},
        {"next stays in class", "\xC3\xA5", DDQ_FIND_EQUAL_OR_NEXT, nullptr},
        {"unknown mode", "P001", 7, nullptr},
    };
    for (const Row& r : rows) {
        ddq_record* rec = ddq_findkey(db, "A", r.key, r.mode);
        EXPECT_EQ(rec ? KeyOf(db, rec) : std::string("(none)"), r.found ? r.found : "(none)") << r.name;
        ddq_freerecord(rec);
    }
    ddq_endtransaction(db);
    ddq_closefile(db);
}

TEST_F(Engine, NextRecordWorksAfterTheCurrentRecordWasDeleted)
{
    short db = Create();
    ASSERT_EQ(ddq_begintransaction(db, 1), 0);
    for (const char* key : {"K1", "K2", "K3"})
        Put(db, "A", key, 501, key);
    ddq_record* rec = ddq_findkey(db, "A", "K1", DDQ_FIND_EXACT);
    std::vector<std::string> walked;
    while (rec) {
        walked.push_back(KeyOf(db, rec));
        char key[20] = {};
        short length = sizeof key;
        ddq_getrecordkey(db, rec, &length, key);
        EXPECT_EQ(ddq_deleterecord(db, "A", key), 0);
        ddq_record* next = ddq_nextrecord(db, rec);
        ddq_freerecord(rec);
        rec = next;
    }
    EXPECT_EQ(walked.size(), 3u);
    EXPECT_EQ(ddq_findfirst(db, "A"), nullptr);
    EXPECT_EQ(ddq_deleterecord(db, "A", "K1"), DDQ_ENOTFOUND);
    ddq_endtransaction(db);
    ddq_closefile(db);
}

TEST_F(Engine, GetFieldCopiesWithinTheBufferAndOwnsNothingItHandsOut)
{
    short db = Create();
    ASSERT_EQ(ddq_begintransaction(db, 1), 0);
    Put(db, "A", "R", 501, "abc\xC3\xA4");   // 5 bytes, the last character two bytes
    short ints[3] = {7, 8, 9};
    ASSERT_EQ(ddq_putstoredfield(db, "A", "R", 101, ints, 3), 0);
    ddq_record* rec = ddq_findkey(db, "A", "R", DDQ_FIND_EXACT);
    ASSERT_NE(rec, nullptr);

    struct Row { const char* name; short att; short length; short count; const char* bytes; } rows[] = {
        {"whole string, terminated", 501, 10, 5, "abc\xC3\xA4\0"},
        {"string cut before a character", 501, 5, 3, "abc\0##"},
        {"string cut exactly", 501, 6, 5, "abc\xC3\xA4\0"},
        {"string into one byte", 501, 1, 0, "\0##"},
        {"whole elements only", 101, 5, 2, "\x07\0\x08\0##"},
        {"no room", 101, 1, 0, "##"},
    };
    for (const Row& r : rows) {
        char buffer[16];
        memset(buffer, '#', sizeof buffer);
        short count = -1;
        EXPECT_EQ(ddq_getfield(db, rec, r.att, &count, buffer, r.length), buffer) << r.name;
        EXPECT_EQ(count, r.count) << r.name;
        size_t checked = strlen(r.bytes) + 1;
        for (size_t i = 0; i < checked && r.bytes[i] != '#'; ++i)
            EXPECT_EQ(buffer[i], r.bytes[i]) << r.name << " byte " << i;
        EXPECT_EQ(buffer[r.length], '#') << r.name << ": wrote past the length";
    }
    char buffer[8];
    EXPECT_EQ(ddq_getfield(db, rec, 501, nullptr, buffer, sizeof buffer), buffer) << "NULL count";
    EXPECT_EQ(ddq_getfield(db, rec, 502, nullptr, buffer, sizeof buffer), nullptr) << "absent";

    short count = 0;
    char* own = static_cast<char*>(ddq_getfield(db, rec, 501, &count, nullptr, 0));
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(count, 5);
    ddq_freerecord(rec);
    ddq_endtransaction(db);
    ddq_closefile(db);
    EXPECT_STREQ(own, "abc\xC3\xA4") << "engine memory outlives its record and database";
    ddq_freerecord(own);   // each free accepts what the other is given

    db = ddq_openfile(schema, dbPath.c_str(), 10, 0);
    rec = ddq_findkey(db, "A", "R", DDQ_FIND_EXACT);
    ddq_closefile(db);
    EXPECT_NE(ddq_getfield(db, rec, 501, nullptr, buffer, sizeof buffer), nullptr)
        << "a record outlives its database";
    ddq_freefield(rec);
    ddq_freefield(nullptr);
    ddq_freerecord(nullptr);
}

TEST_F(Engine, RecordsChangeInMemoryOnlyAsAsked)
{
    short db = Create();
    ASSERT_EQ(ddq_begintransaction(db, 1), 0);
    ddq_record* rec = ddq_newrecord(db, "A", "R");
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(ddq_newrecord(db, "A", "TWELVE CHARS"), nullptr);
    EXPECT_EQ(ddq_newrecord(db, "Z", "R"), nullptr);
    short v = 5;
    EXPECT_EQ(ddq_putfield(db, &rec, 101, &v, 1), 0);
    EXPECT_EQ(ddq_putfield(db, &rec, 1700, &v, 1), DDQ_EARG) << "structured id the schema does not size";
    EXPECT_EQ(ddq_putfield(db, &rec, 101, nullptr, 2), DDQ_EARG);
    EXPECT_EQ(ddq_putfield(db, &rec, 101, &v, -1), DDQ_EARG);
    short got = 0;
    EXPECT_NE(ddq_getfield(db, rec, 101, nullptr, &got, sizeof got), nullptr);
    EXPECT_EQ(got, 5) << "a refused put leaves the value";
    EXPECT_EQ(ddq_getfield(db, rec, 1700, nullptr, &got, sizeof got), nullptr);
    char stamp[12] = "EDT1abcdefg";
    EXPECT_EQ(ddq_putfield(db, &rec, 7701, stamp, 1), 0);
    EXPECT_EQ(ddq_writerecord(db, rec), 0);

    // The walk gives every attribute in id order.
    std::vector<short> ids;
    short att, count;
    for (void* p = ddq_firstfield(db, rec, &att, &count, nullptr, 0); p;
         p = ddq_nextfield(db, rec, &att, &count, nullptr, 0)) {
        ids.push_back(att);
        ddq_freefield(p);
    }
    EXPECT_EQ(ids, (std::vector<short>{101, 7701}));

    // A record written with no attributes replaces the stored one entirely.
    EXPECT_EQ(ddq_clearfields(db, rec), 0);
    EXPECT_EQ(ddq_writerecord(db, rec), 0);
    EXPECT_EQ(ddq_getstoredfield(db, "A", "R", 101, nullptr, &got, sizeof got), 0);
    EXPECT_EQ(ddq_lookupkey(db, "A", "R"), 1);

    // Rekeying stores the record anew; the old one stays.
    EXPECT_EQ(ddq_putfield(db, &rec, 101, &v, 1), 0);
    EXPECT_EQ(ddq_rekeyrecord(db, rec, "B", "S"), 0);
    EXPECT_EQ(ddq_writerecord(db, rec), 0);
    EXPECT_EQ(ddq_lookupkey(db, "A", "R"), 1);
    EXPECT_EQ(ddq_getstoredfield(db, "B", "S", 101, nullptr, &got, sizeof got), 1);
    EXPECT_EQ(ddq_removefield(db, &rec, 101), 0);
    EXPECT_EQ(ddq_removefield(db, &rec, 101), DDQ_ENOTFOUND);
    EXPECT_EQ(ddq_deletestoredfield(db, "B", "S", 101), 0);
    EXPECT_EQ(ddq_deletestoredfield(db, "B", "S", 101), DDQ_ENOTFOUND);
    ddq_freerecord(rec);
    ddq_endtransaction(db);
    ddq_closefile(db);
}

TEST_F(Engine, ChangesNeedAWriteTransactionAndReachTheFileAtItsEnd)
{
    short db = Create();
    short v = 1;
    ddq_record* rec = ddq_newrecord(db, "A", "R");
    EXPECT_EQ(ddq_writerecord(db, rec), DDQ_ESTATE);
    EXPECT_EQ(ddq_putstoredfield(db, "A", "R", 101, &v, 1), DDQ_ESTATE);
    ASSERT_EQ(ddq_begintransaction(db, 0), 0);
    EXPECT_EQ(ddq_putstoredfield(db, "A", "R", 101, &v, 1), DDQ_ESTATE) << "read transaction";
    EXPECT_EQ(ddq_begintransaction(db, 1), DDQ_ESTATE);
    ddq_endtransaction(db);
    EXPECT_EQ(ddq_endtransaction(db), DDQ_ESTATE);

    ASSERT_EQ(ddq_begintransaction(db, 1), 0);
    EXPECT_EQ(ddq_writerecord(db, rec), 0);
    EXPECT_EQ(ddq_endtransaction(db), 0);
    // A transaction left open at close is dropped.
    ASSERT_EQ(ddq_begintransaction(db, 1), 0);
    EXPECT_EQ(ddq_deleterecord(db, "A", "R"), 0);
    ddq_closefile(db);
    ddq_freerecord(rec);

    short again = ddq_openfile(schema, dbPath.c_str(), 10, 0);
    EXPECT_EQ(ddq_lookupkey(again, "A", "R"), 1);
    ddq_closefile(again);
    EXPECT_FALSE(Exists(dbPath + ".lock"));
    EXPECT_FALSE(Exists(dbPath + ".new"));
}

TEST_F(Engine, ASecondWriterIsRefusedAtOnceInThisAndAnotherProcess)
{
    short db = Create();
    short other = ddq_openfile(schema, dbPath.c_str(), 10, 0);
    ASSERT_EQ(ddq_begintransaction(db, 1), 0);
    EXPECT_EQ(ddq_begintransaction(other, 1), DDQ_ELOCKED);
    EXPECT_EQ(ddq_begintransaction(other, 0), 0) << "readers are not held up";
    ddq_endtransaction(other);
    ddq_endtransaction(db);
    ddq_closefile(db);

    Holder holder;
    ASSERT_EQ(holder.Start(schemaPath, dbPath), 0);
    EXPECT_EQ(ddq_begintransaction(other, 1), DDQ_ELOCKED);
    EXPECT_EQ(ddq_createfile(other), DDQ_ELOCKED);
    EXPECT_EQ(holder.Release(), 0) << "the holder's own commit";
    EXPECT_EQ(ddq_begintransaction(other, 1), 0) << "free again when the holder ended";
    char mark = 0;
    EXPECT_EQ(ddq_getstoredfield(other, "A", "GENERALDATA", 1, nullptr, &mark, 1), 1);
    EXPECT_EQ(mark, 'H') << "the holder's change is seen";
    ddq_endtransaction(other);
    ddq_closefile(other);
}

TEST_F(Engine, AnotherHandlesCommitIsSeenAtTheNextTransaction)
{
    short a = Create();
    short b = ddq_openfile(schema, dbPath.c_str(), 10, 0);
    ASSERT_EQ(ddq_begintransaction(a, 1), 0);
    Put(a, "A", "R", 501, "new");
    ASSERT_EQ(ddq_endtransaction(a), 0);
    EXPECT_EQ(ddq_lookupkey(b, "A", "R"), 0) << "b read the file before";
    ASSERT_EQ(ddq_beginread(b), 0);
    EXPECT_EQ(ddq_lookupkey(b, "A", "R"), 1);
    ddq_endread(b);
    ddq_closereadfile(b);
    ddq_closefile(a);
}

// A commit that fails part-way keeps the previous file whole and openable.
TEST_F(Engine, AFailedCommitLeavesThePreviousFileIntact)
{
    short db = Create();
    ASSERT_EQ(ddq_begintransaction(db, 1), 0);
    Put(db, "A", "OLD", 501, "kept");
    ASSERT_EQ(ddq_endtransaction(db), 0);
    std::vector<unsigned char> before = ReadAll(dbPath);

    struct Row { const char* name; long long bytes; BOOL failReplace; } rows[] = {
        {"nothing written", 0, FALSE},
        {"torn after the header", 40, FALSE},
        {"all written, replace fails", -1, TRUE},
    };
    for (const Row& r : rows) {
        ASSERT_EQ(ddq_begintransaction(db, 1), 0) << r.name;
        Put(db, "A", "NEW", 501, "lost");
        ddq_test_faults(r.bytes, r.failReplace);
        EXPECT_EQ(ddq_endtransaction(db), DDQ_EIO) << r.name;
        ddq_test_faults(-1, FALSE);
        EXPECT_EQ(ReadAll(dbPath), before) << r.name;
        EXPECT_FALSE(Exists(dbPath + ".new")) << r.name;
        EXPECT_EQ(ddq_lookupkey(db, "A", "NEW"), 0) << r.name << ": the failed change is dropped";
        short again = ddq_openfile(schema, dbPath.c_str(), 10, 0);
        ASSERT_GT(again, 0) << r.name;
        EXPECT_EQ(ddq_lookupkey(again, "A", "OLD"), 1) << r.name;
        ddq_closefile(again);
    }
    ddq_closefile(db);
}

// A commit inside the transaction writes the changes and keeps the lock; a
// failed one leaves the file as it was and keeps the changes for the next.
TEST_F(Engine, ACommitWithinTheTransactionKeepsTheChangesWhenItFails)
{
    short db = Create();
    short other = ddq_openfile(schema, dbPath.c_str(), 10, 0);
    EXPECT_EQ(ddq_commit(db), DDQ_ESTATE) << "outside a write transaction";
    ASSERT_EQ(ddq_begintransaction(db, 1), 0);
    Put(db, "A", "OLD", 501, "kept");
    ASSERT_EQ(ddq_commit(db), 0);
    EXPECT_EQ(ddq_begintransaction(other, 1), DDQ_ELOCKED) << "still held";
    std::vector<unsigned char> before = ReadAll(dbPath);

    Put(db, "A", "NEW", 501, "pending");
    ddq_test_faults(40, FALSE);
    EXPECT_EQ(ddq_commit(db), DDQ_EIO);
    ddq_test_faults(-1, FALSE);
    EXPECT_EQ(ReadAll(dbPath), before);
    EXPECT_EQ(ddq_lookupkey(db, "A", "NEW"), 1) << "the failed change is kept";
    ASSERT_EQ(ddq_commit(db), 0);
    ASSERT_EQ(ddq_beginread(other), 0);
    EXPECT_EQ(ddq_lookupkey(other, "A", "OLD"), 1);
    EXPECT_EQ(ddq_lookupkey(other, "A", "NEW"), 1);
    ddq_endread(other);
    ddq_endtransaction(db);
    ddq_closefile(other);
    ddq_closefile(db);
}

// Every truncation and every flipped byte of a small database is refused
// (or, never here, read); nothing crashes and the engine stays usable.
TEST_F(Engine, DamagedFilesAreRefusedWithAnError)
{
    short db = Create();
    ASSERT_EQ(ddq_begintransaction(db, 1), 0);
    Put(db, "A", "GENERALDATA", 501, "project");
    Put(db, "A", "P001", 1607, "type");
    short v[2] = {1, 2};
    ASSERT_EQ(ddq_putstoredfield(db, "B", "X", 101, v, 2), 0);
    ASSERT_EQ(ddq_endtransaction(db), 0);
    ddq_closefile(db);
    const std::vector<unsigned char> good = ReadAll(dbPath);
    ASSERT_GT(good.size(), 40u);
    std::string damaged = dir.Path("damaged.db");

    auto opens = [&](const std::vector<unsigned char>& bytes) {
        WriteAll(damaged, bytes);
        short h = ddq_openfile(schema, damaged.c_str(), 10, 0);
        if (h > 0) {
            for (ddq_record* r = ddq_findfirst(h, "A"); r;) {
                ddq_record* next = ddq_nextrecord(h, r);
                ddq_freerecord(r);
                r = next;
            }
            ddq_closefile(h);
        }
        return h;
    };
    for (size_t n = 1; n < good.size(); ++n) {
        std::vector<unsigned char> cut(good.begin(), good.begin() + n);
        EXPECT_EQ(opens(cut), DDQ_EDAMAGED) << "truncated at " << n;
    }
    for (size_t i = 0; i < good.size(); ++i) {
        std::vector<unsigned char> flipped = good;
        flipped[i] ^= 0x5A;
        EXPECT_EQ(opens(flipped), DDQ_EDAMAGED) << "byte " << i << " flipped";
    }
    std::vector<unsigned char> foreign(good.size(), 'x');
    EXPECT_EQ(opens(foreign), DDQ_EDAMAGED);
    std::vector<unsigned char> longer = good;
    longer.push_back(0);
    EXPECT_EQ(opens(longer), DDQ_EDAMAGED);
    EXPECT_GT(opens(good), 0);
}

// Files written to the format with correct checksums but contents the engine
// never writes: every count and length is checked against the bytes present
// and every key and value against the schema, so a caller can trust them.
namespace crafted {

uint32_t Crc32(const std::vector<uint8_t>& bytes, size_t from, size_t n)
{
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = from; i < from + n; ++i) {
        c ^= bytes[i];
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    return c ^ 0xFFFFFFFFu;
}

template <typename T> void Put(std::vector<uint8_t>& out, T v)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&v);
    out.insert(out.end(), p, p + sizeof v);
}

struct Att {
    int16_t id;
    uint16_t count;
    std::vector<uint8_t> bytes;
    uint32_t size = UINT32_MAX;   // the byte count written; default bytes.size()
};

std::vector<uint8_t> Record(const std::string& cls, const std::string& key, const std::vector<Att>& atts,
                            int attCount = -1)
{
    std::vector<uint8_t> out;
    Put<uint8_t>(out, uint8_t(cls.size()));
    out.insert(out.end(), cls.begin(), cls.end());
    Put<uint8_t>(out, uint8_t(key.size()));
    out.insert(out.end(), key.begin(), key.end());
    Put<uint16_t>(out, uint16_t(attCount >= 0 ? attCount : int(atts.size())));
    for (const Att& a : atts) {
        Put<int16_t>(out, a.id);
        Put<uint16_t>(out, a.count);
        Put<uint32_t>(out, a.size != UINT32_MAX ? a.size : uint32_t(a.bytes.size()));
        out.insert(out.end(), a.bytes.begin(), a.bytes.end());
    }
    return out;
}

std::vector<uint8_t> operator+(std::vector<uint8_t> a, const std::vector<uint8_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Header and body with both checksums right.
std::vector<uint8_t> File(const std::vector<uint8_t>& body, uint32_t records, uint32_t version = 1,
                          uint64_t bodySize = UINT64_MAX)
{
    std::vector<uint8_t> out = {'T', 'O', 'R', 'B', 'A', 'S', 'E', 0x1a};
    Put<uint32_t>(out, version);
    Put<uint32_t>(out, records);
    Put<uint64_t>(out, bodySize != UINT64_MAX ? bodySize : body.size());
    out.resize(32);   // the two checksums, filled in below
    out = out + body;
    uint32_t bodyCrc = Crc32(out, 32, body.size());
    memcpy(&out[24], &bodyCrc, 4);
    uint32_t headerCrc = Crc32(out, 0, 28);
    memcpy(&out[28], &headerCrc, 4);
    return out;
}

}  // namespace crafted

TEST_F(Engine, CraftedFilesWithRightChecksumsAreCheckedThroughout)
{
    using namespace crafted;
    const std::vector<uint8_t> two = {1, 0, 2, 0};
    const auto good = Record("A", "R", {{101, 2, two}, {1607, 3, {'a', 'b', 'c'}}});
    struct Row { const char* name; std::vector<uint8_t> file; } rows[] = {
        {"version 2", File(good, 1, 2)},
        {"body size beyond the file", File(good, 1, 1, good.size() + 1000)},
        {"body size far beyond", File(good, 1, 1, UINT64_MAX - 1)},
        {"record count beyond the body", File(good, 0xFFFFFFFFu)},
        {"fewer records than counted", File(good, 2)},
        {"more records than counted", File(good + Record("A", "S", {}), 1)},
        {"attribute count beyond the record", File(Record("A", "R", {{101, 2, two}}, 0xFFFF), 1)},
        {"byte count beyond the body", File(Record("A", "R", {{101, 2, two, 0xFFFFFFF0u}}), 1)},
        {"count without bytes", File(Record("A", "R", {{101, 2, {}}}), 1)},
        {"bytes without count", File(Record("A", "R", {{101, 0, two}}), 1)},
        {"part of an element", File(Record("A", "R", {{101, 3, {1, 2, 3}}}), 1)},
        {"structured value of another size", File(Record("A", "R", {{7701, 1, two}}), 1)},
        {"structured id the schema does not size", File(Record("A", "R", {{1700, 1, two}}), 1)},
        {"count past 16 bits", File(Record("A", "R", {{1, 40000, std::vector<uint8_t>(40000, 'x')}}), 1)},
        {"ids out of order", File(Record("A", "R", {{1607, 3, {'a', 'b', 'c'}}, {101, 2, two}}), 1)},
        {"id twice", File(Record("A", "R", {{101, 2, two}, {101, 2, two}}), 1)},
        {"records out of order", File(Record("A", "S", {}) + Record("A", "R", {}), 2)},
        {"record twice", File(good + good, 2)},
        {"classes out of order", File(Record("B", "R", {}) + Record("A", "R", {}), 2)},
        {"empty class", File(Record("", "R", {}), 1)},
        {"class not in the schema", File(Record("Z", "R", {}), 1)},
        {"key longer than its width", File(Record("B", "NINECHARS", {}), 1)},
        {"key with a trailing blank", File(Record("A", "R ", {}), 1)},
    };
    std::string path = dir.Path("crafted.db");
    for (const Row& r : rows) {
        WriteAll(path, r.file);
        short h = ddq_openfile(schema, path.c_str(), 10, 0);
        EXPECT_EQ(h, DDQ_EDAMAGED) << r.name;
        ddq_closefile(h);
    }

    // The same builder makes a file the engine reads, so the rows above fail
    // for the reason they name.
    WriteAll(path, File(good + Record("B", "EIGHTCHR", {{7701, 1, std::vector<uint8_t>(12, 'z')}}), 2));
    short h = ddq_openfile(schema, path.c_str(), 10, 0);
    ASSERT_GT(h, 0);
    short values[2] = {};
    short count = 0;
    EXPECT_EQ(ddq_getstoredfield(h, "A", "R", 101, &count, values, sizeof values), 1);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(values[1], 2);
    EXPECT_EQ(ddq_lookupkey(h, "B", "EIGHTCHR"), 1);
    ddq_closefile(h);
}

// What the file format cannot hold is refused when it is asked for, so that
// every commit writes a file that reads back.
TEST(EngineLimits, NamesAndAttributeCountsThatTheFileCannotHoldAreRefused)
{
    TempFolder dir;
    std::string schemaPath = dir.Path("ALL.DDQ"), dbPath = dir.Path("limits.db");
    WriteText(schemaPath, "torbase-schema 1\nclass * 8\natt -32768-32767 1\n");
    short db = ddq_openwithschema(schemaPath.c_str(), dbPath.c_str(), 0);
    ASSERT_GT(db, 0);
    ASSERT_EQ(ddq_createfile(db), 0);
    ASSERT_EQ(ddq_begintransaction(db, 1), 0);
    const std::string longest(255, 'c');
    EXPECT_EQ(ddq_newrecord(db, (longest + "c").c_str(), "K"), nullptr) << "class name of 256 bytes";
    EXPECT_EQ(ddq_lookupkey(db, (longest + "c").c_str(), "K"), DDQ_EARG);
    ddq_record* rec = ddq_newrecord(db, longest.c_str(), "K");
    ASSERT_NE(rec, nullptr);
    const char byte = 'b';
    for (int id = -32768; id < 32767; ++id)
        ASSERT_EQ(ddq_putfield(db, &rec, short(id), &byte, 1), 0) << id;
    EXPECT_EQ(ddq_putfield(db, &rec, 32767, &byte, 1), DDQ_EARG) << "the 65536th attribute";
    EXPECT_EQ(ddq_putfield(db, &rec, 0, &byte, 1), 0) << "replacing one is no new one";
    ASSERT_EQ(ddq_writerecord(db, rec), 0);
    EXPECT_EQ(ddq_putstoredfield(db, longest.c_str(), "K", 32767, &byte, 1), DDQ_EARG);
    ddq_freerecord(rec);
    ASSERT_EQ(ddq_endtransaction(db), 0);
    ddq_closefile(db);

    db = ddq_openwithschema(schemaPath.c_str(), dbPath.c_str(), 0);
    ASSERT_GT(db, 0) << "the committed file reads back";
    rec = ddq_findfirst(db, longest.c_str());
    ASSERT_NE(rec, nullptr);
    int attributes = 0;
    short att, count;
    char value;
    for (void* p = ddq_firstfield(db, rec, &att, &count, &value, 1); p;
         p = ddq_nextfield(db, rec, &att, &count, &value, 1))
        ++attributes;
    EXPECT_EQ(attributes, 65535);
    ddq_freerecord(rec);
    ddq_closefile(db);
}

}  // namespace
