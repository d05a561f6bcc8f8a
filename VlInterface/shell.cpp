// The shell's one globals record and the small questions every part of the
// shell asks of it.
#include "VlInterface/shell.h"
#include "outside/Lexmo100/lexmo.h"

ShellGlobals& Shell()
{
    static ShellGlobals globals;
    return globals;
}

const char* Shell_Text(uint16_t id)
{
    return TextAPI_GetText(Shell().textHandle, id);
}

bool Shell_HasLayerParts()
{
    const int32_t* parts = Shell().layerParts;
    return parts[0] != 0 && parts[1] != 0 && parts[2] != 0;
}
