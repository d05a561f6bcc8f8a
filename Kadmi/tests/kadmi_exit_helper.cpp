// For the tests: opens the example database and a project, changes both and
// ends without closing either, so that the library's unload has to.
//   kadmi_exit_helper EXAMPLE PROJECT
#include <windows.h>
#include "Kadmi/kadmi.h"

int main(int argc, char** argv)
{
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
