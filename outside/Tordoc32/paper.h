// Where the report's page lands on a printer's paper: inside the printable
// area, at true size where the area holds it, else scaled down just enough,
// centred on the sheet as far as the area allows.
#pragma once
#include <windows.h>

// What a printer DC says of its paper, in device pixels.
struct PaperMetrics {
    int width;              // the whole sheet
    int height;
    int offsetX;            // the printable area's corner on the sheet
    int offsetY;
    int printableWidth;     // the printable area
    int printableHeight;
    int dpiX;
    int dpiY;
};

// Reads the metrics of `dc`; a device without a physical sheet (not a
// printer) gives its printable area as the sheet.
PaperMetrics Paper_Metrics(HDC dc);

// The report page (2100 x 2970 in 0.1 mm) in the device coordinates of the
// printer, whose origin is the corner of the printable area.
RECT Paper_ReportRect(const PaperMetrics& paper);
