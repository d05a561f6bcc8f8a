// Test helpers that write report metafiles the way the print library does:
// fonts and pens first, then "B", pages separated by "F", and "E" at the end.
#pragma once
#include <windows.h>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A fresh path in the temporary directory; the file is removed by the caller
// (or left for the next run to overwrite).
std::string TestTempPath(const char* name);

// Writes a plain metafile at `path`, drawn by `draw`.
void WriteMetafile(const std::string& path, const std::function<void(HDC)>& draw);

// Puts the one-byte page comment `letter` into the metafile being drawn.
void PutMark(HDC dc, char letter);

// Set-up as the print library does it: a font, the null pen, the black brush,
// transparent background. Ends with "B" when `withBegin`.
void DrawSetup(HDC dc, bool withBegin);

// Fills quadrant `quadrant` (0 top left, 1 top right, 2 bottom left,
// 3 bottom right) of the 2100 x 2970 page with the brush selected.
void FillQuadrant(HDC dc, int quadrant);

// A three-page report: page k fills quadrant k - 1 in black.
void WriteThreePageReport(const std::string& path);

// One page with a record of each kind whose size GDI reads from the record:
// text, polygon, polyline, polypolygon, a stretched DIB and a bitmap blit.
void WriteDrawingKindsReport(const std::string& path);

std::vector<uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
