// Public interface of VlPrint.dll, the print library: the calculation report
// of the open project's selected systems and the thickness-list report, shown
// in the document viewer or copied to the clipboard as rich text. Exports are
// bound by their decorated names at fixed ordinals (VlPrint.def).
#pragma once
#include <windows.h>

struct INSULATIONTHICKNESSRESULTLIST;   // VlCalculate/vlcalculate.h

#ifdef VLPRINT_BUILD
#define VLPRINT_API
#else
#define VLPRINT_API __declspec(dllimport)
#endif

// Outputs and reports of VlPrint_Print.
enum : int {
    VlPrintOutput_Viewer = 1,
    VlPrintOutput_Clipboard = 2,
    VlPrintOutput_Spreadsheet = 4,
    VlPrintReport_Calculation = 1,
    VlPrintReport_ThicknessList = 2,
};

// Closes the technical databases and the language texts. Also run when the
// library is unloaded.
VLPRINT_API void __stdcall VlPrint_CloseDLL();

// Opens the settings root Software\company\application\version\ and the
// language texts beside the library, and takes the interface language from
// "General\InterfaceLng" (below 1500: 1512). NULL texts count as "". Runs
// once; later calls do nothing. The window and instance are not used.
VLPRINT_API void __stdcall VlPrint_InitDLL(HWND mainWindow, HINSTANCE instance, char* company,
                                           char* application, char* version);

// Reads "General\InterfaceLng" again and makes it the text language.
VLPRINT_API void __stdcall VlPrint_OnLanguageChange();

// One complete print. output: 1 the document viewer, 2 rich text on the
// clipboard, 4 the report's rows as tab-separated plain text on the clipboard
// (one cell a column, for spreadsheet programs). report: 1 the calculation report of the systems chosen in the
// print dialog (currentOnly 0) or of the loaded system (currentOnly non-zero);
// 2 the thickness list given to SetInsulationData. title goes into the page
// footer (NULL keeps the previous one); version names the settings root and
// is printed in the heading (NULL: ""). A system whose results are older than
// its inputs stops the print with a message, and nothing is shown or copied.
// The loaded page is loaded again at the end. Returns 0 in every case.
VLPRINT_API int __stdcall VlPrint_Print(HWND owner, int output, int report, int currentOnly, char* title,
                                        char* version);

// The same print with the heading's version apart from the settings root's:
// version is printed in the heading; a version "program / data" (the
// technical data's version after " / ") prints the data's part on a line of
// its own beneath. settingsVersion (NULL: "") names the settings root.
VLPRINT_API int __stdcall VlPrint_Print(HWND owner, int output, int report, int currentOnly, char* title,
                                        char* version, char* settingsVersion);

// Hands over the list of report 2 and its heading (cut to 247 bytes, NULL
// ""). The list is not copied: it must stay valid until the print that uses
// it has returned. Returns 0.
VLPRINT_API int __stdcall SetInsulationData(INSULATIONTHICKNESSRESULTLIST* list, short count, char* heading);
