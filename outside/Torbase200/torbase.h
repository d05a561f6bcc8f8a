// Public interface of Torbase200.dll, our database engine: keyed records of
// typed attributes under a text schema. Exports are bound by ordinal (see
// Torbase200.def); all use the standard calling convention.
//
// Handles are 16-bit: schema and database handles are positive, never 100 or
// 200, and a closed one is refused; numbers are handed out in turn and only
// come round again after 32767 opens, skipping those still open.
// Failures are the negative DDQ_E... codes below.
//
// Records (ddq_record*) and attribute values handed out without a caller's
// buffer are engine memory owned by the caller: free either kind with
// ddq_freerecord or ddq_freefield. They are independent copies and stay valid
// after the database is closed. Counts are elements: a string's length without
// terminator, 1 for a structured attribute (sized by the schema).
#pragma once
#include <windows.h>

// The engine exports through its .def file (by ordinal).
#ifdef TORBASE_BUILD
#define DDQ_API extern "C"
#else
#define DDQ_API extern "C" __declspec(dllimport)
#endif

typedef struct ddq_record ddq_record;

// Schema file: UTF-8 text, one statement a line, '#' starts a comment.
//   torbase-schema 1         first statement: the format and its version
//   class A 11               a record class and its key width (1 to 255 bytes)
//   class * 40               the key width of every class not named
//   att 7701 12              element size in bytes of an attribute id
//   att 7600-7699 24         ... or of a range of ids
//   att 1607 string          a string attribute (element size 1, terminated on read)
// Ids not named take their size from id % 1000: 0-49 1, 100-199 2, 200-249 4,
// 300-399 4, 400-499 8, 500-599 string, 600-899 must be named, others 1.

// Result codes (negative: failure).
enum {
    DDQ_OK = 0,
    DDQ_EHANDLE = -1,   // unknown, closed or stale handle
    DDQ_EARG = -2,      // bad argument (NULL, key too long, unknown class or attribute)
    DDQ_ELOCKED = -3,   // another writer holds the database
    DDQ_ENOFILE = -4,   // the database file is missing or empty (ddq_createfile makes it)
    DDQ_EDAMAGED = -5,  // the file is damaged, truncated or not a database of ours
    DDQ_EIO = -6,       // a read or write of a file failed
    DDQ_ENOTFOUND = -7, // no such record or attribute
    DDQ_ESTATE = -8,    // not allowed now (no write transaction, already in one)
    DDQ_ENOMEM = -9,    // out of memory
    DDQ_ESCHEMA = -10,  // the schema file is missing or faulty
};

// ddq_findkey modes.
enum { DDQ_FIND_EXACT = 0, DDQ_FIND_EQUAL_OR_NEXT = 1 };

// Schema ------------------------------------------------------------------

// Reads the schema file; mode is 1 (the only mode). Returns a schema handle.
DDQ_API short WINAPI ddq_opendatabase(const char* schemaPath, short mode);
// Forgets a schema handle; databases opened under it stay usable.
DDQ_API short WINAPI ddq_closedatabase(short schema);

// Database files -------------------------------------------------------------

// Opens the database file at path under a schema handle (mode 10, flags 0).
// A missing or empty file opens as "no content yet": reads find nothing and
// ddq_begintransaction/ddq_beginread give DDQ_ENOFILE until ddq_createfile.
// A damaged or foreign file is refused (DDQ_EDAMAGED). Returns a database handle.
DDQ_API short WINAPI ddq_openfile(short schema, const char* path, short mode, short flags);
// As ddq_openfile, reading the schema file itself (flags 0); the schema lives
// as long as the database handle.
DDQ_API short WINAPI ddq_openwithschema(const char* schemaPath, const char* path, short flags);
// Replaces the file's content with an empty database, at once and atomically.
// Takes the write lock for the moment unless this handle holds it (DDQ_ELOCKED).
DDQ_API short WINAPI ddq_createfile(short db);
// Closes a database; an open write transaction is rolled back.
DDQ_API short WINAPI ddq_closefile(short db);
// Ends read use (when still begun) and closes the database.
DDQ_API short WINAPI ddq_closereadfile(short db);

// Transactions ---------------------------------------------------------------

// write 1: takes the database's write lock, exclusive across processes
// (DDQ_ELOCKED at once while another handle or process holds it), and rereads
// the file when it changed. write 0: a read transaction (rereads, no lock).
DDQ_API short WINAPI ddq_begintransaction(short db, short write);
// Ends the transaction; a write transaction with changes commits them: a new
// file beside the old one replaces it in one step. On a failed commit the
// changes are dropped, the old file stays as it was and the result is negative.
DDQ_API short WINAPI ddq_endtransaction(short db);
// Writes the changes of the open write transaction to the file as
// ddq_endtransaction does, and stays in the transaction with its lock. On a
// failed commit the file stays as it was and the changes stay pending, so that
// a later commit can write them; after DDQ_EIO the thread's last error
// (GetLastError) tells why the write failed (ERROR_DISK_FULL: no room).
DDQ_API short WINAPI ddq_commit(short db);
// 1 inside a transaction (read or write), 0 outside, negative for a bad handle.
DDQ_API short WINAPI ddq_intransaction(short db);
// Read use: rereads the file when it changed; no lock.
DDQ_API short WINAPI ddq_beginread(short db);
DDQ_API short WINAPI ddq_endread(short db);

// Records ----------------------------------------------------------------------
// Keys are compared bytewise ignoring trailing blanks; records are ordered by
// class, then key. A key may not be longer than its class's key width.

// Fetches a copy of a stored record: mode DDQ_FIND_EXACT the key itself,
// DDQ_FIND_EQUAL_OR_NEXT the key or the next one of the same class. NULL when none.
DDQ_API ddq_record* WINAPI ddq_findkey(short db, const char* cls, const char* key, short mode);
// First record of a class, or NULL.
DDQ_API ddq_record* WINAPI ddq_findfirst(short db, const char* cls);
// The record of the same class after rec's key, or NULL.
DDQ_API ddq_record* WINAPI ddq_findnext(short db, const ddq_record* rec);
// The record after rec's key in the whole database (any class), or NULL; rec
// need not be stored any more.
DDQ_API ddq_record* WINAPI ddq_nextrecord(short db, const ddq_record* rec);
// 1 when a record with this class and key is stored, 0 when not, negative on error.
DDQ_API short WINAPI ddq_lookupkey(short db, const char* cls, const char* key);
// A new empty record in memory (nothing is stored), or NULL for an unknown
// class or a key too long.
DDQ_API ddq_record* WINAPI ddq_newrecord(short db, const char* cls, const char* key);
// Stores rec under its class and key, replacing the whole stored record (a
// record with no attributes too). Needs a write transaction.
DDQ_API short WINAPI ddq_writerecord(short db, const ddq_record* rec);
// Gives rec a new class and key in memory; the next ddq_writerecord stores it
// under them (the old stored record stays).
DDQ_API short WINAPI ddq_rekeyrecord(short db, ddq_record* rec, const char* cls, const char* key);
// Deletes a stored record. Needs a write transaction. DDQ_ENOTFOUND when absent.
DDQ_API short WINAPI ddq_deleterecord(short db, const char* cls, const char* key);
// Copies rec's key into key, blank-padded to its class's key width as far as
// the buffer allows, and terminated. *length: in, the buffer size in bytes;
// out, the length copied. DDQ_EARG when the key itself does not fit or an
// argument is NULL.
DDQ_API short WINAPI ddq_getrecordkey(short db, const ddq_record* rec, short* length, char* key);

// Attributes -----------------------------------------------------------------
// db is not consulted by the calls that take a record: the record carries its
// schema, so they work after the database is closed.

// Reads attribute att. With a buffer, copies at most length bytes (whole
// elements; a string is cut on a character boundary and terminated inside
// length) and returns buffer; without one, returns engine memory holding the
// whole value and a terminating 0 byte. count (may be NULL) gets the elements
// copied. NULL when the attribute is absent.
DDQ_API void* WINAPI ddq_getfield(short db, const ddq_record* rec, short att, short* count,
                                  void* buffer, short length);
// Walk rec's attributes in id order: the value as ddq_getfield gives it, its
// id in *att; NULL at the end. The walk position lives in the record.
DDQ_API void* WINAPI ddq_firstfield(short db, ddq_record* rec, short* att, short* count,
                                    void* buffer, short length);
DDQ_API void* WINAPI ddq_nextfield(short db, ddq_record* rec, short* att, short* count,
                                   void* buffer, short length);
// ddq_getfield of a stored record by class and key: 1 when found, 0 when not.
DDQ_API short WINAPI ddq_getstoredfield(short db, const char* cls, const char* key, short att,
                                        short* count, void* buffer, short length);
// Sets attribute att of *rec in memory to count elements of data; on failure
// the record is unchanged. *rec stays the same record.
DDQ_API short WINAPI ddq_putfield(short db, ddq_record** rec, short att, const void* data,
                                  short count);
// Removes att from *rec in memory; DDQ_ENOTFOUND when absent.
DDQ_API short WINAPI ddq_removefield(short db, ddq_record** rec, short att);
// Removes every attribute of rec in memory.
DDQ_API short WINAPI ddq_clearfields(short db, ddq_record* rec);
// Sets att of a stored record (made when absent). Needs a write transaction.
DDQ_API short WINAPI ddq_putstoredfield(short db, const char* cls, const char* key, short att,
                                        const void* data, short count);
// Removes att of a stored record. Needs a write transaction.
DDQ_API short WINAPI ddq_deletestoredfield(short db, const char* cls, const char* key, short att);

// Freeing ----------------------------------------------------------------------
// Both accept a record or a value handed out by the engine, and NULL.
DDQ_API void WINAPI ddq_freefield(void* p);
DDQ_API void WINAPI ddq_freerecord(void* p);
