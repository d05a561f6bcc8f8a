// Language texts of the error list library, from its own text handle.
#include "VlUtil/vlutil_internal.h"
#include "outside/Lexmo100/lexmo.h"

const char* VlUtil_Text(long textId)
{
    return TextAPI_GetText(VlUtil().textHandle, static_cast<TextId>(textId));
}
