// Report 1, the calculation report: the project block once, then for each
// printed system its title and the sections base data, economy, cooling and
// freezing, as the print options choose them. Rows come from the row engine.
#include "VlPrint/print_internal.h"
#include "Kadmi/kadmi.h"
#include "support/lookups.h"
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

constexpr long kSystem = KadmiObject_Page;
constexpr uint16_t kLabel = Cell_Font2;
constexpr int kValueCell = 17;
enum ObjectKind : short { Kind_Plane = 10, Kind_Pipe = 11, Kind_RoundDuct = 12, Kind_RectDuct = 13 };

short Kind()
{
    return Kadmi_GetIntAtt(kSystem, 1117);
}

bool IsPipeOrDuct(short kind)
{
    return kind == Kind_Pipe || kind == Kind_RoundDuct || kind == Kind_RectDuct;
}

int Currency(short kind)
{
    return int(Price_CurrencyUnitTextId(kind));
}

// A float row of the system: label in cell 0, value in cell 17, unit in 18.
void Value(short att, int label, int decimals, int unit, int out)
{
    Report_FloatAttRow(kSystem, label, kLabel, 0, kValueCell, att, decimals, unit, out);
}

// A label in cell 0 and a text in cell 17.
void TextRow(const char* label, const char* text, uint16_t textFlags, int out)
{
    ReportRow row = {};
    Cell_Set(row, 0, label, kLabel);
    Cell_Set(row, kValueCell, text, textFlags);
    Report_PrintRow(row, out);
}

// The outermost product's own surface has no material record of its own:
// it prints as that choice, not as a user-defined material.
const char* SurfaceMaterialText()
{
    char code[100] = {};
    short count = 0;
    Kadmi_GetAtt(kSystem, 1528, &count, code, sizeof code - 1);
    return std::strcmp(code, "-200") == 0 ? Print_Text(40051) : Product_GetCmText(nullptr);
}

void SectionTitle(int textId, int out)
{
    Report_BlankRow(out);
    Report_TitleRow(0, Print_Text(textId), out, Cell_Font1Bold);
}

// "<layer> 1", "<layer> 2" or "<layer> 3".
std::string LayerName(int k)
{
    char text[160];
    snprintf(text, sizeof text, "%s %d", Print_Text(30071), k);
    return text;
}

void Dimensions(short kind, int out)
{
    if (kind == Kind_Pipe || kind == Kind_RoundDuct)
        Report_FloatArrayAttRow(kSystem, 30030, kLabel, 0, kValueCell, 1312, kind == Kind_Pipe ? 0 : 1,
                                kDimensionDecimals, 30032, out);
    if (kind == Kind_RectDuct) {
        Value(1313, 30029, kDimensionDecimals, 30032, out);
        Value(1314, 30031, kDimensionDecimals, 30032, out);
    }
}

// Product rows of the used layers; the first value cell of the layer rows.
int LayerProducts(int out)
{
    int firstCell = kValueCell;
    for (int k = 0; k < 3; ++k) {
        long part = Prn().layerParts[k];
        if (!Layer_IsUsed(part))
            continue;
        if (k > 0)
            firstCell -= 4;
        TextRow(LayerName(k + 1).c_str(), Product_GetNameOfPart(part), Cell_Font2 | Cell_Right, out);
    }
    return firstCell;
}

void LayerValues(short kind, int firstCell, int out)
{
    ReportRow heading = {};
    for (int k = 0; k < 3; ++k)
        if (Layer_IsUsed(Prn().layerParts[k]))
            Cell_Set(heading, firstCell + 4 * k, LayerName(k + 1).c_str(), Cell_Font2 | Cell_Right);
    Report_PrintRow(heading, out);
    if (kind == Kind_Pipe || kind == Kind_RoundDuct) {
        Report_LayerFloatRow(30092, kLabel, 0, firstCell, 1324, kDimensionDecimals, 30032, out);
        Report_LayerFloatRow(30030, kLabel, 0, firstCell, 1325, kDimensionDecimals, 30032, out);
    }
    Report_LayerFloatRow(40019, kLabel, 0, firstCell, 1326, kDimensionDecimals, 30032, out);
    Report_LayerFloatRow(30072, kLabel, 0, firstCell, 1328, 1, 30039, out);
    Report_LayerFloatRow(30073, kLabel, 0, firstCell, 1329, 2, Currency(kind == Kind_Plane ? 2 : 1), out);
}

// A system without a dew point (a warm object's outer surface, no humidity)
// has no 1322: the row says so in words.
void DewPoint(int out)
{
    if (Kadmi_GetFloatAttZ(kSystem, 1322) == AttMissing_Float)
        TextRow(Print_Text(30094), Print_Text(45241), Cell_Font2 | Cell_Right, out);
    else
        Value(1322, 30094, 1, 30039, out);
}

// The temperature of the surface that the system reports: the inner one is
// the system's, the outer one that of the outermost layer's face.
void SurfaceTemperature(int out)
{
    const long outermost = Prn().layerParts[2];
    if (Kadmi_GetIntAtt(kSystem, 1120) == 1 && outermost > 0)
        Report_FloatAttRow(outermost, 30072, kLabel, 0, kValueCell, 1328, 1, 30039, out);
    else
        Value(1328, 30042, 1, 30039, out);
}

void BaseData(int out)
{
    const short kind = Kind();
    SectionTitle(30025, out);
    Report_BlankRow(out);
    int kindText = kind == Kind_Plane ? 30026 : kind == Kind_Pipe ? 30027 : IsPipeOrDuct(kind) ? 30028 : kNoText;
    Report_TitleRow(0, Print_Text(kindText), out, Cell_Font2Bold);
    Report_BlankRow(out);
    Dimensions(kind, out);
    Value(1318, 30035, 2, 30041, out);
    Value(1317, 30036, 1, 30040, out);
    Value(1315, 30037, 1, 30039, out);
    Value(1316, 30038, 1, 30039, out);
    SurfaceTemperature(out);
    Report_BlankRow(out);
    const int firstCell = LayerProducts(out);
    if (const char* material = SurfaceMaterialText())
        TextRow(Print_Text(30033), material, Cell_Font2 | Cell_Right, out);
    Value(1319, 30034, 2, 0, out);
    Report_BlankRow(out);
    LayerValues(kind, firstCell, out);
    Report_BlankRow(out);
    short surface = Kadmi_GetIntAtt(kSystem, 1120);
    TextRow(Print_Text(30096), Print_Text(surface == 1 ? 20035 : surface == 2 ? 20034 : kNoText), Cell_Right, out);
    DewPoint(out);
    Value(1323, 30025, 1, kind == Kind_Plane ? 30097 : 30098, out);
}

void Economy(int out)
{
    SectionTitle(30074, out);
    Value(1359, 30077, 1, 30040, out);
    Value(1360, 30078, 1, 30087, out);
    Value(1361, 30079, 2, Currency(3), out);
    Value(1362, 30080, 1, 30086, out);
    Value(1363, 30081, 1, 30040, out);
    if (Kind() == Kind_Plane) {
        Value(1371, 30082, 2, Currency(4), out);
        Value(1373, 30083, 2, Currency(4), out);
        Value(1375, 30084, 2, Currency(4), out);
    } else {
        Value(1370, Kadmi_GetIntAtt(kSystem, 1136) != 0 ? 20071 : 20070, 2, Currency(5), out);
        Value(1372, 30083, 2, Currency(5), out);
        Value(1374, 30084, 2, Currency(5), out);
    }
}

// Label of the time to the final temperature: cooling or warming.
int TimeLabel(int cooling, int warming)
{
    return Kadmi_GetFloatAtt(kSystem, 1315) > Kadmi_GetFloatAtt(kSystem, 1316) ? cooling : warming;
}

void VesselRows(int out)
{
    short shape = Kadmi_GetIntAtt(kSystem, 1125);
    if (shape == 0)
        Value(1335, 20036, 3, 30057, out);
    if (shape == 1) {
        Value(1335, 20037, 3, 30057, out);
        Value(1336, 30045, 3, 30057, out);
    }
    Value(1337, 30031, 3, 30057, out);
    Value(1364, 30046, 3, 30059, out);
    Value(1365, 30047, 3, 30058, out);
}

void Cooling(int out)
{
    SectionTitle(30021, out);
    const short stationary = Kadmi_GetIntAtt(kSystem, 1135);
    const short flowAs = Kadmi_GetIntAtt(kSystem, 1124);
    const short kind = Kind();
    const bool duct = IsPipeOrDuct(kind);
    if (kind == Kind_Plane)
        VesselRows(out);
    Report_BlankRow(out);
    TextRow(Print_Text(30043), Print_Text(Kadmi_GetIntAtt(kSystem, 1123) == 1 ? 30066 : 30065), Cell_Right, out);
    Value(1330, 40000, 2, 30060, out);
    if (stationary == 1 || flowAs != 0)
        Value(1331, 40001, 2, 30061, out);
    if (!duct)
        Value(1338, 40007, 2, 30039, out);
    if (duct && stationary == 1) {
        Value(1377, 40011, 2, 30060, out);
        Value(1378, 40012, 2, 30061, out);
        Value(1338, 30055, 2, 30039, out);
    }
    if (kind != Kind_Plane)
        Value(1383, 40082, 2, 30057, out);
    if (duct && stationary == 0) {
        static constexpr struct { short att; int label; int unit; } kFlows[3] = {
            {1332, 30050, 30062}, {1333, 30051, 30063}, {1334, 30052, 30041}};
        if (flowAs >= 0 && flowAs <= 2)
            Value(kFlows[flowAs].att, kFlows[flowAs].label, 3, kFlows[flowAs].unit, out);
    }
    if (kind == Kind_Plane)
        Value(1344, TimeLabel(30056, 40060), 1, 30064, out);
    if (kind != Kind_Plane && stationary == 0) {
        Value(1342, 40025, 3, 30039, out);
        Value(1343, 30055, 3, 30039, out);
    }
    if (duct && stationary == 1)
        Value(1344, TimeLabel(40027, 40059), 1, 30064, out);
}

void Freezing(int out)
{
    SectionTitle(30104, out);
    ReportRow heading = {};
    Cell_Set(heading, 13, Print_Text(30043), Cell_Font2Bold | Cell_Right);
    Cell_Set(heading, 17, Print_Text(30027), Cell_Font2Bold | Cell_Right);
    Report_PrintRow(heading, out);
    ReportRow names = {};
    Cell_Set(names, 13, Print_Text(30066), Cell_Font2 | Cell_Right);
    Cell_Set(names, 17, Print_Text(30069), Cell_Font2 | Cell_Right);
    Report_PrintRow(names, out);
    static constexpr struct { int label; short a, b; int unit; } kPairs[] = {
        {30048, 1347, 1345, 30060}, {30049, 1348, 1346, 30061}, {30067, 1349, -1, 30039},
        {30068, 1350, -1, 30064},   {20053, 1380, -1, 30064}};
    for (const auto& p : kPairs)
        Report_FloatPairRow(kSystem, p.label, kLabel, 0, 13, 17, p.a, p.b, 1, p.unit, out);
}

}  // namespace

void ReportCalc_ProjectBlock(int out)
{
    constexpr long kProject = KadmiObject_Project;
    Report_StringAttRow(kProject, 30099, kLabel, 0, 5, 1502, 0, out);
    Report_StringAttRow(kProject, 30016, kLabel, 0, 5, 1533, 0, out);
    Report_StringAttRow(kProject, kNoText, kLabel, 0, 5, 1534, 0, out);
    Report_BlankRow(out);
    Report_BlankRow(out);
    Report_StringAttRow(kProject, 30100, kLabel, 0, 5, 1501, 0, out);
    Report_StringAttRow(kProject, 30101, kLabel, 0, 5, 1503, 0, out);
    Report_StringAttRow(kProject, 30102, kLabel, 0, 5, 1504, 0, out);
    // Room for the character that straddles the limit, so the wrap sees it whole.
    char remark[kWrapLimit + 4] = {};
    if (Kadmi_GetStringNAtt(kProject, 1506, remark, sizeof remark))
        Report_MultiLineRow(0, Print_Text(30103), 5, remark, out);
}

// Each section stays on one page; the system's name stays with the first.
void ReportCalc_Page(int out)
{
    const PrintGlobals& g = Prn();
    // The base data come first, once, whichever sections are printed.
    Report_KeepTogether(out, [&g, out] {
        Report_BlankRow(out);
        char name[kFooterTitleSize] = {};
        if (Kadmi_GetStringNAtt(kSystem, 1535, name, sizeof name) && name[0]) {
            Report_BlankRow(out);
            Report_TitleRow(0, name, out, Cell_Font1Bold);
        }
        if (g.baseData || g.economy || g.cooling || g.freezing)
            BaseData(out);
    });
    const std::pair<bool, void (*)(int)> sections[] = {{g.economy, Economy}, {g.cooling, Cooling},
                                                       {g.freezing, Freezing}};
    for (const auto& section : sections)
        if (section.first)
            Report_KeepTogether(out, [&section, out] { section.second(out); });
}
