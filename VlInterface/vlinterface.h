// Public entry of the interface module: the start function that the launcher
// calls and the project file commands. Everything else stays inside it.
#pragma once
#include <windows.h>
#include <cstdint>

#ifdef VLINTFC_BUILD
#define VLINTFC_API extern "C" __declspec(dllexport)
#else
#define VLINTFC_API extern "C" __declspec(dllimport)
#endif

// Runs the program: initialises the module, shows the main window, opens the
// project file that commandLine may name and runs the message loop until the
// user quits. The first two arguments are not used; show is the show state of
// the first showing. Returns the loop's exit code, 0 when initialisation
// failed, -1 when the main window could not be created.
VLINTFC_API int32_t __stdcall StartVelmoInsulation(HINSTANCE instance, HINSTANCE previous,
                                                   char* commandLine, int show);

// Project file commands. Each takes the window that owns its dialogs and
// message boxes. Before a command replaces or writes the project the open
// calculation page stores its inputs; when it refuses, the command returns
// its cancel value.

// New project file under a name the user chooses. 0 created; -1 cancelled at
// the save question; -2 name dialog cancelled; -3 creation failed (message
// shown; a temporary project is open afterwards).
VLINTFC_API int32_t __stdcall VlFileMenu_NewFile(HWND owner);
// Opens a file the user chooses. 1 opened; 2 cancelled, or the open failed
// (message shown; a temporary project is open afterwards).
VLINTFC_API int32_t __stdcall VlFileMenu_OpenFile(HWND owner);
// Opens recent file i (0-based). 0 opened; 1 cancelled at the save question;
// -1 no such entry; -2 the file is missing or the open failed (message shown).
VLINTFC_API int32_t __stdcall VlFileMenu_OpenIthFile(HWND owner, int32_t i);
// Saves the project. 0 saved; -1 no project open; -2 saving failed (message
// shown); for the unnamed project the result of VlFileMenu_SaveFileAs.
VLINTFC_API int32_t __stdcall VlFileMenu_SaveFile(HWND owner);
// Saves the project under a name the user chooses. 0 saved; -1 no project
// open; 1 dialog cancelled; -2 the name was refused; -3 saving failed
// (message shown, the old name is kept).
VLINTFC_API int32_t __stdcall VlFileMenu_SaveFileAs(HWND owner);
// Closes the project and opens a temporary one. 0 closed; -1 cancelled at the
// save question.
VLINTFC_API int32_t __stdcall VlFileMenu_CloseFile(HWND owner);
// Asks question (a text) when the project has unsaved changes. 0 nothing
// unsaved; 7 no; 2 cancel; 6 yes and saved; a failed save gives its negative
// result; for the unnamed project after yes, the result of VlFileMenu_SaveFileAs.
VLINTFC_API int32_t __stdcall VlFileMenu_AskSaveChanges(HWND owner, const char* question);
// Kept for callers of the older interface: 0, does nothing.
VLINTFC_API int32_t __stdcall VlFileMenu_UpdateFileList(HWND owner);
// Opens the file whose name the start-up put into the current file name.
// 1 opened; 2 the open failed (message shown).
VLINTFC_API int32_t __stdcall OpenKadmiFile(HWND owner);
