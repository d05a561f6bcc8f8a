// Placing the report's A4 page on printer paper: true size where it fits,
// shrunk with its proportions where the paper is smaller.
#include <gtest/gtest.h>

#include "outside/Tordoc32/paper.h"

namespace {

struct PaperCase {
    const char* name;
    PaperMetrics paper;
    RECT expected;
};

const PaperCase PaperCases[] = {
    {"A4At600Dpi", {4961, 7016, 100, 120, 600, 600}, {-100, -120, 4861, 6896}},
    {"LetterShrinksToItsHeight", {5100, 6600, 0, 0, 600, 600}, {0, 0, 4667, 6600}},
    {"A3KeepsTrueSize", {7016, 9921, 50, 50, 600, 600}, {-50, -50, 4911, 6966}},
    {"UnequalResolutions", {4961, 3508, 0, 0, 600, 300}, {0, 0, 4961, 3508}},
};

TEST(Paper, ReportPageOnThePaper)
{
    for (const PaperCase& row : PaperCases) {
        SCOPED_TRACE(row.name);
        RECT placed = Paper_ReportRect(row.paper);
        EXPECT_EQ(placed.left, row.expected.left);
        EXPECT_EQ(placed.top, row.expected.top);
        EXPECT_EQ(placed.right, row.expected.right);
        EXPECT_EQ(placed.bottom, row.expected.bottom);
    }
}

TEST(Paper, DeviceWithoutSheetUsesItsPrintableArea)
{
    HDC memory = CreateCompatibleDC(nullptr);
    PaperMetrics paper = Paper_Metrics(memory);
    EXPECT_EQ(paper.width, GetDeviceCaps(memory, HORZRES));
    EXPECT_EQ(paper.height, GetDeviceCaps(memory, VERTRES));
    EXPECT_EQ(paper.offsetX, 0);
    EXPECT_EQ(paper.offsetY, 0);
    DeleteDC(memory);
}

} // namespace
