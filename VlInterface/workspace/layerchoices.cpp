// Insulation products and thickness choices of the layers, the pipe-section
// fit and the chain of layer diameters and thicknesses. The lists are built
// from the technical data and the user's own insulation types; the pages
// show them and keep the chosen indices.
#include "VlInterface/workspace/calcdata.h"
#include "support/attributes.h"
#include "VlInterface/workspace/techdata.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/shell.h"
#include "support/lookups.h"
#include "support/strings.h"
#include "support/utf8.h"
#ifdef VL_EXTENDED
#include "VlInterface/extended/extended.h"
#endif
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr uint16_t kTextNoProduct = 40039, kTextSelectThickness = 20017, kTextOwnThickness = 40037;
constexpr short AttTypeList = 1600, AttUserTypeName = 1600, AttNominalThickness = 1304,
                AttInnerDiameter = 1305, AttOuterDiameter = 1306;
constexpr size_t kTypeKeyBytes = 99;
constexpr int kListCodeBytes = 30;   // of a type key or a thickness record's code

struct ProductListGlobals {
    int16_t counter = -1;   // index of the last filled entry of the list being built
};
ProductListGlobals& ProductLists()
{
    static ProductListGlobals globals;
    return globals;
}

// The next free entry, or nullptr when the list is full.
ProductListEntry* NextEntry(ProductListEntry* list)
{
    int16_t& counter = ProductLists().counter;
    if (counter + 1 >= kProductListSize)
        return nullptr;
    ProductListEntry* entry = &list[++counter];
    *entry = ProductListEntry{};
    entry->number = counter;
    return entry;
}

#ifndef VL_EXTENDED
// The first 30 bytes of a list text without trailing blanks; a type key also
// loses its inner blanks.
std::string ListCode(const std::string& text, bool typeKey)
{
    char code[kListCodeBytes + 1];
    Str_CopyTrimmed(code, text.c_str(), kListCodeBytes);
    if (typeKey)
        Str_RemoveBlanks(code);
    return code;
}
#endif

bool InList(const ProductListEntry* list, int index)
{
    return list && index >= 0 && index < kProductListSize;
}

// Appends the types that "ALLTYPES" of the class lists; false when it is absent.
// The extended edition groups the class's records by their type instead.
bool AddTypes(ProductListEntry* list, const char* recordClass)
{
#ifdef VL_EXTENDED
    return ProductDb_ListTypes(VlDataTechDb_Handle(), recordClass, list, &ProductLists().counter) == 0;
#else
    std::vector<std::string> keys;
    if (!TechData_Texts(VlDataTechDb_Handle(), recordClass, "ALLTYPES", AttTypeList, kTypeKeyBytes, &keys))
        return false;
    for (const std::string& key : keys) {
        ProductListEntry* entry = NextEntry(list);
        if (!entry)
            break;
        if (key.empty())
            continue;
        ListField_Copy(entry->code, ListCode(key, true).c_str());
        ListField_Copy(entry->name, Product_GetName(entry->code, recordClass));
        ListField_Copy(entry->recordClass, recordClass);
    }
    return true;
#endif
}

// Appends the user's own types in number order. A removed type leaves a gap
// in the numbers; the types after it are still listed.
void AddUserTypes(ProductListEntry* list)
{
    TechDbReading database(TechDbReading::Which::OtherInsulation);
    if (database.handle() < 0)
        return;
    for (const std::string& key : TechData_KeysByNumber(database.handle(), "UI")) {
        char* end = nullptr;
        const long number = std::strtol(key.c_str(), &end, 10);
        const char* name = TechDb_GetStringAtt(database.handle(), "UI", key.c_str(), AttUserTypeName);
        if (*end != '\0' || number < 1 || number > kUserNumberLast || !name)
            continue;
        ProductListEntry* entry = NextEntry(list);
        if (!entry)
            break;
        ListField_Copy(entry->name, name);
        ListField_Copy(entry->code, key.c_str());
        ListField_Copy(entry->recordClass, "UI");
    }
}

float TechFloat(const char* recordClass, const char* code, short att)
{
    return TechDb_GetFloatAtt(VlDataTechDb_Handle(), recordClass, code, att);
}

// The record among the candidates named like candidates[first] that fits
// over diameterBeneath: the current code when match is set, else the one
// with the smallest inner diameter. -1 when none fits.
int TakeFittingRecord(const ProductListEntry* candidates, int count, int first, const char* recordClass,
                      const char* currentCode, float diameterBeneath, bool match)
{
    int taken = -1;
    double smallest = 99999.0;
    for (int j = first; j < count; ++j) {
        if (std::strcmp(candidates[j].name, candidates[first].name) != 0)
            continue;
        const float inner = TechFloat(recordClass, candidates[j].code, AttInnerDiameter);
        if (inner < diameterBeneath && std::fabs(inner) >= 1e-5f)
            continue;
        if (match && std::strcmp(candidates[j].code, currentCode) == 0)
            return j;
        if (inner < smallest) {
            smallest = inner;
            taken = j;
        }
    }
    return taken;
}

bool NameListed(const ProductListEntry* output, int filled, const char* name)
{
    for (int i = 0; i < filled; ++i)
        if (std::strcmp(output[i].name, name) == 0 && output[i].textId == 0)
            return true;
    return false;
}

// Header first, own thickness last, the thicknesses ascending between.
bool ThicknessBefore(const ProductListEntry& a, const ProductListEntry& b)
{
    auto rank = [](const ProductListEntry& e) {
        return e.textId == kTextSelectThickness ? 0 : e.textId == kTextOwnThickness ? 2 : 1;
    };
    if (rank(a) != rank(b))
        return rank(a) < rank(b);
    return std::atoi(a.name) < std::atoi(b.name);
}

void ThicknessGiven(CalcRecord& record, int k, const ProductListEntry* products,
                    ProductListEntry* const thicknessLists[3], const int productIndex[3], const int selected[3])
{
    const bool userType = ProductList_IsUserInsulation(products, productIndex[k]);
    if (!userType && !ProductClass_IsFreeThickness(record.productClass[k])) {
        record.outerDiameter[k] = 2 * record.thickness[k] + record.innerDiameter[k];
        return;
    }
    if (!userType && InList(thicknessLists[k], selected[k]) && !ThicknessList_IsOwnThickness(thicknessLists[k], selected[k]))
        record.thickness[k] = static_cast<float>(std::atof(thicknessLists[k][selected[k]].name));
    if (CalcRecord_IsPlaneOrRectDuct(record))
        return;
    record.innerDiameter[k] = CalcRecord_BaseDiameter(record, k);
    record.outerDiameter[k] = 2 * record.thickness[k] + record.innerDiameter[k];
}

}  // namespace

int ProductList_Build(int16_t geometry, ProductListEntry* list)
{
    ProductList_Clear(list);
    ProductLists().counter = -1;
    ProductListEntry* none = NextEntry(list);
    ListField_Copy(none->name, Shell_Text(kTextNoProduct));
    ListField_Copy(none->code, kCodeNoProduct);
    ListField_Copy(none->recordClass, "UI");
    bool complete = AddTypes(list, "IM");
    if (geometry != Kind_Plane && geometry != Kind_RectDuct)
        complete = AddTypes(list, "IP") && complete;
    complete = AddTypes(list, "IS") && complete;
    AddUserTypes(list);
    return complete ? 0 : -1;
}

int ProductList_AddRemoved(ProductListEntry* list, const char* recordClass, const char* code)
{
    int i = 0;
    while (i < kProductListSize - 1 && !ProductList_IsEnd(list[i]))
        ++i;
    if (i >= kProductListSize - 1)
        return -1;
    list[i].number = i;
    ListField_Copy(list[i].name, RemovedData_ProductName(code).c_str());
    ListField_Copy(list[i].code, code);
    ListField_Copy(list[i].recordClass, recordClass);
    return i;
}

bool UserType_IsRemoved(const char* recordClass, const char* code)
{
    if (!recordClass || !code || std::strcmp(recordClass, "UI") != 0 || !code[0] ||
        std::strcmp(code, kCodeNoProduct) == 0)
        return false;
    TechDbReading database(TechDbReading::Which::OtherInsulation);
    return !TechDb_GetStringAtt(database.handle(), "UI", code, AttUserTypeName);
}

bool ProductList_IsUserInsulation(const ProductListEntry* list, int index)
{
    return InList(list, index) && std::strcmp(list[index].recordClass, "UI") == 0 &&
           std::strcmp(list[index].code, kCodeNoProduct) != 0;
}

bool ProductList_IsNoProduct(const ProductListEntry* list, int index)
{
    return InList(list, index) && std::strcmp(list[index].recordClass, "UI") == 0 &&
           std::strcmp(list[index].code, kCodeNoProduct) == 0;
}

bool ThicknessList_IsOwnThickness(const ProductListEntry* list, int index)
{
    return InList(list, index) && std::strcmp(list[index].code, kCodeOwnThickness) == 0;
}

bool ProductClass_IsFreeThickness(const char* recordClass)
{
    return recordClass && (std::strcmp(recordClass, "IM") == 0 || std::strcmp(recordClass, "IS") == 0);
}

int ProductList_FindIndex(int32_t number, const char* code, const ProductListEntry* list)
{
    for (int i = 0; list && i < kProductListSize; ++i)
        if (code ? std::strcmp(list[i].code, code) == 0 : list[i].number == number)
            return i;
    return -1;
}

int LayerChoices_BuildThicknessList(const char* typeKey, const char* recordClass, ProductListEntry* output,
                                    const char* currentCode, int* selection, float diameterBeneath, bool match)
{
#ifdef VL_EXTENDED
    return ProductDb_ListProducts(typeKey, recordClass, output, currentCode, selection, diameterBeneath, match);
#else
    ProductList_Clear(output);
    std::vector<ProductListEntry> candidates(kProductListSize);
    std::vector<std::string> codes;
    if (!TechData_Texts(VlDataTechDb_Handle(), recordClass, typeKey, AttTypeList, kTypeKeyBytes, &codes))
        return -1;
    int count = 0;
    for (const std::string& text : codes) {
        const std::string code = ListCode(text, false);
        if (code.empty() || count >= kProductListSize)
            continue;
        const float thickness = TechFloat(recordClass, code.c_str(), AttNominalThickness);
        if (std::fabs(thickness) < 1e-7f)
            continue;
        ProductListEntry& candidate = candidates[static_cast<size_t>(count)];
        candidate.number = count++;
        snprintf(candidate.name, sizeof candidate.name, "%.0f", static_cast<double>(thickness));
        ListField_Copy(candidate.code, code.c_str());
        ListField_Copy(candidate.recordClass, recordClass);
    }
    return ProductList_BuildThicknessChoices(output, candidates.data(), count, recordClass,
                                             currentCode ? currentCode : "", selection, diameterBeneath, match);
#endif
}

int ProductList_BuildThicknessChoices(ProductListEntry* output, const ProductListEntry* candidates,
                                      int candidateCount, const char* recordClass, const char* currentCode,
                                      int* selection, float diameterBeneath, bool match)
{
    if (!currentCode)
        currentCode = "";
    const float currentThickness = currentCode[0] ? TechFloat(recordClass, currentCode, AttNominalThickness) : 0;
    ProductList_Clear(output);
    output[0] = ProductListEntry{0, kTextSelectThickness, "", "", ""};
    ListField_Copy(output[0].code, kCodeListHeader);
    int filled = 1;
    // One place stays free for the own-thickness entry.
    for (int i = 0; i < candidateCount && candidates[i].name[0] && filled < kProductListSize - 1; ++i) {
        if (NameListed(output, filled, candidates[i].name))
            continue;
        const int taken = TakeFittingRecord(candidates, candidateCount, i, recordClass, currentCode,
                                            diameterBeneath, match);
        if (taken >= 0) {
            output[filled] = candidates[taken];
            ListField_Copy(output[filled].recordClass, recordClass);
            ++filled;
        }
    }
    output[filled] = ProductListEntry{0, kTextOwnThickness, "", "", ""};
    ListField_Copy(output[filled].code, kCodeOwnThickness);
    std::stable_sort(output, output + filled, ThicknessBefore);
    for (int i = 0; i <= filled; ++i)
        output[i].number = i;

    if (!selection)
        return 0;
    if (std::strcmp(currentCode, kCodeOwnThickness) == 0) {
        *selection = filled;
        return 0;
    }
    for (int i = filled - 1; i >= 0; --i)
        if (std::fabs(static_cast<float>(std::atoi(output[i].name)) - currentThickness) < 1e-5f) {
            *selection = i;
            break;
        }
    return 0;
}

int LayerChoices_FitPipeSection(const ProductListEntry* products, int productIndex,
                                const ProductListEntry* thicknesses, int* selected, float* innerDiameter,
                                float* outerDiameter, float diameterBeneath)
{
    if (!InList(products, productIndex) || !InList(thicknesses, *selected))
        return -1;
    if (ThicknessList_IsOwnThickness(thicknesses, *selected))
        return *selected;
    const char* recordClass = products[productIndex].recordClass;
    auto inner = [&](int i) { return TechFloat(recordClass, thicknesses[i].code, AttInnerDiameter); };
    *innerDiameter = inner(*selected);
    if (*innerDiameter < 1e-5f || *innerDiameter < diameterBeneath) {
        // The real records start after the header entry.
        int found = -1;
        for (int i = 1; i < kProductListSize && !ProductList_IsEnd(thicknesses[i]); ++i) {
            const float candidate = inner(i);
            if (candidate < 1e-5f)
                break;
            if (candidate >= diameterBeneath) {
                found = i;
                break;
            }
        }
        if (found < 0) {
            *innerDiameter = 0;
            *outerDiameter = 0;
            return -1;
        }
        *selected = found;
        *innerDiameter = inner(found);
    }
    *outerDiameter = TechFloat(recordClass, thicknesses[*selected].code, AttOuterDiameter);
    return *selected;
}

int LayerChoices_UpdateDimensions(CalcRecord* record, int layer, int kind, const ProductListEntry* products,
                                  ProductListEntry* const thicknessLists[3], const int productIndex[3],
                                  int selected[3])
{
    if (!record || layer < 1 || layer > kCalcLayers)
        return 0;
    CalcRecord& r = *record;
    const int k = layer - 1;
    switch (kind) {
    case LayerDim_ThicknessGiven:
        ThicknessGiven(r, k, products, thicknessLists, productIndex, selected);
        break;
    case LayerDim_DiametersGiven:
        if (!CalcRecord_IsPlaneOrRectDuct(r))
            r.thickness[k] = (r.outerDiameter[k] - r.innerDiameter[k]) / 2;
        break;
    case LayerDim_RefitSections:
        for (int i = k; i < kCalcLayers; ++i)
            if (thicknessLists[i])
                LayerChoices_FitPipeSection(products, productIndex[i], thicknessLists[i], &selected[i],
                                            &r.innerDiameter[i], &r.outerDiameter[i], CalcRecord_BaseDiameter(r, i));
        break;
    }
    return 0;
}
