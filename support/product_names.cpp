// Display names of insulation products and surface materials, and the text
// ids of currency unit labels, from the technical data and the loaded page.
#include "support/lookups.h"
#include "support/lookups_state.h"
#include "support/strings.h"
#include "support/utf8.h"
#include "Kadmi/kadmi.h"
#include "VlTechDatabase/vltechdb.h"
#include "support/attributes.h"
#include <cstring>

namespace {

constexpr long NoMaterialTextId = 20043;
constexpr long NoProductNameTextId = 40039;

// Project attributes and technical attributes that the names come from.
constexpr short AttTechNameDefault = 1602;
constexpr short AttTechName1 = 1603;
constexpr short AttTechName2 = 1604;
constexpr short AttOtherName = 1600;
constexpr short AttMaterialName = 1201;

// Copies text into the name buffer without trailing blanks.
const char* KeepName(const char* text)
{
    char* name = Lookups().name;
    Utf8_CopyCut(name, sizeof Lookups().name, text);
    Str_TrimRight(name);
    return name;
}

}  // namespace

long Price_CurrencyUnitTextId(short kind)
{
    // Rows: unit kind 1 to 5; columns: currency 1, currency 2, any other.
    static constexpr long unitTexts[5][3] = {
        {20023, 20024, 30088}, {20026, 20025, 30090}, {20027, 20028, 30085},
        {20030, 20029, 30091}, {20031, 20032, 30089},
    };
    if (kind < 1 || kind > 5)
        return 0;
    short currency = Kadmi_GetIntAtt(-1, Att_PriceCurrency);
    int column = (currency == 1 || currency == 2) ? currency - 1 : 2;
    return unitTexts[kind - 1][column];
}

namespace {

// The product's name in the names' language; nullptr when no record names it.
const char* FindProductName(const char* productCode, const char* recordClass)
{
    if (!productCode || !recordClass)
        return nullptr;
    const LookupGlobals& g = Lookups();
    short attribute = AttTechNameDefault;
    switch (Kadmi_GetIntAtt(-1, Att_ManufactureCountry)) {
    case 1: attribute = AttTechName1; break;
    case 2: attribute = AttTechName2; break;
    }
    if (g.nameAttribute > 0)
        attribute = g.nameAttribute;
    const char* name = TechDb_GetStringAtt(g.techDb, recordClass, productCode, attribute);
    return name ? name : TechDb_GetStringAtt(g.otherInsulationDb, recordClass, productCode, AttOtherName);
}

}  // namespace

const char* Product_GetName(const char* productCode, const char* recordClass)
{
    const char* name = FindProductName(productCode, recordClass);
    return KeepName(name ? name : Lookup_Text(NoProductNameTextId));
}

// A layer of its own thickness ("-456") or without a chosen thickness has no
// product record: its product type names it.
const char* Product_GetNameOfPart(long part)
{
    char group[8];
    char code[256];
    char type[256];
    const char* hasGroup = Kadmi_GetStringNAtt(part, Att_ProductClass, group, sizeof group);
    const char* hasCode = Kadmi_GetStringNAtt(part, Att_ProductCode, code, sizeof code);
    const char* name = FindProductName(hasCode ? code : nullptr, hasGroup ? group : nullptr);
    if (!name && Kadmi_GetStringNAtt(part, Att_ProductType, type, sizeof type))
        name = FindProductName(type, hasGroup ? group : nullptr);
    return KeepName(name ? name : Lookup_Text(NoProductNameTextId));
}

const char* Product_GetCmText(const char* materialCode)
{
    char pageMaterial[256];
    if (!materialCode)
        materialCode = Kadmi_GetStringNAtt(0, Att_ProductCode, pageMaterial, sizeof pageMaterial);
    long textId = NoMaterialTextId;
    if (materialCode && materialCode[0]) {
        long stored = TechDb_GetLongAtt(Lookups().techDb, "CM", materialCode, AttMaterialName);
        if (stored >= 1)
            textId = stored;
    }
    return KeepName(Lookup_Text(textId));
}
