// Prints through VlPrint.dll against a real project file: the rich text on the
// clipboard parsed back and searched for the report's texts, its rows read
// back through a rich edit control, the economy labels, a remark that is not
// UTF-8, a stale system that stops the print, selection by page index, the
// options' defaults, the print language apart from the interface language,
// the thickness list, and the viewer opened on a report, its page count read
// and closed.
#include <gtest/gtest.h>
#include "VlPrint/vlprint.h"
#include "VlCalculate/vlcalculate.h"
#include "Kadmi/kadmi.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/paths.h"
#include "support/settings.h"
#include "testsupport/testsupport.h"
#include <commctrl.h>
#include <richedit.h>
#include <algorithm>
#include <set>
#include <cstring>
#include <functional>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr char kCompany[] = "Velmo Test";
constexpr char kApplication[] = "VlPrintTest";
constexpr char kVersion[] = "1.0";

// Texts as the tests expect them, from the texts beside the modules.
struct Texts {
    short handle = -1;
    std::string Get(TextId id, LanguageId language)
    {
        TextAPI_SetLanguage(handle, language);
        return TextAPI_GetText(handle, id);
    }
};
Texts g_texts;

// Rich text read back: its plain text (paragraphs as newlines, tabs as tabs,
// \uN escapes as UTF-8) and whether its groups balance.
struct ParsedRtf {
    std::string text;
    bool valid = false;
};

void AppendUtf8(std::string& out, uint32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

ParsedRtf ParseRtf(const std::string& rtf)
{
    ParsedRtf parsed;
    int depth = 0, skipDepth = -1;
    uint32_t highSurrogate = 0;
    bool sawRtf1 = rtf.rfind("{\\rtf1", 0) == 0;
    for (size_t i = 0; i < rtf.size();) {
        char c = rtf[i];
        bool skipping = skipDepth >= 0;
        if (c == '{') {
            ++depth;
            ++i;
        } else if (c == '}') {
            if (depth-- == skipDepth)
                skipDepth = -1;
            ++i;
        } else if (c == '\r' || c == '\n') {
            ++i;
        } else if (c != '\\') {
            if (!skipping)
                parsed.text += c;
            ++i;
        } else if (i + 1 < rtf.size() && strchr("\\{}", rtf[i + 1])) {
            if (!skipping)
                parsed.text += rtf[i + 1];
            i += 2;
        } else if (i + 1 < rtf.size() && rtf[i + 1] == '\'') {
            if (!skipping)
                parsed.text += char(std::stoi(rtf.substr(i + 2, 2), nullptr, 16));
            i += 4;
        } else {
            size_t j = i + 1;
            while (j < rtf.size() && isalpha(static_cast<unsigned char>(rtf[j])))
                ++j;
            std::string word = rtf.substr(i + 1, j - i - 1);
            size_t k = j;
            if (k < rtf.size() && (rtf[k] == '-' || isdigit(static_cast<unsigned char>(rtf[k]))))
                ++k;
            while (k < rtf.size() && isdigit(static_cast<unsigned char>(rtf[k])))
                ++k;
            int number = k > j ? std::stoi(rtf.substr(j, k - j)) : 0;
            if (k < rtf.size() && rtf[k] == ' ')
                ++k;
            i = k;
            if (word == "fonttbl")
                skipDepth = depth;
            if (skipping || skipDepth >= 0)
                continue;
            if (word == "par")
                parsed.text += '\n';
            else if (word == "tab")
                parsed.text += '\t';
            else if (word == "page")
                parsed.text += '\f';
            else if (word == "u") {
                uint32_t unit = uint16_t(number);
                if (unit >= 0xD800 && unit < 0xDC00) {
                    highSurrogate = unit;
                } else if (unit >= 0xDC00 && unit < 0xE000) {
                    AppendUtf8(parsed.text, 0x10000 + ((highSurrogate - 0xD800) << 10) + (unit - 0xDC00));
                } else {
                    AppendUtf8(parsed.text, unit);
                }
                if (i < rtf.size())
                    ++i;   // the fallback character of \uc1
            }
        }
    }
    parsed.valid = sawRtf1 && depth == 0 && !rtf.empty() && rtf.back() == '}';
    return parsed;
}

// The clipboard's "Rich Text Format" block, "" when there is none; terminated
// tells whether the block ends in a zero within its size.
std::string ClipboardRtf(bool* terminated = nullptr)
{
    std::string data;
    if (!OpenClipboard(nullptr))
        return data;
    if (HANDLE block = GetClipboardData(RegisterClipboardFormatA("Rich Text Format"))) {
        SIZE_T size = GlobalSize(block);
        const char* p = static_cast<const char*>(GlobalLock(block));
        size_t length = p ? strnlen(p, size) : 0;
        if (terminated)
            *terminated = p && length < size;
        data.assign(p ? p : "", length);
        GlobalUnlock(block);
    }
    CloseClipboard();
    return data;
}

void PutTextOnClipboard(const char* text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
    memcpy(GlobalLock(block), text, strlen(text) + 1);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
}

// Temporary files of the print library (prefixes "WD" and "TRD").
int TempFilesOfPrint()
{
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    int count = 0;
    for (const char* pattern : {"WD*.tmp", "TRD*.tmp"}) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((std::string(dir) + pattern).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do
            ++count;
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return count;
}

size_t Occurrences(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

void SetStamps(long object, long editTime, long calculationTime)
{
    AccessEntry stamps[2] = {{{'E', 'D', 'T', '1'}, 20260105, editTime},
                             {{'D', 'I', 'M', '1'}, 20260105, calculationTime}};
    ASSERT_EQ(Kadmi_SetAtt(object, 7701, 2, stamps), 0);
}

class PrintTest : public ::testing::Test {
protected:
    char file[MAX_PATH] = {};

    static void SetUpTestSuite()
    {
        // A temporary folder of its own, so that files of other test programs don't count.
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        std::string own = std::string(dir) + "vlprint_tests";
        CreateDirectoryA(own.c_str(), nullptr);
        SetEnvironmentVariableA("TMP", own.c_str());
        SetEnvironmentVariableA("TEMP", own.c_str());
        Settings_OpenRoot(kCompany, kApplication, kVersion);
        char company[] = "Velmo Test", application[] = "VlPrintTest", version[] = "1.0";
        VlPrint_InitDLL(nullptr, nullptr, company, application, version);
        std::string bin = Path_ModuleFolder(GetModuleHandleA("VlPrint.dll"));
        g_texts.handle = TextAPI_Open((bin + "TextAPI.db").c_str(), (bin + "TextAPI.ddq").c_str());
    }
    void SetUp() override
    {
        for (const char* value : {"Output\\PrintOptionFlags", "Output\\PrintLng", "General\\InterfaceLng"})
            Settings_DeleteValue(nullptr, value);
        VlPrint_OnLanguageChange();
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        GetTempFileNameA(dir, "prt", 0, file);
        DeleteFileA(file);
        ASSERT_EQ(Kadmi_CreateDatabasefile(file), 0);
        ASSERT_EQ(Kadmi_LoadPage(1), 0);
        Kadmi_SetStringAtt(KadmiObject_Project, 1501, "District heating plant");
        Kadmi_SetStringAtt(KadmiObject_Project, 1502, "City utility");
        Kadmi_SetStringAtt(KadmiObject_Project, 1506, "Remark line one\r\nRemark line two");
        ASSERT_EQ(Kadmi_SavePage(), 0);
    }
    void TearDown() override
    {
        Kadmi_CloseDatabasefile(0);
        DeleteFileA(file);
    }

    // Fills page `page` (made when missing) as a calculated pipe named name
    // whose first usedLayers layers have a product.
    void MakeSystem(short page, const char* name, bool stale, int usedLayers = 1)
    {
        if (page > 1) {
            ASSERT_EQ(Kadmi_CreatePage(), page);
        }
        ASSERT_EQ(Kadmi_LoadPage(page), 0);
        Kadmi_SetStringAtt(KadmiObject_Page, 1535, name);
        Kadmi_SetIntAtt(KadmiObject_Page, 1117, 11);
        float diameters[2] = {114.0f, 0.0f};
        Kadmi_SetAtt(KadmiObject_Page, 1312, 2, diameters);
        Kadmi_SetFloatAtt(KadmiObject_Page, 1315, 150.0f);
        Kadmi_SetFloatAtt(KadmiObject_Page, 1316, 10.0f);
        Kadmi_SetFloatAtt(KadmiObject_Page, 1323, 42.5f);
        for (int k = 0; k < 3; ++k) {
            long part = Kadmi_CreatePart();
            Kadmi_SetStringAtt(part, 1528, k < usedLayers ? "TESTCODE" : "-789");
            Kadmi_SetStringAtt(part, 1538, "IP");
            Kadmi_SetFloatAtt(part, 1326, 50.0f);
        }
        SetStamps(KadmiObject_Page, stale ? 110000 : 100000, stale ? 100000 : 110000);
        ASSERT_EQ(Kadmi_SavePage(), 0);
    }
    void Choose(std::vector<short> pages)
    {
        Kadmi_SetAtt(KadmiObject_Project, 1116, short(pages.size()), pages.data());
        Kadmi_SavePage();
    }
    void SetOptions(const std::vector<int>& sections)
    {
        int32_t options[100] = {};
        for (int s : sections)
            options[s] = 1;
        Settings_WriteBinary(nullptr, "Output\\PrintOptionFlags", sizeof options, options);
    }
    // Prints to the clipboard, answering every box; the boxes seen.
    std::vector<TsSeenBox> PrintToClipboard(int report = 1, int currentOnly = 0)
    {
        TsBoxAnswerer answerer(IDOK);
        char title[] = "Footer", version[] = "1.0";
        EXPECT_EQ(VlPrint_Print(nullptr, VlPrintOutput_Clipboard, report, currentOnly, title, version), 0);
        return answerer.boxes();
    }
};

TEST_F(PrintTest, ClipboardHoldsValidRichTextWithTheReportsTexts)
{
    MakeSystem(1, "Steam main", false);
    MakeSystem(2, "Käyttövesi Ä", false, 2);
    Choose({1, 2});
    ASSERT_EQ(Kadmi_LoadPage(1), 0);
    int before = TempFilesOfPrint();
    std::string rtfSeenByTheBox;
    std::vector<TsSeenBox> boxes;
    {
        // The clipboard is closed and filled by the time the success box shows.
        TsBoxAnswerer answerer(IDOK, nullptr, [&](HWND) { rtfSeenByTheBox = ClipboardRtf(); });
        char title[] = "Footer", version[] = "1.0";
        VlPrint_Print(nullptr, VlPrintOutput_Clipboard, 1, 0, title, version);
        boxes = answerer.boxes();
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(rtfSeenByTheBox, "");
    EXPECT_EQ(boxes[0].text, g_texts.Get(40026, kLangEnglish));
    EXPECT_EQ(boxes[0].caption, "Velmo");

    bool terminated = false;
    std::string rtf = ClipboardRtf(&terminated);
    EXPECT_TRUE(terminated);
    ParsedRtf parsed = ParseRtf(rtf);
    EXPECT_TRUE(parsed.valid);
    for (const char* expected : {"City utility", "District heating plant", "Remark line one", "Remark line two",
                                 "Steam main", "Käyttövesi Ä", "42.5", "114", "150.0"})
        EXPECT_NE(parsed.text.find(expected), std::string::npos) << expected;
    // Each system's own layers: the second one, printed while the first was
    // the current page, has two.
    const std::string layer = g_texts.Get(30071, kLangEnglish);
    EXPECT_EQ(Occurrences(parsed.text, layer + " 1"), 4u);
    EXPECT_EQ(Occurrences(parsed.text, layer + " 2"), 2u);
    EXPECT_EQ(Occurrences(parsed.text, "\f"), 1u);   // a page break between the two systems
    EXPECT_EQ(TempFilesOfPrint(), before);
}

// The message speaks the interface language, whatever the print-out language.
TEST_F(PrintTest, StaleSystemStopsThePrintWithItsMessage)
{
    MakeSystem(1, "Steam main", false);
    MakeSystem(2, "Pipe B", true);
    Choose({1, 2});
    const struct {
        const char* name;
        LanguageId interfaceLanguage, printLanguage;
    } rows[] = {
        {"one language", kLangEnglish, kLangEnglish},
        {"Polish interface, Finnish print-out", kLangPolish, kLangFinnish},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Settings_WriteInt(nullptr, "General\\InterfaceLng", row.interfaceLanguage);
        Settings_WriteInt(nullptr, "Output\\PrintLng", row.printLanguage);
        VlPrint_OnLanguageChange();
        ASSERT_EQ(Kadmi_LoadPage(1), 0);
        PutTextOnClipboard("untouched");
        int before = TempFilesOfPrint();
        auto boxes = PrintToClipboard();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "Pipe B: " + g_texts.Get(20054, row.interfaceLanguage));
        EXPECT_EQ(boxes[0].caption, "");
        EXPECT_EQ(ClipboardRtf(), "");
        EXPECT_EQ(Kadmi_GetCurrentPage(), 1);
        EXPECT_EQ(TempFilesOfPrint(), before);
    }
    Settings_WriteInt(nullptr, "General\\InterfaceLng", kLangEnglish);
    VlPrint_OnLanguageChange();

    ASSERT_EQ(Kadmi_LoadPage(2), 0);
    Kadmi_DeleteAtt(KadmiObject_Page, 1535);
    Kadmi_SavePage();
    auto boxes = PrintToClipboard(1, 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, g_texts.Get(20054, kLangEnglish));
}

TEST_F(PrintTest, SelectionIsByPageIndex)
{
    MakeSystem(1, "First", false);
    MakeSystem(2, "Second", false);
    MakeSystem(3, "Third", false);
    ASSERT_EQ(Kadmi_DeletePage(2), 0);
    ASSERT_EQ(Kadmi_LoadPage(1), 0);
    Choose({3});
    PrintToClipboard();
    std::string text = ParseRtf(ClipboardRtf()).text;
    EXPECT_NE(text.find("Third"), std::string::npos);
    EXPECT_EQ(text.find("First"), std::string::npos);
    EXPECT_EQ(Kadmi_GetCurrentPage(), 1);

    Choose({});
    PrintToClipboard();
    text = ParseRtf(ClipboardRtf()).text;
    EXPECT_NE(text.find("District heating plant"), std::string::npos);
    EXPECT_EQ(text.find("Third"), std::string::npos);

    ASSERT_EQ(Kadmi_LoadPage(3), 0);
    PrintToClipboard(1, 1);
    text = ParseRtf(ClipboardRtf()).text;
    EXPECT_NE(text.find("Third"), std::string::npos);
}

struct SectionCase {
    const char* name;
    bool absent;
    std::vector<int> options;
    size_t heatLoss;   // the base data title and its heat-loss label, once per printing
    bool economy, cooling, freezing;
};

TEST_F(PrintTest, OptionsChooseTheSections)
{
    MakeSystem(1, "Steam main", false);
    Choose({1});
    const SectionCase cases[] = {
        {"options absent", true, {}, 2, false, false, false},
        {"cooling only prints the base data first", false, {22}, 2, false, true, false},
        {"base data and cooling: base data once", false, {21, 22}, 2, false, true, false},
        {"all sections", false, {21, 22, 23, 24}, 2, true, true, true},
    };
    for (const SectionCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.absent)
            Settings_DeleteValue(nullptr, "Output\\PrintOptionFlags");
        else
            SetOptions(c.options);
        PrintToClipboard();
        std::string text = ParseRtf(ClipboardRtf()).text;
        EXPECT_EQ(Occurrences(text, g_texts.Get(30025, kLangEnglish)), c.heatLoss);
        EXPECT_EQ(text.find(g_texts.Get(30074, kLangEnglish)) != std::string::npos, c.economy);
        EXPECT_EQ(text.find(g_texts.Get(30021, kLangEnglish)) != std::string::npos, c.cooling);
        EXPECT_EQ(text.find(g_texts.Get(30104, kLangEnglish)) != std::string::npos, c.freezing);
    }
}

TEST_F(PrintTest, OutermostProductSurfacePrintsAsThatChoice)
{
    MakeSystem(1, "Steam main", false);
    Choose({1});
    ASSERT_EQ(Kadmi_LoadPage(1), 0);
    Kadmi_SetStringAtt(KadmiObject_Page, 1528, "-200");
    ASSERT_EQ(Kadmi_SavePage(), 0);
    PrintToClipboard();
    std::string text = ParseRtf(ClipboardRtf()).text;
    EXPECT_NE(text.find(g_texts.Get(40051, kLangEnglish)), std::string::npos);
    EXPECT_EQ(text.find(g_texts.Get(20043, kLangEnglish)), std::string::npos);
}

// A layer of its own thickness prints its product type and its thickness;
// layers whose type is the no-product entry print nothing, whatever else
// they still hold.
TEST_F(PrintTest, LayerRowsNameTheUsedLayersOnly)
{
    MakeSystem(1, "Steam main", false, 3);
    Choose({1});
    ASSERT_EQ(Kadmi_LoadPage(1), 0);
    const struct { const char* type; const char* code; } layers[] = {
        {"MW-WIREDMAT", "-456"}, {"-789", "-987"}, {"-789", ""}};
    for (int k = 0; k < 3; ++k) {
        const long part = Kadmi_IthPart(k);
        Kadmi_SetStringAtt(part, 1536, layers[k].type);
        Kadmi_SetStringAtt(part, 1538, "IM");
        Kadmi_SetStringAtt(part, 1528, layers[k].code);
        Kadmi_SetFloatAtt(part, 1328, -9.7f);
        Kadmi_SetFloatAtt(part, 1379, 25.0f);
        Kadmi_DeleteAtt(part, 1326);   // no nominal thickness of its own
    }
    ASSERT_EQ(Kadmi_SavePage(), 0);
    PrintToClipboard();
    const std::string text = ParseRtf(ClipboardRtf()).text;
    const std::string layer = g_texts.Get(30071, kLangEnglish);
    EXPECT_NE(text.find(layer + " 1\tMineral wool wired mat"), std::string::npos) << text;
    EXPECT_EQ(text.find(g_texts.Get(40039, kLangEnglish)), std::string::npos);
    EXPECT_EQ(text.find(layer + " 2"), std::string::npos);
    EXPECT_EQ(text.find(layer + " 3"), std::string::npos);
    EXPECT_EQ(Occurrences(text, "-9.7"), 1u) << text;   // layer 1's face only
    EXPECT_NE(text.find("\t" + g_texts.Get(45355, kLangEnglish) + "\t25\t"), std::string::npos) << text;
}

TEST_F(PrintTest, DewPointRowShowsNoFigureWhereThereIsNone)
{
    MakeSystem(1, "Steam main", false);
    Choose({1});
    const std::string label = "\t" + g_texts.Get(30094, kLangEnglish) + "\t";
    const struct { const char* name; bool stored; std::string row; } rows[] = {
        {"a dew point", true, label + "9.3\t" + g_texts.Get(30039, kLangEnglish)},
        {"none defined", false, label + g_texts.Get(45241, kLangEnglish)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_EQ(Kadmi_LoadPage(1), 0);
        if (row.stored)
            Kadmi_SetFloatAtt(KadmiObject_Page, 1322, 9.3f);
        else
            Kadmi_DeleteAtt(KadmiObject_Page, 1322);
        ASSERT_EQ(Kadmi_SavePage(), 0);
        PrintToClipboard();
        std::string text = ParseRtf(ClipboardRtf()).text;
        EXPECT_NE(text.find(row.row), std::string::npos) << text;
    }
}

// The surface temperature row names the surface the system reports: the
// outer one is the outermost layer's face, the inner one the system's.
TEST_F(PrintTest, SurfaceTemperatureRowFollowsTheReportedSurface)
{
    MakeSystem(1, "Steam main", false);
    Choose({1});
    for (short surface : {1, 2}) {
        ASSERT_EQ(Kadmi_LoadPage(1), 0);
        Kadmi_SetIntAtt(KadmiObject_Page, 1120, surface);
        Kadmi_SetFloatAtt(KadmiObject_Page, 1328, 148.9f);
        Kadmi_SetFloatAtt(Kadmi_IthPart(2), 1328, 28.6f);
        ASSERT_EQ(Kadmi_SavePage(), 0);
        PrintToClipboard();
        std::string text = ParseRtf(ClipboardRtf()).text;
        const std::string outer = g_texts.Get(30072, kLangEnglish) + "\t28.6\t";
        const std::string inner = g_texts.Get(30042, kLangEnglish) + "\t148.9\t";
        EXPECT_EQ(text.find(outer) != std::string::npos, surface == 1) << surface;
        EXPECT_EQ(text.find(inner) != std::string::npos, surface == 2) << surface;
    }
}

TEST_F(PrintTest, PrintLanguageIsApartFromTheInterfaceLanguage)
{
    MakeSystem(1, "Steam main", false);
    Choose({1});
    Settings_WriteInt(nullptr, "General\\InterfaceLng", kLangEnglish);
    Settings_WriteInt(nullptr, "Output\\PrintLng", kLangFinnish);
    VlPrint_OnLanguageChange();
    auto boxes = PrintToClipboard();
    std::string text = ParseRtf(ClipboardRtf()).text;
    EXPECT_NE(text.find(g_texts.Get(30025, kLangFinnish)), std::string::npos);
    EXPECT_EQ(text.find(g_texts.Get(30025, kLangEnglish)), std::string::npos);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, g_texts.Get(40026, kLangEnglish));   // the interface language again

    Settings_WriteInt(nullptr, "Output\\PrintLng", 1500);
    PrintToClipboard();
    text = ParseRtf(ClipboardRtf()).text;
    EXPECT_NE(text.find(g_texts.Get(30025, kLangEnglish)), std::string::npos);
}

TEST_F(PrintTest, ThicknessListPrintsTheGivenElements)
{
    MakeSystem(1, "Steam main", false);
    ASSERT_EQ(Kadmi_LoadPage(1), 0);
    PutTextOnClipboard("untouched");
    EXPECT_TRUE(PrintToClipboard(2, 1).empty());   // no list handed over yet
    EXPECT_EQ(ClipboardRtf(), "");

    INSULATIONTHICKNESSRESULTLIST list[2] = {};
    strcpy(list[0].productCode, "TESTCODE");
    list[0].innerDimension1 = 100.0f;
    list[0].innerDimension2 = 30.0f;
    list[0].outerDimension1 = 200.0f;
    list[0].thickness = 50.0f;
    list[0].heatLoss = 21.26f;
    list[0].surfaceTemp = 23.5f;
    list[0].totalAnnualCost = 1234.567f;
    list[1] = list[0];
    list[1].thickness = 80.0f;
    strcpy(list[1].productCode, "MWA-114.3-30");   // a name wider than its column
    char heading[] = "DN 100 {pipe}";
    SetInsulationData(list, 2, heading);
    auto boxes = PrintToClipboard(2, 1);
    ASSERT_EQ(boxes.size(), 1u);
    std::string text = ParseRtf(ClipboardRtf()).text;
    for (const char* expected : {"DN 100 {pipe}", "100 * 30", "200", "50", "80", "21.3", "23.5", "1234.57"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    EXPECT_EQ(text.find("200 * "), std::string::npos);
    // The whole name on a line of its own; the values keep their columns.
    EXPECT_NE(text.find("\tMineral wool pipe section, aluminium foil faced 114.3 x 30\n\t100 * 30\t200\t80\t"),
              std::string::npos);

    SetInsulationData(list, 0, nullptr);
    PrintToClipboard(2, 1);
    text = ParseRtf(ClipboardRtf()).text;
    EXPECT_NE(text.find(g_texts.Get(40019, kLangEnglish)), std::string::npos);   // headings only
    EXPECT_EQ(text.find("1234.57"), std::string::npos);
}

// Stamps as the pages leave them: {mark, time} on 2026-01-05.
struct StampAt {
    const char* mark;
    long time;
};

void SetStampList(const std::vector<StampAt>& list)
{
    std::vector<AccessEntry> stamps;
    for (const StampAt& s : list) {
        AccessEntry e = {{' ', ' ', ' ', ' '}, 20260105, s.time};
        memcpy(e.mark, s.mark, 4);
        stamps.push_back(e);
    }
    Kadmi_DeleteAtt(KadmiObject_Page, 7701);
    if (!stamps.empty()) {
        ASSERT_EQ(Kadmi_SetAtt(KadmiObject_Page, 7701, short(stamps.size()), stamps.data()), 0);
    }
}

struct SectionStampCase {
    const char* name;
    short kind;
    std::vector<StampAt> stamps;
    bool costsStored;
    bool heatLoss, cooling, freezing, costs;   // whose results print
    bool freezingSection;                      // the section is there at all
};

// Each section prints its results only while they are those of the system as
// it is, and says "not calculated" otherwise; an absent figure prints no 0.
TEST_F(PrintTest, SectionsPrintOnlyCurrentResults)
{
    MakeSystem(1, "Steam main", false);
    Choose({1});
    SetOptions({21, 22, 23, 24});
    const std::vector<StampAt> allCurrent = {{"EDT1", 100000}, {"DIM1", 100100}, {"EDT2", 100000},
                                             {"DIM2", 100200}, {"EDT3", 100000}, {"DIM3", 100300}};
    const SectionStampCase cases[] = {
        {"all current", 11, allCurrent, true, true, true, true, true, true},
        {"cooling and freezing never calculated", 11, {{"EDT1", 100000}, {"DIM1", 100100}}, true, true, false,
         false, true, true},
        {"cooling inputs changed since", 11,
         {{"EDT1", 100000}, {"DIM1", 100100}, {"DIM2", 100200}, {"EDT2", 100300}, {"EDT3", 100000}, {"DIM3", 100300}},
         true, true, false, true, true, true},
        {"heat loss calculated again after both", 11,
         {{"EDT1", 100000}, {"DIM2", 100200}, {"EDT2", 100000}, {"DIM3", 100300}, {"EDT3", 100000}, {"DIM1", 100400}},
         true, true, false, false, true, true},
        {"copied pipe changed into a vessel and calculated", 10,
         {{"EDT2", 100000}, {"DIM2", 100200}, {"EDT3", 100000}, {"DIM3", 100300}, {"EDT1", 100350}, {"DIM1", 100400}},
         true, true, false, false, true, false},
        {"costs not computed", 11, allCurrent, false, true, true, true, false, true},
        {"never calculated", 11, {}, true, false, false, false, false, true},
    };
    const std::string notCalculated = g_texts.Get(40068, kLangEnglish);
    for (const SectionStampCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(Kadmi_LoadPage(1), 0);
        Kadmi_SetIntAtt(KadmiObject_Page, 1117, c.kind);
        const std::pair<short, float> results[] = {{1342, 141.125f}, {1350, 4.5f}, {1380, 37.3f}};
        for (const auto& [att, value] : results)
            Kadmi_SetFloatAtt(KadmiObject_Page, att, value);
        Kadmi_DeleteAtt(KadmiObject_Page, 1344);   // never calculated: absent, no 0
        for (short att : {1370, 1371, 1372, 1373, 1374, 1375})
            Kadmi_DeleteAtt(KadmiObject_Page, att);
        if (c.costsStored)
            Kadmi_SetFloatAtt(KadmiObject_Page, c.kind == 10 ? 1375 : 1374, 200.25f);
        SetStampList(c.stamps);
        ASSERT_EQ(Kadmi_SavePage(), 0);
        EXPECT_TRUE(PrintToClipboard().size() == 1);
        const std::string text = ParseRtf(ClipboardRtf()).text;
        EXPECT_EQ(text.find("\t42.5\t") != std::string::npos, c.heatLoss) << text;
        EXPECT_EQ(text.find("141.125") != std::string::npos, c.cooling && c.kind != 10);
        EXPECT_EQ(text.find("37.3") != std::string::npos, c.freezing);
        EXPECT_EQ(text.find("200.25") != std::string::npos, c.costs);
        EXPECT_EQ(text.find(g_texts.Get(30104, kLangEnglish)) != std::string::npos, c.freezingSection);
        EXPECT_EQ(text.find("0.000"), std::string::npos);
        const size_t stale = size_t(!c.heatLoss) + !c.cooling + (c.freezingSection && !c.freezing) + !c.costs;
        EXPECT_EQ(Occurrences(text, "\t" + notCalculated + "\n"), stale) << text;
    }
}

struct KindLabelCase {
    const char* name;
    short kind;
    TextId heading;
};

// The report names the kind of object; the thickness list of a duct is
// figured per metre as the engine gives it, and a rectangular duct's
// dimensions are no diameters.
TEST_F(PrintTest, KindsAreNamedAndDuctsFiguredPerMetre)
{
    MakeSystem(1, "Duct", false);
    Choose({1});
    INSULATIONTHICKNESSRESULTLIST list[1] = {};
    strcpy(list[0].productCode, "TESTCODE");
    char heading[] = "";
    SetInsulationData(list, 1, heading);
    const KindLabelCase cases[] = {
        {"pipe", 11, 30027}, {"round duct", 12, 40015}, {"rectangular duct", 13, 30028}, {"vessel", 10, 30026}};
    for (const KindLabelCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(Kadmi_LoadPage(1), 0);
        Kadmi_SetIntAtt(KadmiObject_Page, 1117, c.kind);
        const bool innerSurface = c.kind == 10;   // the surface the page reports
        Kadmi_SetIntAtt(KadmiObject_Page, 1120, innerSurface ? 2 : 1);
        ASSERT_EQ(Kadmi_SavePage(), 0);
        PrintToClipboard();
        std::string text = ParseRtf(ClipboardRtf()).text;
        EXPECT_NE(text.find("\t" + g_texts.Get(c.heading, kLangEnglish) + "\n"), std::string::npos) << text;
        PrintToClipboard(2, 1);
        text = ParseRtf(ClipboardRtf()).text;
        const bool perMetre = c.kind != 10;
        EXPECT_EQ(text.find("\tW/m\t") != std::string::npos, perMetre) << text;
        // Each column headed by what it holds: the total annual cost a year.
        EXPECT_NE(text.find(perMetre ? "\tEUR/m,a\n" : "\tEUR/m²,a\n"), std::string::npos) << text;
        EXPECT_NE(text.find(g_texts.Get(30084, kLangEnglish)), std::string::npos);
        EXPECT_EQ(text.find(g_texts.Get(30073, kLangEnglish)), std::string::npos);
        EXPECT_NE(text.find(g_texts.Get(innerSurface ? 30042 : 30072, kLangEnglish)), std::string::npos);
        EXPECT_EQ(text.find(g_texts.Get(30092, kLangEnglish)) != std::string::npos, c.kind != 13);
        EXPECT_EQ(text.find(g_texts.Get(45353, kLangEnglish)) != std::string::npos, c.kind == 13);
    }
}

struct EconomyRow {
    const char* name;
    short attribute;
    float value;
    const char* printed;
    TextId label;
    const char* englishLabel;   // what the label must say
    TextId unit;
    const char* englishUnit;
};

TEST_F(PrintTest, EconomyRowsCarryTheLabelAndUnitOfTheirAttribute)
{
    MakeSystem(1, "Steam main", false);
    const EconomyRow rows[] = {
        {"price increase", 1359, 5.0f, "5.0", 30077, "Annual price increase of energy", 30040, "%"},
        {"useful life", 1360, 20.0f, "20.0", 30078, "Economic useful life", 30087, "years"},
        {"energy price", 1361, 45.5f, "45.50", 30079, "Price of thermal energy", 30085, "EUR/MWh"},
        {"operating time", 1362, 8000.0f, "8000.0", 30080, "Annual operating time", 30086, "h/a"},
        {"rate of interest", 1363, 3.0f, "3.0", 30081, "Rate of interest", 30040, "%"},
    };
    for (const EconomyRow& r : rows)
        Kadmi_SetFloatAtt(KadmiObject_Page, r.attribute, r.value);
    Kadmi_SavePage();
    Choose({1});
    SetOptions({24});
    for (LanguageId language : {kLangEnglish, kLangFinnish, kLangSwedish, kLangPolish, kLangRussian}) {
        Settings_WriteInt(nullptr, "Output\\PrintLng", language);
        PrintToClipboard();
        const std::string text = ParseRtf(ClipboardRtf()).text;
        for (const EconomyRow& r : rows) {
            SCOPED_TRACE(std::string(r.name) + " in language " + std::to_string(language));
            if (language == kLangEnglish) {
                EXPECT_EQ(g_texts.Get(r.label, kLangEnglish), r.englishLabel);
                EXPECT_EQ(g_texts.Get(r.unit, kLangEnglish), r.englishUnit);
            }
            std::string row = "\t";
            row.append(g_texts.Get(r.label, language)).append("\t").append(r.printed).append("\t");
            row.append(g_texts.Get(r.unit, language)).append("\n");
            EXPECT_NE(text.find(row), std::string::npos) << row;
        }
    }
}

TEST_F(PrintTest, RemarkThatIsNotUtf8PrintsWithReplacementCharactersAndEnds)
{
    MakeSystem(1, "Steam main", false);
    Choose({1});
    // A line of dashes typed in a single-byte code page, words up to byte 509,
    // and an a-umlaut across the 510-byte limit.
    std::string remark = std::string(60, '\x97') + " ";
    while (remark.size() + 5 <= 509)
        remark += "word ";
    remark.append(509 - remark.size(), 'x');
    remark += "\xC3\xA4 more";
    ASSERT_EQ(remark.size(), 516u);
    ASSERT_EQ(Kadmi_LoadPage(1), 0);
    Kadmi_SetStringAtt(KadmiObject_Project, 1506, remark.c_str());
    Kadmi_SavePage();
    {
        TsTimeLimit limit(60);
        PrintToClipboard();
    }
    const std::string text = ParseRtf(ClipboardRtf()).text;
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(Occurrences(text, replacement), 60u);
    EXPECT_NE(text.find("\t" + g_texts.Get(30103, kLangEnglish) + "\t" + std::string(replacement).append(replacement)),
              std::string::npos);
    EXPECT_NE(text.find(" xxx\n"), std::string::npos);   // the last line, without half an a-umlaut
    EXPECT_EQ(text.find("more"), std::string::npos);
}

// A paragraph of rich text as a rich edit control reads it: its text, tabs
// included, and its tab stops in twips. (Wine's control lays right-aligned
// stops out as left-aligned ones, so where it draws a cell proves nothing.)
struct ReadParagraph {
    std::wstring text;
    std::vector<LONG> stops;
};

DWORD CALLBACK StreamFromString(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read)
{
    auto* source = reinterpret_cast<std::pair<const std::string*, size_t>*>(cookie);
    const size_t left = source->first->size() - source->second;
    *read = LONG(std::min(left, size_t(size)));
    memcpy(buffer, source->first->data() + source->second, size_t(*read));
    source->second += size_t(*read);
    return 0;
}

std::vector<ReadParagraph> ReadThroughRichEdit(const std::string& rtf)
{
    LoadLibraryA("riched20.dll");
    HWND edit = CreateWindowExW(0, RICHEDIT_CLASSW, L"", WS_POPUP | ES_MULTILINE, 0, 0, 3000, 600, nullptr,
                                nullptr, nullptr, nullptr);
    std::pair<const std::string*, size_t> source = {&rtf, 0};
    EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&source), 0, StreamFromString};
    SendMessageW(edit, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    // The text as the control counts it: a paragraph ends in one CR.
    std::wstring all(size_t(GetWindowTextLengthW(edit)) + 1, L'\0');
    GETTEXTEX get = {DWORD(all.size() * sizeof(wchar_t)), GT_DEFAULT, 1200, nullptr, nullptr};
    all.resize(size_t(SendMessageW(edit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                   reinterpret_cast<LPARAM>(all.data()))));
    std::vector<ReadParagraph> paragraphs;
    for (size_t start = 0; start <= all.size();) {
        size_t end = std::min(all.find(L'\r', start), all.size());
        ReadParagraph p{all.substr(start, end - start), {}};
        SendMessageW(edit, EM_SETSEL, start, start);
        PARAFORMAT2 format = {};
        format.cbSize = sizeof format;
        format.dwMask = PFM_TABSTOPS;
        SendMessageW(edit, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
        for (int i = 0; i < format.cTabCount; ++i)
            p.stops.push_back(format.rgxTabs[i] & 0xFFFFFF);   // without the alignment bits
        paragraphs.push_back(p);
        start = end + 1;
    }
    DestroyWindow(edit);
    return paragraphs;
}

// Tab positions in twips of the 25 cells.
std::set<LONG> CellStops()
{
    std::set<LONG> stops;
    for (int i = 0; i < 25; ++i)
        stops.insert(LONG((10 + 86 * (i + 1)) * 0.95 * 5.669));
    return stops;
}

std::wstring Wide(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(size_t(MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(),
                                           int(wide.size()))));
    return wide;
}

std::string Narrow(const std::wstring& text)
{
    std::string narrow(text.size() * 3, '\0');
    narrow.resize(size_t(WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), narrow.data(),
                                             int(narrow.size()), nullptr, nullptr)));
    return narrow;
}

TEST_F(PrintTest, RichTextCellsSitOnTheTabStopsOfTheirParagraph)
{
    MakeSystem(1, "Steam main", false, 3);
    Kadmi_SetFloatAtt(KadmiObject_Page, 1362, 8000.0f);
    SetStampList({{"EDT1", 100000}, {"DIM1", 100100}, {"DIM2", 100200}, {"DIM3", 100300}});
    for (short att : {1330, 1342, 1343, 1344, 1347, 1348, 1349, 1350, 1374})
        Kadmi_SetFloatAtt(KadmiObject_Page, att, 1.0f);
    Kadmi_SavePage();
    Choose({1});
    SetOptions({21, 22, 23, 24});
    PrintToClipboard();
    const std::string rtf = ClipboardRtf();
    // Readers that take a paragraph's properties only before its text need
    // every stop declared before the first tab.
    for (size_t at = rtf.find("\\pard"); at != std::string::npos; at = rtf.find("\\pard", at + 1)) {
        const size_t end = std::min(rtf.find("\\par\r\n", at), rtf.find("\\pard", at + 1));
        const size_t firstTab = std::min(rtf.find("\\tab", at), end);
        EXPECT_GE(std::min(rtf.find("\\tx", firstTab), end), end) << rtf.substr(at, end - at);
    }
    const auto paragraphs = ReadThroughRichEdit(rtf);
    const std::set<LONG> cellStops = CellStops();
    size_t rows = 0;
    for (const ReadParagraph& p : paragraphs) {
        const auto tabs = size_t(std::count(p.text.begin(), p.text.end(), L'\t'));
        if (tabs == 0)
            continue;
        ++rows;
        SCOPED_TRACE(Narrow(p.text));
        EXPECT_EQ(p.text[0], L'\t');   // the first cell after a tab too
        ASSERT_EQ(p.stops.size(), tabs);   // the n-th tab goes to the n-th stop
        for (size_t i = 0; i < tabs; ++i) {
            EXPECT_EQ(cellStops.count(p.stops[i]), 1u) << p.stops[i];
            EXPECT_TRUE(i == 0 || p.stops[i] > p.stops[i - 1]);
        }
    }
    EXPECT_GT(rows, 30u);
    const std::wstring operatingTime = L"\t" + Wide(g_texts.Get(30080, kLangEnglish)) + L"\t8000.0\th/a";
    const auto row = std::find_if(paragraphs.begin(), paragraphs.end(),
                                  [&](const ReadParagraph& p) { return p.text == operatingTime; });
    ASSERT_NE(row, paragraphs.end());
    EXPECT_EQ(row->stops, (std::vector<LONG>{517, 8390, 8853}));
}

TEST(VlPrintExports, DecoratedNamesAtTheirOrdinals)
{
    HMODULE module = GetModuleHandleA("VlPrint.dll");
    const struct { WORD ordinal; const char* name; } exports[] = {
        {1, "_Z16VlPrint_CloseDLLv"},
        {2, "_Z15VlPrint_InitDLLP6HWND__P11HINSTANCE__PcS3_S3_"},
        {3, "_Z24VlPrint_OnLanguageChangev"},
        {4, "_Z13VlPrint_PrintP6HWND__iiiPcS1_"},
        {5, "_Z17SetInsulationDataP29INSULATIONTHICKNESSRESULTLISTsPc"},
        {6, "_Z13VlPrint_PrintP6HWND__iiiPcS1_S1_"},
    };
    for (const auto& e : exports) {
        SCOPED_TRACE(e.name);
        FARPROC byName = GetProcAddress(module, e.name);
        EXPECT_NE(byName, nullptr);
        EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(e.ordinal)), byName);
    }
    EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(7)), nullptr);
}

// The viewer's window of this thread (other test programs may show theirs).
HWND ViewerWindow()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM data) -> BOOL {
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        if (strcmp(name, "TordocViewer") != 0 || !IsWindowVisible(window))
            return TRUE;
        *reinterpret_cast<HWND*>(data) = window;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string ViewerStatus()
{
    HWND status = FindWindowExA(ViewerWindow(), nullptr, STATUSCLASSNAMEA, nullptr);
    char text[256] = {};
    if (status && LOWORD(SendMessageA(status, SB_GETTEXTLENGTHA, 0, 0)) < sizeof text)
        SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    return text;
}

TEST_F(PrintTest, ViewerShowsOnePageASystemAndFilesGoAfterwards)
{
    MakeSystem(1, "Steam main", false);
    MakeSystem(2, "Return pipe", false);
    Choose({1, 2});
    int before = TempFilesOfPrint();
    std::string status;
    TsUiScript script({[&] {
        if (!ViewerWindow() || ViewerStatus().empty())
            return false;
        status = ViewerStatus();
        PostMessageA(ViewerWindow(), WM_CLOSE, 0, 0);
        return true;
    }});
    EXPECT_EQ(VlPrint_Print(nullptr, VlPrintOutput_Viewer, 1, 0, nullptr, nullptr), 0);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(status, g_texts.Get(30105, kLangEnglish) + ": 1 / 2");
    EXPECT_EQ(TempFilesOfPrint(), before);
    EXPECT_EQ(ViewerWindow(), nullptr);
}

// The newest file of the temporary folder that matches pattern, read whole.
std::string NewestTempFile(const char* pattern)
{
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((std::string(dir) + pattern).c_str(), &found);
    std::string newest;
    FILETIME newestTime = {};
    if (search == INVALID_HANDLE_VALUE)
        return newest;
    do
        if (CompareFileTime(&found.ftLastWriteTime, &newestTime) >= 0) {
            newestTime = found.ftLastWriteTime;
            newest = std::string(dir) + found.cFileName;
        }
    while (FindNextFileA(search, &found));
    FindClose(search);
    std::ifstream in(newest, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The viewer's settings file names the job after the program (as the
// interface named it to the library) and the project file, and carries the viewer's messages in the interface language, whatever
// the print language.
TEST_F(PrintTest, ViewerIsToldTheJobNameAndItsMessagesInTheInterfaceLanguage)
{
    MakeSystem(1, "Steam main", false);
    Choose({1});
    Settings_WriteInt(nullptr, "Output\\PrintLng", kLangFinnish);
    for (LanguageId language : {kLangEnglish, kLangRussian}) {
        SCOPED_TRACE(int(language));
        Settings_WriteInt(nullptr, "General\\InterfaceLng", language);
        std::string settings;
        TsUiScript script({[&] {
            if (!ViewerWindow())
                return false;
            settings = NewestTempFile("TRD*.tmp");
            PostMessageA(ViewerWindow(), WM_CLOSE, 0, 0);
            return true;
        }});
        char title[] = "C:\\Projects\\plant30.wdf", version[] = "1.0";
        VlPrint_Print(nullptr, VlPrintOutput_Viewer, 1, 0, title, version);
        EXPECT_TRUE(script.Finished());
        EXPECT_NE(settings.find("\r\nT1017=VlPrintTest - plant30.wdf\r\n"), std::string::npos)
            << settings;
        for (const auto& [key, id] : {std::pair{"T1019=", 45401}, {"T1020=", 45402}, {"T1021=", 45403}})
            EXPECT_NE(settings.find(key + g_texts.Get(id, language) + "\r\n"), std::string::npos) << key;
    }
    Settings_WriteInt(nullptr, "General\\InterfaceLng", kLangEnglish);
}

}  // namespace

namespace {

// The Unicode text on the clipboard, as UTF-8.
std::string ClipboardText()
{
    std::string text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE block = GetClipboardData(CF_UNICODETEXT)) {
        const auto* wide = static_cast<const wchar_t*>(GlobalLock(block));
        text.resize(size_t(WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr)));
        WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), int(text.size()), nullptr, nullptr);
        text.resize(strlen(text.c_str()));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return text;
}

}  // namespace

TEST_F(PrintTest, SpreadsheetCopyHasOneCellAColumnAndTheSeventhArgumentNamesTheSettings)
{
    MakeSystem(1, "Käyttövesi Ä", false);
    Choose({1});
    Settings_WriteInt(nullptr, "Output\\PrintLng", kLangFinnish);   // under the settings root "1.0"
    TsBoxAnswerer answerer(IDOK);
    char title[] = "Footer", heading[] = "1.0 / Data 7", version[] = "1.0";
    EXPECT_EQ(VlPrint_Print(nullptr, VlPrintOutput_Spreadsheet, 1, 0, title, heading, version), 0);
    EXPECT_EQ(answerer.boxes().size(), 1u);
    const std::string text = ClipboardText();
    char decimal[8] = ".";   // figures take the user's decimal separator
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, sizeof decimal);
    for (const std::string& cells : {std::string("\r\nKäyttövesi Ä\r\n"), "\t150" + std::string(decimal) + "0\t°C\r\n",
                                     "\r\n" + g_texts.Get(30025, kLangFinnish) + "\t"})
        EXPECT_NE(text.find(cells), std::string::npos) << cells;
    EXPECT_EQ(text.find("\t\r\n"), std::string::npos);   // no empty cell ends a line
}
