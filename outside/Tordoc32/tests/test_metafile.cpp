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
