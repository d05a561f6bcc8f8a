// The insulation calculation behind the insulation page: the engine's input
// filled from the current calculation record, the two heat-loss runs and the
// dew point, the result attributes and result lines, prices and annual costs.
// No window here: the page shows the lines and reads its controls back.
#pragma once
#include "VlCalculate/vlcalculate.h"
#include "VlInterface/calcrecord.h"
#include <optional>
#include <string>

// What the page's lists say about one layer: the code and class of its
// product-list entry and the code of its chosen thickness entry.
struct InsulationLayerChoice {
    const char* productCode = "-789";
    const char* productClass = "UI";
    const char* thicknessCode = "-987";
};
using InsulationLayerChoices = InsulationLayerChoice[kCalcLayers];

bool LayerChoice_HasNoProduct(const InsulationLayerChoice& layer);
bool LayerChoice_IsUserInsulation(const InsulationLayerChoice& layer);
bool LayerChoice_IsOwnThickness(const InsulationLayerChoice& layer);
bool LayerChoice_HasThickness(const InsulationLayerChoice& layer);   // not the "-987" placeholder

// The engine's heat-loss input for the record and the layers; layers after
// the first one without a product stay zero. A user insulation layer (and a
// layer of own thickness) hands its conductivity over in output, which the
// engine reads for a layer without coefficients.
void InsulationRun_FillInput(const CalcRecord& record, const InsulationLayerChoices& layers, HeatLossInput* input,
                             HeatLossOutput* output);

enum class InsulationRunStatus { Done, Refused, Failed };

// Steps of a run up to the results: heat loss, the second run at the mean of
// the contents and -1 °C (attribute 1381), the dew point where one is
// defined (none without a humidity, or where the engine gives none). The
// record's heat-loss results are cleared first and then filled. Refused: surface of the
// outermost product with emissivity 0 (error 40052 in the list). Failed: an
// engine step failed; its errors are in the list. Warnings leave Done.
InsulationRunStatus InsulationRun_Calculate(CalcRecord& record, const InsulationLayerChoices& layers);

// The four result lines (heat loss, surface temperature, dew point, price).
struct InsulationResultLines {
    std::string line[4];
};

// Writes the results of a done run: the layer conductivities into the record
// and onto the layers (1376), heat loss 1323, temperatures 1328, dew point
// 1322 (deleted where there is none), layer prices 1329, annual costs, and
// fills the lines. Returns true when the price or cost step reported an
// error (line 4 then says so); the run's warnings stay in the error list.
bool InsulationRun_StoreResults(CalcRecord& record, InsulationResultLines* lines);

// The five economic inputs of the system, attributes 1359..1363: energy
// price increase %, useful life, energy price, operating hours, interest %.
constexpr int kEconomicInputs = 5;
constexpr short kAttEconomicFirst = Att_EnergyPriceIncrease;
struct EconomicInputs {
    float values[kEconomicInputs];
};
EconomicInputs EconomicInputs_Load();

// Annual capital, energy and total cost for the stored heat loss (1323) and
// the inputs; kind gets the price kind (0 per m, 1 per m²), missing 1 when a
// price was missing. Nothing is stored.
// The extended edition prices the investment of one product id (nullptr: the
// system's own) and tells the engine whether every price must be found.
struct TargetPriceRequest {
    const char* productId;
    bool everyPrice;
};
// refused, when given, tells whether the inputs gave no costs (no economic
// data: a useful life of 0).
CostsOutput AnnualCosts_Compute(const EconomicInputs& inputs, bool reportErrors, short* kind, int* missing,
                                const TargetPriceRequest& request = {nullptr, false}, bool* refused = nullptr);
// The cost step's input for heat loss and the inputs, the investment left 0.
CostsInput AnnualCosts_Input(const EconomicInputs& inputs, bool reportErrors, float heatLoss);
// Stores them: 1370/1372/1374 (1371/1373/1375 for a plane) and 1136, the
// others of 1370..1375 deleted. No costs (refused): all of them deleted, so
// that no figure stands for a result that was not computed.
void AnnualCosts_Store(const std::optional<CostsOutput>& costs, int missing);

// Computes and stores the annual costs; returns the total, none when the
// inputs gave no costs; kind as above.
std::optional<float> InsulationRun_CalculateCosts(const CalcRecord& record, short* kind);

// The line shown instead of results after a quiet run that failed: the first
// error text, whole (the page fits it to its line).
std::string InsulationRun_FirstErrorLine();
