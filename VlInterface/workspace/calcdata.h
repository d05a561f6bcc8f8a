// Data that several calculation pages and the shell share: walking every
// system of the project, the project's price currency, the lists behind the
// pages' drop-down lists (insulation products, thickness choices, surface
// materials, weather locations, contents), the chain of layer diameters and
// thicknesses, and the weather location as stored in the project.
// Lists are arrays of kProductListSize entries (workspace/productlist.h).
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>
#include "VlInterface/workspace/productlist.h"
#include "VlTechDatabase/vltechdb.h"

struct CalcRecord;
struct DialogTextTable;

// --- project ---------------------------------------------------------------

// Loads and saves every system of the project in turn, then loads the
// system that was loaded before. Refused while already running. Returns 0.
int CalcData_RefreshAllSystems();

// The project's price currency (project attribute 1132: 0 EUR, 1 SEK, 2 PLN)
// has its price database here. A project keeps its currency whether or not:
// only the user's choice in the settings changes it.
bool CalcData_CurrencyHasPrices();

// The currency a new project takes from the user's setting: wanted when this
// edition offers it and its price database is there, else the first such of
// EUR, SEK, PLN (the extended edition offers EUR only); wanted when none is.
short CalcData_NewProjectCurrency(short wanted);

// Fills rows (kPriceDbListRows rows, cleared first) with {currency, text id,
// NULL} of the available price databases this edition offers, EUR, SEK, PLN
// (the extended edition: EUR only), then the project's currency (0..2) when
// it is not among them, so that a choice shows it and OK keeps it. Returns 0.
constexpr int kPriceDbListRows = 200;
int PriceDbList_Build(DialogTextTable* rows, short projectCurrency = -1);

// Writes the inputs a new system starts with to the loaded page, which has
// its three layer parts: a relative humidity the target page accepts, the
// outer surface reported, a listed surface material with its emissivity, and
// in the extended edition that edition's new-system defaults (which take
// the page's parts as its layers and reload the record).
void CalcData_SetNewSystemDefaults();

// Sets the access stamp (e.g. "EDT1") on every system; the loaded system
// stays loaded. Returns 0.
int Project_MarkAccessAllPages(const char* stamp);

// --- insulation products and thicknesses -----------------------------------

// Entry 0 "no product", then the types of classes "IM", "IP" (pipes and
// round ducts only: geometry 11, 12) and "IS" of the technical data, then the
// user insulation types ("UI", keys 1 to 999 in number order). Returns 0, or
// -1 when a class could not be read (what could be read is listed).
int ProductList_Build(int16_t geometry, ProductListEntry* list);

// Appends the entry of a product a layer has but the data no longer holds,
// named as removed; its index, -1 when the list is full.
int ProductList_AddRemoved(ProductListEntry* list, const char* recordClass, const char* code);

// True for a user insulation type (class "UI", not "-789") that the
// other-insulation data no longer holds.
bool UserType_IsRemoved(const char* recordClass, const char* code);

bool ProductList_IsUserInsulation(const ProductListEntry* list, int index);   // class "UI", not "-789"
bool ProductList_IsNoProduct(const ProductListEntry* list, int index);        // class "UI", code "-789"
bool ThicknessList_IsOwnThickness(const ProductListEntry* list, int index);   // code "-456"
bool ProductClass_IsFreeThickness(const char* recordClass);                  // "IM" and "IS"

// Index of the first entry with code (when given) or else with number; -1.
int ProductList_FindIndex(int32_t number, const char* code, const ProductListEntry* list);

// The thickness choices of one product type: header "-987", one entry per
// nominal thickness (the record that fits over diameterBeneath with the
// smallest inner diameter, or the current code when match is set), sorted by
// thickness, then "own thickness" "-456". *selection becomes the entry of
// currentCode's thickness (or own thickness); unchanged when none matches.
// Returns 0, or -1 when the type lists no products.
int LayerChoices_BuildThicknessList(const char* typeKey, const char* recordClass, ProductListEntry* output,
                                    const char* currentCode, int* selection, float diameterBeneath, bool match);

// The same from a list of candidates {number, 0, thickness name, code}.
int ProductList_BuildThicknessChoices(ProductListEntry* output, const ProductListEntry* candidates,
                                      int candidateCount, const char* recordClass, const char* currentCode,
                                      int* selection, float diameterBeneath, bool match);

// Fits a pipe section over diameterBeneath: keeps the selected record when
// its inner diameter fits, else selects the first record of the list that
// does. Sets the layer's inner and outer diameter from the record. Returns
// the selected index; -1 (both diameters 0) when no record fits. Own
// thickness is left as it is.
int LayerChoices_FitPipeSection(const ProductListEntry* products, int productIndex,
                                const ProductListEntry* thicknesses, int* selected, float* innerDiameter,
                                float* outerDiameter, float diameterBeneath);

// Dimension kinds of LayerChoices_UpdateDimensions.
enum LayerDimensionKind : int {
    LayerDim_ThicknessGiven = 1,   // outer diameter from the thickness
    LayerDim_DiametersGiven = 2,   // thickness from the diameters
    LayerDim_RefitSections = 3,    // pipe sections refitted from the layer outward
};

// Updates the record's inner and outer diameter and thickness of layer 1..3
// (see LayerDimensionKind). thicknessLists, productIndex and selected hold
// the three layers' thickness lists, product-list indices and selected
// thickness indices. Returns 0.
int LayerChoices_UpdateDimensions(CalcRecord* record, int layer, int kind, const ProductListEntry* products,
                                  ProductListEntry* const thicknessLists[3], const int productIndex[3],
                                  int selected[3]);

// --- surroundings ------------------------------------------------------------

// Entry 0 "surface of the outermost product" ("-200"), the surface
// materials ("CM"), then "user-defined" ("-201"). Returns 0, or -1 (only
// entry 0) when there is no material.
int SurfaceMaterialList_Build(ProductListEntry* list);

// Sets the record's emissivity from the chosen surface: "-200" the outermost
// layer that has a product (productIndex of layers 1, 2, 3), another code
// that material's. Returns 0; -1 for NULL or "-201" (the user's value stays).
int SurfaceMaterial_UpdateEmissivity(CalcRecord* record, const char* surfaceCode, const ProductListEntry* products,
                                     const int productIndex[3]);

// Every weather location by its number (numbered by position, code = key),
// then "user-defined" (number -100). Returns 0.
int LocationList_Build(ProductListEntry* list);
// Appends the entry of a location the weather data no longer holds
// (number kLocationRemoved, code = its key), named as removed.
void LocationList_AddRemoved(ProductListEntry* list, const char* key);

// Takes ambient temperature and air velocity of the location's weather
// record into the record. Returns 0; -1 for NULL or user conditions, and for
// a location the weather data does not hold, which becomes a removed
// location that keeps its key and the values the system has.
int Location_ApplyWeather(CalcRecord* record, const char* locationCode);

// The weather record keys in the location list's order (by number).
std::vector<std::string> Location_Keys(TechDbHandle weather);
// Weather record key of the location at position (0-based), "" when none;
// position of the location with key, -100 when none. The project stores the
// key, so that a changed weather database never moves a system elsewhere.
void Location_KeyOfPosition(int16_t position, char* key, int size);
int16_t Location_PositionOfKey(const char* key);
// The location of a loaded system: by its key (kLocationRemoved when the
// weather data no longer holds it); without one (an older file) the stored
// position in the weather records' key order, else -100.
int16_t Location_OfLoaded(const char* key, int16_t position);

// The names the lists give a product or location that a system uses but
// the data no longer holds.
std::string RemovedData_ProductName(const char* code);
std::string RemovedData_LocationName(const char* key);

// --- contents ------------------------------------------------------------------

// Contents choices of the cooling and tank pages: air (2) for ducts, water
// (1) otherwise, then own values (0). Returns 0.
int ContentsList_Build(const CalcRecord* record, ProductListEntry* list);

// Default heat capacity and density of contents id (an id not in the list is
// replaced: 2 by 1, others by 2): water 4186 and 980, air 1000 and 1.2, own
// values (0) left alone, others 0. Returns 0.
int Contents_DefaultProperties(const ProductListEntry* list, int16_t id, float* heatCapacity, float* density);
