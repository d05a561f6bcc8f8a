// Private state of VlUtil.dll: the entry record and the one globals record
// shared by the error list, the error dialog and the library's start-up.
#pragma once
#include <windows.h>
#include <cstddef>
#include <cstdint>

constexpr size_t ErrorTextSize = 200;   // 199 bytes of text and the terminator

struct ErrorEntry {
    int32_t page;                 // 0 general, above 0 a part of the loaded page
    int32_t kind;                 // ErrorKind: second sort key
    int32_t textId;               // shown when text is empty
    char text[ErrorTextSize];
    uint32_t data;                // caller's values, kept and not used
    void* pointer;
};
static_assert(offsetof(ErrorEntry, text) == 12);
static_assert(offsetof(ErrorEntry, data) == 212);
static_assert(offsetof(ErrorEntry, pointer) == 216);
static_assert(sizeof(ErrorEntry) == 216 + sizeof(void*));

struct VlUtilGlobals {
    ErrorEntry* entries = nullptr;   // one growable block of the support allocator
    int count = 0;
    bool listReady = false;          // ErrorList_Reset has run
    bool initialised = false;        // VlUtil_InitDLL has run
    short textHandle = 0;            // language texts of this library
    HWND mainWindow = nullptr;
    HINSTANCE instance = nullptr;
    short techDb = -1;               // copied technical database handles
    short otherInsulationDb = -1;
};

// The one globals record of this library.
VlUtilGlobals& VlUtil();

// Language text of textId in the library's current language; never NULL.
const char* VlUtil_Text(long textId);
