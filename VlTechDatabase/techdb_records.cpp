// Records and attributes of the technical databases: finding and walking a
// class, typed reads by key or from a fetched record through the two result
// rings, and the writes that only the editable databases accept.
#include <cstring>

#include "VlTechDatabase/techdb_internal.h"
#include "outside/Torbase200/torbase.h"
#include "support/strings.h"

namespace {

ddq_record* AsRecord(TechRecord* r)
{
    return reinterpret_cast<ddq_record*>(r);
}

TechRecord* AsTechRecord(ddq_record* r)
{
    return reinterpret_cast<TechRecord*>(r);
}

// The technical data and the price lists are read only.
bool IsReadOnly(TechDbHandle h)
{
    const TechDbGlobals& g = TechDb();
    if (h < 0)
        return false;
    if (h == g.tech)
        return true;
    for (TechDbHandle p : g.price)
        if (h == p)
            return true;
    return false;
}

bool KeyFits(const char* key)
{
    if (!key || !key[0])
        return false;
    int n = Str_TrimmedLength(key, int(kTechKeyMax) + 64);
    return n > 0 && n <= int(kTechKeyMax);
}

template <typename T>
T ReadByKey(TechDbHandle h, const char* cls, const char* key, short att)
{
    T value{};
    if (h < 0)
        return T{};
    if (!TechDb_GetAtt(h, cls, key, att, nullptr, &value, sizeof value))
        return T{};
    return value;
}

template <typename T>
T ReadFromRecord(TechDbHandle h, TechRecord* record, short att)
{
    T value{};
    if (!TechRec_GetAtt(h, record, att, nullptr, &value, sizeof value))
        return T{};
    return value;
}

char* NextStringSlot()
{
    TechDbGlobals& g = TechDb();
    char* slot = g.strings[g.stringIndex];
    std::memset(slot, 0, kStringSlotSize);
    return slot;
}

char* KeepStringSlot()
{
    TechDbGlobals& g = TechDb();
    char* slot = g.strings[g.stringIndex];
    g.stringIndex = (g.stringIndex + 1) % kStringSlots;
    return slot;
}

// The steps every write shares: refuse what cannot be written, open a
// sentinel for writing, run the engine call, commit what was opened.
template <typename Write>
short WriteThrough(TechDbHandle h, const char* cls, const char* key, Write write)
{
    if (h < 0 || IsReadOnly(h) || !cls || !KeyFits(key))
        return -1;
    UsableHandle db(h, true);
    if (db.get() < 0 || IsReadOnly(db.get()))
        return -1;
    short rc = write(db.get());
    short commit = db.Finish();
    return rc < 0 || commit < 0 ? -1 : 0;
}

}  // namespace

TechRecord* __stdcall TechDb_FindFirst(TechDbHandle h, const char* cls)
{
    UsableHandle db(h, false);
    if (db.get() < 0 || !cls)
        return nullptr;
    return AsTechRecord(ddq_findfirst(db.get(), cls));
}

TechRecord* __stdcall TechDb_FindEqual(TechDbHandle h, const char* cls, const char* key)
{
    UsableHandle db(h, false);
    if (db.get() < 0 || !cls || !key)
        return nullptr;
    return AsTechRecord(ddq_findkey(db.get(), cls, key, DDQ_FIND_EXACT));
}

TechRecord* __stdcall TechDb_FindEqualOrNext(TechDbHandle h, const char* cls, const char* key)
{
    UsableHandle db(h, false);
    if (db.get() < 0 || !cls || !key)
        return nullptr;
    return AsTechRecord(ddq_findkey(db.get(), cls, key, DDQ_FIND_EQUAL_OR_NEXT));
}

TechRecord* __stdcall TechDb_FindNext(TechDbHandle h, const char* cls, const char* key)
{
    UsableHandle db(h, false);
    if (db.get() < 0 || !cls || !key)
        return nullptr;
    ddq_record* here = ddq_findkey(db.get(), cls, key, DDQ_FIND_EXACT);
    if (!here)
        return AsTechRecord(ddq_findkey(db.get(), cls, key, DDQ_FIND_EQUAL_OR_NEXT));
    ddq_record* next = ddq_findnext(db.get(), here);
    ddq_freerecord(here);
    return AsTechRecord(next);
}

void* __stdcall TechDb_ReleaseRec(TechRecord* record)
{
    ddq_freerecord(record);
    return nullptr;
}

char* __stdcall TechRec_GetID(TechDbHandle h, TechRecord* record)
{
    if (!record)
        return nullptr;
    UsableHandle db(h, false);
    if (db.get() < 0)
        return nullptr;
    char key[256] = {};
    short length = sizeof key;
    if (ddq_getrecordkey(db.get(), AsRecord(record), &length, key) < 0)
        return nullptr;
    size_t n = size_t(Str_TrimmedLength(key, int(kTechKeyMax)));
    TechDbGlobals& g = TechDb();
    char* slot = g.keys[g.keyIndex];
    std::memset(slot, 0, kKeySlotSize);
    std::memcpy(slot, key, n);
    g.keyIndex = (g.keyIndex + 1) % kKeySlots;
    return slot;
}

void* __stdcall TechDb_GetAtt(TechDbHandle h, const char* cls, const char* key, short att, short* count,
                              void* buffer, short length)
{
    if (count)
        *count = 0;
    if (!key || !cls)
        return nullptr;
    UsableHandle db(h, false);
    if (db.get() < 0)
        return nullptr;
    ddq_record* rec = ddq_findkey(db.get(), cls, key, DDQ_FIND_EXACT);
    if (!rec)
        return nullptr;
    void* value = ddq_getfield(db.get(), rec, att, count, buffer, length);
    ddq_freerecord(rec);
    return value;
}

void* __stdcall TechDb_ReleaseAtt(void* value)
{
    ddq_freefield(value);
    return nullptr;
}

unsigned char __stdcall TechDb_GetByteAtt(TechDbHandle h, const char* cls, const char* key, short att)
{
    return ReadByKey<unsigned char>(h, cls, key, att);
}

short __stdcall TechDb_GetIntAtt(TechDbHandle h, const char* cls, const char* key, short att)
{
    return ReadByKey<short>(h, cls, key, att);
}

long __stdcall TechDb_GetLongAtt(TechDbHandle h, const char* cls, const char* key, short att)
{
    return ReadByKey<long>(h, cls, key, att);
}

float __stdcall TechDb_GetFloatAtt(TechDbHandle h, const char* cls, const char* key, short att)
{
    return ReadByKey<float>(h, cls, key, att);
}

double __stdcall TechDb_GetDoubleAtt(TechDbHandle h, const char* cls, const char* key, short att)
{
    return ReadByKey<double>(h, cls, key, att);
}

char* __stdcall TechDb_GetStringAtt(TechDbHandle h, const char* cls, const char* key, short att)
{
    if (h < 0)
        return nullptr;
    char* slot = NextStringSlot();
    if (!TechDb_GetAtt(h, cls, key, att, nullptr, slot, kStringSlotSize - 1))
        return nullptr;
    return KeepStringSlot();
}

void* __stdcall TechRec_GetAtt(TechDbHandle h, TechRecord* record, short att, short* count, void* buffer,
                               short length)
{
    if (count)
        *count = 0;
    if (!record)
        return nullptr;
    // A fetched record carries its schema: no database needs to be open.
    return ddq_getfield(h, AsRecord(record), att, count, buffer, length);
}

unsigned char __stdcall TechRec_GetByteAtt(TechDbHandle h, TechRecord* record, short att)
{
    return ReadFromRecord<unsigned char>(h, record, att);
}

short __stdcall TechRec_GetIntAtt(TechDbHandle h, TechRecord* record, short att)
{
    return ReadFromRecord<short>(h, record, att);
}

long __stdcall TechRec_GetLongAtt(TechDbHandle h, TechRecord* record, short att)
{
    return ReadFromRecord<long>(h, record, att);
}

float __stdcall TechRec_GetFloatAtt(TechDbHandle h, TechRecord* record, short att)
{
    return ReadFromRecord<float>(h, record, att);
}

double __stdcall TechRec_GetDoubleAtt(TechDbHandle h, TechRecord* record, short att)
{
    return ReadFromRecord<double>(h, record, att);
}

char* __stdcall TechRec_GetStringAtt(TechDbHandle h, TechRecord* record, short att)
{
    char* slot = NextStringSlot();
    if (!TechRec_GetAtt(h, record, att, nullptr, slot, kStringSlotSize - 1))
        return nullptr;
    return KeepStringSlot();
}

short __stdcall TechDb_SetAtt(TechDbHandle h, const char* cls, const char* key, short att, short count,
                              void* data)
{
    return WriteThrough(h, cls, key, [&](TechDbHandle db) -> short {
        if (ddq_lookupkey(db, cls, key) != 1) {
            ddq_record* rec = ddq_newrecord(db, cls, key);
            if (!rec)
                return -1;
            short rc = ddq_writerecord(db, rec);
            ddq_freerecord(rec);
            if (rc < 0)
                return rc;
        }
        return ddq_putstoredfield(db, cls, key, att, data, count);
    });
}

short __stdcall TechDb_SetIntAtt(TechDbHandle h, const char* cls, const char* key, short att, short,
                                 short value)
{
    return TechDb_SetAtt(h, cls, key, att, 1, &value);
}

short __stdcall TechDb_SetFloatAtt(TechDbHandle h, const char* cls, const char* key, short att, short,
                                   float value)
{
    return TechDb_SetAtt(h, cls, key, att, 1, &value);
}

short __stdcall TechDb_DeleteAtt(TechDbHandle h, const char* cls, const char* key, short att)
{
    return WriteThrough(h, cls, key, [&](TechDbHandle db) { return ddq_deletestoredfield(db, cls, key, att); });
}

short __stdcall TechDb_DeleteRec(TechDbHandle h, const char* cls, const char* key)
{
    return WriteThrough(h, cls, key, [&](TechDbHandle db) { return ddq_deleterecord(db, cls, key); });
}
