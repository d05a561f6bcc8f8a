// Helpers of the project library tests: direct reads and writes of the
// in-use mark through the engine.
#include "kadmi_fixture.h"

std::string SchemaPath()
{
    char own[MAX_PATH + 1] = {};
    GetModuleFileNameA(GetModuleHandleA("WSKADMI.dll"), own, MAX_PATH);
    return std::string(own, strrchr(own, '\\')) + "\\KADMI.DDQ";
}

int StoredMark(const std::string& path)
{
    short db = ddq_openwithschema(SchemaPath().c_str(), path.c_str(), 0);
    short mark = 0, count = 0;
    int result = ddq_getstoredfield(db, "A", "GENERALDATA", 1101, &count, &mark, sizeof mark) ? mark : -1;
    ddq_closefile(db);
    return result;
}

void StoreMark(const std::string& path, short mark)
{
    short db = ddq_openwithschema(SchemaPath().c_str(), path.c_str(), 0);
    ASSERT_EQ(ddq_begintransaction(db, 1), 0);
    ASSERT_EQ(ddq_putstoredfield(db, "A", "GENERALDATA", 1101, &mark, 1), 0);
    ASSERT_EQ(ddq_endtransaction(db), 0);
    ddq_closefile(db);
}
