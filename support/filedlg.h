// The open and save file dialogs of the module.
#pragma once
#include <windows.h>

// Bytes of the chosen path (the result buffer must hold as many).
constexpr int kFileDlgPathSize = 128;

// Shows the common open (FileDlg_Open) or save (FileDlg_Save) dialog.
// filter: "Name|pattern|..." ended by its separator; directory: the initial
// directory (kDirectorySize bytes), replaced by the chosen file's directory;
// result: receives the chosen path (kFileDlgPathSize bytes); title: the
// dialog's title; help: adds the Help button, which sends the registered
// "commdlg_help" message to the owner. Returns 1 when a file was chosen, 0
// when cancelled or when the dialog failed (a box says so).
int FileDlg_Open(HWND owner, const char* filter, char* directory, char* result, const char* title, bool help);
int FileDlg_Save(HWND owner, const char* filter, char* directory, char* result, const char* title, bool help);
