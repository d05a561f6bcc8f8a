// The current calculation record: the one record of the loaded system's inputs
// and results that every calculation page and dialog edits in place, with its
// load from and store to the project database and the change comparison that
// sets the edit stamps. Windows are reached only through the two hooks.
#pragma once
#include <cstdint>
#include "support/attributes.h"

// Object ids that the record addresses besides the layer parts.
constexpr int32_t kCalcObjectProject = -1;
constexpr int32_t kCalcObjectSystem = 0;

// Change bits of CalcRecord_MarkChanges.
enum CalcRecordChangeBits : int32_t {
    CalcChange_Insulation = 1,   // group 1: insulation inputs ("EDT1")
    CalcChange_Cooling = 2,      // group 2: cooling and tank inputs ("EDT2")
    CalcChange_Freezing = 4,     // group 3: freezing inputs ("EDT3")
    CalcChange_Project = 8,      // project block or description
    CalcChange_Extended = 16,    // the extended edition's own inputs ("EDTT")
};

constexpr int kCalcTextSize = 100;
constexpr int kCalcAddressSize = 200;
constexpr int kCalcInformationSize = 1024;
constexpr int kCalcProductClassSize = 3;
constexpr int kCalcLayers = 3;
constexpr int kCalcHeatLossResults = 12;
constexpr int kCalcLocationKeySize = 40;

// The index of each object's flag in CalcRecord::geometryFlags.
enum GeometryFlag { Flag_Plane, Flag_Pipe, Flag_RoundDuct, Flag_RectDuct };

struct CalcRecord {
    // Project block (object -1).
    char projectName[kCalcTextSize];
    char customer[kCalcTextSize];
    char address1[kCalcAddressSize];
    char address2[kCalcAddressSize];
    char reference[kCalcTextSize];
    char originatedBy[kCalcTextSize];
    char information[kCalcInformationSize];
    // System object (object 0): object and surroundings.
    char description[kCalcTextSize];
    uint8_t geometryFlags[4];          // GeometryFlag: plane, pipe, round duct, rectangular duct
    int16_t geometry;
    float outerDiameters[2];           // pipe, round duct; mm
    float width;
    float height;
    float labourPrice;                 // memory only
    int16_t location;                  // -100: conditions entered by the user
    float contentsTemperature;
    float ambientTemperature;
    float relativeHumidity;
    float airVelocity;
    int16_t surfaceMaterial;
    char surfaceMaterialCode[kCalcTextSize];
    float emissivity;
    int16_t reportedSurface;
    int8_t option1121;
    // Layers 1..3.
    char productType[kCalcLayers][kCalcTextSize];
    float innerDiameter[kCalcLayers];
    float outerDiameter[kCalcLayers];
    int16_t layerWorkingValue[kCalcLayers];   // memory only
    float nominalThickness[kCalcLayers];
    char productCode[kCalcLayers][kCalcTextSize];
    float conductivity[kCalcLayers];
    float thickness[kCalcLayers];
    char productClass[kCalcLayers][kCalcProductClassSize];
    float price[kCalcLayers];
    // Insulation target (layer 1).
    uint8_t caseFlags[5];              // cases 0, 1, 2, 3, other
    int16_t calculationCase;
    float allowedHeatLoss;
    float allowedSurfaceTemperature;
    float heatLossResults[kCalcHeatLossResults];   // memory only
    // Cooling and tank.
    int16_t contents;
    float contentsHeatCapacity;
    float contentsDensity;
    int16_t coolingCase;               // 0 flowing, 1 stationary
    int16_t flowGivenAs;               // 0 mass, 1 volume, 2 velocity
    uint8_t flowFlags[3];
    float flowValues[3];
    float pipeHeatCapacity;
    float pipeDensity;
    uint8_t coolingCaseFlags[2];       // flowing, stationary
    float pipeLength;
    float temperatureChange;           // memory only
    float reserved;                    // memory only, compared
    int16_t vesselShape;               // 0 cylinder, 1 rectangle
    uint8_t shapeFlags[2];
    float vesselDimensions[3];
    int8_t bottomIncluded;
    float finalTemperature;
    float coolingTime;                 // memory only
    // Freezing.
    float freezingContents[3];         // heat capacity, density, freezing temperature
    float freezingPipe[2];             // heat capacity, density
    int16_t freezingOptions[2];
    char pipeMaterialName[kCalcTextSize];   // memory only, compared
    char contentsName[kCalcTextSize];       // memory only, compared
    float freezingResults[2];               // memory only
    // Key of the weather record of the location (1537, object 0): what the
    // project keeps of the location; location is its position in the
    // weather data, found again at each load. Empty in older files, which
    // keep only the position.
    char locationKey[kCalcLocationKeySize];
    // Relative humidity of the insulation target in the extended edition
    // (1384, object 0); the standard edition neither loads nor stores it.
    float targetHumidity;
};

// Called after a store that changed the description, so that the system's
// new name shows at once, and after a change was stamped so that the title
// shows the unsaved mark. Either may be NULL (nothing is refreshed then).
struct CalcRecordHooks {
    void (*showSystemName)();
    void (*updateTitle)();
};

// The record module's state: the record, its copy at the last load or store,
// the part numbers of the loaded system's three layers (0: the page has no
// such part) and the window hooks.
struct CalcRecordGlobals {
    CalcRecord current;
    CalcRecord lastStored;
    int32_t layerParts[kCalcLayers];
    CalcRecordHooks hooks;
};
CalcRecordGlobals& CalcRecordState();

// The record that the pages read and write in place.
inline CalcRecord& CalcRec() { return CalcRecordState().current; }

// Sets the layer part numbers after the shell loaded a page.
void CalcRecord_SetLayerParts(int32_t part1, int32_t part2, int32_t part3);

// Clears the record, loads every stored field of the loaded page, expands the
// codes into flags and takes the last-stored copy. Absent attributes read as 0
// (texts empty) except location -100, surface material -1 and calculation
// case -1. A layer whose part number is 0 is left empty. A stored location
// key gives the location's position in today's weather data (-100 when the
// location is gone).
void CalcRecord_Load();

// Takes the record as it stands as the last-stored copy, so that the next
// store stamps only what changes after now. For a page that has just loaded
// the record and shown it: what showing made of it (an absent code given
// its list's entry, fixed values) is no change of the user's.
void CalcRecord_Settle();

// Folds the flags into codes, takes the key of the location's weather record
// and writes the record to the loaded page; group
// 0 or less also writes the project block and the author into the settings
// store ("General\IUserName"). Then refreshes the system list and, when the
// page has layer parts, stamps the changes and on a change takes the copy.
// Nothing is saved to the project file.
void CalcRecord_Store(int32_t group);

// Compares the record with the last-stored copy, sets "EDTT" (extended
// edition), then "EDT1".."EDT3" on the system for the changed groups and
// "PCHG" on the project for any change.
// Returns the CalcRecordChangeBits found, 0 when nothing changed.
int32_t CalcRecord_MarkChanges();

// Stored codes to one-hot flags, and back (the first set flag wins).
void CalcRecord_CodesToFlags();
void CalcRecord_FlagsToCodes();

// The object as record's geometry flags say: a plane or a rectangular duct
// (no round surface); a plane alone; and the diameter (mm) that layer k
// (0-based) lies on: the pipe's or the round duct's for the first layer, for
// the others the outer diameter of the layer beneath.
bool CalcRecord_IsPlaneOrRectDuct(const CalcRecord& record);
bool CalcRecord_IsPlane(const CalcRecord& record);
float CalcRecord_BaseDiameter(const CalcRecord& record, int k);

// A float as the comparison sees it: value x 100 truncated toward zero,
// saturated at the 32-bit range (missing-value sentinels included); NaN 0.
int32_t CalcRecord_CompareKey(float value);
