// Module globals of the support library and the few functions that act on
// the application as a whole (its title bar, its background brush).
#include "support/app.h"
#include "support/dlgutil.h"

AppGlobals& App()
{
    static AppGlobals globals;
    return globals;
}

void App_Init(HINSTANCE instance)
{
    App() = AppGlobals{};
    App().instance = instance;
}

void App_ShowTitle()
{
    if (App().mainWindow)
        Wnd_SetTitle(App().mainWindow, App().title ? App().title : "", App().currentFile);
}

void App_SetBackgroundBrush(HBRUSH brush)
{
    App().backgroundBrush = brush;
}
