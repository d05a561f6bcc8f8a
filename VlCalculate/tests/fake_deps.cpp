// In-memory stand-ins for what the engine reads from and reports to the other
// modules (see calc_deps.h); tests fill FakeWorld and read its errors back.
#include "VlCalculate/tests/fake_deps.h"
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
std::string TrimRight(const char* text)
{
    std::string s = text ? text : "";
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

FakeWorld::TechKey MakeTechKey(int16_t db, const char* cls, const char* key, int16_t att)
{
    return {db, cls ? cls : "", TrimRight(key), att};
}
} // namespace

FakeWorld& Fake()
{
    static FakeWorld world;
    return world;
}

void FakeReset()
{
    DeleteThicknessResultList();
    Fake() = FakeWorld{};
    Calc().db = Fake().handles;
    Calc().priceDb = -1;
    Calc().hot = false;
}

std::vector<int32_t> FakeWorld::errorIds() const
{
    std::vector<int32_t> ids;
    for (const FakeError& e : errors) {
        ids.push_back(e.textId);
    }
    return ids;
}

float FakeWorld::pageFloat(int32_t object, int16_t att) const
{
    auto it = pageFloats.find({object, att});
    return it == pageFloats.end() || it->second.empty() ? std::nanf("") : it->second[0];
}

void Deps_ReportError(int severity, int32_t textId)
{
    Fake().errors.push_back({severity, textId});
}

TechHandles Deps_TechHandles()
{
    return Fake().handles;
}

int16_t Deps_OpenOtherInsulation()
{
    if (Fake().handles.otherInsulation < 0) {
        return -1;
    }
    ++Fake().otherInsulationOpen;
    return Fake().handles.otherInsulation;
}

void Deps_CloseOtherInsulation()
{
    --Fake().otherInsulationOpen;
}

int Deps_TechFloats(int16_t db, const char* recordClass, const char* key, int16_t att, float* values, int maxCount)
{
    ++Fake().techReads;
    if (db < 0) {
        return -1;
    }
    auto it = Fake().techFloats.find(MakeTechKey(db, recordClass, key, att));
    if (it == Fake().techFloats.end()) {
        return -1;
    }
    const int n = std::min(static_cast<int>(it->second.size()), maxCount);
    std::fill(values, values + maxCount, 0.0f);
    std::copy(it->second.begin(), it->second.begin() + n, values);
    return static_cast<int>(it->second.size());
}

float Deps_TechFloat(int16_t db, const char* recordClass, const char* key, int16_t att)
{
    float value = 0.0f;
    return Deps_TechFloats(db, recordClass, key, att, &value, 1) > 0 ? value : 0.0f;
}

std::vector<std::string> Deps_TechEntryKeys(int16_t db, const char* recordClass, const char* key, int16_t att)
{
    auto it = Fake().techEntries.find(MakeTechKey(db, recordClass, key, att));
    return it == Fake().techEntries.end() || db < 0 ? std::vector<std::string>{} : it->second;
}

int32_t Deps_IthPart(int16_t index)
{
    return index >= 0 && index < static_cast<int16_t>(Fake().parts.size()) ? Fake().parts[index] : 0;
}

int16_t Deps_PageShort(int32_t object, int16_t att)
{
    auto it = Fake().pageShorts.find({object, att});
    return it == Fake().pageShorts.end() ? 0 : it->second;
}

float Deps_PageFloat(int32_t object, int16_t att)
{
    float value = 0.0f;
    return Deps_PageFloats(object, att, &value, 1) > 0 ? value : 0.0f;
}

int Deps_PageFloats(int32_t object, int16_t att, float* values, int maxCount)
{
    std::fill(values, values + maxCount, 0.0f);
    auto it = Fake().pageFloats.find({object, att});
    if (it == Fake().pageFloats.end()) {
        return 0;
    }
    const int n = std::min(static_cast<int>(it->second.size()), maxCount);
    std::copy(it->second.begin(), it->second.begin() + n, values);
    return n;
}

std::string Deps_PageString(int32_t object, int16_t att, int maxBytes)
{
    auto it = Fake().pageStrings.find({object, att});
    return it == Fake().pageStrings.end() ? std::string{} : it->second.substr(0, maxBytes);
}

void Deps_PageSetFloat(int32_t object, int16_t att, float value)
{
    Fake().pageFloats[{object, att}] = {value};
}

void Deps_PageDelete(int32_t object, int16_t att)
{
    Fake().pageFloats.erase({object, att});
    Fake().pageShorts.erase({object, att});
    Fake().pageStrings.erase({object, att});
}
