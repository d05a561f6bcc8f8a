// Module globals of the support library.
#include "support/app.h"

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
