// Module globals of the support library: each module that links it keeps its
// own copy, set when the module is attached. Every piece of the library keeps
// its module-wide state here rather than in file-level statics.
#pragma once
#include <windows.h>
#include <cstdint>

// One cached GDI object of a system colour.
struct GdiCacheEntry {
    int colorIndex;
    HGDIOBJ object;
};

// A small cache of objects made from system colours; full at kGdiCacheSize.
constexpr int kGdiCacheSize = 20;
struct GdiCache {
    GdiCacheEntry entries[kGdiCacheSize];
    int count;
};

constexpr int kButtonTextSize = 32;
constexpr int kLocalDateSize = 80;

struct AppGlobals {
    HINSTANCE instance = nullptr;      // the module's own instance
    HWND mainWindow = nullptr;
    const char* title = nullptr;       // caption of every message box
    const char* helpFile = nullptr;    // remembered by Path_BesideModule
    UINT commdlgHelpMessage = 0;       // registered "commdlg_help", 0 until needed
    char currentFile[MAX_PATH] = {};
    HBRUSH backgroundBrush = nullptr;  // default background of the module's windows

    char messageLanguage = 'F';        // 'E', 'F' or 'S': language of the date messages
    char buttonTexts[4][kButtonTextSize] = {"&Ok", "&Cancel", "&Yes", "&No"};
    char localDate[kLocalDateSize] = {};  // the text Date_FormatLocal hands out

    GdiCache pens = {};
    GdiCache brushes = {};

    // Allocation fault injection: allocations left before every further one
    // fails; negative means never fail (see Mem_FailAfter).
    int allocationsBeforeFailure = -1;
};

// The one globals record of this module.
AppGlobals& App();

// Resets the globals and stores the module instance; called at attach.
void App_Init(HINSTANCE instance);

// Sets the main window's text to "title - current project file"; nothing when
// the module has no main window.
void App_ShowTitle();

// Stores the default background brush of the module's windows (not owned).
void App_SetBackgroundBrush(HBRUSH brush);
