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

std::string StoredHolder(const std::string& path)
{
    short db = ddq_openwithschema(SchemaPath().c_str(), path.c_str(), 0);
    char text[512] = {};
    short count = 0;
    ddq_getstoredfield(db, "A", "GENERALDATA", 1599, &count, text, sizeof text);
    ddq_closefile(db);
    return text;
}

void StoreHolder(const std::string& path, const char* holder)
{
    short db = ddq_openwithschema(SchemaPath().c_str(), path.c_str(), 0);
    ASSERT_EQ(ddq_begintransaction(db, 1), 0);
    if (holder)
        ASSERT_EQ(ddq_putstoredfield(db, "A", "GENERALDATA", 1599, holder, short(strlen(holder))), 0);
    else
        ddq_deletestoredfield(db, "A", "GENERALDATA", 1599);
    ASSERT_EQ(ddq_endtransaction(db), 0);
    ddq_closefile(db);
}

std::string ThisComputer()
{
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    GetComputerNameW(name, &size);
    char utf8[64] = {};
    WideCharToMultiByte(CP_UTF8, 0, name, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

std::string ThisMachineId()
{
    char id[64] = {};
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Cryptography", 0, KEY_READ | KEY_WOW64_64KEY, &key) ==
        ERROR_SUCCESS) {
        DWORD size = sizeof id - 1;
        RegQueryValueExA(key, "MachineGuid", nullptr, nullptr, reinterpret_cast<BYTE*>(id), &size);
        RegCloseKey(key);
    }
    return id;
}
