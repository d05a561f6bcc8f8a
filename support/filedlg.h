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
// One open or save dialog, Unicode at the window and UTF-8 here. filter:
// "Name|pattern|..." ended by its separator; flags: OFN_ flags; extension:
// the default extension, or NULL. path (size bytes) names the start file
// and receives the choice. True when a file was chosen; false when
// cancelled, when the dialog failed, or when the chosen path does not fit
// size bytes (it is never cut).
struct FileDlgRequest {
    HWND owner;
    const char* filter;
    const char* initialDirectory;
    const char* title;
    const char* extension;
    DWORD flags;
    bool open;
};
bool FileDlg_Run(const FileDlgRequest& request, char* path, size_t size);

int FileDlg_Open(
HWND owner, const char* filter, char* directory, char* result, const char* title, bool help);
int FileDlg_Save(HWND owner, const char* filter, char* directory, char* result, const char* title, bool help);
