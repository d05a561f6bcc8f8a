// A second user of a database for the tests: opens the database named on its
// command line under a schema, begins a write transaction, signals that it is
// ready and holds it until told to quit; then it stores attribute 1 = 'H' of
// "GENERALDATA" in class A and commits, to show that it kept working. Exits
// with the failing step's code, 0 when all went well.
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
    const char mark = 'H';
    rc = ddq_putstoredfield(db, "A", "GENERALDATA", 1, &mark, 1);
    if (rc == 0)
        rc = ddq_endtransaction(db);
    ddq_closefile(db);
    return rc < 0 ? 100 - rc : 0;
}
