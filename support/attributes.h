// The catalogue of every project file attribute id this program reads or
// writes (project block -1, a system's page object 0, its layer parts 1..3),
// the object kinds, the calculation cases and the access stamp marks. The
// project library stores them; what each one holds is named here, once.
// Technical and weather database record attributes belong to those modules.
#pragma once
#include <cstdint>

// Project block (object -1).
enum ProjectAtt : int16_t {
    Att_PageSelection = 1116,      // int16 list: page numbers chosen for printing
    Att_ManufactureCountry = 1129, // int16: country of manufacture (product name language)
    Att_PriceCurrency = 1132,      // int16: price list, see PriceCurrency
    Att_ProjectName = 1501,        // text
    Att_Customer = 1502,           // text
    Att_Reference = 1503,          // text
    Att_UserName = 1504,           // text: originated by
    Att_SaveDate = 1505,           // text: date of the last save
    Att_Information = 1506,        // text: free multi-line information
    Att_CompanyAddress1 = 1507,    // text: company footer address line 1
    Att_CompanyName = 1508,        // text: company footer name
    Att_CompanyEmail = 1509,       // text: company footer e-mail
    Att_CompanyPhone = 1516,       // text: company footer phone
    Att_CompanyFax = 1517,         // text: company footer fax
    Att_CompanyAddress2 = 1520,    // text: company footer address line 2
    Att_CompanyAddress3 = 1521,    // text: company footer address line 3
    Att_Address1 = 1533,           // text: first address field
    Att_Address2 = 1534,           // text: second address field
    Att_CompanyWeb = 1539,         // text: company footer web address
};

// A system's page object (0).
enum PageAtt : int16_t {
    Att_ObjectKind = 1117,         // int16: see ObjectKind
    Att_Location = 1118,           // int16: weather location id; -100 entered by the user
    Att_SurfaceMaterial = 1119,    // int16: index in the surface material list
    Att_ReportedSurface = 1120,    // int16: 1 outer surface, 2 inner surface (dew point mode)
    Att_Option1121 = 1121,         // int16: kept, edited by no page
    Att_Contents = 1123,           // int16: liquid chosen on the cooling or tank page
    Att_FlowGivenAs = 1124,        // int16: 0 mass flow, 1 volume flow, 2 velocity
    Att_VesselShape = 1125,        // int16: 0 cylinder, 1 rectangle
    Att_BottomIncluded = 1126,     // int16: 1 when the vessel bottom counts
    Att_FreezingOption1 = 1127,    // int16: kept, edited by no page
    Att_FreezingOption2 = 1128,    // int16: kept, edited by no page
    Att_CoolingCase = 1135,        // int16: 0 flowing liquid, 1 stationary
    Att_AllPricesFound = 1136,     // int16: 1 when every price was found
    Att_OuterDiameters = 1312,     // 2 floats: pipe [0], round duct [1], mm
    Att_DuctWidth = 1313,          // float: rectangular duct, mm
    Att_DuctHeight = 1314,         // float: rectangular duct, mm
    Att_ContentsTemperature = 1315, // float, °C
    Att_AmbientTemperature = 1316, // float, °C
    Att_RelativeHumidity = 1317,   // float, %
    Att_AirVelocity = 1318,        // float, m/s
    Att_Emissivity = 1319,         // float: surface emissivity
    Att_FlatLabourPrice = 1320,    // float: labour price of plane surfaces
    Att_PipeLabourPrice = 1321,    // float: labour price of pipes and ducts
    Att_DewPoint = 1322,           // float, °C
    Att_HeatLoss = 1323,           // float: W/m pipes and ducts, W/m² planes
    Att_ContentsHeatCapacity = 1330, // float, J/kg°C
    Att_ContentsDensity = 1331,    // float, kg/m³
    Att_MassFlow = 1332,           // float, kg/s
    Att_VolumeFlow = 1333,         // float, m³/s
    Att_FlowVelocity = 1334,       // float, m/s
    Att_VesselSide1 = 1335,        // float: side 1 or diameter, m
    Att_VesselSide2 = 1336,        // float, m
    Att_VesselHeight = 1337,       // float, m
    Att_FinalTemperature = 1338,   // float: of the contents, °C
    Att_TemperatureChange = 1342,  // float: flowing liquid along the pipe, °C
    Att_OutletTemperature = 1343,  // float: flowing liquid, °C
    Att_CoolingTime = 1344,        // float: to the final temperature, h
    Att_PipeHeatCapacityFreezing = 1345, // float: freezing page, J/kg°C
    Att_PipeDensityFreezing = 1346, // float: freezing page, kg/m³
    Att_ContentsHeatCapacityFreezing = 1347, // float, J/kg°C
    Att_ContentsDensityFreezing = 1348, // float, kg/m³
    Att_FreezingTemperature = 1349, // float: of the contents, °C
    Att_FreezingStarts = 1350,     // float: time until freezing starts, h
    Att_EnergyPriceIncrease = 1359, // float: annual, %
    Att_UsefulLife = 1360,         // float: economic useful life, years
    Att_EnergyPrice = 1361,        // float: price of thermal energy
    Att_OperatingHours = 1362,     // float: annual operating time, h
    Att_InterestRate = 1363,       // float, %
    Att_TankArea = 1364,           // float, m²
    Att_TankVolume = 1365,         // float, m³
    Att_CapitalCost = 1370,        // float: annual investment cost (pipes, ducts)
    Att_PlaneCapitalCost = 1371,   // float: the same for a plane surface or vessel
    Att_EnergyCost = 1372,         // float: annual energy cost (pipes, ducts)
    Att_PlaneEnergyCost = 1373,    // float
    Att_TotalCost = 1374,          // float: annual total cost (pipes, ducts)
    Att_PlaneTotalCost = 1375,     // float
    Att_PipeHeatCapacity = 1377,   // float: cooling page, J/kg°C
    Att_PipeDensity = 1378,        // float: cooling page, kg/m³
    Att_FrozenThrough = 1380,      // float: time until frozen through, h
    Att_HeatLossAtMean = 1381,     // float: second heat-loss run, W/m
    Att_PipeLength = 1383,         // float, m
    Att_TargetHumidity = 1384,     // float, %
    Att_SystemName = 1535,
    Att_LocationKey = 1537,        // text: key of the chosen weather location         // text: the system's description and name
    Att_AccessStamps = 7701,       // the project library's access stamp list
};

// A layer part (1..3); 1528 and 1328 also live on the page object.
enum PartAtt : int16_t {
    Att_CalculationCase = 1130,    // int16, layer 1: see CalculationCase
    Att_NewLayer = 1133,           // int16: 1 on each layer part of a new system
    Att_InnerDiameter = 1324,      // float, mm
    Att_OuterDiameter = 1325,      // float, mm
    Att_NominalThickness = 1326,   // float, mm
    Att_Conductivity = 1327,       // float, W/m°C
    Att_FaceTemperature = 1328,    // float: outer face; on the page, inner surface, °C
    Att_MaterialPrice = 1329,      // float: material price of the layer
    Att_HeatLossLimit = 1357,      // float, layer 1: allowed heat loss
    Att_SurfaceTempLimit = 1358,   // float, layer 1: allowed surface temperature
    Att_LayerConductivity = 1376,  // float: at the layer's mean temperature
    Att_Thickness = 1379,          // float: as entered, mm
    Att_UserPrice = 1382,          // float: per m² in the project currency
    Att_ProductCode = 1528,        // text: product code; on the page, surface material code
    Att_ProductType = 1536,        // text: insulation type key; "-789" no layer
    Att_ProductClass = 1538,       // text, 2 characters: technical record class
};

// The object kind of a system (Att_ObjectKind).
enum ObjectKind : int16_t { Kind_Plane = 10, Kind_Pipe = 11, Kind_RoundDuct = 12, Kind_RectDuct = 13 };

// What the insulation calculation dimensions by (Att_CalculationCase).
enum CalculationCase : int16_t {
    Case_Economic = 0,             // economic insulation thickness
    Case_HeatLoss = 1,             // allowed heat loss
    Case_SurfaceTemperature = 2,   // allowed surface temperature
    Case_Condensation = 3,         // condensation prevention
    Case_HeatLossAndSurface = 4,   // heat loss and surface temperature
};

// The surface the surface temperature and dew point refer to (Att_ReportedSurface).
enum ReportedSurface : int16_t { Surface_Outer = 1, Surface_Inner = 2 };

// Price list of the project (Att_PriceCurrency).
enum PriceCurrency : int16_t { Currency_EUR = 0, Currency_SEK = 1, Currency_PLN = 2 };

// Access stamp marks (Kadmi_MarkAccess, Kadmi_CmpAccess).
inline constexpr const char* Stamp_ProjectChanged = "PCHG";
inline constexpr const char* Stamp_Saved = "SAVE";
inline constexpr const char* Stamp_InsulationEdited = "EDT1"; // input group 1
inline constexpr const char* Stamp_CoolingEdited = "EDT2";    // input group 2
inline constexpr const char* Stamp_FreezingEdited = "EDT3";   // input group 3
inline constexpr const char* Stamp_GroupFourEdited = "EDT4";
inline constexpr const char* Stamp_ExtendedEdited = "EDTT";   // extended edition's inputs
inline constexpr const char* Stamp_HeatLoss = "DIM1";         // insulation calculated
inline constexpr const char* Stamp_Cooling = "DIM2";          // cooling calculated
inline constexpr const char* Stamp_Freezing = "DIM3";         // freezing calculated
inline constexpr const char* Stamp_ThicknessList = "DIM4";    // thickness list calculated
