// The report row engine recorded: rich text written for rows (escapes, tab
// stops, font selectors and table), the metafile's records read back (texts
// with their fonts and positions, lines, comments) for a page break with its
// footer and header, blank cells, cells clipped to their column, and the word
// wrap of long remarks.
#include <gtest/gtest.h>
#include "VlPrint/print_internal.h"
#include "Kadmi/kadmi.h"
#include "support/app.h"
#include "support/dates.h"
#include "support/paths.h"
#include "support/settings.h"
#include "VlCalculate/vlcalculate.h"
#include "VlTechDatabase/vltechdb.h"
#include "support/lookups.h"
#include <cstdio>
#include <cstring>
#include <functional>
#include <tuple>
#include <utility>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string ReadFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The metafile's records as text lines: texts with position, font height and
// weight and alignment, lines, comments, the logo.
class MetafileRecorder {
public:
    explicit MetafileRecorder(const char* path)
    {
        HMETAFILE mf = GetMetaFileA(path);
        HDC dc = CreateCompatibleDC(nullptr);
        EnumMetaFile(dc, mf, Record, reinterpret_cast<LPARAM>(this));
        DeleteDC(dc);
        DeleteMetaFile(mf);
    }
    std::vector<std::string> lines;

    // The lines that contain `part`.
    std::vector<std::string> With(const std::string& part) const
    {
        std::vector<std::string> found;
        for (const auto& l : lines)
            if (l.find(part) != std::string::npos)
                found.push_back(l);
        return found;
    }

private:
    struct Font {
        int height, weight;
    };
    std::map<int, Font> fonts_;
    std::vector<bool> used_;
    Font font_ = {0, 0};
    int align_ = 0;
    POINT at_ = {0, 0};

    int Allocate()
    {
        for (size_t i = 0; i < used_.size(); ++i)
            if (!used_[i]) {
                used_[i] = true;
                return int(i);
            }
        used_.push_back(true);
        return int(used_.size() - 1);
    }
    void Text(int x, int y, const char* text, size_t count)
    {
        std::string s(text, count);
        lines.push_back("text " + std::to_string(x) + "," + std::to_string(y) + " h" +
                        std::to_string(font_.height) + " w" + std::to_string(font_.weight) +
                        ((align_ & TA_RIGHT) ? " R '" : " L '") + s + "'");
    }
    void Take(const METARECORD* r)
    {
        const WORD* p = r->rdParm;
        switch (r->rdFunction) {
        case META_CREATEFONTINDIRECT: {
            int slot = Allocate();
            fonts_[slot] = {short(p[0]), short(p[4])};
            break;
        }
        case META_CREATEPENINDIRECT:
        case META_CREATEBRUSHINDIRECT:
        case META_CREATEPALETTE:
        case META_DIBCREATEPATTERNBRUSH:
            fonts_.erase(Allocate());
            break;
        case META_DELETEOBJECT:
            if (p[0] < used_.size())
                used_[p[0]] = false;
            break;
        case META_SELECTOBJECT:
            if (fonts_.count(p[0]))
                font_ = fonts_[p[0]];
            break;
        case META_SETTEXTALIGN:
            align_ = p[0];
            break;
        case META_ESCAPE:
            if (p[0] == MFCOMMENT)
                lines.push_back(std::string("comment ") + reinterpret_cast<const char*>(p + 2)[0]);
            break;
        case META_EXTTEXTOUT: {
            int count = p[2];
            const WORD* text = p + 4 + ((p[3] & (ETO_OPAQUE | ETO_CLIPPED)) ? 4 : 0);
            Text(short(p[1]), short(p[0]), reinterpret_cast<const char*>(text), count);
            break;
        }
        case META_TEXTOUT: {
            int count = p[0];
            const WORD* after = p + 1 + (count + 1) / 2;
            Text(short(after[1]), short(after[0]), reinterpret_cast<const char*>(p + 1), count);
            break;
        }
        case META_MOVETO:
            at_ = {short(p[1]), short(p[0])};
            break;
        case META_LINETO:
            lines.push_back("line " + std::to_string(at_.x) + "," + std::to_string(at_.y) + "-" +
                            std::to_string(short(p[1])) + "," + std::to_string(short(p[0])));
            at_ = {short(p[1]), short(p[0])};
            break;
        case META_ELLIPSE:
        case META_RECTANGLE:   // the logo's shapes, as one line
            if (lines.empty() || lines.back() != "logo")
                lines.push_back("logo");
            break;
        default:
            break;
        }
    }
    static int CALLBACK Record(HDC, HANDLETABLE*, METARECORD* record, int, LPARAM self)
    {
        reinterpret_cast<MetafileRecorder*>(self)->Take(record);
        return 1;
    }
};

class Engine : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        App_Init(GetModuleHandleA(nullptr));
        Prn().instance = GetModuleHandleA(nullptr);
        std::string dir = Path_ModuleFolder(GetModuleHandleA("Lexmo100.dll"));
        Prn().textHandle = TextAPI_Open((dir + "TextAPI.db").c_str(), (dir + "TextAPI.ddq").c_str());
    }
    void SetUp() override
    {
        Settings_OpenRoot("Velmo Test", "PrintEngine", "1");
        for (const char* value : {"Output\\Font1.Name", "Output\\Font1.Size", "Output\\Font2.Name",
                                  "Output\\Font2.Size", "Output\\Font3.Name", "Output\\Font3.Size"})
            Settings_DeleteValue(nullptr, value);
        PrintGlobals& g = Prn();
        g.pageCounter = 1;
        g.y = 0;
        g.footerTitle[0] = '\0';
        memset(g.footer, 0, sizeof g.footer);
        strcpy(g.heading, "Heading");
        g.headingData[0] = '\0';
    }
    void TearDown() override
    {
        if (Prn().reportFile[0])
            DeleteFileA(Prn().reportFile);
        Prn().reportFile[0] = '\0';
        Settings_CloseRoot();
    }
    // Opens the device, sets up the fonts, runs the body, closes; the file's content.
    std::string Run(int out, const std::function<void()>& body)
    {
        if (Prn().reportFile[0])
            DeleteFileA(Prn().reportFile);
        EXPECT_EQ(Report_OpenDevice(out), 0);
        Report_SetupFonts(out);
        if (out == Output_Metafile)
            Report_Comment('B');
        body();
        Report_CloseDevice(out);
        return ReadFile(Prn().reportFile);
    }
    std::vector<std::string> RunMetafile(const std::function<void()>& body)
    {
        Run(Output_Metafile, body);
        return MetafileRecorder(Prn().reportFile).lines;
    }
};

ReportRow Row(std::initializer_list<std::tuple<int, const char*, uint16_t>> cells)
{
    ReportRow row = {};
    for (const auto& [cell, text, flags] : cells)
        Cell_Set(row, cell, text, flags);
    return row;
}

struct EscapeCase {
    const char* name;
    const char* text;
    const char* rtf;
};

TEST_F(Engine, RichTextEscapes)
{
    const EscapeCase cases[] = {
        {"plain", "Heat loss 12.5", "Heat loss 12.5"},
        {"braces and backslash", "a{b}c\\d", "a\\{b\\}c\\\\d"},
        {"byte 127", "x\x7Fy", "x\\'7Fy"},
        {"a-umlaut", "\xC3\xA4", "\\u228?"},
        {"euro sign", "\xE2\x82\xAC", "\\u8364?"},
        {"cyrillic", "\xD0\x96", "\\u1046?"},
        {"above the 16-bit range, signed", "\xEF\xBF\xBD", "\\u-3?"},
        {"outside the basic plane as surrogates", "\xF0\x9D\x84\x9E", "\\u-10188?\\u-8930?"},
        {"a byte that is no UTF-8 as the replacement character", "a\xFF" "b", "a\\u-3?b"},
    };
    for (const EscapeCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Rtf_Escape(c.text), c.rtf);
    }
}

TEST_F(Engine, FontsComeFromTheSettings)
{
    Settings_WriteString(nullptr, "Output\\Font1.Name", "Courier New");
    Settings_WriteString(nullptr, "Output\\Font1.Size", "-40");
    Settings_WriteString(nullptr, "Output\\Font3.Name", "");
    Settings_WriteString(nullptr, "Output\\Font3.Size", "0");
    std::string rtf = Run(Output_Rtf, [] {
        Report_PrintRow(Row({{0, "T", Cell_Font1}}), Output_Rtf);
        Report_PrintRow(Row({{0, "F", Cell_Font3Bold}}), Output_Rtf);
    });
    EXPECT_NE(rtf.find("{\\f5\\fnil\\fcharset0\\fprq2 Courier New;}"), std::string::npos);
    EXPECT_NE(rtf.find("{\\f7\\fnil\\fcharset0\\fprq2 Arial;}"), std::string::npos);
    EXPECT_NE(rtf.find("\\f5\\fs22\\b0 T"), std::string::npos);   // 4 mm: 11 points
    EXPECT_NE(rtf.find("\\f7\\fs14\\b F"), std::string::npos);

    auto lines = RunMetafile([] {
        Report_PrintRow(Row({{0, "T", Cell_Font1}, {5, "B", Cell_Font1Bold}}), Output_Metafile);
        Report_PrintRow(Row({{0, "N", 0}}), Output_Metafile);
    });
    EXPECT_EQ(lines, (std::vector<std::string>{"comment B", "text 96,50 h-40 w400 L 'T'",
                                               "text 526,50 h-40 w700 L 'B'", "text 96,95 h-35 w400 L 'N'",
                                               "comment E"}));
}

TEST_F(Engine, BlankCellsAreOnlyBlanksAndControlCharacters)
{
    EXPECT_TRUE(Cell_IsBlank(""));
    EXPECT_TRUE(Cell_IsBlank("  \t\r\n"));
    EXPECT_FALSE(Cell_IsBlank("\xC3\xA4"));       // an a-umlaut alone is text
    EXPECT_FALSE(Cell_IsBlank(" \xC3\xA4" "1"));
    EXPECT_FALSE(Cell_IsBlank("  ."));
    std::string rtf = Run(Output_Rtf, [] {
        Report_PrintRow(Row({{0, "   ", Cell_Font2}, {3, "\xC3\xA4", Cell_Font2}}), Output_Rtf);
    });
    EXPECT_NE(rtf.find("\\pard\\plain\\tx1906 \r\n\\tab \\f6\\fs18\\b0 \\u228?"), std::string::npos);
}

TEST_F(Engine, LongCellTextsAreCutOnACharacterBoundary)
{
    std::string text(98, 'x');
    text += "\xC3\xA4";   // would end at byte 100
    ReportRow row = {};
    Cell_Set(row, 0, text.c_str(), 0);
    EXPECT_EQ(strlen(row.cells[0].text), 98u);
}

TEST_F(Engine, PageBreakDrawsFooterCommentAndHeader)
{
    PrintGlobals& g = Prn();
    strcpy(g.footerTitle, "Footer title");
    strcpy(g.footer[0], "Company");
    strcpy(g.footer[1], "Street 1");
    strcpy(g.footer[4], "+358 1");
    strcpy(g.footer[7], "www.example.com");
    auto lines = RunMetafile([] {
        Prn().y = 2540;
        Report_PrintRow(Row({{0, "Row", Cell_Font2}}), Output_Metafile);
    });
    char today[kLocalDateSize] = {};
    Date_TodayLocal(today);
    const std::string page = std::string(Print_Text(30105)) + ": 2";
    const std::vector<std::string> expected = {
        "comment B",
        "text 100,2580 h-25 w400 L 'Footer title'",
        "line 10,2580-1950,2580",
        "text 100,2612 h-25 w400 L 'Company'",
        "text 100,2644 h-25 w400 L 'Street 1'",
        std::string("text 800,2612 h-25 w400 L '") + Print_Text(30017) + "'",
        "text 800,2644 h-25 w400 L '+358 1'",
        std::string("text 1100,2612 h-25 w400 L '") + Print_Text(30018) + "'",
        std::string("text 1400,2612 h-25 w400 L '") + Print_Text(30019) + "'",
        std::string("text 1400,2676 h-25 w400 L '") + Print_Text(20063) + "'",
        "text 1400,2708 h-25 w400 L 'www.example.com'",
        "comment F",
        "logo",
        "text 526,95 h-35 w700 L 'Heading'",
        std::string("text 1214,95 h-35 w400 L '") + today + "'",
        "text 1730,95 h-35 w400 L '" + page + "'",
        "line 10,190-1950,190",
        "text 96,250 h-35 w400 L 'Row'",
        "comment E",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(g.pageCounter, 2);
}

TEST_F(Engine, RowBelowTheBreakStaysOnThePage)
{
    auto lines = RunMetafile([] {
        Prn().y = 2505;
        Report_PrintRow(Row({{17, "9.5", Cell_Font2 | Cell_Right}}), Output_Metafile);
    });
    EXPECT_EQ(lines, (std::vector<std::string>{"comment B", "text 1558,2550 h-35 w400 R '9.5'", "comment E"}));
}

// A plant-sized report: every page is counted and marked, and no text falls
// below a page's bottom, however many pages there are.
TEST_F(Engine, ReportsOfMoreThanAThousandPagesKeepEveryRowOnAPage)
{
    constexpr int kPages = 1010;
    PrintGlobals& g = Prn();
    g.logo = false;
    Settings_WriteString(nullptr, "Output\\Font2.Size", "500");   // four rows a page
    auto lines = RunMetafile([] {
        Report_PageHeader(Output_Metafile);
        for (int row = 0; row < 10 * kPages && Prn().pageCounter < kPages; ++row)
            Report_PrintRow(Row({{0, "Row", Cell_Font2}}), Output_Metafile);
        Report_PageFooter(Output_Metafile);
    });
    g.logo = true;
    int breaks = 0, below = 0;
    for (const std::string& line : lines) {
        int x = 0, y = 0;
        breaks += line == "comment F";
        if (sscanf(line.c_str(), "text %d,%d", &x, &y) == 2 && y > g.pageHeight)
            ++below;
    }
    EXPECT_EQ(breaks, kPages - 1);
    EXPECT_EQ(below, 0);
    EXPECT_EQ(g.pageCounter, kPages);

    g.pageCounter = 1;
    const std::string rtf = Run(Output_Rtf, [] {
        for (int page = 1; page < kPages; ++page)
            Report_NewPage(Output_Rtf);
    });
    size_t pageBreaks = 0;
    for (size_t at = rtf.find("\\page"); at != std::string::npos; at = rtf.find("\\page", at + 1))
        ++pageBreaks;
    EXPECT_EQ(pageBreaks, size_t(kPages - 1));
}

struct HeadingCase {
    const char* name;
    const char* version;
    std::vector<std::string> texts;   // drawn at the heading's and the date's places
};

TEST_F(Engine, EachPartOfThePageHeadingHasItsOwnPlace)
{
    const std::string heading = std::string("text 526,95 h-35 w700 L '") + Print_Text(1) + " - " + Print_Text(2) + " ";
    char today[kLocalDateSize] = {};
    Date_TodayLocal(today);
    const std::string date = std::string("text 1214,95 h-35 w400 L '") + today + "'";
    const HeadingCase cases[] = {
        {"the program's version alone", "2026.01.3", {heading + "2026.01.3'", date}},
        {"the data's version on a line of its own", "2026.1 / Generic data 2026.1",
         {heading + "2026.1'", date, "text 526,140 h-35 w400 L 'Generic data 2026.1'"}},
    };
    for (const HeadingCase& c : cases) {
        std::vector<std::string> drawn;
        for (const std::string& line : RunMetafile([&] {
                 Print_BuildHeading(c.version);
                 Report_PageHeader(Output_Metafile);
             }))
            if (line.rfind("text 526,", 0) == 0 || line.rfind("text 1214,", 0) == 0)
                drawn.push_back(line);
        EXPECT_EQ(drawn, c.texts) << c.name;
    }
}

std::vector<std::string> Wrap(const char* text)
{
    std::vector<std::string> lines;
    TextWrap wrap = Text_StartWrap(text);
    char line[kWrapLineBytes + 1];
    while (Text_NextLine(wrap, line))
        lines.push_back(line);
    return lines;
}

// A fresh name for a project file in the temporary folder.
std::string TempProjectName()
{
    char dir[MAX_PATH], path[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    GetTempFileNameA(dir, "eng", 0, path);
    DeleteFileA(path);
    return path;
}

// A drawn text as the recorder wrote it.
struct Drawn {
    int x = 0, y = 0, height = 0, weight = 0;
    bool right = false;
    std::string text;
};

std::vector<Drawn> DrawnTexts(const std::vector<std::string>& lines)
{
    std::vector<Drawn> texts;
    for (const std::string& line : lines) {
        Drawn d;
        char align = 0;
        int used = 0;
        if (sscanf(line.c_str(), "text %d,%d h%d w%d %c '%n", &d.x, &d.y, &d.height, &d.weight, &align, &used) < 5 ||
            used == 0)
            continue;
        d.right = align == 'R';
        d.text = line.substr(size_t(used), line.size() - size_t(used) - 1);
        texts.push_back(d);
    }
    return texts;
}

// The box a drawn text covers: bottom-aligned at its y, in its font (Arial).
RECT Box(const Drawn& d)
{
    std::wstring wide(d.text.size(), L'\0');
    wide.resize(size_t(MultiByteToWideChar(CP_UTF8, 0, d.text.data(), int(d.text.size()), wide.data(),
                                           int(wide.size()))));
    HDC dc = CreateCompatibleDC(nullptr);
    LOGFONTA lf = {};
    lf.lfHeight = d.height;
    lf.lfWeight = d.weight;
    strcpy(lf.lfFaceName, "Arial");
    HFONT font = CreateFontIndirectA(&lf);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size = {};
    GetTextExtentPoint32W(dc, wide.data(), int(wide.size()), &size);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    const int left = d.right ? d.x - size.cx : d.x;
    return {left, d.y - metrics.tmHeight, left + size.cx, d.y};
}

bool Overlap(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

std::string WithoutBlanks(const std::string& text)
{
    std::string kept;
    for (char c : text)
        if (c != ' ')
            kept += c;
    return kept;
}

struct WrapCellCase {
    const char* name;
    const char* text;
    int16_t width;
    size_t lines;   // 0: more than one
};

TEST_F(Engine, MetafileCellsWrapWithinTheirColumnWidth)
{
    const char* kLongName = "Минеральная вата, цилиндр с алюминиевой фольгой 114,3 x 30";
    const WrapCellCase cases[] = {
        {"a long name takes lines of its column", kLongName, 334, 0},
        {"a value that fits is one line", "100 * 30", 248, 1},
        {"a name without a column reaches to the right edge", kLongName, 0, 1},
        {"an address without blanks breaks after its dots", "engineering.department@insulation-contractors.example",
         334, 0},
    };
    for (const WrapCellCase& c : cases) {
        SCOPED_TRACE(c.name);
        int bottom = 0, lineHeight = 0;
        auto texts = DrawnTexts(RunMetafile([&] {
            lineHeight = Report_LineHeight(Prn().fonts[2].normal);
            ReportRow row = {};
            Cell_Set(row, 0, c.text, Cell_Font3);
            row.cells[0].width = c.width;
            Report_PrintRow(row, Output_Metafile);
            bottom = Prn().y;
        }));
        ASSERT_FALSE(texts.empty());
        if (c.lines)
            EXPECT_EQ(texts.size(), c.lines);
        else
            EXPECT_GT(texts.size(), 1u);
        std::string joined;
        for (const Drawn& d : texts) {
            joined += d.text;
            const RECT box = Box(d);
            EXPECT_LE(box.right - box.left, c.width > 0 ? c.width : 1950 - 96) << d.text;
            EXPECT_EQ(d.y, texts.front().y + int(&d - texts.data()) * lineHeight);
        }
        EXPECT_EQ(WithoutBlanks(joined), WithoutBlanks(c.text));
        EXPECT_EQ(bottom, texts.back().y);   // the next row comes under the last line
    }
}

// A page of the thickness list with the longest texts a user gives: the
// company data of the footer, the project's name, the heading and the
// products' names. Each is printed whole, no text over another, over the
// logo or past the right edge.
TEST_F(Engine, LongTextsStayWholeAndApart)
{
    const std::string path = TempProjectName();
    ASSERT_EQ(Kadmi_CreateDatabasefile(path.c_str()), 0);
    const std::string project = "Modernisation of the district heating network, boiler house and pumping station, "
                                "phase two of 2026";
    ASSERT_EQ(project.size(), 98u);
    ASSERT_EQ(Kadmi_LoadPage(1), 0);
    Kadmi_SetStringAtt(KadmiObject_Project, 1501, project.c_str());
    Kadmi_SetIntAtt(KadmiObject_Page, 1117, 11);
    const long part = Kadmi_CreatePart();
    Kadmi_SetStringAtt(part, 1538, "IP");
    Kadmi_SetStringAtt(part, 1528, "MWP-114.3-50");
    Print_TakeLayerParts();
    Lookup_SetHandles(VlDataTechDb_Handle(), VlOtherInsulationDataTechDb_Handle(), Prn().textHandle);

    PrintGlobals& g = Prn();
    const char* footer[kFooterStrings] = {
        "Nordic Industrial Insulation Engineering and Contracting Ltd, Department of Power and Process Plants",
        "Teollisuuskatu 12 B 34, Industrial Estate of the Northern Harbour",
        "P.O. Box 1234, FI-00100 Helsinki", "Finland",
        "+358 40 123 4567 / +358 9 8765 4321", "+358 9 8765 4322",
        "engineering.department@insulation-contractors.example",
        "https://www.insulation-contractors.example/engineering/department"};
    for (int i = 0; i < kFooterStrings; ++i)
        strcpy(g.footer[i], footer[i]);
    strcpy(g.footerTitle, "C:\\Users\\engineer\\Documents\\Projects\\District heating\\"
                          "Modernisation of the district heating network, phase two.wdf");
    INSULATIONTHICKNESSRESULTLIST list[3] = {};
    for (INSULATIONTHICKNESSRESULTLIST& e : list) {
        strcpy(e.productCode, "MWP-114.3-50");
        e.innerDimension1 = 114.3f;
        e.outerDimension1 = 214.3f;
        e.thickness = 50;
        e.heatLoss = 23.4f;
        e.surfaceTemp = 24.2f;
    }
    g.list = list;
    g.listCount = 3;
    strcpy(g.listHeading, "Thickness list of the steam main from the boiler house to the turbine hall");

    auto lines = RunMetafile([] {
        Print_BuildHeading("2026.01.3 with a long addition to the version that takes more than its place");
        Report_PageHeader(Output_Metafile);
        ReportList_Body(Output_Metafile);
        Report_PageFooter(Output_Metafile);
    });
    g.list = nullptr;
    g.listCount = -1;
    Kadmi_CloseDatabasefile(0);
    DeleteFileA(path.c_str());

    const auto texts = DrawnTexts(lines);
    std::vector<RECT> boxes = {{40, 40, 460, 128}};   // the logo
    std::string all;
    for (const Drawn& d : texts) {
        const RECT box = Box(d);
        EXPECT_GE(box.left, 10) << d.text;
        EXPECT_LE(box.right, 1950) << d.text;
        EXPECT_LE(box.bottom, 2900) << d.text;
        for (const RECT& other : boxes)
            EXPECT_FALSE(Overlap(box, other)) << d.text << " at " << d.x << "," << d.y;
        boxes.push_back(box);
        all += d.text;
    }
    SCOPED_TRACE(all);
    for (const char* text : footer)
        EXPECT_NE(WithoutBlanks(all).find(WithoutBlanks(text)), std::string::npos) << text;
    EXPECT_NE(WithoutBlanks(all).find(WithoutBlanks(project)), std::string::npos);
    EXPECT_NE(WithoutBlanks(all).find(WithoutBlanks(g.footerTitle)), std::string::npos);
    EXPECT_NE(WithoutBlanks(all).find(WithoutBlanks(Product_GetName("MWP-114.3-50", "IP"))), std::string::npos);
}

TEST_F(Engine, PageNumberStaysOnOneLineInEveryLanguage)
{
    const LanguageId saved = TextAPI_GetLanguage(Prn().textHandle);
    for (LanguageId language : {kLangEnglish, kLangFinnish, kLangSwedish, kLangPolish, kLangRussian}) {
        SCOPED_TRACE(int(language));
        TextAPI_SetLanguage(Prn().textHandle, language);
        Prn().pageCounter = 400;
        int atPageNumber = 0;
        for (const Drawn& d : DrawnTexts(RunMetafile([] { Report_PageHeader(Output_Metafile); })))
            atPageNumber += d.x == 1730;
        EXPECT_EQ(atPageNumber, 1);
    }
    TextAPI_SetLanguage(Prn().textHandle, saved);
}

std::string Repeat(const std::string& part, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += part;
    return text;
}

// A text without blanks as the wrap cuts it: lines of 54 bytes.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size(); at += kWrapLineBytes)
        lines.push_back(text.substr(at, kWrapLineBytes));
    return lines;
}

const std::string kReplacement = "\xEF\xBF\xBD";

struct WrapCase {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
};

TEST_F(Engine, RemarksWrapAfterBlanks)
{
    const std::string words130 =
        "The insulation of the steam main was renewed in spring and the old mineral wool removed from "
        "the whole length of the pipe works...";
    ASSERT_EQ(words130.size(), 130u);
    const WrapCase cases[] = {
        {"130 characters without CR", words130,
         {"The insulation of the steam main was renewed in spring", "and the old mineral wool removed from the whole length", "of the pipe works..."}},
        {"CR ends a line, LF skipped", "First line\r\nSecond line", {"First line", "Second line"}},
        {"empty line kept", "One\r\n\r\nThree", {"One", "", "Three"}},
        {"leading blanks skipped", "   indented", {"indented"}},
        {"tab copied as a blank", "a\tb", {"a b"}},
        {"word longer than a line cut hard", std::string(60, 'w'), {std::string(54, 'w'), std::string(6, 'w')}},
        {"hard cut keeps characters whole", std::string(53, 'w') + "\xC3\xA4\xC3\xA4",
         {std::string(53, 'w'), "\xC3\xA4\xC3\xA4"}},
        {"empty text", "", {}},
        {"only the first 510 bytes", std::string(600, 'a'), Lines(std::string(510, 'a'))},
        {"the limit drops the character it would split", std::string(509, 'a') + "\xC3\xA4",
         Lines(std::string(509, 'a'))},
        {"each byte that is no UTF-8 a replacement character", std::string(60, '\x97'),
         Lines(Repeat(kReplacement, 60))},
    };
    for (const WrapCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Wrap(c.text.c_str()), c.lines);
    }
}

TEST_F(Engine, MultiLineRowPutsTheLabelOnTheFirstLine)
{
    std::string rtf = Run(Output_Rtf, [] {
        Report_MultiLineRow(0, "Remark", 5, "One\r\nTwo", Output_Rtf);
        Report_MultiLineRow(0, "Nothing", 5, nullptr, Output_Rtf);
    });
    EXPECT_NE(rtf.find("Remark"), std::string::npos);
    EXPECT_EQ(rtf.find("Nothing"), std::string::npos);
    EXPECT_NE(rtf.find("\\pard\\plain\\tx2832 \r\n\\tab \\f6\\fs18\\b0 Two"), std::string::npos);
}

TEST_F(Engine, DimensionsPrintTheirDecimalOnlyWhenTheyHaveOne)
{
    const std::pair<float, const char*> cases[] = {{114.3f, "114.3"}, {60.3f, "60.3"}, {114.0f, "114"},
                                                   {12.5f, "12.5"},   {99.96f, "100"},  {-0.3f, "-0.3"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(Report_FormatFloat(value, kDimensionDecimals), text);
    EXPECT_EQ(Report_FormatFloat(42.456f, 2), "42.46");
}

// Two pipes with every section run over pages, yet a page only ever begins
// with a title (a system's name or a section's), and no body row reaches the
// footer's title, in a large font too.
TEST_F(Engine, SectionsStayOnOnePageAboveTheFooter)
{
    const std::string path = TempProjectName();
    ASSERT_EQ(Kadmi_CreateDatabasefile(path.c_str()), 0);
    for (short page = 1; page <= 2; ++page) {
        ASSERT_EQ(Kadmi_LoadPage(page > 1 ? Kadmi_CreatePage() : page), 0);
        Kadmi_SetStringAtt(KadmiObject_Page, 1535, "Line");
        Kadmi_SetIntAtt(KadmiObject_Page, 1117, 11);
        // Every figure stored and every section current: all rows print.
        for (short att = 1312; att <= 1383; ++att)
            Kadmi_SetFloatAtt(KadmiObject_Page, att, 1.0f);
        AccessEntry stamps[6] = {{{'E', 'D', 'T', '1'}, 20260105, 100000}, {{'D', 'I', 'M', '1'}, 20260105, 100100},
                                 {{'E', 'D', 'T', '2'}, 20260105, 100000}, {{'D', 'I', 'M', '2'}, 20260105, 100200},
                                 {{'E', 'D', 'T', '3'}, 20260105, 100000}, {{'D', 'I', 'M', '3'}, 20260105, 100200}};
        Kadmi_SetAtt(KadmiObject_Page, 7701, 6, stamps);
        for (int k = 0; k < 3; ++k) {
            const long part = Kadmi_CreatePart();
            Kadmi_SetStringAtt(part, 1528, "TESTCODE");
            for (short att = 1324; att <= 1329; ++att)
                Kadmi_SetFloatAtt(part, att, 1.0f);
        }
        ASSERT_EQ(Kadmi_SavePage(), 0);
    }
    PrintGlobals& g = Prn();
    g.baseData = g.economy = g.cooling = g.freezing = true;
    for (int footerSize : {25, 80}) {
        SCOPED_TRACE(footerSize);
        Settings_WriteString(nullptr, "Output\\Font3.Size", std::to_string(footerSize).c_str());
        g.pageCounter = 1;
        auto lines = RunMetafile([] {
            Report_PageHeader(Output_Metafile);
            for (short i = 0; i < 2; ++i) {
                Kadmi_LoadPage(Kadmi_IthPage(i));
                Print_TakeLayerParts();
                if (i > 0)
                    Report_NewPage(Output_Metafile);
                ReportCalc_Page(Output_Metafile);
            }
        });
        LOGFONTA footerFont = {-footerSize, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"};
        HFONT font = CreateFontIndirectA(&footerFont);
        const int footerTitleTop = 2580 - Report_LineHeight(font);
        DeleteObject(font);
        bool pageBegins = false;
        for (const std::string& line : lines) {
            int x = 0, y = 0, height = 0, weight = 0;
            pageBegins |= line == "comment F";
            if (sscanf(line.c_str(), "text %d,%d h%d w%d", &x, &y, &height, &weight) != 4 || y <= 190 ||
                height == -footerSize)
                continue;   // the header's or the footer's
            EXPECT_LE(y, footerTitleTop) << line;
            EXPECT_TRUE(!pageBegins || (height == -50 && weight == 700)) << "a page begins with " << line;
            pageBegins = false;
        }
        EXPECT_GE(g.pageCounter, 4);
    }
    Kadmi_CloseDatabasefile(0);
    DeleteFileA(path.c_str());
}

}  // namespace
