// The error list: one growable array of entries that the calculation engine
// and the calculation pages fill and the error dialog shows.
#include "VlUtil/vlutil.h"
#include "VlUtil/vlutil_internal.h"
#include "support/memory.h"
#include "support/utf8.h"
#include <cassert>

int WINAPI ErrorList_Insert(long page, int kind, long textId, const char* text,
                            unsigned long data, void* pointer)
{
    VlUtilGlobals& g = VlUtil();
    assert(g.listReady && "ErrorList_Reset must run before the first insert");
    ErrorEntry entry{};
    entry.page = page;
    entry.kind = kind;
    entry.textId = textId;
    Utf8_CopyCut(entry.text, sizeof entry.text, text);
    entry.data = data;
    entry.pointer = pointer;
    void* block = g.entries;
    if (Array_Append(&block, &g.count, sizeof entry, &entry) != 0)
        return -2;   // the entries stay as they were
    g.entries = static_cast<ErrorEntry*>(block);
    return g.count;
}

const char* WINAPI ErrorList_IthErrorStr(int i)
{
    const VlUtilGlobals& g = VlUtil();
    if (i < 0 || i >= g.count)
        return "";
    const ErrorEntry& entry = g.entries[i];
    return entry.text[0] ? entry.text : VlUtil_Text(entry.textId);
}

int WINAPI ErrorList_NError()
{
    return VlUtil().count;
}

void WINAPI ErrorList_Reset()
{
    VlUtilGlobals& g = VlUtil();
    g.entries = nullptr;
    g.count = 0;
    g.listReady = true;
}

void WINAPI ErrorList_Clear()
{
    Mem_Free(VlUtil().entries);
    ErrorList_Reset();
}
