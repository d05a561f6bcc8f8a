// Language texts of the error list library.
#include "VlUtil/vlutil_internal.h"
#include <cstdio>

const char* VlUtil_Text(long textId)
{
    static char placeholder[4][16];
    static int next = 0;
    char* slot = placeholder[next];
    next = (next + 1) % 4;
    snprintf(slot, sizeof placeholder[0], "[%ld]", textId);
    return slot;
}
