// The engine's reads from the technical databases of VlTechDb.dll: the
// handles, float attributes, the thickness entries of a product type and
// the conductivity tables of other insulation.
#include <algorithm>
#include <cstring>
#include "VlCalculate/calc_deps.h"
#include "VlTechDatabase/vltechdb.h"

namespace {
constexpr size_t kEntryBytes = 99;  // one thickness entry: a NUL-terminated product code
}

TechHandles Deps_TechHandles()
{
    return {VlDataTechDb_Handle(),  VlOtherInsulationDataTechDb_Handle(), VlWeatherDataTechDb_Handle(),
            VlPriceEURDb_Handle(), VlPriceSEKDb_Handle(),                VlPricePLNDb_Handle()};
}

int16_t Deps_OpenOtherInsulation()
{
    return TechDbOtherInsulation_Open(0);
}

void Deps_CloseOtherInsulation()
{
    TechDbOtherInsulation_Close(0);
}

int Deps_TechFloats(int16_t db, const char* recordClass, const char* key, int16_t att, float* values, int maxCount)
{
    std::fill(values, values + maxCount, 0.0f);
    short count = 0;
    const auto length = static_cast<short>(maxCount * sizeof(float));
    return TechDb_GetAtt(db, recordClass, key, att, &count, values, length) != nullptr ? count : -1;
}

float Deps_TechFloat(int16_t db, const char* recordClass, const char* key, int16_t att)
{
    return TechDb_GetFloatAtt(db, recordClass, key, att);
}

std::vector<std::string> Deps_TechEntryKeys(int16_t db, const char* recordClass, const char* key, int16_t att)
{
    std::vector<std::string> keys;
    short count = 0;
    void* block = TechDb_GetAtt(db, recordClass, key, att, &count, nullptr, 0);
    if (block == nullptr) {
        return keys;
    }
    const char* entry = static_cast<const char*>(block);
    for (short i = 0; i < count; ++i, entry += kEntryBytes) {
        keys.emplace_back(entry, strnlen(entry, kEntryBytes));
    }
    TechDb_ReleaseAtt(block);
    return keys;
}
