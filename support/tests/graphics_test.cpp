// The pen and brush caches and the shaded frame classes, painted for real.
#include <gtest/gtest.h>
#include "support/app.h"
#include "support/gdicache.h"
#include "support/shade.h"
#include "testsupport/testsupport.h"

namespace {

class GdiCacheTest : public testing::Test {
protected:
    void SetUp() override { App_Init(GetModuleHandleA(nullptr)); }
    void TearDown() override { Gdi_FreeCache(); }
};

TEST_F(GdiCacheTest, PenIsASolidWidthOnePenOfTheSystemColour)
{
    HPEN pen = Gdi_SysColorPen(COLOR_3DSHADOW);
    LOGPEN info = {};
    ASSERT_EQ(GetObjectA(pen, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.lopnStyle, static_cast<UINT>(PS_SOLID));
    EXPECT_EQ(info.lopnWidth.x, 1);
    EXPECT_EQ(info.lopnColor, GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(Gdi_SysColorPen(COLOR_3DSHADOW), pen) << "asked twice, made once";
}

TEST_F(GdiCacheTest, PastTwentyColoursTheTwentiethPenIsReused)
{
    HPEN pens[21];
    for (int index = 0; index < 21; ++index)
        pens[index] = Gdi_SysColorPen(index);
    for (int index = 0; index < 20; ++index)
        EXPECT_NE(pens[index], nullptr) << index;
    EXPECT_NE(pens[18], pens[19]);
    EXPECT_EQ(pens[20], pens[19]);
    EXPECT_EQ(Gdi_SysColorPen(25), pens[19]);
    EXPECT_EQ(Gdi_SysColorPen(3), pens[3]) << "cached colours still found when full";
}

TEST_F(GdiCacheTest, BrushesAreCachedApartFromPens)
{
    HBRUSH brush = Gdi_SysColorBrush(COLOR_BTNFACE);
    LOGBRUSH info = {};
    ASSERT_EQ(GetObjectA(brush, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(info.lbColor, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(Gdi_SysColorBrush(COLOR_BTNFACE), brush);
    EXPECT_NE(static_cast<HGDIOBJ>(Gdi_SysColorPen(COLOR_BTNFACE)), static_cast<HGDIOBJ>(brush));
}

TEST_F(GdiCacheTest, FreeCacheDeletesAndEmpties)
{
    HPEN pen = Gdi_SysColorPen(COLOR_WINDOW);
    Gdi_SysColorBrush(COLOR_WINDOW);
    Gdi_FreeCache();
    EXPECT_EQ(App().pens.count, 0);
    EXPECT_EQ(App().brushes.count, 0);
    EXPECT_EQ(GetObjectType(pen), 0u) << "the pen was deleted";
}

class ShadeTest : public testing::Test {
protected:
    void SetUp() override
    {
        App_Init(GetModuleHandleA(nullptr));
        ASSERT_TRUE(Shade_RegisterClasses());
    }
    void TearDown() override { Gdi_FreeCache(); }

    // Shows a frame of the class and returns the colours of its top-left
    // and bottom-right corner pixels.
    static std::pair<COLORREF, COLORREF> Corners(const char* className)
    {
        HWND frame = CreateWindowExA(WS_EX_TOPMOST, className, "", WS_POPUP | WS_VISIBLE, 20, 20, 40, 30,
                                     nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        UpdateWindow(frame);
        Ts_PumpMessages();
        HDC dc = GetDC(frame);
        auto corners = std::make_pair(GetPixel(dc, 0, 0), GetPixel(dc, 39, 29));
        ReleaseDC(frame, dc);
        DestroyWindow(frame);
        return corners;
    }
};

TEST_F(ShadeTest, ClassesAreRegisteredForTheModule)
{
    for (const char* name : {"QSHADEA", "QSHADEB"}) {
        WNDCLASSA info = {};
        ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), name, &info)) << name;
        EXPECT_EQ(info.style & (CS_HREDRAW | CS_VREDRAW), static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
        EXPECT_EQ(info.hbrBackground, static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH)));
        EXPECT_EQ(info.hCursor, LoadCursorA(nullptr, IDC_ARROW));
    }
    EXPECT_TRUE(Shade_RegisterClasses()) << "registering again is no failure";
}

// The raised frame is dark at the top left and light at the bottom right;
// the sunken one the other way round.
TEST_F(ShadeTest, FramesShadeTheirCornersByTheirKind)
{
    struct Row { const char* name; const char* className; int topLeft, bottomRight; } rows[] = {
        {"raised", "QSHADEA", COLOR_3DSHADOW, COLOR_3DHIGHLIGHT},
        {"sunken", "QSHADEB", COLOR_3DHIGHLIGHT, COLOR_3DSHADOW},
    };
    for (const Row& r : rows) {
        auto [topLeft, bottomRight] = Corners(r.className);
        EXPECT_EQ(topLeft, GetSysColor(r.topLeft)) << r.name;
        EXPECT_EQ(bottomRight, GetSysColor(r.bottomRight)) << r.name;
    }
}

}  // namespace
