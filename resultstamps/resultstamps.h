// Whether a system's results are current, from its access stamps (attribute
// 7701 of its object 0): "EDTn" when the inputs of group n last changed,
// "DIMn" when their results were written (1 heat loss, 2 cooling or tank,
// 3 freezing). The stamps of any page are read without loading it, so that a
// list of every system stays cheap; the pages, the print dialog and the
// report all judge results by these rules.
#pragma once
#include "Kadmi/kadmi.h"

constexpr int kMaxSystemStamps = 32;

struct SystemStamps {
    AccessEntry entries[kMaxSystemStamps];
    int count;
};

// The stamps of the loaded page's system.
SystemStamps Stamps_OfLoadedSystem();
// The stamps of page's system, read without loading the page.
SystemStamps Stamps_OfPage(short page);

// -1 when a's stamp is older than b's, 1 newer, 0 equal; a missing stamp
// orders first (as Kadmi_CmpAccess on one object).
int Stamps_Compare(const SystemStamps& stamps, const char* a, const char* b);

// The heat-loss inputs changed after the last heat-loss results: "EDT1", or
// "EDTT" (the extended edition's own inputs), newer than "DIM1". The one rule
// of stale heat-loss results, for the pages, the print list and the reports.
bool Stamps_HeatLossStale(const SystemStamps& stamps);

// The report sections of a system whose results can be current.
enum class ResultSection { HeatLoss, Cooling, Freezing, Costs };

// What decides whether a section's results hold, besides the stamps.
struct SystemResultFacts {
    SystemStamps stamps;
    short kind;          // attribute 1117: 10 plane or vessel, 11 pipe, 12 round duct, 13 rectangular duct
    bool costsStored;    // the annual total cost of the system's kind is stored
};

// The loaded page's facts.
SystemResultFacts Results_OfLoadedSystem();

// True when the section's results are those of the system as it is: the
// heat loss written and not older than its inputs; cooling and freezing
// written after their own inputs and after the heat loss they were made
// from, freezing for a pipe only; costs stored beside a current heat loss.
bool Results_Current(const SystemResultFacts& facts, ResultSection section);
