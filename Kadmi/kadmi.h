// Public interface of WSKADMI.dll, the project database library: one project
// file open at a time through a working copy, its pages and parts, typed
// attributes, access stamps, the library's ini values and the example
// database. Exports are bound by ordinal (WSKADMI.def).
//
// Error codes: every export owns a block -NN01..-NN04: 01 no database open,
// 02 a precondition fails, 03 not found, 04 engine or write failure.
// Arrays and values handed out are the caller's: arrays are freed with the
// support library's Mem_Free, attribute values with Kadmi_ReleaseAtt.
#pragma once
#include <windows.h>

#ifdef KADMI_BUILD
#define KADMI_API extern "C"
#else
#define KADMI_API extern "C" __declspec(dllimport)
#endif

// Open modes of Kadmi_OpenDatabasefileEx.
constexpr long KadmiMode_Read = 0x52454144;        // "READ"
constexpr long KadmiMode_ReadWrite = 0x52445752;   // "RDWR"
constexpr long KadmiMode_Check = 0x54455354;       // "TEST": opens nothing, see below

// Texts of the in-use question; NULL record: the default, NULL text: "".
// With KadmiOptions_WithHolder the record goes on with the questions for a
// mark that names who set it, filled in by the library at each "%s":
// heldQuestion for a program that may still work on the file, on another
// computer or running on this one (its computer, user, and since when, as
// "yyyy-mm-dd hh:mm"), endedQuestion for a program of this computer that has
// ended (user, since when). A mark that names nobody, or a NULL text, asks
// question.
constexpr long KadmiOptions_Plain = 1, KadmiOptions_WithHolder = 2;
struct KadmiOpenOptions {
    long reserved;   // KadmiOptions_Plain, or KadmiOptions_WithHolder with the texts below
    const char* caption;
    const char* question;
    const char* heldQuestion = nullptr;
    const char* endedQuestion = nullptr;
};

// Object ids of the attribute operations.
constexpr long KadmiObject_Project = -1;   // the project block "GENERALDATA"
constexpr long KadmiObject_Page = 0;       // the loaded page's own record

// Missing values of the Z getters.
constexpr unsigned char AttMissing_Byte = 0x80;
constexpr short AttMissing_Int = -32768;
constexpr long AttMissing_Long = 134217728;
constexpr float AttMissing_Float = -3.4e38f;
constexpr double AttMissing_Double = -1.7e308;

// One element of attribute 7701: when something happened to an object.
#pragma pack(push, 1)
struct AccessEntry {
    char mark[4];   // blank-padded, e.g. "EDT1", "DIM1"
    long date;      // yyyymmdd, local time
    long time;      // hhmmss
};
#pragma pack(pop)
static_assert(sizeof(AccessEntry) == 12);

// Project files -----------------------------------------------------------

// Opens a project: "RDWR" works on a temporary copy and marks the file in use
// (asking, when it is marked already, with options' caption and question;
// after Yes a mark of a program that may still run, here or on another
// computer, stays theirs, any other becomes this program's);
// "READ" reads the file itself. 0; -1001 a file is open; -1002 path NULL or
// 256 characters or more, no access, or the user declined; -1003 working copy
// not made; -1004 engine cannot open; -1005 engine refuses the transaction;
// -1006 another running program has the file open for writing (nothing asked).
// "TEST" only checks that path opens as a project, also while a project is
// open, and leaves everything as it was: 0; -1002 path unusable or not
// readable; -1004 damaged or foreign; -1005 empty or unreadable; -1006 open
// for writing in another running program.
KADMI_API short WINAPI Kadmi_OpenDatabasefileEx(const char* path, long mode, const KadmiOpenOptions* options);
// Kadmi_OpenDatabasefileEx(path, "RDWR", default texts).
KADMI_API short WINAPI Kadmi_OpenDatabasefile(const char* path);
// Kadmi_OpenDatabasefileEx(path, "RDWR", {1, caption, question}).
KADMI_API short WINAPI Kadmi_OpenDatabasefile2(const char* path, const char* caption, const char* question);
// Closes the project, saving first when save is nonzero (a file opened for
// writing); what was not saved is dropped. The in-use mark is cleared only
// when it is this program's. 0; -1101 nothing open, or the read
// transaction was refused (the file read is gone or replaced): the project is
// ended all the same; else Save's code, the project staying open.
KADMI_API short WINAPI Kadmi_CloseDatabasefile(short save);
// Writes the changes since the last Save into the working copy and copies it
// over the project file in one step. 0 (also for a file opened "READ"); -1201
// nothing open; -1202 the working copy could not be written (the changes stay
// for the next Save); -1203 the copy failed or the file is marked read-only;
// -1205 the file changed on disk since this program opened or last saved it
// (nothing written: Save As can write the project under another name);
// -1206 the file's folder does not exist; -1207 the temporary folder of the
// working copy is full. The project file is as it was after any failure.
KADMI_API short WINAPI Kadmi_SaveDatabasefile();
// Makes a new project file at path with page 1 and opens it for writing.
// 0; -1301 a file is open; -1302 the old file cannot be removed; -1303/-1304
// the engine cannot open or initialise it; -1305 another running program has
// the file open; else the code of the open.
KADMI_API short WINAPI Kadmi_CreateDatabasefile(const char* path);
// The next Save writes to newPath; nothing is written now. 0; -1401 nothing
// open; -1402 NULL; -1403 256 characters or more; -1404 opened for reading;
// -1405 another running program has a file of that name open.
KADMI_API short WINAPI Kadmi_RenameDatabasefile(const char* newPath);
// Removes a file. 0; -1501 NULL; -1502 access denied; -1503 not found.
KADMI_API short WINAPI Kadmi_DeleteDatabasefile(const char* path);
// The project file path (the target of the next Save); "" when none.
KADMI_API char* WINAPI Kadmi_CurrentDatabasefile();
// Copies a file byte for byte. 0; -201 source cannot be opened; -202 no memory;
// -203 destination cannot be created; -204 a read, write or the close failed.
KADMI_API short WINAPI Kadmi_CopyFile(const char* source, const char* destination);
// 1 when files can be read, written and made in path's directory, else 0.
KADMI_API short WINAPI Kadmi_CheckRWAccess(const char* path);

// Pages (numbered 1 to 998) ----------------------------------------------------

// Creates the page after the highest one; its number, or -2002 at 998.
KADMI_API short WINAPI Kadmi_CreatePage();
// Deletes a page with its parts. 0; -2102 not found.
KADMI_API short WINAPI Kadmi_DeletePage(short page);
// Loads a page into the page table. 0; -2202; -2203 no memory; -2204 bad page.
KADMI_API short WINAPI Kadmi_LoadPage(short page);
// Stores the page table in the project (the working copy gets it at the next
// Save). 0; -2302 none loaded; -2303 a record was refused.
KADMI_API short WINAPI Kadmi_SavePage();
// The loaded page; -2401 nothing open; -2402 none loaded.
KADMI_API short WINAPI Kadmi_GetCurrentPage();
// Number of the i-th page (from 0); -2502 none.
KADMI_API short WINAPI Kadmi_IthPage(short i);
// Number of pages.
KADMI_API short WINAPI Kadmi_NPage();
// Pages among 1 to page, minus 1; -2702 page outside 1 to 999.
KADMI_API short WINAPI Kadmi_PageIndex(short page);
// Replaces page destination by a copy of page source. 0; -2802 source not found.
KADMI_API short WINAPI Kadmi_PageCopy(short destination, short source);
// Block of 1000 page numbers, *n of them used; NULL on failure.
KADMI_API short* WINAPI Kadmi_GetAllPages(short* n);

// Parts of the loaded page -------------------------------------------------------

KADMI_API long WINAPI Kadmi_CreatePart();
KADMI_API short WINAPI Kadmi_DeletePart(long part);
// Deletes part and, recursively, its accessories. 0; -4751; -4752.
KADMI_API short WINAPI Kadmi_DeletePartA(long part);
KADMI_API long WINAPI Kadmi_IthPart(short i);
KADMI_API short WINAPI Kadmi_NPart();
KADMI_API long* WINAPI Kadmi_GetAllParts(short* n);
// Replaces every attribute of destination by those of source.
KADMI_API short WINAPI Kadmi_PartCopy(long destination, long source);
KADMI_API long WINAPI Kadmi_IthPartS(short line, short position);
KADMI_API long WINAPI Kadmi_IthPartE(short line, short position);
KADMI_API short WINAPI Kadmi_NPartS(short line);
KADMI_API short WINAPI Kadmi_NPartE(short line);
KADMI_API long* WINAPI Kadmi_GetAllSupplyParts(short line, short* n);
KADMI_API long* WINAPI Kadmi_GetAllExhaustParts(short line, short* n);
KADMI_API long WINAPI Kadmi_IthAccessory(long mainPart, short i);
KADMI_API short WINAPI Kadmi_NAccessory(long mainPart);
KADMI_API long* WINAPI Kadmi_GetAllAccessories(long mainPart, short* n);
KADMI_API short WINAPI Kadmi_IsAccessory(long part);
KADMI_API short WINAPI Kadmi_IsFunctionalPart(long part);

// Attributes of the loaded page -----------------------------------------------------
// Type by id % 1000: 0-49 byte, 100-199 short, 200-249 long, 300-399 float,
// 400-499 double, 500-599 string, 600-899 structured; typed calls refuse others.

// The value: buffer (zero-filled first), or engine memory freed with
// Kadmi_ReleaseAtt when buffer is NULL; NULL when absent. *count: elements.
KADMI_API void* WINAPI Kadmi_GetAtt(long object, short att, short* count, void* buffer, short length);
// 0; -6201 nothing open; -6202 no page loaded; -6203 no such object; -6204 refused.
KADMI_API short WINAPI Kadmi_SetAtt(long object, short att, short count, const void* data);
KADMI_API short WINAPI Kadmi_DeleteAtt(long object, short att);
KADMI_API short WINAPI Kadmi_ReleaseAtt(void* value);
KADMI_API unsigned char WINAPI Kadmi_GetByteAtt(long object, short att);
KADMI_API short WINAPI Kadmi_GetIntAtt(long object, short att);
KADMI_API long WINAPI Kadmi_GetLongAtt(long object, short att);
KADMI_API float WINAPI Kadmi_GetFloatAtt(long object, short att);
KADMI_API double WINAPI Kadmi_GetDoubleAtt(long object, short att);
// The string in the library's ring (valid until the ring comes round), NULL when absent.
KADMI_API char* WINAPI Kadmi_GetStringAtt(long object, short att);
// The string in buffer (terminated within length), NULL when absent.
KADMI_API char* WINAPI Kadmi_GetStringNAtt(long object, short att, char* buffer, short length);
// 1 when the last get found its value, else 0; clears the status.
KADMI_API short WINAPI Kadmi_LastAttWasFound();
// As Kadmi_SetAtt; -6502 an id of another type (or a NULL string).
KADMI_API short WINAPI Kadmi_SetByteAtt(long object, short att, unsigned char value);
KADMI_API short WINAPI Kadmi_SetIntAtt(long object, short att, short value);
KADMI_API short WINAPI Kadmi_SetLongAtt(long object, short att, long value);
KADMI_API short WINAPI Kadmi_SetFloatAtt(long object, short att, float value);
KADMI_API short WINAPI Kadmi_SetDoubleAtt(long object, short att, double value);
KADMI_API short WINAPI Kadmi_SetStringAtt(long object, short att, const char* value);
// Kadmi_GetAtt of any page: part -1 the project block, 0 the page record.
KADMI_API void* WINAPI Kadmi_GetAttID(short page, long part, short att, short* count, void* buffer, short length);
KADMI_API unsigned char WINAPI Kadmi_GetByteAttZ(long object, short att);
KADMI_API short WINAPI Kadmi_GetIntAttZ(long object, short att);
KADMI_API long WINAPI Kadmi_GetLongAttZ(long object, short att);
KADMI_API float WINAPI Kadmi_GetFloatAttZ(long object, short att);
KADMI_API double WINAPI Kadmi_GetDoubleAttZ(long object, short att);

// Access stamps, ini values ------------------------------------------------------------

// Stamps mark (4 characters, blank-padded) on object with the local time.
// 0; -8001 mark NULL; -8002 no memory; else the store's code.
KADMI_API short WINAPI Kadmi_MarkAccess(long object, const char* mark);
// -1 when A's stamp is older than B's, 1 newer, 0 equal; a missing stamp orders first.
KADMI_API short WINAPI Kadmi_CmpAccess(long objectA, const char* markA, long objectB, const char* markB);
// For tests: later stamps read seconds (> 0) further on, so that they differ
// from earlier ones without a wait. Other values are ignored.
KADMI_API void WINAPI Kadmi_AdvanceStampClock(long seconds);
// flag 0: name is the whole ini path; else name beside module's file.
KADMI_API void WINAPI Kadmi_SetupInifile(const char* name, short flag, HINSTANCE module);
KADMI_API char* WINAPI Kadmi_GetInifilename();
// The value in one of four rotating buffers, "" when absent.
KADMI_API char* WINAPI Kadmi_ReadIni(const char* section, const char* key);
KADMI_API float WINAPI Kadmi_ReadIniFloat(const char* section, const char* key);
KADMI_API long WINAPI Kadmi_ReadIniLong(const char* section, const char* key);
// 0; -1 when no ini path is set.
KADMI_API short WINAPI Kadmi_WriteIni(const char* section, const char* key, const char* value);
KADMI_API short WINAPI Kadmi_WriteIniFloat(const char* section, const char* key, float value);
KADMI_API short WINAPI Kadmi_WriteIniLong(const char* section, const char* key, long value);

// Example database -------------------------------------------------------------------

KADMI_API short WINAPI Kadmi_DefOpenDatabasefile(const char* name);
KADMI_API short WINAPI Kadmi_DefCloseDatabasefile();
KADMI_API void* WINAPI Kadmi_DefGetAtt(short group, short model, short att, short* count, void* buffer, short length);
KADMI_API short WINAPI Kadmi_DefSetAtt(short group, short model, short att, short count, const void* data);
KADMI_API short WINAPI Kadmi_DefReleaseAtt(void* value);
KADMI_API unsigned char WINAPI Kadmi_DefGetByteAtt(short group, short model, short att);
KADMI_API short WINAPI Kadmi_DefGetIntAtt(short group, short model, short att);
KADMI_API long WINAPI Kadmi_DefGetLongAtt(short group, short model, short att);
KADMI_API float WINAPI Kadmi_DefGetFloatAtt(short group, short model, short att);
KADMI_API double WINAPI Kadmi_DefGetDoubleAtt(short group, short model, short att);
KADMI_API char* WINAPI Kadmi_DefGetStringAtt(short group, short model, short att);
KADMI_API char* WINAPI Kadmi_DefGetStringNAtt(short group, short model, short att, char* buffer, short length);
KADMI_API short WINAPI Kadmi_DefLastAttWasFound();
KADMI_API short WINAPI Kadmi_DefSetByteAtt(short group, short model, short att, unsigned char value);
KADMI_API short WINAPI Kadmi_DefSetIntAtt(short group, short model, short att, short value);
KADMI_API short WINAPI Kadmi_DefSetLongAtt(short group, short model, short att, long value);
KADMI_API short WINAPI Kadmi_DefSetFloatAtt(short group, short model, short att, float value);
KADMI_API short WINAPI Kadmi_DefSetDoubleAtt(short group, short model, short att, double value);
KADMI_API short WINAPI Kadmi_DefSetStringAtt(short group, short model, short att, const char* value);
// 0; 1 when no such model; -7501 not open; -7502 refused.
KADMI_API short WINAPI Kadmi_DefDeleteModel(short group, short model);
KADMI_API short WINAPI Kadmi_DefNModelIndex(short group);
KADMI_API short WINAPI Kadmi_DefIthModelIndex(short group, short i);
KADMI_API short WINAPI Kadmi_DefNPage();
KADMI_API short WINAPI Kadmi_DefIthPage(short i, char* name, short length);
KADMI_API short WINAPI Kadmi_DefDelete(short examplePage);
// Saves project page into example page, named name when given.
KADMI_API short WINAPI Kadmi_DefSave(short examplePage, short projectPage, const char* name);
// Replaces project page by example page, keeping the project page's name.
KADMI_API short WINAPI Kadmi_DefLoad(short projectPage, short examplePage);

// "major.minor.build.revision" of the library's version block; NULL on failure.
KADMI_API char* WINAPI Kadmi_Version();
