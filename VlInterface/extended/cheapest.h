// The search for the cheapest combination of layer thicknesses for the
// products of up to three insulation layers. It walks the thickness choices
// layer by layer, lets the insulation page's steps cost each combination and
// picks the cheapest; no window is involved, so the page, the tests and the
// benchmark run the same search with their own steps.
#pragma once
#include "VlInterface/workspace/productlist.h"
#include <functional>
#include <memory>

constexpr int kCheapestLayers = 3;
constexpr int kCheapestLastIndex = 49;   // thickness indexes 1..49 (0 is a list's heading)

// One layer as the insulation page hands it over.
struct CheapestLayerInput {
    char typeKey[100];      // product type; "" when the layer has no product
    char recordClass[3];    // product class of the type ("IM", "IP", "IS", "UI")
    bool pipeSections;      // the product comes in pipe sections of fixed bore
};

// What the insulation page hands to the search.
struct CheapestSearchInput {
    CheapestLayerInput layers[kCheapestLayers];
    bool firstLayerIsProduct;   // layer 1's entry is a product of the technical data
    float diameterBeneath;      // mm: the object's outer diameter under layer 1
};

// One layer of a combination being tried.
struct CheapestPick {
    int index;                       // in the layer's thickness list; 0: layer not used
    const ProductListEntry* entry;   // the chosen entry; nullptr when not used
    float thickness;                 // mm
    float outerDiameter;             // mm
};

struct CheapestCombination {
    CheapestPick layers[kCheapestLayers];
};

// The page's part of the search.
struct CheapestSteps {
    // Fills list (kProductListSize entries) with the layer's thickness choices
    // over diameterBeneath, heading first; an empty list when the layer has none.
    std::function<void(int layer, float diameterBeneath, ProductListEntry* list)> buildList;
    // Inner and outer diameter of a pipe section's record (0 when it has none).
    std::function<void(int layer, const ProductListEntry& entry, float* inner, float* outer)> sectionDiameters;
    // Runs the page's calculation for the combination: its cost (the costs
    // step's third result); 0 or less when it cannot be costed.
    std::function<float(const CheapestCombination&)> evaluate;
};

struct CheapestResult {
    int selected[kCheapestLayers];    // chosen thickness index per layer; 0 none
    char code[kCheapestLayers][50];   // chosen product codes ("" none)
    float thickness[kCheapestLayers]; // chosen thicknesses in mm (0 none)
    float cost;                       // the chosen cost; 0 when nothing qualified
    long evaluations;                 // combinations costed
};

// Searches the cheapest combination: the smallest cost above 0.0001 and
// below 99999, the first in order of the indexes of layers 1, 2, 3 among
// equals. Inner layers are tried up to the first thickness that reaches the
// layer beneath's. 0 with result filled (indexes 0 when no cost qualified),
// -1 when layer 1 is not a product (result cleared; the page clears its
// layer results).
int Cheapest_Search(const CheapestSearchInput& input, const CheapestSteps& steps, CheapestResult* result);

// The steps that read the thickness choices from the database engine
// (ProductDb_ListProducts) and the section diameters from the technical
// data; evaluate is the page's.
CheapestSteps Cheapest_DatabaseSteps(const CheapestSearchInput& input,
                                     std::function<float(const CheapestCombination&)> evaluate);

struct CalcRecord;
struct InsulationLayerChoice;

// The search's input from the calculation record: each layer's product type
// and class (pipe sections for a technical product that is not laid in any
// thickness), and the pipe's or round duct's outer diameter beneath layer 1.
CheapestSearchInput Cheapest_InputFromRecord(const CalcRecord& record, bool firstLayerIsProduct);

// Writes the chosen product codes and thicknesses into the record's layers
// that have a choice; the page then updates the dimensions and recalculates.
void Cheapest_ApplyToRecord(const CheapestResult& result, CalcRecord* record);

// Costs combinations on a working copy of the calculation record and the
// engine alone: one heat loss, the system's prices and the annual costs, with
// nothing stored in the record, stamped or shown; the record is the one last
// stored. Each layer is priced by the engine once per product, thickness and
// diameter beneath and the prices summed as the system's price sums them (a
// rectangular duct, whose layers depend on every layer beneath, is priced
// whole per combination). The engine reads those inputs from the layer parts,
// so they are written there; the costing puts those attributes (and the
// results the price steps store) back as they were when it ends. A combination is not costed (0) when its heat loss fails or a used
// layer's material has no price; a missing labour price is costed as the
// page's costs step costs it.
class CheapestRecordCosting {
public:
    CheapestRecordCosting(const CalcRecord& record, const InsulationLayerChoice layers[kCheapestLayers]);
    ~CheapestRecordCosting();
    CheapestRecordCosting(const CheapestRecordCosting&) = delete;
    CheapestRecordCosting& operator=(const CheapestRecordCosting&) = delete;

    float operator()(const CheapestCombination& combination);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
