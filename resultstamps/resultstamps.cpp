// Results of a system judged by its access stamps: reads the stamps of the
// loaded page or of any page without loading it, compares two of them as the
// project library does, and decides which report sections hold current results.
#include "resultstamps/resultstamps.h"
#include "support/attributes.h"
#include <cstring>

namespace {


SystemStamps Trimmed(SystemStamps stamps, bool found, short count)
{
    stamps.count = !found || count < 0 ? 0 : (count > kMaxSystemStamps ? kMaxSystemStamps : count);
    return stamps;
}

const AccessEntry* Find(const SystemStamps& stamps, const char* mark)
{
    char padded[4] = {' ', ' ', ' ', ' '};
    for (size_t i = 0; i < 4 && mark[i]; ++i)
        padded[i] = mark[i];
    for (int i = 0; i < stamps.count; ++i)
        if (std::memcmp(stamps.entries[i].mark, padded, 4) == 0)
            return &stamps.entries[i];
    return nullptr;
}

int Order(long a, long b)
{
    return a < b ? -1 : a > b ? 1 : 0;
}

bool Has(const SystemStamps& stamps, const char* mark)
{
    return Find(stamps, mark) != nullptr;
}

bool NotNewer(const SystemStamps& stamps, const char* a, const char* b)
{
    return Stamps_Compare(stamps, a, b) <= 0;
}

bool HeatLossCurrent(const SystemStamps& stamps)
{
    return Has(stamps, Stamp_HeatLoss) && !Stamps_HeatLossStale(stamps);
}

// Results of group `results` made after their inputs and after the heat loss they were made from.
bool FollowsHeatLoss(const SystemStamps& stamps, const char* inputs, const char* results)
{
    return HeatLossCurrent(stamps) && Has(stamps, results) && NotNewer(stamps, inputs, results) &&
           NotNewer(stamps, Stamp_HeatLoss, results);
}

}  // namespace

SystemStamps Stamps_OfLoadedSystem()
{
    SystemStamps stamps{};
    short count = 0;
    bool found = Kadmi_GetAtt(KadmiObject_Page, Att_AccessStamps, &count, stamps.entries, sizeof stamps.entries);
    return Trimmed(stamps, found, count);
}

SystemStamps Stamps_OfPage(short page)
{
    SystemStamps stamps{};
    short count = 0;
    bool found = Kadmi_GetAttID(page, KadmiObject_Page, Att_AccessStamps, &count, stamps.entries,
                                sizeof stamps.entries);
    return Trimmed(stamps, found, count);
}

int Stamps_Compare(const SystemStamps& stamps, const char* a, const char* b)
{
    const AccessEntry* first = Find(stamps, a);
    const AccessEntry* second = Find(stamps, b);
    if (!first || !second)
        return first ? 1 : second ? -1 : 0;
    const int byDate = Order(first->date, second->date);
    return byDate != 0 ? byDate : Order(first->time, second->time);
}

bool Stamps_HeatLossStale(const SystemStamps& stamps)
{
    return Stamps_Compare(stamps, Stamp_HeatLoss, Stamp_InsulationEdited) < 0 || Stamps_Compare(stamps, Stamp_HeatLoss, Stamp_ExtendedEdited) < 0;
}

SystemResultFacts Results_OfLoadedSystem()
{
    SystemResultFacts facts{};
    facts.stamps = Stamps_OfLoadedSystem();
    facts.kind = Kadmi_GetIntAtt(KadmiObject_Page, Att_ObjectKind);
    const short total = facts.kind == Kind_Plane ? Att_PlaneTotalCost : Att_TotalCost;
    facts.costsStored = Kadmi_GetFloatAttZ(KadmiObject_Page, total) != AttMissing_Float;
    return facts;
}

bool Results_Current(const SystemResultFacts& facts, ResultSection section)
{
    switch (section) {
    case ResultSection::HeatLoss: return HeatLossCurrent(facts.stamps);
    case ResultSection::Cooling: return FollowsHeatLoss(facts.stamps, Stamp_CoolingEdited, Stamp_Cooling);
    case ResultSection::Freezing: return facts.kind == Kind_Pipe && FollowsHeatLoss(facts.stamps, Stamp_FreezingEdited, Stamp_Freezing);
    case ResultSection::Costs: return HeatLossCurrent(facts.stamps) && facts.costsStored;
    }
    return false;
}
