// Report 2, the thickness list: a title, a column heading row, a unit row and
// one row for each element of the list given to SetInsulationData, in the
// caller's order.
#include "VlPrint/print_internal.h"
#include "VlCalculate/vlcalculate.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include "support/lookups.h"
#include "support/utf8.h"
#include <cstring>

namespace {

constexpr uint16_t kNameFlags = Cell_Font3;
constexpr uint16_t kValueFlags = Cell_Font3 | Cell_Right;

// A column: its cell, heading text and width in the metafile (0.1 mm). The
// values are right-aligned at their cell and reach back to 1 mm short of the
// column before; the product name ends 1 mm short of three cells before the
// inner diameter.
struct ListColumn {
    int cell;
    int heading;
    int16_t width;
};

// The last column holds each candidate's total annual cost.
constexpr ListColumn kColumns[] = {{0, 30070, 334},  {7, 30092, 248},  {10, 30030, 248}, {13, 40019, 248},
                                   {15, 30025, 162}, {19, 30072, 334}, {21, 30084, 162}};
constexpr int kSurfaceHeading = 30072, kInnerSurfaceHeading = 30042;

void SetColumn(ReportRow& row, const ListColumn& column, const char* text)
{
    Cell_Set(row, column.cell, text, column.cell == 0 ? kNameFlags : kValueFlags);
    row.cells[column.cell].width = column.width;
}

// Currency units of annual costs per m² and per metre.
constexpr short kCostPerSquareMetreYear = 4, kCostPerMetreYear = 5;

// Unit text ids of the columns for the page's object kind; 0 leaves it empty.
// Pipes and both ducts are figured per metre, a plane or vessel per m²; the
// costs per year as well.
void Units(short kind, int units[7])
{
    const bool plane = kind == Kind_Plane;
    const bool pipe = kind >= Kind_Pipe && kind <= Kind_RectDuct;
    const int heatLoss = plane ? 30097 : pipe ? 30098 : 0;
    const int price =
        plane || pipe ? int(Price_CurrencyUnitTextId(plane ? kCostPerSquareMetreYear : kCostPerMetreYear)) : 0;
    const int all[7] = {0, 30032, 30032, 30032, heatLoss, 30039, price};
    for (int i = 0; i < 7; ++i)
        units[i] = all[i];
}

// A rectangular duct has inner and outer dimensions, no diameters; the
// surface temperature is the inner one where the page reports that.
int Heading(const ListColumn& column, short kind, bool innerSurface)
{
    if (column.heading == kSurfaceHeading)
        return innerSurface ? kInnerSurfaceHeading : kSurfaceHeading;
    if (kind != Kind_RectDuct)
        return column.heading;
    return column.heading == 30092 ? 45353 : column.heading == 30030 ? 45354 : column.heading;
}

// The first part, followed by " * " and the second when it is above 0.
std::string Dimension(float first, float second)
{
    std::string text = Report_FormatFloat(first, kDimensionDecimals);
    if (second > 0.0f)
        text += " * " + Report_FormatFloat(second, kDimensionDecimals);
    return text;
}

void PrintElement(const INSULATIONTHICKNESSRESULTLIST& e, const char* productTable, int out)
{
    char code[sizeof e.productCode + 1] = {};
    memcpy(code, e.productCode, sizeof e.productCode);
    const std::string values[7] = {Product_GetName(code, productTable),
                                   Dimension(e.innerDimension1, e.innerDimension2),
                                   Dimension(e.outerDimension1, e.outerDimension2),
                                   Report_FormatFloat(e.thickness, kDimensionDecimals),
                                   Report_FormatFloat(e.heatLoss, 1),
                                   Report_FormatFloat(e.surfaceTemp, 1),
                                   ThicknessList_IsCosted(e) ? Report_FormatFloat(e.totalAnnualCost, 2) : ""};
    ReportRow row = {};
    for (int i = 0; i < 7; ++i)
        SetColumn(row, kColumns[i], values[i].c_str());
    Report_PrintRow(row, out);
}

}  // namespace

int ReportList_Body(int out)
{
    const PrintGlobals& g = Prn();
    if (!g.list || g.listCount < 0)
        return -1;
    ReportRow title = {};
    Cell_Set(title, 0, Print_Text(30070), Cell_Font2Bold);
    if (g.listHeading[0])
        Cell_Set(title, 10, g.listHeading, Cell_Font2Bold);
    Report_PrintRow(title, out);
    Report_BlankRow(out);

    int units[7];
    const short kind = Kadmi_GetIntAtt(KadmiObject_Page, Att_ObjectKind);
    const bool innerSurface = Kadmi_GetIntAtt(KadmiObject_Page, Att_ReportedSurface) == Surface_Inner;
    Units(kind, units);
    ReportRow headings = {}, unitRow = {};
    for (int i = 0; i < 7; ++i) {
        SetColumn(headings, kColumns[i], Print_Text(Heading(kColumns[i], kind, innerSurface)));
        if (units[i] > 0)
            SetColumn(unitRow, kColumns[i], Print_Text(units[i]));
    }
    Report_PrintRow(headings, out);
    Report_PrintRow(unitRow, out);
    Report_Rule(0, 20, out);
    Report_BlankRow(out);

    char productTable[4] = {};
    if (g.layerParts[0] > 0)
        Kadmi_GetStringNAtt(g.layerParts[0], Att_ProductClass, productTable, 3);
    for (short i = 0; i < g.listCount; ++i)
        PrintElement(g.list[i], productTable, out);
    return 0;
}
