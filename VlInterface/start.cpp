// The start function that the launcher calls.
#include "VlInterface/vlinterface.h"

int32_t __stdcall StartVelmoInsulation(HINSTANCE, HINSTANCE, char*, int)
{
    return 0;
}
