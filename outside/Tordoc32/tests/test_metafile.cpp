// Writes the test reports: plain metafiles drawn through a metafile DC, with
// the one-byte MFCOMMENT escapes that split the pages.
#include "test_metafile.h"

#include <fstream>
#include <iterator>

std::string TestTempPath(const char* name)
{
    char directory[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, directory);
    return std::string(directory) + "tordoc_test_" + name;
}

void WriteMetafile(const std::string& path, const std::function<void(HDC)>& draw)
{
    DeleteFileA(path.c_str());
    HDC dc = CreateMetaFileA(path.c_str());
    draw(dc);
    DeleteMetaFile(CloseMetaFile(dc));
}

void PutMark(HDC dc, char letter)
{
    Escape(dc, MFCOMMENT, 1, &letter, nullptr);
}

void DrawSetup(HDC dc, bool withBegin)
{
    static const HFONT font = [] {
        LOGFONTA logical{};
        logical.lfHeight = -35;
        logical.lfWeight = FW_NORMAL;
        lstrcpynA(logical.lfFaceName, "Arial", LF_FACESIZE);
        return CreateFontIndirectA(&logical);
    }();
    SelectObject(dc, font);
    SelectObject(dc, GetStockObject(NULL_PEN));
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    SetBkMode(dc, TRANSPARENT);
    if (withBegin) PutMark(dc, 'B');
}

void FillQuadrant(HDC dc, int quadrant)
{
    int left = (quadrant % 2) * 1050;
    int top = (quadrant / 2) * 1485;
    Rectangle(dc, left, top, left + 1050, top + 1485);
}

void WriteThreePageReport(const std::string& path)
{
    WriteMetafile(path, [](HDC dc) {
        DrawSetup(dc, true);
        for (int page = 0; page < 3; ++page) {
            if (page > 0) PutMark(dc, 'F');
            FillQuadrant(dc, page);
            std::string text = "Page " + std::to_string(page + 1);
            TextOutA(dc, 100, 200, text.c_str(), static_cast<int>(text.size()));
        }
        PutMark(dc, 'E');
    });
}

void WriteDrawingKindsReport(const std::string& path)
{
    WriteMetafile(path, [](HDC dc) {
        DrawSetup(dc, true);
        TextOutA(dc, 100, 200, "Text", 4);
        const POINT points[] = {{100, 300}, {500, 300}, {300, 600}, {100, 600}};
        Polygon(dc, points, 3);
        Polyline(dc, points, 4);
        const INT counts[] = {3, 3};
        const POINT twoTriangles[] = {{0, 0}, {10, 0}, {0, 10}, {20, 20}, {30, 20}, {20, 30}};
        PolyPolygon(dc, twoTriangles, counts, 2);

        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = 4;
        info.bmiHeader.biHeight = 4;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biSizeImage = 64;       // the metafile DC records this many bytes of bits
        const uint32_t pixels[16] = {};
        StretchDIBits(dc, 100, 700, 400, 400, 0, 0, 4, 4, pixels, &info, DIB_RGB_COLORS, SRCCOPY);

        HDC memory = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateCompatibleBitmap(memory, 8, 8);
        HGDIOBJ previous = SelectObject(memory, bitmap);
        StretchBlt(dc, 600, 700, 400, 400, memory, 0, 0, 8, 8, SRCCOPY);
        SelectObject(memory, previous);
        DeleteObject(bitmap);
        DeleteDC(memory);
        PutMark(dc, 'E');
    });
}

std::vector<uint8_t> ReadFileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
