// Internals of the print library: the one globals record, the 25-cell report
// row, and the functions of the print flow (print.cpp), the output devices
// (device.cpp), the row engine (rows.cpp, wrap.cpp), the hand-off
// (handoff.cpp) and the two reports (report_calc.cpp, report_list.cpp).
#pragma once
#include <windows.h>
#include <cstdint>
#include <cstddef>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>
#include "outside/Lexmo100/lexmo.h"

struct INSULATIONTHICKNESSRESULTLIST;

constexpr int kRowCells = 25;
constexpr int kCellTextSize = 100;
constexpr int kMaxPages = 1000;   // systems a print selects from; its pages have no limit
constexpr int kOptionInts = 100;
constexpr int kFooterStrings = 8;
constexpr int kFooterStringSize = 255;
constexpr int kListHeadingSize = 248;
constexpr int kFooterTitleSize = 1024;
constexpr int kHeadingSize = 255;
constexpr int kNoText = -1;   // a label of "none"

// Cell flags: alignment and font.
enum CellFlags : uint16_t {
    Cell_Right = 0x01,
    Cell_Font2 = 0x10,
    Cell_Font2Bold = 0x20,
    Cell_Font1 = 0x40,
    Cell_Font1Bold = 0x80,
    Cell_Font3 = 0x100,
    Cell_Font3Bold = 0x200,
};

struct ReportCell {
    char text[kCellTextSize];
    uint16_t flags;
    int16_t width;   // the column's width for the metafile, which clips to it; 0: not clipped
};

struct ReportRow {
    ReportCell cells[kRowCells];
};

enum PrintOutput : int { Output_Metafile = 1, Output_Rtf = 2, Output_Sheet = 4 };

// Option ints of "Output\PrintOptionFlags" that the library reads.
enum PrintOption : int { Option_BaseData = 21, Option_Cooling = 22, Option_Freezing = 23,
                         Option_Economy = 24 };

// One report font: face and size (character height in 0.1 mm) from the
// settings, created plain and bold.
struct ReportFont {
    char face[256];
    int size;
    HFONT normal;
    HFONT bold;
};

// The page footer as it is drawn on every page of one print: the title's
// lines on the rule, then the columns' texts line by line under it.
struct FooterLine {
    int x;
    int line;           // 0 the first under the rule
    std::string text;
};
struct FooterLayout {
    bool made = false;  // laid out at its first use in a print
    int lineY = 0;      // the rule; lower columns lift it
    std::vector<std::string> title;
    std::vector<FooterLine> lines;
};

// The print library's state: the library part lives from load to unload, the
// print part is set up by each print and the engine part by its device.
struct PrintGlobals {
    // Library.
    HINSTANCE instance = nullptr;
    bool initDone = false;
    bool closed = false;
    short textHandle = -1;
    short techDb = -1, otherInsulationDb = -1;
    char company[64] = "Velmo";
    char application[64] = "Varmelin";
    const INSULATIONTHICKNESSRESULTLIST* list = nullptr;
    short listCount = -1;
    char listHeading[kListHeadingSize] = {};
    char footerTitle[kFooterTitleSize] = {};

    // One print.
    int32_t options[kOptionInts] = {};
    bool baseData = true, cooling = false, freezing = false, economy = false;
    char heading[kHeadingSize] = {};
    char headingData[kHeadingSize] = {};   // the technical data's version, beneath the heading
    char footer[kFooterStrings][kFooterStringSize] = {};
    uint8_t selected[kMaxPages] = {};
    short pageNumbers[kMaxPages] = {};   // of the project's pages in order; 0 past the last
    long layerParts[3] = {};

    // Engine of one print.
    HDC dc = nullptr;                 // the metafile being recorded
    HDC measureDc = nullptr;          // measures texts: a metafile gives no extents
    // Measures of this print kept by font slot and text: the same labels and
    // units come back with every system.
    std::unordered_map<std::string, int> textWidths;
    std::unordered_map<std::string, std::vector<std::string>> wrappedTexts;
    int slotLineHeights[6] = {};
    HANDLE rtf = INVALID_HANDLE_VALUE;
    char reportFile[MAX_PATH] = {};   // temporary metafile or rich-text file
    HBRUSH logoBrushes[5] = {};       // the logo's colours, made with the fonts
    ReportFont fonts[3] = {{"Arial", 50, nullptr, nullptr}, {"Arial", 35, nullptr, nullptr},
                           {"Arial", 25, nullptr, nullptr}};
    char rtfSelectors[6][40] = {};    // font 1, 1 bold, 2, 2 bold, 3, 3 bold
    std::string sheet;                // the tab-separated rows of output 4
    std::string sheetDecimal = ".";   // the user's decimal separator, read as output 4 opens
    int pageHeight = 2900, columnWidth = 86;   // 0.1 mm; the page is 1900 wide
    int y = 0;
    int pageCounter = 1;
    bool logo = true;
    int footerTitleHeight = 0;        // font 3's line height, measured with the fonts
    FooterLayout footerLayout;        // laid out anew for each print
    int headerEnd = 250;              // where the body begins under the page header
    bool measuring = false;           // rows add up their heights and are not drawn
    int measured = 0;
};
PrintGlobals& Prn();

// Language text in the library's current language; "" for kNoText.
const char* Print_Text(int id);

// Print flow (print.cpp).
// headingVersion is printed, settingsVersion names the settings root (NULL: "").
int Print_Run(HWND owner, int output, int report, int currentOnly, const char* title, const char* headingVersion,
              const char* settingsVersion);
// The page heading "company - program version". A version "program / data"
// (the extended edition's) leaves the data's version to a line of its own.
constexpr char kDataVersionSeparator[] = " / ";
void Print_BuildHeading(const char* version);
// The program as the interface named it to the library: each edition its own.
const char* Print_ProgramName();
// The print job's name: the program and the project file, "Varmelin - plant30.wdf".
std::string Print_JobName();
void Print_TakeLayerParts();
void Print_SetInterfaceLanguage();
bool Print_ReadOptions();
void Print_SelectPages(int currentOnly);

// Output devices and fonts (device.cpp).
int Report_OpenDevice(int output);
void Report_SetupFonts(int output);
int Report_CloseDevice(int output);
void Report_Comment(char mark);
void Rtf_Write(const std::string& text);
// Rich text of a UTF-8 text: braces and backslashes escaped, byte 127 as
// \'7F, every other character beyond ASCII as \uN? (N signed 16-bit), a
// byte that is no UTF-8 as U+FFFD.
std::string Rtf_Escape(const char* text);
// Index 0..5 into the fonts' handles and RTF selectors of a cell's flags.
int Report_FontSlot(uint16_t flags);

// Row engine (rows.cpp).
// Decimals of a dimension: one when it has a tenth, none when it is whole.
constexpr int kDimensionDecimals = -1;
// value with "%.*f" and decimals, or as a dimension.
std::string Report_FormatFloat(float value, int decimals);
// The height of a line of text in font, in the report's units.
int Report_LineHeight(HFONT font);
// The lowest row bottom of a page's body: above the footer and its title.
int Report_BodyBottom();
// Prints the rows that `rows` prints on one page: when they would run past
// the body's bottom and fit on a page of their own, a new page comes first.
// `rows` runs twice in the metafile (measured, then printed) and must
// change no state of its own.
void Report_KeepTogether(int out, const std::function<void()>& rows);
bool Cell_IsBlank(const char* text);
void Cell_Set(ReportRow& row, int cell, const char* text, uint16_t flags);
void Report_PrintRow(const ReportRow& row, int out);
void Report_PageHeader(int out);
void Report_PageFooter(int out);
void Report_NewPage(int out);
bool Layer_IsUsed(long part);
void Report_BlankRow(int out);
void Report_TitleRow(int cell, const char* text, int out, uint16_t flags);
void Report_StringAttRow(long object, int labelId, uint16_t labelFlags, int labelCell, int valueCell, short att,
                         int unitId, int out);
void Report_FloatAttRow(long object, int labelId, uint16_t labelFlags, int labelCell, int valueCell, short att,
                        int decimals, int unitId, int out);
void Report_FloatArrayAttRow(long object, int labelId, uint16_t labelFlags, int labelCell, int valueCell,
                             short att, int index, int decimals, int unitId, int out);
// Rows of figures are left out, and cells left empty, where the attribute is
// not stored: an absent figure is no 0.
void Report_LayerFloatRow(int labelId, uint16_t labelFlags, int labelCell, int firstCell, short att, int decimals,
                          int unitId, int out);
// The same with an attribute of each layer's own.
void Report_LayerFloatRow(int labelId, uint16_t labelFlags, int labelCell, int firstCell, const short attributes[3],
                          int decimals, int unitId, int out);
void Report_FloatPairRow(long object, int labelId, uint16_t labelFlags, int labelCell, int cellA, int cellB,
                         short attA, short attB, int decimals, int unitId, int out);
void Report_MultiLineRow(int labelCell, const char* label, int valueCell, const char* text, int out);
void Report_Rule(int firstColumn, int lastColumn, int out);

// UTF-8 of report texts (text.cpp).
constexpr uint32_t kReplacementChar = 0xFFFD;
// The code point of the character at text and its length in bytes; a byte
// that begins no valid sequence is a character of its own, U+FFFD.
int Text_NextChar(const unsigned char* text, uint32_t* codePoint);
// The whole characters within the first maxBytes bytes of text (NULL gives
// ""), each byte that is no UTF-8 replaced by U+FFFD.
std::string Text_Repaired(const char* text, size_t maxBytes = SIZE_MAX);

// Word wrap of remarks into lines of at most kWrapLineBytes bytes (wrap.cpp).
constexpr int kWrapLimit = 510;
constexpr int kWrapLineBytes = 54;
struct TextWrap {
    std::string text;   // what is wrapped: the considered part of the remark, repaired
    size_t position;
};
TextWrap Text_StartWrap(const char* text);
// The next line into line (kWrapLineBytes + 1 bytes); false when no line is
// left. Every line that is given moves the position on.
bool Text_NextLine(TextWrap& wrap, char* line);

// Hand-off (handoff.cpp): 0 when shown or copied.
int Handoff_Viewer(HWND owner);
int Handoff_Clipboard(HWND owner);
int Handoff_Sheet(HWND owner);

// Output 4 (sheet.cpp): a row as one line of its cells up to the last one
// that holds text, separated by tabs, each without surrounding blanks; a
// cell that is a decimal figure ("-23.96") takes decimalSeparator for its
// point. Figures carry no thousands separator.
std::string Sheet_Line(const ReportRow& row, const std::string& decimalSeparator);
// The user's decimal separator (LOCALE_SDECIMAL), "." when it cannot be read.
std::string Sheet_DecimalSeparator();

// Reports (report_calc.cpp, report_list.cpp): 0, or -1 when nothing may be handed on.
void ReportCalc_ProjectBlock(int out);
void ReportCalc_Page(int out);
int ReportList_Body(int out);
