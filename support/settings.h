// The registry settings store: one settings root per module, under
// HKEY_CURRENT_USER\Software\<company>\<application>\<version>\, with the same
// path under HKEY_LOCAL_MACHINE as the read-only machine-wide default.
// Values are named by "Section\Name" ("/" may stand for "\"); a path without a
// separator names the default value of a subkey of that name.
// Every function takes an optional parent key first: 0 means the open roots
// (user first, then machine); a parent key is searched alone. Writes never go
// to the machine root. No function shows anything: failures give 0 or NULL.
#pragma once
#include <windows.h>

// Opens (creating when missing) the user root and opens the machine root for
// reading; NULL parts become "Any company", "Any application", "Any version".
// Closes any roots open before. Returns 1 when both are open, else 0.
int Settings_OpenRoot(const char* company, const char* application, const char* version);

// Flushes and closes both roots. Returns 1.
int Settings_CloseRoot();

// The open user root for HKEY_CURRENT_USER, the machine root for
// HKEY_LOCAL_MACHINE, else 0.
HKEY Settings_GetRootKey(HKEY predefined);

// Reads a value of any type. With a buffer, length is its size in bytes and
// must be positive, and the value must fit: a text value also needs room for
// its terminator. Without a buffer a block of Mem_Alloc of the value's size
// plus a terminator byte is returned (the caller frees it with Mem_Free).
// *size (when given) receives the stored size. Bytes after the value, up to
// the buffer's end, are left as they were except the one terminator byte.
// Returns the buffer or block, NULL when missing, too long or not readable.
void* Settings_Read(HKEY key, const char* path, long* size, void* buffer, long length);

// A 32-bit number value (REG_DWORD); 0 when missing or of another type or size.
long Settings_ReadInt(HKEY key, const char* path);

// A float stored as text (at most 40 bytes); 0 when missing or unreadable.
float Settings_ReadFloat(HKEY key, const char* path);

// A text of at most 255 bytes in the next of ten 256-byte ring buffers (the
// eleventh read reuses the first buffer); NULL when missing or longer.
const char* Settings_ReadString(HKEY key, const char* path);

// Writes size bytes of data with the given registry type, creating the
// subkey when missing. Returns 1 when written.
int Settings_Write(HKEY key, const char* path, DWORD type, long size, const void* data);
int Settings_WriteBinary(HKEY key, const char* path, long size, const void* data);
int Settings_WriteInt(HKEY key, const char* path, long value);
// Stored as text "%f".
int Settings_WriteFloat(HKEY key, const char* path, float value);
// Stored as a string value without its terminator.
int Settings_WriteString(HKEY key, const char* path, const char* text);

// Deletes a value of the user root (or of the parent key). Returns 1 when deleted.
int Settings_DeleteValue(HKEY key, const char* path);

// Reads "<name>\Position" ("left top width height") and "<name>\Show" and,
// when a window is given, restores its normal position in the coordinates it
// was saved in, kept on the work area, and shows it with the stored command
// (0 shows it normally). rect (when given) receives the stored rectangle,
// show the show command. Returns 1 when both values were read and applied,
// 0 otherwise (the window is then left as it was).
int Settings_RestoreWindow(HKEY key, const char* name, HWND window, RECT* rect, int* show);

// Writes the window's normal position and show command under name. Returns 1
// when both were written, 0 when the handle is no window or a write failed.
int Settings_SaveWindow(HKEY key, const char* name, HWND window);
