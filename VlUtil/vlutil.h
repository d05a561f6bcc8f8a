// Public interface of VlUtil.dll: the one process-wide list of calculation
// messages (errors, failed iterations, warnings) and the modal dialog that
// shows it grouped by the object each message concerns.
#pragma once
#include <windows.h>

// Severity of an entry; the dialog sorts by it within each object.
enum ErrorKind : int {
    ErrorKind_Error = -2,
    ErrorKind_FailedIteration = -1,   // also a conductivity a product cannot give, stale results
    ErrorKind_Warning = 1,
};

// Shows the modal error dialog over owner with every entry, grouped by object
// (general messages first after negative objects) and sorted by severity.
// Reorders the list in place. Returns IDOK (1) or IDCANCEL (2).
int WINAPI ErrorDialog(HWND owner);

// Frees every entry; the list is empty and usable afterwards.
void WINAPI ErrorList_Clear();

// Appends one entry. page: 0 the current calculation, above 0 a part of the
// loaded page. kind: an ErrorKind. textId: language text shown when text is
// NULL or empty. text is copied, cut to at most 199 bytes on a UTF-8 character
// boundary. data and pointer are kept for the caller and not used.
// Returns the new count, or -2 when memory is exhausted (the entries already in
// the list stay as they were). ErrorList_Reset must have run once before.
int WINAPI ErrorList_Insert(long page, int kind, long textId, const char* text,
                            unsigned long data, void* pointer);

// Text of entry i: its own text, else the language text of its text id in the
// current interface language. "" when i is out of range; never NULL. The
// result is valid until the list changes or the next language text is fetched.
const char* WINAPI ErrorList_IthErrorStr(int i);

// Number of entries.
int WINAPI ErrorList_NError();

// Forgets every entry without freeing (use ErrorList_Clear to free) and marks
// the list ready; the shell calls it once at start-up.
void WINAPI ErrorList_Reset();

// Flushes and closes the settings keys that VlUtil_InitDLL opened.
void WINAPI VlUtil_CloseDLL();

// Once per process (later calls do nothing): keeps the main window and
// instance, opens the settings root Software\<company>\<application>\<version>\,
// opens the language texts beside the library and sets the interface language
// from "General\InterfaceLng".
void WINAPI VlUtil_InitDLL(HWND mainWindow, HINSTANCE instance, const char* company,
                           const char* application, const char* version);

// Reads "General\InterfaceLng" again and switches the library's texts to it.
void WINAPI VlUtil_OnLanguageChange();
