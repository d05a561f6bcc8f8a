// The database file: a checked header, then every record in class and key
// order, each with its attributes in id order. Reading checks every length
// against the bytes present and every key and value against the schema;
// committing writes a new file and swaps it in.
//
//   header  magic "TORBASE\x1a", u32 version 1, u32 record count,
//           u64 body size, u32 body CRC-32, u32 CRC-32 of the 28 bytes before
//   record  u8 class length, class, u8 key length, key (no trailing blanks),
//           u16 attribute count, then per attribute
//           i16 id, u16 element count, u32 byte count, bytes
#include "engine.h"
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>

namespace {

#pragma pack(push, 1)
struct FileHeader {
    char magic[8];
    uint32_t version;
    uint32_t recordCount;
    uint64_t bodySize;
    uint32_t bodyCrc;
    uint32_t headerCrc;
};
#pragma pack(pop)
static_assert(sizeof(FileHeader) == 32);
static_assert(offsetof(FileHeader, headerCrc) == 28);

constexpr char kMagic[8] = {'T', 'O', 'R', 'B', 'A', 'S', 'E', '\x1a'};
constexpr uint32_t kVersion = 1;
constexpr uint64_t kMaxFileSize = 1ull << 30;

uint32_t Crc32(const uint8_t* p, size_t n)
{
    static const auto table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i)
        c = table[(c ^ p[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

template <typename T> void Put(std::vector<uint8_t>& out, T v)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&v);
    out.insert(out.end(), p, p + sizeof v);
}

void PutText(std::vector<uint8_t>& out, const std::string& s)
{
    Put<uint8_t>(out, uint8_t(s.size()));
    out.insert(out.end(), s.begin(), s.end());
}

// Bounded reader over the body: every take checks the bytes left.
struct Reader {
    const uint8_t* p;
    size_t left;
    template <typename T> bool Take(T* v)
    {
        if (left < sizeof(T)) return false;
        memcpy(v, p, sizeof(T));
        p += sizeof(T);
        left -= sizeof(T);
        return true;
    }
    bool TakeBytes(size_t n, const uint8_t** out)
    {
        if (left < n) return false;
        *out = p;
        p += n;
        left -= n;
        return true;
    }
    bool TakeText(std::string* s)
    {
        uint8_t n;
        const uint8_t* b;
        if (!Take(&n) || !TakeBytes(n, &b)) return false;
        s->assign(reinterpret_cast<const char*>(b), n);
        return true;
    }
};

// A value the engine could have stored under schema: a sized id, a count
// that fits the callers' 16-bit counts and exactly count elements of bytes.
bool FitsSchema(const Schema& schema, int16_t id, const AttValue& v, uint32_t size)
{
    AttSpec layout = schema.SpecOf(id);
    return layout.known && v.count <= 32767 && uint64_t(v.count) * layout.elementSize == size;
}

bool DecodeRecord(Reader& r, const Schema& schema, RecordKey* key, AttMap* atts)
{
    uint16_t n;
    if (!r.TakeText(&key->cls) || !r.TakeText(&key->key) || !r.Take(&n))
        return false;
    int width = schema.KeyWidthOf(key->cls);
    if (key->cls.empty() || width == 0 || key->key.size() > size_t(width) ||
        (!key->key.empty() && key->key.back() == ' '))
        return false;
    bool first = true;
    int16_t lastId = 0;
    for (uint16_t i = 0; i < n; ++i) {
        int16_t id;
        AttValue v;
        uint32_t size;
        const uint8_t* bytes;
        if (!r.Take(&id) || !r.Take(&v.count) || !r.Take(&size) || !r.TakeBytes(size, &bytes))
            return false;
        if ((!first && id <= lastId) || !FitsSchema(schema, id, v, size))
            return false;
        v.bytes.assign(bytes, bytes + size);
        atts->emplace(id, std::move(v));
        first = false;
        lastId = id;
    }
    return true;
}

struct Handle {
    HANDLE h;
    explicit Handle(HANDLE v) : h(v) {}
    ~Handle() { if (Valid()) CloseHandle(h); }
    bool Valid() const { return h != INVALID_HANDLE_VALUE; }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
};

void StampOf(HANDLE h, FileStamp* s)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(h, &info))
        return;
    *s = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow,
          info.nFileSizeHigh, info.nFileSizeLow, info.ftLastWriteTime};
}

HANDLE OpenForReading(const std::string& path)
{
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

bool FileStamp::operator==(const FileStamp& o) const
{
    return volume == o.volume && indexHigh == o.indexHigh && indexLow == o.indexLow &&
           sizeHigh == o.sizeHigh && sizeLow == o.sizeLow &&
           written.dwLowDateTime == o.written.dwLowDateTime &&
           written.dwHighDateTime == o.written.dwHighDateTime;
}

std::vector<uint8_t> DbFile_Encode(const RecordMap& records)
{
    std::vector<uint8_t> out(sizeof(FileHeader));
    for (const auto& [key, atts] : records) {
        PutText(out, key.cls);
        PutText(out, key.key);
        Put<uint16_t>(out, uint16_t(atts.size()));
        for (const auto& [id, v] : atts) {
            Put<int16_t>(out, id);
            Put<uint16_t>(out, v.count);
            Put<uint32_t>(out, uint32_t(v.bytes.size()));
            out.insert(out.end(), v.bytes.begin(), v.bytes.end());
        }
    }
    FileHeader h{};
    memcpy(h.magic, kMagic, sizeof kMagic);
    h.version = kVersion;
    h.recordCount = uint32_t(records.size());
    h.bodySize = out.size() - sizeof h;
    h.bodyCrc = Crc32(out.data() + sizeof h, out.size() - sizeof h);
    h.headerCrc = Crc32(reinterpret_cast<const uint8_t*>(&h), offsetof(FileHeader, headerCrc));
    memcpy(out.data(), &h, sizeof h);
    return out;
}

short DbFile_Decode(const uint8_t* data, size_t size, const Schema& schema, RecordMap* records)
{
    FileHeader h;
    if (size < sizeof h)
        return DDQ_EDAMAGED;
    memcpy(&h, data, sizeof h);
    if (memcmp(h.magic, kMagic, sizeof kMagic) != 0 || h.version != kVersion ||
        h.headerCrc != Crc32(data, offsetof(FileHeader, headerCrc)) ||
        h.bodySize != size - sizeof h || h.bodyCrc != Crc32(data + sizeof h, size - sizeof h))
        return DDQ_EDAMAGED;
    RecordMap out;
    Reader r{data + sizeof h, size - sizeof h};
    for (uint32_t i = 0; i < h.recordCount; ++i) {
        RecordKey key;
        AttMap atts;
        if (!DecodeRecord(r, schema, &key, &atts) || (!out.empty() && !(out.rbegin()->first < key)))
            return DDQ_EDAMAGED;
        out.emplace_hint(out.end(), std::move(key), std::move(atts));
    }
    if (r.left != 0)
        return DDQ_EDAMAGED;
    *records = std::move(out);
    return DDQ_OK;
}

bool DbFile_Stamp(const std::string& path, FileStamp* stamp)
{
    Handle f(OpenForReading(path));
    if (!f.Valid())
        return false;
    StampOf(f.h, stamp);
    return true;
}

short DbFile_Read(const std::string& path, const Schema& schema, RecordMap* records, FileStamp* stamp)
{
    Handle f(OpenForReading(path));
    if (!f.Valid()) {
        DWORD e = GetLastError();
        return e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND ? DDQ_ENOFILE : DDQ_EIO;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(f.h, &size))
        return DDQ_EIO;
    if (size.QuadPart == 0)
        return DDQ_ENOFILE;
    if (uint64_t(size.QuadPart) > kMaxFileSize)
        return DDQ_EDAMAGED;
    std::vector<uint8_t> data(size_t(size.QuadPart));
    size_t got = 0;
    while (got < data.size()) {
        DWORD n = 0;
        DWORD want = DWORD(std::min<size_t>(data.size() - got, 1u << 24));
        if (!ReadFile(f.h, data.data() + got, want, &n, nullptr))
            return DDQ_EIO;
        if (n == 0)
            return DDQ_EDAMAGED;   // shrank while read
        got += n;
    }
    if (short rc = DbFile_Decode(data.data(), data.size(), schema, records); rc != DDQ_OK)
        return rc;
    StampOf(f.h, stamp);
    return DDQ_OK;
}

short DbFile_Commit(const std::string& path, const RecordMap& records)
{
    std::vector<uint8_t> data = DbFile_Encode(records);
    if (data.size() > kMaxFileSize)
        return DDQ_EIO;   // it could not be read back
    std::string fresh = path + ".new";
    bool written;
    {
        Handle f(CreateFileA(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!f.Valid())
            return DDQ_EIO;
        written = Io_Write(f.h, data.data(), DWORD(data.size())) && FlushFileBuffers(f.h);
    }
    if (!written || !Io_Replace(fresh.c_str(), path.c_str())) {
        DWORD error = GetLastError();   // why it failed, for the caller (a full disk)
        DeleteFileA(fresh.c_str());
        SetLastError(error);
        return DDQ_EIO;
    }
    return DDQ_OK;
}
