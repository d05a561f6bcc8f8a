// The program's entry: hands the entry-point arguments to the interface module.
// The module is bound through its import library, so a missing or refusing
// module is reported by the system loader before this code runs.
#include <windows.h>
#include "VlInterface/vlinterface.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    return StartVelmoInsulation(instance, previous, commandLine, show);
}
