// Attributes of the loaded page's records: the untyped get, set and delete,
// the typed getters and setters by id range, the Z getters with missing-value
// sentinels, the string ring, and reading a stored record of any page.
#include "kadmi_int.h"
#include <algorithm>

namespace {

// Object lookup of a set or delete: 0 or the block's -NN01..-NN03.
short SetPrecondition(long object, short block, PageEntry** entry)
{
    if (K().db < 0)
        return short(-(block * 100 + 1));
    if (K().loadedPage == 0)
        return short(-(block * 100 + 2));
    *entry = PageTable_Find(object);
    return *entry ? 0 : short(-(block * 100 + 3));
}

template <typename T> T GetTyped(long object, short att, IdRange range)
{
    T value{};
    if (!Att_InRange(att, range)) {
        K().attStatus = 1;
        return T{};
    }
    return Kadmi_GetAtt(object, att, nullptr, &value, sizeof value) ? value : T{};
}

template <typename T> short SetTyped(long object, short att, IdRange range, T value)
{
    if (!Att_InRange(att, range))
        return -6502;
    return Kadmi_SetAtt(object, att, 1, &value);
}

// The plain getter's value when it was found, else the sentinel.
template <typename T> T OrMissing(T value, T missing)
{
    return Kadmi_LastAttWasFound() ? value : missing;
}

// Size in bytes of the one element of a structured value: the smallest
// buffer length that the engine fills with it.
size_t StructSize(short db, const ddq_record* rec, short att, char* scratch, size_t limit)
{
    size_t low = 1, high = limit;
    while (low < high) {
        size_t mid = low + (high - low) / 2;
        short count = 0;
        ddq_getfield(db, rec, att, &count, scratch, short(mid));
        if (count >= 1) high = mid;
        else low = mid + 1;
    }
    return low;
}

// Attribute att of the stored record key as ddq_getfield gives it; with a
// buffer it is read without a copy of the record.
void* ReadStored(short db, const char* key, short att, short* count, void* buffer, short length)
{
    if (buffer)
        return ddq_getstoredfield(db, kClass, key, att, count, buffer, length) ? buffer : nullptr;
    ddq_record* rec = ddq_findkey(db, kClass, key, DDQ_FIND_EXACT);
    void* p = rec ? ddq_getfield(db, rec, att, count, nullptr, length) : nullptr;
    ddq_freerecord(rec);
    return p;
}

}  // namespace

bool Att_InRange(short att, IdRange range)
{
    int r = att % 1000;
    return r >= range.low && r <= range.high;
}

short Att_TextCount(short att, const char* value)
{
    if (!value || !Att_InRange(att, kTextIds))
        return -1;
    size_t n = Att_InRange(att, kStringIds) ? strlen(value) : 1;
    return n > 32767 ? short(-1) : short(n);
}

char* Att_ReadText(short db, const ddq_record* rec, short att, char* buffer, size_t size, size_t* bytes)
{
    *bytes = 0;
    if (!rec || size < 1)
        return nullptr;
    size_t room = std::min<size_t>(size, 32767);
    short count = 0;
    if (Att_InRange(att, kStringIds)) {
        // The engine ends a string inside the length it is given.
        if (!ddq_getfield(db, rec, att, &count, buffer, short(room)))
            return nullptr;
        *bytes = size_t(count);
        return buffer;
    }
    if (!ddq_getfield(db, rec, att, &count, buffer, short(room - 1)))
        return nullptr;
    if (count > 0) {
        char scratch[2048];
        *bytes = count * StructSize(db, rec, att, scratch, std::min(sizeof scratch, room - 1));
    }
    buffer[std::min(*bytes, room - 1)] = '\0';
    return buffer;
}

void Att_ClearOutput(short* count, void* buffer, short length)
{
    if (count)
        *count = 0;
    if (buffer && length > 0)
        memset(buffer, 0, size_t(length));
}

short Att_TakeFound(short& status)
{
    const short found = status == 0 ? 1 : 0;
    status = 0;
    return found;
}

void* WINAPI Kadmi_GetAtt(long object, short att, short* count, void* buffer, short length)
{
    auto& g = K();
    g.attStatus = 0;
    Att_ClearOutput(count, buffer, length);
    PageEntry* e = g.db >= 0 ? PageTable_Find(object) : nullptr;
    void* p = e ? ddq_getfield(g.db, e->record, att, count, buffer, length) : nullptr;
    if (!p)
        g.attStatus = 1;
    return p;
}

short WINAPI Kadmi_SetAtt(long object, short att, short count, const void* data)
{
    PageEntry* e;
    if (short rc = SetPrecondition(object, 62, &e); rc != 0)
        return rc;
    short rc = ddq_putfield(K().db, &e->record, att, data, count);
    K().lastEngine = rc;
    return rc ? -6204 : 0;
}

short WINAPI Kadmi_DeleteAtt(long object, short att)
{
    PageEntry* e;
    if (short rc = SetPrecondition(object, 63, &e); rc != 0)
        return rc;
    short rc = ddq_removefield(K().db, &e->record, att);
    K().lastEngine = rc;
    return rc ? -6304 : 0;
}

short WINAPI Kadmi_ReleaseAtt(void* value)
{
    ddq_freefield(value);   // a value outlives the page it came from
    if (K().db < 0)
        return -6401;
    if (K().loadedPage == 0)
        return -6402;
    return value ? 0 : -6404;
}

unsigned char WINAPI Kadmi_GetByteAtt(long object, short att) { return GetTyped<unsigned char>(object, att, kByteIds); }
short WINAPI Kadmi_GetIntAtt(long object, short att) { return GetTyped<short>(object, att, kIntIds); }
long WINAPI Kadmi_GetLongAtt(long object, short att) { return GetTyped<long>(object, att, kLongIds); }
float WINAPI Kadmi_GetFloatAtt(long object, short att) { return GetTyped<float>(object, att, kFloatIds); }
double WINAPI Kadmi_GetDoubleAtt(long object, short att) { return GetTyped<double>(object, att, kDoubleIds); }

char* WINAPI Kadmi_GetStringAtt(long object, short att)
{
    auto& g = K();
    g.attStatus = 1;
    PageEntry* e = g.db >= 0 && Att_InRange(att, kTextIds) ? PageTable_Find(object) : nullptr;
    if (!e)
        return nullptr;
    char* p = Ring_Read(StringRing{g.ring, kRingSize, 9216}, &g.ringPosition,
                        [&](char* at, size_t room, size_t* bytes) {
                            return Att_ReadText(g.db, e->record, att, at, room, bytes);
                        });
    g.attStatus = p ? 0 : 1;
    return p;
}

char* WINAPI Kadmi_GetStringNAtt(long object, short att, char* buffer, short length)
{
    auto& g = K();
    g.attStatus = 1;
    if (!buffer || length <= 0)
        return nullptr;
    memset(buffer, 0, size_t(length));
    PageEntry* e = g.db >= 0 && Att_InRange(att, kTextIds) ? PageTable_Find(object) : nullptr;
    size_t bytes;
    char* p = e ? Att_ReadText(g.db, e->record, att, buffer, size_t(length), &bytes) : nullptr;
    g.attStatus = p ? 0 : 1;
    return p;
}

short WINAPI Kadmi_LastAttWasFound()
{
    return Att_TakeFound(K().attStatus);
}

short WINAPI Kadmi_SetByteAtt(long object, short att, unsigned char value) { return SetTyped(object, att, kByteIds, value); }
short WINAPI Kadmi_SetIntAtt(long object, short att, short value) { return SetTyped(object, att, kIntIds, value); }
short WINAPI Kadmi_SetLongAtt(long object, short att, long value) { return SetTyped(object, att, kLongIds, value); }
short WINAPI Kadmi_SetFloatAtt(long object, short att, float value) { return SetTyped(object, att, kFloatIds, value); }
short WINAPI Kadmi_SetDoubleAtt(long object, short att, double value) { return SetTyped(object, att, kDoubleIds, value); }

short WINAPI Kadmi_SetStringAtt(long object, short att, const char* value)
{
    short count = Att_TextCount(att, value);
    return count < 0 ? short(-6502) : Kadmi_SetAtt(object, att, count, value);
}

void* WINAPI Kadmi_GetAttID(short page, long part, short att, short* count, void* buffer, short length)
{
    auto& g = K();
    if (g.loadedPage != 0 && page == g.loadedPage)
        return Kadmi_GetAtt(part, att, count, buffer, length);
    if (BeginTransaction() != 0)
        return nullptr;
    g.attStatus = 1;
    Att_ClearOutput(count, buffer, length);
    char key[kKeySize];
    void* p = Key_Object(page, part, key) ? ReadStored(g.db, key, att, count, buffer, length) : nullptr;
    g.attStatus = p ? 0 : 1;
    EndTransaction(0);
    return p;
}

unsigned char WINAPI Kadmi_GetByteAttZ(long object, short att) { return OrMissing(Kadmi_GetByteAtt(object, att), AttMissing_Byte); }
short WINAPI Kadmi_GetIntAttZ(long object, short att) { return OrMissing(Kadmi_GetIntAtt(object, att), AttMissing_Int); }
long WINAPI Kadmi_GetLongAttZ(long object, short att) { return OrMissing(Kadmi_GetLongAtt(object, att), AttMissing_Long); }
float WINAPI Kadmi_GetFloatAttZ(long object, short att) { return OrMissing(Kadmi_GetFloatAtt(object, att), AttMissing_Float); }
double WINAPI Kadmi_GetDoubleAttZ(long object, short att) { return OrMissing(Kadmi_GetDoubleAtt(object, att), AttMissing_Double); }
