// A second user of a database for the tests: opens the database named on its
// command line under a schema, begins a write transaction, signals that it is
// ready and holds it until told to quit. Exits with the failing step's code.
//   ddq_holder READY QUIT SCHEMA DATABASE
#include <windows.h>
#include "outside/Torbase200/torbase.h"

int main(int argc, char** argv)
{
    if (argc != 5)
        return 90;
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
    HANDLE quit = OpenEventA(SYNCHRONIZE, FALSE, argv[2]);
    if (!ready || !quit)
        return 91;
    short db = ddq_openwithschema(argv[3], argv[4], 0);
    if (db < 0)
        return 100 - db;
    short rc = ddq_begintransaction(db, 1);
    if (rc < 0)
        return 100 - rc;
    SetEvent(ready);
    WaitForSingleObject(quit, 60000);
    ddq_endtransaction(db);
    ddq_closefile(db);
    return 0;
}
