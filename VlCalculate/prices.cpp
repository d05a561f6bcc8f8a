// Material prices of the insulation layers of the current page from the price
// list of the project's currency, the page's total insulation price, the
// annual cost of one candidate product and the prices of other insulation.
#include <string>
#include "VlCalculate/calc_internal.h"
#include "support/attributes.h"

namespace {
constexpr int16_t kPricePerMetre = 1300;
constexpr int16_t kPricePerSquareMetre = 1301;

enum Currency { kEur, kSek, kPln };

Currency ProjectCurrency()
{
    switch (Deps_PageShort(-1, Att_PriceCurrency)) {
    case 1:
        return kSek;
    case 2:
        return kPln;
    default:
        return kEur;
    }
}

std::string GivenOrStoredCode(int32_t part, const char* given)
{
    if (given != nullptr && given[0] != '\0') {
        return BoundedCode(given);
    }
    return Deps_PageString(part, Att_ProductCode, kProductCodeLength);
}

float ListPrice(const std::string& code, int16_t att)
{
    return Deps_TechFloat(Calc().priceDb, "PR", code.c_str(), att);
}

float UserPrice(int32_t part)
{
    const float price = Deps_PageFloat(part, Att_UserPrice);
    return price > 0.0f ? price : 0.0f;
}

float PlanePrice(int32_t part, const std::string& code)
{
    const float perSquareMetre = ListPrice(code, kPricePerSquareMetre);
    return perSquareMetre > 0.0f ? perSquareMetre : UserPrice(part);
}

// A product's price per metre of object: its list price per metre, else its
// square-metre price over the width (mm) that coveredWidth() gives, else the
// user's own price.
template <typename Width>
float PricePerMetre(int32_t part, const std::string& code, Width coveredWidth)
{
    const float perMetre = ListPrice(code, kPricePerMetre);
    if (perMetre > 0.0f) {
        return perMetre;
    }
    const float perSquareMetre = ListPrice(code, kPricePerSquareMetre);
    if (!(perSquareMetre > 0.0f)) {
        return UserPrice(part);
    }
    const double price = coveredWidth() / 1000.0 * perSquareMetre;
    return price > 0.0 ? static_cast<float>(price) : 0.0f;
}

// A pipe product with only a square-metre price covers the layer's outer
// circumference. A product named by the caller (a thickness candidate) is
// priced at its own thickness, the page's layer at the layer's thickness.
float PipePrice(int32_t part, const std::string& code, bool namedProduct, int16_t objectType)
{
    return PricePerMetre(part, code, [&] {
        const LayerParts layers = ReadLayerParts();
        const int index = layers.indexOf(part);
        double d = 0.0;
        if (index >= 1) {
            d = ZeroIfMissing(Deps_PageFloat(layers.part[index - 1], Att_OuterDiameter));
        } else {
            float diameters[2];
            Deps_PageFloats(0, Att_OuterDiameters, diameters, 2);
            d = ZeroIfMissing(diameters[objectType == Kind_Pipe ? 0 : 1]);
        }
        float s = namedProduct ? ProductThickness(part, code) : 0.0f;
        if (!(s > 0.0f)) {
            s = ZeroIfMissing(Deps_PageFloat(part, Att_NominalThickness));
        }
        return kPi * (d + 2.0 * s);
    });
}

// A rectangular duct product with only a square-metre price covers the
// perimeter at the layer's mid-plane.
float DuctPrice(int32_t part, const std::string& code)
{
    return PricePerMetre(part, code, [&] {
        const LayerParts layers = ReadLayerParts();
        const int index = layers.indexOf(part);
        double beneath = 0.0;  // insulation under this layer on each side, mm
        for (int k = 0; k < index; ++k) {
            beneath += 2.0 * ZeroIfMissing(Deps_PageFloat(layers.part[k], Att_NominalThickness));
        }
        const double s = index >= 0 ? ProductThickness(part, code) : 0.0;
        const double w = ZeroIfMissing(Deps_PageFloat(0, Att_DuctWidth)) + beneath + s;
        const double h = ZeroIfMissing(Deps_PageFloat(0, Att_DuctHeight)) + beneath + s;
        return 2.0 * w + 2.0 * h;
    });
}
} // namespace

float ProductThickness(int32_t part, const std::string& code)
{
    const std::string group = Deps_PageString(part, Att_ProductClass, 3);
    return Deps_TechFloat(Calc().db.techData, group.c_str(), code.c_str(), kTechThickness);
}

int LayerParts::indexOf(int32_t p) const
{
    for (int k = 0; k < 3; ++k) {
        if (p > 0 && part[k] == p) {
            return k;
        }
    }
    return -1;
}

LayerParts ReadLayerParts()
{
    LayerParts layers;
    for (int16_t k = 0; k < 3; ++k) {
        layers.part[k] = Deps_IthPart(k);
    }
    return layers;
}

bool SelectPriceDatabase()
{
    const TechHandles& db = Calc().db;
    switch (ProjectCurrency()) {
    case kSek:
        Calc().priceDb = db.priceSek;
        break;
    case kPln:
        Calc().priceDb = db.pricePln;
        break;
    default:
        Calc().priceDb = db.priceEur;
        break;
    }
    return Calc().priceDb >= 0;
}

float WINAPI CalculateInsulationPrice(long part, char* productCode, short* kind)
{
    *kind = -1;
    if (!SelectPriceDatabase()) {
        return 0.0f;
    }
    const int16_t objectType = Deps_PageShort(0, Att_ObjectKind);
    switch (objectType) {
    case Kind_Plane:
        *kind = 1;
        break;
    case Kind_Pipe:
    case Kind_RoundDuct:
    case Kind_RectDuct:
        *kind = 0;
        break;
    default:
        return 0.0f;
    }
    const std::string code = GivenOrStoredCode(part, productCode);
    if (code.empty()) {
        return 0.0f;
    }
    switch (objectType) {
    case Kind_Plane:
        return PlanePrice(part, code);
    case Kind_RectDuct:
        return DuctPrice(part, code);
    default:
        return PipePrice(part, code, productCode != nullptr && productCode[0] != '\0', objectType);
    }
}

namespace {
// Material and labour price of one layer part, with productCode (null or
// empty: the part's own product); missing is set when a price is not found,
// the material price only when every price is required.
float LayerTargetPrice(int32_t part, char* productCode, short* kind, bool everyPrice, int* missing)
{
    std::string code = GivenOrStoredCode(part, productCode);
    const float material = CalculateInsulationPrice(part, productCode, kind);
    const float labour = CalculateOneLabourPrice(part, code.data(), *kind);
    if (!(labour > 0.0f) || (everyPrice && !(material > 0.0f)))
        *missing = 1;
    return material + labour;
}

// Material and labour of every used layer, firstCode (null or empty: its
// own) in place of layer 1's product; missing as for one layer.
float SystemTargetPrice(char* firstCode, short* kind, bool everyPrice, int* missing)
{
    *kind = -1;
    const LayerParts layers = ReadLayerParts();
    float material = 0.0f;
    bool unpriced = false;
    for (int k = 0; k < 3; ++k) {
        const int32_t part = layers.part[k];
        if (part < 1)
            continue;
        char* code = k == 0 ? firstCode : nullptr;
        const float price = CalculateInsulationPrice(part, code, kind);
        material += price;
        const bool used = Deps_PageString(part, Att_ProductType, kProductCodeLength) != "-789";
        unpriced |= used && !(price > 0.0f);
    }
    const float labour = SystemLabourPrice(*kind, missing, firstCode);
    if (everyPrice && unpriced)
        *missing = 1;
    return material + labour;
}
} // namespace

float WINAPI CalculateInsulationTargetPrice(short* kind, int* missing)
{
    return SystemTargetPrice(nullptr, kind, false, missing);
}

float WINAPI CalculateInsulationTargetPrice(long part, char* productId, float, short* kind, int everyPrice,
                                            int* missing)
{
    *missing = 0;
    if (part < 1)
        return SystemTargetPrice(productId, kind, everyPrice != 0, missing);
    *kind = -1;
    return LayerTargetPrice(static_cast<int32_t>(part), productId, kind, everyPrice != 0, missing);
}

float WINAPI CalculateOneInsulationTargetPrice(long part, char* productCode, float heatLoss, short* kind,
                                               int reportErrors)
{
    const float material = CalculateInsulationPrice(part, productCode, kind);
    // A candidate of the thickness list is priced as the system of that one
    // layer is: its labour with the outermost layer's extra.
    const float investment = material + SingleLayerLabourPrice(part, productCode, *kind);
    CostsInput in{};
    CostsInput_SetObject(&in, Deps_PageShort(0, Att_ObjectKind), heatLoss);
    in.interestRate = Deps_PageFloat(0, Att_InterestRate) / 100.0f;
    in.usefulLife = Deps_PageFloat(0, Att_UsefulLife);
    in.energyPriceIncrease = Deps_PageFloat(0, Att_EnergyPriceIncrease) / 100.0f;
    in.energyPrice = Deps_PageFloat(0, Att_EnergyPrice);
    in.operatingHours = Deps_PageFloat(0, Att_OperatingHours);
    in.investment = investment;
    in.reportErrors = reportErrors;
    CostsOutput out{};
    // A product without a material price is not free: it has no cost.
    if (Costs(in, &out) != 0.0f || !(material > 0.0f)) {
        return kCostNotComputed;
    }
    return out.totalCost;
}

float WINAPI GetOtherInsulationPrice(int which, char* productId)
{
    if (productId == nullptr) {
        return 0.0f;
    }
    static constexpr int16_t kFirstPrice[] = {1314, 1316, 1318};  // by currency: EUR, SEK, PLN
    const int16_t att = static_cast<int16_t>(kFirstPrice[ProjectCurrency()] + (which != 0 ? 0 : 1));
    return Deps_TechFloat(Calc().db.otherInsulation, "UI", productId, att);
}
