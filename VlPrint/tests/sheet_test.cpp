// The spreadsheet copy's figures under the user's decimal separator, and the
// page heading's program name as the interface gives it.
#include "VlPrint/print_internal.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

ReportRow RowOf(std::initializer_list<const char*> cells)
{
    ReportRow row = {};
    int i = 0;
    for (const char* text : cells)
        Cell_Set(row, i++, text, 0);
    return row;
}

TEST(SheetCopy, FiguresTakeTheUsersDecimalSeparator)
{
    const struct {
        const char* name;
        const char* decimal;
        std::initializer_list<const char*> cells;
        const char* line;
    } rows[] = {
        {"comma: a figure", ",", {"Price", "23.96", "EUR/m"}, "Price\t23,96\tEUR/m"},
        {"comma: negative, whole and zero", ",", {"-0.5", "150", "0.00"}, "-0,5\t150\t0,00"},
        {"comma: dimensions, dates and texts stay", ",", {"114.3 x 50", "9.12.2026", "1.0 / Data", "Pipe 1."},
         "114.3 x 50\t9.12.2026\t1.0 / Data\tPipe 1."},
        {"point", ".", {"Price", "23.96", "-1234.5"}, "Price\t23.96\t-1234.5"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Sheet_Line(RowOf(row.cells), row.decimal), row.line) << row.name;
}

// The separator comes from the user's regional setting as it stands.
TEST(SheetCopy, TheSeparatorIsTheUsersSetting)
{
    char saved[8] = {};
    ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved, sizeof saved), 0);
    for (const char* decimal : {",", "."}) {
        ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal));
        EXPECT_EQ(Sheet_DecimalSeparator(), decimal);
    }
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved);
}

TEST(ReportHeading, NamesTheProgramTheInterfaceGave)
{
    const std::string saved = Prn().application;
    for (const char* program : {"Varmelin", "TERVALOT"}) {
        std::snprintf(Prn().application, sizeof Prn().application, "%s", program);
        Print_BuildHeading("2026.1");
        EXPECT_EQ(std::string(Prn().heading), std::string(Print_Text(1)) + " - " + program + " 2026.1");
    }
    std::snprintf(Prn().application, sizeof Prn().application, "%s", saved.c_str());
}

}  // namespace
