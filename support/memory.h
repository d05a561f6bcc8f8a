// Memory blocks of the module (moveable global memory, kept locked) and the
// growable array built on them. All allocation goes through these functions,
// so a test can make it fail (Mem_FailAfter).
#pragma once
#include <cstddef>

// Allocates size bytes of moveable global memory and returns it locked.
// On failure shows "Not enough memory !!" and returns NULL. The tag is not used.
// Free with Mem_Free.
void* Mem_Alloc(size_t size, int tag = 0);

// Resizes a block from Mem_Alloc; a NULL pointer allocates. Returns the block's
// (possibly moved) address. Returns NULL when the pointer is no block, and when
// the block cannot grow: then the box is shown and the old block stays valid,
// unchanged and owned by the caller.
void* Mem_Realloc(void* block, size_t size, int tag = 0);

// Frees a block from Mem_Alloc or Mem_Realloc; NULL is accepted. Returns 0.
int Mem_Free(void* block);

// Shows "Not enough memory !!" (no owner, no caption, exclamation, task-modal).
void Mem_ReportNoMemory();

// Appends one element of elementSize bytes to the array *block of *count
// elements, growing the block to count+1 elements. Returns 0, or -2 when the
// block cannot grow; then *block and *count are left as they were.
int Array_Append(void** block, int* count, size_t elementSize, const void* element);

// Fault injection for tests: the next `allocations` allocations succeed and
// every one after fails, until Mem_FailAfter(-1) makes them succeed again.
void Mem_FailAfter(int allocations);
