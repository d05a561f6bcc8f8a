// The database files beside the library and their handles: building the
// paths, opening the technical data and price lists, and the nested open and
// close of the two editable databases. Records and attributes are in
// techdb_records.cpp.
#include <cstring>
#include <initializer_list>

#include "VlTechDatabase/techdb_internal.h"
#include "outside/Torbase200/torbase.h"
#include "support/paths.h"

namespace {

const char kTechFile[] = "VlDataTech.DB";
const char kOtherFile[] = "VlDataInsulation.db";
const char kWeatherFile[] = "VlDataWeather.db";
const char kDataSchema[] = "VLDATAB.DDQ";
const char kPriceSchema[] = "VlPrice.DDQ";
const char* const kPriceFiles[3] = {"VlPriceEUR.DB", "VlPriceSEK.DB", "VlPricePLN.DB"};

// dir + name into out; an empty path when it would not fit.
void JoinPath(char (&out)[kTechPathSize], const char* dir, const char* name)
{
    out[0] = '\0';
    if (std::strlen(dir) + std::strlen(name) < kTechPathSize) {
        std::strcpy(out, dir);
        std::strcat(out, name);
    }
}

void JoinExistingPath(char (&out)[kTechPathSize], const char* dir, const char* name)
{
    JoinPath(out, dir, name);
    if (!Path_FileExists(out))
        out[0] = '\0';
}

// The library's directory with its backslash; "" when the name does not fit.
void ModuleDirectory(char (&dir)[kTechPathSize])
{
    std::string folder = Path_ModuleFolder(TechDb().instance);
    dir[0] = '\0';
    if (folder.size() < kTechPathSize)
        std::strcpy(dir, folder.c_str());
}

void BuildPaths()
{
    TechDbGlobals& g = TechDb();
    char dir[kTechPathSize];
    ModuleDirectory(dir);
    if (!dir[0]) {
        g.techPath[0] = g.dataSchemaPath[0] = g.priceSchemaPath[0] = '\0';
        g.other.path[0] = g.weather.path[0] = '\0';
        for (auto& p : g.pricePath)
            p[0] = '\0';
        return;
    }
    JoinPath(g.techPath, dir, kTechFile);
    JoinPath(g.dataSchemaPath, dir, kDataSchema);
    JoinPath(g.priceSchemaPath, dir, kPriceSchema);
    JoinExistingPath(g.other.path, dir, kOtherFile);
    JoinExistingPath(g.weather.path, dir, kWeatherFile);
    for (int i = 0; i < 3; ++i)
        JoinExistingPath(g.pricePath[i], dir, kPriceFiles[i]);
}

// Opens a read-only database and begins read use; -1 when either fails
// (the engine opens a missing file as an empty one, so read use decides).
TechDbHandle OpenForReading(const char* schema, const char* path)
{
    if (!path[0] || !schema[0])
        return -1;
    TechDbHandle h = ddq_openwithschema(schema, path, 0);
    if (h < 0)
        return -1;
    if (ddq_beginread(h) < 0) {
        ddq_closefile(h);
        return -1;
    }
    return h;
}

void CloseReadOnly(TechDbHandle& h)
{
    if (h < 0)
        return;
    ddq_endread(h);
    ddq_closereadfile(h);
    h = -1;
}

// Commits and closes an open editable database whatever its count.
void CloseEditable(EditableDb& db)
{
    if (db.openCount > 0) {
        db.openCount = 1;
        EditableDb_Close(db);
    }
}

void ResetEditable(EditableDb& db)
{
    db.handle = db.path[0] ? db.sentinel : -1;
    db.openCount = 0;
}

}  // namespace

TechDbGlobals& TechDb()
{
    static TechDbGlobals globals;
    return globals;
}

TechDbHandle EditableDb_Open(EditableDb& db, bool write)
{
    if (db.openCount > 0) {
        ++db.openCount;
        return db.handle;
    }
    if (!db.path[0])
        return -1;
    TechDbHandle h = ddq_openwithschema(TechDb().dataSchemaPath, db.path, 0);
    if (h < 0)
        return -1;
    if ((write ? ddq_begintransaction(h, 1) : ddq_beginread(h)) < 0) {
        ddq_closefile(h);
        return -1;
    }
    db.handle = h;
    db.openCount = 1;
    db.writing = write;
    return h;
}

short EditableDb_Close(EditableDb& db)
{
    if (db.openCount <= 0)
        return 0;
    if (--db.openCount > 0)
        return 0;
    short rc = 0;
    if (db.writing) {
        rc = ddq_endtransaction(db.handle);
        ddq_closefile(db.handle);
    } else {
        ddq_endread(db.handle);
        ddq_closereadfile(db.handle);
    }
    db.handle = db.sentinel;
    return rc < 0 ? rc : 0;
}

void TechDb_CloseAll()
{
    CloseEditable(TechDb().other);
    CloseEditable(TechDb().weather);
    TechDb_Close();
}

int __stdcall TechDb_Init()
{
    TechDbGlobals& g = TechDb();
    TechDb_CloseAll();
    BuildPaths();
    ResetEditable(g.other);
    ResetEditable(g.weather);
    g.tech = OpenForReading(g.dataSchemaPath, g.techPath);
    if (g.tech < 0)
        return -2;
    for (int i = 0; i < 3; ++i)
        g.price[i] = OpenForReading(g.priceSchemaPath, g.pricePath[i]);
    return 0;
}

int __stdcall TechDb_Close()
{
    TechDbGlobals& g = TechDb();
    CloseReadOnly(g.tech);
    for (TechDbHandle& h : g.price)
        CloseReadOnly(h);
    return 0;
}

void __stdcall VlTechDb_CloseDLL()
{
    TechDb_Close();
}

TechDbHandle __stdcall VlDataTechDb_Handle() { return TechDb().tech; }
TechDbHandle __stdcall VlOtherInsulationDataTechDb_Handle() { return TechDb().other.handle; }
TechDbHandle __stdcall VlWeatherDataTechDb_Handle() { return TechDb().weather.handle; }
TechDbHandle __stdcall VlPriceEURDb_Handle() { return TechDb().price[0]; }
TechDbHandle __stdcall VlPriceSEKDb_Handle() { return TechDb().price[1]; }
TechDbHandle __stdcall VlPricePLNDb_Handle() { return TechDb().price[2]; }

namespace {

// Ends one use of an editable database as its exported close answers: the
// database's handle, or -1 when the commit failed (the file is as it was).
TechDbHandle EndUse(EditableDb& db)
{
    return EditableDb_Close(db) < 0 ? -1 : db.handle;
}

} // namespace

TechDbHandle __stdcall TechDbOtherInsulation_Open(int write)
{
    return EditableDb_Open(TechDb().other, write != 0);
}

TechDbHandle __stdcall TechDbOtherInsulation_Close(int)
{
    return EndUse(TechDb().other);
}

TechDbHandle __stdcall TechDbWeather_Open(int write)
{
    return EditableDb_Open(TechDb().weather, write != 0);
}

TechDbHandle __stdcall TechDbWeather_Close(int)
{
    return EndUse(TechDb().weather);
}

UsableHandle::UsableHandle(TechDbHandle h, bool write) : handle_(h)
{
    TechDbGlobals& g = TechDb();
    for (EditableDb* db : {&g.other, &g.weather}) {
        if (h == db->sentinel) {
            handle_ = db->handle == -1 ? -1 : EditableDb_Open(*db, write);
            if (handle_ >= 0)
                opened_ = db;
            return;
        }
    }
}

UsableHandle::~UsableHandle()
{
    Finish();
}

short UsableHandle::Finish()
{
    if (!opened_)
        return 0;
    EditableDb* db = opened_;
    opened_ = nullptr;
    return EditableDb_Close(*db);
}
