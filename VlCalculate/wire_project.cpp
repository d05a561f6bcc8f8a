// The engine's reads and writes of the current page in the project database
// (WSKADMI.dll): layer parts, typed attributes, the tank's size and labour.
#include <algorithm>
#include <cstring>
#include "Kadmi/kadmi.h"
#include "VlCalculate/calc_deps.h"

int32_t Deps_IthPart(int16_t index)
{
    const long part = Kadmi_IthPart(index);
    return part > 0 ? part : 0;  // negative: no project or no page
}

int16_t Deps_PageShort(int32_t object, int16_t att)
{
    return Kadmi_GetIntAtt(object, att);
}

float Deps_PageFloat(int32_t object, int16_t att)
{
    return Kadmi_GetFloatAtt(object, att);
}

int Deps_PageFloats(int32_t object, int16_t att, float* values, int maxCount)
{
    std::fill(values, values + maxCount, 0.0f);
    short count = 0;
    const auto length = static_cast<short>(maxCount * sizeof(float));
    if (Kadmi_GetAtt(object, att, &count, values, length) == nullptr) {
        return 0;
    }
    return std::min<int>(count, maxCount);
}

std::string Deps_PageString(int32_t object, int16_t att, int maxBytes)
{
    std::string text(static_cast<size_t>(maxBytes) + 1, '\0');
    short count = 0;
    if (Kadmi_GetAtt(object, att, &count, text.data(), static_cast<short>(maxBytes)) == nullptr) {
        return {};
    }
    text.resize(strnlen(text.data(), static_cast<size_t>(maxBytes)));
    return text;
}

void Deps_PageSetFloat(int32_t object, int16_t att, float value)
{
    Kadmi_SetFloatAtt(object, att, value);
}

void Deps_PageDelete(int32_t object, int16_t att)
{
    Kadmi_DeleteAtt(object, att);
}
