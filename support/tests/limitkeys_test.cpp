// Every input-limit key that the program checks has its "DC" record in the
// technical data, with a minimum below its maximum and a default between
// them; a key without a record would let nothing but 0 through.
#include <gtest/gtest.h>
#include "support/lookups.h"
#include "VlTechDatabase/vltechdb.h"

namespace {

struct KeyUse {
    const char* where;
    const char* key;
};

// The keys by the page or dialog that checks them.
const KeyUse kLimitKeys[] = {
    {"insulation target page", "HLOSSOUTERDIAMTARGET_MM"},
    {"insulation target page", "HLOSSWIDTH_MM"},
    {"insulation target page", "HLOSSHEIGHT_MM"},
    {"insulation target page", "HLOSSCONTENTTEMPERATURE_C"},
    {"insulation target page", "HLOSSAMBIENTTEMPERATURE_C"},
    {"insulation target page", "HLOSSRELATIVEHUMIDITY"},
    {"insulation target page", "HLOSSAIRVELOCITY_MS"},
    {"insulation page", "INSTHICKESSHEATLOSS_WM2"},
    {"insulation page", "INSTHICKNESSSURFACETEMPERATURE_C"},
    {"insulation page", "HLOSSEMISSIVITY"},
    {"insulation page", "HLOSSINNERDIAMETER_MM"},
    {"insulation page", "HLOSSOUTERDIAMETER_MM"},
    {"insulation page", "HLOSSNOMINALTHICKNESS_MM"},
    {"insulation page", "HLOSSTHERMALCONDUCTANCE"},
    {"pipe cooling page", "COOLINGCONTSPECHEATCAP"},
    {"pipe cooling page", "COOLINGCONTENTSDENSITY"},
    {"pipe cooling page", "COOLINGMASSFLOWRATE_KGS"},
    {"pipe cooling page", "COOLINGVOLFLOWRATE_M3S"},
    {"pipe cooling page", "COOLINGFLOWVELOCITY_MS"},
    {"tank page", "COOLINGVESSELDIMENSION1_M"},
    {"tank page", "COOLINGVESSELDIMENSION2_M"},
    {"tank page", "COOLINGVESSELHEIGHT_M"},
    {"tank page", "COOLINGCONTSPECHEATCAPVESSEL"},
    {"tank page", "COOLINGCONTENTSDENSITYVESSEL"},
    {"tank page", "COOLINGVESSELCONTFINTEMP_C"},
    {"freezing page", "FREEZINGPIPESPECHEATCAP"},
    {"freezing page", "FREEZINGPIPEDENSITY"},
    {"freezing page", "FREEZINGCONTSPECHEATCAP"},
    {"freezing page", "FREEZINGCONTENTSDENSITY"},
    {"freezing page", "FREEZINGTEMPERATURE_C"},
    {"annual costs dialog", "ANNUALPRICEINCREASEENERGY"},
    {"annual costs dialog", "ECONOMICUSEFULLIFE_A"},
    {"annual costs dialog", "PRICETHERMALENERGY"},
    {"annual costs dialog", "ANNUALOPERATINGTIME_HA"},
    {"annual costs dialog", "RATEOFINTEREST"},
    {"user insulation editor", "INSDATATEMPERATURE_C"},
    {"user insulation editor", "INSDATATHERMALCONDUCTANCE"},
    {"weather data dialog", "WDATAAVERAGETEMPERATURE_C"},
    {"weather data dialog", "WDATAAIRVELOCITY_MS"},
};

TEST(LimitKeys, EveryKeyThatIsCheckedHasASensibleRecord)
{
    const short tech = VlDataTechDb_Handle();
    ASSERT_GE(tech, 0) << "VlDataTech.DB is not built beside the modules";
    Lookup_SetHandles(tech, VlOtherInsulationDataTechDb_Handle(), 0);
    for (const KeyUse& use : kLimitKeys) {
        SCOPED_TRACE(std::string(use.where) + ": " + use.key);
        TechRecord* record = TechDb_FindEqual(tech, "DC", use.key);
        ASSERT_NE(record, nullptr) << "no limit record";
        TechDb_ReleaseRec(record);
        float minimum = 0, maximum = 0, defaultValue = 0;
        InputLimits_Get(use.key, &minimum, &maximum);
        InputLimits_GetDefault(use.key, &defaultValue);
        EXPECT_LT(minimum, maximum);
        EXPECT_EQ(InputLimits_Check(nullptr, defaultValue, use.key, 0), 0) << "the default lies within the limits";
    }
}

}  // namespace
