// The report reader: page splitting at the comments, refusal of missing and
// damaged files, and what each page plays onto a bitmap.
#include <gtest/gtest.h>

#include "outside/Tordoc32/captions.h"
#include "outside/Tordoc32/report.h"
#include "test_metafile.h"

#include <algorithm>
#include <cstring>

namespace {

struct SplitCase {
    const char* name;
    std::function<void(HDC)> draw;
    size_t pages;
};

void DrawPages(HDC dc, int pages)
{
    for (int page = 0; page < pages; ++page) {
        if (page > 0) PutMark(dc, 'F');
        FillQuadrant(dc, page % 4);
    }
}

const SplitCase SplitCases[] = {
    {"ThreePages", [](HDC dc) { DrawSetup(dc, true); DrawPages(dc, 3); PutMark(dc, 'E'); }, 3},
    {"NoCommentsIsOnePage", [](HDC dc) { DrawSetup(dc, false); FillQuadrant(dc, 0); FillQuadrant(dc, 3); }, 1},
    {"BeginAndEndOnly", [](HDC dc) { DrawSetup(dc, true); FillQuadrant(dc, 1); PutMark(dc, 'E'); }, 1},
    {"NoEndMark", [](HDC dc) { DrawSetup(dc, true); DrawPages(dc, 2); }, 2},
    {"EmptyPageBeforeEndDropped",
     [](HDC dc) { DrawSetup(dc, true); DrawPages(dc, 2); PutMark(dc, 'F'); PutMark(dc, 'E'); }, 2},
    {"DrawingAfterEndIgnored",
     [](HDC dc) { DrawSetup(dc, true); FillQuadrant(dc, 0); PutMark(dc, 'E'); PutMark(dc, 'F'); FillQuadrant(dc, 1); }, 1},
    {"NothingDrawnStillOnePage", [](HDC dc) { DrawSetup(dc, true); PutMark(dc, 'E'); }, 1},
};

TEST(ReportSplit, PagesFollowTheComments)
{
    for (const SplitCase& row : SplitCases) {
        SCOPED_TRACE(row.name);
        std::string path = TestTempPath("split.wmf");
        WriteMetafile(path, row.draw);
        Report report;
        ASSERT_EQ(Report_Load(path.c_str(), report), ReportStatus::Ok);
        EXPECT_EQ(report.pages.size(), row.pages);
        DeleteFileA(path.c_str());
    }
}

// Offsets into a metafile as CreateMetaFile writes it: the header, then the
// first record; a record's parameters follow its size and function.
constexpr size_t FirstRecord = 18;
constexpr size_t Parameter = 6;

size_t OffsetOfFunction(const std::vector<uint8_t>& bytes, uint16_t function)
{
    size_t offset = FirstRecord;
    while (offset + 6 <= bytes.size()) {
        uint32_t words;
        uint16_t found;
        std::memcpy(&words, &bytes[offset], 4);
        std::memcpy(&found, &bytes[offset + 4], 2);
        if (found == function) return offset;
        if (words < 3) break;
        offset += words * 2;
    }
    ADD_FAILURE() << "record " << function << " not found";
    return FirstRecord;
}

void PutU32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) { std::memcpy(&bytes[offset], &value, 4); }
void PutU16(std::vector<uint8_t>& bytes, size_t offset, uint16_t value) { std::memcpy(&bytes[offset], &value, 2); }

struct DamageCase {
    const char* name;
    std::function<void(std::vector<uint8_t>&)> damage;
};

const DamageCase DamageCases[] = {
    {"Empty", [](std::vector<uint8_t>& b) { b.clear(); }},
    {"Text", [](std::vector<uint8_t>& b) { b.assign({'h', 'e', 'l', 'l', 'o', '\r', '\n'}); }},
    {"HeaderOnly", [](std::vector<uint8_t>& b) { b.resize(FirstRecord); }},
    {"CutShort", [](std::vector<uint8_t>& b) { b.resize(b.size() - 10); }},
    {"WrongHeaderSize", [](std::vector<uint8_t>& b) { PutU16(b, 2, 12); }},
    {"RecordOfSizeZero", [](std::vector<uint8_t>& b) { PutU32(b, FirstRecord, 0); }},
    {"RecordPastTheEnd", [](std::vector<uint8_t>& b) { PutU32(b, FirstRecord, 0x7FFFFFFF); }},
};

TEST(ReportLoad, RefusesDamagedMetafiles)
{
    std::string path = TestTempPath("damaged.wmf");
    WriteThreePageReport(path);
    const std::vector<uint8_t> sound = ReadFileBytes(path);
    DeleteFileA(path.c_str());
    for (const DamageCase& row : DamageCases) {
        SCOPED_TRACE(row.name);
        std::vector<uint8_t> bytes = sound;
        row.damage(bytes);
        Report report;
        EXPECT_EQ(Report_LoadBytes(bytes, report), ReportStatus::Damaged);
        EXPECT_TRUE(report.pages.empty());
        EXPECT_EQ(report.metafile.handle, nullptr);
    }
}

// Index among the records (header and end record not counted) of the first
// record of `function`.
size_t IndexOfFunction(const std::vector<uint8_t>& bytes, uint16_t function)
{
    size_t offset = FirstRecord;
    for (size_t index = 0; offset + 6 <= bytes.size(); ++index) {
        uint32_t words;
        uint16_t found;
        std::memcpy(&words, &bytes[offset], 4);
        std::memcpy(&found, &bytes[offset + 4], 2);
        if (found == function) return index;
        if (words < 3) break;
        offset += words * 2;
    }
    ADD_FAILURE() << "record " << function << " not found";
    return 0;
}

struct RecordDamageCase {
    const char* name;
    uint16_t function;
    std::function<void(std::vector<uint8_t>&)> damage;
};

const RecordDamageCase RecordDamageCases[] = {
    {"UnknownObjectSelected", META_SELECTOBJECT,
     [](std::vector<uint8_t>& b) { PutU16(b, OffsetOfFunction(b, META_SELECTOBJECT) + Parameter, 999); }},
    {"TextLongerThanItsRecord", META_EXTTEXTOUT,
     [](std::vector<uint8_t>& b) { PutU16(b, OffsetOfFunction(b, META_EXTTEXTOUT) + Parameter + 4, 5000); }},
    {"PolygonPointsPastItsRecord", META_POLYGON,
     [](std::vector<uint8_t>& b) { PutU16(b, OffsetOfFunction(b, META_POLYGON) + Parameter, 5000); }},
    {"PolylinePointsPastItsRecord", META_POLYLINE,
     [](std::vector<uint8_t>& b) { PutU16(b, OffsetOfFunction(b, META_POLYLINE) + Parameter, 5000); }},
    {"PolyPolygonCountPastItsRecord", META_POLYPOLYGON,
     [](std::vector<uint8_t>& b) { PutU16(b, OffsetOfFunction(b, META_POLYPOLYGON) + Parameter + 2, 5000); }},
    {"StretchedBitmapTallerThanItsRecord", META_STRETCHDIB,     // bitmap height; the bitmap follows 11 words
     [](std::vector<uint8_t>& b) { PutU32(b, OffsetOfFunction(b, META_STRETCHDIB) + Parameter + 22 + 8, 100000); }},
    {"BlitBitmapWiderThanItsRecord", META_DIBSTRETCHBLT,        // bitmap width; the bitmap follows 10 words
     [](std::vector<uint8_t>& b) { PutU32(b, OffsetOfFunction(b, META_DIBSTRETCHBLT) + Parameter + 20 + 4, 100000); }},
};

TEST(ReportLoad, MissingFileAndEnhancedMetafileAreRefused)
{
    Report report;
    EXPECT_EQ(Report_Load(TestTempPath("does_not_exist.wmf").c_str(), report), ReportStatus::Missing);
    EXPECT_EQ(Report_Load(nullptr, report), ReportStatus::Missing);

    std::string path = TestTempPath("enhanced.emf");
    HDC dc = CreateEnhMetaFileA(nullptr, path.c_str(), nullptr, nullptr);
    Rectangle(dc, 0, 0, 100, 100);
    DeleteEnhMetaFile(CloseEnhMetaFile(dc));
    EXPECT_EQ(Report_Load(path.c_str(), report), ReportStatus::Damaged);
    DeleteFileA(path.c_str());
}

// A top-down 32-bit bitmap of one pixel a millimetre, white before playing.
struct PageBitmap {
    static constexpr int Width = 210;
    static constexpr int Height = 297;
    HDC dc = CreateCompatibleDC(nullptr);
    uint32_t* bits = nullptr;
    HBITMAP bitmap;
    HGDIOBJ previous;
    PageBitmap()
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = Width;
        info.bmiHeader.biHeight = -Height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        previous = SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, Width, Height, WHITENESS);
    }
    ~PageBitmap()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    // Colour at the centre of a quadrant, as 0xRRGGBB.
    uint32_t Quadrant(int quadrant) const
    {
        GdiFlush();
        int x = (quadrant % 2) * Width / 2 + Width / 4;
        int y = (quadrant / 2) * Height / 2 + Height / 4;
        return bits[y * Width + x] & 0xFFFFFF;
    }
};

constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Black = 0x000000;
constexpr uint32_t Red = 0xFF0000;
constexpr RECT WholeBitmap = {0, 0, PageBitmap::Width, PageBitmap::Height};

// Plays each page and returns the colours of its four quadrants.
std::vector<std::vector<uint32_t>> PlayedQuadrants(const std::function<void(HDC)>& draw)
{
    std::string path = TestTempPath("play.wmf");
    WriteMetafile(path, draw);
    Report report;
    EXPECT_EQ(Report_Load(path.c_str(), report), ReportStatus::Ok);
    DeleteFileA(path.c_str());
    std::vector<std::vector<uint32_t>> pages;
    for (size_t page = 0; page < report.pages.size(); ++page) {
        PageBitmap bitmap;
        EXPECT_TRUE(Report_PlayPage(report, bitmap.dc, page, WholeBitmap));
        pages.push_back({bitmap.Quadrant(0), bitmap.Quadrant(1), bitmap.Quadrant(2), bitmap.Quadrant(3)});
    }
    return pages;
}

using Quadrants = std::vector<std::vector<uint32_t>>;

// A record whose counts run past it is never played; the report still opens
// and every other record keeps its part.
TEST(ReportLoad, LeavesOutRecordsThatRunPastThemselves)
{
    std::string path = TestTempPath("record_damage.wmf");
    WriteDrawingKindsReport(path);
    const std::vector<uint8_t> sound = ReadFileBytes(path);
    DeleteFileA(path.c_str());
    Report undamaged;
    ASSERT_EQ(Report_LoadBytes(sound, undamaged), ReportStatus::Ok);
    for (const RecordDamageCase& row : RecordDamageCases) {
        SCOPED_TRACE(row.name);
        size_t damaged = IndexOfFunction(sound, row.function);
        EXPECT_NE(undamaged.roles[damaged], RecordRole::Skipped);
        std::vector<uint8_t> bytes = sound;
        row.damage(bytes);
        Report report;
        ASSERT_EQ(Report_LoadBytes(bytes, report), ReportStatus::Ok);
        for (size_t i = 0; i < report.roles.size(); ++i)
            EXPECT_EQ(report.roles[i], i == damaged ? RecordRole::Skipped : undamaged.roles[i]) << "record " << i;
        PageBitmap bitmap;
        EXPECT_TRUE(Report_PlayPage(report, bitmap.dc, 0, WholeBitmap));
    }
}

TEST(ReportPlay, EachPageShowsOnlyItsOwnDrawing)
{
    Quadrants pages = PlayedQuadrants([](HDC dc) { DrawSetup(dc, true); DrawPages(dc, 3); PutMark(dc, 'E'); });
    EXPECT_EQ(pages, (Quadrants{{Black, White, White, White},
                                {White, Black, White, White},
                                {White, White, Black, White}}));
}

TEST(ReportPlay, StateSetOnEarlierPagesCarriesOver)
{
    static const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    Quadrants pages = PlayedQuadrants([](HDC dc) {
        DrawSetup(dc, true);
        SelectObject(dc, red);
        FillQuadrant(dc, 0);
        PutMark(dc, 'F');
        FillQuadrant(dc, 1);        // still the red brush of page 1
        PutMark(dc, 'F');
        SelectObject(dc, GetStockObject(BLACK_BRUSH));
        FillQuadrant(dc, 2);
        PutMark(dc, 'E');
    });
    EXPECT_EQ(pages, (Quadrants{{Red, White, White, White},
                                {White, Red, White, White},
                                {White, White, Black, White}}));
}

TEST(ReportPlay, MappingOfTheMetafileIsIgnored)
{
    Quadrants pages = PlayedQuadrants([](HDC dc) {
        SetMapMode(dc, MM_LOMETRIC);
        SetWindowExtEx(dc, 100, 100, nullptr);
        SetViewportOrgEx(dc, 50, 50, nullptr);
        DrawSetup(dc, true);
        FillQuadrant(dc, 3);
        PutMark(dc, 'E');
    });
    EXPECT_EQ(pages, (Quadrants{{White, White, White, Black}}));
}

TEST(ReportPlay, PlayingLeavesTheDeviceAsItWas)
{
    std::string path = TestTempPath("state.wmf");
    WriteThreePageReport(path);
    Report report;
    ASSERT_EQ(Report_Load(path.c_str(), report), ReportStatus::Ok);
    DeleteFileA(path.c_str());
    PageBitmap bitmap;
    HGDIOBJ brush = GetCurrentObject(bitmap.dc, OBJ_BRUSH);
    EXPECT_TRUE(Report_PlayPage(report, bitmap.dc, 1, WholeBitmap));
    EXPECT_FALSE(Report_PlayPage(report, bitmap.dc, 3, WholeBitmap));
    EXPECT_EQ(GetMapMode(bitmap.dc), MM_TEXT);
    EXPECT_EQ(GetCurrentObject(bitmap.dc, OBJ_BRUSH), brush);
}

// The texts of the system are UTF-8 whatever the font's code page.
TEST(ReportPlay, TextIsDrawnAsUtf8)
{
    static const char* const Texts[] = {"Temperature 20 \xC2\xB0" "C, \xC3\xA4\xC3\xB6\xC3\xBC", "Plain ASCII"};
    static const HFONT font = [] {
        LOGFONTA logical{};
        logical.lfHeight = -35;                 // the report font size; small sizes showed the fault
        logical.lfCharSet = DEFAULT_CHARSET;    // as the print library makes its fonts
        lstrcpynA(logical.lfFaceName, "Arial", LF_FACESIZE);
        return CreateFontIndirectA(&logical);
    }();
    for (const char* text : Texts) {
        SCOPED_TRACE(text);
        std::string path = TestTempPath("text.wmf");
        WriteMetafile(path, [text](HDC dc) {
            SelectObject(dc, font);
            PutMark(dc, 'B');
            TextOutA(dc, 100, 500, text, lstrlenA(text));
        });
        Report report;
        ASSERT_EQ(Report_Load(path.c_str(), report), ReportStatus::Ok);
        DeleteFileA(path.c_str());
        PageBitmap played;
        Report_PlayPage(report, played.dc, 0, WholeBitmap);

        PageBitmap expected;
        SetMapMode(expected.dc, MM_ANISOTROPIC);
        SetWindowExtEx(expected.dc, ReportPageWidth, ReportPageHeight, nullptr);
        SetViewportExtEx(expected.dc, PageBitmap::Width, PageBitmap::Height, nullptr);
        SetBkMode(expected.dc, TRANSPARENT);
        HGDIOBJ previous = SelectObject(expected.dc, font);
        wchar_t wide[64] = {};
        int units = MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, 64) - 1;
        TextOutW(expected.dc, 100, 500, wide, units);
        SelectObject(expected.dc, previous);
        GdiFlush();

        size_t pixels = size_t{PageBitmap::Width} * PageBitmap::Height;
        EXPECT_EQ(std::memcmp(played.bits, expected.bits, pixels * 4), 0);
        EXPECT_NE(std::count(played.bits, played.bits + pixels, 0xFFFFFFu), static_cast<std::ptrdiff_t>(pixels));
    }
}

TEST(Captions, ComeFromTheSettingsFileOrAreEnglish)
{
    std::string path = TestTempPath("settings.ini");
    std::string text = "[TORDOC]\r\nT1001=help.txt\r\nT1002=Druckvorschau \xE2\x80\x93 Bericht\r\n"
                       "T1003=Seite:\r\nT1015=Seitenbreite\r\n[OTHER]\r\nT1014=Wrong\r\n";
    WriteFileBytes(path, std::vector<uint8_t>(text.begin(), text.end()));

    Captions read = Captions_Read(path.c_str());
    EXPECT_STREQ(read[Caption::Title], "Druckvorschau \xE2\x80\x93 Bericht");
    EXPECT_STREQ(read[Caption::Page], "Seite:");
    EXPECT_STREQ(read[Caption::PageWidth], "Seitenbreite");
    EXPECT_STREQ(read[Caption::Close], "Close");
    EXPECT_STREQ(read[Caption::Print], "Print...");

    Captions english = Captions_Read(nullptr);
    EXPECT_STREQ(english[Caption::Title], "Print preview");
    EXPECT_STREQ(english[Caption::NextPage], "Next page");
    Captions missing = Captions_Read(TestTempPath("no_settings.ini").c_str());
    EXPECT_STREQ(missing[Caption::Page], "Page:");
    DeleteFileA(path.c_str());
}

} // namespace
