// Every input-limit key that the program checks has its "DC" record in the
// technical data, with a minimum below its maximum and a default between
// them; a key without a record would let nothing but 0 through.
#include <gtest/gtest.h>
#include "support/lookups.h"
#include "VlTechDatabase/vltechdb.h"
#include <string>
#include <vector>

namespace {

struct KeyUse {
    const char* where;
    std::vector<const char*> keys;
};

// The keys by the page or dialog that checks them.
const KeyUse kLimitKeys[] = {
    {"insulation target page", {"HLOSSOUTERDIAMTARGET_MM", "HLOSSWIDTH_MM", "HLOSSHEIGHT_MM",
                                "HLOSSCONTENTTEMPERATURE_C", "HLOSSAMBIENTTEMPERATURE_C", "HLOSSRELATIVEHUMIDITY",
                                "HLOSSAIRVELOCITY_MS"}},
    {"insulation page", {"INSTHICKESSHEATLOSS_WM2", "INSTHICKNESSSURFACETEMPERATURE_C", "HLOSSEMISSIVITY",
                         "HLOSSINNERDIAMETER_MM", "HLOSSOUTERDIAMETER_MM", "HLOSSNOMINALTHICKNESS_MM",
                         "HLOSSTHERMALCONDUCTANCE"}},
    {"pipe cooling page", {"COOLINGCONTSPECHEATCAP", "COOLINGCONTENTSDENSITY", "COOLINGMASSFLOWRATE_KGS",
                           "COOLINGVOLFLOWRATE_M3S", "COOLINGFLOWVELOCITY_MS"}},
    {"tank page", {"COOLINGVESSELDIMENSION1_M", "COOLINGVESSELDIMENSION2_M", "COOLINGVESSELHEIGHT_M",
                   "COOLINGCONTSPECHEATCAPVESSEL", "COOLINGCONTENTSDENSITYVESSEL", "COOLINGVESSELCONTFINTEMP_C"}},
    {"freezing page", {"FREEZINGPIPESPECHEATCAP", "FREEZINGPIPEDENSITY", "FREEZINGCONTSPECHEATCAP",
                       "FREEZINGCONTENTSDENSITY", "FREEZINGTEMPERATURE_C"}},
    {"annual costs dialog", {"ANNUALPRICEINCREASEENERGY", "ECONOMICUSEFULLIFE_A", "PRICETHERMALENERGY",
                             "ANNUALOPERATINGTIME_HA", "RATEOFINTEREST"}},
    {"user insulation editor", {"INSDATATEMPERATURE_C", "INSDATATHERMALCONDUCTANCE"}},
    {"weather data dialog", {"WDATAAVERAGETEMPERATURE_C", "WDATAAIRVELOCITY_MS"}},
};

TEST(LimitKeys, EveryKeyThatIsCheckedHasASensibleRecord)
{
    const short tech = VlDataTechDb_Handle();
    ASSERT_GE(tech, 0) << "VlDataTech.DB is not built beside the modules";
    Lookup_SetHandles(tech, VlOtherInsulationDataTechDb_Handle(), 0);
    for (const KeyUse& use : kLimitKeys)
        for (const char* key : use.keys) {
            SCOPED_TRACE(std::string(use.where) + ": " + key);
            TechRecord* record = TechDb_FindEqual(tech, "DC", key);
            ASSERT_NE(record, nullptr) << "no limit record";
            TechDb_ReleaseRec(record);
            float minimum = 0, maximum = 0, defaultValue = 0;
            InputLimits_Get(key, &minimum, &maximum);
            InputLimits_GetDefault(key, &defaultValue);
            EXPECT_LT(minimum, maximum);
            EXPECT_EQ(InputLimits_Check(nullptr, defaultValue, key, 0), 0) << "the default lies within the limits";
        }
}

}  // namespace
