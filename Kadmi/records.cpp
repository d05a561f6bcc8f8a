// Record keys of the project file and the walks over stored page records that
// the project and the example database share.
#include "kadmi_int.h"
#include <cstdio>

bool Key_Page(short page, char key[kKeySize])
{
    if (page < 1 || page > 999)
        return false;
    snprintf(key, kKeySize, "P%03hu       ", static_cast<unsigned short>(page));
    return true;
}

bool Key_Part(short page, long part, char key[kKeySize])
{
    if (page < 1 || page > 999 || part < 1 || part > 999999)
        return false;
    snprintf(key, kKeySize, "P%03huP%06lu", static_cast<unsigned short>(page),
             static_cast<unsigned long>(part));
    return true;
}

bool Key_Model(short group, short model, char key[kKeySize])
{
    if (group < 1 || group > 999 || model < 1 || model > 999)
        return false;
    snprintf(key, kKeySize, "D%03huM%03hu   ", static_cast<unsigned short>(group),
             static_cast<unsigned short>(model));
    return true;
}

bool Key_Object(short page, long object, char key[kKeySize])
{
    if (object == KadmiObject_Project) {
        snprintf(key, kKeySize, "%s", kProjectKey);
        return true;
    }
    return object == KadmiObject_Page ? Key_Page(page, key) : Key_Part(page, object, key);
}

static bool Digits(const char* s, int n, long* value)
{
    *value = 0;
    for (int i = 0; i < n; ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
        *value = *value * 10 + (s[i] - '0');
    }
    return true;
}

static bool BlanksOnly(const char* s)
{
    while (*s == ' ')
        ++s;
    return *s == '\0';
}

short Key_Parse(const char* key, short* page, long* part)
{
    if (!key)
        return -1;
    if (strncmp(key, kProjectKey, 11) == 0 && BlanksOnly(key + 11)) {
        *page = 0;
        *part = -1;
        return 0;
    }
    long p, q;
    if (key[0] != 'P' || !Digits(key + 1, 3, &p))
        return -2;
    if (BlanksOnly(key + 4)) {
        *page = short(p);
        *part = 0;
        return 0;
    }
    if (key[4] != 'P' || !Digits(key + 5, 6, &q) || !BlanksOnly(key + 11))
        return -2;
    *page = short(p);
    *part = q;
    return 0;
}

bool Key_OfRecord(short db, const ddq_record* rec, short* page, long* part)
{
    char key[kKeySize] = {};
    short length = kKeySize;
    return ddq_getrecordkey(db, rec, &length, key) >= 0 && Key_Parse(key, page, part) == 0;
}

bool Page_Exists(short db, short page)
{
    char key[kKeySize];
    return Key_Page(page, key) && ddq_lookupkey(db, kClass, key) == 1;
}

short Page_DeleteStored(short db, short page)
{
    char key[kKeySize];
    if (!Key_Page(page, key))
        return 1;
    Pages_Forget();
    short rc = ddq_deleterecord(db, kClass, key);
    K().lastEngine = rc;
    bool anyPart = false;
    Page_WalkParts(db, page, [&](ddq_record* rec, long part) {
        char partKey[kKeySize];
        Key_Part(page, part, partKey);
        K().lastEngine = ddq_deleterecord(db, kClass, partKey);
        ddq_freerecord(rec);
        anyPart = true;
    });
    return rc != 0 && !anyPart ? 1 : 0;
}

// Stores rec under key in db; frees rec.
static short StoreAs(short db, ddq_record* rec, const char* key)
{
    short rc = ddq_rekeyrecord(db, rec, kClass, key);
    if (rc == 0)
        rc = ddq_writerecord(db, rec);
    ddq_freerecord(rec);
    return rc;
}

short Page_CopyStored(short srcDb, short src, short dstDb, short dst, const char* name, short nameCount)
{
    char key[kKeySize];
    if (!Key_Page(src, key))
        return DDQ_ENOTFOUND;
    ddq_record* page = ddq_findkey(srcDb, kClass, key, DDQ_FIND_EXACT);
    if (!page || !Key_Page(dst, key)) {
        ddq_freerecord(page);
        return DDQ_ENOTFOUND;
    }
    Pages_Forget();
    if (name)
        ddq_putfield(dstDb, &page, kAttPageName, name, nameCount);
    short rc = StoreAs(dstDb, page, key);
    Page_WalkParts(srcDb, src, [&](ddq_record* rec, long part) {
        char partKey[kKeySize];
        Key_Part(dst, part, partKey);
        if (short r = StoreAs(dstDb, rec, partKey); r != 0 && rc == 0)
            rc = r;
    });
    return rc;
}

bool Record_HasAttributes(short db, ddq_record* rec)
{
    short att, count;
    void* first = ddq_firstfield(db, rec, &att, &count, nullptr, 0);
    ddq_freefield(first);
    return first != nullptr;
}
