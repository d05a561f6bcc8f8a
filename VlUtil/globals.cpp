// The one globals record of VlUtil.dll.
#include "VlUtil/vlutil_internal.h"

VlUtilGlobals& VlUtil()
{
    static VlUtilGlobals globals;
    return globals;
}
