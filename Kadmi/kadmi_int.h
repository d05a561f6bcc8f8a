// Internals of the project database library shared by its source files: the
// one globals record, record keys, the page table and the internal
// transaction pair. The engine (Torbase200) does the storing.
#pragma once
#define KADMI_BUILD
#include "Kadmi/kadmi.h"
#include "outside/Torbase200/torbase.h"
#include "support/memory.h"
#include "support/tempfiles.h"
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

constexpr const char* kClass = "A";
constexpr const char* kProjectKey = "GENERALDATA";
constexpr short kAttInUse = 1101;
constexpr short kAttInUseHolder = 1599;   // who set the in-use mark (inuse.cpp)
constexpr size_t kHolderTextMax = 512;
constexpr short kAttPageName = 7505;
constexpr short kAttOwner = 7201;
constexpr short kAttLines = 7702;
constexpr short kAttStamps = 7701;
constexpr size_t kPathMax = 256;      // paths are shorter than this
constexpr size_t kKeySize = 20;       // record key buffers
constexpr short kHighestPage = 998;
constexpr size_t kRingSize = 10240;
constexpr size_t kExampleRingSize = 5120;

// One loaded record of the page table.
struct PageEntry {
    long id;              // -1 project block, 0 page record, else part number
    ddq_record* record;   // owned by the table
    bool deleted;
};

// A rotating buffer that hands out strings.
struct StringRing {
    char* bytes;
    size_t size;
    size_t wrapAfter;   // the position goes back to 0 when past this
};

// What a project file looked like on disk when this program last read or
// wrote it whole: another program's Save changes at least one of these.
struct FileStamp {
    bool known = false;
    uint64_t size = 0;
    FILETIME written{};
    uint64_t hash = 0;   // of the whole content
};

// The library's module state.
struct KadmiGlobals {
    HINSTANCE instance = nullptr;
    short schema = -1;             // KADMI.DDQ, opened at load
    short db = -1;                 // the open project (its working copy when writing)
    char path[kPathMax] = {};      // the project file; target of the next Save
    char workPath[MAX_PATH + 1] = {};   // the working copy, "" when reading
    TempOwner workOwner;           // holds the working copy's marker while it exists
    bool readOnly = false;         // opened "READ"
    bool inTransaction = false;    // our own transaction is open (a writer's always)
    bool saveFailed = false;       // set while a Save has not completed
    FileStamp onDisk;              // the project file as opened or last saved here
    bool ownMarkAtSave = false;    // Save writes this program's mark (after a new name)
    short lastEngine = 0;          // the latest engine failure kept

    std::vector<short> pageNumbers;   // the existing pages in order, when pagesKnown
    bool pagesKnown = false;
    short loadedPage = 0;          // 0: none
    std::vector<PageEntry> pages;  // the page table

    short attStatus = 0;           // nonzero: the last get found nothing
    char ring[kRingSize] = {};
    size_t ringPosition = 0;

    char iniPath[MAX_PATH + 1] = {};
    char iniBuffers[4][256] = {};
    int iniIndex = 0;
    long stampClockAhead = 0;      // seconds the stamp clock runs ahead (tests only)

    short exDb = -1;               // the example database, -1 when closed
    char exPath[kPathMax] = {};
    short exStatus = 0;
    char exRing[kExampleRingSize] = {};
    size_t exRingPosition = 0;

    char diagnostic[600] = {};     // the latest load message, shown nowhere
    char version[64] = {};
};
KadmiGlobals& K();

// Record keys (keys.cpp). Each is 11 characters; false for numbers outside
// page 1-999, part 1-999999, group and model 1-999.
bool Key_Page(short page, char key[kKeySize]);
bool Key_Part(short page, long part, char key[kKeySize]);
bool Key_Model(short group, short model, char key[kKeySize]);
// Key of object (-1 project block, 0 page record, else part) of page.
bool Key_Object(short page, long object, char key[kKeySize]);
// 0 with page and part; -1 NULL; -2 unreadable.
short Key_Parse(const char* key, short* page, long* part);
// The stored record's key as page and part; false when unreadable.
bool Key_OfRecord(short db, const ddq_record* rec, short* page, long* part);

// Record walks shared by the project and the example database (records.cpp).
bool Page_Exists(short db, short page);
// Calls visit for each stored part record of page in key order; visit takes
// ownership of the record it is given.
template <typename Visit> void Page_WalkParts(short db, short page, Visit visit)
{
    char key[kKeySize];
    if (!Key_Part(page, 1, key))
        return;
    ddq_record* rec = ddq_findkey(db, kClass, key, DDQ_FIND_EQUAL_OR_NEXT);
    while (rec) {
        short p;
        long part;
        if (!Key_OfRecord(db, rec, &p, &part) || p != page || part < 1) {
            ddq_freerecord(rec);
            return;
        }
        ddq_record* next = ddq_nextrecord(db, rec);
        visit(rec, part);
        rec = next;
    }
}
// Deletes a page's record and its parts; -NN02 rule of DeletePage: 0, or 1
// when the page record was refused and no part followed.
short Page_DeleteStored(short db, short page);
// Stores the page src of srcDb as page dst of dstDb, parts included;
// name (when not NULL) replaces attribute 7505 of the page record.
short Page_CopyStored(short srcDb, short src, short dstDb, short dst, const char* name, short nameCount);
// True when the record holds at least one attribute.
bool Record_HasAttributes(short db, ddq_record* rec);

// Who holds a project file's in-use mark.
enum KadmiHolderKind : short {
    KadmiHolder_None,      // the file is not marked
    KadmiHolder_Own,       // this program
    KadmiHolder_Ended,     // a program of this computer that ended without closing the file
    KadmiHolder_Held,      // a program on another computer, or one still running on this one
    KadmiHolder_Unknown,   // marked by a program that did not say who it is
};

// The in-use mark of a project (inuse.cpp): read, set to this program,
// cleared (all inside the caller's write transaction on db), and judged.
struct InUseMark {
    bool set = false;      // attribute kAttInUse is nonzero
    std::string holder;    // the holder text; "" when the mark does not say
};
InUseMark InUse_Read(short db);
short InUse_Write(short db);   // the engine's result
short InUse_Clear(short db);
KadmiHolderKind InUse_Judge(const InUseMark& mark);
// The question of options for mark, the holder named in it.
std::string InUse_Question(const InUseMark& mark, const KadmiOpenOptions& options);

// The content hash (FNV-1a, 64 bits): start with kFileHashStart, add the
// bytes in order.
constexpr uint64_t kFileHashStart = 14695981039346656037ull;
uint64_t FileStamp_Hash(uint64_t hash, const void* bytes, size_t count);
// The stamp of the file at path now; not known when it cannot be read.
FileStamp FileStamp_Of(const char* path);
// The stamp of path from its size and last write, with a content hash the
// caller took while it copied the file whole.
FileStamp FileStamp_WithHash(const char* path, uint64_t hash);
bool FileStamp_Same(const FileStamp& a, const FileStamp& b);

// The transaction pair (files.cpp); End passes code through.
short BeginTransaction();
short EndTransaction(short code);

// The project's existing page numbers (pages.cpp), kept until Pages_Forget:
// called when a page is stored or deleted and when a transaction begins.
const std::vector<short>& Pages_Existing();
void Pages_Forget();
// Lists a page that was just stored, when the list is known.
void Pages_Add(short page);

// Page table (pages.cpp).
void PageTable_Release();
short PageTable_Load(short page);
PageEntry* PageTable_Find(long object);   // not deleted; nullptr when none

// Attribute type ranges by id % 1000 (attributes.cpp).
struct IdRange {
    int low, high;
};
constexpr IdRange kByteIds{0, 49}, kIntIds{100, 199}, kLongIds{200, 249}, kFloatIds{300, 399},
                  kDoubleIds{400, 499}, kStringIds{500, 599}, kTextIds{500, 899};
bool Att_InRange(short att, IdRange range);
// Element count that a text setter stores for value: its length for a string
// id, 1 for a structured one; -1 when value is NULL, too long or att no text id.
short Att_TextCount(short att, const char* value);
// Reads text of a string or structured id into buffer of size bytes, always
// terminated; bytes gets the value's size. NULL when absent.
char* Att_ReadText(short db, const ddq_record* rec, short att, char* buffer, size_t size, size_t* bytes);
// Empties a get's outputs before it reads: no elements, a zeroed buffer.
void Att_ClearOutput(short* count, void* buffer, short length);
// 1 when the last get under status (nonzero: it found nothing) found its
// value, else 0; status is reset for the next get.
short Att_TakeFound(short& status);
// The next slot of a ring for a value read by read(buffer, room, &bytes),
// which ends it inside room. Only the bytes the value takes are written, so
// the strings handed out since the last wrap stay valid.
template <typename Read> char* Ring_Read(StringRing ring, size_t* position, Read read)
{
    if (*position > ring.wrapAfter)
        *position = 0;
    char* at = ring.bytes + *position;
    size_t room = ring.size - *position;
    size_t bytes = 0;
    char* p = read(at, room, &bytes);
    if (p)
        *position += bytes + 1;
    return p;
}

