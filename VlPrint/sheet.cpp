// Output 4: the report's rows as tab-separated plain text, one report cell a
// column, so that a spreadsheet program that pastes it keeps labels, values
// and units in columns of their own, and reads its numbers as numbers: a
// decimal number is written with the user's decimal separator.
#include "VlPrint/print_internal.h"
#include <algorithm>
#include <cctype>
#include <string_view>

namespace {

constexpr int kSeparatorUnits = 8;   // LOCALE_SDECIMAL holds at most four characters

bool IsDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

// "23.96" or "-0.5" as the report writes a figure: a sign, digits, a point,
// digits. Dates, versions and dimensions ("114.3 x 50") are no such cell.
bool IsDecimalFigure(std::string_view text)
{
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    const size_t point = text.find('.');
    return point != std::string_view::npos && IsDigits(text.substr(0, point)) && IsDigits(text.substr(point + 1));
}

// The cell's text without surrounding blanks; a tab or line break inside
// would split the cell, so it becomes a blank.
std::string CellText(const ReportCell& cell)
{
    std::string text = Text_Repaired(cell.text, kCellTextSize - 1);
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string Sheet_DecimalSeparator()
{
    wchar_t separator[kSeparatorUnits] = {};
    char text[kSeparatorUnits * 3] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, kSeparatorUnits) <= 1 ||
        WideCharToMultiByte(CP_UTF8, 0, separator, -1, text, sizeof text, nullptr, nullptr) <= 1)
        return ".";
    return text;
}

std::string Sheet_Line(const ReportRow& row, const std::string& decimalSeparator)
{
    int last = kRowCells - 1;
    while (last >= 0 && Cell_IsBlank(row.cells[last].text))
        --last;
    std::string line;
    for (int i = 0; i <= last; ++i) {
        if (i > 0)
            line += '\t';
        std::string cell = CellText(row.cells[i]);
        if (IsDecimalFigure(cell))
            cell.replace(cell.find('.'), 1, decimalSeparator);
        line += cell;
    }
    return line;
}
