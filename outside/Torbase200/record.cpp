// Attribute access on records in memory: reading into a caller's buffer or a
// block of our own, the attribute walk, setting and removing. These calls need
// no database: a record carries its schema.
#include "engine.h"
#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kMaxValueBytes = 16u << 20;

// Longest prefix of s[0..n) that does not end inside a UTF-8 sequence.
size_t Utf8Cut(const uint8_t* s, size_t n)
{
    size_t i = n;
    while (i > 0 && (s[i - 1] & 0xC0) == 0x80)
        --i;   // step back over continuation bytes
    if (i == 0)
        return n;   // no lead byte: plain bytes
    uint8_t lead = s[i - 1];
    size_t need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return n - (i - 1) >= need ? n : i - 1;
}

void* ReadValue(const ddq_record* rec, int16_t att, const AttValue& v, short* count, void* buffer,
                short length)
{
    return Rec_CopyOut(v, rec->schema->SpecOf(att).isString, count, buffer, length);
}

}  // namespace

void* Rec_CopyOut(const AttValue& v, bool isString, short* count, void* buffer, short length)
{
    short dummy;
    short& n = count ? *count : dummy;
    n = 0;
    if (!buffer) {
        auto* p = static_cast<uint8_t*>(Mem_NewValue(v.bytes.size() + 1));
        if (!p)
            return nullptr;
        if (!v.bytes.empty())
            memcpy(p, v.bytes.data(), v.bytes.size());
        p[v.bytes.size()] = 0;
        n = short(v.count);
        return p;
    }
    if (length <= 0)
        return buffer;
    auto* out = static_cast<uint8_t*>(buffer);
    if (isString) {
        size_t take = Utf8Cut(v.bytes.data(), std::min<size_t>(v.bytes.size(), size_t(length) - 1));
        if (take)
            memcpy(out, v.bytes.data(), take);
        out[take] = 0;
        n = short(take);
        return buffer;
    }
    size_t elem = v.count ? v.bytes.size() / v.count : 1;
    size_t whole = std::min<size_t>(v.count, size_t(length) / elem);
    if (whole)
        memcpy(out, v.bytes.data(), whole * elem);
    n = short(whole);
    return buffer;
}

short Rec_Put(const Schema& schema, AttMap& atts, int16_t att, const void* data, short count)
{
    AttSpec layout = schema.SpecOf(att);
    if (!layout.known || count < 0 || (count > 0 && !data))
        return DDQ_EARG;
    if (atts.size() >= kMaxAttributes && !atts.count(att))
        return DDQ_EARG;   // one more could not be written to the file
    size_t size = size_t(count) * layout.elementSize;
    if (size > kMaxValueBytes)
        return DDQ_EARG;
    AttValue v;
    v.count = uint16_t(count);
    try {
        v.bytes.assign(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
        atts[att] = std::move(v);
    } catch (const std::bad_alloc&) {
        return DDQ_ENOMEM;
    }
    return DDQ_OK;
}

void* WINAPI ddq_getfield(short, const ddq_record* rec, short att, short* count, void* buffer,
                          short length)
{
    if (count)
        *count = 0;
    if (!rec)
        return nullptr;
    auto it = rec->atts.find(att);
    return it == rec->atts.end() ? nullptr : ReadValue(rec, att, it->second, count, buffer, length);
}

static void* WalkFrom(ddq_record* rec, AttMap::const_iterator it, short* att, short* count,
                      void* buffer, short length)
{
    if (count)
        *count = 0;
    if (it == rec->atts.end()) {
        rec->walking = false;
        return nullptr;
    }
    rec->walking = true;
    rec->walkedId = it->first;
    if (att)
        *att = it->first;
    return ReadValue(rec, it->first, it->second, count, buffer, length);
}

void* WINAPI ddq_firstfield(short, ddq_record* rec, short* att, short* count, void* buffer,
                            short length)
{
    if (!rec)
        return nullptr;
    return WalkFrom(rec, rec->atts.begin(), att, count, buffer, length);
}

void* WINAPI ddq_nextfield(short, ddq_record* rec, short* att, short* count, void* buffer,
                           short length)
{
    if (!rec)
        return nullptr;
    if (!rec->walking)
        return WalkFrom(rec, rec->atts.end(), att, count, buffer, length);
    return WalkFrom(rec, rec->atts.upper_bound(rec->walkedId), att, count, buffer, length);
}

short WINAPI ddq_putfield(short, ddq_record** rec, short att, const void* data, short count)
{
    if (!rec || !*rec)
        return DDQ_EARG;
    return Rec_Put(*(*rec)->schema, (*rec)->atts, att, data, count);
}

short WINAPI ddq_removefield(short, ddq_record** rec, short att)
{
    if (!rec || !*rec)
        return DDQ_EARG;
    return (*rec)->atts.erase(att) ? DDQ_OK : DDQ_ENOTFOUND;
}

short WINAPI ddq_clearfields(short, ddq_record* rec)
{
    if (!rec)
        return DDQ_EARG;
    rec->atts.clear();
    rec->walking = false;
    return DDQ_OK;
}

short WINAPI ddq_getrecordkey(short, const ddq_record* rec, short* length, char* key)
{
    if (!rec || !length || !key || *length <= 0)
        return DDQ_EARG;
    size_t room = size_t(*length) - 1;
    const std::string& k = rec->where.key;
    if (k.size() > room)
        return DDQ_EARG;
    size_t padded = std::max<size_t>(k.size(), std::min<size_t>(room, rec->schema->KeyWidthOf(rec->where.cls)));
    memcpy(key, k.data(), k.size());
    memset(key + k.size(), ' ', padded - k.size());
    key[padded] = 0;
    *length = short(padded);
    return DDQ_OK;
}
