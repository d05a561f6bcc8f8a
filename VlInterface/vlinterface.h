// Public entry of the interface module: the start function that the launcher
// calls. Everything else of the module stays inside it.
#pragma once
#include <windows.h>
#include <cstdint>

#ifdef VLINTFC_BUILD
#define VLINTFC_API __declspec(dllexport)
#else
#define VLINTFC_API __declspec(dllimport)
#endif

// Runs the program: initialises the module, shows the main window, opens the
// project file that commandLine may name and runs the message loop until the
// user quits. The first two arguments are not used; show is the show state of
// the first showing. Returns the loop's exit code, 0 when initialisation
// failed, -1 when the main window could not be created.
VLINTFC_API int32_t __stdcall StartVelmoInsulation(HINSTANCE instance, HINSTANCE previous,
                                                   char* commandLine, int show);
