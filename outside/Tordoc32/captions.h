// Captions of the viewer: read from the "[TORDOC]" section of the settings
// file that the caller hands over, English where a key is missing.
#pragma once
#include <array>
#include <initializer_list>
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
    Cancel,
    JobName,        // the print job's name, "Varmelin - plant30.wdf"
    Printing,       // caption of the print progress window
    PageOfPages,    // "Page %d of %d"
    PrintFailed,
    PrintDialogFailed,
    WindowFailed,
    ReportMissing,  // "The report %s cannot be opened."
    ReportDamaged,  // "The report %s is damaged and cannot be shown."
    Count
};

struct Captions {
    std::array<std::string, static_cast<size_t>(Caption::Count)> text;
    const char* operator[](Caption id) const { return text[static_cast<size_t>(id)].c_str(); }
};

// Reads the captions from `settingsFile` (NULL or missing: all English).
Captions Captions_Read(const char* settingsFile);

// `pattern` with each "%d" or "%s" replaced by the next of `values`, in
// order; the caption is text, never a format, so nothing else is read.
// A UTF-8 caption as the wide text that Unicode windows and calls take.
std::wstring Captions_Wide(const std::string& text);

std::string Captions_Fill(const std::string& pattern, std::initializer_list<std::string> values);
