// Handles, database files and transactions, and the calls that read or change
// stored records. Every export takes the module mutex; a database's content is
// in memory and reread when its file changed.
#include "engine.h"
#include <cstring>

namespace {

using Guard = std::lock_guard<std::mutex>;

short NewHandle(EngineGlobals& g)
{
    for (int tries = 0; tries < 32767; ++tries) {
        short h = g.lastHandle >= 32767 ? 1 : short(g.lastHandle + 1);
        g.lastHandle = h;
        if (h != 100 && h != 200 && !g.schemas.count(h) && !g.databases.count(h))
            return h;
    }
    return DDQ_ENOMEM;
}

Database* FindDb(short db)
{
    auto it = Engine().databases.find(db);
    return it == Engine().databases.end() ? nullptr : it->second.get();
}

short MakeKey(const Schema& schema, const char* cls, const char* key, RecordKey* out)
{
    if (!cls || !*cls || !key || strlen(cls) > kMaxNameBytes)
        return DDQ_EARG;
    out->cls = cls;
    out->key = TrimKey(key);
    int width = schema.KeyWidthOf(out->cls);
    return width > 0 && out->key.size() <= size_t(width) ? DDQ_OK : DDQ_EARG;
}

ddq_record* CopyOut(const Database& db, RecordMap::const_iterator it)
{
    if (it == db.records.end())
        return nullptr;
    ddq_record* rec = Mem_NewRecord();
    if (!rec)
        return nullptr;
    try {
        rec->schema = db.schema;
        rec->where = it->first;
        rec->atts = it->second;
    } catch (const std::bad_alloc&) {
        Mem_Free(rec);
        return nullptr;
    }
    return rec;
}

// The first record at or after it while it stays in class cls.
ddq_record* CopyInClass(const Database& db, RecordMap::const_iterator it, const std::string& cls)
{
    return it != db.records.end() && it->first.cls == cls ? CopyOut(db, it) : nullptr;
}

// Rereads the file when it is not the one read last.
short Refresh(Database& db)
{
    FileStamp now;
    if (db.hasContent && DbFile_Stamp(db.path, &now) && now == db.stamp)
        return DDQ_OK;
    RecordMap fresh;
    FileStamp stamp;
    short rc = DbFile_Read(db.path, *db.schema, &fresh, &stamp);
    if (rc == DDQ_ENOFILE) {
        db.records.clear();
        db.hasContent = false;
    }
    if (rc != DDQ_OK)
        return rc;
    db.records = std::move(fresh);
    db.stamp = stamp;
    db.hasContent = true;
    return DDQ_OK;
}

// Writes the records as the file's content; on failure the file stays as it
// was and the records are kept.
short WriteOut(Database& db)
{
    short rc = DbFile_Commit(db.path, db.records);
    if (rc == DDQ_OK) {
        db.dirty = false;
        DbFile_Stamp(db.path, &db.stamp);
        db.hasContent = true;
    }
    return rc;
}

short Commit(Database& db)
{
    short rc = WriteOut(db);
    if (rc != DDQ_OK) {
        db.dirty = false;
        db.hasContent = false;   // drop the changes: read the old file again
        Refresh(db);
    }
    return rc;
}

short OpenDb(SchemaPtr schema, const char* path)
{
    if (!schema)
        return DDQ_ESCHEMA;
    if (!path || !*path)
        return DDQ_EARG;
    auto db = std::make_unique<Database>();
    db->schema = std::move(schema);
    db->path = path;
    short rc = DbFile_Read(db->path, *db->schema, &db->records, &db->stamp);
    if (rc != DDQ_OK && rc != DDQ_ENOFILE)
        return rc;
    db->hasContent = rc == DDQ_OK;
    short h = NewHandle(Engine());
    if (h > 0)
        Engine().databases[h] = std::move(db);
    return h;
}

// A database in a write transaction, or nullptr with *rc set.
Database* Writable(short db, short* rc)
{
    Database* d = FindDb(db);
    *rc = !d ? DDQ_EHANDLE : d->txn != Txn::Write ? DDQ_ESTATE : DDQ_OK;
    return *rc == DDQ_OK ? d : nullptr;
}

short CloseDb(short db)
{
    Database* d = FindDb(db);
    if (!d)
        return DDQ_EHANDLE;
    Engine().databases.erase(db);   // a write transaction is dropped with its lock
    return DDQ_OK;
}

}  // namespace

EngineGlobals& Engine()
{
    static EngineGlobals g;
    return g;
}

std::string TrimKey(const char* key)
{
    std::string k = key ? key : "";
    size_t end = k.find_last_not_of(' ');
    k.resize(end == std::string::npos ? 0 : end + 1);
    return k;
}

short WINAPI ddq_opendatabase(const char* schemaPath, short)
{
    SchemaPtr s = Schema_Load(schemaPath);
    if (!s)
        return DDQ_ESCHEMA;
    Guard lock(Engine().mutex);
    short h = NewHandle(Engine());
    if (h > 0)
        Engine().schemas[h] = std::move(s);
    return h;
}

short WINAPI ddq_closedatabase(short schema)
{
    Guard lock(Engine().mutex);
    return Engine().schemas.erase(schema) ? DDQ_OK : DDQ_EHANDLE;
}

short WINAPI ddq_openfile(short schema, const char* path, short, short)
{
    Guard lock(Engine().mutex);
    auto it = Engine().schemas.find(schema);
    return it == Engine().schemas.end() ? short(DDQ_EHANDLE) : OpenDb(it->second, path);
}

short WINAPI ddq_openwithschema(const char* schemaPath, const char* path, short)
{
    SchemaPtr s = Schema_Load(schemaPath);
    Guard lock(Engine().mutex);
    return OpenDb(std::move(s), path);
}

short WINAPI ddq_createfile(short db)
{
    Guard lock(Engine().mutex);
    Database* d = FindDb(db);
    if (!d)
        return DDQ_EHANDLE;
    bool tookLock = !d->lock.Held();
    if (short rc = d->lock.Acquire(d->path); rc != DDQ_OK)
        return rc;
    d->records.clear();
    short rc = Commit(*d);
    if (tookLock)
        d->lock.Release();
    return rc;
}

short WINAPI ddq_closefile(short db)
{
    Guard lock(Engine().mutex);
    return CloseDb(db);
}

short WINAPI ddq_closereadfile(short db)
{
    Guard lock(Engine().mutex);
    return CloseDb(db);
}

short WINAPI ddq_begintransaction(short db, short write)
{
    Guard lock(Engine().mutex);
    Database* d = FindDb(db);
    if (!d)
        return DDQ_EHANDLE;
    if (d->txn != Txn::None)
        return DDQ_ESTATE;
    if (write) {
        if (short rc = d->lock.Acquire(d->path); rc != DDQ_OK)
            return rc;
    }
    if (short rc = Refresh(*d); rc != DDQ_OK) {
        d->lock.Release();
        return rc;
    }
    d->txn = write ? Txn::Write : Txn::Read;
    d->dirty = false;
    return DDQ_OK;
}

short WINAPI ddq_endtransaction(short db)
{
    Guard lock(Engine().mutex);
    Database* d = FindDb(db);
    if (!d)
        return DDQ_EHANDLE;
    if (d->txn == Txn::None)
        return DDQ_ESTATE;
    short rc = d->txn == Txn::Write && d->dirty ? Commit(*d) : short(DDQ_OK);
    d->lock.Release();
    d->txn = Txn::None;
    return rc;
}

short WINAPI ddq_commit(short db)
{
    Guard lock(Engine().mutex);
    short rc;
    Database* d = Writable(db, &rc);
    if (!d)
        return rc;
    return d->dirty ? WriteOut(*d) : short(DDQ_OK);
}

short WINAPI ddq_intransaction(short db)
{
    Guard lock(Engine().mutex);
    Database* d = FindDb(db);
    if (!d)
        return DDQ_EHANDLE;
    return d->txn != Txn::None ? 1 : 0;
}

short WINAPI ddq_beginread(short db)
{
    Guard lock(Engine().mutex);
    Database* d = FindDb(db);
    if (!d)
        return DDQ_EHANDLE;
    if (d->txn == Txn::None) {
        if (short rc = Refresh(*d); rc != DDQ_OK)
            return rc;
    }
    d->readUse = true;
    return DDQ_OK;
}

short WINAPI ddq_endread(short db)
{
    Guard lock(Engine().mutex);
    Database* d = FindDb(db);
    if (!d)
        return DDQ_EHANDLE;
    d->readUse = false;
    return DDQ_OK;
}

ddq_record* WINAPI ddq_findkey(short db, const char* cls, const char* key, short mode)
{
    Guard lock(Engine().mutex);
    Database* d = FindDb(db);
    RecordKey k;
    if (!d || MakeKey(*d->schema, cls, key, &k) != DDQ_OK)
        return nullptr;
    if (mode == DDQ_FIND_EXACT)
        return CopyOut(*d, d->records.find(k));
    if (mode == DDQ_FIND_EQUAL_OR_NEXT)
        return CopyInClass(*d, d->records.lower_bound(k), k.cls);
    return nullptr;
}

ddq_record* WINAPI ddq_findfirst(short db, const char* cls)
{
    Guard lock(Engine().mutex);
    Database* d = FindDb(db);
    if (!d || !cls)
        return nullptr;
    return CopyInClass(*d, d->records.lower_bound(RecordKey{cls, ""}), cls);
}

ddq_record* WINAPI ddq_findnext(short db, const ddq_record* rec)
{
    Guard lock(Engine().mutex);
    Database* d = FindDb(db);
    if (!d || !rec)
        return nullptr;
    return CopyInClass(*d, d->records.upper_bound(rec->where), rec->where.cls);
}

ddq_record* WINAPI ddq_nextrecord(short db, const ddq_record* rec)
{
    Guard lock(Engine().mutex);
    Database* d = FindDb(db);
    if (!d || !rec)
        return nullptr;
    return CopyOut(*d, d->records.upper_bound(rec->where));
}

short WINAPI ddq_lookupkey(short db, const char* cls, const char* key)
{
    Guard lock(Engine().mutex);
    Database* d = FindDb(db);
    if (!d)
        return DDQ_EHANDLE;
    RecordKey k;
    if (short rc = MakeKey(*d->schema, cls, key, &k); rc != DDQ_OK)
        return rc;
    return d->records.count(k) ? 1 : 0;
}

ddq_record* WINAPI ddq_newrecord(short db, const char* cls, const char* key)
{
    Guard lock(Engine().mutex);
    Database* d = FindDb(db);
    RecordKey k;
    if (!d || MakeKey(*d->schema, cls, key, &k) != DDQ_OK)
        return nullptr;
    ddq_record* rec = Mem_NewRecord();
    if (rec) {
        rec->schema = d->schema;
        rec->where = std::move(k);
    }
    return rec;
}

short WINAPI ddq_writerecord(short db, const ddq_record* rec)
{
    Guard lock(Engine().mutex);
    short rc;
    Database* d = Writable(db, &rc);
    if (!d)
        return rc;
    if (!rec)
        return DDQ_EARG;
    RecordKey k;
    if (MakeKey(*d->schema, rec->where.cls.c_str(), rec->where.key.c_str(), &k) != DDQ_OK)
        return DDQ_EARG;
    if (!Io_MayStore(k.key))
        return DDQ_ENOMEM;
    try {
        d->records[k] = rec->atts;
    } catch (const std::bad_alloc&) {
        return DDQ_ENOMEM;
    }
    d->dirty = true;
    return DDQ_OK;
}

short WINAPI ddq_rekeyrecord(short db, ddq_record* rec, const char* cls, const char* key)
{
    Guard lock(Engine().mutex);
    if (!FindDb(db))
        return DDQ_EHANDLE;
    if (!rec)
        return DDQ_EARG;
    RecordKey k;
    if (short rc = MakeKey(*rec->schema, cls, key, &k); rc != DDQ_OK)
        return rc;
    rec->where = std::move(k);
    return DDQ_OK;
}

short WINAPI ddq_deleterecord(short db, const char* cls, const char* key)
{
    Guard lock(Engine().mutex);
    short rc;
    Database* d = Writable(db, &rc);
    if (!d)
        return rc;
    RecordKey k;
    if (rc = MakeKey(*d->schema, cls, key, &k); rc != DDQ_OK)
        return rc;
    if (!d->records.erase(k))
        return DDQ_ENOTFOUND;
    d->dirty = true;
    return DDQ_OK;
}

short WINAPI ddq_getstoredfield(short db, const char* cls, const char* key, short att,
                                short* count, void* buffer, short length)
{
    if (count)
        *count = 0;
    Guard lock(Engine().mutex);
    Database* d = FindDb(db);
    RecordKey k;
    if (!d || MakeKey(*d->schema, cls, key, &k) != DDQ_OK)
        return 0;
    auto rec = d->records.find(k);
    if (rec == d->records.end())
        return 0;
    auto v = rec->second.find(att);
    if (v == rec->second.end())
        return 0;
    void* p = Rec_CopyOut(v->second, d->schema->SpecOf(att).isString, count, buffer, length);
    if (p != buffer)
        Mem_Free(p);   // no buffer: found is all the caller asked
    return p ? 1 : 0;
}

short WINAPI ddq_putstoredfield(short db, const char* cls, const char* key, short att,
                                const void* data, short count)
{
    Guard lock(Engine().mutex);
    short rc;
    Database* d = Writable(db, &rc);
    if (!d)
        return rc;
    RecordKey k;
    if (rc = MakeKey(*d->schema, cls, key, &k); rc != DDQ_OK)
        return rc;
    auto it = d->records.find(k);
    AttMap fresh;
    rc = Rec_Put(*d->schema, it != d->records.end() ? it->second : fresh, att, data, count);
    if (rc != DDQ_OK)
        return rc;
    if (it == d->records.end())
        d->records.emplace(std::move(k), std::move(fresh));
    d->dirty = true;
    return DDQ_OK;
}

short WINAPI ddq_deletestoredfield(short db, const char* cls, const char* key, short att)
{
    Guard lock(Engine().mutex);
    short rc;
    Database* d = Writable(db, &rc);
    if (!d)
        return rc;
    RecordKey k;
    if (rc = MakeKey(*d->schema, cls, key, &k); rc != DDQ_OK)
        return rc;
    auto it = d->records.find(k);
    if (it == d->records.end() || !it->second.erase(att))
        return DDQ_ENOTFOUND;
    d->dirty = true;
    return DDQ_OK;
}
