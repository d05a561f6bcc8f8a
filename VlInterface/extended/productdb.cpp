// Product lists of the layer choice read record by record from the database
// engine: the types of a product class, grouped by each record's type key
// and named by their type record's name, and the thickness choices of one
// type. The choices themselves are formed
// by the shared list code of the workspace.
#include "VlInterface/extended/extended.h"
#include "VlInterface/workspace/calcdata.h"
#include "VlInterface/workspace/techdata.h"
#include "outside/Torbase200/torbase.h"
#include "support/strings.h"
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr short kAttTypeKey = 1606, kAttName = 1607, kAttNominalThickness = 1304;

struct RecordFree {
    void operator()(ddq_record* record) const { ddq_freerecord(record); }
};
using RecordHolder = std::unique_ptr<ddq_record, RecordFree>;

// Calls visit(record) for every record of the class in the engine's order;
// visit returns false to stop.
template <typename Visit>
void ForEachRecord(short database, const char* recordClass, Visit visit)
{
    for (RecordHolder record(ddq_findfirst(database, recordClass)); record;
         record.reset(ddq_findnext(database, record.get()))) {
        if (!visit(record.get()))
            return;
    }
}

// The record's type key without trailing blanks; "" when it has none.
std::string TypeOf(short database, const ddq_record* record)
{
    char text[100] = {};
    short count = 0;
    // One byte stays free so that the text is terminated whatever was stored.
    ddq_getfield(database, record, kAttTypeKey, &count, text, sizeof(text) - 1);
    Str_TrimRight(text);
    return text;
}

// The name people know the type by: its own record's name, else its key.
std::string TypeName(short database, const char* recordClass, const std::string& type)
{
    const char* stored = type.empty() ? nullptr : TechDb_GetStringAtt(database, recordClass, type.c_str(), kAttName);
    std::string name = stored ? stored : "";
    name.erase(name.find_last_not_of(' ') + 1);
    return name.empty() ? type : name;
}

std::string KeyOf(short database, const ddq_record* record)
{
    char key[256] = {};
    short length = sizeof(key);
    if (ddq_getrecordkey(database, record, &length, key) < 0)
        return {};
    Str_TrimRight(key);
    return key;
}

bool TypeListed(const ProductListEntry* list, int16_t lastIndex, const std::string& type)
{
    for (int i = 0; i <= lastIndex; ++i)
        if (type == list[i].code)
            return true;
    return false;
}

bool Given(const char* text)
{
    return text && *text;
}

}  // namespace

int16_t ProductDb_ListTypes(short database, const char* recordClass, ProductListEntry* list, int16_t* lastIndex)
{
    if (!Given(recordClass) || !list || !lastIndex)
        return -1;
    ForEachRecord(database, recordClass, [&](const ddq_record* record) {
        if (*lastIndex + 1 >= kProductListSize)
            return false;
        const std::string type = TypeOf(database, record);
        if (TypeListed(list, *lastIndex, type))
            return true;
        ProductListEntry& entry = list[++*lastIndex];
        entry = ProductListEntry{};
        entry.number = *lastIndex;
        ListField_Copy(entry.name, TypeName(database, recordClass, type).c_str());
        ListField_Copy(entry.code, type.c_str());
        ListField_Copy(entry.recordClass, recordClass);
        return true;
    });
    return 0;
}

std::vector<ProductListEntry> ProductDb_ReadCandidates(short database, const char* typeKey, const char* recordClass)
{
    std::vector<ProductListEntry> candidates;
    if (!Given(typeKey) || !Given(recordClass))
        return candidates;
    ForEachRecord(database, recordClass, [&](const ddq_record* record) {
        if (TypeOf(database, record) != typeKey)
            return true;
        const std::string code = KeyOf(database, record);
        const float thickness = TechDb_GetFloatAtt(database, recordClass, code.c_str(), kAttNominalThickness);
        if (std::fabs(thickness) < 1e-7f)
            return true;
        ProductListEntry& candidate = candidates.emplace_back();
        candidate.number = static_cast<int32_t>(candidates.size() - 1);
        std::snprintf(candidate.name, sizeof(candidate.name), "%.f", static_cast<double>(thickness));
        ListField_Copy(candidate.code, code.c_str());
        ListField_Copy(candidate.recordClass, recordClass);
        return candidates.size() < kProductDbCandidates;
    });
    return candidates;
}

int ProductDb_ListProducts(const char* typeKey, const char* recordClass, ProductListEntry* output,
                           const char* currentCode, int* selection, float diameterBeneath, bool match)
{
    ProductList_Clear(output);
    if (!Given(typeKey) || !Given(recordClass))
        return -1;
    // A type without thickness records still offers the heading and its own thickness.
    const std::vector<ProductListEntry> candidates =
        ProductDb_ReadCandidates(VlDataTechDb_Handle(), typeKey, recordClass);
    return ProductList_BuildThicknessChoices(output, candidates.data(), static_cast<int>(candidates.size()),
                                             recordClass, currentCode, selection, diameterBeneath, match);
}
