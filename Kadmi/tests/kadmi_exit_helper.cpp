// For the tests:
//   kadmi_exit_helper EXAMPLE PROJECT
//     opens the example database and a project, changes both and ends without
//     closing either, so that the library's unload has to;
//   kadmi_exit_helper hold PROJECT INI
//     opens the project (its working copy is named in INI) and waits to be killed;
//   kadmi_exit_helper start
//     only loads the library, as a program's next start does.
#include <windows.h>
#include <cstring>
#include "Kadmi/kadmi.h"

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "start") == 0)
        return 0;
    if (argc == 4 && std::strcmp(argv[1], "hold") == 0) {
        Kadmi_SetupInifile(argv[3], 0, nullptr);
        if (Kadmi_OpenDatabasefile(argv[2]) != 0)
            return 94;
        Sleep(INFINITE);
    }
    if (argc != 3)
        return 90;
    if (Kadmi_DefOpenDatabasefile(argv[1]) != 0)
        return 91;
    if (Kadmi_DefSetIntAtt(1, 1, 101, 7) != 0)
        return 92;
    if (Kadmi_OpenDatabasefile(argv[2]) != 0)
        return 93;
    return 0;
}
