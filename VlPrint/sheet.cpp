// Output 4: the report's rows as tab-separated plain text, one report cell a
// column, so that a spreadsheet program that pastes it keeps labels, values
// and units in columns of their own.
#include "VlPrint/print_internal.h"

namespace {

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

std::string Sheet_Line(const ReportRow& row)
{
    int last = kRowCells - 1;
    while (last >= 0 && Cell_IsBlank(row.cells[last].text))
        --last;
    std::string line;
    for (int i = 0; i <= last; ++i) {
        if (i > 0)
            line += '\t';
        line += CellText(row.cells[i]);
    }
    return line;
}
