// Start-up and shutdown of the error list library: the settings root, the
// library's own language texts and the interface language.
#include "VlUtil/vlutil.h"
#include "VlUtil/vlutil_internal.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/lookups.h"
#include "support/paths.h"
#include "support/settings.h"

namespace {

void ApplyInterfaceLanguage()
{
    long language = Settings_ReadInt(0, "General\\InterfaceLng");
    if (language < 1500)
        language = kLangEnglish;
    TextAPI_SetLanguage(VlUtil().textHandle, static_cast<LanguageId>(language));
}

}  // namespace

void WINAPI VlUtil_InitDLL(HWND mainWindow, HINSTANCE instance, const char* company,
                           const char* application, const char* version)
{
    VlUtilGlobals& g = VlUtil();
    if (g.initialised)
        return;
    g.initialised = true;
    g.mainWindow = mainWindow;
    g.instance = instance;
    Settings_OpenRoot(company, application, version);
    char db[kPathSize];
    char ddq[kPathSize];
    Path_TextFiles(db, ddq);
    g.textHandle = TextAPI_Open(db, ddq);
    ApplyInterfaceLanguage();
    TextAPI_SetOption(g.textHandle, 0, 2);
    TextAPI_SetOption(g.textHandle, 1, 3);
    Lookup_SetHandles(g.techDb, g.otherInsulationDb, g.textHandle);
}

void WINAPI VlUtil_OnLanguageChange()
{
    ApplyInterfaceLanguage();
}

void WINAPI VlUtil_CloseDLL()
{
    Settings_CloseRoot();
}
