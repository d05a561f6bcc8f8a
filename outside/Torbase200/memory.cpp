// Blocks handed to callers: records and attribute values share one header, so
// that ddq_freefield and ddq_freerecord each accept what the other is given.
#include "engine.h"
#include <cstdlib>
#include <new>

namespace {

constexpr uint32_t kBlockMagic = 0x51444442;   // "BDDQ"
enum : uint32_t { kValue = 1, kRecord = 2 };

struct alignas(16) BlockHeader {
    uint32_t magic;
    uint32_t kind;
};
static_assert(sizeof(BlockHeader) == 16);

void* NewBlock(size_t size, uint32_t kind)
{
    auto* h = static_cast<BlockHeader*>(malloc(sizeof(BlockHeader) + size));
    if (!h)
        return nullptr;
    h->magic = kBlockMagic;
    h->kind = kind;
    return h + 1;
}

}  // namespace

void* Mem_NewValue(size_t size)
{
    return NewBlock(size, kValue);
}

ddq_record* Mem_NewRecord()
{
    void* p = NewBlock(sizeof(ddq_record), kRecord);
    return p ? new (p) ddq_record() : nullptr;
}

void Mem_Free(void* p)
{
    if (!p)
        return;
    auto* h = static_cast<BlockHeader*>(p) - 1;
    if (h->magic != kBlockMagic)
        return;   // not ours, or freed already
    if (h->kind == kRecord)
        static_cast<ddq_record*>(p)->~ddq_record();
    h->magic = 0;
    free(h);
}

void WINAPI ddq_freefield(void* p)
{
    Mem_Free(p);
}

void WINAPI ddq_freerecord(void* p)
{
    Mem_Free(p);
}
