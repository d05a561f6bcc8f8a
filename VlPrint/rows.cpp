// The report row engine: a row of 25 cells drawn into the metafile or written
// as one rich-text paragraph with tab stops, the page header, footer and page
// break of the metafile, and the row builders that the report sections call.
#include "VlPrint/print_internal.h"
#include "VlPrint/resource.h"
#include "Kadmi/kadmi.h"
#include "support/dates.h"
#include "support/numfield.h"
#include "support/utf8.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kLeftMargin = 10;
constexpr int kRightEdge = 1950;
constexpr int kHeaderEnd = 250;
constexpr int kLayerUsedCodeSize = 40;

// The footer's top line; its title stands on it.
int FooterLineY()
{
    return Prn().pageHeight - 320;
}

int CellX(int cell)
{
    return kLeftMargin + Prn().columnWidth * (cell + 1);
}

int RowHeight(const ReportRow& row)
{
    const PrintGlobals& g = Prn();
    bool font1 = false, font3 = false;
    for (const ReportCell& c : row.cells) {
        font1 |= (c.flags & (Cell_Font1 | Cell_Font1Bold)) != 0;
        font3 |= (c.flags & (Cell_Font3 | Cell_Font3Bold)) != 0;
    }
    if (font1)
        return g.fonts[0].size + 10;
    if (font3)
        return g.fonts[2].size + 7;
    return g.fonts[1].size + 10;
}

HFONT FontOfSlot(int slot)
{
    const ReportFont& font = Prn().fonts[slot / 2];
    return slot % 2 ? font.bold : font.normal;
}

void DrawText(int x, int y, const char* text, UINT align)
{
    HDC dc = Prn().dc;
    SetTextAlign(dc, align);
    const std::string shown = Text_Repaired(text);
    TextOutA(dc, x, y, shown.data(), int(shown.size()));
}

void DrawLine(int x1, int y1, int x2, int y2)
{
    HDC dc = Prn().dc;
    SelectObject(dc, GetStockObject(BLACK_PEN));
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// Measures texts in a font: a metafile gives no extents, so a screen DC
// measures them in the same logical units.
class TextMeasure {
public:
    explicit TextMeasure(HFONT font) : dc_(CreateCompatibleDC(nullptr)), old_(SelectObject(dc_, font)) {}
    ~TextMeasure()
    {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    TextMeasure(const TextMeasure&) = delete;
    TextMeasure& operator=(const TextMeasure&) = delete;
    int LineHeight() const
    {
        TEXTMETRICA metrics = {};
        GetTextMetricsA(dc_, &metrics);
        return metrics.tmHeight;
    }
    // As the viewer draws it: UTF-8 as UTF-16.
    int Width(const std::string& text) const
    {
        std::wstring wide(text.size(), L'\0');
        wide.resize(size_t(MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(),
                                               int(wide.size()))));
        SIZE size = {};
        GetTextExtentPoint32W(dc_, wide.data(), int(wide.size()), &size);
        return size.cx;
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// text as it fits into width: whole, or cut after a whole character with an
// ellipsis; "" when not even the ellipsis fits.
std::string FitToWidth(const char* text, int width, HFONT font)
{
    static constexpr char kEllipsis[] = "\xE2\x80\xA6";
    const TextMeasure measure(font);
    std::string kept = text;
    if (measure.Width(kept) <= width)
        return kept;
    while (true) {
        while (!kept.empty() && kept.back() == ' ')
            kept.pop_back();
        if (measure.Width(kept + kEllipsis) <= width)
            return kept + kEllipsis;
        if (kept.empty())
            return kept;
        size_t end = kept.size() - 1;
        while (end > 0 && (static_cast<unsigned char>(kept[end]) & 0xC0) == 0x80)
            --end;
        kept.erase(end);
    }
}

void DrawCell(const ReportCell& cell, int x)
{
    HDC dc = Prn().dc;
    HFONT font = FontOfSlot(Report_FontSlot(cell.flags));
    SelectObject(dc, font);
    SetTextColor(dc, RGB(0, 0, 0));
    const std::string text = cell.width > 0 ? FitToWidth(cell.text, cell.width, font) : cell.text;
    DrawText(x, Prn().y, text.c_str(), TA_BOTTOM | ((cell.flags & Cell_Right) ? TA_RIGHT : TA_LEFT));
}

// Tab position in twips of the cell anchored at x: the rich text's columns
// are 0.95 of the metafile's.
constexpr double kRtfScale = 0.95;
int TabStop(int x)
{
    return int(x * kRtfScale * 5.669);
}

// A row as one paragraph: its properties, the tab stops of its cells
// included, come first, then each cell's text after a tab.
void WriteRtfParagraph(const ReportRow& row)
{
    const PrintGlobals& g = Prn();
    std::string stops = "\\pard\\plain", cells;
    for (int i = 0; i < kRowCells; ++i) {
        const ReportCell& cell = row.cells[i];
        if (Cell_IsBlank(cell.text))
            continue;
        if (cell.flags & Cell_Right)
            stops += "\\tqr";
        stops += "\\tx" + std::to_string(TabStop(CellX(i)));
        cells += "\\tab ";
        cells += g.rtfSelectors[Report_FontSlot(cell.flags)];
        cells += Rtf_Escape(cell.text);
        cells += g.rtfSelectors[Report_FontSlot(0)];
        cells += "\r\n";
    }
    Rtf_Write(stops + " \r\n" + cells + "\\par\r\n");
}

bool FitsRtfColumn(const ReportCell& cell)
{
    const TextMeasure measure(FontOfSlot(Report_FontSlot(cell.flags)));
    return measure.Width(cell.text) <= cell.width * kRtfScale;
}

// Rich text keeps a text that is wider than its column whole, on a line of
// its own above the row's other cells, so that those keep their columns.
void WriteRtfRow(const ReportRow& row)
{
    ReportRow rest = row;
    for (ReportCell& cell : rest.cells) {
        if (cell.width <= 0 || Cell_IsBlank(cell.text) || FitsRtfColumn(cell))
            continue;
        ReportRow alone = {};
        alone.cells[&cell - rest.cells] = cell;
        WriteRtfParagraph(alone);
        cell.text[0] = '\0';
    }
    WriteRtfParagraph(rest);
}

// The logo's bitmap resource as it is stored, so that each page's copy of it
// keeps the resource's few colours and stays small.
void DrawLogo()
{
    HRSRC found = FindResourceA(Prn().instance, MAKEINTRESOURCEA(IDB_LOGO), MAKEINTRESOURCEA(2));   // RT_BITMAP
    HGLOBAL loaded = found ? LoadResource(Prn().instance, found) : nullptr;
    const auto* info = static_cast<const BITMAPINFO*>(loaded ? LockResource(loaded) : nullptr);
    if (!info)
        return;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    const DWORD colours = header.biClrUsed ? header.biClrUsed : header.biBitCount <= 8 ? 1u << header.biBitCount : 0;
    const auto* bits = reinterpret_cast<const BYTE*>(info) + header.biSize + colours * sizeof(RGBQUAD);
    StretchDIBits(Prn().dc, 40, 40, 420, 88, 0, 0, header.biWidth, header.biHeight, bits, info, DIB_RGB_COLORS,
                  SRCCOPY);
}

// The report date: the project's date of the last save, else today.
void ReportDate(char* text, size_t size)
{
    char saved[100] = {};
    if (Kadmi_GetStringNAtt(KadmiObject_Project, 1505, saved, sizeof saved) && saved[0]) {
        Utf8_CopyCut(text, size, saved);
        return;
    }
    char today[kLocalDateSize] = {};
    Date_TodayLocal(today);
    Utf8_CopyCut(text, size, today);
}

void PrintLabelled(ReportRow& row, int labelId, uint16_t labelFlags, int labelCell, int out)
{
    Cell_Set(row, labelCell, Print_Text(labelId), labelFlags);
    Report_PrintRow(row, out);
}

void SetFloat(ReportRow& row, int cell, float value, int decimals)
{
    Cell_Set(row, cell, Report_FormatFloat(value, decimals).c_str(), Cell_Font2 | Cell_Right);
}

// An attribute that is not stored leaves its cell empty: it is no 0.
bool SetStoredFloat(ReportRow& row, int cell, long object, short att, int decimals)
{
    const float value = Kadmi_GetFloatAttZ(object, att);
    if (value == AttMissing_Float)
        return false;
    SetFloat(row, cell, value, decimals);
    return true;
}

void SetUnit(ReportRow& row, int cell, int unitId)
{
    if (unitId > 0)
        Cell_Set(row, cell, Print_Text(unitId), Cell_Font2);
}

// A part of the page header keeps to its own place, from its cell to the
// next part's, a little gap left free.
void SetHeaderCell(ReportRow& row, int cell, int nextCell, const char* text, uint16_t flags)
{
    Cell_Set(row, cell, text, flags);
    row.cells[cell].width = int16_t(CellX(nextCell) - Prn().columnWidth / 2 - CellX(cell));
}

}  // namespace

std::string Report_FormatFloat(float value, int decimals)
{
    if (decimals == kDimensionDecimals)
        decimals = Field_DimensionDecimals(value);
    char text[64];
    snprintf(text, sizeof text, "%.*f", decimals, double(value));
    return text;
}

int Report_LineHeight(HFONT font)
{
    return TextMeasure(font).LineHeight();
}

int Report_BodyBottom()
{
    const PrintGlobals& g = Prn();
    return std::min(g.pageHeight - 350, FooterLineY() - g.footerTitleHeight);
}

void Report_KeepTogether(int out, const std::function<void()>& rows)
{
    PrintGlobals& g = Prn();
    if (out == Output_Metafile && g.dc && !g.measuring) {
        g.measuring = true;
        g.measured = 0;
        rows();
        g.measuring = false;
        const int bottom = Report_BodyBottom();
        if (g.y + g.measured > bottom && kHeaderEnd + g.measured <= bottom)
            Report_NewPage(out);
    }
    rows();
}

bool Cell_IsBlank(const char* text)
{
    for (size_t i = 0; i < kCellTextSize && text[i]; ++i)
        if (static_cast<unsigned char>(text[i]) > ' ')
            return false;
    return true;
}

void Cell_Set(ReportRow& row, int cell, const char* text, uint16_t flags)
{
    if (cell < 0 || cell >= kRowCells)
        return;
    const std::string repaired = Text_Repaired(text, kCellTextSize - 1);
    Utf8_CopyCut(row.cells[cell].text, kCellTextSize, repaired.c_str());
    row.cells[cell].flags |= flags;
}

void Report_PrintRow(const ReportRow& row, int out)
{
    PrintGlobals& g = Prn();
    if (g.measuring) {
        g.measured += RowHeight(row);
        return;
    }
    if (out == Output_Rtf) {
        WriteRtfRow(row);
        return;
    }
    if (out == Output_Sheet) {
        g.sheet += Sheet_Line(row) + "\r\n";
        return;
    }
    if (out != Output_Metafile)
        return;
    g.y += RowHeight(row);
    if (g.y > Report_BodyBottom())
        Report_NewPage(out);
    if (!g.dc)
        return;
    for (int i = 0; i < kRowCells; ++i)
        if (!Cell_IsBlank(row.cells[i].text))
            DrawCell(row.cells[i], CellX(i));
}

void Report_PageHeader(int out)
{
    PrintGlobals& g = Prn();
    g.y = kLeftMargin;
    if (out != Output_Metafile || !g.dc)
        return;
    if (g.logo)
        DrawLogo();
    g.y = 50;
    ReportRow row = {};
    char date[100], page[160];
    ReportDate(date, sizeof date);
    snprintf(page, sizeof page, "%s: %d", Print_Text(30105), g.pageCounter);
    SetHeaderCell(row, 5, 13, g.heading, Cell_Font2Bold);
    SetHeaderCell(row, 13, 19, date, Cell_Font2);
    Cell_Set(row, 19, page, Cell_Font2);
    Report_PrintRow(row, out);
    if (g.headingData[0]) {
        ReportRow data = {};
        SetHeaderCell(data, 5, 13, g.headingData, Cell_Font2);
        Report_PrintRow(data, out);
    }

    g.y = 140;
    char project[kFooterStringSize] = {};
    if (Kadmi_GetStringNAtt(KadmiObject_Project, 1501, project, sizeof project)) {
        ReportRow name = {};
        Cell_Set(name, 21, project, Cell_Font2 | Cell_Right);
        Report_PrintRow(name, out);
    }
    g.y = 190;
    DrawLine(kLeftMargin, 190, kRightEdge, 190);
    g.y = kHeaderEnd;
}

void Report_PageFooter(int out)
{
    PrintGlobals& g = Prn();
    if (out != Output_Metafile || !g.dc)
        return;
    const int h = g.fonts[2].size + 7;
    int y = FooterLineY();
    SelectObject(g.dc, g.fonts[2].normal);
    SetTextColor(g.dc, RGB(0, 0, 0));
    const UINT align = TA_BOTTOM | TA_LEFT;
    if (g.footerTitle[0])
        DrawText(100, y, g.footerTitle, align);
    DrawLine(kLeftMargin, y, kRightEdge, y);
    SelectObject(g.dc, g.fonts[2].normal);
    // Four lines of four columns; nullptr leaves a place empty.
    const char* lines[4][4] = {
        {g.footer[0], Print_Text(30017), Print_Text(30018), Print_Text(30019)},
        {g.footer[1], g.footer[4], g.footer[5], g.footer[6]},
        {g.footer[2], nullptr, nullptr, Print_Text(20063)},
        {g.footer[3], nullptr, nullptr, g.footer[7]},
    };
    static constexpr int kColumns[4] = {100, 500, 1000, 1500};
    for (const auto& line : lines) {
        y += h;
        for (int c = 0; c < 4; ++c)
            if (line[c] && line[c][0])
                DrawText(kColumns[c], y, line[c], align);
    }
}

// A report has as many pages as its content needs: the count has no limit,
// so no row is ever drawn below the last page's bottom.
void Report_NewPage(int out)
{
    Report_PageFooter(out);
    ++Prn().pageCounter;
    if (out == Output_Metafile)
        Report_Comment('F');
    else if (out == Output_Rtf)
        Rtf_Write("\\page\r\n");
    Report_PageHeader(out);
}

// A layer whose type is the no-product entry is unused whatever its product
// code still holds (the thickness list's header, an older choice).
bool Layer_IsUsed(long part)
{
    if (part <= 0)
        return false;
    char type[kLayerUsedCodeSize] = {};
    if (Kadmi_GetStringNAtt(part, 1536, type, sizeof type) && strcmp(type, "-789") == 0)
        return false;
    char code[kLayerUsedCodeSize] = {};
    short count = 0;
    Kadmi_GetAtt(part, 1528, &count, code, sizeof code - 1);
    return code[0] != '\0' && strcmp(code, "-789") != 0;
}

void Report_BlankRow(int out)
{
    ReportRow row = {};
    Report_PrintRow(row, out);
}

void Report_TitleRow(int cell, const char* text, int out, uint16_t flags)
{
    ReportRow row = {};
    Cell_Set(row, cell, text, flags);
    Report_PrintRow(row, out);
}

void Report_StringAttRow(long object, int labelId, uint16_t labelFlags, int labelCell, int valueCell, short att,
                         int unitId, int out)
{
    char value[kCellTextSize * 4] = {};
    if (!Kadmi_GetStringNAtt(object, att, value, sizeof value))
        return;
    std::string text = value;
    if (unitId > 0)
        text += std::string(" ") + Print_Text(unitId);
    ReportRow row = {};
    Cell_Set(row, valueCell, text.c_str(), Cell_Font2);
    PrintLabelled(row, labelId, labelFlags, labelCell, out);
}

void Report_FloatAttRow(long object, int labelId, uint16_t labelFlags, int labelCell, int valueCell, short att,
                        int decimals, int unitId, int out)
{
    ReportRow row = {};
    if (!SetStoredFloat(row, valueCell, object, att, decimals))
        return;
    SetUnit(row, valueCell + 1, unitId);
    PrintLabelled(row, labelId, labelFlags, labelCell, out);
}

void Report_FloatArrayAttRow(long object, int labelId, uint16_t labelFlags, int labelCell, int valueCell,
                             short att, int index, int decimals, int unitId, int out)
{
    float values[16] = {};
    short count = 0;
    if (!Kadmi_GetAtt(object, att, &count, values, sizeof values) || index < 0 || index >= count)
        return;
    float value = values[index];
    ReportRow row = {};
    SetFloat(row, valueCell, value, decimals);
    SetUnit(row, valueCell + 1, unitId);
    PrintLabelled(row, labelId, labelFlags, labelCell, out);
}

void Report_LayerFloatRow(int labelId, uint16_t labelFlags, int labelCell, int firstCell, short att, int decimals,
                          int unitId, int out)
{
    const short attributes[3] = {att, att, att};
    Report_LayerFloatRow(labelId, labelFlags, labelCell, firstCell, attributes, decimals, unitId, out);
}

void Report_LayerFloatRow(int labelId, uint16_t labelFlags, int labelCell, int firstCell, const short attributes[3],
                          int decimals, int unitId, int out)
{
    ReportRow row = {};
    bool any = false;
    for (int k = 0; k < 3; ++k) {
        long part = Prn().layerParts[k];
        if (Layer_IsUsed(part))
            any |= SetStoredFloat(row, firstCell + 4 * k, part, attributes[k], decimals);
    }
    if (!any)
        return;
    SetUnit(row, 18, unitId);
    PrintLabelled(row, labelId, labelFlags, labelCell, out);
}

void Report_FloatPairRow(long object, int labelId, uint16_t labelFlags, int labelCell, int cellA, int cellB,
                         short attA, short attB, int decimals, int unitId, int out)
{
    ReportRow row = {};
    bool any = SetStoredFloat(row, cellA, object, attA, decimals);
    if (attB != -1)
        any |= SetStoredFloat(row, cellB, object, attB, decimals);
    if (!any)
        return;
    SetUnit(row, cellB + 1, unitId);
    PrintLabelled(row, labelId, labelFlags, labelCell, out);
}

void Report_MultiLineRow(int labelCell, const char* label, int valueCell, const char* text, int out)
{
    if (!text)
        return;
    TextWrap wrap = Text_StartWrap(text);
    char line[kWrapLineBytes + 1];
    bool first = true;
    while (Text_NextLine(wrap, line)) {
        ReportRow row = {};
        if (first)
            Cell_Set(row, labelCell, label, Cell_Font2);
        Cell_Set(row, valueCell, line, Cell_Font2);
        Report_PrintRow(row, out);
        first = false;
    }
}

void Report_Rule(int firstColumn, int lastColumn, int out)
{
    if (out != Output_Metafile || !Prn().dc)
        return;
    int y = Prn().y;
    DrawLine(96 + 86 * firstColumn, y, 96 + 86 * (lastColumn + 2), y);
}
