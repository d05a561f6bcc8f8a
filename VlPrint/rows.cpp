// The report row engine: a row of 25 cells drawn into the metafile or written
// as one rich-text paragraph with tab stops, the page header, footer and page
// break of the metafile, and the row builders that the report sections call.
#include "VlPrint/print_internal.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include "support/dates.h"
#include "support/numfield.h"
#include "support/utf8.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

namespace {

constexpr int kLeftMargin = 10;
constexpr int kRightEdge = 1950;
constexpr int kHeaderRuleY = 190;
constexpr int kHeaderRuleGap = 5;       // from the last header row down to the rule
constexpr int kHeaderBodyGap = 60;      // from the rule down to the first row
constexpr int kProjectNameY = 140;      // the project name's row follows this
constexpr int kCellGap = 10;            // kept free between two texts of a row
constexpr int kPageNumberRight = 2050;  // "Страница: 400" stays on one line, 5 mm inside the page
constexpr int kLayerUsedCodeSize = 40;

// The footer: four columns of texts stacked line by line under its rule,
// four lines unless a text needs more; the title stands on the rule.
constexpr int kFooterLines = 4;
constexpr int kFooterTitleX = 100;
struct FooterColumn {
    int x, width;
};
constexpr FooterColumn kFooterColumns[4] = {{100, 680}, {800, 280}, {1100, 280}, {1400, kRightEdge - 1400}};

int FooterLineHeight()
{
    return Prn().fonts[2].size + 7;
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

HFONT FontOfCell(const ReportCell& cell)
{
    return FontOfSlot(Report_FontSlot(cell.flags));
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

std::wstring Wide(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(size_t(MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), int(wide.size()))));
    return wide;
}

std::string Narrow(const std::wstring& wide)
{
    std::string text(wide.size() * 3, '\0');
    text.resize(size_t(WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), text.data(), int(text.size()),
                                           nullptr, nullptr)));
    return text;
}

// Measures texts in a font: a metafile gives no extents, so a screen DC
// measures them in the same logical units.
class TextMeasure {
public:
    // A print measures on its own DC (made with the fonts); a DC is made
    // only for a measure outside a print.
    explicit TextMeasure(HFONT font)
        : owned_(Prn().measureDc ? nullptr : CreateCompatibleDC(nullptr)),
          dc_(owned_ ? owned_ : Prn().measureDc),
          old_(SelectObject(dc_, font))
    {
    }
    ~TextMeasure()
    {
        SelectObject(dc_, old_);
        if (owned_)
            DeleteDC(owned_);
    }
    TextMeasure(const TextMeasure&) = delete;
    TextMeasure& operator=(const TextMeasure&) = delete;
    void Select(HFONT font) const { SelectObject(dc_, font); }
    int LineHeight() const
    {
        TEXTMETRICA metrics = {};
        GetTextMetricsA(dc_, &metrics);
        return metrics.tmHeight;
    }
    // As the viewer draws it: UTF-8 as UTF-16.
    int Width(const std::string& text) const
    {
        const std::wstring wide = Wide(text);
        SIZE size = {};
        GetTextExtentPoint32W(dc_, wide.data(), int(wide.size()), &size);
        return size.cx;
    }
    // How many of the count units at text fit into width.
    int Fit(const wchar_t* text, int count, int width) const
    {
        int fit = 0;
        SIZE size = {};
        GetTextExtentExPointW(dc_, text, count, width, &fit, nullptr, &size);
        return fit;
    }

private:
    HDC owned_;
    HDC dc_;
    HGDIOBJ old_;
};

// Where a line that must be cut inside [start, start + fit) ends: after its
// last blank, else after its last '-', '/', '\\', '@', '.' or '_' (addresses
// and paths have no blanks), else after the last whole character that fits.
size_t LineEnd(const std::wstring& text, size_t start, size_t fit)
{
    const size_t limit = start + fit;
    for (size_t i = limit; i > start + 1; --i)
        if (text[i - 1] == L' ' || text[i] == L' ')
            return i;
    for (size_t i = limit; i > start + 1; --i)
        if (wcschr(L"-/\\@._", text[i - 1]))
            return i;
    size_t end = std::max(limit, start + 1);
    if (end < text.size() && IS_LOW_SURROGATE(text[end]))   // never between the halves of a pair
        end = end - 1 > start ? end - 1 : end + 1;
    return end;
}

// text broken into lines no wider than width in the measure's font; a text
// that fits is one line. Blanks at a break are dropped.
std::vector<std::string> WrapToWidth(const std::string& text, int width, const TextMeasure& measure)
{
    const std::wstring wide = Wide(text);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < wide.size()) {
        const size_t rest = wide.size() - start;
        const size_t fit = size_t(measure.Fit(wide.data() + start, int(rest), std::max(width, 1)));
        const size_t end = fit >= rest ? wide.size() : LineEnd(wide, start, fit);
        size_t last = end;
        while (last > start && wide[last - 1] == L' ')
            --last;
        lines.push_back(Narrow(wide.substr(start, last - start)));
        start = end;
        while (start < wide.size() && wide[start] == L' ')
            ++start;
    }
    if (lines.empty())
        lines.emplace_back();
    return lines;
}

// The width that a cell's text may take: its column's where it has one;
// else a text aligned left reaches to the next text of the row or to the
// right edge, and a figure aligned right keeps its own width (0).
int CellWidth(const ReportRow& row, int i, const TextMeasure& measure)
{
    const ReportCell& cell = row.cells[i];
    if (cell.width > 0)
        return cell.width;
    if (cell.flags & Cell_Right)
        return 0;
    for (int j = i + 1; j < kRowCells; ++j) {
        const ReportCell& next = row.cells[j];
        if (Cell_IsBlank(next.text))
            continue;
        int left = CellX(j);
        if (next.flags & Cell_Right) {
            const int slot = Report_FontSlot(next.flags);
            auto [known, added] = Prn().textWidths.try_emplace(std::to_string(slot) + "|" + next.text, 0);
            if (added) {
                measure.Select(FontOfSlot(slot));
                known->second = measure.Width(next.text);
            }
            left -= next.width > 0 ? std::min<int>(next.width, known->second) : known->second;
        }
        return left - kCellGap - CellX(i);
    }
    return kRightEdge - CellX(i);
}

// The footer of this print, laid out once: each column's texts one under
// the other, each on as many lines as its column needs (an empty text keeps
// its line, so that short texts stand as they always have).
const FooterLayout& Footer()
{
    PrintGlobals& g = Prn();
    FooterLayout& footer = g.footerLayout;
    if (footer.made)
        return footer;
    footer = FooterLayout{};
    footer.made = true;
    const TextMeasure measure(g.fonts[2].normal);
    footer.title = WrapToWidth(g.footerTitle, kRightEdge - kFooterTitleX, measure);
    const std::vector<std::string> columns[4] = {
        {g.footer[0], g.footer[1], g.footer[2], g.footer[3]},
        {Print_Text(30017), g.footer[4]},
        {Print_Text(30018), g.footer[5]},
        {Print_Text(30019), g.footer[6], Print_Text(20063), g.footer[7]},
    };
    int deepest = kFooterLines;
    for (int c = 0; c < 4; ++c) {
        int line = 0;
        for (const std::string& text : columns[c])
            for (const std::string& part : WrapToWidth(text, kFooterColumns[c].width - kCellGap, measure)) {
                if (!part.empty())
                    footer.lines.push_back({kFooterColumns[c].x, line, part});
                ++line;
            }
        deepest = std::max(deepest, line);
    }
    footer.lineY = g.pageHeight - 320 - (deepest - kFooterLines) * FooterLineHeight();
    return footer;
}

// Each cell's lines, and how much lower than a one-line row the row ends.
struct RowLayout {
    std::vector<std::string> lines[kRowCells];
    int lineHeight[kRowCells] = {};
    int extra = 0;
};

RowLayout LayOutRow(const ReportRow& row)
{
    RowLayout layout;
    const TextMeasure measure(FontOfSlot(Report_FontSlot(0)));
    for (int i = 0; i < kRowCells; ++i) {
        const ReportCell& cell = row.cells[i];
        if (Cell_IsBlank(cell.text))
            continue;
        const int width = CellWidth(row, i, measure);
        const int slot = Report_FontSlot(cell.flags);
        if (width > 0) {
            auto [known, added] = Prn().wrappedTexts.try_emplace(
                std::to_string(slot) + "|" + std::to_string(width) + "|" + cell.text);
            if (added) {
                measure.Select(FontOfSlot(slot));
                known->second = WrapToWidth(cell.text, width, measure);
            }
            layout.lines[i] = known->second;
        } else {
            layout.lines[i] = {cell.text};
        }
        layout.lineHeight[i] = Prn().slotLineHeights[slot];
        layout.extra = std::max(layout.extra, int(layout.lines[i].size() - 1) * layout.lineHeight[i]);
    }
    return layout;
}

void DrawCell(const ReportCell& cell, const std::vector<std::string>& lines, int height, int x)
{
    HDC dc = Prn().dc;
    SelectObject(dc, FontOfCell(cell));
    SetTextColor(dc, RGB(0, 0, 0));
    for (size_t k = 0; k < lines.size(); ++k)
        DrawText(x, Prn().y + int(k) * height, lines[k].c_str(),
                 TA_BOTTOM | ((cell.flags & Cell_Right) ? TA_RIGHT : TA_LEFT));
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

// The logo: a pipe in section under its insulation layers and three bars,
// drawn as shapes (a few records a page; a picture would be spooled anew
// with every page), on the grid of its 300 x 63 design at (40, 40), 420 x 88.
constexpr int kLogoX = 40, kLogoY = 40, kLogoWidth = 420, kLogoHeight = 88;
constexpr int kLogoGridWidth = 300, kLogoGridHeight = 63;
struct LogoShape {
    bool round;
    int left, top, right, bottom;   // grid cells, right and bottom excluded
    int brush;                      // into Prn().logoBrushes
};
constexpr int kPipeX = 32, kPipeY = 31;
constexpr LogoShape Ring(int radius, int brush)
{
    return {true, kPipeX - radius, kPipeY - radius, kPipeX + radius + 1, kPipeY + radius + 1, brush};
}
constexpr LogoShape kLogoShapes[] = {
    Ring(31, 0), Ring(26, 1), Ring(20, 2), Ring(12, 3), Ring(8, 4),
    {false, 72, 16, 293, 24, 0}, {false, 72, 28, 293, 34, 1}, {false, 72, 38, 293, 44, 2},
};

int LogoX(int cell)
{
    return kLogoX + cell * kLogoWidth / kLogoGridWidth;
}

int LogoY(int cell)
{
    return kLogoY + cell * kLogoHeight / kLogoGridHeight;
}

void DrawLogo()
{
    HDC dc = Prn().dc;
    SelectObject(dc, GetStockObject(NULL_PEN));
    for (const LogoShape& shape : kLogoShapes) {
        SelectObject(dc, Prn().logoBrushes[shape.brush]);
        const int left = LogoX(shape.left), top = LogoY(shape.top);
        const int right = LogoX(shape.right), bottom = LogoY(shape.bottom);
        if (shape.round)
            Ellipse(dc, left, top, right, bottom);
        else
            Rectangle(dc, left, top, right, bottom);
    }
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    SelectObject(dc, GetStockObject(BLACK_PEN));
}

// The report date: the project's date of the last save, else today.
void ReportDate(char* text, size_t size)
{
    char saved[100] = {};
    if (Kadmi_GetStringNAtt(KadmiObject_Project, Att_SaveDate, saved, sizeof saved) && saved[0]) {
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
    const FooterLayout& footer = Footer();
    return std::min(g.pageHeight - 350, footer.lineY - int(footer.title.size()) * g.footerTitleHeight);
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
        if (g.y + g.measured > bottom && g.headerEnd + g.measured <= bottom)
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
        g.measured += RowHeight(row) + (g.dc ? LayOutRow(row).extra : 0);
        return;
    }
    if (out == Output_Rtf) {
        WriteRtfRow(row);
        return;
    }
    if (out == Output_Sheet) {
        g.sheet += Sheet_Line(row, g.sheetDecimal) + "\r\n";
        return;
    }
    if (out != Output_Metafile)
        return;
    const RowLayout layout = g.dc ? LayOutRow(row) : RowLayout{};
    g.y += RowHeight(row);
    if (g.y + layout.extra > Report_BodyBottom())
        Report_NewPage(out);
    if (!g.dc)
        return;
    for (int i = 0; i < kRowCells; ++i)
        if (!layout.lines[i].empty())
            DrawCell(row.cells[i], layout.lines[i], layout.lineHeight[i], CellX(i));
    g.y += layout.extra;
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
    row.cells[19].width = int16_t(kPageNumberRight - CellX(19));
    Report_PrintRow(row, out);
    if (g.headingData[0]) {
        ReportRow data = {};
        SetHeaderCell(data, 5, 13, g.headingData, Cell_Font2);
        Report_PrintRow(data, out);
    }

    g.y = std::max(g.y, kProjectNameY);
    char project[kFooterStringSize] = {};
    if (Kadmi_GetStringNAtt(KadmiObject_Project, Att_ProjectName, project, sizeof project)) {
        ReportRow name = {};
        Cell_Set(name, 21, project, Cell_Font2 | Cell_Right);
        name.cells[21].width = int16_t(CellX(21) - CellX(5));   // beside the logo, under the heading
        Report_PrintRow(name, out);
    }
    const int rule = std::max(kHeaderRuleY, g.y + kHeaderRuleGap);
    DrawLine(kLeftMargin, rule, kRightEdge, rule);
    g.headerEnd = rule + kHeaderBodyGap;
    g.y = g.headerEnd;
}

void Report_PageFooter(int out)
{
    PrintGlobals& g = Prn();
    if (out != Output_Metafile || !g.dc)
        return;
    const FooterLayout& footer = Footer();
    SelectObject(g.dc, g.fonts[2].normal);
    SetTextColor(g.dc, RGB(0, 0, 0));
    const UINT align = TA_BOTTOM | TA_LEFT;
    const int titleCount = int(footer.title.size());
    for (int k = 0; k < titleCount; ++k)
        DrawText(kFooterTitleX, footer.lineY - (titleCount - 1 - k) * g.footerTitleHeight, footer.title[k].c_str(),
                 align);
    DrawLine(kLeftMargin, footer.lineY, kRightEdge, footer.lineY);
    SelectObject(g.dc, g.fonts[2].normal);
    const int h = FooterLineHeight();
    for (const FooterLine& line : footer.lines)
        DrawText(line.x, footer.lineY + (line.line + 1) * h, line.text.c_str(), align);
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
    if (Kadmi_GetStringNAtt(part, Att_ProductType, type, sizeof type) && strcmp(type, "-789") == 0)
        return false;
    char code[kLayerUsedCodeSize] = {};
    short count = 0;
    Kadmi_GetAtt(part, Att_ProductCode, &count, code, sizeof code - 1);
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
