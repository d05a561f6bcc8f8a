// Internals shared by the viewer's window files: the one globals record of
// Tordoc32.dll, the zoom choices, and the functions each window file offers.
#pragma once
#include <windows.h>

#include "outside/Tordoc32/captions.h"
#include "outside/Tordoc32/report.h"

constexpr wchar_t ViewerClassName[] = L"TordocViewer";
constexpr wchar_t PageViewClassName[] = L"TordocPageView";

enum class ZoomFit { WholePage, PageWidth, Percent };

struct ZoomChoice {
    ZoomFit fit;
    int percent;        // for ZoomFit::Percent
};

// The zoom box lists these in this order.
constexpr ZoomChoice ZoomChoices[] = {
    {ZoomFit::WholePage, 0}, {ZoomFit::PageWidth, 0}, {ZoomFit::Percent, 50},
    {ZoomFit::Percent, 75}, {ZoomFit::Percent, 100}, {ZoomFit::Percent, 150},
    {ZoomFit::Percent, 200},
};

// Everything the open viewer keeps; one viewer is open at a time.
struct ViewerGlobals {
    HINSTANCE instance = nullptr;   // Tordoc32.dll, set at attach
    bool open = false;              // a viewer window is running
    HWND owner = nullptr;           // top-level window of the caller's owner
    HWND disabledOwner = nullptr;   // the owner, when the viewer disabled it
    HWND frame = nullptr;
    HWND toolbar = nullptr;
    HWND zoomBox = nullptr;         // combo box on the toolbar
    HWND pageView = nullptr;        // the scrolled page
    HWND status = nullptr;
    HACCEL accelerators = nullptr;
    Report report;
    Captions captions;
    size_t page = 0;                // 0-based page shown
    size_t zoom = 0;                // index into ZoomChoices
    int zoomPercent = 100;          // the zoom in force, for the status bar
    POINT scroll = {0, 0};          // scroll position of the page view in pixels
};

ViewerGlobals& Viewer();

// viewer.cpp: the frame window.
void Frame_UpdateStatus();

// toolbar.cpp: the toolbar with its zoom box.
HWND Toolbar_Create(HWND frame);
void Toolbar_UpdateButtons();

// pageview.cpp: the window that shows one page.
bool PageView_Register(HINSTANCE instance);
HWND PageView_Create(HWND frame);
void PageView_Relayout();       // after a zoom or size change
void PageView_PageChanged();    // back to the top of the new page

// print.cpp: the print command.
void Print_Report(HWND frame);
