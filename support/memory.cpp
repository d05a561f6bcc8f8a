// Memory blocks and the growable array. Blocks are moveable global memory,
// locked for their whole life; the block's handle is found again from its
// address. Every allocation passes AllocationAllowed, the fault-injection point.
#include "support/memory.h"
#include "support/dlgutil.h"
#include "support/app.h"
#include <cstring>

namespace {

bool AllocationAllowed()
{
    int& left = App().allocationsBeforeFailure;
    if (left < 0)
        return true;
    if (left == 0)
        return false;
    --left;
    return true;
}

// A zero-byte block cannot be resized reliably; every block has one byte at least.
SIZE_T BlockSize(size_t size)
{
    return size ? size : 1;
}

}  // namespace

void Mem_ReportNoMemory()
{
    Wnd_MessageBox(nullptr, "Not enough memory !!", nullptr, MB_ICONEXCLAMATION | MB_TASKMODAL);
}

void Mem_FailAfter(int allocations)
{
    App().allocationsBeforeFailure = allocations;
}

void* Mem_Alloc(size_t size, int /*tag*/)
{
    HGLOBAL handle = AllocationAllowed() ? GlobalAlloc(GMEM_MOVEABLE, BlockSize(size)) : nullptr;
    void* block = handle ? GlobalLock(handle) : nullptr;
    if (!block) {
        if (handle)
            GlobalFree(handle);
        Mem_ReportNoMemory();
    }
    return block;
}

void* Mem_Realloc(void* block, size_t size, int tag)
{
    if (!block)
        return Mem_Alloc(size, tag);
    HGLOBAL handle = GlobalHandle(block);
    if (!handle)
        return nullptr;
    HGLOBAL resized = nullptr;
    if (AllocationAllowed()) {
        GlobalUnlock(handle);
        resized = GlobalReAlloc(handle, BlockSize(size), GMEM_MOVEABLE);
        if (!resized)
            GlobalLock(handle);  // a failed resize leaves the block where it was
    }
    if (!resized) {
        Mem_ReportNoMemory();
        return nullptr;
    }
    return GlobalLock(resized);
}

int Mem_Free(void* block)
{
    if (!block)
        return 0;
    HGLOBAL handle = GlobalHandle(block);
    if (handle) {
        GlobalUnlock(handle);
        GlobalFree(handle);
    }
    return 0;
}

int Array_Append(void** block, int* count, size_t elementSize, const void* element)
{
    const size_t used = static_cast<size_t>(*count) * elementSize;
    void* grown = Mem_Realloc(*block, used + elementSize);
    if (!grown)
        return -2;
    std::memcpy(static_cast<char*>(grown) + used, element, elementSize);
    *block = grown;
    ++*count;
    return 0;
}
