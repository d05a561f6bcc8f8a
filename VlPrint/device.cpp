// The two output devices of a report: a Windows metafile on a temporary file
// with its page comments, or a rich-text file with its font table. Also the
// three report fonts read from the settings and the rich-text escaping.
#include "VlPrint/print_internal.h"
#include "support/settings.h"
#include "support/utf8.h"
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kFontFaceValues[3] = {"Output\\Font1.Name", "Output\\Font2.Name", "Output\\Font3.Name"};
constexpr const char* kFontSizeValues[3] = {"Output\\Font1.Size", "Output\\Font2.Size", "Output\\Font3.Size"};
constexpr int kFontDefaults[3] = {50, 35, 25};
constexpr int kRtfFontNumbers[3] = {5, 6, 7};
constexpr COLORREF kLogoColours[5] = {RGB(40, 60, 120), RGB(230, 160, 40), RGB(250, 210, 120), RGB(120, 120, 120),
                                      RGB(255, 255, 255)};

void ReadFont(int i, ReportFont& font)
{
    const char* face = Settings_ReadString(nullptr, kFontFaceValues[i]);
    Utf8_CopyCut(font.face, sizeof font.face, face && *face ? face : "Arial");
    const char* size = Settings_ReadString(nullptr, kFontSizeValues[i]);
    font.size = size ? std::abs(atoi(size)) : 0;
    if (font.size == 0)
        font.size = kFontDefaults[i];
}

HFONT MakeFont(const ReportFont& font, int weight)
{
    LOGFONTA lf = {};
    lf.lfHeight = -font.size;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    Utf8_CopyCut(lf.lfFaceName, 32, font.face);
    return CreateFontIndirectA(&lf);
}

int HalfPoints(int size)
{
    return 2 * int(std::floor(size * 72.0 / 254.0));
}

void MakeRtfSelectors()
{
    PrintGlobals& g = Prn();
    for (int i = 0; i < 3; ++i) {
        int hp = HalfPoints(g.fonts[i].size);
        snprintf(g.rtfSelectors[2 * i], sizeof g.rtfSelectors[0], "\\f%d\\fs%d\\b0 ", kRtfFontNumbers[i], hp);
        snprintf(g.rtfSelectors[2 * i + 1], sizeof g.rtfSelectors[0], "\\f%d\\fs%d\\b ", kRtfFontNumbers[i], hp);
    }
}

void WriteFontTable()
{
    const PrintGlobals& g = Prn();
    std::string table = "{\\fonttbl{\\f0\\froman\\fcharset0\\fprq2 Tms Rmn;}";
    for (int i = 2; i >= 0; --i)
        table += "{\\f" + std::to_string(kRtfFontNumbers[i]) + "\\fnil\\fcharset0\\fprq2 " +
                 Rtf_Escape(g.fonts[i].face) + ";}";
    table += "}\r\n";
    Rtf_Write(table);
}

void AppendUnicode(std::string& out, uint32_t unit)
{
    out += "\\u" + std::to_string(int16_t(uint16_t(unit))) + "?";
}

}  // namespace

std::string Rtf_Escape(const char* text)
{
    std::string out;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        uint32_t cp = 0;
        p += Text_NextChar(p, &cp);
        if (cp == '\\' || cp == '{' || cp == '}') {
            out += '\\';
            out += char(cp);
        } else if (cp == 127) {
            out += "\\'7F";
        } else if (cp < 0x80) {
            out += char(cp);
        } else if (cp < 0x10000) {
            AppendUnicode(out, cp);
        } else {
            cp -= 0x10000;
            AppendUnicode(out, 0xD800 + (cp >> 10));
            AppendUnicode(out, 0xDC00 + (cp & 0x3FF));
        }
    }
    return out;
}

int Report_FontSlot(uint16_t flags)
{
    static constexpr struct { uint16_t flag; int slot; } kOrder[] = {
        {Cell_Font1Bold, 1}, {Cell_Font1, 0}, {Cell_Font2Bold, 3}, {Cell_Font2, 2}, {Cell_Font3Bold, 5},
        {Cell_Font3, 4}};
    for (const auto& o : kOrder)
        if (flags & o.flag)
            return o.slot;
    return 2;
}

int Report_OpenDevice(int output)
{
    PrintGlobals& g = Prn();
    if (output == Output_Sheet) {
        g.sheet.clear();   // the rows are kept in memory
        g.sheetDecimal = Sheet_DecimalSeparator();
        return 0;
    }
    char dir[MAX_PATH];
    DWORD length = GetTempPathA(sizeof dir, dir);
    if (length == 0 || length > 1022 || length >= sizeof dir)
        return -1;
    if (!GetTempFileNameA(dir, "WD", 0, g.reportFile))
        return -2;
    if (output == Output_Metafile) {
        g.dc = CreateMetaFileA(g.reportFile);
        if (!g.dc) {
            DeleteFileA(g.reportFile);
            g.reportFile[0] = '\0';
            return -2;
        }
        SetBkMode(g.dc, TRANSPARENT);
        return 0;
    }
    g.rtf = CreateFileA(g.reportFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (g.rtf == INVALID_HANDLE_VALUE) {
        DeleteFileA(g.reportFile);
        g.reportFile[0] = '\0';
        return -2;
    }
    Rtf_Write("{\\rtf1\\ansi\\ansicpg1252\\deff5\\uc1\r\n");
    return 0;
}

void Report_SetupFonts(int output)
{
    PrintGlobals& g = Prn();
    Print_TakeLayerParts();
    for (int i = 0; i < 3; ++i) {
        ReadFont(i, g.fonts[i]);
        g.fonts[i].normal = MakeFont(g.fonts[i], FW_NORMAL);
        g.fonts[i].bold = MakeFont(g.fonts[i], FW_BOLD);
    }
    if (!g.measureDc)
        g.measureDc = CreateCompatibleDC(nullptr);
    g.footerTitleHeight = Report_LineHeight(g.fonts[2].normal);
    g.footerLayout = FooterLayout{};
    g.textWidths.clear();
    g.wrappedTexts.clear();
    for (int slot = 0; slot < 6; ++slot)
        g.slotLineHeights[slot] = Report_LineHeight(slot % 2 ? g.fonts[slot / 2].bold : g.fonts[slot / 2].normal);
    if (g.dc) {
        for (int i = 2; i >= 0; --i) {
            SelectObject(g.dc, g.fonts[i].normal);
            SelectObject(g.dc, g.fonts[i].bold);
        }
        // Made once: each page then only selects them.
        for (int i = 0; i < 5; ++i) {
            g.logoBrushes[i] = CreateSolidBrush(kLogoColours[i]);
            SelectObject(g.dc, g.logoBrushes[i]);
        }
        SelectObject(g.dc, GetStockObject(NULL_BRUSH));
        SelectObject(g.dc, GetStockObject(WHITE_BRUSH));
        SelectObject(g.dc, GetStockObject(BLACK_BRUSH));
        SelectObject(g.dc, GetStockObject(BLACK_PEN));
    }
    if (output == Output_Rtf) {
        MakeRtfSelectors();
        WriteFontTable();
        // An A4 page with 1 cm margins holds the report's width, so a word
        // processor that opens the text keeps every row on one line.
        Rtf_Write("\\paperw11906\\paperh16838\\margl567\\margr567\\margt567\\margb567\r\n");
    }
}

void Report_Comment(char mark)
{
    if (Prn().dc)
        Escape(Prn().dc, MFCOMMENT, 1, &mark, nullptr);
}

void Rtf_Write(const std::string& text)
{
    DWORD written = 0;
    if (Prn().rtf != INVALID_HANDLE_VALUE)
        WriteFile(Prn().rtf, text.data(), DWORD(text.size()), &written, nullptr);
}

int Report_CloseDevice(int output)
{
    PrintGlobals& g = Prn();
    if (output != Output_Metafile && output != Output_Rtf && output != Output_Sheet)
        return -1;
    if (g.dc) {
        Report_Comment('E');
        SelectObject(g.dc, GetStockObject(SYSTEM_FONT));
        DeleteMetaFile(CloseMetaFile(g.dc));
        g.dc = nullptr;
    }
    if (g.rtf != INVALID_HANDLE_VALUE) {
        Rtf_Write("\\par\r\n}");
        CloseHandle(g.rtf);
        g.rtf = INVALID_HANDLE_VALUE;
    }
    if (g.measureDc)
        DeleteDC(g.measureDc);
    g.measureDc = nullptr;
    for (HBRUSH& brush : g.logoBrushes) {
        if (brush)
            DeleteObject(brush);
        brush = nullptr;
    }
    for (ReportFont& font : g.fonts) {
        DeleteObject(font.normal);
        DeleteObject(font.bold);
        font.normal = font.bold = nullptr;
    }
    return 0;
}
