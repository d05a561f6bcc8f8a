// Tordoc32.dll, the document viewer: shows a report metafile page by page in a
// modal window, zooms, and prints it through the standard print dialog.
// This header is the only one that crosses the DLL boundary.
#pragma once
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Shows the report in a modal window owned by `owner` and returns when the
// user closes it.
//   owner        window that stays disabled while the viewer is open; may be NULL.
//   helpFile     path of the program's help file; not used by this viewer.
//   metafile     path of a Windows metafile (not an enhanced one) drawn in
//                logical units of 0.1 mm, y growing downwards, on a portrait
//                A4 page (2100 x 2970). One-byte comment records (MFCOMMENT)
//                split it: "B" ends the set-up (fonts, pens) and begins page 1,
//                "F" begins the next page, "E" ends the report. Without them
//                the whole metafile is one page. Mapping-mode records in the
//                metafile are ignored: the viewer maps the page itself.
//   flags        2 for the portrait layout, the only layout there is.
//   settingsFile path of a settings file whose "[TORDOC]" section gives the
//                captions (below); NULL, missing or without a key: English.
// Result: 0 after the user closed the window; -1 when the metafile is missing
// or damaged (a message box has said so), or a viewer is already open.
// Both files stay the caller's; the viewer only reads them.
//
// Keys of the "[TORDOC]" section used for captions and messages:
//   T1002 window caption            T1003 page label ("Page:")
//   T1004 zoom label ("Zoom:")      T1007 next page
//   T1008 previous page             T1009 zoom to the whole page
//   T1011 cancel                    T1013 print command ("Print...")
//   T1014 close                     T1015 zoom to the page width
//   T1017 the print job's name      T1018 caption of the print progress window
//   T1019 progress, "Page %d of %d" T1020 the report could not be printed
//   T1021 the print dialog cannot be shown
//   T1022 the report window cannot be opened
//   T1023 "The report %s cannot be opened."
//   T1024 "The report %s is damaged and cannot be shown."
// In T1019, T1023 and T1024 each "%d" or "%s" takes a number or the
// metafile's path in turn; nothing else in them is read as a format.
// T1001 (help file), T1005, T1006, T1010, T1012 and T1016 are accepted
// and not used.
//
// Printing places each page inside the printer's printable area: at true
// size where the area holds the whole A4 page, else scaled down just enough,
// centred on the sheet as far as the area allows. A progress window counts
// the pages and its Cancel ends the job between two pages.
int WINAPI tordoc_start(HWND owner, const char* helpFile, const char* metafile,
                        short flags, const char* settingsFile);

#ifdef __cplusplus
}
#endif
