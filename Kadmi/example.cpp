// The example database: a second file under the same schema holding model
// records (group, model) and example pages that a project page is saved into
// and loaded from. It keeps one write transaction open while it is open.
#include "kadmi_int.h"
#include "support/dlgutil.h"
#include "support/paths.h"
#include <cstdio>

namespace {

// The stored model record, or nullptr (status set).
ddq_record* FetchModel(short group, short model)
{
    char key[kKeySize];
    auto& g = K();
    ddq_record* rec = g.exDb >= 0 && Key_Model(group, model, key)
                          ? ddq_findkey(g.exDb, kClass, key, DDQ_FIND_EXACT) : nullptr;
    if (!rec)
        g.exStatus = 1;
    return rec;
}

template <typename T> T DefGetTyped(short group, short model, short att, IdRange range)
{
    T value{};
    if (!Att_InRange(att, range)) {
        K().exStatus = 1;
        return T{};
    }
    return Kadmi_DefGetAtt(group, model, att, nullptr, &value, sizeof value) ? value : T{};
}

template <typename T> short DefSetTyped(short group, short model, short att, IdRange range, T value)
{
    if (!Att_InRange(att, range))
        return -6502;
    return Kadmi_DefSetAtt(group, model, att, 1, &value);
}

// Directory for a name without one: "ExampleDir", else the library's own.
bool ExampleDirectory(char* directory, size_t size)
{
    snprintf(directory, size, "%s", Kadmi_ReadIni("DIRECTORIES", "ExampleDir"));
    if (!*directory) {
        std::string own = Path_ModuleFolder(K().instance);
        if (own.empty())
            return false;
        own.pop_back();   // stored without its separator
        snprintf(directory, size, "%s", own.c_str());
        Kadmi_WriteIni("DIRECTORIES", "ExampleDir", directory);
    }
    return true;
}

// Opens the file and holds a write transaction; creates the database only
// when the file is missing or empty.
short OpenAndBegin(const char* path)
{
    auto& g = K();
    short db = ddq_openfile(g.schema, path, 10, 0);
    if (db < 0) {
        g.lastEngine = db;
        return -7004;
    }
    short rc = ddq_begintransaction(db, 1);
    if (rc == DDQ_ENOFILE) {
        if (ddq_createfile(db) != 0) {
            ddq_closefile(db);
            return -7007;
        }
        rc = ddq_begintransaction(db, 1);
    }
    if (rc != 0) {
        g.lastEngine = rc;
        ddq_closefile(db);
        return rc == DDQ_ELOCKED ? -7009 : -7008;
    }
    g.exDb = db;
    return 0;
}

// Calls visit(n) for each number 1-999 whose key exists.
template <typename MakeKey, typename Visit> void ForEachStored(MakeKey makeKey, Visit visit)
{
    char key[kKeySize];
    for (short n = 1; n <= 999; ++n)
        if (makeKey(n, key) && ddq_lookupkey(K().exDb, kClass, key) == 1 && !visit(n))
            return;
}

// The i-th stored number (from 0), or notFound.
template <typename MakeKey> short IthStored(MakeKey makeKey, short i, short notFound)
{
    short found = notFound, index = 0;
    ForEachStored(makeKey, [&](short n) {
        if (index++ != i)
            return true;
        found = n;
        return false;
    });
    return found;
}

}  // namespace

short WINAPI Kadmi_DefOpenDatabasefile(const char* name)
{
    auto& g = K();
    if (g.exDb >= 0)
        return -7001;
    if (!name)
        return -7002;
    char path[kPathMax * 2] = {};
    if (strchr(name, '\\')) {
        snprintf(path, sizeof path, "%s", name);
    } else {
        char directory[kPathMax * 2];
        if (!ExampleDirectory(directory, sizeof directory))
            return -7006;
        size_t n = strlen(directory);
        snprintf(path, sizeof path, "%s%s%s", directory, n && directory[n - 1] == '\\' ? "" : "\\", name);
    }
    if (strlen(path) >= kPathMax || !Kadmi_CheckRWAccess(path)) {
        char text[kPathMax * 2 + 64];
        snprintf(text, sizeof text, "You have no rights to access %s", path);
        Wnd_MessageBox(nullptr, text, "Warning", MB_OK | MB_TASKMODAL);
        return -7002;
    }
    short rc = OpenAndBegin(path);
    if (rc == 0)
        snprintf(g.exPath, sizeof g.exPath, "%s", path);
    return rc;
}

short WINAPI Kadmi_DefCloseDatabasefile()
{
    auto& g = K();
    if (g.exDb < 0)
        return -7101;
    short rc = ddq_endtransaction(g.exDb);
    ddq_closefile(g.exDb);
    g.exDb = -1;
    g.exPath[0] = '\0';
    if (rc < 0) {
        g.lastEngine = rc;
        return -7104;
    }
    return 0;
}

void* WINAPI Kadmi_DefGetAtt(short group, short model, short att, short* count, void* buffer, short length)
{
    auto& g = K();
    g.exStatus = 0;
    Att_ClearOutput(count, buffer, length);
    ddq_record* rec = FetchModel(group, model);
    void* p = rec ? ddq_getfield(g.exDb, rec, att, count, buffer, length) : nullptr;
    ddq_freerecord(rec);
    if (!p)
        g.exStatus = 1;
    return p;
}

short WINAPI Kadmi_DefSetAtt(short group, short model, short att, short count, const void* data)
{
    auto& g = K();
    if (g.exDb < 0)
        return -7201;
    char key[kKeySize];
    if (!Key_Model(group, model, key))
        return -7202;
    short rc = ddq_putstoredfield(g.exDb, kClass, key, att, data, count);
    g.lastEngine = rc;
    return rc ? -7204 : 0;
}

short WINAPI Kadmi_DefReleaseAtt(void* value)
{
    ddq_freefield(value);
    if (K().exDb < 0)
        return -7401;
    return value ? 0 : -7404;
}

unsigned char WINAPI Kadmi_DefGetByteAtt(short g, short m, short att) { return DefGetTyped<unsigned char>(g, m, att, kByteIds); }
short WINAPI Kadmi_DefGetIntAtt(short g, short m, short att) { return DefGetTyped<short>(g, m, att, kIntIds); }
long WINAPI Kadmi_DefGetLongAtt(short g, short m, short att) { return DefGetTyped<long>(g, m, att, kLongIds); }
float WINAPI Kadmi_DefGetFloatAtt(short g, short m, short att) { return DefGetTyped<float>(g, m, att, kFloatIds); }
double WINAPI Kadmi_DefGetDoubleAtt(short g, short m, short att) { return DefGetTyped<double>(g, m, att, kDoubleIds); }

char* WINAPI Kadmi_DefGetStringAtt(short group, short model, short att)
{
    auto& g = K();
    g.exStatus = 1;
    if (!Att_InRange(att, kTextIds))
        return nullptr;
    ddq_record* rec = FetchModel(group, model);
    char* p = rec ? Ring_Read(StringRing{g.exRing, kExampleRingSize, 4096}, &g.exRingPosition,
                              [&](char* at, size_t room, size_t* bytes) {
                                  return Att_ReadText(g.exDb, rec, att, at, room, bytes);
                              })
                  : nullptr;
    ddq_freerecord(rec);
    g.exStatus = p ? 0 : 1;
    return p;
}

char* WINAPI Kadmi_DefGetStringNAtt(short group, short model, short att, char* buffer, short length)
{
    auto& g = K();
    g.exStatus = 1;
    if (!buffer || length <= 0 || !Att_InRange(att, kTextIds))
        return nullptr;
    ddq_record* rec = FetchModel(group, model);
    size_t bytes;
    char* p = rec ? Att_ReadText(g.exDb, rec, att, buffer, size_t(length), &bytes) : nullptr;
    ddq_freerecord(rec);
    g.exStatus = p ? 0 : 1;
    return p;
}

short WINAPI Kadmi_DefLastAttWasFound()
{
    return Att_TakeFound(K().exStatus);
}

short WINAPI Kadmi_DefSetByteAtt(short g, short m, short att, unsigned char v) { return DefSetTyped(g, m, att, kByteIds, v); }
short WINAPI Kadmi_DefSetIntAtt(short g, short m, short att, short v) { return DefSetTyped(g, m, att, kIntIds, v); }
short WINAPI Kadmi_DefSetLongAtt(short g, short m, short att, long v) { return DefSetTyped(g, m, att, kLongIds, v); }
short WINAPI Kadmi_DefSetFloatAtt(short g, short m, short att, float v) { return DefSetTyped(g, m, att, kFloatIds, v); }
short WINAPI Kadmi_DefSetDoubleAtt(short g, short m, short att, double v) { return DefSetTyped(g, m, att, kDoubleIds, v); }

short WINAPI Kadmi_DefSetStringAtt(short group, short model, short att, const char* value)
{
    short count = Att_TextCount(att, value);
    return count < 0 ? short(-6502) : Kadmi_DefSetAtt(group, model, att, count, value);
}

short WINAPI Kadmi_DefDeleteModel(short group, short model)
{
    auto& g = K();
    if (g.exDb < 0)
        return -7501;
    char key[kKeySize];
    if (!Key_Model(group, model, key) || ddq_lookupkey(g.exDb, kClass, key) != 1)
        return 1;
    short rc = ddq_deleterecord(g.exDb, kClass, key);
    g.lastEngine = rc;
    return rc ? -7502 : 0;
}

short WINAPI Kadmi_DefNModelIndex(short group)
{
    if (K().exDb < 0)
        return -7601;
    short n = 0;
    ForEachStored([&](short m, char* key) { return Key_Model(group, m, key); },
                  [&](short) { ++n; return true; });
    return n;
}

short WINAPI Kadmi_DefIthModelIndex(short group, short i)
{
    if (K().exDb < 0)
        return -7501;
    return IthStored([&](short m, char* key) { return Key_Model(group, m, key); }, i, -7502);
}

short WINAPI Kadmi_DefNPage()
{
    if (K().exDb < 0)
        return -7601;
    short n = 0;
    ForEachStored(Key_Page, [&](short) { ++n; return true; });
    return n;
}

short WINAPI Kadmi_DefIthPage(short i, char* name, short length)
{
    auto& g = K();
    if (g.exDb < 0)
        return -7501;
    short page = IthStored(Key_Page, i, -7502);
    if (page > 0 && name && length > 0) {
        memset(name, 0, size_t(length));
        char key[kKeySize];
        Key_Page(page, key);
        short count;
        ddq_getstoredfield(g.exDb, kClass, key, kAttPageName, &count, name, length);
    }
    return page;
}

short WINAPI Kadmi_DefDelete(short examplePage)
{
    if (K().exDb < 0)
        return -7101;
    return Page_DeleteStored(K().exDb, examplePage) ? -7102 : 0;
}

short WINAPI Kadmi_DefSave(short examplePage, short projectPage, const char* name)
{
    auto& g = K();
    char key[kKeySize];
    if (g.db < 0 || g.exDb < 0 || !Key_Page(examplePage, key))
        return -7801;
    if (BeginTransaction() != 0)
        return -7801;
    if (!Page_Exists(g.db, projectPage))
        return EndTransaction(-7802);
    Page_DeleteStored(g.exDb, examplePage);
    size_t n = name ? strlen(name) : 0;
    short rc = Page_CopyStored(g.db, projectPage, g.exDb, examplePage, name,
                               short(std::min<size_t>(n, 32767)));
    if (rc != 0) {
        g.lastEngine = rc;
        return EndTransaction(-7804);
    }
    return EndTransaction(0);
}

short WINAPI Kadmi_DefLoad(short projectPage, short examplePage)
{
    auto& g = K();
    char key[kKeySize];
    if (g.db < 0 || g.exDb < 0 || !Key_Page(projectPage, key))
        return -7801;
    if (!Page_Exists(g.exDb, examplePage))
        return -7802;
    short count = 0;
    void* name = Kadmi_GetAttID(projectPage, KadmiObject_Page, kAttPageName, &count, nullptr, 0);
    bool wasLoaded = g.loadedPage == projectPage;
    short rc = BeginTransaction();
    if (rc != 0) {
        ddq_freefield(name);
        return -7801;
    }
    if (wasLoaded)
        PageTable_Release();
    Page_DeleteStored(g.db, projectPage);
    rc = Page_CopyStored(g.exDb, examplePage, g.db, projectPage, static_cast<const char*>(name), count);
    ddq_freefield(name);
    if (rc != 0) {
        g.lastEngine = rc;
        return EndTransaction(-7804);
    }
    if (wasLoaded)
        PageTable_Load(projectPage);
    return EndTransaction(0);
}
