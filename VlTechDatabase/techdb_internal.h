// Module state of VlTechDb and the helpers its files share: the paths, the
// handles, the editable databases' open counts and the two result rings.
#pragma once
#include <windows.h>

#include <cstdint>

#include "VlTechDatabase/vltechdb.h"

constexpr size_t kTechPathSize = MAX_PATH;   // paths are 260 bytes with the terminator
constexpr size_t kTechKeyMax = 39;           // longest record key
constexpr int kStringSlots = 10;
constexpr int kStringSlotSize = 256;
constexpr int kKeySlots = 4;
constexpr int kKeySlotSize = 42;

// One of the two editable databases: closed (handle = sentinel), open
// (a real handle, openCount > 0) or missing (handle -1, empty path).
struct EditableDb {
    TechDbHandle sentinel;
    TechDbHandle handle = -1;
    int openCount = 0;
    bool writing = false;   // mode of the outermost open
    char path[kTechPathSize] = {};
};

// The one globals record of VlTechDb.
struct TechDbGlobals {
    HINSTANCE instance = nullptr;
    char techPath[kTechPathSize] = {};
    char dataSchemaPath[kTechPathSize] = {};
    char priceSchemaPath[kTechPathSize] = {};
    char pricePath[3][kTechPathSize] = {};   // EUR, SEK, PLN
    TechDbHandle tech = -1;
    TechDbHandle price[3] = {-1, -1, -1};
    EditableDb other{kTechDbOtherInsulationSentinel};
    EditableDb weather{kTechDbWeatherSentinel};
    char strings[kStringSlots][kStringSlotSize] = {};
    int stringIndex = 0;
    char keys[kKeySlots][kKeySlotSize] = {};
    int keyIndex = 0;
};

TechDbGlobals& TechDb();

// Closes everything: commits and closes the editable databases, ends read
// use of and closes the technical data and the price lists.
void TechDb_CloseAll();

// Opens / ends one use of an editable database (nested, see vltechdb.h).
// EditableDb_Close returns the engine's commit result of the last close
// (0 when nothing was committed).
TechDbHandle EditableDb_Open(EditableDb& db, bool write);
short EditableDb_Close(EditableDb& db);

// A handle made usable for one operation: a sentinel is replaced by the
// opened database and closed again when the holder ends.
class UsableHandle {
public:
    UsableHandle(TechDbHandle h, bool write);
    ~UsableHandle();
    UsableHandle(const UsableHandle&) = delete;
    UsableHandle& operator=(const UsableHandle&) = delete;
    TechDbHandle get() const { return handle_; }
    // Ends the use now; the result of the commit (0 when none was needed).
    short Finish();

private:
    EditableDb* opened_ = nullptr;
    TechDbHandle handle_;
};
