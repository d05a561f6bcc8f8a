// Module globals start clean and keep the instance they were given.
#include <gtest/gtest.h>
#include "support/app.h"

TEST(AppGlobals, InitResetsEverythingButTheInstance)
{
    App().mainWindow = reinterpret_cast<HWND>(1);
    App().currentFile[0] = 'x';
    HINSTANCE self = GetModuleHandleA(nullptr);
    App_Init(self);
    EXPECT_EQ(App().instance, self);
    EXPECT_EQ(App().mainWindow, nullptr);
    EXPECT_EQ(App().title, nullptr);
    EXPECT_STREQ(App().currentFile, "");
}
