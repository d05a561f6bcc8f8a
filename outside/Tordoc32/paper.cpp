// Fits the report's A4 page to the printer's paper: at true size on A4, scaled
// down uniformly on smaller paper, so the footer is never cut off.
#include "outside/Tordoc32/paper.h"
#include "outside/Tordoc32/report.h"

#include <algorithm>
#include <cmath>

PaperMetrics Paper_Metrics(HDC dc)
{
    PaperMetrics paper{GetDeviceCaps(dc, PHYSICALWIDTH), GetDeviceCaps(dc, PHYSICALHEIGHT),
                       GetDeviceCaps(dc, PHYSICALOFFSETX), GetDeviceCaps(dc, PHYSICALOFFSETY),
                       GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY)};
    if (paper.width <= 0 || paper.height <= 0) {
        paper.width = GetDeviceCaps(dc, HORZRES);
        paper.height = GetDeviceCaps(dc, VERTRES);
        paper.offsetX = paper.offsetY = 0;
    }
    return paper;
}

RECT Paper_ReportRect(const PaperMetrics& paper)
{
    double dpiX = std::max(paper.dpiX, 1);
    double dpiY = std::max(paper.dpiY, 1);
    double pageWidth = ReportPageWidth / 254.0;     // inches
    double pageHeight = ReportPageHeight / 254.0;
    double scale = std::min({paper.width / dpiX / pageWidth, paper.height / dpiY / pageHeight, 1.0});
    int left = -paper.offsetX;
    int top = -paper.offsetY;
    return {left, top, left + static_cast<int>(std::lround(pageWidth * scale * dpiX)),
            top + static_cast<int>(std::lround(pageHeight * scale * dpiY))};
}
