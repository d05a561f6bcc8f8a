// The one rule of stale heat-loss results, as the pages, the print list and
// the reports ask it: any heat-loss input ("EDT1", or the extended edition's
// "EDTT") newer than the results ("DIM1").
#include "resultstamps/resultstamps.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

constexpr long kDay = 20261209;
constexpr long kAbsent = -1;

SystemStamps StampsAt(long edit, long extended, long results)
{
    SystemStamps stamps{};
    const struct {
        const char* mark;
        long time;
    } marks[] = {{"EDT1", edit}, {"EDTT", extended}, {"DIM1", results}};
    for (const auto& m : marks) {
        if (m.time == kAbsent)
            continue;
        AccessEntry& entry = stamps.entries[stamps.count++];
        std::memcpy(entry.mark, m.mark, 4);
        entry.date = kDay;
        entry.time = m.time;
    }
    return stamps;
}

TEST(ResultStamps, AnyHeatLossInputNewerThanItsResultsMakesThemStale)
{
    const struct {
        const char* name;
        long edit, extended, results;
        bool stale, current;
    } rows[] = {
        {"results after every input", 100, 100, 200, false, true},
        {"the same second counts as current", 200, 200, 200, false, true},
        {"edited after", 300, 100, 200, true, false},
        {"extended input edited after", 100, 300, 200, true, false},
        {"standard edition: no extended stamp", 100, kAbsent, 200, false, true},
        {"never calculated", 100, 100, kAbsent, true, false},
        {"nothing stamped yet", kAbsent, kAbsent, kAbsent, false, false},
    };
    for (const auto& row : rows) {
        SystemResultFacts facts{};
        facts.stamps = StampsAt(row.edit, row.extended, row.results);
        facts.kind = 11;
        EXPECT_EQ(Stamps_HeatLossStale(facts.stamps), row.stale) << row.name;
        EXPECT_EQ(Results_Current(facts, ResultSection::HeatLoss), row.current) << row.name;
    }
}

}  // namespace
