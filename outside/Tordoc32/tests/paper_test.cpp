// Placing the report's A4 page on printer paper: inside the printable area,
// true size where the area holds it, shrunk with its proportions where it
// does not, centred on the sheet as far as the area allows; and a page played
// where it is placed leaves no mark outside the printable area.
#include <gtest/gtest.h>

#include "outside/Tordoc32/paper.h"
#include "outside/Tordoc32/report.h"
#include "test_metafile.h"

#include <cmath>

namespace {

struct PaperCase {
    const char* name;
    PaperMetrics paper;
    bool trueSize;      // the area holds the whole A4 page
};

// 6.35 mm is 150 pixels at 600 dpi, 24 at 96 dpi.
const PaperCase PaperCases[] = {
    {"A4 printable to its edges", {4961, 7016, 0, 0, 4961, 7016, 600, 600}, true},
    {"A4 with 6.35 mm margins", {4961, 7016, 150, 150, 4661, 6716, 600, 600}, false},
    {"A4 with 4 mm margins at the sides only", {4961, 7016, 95, 0, 4771, 7016, 600, 600}, false},
    {"A4 with a wide top margin", {4961, 7016, 100, 600, 4761, 6300, 600, 600}, false},
    {"Letter with 6.35 mm margins", {5100, 6600, 150, 150, 4800, 6300, 600, 600}, false},
    {"A3 holds A4 at true size, centred", {7016, 9921, 50, 50, 6916, 9821, 600, 600}, true},
    {"unequal resolutions", {4961, 3508, 0, 0, 4961, 3508, 600, 300}, true},
    {"96 dpi with 6.35 mm margins", {794, 1123, 24, 24, 746, 1075, 96, 96}, false},
};

TEST(Paper, ReportPageInsideThePrintableArea)
{
    for (const PaperCase& row : PaperCases) {
        SCOPED_TRACE(row.name);
        const PaperMetrics& paper = row.paper;
        RECT placed = Paper_ReportRect(paper);
        EXPECT_GE(placed.left, 0);
        EXPECT_GE(placed.top, 0);
        EXPECT_LE(placed.right, paper.printableWidth);
        EXPECT_LE(placed.bottom, paper.printableHeight);
        double trueWidth = ReportPageWidth / 254.0 * paper.dpiX;
        double trueHeight = ReportPageHeight / 254.0 * paper.dpiY;
        double scaleX = (placed.right - placed.left) / trueWidth;
        double scaleY = (placed.bottom - placed.top) / trueHeight;
        EXPECT_NEAR(scaleX, scaleY, 0.002);     // proportions kept
        if (row.trueSize) {
            EXPECT_NEAR(scaleX, 1.0, 0.001);
        } else {    // as large as the area allows: it meets two of its sides
            bool fillsWidth = placed.right - placed.left >= paper.printableWidth - 1;
            bool fillsHeight = placed.bottom - placed.top >= paper.printableHeight - 1;
            EXPECT_TRUE(fillsWidth || fillsHeight);
        }
        // Centred on the sheet unless an unequal margin forbids it.
        int sheetLeft = placed.left + paper.offsetX;
        int sheetRight = paper.width - (placed.right + paper.offsetX);
        if (paper.offsetX == paper.width - paper.printableWidth - paper.offsetX) {
            EXPECT_NEAR(sheetLeft, sheetRight, 1);
        }
    }
}

TEST(Paper, DeviceWithoutSheetUsesItsPrintableArea)
{
    HDC memory = CreateCompatibleDC(nullptr);
    PaperMetrics paper = Paper_Metrics(memory);
    EXPECT_EQ(paper.width, GetDeviceCaps(memory, HORZRES));
    EXPECT_EQ(paper.height, GetDeviceCaps(memory, VERTRES));
    EXPECT_EQ(paper.printableWidth, paper.width);
    EXPECT_EQ(paper.offsetX, 0);
    EXPECT_EQ(paper.offsetY, 0);
    DeleteDC(memory);
}

// An enhanced metafile stands in for the printer: a page black to its
// edges, played where the viewer places it, is recorded within the area.
TEST(Paper, PlayedPageStaysInsideThePrintableArea)
{
    std::string path = TestTempPath("paper_edges.wmf");
    WriteMetafile(path, [](HDC dc) {
        DrawSetup(dc, true);
        for (int quadrant = 0; quadrant < 4; ++quadrant) FillQuadrant(dc, quadrant);
    });
    Report report;
    ASSERT_EQ(Report_Load(path.c_str(), report), ReportStatus::Ok);
    for (const PaperCase& row : PaperCases) {
        SCOPED_TRACE(row.name);
        HDC printer = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
        RECT placed = Paper_ReportRect(row.paper);
        ASSERT_TRUE(Report_PlayPage(report, printer, 0, placed));
        HENHMETAFILE recorded = CloseEnhMetaFile(printer);
        ENHMETAHEADER header{};
        GetEnhMetaFileHeader(recorded, sizeof header, &header);
        DeleteEnhMetaFile(recorded);
        EXPECT_GE(header.rclBounds.left, 0);
        EXPECT_GE(header.rclBounds.top, 0);
        // The recorded bounds take in the shapes' right and bottom edges,
        // which the page's clipping leaves unpainted.
        EXPECT_LE(header.rclBounds.right, row.paper.printableWidth);
        EXPECT_LE(header.rclBounds.bottom, row.paper.printableHeight);
        EXPECT_GT(header.rclBounds.right - header.rclBounds.left, (placed.right - placed.left) * 9 / 10);
    }
    DeleteFileA(path.c_str());
}

} // namespace
