// Stand-ins for the technical and project database libraries until their
// exports exist: every database reads as missing, nothing is written.
#include "VlCalculate/calc_deps.h"
#include <algorithm>

TechHandles Deps_TechHandles() { return {}; }
int Deps_TechFloats(int16_t, const char*, const char*, int16_t, float* values, int maxCount)
{
    std::fill(values, values + maxCount, 0.0f);
    return -1;
}
float Deps_TechFloat(int16_t, const char*, const char*, int16_t) { return 0.0f; }
std::vector<std::string> Deps_TechEntryKeys(int16_t, const char*, const char*, int16_t) { return {}; }
int32_t Deps_IthPart(int16_t) { return 0; }
int16_t Deps_PageShort(int32_t, int16_t) { return 0; }
float Deps_PageFloat(int32_t, int16_t) { return 0.0f; }
int Deps_PageFloats(int32_t, int16_t, float* values, int maxCount)
{
    std::fill(values, values + maxCount, 0.0f);
    return 0;
}
std::string Deps_PageString(int32_t, int16_t, int) { return {}; }
void Deps_PageSetFloat(int32_t, int16_t, float) {}
void Deps_PageDelete(int32_t, int16_t) {}
