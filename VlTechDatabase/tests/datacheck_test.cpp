// The data rules, checked on the databases the build generated: limits,
// product groups and their types, conductivity fits, pipe sections per
// standard diameter, surface materials, weather, user types, a name of its
// own for every product type and the three price lists agreeing with each other.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstring>
#include <set>
#include <string>
#include <utility>

#include "VlTechDatabase/tests/techlib.h"

namespace {

constexpr int kTextElement = 99;
const double kSekPerEur = 11.5;
const double kPlnPerEur = 4.3;

const char* const kLimitKeys[] = {
    "ANNUALOPERATINGTIME_HA", "ANNUALPRICEINCREASEENERGY", "COOLINGCONTENTSDENSITY",
    "COOLINGCONTENTSDENSITYVESSEL", "COOLINGCONTSPECHEATCAP", "COOLINGCONTSPECHEATCAPVESSEL",
    "COOLINGFLOWVELOCITY_MS", "COOLINGMASSFLOWRATE_KGS", "COOLINGVESSELCONTFINTEMP_C",
    "COOLINGVESSELDIMENSION1_M", "COOLINGVESSELDIMENSION2_M", "COOLINGVESSELHEIGHT_M",
    "COOLINGVOLFLOWRATE_M3S", "ECONOMICUSEFULLIFE_A", "FREEZINGCONTENTSDENSITY",
    "FREEZINGCONTSPECHEATCAP", "FREEZINGPIPEDENSITY", "FREEZINGPIPESPECHEATCAP",
    "FREEZINGTEMPERATURE_C", "HLOSSAIRVELOCITY_MS", "HLOSSAMBIENTTEMPERATURE_C",
    "HLOSSCONTENTTEMPERATURE_C", "HLOSSEMISSIVITY", "HLOSSHEIGHT_MM", "HLOSSINNERDIAMETER_MM",
    "HLOSSNOMINALTHICKNESS_MM", "HLOSSOUTERDIAMETER_MM", "HLOSSOUTERDIAMTARGET_MM",
    "HLOSSRELATIVEHUMIDITY", "HLOSSTHERMALCONDUCTANCE", "HLOSSWIDTH_MM", "INSDATATEMPERATURE_C",
    "INSDATATHERMALCONDUCTANCE", "INSTHICKESSHEATLOSS_WM2", "INSTHICKNESSSURFACETEMPERATURE_C",
    "PRICETHERMALENERGY", "RATEOFINTEREST", "WDATAAIRVELOCITY_MS", "WDATAAVERAGETEMPERATURE_C",
};

// Outer diameters of steel tubes (EN 10220) and copper tubes (EN 1057), in
// tenths of a millimetre.
const std::set<long> kStandardDiameters = {
    102, 135, 172, 213, 269, 337, 424, 483, 603, 761, 889, 1016, 1143, 1397, 1683, 2191, 2730,
    3239, 3556, 4064, 4570, 5080, 60, 80, 100, 120, 150, 180, 220, 280, 350, 420, 540, 640, 667,
    1080, 1330, 1590, 2190};

struct Limits {
    float min, max, def;
};

class DataCheck : public ::testing::Test {
protected:
    DataCheck() : folder_(AllDatabaseFiles()), lib_(folder_) {}
    const TechLib& lib() { return *lib_; }
    short tech() { return lib().DataHandle(); }

    Limits LimitsOf(const char* key)
    {
        return {lib().GetFloatAtt(tech(), "DC", key, 1301), lib().GetFloatAtt(tech(), "DC", key, 1302),
                lib().GetFloatAtt(tech(), "DC", key, 1303)};
    }

    // The texts of a 99-byte-element list attribute.
    std::vector<std::string> TextList(short h, const char* cls, const char* key, short att)
    {
        std::vector<std::string> out;
        short count = 0;
        auto* block = static_cast<const char*>(lib().GetAtt(h, cls, key, att, &count, nullptr, 0));
        for (int i = 0; block && i < count; ++i)
            out.emplace_back(block + i * kTextElement, strnlen(block + i * kTextElement, kTextElement));
        lib().ReleaseAtt(const_cast<char*>(block));
        return out;
    }

    std::vector<std::string> ClassKeys(short h, const char* cls)
    {
        std::vector<std::string> keys;
        for (TechRecord* r = lib().FindFirst(h, cls); r;) {
            keys.emplace_back(lib().RecGetID(h, r));
            lib().ReleaseRec(r);
            r = lib().FindNext(h, cls, keys.back().c_str());
        }
        return keys;
    }

    std::string String(short h, const char* cls, const std::string& key, short att)
    {
        const char* s = lib().GetStringAtt(h, cls, key.c_str(), att);
        return s ? s : "";
    }

    std::vector<float> Floats(short h, const char* cls, const std::string& key, short att)
    {
        float buffer[500] = {};
        short count = 0;
        if (!lib().GetAtt(h, cls, key.c_str(), att, &count, buffer, sizeof buffer))
            return {};
        return std::vector<float>(buffer, buffer + count * (att == 1603 ? 5 : att == 1604 ? 4 : 1));
    }

    TechFolder folder_;
    LoadedTechLib lib_;
};

TEST_F(DataCheck, EveryLimitKeyHasSoundLimits)
{
    for (const char* key : kLimitKeys) {
        SCOPED_TRACE(key);
        ASSERT_NE(lib().FindEqual(tech(), "DC", key), nullptr);
        Limits l = LimitsOf(key);
        EXPECT_LT(l.min, l.max);
        EXPECT_LE(l.min, l.def);
        EXPECT_LE(l.def, l.max);
    }
    EXPECT_LT(LimitsOf("INSTHICKESSHEATLOSS_WM2").min, 0.0f) << "cold objects lose negative heat";
    EXPECT_EQ(LimitsOf("HLOSSTHERMALCONDUCTANCE").min, 0.0f);
    EXPECT_GT(LimitsOf("HLOSSRELATIVEHUMIDITY").min, 0.0f);
    EXPECT_EQ(LimitsOf("HLOSSRELATIVEHUMIDITY").max, 100.0f);
    for (const char* key : {"HLOSSAMBIENTTEMPERATURE_C", "WDATAAVERAGETEMPERATURE_C"}) {
        EXPECT_GE(LimitsOf(key).min, -31.0f) << key;
        EXPECT_LE(LimitsOf(key).max, 50.0f) << key;
    }
    EXPECT_EQ(ClassKeys(tech(), "DC").size(), std::size(kLimitKeys)) << "no limit that no page checks";
}

bool ValidTypeKey(const std::string& key)
{
    return !key.empty() && key.size() <= 30 && !std::isdigit(static_cast<unsigned char>(key[0])) &&
           key.find(' ') == std::string::npos;
}

TEST_F(DataCheck, ProductGroupsTypesAndProducts)
{
    std::set<std::string> allCodes;
    for (const char* cls : {"IM", "IP", "IS"}) {
        SCOPED_TRACE(cls);
        std::vector<std::string> types = TextList(tech(), cls, "ALLTYPES", 1600);
        ASSERT_FALSE(types.empty());
        std::set<std::string> listed{"ALLTYPES"};
        for (const std::string& type : types) {
            SCOPED_TRACE(type);
            EXPECT_TRUE(ValidTypeKey(type));
            listed.insert(type);
            EXPECT_EQ(String(tech(), cls, type, 1606), type);
            for (short name = 1602; name <= 1604; ++name)
                EXPECT_FALSE(String(tech(), cls, type, name).empty());
            std::vector<std::string> codes = TextList(tech(), cls, type.c_str(), 1600);
            EXPECT_FALSE(codes.empty());
            EXPECT_LE(codes.size(), 200u);
            for (const std::string& code : codes) {
                SCOPED_TRACE(code);
                EXPECT_LE(code.size(), 30u);
                EXPECT_TRUE(allCodes.insert(code).second) << "a product code in two types";
                listed.insert(code);
                EXPECT_EQ(String(tech(), cls, code, 1606), type);
                for (short name = 1602; name <= 1604; ++name)
                    EXPECT_FALSE(String(tech(), cls, code, name).empty());
                float s = lib().GetFloatAtt(tech(), cls, code.c_str(), 1304);
                EXPECT_GE(s, 10.0f);
                EXPECT_LE(s, 150.0f);
                float a = lib().GetFloatAtt(tech(), cls, code.c_str(), 1307);
                float b = lib().GetFloatAtt(tech(), cls, code.c_str(), 1308);
                float c = lib().GetFloatAtt(tech(), cls, code.c_str(), 1309);
                for (double t : {-0.5, 0.0, 1.0, 3.0}) {
                    double lambda = a + b * t + c * t * t;
                    EXPECT_GT(lambda, 0.015) << "at " << t * 100 << " C";
                    EXPECT_LT(lambda, 0.2) << "at " << t * 100 << " C";
                }
                float e = lib().GetFloatAtt(tech(), cls, code.c_str(), 1310);
                EXPECT_GT(e, 0.0f);
                EXPECT_LE(e, 1.0f);
                for (short att = 1307; att <= 1310; ++att)
                    EXPECT_EQ(lib().GetFloatAtt(tech(), cls, code.c_str(), att),
                              lib().GetFloatAtt(tech(), cls, type.c_str(), att))
                        << "attribute " << att << " differs from its type's";
                float inner = lib().GetFloatAtt(tech(), cls, code.c_str(), 1305);
                float outer = lib().GetFloatAtt(tech(), cls, code.c_str(), 1306);
                if (std::strcmp(cls, "IP") == 0) {
                    EXPECT_EQ(kStandardDiameters.count(std::lround(inner * 10)), 1u) << inner;
                    EXPECT_NEAR(outer, inner + 2 * s, 0.05);
                } else {
                    EXPECT_EQ(inner, 0.0f);
                    EXPECT_EQ(outer, 0.0f);
                }
            }
        }
        for (const std::string& key : ClassKeys(tech(), cls))
            EXPECT_EQ(listed.count(key), 1u) << key << " is in no type list";
    }
}

// The extended edition names every product record by 1607: the name the
// standard edition shows under the default naming (1602), never a key.
TEST_F(DataCheck, EveryProductRecordHasANameForPeople)
{
    size_t records = 0;
    for (const char* cls : {"IM", "IP", "IS"}) {
        const std::vector<std::string> keys = ClassKeys(tech(), cls);
        const std::set<std::string> keySet(keys.begin(), keys.end());
        for (const std::string& key : keys) {
            if (key == "ALLTYPES")
                continue;
            SCOPED_TRACE(std::string(cls) + " " + key);
            ++records;
            const std::string name = String(tech(), cls, key, 1607);
            EXPECT_EQ(name, String(tech(), cls, key, 1602));
            EXPECT_EQ(keySet.count(name), 0u) << "a key, not a name";
            EXPECT_NE(name, String(tech(), cls, key, 1606)) << "the type key, not a name";
            EXPECT_NE(name.find(' '), std::string::npos) << "a name of words";
        }
    }
    EXPECT_EQ(records, 442u);
}

// Typical declared conductivities of each material (W/mK at the mean
// temperature in C), up to the highest temperature the material is used at.
struct TypicalCurve {
    const char* cls;
    const char* type;
    std::vector<std::pair<double, double>> points;
};

const TypicalCurve kTypicalCurves[] = {
    {"IP", "MW-PIPESECTION", {{10, 0.034}, {50, 0.038}, {100, 0.044}, {200, 0.061}, {300, 0.083}}},
    {"IP", "MW-PIPESECTION-ALU", {{10, 0.034}, {50, 0.038}, {100, 0.044}, {200, 0.061}, {300, 0.083}}},
    {"IM", "MW-SLAB-HT", {{10, 0.035}, {50, 0.038}, {100, 0.043}, {200, 0.058}, {300, 0.078}}},
    {"IM", "MW-WIREDMAT", {{50, 0.040}, {100, 0.047}, {200, 0.066}, {300, 0.091}}},
    {"IP", "EF-TUBE", {{-20, 0.033}, {10, 0.036}, {50, 0.040}, {100, 0.045}}},
    {"IS", "EF-SHEET", {{-20, 0.033}, {10, 0.036}, {50, 0.040}, {100, 0.045}}},
    {"IP", "PIR-SECTION", {{-50, 0.022}, {10, 0.025}, {50, 0.027}, {100, 0.031}}},
    {"IM", "CG-SLAB", {{-50, 0.032}, {10, 0.039}, {50, 0.043}, {100, 0.049}, {200, 0.063}, {300, 0.080}}},
    {"IM", "CS-SLAB", {{50, 0.054}, {100, 0.058}, {200, 0.068}, {300, 0.079}}},
};

TEST_F(DataCheck, ConductivityFitsFollowTypicalCurvesOfTheirMaterials)
{
    std::set<std::string> checked;
    for (const TypicalCurve& curve : kTypicalCurves) {
        SCOPED_TRACE(curve.type);
        checked.insert(curve.type);
        double a = lib().GetFloatAtt(tech(), curve.cls, curve.type, 1307);
        double b = lib().GetFloatAtt(tech(), curve.cls, curve.type, 1308);
        double c = lib().GetFloatAtt(tech(), curve.cls, curve.type, 1309);
        double previous = 0;
        for (const auto& [temperature, typical] : curve.points) {
            double t = temperature / 100;
            double lambda = a + b * t + c * t * t;
            EXPECT_NEAR(lambda, typical, typical * 0.05) << "at " << temperature << " C";
            EXPECT_GT(lambda, previous) << "rises with temperature, at " << temperature << " C";
            previous = lambda;
        }
    }
    for (const char* cls : {"IM", "IP", "IS"})
        for (const std::string& type : TextList(tech(), cls, "ALLTYPES", 1600))
            EXPECT_EQ(checked.count(type), 1u) << type << " has no typical curve to check against";
}

TEST_F(DataCheck, SurfaceMaterials)
{
    struct { const char* key; float emissivity; } known[] = {
        {"AL-BRIGHT", 0.05f}, {"AL-OXIDISED", 0.13f}, {"STAINLESS", 0.15f},
        {"GALV-STEEL", 0.26f}, {"PAINTED-PLASTIC", 0.9f}};
    for (const auto& k : known)
        EXPECT_FLOAT_EQ(lib().GetFloatAtt(tech(), "CM", k.key, 1310), k.emissivity) << k.key;
    for (const std::string& key : ClassKeys(tech(), "CM")) {
        EXPECT_GE(lib().GetLongAtt(tech(), "CM", key.c_str(), 1201), 1) << key;
        EXPECT_GT(lib().GetFloatAtt(tech(), "CM", key.c_str(), 1310), 0.0f) << key;
        EXPECT_LE(lib().GetFloatAtt(tech(), "CM", key.c_str(), 1310), 1.0f) << key;
    }
}

TEST_F(DataCheck, GeneralRecords)
{
    EXPECT_FALSE(String(tech(), "GE", "GENERAL", 1605).empty());
    for (short h : {short(100), short(200)}) {
        EXPECT_NE(lib().FindEqual(h, "GE", "GeneralInfo"), nullptr) << h;
        EXPECT_EQ(lib().GetAtt(h, "GE", "GeneralInfo", 1101, nullptr, nullptr, 0), nullptr)
            << "no editor holds the in-use mark";
    }
}

TEST_F(DataCheck, WeatherLocations)
{
    Limits t = LimitsOf("WDATAAVERAGETEMPERATURE_C");
    Limits v = LimitsOf("WDATAAIRVELOCITY_MS");
    std::vector<std::string> keys = ClassKeys(200, "WD");
    EXPECT_GE(keys.size(), 30u);
    for (const std::string& key : keys) {
        SCOPED_TRACE(key);
        int number = std::atoi(key.c_str());
        EXPECT_TRUE(number >= 1 && number <= 999 && std::to_string(number) == key);
        std::string name = String(200, "WD", key, 1601);
        EXPECT_FALSE(name.empty());
        EXPECT_LE(name.size(), 31u);
        float temperature = lib().GetFloatAtt(200, "WD", key.c_str(), 1311);
        float velocity = lib().GetFloatAtt(200, "WD", key.c_str(), 1312);
        EXPECT_TRUE(temperature >= t.min && temperature <= t.max) << temperature;
        EXPECT_TRUE(velocity > 0 && velocity <= v.max) << velocity;
    }
}

TEST_F(DataCheck, UserInsulationExamples)
{
    std::vector<std::string> keys = ClassKeys(100, "UI");
    EXPECT_GE(keys.size(), 2u);
    for (const std::string& key : keys) {
        SCOPED_TRACE(key);
        EXPECT_FALSE(String(100, "UI", key, 1600).empty());
        std::vector<float> temps = Floats(100, "UI", key, 1311);
        std::vector<float> lambdas = Floats(100, "UI", key, 1313);
        EXPECT_EQ(temps.size(), lambdas.size());
        EXPECT_GT(temps.size(), 3u) << "the placeholder and at least three points";
        EXPECT_LE(temps.size(), 50u);
        for (size_t i = 2; i < temps.size(); ++i)
            EXPECT_LT(temps[i - 1], temps[i]);
        for (size_t i = 1; i < lambdas.size(); ++i)
            EXPECT_GT(lambdas[i], 0.0f);
        double eur = 0, sek = 0, pln = 0;
        for (short perMetre : {short(0), short(1)}) {
            short att = perMetre ? 1314 : 1315;
            bool e = lib().GetAtt(100, "UI", key.c_str(), att, nullptr, nullptr, 0) != nullptr;
            bool s = lib().GetAtt(100, "UI", key.c_str(), att + 2, nullptr, nullptr, 0) != nullptr;
            bool p = lib().GetAtt(100, "UI", key.c_str(), att + 4, nullptr, nullptr, 0) != nullptr;
            EXPECT_TRUE(e == s && s == p) << "the same unit in every currency";
            if (e) {
                eur = lib().GetFloatAtt(100, "UI", key.c_str(), att);
                sek = lib().GetFloatAtt(100, "UI", key.c_str(), att + 2);
                pln = lib().GetFloatAtt(100, "UI", key.c_str(), att + 4);
            }
        }
        EXPECT_GT(eur, 0.0);
        EXPECT_NEAR(sek, eur * kSekPerEur, 0.01);
        EXPECT_NEAR(pln, eur * kPlnPerEur, 0.01);
    }
}

// The product lists show the types of the groups and the user's own types
// side by side, in the naming of the project.
TEST_F(DataCheck, EveryProductTypeHasANameOfItsOwn)
{
    std::set<std::string> names[3];   // English, Swedish, Polish
    for (const char* cls : {"IM", "IP", "IS"})
        for (const std::string& type : TextList(tech(), cls, "ALLTYPES", 1600))
            for (short naming = 0; naming < 3; ++naming)
                EXPECT_TRUE(names[naming].insert(String(tech(), cls, type, short(1602 + naming))).second) << type;
    for (const std::string& key : ClassKeys(100, "UI"))
        for (std::set<std::string>& naming : names)
            EXPECT_TRUE(naming.insert(String(100, "UI", key, 1600)).second) << "user type " << key;
}

TEST_F(DataCheck, PriceListsCoverEveryProductAndAgree)
{
    short eurDb = lib().EurHandle(), sekDb = lib().SekHandle(), plnDb = lib().PlnHandle();
    for (const char* cls : {"IM", "IP", "IS"}) {
        for (const std::string& type : TextList(tech(), cls, "ALLTYPES", 1600)) {
            for (const std::string& code : TextList(tech(), cls, type.c_str(), 1600)) {
                SCOPED_TRACE(code);
                bool pipe = std::strcmp(cls, "IP") == 0;
                short priceAtt = pipe ? 1300 : 1301;
                float eur = lib().GetFloatAtt(eurDb, "PR", code.c_str(), priceAtt);
                EXPECT_GT(eur, 0.0f);
                EXPECT_NEAR(lib().GetFloatAtt(sekDb, "PR", code.c_str(), priceAtt), eur * kSekPerEur, 0.01);
                EXPECT_NEAR(lib().GetFloatAtt(plnDb, "PR", code.c_str(), priceAtt), eur * kPlnPerEur, 0.01);

                std::vector<float> rows = Floats(eurDb, "PR", code, 1603);
                ASSERT_GE(rows.size(), 10u) << "a pipe labour table with its end row";
                EXPECT_EQ(rows[rows.size() - 5], 0.0f) << "ends with a row of limit 0";
                for (size_t r = 5; r + 5 < rows.size(); r += 5)
                    EXPECT_LT(rows[r - 5], rows[r]) << "limits ascend";
                std::vector<float> flat = Floats(eurDb, "PR", code, 1604);
                if (!pipe) {
                    ASSERT_EQ(flat.size(), 4u);
                    for (float v : flat)
                        EXPECT_GT(v, 0.0f);
                }
                for (auto [db, rate] : {std::pair{sekDb, kSekPerEur}, std::pair{plnDb, kPlnPerEur}}) {
                    std::vector<float> other = Floats(db, "PR", code, 1603);
                    ASSERT_EQ(other.size(), rows.size());
                    for (size_t i = 0; i < rows.size(); ++i)   // diameter limits stay, prices convert
                        EXPECT_NEAR(other[i], i % 5 == 0 ? rows[i] : rows[i] * rate, 0.01) << "labour " << i;
                    std::vector<float> otherFlat = Floats(db, "PR", code, 1604);
                    ASSERT_EQ(otherFlat.size(), flat.size());
                    for (size_t i = 0; i < flat.size(); ++i)
                        EXPECT_NEAR(otherFlat[i], flat[i] * rate, 0.01) << "flat labour " << i;
                }
            }
        }
    }
}

}  // namespace
