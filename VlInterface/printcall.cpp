// The program's one way to print through the print library: the project
// file names the footer, the module's version the heading and the settings
// root. The extended edition prints the technical data's version as well.
#include "VlInterface/shell.h"
#include "VlPrint/vlprint.h"
#include "support/app.h"
#include <cstdio>

namespace {

// Copies the version text into buffer ("" when there is none).
void CopyVersion(char (&buffer)[300], const char* version)
{
    std::snprintf(buffer, sizeof(buffer), "%s", version ? version : "");
}

}  // namespace

int Shell_PrintReport(HWND owner, int output, int report, int currentOnly)
{
    char title[MAX_PATH], settingsVersion[300];
    std::snprintf(title, sizeof(title), "%s", App().currentFile);
    CopyVersion(settingsVersion, App_GetVersionString(0));
#ifdef VL_EXTENDED
    char heading[300];
    CopyVersion(heading, App_GetVersionString(1));
    return VlPrint_Print(owner, output, report, currentOnly, title, heading, settingsVersion);
#else
    return VlPrint_Print(owner, output, report, currentOnly, title, settingsVersion);
#endif
}
