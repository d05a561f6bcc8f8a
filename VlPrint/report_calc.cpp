// Report 1, the calculation report: the project block once, then for each
// printed system its title and the sections base data, economy, cooling and
// freezing, as the print options choose them. A section prints its results
// only while they are those of the system as it is, and says otherwise that
// it is not calculated. Rows come from the row engine.
#include "VlPrint/print_internal.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include "support/lookups.h"
#include "resultstamps/resultstamps.h"
#include <cstdio>
#include <string>
#include <utility>

namespace {

constexpr long kSystem = KadmiObject_Page;
constexpr uint16_t kLabel = Cell_Font2;
constexpr int kValueCell = 17;

short Kind()
{
    return Kadmi_GetIntAtt(kSystem, Att_ObjectKind);
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

// The product code (attribute 1528) of the system or of a layer part.
std::string ProductCode(long object)
{
    char code[100] = {};
    short count = 0;
    Kadmi_GetAtt(object, Att_ProductCode, &count, code, sizeof code - 1);
    return code;
}

// The outermost product's own surface has no material record of its own:
// it prints as that choice, not as a user-defined material.
const char* SurfaceMaterialText()
{
    return ProductCode(kSystem) == "-200" ? Print_Text(40051) : Product_GetCmText(nullptr);
}

void SectionTitle(int textId, int out)
{
    Report_BlankRow(out);
    Report_TitleRow(0, Print_Text(textId), out, Cell_Font1Bold);
}

// In place of a section's results that are not those of the system as it is.
void NotCalculated(int out)
{
    Report_TitleRow(0, Print_Text(40068), out, kLabel);
}

// A float row of a section's results: printed only while they are current.
void Result(bool current, short att, int label, int decimals, int unit, int out)
{
    if (current)
        Value(att, label, decimals, unit, out);
}

constexpr char kOwnThicknessCode[] = "-456";


// The thickness of each layer: the nominal one of a listed product, the
// entered one of a layer of its own thickness, which has no nominal one.
void LayerThicknesses(int firstCell, int out)
{
    short attributes[3] = {Att_NominalThickness, Att_NominalThickness, Att_NominalThickness};
    bool own = false;
    for (int k = 0; k < 3; ++k) {
        const long part = Prn().layerParts[k];
        if (Layer_IsUsed(part) && ProductCode(part) == kOwnThicknessCode) {
            attributes[k] = Att_Thickness;
            own = true;
        }
    }
    Report_LayerFloatRow(own ? 45355 : 40019, kLabel, 0, firstCell, attributes, kDimensionDecimals, 30032, out);
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
        Report_FloatArrayAttRow(kSystem, 30030, kLabel, 0, kValueCell, Att_OuterDiameters, kind == Kind_Pipe ? 0 : 1,
                                kDimensionDecimals, 30032, out);
    if (kind == Kind_RectDuct) {
        Value(Att_DuctWidth, 30029, kDimensionDecimals, 30032, out);
        Value(Att_DuctHeight, 30031, kDimensionDecimals, 30032, out);
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

void LayerValues(short kind, int firstCell, bool current, int out)
{
    ReportRow heading = {};
    for (int k = 0; k < 3; ++k)
        if (Layer_IsUsed(Prn().layerParts[k]))
            Cell_Set(heading, firstCell + 4 * k, LayerName(k + 1).c_str(), Cell_Font2 | Cell_Right);
    Report_PrintRow(heading, out);
    if (kind == Kind_Pipe || kind == Kind_RoundDuct) {
        Report_LayerFloatRow(30092, kLabel, 0, firstCell, Att_InnerDiameter, kDimensionDecimals, 30032, out);
        Report_LayerFloatRow(30030, kLabel, 0, firstCell, Att_OuterDiameter, kDimensionDecimals, 30032, out);
    }
    LayerThicknesses(firstCell, out);
    if (!current)
        return;
    Report_LayerFloatRow(30072, kLabel, 0, firstCell, Att_FaceTemperature, 1, 30039, out);
    Report_LayerFloatRow(30073, kLabel, 0, firstCell, Att_MaterialPrice, 2, Currency(kind == Kind_Plane ? 2 : 1), out);
}

// A system without a dew point (a warm object's outer surface, no humidity)
// has no 1322: the row says so in words.
void DewPoint(int out)
{
    if (Kadmi_GetFloatAttZ(kSystem, Att_DewPoint) == AttMissing_Float)
        TextRow(Print_Text(30094), Print_Text(45241), Cell_Font2 | Cell_Right, out);
    else
        Value(Att_DewPoint, 30094, 1, 30039, out);
}

// The temperature of the surface that the system reports: the inner one is
// the system's, the outer one that of the outermost layer's face.
void SurfaceTemperature(int out)
{
    const long outermost = Prn().layerParts[2];
    if (Kadmi_GetIntAtt(kSystem, Att_ReportedSurface) == Surface_Outer && outermost > 0)
        Report_FloatAttRow(outermost, 30072, kLabel, 0, kValueCell, Att_FaceTemperature, 1, 30039, out);
    else
        Value(Att_FaceTemperature, 30042, 1, 30039, out);
}

int KindText(short kind)
{
    switch (kind) {
    case Kind_Plane: return 30026;
    case Kind_Pipe: return 30027;
    case Kind_RoundDuct: return 40015;
    case Kind_RectDuct: return 30028;
    default: return kNoText;
    }
}

void BaseData(int out, const SystemResultFacts& facts)
{
    const short kind = Kind();
    const bool current = Results_Current(facts, ResultSection::HeatLoss);
    SectionTitle(30025, out);
    Report_BlankRow(out);
    Report_TitleRow(0, Print_Text(KindText(kind)), out, Cell_Font2Bold);
    Report_BlankRow(out);
    Dimensions(kind, out);
    Value(Att_AirVelocity, 30035, 2, 30041, out);
    Value(Att_RelativeHumidity, 30036, 1, 30040, out);
    Value(Att_ContentsTemperature, 30037, 1, 30039, out);
    Value(Att_AmbientTemperature, 30038, 1, 30039, out);
    if (current)
        SurfaceTemperature(out);
    Report_BlankRow(out);
    const int firstCell = LayerProducts(out);
    if (const char* material = SurfaceMaterialText())
        TextRow(Print_Text(30033), material, Cell_Font2 | Cell_Right, out);
    Value(Att_Emissivity, 30034, 2, 0, out);
    Report_BlankRow(out);
    LayerValues(kind, firstCell, current, out);
    Report_BlankRow(out);
    short surface = Kadmi_GetIntAtt(kSystem, Att_ReportedSurface);
    TextRow(Print_Text(30096), Print_Text(surface == 1 ? 20035 : surface == 2 ? 20034 : kNoText), Cell_Right, out);
    if (!current) {
        NotCalculated(out);
        return;
    }
    DewPoint(out);
    Value(Att_HeatLoss, 30025, 1, kind == Kind_Plane ? 30097 : 30098, out);
}

void Economy(int out, const SystemResultFacts& facts)
{
    SectionTitle(30074, out);
    Value(Att_EnergyPriceIncrease, 30077, 1, 30040, out);
    Value(Att_UsefulLife, 30078, 1, 30087, out);
    Value(Att_EnergyPrice, 30079, 2, Currency(3), out);
    Value(Att_OperatingHours, 30080, 1, 30086, out);
    Value(Att_InterestRate, 30081, 1, 30040, out);
    if (!Results_Current(facts, ResultSection::Costs)) {
        NotCalculated(out);
        return;
    }
    if (Kind() == Kind_Plane) {
        Value(Att_PlaneCapitalCost, 30082, 2, Currency(4), out);
        Value(Att_PlaneEnergyCost, 30083, 2, Currency(4), out);
        Value(Att_PlaneTotalCost, 30084, 2, Currency(4), out);
    } else {
        Value(Att_CapitalCost, Kadmi_GetIntAtt(kSystem, Att_AllPricesFound) != 0 ? 20071 : 20070, 2, Currency(5), out);
        Value(Att_EnergyCost, 30083, 2, Currency(5), out);
        Value(Att_TotalCost, 30084, 2, Currency(5), out);
    }
}

// Label of the time to the final temperature: cooling or warming.
int TimeLabel(int cooling, int warming)
{
    return Kadmi_GetFloatAtt(kSystem, Att_ContentsTemperature) > Kadmi_GetFloatAtt(kSystem, Att_AmbientTemperature) ? cooling : warming;
}

void VesselRows(bool current, int out)
{
    short shape = Kadmi_GetIntAtt(kSystem, Att_VesselShape);
    if (shape == 0)
        Value(Att_VesselSide1, 20036, 3, 30057, out);
    if (shape == 1) {
        Value(Att_VesselSide1, 20037, 3, 30057, out);
        Value(Att_VesselSide2, 30045, 3, 30057, out);
    }
    Value(Att_VesselHeight, 30031, 3, 30057, out);
    Result(current, Att_TankArea, 30046, 3, 30059, out);
    Result(current, Att_TankVolume, 30047, 3, 30058, out);
}

void Cooling(int out, const SystemResultFacts& facts)
{
    const bool current = Results_Current(facts, ResultSection::Cooling);
    SectionTitle(30021, out);
    const short stationary = Kadmi_GetIntAtt(kSystem, Att_CoolingCase);
    const short flowAs = Kadmi_GetIntAtt(kSystem, Att_FlowGivenAs);
    const short kind = Kind();
    const bool duct = IsPipeOrDuct(kind);
    if (kind == Kind_Plane)
        VesselRows(current, out);
    Report_BlankRow(out);
    TextRow(Print_Text(30043), Print_Text(Kadmi_GetIntAtt(kSystem, Att_Contents) == 1 ? 30066 : 30065), Cell_Right, out);
    Value(Att_ContentsHeatCapacity, 40000, 2, 30060, out);
    if (stationary == 1 || flowAs != 0)
        Value(Att_ContentsDensity, 40001, 2, 30061, out);
    if (!duct)
        Value(Att_FinalTemperature, 40007, 2, 30039, out);
    if (duct && stationary == 1) {
        Value(Att_PipeHeatCapacity, 40011, 2, 30060, out);
        Value(Att_PipeDensity, 40012, 2, 30061, out);
        Value(Att_FinalTemperature, 30055, 2, 30039, out);
    }
    if (kind != Kind_Plane)
        Value(Att_PipeLength, 40082, 2, 30057, out);
    if (duct && stationary == 0) {
        static constexpr struct { short att; int label; int unit; } kFlows[3] = {
            {Att_MassFlow, 30050, 30062}, {Att_VolumeFlow, 30051, 30063}, {Att_FlowVelocity, 30052, 30041}};
        if (flowAs >= 0 && flowAs <= 2)
            Value(kFlows[flowAs].att, kFlows[flowAs].label, 3, kFlows[flowAs].unit, out);
    }
    if (kind == Kind_Plane)
        Result(current, Att_CoolingTime, TimeLabel(30056, 40060), 1, 30064, out);
    if (kind != Kind_Plane && stationary == 0) {
        Result(current, Att_TemperatureChange, 40025, 3, 30039, out);
        Result(current, Att_OutletTemperature, 30055, 3, 30039, out);
    }
    if (duct && stationary == 1)
        Result(current, Att_CoolingTime, TimeLabel(40027, 40059), 1, 30064, out);
    if (!current)
        NotCalculated(out);
}

// Only a pipe freezes: other systems have no freezing section.
void Freezing(int out, const SystemResultFacts& facts)
{
    if (facts.kind != Kind_Pipe)
        return;
    const bool current = Results_Current(facts, ResultSection::Freezing);
    SectionTitle(30104, out);
    ReportRow heading = {};
    Cell_Set(heading, 13, Print_Text(30043), Cell_Font2Bold | Cell_Right);
    Cell_Set(heading, 17, Print_Text(30027), Cell_Font2Bold | Cell_Right);
    Report_PrintRow(heading, out);
    ReportRow names = {};
    Cell_Set(names, 13, Print_Text(30066), Cell_Font2 | Cell_Right);
    Cell_Set(names, 17, Print_Text(30069), Cell_Font2 | Cell_Right);
    Report_PrintRow(names, out);
    static constexpr struct { int label; short a, b; int unit; bool result; } kPairs[] = {
        {30048, Att_ContentsHeatCapacityFreezing, Att_PipeHeatCapacityFreezing, 30060, false}, {30049, Att_ContentsDensityFreezing, Att_PipeDensityFreezing, 30061, false}, {30067, Att_FreezingTemperature, -1, 30039, false},
        {30068, Att_FreezingStarts, -1, 30064, true},    {20053, Att_FrozenThrough, -1, 30064, true}};
    // Air that is not colder than the freezing temperature leaves no times.
    const float air = Kadmi_GetFloatAttZ(kSystem, Att_AmbientTemperature), freezing = Kadmi_GetFloatAttZ(kSystem, Att_FreezingTemperature);
    const bool neverFreezes = Kadmi_GetFloatAttZ(kSystem, Att_FreezingStarts) == AttMissing_Float && air != AttMissing_Float &&
                              freezing != AttMissing_Float && air >= freezing;
    for (const auto& p : kPairs) {
        if (p.result && !current)
            continue;
        if (p.result && neverFreezes)
            TextRow(Print_Text(p.label), Print_Text(40085), Cell_Font2 | Cell_Right, out);
        else
            Report_FloatPairRow(kSystem, p.label, kLabel, 0, 13, 17, p.a, p.b, 1, p.unit, out);
    }
    if (!current)
        NotCalculated(out);
}

}  // namespace

void ReportCalc_ProjectBlock(int out)
{
    constexpr long kProject = KadmiObject_Project;
    Report_StringAttRow(kProject, 30099, kLabel, 0, 5, Att_Customer, 0, out);
    Report_StringAttRow(kProject, 30016, kLabel, 0, 5, Att_Address1, 0, out);
    Report_StringAttRow(kProject, kNoText, kLabel, 0, 5, Att_Address2, 0, out);
    Report_BlankRow(out);
    Report_BlankRow(out);
    Report_StringAttRow(kProject, 30100, kLabel, 0, 5, Att_ProjectName, 0, out);
    Report_StringAttRow(kProject, 30101, kLabel, 0, 5, Att_Reference, 0, out);
    Report_StringAttRow(kProject, 30102, kLabel, 0, 5, Att_UserName, 0, out);
    // Room for the character that straddles the limit, so the wrap sees it whole.
    char remark[kWrapLimit + 4] = {};
    if (Kadmi_GetStringNAtt(kProject, Att_Information, remark, sizeof remark))
        Report_MultiLineRow(0, Print_Text(30103), 5, remark, out);
}

// Each section stays on one page; the system's name stays with the first.
void ReportCalc_Page(int out)
{
    const PrintGlobals& g = Prn();
    const SystemResultFacts facts = Results_OfLoadedSystem();
    // The base data come first, once, whichever sections are printed.
    Report_KeepTogether(out, [&g, &facts, out] {
        Report_BlankRow(out);
        char name[kFooterTitleSize] = {};
        if (Kadmi_GetStringNAtt(kSystem, Att_SystemName, name, sizeof name) && name[0]) {
            Report_BlankRow(out);
            Report_TitleRow(0, name, out, Cell_Font1Bold);
        }
        if (g.baseData || g.economy || g.cooling || g.freezing)
            BaseData(out, facts);
    });
    const std::pair<bool, void (*)(int, const SystemResultFacts&)> sections[] = {
        {g.economy, Economy}, {g.cooling, Cooling}, {g.freezing, Freezing}};
    for (const auto& section : sections)
        if (section.first)
            Report_KeepTogether(out, [&section, &facts, out] { section.second(out, facts); });
}
