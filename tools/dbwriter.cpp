// The engine side of the data compiler: one write transaction that stores
// every record of the sources in a fresh database file.
#include "tools/dbwriter.h"

#include "outside/Torbase200/torbase.h"

namespace tab {
namespace {

// Closes the engine handle on every path out.
struct DbHandle {
    short h = -1;
    ~DbHandle()
    {
        if (h >= 0)
            ddq_closefile(h);
    }
};

std::string Where(const SourcePos& pos)
{
    return pos.file + ":" + std::to_string(pos.line);
}

void StoreRecord(short db, const Record& r)
{
    ddq_record* rec = ddq_newrecord(db, r.cls.c_str(), r.key.c_str());
    if (!rec)
        throw Error{Where(r.pos) + ": the schema refuses class " + r.cls + " or key " + r.key};
    for (const Field& f : r.fields) {
        short rc = ddq_putfield(db, &rec, f.att, f.bytes.data(), f.count);
        if (rc < 0) {
            ddq_freerecord(rec);
            throw Error{Where(f.pos) + ": the schema refuses attribute " + std::to_string(f.att) +
                        " of class " + r.cls + " (engine code " + std::to_string(rc) + ")"};
        }
    }
    short rc = ddq_writerecord(db, rec);
    ddq_freerecord(rec);
    if (rc < 0)
        throw Error{Where(r.pos) + ": cannot store " + r.cls + "/" + r.key + " (engine code " +
                    std::to_string(rc) + ")"};
}

void Store(const std::string& schemaPath, const std::string& dbPath, const std::vector<Record>& records)
{
    DbHandle db;
    db.h = ddq_openwithschema(schemaPath.c_str(), dbPath.c_str(), 0);
    if (db.h < 0)
        throw Error{schemaPath + ":0: cannot open " + dbPath + " under this schema (engine code " +
                    std::to_string(db.h) + ")"};
    if (short rc = ddq_createfile(db.h); rc < 0)
        throw Error{dbPath + ":0: cannot create the database (engine code " + std::to_string(rc) + ")"};
    if (short rc = ddq_begintransaction(db.h, 1); rc < 0)
        throw Error{dbPath + ":0: cannot begin writing (engine code " + std::to_string(rc) + ")"};
    for (const Record& r : records)
        StoreRecord(db.h, r);
    if (short rc = ddq_endtransaction(db.h); rc < 0)
        throw Error{dbPath + ":0: cannot commit (engine code " + std::to_string(rc) + ")"};
}

}  // namespace

std::string HostPath(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return path;
    std::string out = "Z:" + path;
    for (char& c : out)
        if (c == '/')
            c = '\\';
    return out;
}

void WriteDatabase(const std::string& schemaPath, const std::string& dbPath,
                   const std::vector<Record>& records)
{
    DeleteFileA(dbPath.c_str());
    try {
        Store(schemaPath, dbPath, records);
    } catch (const Error&) {
        DeleteFileA(dbPath.c_str());
        throw;
    }
}

}  // namespace tab
