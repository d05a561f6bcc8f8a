// Times the calculation engine: one heat loss of a pipe with three layers,
// the thickness list over a whole product type on a temporary project page,
// and 117,649 heat losses in a row (49 thicknesses on each of three layers,
// the size of the cheapest-combination search). Prints the figures.
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include "VlCalculate/vlcalculate.h"
#include "bench/benchclock.h"
#include "VlUtil/vlutil.h"

namespace {
// 114.3 mm pipe at 250 °C in still air of 20 °C under three mineral wool layers.
HeatLossInput ThreeLayerPipe()
{
    HeatLossInput in{};
    in.objectType = kCalcPipe;
    in.ambientTemp = 20;
    in.emissivity = 0.9f;
    in.outerDiameter = 0.1143f;
    in.mediumTemp = 250;
    const float thickness[3] = {0.04f, 0.03f, 0.02f};
    const float a[3] = {0.040f, 0.033f, 0.030f};
    const float b[3] = {0.02f, 0.015f, 0.01f};
    const float c[3] = {0.008f, 0.006f, 0.0f};
    for (int k = 0; k < 3; ++k) {
        in.thickness[k] = thickness[k];
        in.coefA[k] = a[k];
        in.coefB[k] = b[k];
        in.coefC[k] = c[k];
    }
    return in;
}

void TimeOneHeatLoss()
{
    HeatLossInput in = ThreeLayerPipe();
    HeatLossOutput out{};
    const double start = Now();
    const short status = HeatLossCalculation(in, &out);
    const double first = Now() - start;
    const int repeats = 10000;
    const double loopStart = Now();
    for (int i = 0; i < repeats; ++i) {
        HeatLossCalculation(in, &out);
    }
    const double mean = (Now() - loopStart) / repeats;
    std::printf("one heat loss, pipe with three layers: %.2f us (first call), %.2f us (mean of %d); "
                "status %d, %.3f W/m\n",
                first * 1e6, mean * 1e6, repeats, status, out.heatLossPerMetre);
}

void TimeManyHeatLosses()
{
    HeatLossInput in = ThreeLayerPipe();
    HeatLossOutput out{};
    const int steps = 49;  // 49 thicknesses per layer: 49^3 = 117,649 calculations
    int failed = 0;
    double sum = 0;
    const double start = Now();
    for (int i = 0; i < steps; ++i) {
        for (int j = 0; j < steps; ++j) {
            for (int k = 0; k < steps; ++k) {
                in.thickness[0] = 0.01f + 0.005f * i;
                in.thickness[1] = 0.01f + 0.005f * j;
                in.thickness[2] = 0.01f + 0.005f * k;
                failed += HeatLossCalculation(in, &out) != 0;
                sum += out.heatLossPerMetre;
            }
        }
    }
    const double elapsed = Now() - start;
    std::printf("117,649 heat losses in a row: %.3f s (%.2f us each), %d failed, mean %.3f W/m\n", elapsed,
                elapsed / (steps * steps * steps) * 1e6, failed, sum / (steps * steps * steps));
}

// A temporary project whose page 1 is a 17.2 mm pipe at 150 °C (every bore of a
// pipe-section type fits), layer 1 of type MW-PIPESECTION.
bool MakePage(const std::string& file)
{
    if (Kadmi_CreateDatabasefile(file.c_str()) != 0 || Kadmi_LoadPage(1) != 0) {
        return false;
    }
    const long part = Kadmi_CreatePart();
    Kadmi_CreatePart();
    Kadmi_CreatePart();
    const float diameters[2] = {17.2f, 0};
    Kadmi_SetIntAtt(0, Att_ObjectKind, Kind_Pipe);
    Kadmi_SetAtt(0, Att_OuterDiameters, 2, diameters);
    Kadmi_SetFloatAtt(0, Att_ContentsTemperature, 150);
    Kadmi_SetFloatAtt(0, Att_AmbientTemperature, 20);
    Kadmi_SetFloatAtt(0, Att_RelativeHumidity, 60);
    Kadmi_SetFloatAtt(0, Att_Emissivity, 0.9f);
    Kadmi_SetIntAtt(0, Att_ReportedSurface, Surface_Outer);
    Kadmi_SetFloatAtt(0, Att_EnergyPriceIncrease, 2);
    Kadmi_SetFloatAtt(0, Att_UsefulLife, 20);
    Kadmi_SetFloatAtt(0, Att_EnergyPrice, 40);
    Kadmi_SetFloatAtt(0, Att_OperatingHours, 8000);
    Kadmi_SetFloatAtt(0, Att_InterestRate, 5);
    Kadmi_SetStringAtt(part, Att_ProductType, "MW-PIPESECTION");
    Kadmi_SetStringAtt(part, Att_ProductCode, "MWP-17.2-50");
    Kadmi_SetStringAtt(part, Att_ProductClass, "IP");
    return true;
}

void TimeThicknessList()
{
    char dir[MAX_PATH] = {};
    GetTempPathA(sizeof dir, dir);
    char file[MAX_PATH] = {};
    if (GetTempFileNameA(dir, "vlb", 0, file) == 0 || !DeleteFileA(file) || !MakePage(file)) {
        std::printf("thickness list: no project page could be made\n");
        return;
    }
    INSULATIONTHICKNESSINPUT in{};
    in.part = Kadmi_IthPart(0);
    std::memcpy(in.productGroup, "IP", 2);
    in.calculationCase = kCaseEconomic;
    short count = 0;
    const double start = Now();
    CalculateInsulationThicknessList(in, &count);
    const double elapsed = Now() - start;
    std::printf("thickness list over a full product type (MW-PIPESECTION): %.2f ms for %d entries "
                "(%.0f us each)\n",
                elapsed * 1e3, count, count > 0 ? elapsed / count * 1e6 : 0.0);
    DeleteThicknessResultList();
    Kadmi_CloseDatabasefile(0);
    DeleteFileA(file);
}
} // namespace

int main()
{
    ErrorList_Reset();
    TimeOneHeatLoss();
    TimeThicknessList();
    TimeManyHeatLosses();
    return 0;
}
