// Functions that only the extended edition of the interface module has: the
// one-line object description, product lists read straight from the database
// engine, the logo window classes, the new-file name dialog and the defaults
// of a new system. The shell calls them where the edition differs.
#pragma once
#include <windows.h>
#include <cstdint>
#include <vector>
#include "VlInterface/workspace/productlist.h"

// The loaded system's object in one line in the current language (pipe and
// round duct with their diameter, rectangular duct with width and height);
// "" for an unknown kind. A static text, overwritten by every call.
const char* InsulationObject_Describe();

// Appends the distinct types (type key, technical attribute 1606) of the
// records of one class, in the engine's order, after entry *lastIndex (-1:
// empty list), each named by its type record's name (1607; the key when it
// has none); at most kProductListSize entries. 0, or -1 when no class is given.
int16_t ProductDb_ListTypes(short database, const char* recordClass, ProductListEntry* list, int16_t* lastIndex);

// The thickness choices of one type, as LayerChoices_BuildThicknessList, from
// every record of the class whose type is typeKey (up to kProductDbCandidates
// records); a type without a product of some thickness offers the heading and
// the own-thickness entry. -1 (an empty list) when the type or the class is
// missing.
constexpr int kProductDbCandidates = 2000;
int ProductDb_ListProducts(const char* typeKey, const char* recordClass, ProductListEntry* output,
                           const char* currentCode, int* selection, float diameterBeneath, bool match);

// The candidates behind ProductDb_ListProducts: one entry per record of the
// type {position, 0, thickness "%.f", code, class}; records without a
// thickness are left out.
std::vector<ProductListEntry> ProductDb_ReadCandidates(short database, const char* typeKey, const char* recordClass);

// Window classes of the logos: "Custom_Logo", "Custom_Logo_Small",
// "Custom_Standard"; "Custom_Logo2", "Custom_Logo_Small2"; "Bitmap". Each
// returns 0, or -1 as soon as a registration fails.
int LogoCtl_RegisterClasses();
int CustomLogo2_RegisterClasses();
int BitmapCtl_RegisterClass();

// Moves child to the top left of parent's client area at its full width,
// keeping the child's height.
void MainWnd_FitChildWidth(HWND parent, HWND child);

// Asks the name of a new project file in the common Save-As dialog, its name
// field empty. filter has "|" between its parts; name holds MAX_PATH bytes.
// Non-zero when the user chose a name; an existing file is not questioned here
// (the caller asks before replacing it).
int FileMenu_AskNewFileName(HWND owner, const char* filter, const char* initialDirectory, char* name,
                            const char* title);

// Gives the loaded system the defaults of a new system (ambient conditions,
// contents temperature, relative humidity, location entered by the user) and
// its three layer parts: parts the page already holds are taken as they are,
// only missing ones are created, so a page never holds more than three.
void Project_SetNewDefaults();

struct CalcRecord;

// The insulation page's extended fields and commands (insulation_page.cpp).
// The total of the layers' thicknesses in the read-only field 147, the
// humidity the condensation case works to beside that case, and the
// insulated object's description above the layers.
void InsulationPage_ShowExtendedFields(HWND page, const CalcRecord& record);
// The heat-loss results are not older than their inputs, the extended ones
// ("EDTT") included (Stamps_HeatLossStale): only then may the page
// recalculate quietly.
bool InsulationPage_ResultsCurrent();
// Shows the results as not calculated; the layers keep their products.
void InsulationPage_ShowStale(HWND page);
// Layer 1 holds a product of the technical data, so there is something to search.
bool InsulationPage_CanSearchCheapest();
// Searches the cheapest thicknesses of the layers' products, adopts them
// (heat loss and surface temperature case) and recalculates the page: 0, or
// -1 when nothing could be costed (the page and the project stay as they
// were and a message tells the user what is missing) or when layer 1 is no
// product of the technical data (the layers' thicknesses and dimensions are
// cleared).
int InsulationPage_AdoptCheapest(HWND page, CalcRecord& record);
