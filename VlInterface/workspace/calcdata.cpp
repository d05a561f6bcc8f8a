// Shared calculation data besides the layer choices: the walk over every
// system of the project, the price currency, and the lists of surface
// materials, weather locations and contents with the values they bring.
#include "VlInterface/workspace/calcdata.h"
#include "support/attributes.h"
#include "VlInterface/workspace/techdata.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/shell.h"
#include "Kadmi/kadmi.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/dlgutil.h"
#include "support/lookups.h"
#include "support/strings.h"
#include "support/utf8.h"
#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#ifdef VL_EXTENDED
#include "VlInterface/extended/extended.h"
#endif

namespace {

constexpr short AttEmissivity = 1310, AttLocationName = 1601,
                AttMeanTemperature = 1311, AttAirVelocity = 1312;
constexpr uint16_t kTextOutermostSurface = 40051, kTextUserDefined = 20043, kTextAir = 40055,
                   kTextWater = 30066, kTextOwnValues = 30065;
constexpr uint16_t kTextRemovedProduct = 45235, kTextRemovedLocation = 45236;
constexpr int kLastMaterialEntry = 198;
// Contents and surroundings of a new system are both at 0 °C, so its
// humidity counts and must lie within its limits (0.1 .. 100 %).
constexpr float kNewSystemHumidity = 50.0f;
// A new system reports its outer surface and has a listed surface material
// with its emissivity, so that its first Calculate gives results.
constexpr const char* kNewSystemSurface = "PAINTED-PLASTIC";

struct CalcDataGlobals {
    bool refreshing = false;   // CalcData_RefreshAllSystems is running
};
CalcDataGlobals& CalcData()
{
    static CalcDataGlobals globals;
    return globals;
}

// Runs step on every system, each loaded and saved, and loads the system that
// was loaded before again.
void ForEachPage(const std::function<void()>& step)
{
    const short remembered = Kadmi_GetCurrentPage();
    if (remembered > 0)
        Kadmi_SavePage();
    for (short i = 0; i < Kadmi_NPage(); ++i) {
        const short page = Kadmi_IthPage(i);
        if (page <= 0 || Kadmi_LoadPage(page) != 0)
            continue;
        step();
        Kadmi_SavePage();
    }
    if (remembered > 0)
        Kadmi_LoadPage(remembered);
}

// The price databases by currency id (0 EUR, 1 SEK, 2 PLN).
bool PriceDbAvailable(int currency)
{
    switch (currency) {
    case 0: return VlPriceEURDb_Handle() >= 0;
    case 1: return VlPriceSEKDb_Handle() >= 0;
    case 2: return VlPricePLNDb_Handle() >= 0;
    }
    return false;
}

// The emissivity of the outermost layer's product: its thickness record's,
// else (own thickness, no thickness chosen yet) its product type's; 0 when
// no layer has a product.
float OuterProductEmissivity(const CalcRecord& record, const ProductListEntry* products, const int productIndex[3])
{
    for (int k = kCalcLayers - 1; k >= 0; --k) {
        const int index = productIndex[k];
        if (!products || index < 0 || index >= kProductListSize ||
            std::strcmp(products[index].code, kCodeNoProduct) == 0)
            continue;
        const TechDbHandle tech = VlDataTechDb_Handle();
        const float emissivity = TechDb_GetFloatAtt(tech, record.productClass[k], record.productCode[k], AttEmissivity);
        return emissivity > 0 ? emissivity
                              : TechDb_GetFloatAtt(tech, record.productClass[k], products[index].code, AttEmissivity);
    }
    return 0;
}

// The text with its "%s" filled with the code.
std::string RemovedDataName(uint16_t textId, const char* code)
{
    return Str_FillTexts(Shell_Text(textId), {code});
}

}  // namespace

std::string RemovedData_ProductName(const char* code)
{
    return RemovedDataName(kTextRemovedProduct, code);
}

std::string RemovedData_LocationName(const char* key)
{
    return RemovedDataName(kTextRemovedLocation, key);
}

int CalcData_RefreshAllSystems()
{
    ReentryGuard guard(CalcData().refreshing);
    if (guard.entered())
        ForEachPage([] {});
    return 0;
}

#ifdef VL_EXTENDED
constexpr short kOfferedCurrencies = 1;   // the euro price list only
#else
constexpr short kOfferedCurrencies = 3;
#endif
constexpr short kCurrencies = 3;

bool CalcData_CurrencyHasPrices()
{
    return PriceDbAvailable(Kadmi_GetIntAtt(kCalcObjectProject, Att_PriceCurrency));
}

short CalcData_NewProjectCurrency(short wanted)
{
    if (wanted >= 0 && wanted < kOfferedCurrencies && PriceDbAvailable(wanted))
        return wanted;
    for (short candidate = 0; candidate < kOfferedCurrencies; ++candidate)
        if (PriceDbAvailable(candidate))
            return candidate;
    return wanted;
}

int PriceDbList_Build(DialogTextTable* rows, short projectCurrency)
{
    std::memset(rows, 0, sizeof(DialogTextTable) * kPriceDbListRows);
    static constexpr int32_t kCurrencyTexts[kCurrencies] = {50005, 50006, 50007};
    int filled = 0;
    for (int32_t currency = 0; currency < kOfferedCurrencies; ++currency)
        if (PriceDbAvailable(currency))
            rows[filled++] = DialogTextTable{currency, kCurrencyTexts[currency], nullptr};
    const bool listed = std::any_of(rows, rows + filled, [&](const DialogTextTable& row) {
        return row.controlId == projectCurrency;
    });
    if (projectCurrency >= 0 && projectCurrency < kCurrencies && !listed)
        rows[filled] = DialogTextTable{projectCurrency, kCurrencyTexts[projectCurrency], nullptr};
    return 0;
}

int Project_MarkAccessAllPages(const char* stamp)
{
    ForEachPage([stamp] { Kadmi_MarkAccess(kCalcObjectSystem, stamp); });
    return 0;
}

int SurfaceMaterialList_Build(ProductListEntry* list)
{
    ProductList_Clear(list);
    ListField_Copy(list[0].name, Shell_Text(kTextOutermostSurface));
    ListField_Copy(list[0].code, kCodeOutermostSurface);
    const std::vector<std::string> keys = TechData_Keys(VlDataTechDb_Handle(), "CM", kLastMaterialEntry);
    if (keys.empty())
        return -1;
    int k = 1;
    for (const std::string& key : keys) {
        ProductListEntry& entry = list[k];
        entry.number = k++;
        ListField_Copy(entry.code, key.c_str());
        ListField_Copy(entry.recordClass, "CM");
        ListField_Copy(entry.name, Product_GetCmText(entry.code));
    }
    list[k].number = k;
    ListField_Copy(list[k].code, kCodeUserSurface);
    ListField_Copy(list[k].name, Shell_Text(kTextUserDefined));
    return 0;
}

int SurfaceMaterial_UpdateEmissivity(CalcRecord* record, const char* surfaceCode, const ProductListEntry* products,
                                     const int productIndex[3])
{
    if (!record || !surfaceCode || std::strcmp(surfaceCode, kCodeUserSurface) == 0)
        return -1;
    const TechDbHandle tech = VlDataTechDb_Handle();
    if (std::strcmp(surfaceCode, kCodeOutermostSurface) != 0) {
        record->emissivity = TechDb_GetFloatAtt(tech, "CM", surfaceCode, AttEmissivity);
        return 0;
    }
    record->emissivity = OuterProductEmissivity(*record, products, productIndex);
    return 0;
}

int LocationList_Build(ProductListEntry* list)
{
    ProductList_Clear(list);
    int i = 0;
    {
        TechDbReading weather(TechDbReading::Which::Weather);
        for (const std::string& key : Location_Keys(weather.handle())) {
            ProductListEntry& entry = list[i];
            entry.number = i++;
            ListField_Copy(entry.code, key.c_str());
            ListField_Copy(entry.recordClass, "WD");
            ListField_Copy(entry.name, TechDb_GetStringAtt(weather.handle(), "WD", key.c_str(), AttLocationName));
            Str_TrimRight(entry.name);
        }
    }
    list[i].number = kLocationUserConditions;
    ListField_Copy(list[i].name, Shell_Text(kTextUserDefined));
    return 0;
}

void LocationList_AddRemoved(ProductListEntry* list, const char* key)
{
    int i = 0;
    while (i < kProductListSize - 1 && !ProductList_IsEnd(list[i]))
        ++i;
    if (i >= kProductListSize - 1)
        return;
    list[i].number = kLocationRemoved;
    ListField_Copy(list[i].code, key);
    ListField_Copy(list[i].recordClass, "WD");
    ListField_Copy(list[i].name, RemovedData_LocationName(key).c_str());
}

int Location_ApplyWeather(CalcRecord* record, const char* locationCode)
{
    if (!record || !locationCode || record->location == kLocationUserConditions)
        return -1;
    TechDbReading weather(TechDbReading::Which::Weather);
    // A location the weather data does not hold (an older file's position,
    // the data missing) becomes the user's conditions with the values it has.
    TechRecord* found = locationCode[0] ? TechDb_FindEqual(weather.handle(), "WD", locationCode) : nullptr;
    if (!found) {
        // Removed from the weather data: the system keeps its key and values.
        record->location = locationCode[0] ? kLocationRemoved : kLocationUserConditions;
        ListField_Copy(record->locationKey, locationCode);
        return -1;
    }
    TechDb_ReleaseRec(found);
    record->ambientTemperature = TechDb_GetFloatAtt(weather.handle(), "WD", locationCode, AttMeanTemperature);
    record->airVelocity = TechDb_GetFloatAtt(weather.handle(), "WD", locationCode, AttAirVelocity);
    return 0;
}

int ContentsList_Build(const CalcRecord* record, ProductListEntry* list)
{
    ProductList_Clear(list);
    const bool duct = !record->geometryFlags[0] && !record->geometryFlags[1];
    list[0].number = duct ? 2 : 1;
    list[0].textId = duct ? kTextAir : kTextWater;
    list[1].number = 0;
    list[1].textId = kTextOwnValues;
    return 0;
}

int Contents_DefaultProperties(const ProductListEntry* list, int16_t id, float* heatCapacity, float* density)
{
    bool listed = false;
    for (int i = 0; list && i < kProductListSize && !listed; ++i)
        listed = list[i].number == id;
    if (!listed)
        id = id == 2 ? 1 : 2;
    switch (id) {
    case 0:
        return 0;
    case 1:
        *heatCapacity = 4186.0f;
        *density = 980.0f;
        return 0;
    case 2:
        *heatCapacity = 1000.0f;
        *density = 1.2f;
        return 0;
    }
    *heatCapacity = 0;
    *density = 0;
    return 0;
}

void CalcData_SetNewSystemDefaults()
{
    Kadmi_SetFloatAtt(kCalcObjectSystem, Att_RelativeHumidity, kNewSystemHumidity);
    Kadmi_SetIntAtt(kCalcObjectSystem, Att_ReportedSurface, Surface_Outer);
    std::vector<ProductListEntry> surfaces(kProductListSize);
    SurfaceMaterialList_Build(surfaces.data());
    if (int i = ProductList_FindIndex(0, kNewSystemSurface, surfaces.data()); i >= 0) {
        Kadmi_SetIntAtt(kCalcObjectSystem, Att_SurfaceMaterial, short(surfaces[i].number));
        Kadmi_SetStringAtt(kCalcObjectSystem, Att_ProductCode, kNewSystemSurface);
        Kadmi_SetFloatAtt(kCalcObjectSystem, Att_Emissivity,
                          TechDb_GetFloatAtt(VlDataTechDb_Handle(), "CM", kNewSystemSurface, AttEmissivity));
    }
#ifdef VL_EXTENDED
    Project_SetNewDefaults();
#endif
}
