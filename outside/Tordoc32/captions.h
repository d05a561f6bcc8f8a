// Captions of the viewer: read from the "[TORDOC]" section of the settings
// file that the caller hands over, English where a key is missing.
#pragma once
#include <array>
#include <string>

enum class Caption {
    Title,          // window caption
    Page,           // "Page:" before "2 / 3"
    Zoom,           // "Zoom:" before the zoom factor
    NextPage,
    PreviousPage,
    WholePage,      // zoom choice
    PageWidth,      // zoom choice
    Print,          // the print command, "Print..."
    Close,
    Count
};

struct Captions {
    std::array<std::string, static_cast<size_t>(Caption::Count)> text;
    const char* operator[](Caption id) const { return text[static_cast<size_t>(id)].c_str(); }
};

// Reads the captions from `settingsFile` (NULL or missing: all English).
Captions Captions_Read(const char* settingsFile);
