// Fits the report's A4 page into the printer's printable area: printers lose
// the outer millimetres of the sheet, so a page drawn from the sheet's edge
// would lose its rules and the logo's corner there.
#include "outside/Tordoc32/paper.h"
#include "outside/Tordoc32/report.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double TenthsOfMmPerInch = 254.0;

// The start of a span of `size` on a sheet of `sheet`: centred, but within
// the printable span [offset, offset + printable).
int PlaceSpan(int sheet, int offset, int printable, int size)
{
    int centred = (sheet - size) / 2;
    return std::clamp(centred, offset, std::max(offset, offset + printable - size));
}

} // namespace

PaperMetrics Paper_Metrics(HDC dc)
{
    PaperMetrics paper{GetDeviceCaps(dc, PHYSICALWIDTH), GetDeviceCaps(dc, PHYSICALHEIGHT),
                       GetDeviceCaps(dc, PHYSICALOFFSETX), GetDeviceCaps(dc, PHYSICALOFFSETY),
                       GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES),
                       GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY)};
    if (paper.width <= 0 || paper.height <= 0) {
        paper.width = paper.printableWidth;
        paper.height = paper.printableHeight;
        paper.offsetX = paper.offsetY = 0;
    }
    return paper;
}

RECT Paper_ReportRect(const PaperMetrics& paper)
{
    double pageWidth = ReportPageWidth / TenthsOfMmPerInch * std::max(paper.dpiX, 1);     // pixels at true size
    double pageHeight = ReportPageHeight / TenthsOfMmPerInch * std::max(paper.dpiY, 1);
    double scale = std::min({paper.printableWidth / pageWidth, paper.printableHeight / pageHeight, 1.0});
    scale = std::max(scale, 0.0);
    int width = std::min(paper.printableWidth, static_cast<int>(std::lround(pageWidth * scale)));
    int height = std::min(paper.printableHeight, static_cast<int>(std::lround(pageHeight * scale)));
    int left = PlaceSpan(paper.width, paper.offsetX, paper.printableWidth, width) - paper.offsetX;
    int top = PlaceSpan(paper.height, paper.offsetY, paper.printableHeight, height) - paper.offsetY;
    return {left, top, left + width, top + height};
}
