// The window benchmark's projects: a seed system whose inputs are written as
// the Object and Heat loss tabs store them, calculated and saved by the real
// program, and projects grown from it with the project library.
#include "bench/window_projects.h"
#include "bench/window_driver.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include <commctrl.h>
#include <cstdio>

namespace {

constexpr int kObjectTab = 1, kHeatLossTab = 2;
constexpr int kCalculateButton = 203;
constexpr int kFirstResultLine = 650;
constexpr UINT kSaveCommand = 503;

struct Layer {
    const char* type;
    const char* recordClass;
    const char* code;
    float thickness, inner, outer;   // mm
};

// Pipe sections over the pipe, a wired mat, a high-temperature slab outside.
constexpr Layer kLayers[3] = {
    {"MW-PIPESECTION", "IP", "MWP-114.3-50", 50, 114.3f, 214.3f},
    {"MW-WIREDMAT", "IM", "MWM-40", 40, 214.3f, 294.3f},
    {"MW-SLAB-HT", "IM", "MWS-30", 30, 294.3f, 354.3f},
};

void WriteProjectBlock()
{
    Kadmi_SetStringAtt(KadmiObject_Project, Att_ProjectName, "Power plant, boiler house");
    Kadmi_SetStringAtt(KadmiObject_Project, Att_Customer, "Plant owner");
    Kadmi_SetStringAtt(KadmiObject_Project, Att_UserName, "Benchmark");
    Kadmi_SetIntAtt(KadmiObject_Project, Att_PriceCurrency, 0);   // prices in EUR
}

// A 114.3 mm steam pipe at 150 °C in a hall at 20 °C, its surface that of
// the outermost product, the heat loss and surface temperature asked, the
// economic data the cheapest combination costs with and the target humidity
// the extended edition checks.
void WriteSystem()
{
    Kadmi_SetStringAtt(KadmiObject_Page, Att_SystemName, Projects_SystemName(0).c_str());
    Kadmi_SetIntAtt(KadmiObject_Page, Att_ObjectKind, Kind_Pipe);
    const float diameters[2] = {114.3f, 0};
    Kadmi_SetAtt(KadmiObject_Page, Att_OuterDiameters, 2, diameters);
    Kadmi_SetIntAtt(KadmiObject_Page, Att_Location, -100);   // conditions entered by the user
    Kadmi_SetIntAtt(KadmiObject_Page, Att_SurfaceMaterial, 0);
    Kadmi_SetStringAtt(KadmiObject_Page, Att_ProductCode, "-200");
    Kadmi_SetIntAtt(KadmiObject_Page, Att_ReportedSurface, Surface_Outer);
    const struct {
        short att;
        float value;
    } floats[] = {{Att_ContentsTemperature, 150}, {Att_AmbientTemperature, 20}, {Att_RelativeHumidity, 50}, {Att_AirVelocity, 0.5f}, {Att_Emissivity, 0.9f},
                  {Att_EnergyPriceIncrease, 2},   {Att_UsefulLife, 20}, {Att_EnergyPrice, 40}, {Att_OperatingHours, 8000}, {Att_InterestRate, 5}, {Att_TargetHumidity, 50}};
    for (const auto& f : floats)
        Kadmi_SetFloatAtt(KadmiObject_Page, f.att, f.value);
}

void WriteLayers()
{
    for (int k = 0; k < 3; ++k) {
        const Layer& layer = kLayers[k];
        long part = Kadmi_CreatePart();
        Kadmi_SetIntAtt(part, Att_NewLayer, 1);
        if (k == 0)
            Kadmi_SetIntAtt(part, Att_CalculationCase, Case_HeatLossAndSurface);
        Kadmi_SetStringAtt(part, Att_ProductType, layer.type);
        Kadmi_SetStringAtt(part, Att_ProductClass, layer.recordClass);
        Kadmi_SetStringAtt(part, Att_ProductCode, layer.code);
        Kadmi_SetFloatAtt(part, Att_InnerDiameter, layer.inner);
        Kadmi_SetFloatAtt(part, Att_OuterDiameter, layer.outer);
        Kadmi_SetFloatAtt(part, Att_NominalThickness, layer.thickness);
        Kadmi_SetFloatAtt(part, Att_Thickness, layer.thickness);
    }
}

bool WriteSeedInputs(const std::string& seed)
{
    DeleteFileA(seed.c_str());
    if (Kadmi_CreateDatabasefile(seed.c_str()) != 0)
        return false;
    Kadmi_LoadPage(Kadmi_IthPage(0));
    WriteProjectBlock();
    WriteSystem();
    WriteLayers();
    Kadmi_SavePage();
    short saved = Kadmi_SaveDatabasefile();
    Kadmi_CloseDatabasefile(0);
    return saved == 0;
}

// On the Heat loss tab, Calculate and then Save, as the user does.
bool CalculateAndSave(const std::string& exe, const std::string& seed, std::string* error)
{
    Program program;
    if (!program.Start(exe, seed, error))
        return false;
    program.TimeSend(program.Tabs(), TCM_SETCURFOCUS, kObjectTab, 0);
    program.TimeSend(program.Tabs(), TCM_SETCURFOCUS, kHeatLossTab, 0);
    HWND page = program.OpenPage();
    HWND calculate = GetDlgItem(page, kCalculateButton);
    if (!calculate) {
        *error = "the Heat loss page did not open";
        return false;
    }
    Sample calculated = program.TimeSend(page, WM_COMMAND, MAKEWPARAM(kCalculateButton, BN_CLICKED),
                                         reinterpret_cast<LPARAM>(calculate));
    std::string result = WindowText(GetDlgItem(page, kFirstResultLine));
    Sample saved = program.TimeSend(program.Main(), WM_COMMAND, kSaveCommand, 0);
    program.Quit();
    if (!calculated.ok || !saved.ok) {
        *error = "the seed system was not calculated and saved: " + calculated.note + saved.note;
        return false;
    }
    std::printf("seed system: %s\n", result.c_str());
    return true;
}

bool SeedIsCalculated(const std::string& seed)
{
    if (Kadmi_OpenDatabasefile(seed.c_str()) != 0)
        return false;
    Kadmi_LoadPage(Kadmi_IthPage(0));
    bool current = Kadmi_CmpAccess(KadmiObject_Page, Stamp_HeatLoss, KadmiObject_Page, Stamp_InsulationEdited) >= 0;
    bool calculated = Kadmi_GetFloatAtt(KadmiObject_Page, Att_HeatLoss) > 0;
    Kadmi_CloseDatabasefile(0);
    return current && calculated;
}

}  // namespace

std::string Projects_SystemName(int position)
{
    static const char* const kLines[] = {"Steam line", "Condensate return", "Feed water line", "Hot water supply"};
    char name[64];
    std::snprintf(name, sizeof name, "%s %03d", kLines[position % 4], position + 1);
    return name;
}

bool Projects_MakeSeed(const std::string& exe, const std::string& seed, std::string* error)
{
    if (!WriteSeedInputs(seed)) {
        *error = "cannot write " + seed;
        return false;
    }
    if (!CalculateAndSave(exe, seed, error))
        return false;
    if (!SeedIsCalculated(seed)) {
        *error = "the saved seed system has no current heat loss";
        return false;
    }
    return true;
}

bool Projects_Grow(const std::string& seed, const std::string& file, int systems, std::string* error)
{
    if (!CopyFileA(seed.c_str(), file.c_str(), FALSE) || Kadmi_OpenDatabasefile(file.c_str()) != 0) {
        *error = "cannot make " + file;
        return false;
    }
    const short first = Kadmi_IthPage(0);
    for (int position = 1; position < systems; ++position) {
        short page = Kadmi_CreatePage();
        if (page <= 0 || Kadmi_PageCopy(page, first) != 0 || Kadmi_LoadPage(page) != 0) {
            *error = "the project library took " + std::to_string(position) + " systems";
            Kadmi_CloseDatabasefile(0);
            return false;
        }
        Kadmi_SetStringAtt(KadmiObject_Page, Att_SystemName, Projects_SystemName(position).c_str());
        Kadmi_SavePage();
    }
    Kadmi_LoadPage(first);
    short saved = Kadmi_SaveDatabasefile();
    Kadmi_CloseDatabasefile(0);
    if (saved != 0)
        *error = "cannot save " + file;
    return saved == 0;
}
