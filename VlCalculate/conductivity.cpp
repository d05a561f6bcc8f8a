// Conductivity of an other-insulation product at a temperature, interpolated
// in the product's table of temperatures (attribute 1311) and conductivities
// (attribute 1313) of record class "UI".
#include <algorithm>
#include <cstdio>
#include "VlCalculate/calc_internal.h"

namespace {
constexpr int16_t kAttTableTemps = 1311;
constexpr int16_t kAttTableConductivities = 1313;

// The other-insulation database held open for the reads of one table.
class OtherInsulationReading {
public:
    OtherInsulationReading() : db_(Deps_OpenOtherInsulation()) {}
    ~OtherInsulationReading()
    {
        if (db_ >= 0) {
            Deps_CloseOtherInsulation();
        }
    }
    OtherInsulationReading(const OtherInsulationReading&) = delete;
    OtherInsulationReading& operator=(const OtherInsulationReading&) = delete;
    int16_t db() const { return db_; }

private:
    int16_t db_;
};
} // namespace

ConductivityTable ReadConductivityTable(int32_t productId)
{
    ConductivityTable table;
    char key[16];
    std::snprintf(key, sizeof key, "%d", static_cast<int>(productId));
    const OtherInsulationReading reading;
    const int16_t db = reading.db();
    const int nLambda = Deps_TechFloats(db, "UI", key, kAttTableConductivities, table.lambda,
                                        ConductivityTable::kMaxPoints);
    const int nTemp = Deps_TechFloats(db, "UI", key, kAttTableTemps, table.temp,
                                      ConductivityTable::kMaxPoints);
    // Two arrays of different length are used up to the shorter one.
    table.count = std::max(0, std::min({nLambda, nTemp, ConductivityTable::kMaxPoints}));
    return table;
}

double ProductConductivity(const ConductivityTable& table, double x, int& status)
{
    if (table.count <= 2) {
        status = kConductivityNoTable;
        return 0.0;
    }
    // The first stored point takes no part in the search.
    int upper = -1;
    int lower = -1;
    double upperTemp = 999999.0;
    double lowerTemp = -999999.0;
    for (int i = 1; i < table.count; ++i) {
        const double t = table.temp[i];
        if (t > x && t < upperTemp) {
            upperTemp = t;
            upper = i;
        }
        if (t <= x && t > lowerTemp) {
            lowerTemp = t;
            lower = i;
        }
    }
    if (upper < 0) {
        status = kConductivityAboveTable;
        return 0.0;
    }
    if (lower < 0) {
        status = kConductivityBelowTable;
        return 0.0;
    }
    const double lambdaLo = table.lambda[lower];
    const double lambda = lambdaLo + (x - lowerTemp) / (upperTemp - lowerTemp) * (table.lambda[upper] - lambdaLo);
    if (lambda < 0.0) {
        // Only a warning: it must not hide a failed lookup of another layer.
        if (status == kConductivityOk) {
            status = kConductivityNegative;
        }
        return 0.0;
    }
    return lambda;
}
