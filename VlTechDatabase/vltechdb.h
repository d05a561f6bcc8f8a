// Public interface of VlTechDb.dll, the technical database library: the
// technical data, the price lists and the two editable databases (other
// insulation, weather) opened beside the library, their 16-bit handles, and
// record, attribute and product-code operations on them.
//
// Exports are bound by ordinal (VlTechDb.def) under their decorated C++ names;
// all use the standard calling convention.
//
// Handles: negative = no database. The other-insulation handle is 100 and the
// weather handle 200 while the database exists but is closed (a sentinel);
// every operation given a sentinel opens the database for its own length.
// Records and values handed out without a caller's buffer belong to the
// caller until TechDb_ReleaseRec / TechDb_ReleaseAtt; they stay usable after
// the database is closed. Strings come from a ring of ten 256-byte slots and
// keys from a ring of four 42-byte slots: copy what you keep.
#pragma once
#include <windows.h>

#ifdef VLTECHDB_BUILD
#define VLTECHDB_API
#else
#define VLTECHDB_API __declspec(dllimport)
#endif

typedef short TechDbHandle;
typedef char TechRecord;   // an engine record, opaque

enum : short {
    kTechDbOtherInsulationSentinel = 100,
    kTechDbWeatherSentinel = 200,
};

// Files and handles ---------------------------------------------------------

// Opens the technical data and the price lists beside the library and finds
// the editable databases; an earlier state is committed and closed first.
// 0, or -2 when the technical data cannot be opened (its handle stays -1).
VLTECHDB_API int __stdcall TechDb_Init();
// Ends read use of and closes the technical data and the price lists; their
// handles become -1. The editable databases are left as they are (their
// users close them; the unload commits what is still open). Returns 0.
VLTECHDB_API int __stdcall TechDb_Close();
// The same as TechDb_Close.
VLTECHDB_API void __stdcall VlTechDb_CloseDLL();

VLTECHDB_API TechDbHandle __stdcall VlDataTechDb_Handle();
// 100 (closed), the open handle, or -1 when the file is missing.
VLTECHDB_API TechDbHandle __stdcall VlOtherInsulationDataTechDb_Handle();
// 200 (closed), the open handle, or -1 when the file is missing.
VLTECHDB_API TechDbHandle __stdcall VlWeatherDataTechDb_Handle();
VLTECHDB_API TechDbHandle __stdcall VlPriceEURDb_Handle();
VLTECHDB_API TechDbHandle __stdcall VlPriceSEKDb_Handle();
VLTECHDB_API TechDbHandle __stdcall VlPricePLNDb_Handle();

// Opens the other-insulation database, for writing (a write transaction) when
// write is nonzero, else for reading. Opens nest: an open database gets its
// count raised and keeps the mode of the outer open. Returns the open handle,
// or -1 on failure (the handle then stays at its sentinel, or -1 when the
// file is missing).
VLTECHDB_API TechDbHandle __stdcall TechDbOtherInsulation_Open(int write);
// Ends one open. The last one commits (when opened for writing) and closes,
// whatever write says, and the handle returns to 100. Returns the handle
// after the call: still the open handle for an inner close, 100, or -1
// (also when the commit failed; the file then stays as it was).
VLTECHDB_API TechDbHandle __stdcall TechDbOtherInsulation_Close(int write);
// The weather pair, as the other-insulation pair with sentinel 200.
VLTECHDB_API TechDbHandle __stdcall TechDbWeather_Open(int write);
VLTECHDB_API TechDbHandle __stdcall TechDbWeather_Close(int write);

// Records -------------------------------------------------------------------

// First record of a class, or NULL.
VLTECHDB_API TechRecord* __stdcall TechDb_FindFirst(TechDbHandle h, const char* cls);
// The record with exactly this key (trailing blanks ignored), or NULL.
VLTECHDB_API TechRecord* __stdcall TechDb_FindEqual(TechDbHandle h, const char* cls, const char* key);
// The record with this key or the next one of the class, or NULL.
VLTECHDB_API TechRecord* __stdcall TechDb_FindEqualOrNext(TechDbHandle h, const char* cls, const char* key);
// The record of the class after the key, or NULL at the end of the class.
// Walk a class with TechDb_FindFirst, then TechRec_GetID and TechDb_FindNext.
VLTECHDB_API TechRecord* __stdcall TechDb_FindNext(TechDbHandle h, const char* cls, const char* key);
// Frees a record handed out by a find; returns NULL.
VLTECHDB_API void* __stdcall TechDb_ReleaseRec(TechRecord* record);
// The record's key (at most 39 characters, no trailing blanks) in the key
// ring, or NULL.
VLTECHDB_API char* __stdcall TechRec_GetID(TechDbHandle h, TechRecord* record);

// Attributes by class and key -------------------------------------------------

// Reads attribute att of the stored record. With a buffer, at most length
// bytes go into it and it is returned; without one the value is returned in
// memory the caller frees with TechDb_ReleaseAtt. count (may be NULL) gets the
// element count. NULL when the record or attribute is absent.
VLTECHDB_API void* __stdcall TechDb_GetAtt(TechDbHandle h, const char* cls, const char* key, short att,
                                           short* count, void* buffer, short length);
// Frees a value handed out without a buffer; returns NULL.
VLTECHDB_API void* __stdcall TechDb_ReleaseAtt(void* value);
// Typed reads of one value; 0 when absent or when h is negative.
VLTECHDB_API unsigned char __stdcall TechDb_GetByteAtt(TechDbHandle h, const char* cls, const char* key, short att);
VLTECHDB_API short __stdcall TechDb_GetIntAtt(TechDbHandle h, const char* cls, const char* key, short att);
VLTECHDB_API long __stdcall TechDb_GetLongAtt(TechDbHandle h, const char* cls, const char* key, short att);
VLTECHDB_API float __stdcall TechDb_GetFloatAtt(TechDbHandle h, const char* cls, const char* key, short att);
VLTECHDB_API double __stdcall TechDb_GetDoubleAtt(TechDbHandle h, const char* cls, const char* key, short att);
// A string (at most 255 bytes) in the string ring, or NULL when absent.
VLTECHDB_API char* __stdcall TechDb_GetStringAtt(TechDbHandle h, const char* cls, const char* key, short att);

// Attributes of a fetched record ------------------------------------------------

VLTECHDB_API void* __stdcall TechRec_GetAtt(TechDbHandle h, TechRecord* record, short att, short* count,
                                            void* buffer, short length);
VLTECHDB_API unsigned char __stdcall TechRec_GetByteAtt(TechDbHandle h, TechRecord* record, short att);
VLTECHDB_API short __stdcall TechRec_GetIntAtt(TechDbHandle h, TechRecord* record, short att);
VLTECHDB_API long __stdcall TechRec_GetLongAtt(TechDbHandle h, TechRecord* record, short att);
VLTECHDB_API float __stdcall TechRec_GetFloatAtt(TechDbHandle h, TechRecord* record, short att);
VLTECHDB_API double __stdcall TechRec_GetDoubleAtt(TechDbHandle h, TechRecord* record, short att);
VLTECHDB_API char* __stdcall TechRec_GetStringAtt(TechDbHandle h, TechRecord* record, short att);

// Writing (editable databases only) -------------------------------------------

// Stores count elements of data as attribute att of the record (made when
// missing). A sentinel handle opens the database for writing and commits.
// 0 when stored; -1 when nothing was written: the technical data or a price
// list, a negative handle, a database that cannot be opened or written, a
// key that is empty or longer than 39 characters, a failed commit.
VLTECHDB_API short __stdcall TechDb_SetAtt(TechDbHandle h, const char* cls, const char* key, short att,
                                           short count, void* data);
// One value, whatever count says; results as TechDb_SetAtt.
VLTECHDB_API short __stdcall TechDb_SetIntAtt(TechDbHandle h, const char* cls, const char* key, short att,
                                              short count, short value);
VLTECHDB_API short __stdcall TechDb_SetFloatAtt(TechDbHandle h, const char* cls, const char* key, short att,
                                                short count, float value);
// Deletes an attribute / a whole record; 0 when deleted, -1 as TechDb_SetAtt
// and when there was nothing to delete.
VLTECHDB_API short __stdcall TechDb_DeleteAtt(TechDbHandle h, const char* cls, const char* key, short att);
VLTECHDB_API short __stdcall TechDb_DeleteRec(TechDbHandle h, const char* cls, const char* key);

// Product codes ---------------------------------------------------------------

// 1 when code matches pattern, else 0. In the pattern "*", "?" and a to z
// stand for a run of the code up to the next "-" or "+"; the section sign
// (byte 0xA7) accepts whatever follows. An empty code matches everything, an
// empty pattern nothing but an empty code.
VLTECHDB_API short __stdcall TechAPI_MatchPcode(const char* code, const char* pattern);
