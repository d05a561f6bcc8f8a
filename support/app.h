// Module globals of the support library: each module that links it keeps its
// own copy, set when the module is attached.
#pragma once
#include <windows.h>

struct AppGlobals {
    HINSTANCE instance = nullptr;      // the module's own instance
    HWND mainWindow = nullptr;
    const char* title = nullptr;       // caption of every message box
    const char* helpFile = nullptr;
    UINT commdlgHelpMessage = 0;       // registered "commdlg_help", 0 until needed
    char currentFile[MAX_PATH] = {};
};

// The one globals record of this module.
AppGlobals& App();

// Resets the globals and stores the module instance; called at attach.
void App_Init(HINSTANCE instance);
