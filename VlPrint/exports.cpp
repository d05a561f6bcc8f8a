// The library's exports: initialisation with the settings root and the
// language texts, the language change, the close, the thickness list of
// report 2 and the print itself (print.cpp).
#include "VlPrint/vlprint.h"
#include "VlPrint/print_internal.h"
#include "VlTechDatabase/vltechdb.h"
#include "support/lookups.h"
#include "support/paths.h"
#include "support/settings.h"
#include "support/utf8.h"

void __stdcall VlPrint_CloseDLL()
{
    PrintGlobals& g = Prn();
    if (g.closed)
        return;
    g.closed = true;
    TechDb_Close();
    if (g.textHandle >= 0)
        TextAPI_Close(g.textHandle);
    g.textHandle = -1;
    Settings_CloseRoot();
}

void __stdcall VlPrint_InitDLL(HWND, HINSTANCE, char* company, char* application, char* version)
{
    PrintGlobals& g = Prn();
    if (g.initDone)
        return;
    if (company)
        Utf8_CopyCut(g.company, sizeof g.company, company);
    if (application)
        Utf8_CopyCut(g.application, sizeof g.application, application);
    Settings_OpenRoot(g.company, g.application, version ? version : "");
    char db[kPathSize], ddq[kPathSize];
    Path_TextFiles(db, ddq);
    g.textHandle = TextAPI_Open(db, ddq);
    Lookup_SetHandles(g.techDb, g.otherInsulationDb, g.textHandle);
    Print_SetInterfaceLanguage();
    TextAPI_SetOption(g.textHandle, 0, 2);
    TextAPI_SetOption(g.textHandle, 1, 3);
    g.initDone = true;
}

void __stdcall VlPrint_OnLanguageChange()
{
    Print_SetInterfaceLanguage();
}

int __stdcall VlPrint_Print(HWND owner, int output, int report, int currentOnly, char* title, char* version)
{
    return Print_Run(owner, output, report, currentOnly, title, version, version);
}

int __stdcall VlPrint_Print(HWND owner, int output, int report, int currentOnly, char* title, char* version,
                            char* settingsVersion)
{
    return Print_Run(owner, output, report, currentOnly, title, version, settingsVersion);
}

int __stdcall SetInsulationData(INSULATIONTHICKNESSRESULTLIST* list, short count, char* heading)
{
    PrintGlobals& g = Prn();
    g.list = list;
    g.listCount = count;
    Utf8_CopyCut(g.listHeading, sizeof g.listHeading, heading);
    return 0;
}
