// Input limits against the real technical data beside the modules: stored
// limits and defaults, keys without a limit record, and the range test at
// and just past its ends.
#include <gtest/gtest.h>
#include "support/lookups.h"
#include "VlTechDatabase/vltechdb.h"
#include <cfloat>
#include <cmath>

namespace {

class LookupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_GE(VlDataTechDb_Handle(), 0) << "VlDataTech.DB is not built beside the modules";
        Lookup_SetHandles(VlDataTechDb_Handle(), VlOtherInsulationDataTechDb_Handle(), -1);
    }
};

struct LimitCase {
    const char* name;
    const char* key;
    float minimum;
    float maximum;
    float defaultValue;
};

const LimitCase limitCases[] = {
    {"a width", "HLOSSWIDTH_MM", 10, 10000, 500},
    {"a negative minimum", "INSTHICKESSHEATLOSS_WM2", -10000, 10000, 50},
    {"a minimum of 0", "HLOSSAIRVELOCITY_MS", 0, 30, 0.5f},
    {"no limit record", "NOSUCHLIMIT", -FLT_MAX, FLT_MAX, 0},
};

TEST_F(LookupTest, LimitsAndDefaultsOfTheTechnicalData)
{
    for (const LimitCase& c : limitCases) {
        SCOPED_TRACE(c.name);
        float minimum = 1, maximum = 2, defaultValue = 3;
        EXPECT_EQ(InputLimits_Get(c.key, &minimum, &maximum), 0);
        EXPECT_FLOAT_EQ(minimum, c.minimum);
        EXPECT_FLOAT_EQ(maximum, c.maximum);
        EXPECT_EQ(InputLimits_GetDefault(c.key, &defaultValue), 0);
        EXPECT_FLOAT_EQ(defaultValue, c.defaultValue);
    }
}

TEST_F(LookupTest, ANullKeyIsRefusedAndStoresNothing)
{
    float minimum = 1, maximum = 2;
    EXPECT_EQ(InputLimits_Get(nullptr, &minimum, &maximum), -1);
    EXPECT_EQ(InputLimits_GetDefault(nullptr, &minimum), -1);
    EXPECT_EQ(minimum, 1);
    EXPECT_EQ(maximum, 2);
    EXPECT_EQ(InputLimits_Check(nullptr, 1e30f, nullptr, 0), 0);
}

struct CheckCase {
    const char* name;
    const char* key;
    float value;
    int expected;
};

const CheckCase checkCases[] = {
    {"the exact maximum", "HLOSSWIDTH_MM", 10000, 0},
    {"just above the maximum", "HLOSSWIDTH_MM", std::nextafter(10000.0f, 1e9f), -1},
    {"the exact minimum", "HLOSSWIDTH_MM", 10, 0},
    {"just below the minimum", "HLOSSWIDTH_MM", std::nextafter(10.0f, 0.0f), -1},
    {"a maximum of 1", "HLOSSEMISSIVITY", 1, 0},
    {"above a maximum of 1", "HLOSSEMISSIVITY", 1.001f, -1},
    {"any value without a limit record", "NOSUCHLIMIT", -1e30f, 0},
};

TEST_F(LookupTest, TheRangeTestIncludesBothEnds)
{
    for (const CheckCase& c : checkCases)
        EXPECT_EQ(InputLimits_Check(nullptr, c.value, c.key, 0), c.expected) << c.name;
}

}  // namespace
